#include "core/obrazek.h"

#include <shlwapi.h>

#include <vector>

#include "knihovna/chyba.h"
#include "knihovna/uchyt.h"

using knihovna::Overit;
using knihovna::VyhoditChybu;
using knihovna::VyhoditPosledniChybu;

namespace {

struct RadekFormatu {
    const wchar_t* mime;
    const wchar_t* nazev;
    const wchar_t* pripona;
    const wchar_t* popis;
};

const RadekFormatu RADKY_FORMATU[POCET_FORMATU_OBRAZKU] = {
    {L"image/jpeg", L"JPEG", L".jpg", L"JPEG"},
    {L"image/png", L"PNG", L".png", L"PNG"},
    {L"image/bmp", L"BMP", L".bmp", L"Bitmapa (BMP)"},
    {L"image/tiff", L"TIFF", L".tif", L"TIFF"},
    {L"image/gif", L"GIF", L".gif", L"GIF"},
};

// The installed encoders; empty when GDI+ lists none or the buffer cannot be had.
std::vector<BYTE> SeznamKoderu(UINT& pocet) {
    UINT velikost = 0;
    pocet = 0;
    if (Gdiplus::GetImageEncodersSize(&pocet, &velikost) != Gdiplus::Ok || velikost == 0 || pocet == 0) return {};
    std::vector<BYTE> buffer;
    try {
        buffer.resize(velikost);
    } catch (const std::bad_alloc&) {
        return {};
    }
    if (Gdiplus::GetImageEncoders(pocet, velikost, reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data())) !=
        Gdiplus::Ok)
        return {};
    return buffer;
}

}  // namespace

int NajitKodekObrazku(const wchar_t* typMime, CLSID& clsid) {
    UINT pocet = 0;
    std::vector<BYTE> buffer = SeznamKoderu(pocet);
    if (buffer.empty()) return -1;
    auto* kodery = reinterpret_cast<const Gdiplus::ImageCodecInfo*>(buffer.data());
    for (UINT i = 0; i < pocet; ++i) {
        if (kodery[i].MimeType && ::lstrcmpiW(kodery[i].MimeType, typMime) == 0) {
            clsid = kodery[i].Clsid;
            return static_cast<int>(i);
        }
    }
    return -1;
}

int NajitKodekPodlePripony(const wchar_t* pripona, CLSID& clsid) {
    wchar_t hledana[MAX_PATH];
    ::lstrcpynW(hledana, pripona ? pripona : L"", MAX_PATH);
    ::CharUpperW(hledana);
    UINT pocet = 0;
    std::vector<BYTE> buffer = SeznamKoderu(pocet);
    if (buffer.empty()) return -1;
    auto* kodery = reinterpret_cast<const Gdiplus::ImageCodecInfo*>(buffer.data());
    for (UINT i = 0; i < pocet; ++i) {
        if (kodery[i].FilenameExtension && ::StrStrIW(kodery[i].FilenameExtension, hledana)) {
            clsid = kodery[i].Clsid;
            return static_cast<int>(i);
        }
    }
    return -1;
}

void VytvoritTabulkuFormatu(std::unique_ptr<TabulkaFormatu>& tabulka) {
    tabulka.reset();
    auto nova = std::make_unique<TabulkaFormatu>();
    for (int i = 0; i < POCET_FORMATU_OBRAZKU; ++i) {
        FormatObrazku& radek = (*nova)[i];
        radek.nazev = RADKY_FORMATU[i].nazev;
        radek.pripona = RADKY_FORMATU[i].pripona;
        radek.popis = RADKY_FORMATU[i].popis;
        if (NajitKodekObrazku(RADKY_FORMATU[i].mime, radek.koder) < 0) {
            if (::GetLastError() == 0) VyhoditChybu(REGDB_E_CLASSNOTREG);
            VyhoditPosledniChybu();
        }
    }
    tabulka = std::move(nova);
}

void VyhoditChybuGdiplus(Gdiplus::Status stav) {
    switch (stav) {
        case Gdiplus::OutOfMemory:
            VyhoditChybu(E_OUTOFMEMORY);
        case Gdiplus::InvalidParameter:
            VyhoditChybu(E_INVALIDARG);
        case Gdiplus::FileNotFound:
            VyhoditChybu(knihovna::HresultZKodu(ERROR_FILE_NOT_FOUND));
        case Gdiplus::AccessDenied:
            VyhoditChybu(knihovna::HresultZKodu(ERROR_ACCESS_DENIED));
        default:
            break;
    }
    // GDI+ leaves the last system error set only for its Win32 failures; never report success.
    if (::GetLastError() != 0) VyhoditPosledniChybu();
    VyhoditChybu(E_FAIL);
}

