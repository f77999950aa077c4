// Favourite display modes: the texts that describe a mode, the submenu of saved modes
// (commands 51500 + index) and the switch to a saved mode. The list and its store are
// core's (RezimyObrazovky, loaded and saved with the screen settings).
#pragma once

#include <windows.h>

#include <string>

#include "core/pomocne.h"

constexpr UINT PRVNI_PRIKAZ_REZIMU = 51500;
constexpr UINT POSLEDNI_PRIKAZ_REZIMU = 51999;
// At most this many modes are saved.
constexpr size_t MAX_POCET_REZIMU = 200;

// Seams for tests: the driver's mode list and the switch itself.
using FunkceVyctuRezimu = BOOL(WINAPI*)(LPCWSTR, DWORD, DEVMODEW*);
using FunkceZmenyRezimu = LONG(WINAPI*)(DEVMODEW*, DWORD);
extern FunkceVyctuRezimu vycetRezimu;
extern FunkceZmenyRezimu zmenaRezimu;

// The current mode of the primary display (device 0).
RezimObrazovky AktualniRezim();
// Name of a colour depth: in the list of modes (24 bits reads "24"), or for the current mode
// (24 and 32 bits read "True color (24/32 bit)", an unknown depth nothing).
std::wstring NazevHloubky(DWORD bitu);
std::wstring NazevHloubkyAktualni(DWORD bitu);

// "%d x %d, %s, %d Hz"; an index outside the list raises E_INVALIDARG.
std::wstring TextRezimu(const RezimyObrazovky& rezimy, size_t index);
std::wstring TextRezimu(const RezimObrazovky& rezim);
// "W x H, depth[, R Hz]" of the current mode (no rate when the display gives none).
std::wstring TextAktualnihoRezimu();
std::wstring TextAktualnihoRezimu(const RezimObrazovky& rezim);
// A mode the driver offers: "W x H, depth[, R Hz]".
std::wstring TextRezimuDevMode(DEVMODEW rezim);

// Appends a mode while fewer than the limit are saved; false when the list is full.
bool PridatRezim(RezimyObrazovky& rezimy, const RezimObrazovky& rezim);
// Removes the mode at the index (the later ones move up); false for an index outside the list.
bool OdebratRezim(RezimyObrazovky& rezimy, size_t index);

// A popup menu with one radio item per saved mode, the last saved mode on top (id 51500 +
// index), the modes of the current size and depth checked; null for an empty list or a failed
// insert. The caller owns the menu.
HMENU VytvoritMenuRezimu(const RezimyObrazovky& rezimy, bool vlastniKresleni);

// Switches the display to the saved mode of the command (51500 + index) and reports the result
// in a balloon at the main icon. A bad index or no mode of the display raises E_INVALIDARG; a
// refused switch is no error. Result: the text shown.
std::wstring NastavitRezimObrazovky(const RezimyObrazovky& rezimy, UINT prikaz);
