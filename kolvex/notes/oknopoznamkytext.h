// The text-notes list window: a rebar with a toolbar over the owner-drawn list of the text-note
// store; open a note in the note window, create, rename, delete and sort notes.
#pragma once

#include "notes/oknoseznamu.h"

class OknoPoznamkyText : public knihovna::OknoImpl<OknoPoznamkyText, OknoSeznamuPoznamekZaklad> {
public:
    OknoPoznamkyText();
    ~OknoPoznamkyText() override;

    KNIHOVNA_MAPA_ZPRAV(OknoPoznamkyText)
        ZPRAVA(knihovna::ZPRAVA_PRVKU, OnKlavesa)
        ZPRAVA(WM_COMMAND, OnCommand)
        RETEZ_MAPY(OknoSeznamuPoznamekZaklad)
    KNIHOVNA_KONEC_MAPY()

    // Creates and shows the window (list filled, first item selected).
    void Vytvorit();
    // Enter: the selected note in the note window (created on first use).
    void Otevrit();
    void NovaPoznamka();

private:
    std::wstring m_trida;

    LRESULT OnKlavesa(UINT, WPARAM w, LPARAM l, BOOL&);
    LRESULT OnCommand(UINT msg, WPARAM w, LPARAM l, BOOL&);
};

// The text-notes list window while it exists (null otherwise); notes module thread only.
extern OknoPoznamkyText* oknoPoznamkyText;
