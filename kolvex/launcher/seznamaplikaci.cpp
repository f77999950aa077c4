#include "launcher/seznamaplikaci.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/chyba.h"
#include "knihovna/dpi.h"

using knihovna::Overit;
using knihovna::UchytKlice;
using knihovna::VyhoditChybu;

std::unique_ptr<SeznamAplikaci> seznamAplikaci;

namespace {

constexpr int OBRAZEK_BEZ_IKONY = 10;
constexpr wchar_t KLIC_SPOUSTENI[] = L"Spousteni aplikaci";
constexpr wchar_t KLIC_APLIKACI[] = L"Aplikace";

[[noreturn]] void VyhoditKod(LONG kod) { VyhoditChybu(knihovna::HresultZKodu(static_cast<DWORD>(kod))); }

int Znamenko(long long rozdil) { return rozdil < 0 ? -1 : (rozdil > 0 ? 1 : 0); }

int PorovnatTexty(const std::wstring& a, const std::wstring& b) { return Znamenko(::lstrcmpW(a.c_str(), b.c_str())); }

// 0 read, 1 not stored, 2 stored but not readable as a DWORD.
int PrecistDword(HKEY klic, const wchar_t* nazev, DWORD& hodnota) {
    DWORD typ = 0, data = 0, velikost = sizeof(data);
    LONG kod = ::RegQueryValueExW(klic, nazev, nullptr, &typ, reinterpret_cast<BYTE*>(&data), &velikost);
    if (kod == ERROR_FILE_NOT_FOUND) return 1;
    if (kod == ERROR_MORE_DATA) return 2;
    if (kod != ERROR_SUCCESS) VyhoditKod(kod);
    if ((typ != REG_DWORD && typ != REG_BINARY) || velikost != sizeof(DWORD)) return 2;
    hodnota = data;
    return 0;
}

int PrecistText(HKEY klic, const wchar_t* nazev, std::wstring& hodnota) {
    DWORD typ = 0, velikost = 0;
    LONG kod = ::RegQueryValueExW(klic, nazev, nullptr, &typ, nullptr, &velikost);
    if (kod == ERROR_FILE_NOT_FOUND) return 1;
    if (kod != ERROR_SUCCESS) VyhoditKod(kod);
    if (typ != REG_SZ && typ != REG_EXPAND_SZ) return 2;
    std::wstring text(velikost / sizeof(wchar_t) + 1, L'\0');
    velikost = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    kod = ::RegQueryValueExW(klic, nazev, nullptr, &typ, reinterpret_cast<BYTE*>(&text[0]), &velikost);
    if (kod != ERROR_SUCCESS) VyhoditKod(kod);
    text.resize(::wcsnlen(text.c_str(), text.size()));
    hodnota = text;
    return 0;
}

void ZapsatDword(HKEY klic, const wchar_t* nazev, DWORD hodnota) {
    LONG kod = ::RegSetValueExW(klic, nazev, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&hodnota), sizeof(hodnota));
    if (kod != ERROR_SUCCESS) VyhoditKod(kod);
}

void ZapsatText(HKEY klic, const wchar_t* nazev, const std::wstring& hodnota) {
    LONG kod = ::RegSetValueExW(klic, nazev, 0, REG_SZ, reinterpret_cast<const BYTE*>(hodnota.c_str()),
                                static_cast<DWORD>((hodnota.size() + 1) * sizeof(wchar_t)));
    if (kod != ERROR_SUCCESS) VyhoditKod(kod);
}

