// The notes pages of the settings window: the notes tray icon (125), text notes with their note
// and list windows (126), sound notes with the recording input line (127). They edit the notes
// settings object in memory; Apply saves it.
#pragma once

#include <windows.h>

#include "core/stranka.h"
#include "knihovna/edity.h"
#include "knihovna/odkazy.h"
#include "knihovna/prvky.h"
#include "notes/zaznamzvuku.h"
#include "resources/resource.h"

// Posted by the font link of page 126 (an id of no control, so the click is not reflected again).
constexpr UINT PRIKAZ_VYBRAT_PISMO = 32060;

// Fills a click-action combo with the commands (text = the command's string) and selects the item
// of the value, the first item when none matches.
void NaplnitComboAkce(HWND combo, const UINT* prikazy, size_t pocet, DWORD hodnota);
// Fills the sort combo and selects the value's item (none when it matches neither).
void NaplnitComboTrideni(HWND combo, DWORD hodnota);
// The item data of the selected item as a DWORD, (DWORD)-1 without a selection.
DWORD DataVybraneho(HWND combo);
// Sets or clears bits of a flag word by a check box.
void NastavitBit(DWORD& priznaky, DWORD bit, bool zapnuto);
// Creates the folder when it does not exist (one level); raises the system error on failure.
void VytvoritSlozkuPoznamek(const std::wstring& slozka);

class DlgNastavPoznamky : public StrankaNastaveniImpl<DlgNastavPoznamky> {
public:
    enum { IDD = IDD_NASTAV_POZNAMKY };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavPoznamky)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(IDC_POZNAMKY_AKCE, CBN_SELCHANGE, OnZmenaPrvku)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()
    // The settings window itself stores the combo's selection into ikonaLeve of "Poznamky".

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
};

class DlgNastavPoznamkyTextove : public StrankaNastaveniImpl<DlgNastavPoznamkyTextove> {
public:
    enum { IDD = IDD_NASTAV_POZNAMKY_TEXTOVE };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavPoznamkyTextove)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(IDC_POZNAMKY_SLOZKA, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_POZNAMKY_AKCE, CBN_SELCHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_POZNAMKY_TRIDENI, CBN_SELCHANGE, OnZmenaPrvku)
        PRIKAZY_ID(IDC_POZNAMKA_NAVRCHU, IDC_POZNAMKA_TAZENI, OnZaskrtnuti)
        PRIKAZY_ID(IDC_SEZNAM_NAVRCHU, IDC_SEZNAM_TAZENI, OnZaskrtnuti)
        PRIKAZ_ID(PRIKAZ_VYBRAT_PISMO, OnVybratPismo)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    void Ulozit() override;
    void VybratPismo();

    knihovna::EditSlozka editSlozka;
    knihovna::StaticOdkazCommand odkazPismo;
    knihovna::StaticOdkazSlozka odkazSlozka;
    knihovna::ToolTip tooltip;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnZaskrtnuti(WORD kod, WORD, HWND, BOOL& zpracovano);
    LRESULT OnVybratPismo(WORD, WORD, HWND, BOOL&);
};

class DlgNastavPoznamkyZvukove : public StrankaNastaveniImpl<DlgNastavPoznamkyZvukove> {
public:
    enum { IDD = IDD_NASTAV_POZNAMKY_ZVUKOVE };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavPoznamkyZvukove)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(IDC_POZNAMKY_SLOZKA, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_POZNAMKY_AKCE, CBN_SELCHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_POZNAMKY_TRIDENI, CBN_SELCHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_POZNAMKY_LINKA, CBN_SELCHANGE, OnZmenaPrvku)
        PRIKAZY_ID(IDC_SEZNAM_NAVRCHU, IDC_SEZNAM_TAZENI, OnZaskrtnuti)
        PRIKAZ(IDC_POZNAMKY_PREPNOUT_OVLADAC, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_POZNAMKY_PREPNOUT_NYNI, BN_CLICKED, OnPrepnoutNyni)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    void Ulozit() override;
    // The selected line (an empty name without a selection) through the input-line switch.
    int PrepnoutNyni();

    knihovna::EditSlozka editSlozka;
    knihovna::StaticOdkazSlozka odkazSlozka;
    knihovna::ToolTip tooltip;
    // The mixer the switch uses; tests hand in their own.
    RozhraniPrepinaceMixeru* mixer = &SystemovyPrepinacMixeru();

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnZaskrtnuti(WORD kod, WORD, HWND, BOOL& zpracovano);
    LRESULT OnPrepnoutNyni(WORD, WORD, HWND, BOOL&);
};
