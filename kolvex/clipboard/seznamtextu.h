// Text-list files (*.tdsdat): a list of named texts. Layout, little-endian, no padding:
//   magic 0x62CD2A03, then records to the end of the file, each
//   name (UTF-16 code units + 0x0000), text (likewise), word A (u32), word B (u32).
// No count and no end marker. The reader works on a byte buffer; the file functions only read
// the whole file or save it through the atomic-replace helper.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr uint32_t MAGIE_SEZNAMU_TEXTU = 0x62CD2A03;
// Larger files are refused before any buffer is sized for them.
constexpr uint64_t MAX_VELIKOST_SOUBORU_TEXTU = 64ull * 1024 * 1024;
// The longest text (UTF-16 code units) a file the reader takes can hold: the magic, a one-letter
// name, the text's terminator and the two words around it.
constexpr uint64_t MAX_DELKA_TEXTU = (MAX_VELIKOST_SOUBORU_TEXTU - 4 - 2 * 2 - 2 - 8) / 2;

struct ZaznamTextu {
    std::wstring nazev;
    std::wstring text;  // line breaks CR LF, as an edit control gives them
    uint32_t slovoA = 0;  // reserved: kept from the file, written back unchanged
    uint32_t slovoB = 0;
};

class SeznamTextu {
public:
    std::vector<ZaznamTextu> zaznamy;

    int Pocet() const { return static_cast<int>(zaznamy.size()); }
    // Index of the new record (empty text), -1 for an empty name.
    int Pridat(const std::wstring& nazev);
    void Vyprazdnit() { zaznamy.clear(); }
    // E_INVALIDARG for an index outside the list.
    HRESULT Odebrat(int n);
    // E_INVALIDARG for a bad index, E_UNEXPECTED for a null or empty string (record unchanged).
    HRESULT NastavitText(int n, const wchar_t* text);
    HRESULT NastavitNazev(int n, const wchar_t* nazev);
};

// The reader on a buffer: S_OK with the list replaced by the whole records (a damaged tail is
// dropped; cely, when given, then says false); S_FALSE for 0 bytes; E_INVALIDARG for fewer than
// 4 bytes or a wrong magic. The list is untouched unless the result is S_OK.
HRESULT PrecistSeznamTextu(const uint8_t* data, size_t velikost, SeznamTextu& seznam, bool* cely = nullptr);
std::vector<uint8_t> ZapsatSeznamTextu(const SeznamTextu& seznam);

// The file: S_OK, S_FALSE (empty file), E_INVALIDARG (missing file; or a wrong format, after the
// message "Chybný formát souboru" with the file's path), or the HRESULT of a failed open or read
// (a file over MAX_VELIKOST_SOUBORU_TEXTU after a message naming it). A file whose last record is
// cut off gives S_OK with the whole records after a message; poskozeny (when given) then says
// true, and the caller must not save the list over the file unless the user changes or saves it.
// A null path raises E_INVALIDARG.
HRESULT NacistSeznamTextu(const wchar_t* cesta, SeznamTextu& seznam, bool* poskozeny = nullptr);
// Atomic save; failures raise and leave the previous file whole.
void UlozitSeznamTextu(const wchar_t* cesta, const SeznamTextu& seznam);

// The whole content of an existing file, at most maxVelikost bytes: S_OK, or the HRESULT of the
// failed open or read (ERROR_FILE_TOO_LARGE above the bound).
HRESULT PrecistCelySoubor(const wchar_t* cesta, uint64_t maxVelikost, std::vector<uint8_t>& obsah);
