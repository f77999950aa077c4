// The RSS reader "Čtečka RSS zdrojů": a top-level window on a thread of its own with a menu bar,
// a rebar holding the toolbar and the source combo, the item list and a status bar, and a tray
// icon. The chosen source's channel is downloaded and parsed on a loading thread of its own,
// which fills its own item array and posts it to the window; the window lists it. Opening an
// item hands its http or https link to the default browser.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "core/ikonatray.h"
#include "core/menu.h"
#include "core/sit.h"
#include "core/vlaknomodulu.h"
#include "internet/rsskanal.h"
#include "internet/rsszdroje.h"
#include "knihovna/okno.h"
#include "knihovna/prvky.h"

// Posted by a loading thread to the reader window: lParam = VysledekNacitaniRSS*, which the
// window then owns (null: the loading had no memory for its result).
constexpr UINT ZpravaKanalNacten = WM_APP + 30;

// What one loading hands to the window.
struct VysledekNacitaniRSS {
    std::vector<definice::PolozkaRSS> polozky;
    HRESULT chyba = S_OK;     // a failed download: nothing is listed
    std::wstring textChyby;   // its text, made on the loading thread
};

// Limits of a channel download (a channel is text: a few megabytes at most). Tests shorten them.
extern LimityStahovani limityKanaluRSS;
// How long closing waits for a loading thread before it leaves it to end on its own (it then
// posts nothing and frees only what it owns).
extern DWORD cekaniNaNacitaniRSS;

// The download and parse of one channel, as the loading thread runs it; never raises.
std::unique_ptr<VysledekNacitaniRSS> NacistKanalRSS(const std::wstring& url, const LimityStahovani& limity);

// What the loading thread runs (NacistKanalRSS); tests put a stand-in here.
extern std::unique_ptr<VysledekNacitaniRSS> (*nacitaniKanaluRSS)(const std::wstring& url, const LimityStahovani& limity);

// Whether a link may go to the shell: http:// or https:// (any case, blanks around ignored).
bool JeOdkazWebovy(const std::wstring& odkaz);

// The item list: a superclass "ListBoxObsahZdrojeRSS" of "ListBox" with the displayed items.
class ListBoxObsahZdrojeRSS : public knihovna::OknoImpl<ListBoxObsahZdrojeRSS, knihovna::ListBox> {
public:
    ~ListBoxObsahZdrojeRSS() override;

    // Owner-drawn entries with descriptions when popis is set (fixed for the window's life).
    void Vytvorit(HWND rodic, bool popis);
    // Empties the list and the array.
    void Vyprazdnit();
    // Takes a loaded array: one entry per item (data = index + 1), the first one selected. A long
    // feed is added in steps of KUS_PLNENI entries, each from a message the list posts itself, so
    // that the window answers while it fills.
    void Naplnit(std::vector<definice::PolozkaRSS> polozky);
    static constexpr size_t KUS_PLNENI = 500;
    // Entries in the list control so far.
    size_t Pridano() const { return m_pridano; }
    size_t Pocet() const { return m_polozky.size(); }
    // The item of an entry's data (index + 1); null for 0 or out of range.
    const definice::PolozkaRSS* PolozkaDat(LPARAM data) const;
    // The item of the selected entry, null when none.
    const definice::PolozkaRSS* VybranaPolozka() const;

    KNIHOVNA_MAPA_ZPRAV(ListBoxObsahZdrojeRSS)
        ZPRAVA(knihovna::ODRAZENA_ZPRAVA + WM_DRAWITEM, OnDrawItem)
        ZPRAVA(WM_GETDLGCODE, OnGetDlgCode)
        ZPRAVA(WM_LBUTTONDOWN, OnLButtonDown)
        ZPRAVA(WM_LBUTTONDBLCLK, OnLButtonDblClk)
        ZPRAVA(WM_RBUTTONDOWN, OnRButtonDown)
        ZPRAVA(WM_SETCURSOR, OnSetCursor)
        ZPRAVA(WM_APP + 1, OnDalsiKus)
        VYCHOZI_ODRAZENI()
    KNIHOVNA_KONEC_MAPY()

private:
    std::vector<definice::PolozkaRSS> m_polozky;
    size_t m_pridano = 0;    // entries added to the control
    WPARAM m_plneni = 0;     // the fill in progress: a step of an older one is dropped

    void PridatKus();
    LRESULT OnDalsiKus(UINT, WPARAM w, LPARAM, BOOL&);

