// The process monitor: measures the memory use of every process it can open at a fixed
// interval, shows them in a sortable list window, keeps the largest in its tray tooltip and
// warns when the largest working set reaches the configured size.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "core/ikonatray.h"
#include "core/menu.h"
#include "core/vlaknomodulu.h"
#include "knihovna/okno.h"
#include "monitors/seznamprocesu.h"

// One measurement into an emptied list: every process of a process-only snapshot that can be
// opened for its memory counters (query-limited access, so what a normal user can see is there).
void ZmeritProcesy(SeznamProcesu& seznam);
// Seam for tests: the measurement the monitor runs.
using FunkceMereniProcesu = void (*)(SeznamProcesu&);
extern FunkceMereniProcesu zmeritProcesy;

class ModulSledovaniProcesu : public knihovna::OknoImpl<ModulSledovaniProcesu, knihovna::OknoModul>,
                              public ModulAplikace {
public:
    ModulSledovaniProcesu();
    ~ModulSledovaniProcesu() override;

    HWND VytvoritOkno();
    // One measurement: the list, the warning, the list view when visible, the tooltip.
    void Aktualizovat();
    // The warning step of a measurement on a sorted list.
    void ZkontrolovatLimit(const SeznamProcesu& seznam);
    void SetriditSeznam();

    HWND seznam = nullptr;   // the list view (1103)
    int sloupec = 1;         // sort column
    bool vzestupne = false;  // sort direction
    IkonaTray* ikona = nullptr;     // id 1; owned
    IkonaTray* varovani = nullptr;  // id 2 while a warning is shown; owned
    HWND statusBar = nullptr;
    std::wstring vybranyProces;

    KNIHOVNA_MAPA_ZPRAV(ModulSledovaniProcesu)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_DESTROY, OnDestroy)
        ZPRAVA(WM_SIZE, OnSize)
        ZPRAVA(WM_SYSCOMMAND, OnSysCommand)
        ZPRAVA(WM_TIMER, OnTimer)
        ZPRAVA(ZPRAVA_IKONY_TRAY, OnIkonaTray)
        ZPRAVA(WM_COMMAND, OnCommand)
        NOTIFIKACE(1103, LVN_COLUMNCLICK, OnKliknutiSloupce)
        NOTIFIKACE(1103, LVN_ITEMCHANGED, OnZmenaPolozky)
        ZPRAVA(WM_MEASUREITEM, OnMeasureItem)
        ZPRAVA(WM_DRAWITEM, OnDrawItem)
    KNIHOVNA_KONEC_MAPY()

    void ZobrazitNabidku();

private:
    MenuPopup* m_menu = nullptr;
    std::wstring m_trida;
    std::wstring m_tip;      // the tray tooltip last set
    std::wstring m_novyTip;  // the tooltip of the last measurement

    void OdeslatTip();

    void NaplnitSeznam();
    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSize(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnTimer(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnIkonaTray(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnCommand(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnKliknutiSloupce(int, NMHDR*, BOOL&);
    LRESULT OnZmenaPolozky(int, NMHDR*, BOOL&);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM, BOOL&);
};

extern std::unique_ptr<ModulSledovaniProcesu> modulSledovaniProcesu;

class VlaknoSledovaniProcesu : public VlaknoModulu {
public:
    VlaknoSledovaniProcesu();

protected:
    HWND VytvoritOkno(bool automaticky) override;
    void ZrusitOkno() override;
    void ZrusitAkciPoSpusteni() override;
    int PrioritaVlakna() const override;
};

void VytvoritModulSledovaniProcesu();
void SmazatModulSledovaniProcesu();