// The entry's values into its own subkey, in the stored order; unreadable values stay as stored.
void ZapsatPolozku(HKEY aplikace, const SpoustenaAplikace& a) {
    UchytKlice klic;
    LONG kod = ::RegCreateKeyExW(aplikace, a.nazev.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, klic.Adresa(), nullptr);
    if (kod != ERROR_SUCCESS) VyhoditKod(kod);
    HKEY h = klic.Get();
    if (!(a.necitelne & NECITELNA_CESTA)) ZapsatText(h, L"cesta", a.cesta);
    if (!(a.necitelne & NECITELNA_JEDNA_INSTANCE)) ZapsatDword(h, L"jednaInstance", a.jednaInstance ? 1 : 0);
    if (!(a.necitelne & NECITELNY_MODIFIKATOR)) ZapsatDword(h, L"modifikator", a.modifikator);
    if (!(a.necitelne & NECITELNY_POCET)) ZapsatDword(h, L"pocetSpusteni", static_cast<DWORD>(a.pocetSpusteni));
    if (!(a.necitelne & NECITELNE_PO_SPUSTENI)) ZapsatDword(h, L"poSpusteni", a.poSpusteni ? 1 : 0);
    if (!(a.necitelne & NECITELNA_UROVEN)) ZapsatDword(h, L"uroven", a.uroven);
    if (!(a.necitelne & NECITELNA_KLAVESA)) ZapsatDword(h, L"virtKlavesa", a.virtKlavesa);
    if (!klic.Uvolnit()) VyhoditChybu(E_FAIL);
}

// Registry key names compare without regard to letter case.
bool StejnyKlic(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

// The names of the subkeys of a key.
std::vector<std::wstring> PodklicePolozek(HKEY klic) {
    std::vector<std::wstring> jmena;
    for (DWORD i = 0;; ++i) {
        wchar_t nazev[600];
        DWORD delka = 600;
        const LONG kod = ::RegEnumKeyExW(klic, i, nazev, &delka, nullptr, nullptr, nullptr, nullptr);
        if (kod == ERROR_NO_MORE_ITEMS) break;
        if (kod != ERROR_SUCCESS) VyhoditKod(kod);
        jmena.emplace_back(nazev, delka);
    }
    return jmena;
}

// A key whose name differs from its entry's only in letter case opens as the entry's key, so its
// name would never change: its whole content (values the program could not read included) moves
// through a new temporary key to a key of the new name. A failure half way leaves the content in
// one of the two keys, never in neither.
void ZmenitVelikostPismenKlice(HKEY rodic, const std::wstring& stary, const std::wstring& novy) {
    UchytKlice docasny;
    std::wstring jmenoDocasneho;
    for (int i = 1;; ++i) {
        jmenoDocasneho = L"~" + novy.substr(0, 240) + L"~" + std::to_wstring(i);
        DWORD stav = 0;
        const LONG kod = ::RegCreateKeyExW(rodic, jmenoDocasneho.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                           docasny.Adresa(), &stav);
        if (kod != ERROR_SUCCESS) VyhoditKod(kod);
        if (stav == REG_CREATED_NEW_KEY) break;
        docasny.Uvolnit();  // a key of that name holds something already
        if (i >= 100) VyhoditChybu(E_FAIL);
    }
    LONG kod = ::RegCopyTreeW(rodic, stary.c_str(), docasny.Get());
    if (kod != ERROR_SUCCESS) {
        ::RegDeleteTreeW(rodic, jmenoDocasneho.c_str());
        VyhoditKod(kod);
    }
    kod = ::RegDeleteTreeW(rodic, stary.c_str());
    if (kod != ERROR_SUCCESS) {
        ::RegDeleteTreeW(rodic, jmenoDocasneho.c_str());
        VyhoditKod(kod);
    }
    UchytKlice cil;
    kod = ::RegCreateKeyExW(rodic, novy.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, cil.Adresa(), nullptr);
    if (kod == ERROR_SUCCESS) kod = ::RegCopyTreeW(rodic, jmenoDocasneho.c_str(), cil.Get());
    if (kod != ERROR_SUCCESS) VyhoditKod(kod);  // the content stays in the temporary key
    docasny.Uvolnit();
    ::RegDeleteTreeW(rodic, jmenoDocasneho.c_str());
}

}  // namespace

