// The note window: one top-level window with a multi-line edit (and an optional status bar) in
// which the user reads and edits one text note. There is only one; the list window loads every
// note into it. The window keeps the path of the note it shows, so that changes of the list
// (sorting, renaming or deleting other notes) never redirect its save to another note.
#pragma once

#include <windows.h>

#include <string>

#include "knihovna/okno.h"

// WM_APP+3 to the notes module's window: the note window closed (lParam its handle).
constexpr UINT ZpravaPoznamkaZmenena = WM_APP + 3;

// The edit of the note window: Esc closes the window, Ctrl+A selects all, Ctrl + left drag moves
// the window when the settings allow it.
class EditPoznamka : public knihovna::OknoImpl<EditPoznamka, knihovna::OknoObal> {
public:
    KNIHOVNA_MAPA_ZPRAV(EditPoznamka)
        ZPRAVA(WM_KEYDOWN, OnKeyDown)
        ZPRAVA(WM_LBUTTONDOWN, OnLButtonDown)
        ZPRAVA(WM_LBUTTONUP, OnLButtonUp)
    KNIHOVNA_KONEC_MAPY()

private:
    LRESULT OnKeyDown(UINT, WPARAM w, LPARAM, BOOL& zpracovano);
    LRESULT OnLButtonDown(UINT, WPARAM, LPARAM, BOOL& zpracovano);
    LRESULT OnLButtonUp(UINT, WPARAM, LPARAM, BOOL& zpracovano);
};

class OknoPoznamka : public knihovna::OknoImpl<OknoPoznamka, knihovna::Okno> {
public:
    OknoPoznamka();
    ~OknoPoznamka() override;

    KNIHOVNA_MAPA_ZPRAV(OknoPoznamka)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_SIZE, OnSize)
        ZPRAVA(WM_SETFOCUS, OnSetFocus)
        ZPRAVA(WM_COMMAND, OnCommand)
        ZPRAVA(ZpravaLimitTextu, OnLimitTextu)
    KNIHOVNA_KONEC_MAPY()

    // Posted to itself when the edit refused text over its limit: the user is told once the
    // edit's own insertion has returned.
    static constexpr UINT ZpravaLimitTextu = WM_APP + 20;

    // Creates and shows the window.
    void Vytvorit();
    // Shows note i of the text-note store. A note already shown is saved first; when that save
    // fails, or the new note cannot be read, the window keeps its note and text. S_OK, E_INVALIDARG
    // for an index outside the store, else the error (the user has been told).
    HRESULT NacistPoznamku(int index);
    // Writes the edit's text to the shown note's file (atomic replace). S_OK also without a note;
    // a failure is shown and returned, the file keeps its old content. Characters the file's code
    // page cannot hold are named to the user, who saves without them or goes back to the text
    // (HRESULT of ERROR_CANCELLED, nothing written); while Windows ends the session they are left
    // out without a question.
    HRESULT UlozitPoznamku();

    // The list renamed a note (old path, new path and name): a shown note follows it.
    void PoznamkaPrejmenovana(const std::wstring& staraCesta, const std::wstring& novaCesta,
                              const std::wstring& novyNazev);
    // The note file at that path was deleted or replaced: true when it was the shown one (the
    // window then shows no note and its close writes nothing).
    bool PoznamkaOdstranena(const std::wstring& cesta);

    const std::wstring& NazevPoznamky() const { return m_nazev; }
    const std::wstring& CestaPoznamky() const { return m_cesta; }
    bool MaPoznamku() const { return !m_cesta.empty(); }
    HWND Edit() const { return edit.m_hWnd; }
    HWND StatusBar() const { return statusBar ? statusBar->m_hWnd : nullptr; }
    const std::wstring& TextStavu() const { return textStavu; }

private:
    EditPoznamka edit;
    knihovna::OknoObal* statusBar = nullptr;
    HFONT pismo = nullptr;
    std::wstring textStavu;
    std::wstring m_trida;
    std::wstring m_nazev;  // the shown note's name and path; empty = none
    std::wstring m_cesta;
    // The text the edit got from the file: a close without a change writes nothing. When it is
    // not exactly the file's bytes (NUL, another encoding), the first save of a change keeps
    // the file as "<file>.bak" first.
    std::wstring m_zobrazenyText;
    bool m_vernyText = true;
    bool m_hlasitLimit = false;  // a report of the edit's limit is posted or shown
    bool m_otazkaBezi = false;   // the save's question about characters is open

    void ZobrazitStatusBar();
    void ZrusitStatusBar();
    void AktualizovatCasVSeznamu();
    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSize(UINT msg, WPARAM w, LPARAM l, BOOL&);
    LRESULT OnSetFocus(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnCommand(UINT msg, WPARAM w, LPARAM l, BOOL&);
    LRESULT OnLimitTextu(UINT, WPARAM, LPARAM, BOOL&);
};

// The one note window (null while none exists); notes module thread only.
extern OknoPoznamka* oknoTextovePoznamky;
// The notes module's window that the note window reports to (null in tests without a module).
extern HWND (*oknoModuluPoznamek)();
// The note file at that path was deleted or replaced by an empty note: a note window showing it
// closes without writing it back.
void ZapomenoutZobrazenouPoznamku(const std::wstring& cesta);
