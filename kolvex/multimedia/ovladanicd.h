// The CD/DVD drive list: finds the drives once, owns one JednotkaCD per drive and the drive icons,
// builds the drives submenu of the main tray menu and carries the actions for all drives.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "multimedia/jednotkacd.h"

// First main-window command of the drives; drive i answers to 53000 + i.
constexpr UINT PRVNI_PRIKAZ_JEDNOTKY_CD = 53000;
constexpr size_t MAX_POCET_JEDNOTEK_CD = 51;  // the main window dispatches 53000-53050

// Seams for tests: the drive bit mask and the drive type of a root ("D:\").
extern DWORD(WINAPI* logickeJednotky)();
extern UINT(WINAPI* typJednotky)(LPCWSTR);

class OvladaniCD {
public:
    OvladaniCD();  // the name and the three icons; a missing one raises
    ~OvladaniCD();
    OvladaniCD(const OvladaniCD&) = delete;
    OvladaniCD& operator=(const OvladaniCD&) = delete;

    // Appends one JednotkaCD per CD/DVD drive, letters ascending; starts none.
    void NajitJednotky();
    // The drives submenu: one item per drive (53000 + i, text "E:"), checked while its tray icon
    // is shown, the last drive found first; null when there is no drive. The caller owns it.
    HMENU VytvoritMenuJednotek() const;
    // 40136 (open) or 40137 (close) posted to every running drive.
    void OtevritVsechny() const { PoslatVsem(true); }
    void ZavritVsechny() const { PoslatVsem(false); }
    // Stops every drive (each within the module time-out) and empties the list.
    void ZastavitJednotky();

    size_t Pocet() const { return m_jednotky.size(); }
    OknoJednotkyCD* Jednotka(size_t index) const { return index < m_jednotky.size() ? m_jednotky[index].get() : nullptr; }

    std::wstring nazev;
    HICON ikonaPrazdna = nullptr;  // image 81
    HICON ikonaDisk = nullptr;     // image 83
    HICON ikonaTreti = nullptr;    // image 82

private:
    void PoslatVsem(bool otevrit) const;
    std::vector<std::unique_ptr<OknoJednotkyCD>> m_jednotky;
};

// The one drive list of the run; built by start-up, deleted at exit.
extern std::unique_ptr<OvladaniCD> jednotkyCD;
