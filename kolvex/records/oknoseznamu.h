// What the contacts window and the registrations window share: the frame styles chosen by the
// window flags, the list box that reports its keys to the window, and the tray icon they add.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/ikonatray.h"
#include "core/vlaknomodulu.h"
#include "knihovna/prvky.h"

// Window flags (oknoSeznam) of both tools.
constexpr DWORD OKNO_MIN_MAX = 0x1 | 0x2;
constexpr DWORD OKNO_NAVRCHU = 0x4;
constexpr DWORD OKNO_NASTROJ = 0x8;
constexpr DWORD OKNO_BEZ_TITULKU = 0x10;
constexpr DWORD OKNO_PRUHLEDNE = 0x20;
constexpr DWORD OKNO_TAZENI = 0x10000;
constexpr DWORD OKNO_STAVOVY_RADEK = 0x20000;

struct StylOkna {
    DWORD styl;
    DWORD rozsireny;
};
StylOkna StylOknaSeznamu(DWORD okno);

// The list of a record window: every key it is told about and a double click (as one of those
// keys) go to the parent as ZPRAVA_PRVKU (key, list); Ctrl + drag moves the window when the
// flags allow it.
class ListBoxZaznamu : public knihovna::ListBoxImpl<ListBoxZaznamu> {
public:
    KNIHOVNA_MAPA_ZPRAV(ListBoxZaznamu)
        ZPRAVA(WM_GETDLGCODE, OnGetDlgCode)
        ZPRAVA(WM_KEYDOWN, OnKeyDown)
        ZPRAVA(WM_LBUTTONDBLCLK, OnDvojklik)
        ZPRAVA(WM_LBUTTONDOWN, OnMysDolu)
        ZPRAVA(WM_LBUTTONUP, OnMysNahoru)
        VYCHOZI_ODRAZENI()
    KNIHOVNA_KONEC_MAPY()

    // Creates the list box (id, LBS_SORT when razeni) as a child and subclasses it.
    void VytvoritSeznam(HWND rodic, UINT id, DWORD styl);

    std::vector<WPARAM> klavesy;
    WPARAM klavesaDvojkliku = VK_RETURN;
    const DWORD* priznakyOkna = nullptr;

private:
    bool Tazeni() const;
    LRESULT OnGetDlgCode(UINT, WPARAM, LPARAM, BOOL&) { return DLGC_WANTALLKEYS; }
    LRESULT OnKeyDown(UINT, WPARAM w, LPARAM, BOOL& zpracovano);
    LRESULT OnDvojklik(UINT, WPARAM, LPARAM, BOOL& zpracovano);
    LRESULT OnMysDolu(UINT, WPARAM, LPARAM, BOOL& zpracovano);
    LRESULT OnMysNahoru(UINT, WPARAM, LPARAM, BOOL& zpracovano);
};

// Adds the tool's tray icon once (id 1, callback ZPRAVA_IKONY_TRAY), tip "* name *\ntitle".
// False when the shell refused it (no notification area): the caller then keeps its window
// reachable instead of hiding it.
bool PridatIkonuSeznamu(IkonaTray*& ikona, HWND okno, HICON obrazek, UINT idNazvu);

// Removes and deletes the tray icon; a shell that is gone already does not stop the closing.
void OdebratIkonuSeznamu(IkonaTray*& ikona);

// The item data of the list's selection, -1 when none.
int VybranyZaznam(HWND seznam);

// The row whose item data is the index; 0 when none has it.
int RadekZaznamu(HWND seznam, int index);

// The general sound option's warning beep.
void PipnoutBezVyberu();

// The thread object of a record window: makes the window object M, kept in modul, on the thread.
template <class M>
class VlaknoSeznamu : public VlaknoModulu {
public:
    VlaknoSeznamu(UINT idNazvu, std::unique_ptr<M>& modul) : VlaknoModulu(idNazvu, true), m_modul(modul) {}
    knihovna::OknoModul* Objekt() const override { return m_modul && m_modul->m_hWnd ? m_modul.get() : nullptr; }

protected:
    HWND VytvoritOkno(bool automaticky) override {
        m_modul = std::make_unique<M>();
        return m_modul->VytvoritOkno(automaticky);
    }
    void ZrusitOkno() override { m_modul.reset(); }

private:
    std::unique_ptr<M>& m_modul;
};