ObrazekGdiPlus::~ObrazekGdiPlus() {
    obrazek.reset();
    UvolnitKodery();
    cesta.clear();
}

void SmazatObrazekGdiPlus(ObrazekGdiPlus*& obrazek) {
    delete obrazek;
    obrazek = nullptr;
}

void ObrazekGdiPlus::Nastavit(Gdiplus::Bitmap* novy) {
    std::unique_ptr<Gdiplus::Bitmap> drzitel(novy);
    obrazek.reset();
    if (!drzitel) VyhoditChybu(E_OUTOFMEMORY);
    Gdiplus::Status stav = drzitel->GetLastStatus();
    if (stav != Gdiplus::Ok) VyhoditChybuGdiplus(stav);
    obrazek = std::move(drzitel);
}

void ObrazekGdiPlus::UvolnitKodery() { formaty.reset(); }

void ObrazekGdiPlus::VytvoritTabulkuKoderu() {
    if (!formaty) VytvoritTabulkuFormatu(formaty);
}

void ObrazekGdiPlus::NacistZeSouboru(const std::wstring& soubor) {
    obrazek.reset();
    if (soubor.empty()) VyhoditChybu(E_INVALIDARG);
    std::unique_ptr<Gdiplus::Bitmap> novy(new Gdiplus::Bitmap(soubor.c_str()));
    if (!novy || novy->GetLastStatus() != Gdiplus::Ok) VyhoditChybu(E_INVALIDARG);
    obrazek = std::move(novy);
    cesta = soubor;
}

void ObrazekGdiPlus::UlozitKoderem(const std::wstring& soubor, const CLSID& koder,
                                   const Gdiplus::EncoderParameters* parametry) {
    if (!obrazek) VyhoditChybu(E_HANDLE);
    ::SetLastError(0);
    posledniStav = obrazek->Save(soubor.c_str(), &koder, parametry);
    if (posledniStav != Gdiplus::Ok) VyhoditChybuGdiplus(posledniStav);
}

void ObrazekGdiPlus::UlozitDoSouboru(const std::wstring& soubor) {
    if (!obrazek) VyhoditChybu(E_HANDLE);
    const wchar_t* pripona = ::PathFindExtensionW(soubor.c_str());
    // An empty extension would match the first encoder GDI+ lists: such a path is refused.
    if (!pripona || !*pripona) VyhoditChybu(E_INVALIDARG);
    CLSID koder;
    ::SetLastError(0);
    if (NajitKodekPodlePripony(pripona, koder) < 0) {
        if (::GetLastError() == 0) VyhoditChybu(REGDB_E_CLASSNOTREG);
        VyhoditPosledniChybu();
    }
    UlozitKoderem(soubor, koder, nullptr);
}

