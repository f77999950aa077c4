// The contact dialog: the display name and two tab pages ("Obecné", "Další informace") over the
// caller's copy of a contact; the store is only asked whether a name is taken.
#pragma once

#include <windows.h>

#include <memory>

#include "core/kontakty.h"
#include "knihovna/okno.h"
#include "knihovna/prvky.h"
#include "resources/resource.h"

// A tab page of the contact dialog: its edits filled from the contact when it opens, every edit
// change by the user reported to the dialog (WM_APP + 1; the filling itself is no change, or its
// posted reports would enable "Použít" after the dialog disabled it). T gives IDD and Naplnit().
template <class T>
class DlgStrankaKontaktu : public knihovna::DialogImpl<T, knihovna::OknoObal> {
public:
    explicit DlgStrankaKontaktu(Kontakt* kontakt) : kontakt(kontakt) {}
    KNIHOVNA_MAPA_ZPRAV(DlgStrankaKontaktu)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ_KOD(EN_CHANGE, OnZmena)
    KNIHOVNA_KONEC_MAPY()
    Kontakt* kontakt;

private:
    bool m_plneni = false;
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
        m_plneni = true;
        static_cast<T*>(this)->Naplnit();
        m_plneni = false;
        return TRUE;
    }
    LRESULT OnZmena(WORD, WORD, HWND, BOOL&) {
        if (m_plneni) return 0;
        ::PostMessageW(::GetParent(this->m_hWnd), WM_APP + 1, 0, 0);
        return 0;
    }
};

class DlgKontaktObecne : public DlgStrankaKontaktu<DlgKontaktObecne> {
public:
    enum { IDD = IDD_KONTAKT_OBECNE };
    using DlgStrankaKontaktu::DlgStrankaKontaktu;
    void Naplnit();
};

class DlgKontaktInfo : public DlgStrankaKontaktu<DlgKontaktInfo> {
public:
    enum { IDD = IDD_KONTAKT_INFO };
    using DlgStrankaKontaktu::DlgStrankaKontaktu;
    void Naplnit();
};

class DlgKontakt : public knihovna::DialogImpl<DlgKontakt, knihovna::Okno> {
public:
    enum { IDD = IDD_KONTAKT };
    // index: the contact's index in the store, -1 for a new contact.
    explicit DlgKontakt(Kontakt* kontakt = nullptr, int index = -1);
    ~DlgKontakt() override;

    KNIHOVNA_MAPA_ZPRAV(DlgKontakt)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        ZPRAVA(WM_APP + 1, OnZmenaStranky)
        PRIKAZ(IDC_ZOBRAZENY_NAZEV, EN_CHANGE, OnZmenaNazvu)
        PRIKAZ(IDOK, BN_CLICKED, OnOk)
        PRIKAZ(IDCANCEL, BN_CLICKED, OnStorno)
        PRIKAZ(IDC_NASTAVENI_POUZIT, BN_CLICKED, OnPouzit)
        NOTIFIKACE(IDC_KONTAKT_ZALOZKY, TCN_SELCHANGE, OnZalozka)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    // Runs the dialog modally over its owner (the list window, disabled meanwhile).
    INT_PTR Spustit(HWND vlastnik);
    // Apply: false when a value was refused (the contact is then unchanged).
    bool Pouzit();
    void ZobrazitStranku(int zalozka);

    Kontakt* kontakt;
    int index;
    INT_PTR vysledek = 0;
    knihovna::TabControl zalozky;
    std::unique_ptr<DlgKontaktObecne> obecne;
    std::unique_ptr<DlgKontaktInfo> info;

private:
    std::wstring m_klic;
    void Ukoncit2(INT_PTR kod);
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnZmenaStranky(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnZmenaNazvu(WORD, WORD, HWND, BOOL&);
    LRESULT OnOk(WORD, WORD, HWND, BOOL&);
    LRESULT OnStorno(WORD, WORD, HWND, BOOL&);
    LRESULT OnPouzit(WORD, WORD, HWND, BOOL&);
    LRESULT OnZalozka(int, NMHDR*, BOOL&);
};

// The opening tags of the contacts file, which no value may contain.
const std::vector<std::wstring>& ZnackyKontaktu();
