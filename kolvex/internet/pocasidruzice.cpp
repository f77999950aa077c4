#include "internet/pocasidruzice.h"

#include <shlobj.h>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/hlaseni.h"
#include "core/konfiguracenastroju.h"
#include "core/pomocne.h"
#include "knihovna/text.h"
#include "resources/resource.h"

using knihovna::Overit;

std::unique_ptr<OknoSnimekDruzice> oknoSnimekDruzice;

namespace {

constexpr UINT STRANKA_DRUZICE = 208;
constexpr UINT_PTR CASOVAC_STAHOVANI = 1;
constexpr DWORD STYL = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

class VlaknoSnimkuDruzice : public VlaknoModulu {
public:
    VlaknoSnimkuDruzice() : VlaknoModulu(IDS_NAZEV_POCASI_DRUZICE, true) {}

protected:
    HWND VytvoritOkno(bool) override {
        oknoSnimekDruzice = std::make_unique<OknoSnimekDruzice>();
        return oknoSnimekDruzice->VytvoritOkno();
    }
    void ZrusitOkno() override { oknoSnimekDruzice.reset(); }
    void ZrusitAkciPoSpusteni() override { aplikace.nastaveni.poSpusteni.pocasiSnimekDruzice = false; }
};

VlaknoSnimkuDruzice& Vlakno() {
    static VlaknoSnimkuDruzice vlakno;
    return vlakno;
}

}  // namespace

OknoSnimekDruzice::OknoSnimekDruzice() { NastavitKlic(aplikace.klicAplikace); }

OknoSnimekDruzice::~OknoSnimekDruzice() { m_prace.Ukoncit(0); }  // WM_CLOSE has waited already

void OknoSnimekDruzice::Spustit() { Vlakno().Spustit(); }
void OknoSnimekDruzice::Zastavit() { Vlakno().Zastavit(); }
bool OknoSnimekDruzice::Bezi() { return Vlakno().Bezi(); }

HWND OknoSnimekDruzice::VytvoritOkno() {
    const NastaveniDruzice n = NastaveniPocasi().druzice;
    textStavu = L"Není načten žádný snímek";
    zdroj = static_cast<int>(n.vychoziZdroj);
    DWORD rozsireny = (n.oknoNavrchu ? WS_EX_TOPMOST : 0) | (n.oknoPruhledne > 0 ? WS_EX_LAYERED : 0);
    std::wstring titulek;
    FormatovatTextSDoplnkem(IDS_NAZEV_POCASI_DRUZICE, titulek);
    RECT obdelnik{0, 0, 200, 100};
    Vytvorit(nullptr, &obdelnik, titulek.c_str(), STYL, rozsireny, L"QPocasiSnimekDruzice", nullptr, nullptr, 0,
             static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)));
    if (n.oknoPruhledne > 0) Overit(::SetLayeredWindowAttributes(m_hWnd, 0, 180, LWA_ALPHA) != 0);
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(aplikace.malaIkona.Get()));
    if (ObnovitPolohu() != 0) UmistitDoPravehoDolnihoRohu(m_hWnd);
    ::ShowWindow(m_hWnd, SW_SHOW);
    Overit(::SetTimer(m_hWnd, CASOVAC_STAHOVANI, 1, nullptr) != 0);
    return m_hWnd;
}

void OknoSnimekDruzice::NacistSnimek(int zdrojSnimku) {
    if (m_prace.Bezi()) return;  // one download at a time
    obrazek.reset();
    ::ShowWindow(m_hWnd, SW_HIDE);
    ZobrazitBublinuHlavniIkony(nullptr, knihovna::Retezec(IDS_POCASI_BUBLINA_DRUZICE));
    soubor = knihovna::Formatovat(L"%s\\AktualniSnimek.jpg", NastaveniPocasi().druzice.slozkaData.Text().c_str());
    const std::wstring adresa =
        AdresaSnimkuDruzice(zdrojSnimku, HostServeru(ServerPocasi::ChmuDruzice), HostServeru(ServerPocasi::Meteopress));
    const std::wstring cil = soubor;
    HWND okno = m_hWnd;
    try {
        const std::wstring slozkaSnimku = NastaveniPocasi().druzice.slozkaData.Text();
        m_prace.Spustit([okno, adresa, cil, slozkaSnimku](const ZruseniPrace& zrusit) {
            if (!slozkaSnimku.empty()) ::SHCreateDirectoryExW(nullptr, slozkaSnimku.c_str(), nullptr);
            SmazatOpusteneDocasneSoubory(slozkaSnimku);
            HRESULT vysledek = StahnoutObrazekMistoStareho(adresa, cil, &zrusit);
            ::PostMessageW(okno, ZpravaStahovaniPocasiHotovo, static_cast<WPARAM>(vysledek), 0);
        });
        zdroj = zdrojSnimku == 2 ? 2 : 1;  // the source checked in the menu is the one being fetched
    } catch (const knihovna::Chyba& chyba) {
        ::PostMessageW(okno, ZpravaStahovaniPocasiHotovo, static_cast<WPARAM>(chyba.Hresult()), 0);
    }
}

