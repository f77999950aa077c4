// The four weather settings pages: the tray icon's click actions (205), the forecast-model window
// (206), the forecast-text window (207) and the satellite window (208).
#pragma once

#include <windows.h>

#include "core/stranka.h"
#include "knihovna/edity.h"
#include "knihovna/odkazy.h"
#include "resources/resource.h"

class KonfiguracePocasi;

class DlgNastavPocasiObecne : public StrankaNastaveniImpl<DlgNastavPocasiObecne> {
public:
    enum { IDD = IDD_NASTAV_POCASI_OBECNE };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavPocasiObecne)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(IDC_AKCE_KLIKNUTI_KLIK, CBN_SELCHANGE, OnVyberKliknuti)
        PRIKAZ(IDC_AKCE_KLIKNUTI_AKCE, CBN_SELCHANGE, OnVyberAkce)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    KonfiguracePocasi* nastaveni = nullptr;  // null = nastaveniPocasi

private:
    StrankaAkciKliknuti m_akce;
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnVyberKliknuti(WORD, WORD, HWND, BOOL&) { return ZobrazitAkciKliknuti(m_akce); }
    LRESULT OnVyberAkce(WORD, WORD, HWND, BOOL& zpracovano) { return ZmenitAkciKliknuti(m_akce, m_hWnd, zpracovano); }
};

class DlgNastavPocasiAladin : public StrankaNastaveniImpl<DlgNastavPocasiAladin> {
public:
    enum { IDD = IDD_NASTAV_POCASI_ALADIN };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavPocasiAladin)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(IDC_POCASI_INTERVAL, EN_CHANGE, OnInterval)
        PRIKAZ(IDC_POCASI_SLOZKA, EN_CHANGE, OnSlozka)
        PRIKAZ(IDC_POCASI_ZNACKA_X, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_POCASI_ZNACKA_Y, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_POCASI_MODEL, CBN_SELCHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_POCASI_POCATEK, CBN_SELCHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_POCASI_POCET_OBRAZKU, CBN_SELCHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_POCASI_MISTNI_CAS, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_OKNO_NAVRCHU, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_OKNO_PRUHLEDNE, BN_CLICKED, OnZmenaPrvku)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    void Ulozit() override;

    KonfiguracePocasi* nastaveni = nullptr;
    knihovna::EditCislo interval, znackaX, znackaY;
    knihovna::EditSlozka slozka;
    knihovna::StaticOdkazSlozka odkazSlozky;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnInterval(WORD, WORD, HWND, BOOL&);
    LRESULT OnSlozka(WORD, WORD, HWND, BOOL&);
};

class DlgNastavPocasiPredpovedText : public StrankaNastaveniImpl<DlgNastavPocasiPredpovedText> {
public:
    enum { IDD = IDD_NASTAV_POCASI_PREDPOVED };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavPocasiPredpovedText)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(IDC_OKNO_NAVRCHU, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_OKNO_PRUHLEDNE, BN_CLICKED, OnZmenaPrvku)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    void Ulozit() override;
    KonfiguracePocasi* nastaveni = nullptr;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
};

class DlgNastavPocasiSnimekDruzice : public StrankaNastaveniImpl<DlgNastavPocasiSnimekDruzice> {
public:
    enum { IDD = IDD_NASTAV_POCASI_DRUZICE };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavPocasiSnimekDruzice)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(IDC_POCASI_SLOZKA, EN_CHANGE, OnSlozka)
        PRIKAZ(IDC_OKNO_NAVRCHU, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_OKNO_PRUHLEDNE, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_POCASI_ZDROJ, CBN_SELCHANGE, OnZmenaPrvku)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    void Ulozit() override;

    KonfiguracePocasi* nastaveni = nullptr;
    knihovna::EditSlozka slozka;
    knihovna::StaticOdkazSlozka odkazSlozky;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSlozka(WORD, WORD, HWND, BOOL&);
};
