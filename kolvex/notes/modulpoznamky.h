// The notes module: a hidden window on a thread of its own with up to three tray icons (notes,
// text notes, sound notes), their menus, and the lifetime of the windows that show notes (the
// text-notes list, the note window and the sound-notes window), all on the module's thread.
#pragma once

#include <windows.h>

#include <memory>

#include "core/ikonatray.h"
#include "core/menu.h"
#include "core/vlaknomodulu.h"
#include "knihovna/okno.h"

// WM_APP+7: show the notes menu (128) at the cursor (the main menu's item "Poznámky").
constexpr UINT ZpravaZobrazitNabidkuPoznamek = WM_APP + 7;
// WM_APP+11: posted to itself at the start: tell of a sound recording kept at the last end.
constexpr UINT ZpravaUschovanyZaznam = WM_APP + 11;

// Command of a left click on notes icon 1, 2 or 3 for a stored click action: 0 = show the icon's
// menu, else the command to post to the module window.
UINT PrikazKliknutiPoznamek(UINT idIkony);

class ModulPoznamky : public knihovna::OknoImpl<ModulPoznamky, knihovna::OknoModul>, public ModulAplikace {
public:
    ModulPoznamky();
    ~ModulPoznamky() override;

    KNIHOVNA_MAPA_ZPRAV(ModulPoznamky)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_DESTROY, OnDestroy)
        ZPRAVA(WM_MEASUREITEM, OnMeasureItemMenu)
        ZPRAVA(WM_DRAWITEM, OnDrawItem)
        ZPRAVA(ZPRAVA_IKONY_TRAY, OnIkonaTray)
        ZPRAVA(ZpravaZobrazitNabidkuPoznamek, OnZobrazitNabidku)
        ZPRAVA(WM_APP + 3, OnPoznamkaZmenena)
        ZPRAVA(ZpravaUschovanyZaznam, OnUschovanyZaznam)
        ZPRAVA(WM_COMMAND, OnCommand)
    KNIHOVNA_KONEC_MAPY()

    HICON ikonaTextove = nullptr;  // image 68: text-notes tray icon; owned
    HICON ikonaZvukove = nullptr;  // image 60: sound-notes tray icon; owned
    // Icon 1 is the control icon of OknoModul (ovladaciIkona); icons 2 and 3:
    IkonaTray* ikonaTrayTextove = nullptr;
    IkonaTray* ikonaTrayZvukove = nullptr;

    // On the module's thread: the hidden window with the icons the general settings ask for.
    HWND VytvoritOkno();
    static void Spustit();
    static void Zastavit();

    void ProvestPrikaz(UINT id, LPARAM l);
    void PrepnoutSeznamTextovych(LPARAM argument);
    void PrepnoutSeznamZvukovych(LPARAM argument);
    // Menu 128, 129 or 130 at the cursor; nothing while a menu is open.
    void ZobrazitNabidku(UINT idMenu);
    // Shows or removes icon 1, 2 or 3.
    void PrepnoutIkonu(UINT idIkony);
    void PridatIkonu(UINT idIkony);
    // On stop: the open note is saved, a running recording saved and kept, the note windows destroyed.
    void ZavritOknaPoznamek();

private:
    MenuPopup* menu = nullptr;  // while one of the module's menus is open
    std::wstring m_trida;

    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMeasureItemMenu(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnIkonaTray(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnZobrazitNabidku(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnPoznamkaZmenena(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnUschovanyZaznam(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnCommand(UINT, WPARAM, LPARAM, BOOL&);
};

extern std::unique_ptr<ModulPoznamky> modulPoznamky;

class VlaknoPoznamky : public VlaknoModulu {
public:
    VlaknoPoznamky();
    knihovna::OknoModul* Objekt() const override;
    bool JeZobrazenaIkona(UINT polozka) const override;

protected:
    HWND VytvoritOkno(bool automaticky) override;
    void ZrusitOkno() override;
    void PredZastavenim() override;
};
extern std::unique_ptr<VlaknoPoznamky> vlaknoPoznamky;

// Start-up: the module object, its thread object and the notes settings pages; shutdown: both deleted.
void VytvoritModulPoznamky();
void SmazatModulPoznamky();
