// The stopwatch: a small captionless window on a thread of its own showing the time measured so
// far; started, paused and stopped from its menu, its tray icon and hot keys; after a stop the
// exact time is shown in the result dialog.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "core/ikonatray.h"
#include "core/menu.h"
#include "core/vlaknomodulu.h"
#include "knihovna/odkazy.h"
#include "knihovna/okno.h"
#include "knihovna/uchyt.h"
#include "resources/resource.h"
#include "timers/casovace.h"

// Posted by the settings page: the stopwatch applies the changed settings on its own thread, so
// its font and brush are never swapped while it paints.
constexpr UINT ZpravaPouzitNastaveniStopek = WM_APP + 20;

class DlgStopkyNamerenyCas : public knihovna::DialogImpl<DlgStopkyNamerenyCas, knihovna::Okno> {
public:
    enum { IDD = IDD_STOPKY_NAMERENY_CAS };
    explicit DlgStopkyNamerenyCas(uint32_t ms = 0);

    KNIHOVNA_MAPA_ZPRAV(DlgStopkyNamerenyCas)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ_ID(IDOK, OnZavrit)
        PRIKAZ_ID(IDCANCEL, OnZavrit)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    uint32_t cas;
    // The open box shows a new result (a later stop while it is open reuses it).
    void ZobrazitCas(uint32_t ms);

private:
    knihovna::StaticNadpis m_nadpis;
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnZavrit(WORD, WORD id, HWND, BOOL&);
};

class ModulStopky : public knihovna::OknoImpl<ModulStopky, knihovna::OknoModul>, public ModulAplikace {
public:
    ModulStopky();
    ~ModulStopky() override;

    HWND VytvoritOkno(bool automaticky);
    void PouzitNastaveni();

    // The commands of the measurement (40152-40157).
    void Spustit();
    void Pozastavit();
    void Zastavit(bool vysledek);

    MereniStopek mereni;
    IkonaTray* ikona = nullptr;  // owned
    DlgStopkyNamerenyCas* vysledek = nullptr;  // while the result dialog is open
    // Seam for tests: runs the result dialog (modal) with the measured time.
    static void (*zobrazitVysledek)(ModulStopky& modul, uint32_t ms);

    KNIHOVNA_MAPA_ZPRAV(ModulStopky)
        ZPRAVA(WM_PAINT, OnPaint)
        ZPRAVA(WM_TIMER, OnTimer)
        ZPRAVA(WM_LBUTTONDOWN, TahnoutOknoMysi)
        ZPRAVA(WM_CONTEXTMENU, OnContextMenu)
        ZPRAVA(ZPRAVA_IKONY_TRAY, OnIkonaTray)
        ZPRAVA(ZpravaPouzitNastaveniStopek, OnPouzitNastaveni)
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
    void PridatIkonu();
    void NastavitTip(const wchar_t* format);
    void Prekreslit();
    void ZobrazitNabidku();
    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnTimer(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnContextMenu(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnIkonaTray(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnPouzitNastaveni(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnCommand(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
};

extern std::unique_ptr<ModulStopky> modulStopky;

class VlaknoStopek : public VlaknoModulu {
public:
    VlaknoStopek();
    // Posts the settings to the running stopwatch (any thread).
    void PouzitNastaveni() const { Odeslat(ZpravaPouzitNastaveniStopek); }

protected:
    HWND VytvoritOkno(bool automaticky) override;
    void ZrusitOkno() override;
    void PredZastavenim() override;
    void ZrusitAkciPoSpusteni() override;
};

void VytvoritModulStopky();
void SmazatModulStopky();
