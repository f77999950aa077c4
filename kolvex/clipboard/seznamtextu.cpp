#include "clipboard/seznamtextu.h"

#include <shlwapi.h>

#include <algorithm>
#include <cstring>

#include "core/aplikace.h"
#include "core/ulozitsoubor.h"
#include "knihovna/chyba.h"
#include "knihovna/text.h"
#include "knihovna/uchyt.h"
#include "resources/resource.h"

namespace {

// One NUL-terminated UTF-16 string at pozice; false when its terminator lies outside the buffer.
// Only whole code units count: an odd last byte never completes a terminator.
bool PrecistRetezec(const uint8_t* data, size_t velikost, size_t& pozice, std::wstring& cil) {
    std::wstring text;
    size_t p = pozice;
    while (p + 2 <= velikost) {
        wchar_t znak = static_cast<wchar_t>(data[p] | (data[p + 1] << 8));
        p += 2;
        if (znak == 0) {
            cil.swap(text);
            pozice = p;
            return true;
        }
        text.push_back(znak);
    }
    return false;
}

uint32_t PrecistSlovo(const uint8_t* data) {
    return static_cast<uint32_t>(data[0]) | (static_cast<uint32_t>(data[1]) << 8) |
           (static_cast<uint32_t>(data[2]) << 16) | (static_cast<uint32_t>(data[3]) << 24);
}

void PripojitSlovo(std::vector<uint8_t>& cil, uint32_t slovo) {
    for (int i = 0; i < 4; ++i) cil.push_back(static_cast<uint8_t>(slovo >> (8 * i)));
}

void PripojitRetezec(std::vector<uint8_t>& cil, const std::wstring& text) {
    for (wchar_t znak : text) {
        cil.push_back(static_cast<uint8_t>(znak & 0xFF));
        cil.push_back(static_cast<uint8_t>((znak >> 8) & 0xFF));
    }
    cil.push_back(0);
    cil.push_back(0);
}

}  // namespace

int SeznamTextu::Pridat(const std::wstring& nazev) {
    if (nazev.empty()) return -1;
    ZaznamTextu zaznam;
    zaznam.nazev = nazev;
    zaznamy.push_back(std::move(zaznam));
    return Pocet() - 1;
}

HRESULT SeznamTextu::Odebrat(int n) {
    if (n < 0 || n >= Pocet()) return E_INVALIDARG;
    zaznamy.erase(zaznamy.begin() + n);
    return S_OK;
}

HRESULT SeznamTextu::NastavitText(int n, const wchar_t* text) {
    if (n < 0 || n >= Pocet()) return E_INVALIDARG;
    if (!text || !*text) return E_UNEXPECTED;
    zaznamy[static_cast<size_t>(n)].text = text;
    return S_OK;
}

HRESULT SeznamTextu::NastavitNazev(int n, const wchar_t* nazev) {
    if (n < 0 || n >= Pocet()) return E_INVALIDARG;
    if (!nazev || !*nazev) return E_UNEXPECTED;
    zaznamy[static_cast<size_t>(n)].nazev = nazev;
    return S_OK;
}

HRESULT PrecistSeznamTextu(const uint8_t* data, size_t velikost, SeznamTextu& seznam, bool* cely) {
    if (velikost == 0) return S_FALSE;
    if (!data || velikost < 4 || PrecistSlovo(data) != MAGIE_SEZNAMU_TEXTU) return E_INVALIDARG;
    std::vector<ZaznamTextu> zaznamy;
    size_t pozice = 4;
    while (pozice < velikost) {
        ZaznamTextu zaznam;
        size_t p = pozice;
        if (!PrecistRetezec(data, velikost, p, zaznam.nazev)) break;
        if (!PrecistRetezec(data, velikost, p, zaznam.text)) break;
        if (velikost - p < 8) break;
        zaznam.slovoA = PrecistSlovo(data + p);
        zaznam.slovoB = PrecistSlovo(data + p + 4);
        pozice = p + 8;
        zaznamy.push_back(std::move(zaznam));
    }
    if (cely) *cely = pozice == velikost;
    seznam.zaznamy.swap(zaznamy);
    return S_OK;
}

