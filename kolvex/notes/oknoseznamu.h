// What the two note list windows (text notes and sound notes) share: the owner-drawn list box
// that reports its keys, the rebar with the toolbar, the context menu with its owner drawing,
// sorting, renaming and deleting, and closing through the notes module.
// Each window class derives OknoImpl<X, OknoSeznamuPoznamekZaklad>, handles its keys and commands
// and chains the rest of its map to this base's map.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "core/menu.h"
#include "knihovna/okno.h"
#include "knihovna/prvky.h"
#include "notes/seznampoznamek.h"

// The list of a note list window: owner-drawn, 20 pixels an item, the item data is the record's
// index in the store. Enter, Esc, Insert, Delete, F2, Pause and the arrows are posted to the
// parent as ZPRAVA_PRVKU (wParam the key, lParam the list); a double click as Enter. Ctrl + left
// button drags the window when the list window's flag 0x10000 is set.
class ListBoxSeznamPoznamek : public knihovna::ListBoxImpl<ListBoxSeznamPoznamek> {
public:
    KNIHOVNA_MAPA_ZPRAV(ListBoxSeznamPoznamek)
        ZPRAVA(WM_GETDLGCODE, OnGetDlgCode)
        ZPRAVA(WM_KEYDOWN, OnKeyDown)
        ZPRAVA(WM_LBUTTONDBLCLK, OnDvojklik)
        ZPRAVA(WM_LBUTTONDOWN, OnLButtonDown)
    KNIHOVNA_KONEC_MAPY()

    bool zvukove = false;  // whose window flags (text or sound list)

    void Vytvorit(HWND rodic);

private:
    LRESULT OnGetDlgCode(UINT, WPARAM, LPARAM, BOOL&) { return DLGC_WANTALLKEYS; }
    LRESULT OnKeyDown(UINT, WPARAM w, LPARAM, BOOL& zpracovano);
    LRESULT OnDvojklik(UINT, WPARAM, LPARAM, BOOL& zpracovano);
    LRESULT OnLButtonDown(UINT, WPARAM, LPARAM, BOOL& zpracovano);
};

// The notes settings of one list window's kind.
DWORD& PriznakyOknaSeznamu(bool zvukove);
DWORD& TrideniSeznamu(bool zvukove);
std::wstring SlozkaSeznamu(bool zvukove);

// Draws one list item: the icon, then "name (d.m.yyyy  h:mm)".
void KreslitPolozkuPoznamky(const DRAWITEMSTRUCT& polozka, const SeznamPoznamek* seznam, HICON ikona);

// Image of a list window's menu item (shared commands, then the open submenus' own tables).
int ObrazekPolozkyMenuSeznamu(UINT id);

// Owner-draws a menu item of the menu open on this thread; false when no menu is open.
bool KreslitPolozkuOtevrenehoMenu(const DRAWITEMSTRUCT& polozka, int obrazek);
bool ZmeritPolozkuOtevrenehoMenu(MEASUREITEMSTRUCT& polozka);

class OknoSeznamuPoznamekZaklad : public knihovna::OknoNormalni {
public:
    ~OknoSeznamuPoznamekZaklad() override;

    KNIHOVNA_MAPA_ZPRAV(OknoSeznamuPoznamekZaklad)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_DESTROY, OnDestroy)
        ZPRAVA(WM_SIZE, OnSize)
        ZPRAVA(WM_CONTEXTMENU, OnContextMenu)
        ZPRAVA(WM_DRAWITEM, OnDrawItem)
        ZPRAVA(WM_MEASUREITEM, OnMeasureItem)
        ZPRAVA(WM_NOTIFY, OnNotify)
        ZPRAVA(WM_SETFOCUS, OnSetFocus)
        ZPRAVA(WM_SYSCOMMAND, OnSysCommand)
        ZPRAVA(WM_GETMINMAXINFO, OnGetMinMaxInfo)
    KNIHOVNA_KONEC_MAPY()

    // Refills the list from the store; vyber < 0 keeps the note selected before, wherever the
    // store's order put it (the selection index when that note is gone).
    void NaplnitSeznam(int vyber);
    // Record index of the selected item, -1 when none.
    int VybranaPoznamka() const;
    HWND Seznam() const { return seznam.m_hWnd; }
    // Whether one of the window's own modal loops runs (a dialog, a prompt, a question, the
    // context menu): the window object is on that loop's stack and must outlive it.
    bool BeziModalniSmycka() const { return m_modalniSmycky > 0; }
    // Brings the dialog of the running modal loop to the foreground (a menu is left alone).
    void ZobrazitModalniOkno() const;

