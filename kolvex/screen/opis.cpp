#include "screen/opis.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <functional>
#include <memory>
#include <new>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/hlaseni.h"
#include "core/ulozitsoubor.h"
#include "knihovna/chyba.h"
#include "knihovna/modul.h"
#include "knihovna/text.h"
#include "knihovna/uchyt.h"
#include "resources/resource.h"
#include "screen/dlgopisakce.h"

using knihovna::Chyba;
using knihovna::Overit;
using knihovna::VyhoditChybu;
using knihovna::VyhoditPosledniChybu;

std::wstring jmenoSouboruOpisu;
DlgOpisObrazovkyAkce* dlgOpisObrazovkyAkce = nullptr;

NastaveniOpisu AktualniNastaveniOpisu() {
    if (nastaveniObrazovka) return nastaveniObrazovka->opis;
    NastaveniOpisu nastaveni;
    nastaveni.slozka = aplikace.nastaveni.slozkaData + L"\\Opis obrazovky";
    return nastaveni;
}

std::wstring PriponaFormatu(int format) {
    static const wchar_t* const PRIPONY[POCET_FORMATU_OBRAZKU] = {L".jpg", L".png", L".bmp", L".tif", L".gif"};
    // A stored number outside the table counts as JPEG.
    if (format < 0 || format >= POCET_FORMATU_OBRAZKU) format = FORMAT_JPEG;
    if (aplikace.formatyObrazku) return (*aplikace.formatyObrazku)[format].pripona;
    return PRIPONY[format];
}

int ZiskatJmenoSouboruOpisu(const NastaveniOpisu& nastaveni, std::wstring& jmeno) {
    const std::wstring zaklad = nastaveni.slozka.Text() + L"\\" + nastaveni.soubor.Text();
    const std::wstring pripona = PriponaFormatu(static_cast<int>(nastaveni.format));
    // A stored number beyond the signed range counts as negative: no name then.
    const int maximum = static_cast<int>(nastaveni.maxPocetSouboru);
    if (!nastaveni.cislovat) {
        std::wstring kandidat = zaklad + pripona;
        if (kandidat.size() >= DELKA_JMENA_OPISU) return 1;
        jmeno = kandidat;
        return 0;
    }
    for (int cislo = 0; cislo < maximum; ++cislo) {
        std::wstring kandidat = zaklad + std::to_wstring(cislo) + pripona;
        // A name cut at the end of its buffer would be another file: no name then.
        if (kandidat.size() >= DELKA_JMENA_OPISU) return 1;
        WIN32_FIND_DATAW nalezeny;
        HANDLE hledani = ::FindFirstFileW(kandidat.c_str(), &nalezeny);
        if (hledani == INVALID_HANDLE_VALUE) {
            jmeno = kandidat;
            return 0;
        }
        Overit(::FindClose(hledani) != 0);
    }
    return 1;
}

