#include "core/konfigurace.h"

#include <shlwapi.h>

#include <atomic>
#include <cstring>
#include <vector>

#include "core/aplikace.h"
#include "core/hlaseni.h"
#include "knihovna/text.h"

using knihovna::Chyba;
using knihovna::HresultZKodu;
using knihovna::VyhoditChybu;

namespace {

void OveritRegistr(LONG vysledek) {
    if (vysledek != ERROR_SUCCESS) VyhoditChybu(HresultZKodu(static_cast<DWORD>(vysledek)));
}

std::shared_ptr<const std::wstring> NovyText(std::wstring text) {
    return std::make_shared<const std::wstring>(std::move(text));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// SdilenyText: the text is an immutable shared string swapped atomically; a reader holds its
// own reference while it copies, so a concurrent replacement cannot free it underneath.

SdilenyText::SdilenyText() : m_text(NovyText(std::wstring())) {}
SdilenyText::SdilenyText(std::wstring text) : m_text(NovyText(std::move(text))) {}
SdilenyText::SdilenyText(const wchar_t* text) : m_text(NovyText(text ? text : L"")) {}
SdilenyText::SdilenyText(const SdilenyText& jiny) : m_text(std::atomic_load(&jiny.m_text)) {}

SdilenyText& SdilenyText::operator=(const SdilenyText& jiny) {
    if (this != &jiny) std::atomic_store(&m_text, std::atomic_load(&jiny.m_text));
    return *this;
}

SdilenyText& SdilenyText::operator=(std::wstring text) {
    std::atomic_store(&m_text, NovyText(std::move(text)));
    return *this;
}

SdilenyText& SdilenyText::operator=(const wchar_t* text) { return *this = std::wstring(text ? text : L""); }

std::wstring SdilenyText::Text() const { return *std::atomic_load(&m_text); }

bool SdilenyText::Prazdny() const { return std::atomic_load(&m_text)->empty(); }

// ---------------------------------------------------------------------------------------------

KlicKonfigurace::KlicKonfigurace(std::wstring koren) : m_koren(std::move(koren)) {}

KlicKonfigurace::~KlicKonfigurace() {
    if (m_klic) ::RegCloseKey(m_klic);
}

std::wstring KlicKonfigurace::CestaSekce(const std::wstring& sekce) const {
    if (sekce.empty()) return m_koren;
    if (m_koren.empty()) return sekce;
    return m_koren + L"\\" + sekce;
}

HKEY KlicKonfigurace::OtevrenyKlic() const {
    if (!m_klic) VyhoditChybu(E_HANDLE);
    return m_klic;
}

void KlicKonfigurace::Zavrit() {
    if (!m_klic) return;
    HKEY klic = m_klic;
    m_klic = nullptr;
    OveritRegistr(::RegCloseKey(klic));
}

void KlicKonfigurace::OtevritSekci(const std::wstring& sekce, bool vytvorit) {
    if (vytvorit) {
        VytvoritSekci(sekce);
        return;
    }
    Zavrit();
    HKEY klic = nullptr;
    OveritRegistr(::RegOpenKeyExW(m_korenovyKlic, CestaSekce(sekce).c_str(), 0, KEY_READ | KEY_WRITE, &klic));
    m_klic = klic;
}

void KlicKonfigurace::VytvoritSekci(const std::wstring& sekce) {
    Zavrit();
    HKEY klic = nullptr;
    OveritRegistr(::RegCreateKeyExW(m_korenovyKlic, CestaSekce(sekce).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                    KEY_READ | KEY_WRITE, nullptr, &klic, nullptr));
    m_klic = klic;
}

int NacistHodnotuDword(KlicKonfigurace& klic, const wchar_t* nazev, DWORD& hodnota) {
    BYTE data[sizeof(DWORD)] = {};
    DWORD typ = REG_NONE;
    DWORD velikost = sizeof(data);
    if (!klic.Klic()) VyhoditChybu(E_HANDLE);
    LONG vysledek = ::RegQueryValueExW(klic.Klic(), nazev, nullptr, &typ, data, &velikost);
    if (vysledek == ERROR_FILE_NOT_FOUND) return 1;
    // A number stored as text (or any other kind) is the wrong kind of value, however long it is;
    // it would otherwise read as its first characters' codes.
    if ((vysledek == ERROR_SUCCESS || vysledek == ERROR_MORE_DATA) && typ != REG_DWORD && typ != REG_BINARY)
        VyhoditChybu(HresultZKodu(ERROR_DATATYPE_MISMATCH));
    OveritRegistr(vysledek);  // ERROR_MORE_DATA: binary data of more than 4 bytes
    DWORD cislo = 0;
    memcpy(&cislo, data, sizeof(cislo));  // data shorter than 4 bytes are filled up with zeros
    hodnota = cislo;
    return 0;
}

int KlicKonfigurace::NacistCislo(const wchar_t* nazev, bool& hodnota) {
    DWORD cislo = 0;
    if (NacistHodnotuDword(*this, nazev, cislo) != 0) return 1;
    hodnota = cislo != 0;
    return 0;
}

int KlicKonfigurace::NacistText(const wchar_t* nazev, std::wstring& hodnota) {
    HKEY klic = OtevrenyKlic();
    for (;;) {
        DWORD typ = REG_NONE;
        DWORD velikost = 0;
        LONG vysledek = ::RegQueryValueExW(klic, nazev, nullptr, &typ, nullptr, &velikost);
        if (vysledek == ERROR_FILE_NOT_FOUND) return 1;
        OveritRegistr(vysledek);
        if (typ != REG_SZ) VyhoditChybu(HresultZKodu(ERROR_DATATYPE_MISMATCH));
        std::vector<wchar_t> text(velikost / sizeof(wchar_t) + 1, L'\0');
        DWORD precteno = velikost;
        vysledek = ::RegQueryValueExW(klic, nazev, nullptr, &typ, reinterpret_cast<BYTE*>(text.data()), &precteno);
        if (vysledek == ERROR_MORE_DATA) continue;  // the value grew between the two queries
        if (vysledek == ERROR_FILE_NOT_FOUND) return 1;
        OveritRegistr(vysledek);
        if (typ != REG_SZ) VyhoditChybu(HresultZKodu(ERROR_DATATYPE_MISMATCH));
        // Stored without a terminating NUL it is read whole; an embedded NUL cuts it.
        size_t znaku = precteno / sizeof(wchar_t);
        hodnota.assign(text.data(), wcsnlen(text.data(), znaku));
        return 0;
    }
}

void KlicKonfigurace::ZapsatDword(const wchar_t* nazev, DWORD hodnota) {
    OveritRegistr(::RegSetValueExW(OtevrenyKlic(), nazev, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&hodnota),
                                   sizeof(hodnota)));
}

void KlicKonfigurace::ZapsatCislo(const wchar_t* nazev, bool hodnota) { ZapsatDword(nazev, hodnota ? 1 : 0); }

void KlicKonfigurace::ZapsatText(const wchar_t* nazev, const std::wstring& hodnota) {
    OveritRegistr(::RegSetValueExW(OtevrenyKlic(), nazev, 0, REG_SZ, reinterpret_cast<const BYTE*>(hodnota.c_str()),
                                   static_cast<DWORD>((hodnota.size() + 1) * sizeof(wchar_t))));
}

namespace {

// The fourteen font values in storage order; the byte fields take the low byte of the value.
template <class F>
void ProjitPismo(LOGFONTW& p, F&& f) {
    f(L"lfCharSet", &p.lfCharSet, nullptr);
    f(L"lfClipPrecision", &p.lfClipPrecision, nullptr);
    f(L"lfEscapement", nullptr, &p.lfEscapement);
    f(L"lfHeight", nullptr, &p.lfHeight);
    f(L"lfItalic", &p.lfItalic, nullptr);
    f(L"lfOrientation", nullptr, &p.lfOrientation);
    f(L"lfOutPrecision", &p.lfOutPrecision, nullptr);
    f(L"lfPitchAndFamily", &p.lfPitchAndFamily, nullptr);
    f(L"lfQuality", &p.lfQuality, nullptr);
    f(L"lfStrikeOut", &p.lfStrikeOut, nullptr);
    f(L"lfUnderline", &p.lfUnderline, nullptr);
    f(L"lfWeight", nullptr, &p.lfWeight);
    f(L"lfWidth", nullptr, &p.lfWidth);
}

}  // namespace

int KlicKonfigurace::NacistPismo(LOGFONTW& pismo) {
    int chybi = 0;
    ProjitPismo(pismo, [&](const wchar_t* nazev, BYTE* bajt, LONG* cislo) {
        DWORD hodnota = 0;
        if (NacistHodnotuDword(*this, nazev, hodnota) != 0) {
            chybi = 1;
            return;
        }
        if (bajt) *bajt = static_cast<BYTE>(hodnota & 0xFF);
        if (cislo) *cislo = static_cast<LONG>(hodnota);
    });
    std::wstring jmeno;
    if (NacistText(L"FaceName", jmeno) != 0) return 1;
    const size_t maximum = LF_FACESIZE - 1;
    if (jmeno.size() > maximum) jmeno.resize(maximum);
    memset(pismo.lfFaceName, 0, sizeof(pismo.lfFaceName));
    memcpy(pismo.lfFaceName, jmeno.c_str(), jmeno.size() * sizeof(wchar_t));
    return chybi;
}

void KlicKonfigurace::UlozitPismo(const LOGFONTW& pismo) {
    LOGFONTW kopie = pismo;
    ProjitPismo(kopie, [&](const wchar_t* nazev, BYTE* bajt, LONG* cislo) {
        ZapsatDword(nazev, bajt ? static_cast<DWORD>(*bajt) : static_cast<DWORD>(*cislo));
    });
    ZapsatText(L"FaceName", std::wstring(kopie.lfFaceName, wcsnlen(kopie.lfFaceName, LF_FACESIZE)));
}

// ---------------------------------------------------------------------------------------------

KonfiguraceCteni::KonfiguraceCteni() : KonfiguraceCteni(aplikace.klicAplikace) {}
KonfiguraceCteni::KonfiguraceCteni(const std::wstring& koren) : m_klic(std::make_unique<KlicKonfigurace>(koren)) {}
KonfiguraceCteni::~KonfiguraceCteni() {
    try {
        m_klic->Zavrit();
    } catch (const Chyba&) {
        // a failing close of a key that was only read changes nothing the user has
    }
}

KonfiguraceZapis::KonfiguraceZapis() : KonfiguraceZapis(aplikace.klicAplikace) {}
KonfiguraceZapis::KonfiguraceZapis(const std::wstring& koren) : m_klic(std::make_unique<KlicKonfigurace>(koren)) {}
KonfiguraceZapis::~KonfiguraceZapis() {
    try {
        m_klic->Zavrit();
    } catch (const Chyba&) {
        // the values were written; the saves close their keys themselves and report there
    }
}

int NacistPismo(LOGFONTW& pismo, KonfiguraceCteni& cteni) { return cteni.Klic().NacistPismo(pismo); }

void UlozitPismo(const LOGFONTW& pismo, KonfiguraceZapis& zapis) { zapis.Klic().UlozitPismo(pismo); }

LOGFONTW VychoziPismo() {
    LOGFONTW pismo{};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(pismo), &pismo);
    return pismo;
}

