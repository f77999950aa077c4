// String-table and formatting helpers.
#pragma once

#include <windows.h>

#include <string>

namespace knihovna {

// LoadStringW of the program's own string table; false when the string is missing
// (the last system error then tells why).
bool NacistRetezec(UINT id, std::wstring& text, HINSTANCE instance = nullptr);
// The same; a missing string raises the error object of the last system error.
std::wstring Retezec(UINT id, HINSTANCE instance = nullptr);

// printf-style formatting into a wide string (%s takes wide text).
std::wstring Formatovat(const wchar_t* format, ...);

// At most `maximum` characters of a text.
std::wstring Oriznout(const std::wstring& text, size_t maximum);

// Whether a file name holds a character Windows does not allow in names: \ / : * ? " < > | or a
// control character (a ':' would write an NTFS alternate stream of another file).
bool MaZakazanyZnakNazvu(const std::wstring& nazev);

// Code-page conversions.
std::wstring NaSiroky(const std::string& text, UINT kodovaStranka = CP_ACP);
std::string NaUzky(const std::wstring& text, UINT kodovaStranka = CP_ACP);

}  // namespace knihovna
