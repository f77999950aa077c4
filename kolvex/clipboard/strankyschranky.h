// The three settings pages of the clipboard tools: text to clipboard (112), operative texts
// (113) and the text editor (114). Each edits its section of the clipboard settings object.
#pragma once

#include <windows.h>

#include "core/stranka.h"
#include "knihovna/edity.h"
#include "knihovna/odkazy.h"
#include "resources/resource.h"

class DlgNastavTextDoSchranky : public StrankaNastaveniImpl<DlgNastavTextDoSchranky> {
public:
    enum { IDD = IDD_NASTAV_TEXT_DO_SCHRANKY };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavTextDoSchranky)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(IDC_SCHRANKA_NAVRCHU, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_SCHRANKA_ZAVRIT, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_SCHRANKA_TAZENI, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_SCHRANKA_TRIDENI, CBN_SELCHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_SCHRANKA_SLOZKA, EN_CHANGE, OnZmenaSlozky)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    void Ulozit() override;

    knihovna::EditSlozka slozka;
    knihovna::StaticOdkazSlozka odkaz;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnZmenaSlozky(WORD, WORD, HWND, BOOL&);
};

class DlgNastavSchrankaOperativniTexty : public StrankaNastaveniImpl<DlgNastavSchrankaOperativniTexty> {
public:
    enum { IDD = IDD_NASTAV_SCHRANKA_OPERATIVNI };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavSchrankaOperativniTexty)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(IDC_SCHRANKA_NAVRCHU, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_SCHRANKA_ZAVRIT, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_SCHRANKA_TAZENI, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_SCHRANKA_UKLADAT, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_SCHRANKA_NACITAT, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_SCHRANKA_MAX_POCET, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_SCHRANKA_VYSKA_POLOZKY, EN_CHANGE, OnZmenaPrvku)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    void Ulozit() override;

    knihovna::EditCislo maxPocet;
    knihovna::EditCislo vyskaPolozky;
    knihovna::ToolTip tooltip;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
};

class DlgNastavSchrankaEditorTextu : public StrankaNastaveniImpl<DlgNastavSchrankaEditorTextu> {
public:
    enum { IDD = IDD_NASTAV_SCHRANKA_EDITOR };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavSchrankaEditorTextu)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(IDC_EDITOR_UKLADAT_SOUBOR, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_EDITOR_UKLADAT_TEXT, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_EDITOR_POTVRZOVAT, BN_CLICKED, OnZmenaPrvku)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    void Ulozit() override;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
};

// Makes the three pages known to the settings window.
void ZaregistrovatStrankySchranky();
