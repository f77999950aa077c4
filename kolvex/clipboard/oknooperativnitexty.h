// The operative clipboard window: the operative text list as tall owner-drawn previews. It
// lives on the clipboard module's thread; closing it posts 40041 to the module window, which
// destroys and deletes it.
#pragma once

#include <windows.h>

#include <string>

#include "clipboard/listboxy.h"
#include "core/menu.h"
#include "core/pomocne.h"
#include "knihovna/modalni.h"
#include "knihovna/okno.h"

class OknoOperativniTexty : public knihovna::OknoImpl<OknoOperativniTexty, knihovna::OknoNormalni> {
public:
    OknoOperativniTexty();
    ~OknoOperativniTexty() override;

    // Creates and shows the window; true on success (failures raise).
    bool Vytvorit();
    // Refills the list box from the operative list and selects the first item.
    void NaplnitSeznam();
    // 40047, Enter, double click.
    void VlozitVyberDoSchranky();
    // 40042.
    void PridatObsahSchranky();
    // 40037.
    void OdebratVybrany();
    // While a file dialog or message of the window runs, closing waits for it: true then (the
    // dialog comes forward, and the window closes once it has ended).
    bool OdlozitZavreni() { return m_modalni.OdlozitZavreni(m_hWnd); }

    KNIHOVNA_MAPA_ZPRAV(OknoOperativniTexty)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_DESTROY, OnDestroy)
        ZPRAVA(WM_COMMAND, OnCommand)
        ZPRAVA(WM_CONTEXTMENU, OnContextMenu)
        ZPRAVA(WM_MEASUREITEM, OnMeasureItem)
        ZPRAVA(WM_DRAWITEM, OnDrawItem)
        ZPRAVA(knihovna::ZPRAVA_PRVKU, OnPrvek)
        ZPRAVA(WM_SIZE, OnSize)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    ListBoxOperativniSchranka seznam;

private:
    VlastnikIkony m_ikona;
    MenuPopup* m_menu = nullptr;
    std::wstring m_trida;
    knihovna::ModalniSmycky m_modalni;

    int VybranaData() const;  // item data of the selection, -1 when none
    void Pipnout() const;
    void ZobrazitKontextoveMenu(LPARAM pozice);

    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnCommand(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT ProvestPrikaz(UINT msg, WPARAM w, LPARAM l);
    LRESULT OnContextMenu(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMeasureItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnPrvek(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSize(UINT, WPARAM, LPARAM, BOOL&);
};

// The open and save-as dialogs of the operative list (40056, 40057) over their owner; false on Cancel.
bool VybratSouborOperativnichTextu(HWND vlastnik, std::wstring& cesta, bool otevrit);
