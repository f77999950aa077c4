// The settings page of the CD/DVD drive icons: click actions, balloons, the disc icon and the
// priority of the drive threads.
#pragma once

#include <windows.h>

#include "core/stranka.h"

class KonfiguraceOvladaniCD;

// The six thread priorities of the priority combo: text and value.
struct PrioritaVlakna {
    const wchar_t* text;
    int hodnota;
};
extern const PrioritaVlakna prioritaVlaken[6];

class DlgNastavOvladaniCD : public StrankaNastaveniImpl<DlgNastavOvladaniCD> {
public:
    enum { IDD = 167 };

    // The settings object the page edits (the global one when null).
    KonfiguraceOvladaniCD* nastaveni = nullptr;

    // Apply: the three checks and the priority. A priority combo without a selection keeps the
    // stored value. The click actions were written when they were chosen.
    void Ulozit() override;

    KNIHOVNA_MAPA_ZPRAV(DlgNastavOvladaniCD)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(1104, CBN_SELCHANGE, OnVyberKliknuti)
        PRIKAZ(1105, CBN_SELCHANGE, OnVyberAkce)
        PRIKAZ(1078, CBN_SELCHANGE, OnZmenaPrvku)
        PRIKAZ(1156, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(1157, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(1158, BN_CLICKED, OnZmenaPrvku)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnVyberKliknuti(WORD, WORD, HWND, BOOL&);
    LRESULT OnVyberAkce(WORD, WORD, HWND, BOOL&);
    KonfiguraceOvladaniCD& Nastaveni();

    StrankaAkciKliknuti m_akce;
};
