// What the three weather windows share: their popup menus (a menu resource with the Help and
// Window submenus on placeholders), the owner drawing of those menus and the fill colour.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <utility>

#include "core/menu.h"

// Colour of cells and windows without a picture (ARGB).
constexpr DWORD BARVA_VYPLNE_POCASI = 0xFF5D805D;

// Posted by a weather window's worker when its download has ended (wParam, lParam: per window).
constexpr UINT ZpravaStahovaniPocasiHotovo = WM_APP + 31;

// Shows the first submenu of a menu resource at the message's position (or the client origin
// for the keyboard), with the Help submenu on 40003 and the Window submenu on 40076, the checks
// given and, with the own look, the items given owner-drawn. Nothing while *otevrene is set; the
// chosen command arrives as WM_COMMAND.
void ZobrazitNabidkuOknaPocasi(HWND okno, UINT idMenu, LPARAM pozice, MenuPopup*& otevrene,
                               std::initializer_list<std::pair<UINT, bool>> zaskrtnuti,
                               std::initializer_list<UINT> kreslene);
// WM_DRAWITEM of a menu item while the window's menu is open: the image of the command by the
// table (pairs command -> image), else the shared command images.
void KreslitPolozkuPocasi(const MenuPopup* otevrene, const DRAWITEMSTRUCT* polozka,
                          std::initializer_list<std::pair<UINT, int>> obrazky);
// WM_MEASUREITEM of a menu item: height 20; the measured width + 40 while a menu is open.
void ZmeritPolozkuPocasi(const MenuPopup* otevrene, MEASUREITEMSTRUCT* polozka);
// Moves the window, without sizing it, so that its lower right corner is the work area's.
void UmistitDoPravehoDolnihoRohu(HWND okno);

class KonfiguracePocasi;
// The weather settings object (defaults while start-up has made none).
KonfiguracePocasi& NastaveniPocasi();
