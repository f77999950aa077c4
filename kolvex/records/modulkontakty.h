// The contacts tool: a list window of the address book on a thread of its own, with an optional
// tray icon; adds, edits and removes contacts and acts on one (e-mail, web page, Skype, ICQ).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/ikonatray.h"
#include "core/kontakty.h"
#include "core/menu.h"
#include "core/vlaknomodulu.h"
#include "knihovna/okno.h"
#include "knihovna/prvky.h"
#include "records/oknoseznamu.h"

class DlgKontakt;

class ListBoxKontakty : public ListBoxZaznamu {};

class ModulKontakty : public OknoSeznamuImpl<ModulKontakty> {
public:
    ModulKontakty();

    HWND VytvoritOkno(bool automaticky);
    // Lists the store's names, the contact vybrat (an index of the store) selected, else the
    // first row. A long list is added in steps of KUS_PLNENI rows, each from a message the window
    // posts itself, so that the window answers while it fills; a new fill drops an older one.
    void NaplnitSeznam(int vybrat);
    // A step ends after KUS_PLNENI rows or CAS_KUSU_MS ms, whichever comes first (a machine under
    // load adds rows slower: the window still answers within a fraction of a second).
    static constexpr size_t KUS_PLNENI = 500;
    static constexpr ULONGLONG CAS_KUSU_MS = 50;
    // Whether rows of a fill are still to come.
    bool Plni() const { return m_pridano < m_nazvy.size(); }
    int VybranyKontakt() const;
    void ProvestPrikaz(UINT id);
    void Klavesa(WPARAM klavesa);

    void PridatKontakt();
    void UpravitKontakt();
    void OdebratKontakt();
    // Writes the store to the file it was loaded from; a file that failed to load is first
    // copied aside. Failures are shown.
    void UlozitKontakty();
    // Which of the four actions the context menu offers for the selection (40172-40175).
    bool AkceDostupna(UINT id) const;

    HWND Seznam() const { return m_seznam.m_hWnd; }

    // Seams for tests: the name question and the contact dialog (modal in the program).
    static bool (*zadatNazev)(std::wstring& nazev);
    static INT_PTR (*upravitKontakt)(Kontakt& kontakt, int index);

    KNIHOVNA_MAPA_ZPRAV(ModulKontakty)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_DESTROY, OnDestroy)
        ZPRAVA(WM_SIZE, OnSize)
        ZPRAVA(WM_SETFOCUS, OnSetFocus)
        ZPRAVA(WM_SYSCOMMAND, OnSysCommand)
        ZPRAVA(WM_CONTEXTMENU, OnContextMenu)
        ZPRAVA(WM_MEASUREITEM, OnMeasureItem)
        ZPRAVA(WM_DRAWITEM, OnDrawItem)
        ZPRAVA(WM_COMMAND, OnCommand)
        ZPRAVA(knihovna::ZPRAVA_PRVKU, OnKlavesa)
        ZPRAVA(ZPRAVA_IKONY_TRAY, OnIkonaTray)
        ZPRAVA(ZPRAVA_DALSI_KUS, OnDalsiKus)
    KNIHOVNA_KONEC_MAPY()

private:
    friend class OknoSeznamuImpl<ModulKontakty>;
    static constexpr UINT ZPRAVA_DALSI_KUS = WM_APP + 3;  // wParam: the fill it belongs to
    ListBoxKontakty m_seznam;
    std::wstring m_trida;
    // The fill in progress: the names in store order (row data = index), the rows added so far,
    // the contact to select, and the fill's number (a step of an older fill is dropped).
    std::vector<std::wstring> m_nazvy;
    size_t m_pridano = 0;
    int m_vybrat = 0;
    // m_vybrat's row once it is listed (-1 before): kept as later rows sort in above it, since
    // looking it up asks the list row by row, seconds for a long list
    int m_radekVybrat = -1;
    bool m_vyberCeka = false;     // m_vybrat is not listed yet
    bool m_vybranoDrive = false;  // selected by a step before the last one
    WPARAM m_plneni = 0;

    void PridatKus();
    LRESULT OnDalsiKus(UINT, WPARAM w, LPARAM, BOOL&);

    DWORD OznamovaciIkona() const;
    static int IkonaPolozky(UINT id);
    void ZobrazitNabidku(UINT idMenu, POINT bod);
    void PrepnoutOkno();
    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSize(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnContextMenu(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnCommand(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnKlavesa(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnIkonaTray(UINT, WPARAM, LPARAM, BOOL&);
};

extern std::unique_ptr<ModulKontakty> modulKontakty;
extern DlgKontakt* dlgKontaktOtevreny;

class VlaknoKontaktu : public VlaknoSeznamu<ModulKontakty> {
public:
    VlaknoKontaktu();

protected:
    void ZrusitAkciPoSpusteni() override;
};

void VytvoritModulKontakty();
void SmazatModulKontakty();
