#include "notes/seznampoznamek.h"

#include <shlwapi.h>

#include <algorithm>
#include <ctime>

#include "core/aplikace.h"
#include "core/dialogy.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "core/ulozitsoubor.h"
#include "knihovna/chyba.h"
#include "knihovna/text.h"
#include "knihovna/uchyt.h"
#include "notes/oknopoznamka.h"
#include "resources/resource.h"

using knihovna::Overit;
using knihovna::VyhoditChybu;

SeznamPoznamek* seznamTextovychPoznamek = nullptr;
SeznamPoznamek* seznamZvukovychPoznamek = nullptr;

void UvolnitSeznamTextovychPoznamek() {
    delete seznamTextovychPoznamek;
    seznamTextovychPoznamek = nullptr;
}

void UvolnitSeznamZvukovychPoznamek() {
    delete seznamZvukovychPoznamek;
    seznamZvukovychPoznamek = nullptr;
}

std::wstring CestaPoznamky(const std::wstring& slozka, const std::wstring& nazev, const wchar_t* pripona) {
    return slozka + L"\\" + nazev + L"." + pripona;
}

bool JePlatnyNazevPoznamky(const std::wstring& nazev) {
    if (nazev.empty() || nazev[0] == L'.') return false;
    if (nazev.find(L"..") != std::wstring::npos || knihovna::MaZakazanyZnakNazvu(nazev)) return false;
    const wchar_t posledni = nazev.back();
    return posledni != L'.' && posledni != L' ';
}

bool OveritNazevPoznamky(const std::wstring& nazev) {
    if (JePlatnyNazevPoznamky(nazev)) return true;
    aplikace.ZobrazitZpravu(
        knihovna::Formatovat(knihovna::Retezec(IDS_NEPLATNY_NAZEV_POZNAMKY).c_str(), nazev.c_str()),
        MB_ICONWARNING);
    return false;
}

bool PrevestCasSouboru(const FILETIME& cas, int64_t& vysledek) {
    FILETIME mistni;
    SYSTEMTIME st;
    if (!::FileTimeToLocalFileTime(&cas, &mistni) || !::FileTimeToSystemTime(&mistni, &st)) return false;
    if (st.wYear < 1900) {
        vysledek = 0;
        return true;
    }
    std::tm t{};
    t.tm_year = st.wYear - 1900;
    t.tm_mon = st.wMonth - 1;
    t.tm_mday = st.wDay;
    t.tm_hour = st.wHour;
    t.tm_min = st.wMinute;
    t.tm_sec = st.wSecond;
    t.tm_isdst = -1;
    const time_t sekundy = std::mktime(&t);
    if (sekundy == static_cast<time_t>(-1)) return false;
    vysledek = static_cast<int64_t>(sekundy);
    return true;
}

CastiCasu RozlozitCas(int64_t cas) {
    CastiCasu casti;
    const time_t t = static_cast<time_t>(cas);
    std::tm* mistni = std::localtime(&t);  // the C runtime's buffer is per thread
    if (!mistni) return casti;
    casti.den = mistni->tm_mday;
    casti.mesic = mistni->tm_mon + 1;
    casti.rok = mistni->tm_year + 1900;
    casti.hodina = mistni->tm_hour;
    casti.minuta = mistni->tm_min;
    return casti;
}

int DenCasu(int64_t cas) { return RozlozitCas(cas).den; }
int MesicCasu(int64_t cas) { return RozlozitCas(cas).mesic; }
int RokCasu(int64_t cas) { return RozlozitCas(cas).rok; }
int HodinaCasu(int64_t cas) { return RozlozitCas(cas).hodina; }
int MinutaCasu(int64_t cas) { return RozlozitCas(cas).minuta; }

std::wstring TextPolozkyPoznamky(const ZaznamPoznamky& zaznam) {
    const CastiCasu c = RozlozitCas(zaznam.cas);
    return knihovna::Formatovat(L"%s (%d.%d.%d  %d:%.2d)", zaznam.nazev.c_str(), c.den, c.mesic, c.rok, c.hodina,
                                c.minuta);
}

bool PorovnatNazvyPoznamek(const std::wstring& a, const std::wstring& b) {
    auto male = [](wchar_t z) -> wchar_t { return (z >= L'A' && z <= L'Z') ? static_cast<wchar_t>(z + 32) : z; };
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const wchar_t x = male(a[i]), y = male(b[i]);
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}