// ---------------------------------------------------------------------------------------------

CteniNastaveni::CteniNastaveni() = default;
CteniNastaveni::CteniNastaveni(const std::wstring& koren) : m_cteni(koren) {}

void CteniNastaveni::Zapamatovat(const Chyba& chyba) {
    if (!m_chyba) m_chyba.emplace(chyba);
}

void (*zaznamenatCteniCisla)(const std::wstring& sekce, const wchar_t* nazev) = nullptr;

bool CteniNastaveni::Sekce(const std::wstring& nazev, bool vytvorit) {
    m_sekceOtevrena = false;
    if (zaznamenatCteniCisla) m_nazevSekce = nazev;
    try {
        Klic().OtevritSekci(nazev, vytvorit);
        m_sekceOtevrena = true;
    } catch (const Chyba& chyba) {
        if (vytvorit) Zapamatovat(chyba);  // a section that only cannot be opened is quiet
    }
    return m_sekceOtevrena;
}

void CteniNastaveni::ZavritSekci() {
    m_sekceOtevrena = false;
    Krok([&] { Klic().Zavrit(); });
}

void CteniNastaveni::operator()(const wchar_t* nazev, DWORD& hodnota) {
    if (m_sekceOtevrena && zaznamenatCteniCisla) zaznamenatCteniCisla(m_nazevSekce, nazev);
    if (m_sekceOtevrena) Krok([&] { NacistHodnotuDword(Klic(), nazev, hodnota); });
}