int PorovnatAplikace(const SpoustenaAplikace& a, const SpoustenaAplikace& b, DWORD rezim) {
    const bool sestupne = (rezim & TRIDENI_SESTUPNE) != 0;
    const int smer = sestupne ? -1 : 1;
    switch (rezim & 0xFFFF) {
        case TRIDENI_NAZEV: return smer * PorovnatTexty(a.nazev, b.nazev);
        case TRIDENI_CESTA: return smer * PorovnatTexty(a.cesta, b.cesta);
        case TRIDENI_OPRAVNENI: {
            int r = smer * Znamenko(static_cast<long long>(a.uroven) - b.uroven);
            return r != 0 ? r : PorovnatTexty(a.nazev, b.nazev);
        }
        case TRIDENI_KLAVESA: {
            int r = Znamenko(static_cast<long long>(a.virtKlavesa) - b.virtKlavesa);
            if (r == 0) r = Znamenko(static_cast<long long>(a.modifikator) - b.modifikator);
            return smer * r;
        }
        case TRIDENI_POCET: {
            int r = smer * Znamenko(static_cast<long long>(a.pocetSpusteni) - b.pocetSpusteni);
            return r != 0 ? r : PorovnatTexty(a.nazev, b.nazev);
        }
        default: return 0;
    }
}

bool JePlatnyNazevAplikace(const std::wstring& nazev) {
    return !nazev.empty() && nazev.size() <= 255 && nazev.find(L'\\') == std::wstring::npos &&
           nazev.find(L'\0') == std::wstring::npos;
}

// ---------------------------------------------------------------------------------------------

SeznamAplikaci::SeznamAplikaci(std::wstring koren) : m_koren(std::move(koren)) {}

SeznamAplikaci::~SeznamAplikaci() = default;

std::wstring SeznamAplikaci::CestaKlice() const {
    return m_koren + L"\\" + KLIC_SPOUSTENI + L"\\" + KLIC_APLIKACI;
}

const SpoustenaAplikace& SeznamAplikaci::Polozka(size_t index) const {
    if (index >= m_aplikace.size()) VyhoditChybu(E_INVALIDARG);
    return m_aplikace[index];
}

SpoustenaAplikace& SeznamAplikaci::Polozka(size_t index) {
    if (index >= m_aplikace.size()) VyhoditChybu(E_INVALIDARG);
    return m_aplikace[index];
}

std::vector<SpoustenaAplikace> SeznamAplikaci::Kopie() {
    knihovna::Zamek zamek(m_zamek);
    return m_aplikace;
}

size_t SeznamAplikaci::Pridat(const std::wstring& nazev, const std::wstring& cesta, DWORD uroven) {
    knihovna::Zamek zamek(m_zamek);
    SpoustenaAplikace a;
    a.nazev = nazev;
    a.cesta = cesta;
    a.uroven = uroven;
    m_aplikace.push_back(std::move(a));
    return m_aplikace.size() - 1;
}

void SeznamAplikaci::Odebrat(size_t index) {
    knihovna::Zamek zamek(m_zamek);
    Polozka(index);
    m_aplikace.erase(m_aplikace.begin() + static_cast<std::ptrdiff_t>(index));
    if (m_aplikace.empty()) m_aplikace.shrink_to_fit();
}

void SeznamAplikaci::NastavitCestu(size_t index, const std::wstring& cesta) {
    knihovna::Zamek zamek(m_zamek);
    SpoustenaAplikace& a = Polozka(index);
    a.cesta = cesta;
    a.necitelne &= ~static_cast<DWORD>(NECITELNA_CESTA);
}

void SeznamAplikaci::NastavitNazev(size_t index, const std::wstring& nazev) {
    knihovna::Zamek zamek(m_zamek);
    Polozka(index).nazev = nazev;
}

void SeznamAplikaci::NastavitKlavesu(size_t index, DWORD virtKlavesa, DWORD modifikator) {
    knihovna::Zamek zamek(m_zamek);
    SpoustenaAplikace& a = Polozka(index);
    a.virtKlavesa = virtKlavesa;
    a.modifikator = modifikator;
    a.necitelne &= ~static_cast<DWORD>(NECITELNA_KLAVESA | NECITELNY_MODIFIKATOR);
}

int SeznamAplikaci::NajitPodleNazvu(const std::wstring& nazev) const {
    knihovna::Zamek zamek(m_zamek);
    for (size_t i = 0; i < m_aplikace.size(); ++i)
        if (::lstrcmpW(m_aplikace[i].nazev.c_str(), nazev.c_str()) == 0) return static_cast<int>(i);
    return -1;
}

