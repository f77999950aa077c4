// The program's hidden message-only main window: the main tray icon and its menu, the global hot
// keys, the one-shot start-up of the tool modules, the dispatch of every program-wide command and
// the ordered stop of the modules when the program ends.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>
#include <string>

#include "core/hlaseni.h"
#include "core/ikonatray.h"
#include "core/menu.h"
#include "knihovna/okno.h"

// Tooltip of the main tray icon (the record cuts it to the tip's length).
std::wstring PopisHlavniIkony(const std::wstring& titulek, const std::wstring& uzivatel, const std::wstring& pocitac,
                              const std::wstring& ipAdresa);

// Where a hot key goes.
enum class CilHorkeKlavesy {
    Spousteni,   // launcher entries 1-1000 and the launcher's menu 40018: the launcher's window
    AkceOkna,    // window actions: at once, on the main thread
    Obrazovka,   // captures and the colour picker: the screen module's window
    Sonvidar,    // recordings: the media-recorder driver's window
    HlavniOkno,  // any other: WM_COMMAND to the main window, as the tray-menu item of that id
};
CilHorkeKlavesy UrcitCilHorkeKlavesy(UINT id);

// Seam for tests: the RegisterHotKey the main window calls.
using FunkceRegistraceKlavesy = BOOL(WINAPI*)(HWND, int, UINT, UINT);
extern FunkceRegistraceKlavesy registraceHorkeKlavesy;

class OknoHlavni : public knihovna::OknoImpl<OknoHlavni, knihovna::OknoObal> {
public:
    OknoHlavni();
    ~OknoHlavni() override;

    void Vytvorit();

    MenuPopup* menu = nullptr;  // the tray menu while it is open
    // WM_CLOSE is stopping the modules: a failed stop does not ask to close again.
    bool Zavira() const { return m_zavira; }
    // WM_ENDSESSION(TRUE) (the session window): the stop sequence at once, without a box; the window
    // is closed after it.
    void UkoncitRelaci();
    std::unique_ptr<IkonaTray> ikona;
    bool horkeKlavesyRegistrovany = false;
    // Ids of the hot keys registered now: only these are unregistered.
    std::vector<int> registrovaneKlavesy;

    // Registers the command table's hot keys and the launcher entries' ones; failures are counted
    // and reported by an error balloon. Result: the number of failures.
    int ZaregistrovatHorkeKlavesy();
    // Unregisters what was registered; the result counts the failures.
    int OdregistrovatHorkeKlavesy();
    void ZobrazitMenu();

    KNIHOVNA_MAPA_ZPRAV(OknoHlavni)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_DESTROY, OnDestroy)
        ZPRAVA(WM_DRAWITEM, OnDrawItem)
        ZPRAVA(WM_HOTKEY, OnHotKey)
        ZPRAVA(WM_MEASUREITEM, OnMeasureItem)
        ZPRAVA(WM_SYSCOMMAND, OnSysCommand)
        ZPRAVA(WM_TIMER, OnTimer)
        ZPRAVA(ZPRAVA_IKONY_TRAY, OnIkona)
        ZPRAVA(WM_APP + 30, OnVysledekAktualizace)
        ZPRAVA(ZpravaBublinaHlavniIkony, OnBublinaHlavniIkony)
        ZPRAVA(WM_COMMAND, OnCommand)
    KNIHOVNA_KONEC_MAPY()

private:
    bool m_zavira = false;
    bool m_zastaveno = false;  // the stop sequence has run
    std::wstring m_nazevTridy;
    bool m_nastaveniOtevreno = false;

    void PridatIkonu();
    void OdebratIkonu();
    int ProjitHorkeKlavesy(bool registrovat);
    void Posloupnost();
    void ZastavitVse();
    void SpustitPolozkyPoSpusteni();
    void ZobrazitNastaveniOkna(UINT stranka);
    // true when the command was one of this window's.
    bool ProvestPrikaz(UINT id, LPARAM l);

    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnHotKey(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMeasureItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSysCommand(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnTimer(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnIkona(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnVysledekAktualizace(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnBublinaHlavniIkony(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnCommand(UINT, WPARAM, LPARAM, BOOL&);
};
