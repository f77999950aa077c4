// Windows hidden to a tray icon: the list of other programs' windows that the window extension
// hid (also from the taskbar), its icon "Skrytá okna" on the extension's window, the menu of the
// hidden windows and the restoring. Used on the window extension's thread only.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/ikonatray.h"

constexpr size_t MAX_SKRYTYCH_OKEN = 200;
constexpr UINT PRVNI_PRIKAZ_SKRYTEHO_OKNA = 54000;
constexpr UINT POSLEDNI_PRIKAZ_SKRYTEHO_OKNA = 54999;
constexpr UINT ID_IKONY_SKRYTYCH_OKEN = 1;

class SeznamSkrytychOken {
public:
    // vlastnik: the window that owns the tray icon and receives the menu's commands. The icon
    // (image 13 of the application's image list) is taken here; a failure raises.
    explicit SeznamSkrytychOken(HWND vlastnik);
    // Shows every window still in the list again and removes the icon; raises nothing.
    ~SeznamSkrytychOken();
    SeznamSkrytychOken(const SeznamSkrytychOken&) = delete;
    SeznamSkrytychOken& operator=(const SeznamSkrytychOken&) = delete;

    // E_INVALIDARG for a handle that is not a window; false when it is listed already or the list
    // holds 200 windows; else appended (the first also adds the icon), the tip updated, true.
    bool Pridat(HWND okno);
    // Balloon "Okno bylo skryto" with the window's class and title.
    void OznamitSkryti(HWND okno);
    // The menu of the hidden windows at the cursor (the last hidden first; a window without a
    // title by its program and class); nothing when empty or already open.
    void ZobrazitNabidku();
    // Takes the window at the index out of the list and shows it again; false for a bad index.
    // Showing is posted to the window (ShowWindowAsync): a hung program never blocks the list.
    bool Obnovit(size_t index);
    // Shows every listed window that still exists, empties the list and removes the icon.
    void ObnovitVse();
    void KreslitPolozku(const DRAWITEMSTRUCT& polozka) const;

    HMENU Nabidka() const { return m_nabidka; }
    size_t Pocet() const { return m_okna.size(); }
    HWND Okno(size_t index) const { return index < m_okna.size() ? m_okna[index] : nullptr; }
    bool MaIkonu() const { return m_tray.id != 0; }
    const std::wstring& Tip() const { return m_tip; }

private:
    void ObnovitTip();
    void OdebratIkonu();

    HWND m_vlastnik;
    std::vector<HWND> m_okna;  // in the order of hiding
    HMENU m_nabidka = nullptr;  // while the menu is shown
    HICON m_ikona = nullptr;    // owned
    IkonaTray m_tray;
    std::wstring m_tip;
};

// The menu text of a hidden window: its title; without one its program file and class
// ("program.exe (Class)"), or the class alone when the program is unknown.
std::wstring PopisSkrytehoOkna(const std::wstring& titulek, const std::wstring& program, const std::wstring& trida);

// The text of the balloon after hiding: "Třída: <class>\nText: <title>", at most 255 characters.
std::wstring TextOznameniSkryti(const std::wstring& trida, const std::wstring& titulek);

// The module's hiding of one window: listed first; only a window the list accepted is minimised
// and hidden (a refused one stays as it is). Balloon when chosen. Result: whether it was hidden.
bool SkrytOknoDoSeznamu(SeznamSkrytychOken& seznam, HWND okno, bool oznamit);
