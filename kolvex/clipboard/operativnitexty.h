// The operative clipboard: the list of texts taken from the clipboard, newest first, and its
// file (*.otdat): magic 0x52AE9BB4, then every text as UTF-16 code units + 0x0000, in list
// order, to the end of the file. An empty list is the magic alone.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

constexpr uint32_t MAGIE_OPERATIVNICH_TEXTU = 0x52AE9BB4;
constexpr const wchar_t* SOUBOR_OPERATIVNICH_TEXTU = L"Operativni schranka.otdat";

using OperativniTexty = std::vector<std::wstring>;

// The list of the clipboard module's thread; null before the module's deferred start.
extern std::unique_ptr<OperativniTexty> operativniTexty;

// The largest file the reader takes (and so the most a list may hold when it is saved).
constexpr uint64_t MAX_VELIKOST_OPERATIVNICH_TEXTU = 64ull * 1024 * 1024;

// The reader on a buffer: true with the list replaced by the whole texts (a text cut before its
// terminator is dropped with what follows; cely, when given, then says false); false for fewer
// than 4 bytes or a wrong magic, with the list untouched.
bool PrecistOperativniTexty(const uint8_t* data, size_t velikost, OperativniTexty& seznam, bool* cely = nullptr);
// Bytes of the file the list makes.
uint64_t VelikostSouboruOperativnichTextu(const OperativniTexty& seznam);
std::vector<uint8_t> ZapsatOperativniTexty(const OperativniTexty& seznam);

// Atomic save; failures raise and leave the previous file whole. A file the last load of the
// data folder could not read whole is first copied aside (a failed copy raises, nothing saved).
void UlozitOperativniTexty(const OperativniTexty& seznam, const std::wstring& cesta);
// Silent: any failure (missing, unreadable, too large, wrong magic) leaves the list unchanged.
void NacistOperativniTexty(OperativniTexty& seznam, const std::wstring& cesta);
// The file read whole: S_OK; S_FALSE for a missing file (list unchanged); ERROR_FILE_CORRUPT for
// a wrong magic (list unchanged) or a text cut off at the end (the list gets the whole texts);
// ERROR_FILE_TOO_LARGE above MAX_VELIKOST_OPERATIVNICH_TEXTU, or the failed read's HRESULT.
HRESULT PrecistSouborOperativnichTextu(const std::wstring& cesta, OperativniTexty& seznam);
// The same on "<data folder>\Operativni schranka.otdat". A file that cannot be read whole is
// reported; the exit save then leaves it as it is unless the list changed, and keeps its bytes
// as "<file>.bak" before it saves over it.
std::wstring CestaOperativnichTextu();
void UlozitOperativniTextyDoDatoveSlozky(const OperativniTexty& seznam);
void NacistOperativniTextyZDatoveSlozky(OperativniTexty& seznam);

// The limit actually applied: a stored value below 1 counts as 1.
DWORD PlatnyMaxPocet(DWORD maxPocet);
enum class PridaniOperativnihoTextu { Pridan, PrilisDlouhy, NevejdeSe };
// Puts the text first; when the list already holds maxPocet texts or more, its last (oldest)
// text goes first. Exactly one text is removed per addition. A text that alone would not fit in
// the file (MAX_VELIKOST_OPERATIVNICH_TEXTU) is refused as PrilisDlouhy; one that fits only when
// more older texts went is refused as NevejdeSe. A refused text leaves the list unchanged (a list
// the program writes is one it reads back, and no text goes without the user's word).
PridaniOperativnihoTextu PridatOperativniText(OperativniTexty& seznam, const std::wstring& text, DWORD maxPocet);
// Adds the text and tells the user when it was refused.
void PridatOperativniTextSeZpravou(OperativniTexty& seznam, const std::wstring& text, DWORD maxPocet);
// E_INVALIDARG for an index outside the list.
void OdebratOperativniText(OperativniTexty& seznam, int n);

// The clipboard's Unicode text; false (nothing read) when there is none or the clipboard cannot
// be opened or its data not locked. Never leaves the clipboard open.
bool NacistTextZeSchranky(std::wstring& text);