LRESULT OknoSnimekDruzice::OnStazeno(UINT, WPARAM w, LPARAM, BOOL&) {
    m_prace.Uklidit();
    SkrytBublinuHlavniIkony();
    const HRESULT vysledek = static_cast<HRESULT>(w);
    if (FAILED(vysledek)) {
        // the last good picture is still on disk: it is shown again, and the balloon says what failed
        std::wstring text = knihovna::Retezec(IDS_POCASI_CHYBA_DRUZICE);
        if (NacistObrazek()) {
            text += L" " + knihovna::Retezec(IDS_POCASI_DRUZICE_STARY_SNIMEK);
            PrizpusobitVelikost();
        }
        const std::wstring pricina = vysledek == knihovna::HresultZKodu(ERROR_INVALID_DATA)
                                         ? knihovna::Retezec(IDS_POCASI_DRUZICE_NENI_SNIMEK)
                                         : knihovna::Chyba(vysledek).Zprava();
        ZobrazitChybuVBubline(knihovna::Formatovat(L"%s\nChyba: %s", text.c_str(), pricina.c_str()));
    } else {
        Odeslat(WM_COMMAND, 40223, 0);
    }
    ::ShowWindow(m_hWnd, SW_RESTORE);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return 0;
}

bool OknoSnimekDruzice::NacistObrazek() {
    obrazek.reset();
    if (soubor.empty() || ::GetFileAttributesW(soubor.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    auto novy = std::make_unique<ObrazekGdiPlus>();
    try {
        novy->NacistZeSouboru(soubor);
        if (novy->obrazek && novy->Sirka() > 0 && novy->Vyska() > 0) obrazek = std::move(novy);
    } catch (const knihovna::Chyba&) {
    }
    return obrazek != nullptr;
}

void OknoSnimekDruzice::ZobrazitSnimek() {
    // a file that is no picture (an error page, a broken download) is a failed download
    if (!NacistObrazek()) ZobrazitChybuVBublineId(IDS_POCASI_CHYBA_DRUZICE);
    PrizpusobitVelikost();
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void OknoSnimekDruzice::PrizpusobitVelikost() {
    if (!obrazek) return;  // without a picture the window keeps the size it had
    RECT r{0, 0, static_cast<LONG>(obrazek->Sirka()), static_cast<LONG>(obrazek->Vyska())};
    // the window's own frame, so that the client area is exactly the picture
    const DWORD styl = static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE));
    const DWORD rozsireny = static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE));
    Overit(::AdjustWindowRectEx(&r, styl, FALSE, rozsireny) != 0);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Okno::UdrzetVPracovniOblasti(m_hWnd);
}

