// The capture-action dialog (193): what to do with a capture file just saved: open, edit or
// print it with the program the shell associates with it, or send it by e-mail to an address
// typed in or taken from the contacts.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/kontakty.h"
#include "knihovna/okno.h"
#include "resources/resource.h"

// Action codes of the list (item data).
enum : int { AKCE_OPISU_OTEVRIT = 1, AKCE_OPISU_UPRAVIT = 2, AKCE_OPISU_TISK = 3, AKCE_OPISU_EMAIL = 10 };

class DlgOpisObrazovkyAkce : public knihovna::DialogImpl<DlgOpisObrazovkyAkce, knihovna::Okno> {
public:
    enum { IDD = IDD_OPIS_OBRAZOVKY_AKCE };

    std::wstring soubor;
    HWND comboAkce = nullptr;      // 1221
    HWND comboKontakty = nullptr;  // 1210
    // Gets the result of an e-mail send; null = the screen module's window.
    HWND oknoVysledku = nullptr;

    KNIHOVNA_MAPA_ZPRAV(DlgOpisObrazovkyAkce)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ_ID(IDC_AKCE_PROVEST, OnProvest)
        PRIKAZ_ID(IDOK, OnOk)
        PRIKAZ_ID(IDCANCEL, OnCancel)
        PRIKAZ_ID(IDC_AKCE_ODESLAT, OnOdeslat)
        PRIKAZ(IDC_AKCE_KONTAKTY, CBN_SELCHANGE, OnKontakt)
    KNIHOVNA_KONEC_MAPY()

    // The selected action; raises when the shell refuses it (the dialog stays open).
    void ProvestAkci();
    // The e-mail request with the address in 1199; false when it was refused.
    bool OdeslatEmailem();
    // The chosen contact's address into 1199 (when it has more than 5 characters).
    void PrevzitKontakt();

private:
    // The contacts as the dialog opened (a copy taken under the list's lock); the combo's item
    // data index this copy, never the live list.
    std::vector<Kontakt> m_kontakty;
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnProvest(WORD, WORD, HWND, BOOL&);
    LRESULT OnOk(WORD, WORD, HWND, BOOL&);
    LRESULT OnCancel(WORD, WORD, HWND, BOOL&);
    LRESULT OnOdeslat(WORD, WORD, HWND, BOOL&);
    LRESULT OnKontakt(WORD, WORD, HWND, BOOL&);
};
