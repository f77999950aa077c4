// The tool "Seznam registrací a hesel": a resizable list window on a thread of its own, with an
// optional status bar and tray icon; adds, edits and removes entries, opens an entry's URL and
// puts its login name or password on the clipboard.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "core/ikonatray.h"
#include "core/menu.h"
#include "core/vlaknomodulu.h"
#include "knihovna/okno.h"
#include "knihovna/prvky.h"
#include "records/oknoseznamu.h"
#include "records/seznamregistraci.h"

class DlgRegistraceHeslo;

class ListBoxSeznamRegistraci : public ListBoxZaznamu {};

class ModulSeznamRegistraci : public OknoSeznamuImpl<ModulSeznamRegistraci> {
public:
    ModulSeznamRegistraci();

    HWND VytvoritOkno(bool automaticky);
    void NaplnitSeznam(int vybrat);
    // The index of the selected entry, -1 when none.
    int VybranaPolozka() const;
    void ObnovitStatusBar();
    void ProvestPrikaz(UINT id);
    void Klavesa(WPARAM klavesa, HWND zdroj);

    // Whether the context menu offers the command for the selection (40162-40164 by their fields).
    bool PrikazDostupny(UINT id) const;

    void PridatRegistraci();
    void UpravitRegistraci();
    void OdebratRegistraci();

    HWND Seznam() const { return m_seznam.m_hWnd; }
    HWND StatusBar() const { return m_status; }

    // Seams for tests: the name question and the edit dialog (modal in the program).
    static bool (*zadatNazev)(std::wstring& nazev);
    static INT_PTR (*upravitRegistraci)(Registrace& registrace, int index);

    KNIHOVNA_MAPA_ZPRAV(ModulSeznamRegistraci)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_DESTROY, OnDestroy)
        ZPRAVA(WM_SIZE, OnSize)
        ZPRAVA(WM_SETFOCUS, OnSetFocus)
        ZPRAVA(WM_SYSCOMMAND, OnSysCommand)
        ZPRAVA(WM_CONTEXTMENU, OnContextMenu)
        ZPRAVA(WM_MEASUREITEM, OnMeasureItem)
        ZPRAVA(WM_DRAWITEM, OnDrawItem)
        ZPRAVA(WM_COMMAND, OnCommand)
        ZPRAVA(WM_NOTIFY, OnNotify)
        ZPRAVA(knihovna::ZPRAVA_PRVKU, OnKlavesa)
        ZPRAVA(ZPRAVA_IKONY_TRAY, OnIkonaTray)
    KNIHOVNA_KONEC_MAPY()

private:
    friend class OknoSeznamuImpl<ModulSeznamRegistraci>;
    HWND m_status = nullptr;
    ListBoxSeznamRegistraci m_seznam;
    std::wstring m_trida;

    DWORD OznamovaciIkona() const;
    static int IkonaPolozky(UINT id);
    void VytvoritStatusBar();
    void Rozmistit();
    void ZobrazitNabidku(UINT idMenu, POINT bod);
    void Ulozit();
    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSize(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnContextMenu(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnCommand(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnNotify(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnKlavesa(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnIkonaTray(UINT, WPARAM, LPARAM, BOOL&);
};

extern std::unique_ptr<ModulSeznamRegistraci> modulSeznamRegistraci;
// The edit dialog of an existing entry while it is open.
extern DlgRegistraceHeslo* dlgRegistraceOtevreny;

class VlaknoSeznamuRegistraci : public VlaknoSeznamu<ModulSeznamRegistraci> {
public:
    VlaknoSeznamuRegistraci();

protected:
    void ZrusitAkciPoSpusteni() override;
};

// Start-up: the thread object (registered with the main window) and the settings page.
void VytvoritModulSeznamRegistraci();
void SmazatModulSeznamRegistraci();
