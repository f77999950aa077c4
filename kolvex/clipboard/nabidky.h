// Owner-drawn menu items of the clipboard windows: measuring and drawing through the record of
// the menu open on this thread, with a window's own table of images.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <utility>

struct MenuPopup;

using TabulkaIkon = std::initializer_list<std::pair<UINT, int>>;

// The image of a command: the window's table, then the settings-pages and general tables.
int IkonaPolozky(TabulkaIkon tabulka, UINT id);
// lista: the window's menu bar record, used when no popup is open.
// WM_MEASUREITEM of a menu item: height 20, width = text + 40; false for anything else.
bool ZmeritPolozkuNabidky(LPARAM l, MenuPopup* lista = nullptr);
// WM_DRAWITEM of a menu item with the image of the table; false for anything else.
bool NakreslitPolozkuNabidky(LPARAM l, TabulkaIkon tabulka, MenuPopup* lista = nullptr);
// Posts WM_COMMAND 40002 with a page id to the main window.
void OtevritStrankuNastaveni(UINT stranka);
// The drop-down menu of a toolbar button at the cursor: the settings pages for 40002, Help for
// 40003, nothing for other buttons.
void ZobrazitNabidkuTlacitka(HWND okno, int tlacitko);
