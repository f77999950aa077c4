// Lumeda's thin window, dialog and control classes.
#include "lumeda/brenvald.h"

#include <shellapi.h>

namespace Brenvald {

// ---- Okno ------------------------------------------------------------------------------------

LRESULT CALLBACK Okno::ProceduraOkna(HWND okno, UINT zprava, WPARAM w, LPARAM l) {
    if (zprava == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(l);
        auto* objekt = static_cast<Okno*>(cs->lpCreateParams);
        objekt->m_hWnd = okno;
        ::SetWindowLongPtrW(okno, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(objekt));
    }
    auto* objekt = reinterpret_cast<Okno*>(::GetWindowLongPtrW(okno, GWLP_USERDATA));
    if (objekt) {
        try {
            bool zpracovano = false;
            LRESULT vysledek = objekt->ZpracovatZpravu(zprava, w, l, zpracovano);
            if (zprava == WM_NCDESTROY) {
                ::SetWindowLongPtrW(okno, GWLP_USERDATA, 0);
                objekt->m_hWnd = nullptr;
            }
            if (zpracovano) return vysledek;
        } catch (...) {
            // no exception crosses the window procedure
        }
    }
    return ::DefWindowProcW(okno, zprava, w, l);
}

// ---- Dialog ----------------------------------------------------------------------------------

INT_PTR Dialog::Spustit(int id, HWND vlastnik) {
    return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), vlastnik, ProceduraDialogu,
                             reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK Dialog::ProceduraDialogu(HWND okno, UINT zprava, WPARAM w, LPARAM l) {
    if (zprava == WM_INITDIALOG) {
        auto* objekt = reinterpret_cast<Dialog*>(l);
        objekt->m_hWnd = okno;
        ::SetWindowLongPtrW(okno, DWLP_USER, l);
    }
    auto* objekt = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(okno, DWLP_USER));
    if (!objekt) return FALSE;
    try {
        return objekt->ZpracovatZpravu(zprava, w, l);
    } catch (...) {
        return FALSE;
    }
}

// ---- Podtrida --------------------------------------------------------------------------------

Podtrida::~Podtrida() { Odpojit(); }

void Podtrida::Pripojit(HWND okno) {
    Odpojit();
    if (!okno) return;
    m_hWnd = okno;
    ::SetPropW(okno, L"BrenvaldPodtrida", this);
    m_puvodni = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(okno, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedura)));
}

void Podtrida::Odpojit() {
    if (!m_hWnd) return;
    if (::IsWindow(m_hWnd)) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_puvodni));
        ::RemovePropW(m_hWnd, L"BrenvaldPodtrida");
    }
    m_hWnd = nullptr;
    m_puvodni = nullptr;
}

LRESULT Podtrida::Vychozi(UINT zprava, WPARAM w, LPARAM l) {
    return ::CallWindowProcW(m_puvodni, m_hWnd, zprava, w, l);
}

LRESULT Podtrida::ZpracovatZpravu(UINT, WPARAM, LPARAM, bool&) { return 0; }

LRESULT CALLBACK Podtrida::Procedura(HWND okno, UINT zprava, WPARAM w, LPARAM l) {
    auto* objekt = static_cast<Podtrida*>(::GetPropW(okno, L"BrenvaldPodtrida"));
    if (!objekt) return ::DefWindowProcW(okno, zprava, w, l);
    WNDPROC puvodni = objekt->m_puvodni;
    try {
        bool zpracovano = false;
        LRESULT vysledek = objekt->ZpracovatZpravu(zprava, w, l, zpracovano);
        if (zpracovano) return vysledek;
    } catch (...) {
    }
    if (zprava == WM_NCDESTROY) {
        objekt->Odpojit();
        return ::CallWindowProcW(puvodni, okno, zprava, w, l);
    }
    return ::CallWindowProcW(puvodni, okno, zprava, w, l);
}

// ---- EditCislo -------------------------------------------------------------------------------

