// Sonvidar's application object: the mode from the command line, the two settings sections,
// the output files, and the lists the modes fill.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "knihovna.h"
#include "vstupnilinka.h"
#include "zaznam.h"

namespace Brenvald_Sonvidar {

enum Rezim : int {
    RezimZadny = 0,
    RezimNastaveniZvuku = 1,
    RezimZaznamZvuku = 2,
    RezimNastaveniVidea = 3,
    RezimZaznamVidea = 4,
    RezimTestKoderu = 10,
};

// Result of reading the command line.
enum class VysledekParametru { Ok, Zprava, BezZpravy };

// The verbs (first argument, without regard to case) and the output file of the recording verbs.
VysledekParametru RozebratParametry(int pocet, const wchar_t* const* argumenty, Rezim& rezim, std::wstring& soubor);

struct NastaveniZvuku {
    bool konecNaKlik = false;
    std::wstring ovladacHlasitosti;
    bool prepnoutOvladac = true;
    std::wstring profil;
    std::wstring zarizeni;
    bool zpravaIkona = true;
    bool ikona = true;  // show a tray icon; never stored
};

struct NastaveniVidea {
    bool konecNaKlik = false;
    std::wstring ovladacHlasitosti;
    bool prepnoutOvladac = true;
    std::wstring profilVideo;
    std::wstring profilZvuk;
    std::wstring zarizeniVideo;
    std::wstring zarizeniZvuk;
    bool zpravaIkona = true;
    bool ikona = true;
};

class AplikaceZaznamu {
public:
    AplikaceZaznamu();
    ~AplikaceZaznamu();

    const wchar_t* sekceVidea = L"Zaznam videa";
    const wchar_t* sekceZvuku = L"Zaznam zvuku";
    HIMAGELIST obrazky = nullptr;
    NastaveniVidea video;
    NastaveniZvuku zvuk;
    std::wstring souborVidea;
    std::wstring souborZvuku;
    Rezim rezim = RezimZadny;

    // The stored values that the last load could not read (they keep their defaults).
    std::vector<std::wstring> poskozeneHodnoty;

    void VychoziNastaveniZvuku();
    void VychoziNastaveniVidea();
    // Each value is read on its own; when one cannot be read the others are read all the same,
    // its name is listed in poskozeneHodnoty and the first error is raised at the end.
    void NacistNastaveniZvuku();
    void NacistNastaveniVidea();
    void UlozitNastaveniZvuku();
    void UlozitNastaveniVidea();
};
extern AplikaceZaznamu aplikace;

// Whether a recording cannot start without the stored value (a device or the recorded profile);
// every other value of the section keeps its default when it is damaged.
bool NutnaProZaznam(const wchar_t* nazev, bool videa);

// What a mouse message at the recording icon does.
enum class AkceIkony { Nic, Ukoncit, Nabidka };
AkceIkony AkceKliknuti(UINT zpravaMysi, bool konecNaKlik);

// The recorders and lists of the running mode (null until a mode makes them).
extern std::unique_ptr<ZaznamVidea> zaznamVidea;
extern std::unique_ptr<ZaznamZvuku> zaznamZvuku;
extern SeznamProfilu seznamProfiluVidea;
extern SeznamProfilu seznamProfiluZvuku;
extern SeznamZarizeni seznamZarizeniVidea;
extern SeznamZarizeni seznamZarizeniZvuku;
extern SeznamVstupnichLinek seznamVstupnichLinek;

// Start-up: 0 = the mode runs from the message loop, non-zero = end with -1.
int ZpracovatParametry(int pocet, const wchar_t* const* argumenty);

// The message box of the program (tests replace it).
extern int(WINAPI* oknoZpravy)(HWND, LPCWSTR, LPCWSTR, UINT);

}  // namespace Brenvald_Sonvidar