void SeznamPoznamek::Nacist(const std::wstring& slozka, const wchar_t* pripona, DWORD trideni) {
    m_zaznamy.clear();
    m_slozka = slozka;
    m_pripona = pripona;
    std::wstring vzor = slozka + L"\\*." + pripona;
    if (vzor.size() >= MAX_PATH) vzor.resize(MAX_PATH - 1);
    WIN32_FIND_DATAW data;
    HANDLE hledani = ::FindFirstFileW(vzor.c_str(), &data);
    if (hledani == INVALID_HANDLE_VALUE) return;
    struct Zavrit {
        HANDLE h;
        ~Zavrit() {
            if (h != INVALID_HANDLE_VALUE) ::FindClose(h);
        }
    } zavrit{hledani};
    do {
        if (data.cFileName[0] == L'.') continue;
        wchar_t jmeno[MAX_PATH];
        ::lstrcpynW(jmeno, data.cFileName, MAX_PATH);
        ::PathRemoveExtensionW(jmeno);
        ZaznamPoznamky zaznam;
        if (!PrevestCasSouboru(data.ftLastWriteTime, zaznam.cas)) VyhoditChybu(E_INVALIDARG);
        zaznam.nazev = jmeno;
        m_zaznamy.push_back(std::move(zaznam));
    } while (::FindNextFileW(hledani, &data));
    zavrit.h = INVALID_HANDLE_VALUE;
    Overit(::FindClose(hledani) != 0);
    Seradit(trideni);
}

void SeznamPoznamek::NacistTextovePoznamky() {
    if (!nastaveniPoznamky) VyhoditChybu(E_HANDLE);
    Nacist(nastaveniPoznamky->textove.slozka.Text(), PRIPONA_TEXTOVE, nastaveniPoznamky->textove.trideni);
}

void SeznamPoznamek::NacistZvukovePoznamky() {
    if (!nastaveniPoznamky) VyhoditChybu(E_HANDLE);
    Nacist(nastaveniPoznamky->zvukove.slozka.Text(), PRIPONA_ZVUKOVE, nastaveniPoznamky->zvukove.trideni);
}

ZaznamPoznamky SeznamPoznamek::Polozka(int i) const {
    if (i < 0 || i >= Pocet()) VyhoditChybu(E_INVALIDARG);
    return m_zaznamy[static_cast<size_t>(i)];
}

int SeznamPoznamek::Najit(const std::wstring& nazev) const {
    for (size_t i = 0; i < m_zaznamy.size(); ++i)
        if (m_zaznamy[i].nazev == nazev) return static_cast<int>(i);
    return -1;
}

void SeznamPoznamek::AktualizovatCas(int i) {
    if (i < 0 || i >= Pocet()) VyhoditChybu(E_INVALIDARG);
    const std::wstring cesta = Cesta(i);
    HANDLE h = ::CreateFileW(cesta.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) knihovna::VyhoditPosledniChybu();
    FILETIME zapis{};
    const BOOL ok = ::GetFileTime(h, nullptr, nullptr, &zapis);
    const DWORD kod = ::GetLastError();
    if (!::CloseHandle(h)) VyhoditChybu(E_FAIL);
    if (!ok) {
        ::SetLastError(kod);
        knihovna::VyhoditPosledniChybu();
    }
    int64_t cas = 0;
    if (!PrevestCasSouboru(zapis, cas)) VyhoditChybu(E_INVALIDARG);
    m_zaznamy[static_cast<size_t>(i)].cas = cas;
}

int SeznamPoznamek::NovaPoznamka() {
    std::wstring nazev = L"Nová poznámka";
    for (;;) {
        if (!ZadatTextId(nazev, IDS_NAZEV_NOVE_POZNAMKY)) return 1;
        if (OveritNazevPoznamky(nazev)) break;
    }
    if (!nastaveniPoznamky) VyhoditChybu(E_HANDLE);
    const std::wstring slozka = nastaveniPoznamky->textove.slozka.Text();
    if (!::PathFileExistsW(slozka.c_str())) Overit(::CreateDirectoryW(slozka.c_str(), nullptr) != 0);
    const std::wstring cesta = CestaPoznamky(slozka, nazev, PRIPONA_TEXTOVE);
    if (::PathFileExistsW(cesta.c_str()) && !aplikace.OtazkaId(IDS_OTAZKA_PREPSAT_POZNAMKU, false, true)) return 1;
    try {
        // An existing note is replaced only once the empty file is in place.
        UlozitSouborBezpecne(cesta, nullptr, 0);
    } catch (const knihovna::Chyba& chyba) {
        aplikace.ZobrazitChybuComPopis(chyba);
        return 1;
    }
    ZapomenoutZobrazenouPoznamku(cesta);  // a replaced note shown in the window is not written back
    NacistTextovePoznamky();
    return 0;
}

void SeznamPoznamek::SeraditPodleNazvu() {
    std::sort(m_zaznamy.begin(), m_zaznamy.end(),
              [](const ZaznamPoznamky& a, const ZaznamPoznamky& b) { return PorovnatNazvyPoznamek(a.nazev, b.nazev); });
}

void SeznamPoznamek::SeraditPodleCasu() {
    std::sort(m_zaznamy.begin(), m_zaznamy.end(),
              [](const ZaznamPoznamky& a, const ZaznamPoznamky& b) { return a.cas > b.cas; });
}

void SeznamPoznamek::Seradit(DWORD trideni) {
    if (trideni == TRIDENI_PODLE_NAZVU)
        SeraditPodleNazvu();
    else if (trideni == TRIDENI_PODLE_CASU)
        SeraditPodleCasu();
}

void SeznamPoznamek::Vyprazdnit() {
    m_zaznamy.clear();
    m_zaznamy.shrink_to_fit();
}
