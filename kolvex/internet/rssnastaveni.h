// The RSS reader's settings page (198): descriptions in the item list, the height of an owner-
// drawn entry, and whether an always-on-top reader minimises itself when it opens a link.
#pragma once

#include <windows.h>

#include "core/stranka.h"
#include "knihovna/edity.h"
#include "knihovna/prvky.h"
#include "resources/resource.h"

class DlgNastavCteckaRSS : public StrankaNastaveniImpl<DlgNastavCteckaRSS> {
public:
    enum { IDD = IDD_NASTAV_CTECKA_RSS };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavCteckaRSS)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(IDC_RSS_MINIMALIZOVAT, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(IDC_RSS_ZOBRAZENI_POPISU, CBN_SELCHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_RSS_VYSKA, EN_CHANGE, OnZmenaPrvku)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    // A height outside 32..400 keeps the stored one; no selection stores -1.
    void Ulozit() override;

private:
    knihovna::ComboBox m_popis;
    knihovna::EditCislo m_vyska;

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
};
