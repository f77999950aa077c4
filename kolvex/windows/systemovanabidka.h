// The window extension's items in other programs' system menus: "Navrchu", "Skrýt do ikony", the
// submenu "Další možnosti" (first popup of menu 150) and a separator, inserted above SC_RESTORE,
// and the list of the windows that carry them. Used on the window extension's thread only, and by
// the clean-up at program exit after that thread has ended.
#pragma once

#include <windows.h>

#include <cstddef>

struct UpraveneOkno {
    HWND okno = nullptr;
    HMENU nabidka = nullptr;  // loaded menu 150; null when the window had no system menu
};

constexpr size_t MAX_UPRAVENYCH_OKEN = 500;

// Seam: the window's system menu (GetSystemMenu without revert). Another process's menu is not
// reachable on every platform; tests put their own menus here.
extern HMENU (*ziskatSystemoveMenu)(HWND okno);

// Adds the items and remembers the window; false for a handle that is not a window, a window in
// the list already, or a full list. A failing insertion raises the system error and leaves the
// window's menu and the list as they were.
bool PridatPolozkySystemoveNabidky(HWND okno);
// Removes the items of a remembered window and forgets it; false when it is not in the list.
bool OdebratPolozkySystemoveNabidky(HWND okno);
bool OdebratPolozkySystemoveNabidkyNaIndexu(size_t index);
// Removes the items from every remembered window that still exists and empties the list; every
// window is tried even when one fails.
void OdebratVsechnyPolozkySystemoveNabidky();
size_t PocetUpravenychOken();