void CteniNastaveni::operator()(const wchar_t* nazev, int& hodnota) {
    DWORD cislo = static_cast<DWORD>(hodnota);
    (*this)(nazev, cislo);
    hodnota = static_cast<int>(cislo);
}

void CteniNastaveni::operator()(const wchar_t* nazev, bool& hodnota) {
    if (m_sekceOtevrena) Krok([&] { Klic().NacistCislo(nazev, hodnota); });
}

void CteniNastaveni::operator()(const wchar_t* nazev, SdilenyText& hodnota) {
    if (!m_sekceOtevrena) return;
    Krok([&] {
        std::wstring text;
        if (Klic().NacistText(nazev, text) == 0) hodnota = std::move(text);
    });
}

void CteniNastaveni::Pismo(LOGFONTW& pismo) {
    if (!m_sekceOtevrena) return;
    // Read into a copy: a font value of the wrong kind leaves the whole font as it was.
    LOGFONTW kopie = pismo;
    bool uspech = false;
    Krok([&] {
        Klic().NacistPismo(kopie);
        uspech = true;
    });
    if (uspech) pismo = kopie;
}

ZapisNastaveni::ZapisNastaveni() = default;
ZapisNastaveni::ZapisNastaveni(const std::wstring& koren) : m_zapis(koren) {}

