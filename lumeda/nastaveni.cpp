// The error object, the registry key and Lumeda's settings.
#include "lumeda/brenvald.h"

namespace Brenvald {

const wchar_t* const KLIC_NASTAVENI = L"Software\\Brenvald\\Lumeda\\1.0";

Vyjimka Vyjimka::ZKodu(DWORD kod) {
    if (kod != 0) {
        wchar_t* text = nullptr;
        DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, kod, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                   reinterpret_cast<wchar_t*>(&text), 0, nullptr);
        if (n && text) {
            std::wstring s(text, n);
            ::LocalFree(text);
            while (!s.empty() && (s.back() == L'\n' || s.back() == L'\r' || s.back() == L' ')) s.pop_back();
            if (!s.empty()) return Vyjimka(s);
        }
    }
    return Vyjimka(L"Nespecifikovaná chyba");
}

KlicRegistru::KlicRegistru(const std::wstring& cesta) : m_cesta(cesta) {
    if (cesta.empty()) throw Vyjimka::ZKodu(ERROR_INVALID_PARAMETER);
    LONG r = ::RegCreateKeyExW(HKEY_CURRENT_USER, cesta.c_str(), 0, nullptr, 0,
                               KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY, nullptr, &m_klic, nullptr);
    if (r != ERROR_SUCCESS) throw Vyjimka::ZKodu(static_cast<DWORD>(r));
}

KlicRegistru::~KlicRegistru() {
    if (m_klic) ::RegCloseKey(m_klic);
}

namespace {
Vyjimka PoskozenaHodnota(const wchar_t* nazev) {
    return Vyjimka(std::wstring(L"Hodnota \"") + nazev + L"\" v registru je poškozená; platí výchozí hodnota.");
}
}  // namespace

bool KlicRegistru::CistDword(const wchar_t* nazev, DWORD& hodnota) const {
    DWORD typ = 0, velikost = 0;
    LONG r = ::RegQueryValueExW(m_klic, nazev, nullptr, &typ, nullptr, &velikost);
    if (r == ERROR_FILE_NOT_FOUND) return false;
    if (r != ERROR_SUCCESS) throw Vyjimka::ZKodu(static_cast<DWORD>(r));
    // a value of another type or size is damaged: the default stays
    if (typ != REG_DWORD || velikost != sizeof(DWORD)) throw PoskozenaHodnota(nazev);
    DWORD data = 0;
    velikost = sizeof(data);
    r = ::RegQueryValueExW(m_klic, nazev, nullptr, &typ, reinterpret_cast<BYTE*>(&data), &velikost);
    if (r != ERROR_SUCCESS) {
        if (wcscmp(nazev, L"cyklickyOpakovat") == 0)
            throw Vyjimka(L"Nepodařilo se načíst hodnotu z registru\nChyba RegQueryValueEx");
        throw Vyjimka::ZKodu(static_cast<DWORD>(r));
    }
    hodnota = data;
    return true;
}

bool KlicRegistru::CistRetezec(const wchar_t* nazev, std::wstring& hodnota) const {
    DWORD typ = 0, velikost = 0;
    LONG r = ::RegQueryValueExW(m_klic, nazev, nullptr, &typ, nullptr, &velikost);
    if (r == ERROR_FILE_NOT_FOUND) return false;
    if (r != ERROR_SUCCESS) throw Vyjimka::ZKodu(static_cast<DWORD>(r));
    if (typ != REG_SZ || velikost > 64 * 1024) throw PoskozenaHodnota(nazev);
    std::wstring text(velikost / sizeof(wchar_t) + 1, L'\0');
    velikost = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    r = ::RegQueryValueExW(m_klic, nazev, nullptr, &typ, reinterpret_cast<BYTE*>(&text[0]), &velikost);
    if (r != ERROR_SUCCESS) throw Vyjimka::ZKodu(static_cast<DWORD>(r));
    text.resize(wcsnlen(text.c_str(), text.size()));  // the stored terminator may be missing
    hodnota = text;
    return true;
}

void KlicRegistru::ZapsatDword(const wchar_t* nazev, DWORD hodnota) {
    LONG r = ::RegSetValueExW(m_klic, nazev, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&hodnota), sizeof(hodnota));
    if (r != ERROR_SUCCESS) throw Vyjimka::ZKodu(static_cast<DWORD>(r));
}

void KlicRegistru::ZapsatRetezec(const wchar_t* nazev, const std::wstring& hodnota) {
    LONG r = ::RegSetValueExW(m_klic, nazev, 0, REG_SZ, reinterpret_cast<const BYTE*>(hodnota.c_str()),
                              static_cast<DWORD>(hodnota.size() * 2 + 2));
    if (r != ERROR_SUCCESS) throw Vyjimka::ZKodu(static_cast<DWORD>(r));
}

void Nastaveni::Nacist(const std::wstring& klic) {
    KlicRegistru k(klic);
    // Each value on its own: a damaged one keeps its default and is named in the report, the
    // others are read all the same.
    std::wstring zprava;
    auto cist = [&](const wchar_t* nazev, auto&& precist) {
        try {
            precist(nazev);
        } catch (const Vyjimka& v) {
            std::wstring radek = v.Text();
            if (radek.find(nazev) == std::wstring::npos)
                radek = std::wstring(L"Hodnotu \"") + nazev + L"\" nelze načíst z registru; platí výchozí hodnota.\n" + radek;
            if (!zprava.empty()) zprava += L"\n";
            zprava += radek;
        }
    };
    DWORD d = 0;
    cist(L"barvaPozadi", [&](const wchar_t* n) {
        if (k.CistDword(n, d)) barvaPozadi = d & 0x00FFFFFF;
    });
    cist(L"cyklickyOpakovat", [&](const wchar_t* n) {
        if (k.CistDword(n, d)) cyklickyOpakovat = d != 0;
    });
    // a timer of 0 ms or of more than 1000 s is a damaged value, not a wish
    cist(L"interval", [&](const wchar_t* n) {
        if (k.CistDword(n, d) && PlatnyInterval(d)) interval = d;
    });
    cist(L"vychoziSeznam", [&](const wchar_t* n) {
        std::wstring text;
        if (k.CistRetezec(n, text)) vychoziSeznam = text;
    });
    if (!zprava.empty()) throw Vyjimka(zprava);
}

void Nastaveni::Ulozit(const std::wstring& klic) const {
    KlicRegistru k(klic);
    k.ZapsatDword(L"barvaPozadi", barvaPozadi);
    k.ZapsatDword(L"cyklickyOpakovat", cyklickyOpakovat ? 1 : 0);
    k.ZapsatDword(L"interval", interval);
    k.ZapsatRetezec(L"vychoziSeznam", vychoziSeznam);
}

}  // namespace Brenvald
