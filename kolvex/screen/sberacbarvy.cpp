#include "screen/sberacbarvy.h"

#include <process.h>

#include "core/aplikace.h"
#include "core/dialogy.h"
#include "core/globalni.h"
#include "core/hlaseni.h"
#include "core/vlaknonastroje.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/prvky.h"
#include "knihovna/dpi.h"
#include "knihovna/text.h"
#include "knihovna/uchyt.h"
#include "screen/vypocty.h"

using knihovna::Overit;

namespace {

constexpr UINT STRANKA_SBERAC_BARVY = 158;
constexpr int OBRAZEK_KOPIROVAT = 9;
constexpr UINT PRIKAZ_SC_PRESUNOUT = 0xF012;  // SC_MOVE + HTCAPTION

// The tool's thread alone uses the object; the screen module's thread starts and stops it
// through the thread record (handle, window, stop request).
OknoSberacBarvy* oknoSberacBarvy = nullptr;
VlaknoNastroje vlaknoSberace(IDS_SBERAC_BARVY);

NastaveniSberaceBarvy Nastaveni() {
    return nastaveniObrazovka ? nastaveniObrazovka->sberacBarvy : NastaveniSberaceBarvy();
}

void NastavitText(HWND dialog, int id, const std::wstring& text) { ::SetDlgItemTextW(dialog, id, text.c_str()); }

constexpr int EDITY_LITERALU[] = {IDC_BARVA_HTML, IDC_BARVA_C, IDC_BARVA_DELPHI, IDC_BARVA_VB};
constexpr int TLACITKA_KOPIROVANI[] = {IDC_KOPIROVAT_HTML, IDC_KOPIROVAT_C, IDC_KOPIROVAT_DELPHI, IDC_KOPIROVAT_VB};

}  // namespace

HWND DlgSberacBarvy::Hostitel() const { return m_hWnd ? ::GetParent(m_hWnd) : nullptr; }

LRESULT DlgSberacBarvy::OnInitDialog(UINT, WPARAM, LPARAM l, BOOL&) {
    tooltip.Vytvorit(m_hWnd);
    for (int i = 0; i < 4; ++i) {
        HWND tlacitko = Polozka(TLACITKA_KOPIROVANI[i]);
        tlacitka[i].Pripojit(tlacitko);
        tooltip.PridatNastrojId(tlacitko, IDS_KOPIROVAT_DO_SCHRANKY);
    }
    odkazNastaveni.prikaz = IDC_SBERAC_NASTAVENI;
    odkazNastaveni.Pripojit(Polozka(IDC_SBERAC_NASTAVENI));
    tooltip.PridatNastrojId(Polozka(IDC_SBERAC_NASTAVENI), 40002);
    // The magnifier and the swatch sit where the template leaves room for them: these are the
    // pixel places 188, 108, 290, 208 and 245, 26, 290, 91 at the usual dialog font, and follow
    // the font where its metrics differ.
    lupa = RECT{125, 66, 193, 128};
    vzorek = RECT{163, 16, 193, 56};
    ::MapDialogRect(m_hWnd, &lupa);
    ::MapDialogRect(m_hWnd, &vzorek);
    const auto pocatecni = static_cast<LONG>(l);
    barva = pocatecni > 0 ? static_cast<COLORREF>(pocatecni) : ::GetSysColor(COLOR_3DFACE);
    return TRUE;
}

void DlgSberacBarvy::ZobrazitLiteraly() {
    const LiteralyBarvy l = LiteralyZBarvy(barva);
    NastavitText(m_hWnd, IDC_BARVA_VB, l.basic);
    NastavitText(m_hWnd, IDC_BARVA_C, l.c);
    NastavitText(m_hWnd, IDC_BARVA_DELPHI, l.delphi);
    NastavitText(m_hWnd, IDC_BARVA_HTML, l.html);
}