namespace {

int PlatnyZoom(int zoom) { return zoom < 1 ? 1 : zoom; }

// A GDI+ bitmap over the pixels of a DIB section it owns: the screen is copied once, straight
// into the memory the encoders read. GDI+ never frees or reads the pixels when the bitmap goes.
class BitmapaNadDib : public Gdiplus::Bitmap {
public:
    BitmapaNadDib(HBITMAP dib, INT sirka, INT vyska, void* pixely)
        : Gdiplus::Bitmap(sirka, vyska, sirka * 4, PixelFormat32bppRGB, static_cast<BYTE*>(pixely)), m_dib(dib) {}
    ~BitmapaNadDib() override = default;

private:
    knihovna::UchytBitmapy m_dib;
};

// Copies sirka x vyska from (x, y) of the source context, enlarged by the zoom, into the holder.
// The holder keeps the screen's own 32-bit pixels (opaque); an alpha channel would only make
// PNG files larger and slower to write.
void KopirovatZKontextu(ObrazekGdiPlus& obrazek, HDC zdroj, int x, int y, int sirka, int vyska, int zoom) {
    if (sirka <= 0 || vyska <= 0) VyhoditChybu(E_INVALIDARG);
    const long long cilSirka = static_cast<long long>(sirka) * zoom;
    const long long cilVyska = static_cast<long long>(vyska) * zoom;
    if (cilSirka > INT_MAX / 4 || cilVyska > INT_MAX / 4 || cilSirka * cilVyska > INT_MAX / 4)
        VyhoditChybu(E_OUTOFMEMORY);

    BITMAPINFO popis{};
    popis.bmiHeader.biSize = sizeof(popis.bmiHeader);
    popis.bmiHeader.biWidth = static_cast<LONG>(cilSirka);
    popis.bmiHeader.biHeight = -static_cast<LONG>(cilVyska);  // top-down, as GDI+ lays out rows
    popis.bmiHeader.biPlanes = 1;
    popis.bmiHeader.biBitCount = 32;
    popis.bmiHeader.biCompression = BI_RGB;
    void* pixely = nullptr;
    knihovna::UchytBitmapy bitmapa(::CreateDIBSection(zdroj, &popis, DIB_RGB_COLORS, &pixely, nullptr, 0));
    Overit(static_cast<bool>(bitmapa) && pixely != nullptr);
    {
        knihovna::UchytDc pamet(::CreateCompatibleDC(zdroj));
        Overit(static_cast<bool>(pamet));
        knihovna::VybranyObjekt vyber(pamet.Get(), bitmapa.Get());
        BOOL ok = zoom == 1 ? ::BitBlt(pamet.Get(), 0, 0, sirka, vyska, zdroj, x, y, SRCCOPY)
                            : ::StretchBlt(pamet.Get(), 0, 0, static_cast<int>(cilSirka), static_cast<int>(cilVyska),
                                           zdroj, x, y, sirka, vyska, SRCCOPY);
        Overit(ok != 0);
    }
    ::GdiFlush();  // the section's memory holds the pixels before GDI+ reads it
    auto* nova = new BitmapaNadDib(bitmapa.Get(), static_cast<INT>(cilSirka), static_cast<INT>(cilVyska), pixely);
    bitmapa.Odevzdat();  // the bitmap owns the section now
    obrazek.Nastavit(nova);
}

}  // namespace

void SejmoutObrazovku(ObrazekGdiPlus& obrazek, int zoom) {
    obrazek.obrazek.reset();
    knihovna::DcOkna obrazovka(nullptr);
    Overit(static_cast<bool>(obrazovka));
    KopirovatZKontextu(obrazek, obrazovka.Get(), 0, 0, ::GetSystemMetrics(SM_CXSCREEN),
                       ::GetSystemMetrics(SM_CYSCREEN), PlatnyZoom(zoom));
}

void SejmoutOkno(ObrazekGdiPlus& obrazek, HWND okno, bool klientskaOblast, int zoom) {
    obrazek.obrazek.reset();
    if (!okno || !::IsWindow(okno)) VyhoditChybu(E_INVALIDARG);
    // The window's rectangle copied from the screen: what the user sees, for top-level and child
    // windows of any program alike (a foreign child's own DC is not always released cleanly).
    RECT r;
    if (klientskaOblast) {
        Overit(::GetClientRect(okno, &r) != 0);
        ::SetLastError(ERROR_SUCCESS);
        if (::MapWindowPoints(okno, nullptr, reinterpret_cast<POINT*>(&r), 2) == 0 && ::GetLastError() != ERROR_SUCCESS)
            VyhoditPosledniChybu();
    } else {
        Overit(::GetWindowRect(okno, &r) != 0);
    }
    knihovna::DcOkna obrazovka(nullptr);
    Overit(static_cast<bool>(obrazovka));
    KopirovatZKontextu(obrazek, obrazovka.Get(), r.left, r.top, r.right - r.left, r.bottom - r.top, PlatnyZoom(zoom));
}

