// Tagged-text files: the program's own line format for user lists (contacts, passwords, RSS feeds).
//
// UTF-16LE without BOM, lines ending CR LF. A group is "<name>\r\n", its value lines
// " <value>text</value>\r\n", then "</name>\r\n". Nothing is escaped; the reader finds everything
// by plain substring search, so a value holding its own closing tag reads back cut at that tag.
//
// Parsing works on text in memory (SouborKonfiguraceCteni::NacistText / NacistData); only
// NacistSoubor touches the disk. The writer keeps the text in memory and saves it through
// BezpecnyZapisSouboru, so the user's previous file survives a failed or interrupted save.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/ulozitsoubor.h"

// Line formats of the writer (exactly the bytes of the file, as text).
std::wstring RadekOtevreniSkupiny(const std::wstring& nazev);                    // "<%s>\r\n"
std::wstring RadekUzavreniSkupiny(const std::wstring& nazev);                    // "</%s>\r\n"
std::wstring RadekHodnoty(const std::wstring& nazev, const std::wstring& text);  // " <%s>%s</%s>\r\n"

// Values of the format: a number is read with StrToIntW (leading decimal digits, else 0);
// a flag is true exactly when the text is "1".
int TextNaCislo(const std::wstring& text);
bool TextNaPriznak(const std::wstring& text);

class SouborKonfiguraceZapis {
public:
    SouborKonfiguraceZapis() = default;
    // Without Zavrit the target file is not touched (the temporary file is discarded).
    ~SouborKonfiguraceZapis();
    SouborKonfiguraceZapis(const SouborKonfiguraceZapis&) = delete;
    SouborKonfiguraceZapis& operator=(const SouborKonfiguraceZapis&) = delete;

    // Starts a new content for the file (the existing file stays until Zavrit). S_OK, or the
    // failure's HRESULT (folder missing, access denied) with no file open.
    HRESULT OtevritSoubor(const std::wstring& cesta);
    // Closes an open group, then opens this one. E_HANDLE without a file.
    HRESULT OtevritSkupinu(const std::wstring& nazev);
    // Raise E_HANDLE without a file or an open group.
    void ZapsatText(const std::wstring& nazev, const std::wstring& text);
    void ZapsatCislo(const std::wstring& nazev, int32_t cislo);
    // Writes the closing line of the open group; S_OK also when none is open.
    HRESULT UzavritSkupinu();
    // Closes the open group and commits: the file is replaced by the new content in one step.
    // Raises on failure; the previous file then stays byte for byte as it was.
    void Zavrit();

    bool JeOtevreny() const { return m_otevreny; }
    // The content written so far.
    const std::wstring& Text() const { return m_text; }

private:
    BezpecnyZapisSouboru m_soubor;
    bool m_otevreny = false;
    std::wstring m_skupina;
    std::wstring m_text;
};

class SouborKonfiguraceCteni {
public:
    SouborKonfiguraceCteni() = default;
    ~SouborKonfiguraceCteni();
    SouborKonfiguraceCteni(const SouborKonfiguraceCteni&) = delete;
    SouborKonfiguraceCteni& operator=(const SouborKonfiguraceCteni&) = delete;

    // Reads the whole file (opened without sharing). Any failure raises the error object and
    // leaves the reader empty; a file over maxBajtu raises ERROR_FILE_TOO_LARGE.
    void NacistSoubor(const std::wstring& cesta, uint64_t maxBajtu = 0x7FFFFFFEu);
    // The same on bytes in memory (UTF-16LE; a trailing odd byte is ignored).
    void NacistData(const void* data, size_t bajtu);
    void NacistText(std::wstring text);

    // S_OK: the next group of that name (searching forward) is now the current group.
    // S_FALSE: none left, or nothing loaded.
    HRESULT NajitSkupinu(const std::wstring& nazev);
    // S_OK and the value's text; S_FALSE (output unchanged) when the current group lacks it;
    // E_HANDLE when nothing is loaded or no (non-empty) group is current.
    HRESULT NajitHodnotu(const std::wstring& nazev, std::wstring& hodnota);

    bool JeNacteny() const { return m_pozice >= 0; }
    // How often the text occurs in what was loaded.
    size_t PocetVyskytu(const std::wstring& text) const;
    // Nothing but white space (and a byte-order mark) was loaded.
    bool JeBezObsahu() const;
    // After the groups were read: raises ERROR_FILE_CORRUPT unless every group of that name the
    // text holds was read (precteno of them) and nothing but white space lies outside the groups
    // found. A file cut short, in another encoding or of foreign bytes is so told from an empty
    // list, and a group whose tag was damaged is not silently skipped.
    void OveritPrectenoVse(const std::wstring& nazev, size_t precteno) const;
    // The same, except for a file whose one damage is its last group of that name cut off (the
    // file ends inside it, as a save or copy broken off leaves it): that is not raised but told
    // by the result true, and the groups read are every whole one before the cut. False: the
    // file was read whole.
    bool OveritPrectenoKromeUseknuteho(const std::wstring& nazev, size_t precteno) const;
    const std::wstring& Skupina() const { return m_skupina; }

private:
    void Vyprazdnit();

    std::ptrdiff_t m_pozice = -1;
    size_t m_pokryto = 0;        // end of the last group found
    bool m_mimoSkupiny = false;  // something but white space lay before a group found
    std::wstring m_text;
    std::wstring m_skupina;
};
