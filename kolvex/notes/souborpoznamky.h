// The text-note file (".pozn"): the note's text and nothing else, as 8-bit characters of the
// system's ANSI code page, line breaks CR LF as the multi-line edit keeps them; no header, no
// byte-order mark, no terminating NUL, no line break added. An empty note is a file of 0 bytes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The largest note the window opens: a larger file is reported and left as it is.
constexpr uint64_t MAX_VELIKOST_POZNAMKY = 1024 * 1024;

// The text a note file's bytes give the edit: everything up to the first NUL byte.
std::string TextZObsahuPoznamky(const std::string& obsah);

// Reads a note file; false with the last system error set when it cannot be opened or read
// (ERROR_FILE_TOO_LARGE above MAX_VELIKOST_POZNAMKY).
bool PrecistSouborPoznamky(const std::wstring& cesta, std::string& text);
// The same, the file's bytes whole (NUL bytes included).
bool PrecistBajtyPoznamky(const std::wstring& cesta, std::string& obsah);

// The text the note window shows for a file's bytes: converted with the ANSI code page, a lone
// CR or LF as CR LF, NUL and the other control characters (tab aside) and the characters the
// edit cannot lay out as U+FFFD, so that any bytes give text the edit can show. verny: the shown text gives back exactly these bytes.
std::wstring TextPoznamkyProOkno(const std::string& obsah, bool& verny);
// The bytes a note's shown text is saved as (ANSI code page, no best fit: a character the code
// page lacks becomes its default character, never a near letter).
std::string BajtyPoznamky(const std::wstring& text);
// The characters of a text that the ANSI code page cannot hold, each once in the order of their
// first appearance (a surrogate pair is one character).
std::vector<std::wstring> ZnakyMimoKodovouStranku(const std::wstring& text);
// The text with every occurrence of those characters removed.
std::wstring TextBezZnaku(const std::wstring& text, const std::vector<std::wstring>& znaky);
// The characters listed for the user: separated by blanks, at most the first maxPocet, then "…".
std::wstring VypisZnaku(const std::vector<std::wstring>& znaky, size_t maxPocet);

// Writes a note file through the atomic-replace save; raises the error object on failure (the old
// file then stays as it was).
void ZapsatSouborPoznamky(const std::wstring& cesta, const std::string& text);

// An edit control's text as ANSI bytes (GetWindowTextA), and the reverse.
std::string NacistTextEditu(HWND edit);
void NastavitTextEditu(HWND edit, const std::string& text);
