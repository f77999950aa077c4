// Settings pages of the registrations and passwords (174) and of the contacts (183).
#pragma once

#include <windows.h>

#include "core/stranka.h"
#include "knihovna/edity.h"
#include "knihovna/prvky.h"
#include "resources/resource.h"

class DlgNastavSeznamRegistraci : public StrankaNastaveniImpl<DlgNastavSeznamRegistraci> {
public:
    enum { IDD = IDD_NASTAV_SEZNAM_REGISTRACI };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavSeznamRegistraci)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ_KOD(BN_CLICKED, OnZmenaPrvku)
        PRIKAZ_KOD(CBN_SELCHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_SOUBOR_SEZNAMU, EN_CHANGE, OnZmenaPrvku)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    void Ulozit() override;

    knihovna::ComboBox ikona;
    knihovna::ComboBox minimalizovat;
    knihovna::EditSoubor soubor;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
};

class DlgNastavKontakty : public StrankaNastaveniImpl<DlgNastavKontakty> {
public:
    enum { IDD = IDD_NASTAV_KONTAKTY };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavKontakty)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ_KOD(BN_CLICKED, OnZmenaPrvku)
        PRIKAZ_KOD(CBN_SELCHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_SOUBOR_SEZNAMU, EN_CHANGE, OnZmenaPrvku)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    void Ulozit() override;

    knihovna::ComboBox ikona;
    knihovna::ComboBox minimalizovat;
    knihovna::EditSoubor soubor;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
};

// The flag bits of the check boxes of both pages: set or cleared by each box, others kept.
struct BitZaskrtnuti {
    int id;
    DWORD bit;
};
void ZaskrtnoutBity(HWND stranka, const BitZaskrtnuti* bity, size_t pocet, DWORD hodnota);
DWORD PrecistBity(HWND stranka, const BitZaskrtnuti* bity, size_t pocet, DWORD hodnota);
