// The note store: the notes of one folder, found by scanning it for one file extension. A note is
// a file whose base name is the note's name and whose last-write time is the note's time; there is
// no index file. All operations run on the notes module's thread.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// One note.
struct ZaznamPoznamky {
    int64_t cas = 0;  // last write, seconds since 1970 as local calendar time (mktime); 0 = unknown
    std::wstring nazev;
    uint32_t rezerva1 = 0;
    uint32_t rezerva2 = 0;
};

// Extensions of the two kinds of notes.
constexpr const wchar_t* PRIPONA_TEXTOVE = L"pozn";
constexpr const wchar_t* PRIPONA_ZVUKOVE = L"wav";

// Sort orders of the setting "trideni".
constexpr DWORD TRIDENI_PODLE_NAZVU = 1;
constexpr DWORD TRIDENI_PODLE_CASU = 2;

// "<folder>\<name>.<extension>".
std::wstring CestaPoznamky(const std::wstring& slozka, const std::wstring& nazev, const wchar_t* pripona);

// Whether a name entered by the user can be a note: not empty, no leading dot (the scan skips
// such files), no path separators or other characters a file name cannot hold, no "..", no
// control characters, not ending in a dot or a blank (the file system would drop them).
bool JePlatnyNazevPoznamky(const std::wstring& nazev);
// Shows the Czech message for an invalid name and returns false; true for a valid name.
bool OveritNazevPoznamky(const std::wstring& nazev);

// A file time converted as the store keeps it (local time, whole seconds); false when it cannot be
// converted. A year before 1900 gives 0.
bool PrevestCasSouboru(const FILETIME& cas, int64_t& vysledek);

// Parts of a note's time in local time; day, month and year 0 and hour and minute -1 when the time
// cannot be converted.
struct CastiCasu {
    int den = 0, mesic = 0, rok = 0, hodina = -1, minuta = -1;
};
CastiCasu RozlozitCas(int64_t cas);
int DenCasu(int64_t cas);
int MesicCasu(int64_t cas);
int RokCasu(int64_t cas);
int HodinaCasu(int64_t cas);
int MinutaCasu(int64_t cas);

// "name (d.m.yyyy  h:mm)": the text of a list item.
std::wstring TextPolozkyPoznamky(const ZaznamPoznamky& zaznam);

// Name order: only the ASCII letters fold to lower case, everything else compares by code unit.
bool PorovnatNazvyPoznamek(const std::wstring& a, const std::wstring& b);

class SeznamPoznamek {
public:
    // Rebuilds the store from a folder: files "*.<extension>" not beginning with ".", sorted by
    // trideni (1 name, 2 time, other values keep the listing's order). A missing or empty folder
    // gives an empty store. Errors are raised.
    void Nacist(const std::wstring& slozka, const wchar_t* pripona, DWORD trideni);
    // The text-note and sound-note folders and sort settings of the notes settings.
    void NacistTextovePoznamky();
    void NacistZvukovePoznamky();
    // Scans the same folder for the same extension again.
    void Prenacist(DWORD trideni) { Nacist(std::wstring(m_slozka), m_pripona, trideni); }

    int Pocet() const { return static_cast<int>(m_zaznamy.size()); }
    // A copy of record i; E_INVALIDARG outside the store.
    ZaznamPoznamky Polozka(int i) const;
    // Index of the note with that name (exact match), -1 when none.
    int Najit(const std::wstring& nazev) const;
    // Reads the time of text note i from its file again (the record keeps its place).
    void AktualizovatCas(int i);
    // Asks for a name and creates the empty text note: 0 created (store rebuilt), 1 nothing created.
    int NovaPoznamka();

    void SeraditPodleNazvu();
    void SeraditPodleCasu();
    // Sorts by a value of the setting "trideni".
    void Seradit(DWORD trideni);
    void Vyprazdnit();

    const std::wstring& Slozka() const { return m_slozka; }
    const wchar_t* Pripona() const { return m_pripona; }
    std::wstring Cesta(int i) const { return CestaPoznamky(m_slozka, Polozka(i).nazev, m_pripona); }

private:
    std::vector<ZaznamPoznamky> m_zaznamy;
    std::wstring m_slozka;
    const wchar_t* m_pripona = PRIPONA_TEXTOVE;
};

// The stores while their list windows are open (null otherwise); notes module thread only.
extern SeznamPoznamek* seznamTextovychPoznamek;
extern SeznamPoznamek* seznamZvukovychPoznamek;
void UvolnitSeznamTextovychPoznamek();
void UvolnitSeznamZvukovychPoznamek();
