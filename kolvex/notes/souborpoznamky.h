// The text-note file (".pozn"): the note's text and nothing else, as 8-bit characters of the
// system's ANSI code page, line breaks CR LF as the multi-line edit keeps them; no header, no
// byte-order mark, no terminating NUL, no line break added. An empty note is a file of 0 bytes.
#pragma once

#include <windows.h>

#include <string>

// The text a note file's bytes give the edit: everything up to the first NUL byte.
std::string TextZObsahuPoznamky(const std::string& obsah);

// Reads a note file; false with the last system error set when it cannot be opened or read.
bool PrecistSouborPoznamky(const std::wstring& cesta, std::string& text);

// Writes a note file through the atomic-replace save; raises the error object on failure (the old
// file then stays as it was).
void ZapsatSouborPoznamky(const std::wstring& cesta, const std::string& text);

// An edit control's text as ANSI bytes (GetWindowTextA), and the reverse.
std::string NacistTextEditu(HWND edit);
void NastavitTextEditu(HWND edit, const std::string& text);
