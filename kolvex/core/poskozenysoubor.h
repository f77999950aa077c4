// A user file its reader could not read whole (cut short, another encoding, foreign bytes, over
// the reader's cap) is never replaced by less than it held: the reader reports it, the program
// does not save over it while the user has changed nothing, and before the first save of a
// change its bytes are kept as a copy beside it. When that copy cannot be made, nothing is saved.
#pragma once

#include <string>

// Copies the file beside itself as "<file>.bak", or "<file>.N.bak" when that name holds other
// bytes. A copy already holding exactly these bytes is reused, so one damaged file gets one
// copy. Result the copy's path; raises the error object when no copy could be made.
std::wstring ZalohovatPoskozenySoubor(const std::wstring& cesta);

// The report's second part for a list file whose last entry was cut off: the entry is lost,
// the celych whole entries before it are read, and the damaged file's copy is at zaloha. Without a
// copy bezZalohy says what happens instead (by default: it is made before the first save).
std::wstring ZpravaUseknutehoKonce(size_t celych, const std::wstring& zaloha, const std::wstring& bezZalohy = {});

// Whether two files hold the same bytes (false when either cannot be read).
bool StejnyObsahSouboru(const std::wstring& a, const std::wstring& b);

// The state of one file a list was loaded from.
class OchranaSouboru {
public:
    // The last load of cesta could not read it whole.
    void Poskozeny(const std::wstring& cesta);
    // The file was read whole (or the list belongs to no file now).
    void Zdravy();

    bool JePoskozeny() const { return !m_cesta.empty(); }
    const std::wstring& Soubor() const { return m_cesta; }
    // The copy made so far (empty before the first save).
    const std::wstring& Zaloha() const { return m_zaloha; }
    // Makes the copy now (once), so that a report can name it: its path, or empty when it could
    // not be made (PredUlozenim then tries again and refuses the save).
    std::wstring ZalohovatHned();

    // Before a save to cesta. True: go on. False: skip the save, the damaged file stays as it is
    // (nothing changed). A change is saved only after the damaged bytes are copied aside (once);
    // a failed copy raises and the caller must not save. Another file than the damaged one is
    // saved as usual.
    bool PredUlozenim(const std::wstring& cesta, bool zmeneno);
    // After the save went through: the file holds the program's own list now.
    void PoUlozeni(const std::wstring& cesta);

private:
    std::wstring m_cesta;
    std::wstring m_zaloha;
};