void SejmoutVyrez(ObrazekGdiPlus& obrazek, int vlevo, int nahore, int vpravo, int dole, int zoom) {
    obrazek.obrazek.reset();
    if (vpravo <= vlevo || dole <= nahore) VyhoditChybu(E_INVALIDARG);
    knihovna::DcOkna obrazovka(nullptr);
    Overit(static_cast<bool>(obrazovka));
    KopirovatZKontextu(obrazek, obrazovka.Get(), vlevo, nahore, vpravo - vlevo, dole - nahore, PlatnyZoom(zoom));
}

void KopirovatOpisDoSchranky(ObrazekGdiPlus& obrazek) {
    if (!obrazek.obrazek) VyhoditChybu(E_HANDLE);
    const UINT sirka = obrazek.Sirka();
    const UINT vyska = obrazek.Vyska();
    knihovna::UchytBitmapy bitmapa;
    {
        knihovna::DcOkna obrazovka(nullptr);
        Overit(static_cast<bool>(obrazovka));
        knihovna::UchytDc pamet(::CreateCompatibleDC(obrazovka.Get()));
        Overit(static_cast<bool>(pamet));
        bitmapa.Nastavit(::CreateCompatibleBitmap(obrazovka.Get(), static_cast<int>(sirka), static_cast<int>(vyska)));
        Overit(static_cast<bool>(bitmapa));
        knihovna::VybranyObjekt vyber(pamet.Get(), bitmapa.Get());
        obrazek.Vykreslit(pamet.Get(), sirka, vyska);
    }
    Overit(knihovna::OtevritSchranku(::GetDesktopWindow()));
    if (!::EmptyClipboard() || !::SetClipboardData(CF_BITMAP, bitmapa.Get())) {
        DWORD kod = ::GetLastError();
        ::CloseClipboard();
        ::SetLastError(kod);
        VyhoditPosledniChybu();
    }
    bitmapa.Odevzdat();  // the clipboard owns it now
    Overit(::CloseClipboard() != 0);
}

namespace {

// The stream the encoders write into: bytes in memory that grow geometrically (a global-memory
// stream grows by each write's size, copying the whole picture again and again).
class ProudVPameti final : public IStream {
public:
    std::string data;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** objekt) override {
        if (!objekt) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IStream || iid == IID_ISequentialStream) {
            *objekt = static_cast<IStream*>(this);
            AddRef();
            return S_OK;
        }
        *objekt = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_odkazy)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG zbyva = ::InterlockedDecrement(&m_odkazy);
        if (zbyva == 0) delete this;
        return static_cast<ULONG>(zbyva);
    }
    HRESULT STDMETHODCALLTYPE Read(void* cil, ULONG n, ULONG* precteno) override {
        const size_t k = m_pozice < data.size() ? std::min<size_t>(n, data.size() - m_pozice) : 0;
        if (k) memcpy(cil, data.data() + m_pozice, k);
        m_pozice += k;
        if (precteno) *precteno = static_cast<ULONG>(k);
        return k == n ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Write(const void* zdroj, ULONG n, ULONG* zapsano) override {
        if (zapsano) *zapsano = 0;
        if (!zdroj && n) return STG_E_INVALIDPOINTER;
        try {
            if (m_pozice + n > data.size()) data.resize(m_pozice + n);
        } catch (const std::bad_alloc&) {
            return STG_E_MEDIUMFULL;
        }
        if (n) memcpy(&data[m_pozice], zdroj, n);
        m_pozice += n;
        if (zapsano) *zapsano = n;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER posun, DWORD odkud, ULARGE_INTEGER* nova) override {
        long long zaklad = odkud == STREAM_SEEK_SET ? 0
                           : odkud == STREAM_SEEK_CUR ? static_cast<long long>(m_pozice)
                           : odkud == STREAM_SEEK_END ? static_cast<long long>(data.size())
                                                      : -1;
        if (zaklad < 0) return STG_E_INVALIDFUNCTION;
        const long long cil = zaklad + posun.QuadPart;
        if (cil < 0 || cil > 0x7FFFFFFF) return STG_E_INVALIDFUNCTION;
        m_pozice = static_cast<size_t>(cil);
        if (nova) nova->QuadPart = static_cast<ULONGLONG>(cil);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER velikost) override {
        if (velikost.QuadPart > 0x7FFFFFFF) return STG_E_MEDIUMFULL;
        try {
            data.resize(static_cast<size_t>(velikost.QuadPart));
        } catch (const std::bad_alloc&) {
            return STG_E_MEDIUMFULL;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
        return STG_E_INVALIDFUNCTION;
    }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
        return STG_E_INVALIDFUNCTION;
    }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* stav, DWORD) override {
        if (!stav) return STG_E_INVALIDPOINTER;
        *stav = STATSTG{};
        stav->type = STGTY_STREAM;
        stav->cbSize.QuadPart = data.size();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }

