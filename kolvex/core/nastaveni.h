// The settings window: a modal dialog with the tree of pages, the current page, "OK", "Storno"
// and "Použít". Pages follow the protocol of core/stranka.h.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <memory>
#include <string>

#include "core/stranka.h"
#include "knihovna/odkazy.h"
#include "knihovna/okno.h"
#include "resources/resource.h"

// One row of the page table: the page id, the text appended to the window title, and the page's
// slot (its place among the window's page pointers).
struct RadekStranky {
    UINT id;
    const wchar_t* titulek;
    size_t slot;
};

// Slots of the page pointers, one per page class, in the order of the class names.
enum SlotStranky : size_t {
    StrCteckaRSS, StrHodiny, StrHorkeKlavesy, StrHostInfo, StrKontakty, StrSonvidar, StrMereniObrazovky,
    StrObecne, StrObrazovka, StrOdesilatelEmailu, StrOknaAkce, StrOpisObrazovky, StrOpisObrazovkyEmail,
    StrOvladaniCD, StrPocasiAladin, StrPocasiObecne, StrPocasiPredpovedText, StrPocasiSnimekDruzice,
    StrPolozkyMenuHlavni, StrPoSpusteni, StrPoznamky, StrPoznamkyTextove, StrPoznamkyZvukove,
    StrRezimyObrazovky, StrRozsireniOken, StrSberacBarvy, StrSeznamRegistraci, StrSchrankaEditorTextu,
    StrSchrankaOperativniTexty, StrSledovaniPameti, StrSledovaniProcesu, StrSpousteneAplikace,
    StrSpousteniAplikaci, StrStopky, StrTextDoSchranky, StrZaznamVideaWmv, StrZaznamZvukuWma,
    PocetStranek
};

// The row of a page id; null for an id that no page has.
const RadekStranky* NajitRadekStranky(UINT id);

// Tree items, always appended; result the new item; a failed insert raises the last system error.
// The variants by string id raise E_INVALIDARG for a missing string. obrazek < 0 = without image.
HTREEITEM VlozitPolozkuStromu(HWND strom, const wchar_t* text, HTREEITEM rodic, LPARAM data, int obrazek = -1);
HTREEITEM VlozitPolozkuStromuId(HWND strom, UINT idTextu, HTREEITEM rodic, LPARAM data, int obrazek = -1);
// Expands or collapses the item, its following siblings and all their descendants. A null item
// does nothing; a tree that is not a window raises E_HANDLE.
void RozbalitPolozkyStromu(HWND strom, HTREEITEM polozka, bool rozbalit);

class DlgNastaveni : public knihovna::DialogImpl<DlgNastaveni, knihovna::Okno> {
public:
    enum { IDD = IDD_NASTAVENI };

    DlgNastaveni();
    ~DlgNastaveni() override;

    KNIHOVNA_MAPA_ZPRAV(DlgNastaveni)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        ZPRAVA(ZpravaStrankaZmenena, OnStrankaZmenena)
        ZPRAVA(ZpravaObnovitStromNastaveni, OnObnovitStrom)
        PRIKAZ(IDOK, 0, OnOk)
        PRIKAZ(IDCANCEL, 0, OnStorno)
        PRIKAZ(IDC_NASTAVENI_POUZIT, 0, OnPouzit)
        PRIKAZ(IDC_NASTAVENI_ROZBALIT, 0, OnRozbalitVse)
        NOTIFIKACE(IDC_NASTAVENI_STROM, TVN_SELCHANGEDW, ZmenitStranku)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    // Runs the window modally with no owner; stranka = the page to show, 0 = "Všeobecné".
    // Returns IDOK or IDCANCEL; errors of its handlers are raised here.
    INT_PTR Spustit(UINT stranka);

    void VytvoritStrom(UINT stranka);
    // Stores every created page and saves every settings object. A page or save that fails is
    // reported and the rest still stored; false then (OK keeps the window open).
    bool Pouzit();
    LRESULT RozbalitVse();
    void Zavrit(int tlacitko);
    void SmazatStranky();

    // The created page of a slot, null until first shown (or when no class is registered).
    StrankaNastaveni* Stranka(size_t slot) const { return m_stranky[slot].get(); }
    UINT AktualniStranka() const { return m_aktualniStranka; }
    HWND Strom() const { return m_strom; }
    const RECT& ObdelnikStranky() const { return m_obdelnikStranky; }

    // Process-wide placement name ("QKolvexNastaveni", set from string 9 by each construction).
    static std::wstring& NazevPolohy();

private:
    RECT m_obdelnikStranky{};
    HWND m_pouzit = nullptr;
    std::array<std::unique_ptr<StrankaNastaveni>, PocetStranek> m_stranky;
    UINT m_aktualniStranka = 0;
    int m_vychoziVyskaPolozky = 0;
    knihovna::StaticOdkazUrl m_odkaz;
    knihovna::ToolTip m_tooltip;
    HWND m_strom = nullptr;

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnStrankaZmenena(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnObnovitStrom(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnOk(WORD, WORD, HWND, BOOL&);
    LRESULT OnStorno(WORD, WORD, HWND, BOOL&);
    LRESULT OnPouzit(WORD, WORD, HWND, BOOL&);
    LRESULT OnRozbalitVse(WORD, WORD, HWND, BOOL&);
    LRESULT ZmenitStranku(int, NMHDR* hlavicka, BOOL&);

    void ZobrazitStranku(const RadekStranky& radek);
    // The store steps Apply runs itself for pages without their own (read by control id).
    void UlozitStrankyOknem(size_t slot);
};

// The window while it is open (the main window opens at most one), else null.
extern DlgNastaveni* dlgNastaveni;
