// The RSS channel parser: decides the text encoding of a downloaded channel and cuts its text
// into items. A plain text search for exactly the tags <item>, <title>, <link> and
// <description> (case-sensitive, no attributes, first occurrence); entities and markup stay as
// written. Pure functions on byte buffers and texts, so damaged input can be fed directly.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace definice {

// One channel item.
struct PolozkaRSS {
    std::wstring popis;    // description, may be empty
    std::wstring odkaz;    // link
    std::wstring titulek;  // title
};

}  // namespace definice

// How the bytes of a channel are read.
enum class KodovaniRSS { Utf16, Utf8, Windows1250, Iso88592 };

// The encoding of a downloaded body (the bytes as HttpTextSoubor gives them, normally ending in
// two zero bytes): UTF-16LE when IsTextUnicode judges its whole characters so (an odd
// trailing byte left out), else UTF-8 when the 8-bit text (up to
// its first zero byte) names "UTF-8" in any case, else windows-1250 when it names that, else
// ISO 8859-2.
KodovaniRSS UrcitKodovaniRSS(const BYTE* data, size_t delka);

// The body as text, ending at its first zero character. UTF-16 is read by whole characters of
// the buffer's length (a trailing odd byte is left out); nothing past the buffer is read.
std::wstring DekodovatKanalRSS(const BYTE* data, size_t delka);

// One item's text (between <item> and </item>): false when it lacks a title or a link.
bool RozebratPolozkuRSS(const std::wstring& text, definice::PolozkaRSS& polozka);

// Every item of the channel text in document order.
std::vector<definice::PolozkaRSS> RozebratTextRSS(const std::wstring& text);

// The whole channel: DekodovatKanalRSS, then RozebratTextRSS.
std::vector<definice::PolozkaRSS> RozebratKanalRSS(const BYTE* data, size_t delka);
