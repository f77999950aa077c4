// The weather module: a hidden window on a thread of its own with the weather tray icon and its
// menu; it opens and closes the forecast-model, forecast-text and satellite windows.
#pragma once

#include <windows.h>

#include <memory>

#include "core/ikonatray.h"
#include "core/menu.h"
#include "core/vlaknomodulu.h"
#include "knihovna/okno.h"

// Seam for tests: what the commands 40219, 40218 and 40220 do (toggle the window's thread).
extern void (*prepnoutOknoPocasi)(UINT prikaz);
// Whether the window of a command runs (for the menu's check marks).
bool BeziOknoPocasi(UINT prikaz);

class ModulPocasi : public knihovna::OknoImpl<ModulPocasi, knihovna::OknoModul>, public ModulAplikace {
public:
    ModulPocasi();
    ~ModulPocasi() override;

    // On the module's thread: the hidden window, its control icon when chosen, the start-up timer.
    HWND VytvoritOkno();
    void ProvestPrikaz(UINT id);
    void ZobrazitNabidku();

    KNIHOVNA_MAPA_ZPRAV(ModulPocasi)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_COMMAND, OnCommand)
        ZPRAVA(WM_COMMAND, OnPrikaz)
        ZPRAVA(WM_DESTROY, OnDestroy)
        ZPRAVA(WM_SYSCOMMAND, OnSysCommand)
        ZPRAVA(WM_DRAWITEM, OnDrawItem)
        ZPRAVA(WM_MEASUREITEM, OnMeasureItem)
        ZPRAVA(WM_TIMER, OnTimer)
        ZPRAVA(ZPRAVA_IKONY_TRAY, OnIkonaTray)
    KNIHOVNA_KONEC_MAPY()

private:
    MenuPopup* m_menu = nullptr;
    std::wstring m_trida;

    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnPrikaz(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnTimer(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnIkonaTray(UINT, WPARAM, LPARAM, BOOL&);
};

extern std::unique_ptr<ModulPocasi> modulPocasi;

class VlaknoPocasi : public VlaknoModulu {
public:
    VlaknoPocasi();
    knihovna::OknoModul* Objekt() const override;

protected:
    HWND VytvoritOkno(bool automaticky) override;
    void ZrusitOkno() override;
    void PredZastavenim() override;
    int PrioritaVlakna() const override;
};

// Start-up: the module object, its thread object and the weather settings pages.
void VytvoritModulPocasi();
void SmazatModulPocasi();
