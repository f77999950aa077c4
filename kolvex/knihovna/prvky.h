// Small control wrappers and helpers: list-box base and its shared handlers, combo-box helpers
// and the two fixed combos, the tab control, the check-list view, control and string-table
// texts, toolbars, rebars and status bars, and releasing objects held through pointers.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "okno.h"

namespace knihovna {

// WM_APP+2: a list box tells its owner about Enter / double click (wParam VK_RETURN) and Esc
// (VK_ESCAPE), lParam its HWND; a colour button tells about a chosen colour (wParam the
// colour, lParam its control id).
constexpr UINT ZPRAVA_PRVKU = WM_APP + 2;

// Base of the program's list boxes (OknoImpl<X, ListBox>; see ListBoxImpl).
class ListBox : public OknoObal {
public:
    // LB_ADDSTRING and LB_SETITEMDATA; result the index. Failures raise the last system error.
    int PridatPolozku(const wchar_t* text, LPARAM data);
    // 0, or -1 when the item has no text (the target then keeps its text or is empty).
    int NacistTextPolozky(int index, std::wstring& cil) const;

    // Shared handlers; each passes the message on to the list box's own procedure, except
    // that a typed letter is handled by VybratPodlePismene alone (LBN_SELCHANGE is sent for it).
    LRESULT OznamitEnterEsc(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano);
    LRESULT VybratPodlePismene(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano);
    LRESULT PostoupitKontextoveMenu(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano);
    LRESULT OznamitDvojklik(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano);
};

// A list-box class T: destroying the object destroys the list box's window.
template <class T>
class ListBoxImpl : public OknoImpl<T, ListBox> {
public:
    ~ListBoxImpl() override {
        if (this->m_hWnd && ::IsWindow(this->m_hWnd)) ::DestroyWindow(this->m_hWnd);
    }
};

// Holder of a combo-box handle with the selection helpers.
class ComboBox : public OknoObal {
public:
    ComboBox() = default;
    explicit ComboBox(HWND h) : OknoObal(h) {}
    // Item data of the selected item, -1 when none is selected.
    LPARAM NacistDataVybranePolozky() const;
    // E_INVALIDARG for an index without an item.
    void NacistTextPolozky(int index, std::wstring& cil) const;
    // Selects the first item with that data: S_OK; none: the selection is cleared, E_INVALIDARG.
    HRESULT VybratPolozkuPodleDat(LPARAM data);
};

// CB_ADDSTRING and CB_SETITEMDATA; result the index (E_HANDLE for a non-window).
int PridatPolozkuCombo(HWND combo, const wchar_t* text, LPARAM data);
int PridatPolozkuComboId(HWND combo, UINT idTextu, LPARAM data);
// The holder takes the combo, which gets its fixed items; the item with that data is selected,
// else the first one.
void NaplnitComboKdy(ComboBox& combo, HWND h, LPARAM hodnota);
void NaplnitComboIkona(ComboBox& combo, HWND h, LPARAM hodnota);
// Destroys a control held by a holder (when it is a window) and clears the handle.
void ZrusitOknoPrvku(OknoObal& prvek);

class TabControl : public OknoImpl<TabControl, OknoObal> {
public:
    // Every message goes to the control's own procedure.
    bool ZpracovatZpravu(HWND, UINT, WPARAM, LPARAM, LRESULT&, DWORD = 0) { return false; }

    // Subclasses; image list (may be null), tab height 22 px, multi-line hot-tracking tabs.
    void Pripojit(HWND ovladac, HIMAGELIST obrazky);
    int VlozitPolozku(int index, const wchar_t* text);
};

// A report list view with check boxes; it gets every key of the dialog.
class CheckListView : public OknoImpl<CheckListView, OknoObal> {
public:
    KNIHOVNA_MAPA_ZPRAV(CheckListView)
        ZPRAVA(WM_GETDLGCODE, OnGetDlgCode)
    KNIHOVNA_KONEC_MAPY()

    // Subclasses, turns on check boxes and adds one column as wide as the list.
    void Pripojit(HWND ovladac);
    // Adds an item; the column widens to the widest item when the list is narrower.
    int PridatPolozku(const wchar_t* text, int pozice, LPARAM data);
    // The item with that data is checked (false when there is none).
    bool JeZaskrtnuta(LPARAM data) const;
    void NastavitZaskrtnuti(int index, bool zaskrtnuta);

private:
    void PrizpusobitSloupec();
    LRESULT OnGetDlgCode(UINT, WPARAM, LPARAM, BOOL&) { return DLGC_WANTALLKEYS; }
};

// The text of a dialog control; empty when there is no such control.
void NacistTextPrvku(HWND vlastnik, int id, std::wstring& cil);
// Part 1 of a string-table entry "name\ndescription" is the name, any other part the description
// (the target holds the whole entry, cut at the line feed); without a line feed: the whole text.
const wchar_t* NacistCastTextuZTabulky(UINT id, int cast, std::wstring& cil);
// Replaces every line feed by NUL (the length stays); result the number of line feeds.
int RozdelitTextNaRadky(std::wstring& text);

// Toolbars, rebars and status bars; each failure raises the last system error.
HWND VytvoritToolbar(HWND rodic, UINT id, HIMAGELIST obrazky, HIMAGELIST neaktivni = nullptr);
// With a drop-down arrow: the whole button (celeRozbaleni) or a separate arrow.
void VlozitTlacitkoToolbaru(HWND toolbar, int obrazek, int prikaz, bool celeRozbaleni);
void VlozitTlacitkoToolbaruAuto(HWND toolbar, int obrazek, int prikaz);
void VlozitOddelovacToolbaru(HWND toolbar);
HWND VytvoritRebar(HWND rodic, UINT id);
void VlozitPasRebaru(HWND rebar, HWND potomek, int minSirka, int sirka, int minVyska, UINT idPasu);
void VlozitPasRebaruSeZlomem(HWND rebar, HWND potomek);
void ZobrazitPasRebaru(HWND rebar, UINT idPasu, bool zobrazit);
HWND VytvoritStatusBar(HWND rodic, UINT id, DWORD styl);

// A window object held through a pointer: its window destroyed, the object deleted, the pointer null.
template <class T>
void SmazatOkno(T*& okno) {
    if (!okno) return;
    bool zniceno = true;
    if (okno->m_hWnd && ::IsWindow(okno->m_hWnd)) zniceno = ::DestroyWindow(okno->m_hWnd) != 0;
    DWORD kod = ::GetLastError();
    okno->m_hWnd = nullptr;
    delete okno;
    okno = nullptr;
    ::SetLastError(kod);
    Overit(zniceno);
}

// A menu holder (member m_hMenu) held through a pointer: its menu destroyed, the holder deleted.
template <class M>
void UvolnitMenu(M*& menu) {
    if (!menu) return;
    bool zniceno = true;
    if (menu->m_hMenu) zniceno = ::DestroyMenu(menu->m_hMenu) != 0;
    DWORD kod = ::GetLastError();
    menu->m_hMenu = nullptr;
    delete menu;
    menu = nullptr;
    ::SetLastError(kod);
    Overit(zniceno);
}

// A tray icon (with Odebrat) held through a pointer: removed, deleted, the pointer null.
template <class I>
void UvolnitIkonuTray(I*& ikona) {
    if (!ikona) return;
    ikona->Odebrat();
    delete ikona;
    ikona = nullptr;
}

}  // namespace knihovna
