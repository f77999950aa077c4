// The RSS reader's list of sources and its file "ZdrojeRSS.qxml" (tagged text: one group "rss"
// per source with the values "nazev", "popis" and "url", in list order; an empty list is an
// empty file). The list lives on the reader's module thread; every change is saved at once.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class SouborKonfiguraceCteni;

struct ZdrojRSS {
    std::wstring nazev;  // shown in the source combo
    std::wstring url;    // the channel's address
    std::wstring popis;  // shown in the status bar once the channel has loaded

    bool operator==(const ZdrojRSS& jiny) const {
        return nazev == jiny.nazev && url == jiny.url && popis == jiny.popis;
    }
};

class SeznamZdrojuRSS {
public:
    std::vector<ZdrojRSS> zdroje;
    // The file could not be read and could not be kept as a copy either: the list is not saved
    // over it (the user is told so on every change).
    bool chranitSoubor = false;
};

// A source list larger than this is not read (reported and kept like a damaged file).
constexpr uint64_t MAX_VELIKOST_ZDROJU_RSS = 4ull * 1024 * 1024;

// The reader's list: made and loaded when the reader's thread starts, freed when it ends.
extern std::unique_ptr<SeznamZdrojuRSS> seznamZdrojuRSS;

// The file's exact content for a list.
std::wstring TextZdrojuRSS(const std::vector<ZdrojRSS>& zdroje);
// The sources of a file's text; a group that lacks one of its three values raises
// (ERROR_INVALID_DATA) and gives nothing at all.
std::vector<ZdrojRSS> PrecistZdrojeRSS(const std::wstring& text);
// With useknuty given, a last source cut off is not raised: the whole sources before it are
// returned and *useknuty is set.
std::vector<ZdrojRSS> PrecistZdrojeRSS(SouborKonfiguraceCteni& cteni, bool* useknuty = nullptr);

// Replaces the list by the file's sources. A missing file gives an empty list without a word.
// A file that cannot be read whole (a source cut off, another encoding, foreign bytes, over
// MAX_VELIKOST_ZDROJU_RSS) gives an empty list and string 235, except a file whose last source is
// cut off: that gives the whole sources before it, and says so. The file itself is kept: it is
// copied beside itself ("<file>.bak", or "<file>.N.bak" when that holds other bytes) before
// anything can replace it, or, when even that fails, the list is marked so that it is never
// saved over the file.
void NacistZdrojeRSS(const std::wstring& cesta, SeznamZdrojuRSS& seznam);
// Writes the file anew through the atomic replace; failures are raised.
void UlozitZdrojeRSS(const SeznamZdrojuRSS& seznam, const std::wstring& cesta);

// The same on the fixed path: the data folder joined with "ZdrojeRSS.qxml".
std::wstring CestaZdrojuRSS();
void NacistSeznamZdrojuRSS(SeznamZdrojuRSS& seznam);
// A protected list is not written: the user is told why and false is returned.
bool UlozitSeznamZdrojuRSS(SeznamZdrojuRSS& seznam);

// The five default sources in place of the list's content.
void VytvoritVychoziZdrojeRSS(SeznamZdrojuRSS& seznam);
void PridatZdrojRSS(SeznamZdrojuRSS& seznam, const std::wstring& nazev, const std::wstring& url,
                    const std::wstring& popis);
