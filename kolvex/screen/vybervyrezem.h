// The area picker: a full-screen window over a frozen picture of the screen on which the user
// drags a rectangle. In capture mode the accepted rectangle is posted to the screen module as
// ZpravaVyrezVybran; in measuring mode nothing is sent.
#pragma once

#include <windows.h>

#include <memory>

#include "knihovna/okno.h"
#include "knihovna/uchyt.h"
#include "screen/vysledkymereni.h"

// An area was chosen: wParam MAKELONG(x1, y1), lParam MAKELONG(x2, y2), as dragged.
constexpr UINT ZpravaVyrezVybran = WM_APP + 5;

class OknoVyberVyrezem : public knihovna::OknoImpl<OknoVyberVyrezem, knihovna::Okno> {
public:
    explicit OknoVyberVyrezem(bool mereni);
    ~OknoVyberVyrezem() override;

    bool rezimMereni;
    bool zruseno = true;  // false once the area is accepted
    int x1 = -1, y1 = -1, x2 = -1, y2 = -1;
    int uhlopricka = 0, dx = 0, dy = 0;
    bool zobrazitZoom = true;  // the results panel's magnifier follows the mouse
    std::unique_ptr<DlgVysledkyMereniObrVyrez> vysledky;  // measuring, or capture with coordinates

    void Vytvorit();

    // Starts the picker in capture mode (the rectangle goes to prijemce) or in measuring mode,
    // when it does not run; a failed start is reported as a tool's start failure.
    static void SpustitOpis(HWND prijemce);
    static void SpustitMereni();
    // WM_CLOSE to the picker and a wait of the module stop time; failure reported as a stop failure.
    static void Zastavit();
    static bool Bezi();
    static unsigned __stdcall ProceduraVlakna(void* mereni);

    KNIHOVNA_MAPA_ZPRAV(OknoVyberVyrezem)
        ZPRAVA(WM_PAINT, OnPaint)
        ZPRAVA(WM_SETCURSOR, OnSetCursor)
        ZPRAVA(WM_LBUTTONDOWN, OnLButtonDown)
        ZPRAVA(WM_MOUSEMOVE, OnMouseMove)
        ZPRAVA(WM_LBUTTONUP, OnLButtonUp)
        ZPRAVA(WM_KEYDOWN, OnKeyDown)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_DESTROY, OnDestroy)
    KNIHOVNA_KONEC_MAPY()

private:
    knihovna::UchytDc m_pamet;             // holds the snapshot
    knihovna::UchytBitmapy m_snimek;       // the screen as it was at the start
    HGDIOBJ m_puvodniBitmapa = nullptr;
    HCURSOR m_kurzor = nullptr;
    int m_sirka = 0, m_vyska = 0;
    bool m_nakreslen = false;  // a focus rectangle is on the screen
    bool m_vyber = false;      // the left button is down
    bool m_ulozitPriPrvnim = true;

    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSetCursor(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnLButtonDown(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMouseMove(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnLButtonUp(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnKeyDown(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    void KreslitObdelnik(HDC dc) const;
    // The end corner moves to the point; the focus rectangle follows.
    void PosunoutKonec(LPARAM l);
    void Prijmout();
};
