#include "screen/mereniuseckami.h"

#include <process.h>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/hlaseni.h"
#include "core/konfiguracenastroju.h"
#include "core/vlaknonastroje.h"
#include "knihovna/text.h"
#include "resources/resource.h"
#include "screen/vypocty.h"

using knihovna::Overit;

namespace {

// The tool's thread alone uses the object; the screen module's thread starts and stops it
// through the thread record (handle, window, stop request).
OknoMereniObrUseckami* oknoMereniObrUseckami = nullptr;
VlaknoNastroje vlaknoMereni(IDS_MERENI_USECKAMI);

NastaveniMereni NastaveniUseku() { return nastaveniObrazovka ? nastaveniObrazovka->mereniUseky : NastaveniMereni(); }

}  // namespace

OknoMereniObrUseckami::OknoMereniObrUseckami() {
    NastavitKlic(aplikace.klicAplikace);
    m_kurzor = ::LoadCursorW(nullptr, IDC_CROSS);
    zobrazitZoom = NastaveniUseku().zobrazitZoom;
}

OknoMereniObrUseckami::~OknoMereniObrUseckami() {
    vysledky.reset();
    if (m_pamet && m_puvodniBitmapa) ::SelectObject(m_pamet.Get(), m_puvodniBitmapa);
}

void OknoMereniObrUseckami::Vytvorit() {
    m_sirka = ::GetSystemMetrics(SM_CXSCREEN);
    m_vyska = ::GetSystemMetrics(SM_CYSCREEN);
    {
        knihovna::DcOkna obrazovka(nullptr);
        Overit(static_cast<bool>(obrazovka));
        m_pamet.Nastavit(::CreateCompatibleDC(obrazovka.Get()));
        Overit(static_cast<bool>(m_pamet));
        m_snimek.Nastavit(::CreateCompatibleBitmap(obrazovka.Get(), m_sirka, m_vyska));
        Overit(static_cast<bool>(m_snimek));
        m_puvodniBitmapa = ::SelectObject(m_pamet.Get(), m_snimek.Get());
        Overit(::BitBlt(m_pamet.Get(), 0, 0, m_sirka, m_vyska, obrazovka.Get(), 0, 0, SRCCOPY) != 0);
    }
    m_pero.Nastavit(::CreatePen(PS_INSIDEFRAME, 1, RGB(255, 0, 0)));
    Overit(static_cast<bool>(m_pero));

    const std::wstring trida = knihovna::Retezec(IDS_POLOHA_MERENI_USECKY);
    std::wstring titulek;
    FormatovatTextSDoplnkem(IDS_MERENI_USECKAMI, titulek);
    RECT r{0, 0, m_sirka, m_vyska};
    OknoImpl::Vytvorit(nullptr, &r, titulek.c_str(), WS_POPUP, WS_EX_TOPMOST, trida.c_str(), nullptr, nullptr, 0,
                       static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)));
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(aplikace.malaIkona.Get()));

    vysledky = std::make_unique<DlgVysledkyMereniObrUsecky>();
    vysledky->Vytvorit(m_hWnd);
    vysledky->vlastnik = m_hWnd;
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
    // The panel goes on top only after the window is active, which would otherwise cover it.
    ::ShowWindow(vysledky->m_hWnd, SW_SHOWNOACTIVATE);
    ::SetWindowPos(vysledky->m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (zobrazitZoom && vysledky->seznam) ::ShowWindow(vysledky->seznam, SW_HIDE);
}

