// The memory monitor's pure parts: bar heights and the 16-tick history, the tooltip, the log line
// and the whole-line log writer, and the texts of the memory-module properties.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Readings that tests replace: the memory status and the local time.
using FunkceStavPameti = void(WINAPI*)(LPMEMORYSTATUS);
using FunkceMistniCas = void(WINAPI*)(LPSYSTEMTIME);
extern FunkceStavPameti ziskatStavPameti;
extern FunkceMistniCas ziskatMistniCasPameti;

constexpr int POCET_HISTORIE = 16;
constexpr size_t DELKA_TIPU = 127;

// Bar height 0-16 of a load in percent (integer arithmetic, truncated).
int VyskaSloupce(DWORD zatizeni);
// The history moves by one (the oldest falls out); element 0 = the new height.
void PosunoutHistorii(int (&historie)[POCET_HISTORIE], int vyska);

// The tooltip of the memory icon (not yet cut to 127 characters).
std::wstring TextTipuPameti(DWORD zatizeni, SIZE_T volna, SIZE_T celkem, const std::wstring& titulek);

// One log line "%d.%d.%d %d:%.2d:%.2d - %s\r\n".
std::wstring RadekLogu(const SYSTEMTIME& cas, const std::wstring& zprava);

enum class VysledekLogu { Zapsano, Plny };
// Appends one whole line to the UTF-16LE log (no BOM). A file whose size is at or above the
// limit gets nothing. A failure raises the last system error; the file is closed in any case.
VysledekLogu ZapsatRadekLogu(const std::wstring& cesta, const std::wstring& zprava, DWORD limit);

// The value of one WMI property as the property display needs it.
struct HodnotaVlastnosti {
    enum Druh { Chybi, Text, Cislo, Logicka } druh = Chybi;
    std::wstring text;
    int64_t cislo = 0;
    bool logicka = false;
};
using CteniVlastnosti = HodnotaVlastnosti (*)(void* objekt, const wchar_t* nazev);

// Capacity as WMI gives it (a decimal text of a 64-bit number); false when it is none.
bool PrecistKapacitu(const HodnotaVlastnosti& hodnota, uint64_t& kapacita);
// The shell's byte text of a size (StrFormatByteSize64).
std::wstring TextVelikosti(uint64_t bajty);
// The list text of a module: "Blok #%d" (+ " (%s)" with the capacity).
std::wstring TextPolozkyModulu(void* objekt, CteniVlastnosti cist);
// The property lines of a module, each followed by "\r\n".
std::wstring TextVlastnostiModulu(void* objekt, CteniVlastnosti cist);
std::wstring TextFormFactor(int64_t n);
std::wstring TextMemoryType(int64_t n);
std::wstring TextTypeDetail(int64_t n);
