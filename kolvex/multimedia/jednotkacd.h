// One CD/DVD drive: a hidden window on a thread of its own with the drive's tray icon. It shows
// whether a disc is in the drive (or the disc's own autorun icon), announces insertion and removal
// in a balloon, opens and closes the door through MCI and opens the information dialogs.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "core/ikonatray.h"
#include "core/menu.h"
#include "core/vlaknomodulu.h"
#include "knihovna/okno.h"

class KonfiguraceOvladaniCD;

// ---------------------------------------------------------------------------------------------
// Pure parts (tested directly)

// autorun.inf larger than this is not read: no icon.
constexpr size_t MAX_VELIKOST_AUTORUN = 64 * 1024;

// The icon file named by an autorun.inf: the value of its "icon" key, else of its "open" key, up
// to the first blank or line end; empty when there is none, the buffer exceeds the cap or the
// value is longer than a path. The text is 8-bit and ends at the first zero byte.
std::string HodnotaIkonyAutorun(const BYTE* data, size_t delka);
// The full path of that icon file on the drive ("E:" + "\" + value, from the system code page);
// empty when there is none.
std::wstring CestaIkonyAutorun(const std::wstring& cestaJednotky, const std::vector<BYTE>& obsah);

enum class ZmenaMedia { Zadna, Vlozeni, Vyjmuti };
// A WM_DEVICECHANGE for the drive with the letter pismeno: a media volume broadcast whose lowest
// unit-mask bit is that letter. Any other broadcast is Zadna.
ZmenaMedia RozpoznatZmenuMedia(WPARAM udalost, LPARAM data, char pismeno);

// Click actions of a drive's tray icon.
enum AkceJednotkyCD : DWORD {
    AKCE_CD_NIC = 0,
    AKCE_CD_NABIDKA = 1,
    AKCE_CD_OTEVRIT = 2,
    AKCE_CD_OTEVRIT_VSE = 4,
    AKCE_CD_ZAVRIT = 5,
    AKCE_CD_ZAVRIT_VSE = 7,
};
// The stored action of a mouse message on the icon (right button: the menu; no click: nothing).
DWORD AkceKliknutiCD(const KonfiguraceOvladaniCD& nastaveni, UINT zpravaMysi, bool ctrl, bool shift);

// Seam for tests: the MCI command call.
using FunkceMci = MCIERROR(WINAPI*)(MCIDEVICEID, UINT, DWORD_PTR, DWORD_PTR);
extern FunkceMci prikazMciJednotky;
// Opens or closes the door of the drive with that letter through MCI cdaudio; the result is the
// error of the open (0 when the door command was sent). Nothing is shown: a drive that MCI cannot
// drive simply does nothing.
MCIERROR OvladatDvereMechaniky(char pismeno, bool otevrit);

// The disc icon of a drive from its autorun.inf ("E:"), null when none. The file is read only up
// to MAX_VELIKOST_AUTORUN; any failure gives null.
HICON NacistIkonuDisku(const std::wstring& cestaJednotky);

// While it lives, a drive without a disc answers with an error instead of the system's "no disk"
// box (on this thread).
class BezHlaseniChybDisku {
public:
    BezHlaseniChybDisku() { ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &m_puvodni); }
    ~BezHlaseniChybDisku() { ::SetThreadErrorMode(m_puvodni, nullptr); }
    BezHlaseniChybDisku(const BezHlaseniChybDisku&) = delete;
    BezHlaseniChybDisku& operator=(const BezHlaseniChybDisku&) = delete;

private:
    DWORD m_puvodni = 0;
};

// ---------------------------------------------------------------------------------------------

// (core/napojeni.h has a function of the same name: the class is named with "class" where both
// may be in sight.)
class JednotkaCD;

// The thread of one drive, run by the module pattern: started and stopped by the main window,
// stopped within the module time-out.
class VlaknoJednotkyCD : public VlaknoModulu {
public:
    explicit VlaknoJednotkyCD(class JednotkaCD& jednotka);

protected:
    HWND VytvoritOkno(bool automaticky) override;
    void ZrusitOkno() override;
    int PrioritaVlakna() const override;

private:
    class JednotkaCD& m_jednotka;
    bool m_com = false;  // COM initialised on the drive's thread
};

class JednotkaCD : public knihovna::OknoImpl<class JednotkaCD, knihovna::OknoNormalni> {
public:
    JednotkaCD();
    ~JednotkaCD() override;

    // Filled in by the drive list.
    size_t index = 0;          // tray icon id index + 1, main-window command 53000 + index
    std::wstring cesta;        // "E:"
    char pismeno = 0;          // 'E'
    HICON ikonaPrazdna = nullptr;  // the list's icons, not owned
    HICON ikonaDisk = nullptr;

    void Spustit();
    void Zastavit();
    bool Bezi() const { return m_vlakno.Bezi(); }
    VlaknoModulu& Vlakno() { return m_vlakno; }
    // Whether the drive's tray icon is shown (read from the main thread for the menu check).
    bool IkonaZobrazena() const { return m_ikonaZobrazena; }
    // Posts a command to the drive's window; false when the drive does not run.
    bool PoslatPrikaz(UINT id) const;

    // On the drive's thread: the hidden window with its tray icon.
    HWND VytvoritOkno();
    void ZrusitOkno();

    // The icon currently shown in the tray (tests).
    HICON ZobrazenaIkona() const { return m_ikona ? m_ikona->ikona : nullptr; }
    HICON IkonaDisku() const { return m_ikonaDisku; }

    void ProvestAkci(DWORD akce);
    void ZobrazitNabidku();

    KNIHOVNA_MAPA_ZPRAV(JednotkaCD)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_DESTROY, OnDestroy)
        ZPRAVA(WM_DEVICECHANGE, OnDeviceChange)
        ZPRAVA(WM_DRAWITEM, OnDrawItem)
        ZPRAVA(WM_MEASUREITEM, OnMeasureItem)
        ZPRAVA(WM_SYSCOMMAND, OnSysCommand)
        ZPRAVA(ZPRAVA_IKONY_TRAY, OnIkonaTray)
        ZPRAVA(WM_COMMAND, OnPrikaz)
    KNIHOVNA_KONEC_MAPY()

private:
    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDeviceChange(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMeasureItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnIkonaTray(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnPrikaz(UINT, WPARAM, LPARAM, BOOL&);

    void OdebratIkonu();
    void ZmenitIkonu(HICON ikona);
    void Bublina(UINT idTextu);

    VlaknoJednotkyCD m_vlakno;
    std::wstring m_trida;
    HICON m_ikonaDisku = nullptr;          // from autorun.inf; owned
    MenuPopup* m_menu = nullptr;           // while the drive menu is open
    std::unique_ptr<IkonaTray> m_ikona;    // while the window exists
    std::atomic<bool> m_ikonaZobrazena{false};
};

using OknoJednotkyCD = class JednotkaCD;

// The two information dialogs of the whole process: run modally on the drive's thread that opened
// one, or brought to the front when one is open already.
void SpustitInfoDisky();
void SpustitInfoJednotekCD();
bool JeOtevrenoInfoDisky();
bool JeOtevrenoInfoJednotekCD();
