// The text-to-clipboard window: a combo of the text-list files of the texts folder, the names of
// the current file's texts below it; Enter or a double click puts the chosen text on the
// clipboard. It runs on a thread of its own; the clipboard module starts and stops it (40040).
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "clipboard/listboxy.h"
#include "clipboard/seznamtextu.h"
#include "core/menu.h"
#include "core/vlaknomodulu.h"
#include "knihovna/modalni.h"
#include "knihovna/okno.h"

class OknoTextDoSchranky : public knihovna::OknoImpl<OknoTextDoSchranky, knihovna::OknoNormalni> {
public:
    OknoTextDoSchranky();
    ~OknoTextDoSchranky() override;

    HWND Vytvorit();
    // Reads a text-list file; on success it becomes the current file and the list shows it.
    void NacistSoubor(const std::wstring& cesta);
    // The files of the texts folder into the combo; the current file's item selected.
    void NaplnitSeznamSouboru();
    // Enter or a double click in the list.
    void VlozitVyberDoSchranky();

    KNIHOVNA_MAPA_ZPRAV(OknoTextDoSchranky)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_DESTROY, OnDestroy)
        ZPRAVA(WM_COMMAND, OnCommand)
        ZPRAVA(WM_CONTEXTMENU, OnContextMenu)
        ZPRAVA(WM_MEASUREITEM, OnMeasureItem)
        ZPRAVA(WM_DRAWITEM, OnDrawItem)
        ZPRAVA(WM_MENUSELECT, OnMenuSelect)
        ZPRAVA(WM_NOTIFY, OnNotify)
        ZPRAVA(knihovna::ZPRAVA_PRVKU, OnPrvek)
        ZPRAVA(WM_SIZE, OnSize)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    ListBoxSeznamTextu seznam;
    HWND rebar = nullptr;
    HWND toolbar = nullptr;
    HWND combo = nullptr;
    HWND statusBar = nullptr;
    SeznamTextu texty;
    std::wstring soubor;  // the current file, empty until one was read

private:
    std::wstring m_trida;
    std::wstring m_pripraven;
    HICON m_ikona = nullptr;
    MenuPopup m_lista;          // the menu bar
    HMENU m_menuNapoveda = nullptr;
    MenuPopup* m_menu = nullptr;  // the context menu while open
    knihovna::ModalniSmycky m_modalni;  // the open dialog and messages: closing waits for them

    void NastavitTitulek();
    void NaplnitSeznam();
    void OznacitZobrazeni();
    void Rozmistit();
    void ZobrazitChybu(const knihovna::Chyba& chyba);
    void ProvestPrikaz(UINT id);

    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnCommand(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnContextMenu(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMeasureItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMenuSelect(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnNotify(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnPrvek(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSize(UINT, WPARAM, LPARAM, BOOL&);
};

// The window object, null while the window does not run; only the window's own thread uses it
// (other threads go through the thread object's window handle).
extern OknoTextDoSchranky* oknoTextDoSchranky;

void PrepnoutTextDoSchranky();
void ZastavitTextDoSchranky();
bool BeziTextDoSchranky();
// Shutdown: the thread object (its thread has been stopped).
void ZrusitVlaknoTextuDoSchranky();

// The status-bar text of a command: the part of its string-table entry before the first line
// feed; the idle text when there is none.
std::wstring TextStavuPrikazu(UINT id, const std::wstring& pripraven);
// "<slozka>\*.tdsdat" names of the texts folder, without the ones beginning with "."; the
// names without extension, in the order found.
std::vector<std::wstring> NajitSouborySeznamuTextu(const std::wstring& slozka);
// Sorts the records by name: 1 ascending, 2 descending, other values keep the file order.
void SetriditTexty(SeznamTextu& texty, DWORD trideni);