void DlgSberacBarvy::ZobrazitBarvu(bool literaly) {
    ::SetDlgItemInt(m_hWnd, IDC_BARVA_CERVENA, GetRValue(barva), FALSE);
    ::SetDlgItemInt(m_hWnd, IDC_BARVA_ZELENA, GetGValue(barva), FALSE);
    ::SetDlgItemInt(m_hWnd, IDC_BARVA_MODRA, GetBValue(barva), FALSE);
    const NastaveniSberaceBarvy n = Nastaveni();
    if (n.zobrazovatHSV) {
        const Hsv hsv = HsvZBarvy(barva);
        ::SetDlgItemInt(m_hWnd, IDC_BARVA_ODSTIN, static_cast<UINT>(hsv.odstin), TRUE);
        ::SetDlgItemInt(m_hWnd, IDC_BARVA_SYTOST, static_cast<UINT>(hsv.sytost), TRUE);
        ::SetDlgItemInt(m_hWnd, IDC_BARVA_JAS, static_cast<UINT>(hsv.jas), TRUE);
    }
    if (literaly) ZobrazitLiteraly();
}

void DlgSberacBarvy::VyplnitVzorek(HDC dc) const {
    knihovna::UchytStetce stetec(::CreateSolidBrush(barva));
    Overit(static_cast<bool>(stetec));
    ::FillRect(dc, &vzorek, stetec.Get());
    Overit(stetec.Uvolnit());
}

LRESULT DlgSberacBarvy::OnLButtonDown(UINT, WPARAM, LPARAM l, BOOL&) {
    const POINT bod{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
    HWND hostitel = Hostitel();
    if (!::PtInRect(&lupa, bod)) {
        if (hostitel) ::SendMessageW(hostitel, WM_SYSCOMMAND, PRIKAZ_SC_PRESUNOUT, 0);
        return 0;
    }
    if (HCURSOR kurzor = ::LoadCursorW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_KURZOR_VYBERU)))
        ::SetCursor(kurzor);
    ::SetCapture(m_hWnd);
    snimani = true;
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    if (hostitel) ::GetWindowRect(hostitel, &oknoHostitele);
    if (hostitel && Nastaveni().skryvat) {
        ::MoveWindow(hostitel, 3000, 0, 0, 0, TRUE);
        odsunuto = true;
    }
    return 0;
}

LRESULT DlgSberacBarvy::OnMouseMove(UINT, WPARAM, LPARAM, BOOL&) {
    if (!snimani || ::GetCapture() != m_hWnd) return 0;
    POINT bod;
    if (!::GetCursorPos(&bod)) return 0;
    knihovna::DcOkna obrazovka(nullptr);
    knihovna::DcOkna dc(m_hWnd);
    if (!obrazovka || !dc) return 0;
    const COLORREF bodBarva = ::GetPixel(obrazovka.Get(), bod.x, bod.y);
    if (bodBarva != CLR_INVALID) barva = bodBarva;
    const RECT zdroj = ZdrojLupy(lupa, bod, Nastaveni().zoom);
    ::SetStretchBltMode(dc.Get(), COLORONCOLOR);
    ::StretchBlt(dc.Get(), lupa.left, lupa.top, lupa.right - lupa.left, lupa.bottom - lupa.top, obrazovka.Get(),
                 zdroj.left, zdroj.top, zdroj.right - zdroj.left, zdroj.bottom - zdroj.top, SRCCOPY);
    if (HCURSOR kurzor = ::LoadCursorW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_KURZOR_SBERACE))) {
        const POINT stred = StredZnacky(lupa, knihovna::SirkaMaleIkony());
        ::DrawIconEx(dc.Get(), stred.x, stred.y, kurzor, knihovna::SirkaMaleIkony(), knihovna::VyskaMaleIkony(), 0, nullptr,
                     DI_NORMAL);
    }
    VyplnitVzorek(dc.Get());
    ZobrazitBarvu(Nastaveni().zobrazovatFormatovane);
    return 0;
}

LRESULT DlgSberacBarvy::OnLButtonUp(UINT, WPARAM, LPARAM, BOOL&) {
    if (!snimani || ::GetCapture() != m_hWnd) return 0;
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    snimani = false;
    ::ReleaseCapture();
    if (odsunuto) {
        if (HWND hostitel = Hostitel())
            ::MoveWindow(hostitel, oknoHostitele.left, oknoHostitele.top, oknoHostitele.right - oknoHostitele.left,
                         oknoHostitele.bottom - oknoHostitele.top, TRUE);
        odsunuto = false;
    }
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ZobrazitLiteraly();
    return 0;
}

