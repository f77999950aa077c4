// Entry points into the parts of Kolvex that live outside the main window: the settings window,
// the about box, the update check, outside programs, Explorer-extension registration, plug-ins,
// CD/DVD drives, the launcher's entries and the window actions. The main window calls only these.
// Each body in napojeni.cpp answers "nothing there" until its part is linked in; replacing a body
// is all it takes to connect that part.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

class VlaknoModulu;

// Registers the tool modules with ZaregistrovatNastroj; start-up calls it when it builds the
// module objects.
void ZaregistrovatNastroje();
// Deletes the module objects that ZaregistrovatNastroje built; shutdown calls it first.
void ZrusitNastroje();

// Settings window (command 40002), run modally on the main thread; stranka = the dialog id of the
// page to show, 0 = the default page. The caller unregisters the hot keys around it.
void ZobrazitNastaveni(HWND vlastnik, UINT stranka);
// The about box (40023): run modally, or brought to the front when open.
void ZobrazitOProgramu();
// The update check (40022).
void ZkontrolovatAktualizace();
// Registration dialog of the picture (true) or clipboard (false) Explorer extension (40095, 40096).
void ZobrazitRegistraciRozsireni(bool obrazky);

// The maker's outside programs (40187 camera program, 40188 weather program).
enum class ExterniProgram { Varnel, Meltis };
bool NalezenExterniProgram(ExterniProgram program);
bool BeziExterniProgram(ExterniProgram program);
// Closes the program when it runs, starts it when found and not running.
void PrepnoutExterniProgram(ExterniProgram program);

// Plug-ins: menu items 55000 + index.
size_t PocetZasuvnychModulu();
HMENU VytvoritMenuZasuvnychModulu();  // null = none; the caller destroys it
void PrepnoutZasuvnyModul(size_t index);  // runs it, or stops it when it runs
HICON IkonaZasuvnehoModulu(size_t index);  // null = none
void SpustitZasuvneModulyPoSpusteni();
void ZastavitZasuvneModuly();

// CD/DVD drives: menu items 53000 + index; each drive runs like a module. Start-up builds the
// drive list (and its settings page), shutdown deletes it.
void VytvoritJednotkyCD();
void ZrusitJednotkyCD();
size_t PocetJednotekCD();
VlaknoModulu* JednotkaCD(size_t index);
HMENU VytvoritMenuJednotekCD();  // null = no drive; the caller destroys it
void ZastavitJednotkyCD();

// The launcher's entries: hot key (hot-key id = index + 1) and the run-at-start flag.
struct PolozkaSpousteni {
    UINT modifikatory = 0;
    UINT klavesa = 0;  // 0 = no hot key
    bool poSpusteni = false;
};
std::vector<PolozkaSpousteni> PolozkySpousteniAplikaci();
// Defined by the launcher (launcher/spusteniaplikace.cpp): 1 = the entry's path is not valid.
int SpustitAplikaciSeznamu(size_t index);

// The window action of a command (40048-40053, 40099-40107, 40109, 40110) on the foreground
// window, on the calling (main) thread.
void ProvestAkciOkna(UINT prikaz);

// After a module thread failed: the general settings are saved.
void UlozitNastaveniPoChybeModulu();
