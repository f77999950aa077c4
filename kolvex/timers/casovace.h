// The pure parts of the clock and the stopwatch: the next gong time, the date texts, the
// stopwatch's three-state measurement on an injected tick counter and its time texts.
#pragma once

#include <windows.h>

#include <cstdint>
#include <ctime>
#include <string>

// Readings that tests replace.
using FunkceTickCount = DWORD(WINAPI*)();
using FunkceMistniCasCasovace = void(WINAPI*)(LPSYSTEMTIME);
extern FunkceTickCount ziskatTickCount;
extern FunkceMistniCasCasovace ziskatMistniCas;

// A local time as calendar seconds (as mktime does); 0 for a year before 1900.
int64_t KalendarniCas(const SYSTEMTIME& cas);
// The next signal for a gong setting (1 hour, 2 half hour, 3 quarter, 4 minute; other: now
// without seconds) counted from this local time.
int64_t DalsiGong(const SYSTEMTIME& ted, DWORD gong);

// The clock's date text for `datum` 1 (short) or 2 (long), from the user's locale.
std::wstring TextData(const SYSTEMTIME& cas, DWORD datum);
// The clock's text "%d:%.2d:%.2d", with the date text in front when there is one.
std::wstring TextHodin(const SYSTEMTIME& cas, const std::wstring& datum);
// Whether the date text built on `puvodni` is out of date at `ted` (another day).
bool JinyDen(const SYSTEMTIME& puvodni, const SYSTEMTIME& ted);

// The stopwatch display "%d:%.2d:%.2d" (hours not limited to 24).
std::wstring TextStopek(uint32_t ms);
// The result "%d:%.2d:%.2d.%.2d" with hundredths.
std::wstring TextVysledkuStopek(uint32_t ms);

// The measurement: stopped, paused or running; tick differences modulo 2^32.
class MereniStopek {
public:
    enum Stav { Zastaveno = 0, Preruseno = 1, Bezi = 2 };

    // Start or continue; false when it already runs (nothing changes).
    bool Spustit();
    // Pause; false unless it runs.
    bool Pozastavit();
    // Stop; false when it was stopped already (no result).
    bool Zastavit();
    // Milliseconds to show now.
    uint32_t Cas() const;

    Stav stav = Zastaveno;
    uint32_t zacatek = 0;  // tick at the (re)start of the current run
    uint32_t ulozeno = 0;  // ms up to the last pause or stop
};
