// The window extension's settings pages: the gesture actions (151, "Ovládání oken"), written into
// the settings at once, and the transparency percentage with the balloon after hiding (152,
// "Rozšíření oken"), which the settings window's Apply reads itself.
#pragma once

#include <windows.h>

#include "core/stranka.h"
#include "resources/resource.h"

// The 25 gesture labels in the order of the settings object's gesture fields.
extern const wchar_t* const popisyGest[];
// The eleven offered actions in the order of the list: label and action code.
struct NabizenaAkce {
    const wchar_t* popis;
    UINT kod;
};
extern const NabizenaAkce nabizeneAkce[11];

class DlgNastavOknaAkce : public StrankaNastaveniImpl<DlgNastavOknaAkce> {
public:
    enum { IDD = IDD_NASTAV_OKNA_AKCE };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavOknaAkce)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(IDC_OKNA_AKCE_UDALOSTI, LBN_SELCHANGE, OnVyberGesta)
        PRIKAZ(IDC_OKNA_AKCE_AKCE, CBN_SELCHANGE, OnVyberAkce)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

private:
    HWND m_gesta = nullptr;
    HWND m_akce = nullptr;

    void ZobrazitAkci();
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnVyberGesta(WORD, WORD, HWND, BOOL&);
    LRESULT OnVyberAkce(WORD, WORD, HWND, BOOL&);
};

class DlgNastavRozsireniOken : public StrankaNastaveniImpl<DlgNastavRozsireniOken> {
public:
    enum { IDD = IDD_NASTAV_ROZSIRENI_OKEN };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavRozsireniOken)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        ZPRAVA(WM_HSCROLL, OnHScroll)
        NOTIFIKACE(IDC_PRUHLEDNOST_POSUVNIK, NM_RELEASEDCAPTURE, OnPusteni)
        PRIKAZ(IDC_INFORMOVAT_PO_SKRYTI, BN_CLICKED, OnZmenaPrvku)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

private:
    void ZobrazitHodnotu(bool sProcenty);
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnHScroll(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnPusteni(int, NMHDR*, BOOL&);
};