LRESULT OknoMereniObrUseckami::OnPaint(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (!m_pamet) return VychoziZpracovani(msg, w, l);
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    ::BitBlt(dc, 0, 0, m_sirka, m_vyska, m_pamet.Get(), 0, 0, SRCCOPY);
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

LRESULT OknoMereniObrUseckami::OnSetCursor(UINT, WPARAM, LPARAM, BOOL&) {
    ::SetCursor(m_kurzor);
    return TRUE;
}

void OknoMereniObrUseckami::KreslitUsecku(HDC dc, int ax, int ay, int bx, int by) const {
    const int puvodniRop = ::SetROP2(dc, R2_NOT);
    HGDIOBJ puvodniPero = ::SelectObject(dc, m_pero.Get());
    ::MoveToEx(dc, ax, ay, nullptr);
    ::LineTo(dc, bx, by);
    ::SelectObject(dc, puvodniPero);
    ::SetROP2(dc, puvodniRop);
}

LRESULT OknoMereniObrUseckami::OnLButtonDown(UINT, WPARAM, LPARAM l, BOOL&) {
    if (!usecka) {
        x1 = x2 = LOWORD(l);
        y1 = y2 = HIWORD(l);
        usecka = true;
        if (vysledky) {
            vysledky->ZobrazitStart(x1, y1);
            vysledky->NastavitSystemoveMenu(false);
        }
    } else {
        // The line ends where the button went down, whatever move came last: the click's own
        // position goes through the move handling first (line redrawn, readouts updated).
        BOOL zpracovano = TRUE;
        OnMouseMove(WM_MOUSEMOVE, 0, l, zpracovano);
        const VysledekMereni v = Zmerit(x1, y1, x2, y2);
        delka = v.delka;
        dx = v.dx;
        dy = v.dy;
        if (vysledky) {
            vysledky->PridatUsecku(x1, y1, x2, y2);
            vysledky->NastavitSystemoveMenu(true);
        }
        usecka = false;
    }
    return 0;
}

LRESULT OknoMereniObrUseckami::OnMouseMove(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    const int x = static_cast<short>(LOWORD(l));
    const int y = static_cast<short>(HIWORD(l));
    if (vysledky) vysledky->ZobrazitPolohu(x, y);
    if (usecka) {
        knihovna::DcOkna dc(m_hWnd);
        const bool smazano = x2 != x1 || y2 != y1;
        if (dc && smazano) KreslitUsecku(dc.Get(), x1, y1, x2, y2);
        x2 = x;
        y2 = y;
        if (dc) KreslitUsecku(dc.Get(), x1, y1, x2, y2);
        const VysledekMereni v = Zmerit(x1, y1, x2, y2);
        delka = v.delka;
        dx = v.dx;
        dy = v.dy;
        if (vysledky) vysledky->ZobrazitBody(x1, y1, x2, y2);
    }
    if (zobrazitZoom && vysledky) {
        POINT bod{x, y};
        ::ClientToScreen(m_hWnd, &bod);
        vysledky->AktualizovatLupu(bod);
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoMereniObrUseckami::OnKeyDown(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (w == VK_ESCAPE) {
        Odeslat(WM_CLOSE);
        return 0;
    }
    if (w == NastaveniUseku().klavesaZobrazitZoom) {
        zobrazitZoom = !zobrazitZoom;
        if (vysledky && vysledky->seznam) {
            ::ShowWindow(vysledky->seznam, zobrazitZoom ? SW_HIDE : SW_SHOW);
            if (!zobrazitZoom) ::InvalidateRect(vysledky->m_hWnd, nullptr, TRUE);
        }
        return 0;
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoMereniObrUseckami::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    // Escape during a line does nothing; the stop command closes at any time.
    if (usecka && !Zastavovano()) return 0;
    ::SetCursor(nullptr);
    if (vysledky) {
        if (vysledky->m_hWnd && ::IsWindowVisible(vysledky->m_hWnd)) vysledky->UlozitPolohuPanelu();
        vysledky.reset();
    }
    Poslat(WM_SETICON, ICON_BIG, 0);
    Poslat(WM_SETICON, ICON_SMALL, 0);
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoMereniObrUseckami::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::SetCursor(nullptr);
    ::PostQuitMessage(0);
    return VychoziZpracovani(msg, w, l);
}

unsigned __stdcall OknoMereniObrUseckami::ProceduraVlakna(void*) {
    auto uklidit = [] {
        vlaknoMereni.OknoZruseno();
        OknoMereniObrUseckami* okno = oknoMereniObrUseckami;
        oknoMereniObrUseckami = nullptr;
        delete okno;
    };
    try {
        oknoMereniObrUseckami = new OknoMereniObrUseckami();
        oknoMereniObrUseckami->Vytvorit();
        vlaknoMereni.OknoVytvoreno(oknoMereniObrUseckami->m_hWnd);
        knihovna::SmyckaZprav();
        uklidit();
        return 0;
    } catch (const knihovna::Chyba& chyba) {
        uklidit();
        HlasitChybuVlaknaNastroje(aplikace, chyba, IDS_MERENI_USECKAMI);
    } catch (...) {
        uklidit();
    }
    return static_cast<unsigned>(-1);
}

bool OknoMereniObrUseckami::Bezi() { return vlaknoMereni.Bezi(); }

HWND OknoMereniObrUseckami::OknoNastroje() { return vlaknoMereni.Okno(); }

bool OknoMereniObrUseckami::Zastavovano() { return vlaknoMereni.ZastaveniPozadovano(); }

void OknoMereniObrUseckami::Spustit() {
    try {
        vlaknoMereni.Spustit(ProceduraVlakna);
    } catch (const knihovna::Chyba& chyba) {
        HlasitChybuSpusteniNastroje(chyba, IDS_MERENI_USECKAMI);
    }
}

void OknoMereniObrUseckami::Zastavit() { vlaknoMereni.Zastavit(); }
