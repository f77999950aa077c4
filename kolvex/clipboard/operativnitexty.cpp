#include "clipboard/operativnitexty.h"

#include <new>

#include "clipboard/seznamtextu.h"
#include "core/aplikace.h"
#include "core/ulozitsoubor.h"
#include "knihovna/chyba.h"
#include "knihovna/okno.h"
#include "knihovna/text.h"

std::unique_ptr<OperativniTexty> operativniTexty;

namespace {
constexpr uint64_t MAX_VELIKOST_SOUBORU = 64ull * 1024 * 1024;

uint32_t PrecistSlovo(const uint8_t* data) {
    return static_cast<uint32_t>(data[0]) | (static_cast<uint32_t>(data[1]) << 8) |
           (static_cast<uint32_t>(data[2]) << 16) | (static_cast<uint32_t>(data[3]) << 24);
}
}  // namespace

bool PrecistOperativniTexty(const uint8_t* data, size_t velikost, OperativniTexty& seznam) {
    if (!data || velikost < 4 || PrecistSlovo(data) != MAGIE_OPERATIVNICH_TEXTU) return false;
    OperativniTexty texty;
    std::wstring text;
    for (size_t p = 4; p + 2 <= velikost; p += 2) {
        wchar_t znak = static_cast<wchar_t>(data[p] | (data[p + 1] << 8));
        if (znak == 0) {
            texty.push_back(text);
            text.clear();
        } else {
            text.push_back(znak);
        }
    }
    seznam.swap(texty);
    return true;
}

std::vector<uint8_t> ZapsatOperativniTexty(const OperativniTexty& seznam) {
    std::vector<uint8_t> vysledek;
    for (int i = 0; i < 4; ++i) vysledek.push_back(static_cast<uint8_t>(MAGIE_OPERATIVNICH_TEXTU >> (8 * i)));
    for (const std::wstring& text : seznam) {
        for (wchar_t znak : text) {
            vysledek.push_back(static_cast<uint8_t>(znak & 0xFF));
            vysledek.push_back(static_cast<uint8_t>((znak >> 8) & 0xFF));
        }
        vysledek.push_back(0);
        vysledek.push_back(0);
    }
    return vysledek;
}

void UlozitOperativniTexty(const OperativniTexty& seznam, const std::wstring& cesta) {
    std::vector<uint8_t> obsah = ZapsatOperativniTexty(seznam);
    UlozitSouborBezpecne(cesta, obsah.data(), obsah.size());
}

void NacistOperativniTexty(OperativniTexty& seznam, const std::wstring& cesta) {
    try {
        std::vector<uint8_t> obsah;
        if (FAILED(PrecistCelySoubor(cesta.c_str(), MAX_VELIKOST_SOUBORU, obsah))) return;
        PrecistOperativniTexty(obsah.data(), obsah.size(), seznam);
    } catch (...) {
        // silent by design: the list stays as it was
    }
}

std::wstring CestaOperativnichTextu() {
    return knihovna::Formatovat(L"%s\\%s", aplikace.nastaveni.slozkaData.Text().c_str(), SOUBOR_OPERATIVNICH_TEXTU);
}

void UlozitOperativniTextyDoDatoveSlozky(const OperativniTexty& seznam) {
    UlozitOperativniTexty(seznam, CestaOperativnichTextu());
}

void NacistOperativniTextyZDatoveSlozky(OperativniTexty& seznam) { NacistOperativniTexty(seznam, CestaOperativnichTextu()); }

DWORD PlatnyMaxPocet(DWORD maxPocet) { return maxPocet < 1 ? 1 : maxPocet; }

void PridatOperativniText(OperativniTexty& seznam, const std::wstring& text, DWORD maxPocet) {
    if (!seznam.empty() && seznam.size() >= PlatnyMaxPocet(maxPocet)) seznam.pop_back();
    seznam.insert(seznam.begin(), text);
}

void OdebratOperativniText(OperativniTexty& seznam, int n) {
    if (n < 0 || static_cast<size_t>(n) >= seznam.size()) knihovna::VyhoditChybu(E_INVALIDARG);
    seznam.erase(seznam.begin() + n);
}

bool NacistTextZeSchranky(std::wstring& text) {
    if (!::IsClipboardFormatAvailable(CF_UNICODETEXT)) return false;
    if (!knihovna::OtevritSchranku(nullptr)) return false;
    bool precteno = false;
    HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    if (data) {
        const wchar_t* znaky = static_cast<const wchar_t*>(::GlobalLock(data));
        if (znaky) {
            // never past the block, even without a terminator
            size_t maximum = ::GlobalSize(data) / sizeof(wchar_t);
            size_t delka = 0;
            while (delka < maximum && znaky[delka] != 0) ++delka;
            try {
                text.assign(znaky, delka);
                precteno = true;
            } catch (const std::bad_alloc&) {
            }
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return precteno;
}
