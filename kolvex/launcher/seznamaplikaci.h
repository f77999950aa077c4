// The launcher's list of programs: the entry record, the list with its icons, its sort modes and
// its store in the current user's registry ("<application key>\Spousteni aplikaci\Aplikace", one
// subkey per entry named by the entry's name).
//
// The position of an entry is its identity for the rest of the program: menu command ids and
// hot-key ids are the index + 1, so sorting and removing change them.
//
// Threads: the launcher's thread (menus, starts by hot key) and the main thread (settings pages,
// hot-key registration, starts at start-up) use the one list. Every operation takes the list's
// lock (re-entrant); a caller that reads an entry and then acts on its index holds Zamek() across.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "knihovna/uchyt.h"

// Safer levels of the rights a program is started with.
constexpr DWORD UROVEN_PLNY_PRISTUP = 0x40000;      // SAFER_LEVELID_FULLYTRUSTED
constexpr DWORD UROVEN_BEZNY_UZIVATEL = 0x20000;    // SAFER_LEVELID_NORMALUSER, given to new entries
constexpr DWORD UROVEN_OMEZENY_PRISTUP = 0x10000;   // SAFER_LEVELID_CONSTRAINED
constexpr DWORD UROVEN_NEDUVERYHODNY = 0x1000;      // SAFER_LEVELID_UNTRUSTED

// Sort modes: the low 16 bits choose the key, TRIDENI_SESTUPNE the direction.
constexpr DWORD TRIDENI_NETRIDIT = 0;
constexpr DWORD TRIDENI_NAZEV = 1;
constexpr DWORD TRIDENI_CESTA = 2;
constexpr DWORD TRIDENI_OPRAVNENI = 4;
constexpr DWORD TRIDENI_KLAVESA = 8;
constexpr DWORD TRIDENI_POCET = 0x10;
constexpr DWORD TRIDENI_SESTUPNE = 0x10000;

struct SpoustenaAplikace {
    std::wstring cesta;          // program file; empty = none
    bool jednaInstance = false;  // not started while a process of the same file runs
    std::wstring nazev;          // unique in the list; also the registry key's name
    DWORD uroven = 0;            // Safer level id
    DWORD modifikator = 0;       // MOD_ALT, MOD_CONTROL, MOD_SHIFT, MOD_WIN
    int pocetSpusteni = 0;
    bool poSpusteni = false;     // started when Kolvex starts
    DWORD virtKlavesa = 0;       // 0 = no hot key

    // Values that were stored but could not be read: the save leaves them as they are stored
    // until the field is set anew, so a damaged value is never overwritten by a default.
    DWORD necitelne = 0;
};

// Bits of SpoustenaAplikace::necitelne.
enum : DWORD {
    NECITELNA_CESTA = 0x01,
    NECITELNA_JEDNA_INSTANCE = 0x02,
    NECITELNY_MODIFIKATOR = 0x04,
    NECITELNY_POCET = 0x08,
    NECITELNE_PO_SPUSTENI = 0x10,
    NECITELNA_UROVEN = 0x20,
    NECITELNA_KLAVESA = 0x40,
};

// Three-way comparison of two entries in a sort mode (texts as lstrcmpW); 0 for a mode that
// does not sort.
int PorovnatAplikace(const SpoustenaAplikace& a, const SpoustenaAplikace& b, DWORD rezim);

// A name the registry can hold as one key: not empty, no backslash, at most 255 characters.
bool JePlatnyNazevAplikace(const std::wstring& nazev);

class SeznamAplikaci {
public:
    // koren: the application's registry key below HKEY_CURRENT_USER.
    explicit SeznamAplikaci(std::wstring koren);
    ~SeznamAplikaci();
    SeznamAplikaci(const SeznamAplikaci&) = delete;
    SeznamAplikaci& operator=(const SeznamAplikaci&) = delete;

    knihovna::KritickaSekce& Zamek() { return m_zamek; }

    size_t Pocet() const { return m_aplikace.size(); }
    // The entry at an index; E_INVALIDARG outside the list.
    const SpoustenaAplikace& Polozka(size_t index) const;
    SpoustenaAplikace& Polozka(size_t index);
    // A copy of every entry, in list order.
    std::vector<SpoustenaAplikace> Kopie();
    // The icons, one per entry at its index (valid after ObnovitIkony); null before the first.
    HIMAGELIST Ikony() const { return m_ikony.Get(); }

    // Appends an entry (no sort, no icon rebuild); result its index.
    size_t Pridat(const std::wstring& nazev, const std::wstring& cesta, DWORD uroven);
    void Odebrat(size_t index);
    void NastavitCestu(size_t index, const std::wstring& cesta);
    void NastavitNazev(size_t index, const std::wstring& nazev);
    void NastavitKlavesu(size_t index, DWORD virtKlavesa, DWORD modifikator);
    // First entry with exactly that name (case-sensitive); -1 = none.
    int NajitPodleNazvu(const std::wstring& nazev) const;
    // First entry whose name the registry would take for the same key (letter case ignored),
    // other than the entry krome; -1 = none.
    int NajitKolizniNazev(const std::wstring& nazev, int krome = -1) const;
    // First entry with that key and modifiers; -1 = none.
    int NajitPodleKlavesy(DWORD modifikator, DWORD virtKlavesa) const;

    // Sorts by the launcher's current sort mode, then rebuilds the icons (nothing for an empty list).
    void Seradit();
    void SeraditPodle(DWORD rezim);
    // The image list anew: the first icon of each program file, image 10 of the application's
    // images for a file that is missing or has none.
    void ObnovitIkony();
    void Vyprazdnit();

    // Reads the whole list; a missing key "Aplikace" is an empty list. A value of the wrong kind
    // leaves its field at the default, is marked unreadable and is reported by the result
    // (S_OK when all was read). Any other registry failure raises.
    HRESULT Nacist();
    // Writes every entry, then removes the keys of entries that are no longer in the list (only
    // when every entry was written). The first failure raises after the others were tried.
    void Ulozit();

    std::wstring CestaKlice() const;

private:
    std::wstring m_koren;
    std::vector<SpoustenaAplikace> m_aplikace;
    knihovna::UchytSeznamuObrazku m_ikony;
    mutable knihovna::KritickaSekce m_zamek;
};

// The one list of the program; made by the launcher module at start-up, null before.
extern std::unique_ptr<SeznamAplikaci> seznamAplikaci;
