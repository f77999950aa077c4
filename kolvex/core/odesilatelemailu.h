// The account the program sends e-mail with (captures sent by e-mail), section "Odesilatel emailu",
// and its settings page (190, "Odesílání emailem").
#pragma once

#include <windows.h>

#include <string>

#include "core/konfigurace.h"
#include "core/stranka.h"
#include "resources/resource.h"

class KonfiguraceOdesilatelEmailu {
public:
    // Section name from string 214 (missing: raises), the defaults, then the stored values.
    KonfiguraceOdesilatelEmailu();
    // Every text empty except the display name: the logged-on user's name; password hidden.
    void NastavitVychozi();
    // Values read only when stored; a value that cannot be read is reported once (string 216)
    // and the others still load.
    void Nacist();
    // Writes every value; the first failure ends the save and is reported (string 215).
    void Ulozit();
    template <class V>
    void Projit(V& v);

    SdilenyText email;       // sender address
    SdilenyText heslo;       // SMTP password, stored as typed
    SdilenyText odesilatel;  // sender display name
    SdilenyText uzivatel;    // SMTP login name; empty = no authentication
    SdilenyText server;      // host name or dotted IPv4 address
    bool zobrazovatHeslo = false;

    std::wstring sekce;
};

class DlgNastavOdesilatelEmailu : public StrankaNastaveniImpl<DlgNastavOdesilatelEmailu> {
public:
    enum { IDD = IDD_NASTAV_ODESILATEL_EMAILU };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavOdesilatelEmailu)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(IDC_EMAIL_ADRESA, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_EMAIL_SERVER, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_EMAIL_UZIVATEL, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_EMAIL_HESLO, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_EMAIL_ODESILATEL, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_EMAIL_ZOBRAZIT_HESLO, BN_CLICKED, OnZobrazitHeslo)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    // The edits and the check box into the settings object.
    void Ulozit() override;
    // The password in clear while "Zobrazovat" is checked, else masked.
    void ZobrazitHeslo();

    wchar_t znakHesla = 0;  // the password edit's own mask character

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnZobrazitHeslo(WORD, WORD, HWND, BOOL&);
};
