// The list boxes of the clipboard tools. Each reports keys to its owner window instead of acting
// on them: Enter and a double click become WM_APP+2 (VK_RETURN), Esc WM_APP+2 (VK_ESCAPE).
#pragma once

#include <windows.h>

#include "knihovna/prvky.h"

// WM_CONTEXTMENU posted on to the parent, and only that: the list box's default processing would
// send the same request to the parent a second time, so that a second menu followed the first.
LRESULT PredatKontextoveMenu(HWND seznam, WPARAM w, LPARAM l);

// Ctrl + left drag in a list moves its window, while the owning window's option allows it.
class TazeniSeznamu {
public:
    const bool* povoleno = nullptr;  // the option of the owning window's settings section
    bool Tahnout(HWND seznam) const;
};

// A list of the clipboard tools: reports Enter, Esc and a double click, passes the context-menu
// request on, and lets Ctrl + left drag move the window.
class ListBoxSchranky : public knihovna::ListBoxImpl<ListBoxSchranky>, public TazeniSeznamu {
public:
    KNIHOVNA_MAPA_ZPRAV(ListBoxSchranky)
        ZPRAVA(WM_KEYDOWN, OznamitEnterEsc)
        ZPRAVA(WM_GETDLGCODE, OnGetDlgCode)
        ZPRAVA(WM_CHAR, VybratPodlePismene)
        ZPRAVA(WM_LBUTTONDBLCLK, OznamitDvojklik)
        ZPRAVA(WM_CONTEXTMENU, PredatKontextoveMenu)
        ZPRAVA(WM_LBUTTONDOWN, OnLButtonDown)
        ZPRAVA(WM_LBUTTONUP, OnLButtonUp)
    KNIHOVNA_KONEC_MAPY()

    // Creates the list box as a child and subclasses it.
    void Vytvorit(HWND rodic, UINT id, DWORD styl);

private:
    LRESULT OnGetDlgCode(UINT, WPARAM, LPARAM, BOOL&) { return DLGC_WANTALLKEYS; }
    LRESULT PredatKontextoveMenu(UINT, WPARAM w, LPARAM l, BOOL&) { return ::PredatKontextoveMenu(m_hWnd, w, l); }
    LRESULT OnLButtonDown(UINT, WPARAM, LPARAM, BOOL& zpracovano);
    LRESULT OnLButtonUp(UINT, WPARAM, LPARAM, BOOL& zpracovano);
};

// The operative clipboard's owner-drawn list; item data = position in the operative list.
class ListBoxOperativniSchranka : public ListBoxSchranky {};

// The plain list of the text-to-clipboard window.
class ListBoxSeznamTextu : public ListBoxSchranky {};

// Key-reporting list box of its own class "ListBoxSeznam" (a superclass of "ListBox"): posts
// WM_APP+2 (key, list) to its parent for Enter, Esc, the arrows, Insert and Delete, and for a
// double click (VK_RETURN); forwards accelerator commands (notification code 1) and the
// context-menu request. Every one of them except the context-menu request still gets the list
// box's own processing.
class ListBoxSeznam : public knihovna::ListBoxImpl<ListBoxSeznam> {
public:
    KNIHOVNA_MAPA_ZPRAV(ListBoxSeznam)
        ZPRAVA(WM_KEYDOWN, OnKeyDown)
        ZPRAVA(WM_GETDLGCODE, OnGetDlgCode)
        ZPRAVA(WM_CHAR, OnChar)
        ZPRAVA(WM_LBUTTONDBLCLK, OznamitDvojklik)
        ZPRAVA(WM_COMMAND, OnCommand)
        ZPRAVA(WM_CONTEXTMENU, PredatKontextoveMenu)
        VYCHOZI_ODRAZENI()
    KNIHOVNA_KONEC_MAPY()

    static constexpr const wchar_t* TRIDA = L"ListBoxSeznam";
    // Registers the class once and creates the list box as a child.
    void Vytvorit(HWND rodic, UINT id, DWORD styl);
    // Whether a key is one that the list reports.
    static bool JeHlasenaKlavesa(WPARAM klavesa);

private:
    LRESULT OnKeyDown(UINT, WPARAM w, LPARAM, BOOL& zpracovano);
    LRESULT OnGetDlgCode(UINT, WPARAM, LPARAM, BOOL&) { return DLGC_WANTALLKEYS; }
    LRESULT PredatKontextoveMenu(UINT, WPARAM w, LPARAM l, BOOL&) { return ::PredatKontextoveMenu(m_hWnd, w, l); }
    LRESULT OnChar(UINT, WPARAM w, LPARAM, BOOL& zpracovano);
    LRESULT OnCommand(UINT, WPARAM w, LPARAM l, BOOL& zpracovano);
};
