// The desktop clock: a small window on a thread of its own with the time to the second and,
// when chosen, the date; a time signal (gong) every hour, half or quarter hour or minute; an
// optional tray icon with the clock's menu.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "core/ikonatray.h"
#include "core/menu.h"
#include "core/vlaknomodulu.h"
#include "knihovna/okno.h"
#include "knihovna/uchyt.h"

// Posted by the settings page: the clock applies the changed settings on its own thread.
constexpr UINT ZpravaPouzitNastaveniHodin = WM_APP + 20;

class ModulHodiny : public knihovna::OknoImpl<ModulHodiny, knihovna::OknoModul>, public ModulAplikace {
public:
    ModulHodiny();
    ~ModulHodiny() override;

    HWND VytvoritOkno();
    // Applies changed settings to the window (on the clock's thread).
    void PouzitNastaveni();
    // Posts ZpravaPouzitNastaveniHodin to the running clock (any thread).
    static void PouzitNastaveniBezicich();

    // The signal check: starts the gong when its time has come and sets the next time.
    void ZkontrolovatGong();
    // The next signal time from the clock's time now (after the clock was set, or a resume).
    void PrepocitatGong();
    // The date text (rebuilt when the day changes) and the whole text shown now.
    std::wstring TextNyni();

    int64_t dalsiGong = 0;
    std::wstring textData;
    SYSTEMTIME denData{};  // the day the date text was built for
    IkonaTray* ikona = nullptr;  // owned

    KNIHOVNA_MAPA_ZPRAV(ModulHodiny)
        ZPRAVA(WM_PAINT, OnPaint)
        ZPRAVA(WM_TIMER, OnTimer)
        ZPRAVA(WM_ERASEBKGND, OnEraseBkgnd)
        ZPRAVA(WM_LBUTTONDOWN, TahnoutOknoMysi)
        ZPRAVA(WM_CONTEXTMENU, OnContextMenu)
        ZPRAVA(ZPRAVA_IKONY_TRAY, OnIkonaTray)
        ZPRAVA(ZpravaPouzitNastaveniHodin, OnPouzitNastaveni)
        ZPRAVA(WM_TIMECHANGE, OnZmenaCasu)
        ZPRAVA(WM_POWERBROADCAST, OnNapajeni)
        ZPRAVA(WM_COMMAND, OnCommand)
        ZPRAVA(WM_MEASUREITEM, OnMeasureItem)
        ZPRAVA(WM_DRAWITEM, OnDrawItem)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_DESTROY, OnDestroy)
    KNIHOVNA_KONEC_MAPY()

private:
    knihovna::UchytPisma m_pismo;
    knihovna::UchytStetce m_pozadi;
    MenuPopup* m_menu = nullptr;
    std::wstring m_trida;

    void VytvoritPismo();
    void PrizpusobitVelikost();
    void SestavitDatum(const SYSTEMTIME& cas);
    void ZobrazitNabidku();
    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnTimer(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnEraseBkgnd(UINT, WPARAM, LPARAM, BOOL&) { return 0; }
    LRESULT OnContextMenu(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnIkonaTray(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnPouzitNastaveni(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnZmenaCasu(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnNapajeni(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnCommand(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
};

extern std::unique_ptr<ModulHodiny> modulHodiny;

// The gong: plays the own wave file once, or the built-in gong n times a second apart, on a
// short thread of its own (one at a time). Seam for tests: what starting it does.
extern void (*spustitGong)(int pocet);
bool HrajeGong();
// Ends a gong that plays (bounded wait).
void ZastavitGong();

class VlaknoHodin : public VlaknoModulu {
public:
    VlaknoHodin();

protected:
    HWND VytvoritOkno(bool automaticky) override;
    void ZrusitOkno() override;
    void ZrusitAkciPoSpusteni() override;
};

void VytvoritModulHodiny();
void SmazatModulHodiny();