private:
    LONG m_odkazy = 1;
    size_t m_pozice = 0;
};

// Owns one reference of the stream.
struct PametovyProud {
    ProudVPameti* proud = new ProudVPameti;
    PametovyProud() = default;
    ~PametovyProud() { proud->Release(); }
    PametovyProud(const PametovyProud&) = delete;
    PametovyProud& operator=(const PametovyProud&) = delete;
};

void UlozitDoProudu(ObrazekGdiPlus& obrazek, Gdiplus::Image& zdroj, IStream* cil, const CLSID& koder,
                    const Gdiplus::EncoderParameters* parametry) {
    ::SetLastError(0);
    Gdiplus::Status stav = zdroj.Save(cil, &koder, parametry);
    obrazek.posledniStav = stav;
    if (stav != Gdiplus::Ok) VyhoditChybuGdiplus(stav);
}

}  // namespace

void UlozitJakoJpeg(ObrazekGdiPlus& obrazek, IStream* cil, int kvalita) {
    if (!obrazek.obrazek) VyhoditChybu(E_HANDLE);
    obrazek.VytvoritTabulkuKoderu();
    Gdiplus::EncoderParameters parametry;
    ULONG hodnota = static_cast<ULONG>(kvalita);
    parametry.Count = 1;
    parametry.Parameter[0].Guid = Gdiplus::EncoderQuality;
    parametry.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
    parametry.Parameter[0].NumberOfValues = 1;
    parametry.Parameter[0].Value = &hodnota;
    UlozitDoProudu(obrazek, *obrazek.obrazek, cil, (*obrazek.formaty)[FORMAT_JPEG].koder,
                   kvalita >= 1 && kvalita <= 100 ? &parametry : nullptr);
}

void UlozitJakoBmp(ObrazekGdiPlus& obrazek, IStream* cil) {
    if (!obrazek.obrazek) VyhoditChybu(E_HANDLE);
    obrazek.VytvoritTabulkuKoderu();
    Gdiplus::Bitmap& zdroj = *obrazek.obrazek;
    Gdiplus::Rect cely(0, 0, static_cast<INT>(zdroj.GetWidth()), static_cast<INT>(zdroj.GetHeight()));
    Gdiplus::BitmapData data{};
    Gdiplus::Status stav = zdroj.LockBits(&cely, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite,
                                          PixelFormat24bppRGB, &data);
    if (stav != Gdiplus::Ok) VyhoditChybuGdiplus(stav);
    {
        Gdiplus::Bitmap radky(static_cast<INT>(data.Width), static_cast<INT>(data.Height), data.Stride,
                              PixelFormat24bppRGB, static_cast<BYTE*>(data.Scan0));
        stav = radky.GetLastStatus();
        if (stav == Gdiplus::Ok) {
            ::SetLastError(0);
            stav = radky.Save(cil, &(*obrazek.formaty)[FORMAT_BMP].koder, nullptr);
        }
    }
    obrazek.posledniStav = stav;
    zdroj.UnlockBits(&data);
    if (stav != Gdiplus::Ok) VyhoditChybuGdiplus(stav);
}

