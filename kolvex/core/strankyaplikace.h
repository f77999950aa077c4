// The settings pages of the application itself: general options (104), the actions after
// start-up (105) and the optional items of the main tray menu (178). They edit the general
// settings in memory; Apply saves them.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "core/stranka.h"
#include "knihovna/prvky.h"
#include "resources/resource.h"

class DlgNastavObecne : public StrankaNastaveniImpl<DlgNastavObecne> {
public:
    enum { IDD = IDD_NASTAV_OBECNE };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavObecne)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(IDC_OBECNE_VZHLED, BN_CLICKED, OnVzhled)
        PRIKAZ(IDC_OBECNE_ZVUK, BN_CLICKED, OnZmenaPrvku)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    // vlastniVzhled and zvuk from the check boxes; asks the window for a new tree when the
    // own-look box was clicked since the last store (also when clicked back).
    void Ulozit() override;

    bool zmenaVzhledu = false;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnVzhled(WORD, WORD, HWND, BOOL&);
};

// One row of a check-list page: the item text (a string, or a format filled with a string),
// the command id that identifies the item, and the general-settings value it shows.
struct RadekSeznamuVoleb {
    UINT idFormatu;     // 0 = the text is the string idNazvu itself
    UINT idNazvu;       // 0 = the fixed text
    const wchar_t* text;
    UINT prikaz;
    bool* hodnota;
};

class DlgNastavPoSpusteni : public StrankaNastaveniImpl<DlgNastavPoSpusteni> {
public:
    enum { IDD = IDD_NASTAV_PO_SPUSTENI };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavPoSpusteni)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        NOTIFIKACE(IDC_PO_SPUSTENI_SEZNAM, NM_CLICK, OnKliknuti)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    void Ulozit() override;

    knihovna::CheckListView seznam;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnKliknuti(int, NMHDR*, BOOL&);
};

class DlgNastavPolozkyMenuHlavni : public StrankaNastaveniImpl<DlgNastavPolozkyMenuHlavni> {
public:
    enum { IDD = IDD_NASTAV_POLOZKY_MENU_HLAVNI };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavPolozkyMenuHlavni)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        NOTIFIKACE(IDC_POLOZKY_MENU_SEZNAM, NM_CLICK, OnKliknuti)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    void Ulozit() override;

    knihovna::CheckListView seznam;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnKliknuti(int, NMHDR*, BOOL&);
};

// The rows of pages 105 and 178 over the application's general settings, in item order.
std::vector<RadekSeznamuVoleb> RadkyPoSpusteni();
std::vector<RadekSeznamuVoleb> RadkyPolozekMenu();
