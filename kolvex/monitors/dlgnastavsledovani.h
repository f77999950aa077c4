// Settings pages of the memory monitor (141) and the process monitor (153).
#pragma once

#include <windows.h>

#include "core/stranka.h"
#include "knihovna/edity.h"
#include "knihovna/odkazy.h"
#include "knihovna/prvky.h"
#include "resources/resource.h"

// Combo helpers of the two pages. Filling selects the item whose data equals the value; a value
// that matches no item leaves the combo without a selection. Reading gives false when nothing is
// selected, so the caller keeps the stored value (never -1).
void NaplnitComboPriority(HWND combo, int hodnota);
void NaplnitComboAkceLeve(HWND combo, DWORD hodnota, bool procesy);
bool NacistVybranouHodnotu(HWND combo, LPARAM& hodnota);

class DlgNastavSledovaniPameti : public StrankaNastaveniImpl<DlgNastavSledovaniPameti> {
public:
    enum { IDD = IDD_NASTAV_SLEDOVANI_PAMETI };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavSledovaniPameti)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        ZPRAVA(ZpravaStrankaZmenena, OnPredatZmenu)
        ZPRAVA(knihovna::ZPRAVA_PRVKU, OnBarvaVybrana)
        PRIKAZ(IDC_INTERVAL_AKTUALIZACE, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_VAROVANI_PROCENT, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_MAX_VELIKOST_LOGU, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_LOGOVAT, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_ZOBRAZIT_TEXT, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_ZOBRAZIT_OBSAZENA, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_PRIORITA_VLAKNA, CBN_SELCHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_AKCE_LEVE, CBN_SELCHANGE, OnZmenaPrvku)
        PRIKAZ_ID(PRIKAZ_BARVA_OBSAZENA, OnPopisBarvy)
        PRIKAZ_ID(PRIKAZ_BARVA_POZADI, OnPopisBarvy)
        PRIKAZ_ID(PRIKAZ_BARVA_TEXT, OnPopisBarvy)
        PRIKAZ_ID(PRIKAZ_SMAZAT_LOG, OnSmazatLog)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    void Ulozit() override;

    enum : UINT {
        PRIKAZ_BARVA_OBSAZENA = 0xE100,
        PRIKAZ_BARVA_POZADI,
        PRIKAZ_BARVA_TEXT,
        PRIKAZ_SMAZAT_LOG
    };

    knihovna::ButtonVyberBarvy barvaObsazena, barvaPozadi, barvaText;
    knihovna::EditCislo interval, varovani, velikostLogu;
    knihovna::StaticOdkazCommand popisObsazena, popisPozadi, popisText, smazatLog;
    knihovna::StaticOdkazSoubor odkazLog;
    knihovna::ToolTip tooltip;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnPredatZmenu(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnBarvaVybrana(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnPopisBarvy(WORD, WORD id, HWND, BOOL&);
    LRESULT OnSmazatLog(WORD, WORD, HWND, BOOL&);
};

class DlgNastavSledovaniProcesu : public StrankaNastaveniImpl<DlgNastavSledovaniProcesu> {
public:
    enum { IDD = IDD_NASTAV_SLEDOVANI_PROCESU };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavSledovaniProcesu)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(IDC_INTERVAL_AKTUALIZACE, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_MAX_WORKING_SET, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_PRIORITA_VLAKNA, CBN_SELCHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_AKCE_LEVE, CBN_SELCHANGE, OnZmenaPrvku)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    void Ulozit() override;

    knihovna::EditCislo interval, limit;
    knihovna::ToolTip tooltip;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
};
