// A child window with two panes, one above or beside the other, separated by a bar that the
// user drags with the mouse. The panes' commands (and, on request, notifications) go on to
// the container's parent.
#pragma once

#include <windows.h>

#include "okno.h"

namespace brenvald {

class RozdelovacKontejner : public knihovna::OknoImpl<RozdelovacKontejner, knihovna::OknoObal> {
public:
    RozdelovacKontejner() = default;
    ~RozdelovacKontejner() override;

    KNIHOVNA_MAPA_ZPRAV(RozdelovacKontejner)
        ZPRAVA(WM_ERASEBKGND, OnEraseBkgnd)
        ZPRAVA(WM_COMMAND, OnCommand)
        ZPRAVA(WM_LBUTTONDOWN, OnLButtonDown)
        ZPRAVA(WM_LBUTTONUP, OnLButtonUp)
        ZPRAVA(WM_MOUSEMOVE, OnMouseMove)
        ZPRAVA(WM_NOTIFY, OnNotify)
        ZPRAVA(WM_PAINT, OnPaint)
        ZPRAVA(WM_SETCURSOR, OnSetCursor)
        ZPRAVA(WM_SIZE, OnSize)
    KNIHOVNA_KONEC_MAPY()

    // Creates the container (rectangle in the parent's client coordinates): panes one above the
    // other, split at 140 px, commands forwarded.
    void Vytvorit(HWND rodic, const RECT& obdelnik);

    // Set by the owner; the panes must be child windows of the container.
    knihovna::OknoObal* prvniPanel = nullptr;  // upper or left
    knihovna::OknoObal* druhyPanel = nullptr;  // lower or right
    bool tazeni = false;
    bool predavatPrikazy = false;
    bool predavatNotifikace = false;
    int pozice = 200;     // height (one above the other) or width of the first pane, in pixels
    int sirkaPruhu = 4;   // gap between the panes
    bool nadSebou = true; // false: side by side

    // Lays the panes out for a client area of this size.
    void Rozmistit(int sirka, int vyska);

private:
    HBRUSH m_stetec = nullptr;

    bool MaObaPanely() const;
    // Lays the panes out with the bar at the pointer (clamped to the client area).
    void RozmistitUkazatel(int x, int y);

    LRESULT OnEraseBkgnd(UINT, WPARAM, LPARAM, BOOL& zpracovano);
    LRESULT OnCommand(UINT, WPARAM w, LPARAM l, BOOL& zpracovano);
    LRESULT OnLButtonDown(UINT, WPARAM, LPARAM, BOOL& zpracovano);
    LRESULT OnLButtonUp(UINT, WPARAM, LPARAM, BOOL& zpracovano);
    LRESULT OnMouseMove(UINT, WPARAM, LPARAM l, BOOL& zpracovano);
    LRESULT OnNotify(UINT, WPARAM w, LPARAM l, BOOL& zpracovano);
    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL& zpracovano);
    LRESULT OnSetCursor(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSize(UINT, WPARAM, LPARAM l, BOOL& zpracovano);
};

}  // namespace brenvald
