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

// Code-page conversions.
std::wstring NaSiroky(const std::string& text, UINT kodovaStranka = CP_ACP);
std::string NaUzky(const std::wstring& text, UINT kodovaStranka = CP_ACP);

}  // namespace knihovna
