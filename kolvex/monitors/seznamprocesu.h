// The process monitor's measurements: one record per process (file name and memory counters),
// the list that keeps its memory between measurements, and the pure rules of the tool: the
// limit, the list order, the header clicks and the tray tooltip.
#pragma once

#include <windows.h>
#include <psapi.h>

#include <cstddef>
#include <cstdint>
#include <string>

struct InfoProcesu {
    wchar_t soubor[MAX_PATH];
    PROCESS_MEMORY_COUNTERS pamet;
};

class SeznamProcesu {
public:
    explicit SeznamProcesu(size_t kapacita = 40);
    ~SeznamProcesu();
    SeznamProcesu(const SeznamProcesu&) = delete;
    SeznamProcesu& operator=(const SeznamProcesu&) = delete;

    // Copies the name and the counters into the next record (the array grows by 20); result the
    // index. A null name raises E_INVALIDARG.
    size_t Pridat(const wchar_t* soubor, const PROCESS_MEMORY_COUNTERS& pamet);
    // Count 0; the memory stays.
    void Vyprazdnit() { m_pocet = 0; }
    // Largest working set first.
    void SetriditPodlePameti();

    size_t Pocet() const { return m_pocet; }
    size_t Kapacita() const { return m_kapacita; }
    const InfoProcesu& operator[](size_t i) const { return m_data[i]; }

private:
    InfoProcesu* m_data = nullptr;
    size_t m_kapacita = 0;
    size_t m_pocet = 0;
};

// Made by start-up, deleted at shutdown; used by the process monitor's thread only.
extern SeznamProcesu* seznamProcesu;

// The warning rule: a limit in MB (0 = off) reached by a working set in bytes.
// In 64 bits in both builds: a limit of 4096 MB or more is no 32-bit overflow.
bool PrekrocenLimitProcesu(uint64_t workingSet, DWORD limitMB);
// The list order of two records by column 0-3 (name, working set, peak, pagefile):
// negative, 0 or positive.
int PorovnatProcesy(const InfoProcesu& a, const InfoProcesu& b, int sloupec, bool vzestupne);
// A click on a column header: the same column flips the direction, another becomes the column.
void KliknutiNaSloupec(int& sloupec, bool& vzestupne, int kliknuty);
// The tray tooltip "Pamět procesů:\n" with the first four records.
std::wstring TextTipuProcesu(const SeznamProcesu& seznam);
// The shell's kilobyte text.
std::wstring TextKilobajtu(SIZE_T bajty);
