#include "core/tagovanytext.h"

#include <algorithm>

#include <shlwapi.h>

#include <cstring>
#include <new>
#include <string_view>
#include <vector>

#include "knihovna/chyba.h"
#include "knihovna/uchyt.h"

using knihovna::Chyba;
using knihovna::VyhoditChybu;

std::wstring RadekOtevreniSkupiny(const std::wstring& nazev) { return L"<" + nazev + L">\r\n"; }

std::wstring RadekUzavreniSkupiny(const std::wstring& nazev) { return L"</" + nazev + L">\r\n"; }

std::wstring RadekHodnoty(const std::wstring& nazev, const std::wstring& text) {
    return L" <" + nazev + L">" + text + L"</" + nazev + L">\r\n";
}

int TextNaCislo(const std::wstring& text) { return ::StrToIntW(text.c_str()); }

bool TextNaPriznak(const std::wstring& text) { return text == L"1"; }

// ---------------------------------------------------------------------------------------------

SouborKonfiguraceZapis::~SouborKonfiguraceZapis() { m_soubor.Zrusit(); }

HRESULT SouborKonfiguraceZapis::OtevritSoubor(const std::wstring& cesta) {
    m_soubor.Zrusit();
    m_otevreny = false;
    m_skupina.clear();
    m_text.clear();
    try {
        m_soubor.Otevrit(cesta);
    } catch (const Chyba& chyba) {
        return chyba.Hresult() != S_OK ? chyba.Hresult() : E_FAIL;
    }
    m_otevreny = true;
    return S_OK;
}

