// The recording input line of the first audio mixer: the list of its names and the switch.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include "knihovna.h"

namespace Brenvald_Sonvidar {

// The mixer calls used; tests hand in a mixer of their own.
struct FunkceMixeru {
    MMRESULT(WINAPI* otevrit)(LPHMIXER, UINT, DWORD_PTR, DWORD_PTR, DWORD);
    MMRESULT(WINAPI* informaceLinky)(HMIXEROBJ, LPMIXERLINEW, DWORD);
    MMRESULT(WINAPI* ovladaceLinky)(HMIXEROBJ, LPMIXERLINECONTROLSW, DWORD);
    MMRESULT(WINAPI* cistPodrobnosti)(HMIXEROBJ, LPMIXERCONTROLDETAILS, DWORD);
    MMRESULT(WINAPI* nastavitPodrobnosti)(HMIXEROBJ, LPMIXERCONTROLDETAILS, DWORD);
    MMRESULT(WINAPI* zavrit)(HMIXER);
};
extern FunkceMixeru mixer;

class SeznamVstupnichLinek : public Knihovna::SeznamTextu {
public:
    explicit SeznamVstupnichLinek(bool naplnit = false) {
        if (naplnit) Naplnit();
    }
    // The names of the recording line's list control; empty when there is no mixer, no wave-in
    // line, no list control or a mixer call fails.
    size_t Naplnit();
};

// Selects the input line by name (without regard to case). true = nothing to switch (no mixer,
// no list control, a failed call); false = the values were written.
bool PrepnoutVstupniLinku(const std::wstring& nazev);

}  // namespace Brenvald_Sonvidar
