// What the clock's and the stopwatch's desktop windows share: the styles from the window flags
// 0x04 (on top), 0x20 (background colour see-through) and 0x40 (border), the font and
// background brush, the size fitted to a sample text, the corner placement and the painting.
#pragma once

#include <windows.h>

#include <string>

#include "knihovna/chyba.h"
#include "knihovna/okno.h"
#include "knihovna/uchyt.h"

inline DWORD StylOknaCasovace(DWORD okno) { return WS_POPUP | ((okno & 0x40) ? WS_BORDER : 0); }
// Without WS_EX_TOOLWINDOW, which the caller adds where it wants it.
inline DWORD RozsirenyStylOknaCasovace(DWORD okno) {
    return ((okno & 0x04) ? WS_EX_TOPMOST : 0) | ((okno & 0x20) ? WS_EX_LAYERED : 0);
}

inline void VytvoritPismoCasovace(knihovna::UchytPisma& pismo, LOGFONTW vzor) {
    pismo.Nastavit(::CreateFontIndirectW(&vzor));
    knihovna::Overit(static_cast<bool>(pismo));
}

inline void VytvoritPozadiCasovace(knihovna::UchytStetce& pozadi, COLORREF barva) {
    pozadi.Nastavit(::CreateSolidBrush(barva));
    knihovna::Overit(static_cast<bool>(pozadi));
}

// The background colour becomes see-through when flag 0x20 is set.
inline void NastavitPruhlednostCasovace(HWND h, DWORD okno, COLORREF pozadi) {
    if (okno & 0x20) knihovna::Overit(::SetLayeredWindowAttributes(h, pozadi, 0, LWA_COLORKEY) != 0);
}

// Work area of the monitor that holds most of the rectangle.
inline RECT PracovniOblastCasovace(const RECT& okno) { return knihovna::PracovniOblastProObdelnik(okno); }

// Where a window of the new size goes: an edge that touched the work area's edge (the corner
// placements) stays there, and the whole window stays inside the work area.
inline RECT UkotvenyObdelnikCasovace(const RECT& predtim, int sirka, int vyska, const RECT& prace) {
    RECT r{predtim.left, predtim.top, predtim.left + sirka, predtim.top + vyska};
    if (predtim.right >= prace.right) ::OffsetRect(&r, predtim.right - r.right, 0);
    if (predtim.bottom >= prace.bottom) ::OffsetRect(&r, 0, predtim.bottom - r.bottom);
    if (r.right > prace.right) ::OffsetRect(&r, prace.right - r.right, 0);
    if (r.bottom > prace.bottom) ::OffsetRect(&r, 0, prace.bottom - r.bottom);
    if (r.left < prace.left) ::OffsetRect(&r, prace.left - r.left, 0);
    if (r.top < prace.top) ::OffsetRect(&r, 0, prace.top - r.top);
    return r;
}

// Sizes the window to the sample text in its font, with a margin of okrajX by 1 pixel; a window
// anchored to a corner of the work area keeps that corner.
inline void PrizpusobitVelikostCasovace(HWND h, HFONT pismo, const std::wstring& vzor, int okrajX, DWORD okno) {
    knihovna::DcOkna dc(h);
    knihovna::Overit(static_cast<bool>(dc));
    knihovna::VybranyObjekt vybrane(dc.Get(), pismo);
    SIZE velikost{};
    knihovna::Overit(::GetTextExtentPoint32W(dc.Get(), vzor.c_str(), static_cast<int>(vzor.size()), &velikost) != 0);
    RECT r{0, 0, velikost.cx, velikost.cy};
    ::InflateRect(&r, okrajX, 1);
    knihovna::Overit(::AdjustWindowRect(&r, StylOknaCasovace(okno), FALSE) != 0);
    RECT predtim;
    knihovna::Overit(::GetWindowRect(h, &predtim) != 0);
    const RECT novy = UkotvenyObdelnikCasovace(predtim, r.right - r.left, r.bottom - r.top, PracovniOblastCasovace(predtim));
    ::SetWindowPos(h, nullptr, novy.left, novy.top, novy.right - novy.left, novy.bottom - novy.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

// Without a stored position: the top or the bottom right corner of the work area.
inline void UmistitDoRohuCasovace(HWND h, bool dole) {
    RECT okno;
    knihovna::Overit(::GetWindowRect(h, &okno) != 0);
    const RECT prace = PracovniOblastCasovace(okno);
    const int y = dole ? prace.bottom - (okno.bottom - okno.top) : prace.top;
    ::SetWindowPos(h, nullptr, prace.right - (okno.right - okno.left), y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Applies changed window flags: styles, z-order, shown again with `zobrazeni`, see-through colour.
inline void PouzitStylCasovace(HWND h, DWORD okno, DWORD rozsireny, int zobrazeni, COLORREF pozadi) {
    ::SetWindowLongW(h, GWL_STYLE, static_cast<LONG>(StylOknaCasovace(okno)));
    ::SetWindowLongW(h, GWL_EXSTYLE, static_cast<LONG>(rozsireny));
    ::SetWindowPos(h, (okno & 0x04) ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_FRAMECHANGED | SWP_NOACTIVATE);
    ::ShowWindow(h, SW_HIDE);
    ::ShowWindow(h, zobrazeni);
    NastavitPruhlednostCasovace(h, okno, pozadi);
}

// Swaps the window's font for a new one made from the settings.
inline void VymenitPismoCasovace(HWND h, knihovna::UchytPisma& pismo, const LOGFONTW& vzor) {
    ::SendMessageW(h, WM_SETFONT, 0, 0);
    VytvoritPismoCasovace(pismo, vzor);
    ::SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(pismo.Get()), 0);
}

// Paints the text centred on the background.
inline void KreslitTextCasovace(HWND h, HBRUSH pozadi, HFONT pismo, COLORREF barva, const std::wstring& text) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(h, &ps);
    RECT klient;
    ::GetClientRect(h, &klient);
    ::FillRect(dc, &klient, pozadi);
    {
        knihovna::VybranyObjekt vybrane(dc, pismo);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, barva);
        ::DrawTextW(dc, text.c_str(), -1, &klient, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    ::EndPaint(h, &ps);
}

// The commands both windows pass to the main window: their settings page (40002 with `stranka`)
// and 40020-40023. False for any other command.
inline bool PredatPrikazCasovace(UINT id, UINT stranka) {
    switch (id) {
        case 40002:
            if (HWND hlavni = knihovna::ziskatHlavniOkno ? knihovna::ziskatHlavniOkno() : nullptr)
                ::PostMessageW(hlavni, WM_COMMAND, 40002, stranka);
            return true;
        case 40020:
        case 40021:
        case 40022:
        case 40023: knihovna::PoslatPrikazHlavnimuOknu(id); return true;
        default: return false;
    }
}
