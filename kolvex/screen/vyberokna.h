// The window picker "Výběr okna": a small top-most window with a cross-hair; the user drags
// from it over the screen, each window under the mouse is framed and described in a balloon,
// and the window under the released button is chosen.
#pragma once

#include <windows.h>

#include "knihovna/okno.h"

class OknoVyberOkna : public knihovna::OknoImpl<OknoVyberOkna, knihovna::Okno> {
public:
    OknoVyberOkna();

    HWND oznaceneOkno = nullptr;  // the window framed now
    int sirkaRamu = 3;

    void Vytvorit();
    // Draws (or, drawn again, erases) the red inverting frame of a window on the screen.
    void OznacitOkno(HWND okno) const;
    void ZobrazitInfo() const;

    static unsigned __stdcall ProceduraVlakna(void*);

    KNIHOVNA_MAPA_ZPRAV(OknoVyberOkna)
        ZPRAVA(WM_PAINT, OnPaint)
        ZPRAVA(WM_LBUTTONDOWN, OnLButtonDown)
        ZPRAVA(WM_MOUSEMOVE, OnMouseMove)
        ZPRAVA(WM_LBUTTONUP, OnLButtonUp)
        ZPRAVA(WM_KEYDOWN, OnKeyDown)
        ZPRAVA(WM_DESTROY, OnDestroy)
    KNIHOVNA_KONEC_MAPY()

private:
    HCURSOR m_kurzor = nullptr;  // shared resource cursor, not destroyed

    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnLButtonDown(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMouseMove(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnLButtonUp(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnKeyDown(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    // Erases the frame of the framed window, if any.
    void SmazatRam();
};

// Runs the picker on its own thread and waits for it: the chosen window, or null when the user
// chose none or a pick is already under way. A failed thread start raises.
HWND VybratOkno();
// Whether a pick is under way (its thread runs).
bool BeziVyberOkna();
// Any thread: ends a pick under way (nothing chosen); VybratOkno then returns.
void UkoncitVyberOkna();
