// Popup menus of the program: the open-menu record with its owner drawing (an icon beside each
// item when the own look is on), the image tables, and the shared submenus (Help, Window,
// settings pages, outside programs, control icons).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "knihovna/uchyt.h"

// The popup menu that is open; made when a menu opens and deleted when it closes.
struct MenuPopup {
    int vyskaPolozky = 20;                // owner-drawn item height
    COLORREF barvaZakazane = 0xFFFFFF;    // blended over the image of a disabled item
    int stylZakazane = ILD_BLEND25;       // blend style of a disabled item's image
    HMENU popup = nullptr;
    HIMAGELIST obrazky = nullptr;         // the application's menu image list
    int obrazekZaskrtnuti = 2;            // image of a check mark; negative = none

    // Makes one item owner-drawn, in the popup or (submenu >= 0) in its submenu of that index. An
    // item addressed by position also gets (position + 1) in the high word of its id, so the
    // drawing code finds its text.
    static void NastavitVlastniKresleni(const MenuPopup& menu, UINT polozka, bool podlePozice, int submenu = -1);
    // E_HANDLE when the popup is not a menu, E_INVALIDARG when the item does not exist.
    static void ZaskrtnoutPolozku(const MenuPopup& menu, UINT id, bool zaskrtnuto);
    // Inserts a separator with id noveId before the item predId.
    static void VlozitOddelovac(const MenuPopup& menu, UINT predId, UINT noveId);
    // Sets an item's text from the string table (missing string: E_INVALIDARG).
    static void NastavitTextPolozky(HMENU menu, UINT id, UINT idTextu);
};

// An item's text; E_HANDLE when the handle is not a menu.
std::wstring NacistTextPolozkyMenu(HMENU menu, UINT polozka, bool podlePozice = false);
// The text with its accelerator tab replaced by " - ".
std::wstring NahraditTabulatorPomlckou(const std::wstring& text);

// Image of a command in the menu image list; ids without a row leave index unchanged.
void IkonaPrikazuMenu(UINT id, int& index);
// Image of an item of the settings-pages menu (submenu items carry their position in the high word).
int IkonaStrankyNastaveni(UINT id);
// Image of an item of the tray main menu (its own rows first, then IkonaPrikazuMenu); -1 = none.
int IkonaPolozkyHlavnihoMenu(UINT id);

// Width of an item's text in DEFAULT_GUI_FONT (the caller adds its margin).
int ZmeritPolozkuMenu(const MenuPopup& menu, UINT id);
// Draws an owner-drawn item (WM_DRAWITEM); vlastniIkona replaces the image-list image (plug-ins).
void KreslitPolozkuMenu(const MenuPopup& menu, const DRAWITEMSTRUCT& polozka, int obrazek, HICON vlastniIkona = nullptr);

// Sets the measuring hook of the window library (module windows measure through it).
void NastavitMereniMenu();

// The record of the menu open on this thread, for module windows' measuring and drawing.
class OtevreneMenu {
public:
    explicit OtevreneMenu(MenuPopup& menu);
    ~OtevreneMenu();
    OtevreneMenu(const OtevreneMenu&) = delete;
    OtevreneMenu& operator=(const OtevreneMenu&) = delete;
    static MenuPopup* Aktualni();

private:
    MenuPopup* m_predchozi;
};

// A submenu loaded from the resources and put into a target popup.
class Podmenu {
public:
    Podmenu(UINT idMenu, UINT idNazvu, UINT zastupce, MenuPopup* cil);
    virtual ~Podmenu();
    Podmenu(const Podmenu&) = delete;
    Podmenu& operator=(const Podmenu&) = delete;

    HMENU Nactene() const { return m_menu; }
    HMENU Submenu() const { return ::GetSubMenu(m_menu, 0); }

    // Puts the caption and submenu 0 on the placeholder item of the target; with the own look the
    // placeholder and the submenu's command items become owner-drawn.
    void NahraditZastupce();
    // Appends the submenu with its caption at the end of the target.
    void Vlozit();
    // Makes an item of the target owner-drawn (found by command, submenus included).
    void NastavitVlastniKresleniPolozky(UINT id);
    // The image of one of this submenu's items, -1 = none.
    virtual int IkonaPrikazu(UINT id) const;

protected:
    void NastavitVlastniKresleniSubmenu();

    HMENU m_menu = nullptr;
    MenuPopup* m_cil;
    UINT m_idNazvu;
    UINT m_zastupce;
};

class MenuNapoveda : public Podmenu {
public:
    explicit MenuNapoveda(MenuPopup* cil);
    // Shows the Help menu alone at the cursor (module windows).
    void ZobrazitSamostatne(HWND okno);
};

class MenuOkno : public Podmenu {
public:
    explicit MenuOkno(MenuPopup* cil);  // E_HANDLE without a target
};

class MenuExterniAplikace : public Podmenu {
public:
    explicit MenuExterniAplikace(MenuPopup* cil);
};

class MenuOvladaciIkony : public Podmenu {
public:
    explicit MenuOvladaciIkony(MenuPopup* cil);
};

class MenuStrankyNastaveni : public Podmenu {
public:
    MenuStrankyNastaveni();
    // Shows the settings-pages menu alone at the cursor; every item owner-drawn with the own look.
    void Zobrazit(HWND okno);
    int IkonaPrikazu(UINT id) const override { return IkonaStrankyNastaveni(id); }
};

// The cursor position for a popup; a coordinate of 0xFFFF gives the window's client origin.
POINT PoziceMenu(HWND okno);

// A tool's tray menu loaded from the resources: submenu 0 with the menu images and the Help
// submenu on its placeholder 40003. The loaded menu lives as long as this object.
class NabidkaNastroje {
public:
    explicit NabidkaNastroje(UINT idMenu);
    NabidkaNastroje(const NabidkaNastroje&) = delete;
    NabidkaNastroje& operator=(const NabidkaNastroje&) = delete;

    MenuPopup zaznam;

private:
    knihovna::UchytMenu m_nactene;
    std::unique_ptr<MenuNapoveda> m_napoveda;
};

// Shows a tray icon's menu at the cursor for the window. While it is open, aktivni points to the
// record (the window's measuring and drawing read it). A failed TrackPopupMenu raises its error.
void ZobrazitMenuIkony(HWND okno, MenuPopup& zaznam, MenuPopup*& aktivni);
// The same at a given screen point.
void ZobrazitMenuNaBode(HWND okno, MenuPopup& zaznam, POINT bod, MenuPopup*& aktivni);

// Shows a window's context menu from the resources at a WM_CONTEXTMENU position (0xFFFF from the
// keyboard gives the window's client origin): submenu 0 with the menu images, the Help and Window
// submenus on their placeholders, always-on-top (40053) and transparency (40075) checked for the
// window and, with the own look, the given items owner-drawn. While it is open, aktivni points to
// the record (the window's measuring and drawing read it).
void ZobrazitKontextoveMenuOkna(HWND okno, UINT idMenu, LPARAM pozice, std::initializer_list<UINT> kreslene,
                                MenuPopup*& aktivni);
