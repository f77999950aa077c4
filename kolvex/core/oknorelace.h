// The end of the Windows session (log-off, shutdown, restart). The main window is message-only, and
// Windows tells only top-level windows: a hidden top-level window of the main thread takes the
// session messages. It answers WM_QUERYENDSESSION with TRUE; on WM_ENDSESSION(TRUE) it marks the
// session's end (no box is shown from then on) and runs the program's stop within the message, so
// every tool has saved what it holds before Windows ends the process. While that stop runs, Windows
// is given a reason to wait (ShutdownBlockReasonCreate, where the system has it).
#pragma once

#include <windows.h>

// Seams: ShutdownBlockReasonCreate / ShutdownBlockReasonDestroy of user32 (null where the system
// lacks them: the stop then runs without a reason shown).
using FunkceDuvoduBlokovani = BOOL(WINAPI*)(HWND, LPCWSTR);
using FunkceKonceBlokovani = BOOL(WINAPI*)(HWND);
extern FunkceDuvoduBlokovani vytvoritDuvodBlokovani;
extern FunkceKonceBlokovani zrusitDuvodBlokovani;

// The reason shown by Windows while the stop saves.
extern const wchar_t* const DUVOD_BLOKOVANI_UKONCENI;
// The window's class (tests find the window by it).
extern const wchar_t* const TRIDA_OKNA_RELACE;

// Creates the window (main thread); ukoncit runs on WM_ENDSESSION(TRUE), once. Null on failure: the
// program runs on without it.
HWND VytvoritOknoRelace(void (*ukoncit)());
void ZrusitOknoRelace();
