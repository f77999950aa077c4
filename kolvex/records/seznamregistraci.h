// The user's registrations and passwords: the list kept for the whole run and its tagged-text
// file (default "Registrace.qxml" in the data folder), one group "registrace" per entry.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/poskozenysoubor.h"

struct Registrace {
    std::wstring nazev;
    std::wstring prihlasovaciJmeno;
    std::wstring heslo;
    std::wstring info;
    std::wstring url;
    // In memory only: which entry of the list this is (its copies carry it too), 0 = none.
    // Not a field of the file and not compared.
    uint32_t identita = 0;

    bool operator==(const Registrace& jina) const;
};

// The file's content for the entries (groups in list order, values in the file's fixed order).
std::wstring TextSouboruRegistraci(const std::vector<Registrace>& polozky);
// The entries of a file's text: every group with all five values, in file order. A group that
// lacks a value raises (ERROR_INVALID_DATA): the file is then damaged as a whole.
std::vector<Registrace> PrecistRegistrace(const std::wstring& text);
std::vector<Registrace> PrecistRegistraceZDat(const void* data, size_t bajtu);

// Names are equal without regard to case of the letters A to Z only (other letters, e.g. "Č"
// and "č", stay different).
bool StejneNazvyRegistraci(const std::wstring& a, const std::wstring& b);

// Whether a value would break the file: it holds "</" or an opening tag of the given elements.
// The format has no escaping, so such values are refused where they are typed.
bool ObsahujeZnackuFormatu(const std::wstring& text, const std::vector<std::wstring>& znacky);
const std::vector<std::wstring>& ZnackyRegistraci();

// A registration file larger than this is not read (reported and kept like a damaged file).
constexpr uint64_t MAX_VELIKOST_SOUBORU_REGISTRACI = 8ull * 1024 * 1024;

class SeznamRegistraci {
public:
    int Pocet() const { return static_cast<int>(m_polozky.size()); }
    // Index out of range: E_INVALIDARG.
    Registrace Polozka(int index) const;
    void Nahradit(int index, const Registrace& registrace);
    void Odebrat(int index);
    void Pridat(const Registrace& registrace);
    // First entry with that name (StejneNazvyRegistraci), or -1.
    int NajitPodleNazvu(const std::wstring& nazev) const;
    // Index of the entry a copy was taken from, or -1 when it is gone (or the copy is new).
    int NajitPodleIdentity(uint32_t identita) const;

    // Loads the file of the settings (Nacist()) or the given one; a missing file is an empty list.
    // A failure empties the list, is reported (string 178 with the error) and returned; the file
    // is remembered as damaged and kept until the next save copies it aside.
    // A file whose last entry is cut off gives the whole entries before it (S_OK); it is
    // reported, copied aside at once and kept the same way.
    HRESULT Nacist();
    HRESULT Nacist(const std::wstring& cesta);
    // Writes the whole list by atomic replace to the file it was loaded from (the settings' file
    // when none was loaded). A failure is reported (string 179) and returned; memory keeps the change.
    HRESULT Ulozit();

    const std::wstring& Soubor() const { return m_soubor; }
    bool JePoskozenySoubor() const { return m_ochrana.JePoskozeny(); }
    const std::vector<Registrace>& Polozky() const { return m_polozky; }

private:
    void Overit(int index) const;
    std::vector<Registrace> m_polozky;
    uint32_t m_posledniIdentita = 0;
    std::wstring m_soubor;
    OchranaSouboru m_ochrana;
};

// The list of the run (made empty by the tool window the first time).
extern std::unique_ptr<SeznamRegistraci> seznamRegistraci;