void EditCislo::Pripojit(HWND edit, int minimum, int maximum, UINT hodnota) {
    Podtrida::Pripojit(edit);
    if (!m_hWnd) return;
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, ::GetWindowLongPtrW(m_hWnd, GWL_STYLE) | ES_NUMBER);
    m_minimum = minimum;
    m_maximum = maximum;
    ::SetDlgItemInt(::GetParent(m_hWnd), ::GetDlgCtrlID(m_hWnd), hodnota, FALSE);
}

bool EditCislo::Precist(UINT& hodnota) const {
    if (!m_hWnd) return false;
    BOOL ok = FALSE;
    UINT cislo = ::GetDlgItemInt(::GetParent(m_hWnd), ::GetDlgCtrlID(m_hWnd), &ok, FALSE);
    if (!ok) return false;
    if (m_minimum >= 0 && cislo < static_cast<UINT>(m_minimum)) return false;
    if (m_maximum >= 0 && cislo > static_cast<UINT>(m_maximum)) return false;
    hodnota = cislo;
    return true;
}

// ---- Odkaz -----------------------------------------------------------------------------------

Odkaz::~Odkaz() {
    if (m_pismo) ::DeleteObject(m_pismo);
}

void Odkaz::Pripojit(HWND staticky) {
    Podtrida::Pripojit(staticky);
    if (!m_hWnd) return;
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, (::GetWindowLongPtrW(m_hWnd, GWL_STYLE) & ~SS_TYPEMASK) | SS_NOTIFY | SS_OWNERDRAW);
    HFONT pismo = reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
    LOGFONTW lf{};
    if (::GetObjectW(pismo ? pismo : ::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf)) {
        lf.lfUnderline = TRUE;
        if (m_pismo) ::DeleteObject(m_pismo);
        m_pismo = ::CreateFontIndirectW(&lf);
    }
}

void Odkaz::NastavitText(const std::wstring& text) {
    ::SetWindowTextW(m_hWnd, text.c_str());
    ::InvalidateRect(::GetParent(m_hWnd), nullptr, TRUE);
}

void Odkaz::Kreslit(const DRAWITEMSTRUCT& di) {
    wchar_t text[512] = L"";
    ::GetWindowTextW(m_hWnd, text, 512);
    HGDIOBJ puvodni = ::SelectObject(di.hDC, m_pismo ? m_pismo : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(di.hDC, TRANSPARENT);
    ::SetTextColor(di.hDC, ::GetSysColor(COLOR_HOTLIGHT));
    RECT r = di.rcItem;
    ::DrawTextW(di.hDC, text, -1, &r, DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_NOPREFIX);
    ::SelectObject(di.hDC, puvodni);
}

LRESULT Odkaz::ZpracovatZpravu(UINT zprava, WPARAM w, LPARAM l, bool& zpracovano) {
    switch (zprava) {
        case WM_SETCURSOR:
            ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
            zpracovano = true;
            return TRUE;
        case WM_LBUTTONUP:
            Kliknuti();
            break;
        case WM_DESTROY:
            if (m_pismo) {
                ::DeleteObject(m_pismo);
                m_pismo = nullptr;
            }
            break;
        default:
            break;
    }
    (void)w;
    (void)l;
    return 0;
}

void OdkazUrl::Kliknuti() {
    if (m_adresa.empty()) return;
    std::wstring adresa = m_adresa;
    if (adresa.find(L"://") == std::wstring::npos) adresa = L"http://" + adresa;
    ::ShellExecuteW(nullptr, L"open", adresa.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// ---- ToolTip ---------------------------------------------------------------------------------

ToolTip::~ToolTip() {
    if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

void ToolTip::Vytvorit(HWND vlastnik, bool bublina) {
    m_vlastnik = vlastnik;
    m_hWnd = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | (bublina ? TTS_BALLOON : 0),
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, vlastnik, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
}

void ToolTip::PridatNastroj(HWND prvek, const wchar_t* text) {
    if (!m_hWnd || !prvek) return;
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = m_vlastnik;
    ti.uId = reinterpret_cast<UINT_PTR>(prvek);
    ti.lpszText = const_cast<wchar_t*>(text);
    ::SendMessageW(m_hWnd, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

}  // namespace Brenvald