void UlozitJakoGif(ObrazekGdiPlus& obrazek, IStream* cil) {
    if (!obrazek.obrazek) VyhoditChybu(E_HANDLE);
    obrazek.VytvoritTabulkuKoderu();
    Gdiplus::Bitmap& zdroj = *obrazek.obrazek;
    Gdiplus::Rect cely(0, 0, static_cast<INT>(zdroj.GetWidth()), static_cast<INT>(zdroj.GetHeight()));
    std::unique_ptr<Gdiplus::Bitmap> indexovany(zdroj.Clone(cely, PixelFormat8bppIndexed));
    if (!indexovany) VyhoditChybu(E_OUTOFMEMORY);
    Gdiplus::Status stav = indexovany->GetLastStatus();
    obrazek.posledniStav = stav;
    if (stav != Gdiplus::Ok) VyhoditChybuGdiplus(stav);
    UlozitDoProudu(obrazek, *indexovany, cil, (*obrazek.formaty)[FORMAT_GIF].koder, nullptr);
}

std::string ZakodovatOpis(ObrazekGdiPlus& obrazek, int format, int kvalitaJpeg, bool obrazovka) {
    if (!obrazek.obrazek) VyhoditChybu(E_HANDLE);
    if (format < 0 || format >= POCET_FORMATU_OBRAZKU) format = FORMAT_JPEG;
    obrazek.VytvoritTabulkuKoderu();
    PametovyProud pamet;
    if (obrazovka && format == FORMAT_JPEG)
        UlozitJakoJpeg(obrazek, pamet.proud, kvalitaJpeg);
    else if (obrazovka && format == FORMAT_BMP)
        UlozitJakoBmp(obrazek, pamet.proud);
    else if (format == FORMAT_GIF)
        UlozitJakoGif(obrazek, pamet.proud);
    else
        UlozitDoProudu(obrazek, *obrazek.obrazek, pamet.proud, (*obrazek.formaty)[format].koder, nullptr);
    std::string data = std::move(pamet.proud->data);
    // An encoder that reports success without output gives no picture.
    if (data.empty()) VyhoditChybu(knihovna::HresultZKodu(ERROR_FILE_CORRUPT));
    return data;
}

void OveritCelyObrazek(const std::string& data, UINT sirka, UINT vyska) {
    // GDI+ does not report every short write: the file is decoded again, every pixel of it.
    if (data.empty()) VyhoditChybu(knihovna::HresultZKodu(ERROR_HANDLE_DISK_FULL));
    IStream* proud = ::SHCreateMemStream(reinterpret_cast<const BYTE*>(data.data()), static_cast<UINT>(data.size()));
    if (!proud) VyhoditChybu(E_OUTOFMEMORY);
    std::unique_ptr<Gdiplus::Bitmap> kontrola(Gdiplus::Bitmap::FromStream(proud));
    Gdiplus::Status stav = kontrola ? kontrola->GetLastStatus() : Gdiplus::OutOfMemory;
    if (stav == Gdiplus::Ok && (kontrola->GetWidth() != sirka || kontrola->GetHeight() != vyska))
        stav = Gdiplus::InvalidParameter;
    if (stav == Gdiplus::Ok) {
        Gdiplus::Rect cely(0, 0, static_cast<INT>(sirka), static_cast<INT>(vyska));
        Gdiplus::BitmapData pixely{};
        stav = kontrola->LockBits(&cely, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &pixely);
        if (stav == Gdiplus::Ok) kontrola->UnlockBits(&pixely);
    }
    kontrola.reset();
    proud->Release();
    if (stav != Gdiplus::Ok) VyhoditChybu(knihovna::HresultZKodu(ERROR_FILE_CORRUPT));
}

