#include "clipboard/listboxy.h"

#include "knihovna/chyba.h"

using knihovna::Overit;

namespace {

HWND VytvoritSeznam(HWND rodic, UINT id, DWORD styl, const wchar_t* trida) {
    HWND h = ::CreateWindowExW(0, trida, L"", styl, 0, 0, 0, 0, rodic, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               ::GetModuleHandleW(nullptr), nullptr);
    Overit(h != nullptr);
    ::SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return h;
}

bool CtrlStisknuto() { return (::GetKeyState(VK_CONTROL) & 0x8000) != 0; }

}  // namespace

LRESULT PredatKontextoveMenu(HWND seznam, WPARAM w, LPARAM l) {
    ::PostMessageW(::GetParent(seznam), WM_CONTEXTMENU, w, l);
    return 0;
}

bool TazeniSeznamu::Tahnout(HWND seznam) const {
    if (!povoleno || !*povoleno || !CtrlStisknuto()) return false;
    ::SendMessageW(::GetParent(seznam), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    return true;
}

void ListBoxSchranky::Vytvorit(HWND rodic, UINT id, DWORD styl) {
    Pripojit(VytvoritSeznam(rodic, id, styl, L"ListBox"));
}

LRESULT ListBoxSchranky::OnLButtonDown(UINT, WPARAM, LPARAM, BOOL& zpracovano) {
    if (!Tahnout(m_hWnd)) zpracovano = FALSE;
    return 0;
}

LRESULT ListBoxSchranky::OnLButtonUp(UINT, WPARAM, LPARAM, BOOL& zpracovano) {
    if (!(povoleno && *povoleno && CtrlStisknuto())) zpracovano = FALSE;
    return 0;
}

void ListBoxSeznam::Vytvorit(HWND rodic, UINT id, DWORD styl) {
    RegistrovatSuperTridu(L"ListBox", TRIDA);
    RECT r{0, 0, 0, 0};
    knihovna::OknoImpl<ListBoxSeznam, knihovna::ListBox>::Vytvorit(rodic, &r, L"", styl, 0, TRIDA, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
    Poslat(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

bool ListBoxSeznam::JeHlasenaKlavesa(WPARAM klavesa) {
    switch (klavesa) {
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
        case VK_INSERT:
        case VK_DELETE: return true;
        default: return false;
    }
}

LRESULT ListBoxSeznam::OnKeyDown(UINT, WPARAM w, LPARAM, BOOL& zpracovano) {
    if (JeHlasenaKlavesa(w)) ::PostMessageW(::GetParent(m_hWnd), knihovna::ZPRAVA_PRVKU, w, reinterpret_cast<LPARAM>(m_hWnd));
    zpracovano = FALSE;
    return 0;
}

LRESULT ListBoxSeznam::OnChar(UINT, WPARAM w, LPARAM, BOOL& zpracovano) {
    if (w >= L' ') {
        const wchar_t text[2] = {static_cast<wchar_t>(w), L'\0'};
        Poslat(LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    }
    zpracovano = FALSE;
    return 0;
}

LRESULT ListBoxSeznam::OnCommand(UINT, WPARAM w, LPARAM l, BOOL& zpracovano) {
    if (HIWORD(w) == 1) ::PostMessageW(::GetParent(m_hWnd), WM_COMMAND, w, l);
    zpracovano = FALSE;
    return 0;
}
