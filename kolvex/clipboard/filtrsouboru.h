// The filter of the clipboard tools' file dialogs.
#pragma once

#include <windows.h>

#include <string>

// A file-dialog filter: the string-table name idNazvu with the mask, then all files (*.*).
std::wstring FiltrSouboru(UINT idNazvu, const wchar_t* maska);
