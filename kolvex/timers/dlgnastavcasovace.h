// Settings pages of the stopwatch (171) and the clock (196).
#pragma once

#include <windows.h>

#include "core/stranka.h"
#include "knihovna/edity.h"
#include "knihovna/odkazy.h"
#include "knihovna/prvky.h"
#include "resources/resource.h"

// The window flags of the checks 1028 (0x04), 1164 (0x20) and 1163 (0x40).
DWORD PrecistPriznakyOkna(HWND stranka);
void NastavitPriznakyOkna(HWND stranka, DWORD okno);

class DlgNastavStopky : public StrankaNastaveniImpl<DlgNastavStopky> {
public:
    enum { IDD = IDD_NASTAV_STOPKY };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavStopky)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        ZPRAVA(knihovna::ZPRAVA_PRVKU, OnBarvaVybrana)
        PRIKAZ(IDC_OKNO_NAVRCHU, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_OKNO_OKRAJ, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_OKNO_PRUHLEDNE, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_VLASTNI_IKONA, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_ZOBRAZIT_VYSLEDEK, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_MINIMALIZOVAT, CBN_SELCHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_PISMO, BN_CLICKED, OnPismo)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    void Ulozit() override;

    knihovna::ButtonVyberBarvy barvaTextu, barvaPozadi;
    knihovna::ComboBox minimalizovat;
    knihovna::ToolTip tooltip;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnBarvaVybrana(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnPismo(WORD, WORD, HWND, BOOL&);
};

class DlgNastavHodiny : public StrankaNastaveniImpl<DlgNastavHodiny> {
public:
    enum { IDD = IDD_NASTAV_HODINY };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavHodiny)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        ZPRAVA(knihovna::ZPRAVA_PRVKU, OnBarvaVybrana)
        PRIKAZ(IDC_OKNO_NAVRCHU, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_OKNO_OKRAJ, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_OKNO_PRUHLEDNE, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_VLASTNI_IKONA, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_DATUM, CBN_SELCHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_GONG, CBN_SELCHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_GONG_SOUBOR, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_PISMO, BN_CLICKED, OnPismo)
        PRIKAZ(IDC_PREHRAT, BN_CLICKED, OnPrehrat)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    void Ulozit() override;

    knihovna::ButtonVyberBarvy barvaTextu, barvaPozadi;
    knihovna::EditSoubor soubor;
    knihovna::ToolTip tooltip;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnBarvaVybrana(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnPismo(WORD, WORD, HWND, BOOL&);
    LRESULT OnPrehrat(WORD, WORD, HWND, BOOL&);
};