LRESULT OknoSnimekDruzice::OnTimer(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (w == CASOVAC_STAHOVANI) {
        Overit(::KillTimer(m_hWnd, CASOVAC_STAHOVANI) != 0);
        NacistSnimek(static_cast<int>(NastaveniPocasi().druzice.vychoziZdroj));
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoSnimekDruzice::OnPaint(UINT, WPARAM, LPARAM, BOOL&) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT klient;
    ::GetClientRect(m_hWnd, &klient);
    {
        Gdiplus::Graphics g(dc);
        if (obrazek && obrazek->obrazek) {
            g.DrawImage(obrazek->obrazek.get(), 0, 0, static_cast<INT>(obrazek->Sirka()),
                        static_cast<INT>(obrazek->Vyska()));
        } else {
            Gdiplus::SolidBrush stetec{Gdiplus::Color(BARVA_VYPLNE_POCASI)};
            g.FillRectangle(&stetec, 0, 0, klient.right, klient.bottom);
        }
    }
    if (!obrazek) {
        knihovna::VybranyObjekt pismo(dc, ::GetStockObject(DEFAULT_GUI_FONT));
        ::SetBkMode(dc, TRANSPARENT);
        ::DrawTextW(dc, textStavu.c_str(), -1, &klient, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

LRESULT OknoSnimekDruzice::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::KillTimer(m_hWnd, CASOVAC_STAHOVANI);
    m_prace.Ukoncit(1000);
    if (m_prace.Bezi()) SkrytBublinuHlavniIkony();
    UlozitPolohu();
    ::ShowWindow(m_hWnd, SW_HIDE);
    Poslat(WM_SETICON, ICON_BIG, 0);
    Poslat(WM_SETICON, ICON_SMALL, 0);
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoSnimekDruzice::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::PostQuitMessage(0);
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoSnimekDruzice::OnPredvolby(WORD, WORD, HWND, BOOL&) {
    if (HWND hlavni = knihovna::ziskatHlavniOkno ? knihovna::ziskatHlavniOkno() : nullptr)
        ::PostMessageW(hlavni, WM_COMMAND, 40002, STRANKA_DRUZICE);
    return 0;
}

LRESULT OknoSnimekDruzice::OnZavrit(WORD, WORD, HWND, BOOL&) {
    Odeslat(WM_CLOSE);
    return 0;
}

LRESULT OknoSnimekDruzice::OnZdroj(WORD, WORD id, HWND, BOOL&) {
    NacistSnimek(id == 40222 ? 2 : 1);
    return 0;
}

LRESULT OknoSnimekDruzice::OnZobrazitSnimek(WORD, WORD, HWND, BOOL&) {
    ZobrazitSnimek();
    return 0;
}

LRESULT OknoSnimekDruzice::OnNavrchu(WORD, WORD, HWND, BOOL&) {
    NastaveniPocasi().druzice.oknoNavrchu = knihovna::JeOknoNavrchu(m_hWnd);
    return 0;
}

LRESULT OknoSnimekDruzice::OnPruhledne(WORD, WORD, HWND, BOOL&) {
    NastaveniPocasi().druzice.oknoPruhledne = knihovna::JeOknoPruhledne(m_hWnd) ? 1 : 0;
    return 0;
}

LRESULT OknoSnimekDruzice::OnUlozitJako(WORD, WORD, HWND, BOOL&) {
    if (!obrazek) return 0;
    std::wstring jmeno;
    try {
        jmeno = ZiskatSlozkuSystemu(CSIDL_MYPICTURES, false) + L"\\Snimek z družice.jpg";
    } catch (const knihovna::Chyba&) {
        jmeno = L"Snimek z družice.jpg";
    }
    DialogSouboru dialog;
    PripravitDialogSouboru(dialog, jmeno.c_str());
    dialog.ofn.Flags |= OFN_OVERWRITEPROMPT;
    dialog.ofn.lpstrFilter = L"Běžné grafické soubory\0*.bmp;*.jpg;*.jpeg;*.gif;*.png;*.tiff\0Všechny soubory\0*.*\0";
    dialog.ofn.nFilterIndex = 1;
    dialog.ofn.lpstrDefExt = L"jpg";
    if (!::GetSaveFileNameW(&dialog.ofn)) return 0;
    try {
        obrazek->Ulozit(dialog.soubor);
    } catch (const knihovna::Chyba& chyba) {
        aplikace.ZobrazitChybuComPopis(chyba);
    }
    return 0;
}

LRESULT OknoSnimekDruzice::OnContextMenu(UINT, WPARAM, LPARAM l, BOOL&) {
    ZobrazitNabidkuOknaPocasi(m_hWnd, IDM_POCASI_DRUZICE, l, m_menu,
                              {{40221, zdroj == 1}, {40222, zdroj == 2}, {40053, knihovna::JeOknoNavrchu(m_hWnd)},
                               {40075, knihovna::JeOknoPruhledne(m_hWnd)}},
                              {40002, 40216, 40026, 40221, 40222});
    return 0;
}

LRESULT OknoSnimekDruzice::OnDrawItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    KreslitPolozkuPocasi(m_menu, reinterpret_cast<DRAWITEMSTRUCT*>(l),
                         {{40002, 1}, {40026, 19}, {40216, 12}, {40221, 96}, {40222, 97}});
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoSnimekDruzice::OnMeasureItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ZmeritPolozkuPocasi(m_menu, reinterpret_cast<MEASUREITEMSTRUCT*>(l));
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoSnimekDruzice::OnKeyDown(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (w == VK_ESCAPE) Odeslat(WM_CLOSE);
    return VychoziZpracovani(msg, w, l);
}
