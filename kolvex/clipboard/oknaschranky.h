// Helpers shared by the clipboard tools' windows.
#pragma once

#include <windows.h>

#include <string>

class VlaknoModulu;

// A file-dialog filter: the string-table name idNazvu with the mask, then all files (*.*).
std::wstring FiltrSouboru(UINT idNazvu, const wchar_t* maska);

// The styles of a list window: minimize and maximize boxes, else a tool window; topmost on request.
void StylOknaSeznamu(bool minMax, bool navrchu, DWORD& styl, DWORD& rozsireny);

// Stops the window's thread while its window is open, else starts it (a thread whose window has
// just closed by itself is only ending: the start waits for it). While the window's own dialog
// runs it only brings that dialog forward.
void PrepnoutVlaknoOkna(VlaknoModulu& vlakno);
