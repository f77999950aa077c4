// The edit dialog of one registration: name, login name, password (masked unless shown), the
// login page's URL with a link that opens it, and notes. It changes only the entry it was given.
#pragma once

#include <windows.h>

#include "knihovna/odkazy.h"
#include "knihovna/okno.h"
#include "records/seznamregistraci.h"
#include "resources/resource.h"

class DlgRegistraceHeslo : public knihovna::DialogImpl<DlgRegistraceHeslo, knihovna::Okno> {
public:
    enum { IDD = IDD_REGISTRACE_HESLO };
    // index: the entry's index in the list, -1 for a new entry.
    explicit DlgRegistraceHeslo(Registrace* registrace = nullptr, int index = -1);

    KNIHOVNA_MAPA_ZPRAV(DlgRegistraceHeslo)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(IDOK, BN_CLICKED, OnOk)
        PRIKAZ(IDCANCEL, BN_CLICKED, OnStorno)
        PRIKAZ(IDC_NASTAVENI_POUZIT, BN_CLICKED, OnPouzit)
        PRIKAZ(IDC_EMAIL_ZOBRAZIT_HESLO, BN_CLICKED, OnZobrazitHeslo)
        PRIKAZ(IDC_REGISTRACE_URL, EN_CHANGE, OnZmenaUrl)
        PRIKAZ_KOD(EN_CHANGE, OnZmena)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    // Runs the dialog modally over its owner (the list window, disabled meanwhile): IDOK or IDCANCEL.
    INT_PTR Spustit(HWND vlastnik);
    // Apply: false when a value was refused (nothing of the entry changed then).
    bool Pouzit();

    Registrace* registrace;
    int index;
    INT_PTR vysledek = 0;  // how the dialog ended (also when it runs modeless in tests)
    knihovna::StaticOdkazUrl odkaz;
    knihovna::ToolTip tooltip;

private:
    wchar_t m_znakHesla = L'*';
    std::wstring m_klic;
    bool m_odkazPripojen = false;

    void PouzitUrl();
    void PouzitZobrazeniHesla();
    void Ukoncit2(INT_PTR kod);
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnOk(WORD, WORD, HWND, BOOL&);
    LRESULT OnStorno(WORD, WORD, HWND, BOOL&);
    LRESULT OnPouzit(WORD, WORD, HWND, BOOL&);
    LRESULT OnZobrazitHeslo(WORD, WORD, HWND, BOOL&);
    LRESULT OnZmenaUrl(WORD, WORD, HWND, BOOL&);
    LRESULT OnZmena(WORD, WORD, HWND, BOOL&);
};
