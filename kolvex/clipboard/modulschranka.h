// The clipboard module: a hidden window on a thread of its own with its control tray icon and
// menu 122. It owns the operative text list and the operative window (both on its thread),
// starts and stops the text editor and the text-to-clipboard window, and copies the user name,
// the computer name and the computer's address to the clipboard. It never watches the
// clipboard: texts enter the operative list only by command 40042.
#pragma once

#include <windows.h>

#include <memory>

#include "core/ikonatray.h"
#include "core/menu.h"
#include "core/vlaknomodulu.h"
#include "knihovna/okno.h"

class OknoOperativniTexty;

class ModulSchranka : public knihovna::OknoImpl<ModulSchranka, knihovna::OknoModul>, public ModulAplikace {
public:
    ModulSchranka();
    ~ModulSchranka() override;

    // On the module's thread: the hidden window, minimised, the control icon when chosen, and
    // the one-shot timer of the deferred start.
    HWND VytvoritOkno();
    static void Spustit();
    static void Zastavit();

    KNIHOVNA_MAPA_ZPRAV(ModulSchranka)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_COMMAND, OnCommand)
        ZPRAVA(WM_DESTROY, OnDestroy)
        ZPRAVA(WM_DRAWITEM, OnDrawItem)
        ZPRAVA(WM_MEASUREITEM, OnMeasureItem)
        ZPRAVA(WM_SYSCOMMAND, OnSysCommand)
        ZPRAVA(WM_TIMER, OnTimer)
        ZPRAVA(ZPRAVA_IKONY_TRAY, OnIkonaTray)
        ZPRAVA(WM_APP + 7, OnZobrazitNabidku)
    KNIHOVNA_KONEC_MAPY()

    void ProvestPrikaz(UINT id);
    void ZobrazitMenu();
    // 40041: opens the operative window, or closes it when open.
    void PrepnoutOperativniTexty();
    // The list exists (and is loaded when chosen) from the first call on; later calls do nothing.
    void InicializovatOperativniTexty();
    // 40042 of the tray menu: the clipboard's text into the operative list, as the operative
    // window's own command does.
    void PridatObsahSchranky();
    // At the end of the module (its close, or its thread ending on a failure): the list into the
    // data folder when chosen, once; a failure is reported and the previous file stays whole.
    void UlozitOperativniTextyPriUkonceni();

private:
    MenuPopup* m_menu = nullptr;  // non-null exactly while menu 122 is open
    bool m_inicializovano = false;
    bool m_ulozeno = false;
    std::wstring m_trida;

    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnCommand(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnTimer(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnIkonaTray(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnZobrazitNabidku(UINT, WPARAM, LPARAM, BOOL&);
};

// The module object of the whole run and the operative window of its thread (null while closed).
extern std::unique_ptr<ModulSchranka> modulSchranka;
extern OknoOperativniTexty* oknoOperativniTexty;

// The computer's first IPv4 address; a failed look-up raises.
std::wstring ZjistitIpAdresu();

class VlaknoSchranky : public VlaknoModulu {
public:
    VlaknoSchranky();
    knihovna::OknoModul* Objekt() const override;

protected:
    HWND VytvoritOkno(bool automaticky) override;
    void ZrusitOkno() override;
};
extern std::unique_ptr<VlaknoSchranky> vlaknoSchranky;

// Start-up: the module object, its thread object and the clipboard settings pages; shutdown
// deletes both objects (their threads have been stopped).
void VytvoritModulSchranka();
void SmazatModulSchranka();
// Shutdown: the thread objects of the editor and the text-to-clipboard window.
void ZrusitVlaknaOkenSchranky();
