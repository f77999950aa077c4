// The sound-notes window: a rebar with a toolbar over the owner-drawn list of the sound-note
// store; play and stop notes, record a new note, rename, delete and sort them.
#pragma once

#include "notes/oknoseznamu.h"

class OknoPoznamkyZvuk : public knihovna::OknoImpl<OknoPoznamkyZvuk, OknoSeznamuPoznamekZaklad> {
public:
    OknoPoznamkyZvuk();
    ~OknoPoznamkyZvuk() override;

    KNIHOVNA_MAPA_ZPRAV(OknoPoznamkyZvuk)
        ZPRAVA(knihovna::ZPRAVA_PRVKU, OnKlavesa)
        ZPRAVA(WM_COMMAND, OnCommand)
        RETEZ_MAPY(OknoSeznamuPoznamekZaklad)
    KNIHOVNA_KONEC_MAPY()

    // Creates and shows the window (list filled, first item selected).
    void Vytvorit();
    // Plays the selected note (what plays is stopped).
    void Prehrat();
    // Records a new note through the recording dialog, asks for its name and moves the recording
    // there; an existing note of that name is replaced only after a question.
    void NovaPoznamka();

private:
    std::wstring m_trida;

    LRESULT OnKlavesa(UINT, WPARAM w, LPARAM l, BOOL&);
    LRESULT OnCommand(UINT msg, WPARAM w, LPARAM l, BOOL&);
};

// The sound-notes window while it exists (null otherwise); notes module thread only.
extern OknoPoznamkyZvuk* oknoPoznamkyZvuk;

// Tells where the recordings kept unnamed while the program last ended are (once; nothing while
// Windows ends the session). Notes module thread, from its message loop.
void OznamitUschovanyZaznam();
