// Settings pages of the screen tools: "Obrazovka" (156, the tray-icon clicks), the capture page
// (157), capture by e-mail (192), the colour picker (158), measuring (159) and the favourite
// display modes (160).
#pragma once

#include <windows.h>

#include "core/stranka.h"
#include "knihovna/edity.h"
#include "knihovna/odkazy.h"
#include "knihovna/prvky.h"
#include "resources/resource.h"

// Makes the six pages known to the settings window.
void ZaregistrovatStrankyObrazovky();

class DlgNastavObrazovka : public StrankaNastaveniImpl<DlgNastavObrazovka>, public StrankaAkciKliknuti {
public:
    enum { IDD = IDD_NASTAV_OBRAZOVKA };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavObrazovka)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(IDC_AKCE_KLIKNUTI_KLIK, CBN_SELCHANGE, OnKliknuti)
        PRIKAZ(IDC_AKCE_KLIKNUTI_AKCE, CBN_SELCHANGE, OnAkce)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnKliknuti(WORD, WORD, HWND, BOOL&) { return ZobrazitAkciKliknuti(*this); }
    LRESULT OnAkce(WORD, WORD, HWND, BOOL& zpracovano) { return ZmenitAkciKliknuti(*this, m_hWnd, zpracovano); }
};

// The picture-format combo of the capture page.
class ComboBoxFormatObrazku : public knihovna::OknoImpl<ComboBoxFormatObrazku, knihovna::ComboBox> {
public:
    KNIHOVNA_MAPA_ZPRAV(ComboBoxFormatObrazku)
    KNIHOVNA_KONEC_MAPY()
};

class DlgNastavOpisObrazovky : public StrankaNastaveniImpl<DlgNastavOpisObrazovky> {
public:
    enum { IDD = IDD_NASTAV_OPIS_OBRAZOVKY };

    ComboBoxFormatObrazku comboFormat;
    knihovna::EditSlozka editSlozka;
    knihovna::EditCislo editMaxPocet;
    knihovna::EditCislo editZoomVyber;
    knihovna::EditCislo editZoomOkna;
    knihovna::StaticOdkazSlozka odkazSlozka;
    knihovna::StaticOdkazCommand odkazVymazat;
    knihovna::ToolTip tooltip;

    KNIHOVNA_MAPA_ZPRAV(DlgNastavOpisObrazovky)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        ZPRAVA(WM_HSCROLL, OnHScroll)
        PRIKAZ(IDC_OPIS_SLOZKA, EN_CHANGE, OnZmenaSlozky)
        PRIKAZ(IDC_OPIS_SOUBOR, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_OPIS_MAX_POCET, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_OPIS_ZOOM_VYBER, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_OPIS_ZOOM_OKNA, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_OPIS_FORMAT, CBN_SELCHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_OPIS_AKCE, CBN_SELCHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_OPIS_ZOBRAZENI, CBN_SELCHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_OPIS_CISLOVAT, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_OPIS_INFO, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_OPIS_VYREZ_SOURADNICE, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_OPIS_VYREZ_PRVNI, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_OPIS_SCHRANKA, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ_ID(IDC_OPIS_VYMAZAT, OnVymazat)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    void Ulozit() override;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnHScroll(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnZmenaSlozky(WORD, WORD, HWND, BOOL&);
    LRESULT OnVymazat(WORD, WORD, HWND, BOOL&);
};

class DlgNastavOpisObrazovkyEmail : public StrankaNastaveniImpl<DlgNastavOpisObrazovkyEmail> {
public:
    enum { IDD = IDD_NASTAV_OPIS_EMAIL };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavOpisObrazovkyEmail)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        ZPRAVA(WM_HSCROLL, OnHScroll)
        PRIKAZ(IDC_OPIS_EMAIL, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_OPIS_EMAIL_PREDMET, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_OPIS_EMAIL_TEXT, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_OPIS_EMAIL_HTML, BN_CLICKED, OnZmenaPrvku)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    void Ulozit() override;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnHScroll(UINT, WPARAM, LPARAM, BOOL&);
};

class DlgNastavSberacBarvy : public StrankaNastaveniImpl<DlgNastavSberacBarvy> {
public:
    enum { IDD = IDD_NASTAV_SBERAC_BARVY };

    knihovna::EditCislo editZoom;
    knihovna::ToolTip tooltip;

    KNIHOVNA_MAPA_ZPRAV(DlgNastavSberacBarvy)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(IDC_ZOOM, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_SBERAC_NAVRCHU, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_SBERAC_SKRYVAT, BN_CLICKED, OnZmenaPrvku)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    void Ulozit() override;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
};

class DlgNastavMereniObrazovky : public StrankaNastaveniImpl<DlgNastavMereniObrazovky> {
public:
    enum { IDD = IDD_NASTAV_MERENI_OBRAZOVKY };

    knihovna::EditCislo editZoomUseky;
    knihovna::EditCislo editZoomVyrez;
    HWND comboKlavesa = nullptr;

    KNIHOVNA_MAPA_ZPRAV(DlgNastavMereniObrazovky)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(IDC_ZOOM, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_MERENI_ZOOM_VYREZ, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_MERENI_KLAVESA, CBN_SELCHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_MERENI_ZOBRAZIT_ZOOM, BN_CLICKED, OnZmenaPrvku)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    void Ulozit() override;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
};

class DlgNastavRezimyObrazovky : public StrankaNastaveniImpl<DlgNastavRezimyObrazovky> {
public:
    enum { IDD = IDD_NASTAV_REZIMY_OBRAZOVKY };

    HWND seznamDostupnych = nullptr;  // 1127
    HWND seznamUlozenych = nullptr;   // 1128
    knihovna::ToolTip tooltip;

    KNIHOVNA_MAPA_ZPRAV(DlgNastavRezimyObrazovky)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ_ID(IDC_REZIMY_PRIDAT, OnPridat)
        PRIKAZ_ID(IDC_REZIMY_ODEBRAT, OnOdebrat)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    // "Přidat" and "Odebrat"; false when nothing changed.
    bool Pridat();
    bool Odebrat();
    void NaplnitUlozene();

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnPridat(WORD, WORD, HWND, BOOL&);
    LRESULT OnOdebrat(WORD, WORD, HWND, BOOL&);
};
