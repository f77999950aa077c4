#include "rozdelovac.h"

#include <windowsx.h>

#include <algorithm>

namespace brenvald {

using knihovna::Overit;

namespace {
const wchar_t* const tridaKontejneru = L"QRozdelovacKontejner";

void Umistit(const knihovna::OknoObal* panel, int x, int y, int sirka, int vyska) {
    if (panel && panel->m_hWnd)
        ::SetWindowPos(panel->m_hWnd, nullptr, x, y, std::max(sirka, 0), std::max(vyska, 0), SWP_NOZORDER);
}
}  // namespace

RozdelovacKontejner::~RozdelovacKontejner() {
    if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
    if (m_stetec) ::DeleteObject(m_stetec);
    m_stetec = nullptr;
}

void RozdelovacKontejner::Vytvorit(HWND rodic, const RECT& obdelnik) {
    if (m_stetec) {
        HBRUSH stary = m_stetec;
        m_stetec = nullptr;
        Overit(::DeleteObject(stary) != 0);
    }
    m_stetec = ::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
    Overit(m_stetec != nullptr);
    OknoImpl::Vytvorit(rodic, &obdelnik, L"", WS_CHILD, 0, tridaKontejneru, nullptr, nullptr, 0,
                       reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_APPWORKSPACE + 1)));
    nadSebou = true;
    predavatPrikazy = true;
    pozice = 140;
    predavatNotifikace = false;
    ::ShowWindow(m_hWnd, SW_SHOW);
}

bool RozdelovacKontejner::MaObaPanely() const { return prvniPanel && druhyPanel; }

void RozdelovacKontejner::Rozmistit(int sirka, int vyska) {
    const int p = pozice, b = sirkaPruhu;
    if (nadSebou) {
        Umistit(prvniPanel, 0, 0, sirka, druhyPanel ? p : vyska);
        Umistit(druhyPanel, 0, p + b, sirka, vyska - p - b);
    } else {
        Umistit(prvniPanel, 0, 0, druhyPanel ? p : sirka, vyska);
        Umistit(druhyPanel, p + b, 0, sirka - p - b, vyska);
    }
}

void RozdelovacKontejner::RozmistitUkazatel(int x, int y) {
    RECT r;
    ::GetClientRect(m_hWnd, &r);
    const int W = r.right, H = r.bottom, b = sirkaPruhu;
    // The bar stays inside the container, however far the pointer goes.
    if (nadSebou) {
        y = std::clamp(y, 0, std::max(H - b, 0));
        Umistit(prvniPanel, 0, 0, W, y);
        Umistit(druhyPanel, 0, b + y, W, H - b - y);
    } else {
        x = std::clamp(x, 0, std::max(W - b, 0));
        Umistit(prvniPanel, 0, 0, x, H);
        Umistit(druhyPanel, b + x, 0, W - x - b, H);
    }
}

LRESULT RozdelovacKontejner::OnEraseBkgnd(UINT, WPARAM, LPARAM, BOOL& zpracovano) {
    if (!prvniPanel) zpracovano = FALSE;
    return 0;
}

LRESULT RozdelovacKontejner::OnCommand(UINT, WPARAM w, LPARAM l, BOOL& zpracovano) {
    if (predavatPrikazy) ::PostMessageW(::GetParent(m_hWnd), WM_COMMAND, w, l);
    zpracovano = FALSE;
    return 0;
}

LRESULT RozdelovacKontejner::OnLButtonDown(UINT, WPARAM, LPARAM, BOOL& zpracovano) {
    if (MaObaPanely()) {
        tazeni = true;
        ::SetCapture(m_hWnd);
    }
    zpracovano = FALSE;
    return 0;
}

LRESULT RozdelovacKontejner::OnLButtonUp(UINT, WPARAM, LPARAM, BOOL& zpracovano) {
    if (MaObaPanely()) {
        const bool tahl = tazeni;
        tazeni = false;
        if (::GetCapture() == m_hWnd) ::ReleaseCapture();
        if (tahl) {
            RECT r;
            if (::GetWindowRect(prvniPanel->m_hWnd, &r)) pozice = nadSebou ? r.bottom - r.top : r.right - r.left;
        }
    }
    zpracovano = FALSE;
    return 0;
}

LRESULT RozdelovacKontejner::OnMouseMove(UINT, WPARAM, LPARAM l, BOOL& zpracovano) {
    if (MaObaPanely() && tazeni) RozmistitUkazatel(GET_X_LPARAM(l), GET_Y_LPARAM(l));
    zpracovano = FALSE;
    return 0;
}

LRESULT RozdelovacKontejner::OnNotify(UINT, WPARAM w, LPARAM l, BOOL& zpracovano) {
    if (predavatNotifikace) ::SendMessageW(::GetParent(m_hWnd), WM_NOTIFY, w, l);
    zpracovano = FALSE;
    return 0;
}

LRESULT RozdelovacKontejner::OnPaint(UINT, WPARAM, LPARAM, BOOL& zpracovano) {
    if (!prvniPanel) {
        zpracovano = FALSE;
        return 0;
    }
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT pruh, panel;
    ::GetClientRect(m_hWnd, &pruh);
    if (dc && prvniPanel->m_hWnd && ::GetWindowRect(prvniPanel->m_hWnd, &panel)) {
        if (nadSebou) {
            pruh.top = panel.bottom - panel.top;
            pruh.bottom = pruh.top + sirkaPruhu;
        } else {
            pruh.left = panel.right - panel.left;
            pruh.right = pruh.left + sirkaPruhu;
        }
        ::FillRect(dc, &pruh, m_stetec);
    }
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

LRESULT RozdelovacKontejner::OnSetCursor(UINT, WPARAM, LPARAM, BOOL&) {
    POINT bod;
    ::GetCursorPos(&bod);
    HWND podUkazatelem = ::WindowFromPoint(bod);
    if (podUkazatelem == m_hWnd) {
        if (MaObaPanely()) ::SetCursor(::LoadCursorW(nullptr, nadSebou ? IDC_SIZENS : IDC_SIZEWE));
        return TRUE;
    }
    // Over a pane the pane's own cursor (an arrow over a list, the I-beam over an edit).
    return FALSE;
}

LRESULT RozdelovacKontejner::OnSize(UINT, WPARAM, LPARAM l, BOOL& zpracovano) {
    Rozmistit(LOWORD(l), HIWORD(l));
    zpracovano = FALSE;
    return 0;
}

}  // namespace brenvald
