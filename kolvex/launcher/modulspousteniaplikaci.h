// The application launcher "Spouštění aplikací": a message-only window on a thread of its own,
// its control tray icon, the full menu (menu 109 with the entries) and the entries menu, and the
// start of an entry by its menu item or hot key (ids 1 to 1000 = entry index + 1).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/ikonatray.h"
#include "core/konfiguracenastroju.h"
#include "core/menu.h"
#include "core/vlaknomodulu.h"
#include "knihovna/okno.h"
#include "launcher/seznamaplikaci.h"

class SeznamSpustenychProcesu;

// One item that the entries add to a menu: an entry (id = index + 1) or a greyed separator
// (id 0) between entries of different rights levels.
struct PolozkaNabidkyAplikaci {
    UINT id = 0;
    std::wstring text;
    bool oddelovac = false;
    bool zakazana = false;  // a single-instance entry whose program runs
};

// The entries' items in list order. Separators only when the options ask for grouping and the
// list is sorted by rights; greyed entries only when the options ask for it and a process list
// is given.
std::vector<PolozkaNabidkyAplikaci> PolozkyNabidkyAplikaci(const std::vector<SpoustenaAplikace>& aplikace,
                                                            const KonfiguraceSpousteniAplikaci& nastaveni,
                                                            const SeznamSpustenychProcesu* procesy);

// The open-file dialog for an entry's program ("Programy (*.exe)", the file must exist) over the
// active window; false on Cancel.
bool VybratSouborAplikace(std::wstring& cesta);

class ModulSpousteniAplikaci : public knihovna::OknoImpl<ModulSpousteniAplikaci, knihovna::OknoModul>,
                               public ModulAplikace {
public:
    ModulSpousteniAplikaci();
    ~ModulSpousteniAplikaci() override;

    // On the module's thread: the message-only window, minimised, with the control icon when chosen.
    HWND VytvoritOkno();

    // A balloon titled with the application title: at the module's own icon when shown, else
    // at the main icon when that exists, else nowhere.
    void ZobrazitBublinu(const std::wstring& text, DWORD druh);

    void ZobrazitNabidku();
    void ZobrazitNabidkuAplikaci();
    // Runs one command (WM_COMMAND's low word).
    void ProvestPrikaz(UINT id);

    // The popup being shown (null when none): its items, for tests and the drawing code.
    const MenuPopup* OtevrenaNabidka() const { return m_menu; }
    // Builds the full menu (fixed items and entries) into a loaded menu 109 without showing it;
    // the caller owns the result.
    HMENU SestavitNabidku();
    // Builds the entries menu; the caller owns the result.
    HMENU SestavitNabidkuAplikaci();

    KNIHOVNA_MAPA_ZPRAV(ModulSpousteniAplikaci)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_DESTROY, OnDestroy)
        ZPRAVA(WM_DRAWITEM, OnDrawItem)
        ZPRAVA(WM_MEASUREITEM, OnMeasureItem)
        ZPRAVA(ZPRAVA_IKONY_TRAY, OnIkonaTray)
        ZPRAVA(WM_COMMAND, OnPrikaz)
    KNIHOVNA_KONEC_MAPY()

private:
    MenuPopup* m_menu = nullptr;  // the popup while one of the two menus is open
    std::wstring m_trida;

    void VlozitPolozkyAplikaci(HMENU menu, UINT predId);
    void Zobrazit(MenuPopup& zaznam);

    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnIkonaTray(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnPrikaz(UINT, WPARAM, LPARAM, BOOL&);
};

// The module object of the whole run (built at start-up with the list, before its thread runs).
extern std::unique_ptr<ModulSpousteniAplikaci> modulSpousteniAplikaci;

// The launcher's thread as the main window starts and stops it. When the thread ends, also
// after a failure, the list is written to the registry.
class VlaknoSpousteni : public VlaknoModulu {
public:
    VlaknoSpousteni();
    knihovna::OknoModul* Objekt() const override;

protected:
    HWND VytvoritOkno(bool automaticky) override;
    void ZrusitOkno() override;
};
extern std::unique_ptr<VlaknoSpousteni> vlaknoSpousteni;

// Writes the list; a failure is shown with the settings-save message of the launcher.
void UlozitSeznamAplikaci();

// Start-up: the list (read from the registry), the module and thread objects, the two settings
// pages; registered with the main window.
void VytvoritModulSpousteniAplikaci();
// Shutdown: deletes them (their thread has been stopped).
void SmazatModulSpousteniAplikaci();