LRESULT DlgSberacBarvy::OnPaint(UINT, WPARAM, LPARAM, BOOL& zpracovano) {
    if (snimani) {
        zpracovano = FALSE;
        return 0;
    }
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    if (HCURSOR kurzor = ::LoadCursorW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_KURZOR_VYBERU))) {
        const int sirka = ::GetSystemMetrics(SM_CXCURSOR), vyska = ::GetSystemMetrics(SM_CYCURSOR);
        ::DrawIconEx(dc, lupa.left + (lupa.right - lupa.left - sirka) / 2, lupa.top + (lupa.bottom - lupa.top - vyska) / 2,
                     kurzor, sirka, vyska, 0, nullptr, DI_NORMAL);
    }
    try {
        VyplnitVzorek(dc);
    } catch (...) {
        ::EndPaint(m_hWnd, &ps);
        throw;
    }
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

LRESULT DlgSberacBarvy::OnDrawItem(UINT, WPARAM w, LPARAM l, BOOL& zpracovano) {
    auto* polozka = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    if (!polozka || w < IDC_KOPIROVAT_HTML || w > IDC_KOPIROVAT_VB) {
        zpracovano = FALSE;  // the link draws itself (reflected)
        return 0;
    }
    ::DrawFrameControl(polozka->hDC, &polozka->rcItem, DFC_BUTTON,
                       DFCS_BUTTONPUSH | ((polozka->itemState & ODS_SELECTED) ? DFCS_PUSHED : 0));
    if (aplikace.seznamMenu.Get()) {
        const RECT& r = polozka->rcItem;
        ::ImageList_Draw(aplikace.seznamMenu.Get(), OBRAZEK_KOPIROVAT, polozka->hDC, r.left + (r.right - r.left - knihovna::VyskaMaleIkony()) / 2,
                         r.top + (r.bottom - r.top - knihovna::VyskaMaleIkony()) / 2, ILD_TRANSPARENT);
    }
    return TRUE;
}

LRESULT DlgSberacBarvy::OnCtlColor(UINT, WPARAM w, LPARAM l, BOOL& zpracovano) {
    const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(l));
    COLORREF text;
    switch (id) {
        case IDC_BARVA_CERVENA: text = 0x0000FF; break;
        case IDC_BARVA_ZELENA: text = 0x00A000; break;
        case IDC_BARVA_MODRA: text = 0xFF0000; break;
        default: zpracovano = FALSE; return 0;
    }
    HDC dc = reinterpret_cast<HDC>(w);
    ::SetTextColor(dc, text);
    ::SetBkColor(dc, ::GetSysColor(COLOR_3DFACE));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_3DFACE));
}

LRESULT DlgSberacBarvy::OnUkoncit(WORD, WORD id, HWND, BOOL&) {
    Ukoncit(id);
    return 0;
}

LRESULT DlgSberacBarvy::OnNastaveni(WORD, WORD, HWND, BOOL&) {
    if (HWND hlavni = knihovna::ziskatHlavniOkno ? knihovna::ziskatHlavniOkno() : nullptr)
        ::PostMessageW(hlavni, WM_COMMAND, 40002, STRANKA_SBERAC_BARVY);
    return 0;
}

void DlgSberacBarvy::Kopirovat(UINT tlacitko) {
    for (int i = 0; i < 4; ++i) {
        if (static_cast<UINT>(TLACITKA_KOPIROVANI[i]) != tlacitko) continue;
        if (!Polozka(EDITY_LITERALU[i])) knihovna::VyhoditChybu(E_HANDLE);
        std::wstring text;
        knihovna::NacistTextPrvku(m_hWnd, EDITY_LITERALU[i], text);
        KopirovatTextDoSchranky(text.c_str(), m_hWnd);
        return;
    }
    knihovna::VyhoditChybu(E_INVALIDARG);
}

