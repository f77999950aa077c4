// The tray main menu (menu 102) as it is built each time it opens: the switches of the general
// settings decide its items, running modules are checked, the own look makes items owner-drawn.
#pragma once

#include <windows.h>

#include <memory>

#include "core/menu.h"

class HlavniMenu {
public:
    // Loads menus 102 and 149 and builds the whole menu (drive and plug-in submenus included).
    HlavniMenu();
    // Destroys every menu it loaded or built.
    ~HlavniMenu();
    HlavniMenu(const HlavniMenu&) = delete;
    HlavniMenu& operator=(const HlavniMenu&) = delete;

    MenuPopup& Zaznam() { return m_zaznam; }
    HMENU Popup() const { return m_zaznam.popup; }

private:
    void Sestavit();
    void Uvolnit();
    void PripojitPodmenu(UINT id, HMENU podmenu, UINT idTextu);
    void OdstranitNadbytecneOddelovace();

    HMENU m_hlavni = nullptr;      // menu 102
    HMENU m_pruzkumnik = nullptr;  // menu 149
    HMENU m_jednotky = nullptr;    // drive popup, owned until it is put in
    HMENU m_zasuvne = nullptr;     // plug-in popup, owned until it is put in
    MenuPopup m_zaznam;
    std::unique_ptr<MenuExterniAplikace> m_externi;
    std::unique_ptr<MenuNapoveda> m_napoveda;
    std::unique_ptr<MenuOvladaciIkony> m_ikony;
};
