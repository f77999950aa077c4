#include "internet/rsskanal.h"

#include <shlwapi.h>

#include <algorithm>
#include <cstring>

#include "knihovna/text.h"

using definice::PolozkaRSS;

namespace {

// Case-insensitive search of an ASCII word in 8-bit text.
bool Obsahuje(const std::string& text, const char* hledane) {
    return ::StrStrIA(text.c_str(), hledane) != nullptr;
}

// The text between the first `otevreni` and the first `uzavreni` at or after it; false when
// either is missing.
bool NajitPrvek(const std::wstring& text, const wchar_t* otevreni, const wchar_t* uzavreni, std::wstring& obsah) {
    size_t zacatek = text.find(otevreni);
    if (zacatek == std::wstring::npos) return false;
    size_t konec = text.find(uzavreni, zacatek);
    if (konec == std::wstring::npos) return false;
    size_t vnitrek = zacatek + wcslen(otevreni);
    obsah = konec > vnitrek ? text.substr(vnitrek, konec - vnitrek) : std::wstring();
    return true;
}

// A text holding a CDATA section is taken to be exactly one: the 9-character opening and the
// 3-character closing marker are cut off.
void OdstranitCdata(std::wstring& text) {
    if (text.find(L"<![CDATA[") == std::wstring::npos) return;
    if (text.size() < 12)
        text.clear();
    else
        text = text.substr(9, text.size() - 12);
}

}  // namespace

KodovaniRSS UrcitKodovaniRSS(const BYTE* data, size_t delka) {
    if (!data || delka == 0) return KodovaniRSS::Iso88592;
    // All of IsTextUnicode's tests (no flags passed), on the whole characters of the buffer: a
    // trailing odd byte (a cut body) would otherwise make any UTF-16 text look 8-bit.
    const size_t sude = delka & ~static_cast<size_t>(1);
    if (sude >= 2 && sude <= 0x7FFFFFFE && ::IsTextUnicode(data, static_cast<int>(sude), nullptr))
        return KodovaniRSS::Utf16;
    const char* zacatek = reinterpret_cast<const char*>(data);
    std::string text(zacatek, strnlen(zacatek, delka));
    if (Obsahuje(text, "UTF-8")) return KodovaniRSS::Utf8;
    if (Obsahuje(text, "windows-1250")) return KodovaniRSS::Windows1250;
    return KodovaniRSS::Iso88592;
}

std::wstring DekodovatKanalRSS(const BYTE* data, size_t delka) {
    if (!data || delka == 0) return std::wstring();
    const KodovaniRSS kodovani = UrcitKodovaniRSS(data, delka);
    if (kodovani == KodovaniRSS::Utf16) {
        std::wstring text(delka / sizeof(wchar_t), L'\0');
        if (!text.empty()) memcpy(&text[0], data, text.size() * sizeof(wchar_t));
        size_t nula = text.find(L'\0');
        if (nula != std::wstring::npos) text.resize(nula);
        return text;
    }
    const char* zacatek = reinterpret_cast<const char*>(data);
    std::string bajty(zacatek, strnlen(zacatek, delka));
    UINT stranka = kodovani == KodovaniRSS::Utf8 ? CP_UTF8 : kodovani == KodovaniRSS::Windows1250 ? 1250 : 28592;
    return knihovna::NaSiroky(bajty, stranka);
}

bool RozebratPolozkuRSS(const std::wstring& text, PolozkaRSS& polozka) {
    PolozkaRSS nova;
    if (!NajitPrvek(text, L"<title>", L"</title>", nova.titulek)) return false;
    if (!NajitPrvek(text, L"<link>", L"</link>", nova.odkaz)) return false;
    bool popis = NajitPrvek(text, L"<description>", L"</description>", nova.popis);
    OdstranitCdata(nova.titulek);
    OdstranitCdata(nova.odkaz);
    if (popis) OdstranitCdata(nova.popis);
    // line feeds only; carriage returns, blanks and tabs stay
    size_t posledni = nova.popis.find_last_not_of(L'\n');
    nova.popis.erase(posledni == std::wstring::npos ? 0 : posledni + 1);
    nova.popis.erase(0, std::min(nova.popis.find_first_not_of(L'\n'), nova.popis.size()));
    polozka = std::move(nova);
    return true;
}

std::vector<PolozkaRSS> RozebratTextRSS(const std::wstring& text) {
    std::vector<PolozkaRSS> polozky;
    const std::wstring otevreni = L"<item>", uzavreni = L"</item>";
    size_t p = 0;
    for (;;) {
        size_t zacatek = text.find(otevreni, p);
        if (zacatek == std::wstring::npos) break;
        size_t konec = text.find(uzavreni, zacatek);
        if (konec == std::wstring::npos) break;
        p = konec;
        size_t vnitrek = zacatek + otevreni.size();
        PolozkaRSS polozka;
        if (RozebratPolozkuRSS(konec > vnitrek ? text.substr(vnitrek, konec - vnitrek) : std::wstring(), polozka))
            polozky.push_back(std::move(polozka));
    }
    return polozky;
}

std::vector<PolozkaRSS> RozebratKanalRSS(const BYTE* data, size_t delka) {
    return RozebratTextRSS(DekodovatKanalRSS(data, delka));
}
