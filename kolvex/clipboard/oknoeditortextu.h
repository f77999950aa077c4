// The text editor of text-list files: the names on the left, the selected text in an edit on
// the right (a splitter between them), a rebar with the toolbar above and a status bar below.
// It runs on a thread of its own whose loop translates accelerator table 124; the clipboard
// module starts and stops it (40025). Whether edits are stored when the user leaves a text or
// a file is decided by two settings; nothing asks about unsaved changes.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <memory>
#include <string>
#include <vector>

#include "clipboard/listboxy.h"
#include "clipboard/seznamtextu.h"
#include "core/menu.h"
#include "core/poskozenysoubor.h"
#include "knihovna/modalni.h"
#include "knihovna/okno.h"
#include "knihovna/rozdelovac.h"

class OknoSchrankaEditorTextu : public knihovna::OknoImpl<OknoSchrankaEditorTextu, knihovna::OknoNormalni> {
public:
    OknoSchrankaEditorTextu();
    ~OknoSchrankaEditorTextu() override;

    HWND Vytvorit();

    // The file operations of the menu, also for tests.
    void ZavritSoubor();
    bool OtevritSoubor(const std::wstring& cesta);  // true when the reader reported success
    // Saves the list to cesta; zamerne: the user asked for it (else a file not read whole is
    // left as it is while the list is unchanged).
    void UlozitDo(const std::wstring& cesta, bool zamerne);
    void Novy();
    void Ulozit();
    void UlozitJako();
    void Pridat();
    void Odebrat();
    void Prejmenovat();
    void Pouzit();
    void ZobrazitVybrany();
    void ZmenaVyberu();

    KNIHOVNA_MAPA_ZPRAV(OknoSchrankaEditorTextu)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_DESTROY, OnDestroy)
        ZPRAVA(WM_COMMAND, OnCommand)
        ZPRAVA(WM_CONTEXTMENU, OnContextMenu)
        ZPRAVA(WM_MEASUREITEM, OnMeasureItem)
        ZPRAVA(WM_DRAWITEM, OnDrawItem)
        ZPRAVA(WM_MENUSELECT, OnMenuSelect)
        ZPRAVA(WM_NOTIFY, OnNotify)
        ZPRAVA(WM_SIZE, OnSize)
        ZPRAVA(ZpravaLimitTextu, OnLimitTextu)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    // Posted to itself when the edit refused text over its limit: the user is told once the
    // edit's own insertion has returned.
    static constexpr UINT ZpravaLimitTextu = WM_APP + 21;

    HWND rebar = nullptr;
    HWND toolbar = nullptr;
    HWND statusBar = nullptr;
    brenvald::RozdelovacKontejner rozdelovac;
    ListBoxSeznam seznam;
    knihovna::OknoObal edit;
    SeznamTextu texty;
    std::wstring soubor;   // the current file, empty = none
    // The current file when it was not read whole, and the list its load gave: an unchanged
    // list is not written over it, a changed one only after its bytes are kept aside.
    OchranaSouboru ochranaSouboru;
    std::vector<uint8_t> nactenoZPoskozeneho;
    int aktualni = -1;     // the record the edit shows, -1 = none
    HACCEL akceleratory = nullptr;

private:
    std::wstring m_pripraven;
    std::wstring m_trida;
    MenuPopup m_lista;
    std::unique_ptr<MenuOkno> m_menuOkno;
    std::unique_ptr<MenuNapoveda> m_menuNapoveda;
    MenuPopup* m_menu = nullptr;
    // The editor's questions and file dialogs: closing waits for them, commands bring them forward.
    knihovna::ModalniSmycky m_modalni;
    bool m_hlasitLimit = false;  // a report of the edit's limit is posted or shown

    void VytvoritMenuListu();
    void OdebratMenuListu();
    void NastavitTitulek();
    void NaplnitSeznam();
    void AktualizovatPrikazy();
    void PovolitPouzit(bool povolit);
    void UlozitEditDoZaznamu(int n);
    // Leaving the current text: its edit is stored when automatickyUkladatText is set.
    void OpustitAktualni();
    int VybranyZaznam() const;  // record index of the selection, -1 when none
    void ProvestPrikaz(UINT id);
    void ZobrazitChybu(const knihovna::Chyba& chyba);

    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnCommand(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnContextMenu(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMeasureItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMenuSelect(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnNotify(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSize(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnLimitTextu(UINT, WPARAM, LPARAM, BOOL&);
};

extern OknoSchrankaEditorTextu* oknoEditorTextu;

// Seams for tests: the system's open and save dialogs.
using FunkceDialoguSouboru = BOOL(WINAPI*)(LPOPENFILENAMEW);
extern FunkceDialoguSouboru dialogOtevritSoubor;
extern FunkceDialoguSouboru dialogUlozitSoubor;

void PrepnoutEditorTextu();
void ZastavitEditorTextu();
bool BeziEditorTextu();
// Shutdown: the thread object (its thread has been stopped).
void ZrusitVlaknoEditoruTextu();