int SeznamAplikaci::NajitKolizniNazev(const std::wstring& nazev, int krome) const {
    knihovna::Zamek zamek(m_zamek);
    for (size_t i = 0; i < m_aplikace.size(); ++i)
        if (static_cast<int>(i) != krome && StejnyKlic(m_aplikace[i].nazev, nazev)) return static_cast<int>(i);
    return -1;
}

int SeznamAplikaci::NajitPodleKlavesy(DWORD modifikator, DWORD virtKlavesa) const {
    knihovna::Zamek zamek(m_zamek);
    for (size_t i = 0; i < m_aplikace.size(); ++i)
        if (m_aplikace[i].virtKlavesa == virtKlavesa && m_aplikace[i].modifikator == modifikator)
            return static_cast<int>(i);
    return -1;
}

void SeznamAplikaci::Seradit() {
    SeraditPodle(nastaveniSpousteniAplikaci ? nastaveniSpousteniAplikaci->trideniAplikaci : TRIDENI_NETRIDIT);
}

void SeznamAplikaci::SeraditPodle(DWORD rezim) {
    knihovna::Zamek zamek(m_zamek);
    if (m_aplikace.empty()) return;
    std::sort(m_aplikace.begin(), m_aplikace.end(), [rezim](const SpoustenaAplikace& a, const SpoustenaAplikace& b) {
        return PorovnatAplikace(a, b, rezim) < 0;
    });
    ObnovitIkony();
}

void SeznamAplikaci::ObnovitIkony() {
    knihovna::Zamek zamek(m_zamek);
    if (m_ikony && !m_ikony.Uvolnit()) knihovna::VyhoditPosledniChybu();
    HIMAGELIST novy = ::ImageList_Create(knihovna::SirkaMaleIkony(), knihovna::VyskaMaleIkony(), ILC_COLOR32 | ILC_MASK, 1, 1);
    Overit(novy != nullptr);
    m_ikony.Nastavit(novy);
    for (const SpoustenaAplikace& a : m_aplikace) {
        HICON ikona = nullptr;
        if (!a.cesta.empty() && ::PathFileExistsW(a.cesta.c_str())) {
            ::ExtractIconExW(a.cesta.c_str(), 0, nullptr, &ikona, 1);
        }
        if (!ikona && aplikace.seznamMenu.Get())
            ikona = ::ImageList_GetIcon(aplikace.seznamMenu.Get(), OBRAZEK_BEZ_IKONY, ILD_NORMAL);
        if (!ikona) {
            // Without any image the index must still match: an empty icon keeps the place.
            ikona = static_cast<HICON>(::LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, knihovna::SirkaMaleIkony(),
                                                          knihovna::VyskaMaleIkony(), LR_SHARED));
            ::ImageList_AddIcon(novy, ikona);
            continue;
        }
        ::ImageList_AddIcon(novy, ikona);
        Overit(::DestroyIcon(ikona) != 0);
    }
}

void SeznamAplikaci::Vyprazdnit() {
    knihovna::Zamek zamek(m_zamek);
    m_aplikace.clear();
    m_aplikace.shrink_to_fit();
}

