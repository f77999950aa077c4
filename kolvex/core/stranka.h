// The settings-page protocol: what every page of the settings window is, how a tool makes its
// pages known to the window, and the handlers that pages of all tools share.
//
// A page is a child dialog on its own template, whose id is the page id (the dialog id that
// openers pass with command 40002 and that the tree item carries). The settings window creates a
// page the first time its tree item is selected, places it in the page area, shows and hides it,
// and destroys it only when the window closes. A page:
//   - posts ZpravaStrankaZmenena to its parent on every change of a control (OznamitZmenuNastaveni
//     does exactly that; enter it in the page's message map for the controls' notifications);
//   - writes its controls into its settings object in memory in Ulozit, which only Apply calls;
//     Apply then saves the general settings and every settings object to the registry;
//   - puts ODRAZIT_NOTIFIKACE() last in its message map and attaches its knihovna controls in
//     WM_INITDIALOG.
//
// Adding a tool's page:
//   1. the template, id = the page id of the settings window's table (e.g. 196 for the clock);
//   2. class DlgNastavHodiny : public StrankaNastaveniImpl<DlgNastavHodiny> { enum { IDD = 196 }; ... }
//      with Ulozit overridden when the page has a store step;
//   3. at start-up, before the settings window can open (the tool's registration in
//      ZaregistrovatNastroje is the place):
//          ZaregistrovatStrankuNastaveni(196, VytvoritStranku<DlgNastavHodiny>);
// Until a page is registered its tree item is there but shows no page.
#pragma once

#include <windows.h>

#include <memory>

#include "knihovna/okno.h"

// WM_APP+1: a page changed (enables "Použít"); WM_APP+8: rebuild the page tree (own look changed).
constexpr UINT ZpravaStrankaZmenena = WM_APP + 1;
constexpr UINT ZpravaObnovitStromNastaveni = WM_APP + 8;

class StrankaNastaveni {
public:
    StrankaNastaveni() = default;
    virtual ~StrankaNastaveni() = default;
    StrankaNastaveni(const StrankaNastaveni&) = delete;
    StrankaNastaveni& operator=(const StrankaNastaveni&) = delete;

    // Creates the page window as a child of the settings window; raises on failure.
    virtual HWND VytvoritStranku(HWND rodic) = 0;
    virtual HWND OknoStranky() const = 0;
    // The store step of Apply: the controls into the settings object in memory; no registry access
    // (the window saves afterwards). Pages without a store step keep the default. A value the page
    // refuses keeps its stored value; the page tells the user itself and then raises
    // HRESULT_FROM_WIN32(ERROR_CANCELLED), so the window stays open without a further message.
    virtual void Ulozit() {}
};

using TvurceStranky = std::unique_ptr<StrankaNastaveni> (*)();

template <class T>
std::unique_ptr<StrankaNastaveni> VytvoritStranku() {
    return std::make_unique<T>();
}

// Makes a page class known for a page id (replacing an earlier one); null removes it. The
// application's own pages are known from the start.
void ZaregistrovatStrankuNastaveni(UINT idStranky, TvurceStranky tvurce);
TvurceStranky TvurceStrankyNastaveni(UINT idStranky);

// Posts ZpravaStrankaZmenena (0, 0) to the page's parent; clears the handled flag so that the
// notification goes on to default processing; result 0.
LRESULT OznamitZmenuNastaveni(HWND stranka, BOOL& zpracovano);

// Base of a page class T (T::IDD = its template).
template <class T>
class StrankaNastaveniImpl : public knihovna::DialogImpl<T, knihovna::OknoObal>, public StrankaNastaveni {
public:
    HWND VytvoritStranku(HWND rodic) override { return this->Vytvorit(rodic); }
    HWND OknoStranky() const override { return this->m_hWnd; }

    // Message-map entry for the controls' change notifications (EN_CHANGE, BN_CLICKED, ...).
    LRESULT OnZmenaPrvku(WORD, WORD, HWND, BOOL& zpracovano) { return OznamitZmenuNastaveni(this->m_hWnd, zpracovano); }
    LRESULT OnZmenaNotifikace(int, NMHDR*, BOOL& zpracovano) { return OznamitZmenuNastaveni(this->m_hWnd, zpracovano); }
};

// Pages that choose what a click on a tool's tray icon does. The click combo (1104) lists the
// gestures, each with the address of its DWORD action field of the settings object as item data;
// the action combo (1105) lists the actions, each with its action code (a command id).
class StrankaAkciKliknuti {
public:
    HWND comboAkce = nullptr;      // 1105
    HWND comboKliknuti = nullptr;  // 1104
};

// The action of the selected click shown in the action combo (no selection when it is not
// there); an action of -1 leaves the action combo as it is. Result 0. A page calls it after it
// has filled both combos and selected the first click, and enters it for CBN_SELCHANGE of 1104.
LRESULT ZobrazitAkciKliknuti(StrankaAkciKliknuti& stranka);
// CBN_SELCHANGE of 1105: the chosen action into the selected click's field at once (before
// Apply, and Cancel does not undo it), then ZpravaStrankaZmenena to the page's parent.
LRESULT ZmenitAkciKliknuti(StrankaAkciKliknuti& stranka, HWND okno, BOOL& zpracovano);

// The format (string idFormatu) filled with the name (string idNazvu); either missing raises the
// last system error.
std::wstring SestavitTextZTabulky(UINT idNazvu, UINT idFormatu);