bool ZapisNastaveni::Sekce(const std::wstring& nazev, bool) {
    Klic().VytvoritSekci(nazev);
    return true;
}

void ZapisNastaveni::ZavritSekci() { Klic().Zavrit(); }

void ZapisNastaveni::operator()(const wchar_t* nazev, const DWORD& hodnota) { Klic().ZapsatDword(nazev, hodnota); }

void ZapisNastaveni::operator()(const wchar_t* nazev, const int& hodnota) {
    Klic().ZapsatDword(nazev, static_cast<DWORD>(hodnota));
}

void ZapisNastaveni::operator()(const wchar_t* nazev, const bool& hodnota) { Klic().ZapsatCislo(nazev, hodnota); }

void ZapisNastaveni::operator()(const wchar_t* nazev, const SdilenyText& hodnota) {
    Klic().ZapsatText(nazev, hodnota.Text());
}

void ZapisNastaveni::Pismo(const LOGFONTW& pismo) { Klic().UlozitPismo(pismo); }

// ---------------------------------------------------------------------------------------------

namespace {
std::atomic<unsigned> hlasenychChybNastaveni{0};  // tool threads save their settings too
}

unsigned PocetHlasenychChybNastaveni() { return hlasenychChybNastaveni.load(); }

void HlasitChybuNastaveni(UINT idZpravy, const std::wstring& nazev, const Chyba& chyba) {
    ++hlasenychChybNastaveni;
    std::wstring text;
    if (idZpravy != 0) {
        std::wstring format;
        if (!knihovna::NacistRetezec(idZpravy, format)) UkoncitPoZavazneChybe();
        text = knihovna::Formatovat(format.c_str(), nazev.c_str());
    }
    aplikace.ZobrazitChybuCom(text, chyba);
}

void HlasitChybuNastaveniId(UINT idZpravy, UINT idNazvu, const Chyba& chyba) {
    std::wstring nazev;
    if (!knihovna::NacistRetezec(idNazvu, nazev)) UkoncitPoZavazneChybe();
    HlasitChybuNastaveni(idZpravy, nazev, chyba);
}

void VytvoritSlozkuKdyzChybi(const std::wstring& slozka) {
    if (::PathIsDirectoryW(slozka.c_str())) return;
    if (::CreateDirectoryW(slozka.c_str(), nullptr)) return;
    DWORD kod = ::GetLastError();
    // A file of that name is not the folder; an overlong path has no reason of its own.
    if (kod == ERROR_ALREADY_EXISTS) kod = ERROR_DIRECTORY;
    if (kod == ERROR_SUCCESS) kod = ERROR_FILENAME_EXCED_RANGE;
    knihovna::VyhoditChybu(HresultZKodu(kod));
}

bool ZkusitVytvoritSlozku(const std::wstring& slozka) {
    try {
        VytvoritSlozkuKdyzChybi(slozka);
        return true;
    } catch (const knihovna::Chyba&) {
        return false;
    }
}
