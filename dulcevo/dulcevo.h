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

// The text a file's bytes give, for the clipboard:
// - after the UTF-16 byte-order mark (little- or big-endian) the UTF-16 text without the mark
//   up to its first zero character, as Unicode text only;
// - otherwise the bytes up to their end as 8-bit text, unchanged (programs reading CF_TEXT rely
//   on them), and beside it, when the bytes are valid UTF-8 (with or without its mark), their
//   Unicode text without the mark;
// - a zero byte outside UTF-16 means the file is not text (a .zip, a picture): refused.
struct Text {
    bool jeText = true;
    bool maUzky = false;    // CF_TEXT
    bool maSiroky = false;  // CF_UNICODETEXT
    std::wstring siroky;
    std::string uzky;
};
Text TextZBajtu(const std::vector<BYTE>& data);

}  // namespace dulcevo
