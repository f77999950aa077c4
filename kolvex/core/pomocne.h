// Small shared services: the program's folders, version-block strings, image lists,
// the save-file dialog record, the display-modes list and name comparators.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "knihovna/uchyt.h"

// Folder of the running executable, without a trailing backslash.
std::wstring ZiskatSlozkuProgramu();
// SHGetFolderPathW of a CSIDL (with CSIDL_FLAG_CREATE when vytvorit); the folder must exist afterwards.
std::wstring ZiskatSlozkuSystemu(int csidl, bool vytvorit);
// "<Program Files>\Brenvald", created when missing.
std::wstring ZiskatSlozkuAutora();

// A string of a version block ("ProductName", "FileDescription", "LegalCopyright" ...);
// soubor null = the running executable. Every failure raises.
void NacistRetezecVerze(const wchar_t* klic, std::wstring& text, const wchar_t* soubor = nullptr);

// Owner of one image list of 16x16 (bitmap-high) images, magenta transparent.
class SeznamObrazku {
public:
    SeznamObrazku() = default;
    ~SeznamObrazku();
    SeznamObrazku(const SeznamObrazku&) = delete;
    SeznamObrazku& operator=(const SeznamObrazku&) = delete;

    void Vytvorit(UINT bitmapa);
    void Pridat(UINT bitmapa);
    void Zrusit();
    HIMAGELIST Get() const { return m_seznam; }
    int Pocet() const { return m_seznam ? ImageList_GetImageCount(m_seznam) : 0; }

private:
    HIMAGELIST m_seznam = nullptr;
};

// Owner of one icon.
class VlastnikIkony {
public:
    VlastnikIkony() = default;
    ~VlastnikIkony();
    VlastnikIkony(const VlastnikIkony&) = delete;
    VlastnikIkony& operator=(const VlastnikIkony&) = delete;

    // Destroys the current icon (failure raises) and keeps the new one.
    void Nastavit(HICON ikona);
    void Zrusit();
    HICON Get() const { return m_ikona; }

private:
    HICON m_ikona = nullptr;
};

// The Help menu alone at the cursor, for a window's help button.
void ZobrazitMenuNapovedy(HWND okno);

// File name buffer and OPENFILENAMEW of a save or open dialog.
struct DialogSouboru {
    wchar_t soubor[MAX_PATH];
    OPENFILENAMEW ofn;
};
void PripravitDialogSouboru(DialogSouboru& dialog, const wchar_t* pocatecniJmeno);

// One favourite display mode (five 32-bit values, stored as REG_DWORD each).
struct RezimObrazovky {
    DWORD zarizeni = 0;  // display device number; 0 for the current mode
    DWORD sirka = 0;
    DWORD vyska = 0;
    DWORD barevHloubka = 0;
    DWORD frekvence = 0;
};

// The list of favourite display modes and its registry subkey name (string 132).
class RezimyObrazovky {
public:
    RezimyObrazovky();
    // The settings thread edits the list (the display-modes page, loading, saving) while the screen
    // thread builds its menu from it and switches to one of its modes: every use of `rezimy` holds
    // `zamek` (the functions of screen/rezimy.cpp and the load and save take it themselves).
    std::vector<RezimObrazovky> rezimy;
    std::wstring nazevKlice;
    mutable knihovna::KritickaSekce zamek;

    size_t Pocet() const {
        knihovna::Zamek z(zamek);
        return rezimy.size();
    }
    std::vector<RezimObrazovky> Kopie() const {
        knihovna::Zamek z(zamek);
        return rezimy;
    }
};

// The list's store below the application key: one subkey per mode named by its index ("0", "1" ...)
// with "barevHloubka", "frekvence", "sirka", "vyska", "zarizeni". The load empties the list first;
// a missing list key is an empty list; the modes are read in index order (a gap in the indexes
// is skipped); a key that is no index or a mode that cannot be read (or has no size) is left out
// and the others are read, then the first such damage raises. The save deletes the list key and writes every mode anew; a failure raises.
void NacistRezimyObrazovky(RezimyObrazovky& rezimy);
void UlozitRezimyObrazovky(const RezimyObrazovky& rezimy);

// Comparators for records whose first member is a wide-string pointer (qsort style).
int __cdecl PorovnatNazvyVzestupne(const void* a, const void* b);
int __cdecl PorovnatNazvySestupne(const void* a, const void* b);
