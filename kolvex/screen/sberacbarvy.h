// The colour picker: the panel DlgSberacBarvy (magnifier, RGB, HSV and four colour literals with
// copy buttons) hosted by the small tool window OknoSberacBarvy on a thread of its own, which
// the screen module starts and stops with 40127.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>

#include "knihovna/odkazy.h"
#include "knihovna/okno.h"
#include "resources/resource.h"

class DlgSberacBarvy : public knihovna::DialogImpl<DlgSberacBarvy, knihovna::Okno> {
public:
    enum { IDD = IDD_SBERAC_BARVY };

    bool snimani = false;   // the mouse is captured for picking
    bool odsunuto = false;  // the host window was moved off screen for the pick
    COLORREF barva = 0;
    RECT oknoHostitele{};
    RECT lupa{188, 108, 290, 208};   // client pixels, set from the template's dialog units
    RECT vzorek{245, 26, 290, 91};
    knihovna::StaticOdkazCommand odkazNastaveni;
    knihovna::ToolTip tooltip;
    knihovna::ButtonOdkaz tlacitka[4];

    KNIHOVNA_MAPA_ZPRAV(DlgSberacBarvy)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        ZPRAVA(WM_LBUTTONDOWN, OnLButtonDown)
        ZPRAVA(WM_MOUSEMOVE, OnMouseMove)
        ZPRAVA(WM_LBUTTONUP, OnLButtonUp)
        ZPRAVA(WM_PAINT, OnPaint)
        ZPRAVA(WM_DRAWITEM, OnDrawItem)
        ZPRAVA(WM_CTLCOLORSTATIC, OnCtlColor)
        ZPRAVA(WM_CTLCOLOREDIT, OnCtlColor)
        PRIKAZ_ID(IDOK, OnUkoncit)
        PRIKAZ_ID(IDCANCEL, OnUkoncit)
        PRIKAZ_ID(IDC_SBERAC_NASTAVENI, OnNastaveni)
        PRIKAZY_ID(IDC_KOPIROVAT_HTML, IDC_KOPIROVAT_VB, OnKopirovat)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    // Shows the colour in the edits (RGB always, HSV when chosen, the literals when asked).
    void ZobrazitBarvu(bool literaly);
    void ZobrazitLiteraly();
    // The text of a literal edit (1134-1137) to the clipboard; the button ids 1138-1141.
    void Kopirovat(UINT tlacitko);
    HWND Hostitel() const;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnLButtonDown(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMouseMove(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnLButtonUp(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnCtlColor(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnUkoncit(WORD, WORD, HWND, BOOL&);
    LRESULT OnNastaveni(WORD, WORD, HWND, BOOL&);
    LRESULT OnKopirovat(WORD, WORD, HWND, BOOL&);
    void VyplnitVzorek(HDC dc) const;
};

class OknoSberacBarvy : public knihovna::OknoImpl<OknoSberacBarvy, knihovna::Okno> {
public:
    OknoSberacBarvy();
    ~OknoSberacBarvy() override;

    std::unique_ptr<DlgSberacBarvy> dialog;

    void Vytvorit(COLORREF pocatecniBarva = 0);
    // The window's client area exactly encloses the panel.
    void PrizpusobitVelikost();

    static void Spustit();
    static void Zastavit();
    static bool Bezi();
    static unsigned __stdcall ProceduraVlakna(void*);
    // The running tool's window (tests), null when none.
    static HWND OknoNastroje();

    KNIHOVNA_MAPA_ZPRAV(OknoSberacBarvy)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_DESTROY, OnDestroy)
    KNIHOVNA_KONEC_MAPY()

private:
    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
};