LRESULT DlgSberacBarvy::OnKopirovat(WORD kod, WORD id, HWND, BOOL& zpracovano) {
    if (kod != BN_CLICKED) {
        zpracovano = FALSE;
        return 0;
    }
    try {
        Kopirovat(id);
    } catch (const knihovna::Chyba& chyba) {
        aplikace.ZobrazitChybuComPopis(chyba);
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------

OknoSberacBarvy::OknoSberacBarvy() { NastavitKlic(aplikace.klicAplikace); }

OknoSberacBarvy::~OknoSberacBarvy() { dialog.reset(); }

void OknoSberacBarvy::Vytvorit(COLORREF pocatecniBarva) {
    const std::wstring trida = knihovna::Retezec(IDS_TRIDA_SBERAC_BARVY);
    const std::wstring titulek = knihovna::Formatovat(L"%s - Sběrač barvy", aplikace.titulek.c_str());
    RECT r{0, 0, 0, 0};
    OknoImpl::Vytvorit(nullptr, &r, titulek.c_str(), WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, WS_EX_TOOLWINDOW,
                       trida.c_str(), nullptr, nullptr, CS_DBLCLKS, static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)));
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(aplikace.malaIkona.Get()));

    dialog = std::make_unique<DlgSberacBarvy>();
    dialog->Vytvorit(m_hWnd, static_cast<LPARAM>(pocatecniBarva));
    ::ShowWindow(dialog->m_hWnd, SW_SHOW);
    PrizpusobitVelikost();

    const std::wstring nazev = NazevTridy();
    if (ObnovitPolohu(nazev.c_str(), true) != 0) {
        RECT okno;
        Overit(::GetWindowRect(m_hWnd, &okno) != 0);
        const RECT plocha = knihovna::PracovniOblastProObdelnik(okno);  // the window's monitor, less a taskbar
        ::SetWindowPos(m_hWnd, nullptr, plocha.right - (okno.right - okno.left), plocha.bottom - (okno.bottom - okno.top),
                       0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (Nastaveni().navrchu)
        Overit(::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE) != 0);
    ::ShowWindow(m_hWnd, SW_SHOW);
}

void OknoSberacBarvy::PrizpusobitVelikost() {
    RECT r;
    Overit(::GetWindowRect(dialog->m_hWnd, &r) != 0);
    ::OffsetRect(&r, -r.left, -r.top);
    Overit(::AdjustWindowRectEx(&r, WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_TOOLWINDOW) != 0);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT OknoSberacBarvy::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    UlozitPolohu();
    dialog.reset();
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoSberacBarvy::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::PostQuitMessage(0);
    return VychoziZpracovani(msg, w, l);
}

unsigned __stdcall OknoSberacBarvy::ProceduraVlakna(void*) {
    auto uklidit = [] {
        vlaknoSberace.OknoZruseno();
        OknoSberacBarvy* okno = oknoSberacBarvy;
        oknoSberacBarvy = nullptr;
        delete okno;
    };
    try {
        oknoSberacBarvy = new OknoSberacBarvy();
        OknoSberacBarvy* okno = oknoSberacBarvy;
        okno->Vytvorit();
        vlaknoSberace.OknoVytvoreno(okno->m_hWnd);
        MSG zprava;
        while (::GetMessageW(&zprava, nullptr, 0, 0) > 0) {
            if (!okno->m_hWnd || !::IsDialogMessageW(okno->m_hWnd, &zprava)) {
                ::TranslateMessage(&zprava);
                ::DispatchMessageW(&zprava);
            }
            knihovna::VyhoditOdlozenouVyjimku();
        }
        uklidit();
        return 0;
    } catch (const knihovna::Chyba& chyba) {
        uklidit();
        HlasitChybuVlaknaNastroje(aplikace, chyba, IDS_SBERAC_BARVY);
        return static_cast<unsigned>(chyba.Hresult());
    } catch (...) {
        uklidit();
    }
    return static_cast<unsigned>(E_FAIL);
}

bool OknoSberacBarvy::Bezi() { return vlaknoSberace.Bezi(); }

HWND OknoSberacBarvy::OknoNastroje() { return vlaknoSberace.Okno(); }

void OknoSberacBarvy::Spustit() {
    try {
        vlaknoSberace.Spustit(ProceduraVlakna);
    } catch (const knihovna::Chyba& chyba) {
        HlasitChybuSpusteniNastroje(chyba, IDS_SBERAC_BARVY);
    }
}

void OknoSberacBarvy::Zastavit() { vlaknoSberace.Zastavit(); }