HRESULT SouborKonfiguraceZapis::OtevritSkupinu(const std::wstring& nazev) {
    if (!m_otevreny) return E_HANDLE;
    UzavritSkupinu();
    try {
        m_text += RadekOtevreniSkupiny(nazev);
        m_skupina = nazev;
    } catch (const std::bad_alloc&) {
        m_skupina.clear();
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

void SouborKonfiguraceZapis::ZapsatText(const std::wstring& nazev, const std::wstring& text) {
    if (!m_otevreny || m_skupina.empty()) VyhoditChybu(E_HANDLE);
    m_text += RadekHodnoty(nazev, text);
}

void SouborKonfiguraceZapis::ZapsatCislo(const std::wstring& nazev, int32_t cislo) {
    ZapsatText(nazev, std::to_wstring(cislo));
}

HRESULT SouborKonfiguraceZapis::UzavritSkupinu() {
    if (m_skupina.empty()) return S_OK;
    try {
        m_text += RadekUzavreniSkupiny(m_skupina);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    m_skupina.clear();
    return S_OK;
}

void SouborKonfiguraceZapis::Zavrit() {
    if (!m_otevreny) VyhoditChybu(E_HANDLE);
    HRESULT hr = UzavritSkupinu();
    if (FAILED(hr)) {
        m_soubor.Zrusit();
        m_otevreny = false;
        VyhoditChybu(hr);
    }
    m_otevreny = false;  // whatever happens below, this content is done with
    m_soubor.Zapsat(m_text.data(), m_text.size() * sizeof(wchar_t));
    m_soubor.Potvrdit();
}

// ---------------------------------------------------------------------------------------------

SouborKonfiguraceCteni::~SouborKonfiguraceCteni() { m_pozice = -1; }

namespace {
const wchar_t* const BILE_ZNAKY = L" \t\r\n\xFEFF";
}  // namespace

void SouborKonfiguraceCteni::Vyprazdnit() {
    m_pokryto = 0;
    m_mimoSkupiny = false;
    m_pozice = -1;
    m_text.clear();
    m_skupina.clear();
}

void SouborKonfiguraceCteni::NacistSoubor(const std::wstring& cesta, uint64_t maxBajtu) {
    Vyprazdnit();
    knihovna::UchytSouboru soubor(
        ::CreateFileW(cesta.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!soubor) knihovna::VyhoditPosledniChybu();
    DWORD horni = 0;
    DWORD velikost = ::GetFileSize(soubor.Get(), &horni);
    if (velikost == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR) knihovna::VyhoditPosledniChybu();
    // The search position is a signed 32-bit index: larger files are not the program's lists.
    if (horni != 0 || velikost > 0x7FFFFFFEu || velikost > maxBajtu)
        VyhoditChybu(knihovna::HresultZKodu(ERROR_FILE_TOO_LARGE));
    // Read straight into the text: a large file is held once, not twice.
    std::wstring text(velikost / sizeof(wchar_t), L'\0');
    DWORD precteno = 0;
    const DWORD bajtu = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (bajtu > 0) {
        if (!::ReadFile(soubor.Get(), &text[0], bajtu, &precteno, nullptr)) knihovna::VyhoditPosledniChybu();
        if (precteno != bajtu) VyhoditChybu(knihovna::HresultZKodu(ERROR_HANDLE_EOF));
    }
    if (!soubor.Uvolnit()) knihovna::VyhoditPosledniChybu();
    NacistText(std::move(text));
}

size_t SouborKonfiguraceCteni::PocetVyskytu(const std::wstring& hledany) const {
    size_t pocet = 0;
    if (hledany.empty()) return 0;
    for (size_t i = m_text.find(hledany); i != std::wstring::npos; i = m_text.find(hledany, i + hledany.size())) ++pocet;
    return pocet;
}

bool SouborKonfiguraceCteni::JeBezObsahu() const {
    return m_text.find_first_not_of(BILE_ZNAKY) == std::wstring::npos;
}

void SouborKonfiguraceCteni::OveritPrectenoVse(const std::wstring& nazev, size_t precteno) const {
    const bool mimo = m_mimoSkupiny ||
                      m_text.find_first_not_of(BILE_ZNAKY, std::min(m_pokryto, m_text.size())) != std::wstring::npos;
    if (precteno != PocetVyskytu(L"<" + nazev + L">") || mimo)
        VyhoditChybu(knihovna::HresultZKodu(ERROR_FILE_CORRUPT));
}

bool SouborKonfiguraceCteni::OveritPrectenoKromeUseknuteho(const std::wstring& nazev, size_t precteno) const {
    const std::wstring otevreni = L"<" + nazev + L">";
    const size_t zbytek = m_text.find_first_not_of(BILE_ZNAKY, std::min(m_pokryto, m_text.size()));
    if (!m_mimoSkupiny && zbytek != std::wstring::npos) {
        const std::wstring_view konec = std::wstring_view(m_text).substr(zbytek);
        // the file ends inside the opening tag, or after it without the group's end or another group
        const bool vTagu = konec.size() < otevreni.size() && otevreni.compare(0, konec.size(), konec) == 0;
        const bool zacata = konec.substr(0, otevreni.size()) == otevreni &&
                            konec.find(otevreni, otevreni.size()) == std::wstring_view::npos &&
                            konec.find(L"</" + nazev + L">") == std::wstring_view::npos;
        if ((vTagu || zacata) && PocetVyskytu(otevreni) == precteno + (zacata ? 1 : 0)) return true;
    }
    OveritPrectenoVse(nazev, precteno);
    return false;
}

void SouborKonfiguraceCteni::NacistData(const void* data, size_t bajtu) {
    std::wstring text(bajtu / sizeof(wchar_t), L'\0');
    if (!text.empty()) memcpy(&text[0], data, text.size() * sizeof(wchar_t));
    NacistText(std::move(text));
}

void SouborKonfiguraceCteni::NacistText(std::wstring text) {
    Vyprazdnit();
    m_text = std::move(text);
    m_pozice = 0;
}

HRESULT SouborKonfiguraceCteni::NajitSkupinu(const std::wstring& nazev) {
    try {
        if (m_pozice < 0 || static_cast<size_t>(m_pozice) > m_text.size()) return S_FALSE;
        const std::wstring otevreni = L"<" + nazev + L">";
        const std::wstring uzavreni = L"</" + nazev + L">";
        size_t zacatek = m_text.find(otevreni, static_cast<size_t>(m_pozice));
        if (zacatek == std::wstring::npos) return S_FALSE;
        m_pozice = static_cast<std::ptrdiff_t>(zacatek);
        size_t konec = m_text.find(uzavreni, zacatek);
        if (konec == std::wstring::npos) return S_FALSE;
        size_t vnitrek = zacatek + otevreni.size();
        m_skupina = konec >= vnitrek ? m_text.substr(vnitrek, konec - vnitrek) : std::wstring();
        m_pozice = static_cast<std::ptrdiff_t>(konec);
        // what lies between the groups read is white space in a whole file
        const size_t mimo = m_text.find_first_not_of(BILE_ZNAKY, m_pokryto);
        if (m_pokryto <= zacatek && mimo < zacatek) m_mimoSkupiny = true;
        m_pokryto = std::max(m_pokryto, konec + uzavreni.size());
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT SouborKonfiguraceCteni::NajitHodnotu(const std::wstring& nazev, std::wstring& hodnota) {
    try {
        if (m_pozice < 0 || m_skupina.empty()) return E_HANDLE;
        const std::wstring otevreni = L"<" + nazev + L">";
        const std::wstring uzavreni = L"</" + nazev + L">";
        size_t zacatek = m_skupina.find(otevreni);
        if (zacatek == std::wstring::npos) return S_FALSE;
        size_t konec = m_skupina.find(uzavreni, zacatek);
        if (konec == std::wstring::npos) return S_FALSE;
        size_t vnitrek = zacatek + otevreni.size();
        hodnota = konec >= vnitrek ? m_skupina.substr(vnitrek, konec - vnitrek) : std::wstring();
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}
