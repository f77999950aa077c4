#include "clipboard/operativnitexty.h"

#include <shlwapi.h>

#include <new>

#include "clipboard/seznamtextu.h"
#include "core/aplikace.h"
#include "core/poskozenysoubor.h"
#include "core/ulozitsoubor.h"
#include "knihovna/chyba.h"
#include "knihovna/okno.h"
#include "knihovna/text.h"
#include "resources/resource.h"

std::unique_ptr<OperativniTexty> operativniTexty;

namespace {
constexpr uint64_t MAX_VELIKOST_SOUBORU = MAX_VELIKOST_OPERATIVNICH_TEXTU;

// The data folder's file when its last load could not read it whole, with the list that load
// gave (a list still equal to it is no change of the user's). Clipboard module thread only.
OchranaSouboru ochranaSouboru;
OperativniTexty nactenoZPoskozeneho;

uint32_t PrecistSlovo(const uint8_t* data) {
    return static_cast<uint32_t>(data[0]) | (static_cast<uint32_t>(data[1]) << 8) |
           (static_cast<uint32_t>(data[2]) << 16) | (static_cast<uint32_t>(data[3]) << 24);
}
}  // namespace

bool PrecistOperativniTexty(const uint8_t* data, size_t velikost, OperativniTexty& seznam, bool* cely) {
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
    // a text without its terminator, or half a code unit, means the file was cut off
    if (cely) *cely = text.empty() && velikost % 2 == 0;
    seznam.swap(texty);
    return true;
}

uint64_t VelikostSouboruOperativnichTextu(const OperativniTexty& seznam) {
    uint64_t bajtu = 4;
    for (const std::wstring& text : seznam) bajtu += (static_cast<uint64_t>(text.size()) + 1) * 2;
    return bajtu;
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

namespace {

void Ulozit(const OperativniTexty& seznam, const std::wstring& cesta, bool zmeneno) {
    if (!ochranaSouboru.PredUlozenim(cesta, zmeneno)) return;
    std::vector<uint8_t> obsah = ZapsatOperativniTexty(seznam);
    UlozitSouborBezpecne(cesta, obsah.data(), obsah.size());
    if (ochranaSouboru.JePoskozeny() && ochranaSouboru.Soubor() == cesta) OperativniTexty().swap(nactenoZPoskozeneho);
    ochranaSouboru.PoUlozeni(cesta);
}

}  // namespace

// A save the user chose: over a damaged file too, once its bytes are kept.
void UlozitOperativniTexty(const OperativniTexty& seznam, const std::wstring& cesta) { Ulozit(seznam, cesta, true); }

HRESULT PrecistSouborOperativnichTextu(const std::wstring& cesta, OperativniTexty& seznam) {
    if (!::PathFileExistsW(cesta.c_str())) return S_FALSE;
    std::vector<uint8_t> obsah;
    HRESULT hr = PrecistCelySoubor(cesta.c_str(), MAX_VELIKOST_SOUBORU, obsah);
    if (FAILED(hr)) return hr;
    bool cely = false;
    if (!PrecistOperativniTexty(obsah.data(), obsah.size(), seznam, &cely) || !cely)
        return knihovna::HresultZKodu(ERROR_FILE_CORRUPT);
    return S_OK;
}

void NacistOperativniTexty(OperativniTexty& seznam, const std::wstring& cesta) {
    try {
        PrecistSouborOperativnichTextu(cesta, seznam);
    } catch (...) {
        // silent by design: the list stays as it was
    }
}

std::wstring CestaOperativnichTextu() {
    return knihovna::Formatovat(L"%s\\%s", aplikace.nastaveni.slozkaData.Text().c_str(), SOUBOR_OPERATIVNICH_TEXTU);
}

void UlozitOperativniTextyDoDatoveSlozky(const OperativniTexty& seznam) {
    const bool zmeneno = !ochranaSouboru.JePoskozeny() || seznam != nactenoZPoskozeneho;
    Ulozit(seznam, CestaOperativnichTextu(), zmeneno);
}

void NacistOperativniTextyZDatoveSlozky(OperativniTexty& seznam) {
    const std::wstring cesta = CestaOperativnichTextu();
    ochranaSouboru.Zdravy();
    OperativniTexty().swap(nactenoZPoskozeneho);
    HRESULT hr = E_OUTOFMEMORY;
    try {
        hr = PrecistSouborOperativnichTextu(cesta, seznam);
        if (SUCCEEDED(hr)) return;
        nactenoZPoskozeneho = seznam;
    } catch (const std::bad_alloc&) {
    }
    ochranaSouboru.Poskozeny(cesta);
    aplikace.ZobrazitChybuCom(knihovna::Formatovat(knihovna::Retezec(IDS_OPERATIVNI_POSKOZENY_SOUBOR).c_str(), cesta.c_str()),
                              knihovna::Chyba(hr));
}

DWORD PlatnyMaxPocet(DWORD maxPocet) { return maxPocet < 1 ? 1 : maxPocet; }

PridaniOperativnihoTextu PridatOperativniText(OperativniTexty& seznam, const std::wstring& text, DWORD maxPocet) {
    const uint64_t bajtuTextu = (static_cast<uint64_t>(text.size()) + 1) * 2;
    if (4 + bajtuTextu > MAX_VELIKOST_SOUBORU) return PridaniOperativnihoTextu::PrilisDlouhy;
    const bool odebratNejstarsi = !seznam.empty() && seznam.size() >= PlatnyMaxPocet(maxPocet);
    uint64_t bajtu = VelikostSouboruOperativnichTextu(seznam) + bajtuTextu;
    if (odebratNejstarsi) bajtu -= (static_cast<uint64_t>(seznam.back().size()) + 1) * 2;
    // more texts would have to go than the count allows: the older texts are kept instead
    if (bajtu > MAX_VELIKOST_SOUBORU) return PridaniOperativnihoTextu::NevejdeSe;
    if (odebratNejstarsi) seznam.pop_back();
    seznam.insert(seznam.begin(), text);
    return PridaniOperativnihoTextu::Pridan;
}

void PridatOperativniTextSeZpravou(OperativniTexty& seznam, const std::wstring& text, DWORD maxPocet) {
    const PridaniOperativnihoTextu vysledek = PridatOperativniText(seznam, text, maxPocet);
    if (vysledek == PridaniOperativnihoTextu::Pridan) return;
    const UINT id = vysledek == PridaniOperativnihoTextu::PrilisDlouhy ? IDS_OPERATIVNI_TEXT_PRILIS_DLOUHY
                                                                       : IDS_OPERATIVNI_TEXT_NEVEJDE_SE;
    aplikace.ZobrazitZpravu(knihovna::Formatovat(knihovna::Retezec(id).c_str(), static_cast<unsigned long>(text.size()),
                                                 static_cast<unsigned long>(MAX_VELIKOST_SOUBORU / 2 - 3)),
                            MB_ICONWARNING);
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
