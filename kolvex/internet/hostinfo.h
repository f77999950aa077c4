// The tool "IP info": the computer's own address and name, and look-ups of a station's name by
// its IPv4 address and of an address by a name. The look-ups run on worker threads, so the
// window keeps answering while a slow resolver works.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/ikonatray.h"
#include "core/menu.h"
#include "core/stranka.h"
#include "core/vlaknomodulu.h"
#include "knihovna/okno.h"
#include "knihovna/odkazy.h"
#include "knihovna/prvky.h"
#include "resources/resource.h"

// Blocking look-ups (Windows Sockets must be started): the host name of a dotted IPv4 address,
// the first IPv4 address of a name; empty when nothing is found.
std::wstring NajitJmenoPodleAdresy(const std::wstring& adresa);
std::wstring NajitAdresuPodleJmena(const std::wstring& jmeno);

// Posted to the dialog by a look-up's worker: wParam the target control, lParam a heap
// std::wstring with the result (the receiver deletes it).
constexpr UINT ZpravaVysledekHledani = WM_APP + 30;

class DlgHostInfo : public knihovna::DialogImpl<DlgHostInfo, knihovna::OknoObal> {
public:
    enum { IDD = IDD_HOST_INFO };
    DlgHostInfo() = default;
    // Waits a bounded time for look-ups still running (they own their data and post to a window
    // that is gone by then, so one that outlasts the wait harms nothing).
    ~DlgHostInfo() override;

    KNIHOVNA_MAPA_ZPRAV(DlgHostInfo)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        ZPRAVA(ZpravaVysledekHledani, OnVysledek)
        PRIKAZ(IDC_HOST_NAJIT_JMENO, BN_CLICKED, OnNajitJmeno)
        PRIKAZ(IDC_HOST_NAJIT_ADRESU, BN_CLICKED, OnNajitAdresu)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    // The address field's text ("a.b.c.d"), empty when the field is blank.
    std::wstring Adresa() const;
    void NastavitAdresu(const std::wstring& adresa);
    // Look-ups still running (their results not yet arrived).
    int Probihajici() const { return m_probihajici; }

    knihovna::ToolTip tooltip;

private:
    int m_probihajici = 0;
    std::vector<HANDLE> m_vlakna;
    unsigned m_poradi[2] = {0, 0};  // newest look-up per target: older results are dropped
    void Hledat(int cil, const std::wstring& dotaz, bool podleAdresy);
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnVysledek(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnNajitJmeno(WORD, WORD, HWND, BOOL&);
    LRESULT OnNajitAdresu(WORD, WORD, HWND, BOOL&);
};

class ModulHostInfo : public knihovna::OknoImpl<ModulHostInfo, knihovna::OknoModul>, public ModulAplikace {
public:
    ModulHostInfo();
    ~ModulHostInfo() override;

    HWND VytvoritOkno();
    HWND Dialog() const { return m_hDialog; }
    DlgHostInfo* ObjektDialogu() const { return m_dialog.get(); }
    IkonaTray* Ikona() const { return m_ikona; }

    KNIHOVNA_MAPA_ZPRAV(ModulHostInfo)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_DESTROY, OnDestroy)
        ZPRAVA(WM_COMMAND, OnCommand)
        ZPRAVA(WM_SYSCOMMAND, OnSysCommand)
        ZPRAVA(ZPRAVA_IKONY_TRAY, OnIkonaTray)
        ZPRAVA(WM_MEASUREITEM, OnMeasureItem)
        ZPRAVA(WM_DRAWITEM, OnDrawItem)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

private:
    std::unique_ptr<DlgHostInfo> m_dialog;
    HWND m_hDialog = nullptr;
    IkonaTray* m_ikona = nullptr;
    MenuPopup* m_menu = nullptr;
    std::wstring m_trida;

    bool PridatIkonu();
    void Prepnout();
    void ZobrazitNabidku();
    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnCommand(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSysCommand(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnIkonaTray(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM, BOOL&);
};

extern std::unique_ptr<ModulHostInfo> modulHostInfo;

class VlaknoHostInfo : public VlaknoModulu {
public:
    VlaknoHostInfo();
    knihovna::OknoModul* Objekt() const override;

protected:
    HWND VytvoritOkno(bool automaticky) override;
    void ZrusitOkno() override;
    void ZrusitAkciPoSpusteni() override;
    bool PredzpracovatZpravu(MSG& msg) override;
};

class DlgNastavHostInfo : public StrankaNastaveniImpl<DlgNastavHostInfo> {
public:
    enum { IDD = IDD_NASTAV_HOST_INFO };

    KNIHOVNA_MAPA_ZPRAV(DlgNastavHostInfo)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(IDC_HOST_MINIMALIZACE, CBN_SELCHANGE, OnZmenaPrvku)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    void Ulozit() override;
    knihovna::ComboBox minimalizace;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
};

void VytvoritModulHostInfo();
void SmazatModulHostInfo();
