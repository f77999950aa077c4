// Dulcevo: puts a file's content on the clipboard (a picture as a bitmap, any other file as
// text). The pure parts: the command line, the route and the text taken from the file's bytes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace dulcevo {

// Files larger than this are refused: the clipboard is no place for them.
constexpr unsigned long long NEJVETSI_SOUBOR = 64ull * 1024 * 1024;

// The path from the whole command line: the program name is skipped (quoted or not), then the
// leading blanks; quotes at the end and then at the start are removed, inner blanks stay.
std::wstring CestaZPrikazoveRadky(const std::wstring& radek);

// "bmp", "jpg", "jpeg", "gif", "png" after the last dot of the last path element, any case.
bool JeObrazek(const std::wstring& cesta);

// The text a file's bytes give: after the UTF-16 little-endian byte-order mark the UTF-16 text
// without the mark up to its first zero character, otherwise the bytes up to the first zero.
struct Text {
    bool unicode = false;
    std::wstring siroky;
    std::string uzky;
};
Text TextZBajtu(const std::vector<BYTE>& data);

}  // namespace dulcevo