protected:
    // Counts a modal loop of this window for its lifetime.
    class ModalniSmycka {
    public:
        explicit ModalniSmycka(OknoSeznamuPoznamekZaklad& okno) : m_okno(okno) { ++m_okno.m_modalniSmycky; }
        ~ModalniSmycka() { --m_okno.m_modalniSmycky; }
        ModalniSmycka(const ModalniSmycka&) = delete;
        ModalniSmycka& operator=(const ModalniSmycka&) = delete;

    private:
        OknoSeznamuPoznamekZaklad& m_okno;
    };
    int m_modalniSmycky = 0;

    ListBoxSeznamPoznamek seznam;
    MenuStrankyNastaveni* menuStranky = nullptr;
    MenuNapoveda* menuNapoveda = nullptr;
    knihovna::OknoObal* rebar = nullptr;
    knihovna::OknoObal* toolbar = nullptr;
    MenuPopup* menu = nullptr;  // the context menu while it is open
    bool m_zvukove = false;
    HICON m_ikona = nullptr;  // drawn before every item; destroyed with the window object
    // The name of the note the selection is on: the items hold store indices, which a re-sort of
    // the store gives to other notes, so a refill finds the note again by its name.
    std::wstring m_nazevVyberu;
    // The narrowest window that shows the whole toolbar (its buttons grow with the DPI); 0 before
    // the toolbar exists.
    int m_minSirka = 0;
    int SirkaProToolbar() const;
    void ZapamatovatVyber();

    SeznamPoznamek* Store() const { return m_zvukove ? seznamZvukovychPoznamek : seznamTextovychPoznamek; }
    // Window and extended style from the window flags.
    static void StylOkna(DWORD priznaky, DWORD& styl, DWORD& rozsireny);
    // List, rebar and toolbar (buttons: {command, image}, 0 = separator); placement.
    void VytvoritPrvky(const int (*tlacitka)[2], size_t pocet, bool obnovenaPoloha);
    void Rozmistit();
    void ZobrazitKontextoveMenu(LPARAM pozice, UINT idMenu);
    void Seradit(DWORD trideni);
    void Prejmenovat();
    void Odstranit();
    void Zavrit(UINT prikazModulu);
    void OnRozbaleniToolbaru(NMHDR* hlavicka);
    // The list's own WM_COMMAND notifications (the selection the user moved); false for others.
    bool ZpracovatOznameniSeznamu(WPARAM w, LPARAM l);
    // The commands both kinds run alike (rename, delete, sort, on top, settings page, help,
    // close); false for any other command. stranka: the settings page of this kind.
    bool ZpracovatPrikazSeznamu(UINT id, UINT stranka);

    // The list window's icon from the application image list (before creation).
    void NacistIkonu(int obrazek);
    // After the window is created: its icons, its stored placement, the controls.
    void DokoncitVytvoreni(const int (*tlacitka)[2], size_t pocet);
    // Esc, Delete and F2 posted by the list; false for any other key.
    bool ZpracovatKlavesuSeznamu(WPARAM klavesa);

    // Handlers of the map above.
    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnContextMenu(UINT, WPARAM, LPARAM l, BOOL&);
    LRESULT OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&);
    LRESULT OnSize(UINT msg, WPARAM w, LPARAM l, BOOL&);
    LRESULT OnDrawItem(UINT msg, WPARAM w, LPARAM l, BOOL&);
    LRESULT OnMeasureItem(UINT msg, WPARAM w, LPARAM l, BOOL&);
    LRESULT OnNotify(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano);
    LRESULT OnSetFocus(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnGetMinMaxInfo(UINT msg, WPARAM w, LPARAM l, BOOL&);
};

// The commands a list window's rename and delete run (shared by both kinds; no prompts): the
// file is moved or deleted, an open note window follows, the store is scanned again. False with
// the last system error set when the file system refused.
bool PrejmenovatPoznamku(bool zvukove, int index, const std::wstring& novyNazev);
bool OdstranitPoznamku(bool zvukove, int index);