    void KreslitPolozku(const DRAWITEMSTRUCT& dis);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnGetDlgCode(UINT, WPARAM, LPARAM, BOOL&) { return DLGC_WANTALLKEYS; }
    LRESULT OnLButtonDown(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnLButtonDblClk(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnRButtonDown(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSetCursor(UINT, WPARAM, LPARAM, BOOL&);
};

// The source combo: a superclass "ComboBoxZdrojeRSS" of "ComboBox", a drop-down list in list order.
class ComboBoxSeznamZdrojuRSS : public knihovna::OknoImpl<ComboBoxSeznamZdrojuRSS, knihovna::ComboBox> {
public:
    ~ComboBoxSeznamZdrojuRSS() override;
    void Vytvorit(HWND rodic);

    KNIHOVNA_MAPA_ZPRAV(ComboBoxSeznamZdrojuRSS)
        ZPRAVA(WM_GETDLGCODE, OnGetDlgCode)
        VYCHOZI_ODRAZENI()
    KNIHOVNA_KONEC_MAPY()

private:
    LRESULT OnGetDlgCode(UINT, WPARAM, LPARAM, BOOL&) { return DLGC_WANTALLKEYS; }
};

// The dialog that edits one source (dialog 199).
class DlgEditZdrojRSS : public knihovna::DialogImpl<DlgEditZdrojRSS, knihovna::OknoObal> {
public:
    enum { IDD = 199 };
    ZdrojRSS* zdroj = nullptr;

    // How the reader asks for a source; tests replace it. true = OK.
    static bool (*upravitZdroj)(ZdrojRSS& zdroj);
    static bool Upravit(ZdrojRSS& zdroj);

    KNIHOVNA_MAPA_ZPRAV(DlgEditZdrojRSS)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(IDOK, BN_CLICKED, OnOk)
        PRIKAZ(IDCANCEL, BN_CLICKED, OnStorno)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnOk(WORD, WORD, HWND, BOOL&);
    LRESULT OnStorno(WORD, WORD, HWND, BOOL&);
};

struct UlohaNacitaniRSS;

class ModulCteckaRSS : public knihovna::OknoImpl<ModulCteckaRSS, knihovna::OknoModul>, public ModulAplikace {
public:
    ModulCteckaRSS();
    ~ModulCteckaRSS() override;

    // On the module's thread: the window with its children, the sources listed, the first loading.
    HWND VytvoritOkno();

    void NaplnitSeznamZdroju();
    void NacistVybranyZdroj();
    void OtevritPolozku();
    void AktualizovatMenu();
    void ProvestPrikaz(UINT id);

    bool Nacita() const { return m_uloha != nullptr; }
    ListBoxObsahZdrojeRSS& SeznamPolozek() { return m_polozky; }
    ComboBoxSeznamZdrojuRSS& ComboZdroju() { return m_zdroje; }
    HWND StatusBar() const { return m_statusBar; }
    const std::wstring& TextStavu() const { return m_textStavu; }

    KNIHOVNA_MAPA_ZPRAV(ModulCteckaRSS)
        ZPRAVA(WM_COMMAND, OnCommand)
        ZPRAVA(WM_NOTIFY, OnNotify)
        ZPRAVA(WM_CONTEXTMENU, OnContextMenu)
        ZPRAVA(WM_MENUSELECT, OnMenuSelect)
        ZPRAVA(WM_MEASUREITEM, OnMeasureItem)
        ZPRAVA(WM_DRAWITEM, OnDrawItem)
        ZPRAVA(WM_SIZE, OnSize)
        ZPRAVA(WM_SYSCOMMAND, OnSysCommand)
        ZPRAVA(ZPRAVA_IKONY_TRAY, OnIkonaTray)
        ZPRAVA(ZpravaKanalNacten, OnKanalNacten)
        ZPRAVA(WM_SETFOCUS, OnSetFocus)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_DESTROY, OnDestroy)
    KNIHOVNA_KONEC_MAPY()

private:
    std::unique_ptr<MenuNapoveda> m_napoveda;
    std::unique_ptr<MenuOkno> m_oknoMenu;
    MenuPopup m_menuLista;                 // owner drawing of the menu bar's items
    MenuPopup* m_kontext = nullptr;        // the context menu while it is open
    std::shared_ptr<UlohaNacitaniRSS> m_uloha;  // the loading that runs, null when none
    HANDLE m_vlaknoNacitani = nullptr;
    ZdrojRSS m_nacitanyZdroj;
    ComboBoxSeznamZdrojuRSS m_zdroje;
    ListBoxObsahZdrojeRSS m_polozky;
    HWND m_toolbar = nullptr;
    HWND m_rebar = nullptr;
    HWND m_statusBar = nullptr;
    std::wstring m_textStavu;
    std::wstring m_trida;
    bool m_zavira = false;

    void ZobrazitStav(const std::wstring& text);
    MenuPopup& AktualniMenu();
    // Stops waiting for a running loading (bounded, pumping messages) and drops its result.
    void ZrusitNacitani();
    void Pridat();
    void Upravit();
    void Odebrat();
    void VytvoritVychoziSeznam();
    void PoZmeneSeznamu();
    void MinimalizovatPokudNavrchu();

    LRESULT OnCommand(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnNotify(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnContextMenu(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMenuSelect(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMeasureItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSize(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSysCommand(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnIkonaTray(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnKanalNacten(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSetFocus(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
};

// The reader's window object while its thread runs (made and deleted by that thread).
extern std::unique_ptr<ModulCteckaRSS> modulCteckaRSS;

// The reader's thread as the main window starts and stops it (command 40004, start-up flag
// cteckaRSS). The thread makes and loads the source list, makes the window object and deletes
// both when it ends, also after a failed creation, so the reader can always be started again.
class VlaknoCteckaRSS : public VlaknoModulu {
public:
    VlaknoCteckaRSS();
    knihovna::OknoModul* Objekt() const override;

protected:
    HWND VytvoritOkno(bool automaticky) override;
    void ZrusitOkno() override;
    void ZrusitAkciPoSpusteni() override;
};
extern std::unique_ptr<VlaknoCteckaRSS> vlaknoCteckaRSS;

// Start-up: the thread object and the settings page, registered with the main window.
void VytvoritModulCteckaRSS();
// Shutdown (the thread has been stopped).
void SmazatModulCteckaRSS();
