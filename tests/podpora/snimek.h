// Screenshots for people to look at: a window's screen area saved as PNG below the build tree's
// "artefakty" folder, with a rough check that something was drawn there.
#pragma once

#include <windows.h>

#include <string>

namespace testy {

struct Snimek {
    std::wstring soubor;  // the PNG written (empty when the capture failed)
    int pocetBarev = 0;   // distinct colours in the capture
    int tmavychBodu = 0;  // pixels dark enough to be text
};

// Folder "artefakty" beside the test programs' folder (created when missing).
std::wstring SlozkaArtefaktu();
// Repaints the window with its children and frame before a picture, and waits until they are
// painted. A window of another thread or program is painted by its own thread once it is idle:
// erasing it from here would hand a device context of this thread to that thread while it may be
// changing the same window.
void PrekreslitOkno(HWND okno);
// Copies the window's rectangle from the screen (the window must be on top) into <name>.png.
Snimek UlozitSnimekOkna(HWND okno, const std::wstring& jmeno);

}  // namespace testy
