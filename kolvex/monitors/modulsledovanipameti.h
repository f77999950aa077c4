// The memory monitor: a hidden window on a thread of its own that reads the memory status on a
// fixed interval, redraws its tray icon, and at the warning threshold shows a warning icon, a
// balloon and (when chosen) writes one line to its log. Its menu opens the two memory dialogs.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "core/ikonatray.h"
#include "core/konfiguracenastroju.h"
#include "core/menu.h"
#include "core/vlaknomodulu.h"
#include "knihovna/okno.h"
#include "monitors/dlgpamet.h"
#include "monitors/ikonapameti.h"

// The tray icon on which the log's limit balloon is shown (the main window's); tests replace it.
extern IkonaTray* (*ikonaProZpravyLogu)();

class ModulSledovaniPameti : public knihovna::OknoImpl<ModulSledovaniPameti, knihovna::OknoModul>,
                             public ModulAplikace {
public:
    ModulSledovaniPameti();
    ~ModulSledovaniPameti() override;

    static constexpr const wchar_t* SOUBOR_LOGU = L"Sledovani pameti.log";

    // On the module's thread: the hidden window, the memory icon, the timer and a first tick.
    HWND VytvoritOkno();
    // One reading with its warning and log line (the WM_TIMER 1 handler).
    void Tik();
    // The log path: data folder and file name joined with "%s\\%s".
    static std::wstring CestaLogu();

    IkonaPameti* ikonaPameti = nullptr;  // owned
    IkonaTray* varovani = nullptr;       // the warning icon while shown; owned
    MEMORYSTATUS stav{};                 // the last reading

    KNIHOVNA_MAPA_ZPRAV(ModulSledovaniPameti)
        ZPRAVA(WM_TIMER, OnTimer)
        ZPRAVA(ZPRAVA_IKONY_TRAY, OnIkonaTray)
        ZPRAVA(WM_COMMAND, OnCommand)
        ZPRAVA(WM_SYSCOMMAND, OnSysCommand)
        ZPRAVA(WM_MEASUREITEM, OnMeasureItem)
        ZPRAVA(WM_DRAWITEM, OnDrawItem)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_DESTROY, OnDestroy)
    KNIHOVNA_KONEC_MAPY()

    void ZobrazitNabidku();

private:
    MenuPopup* m_menu = nullptr;
    DlgPametInfo* m_info = nullptr;
    DlgPametHardware* m_hardware = nullptr;
    std::wstring m_trida;

    void ZapsatLog(const std::wstring& zprava);
    void OdebratVarovani();
    LRESULT OnTimer(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnIkonaTray(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnCommand(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
};

// The module object while the thread runs (module thread only).
extern std::unique_ptr<ModulSledovaniPameti> modulSledovaniPameti;

class VlaknoSledovaniPameti : public VlaknoModulu {
public:
    VlaknoSledovaniPameti();

protected:
    HWND VytvoritOkno(bool automaticky) override;
    void ZrusitOkno() override;
    void ZrusitAkciPoSpusteni() override;
    int PrioritaVlakna() const override;
};

void VytvoritModulSledovaniPameti();
void SmazatModulSledovaniPameti();
