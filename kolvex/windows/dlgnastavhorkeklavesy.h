// The hot-key settings page (111): the program's commands by category, each with its global hot
// key, set one at a time with a hot-key control and "Nastavit". It edits the application's hot-key
// table in memory; Apply saves it with the general settings.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "core/horkeklavesy.h"
#include "core/stranka.h"
#include "knihovna/odkazy.h"
#include "knihovna/prvky.h"
#include "resources/resource.h"

// Modifier flags of the hot-key control (HOTKEYF_*) and of the table (MOD_*), both ways; MOD_WIN
// and HOTKEYF_EXT are not carried.
BYTE ModifikatoryProOvladac(uint32_t modifikatory);
uint32_t ModifikatoryZOvladace(BYTE priznaky);

// The row of the table with this key (modifiers and virtual key), -1 when none has it.
int NajitRadekSKlavesou(const HorkeKlavesy& tabulka, uint32_t modifikatory, uint32_t klavesa);

// Image of a command's row in the application's menu image list; -1 = none.
int IkonaPrikazuHorkeKlavesy(UINT prikaz);

// The categories of the filter combo: item data (category string id, 0 = all) and image.
struct KategorieHorkychKlaves {
    UINT kategorie;
    int obrazek;
};
extern const KategorieHorkychKlaves KATEGORIE_HORKYCH_KLAVES[10];

// The command list: item data = the row's index in the table; draws the rows itself.
class ListBoxHorkeKlavesy : public knihovna::OknoImpl<ListBoxHorkeKlavesy, knihovna::ListBox> {
public:
    KNIHOVNA_MAPA_ZPRAV(ListBoxHorkeKlavesy)
        ZPRAVA(knihovna::ODRAZENA_ZPRAVA + WM_DRAWITEM, OnKresleni)
    KNIHOVNA_KONEC_MAPY()

    // Subclasses the template's list and sets the row height (20 with the own look, else 16).
    void Prevzit(HWND seznam);
    // The rows of a category (0 = all) in table order; the first is selected.
    void Naplnit(UINT kategorie);

private:
    LRESULT OnKresleni(UINT, WPARAM, LPARAM, BOOL&);
};

class DlgNastavHorkeKlavesy : public StrankaNastaveniImpl<DlgNastavHorkeKlavesy> {
public:
    enum { IDD = IDD_NASTAV_HORKE_KLAVESY };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavHorkeKlavesy)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        ZPRAVA(WM_MEASUREITEM, OnMeasureItem)
        ZPRAVA(WM_DRAWITEM, OnDrawItem)
        PRIKAZ(IDC_HORKE_KLAVESY_SEZNAM, LBN_SELCHANGE, OnVyberPrikazu)
        PRIKAZ(IDC_HORKE_KLAVESY_SEZNAM, LBN_DBLCLK, OnDvojklik)
        PRIKAZ(IDC_HORKE_KLAVESY_SKUPINA, CBN_SELCHANGE, OnVyberKategorie)
        PRIKAZ(IDC_HORKE_KLAVESY_KLAVESA, EN_CHANGE, OnZmenaKlavesy)
        PRIKAZ(IDC_HORKE_KLAVESY_NASTAVIT, BN_CLICKED, OnNastavit)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    ListBoxHorkeKlavesy seznam;
    knihovna::ToolTip tip;

    // "Nastavit": the control's key into the selected command's row (refused with string 25 when
    // any row already has it).
    void NastavitKlavesu();
    // The selected command's key into the control; disables "Nastavit".
    void ZobrazitKlavesu();

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMeasureItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnVyberPrikazu(WORD, WORD, HWND, BOOL&);
    LRESULT OnDvojklik(WORD, WORD, HWND, BOOL&);
    LRESULT OnVyberKategorie(WORD, WORD, HWND, BOOL&);
    LRESULT OnZmenaKlavesy(WORD, WORD, HWND, BOOL&);
    LRESULT OnNastavit(WORD, WORD, HWND, BOOL&);
    // Index of the selected command's row, -1 without a valid selection.
    int VybranyRadek() const;
};
