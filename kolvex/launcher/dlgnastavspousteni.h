// The launcher's settings pages: the menu options and sort mode (106) and the list of
// applications (108). Both edit the launcher's data directly; the list page writes the list to
// the registry when it stores its entry, the options page saves the options on Apply.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "core/stranka.h"
#include "knihovna/edity.h"
#include "knihovna/odkazy.h"
#include "resources/resource.h"

// Sent to the pages of the settings window when the list changed under them (sorted, counters
// reset): the list page refills itself.
constexpr UINT ZpravaSeznamAplikaciZmenen = WM_APP + 20;

// The sort modes of the combo, in its order.
struct RezimTrideni {
    const wchar_t* text;
    DWORD hodnota;
};
extern const RezimTrideni rezimyTrideni[11];

// The rights levels of the level combo, in its order.
struct UrovenOpravneni {
    const wchar_t* text;
    DWORD hodnota;
};
extern const UrovenOpravneni urovneOpravneni[4];

// HOTKEYF_* of a hot-key control <-> MOD_* of RegisterHotKey.
DWORD ModifikatoryZHotkey(BYTE priznaky);
BYTE HotkeyZModifikatoru(DWORD modifikatory);

class DlgNastavSpousteniAplikaci : public StrankaNastaveniImpl<DlgNastavSpousteniAplikaci> {
public:
    enum { IDD = IDD_NASTAV_SPOUSTENI_APLIKACI };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavSpousteniAplikaci)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(IDC_SPOUSTENI_ODDELOVAT, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_SPOUSTENI_IKONY, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_SPOUSTENI_ZAKAZAT, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_SPOUSTENI_TRIDENI, CBN_SELCHANGE, OnTrideni)
        PRIKAZ(IDC_SPOUSTENI_VYNULOVAT, BN_CLICKED, OnVynulovat)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    // The three options into the settings object, which is then saved.
    void Ulozit() override;

private:
    knihovna::ToolTip m_tooltip;

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnTrideni(WORD, WORD, HWND, BOOL&);
    LRESULT OnVynulovat(WORD, WORD, HWND, BOOL&);
};

class DlgNastavSpousteneAplikace : public StrankaNastaveniImpl<DlgNastavSpousteneAplikace> {
public:
    enum { IDD = IDD_NASTAV_SPOUSTENE_APLIKACE };

    // How the page asks for a name and a program file; tests replace them.
    static bool (*zadatNazev)(std::wstring& text, UINT idVyzvy);
    static bool (*vybratSoubor)(std::wstring& cesta);

    KNIHOVNA_MAPA_ZPRAV(DlgNastavSpousteneAplikace)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        ZPRAVA(WM_DRAWITEM, OnDrawItem)
        ZPRAVA(WM_MEASUREITEM, OnMeasureItem)
        ZPRAVA(WM_CTLCOLORSTATIC, OnBarvaStatic)
        ZPRAVA(ZpravaSeznamAplikaciZmenen, OnSeznamZmenen)
        PRIKAZ(IDC_APLIKACE_SEZNAM, LBN_SELCHANGE, OnVyber)
        PRIKAZ(IDC_APLIKACE_PRIDAT, BN_CLICKED, OnPridat)
        PRIKAZ(IDC_APLIKACE_ODEBRAT, BN_CLICKED, OnOdebrat)
        PRIKAZ(IDC_APLIKACE_PREJMENOVAT, BN_CLICKED, OnPrejmenovat)
        PRIKAZ(IDC_APLIKACE_POUZIT, BN_CLICKED, OnPouzitParametry)
        PRIKAZ(IDC_APLIKACE_CESTA, EN_CHANGE, OnZmenaParametru)
        PRIKAZ(IDC_APLIKACE_KLAVESA, EN_CHANGE, OnZmenaParametru)
        PRIKAZ(IDC_APLIKACE_PO_SPUSTENI, BN_CLICKED, OnZmenaParametru)
        PRIKAZ(IDC_APLIKACE_JEDNA_INSTANCE, BN_CLICKED, OnZmenaParametru)
        PRIKAZ(IDC_APLIKACE_OPRAVNENI, CBN_SELCHANGE, OnZmenaParametru)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    // Stores the parameters shown into the selected entry (button 1022 and Apply): a hot key
    // that a command or another entry holds is refused with its message and nothing is stored.
    // Then the list is written to the registry.
    void Ulozit() override;

    // The list anew; vybrat = the entry to select (-1 = keep the selection).
    void NaplnitSeznam(int vybrat = -1);
    // The entry behind the list's selection, -1 = none.
    int VybranaAplikace() const;
    void Pridat();
    void Odebrat();
    void Prejmenovat();

private:
    knihovna::ToolTip m_tooltip;
    knihovna::EditSoubor m_cesta;
    bool m_zobrazuji = false;  // the controls are being filled: their notifications are no changes

    void ZobrazitVybranou();
    void OznamitZmenu();
    // A new name for the entry krome (-1 = a new entry): a name that cannot be a key, or one the
    // list has, is refused with its message.
    bool OveritNazev(const std::wstring& nazev, int krome);

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMeasureItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnBarvaStatic(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSeznamZmenen(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnVyber(WORD, WORD, HWND, BOOL&);
    LRESULT OnPridat(WORD, WORD, HWND, BOOL&);
    LRESULT OnOdebrat(WORD, WORD, HWND, BOOL&);
    LRESULT OnPrejmenovat(WORD, WORD, HWND, BOOL&);
    LRESULT OnPouzitParametry(WORD, WORD, HWND, BOOL&);
    LRESULT OnZmenaParametru(WORD, WORD, HWND, BOOL&);
};