std::vector<uint8_t> ZapsatSeznamTextu(const SeznamTextu& seznam) {
    std::vector<uint8_t> vysledek;
    PripojitSlovo(vysledek, MAGIE_SEZNAMU_TEXTU);
    for (const ZaznamTextu& z : seznam.zaznamy) {
        PripojitRetezec(vysledek, z.nazev);
        PripojitRetezec(vysledek, z.text);
        PripojitSlovo(vysledek, z.slovoA);
        PripojitSlovo(vysledek, z.slovoB);
    }
    return vysledek;
}

HRESULT PrecistCelySoubor(const wchar_t* cesta, uint64_t maxVelikost, std::vector<uint8_t>& obsah) {
    knihovna::UchytSouboru soubor(
        ::CreateFileW(cesta, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!soubor) return knihovna::HresultZPosledniChyby();
    LARGE_INTEGER velikost{};
    if (!::GetFileSizeEx(soubor.Get(), &velikost)) return knihovna::HresultZPosledniChyby();
    if (velikost.QuadPart < 0 || static_cast<uint64_t>(velikost.QuadPart) > maxVelikost)
        return HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE);
    std::vector<uint8_t> data(static_cast<size_t>(velikost.QuadPart));
    size_t precteno = 0;
    while (precteno < data.size()) {
        DWORD kus = 0;
        DWORD chtit = static_cast<DWORD>(std::min<size_t>(data.size() - precteno, 1u << 20));
        if (!::ReadFile(soubor.Get(), data.data() + precteno, chtit, &kus, nullptr))
            return knihovna::HresultZPosledniChyby();
        if (kus == 0) return HRESULT_FROM_WIN32(ERROR_HANDLE_EOF);
        precteno += kus;
    }
    obsah.swap(data);
    return S_OK;
}

HRESULT NacistSeznamTextu(const wchar_t* cesta, SeznamTextu& seznam, bool* poskozeny) {
    if (!cesta) knihovna::VyhoditChybu(E_INVALIDARG);
    if (poskozeny) *poskozeny = false;
    if (!::PathFileExistsW(cesta) || ::PathIsDirectoryW(cesta)) return E_INVALIDARG;
    std::vector<uint8_t> obsah;
    HRESULT hr = PrecistCelySoubor(cesta, MAX_VELIKOST_SOUBORU_TEXTU, obsah);
    if (hr == HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE))
        aplikace.ZobrazitZpravu(knihovna::Formatovat(knihovna::Retezec(IDS_SOUBOR_TEXTU_PRILIS_VELKY).c_str(), cesta,
                                                     static_cast<unsigned long>(MAX_VELIKOST_SOUBORU_TEXTU >> 20)),
                                MB_ICONERROR);
    if (FAILED(hr)) return hr;
    if (obsah.empty()) return S_FALSE;
    bool cely = true;
    hr = PrecistSeznamTextu(obsah.data(), obsah.size(), seznam, &cely);
    if (hr == E_INVALIDARG)
        aplikace.ZobrazitZpravu(knihovna::Retezec(IDS_CHYBNY_FORMAT_SOUBORU) + L"\n" + cesta, MB_ICONERROR);
    if (hr == S_OK && !cely) {
        if (poskozeny) *poskozeny = true;
        aplikace.ZobrazitZpravu(knihovna::Formatovat(knihovna::Retezec(IDS_SOUBOR_TEXTU_POSKOZENY).c_str(), cesta),
                                MB_ICONWARNING);
    }
    return hr;
}

void UlozitSeznamTextu(const wchar_t* cesta, const SeznamTextu& seznam) {
    if (!cesta) knihovna::VyhoditChybu(E_INVALIDARG);
    std::vector<uint8_t> obsah = ZapsatSeznamTextu(seznam);
    UlozitSouborBezpecne(cesta, obsah.data(), obsah.size());
}