namespace {

enum class DruhOpisu { Obrazovka, Vyrez, Okno, KlientskaOblast };

// Encodes the picture in memory and puts it in place through the checked atomic write (every
// write checked, flushed, the byte count compared, then renamed): a failed or short save never
// leaves a damaged file under the capture's name (without numbering it would replace the
// previous capture).
void UlozitOpisDoSouboru(ObrazekGdiPlus& obrazek, const std::wstring& soubor, const NastaveniOpisu& nastaveni,
                         bool obrazovka) {
    std::wstring slozka = soubor.substr(0, soubor.find_last_of(L'\\'));
    if (!slozka.empty() && !::PathIsDirectoryW(slozka.c_str())) {
        int kod = ::SHCreateDirectoryExW(nullptr, slozka.c_str(), nullptr);
        if (kod != ERROR_SUCCESS && kod != ERROR_ALREADY_EXISTS) VyhoditChybu(knihovna::HresultZKodu(kod));
    }
    const int format = nastaveni.format < POCET_FORMATU_OBRAZKU ? static_cast<int>(nastaveni.format) : FORMAT_JPEG;
    const std::string data = ZakodovatOpis(obrazek, format, static_cast<int>(nastaveni.kvalitaJpeg), obrazovka);
    UlozitSouborBezpecne(soubor, data.data(), data.size());
}

const wchar_t* NazevAkceShellu(DWORD akce) {
    switch (akce) {
        case 1: return L"otevřít";
        case 2: return L"upravit";
        default: return L"vytisknout";
    }
}

void SpustitNasledneAkci(const NastaveniOpisu& nastaveni, const std::wstring& soubor, int zobrazeni) {
    const wchar_t* sloveso = nullptr;
    switch (nastaveni.shellOtevrit) {
        case 1:
            sloveso = L"open";
            break;
        case 2:
            sloveso = L"edit";
            break;
        case 3:
            sloveso = L"print";
            break;
        case 99:
            if (!dlgOpisObrazovkyAkce) ZobrazitDlgOpisObrazovkyAkce(soubor);
            return;
        default:
            return;
    }
    HINSTANCE h = knihovna::spustitShell(nullptr, sloveso, soubor.c_str(), nullptr, nullptr, zobrazeni);
    const HRESULT hr = knihovna::HresultShellExecute(h);
    if (SUCCEEDED(hr)) return;
    // The capture is saved; only the follow-up failed. A missing association is named.
    if (hr == knihovna::HresultZKodu(ERROR_NO_ASSOCIATION))
        aplikace.ZobrazitZpravu(knihovna::Formatovat(knihovna::Retezec(IDS_OPIS_BEZ_PRIRAZENI).c_str(),
                                                     NazevAkceShellu(nastaveni.shellOtevrit),
                                                     ::PathFindExtensionW(soubor.c_str()), soubor.c_str()),
                                MB_ICONERROR);
    else
        aplikace.ZobrazitChybuComId(IDS_OPIS_NASLEDNA_AKCE_CHYBA, knihovna::Chyba(hr));
}

// The whole road of one capture: name, picture, file, clipboard, balloon, follow-up action.
void UlozitOpis(const NastaveniOpisu& nastaveni, DruhOpisu druh, bool aktivni,
                const std::function<void(ObrazekGdiPlus&)>& sejmout) {
    const bool obrazovka = druh == DruhOpisu::Obrazovka;
    UINT idChyby = IDS_OPIS_OKNA_CHYBA;
    UINT idBubliny = druh == DruhOpisu::KlientskaOblast ? IDS_OPIS_KLIENTA_ULOZEN : IDS_OPIS_OKNA_ULOZEN;
    if (obrazovka) {
        idChyby = IDS_OPIS_OBRAZOVKY_CHYBA;
        idBubliny = IDS_OPIS_OBRAZOVKY_ULOZEN;
    } else if (druh == DruhOpisu::Vyrez) {
        idChyby = IDS_OPIS_VYREZU_CHYBA;
        idBubliny = IDS_OPIS_VYREZU_ULOZEN;
    }
    try {
        std::wstring soubor;
        if (ZiskatJmenoSouboruOpisu(nastaveni, soubor) != 0) {
            if (obrazovka) jmenoSouboruOpisu.clear();
            aplikace.ZobrazitChybuId(IDS_OPIS_BEZ_JMENA);
            return;
        }
        if (obrazovka) jmenoSouboruOpisu = soubor;

        ObrazekGdiPlus obrazek;
        sejmout(obrazek);
        UlozitOpisDoSouboru(obrazek, soubor, nastaveni, obrazovka);
        if (nastaveni.kopirovatDoSchranky) KopirovatOpisDoSchranky(obrazek);
        if (nastaveni.zobrazitInfo)
            ZobrazitBublinuHlavniIkony(nullptr,
                                       knihovna::Formatovat(knihovna::Retezec(idBubliny).c_str(), soubor.c_str()));
        SpustitNasledneAkci(nastaveni, soubor, aktivni ? SW_SHOW : static_cast<int>(nastaveni.shellShowCmd));
    } catch (const Chyba& chyba) {
        aplikace.ZobrazitChybuComId(idChyby, chyba);
    } catch (const std::bad_alloc&) {
        aplikace.ZobrazitChybuComId(idChyby, Chyba(E_OUTOFMEMORY));
    }
}

}  // namespace

