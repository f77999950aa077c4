// The contacts tool: a list window of the address book on a thread of its own, with an optional
// tray icon; adds, edits and removes contacts and acts on one (e-mail, web page, Skype, ICQ).
#pragma once

#include <windows.h>

#include <memory>
#include <string>

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
    void NaplnitSeznam(int vybrat);
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
    KNIHOVNA_KONEC_MAPY()

private:
    friend class OknoSeznamuImpl<ModulKontakty>;
    ListBoxKontakty m_seznam;
    std::wstring m_trida;

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
