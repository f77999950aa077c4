// The contact store: the user's contacts for the whole run, kept in the tagged-text file
// "Kontakty.qxml", and the actions on a contact (e-mail, web page, Skype call, ICQ message).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/poskozenysoubor.h"
#include "knihovna/uchyt.h"

// A contact list larger than this is not read (reported and kept like a damaged file): it is
// no one's address book, and reading it would hold the tool for minutes.
constexpr uint64_t MAX_VELIKOST_SOUBORU_KONTAKTU = 8ull * 1024 * 1024;

struct Kontakt {
    std::wstring nazev;
    std::wstring adresa;
    std::wstring jmeno;
    std::wstring email;
    std::wstring icq;
    std::wstring info;
    std::wstring msn;
    std::wstring prijmeni;
    std::wstring skype;
    std::wstring telefon;
    std::wstring www;
    // In memory only: which record of the store this is (its copies carry it too), 0 = none.
    // Not a field of the file and not compared.
    uint32_t identita = 0;

    // 1 when the contact lacks the data (after a message), 0 when the shell was asked to open
    // the target; a failing shell raises the last system error.
    int NapsatEmail() const;
    int OtevritWeb() const;
    int ZavolatSkype() const;
    int PoslatZpravuIcq() const;

    bool operator==(const Kontakt& jiny) const;
};

// Host of the ICQ web site whose message page the ICQ action opens.
extern std::wstring webIcq;

// The contacts tool's thread loads, edits and saves the list while other threads read it (the
// screen capture's e-mail dialog on the screen thread): every member holds the list's lock, and a
// reader on another thread takes a copy (Kopie) instead of holding indices into the live list.
class SeznamKontaktu {
public:
    // Empties the list and loads the file (a missing file is an empty list). A damaged or
    // unreadable file raises; the list then stays empty and the file is kept from being
    // overwritten until the user changes the contacts. A file whose last contact is cut off
    // gives the whole contacts before it without raising (UseknutyKonec); it is kept the same
    // way, and its copy is made at once (ZalohaPoskozeneho).
    void Nacist(const std::wstring& cesta);
    // Writes every contact by atomic replace. Skipped while a damaged file is being kept.
    void Ulozit(const std::wstring& cesta);

    void Pridat(const Kontakt& kontakt);
    void Odebrat(int index);
    void Zmenit(int index, const Kontakt& kontakt);
    void Polozka(int index, Kontakt& kontakt) const;
    void ZkontrolovanyPrvek(int index, Kontakt& kontakt) const;
    // Index of the first contact whose name equals the text without regard to case, or -1.
    int NajitPodleNazvu(const std::wstring& nazev) const;
    // Index of the record a copy was taken from, or -1 when it is gone (or the copy is new).
    int NajitPodleIdentity(uint32_t identita) const;
    void Seradit();
    // By UTF-16 code units, case-sensitive (capitals first).
    static bool Porovnat(const Kontakt& a, const Kontakt& b);

    int NapsatEmail(int index) const;
    int OtevritWeb(int index) const;
    int ZavolatSkype(int index) const;
    int PoslatZpravuIcq(int index) const;

    int Pocet() const {
        knihovna::Zamek zamek(m_zamek);
        return static_cast<int>(m_kontakty.size());
    }
    std::vector<Kontakt> Kopie() const {
        knihovna::Zamek zamek(m_zamek);
        return m_kontakty;
    }
    // Whether the last load met a damaged file that is kept until a change.
    bool ChraniPoskozenySoubor() const { return m_ochrana.JePoskozeny(); }
    // The last load found the last contact cut off (and read the whole ones before it).
    bool UseknutyKonec() const { return m_useknutyKonec; }
    const std::wstring& ZalohaPoskozeneho() const { return m_ochrana.Zaloha(); }

private:
    const Kontakt& Prvek(int index) const;
    mutable knihovna::KritickaSekce m_zamek;  // re-entrant: members call one another
    std::vector<Kontakt> m_kontakty;
    OchranaSouboru m_ochrana;
    uint32_t m_posledniIdentita = 0;
    bool m_zmeneno = false;  // changed by the user since the load
    bool m_useknutyKonec = false;
};

// Loads the list and reports a damaged file (the contacts tool and the start-up): "Nepodařilo se
// načíst kontakty ze souboru ..." with the error, or, for a cut-off last contact, with what was
// read and where the copy is.
void NacistKontaktySHlasenim(SeznamKontaktu& seznam, const std::wstring& cesta);

// Start-up: creates the store (the global seznamKontaktu, core/globalni.h) and loads it; a damaged file is reported ("Nepodařilo se načíst
// kontakty ze souboru ...") and the program goes on with an empty list.
void NacistKontaktyPriStartu(const std::wstring& cesta);