void ObrazekGdiPlus::Ulozit(const std::wstring& soubor) {
    if (!obrazek) VyhoditChybu(E_HANDLE);
    if (cesta.empty() || ::lstrcmpiW(soubor.c_str(), cesta.c_str()) != 0) {
        UlozitDoSouboru(soubor);
        return;
    }
    // Over its own file: write a sibling first; the original is replaced only by a complete file.
    const std::wstring vlastni = cesta;
    const std::wstring docasny = vlastni + L"_temp_" + ::PathFindExtensionW(vlastni.c_str());
    try {
        UlozitDoSouboru(docasny);
    } catch (...) {
        ::DeleteFileW(docasny.c_str());
        throw;
    }
    obrazek.reset();  // GDI+ lets go of the source file
    if (!::MoveFileExW(docasny.c_str(), vlastni.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DWORD kod = ::GetLastError();
        ::DeleteFileW(docasny.c_str());
        try {
            NacistZeSouboru(vlastni);  // the original is untouched: keep holding it
        } catch (const knihovna::Chyba&) {
        }
        VyhoditChybu(knihovna::HresultZKodu(kod ? kod : ERROR_GEN_FAILURE));
    }
    NacistZeSouboru(vlastni);
}

UINT ObrazekGdiPlus::Sirka() const {
    if (!obrazek) VyhoditChybu(E_HANDLE);
    return obrazek->GetWidth();
}

UINT ObrazekGdiPlus::Vyska() const {
    if (!obrazek) VyhoditChybu(E_HANDLE);
    return obrazek->GetHeight();
}

SIZE ObrazekGdiPlus::VelikostVPomeru(UINT sirka, UINT vyska, UINT cilSirka, UINT cilVyska) {
    if (sirka == 0 || vyska == 0) VyhoditChybu(E_HANDLE);
    double pomerSirky = static_cast<double>(cilSirka) / sirka;
    double pomerVysky = static_cast<double>(cilVyska) / vyska;
    SIZE vysledek;
    if (pomerVysky < pomerSirky) {
        vysledek.cx = static_cast<LONG>(static_cast<unsigned long long>(sirka) * cilVyska / vyska);
        vysledek.cy = static_cast<LONG>(cilVyska);
    } else {
        vysledek.cx = static_cast<LONG>(cilSirka);
        vysledek.cy = static_cast<LONG>(static_cast<unsigned long long>(vyska) * cilSirka / sirka);
    }
    return vysledek;
}

RECT ObrazekGdiPlus::RozmistitObrazek(UINT sirka, UINT vyska, UINT rw, UINT rh) {
    if (sirka == 0 || vyska == 0) VyhoditChybu(E_HANDLE);
    RECT r;
    if (rw > sirka && rh > vyska) {
        r.left = static_cast<LONG>((rw - sirka) / 2);
        r.top = static_cast<LONG>((rh - vyska) / 2);
        r.right = r.left + static_cast<LONG>(sirka);
        r.bottom = r.top + static_cast<LONG>(vyska);
    } else if (rw >= sirka && rh >= vyska) {
        r = {0, 0, static_cast<LONG>(rw), static_cast<LONG>(rh)};
    } else if (static_cast<double>(rh) / vyska < static_cast<double>(rw) / sirka) {
        UINT w = static_cast<UINT>(static_cast<unsigned long long>(sirka) * rh / vyska);
        r.left = static_cast<LONG>((rw - w) / 2);
        r.top = 0;
        r.right = r.left + static_cast<LONG>(w);
        r.bottom = static_cast<LONG>(rh);
    } else {
        UINT h = static_cast<UINT>(static_cast<unsigned long long>(vyska) * rw / sirka);
        r.left = 0;
        r.top = static_cast<LONG>((rh - h) / 2);
        r.right = static_cast<LONG>(rw);
        r.bottom = r.top + static_cast<LONG>(h);
    }
    return r;
}

namespace {

void KreslitDo(Gdiplus::Bitmap& obrazek, HDC dc, const RECT& cil) {
    Gdiplus::Graphics grafika(dc);
    if (grafika.GetLastStatus() != Gdiplus::Ok) VyhoditChybu(E_FAIL);
    Gdiplus::Rect r(cil.left, cil.top, cil.right - cil.left, cil.bottom - cil.top);
    // Edge pixels are mirrored for the interpolation: scaled edges stay the picture's colour.
    Gdiplus::ImageAttributes okraje;
    okraje.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    Gdiplus::Status stav = grafika.DrawImage(&obrazek, r, 0, 0, static_cast<INT>(obrazek.GetWidth()),
                                             static_cast<INT>(obrazek.GetHeight()), Gdiplus::UnitPixel, &okraje);
    if (stav != Gdiplus::Ok) VyhoditChybu(E_FAIL);
}

}  // namespace

void ObrazekGdiPlus::Vykreslit(HDC dc, UINT sirka, UINT vyska) {
    if (!obrazek) return;
    RECT cil = RozmistitObrazek(obrazek->GetWidth(), obrazek->GetHeight(), sirka, vyska);
    KreslitDo(*obrazek, dc, cil);
}

void ObrazekGdiPlus::KopieVPomeru(UINT sirka, UINT vyska) {
    if (!obrazek) VyhoditChybu(E_HANDLE);
    SIZE nova = VelikostVPomeru(obrazek->GetWidth(), obrazek->GetHeight(), sirka, vyska);
    if (nova.cx <= 0 || nova.cy <= 0) VyhoditChybu(E_INVALIDARG);

    knihovna::UchytBitmapy bitmapa;
    {
        knihovna::DcOkna obrazovka(nullptr);
        Overit(static_cast<bool>(obrazovka));
        knihovna::UchytDc pamet(::CreateCompatibleDC(obrazovka.Get()));
        Overit(static_cast<bool>(pamet));
        bitmapa.Nastavit(::CreateCompatibleBitmap(obrazovka.Get(), nova.cx, nova.cy));
        Overit(static_cast<bool>(bitmapa));
        knihovna::VybranyObjekt vyber(pamet.Get(), bitmapa.Get());
        // The new size already keeps the aspect ratio: the picture fills it, enlarged or reduced.
        KreslitDo(*obrazek, pamet.Get(), RECT{0, 0, nova.cx, nova.cy});
    }
    Nastavit(Gdiplus::Bitmap::FromHBITMAP(bitmapa.Get(), nullptr));
    Overit(bitmapa.Uvolnit());
}
