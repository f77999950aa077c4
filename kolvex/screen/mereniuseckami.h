// Measuring with lines: a full-screen window over a frozen picture of the screen on which the
// user draws straight lines; the results panel shows the current line and lists the finished
// ones. Runs on a thread of its own, started and stopped by the screen module (40128).
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>

#include "knihovna/okno.h"
#include "knihovna/uchyt.h"
#include "screen/vysledkymereni.h"

class OknoMereniObrUseckami : public knihovna::OknoImpl<OknoMereniObrUseckami, knihovna::Okno> {
public:
    OknoMereniObrUseckami();
    ~OknoMereniObrUseckami() override;

    bool usecka = false;       // a line is being drawn
    bool zobrazitZoom = true;  // the magnifier replaces the panel's list
    int x1 = -1, y1 = -1, x2 = -1, y2 = -1;
    int delka = 0, dx = 0, dy = 0;
    std::unique_ptr<DlgVysledkyMereniObrUsecky> vysledky;

    void Vytvorit();

    // Starts the tool when it does not run; a failed start is reported as a tool's start failure.
    static void Spustit();
    // Closes the tool (also while a line is being drawn) and waits the module stop time;
    // a tool still running then is reported as a failed stop.
    static void Zastavit();
    static bool Bezi();
    static unsigned __stdcall ProceduraVlakna(void*);
    // The running tool's window (tests), null when none.
    static HWND OknoNastroje();
    // A stop was asked for: the next WM_CLOSE closes even while a line is being drawn.
    static bool Zastavovano();

    KNIHOVNA_MAPA_ZPRAV(OknoMereniObrUseckami)
        ZPRAVA(WM_PAINT, OnPaint)
        ZPRAVA(WM_SETCURSOR, OnSetCursor)
        ZPRAVA(WM_LBUTTONDOWN, OnLButtonDown)
        ZPRAVA(WM_MOUSEMOVE, OnMouseMove)
        ZPRAVA(WM_KEYDOWN, OnKeyDown)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_DESTROY, OnDestroy)
    KNIHOVNA_KONEC_MAPY()

private:
    knihovna::UchytDc m_pamet;
    knihovna::UchytBitmapy m_snimek;
    knihovna::UchytPera m_pero;
    HGDIOBJ m_puvodniBitmapa = nullptr;
    HCURSOR m_kurzor = nullptr;
    int m_sirka = 0, m_vyska = 0;

    void KreslitUsecku(HDC dc, int ax, int ay, int bx, int by) const;
    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSetCursor(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnLButtonDown(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMouseMove(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnKeyDown(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
};