void UlozitOpisObrazovky(const NastaveniOpisu& nastaveni, int zoom) {
    UlozitOpis(nastaveni, DruhOpisu::Obrazovka, false, [zoom](ObrazekGdiPlus& o) { SejmoutObrazovku(o, zoom); });
}

void UlozitOpisOkna(const NastaveniOpisu& nastaveni, HWND okno, bool klientskaOblast, int zoom, bool aktivni) {
    UlozitOpis(nastaveni, klientskaOblast ? DruhOpisu::KlientskaOblast : DruhOpisu::Okno, aktivni,
               [=](ObrazekGdiPlus& o) {
                   HWND cil = aktivni ? ::GetForegroundWindow() : okno;
                   if (!cil || !::IsWindow(cil)) VyhoditChybu(E_INVALIDARG);
                   SejmoutOkno(o, cil, klientskaOblast, zoom);
               });
}

void UlozitOpisVyrezu(const NastaveniOpisu& nastaveni, int vlevo, int nahore, int vpravo, int dole, int zoom) {
    UlozitOpis(nastaveni, DruhOpisu::Vyrez, false,
               [=](ObrazekGdiPlus& o) { SejmoutVyrez(o, vlevo, nahore, vpravo, dole, zoom); });
}

void UlozitOpisObrazovky(int zoom) { UlozitOpisObrazovky(AktualniNastaveniOpisu(), zoom); }

void UlozitOpisOkna(HWND okno, bool klientskaOblast, int zoom) {
    UlozitOpisOkna(AktualniNastaveniOpisu(), okno, klientskaOblast, zoom, false);
}

void UlozitOpisAktivnihoOkna(bool klientskaOblast, int zoom) {
    UlozitOpisOkna(AktualniNastaveniOpisu(), nullptr, klientskaOblast, zoom, true);
}

void UlozitOpisVyrezu(int vlevo, int nahore, int vpravo, int dole, int zoom) {
    UlozitOpisVyrezu(AktualniNastaveniOpisu(), vlevo, nahore, vpravo, dole, zoom);
}

void ZobrazitDlgOpisObrazovkyAkce(const std::wstring& soubor) {
    auto dialog = std::make_unique<DlgOpisObrazovkyAkce>();
    dialog->soubor = soubor;
    dlgOpisObrazovkyAkce = dialog.get();
    struct Zapomenout {
        ~Zapomenout() { dlgOpisObrazovkyAkce = nullptr; }
    } zapomenout;
    dialog->SpustitModalne(nullptr);
}
