// What the contacts window and the registrations window share: the frame styles chosen by the
// window flags, the list box that reports its keys to the window, the tray icon they add, the
// window base with their common handlers and the thread object.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/aplikace.h"
#include "core/ikonatray.h"
#include "core/menu.h"
#include "core/vlaknomodulu.h"
#include "knihovna/modalni.h"
#include "knihovna/modul.h"
#include "knihovna/okno.h"
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

// Takes the window's small icon (image obrazek of the menu images, when loaded) into ikona and
// sets it with the application's big icon on the window.
void NastavitIkonyOkna(HWND okno, HICON& ikona, int obrazek);

// Shows a record window's menu idMenu at bod (okna: the window's own menu with the window items,
// else the tray menu); upravit sets the tool's own items (vlastni: owner-drawn look).
void ZobrazitNabidkuSeznamu(HWND okno, UINT idMenu, bool okna, POINT bod, MenuPopup*& aktivni,
                            const std::function<void(MenuPopup& zaznam, bool vlastni)>& upravit);

// The common base of the two record windows: the tray icon and the open menu, the keys that
// belong to the list, and the handlers alike in both. T gives Seznam() (the list), and, as a
// friend, OznamovaciIkona() (the tray icon option) and IkonaPolozky(id) (a menu item's image).
template <class T>
class OknoSeznamuImpl : public knihovna::OknoImpl<T, knihovna::OknoModul>, public ModulAplikace {
public:
    explicit OknoSeznamuImpl(UINT idNazvu) : m_idNazvu(idNazvu) {}
    ~OknoSeznamuImpl() override { OdebratIkonuSeznamu(m_ikona); }

    IkonaTray* Ikona() const { return m_ikona; }

protected:
    MenuPopup* m_menu = nullptr;
    IkonaTray* m_ikona = nullptr;

    bool PridatIkonu() { return PridatIkonuSeznamu(m_ikona, this->m_hWnd, ikonaModulu, m_idNazvu); }

    // While one lives, a modal dialog or message box owned by the window runs: keys and commands
    // that would change the list only bring it forward, and WM_CLOSE waits until it has ended.
    class Modalne : public knihovna::ModalniSmycky::Beh {
    public:
        explicit Modalne(OknoSeznamuImpl& okno) : Beh(okno.m_modalni, okno.m_hWnd) {}
    };

    // The question before an entry is removed, owned by the window and run as its modal dialog
    // (No is the default); true for Yes.
    bool PotvrditOdebrani(const std::wstring& otazka) {
        Modalne modalne(*this);
        return knihovna::oknoZpravy(this->m_hWnd, otazka.c_str(), aplikace.titulek.c_str(),
                                    MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2 | MB_TASKMODAL | MB_SETFOREGROUND) ==
               IDYES;
    }

    // True while a modal dialog of the window runs; that dialog is then brought forward.
    bool PrenestDialogDopredu() { return m_modalni.PrenestDopredu(this->m_hWnd); }

    // WM_CLOSE under a running dialog: the window closes once the dialog has ended.
    bool OdlozitZavreni() { return m_modalni.OdlozitZavreni(this->m_hWnd); }

    // After a dialog the keys belong to the list again (Wine does not always activate the owner).
    void VratitFokus() {
        if (!::IsWindowVisible(this->m_hWnd)) return;
        ::SetForegroundWindow(this->m_hWnd);
        ::SetFocus(Odvozene().Seznam());
    }

    LRESULT OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
        ::PostQuitMessage(0);
        return this->VychoziZpracovani(msg, w, l);
    }

    // The window's keys live in its list: focus that reaches the window (activation) goes on to it.
    LRESULT OnSetFocus(UINT, WPARAM, LPARAM, BOOL&) {
        if (HWND seznam = Odvozene().Seznam()) ::SetFocus(seznam);
        return 0;
    }

    // Minimizing with a tray icon option hides the window behind the icon, unless the shell refused it.
    LRESULT OnSysCommand(UINT msg, WPARAM w, LPARAM l, BOOL&) {
        if ((w & 0xFFF0) == SC_MINIMIZE && Odvozene().OznamovaciIkona() != 0) {
            const bool ikona = PridatIkonu();
            LRESULT vysledek = this->VychoziZpracovani(msg, w, l);
            if (ikona) ::ShowWindow(this->m_hWnd, SW_HIDE);
            return vysledek;
        }
        return this->VychoziZpracovani(msg, w, l);
    }

    LRESULT OnDrawItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
        auto* polozka = reinterpret_cast<DRAWITEMSTRUCT*>(l);
        if (polozka && polozka->CtlType == ODT_MENU && m_menu) {
            try {
                KreslitPolozkuMenu(*m_menu, *polozka, T::IkonaPolozky(polozka->itemID));
            } catch (const knihovna::Chyba&) {
            }
            return TRUE;
        }
        return this->VychoziZpracovani(msg, w, l);
    }

private:
    UINT m_idNazvu;
    knihovna::ModalniSmycky m_modalni;
    T& Odvozene() { return static_cast<T&>(*this); }
};

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
