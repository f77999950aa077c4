#include "screen/mereniuseckami.h"

#include <process.h>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/hlaseni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/text.h"
#include "resources/resource.h"
#include "screen/vypocty.h"

using knihovna::Overit;

namespace {

std::atomic<OknoMereniObrUseckami*> oknoMereniObrUseckami{nullptr};
// A stop asked for before the window existed: the thread closes the window once it is made.
std::atomic<bool> pozadovanoZastaveni{false};
// Only the screen module's thread starts and stops the tool and closes this handle.
HANDLE vlaknoMereniUseckami = nullptr;

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
    if (usecka && !zastavit) return 0;
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
    try {
        oknoMereniObrUseckami = new OknoMereniObrUseckami();
        oknoMereniObrUseckami.load()->Vytvorit();
        if (pozadovanoZastaveni) {
            oknoMereniObrUseckami.load()->zastavit = true;
            oknoMereniObrUseckami.load()->Odeslat(WM_CLOSE);
        }
        knihovna::SmyckaZprav();
        OknoMereniObrUseckami* okno = oknoMereniObrUseckami;
        oknoMereniObrUseckami = nullptr;
        delete okno;
        return 0;
    } catch (const knihovna::Chyba& chyba) {
        OknoMereniObrUseckami* okno = oknoMereniObrUseckami;
        oknoMereniObrUseckami = nullptr;
        delete okno;
        HlasitChybuVlaknaNastroje(aplikace, chyba, IDS_MERENI_USECKAMI);
    } catch (...) {
        OknoMereniObrUseckami* okno = oknoMereniObrUseckami;
        oknoMereniObrUseckami = nullptr;
        delete okno;
    }
    return static_cast<unsigned>(-1);
}

bool OknoMereniObrUseckami::Bezi() {
    if (!vlaknoMereniUseckami) return false;
    if (::WaitForSingleObject(vlaknoMereniUseckami, 0) == WAIT_TIMEOUT) return true;
    ::CloseHandle(vlaknoMereniUseckami);
    vlaknoMereniUseckami = nullptr;
    return false;
}

HWND OknoMereniObrUseckami::OknoNastroje() {
    OknoMereniObrUseckami* okno = oknoMereniObrUseckami;
    return okno ? okno->m_hWnd : nullptr;
}

void OknoMereniObrUseckami::Spustit() {
    if (Bezi()) return;
    pozadovanoZastaveni = false;
    try {
        auto vlakno = reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, ProceduraVlakna, nullptr, 0, nullptr));
        Overit(vlakno != nullptr);
        vlaknoMereniUseckami = vlakno;
    } catch (const knihovna::Chyba& chyba) {
        HlasitChybuSpusteniNastroje(chyba, IDS_MERENI_USECKAMI);
    }
}

void OknoMereniObrUseckami::Zastavit() {
    if (!Bezi()) return;
    pozadovanoZastaveni = true;
    if (OknoMereniObrUseckami* okno = oknoMereniObrUseckami) {
        okno->zastavit = true;
        if (okno->m_hWnd && ::IsWindow(okno->m_hWnd)) ::PostMessageW(okno->m_hWnd, WM_CLOSE, 0, 0);
    }
    if (::WaitForSingleObject(vlaknoMereniUseckami, static_cast<DWORD>(aplikace.nastaveni.casovyLimitModulu)) !=
        WAIT_OBJECT_0) {
        HlasitChybuUkonceniNastroje(aplikace, knihovna::Chyba(knihovna::HresultZKodu(WAIT_TIMEOUT)),
                                    IDS_MERENI_USECKAMI);
        return;
    }
    ::CloseHandle(vlaknoMereniUseckami);
    vlaknoMereniUseckami = nullptr;
}