HRESULT SeznamAplikaci::Nacist() {
    knihovna::Zamek zamek(m_zamek);
    UchytKlice klic;
    LONG kod = ::RegOpenKeyExW(HKEY_CURRENT_USER, CestaKlice().c_str(), 0, KEY_READ, klic.Adresa());
    if (kod == ERROR_FILE_NOT_FOUND) {
        Vyprazdnit();
        return S_OK;
    }
    if (kod != ERROR_SUCCESS) VyhoditKod(kod);
    DWORD pocet = 0;
    kod = ::RegQueryInfoKeyW(klic.Get(), nullptr, nullptr, nullptr, &pocet, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr);
    if (kod != ERROR_SUCCESS) VyhoditKod(kod);
    Vyprazdnit();
    if (pocet == 0) return S_OK;

    for (DWORD i = 0;; ++i) {
        wchar_t nazev[600];
        DWORD delka = 600;
        kod = ::RegEnumKeyExW(klic.Get(), i, nazev, &delka, nullptr, nullptr, nullptr, nullptr);
        if (kod != ERROR_SUCCESS) break;
        SpoustenaAplikace a;
        a.nazev.assign(nazev, delka);
        m_aplikace.push_back(std::move(a));
    }

    HRESULT vysledek = S_OK;
    for (SpoustenaAplikace& a : m_aplikace) {
        UchytKlice polozka;
        kod = ::RegOpenKeyExW(klic.Get(), a.nazev.c_str(), 0, KEY_READ, polozka.Adresa());
        if (kod != ERROR_SUCCESS) VyhoditKod(kod);
        HKEY h = polozka.Get();
        DWORD hodnota = 0;
        auto dword = [&](const wchar_t* jmeno, DWORD bit) -> bool {
            int r = PrecistDword(h, jmeno, hodnota);
            if (r == 2) a.necitelne |= bit;
            return r == 0;
        };
        if (PrecistText(h, L"cesta", a.cesta) == 2) a.necitelne |= NECITELNA_CESTA;
        if (dword(L"uroven", NECITELNA_UROVEN)) a.uroven = hodnota;
        if (dword(L"modifikator", NECITELNY_MODIFIKATOR)) a.modifikator = hodnota;
        if (dword(L"virtKlavesa", NECITELNA_KLAVESA)) a.virtKlavesa = hodnota;
        if (dword(L"jednaInstance", NECITELNA_JEDNA_INSTANCE)) a.jednaInstance = hodnota != 0;
        if (dword(L"poSpusteni", NECITELNE_PO_SPUSTENI)) a.poSpusteni = hodnota != 0;
        if (dword(L"pocetSpusteni", NECITELNY_POCET)) a.pocetSpusteni = static_cast<int>(hodnota);
        if (a.necitelne) vysledek = HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
    }
    klic.Uvolnit();
    Seradit();
    return vysledek;
}

void SeznamAplikaci::Ulozit() {
    knihovna::Zamek zamek(m_zamek);
    const std::wstring cesta = CestaKlice();
    UchytKlice klic;
    LONG kod = ::RegCreateKeyExW(HKEY_CURRENT_USER, cesta.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                                 klic.Adresa(), nullptr);
    if (kod != ERROR_SUCCESS) VyhoditKod(kod);

    // Every entry first: a failure leaves the stored list as complete as it can be.
    HRESULT prvniChyba = S_OK;
    const std::vector<std::wstring> ulozene = PodklicePolozek(klic.Get());
    for (const SpoustenaAplikace& a : m_aplikace) {
        try {
            for (const std::wstring& jmeno : ulozene)
                if (jmeno != a.nazev && StejnyKlic(jmeno, a.nazev)) ZmenitVelikostPismenKlice(klic.Get(), jmeno, a.nazev);
            ZapsatPolozku(klic.Get(), a);
        } catch (const knihovna::Chyba& chyba) {
            if (SUCCEEDED(prvniChyba)) prvniChyba = chyba.Hresult();
        }
    }
    if (FAILED(prvniChyba)) VyhoditChybu(prvniChyba);

    // Then the keys of entries that are gone (renamed or removed).
    std::vector<std::wstring> zastarale;
    for (const std::wstring& jmeno : PodklicePolozek(klic.Get())) {
        bool vSeznamu = std::any_of(m_aplikace.begin(), m_aplikace.end(),
                                    [&](const SpoustenaAplikace& a) { return StejnyKlic(a.nazev, jmeno); });
        if (!vSeznamu) zastarale.push_back(jmeno);
    }
    for (const std::wstring& jmeno : zastarale) {
        kod = ::RegDeleteTreeW(klic.Get(), jmeno.c_str());
        if (kod != ERROR_SUCCESS && kod != ERROR_FILE_NOT_FOUND && SUCCEEDED(prvniChyba))
            prvniChyba = knihovna::HresultZKodu(static_cast<DWORD>(kod));
    }
    if (!klic.Uvolnit() && SUCCEEDED(prvniChyba)) prvniChyba = E_FAIL;
    if (FAILED(prvniChyba)) VyhoditChybu(prvniChyba);
}
