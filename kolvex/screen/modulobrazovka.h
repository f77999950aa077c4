// The screen module: a hidden window on a thread of its own, its control tray icon and menu 155;
// it turns every screen command (captures, the capture folder, screen saver and monitor power,
// the pickers) into a call of the capture and picker code.
#pragma once

#include <windows.h>

#include <memory>

#include "core/ikonatray.h"
#include "core/konfiguracenastroju.h"
#include "core/menu.h"
#include "core/vlaknomodulu.h"
#include "knihovna/okno.h"
#include "screen/opisemailem.h"
#include "screen/vybervyrezem.h"

// Command of a click on the screen tool's tray icon: the stored action of the gesture, 0 for a
// message that is no click. The right button always opens the menu (40074).
UINT PrikazKliknutiObrazovky(const KonfiguraceObrazovka& nastaveni, UINT zpravaMysi, bool ctrl, bool shift);

// Show the icon's menu: the action of a click that opens menu 155.
constexpr UINT PRIKAZ_ZOBRAZIT_NABIDKU = 40074;

class ModulObrazovka : public knihovna::OknoImpl<ModulObrazovka, knihovna::OknoModul>, public ModulAplikace {
public:
    ModulObrazovka();
    ~ModulObrazovka() override;

    bool zoom = false;  // the area picked next is captured with zoom

    // On the module's thread: creates the hidden window, minimised, with the control icon when chosen.
    HWND VytvoritOkno();
    // The module's thread, started and stopped by the main window.
    static void Spustit();
    static void Zastavit();

    KNIHOVNA_MAPA_ZPRAV(ModulObrazovka)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_DESTROY, OnDestroy)
        ZPRAVA(WM_DRAWITEM, OnDrawItem)
        ZPRAVA(WM_MEASUREITEM, OnMeasureItem)
        ZPRAVA(WM_SYSCOMMAND, OnSysCommand)
        ZPRAVA(ZpravaVyrezVybran, OnVyrezVybran)
        ZPRAVA(ZPRAVA_IKONY_TRAY, OnIkonaTray)
        ZPRAVA(WM_APP + 7, OnZobrazitNabidku)
        ZPRAVA(ZpravaOpisOdeslan, OnOpisOdeslan)
        ZPRAVA(WM_COMMAND, OnCommand)
    KNIHOVNA_KONEC_MAPY()

    // Runs one command of the module (the low word of WM_COMMAND's wParam).
    void ProvestPrikaz(UINT id);
    void ZobrazitNabidku();

private:
    MenuPopup* m_menu = nullptr;  // non-null exactly while menu 155 is open
    std::wstring m_trida;

    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnVyrezVybran(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnIkonaTray(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnZobrazitNabidku(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnOpisOdeslan(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnCommand(UINT, WPARAM, LPARAM, BOOL&);
};

// The module object of the whole run (built at start-up, before its thread runs).
extern std::unique_ptr<ModulObrazovka> modulObrazovka;

// The thread of the screen module as the main window starts and stops it.
class VlaknoObrazovky : public VlaknoModulu {
public:
    VlaknoObrazovky();
    knihovna::OknoModul* Objekt() const override;

protected:
    HWND VytvoritOkno(bool automaticky) override;
    void ZrusitOkno() override;
    int PrioritaVlakna() const override;
    // On the main thread: a window pick under way holds the screen thread; it ends first.
    void PredZastavenim() override;
};
extern std::unique_ptr<VlaknoObrazovky> vlaknoObrazovky;

// Start-up: builds the module object and its thread object and registers them with the main window.
void VytvoritModulObrazovka();
// Shutdown: deletes both (their thread has been stopped).
void SmazatModulObrazovka();
