// The results panels of the two measuring tools (lines: dialog 162, area: dialog 163): start
// and end point, distance or size and the extents, written by the measuring window, and a
// magnifier of the screen around the cursor over the list's place. Closing the panel closes
// the measuring tool.
#pragma once

#include <windows.h>

#include "knihovna/okno.h"
#include "resources/resource.h"

class DlgVysledkyMereni {
public:
    virtual ~DlgVysledkyMereni() = default;

    HWND seznam = nullptr;    // 1147, the magnifier's frame
    HWND vlastnik = nullptr;  // the measuring window; gets WM_CLOSE when the panel is closed
    RECT lupa{};              // magnifier rectangle, panel client pixels

    virtual HWND Okno() const = 0;
    // Copies the screen around the point (screen pixels) into the magnifier, cursor 166 centred.
    void AktualizovatLupu(POINT bod);
    // The readouts: "x, y" of the two points and the three numbers.
    void ZobrazitBody(int x1, int y1, int x2, int y2);
    void ZobrazitStart(int x, int y);
    void ZobrazitPolohu(int x, int y);
    // Removes or gives back the system menu (a panel that cannot be closed during a drag).
    void NastavitSystemoveMenu(bool zobrazit);

protected:
    virtual DWORD Zoom() const = 0;
    void Inicializovat(UINT idPolohy);
    void Zavrit(UINT idPolohy);
};

template <class T, UINT idPolohy>
class DlgVysledkyMereniImpl : public knihovna::DialogImpl<T, knihovna::Okno>, public DlgVysledkyMereni {
public:
    DlgVysledkyMereniImpl();
    HWND Okno() const override { return this->m_hWnd; }

    KNIHOVNA_MAPA_ZPRAV(DlgVysledkyMereniImpl)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        ZPRAVA(WM_LBUTTONDOWN, OnLButtonDown)
        ZPRAVA(WM_KEYDOWN, OnKeyDown)
        PRIKAZ_ID(IDOK, OnZavrit)
        PRIKAZ_ID(IDCANCEL, OnZavrit)
    KNIHOVNA_KONEC_MAPY()

    // Saves the position under the panel's placement name.
    void UlozitPolohuPanelu();

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
        Inicializovat(idPolohy);
        return TRUE;
    }
    LRESULT OnLButtonDown(UINT, WPARAM, LPARAM, BOOL&) {
        ::SendMessageW(this->m_hWnd, WM_SYSCOMMAND, 0xF012, 0);
        return 0;
    }
    // Keys pressed while the panel is active (after it was dragged) work as on the measuring window.
    LRESULT OnKeyDown(UINT msg, WPARAM w, LPARAM l, BOOL&) {
        if (vlastnik && ::IsWindow(vlastnik)) ::PostMessageW(vlastnik, msg, w, l);
        return 0;
    }
    LRESULT OnZavrit(WORD, WORD, HWND, BOOL&) {
        Zavrit(idPolohy);
        return 0;
    }
};

class DlgVysledkyMereniObrUsecky : public DlgVysledkyMereniImpl<DlgVysledkyMereniObrUsecky, IDS_POLOHA_MERENI_USECKY> {
public:
    enum { IDD = IDD_VYSLEDKY_MERENI_USECKY };
    // Appends the finished line "x1, y1 - x2, y2 -> n bodů" to the list and selects it.
    void PridatUsecku(int x1, int y1, int x2, int y2);

protected:
    DWORD Zoom() const override;
};

class DlgVysledkyMereniObrVyrez : public DlgVysledkyMereniImpl<DlgVysledkyMereniObrVyrez, IDS_POLOHA_MERENI_VYREZ> {
public:
    enum { IDD = IDD_VYSLEDKY_MERENI_VYREZ };

    KNIHOVNA_MAPA_ZPRAV(DlgVysledkyMereniObrVyrez)
        ZPRAVA(WM_GETDLGCODE, OnGetDlgCode)
        RETEZ_MAPY(DlgVysledkyMereniImpl)
    KNIHOVNA_KONEC_MAPY()

protected:
    DWORD Zoom() const override;

private:
    LRESULT OnGetDlgCode(UINT, WPARAM, LPARAM, BOOL&) { return DLGC_WANTALLKEYS; }
};
