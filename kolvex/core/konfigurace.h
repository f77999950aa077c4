// Configuration store: settings in the current user's registry, one subkey ("section") per
// tool below the application key "Software\Brenvald\Kolvex\5.0".
//
// Value kinds: u32 (REG_DWORD; REG_BINARY of up to 4 bytes reads the same), bool (REG_DWORD
// written 0/1, read true when not 0), string (REG_SZ, read up to its first NUL), font (a section
// of fourteen values). A value that is not stored leaves its field at the default.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "knihovna/chyba.h"

// A settings text that tool threads read while the settings window may replace it: a reader
// always gets a whole copy of either the old or the new text, never one being freed.
class SdilenyText {
public:
    SdilenyText();
    SdilenyText(std::wstring text);  // NOLINT: implicit, like the std::wstring it stands for
    SdilenyText(const wchar_t* text);  // NOLINT
    SdilenyText(const SdilenyText& jiny);
    SdilenyText& operator=(const SdilenyText& jiny);
    SdilenyText& operator=(std::wstring text);
    SdilenyText& operator=(const wchar_t* text);

    // A copy of the current text.
    std::wstring Text() const;
    operator std::wstring() const { return Text(); }  // NOLINT
    bool Prazdny() const;

    friend bool operator==(const SdilenyText& a, const std::wstring& b) { return a.Text() == b; }
    friend bool operator!=(const SdilenyText& a, const std::wstring& b) { return a.Text() != b; }
    friend std::wstring operator+(const SdilenyText& a, const std::wstring& b) { return a.Text() + b; }
    friend std::wstring operator+(const SdilenyText& a, const wchar_t* b) { return a.Text() + b; }

private:
    std::shared_ptr<const std::wstring> m_text;
};

// Registry backend: one section key open at a time below a root path of HKEY_CURRENT_USER.
class KlicKonfigurace {
public:
    explicit KlicKonfigurace(std::wstring koren = L"");
    ~KlicKonfigurace();  // closes a key that is still open (a failing close is not reported here)
    KlicKonfigurace(const KlicKonfigurace&) = delete;
    KlicKonfigurace& operator=(const KlicKonfigurace&) = delete;

    // Closes the open section, then opens the existing section (KEY_READ | KEY_WRITE) or, with
    // vytvorit, creates it with its whole path. An empty name is the root key itself.
    // Raises on failure (a missing section too).
    void OtevritSekci(const std::wstring& sekce, bool vytvorit = false);
    void VytvoritSekci(const std::wstring& sekce);
    // Closes the open section key; a failing close raises.
    void Zavrit();

    // Readers: 1 and the output unchanged when the value is not stored, 0 when read.
    // A value of the wrong kind raises (a string under a number, data over 4 bytes, a number
    // under a string).
    int NacistCislo(const wchar_t* nazev, bool& hodnota);
    int NacistText(const wchar_t* nazev, std::wstring& hodnota);
    // 0 when all fourteen font values were stored, 1 when any was missing.
    int NacistPismo(LOGFONTW& pismo);

    // Writers on the open section; a failure raises.
    void ZapsatDword(const wchar_t* nazev, DWORD hodnota);
    void ZapsatCislo(const wchar_t* nazev, bool hodnota);
    void ZapsatText(const wchar_t* nazev, const std::wstring& hodnota);
    void UlozitPismo(const LOGFONTW& pismo);

    HKEY Klic() const { return m_klic; }
    const std::wstring& Koren() const { return m_koren; }

private:
    std::wstring CestaSekce(const std::wstring& sekce) const;
    HKEY OtevrenyKlic() const;

    std::wstring m_koren;
    HKEY m_klic = nullptr;
    HKEY m_korenovyKlic = HKEY_CURRENT_USER;
};

// u32 reader: 1 and the output unchanged when not stored; shorter data are filled up with zeros.
int NacistHodnotuDword(KlicKonfigurace& klic, const wchar_t* nazev, DWORD& hodnota);

// Scoped holders of one load and one save on the application key (or another root path).
class KonfiguraceCteni {
public:
    KonfiguraceCteni();
    explicit KonfiguraceCteni(const std::wstring& koren);
    ~KonfiguraceCteni();
    KonfiguraceCteni(const KonfiguraceCteni&) = delete;
    KonfiguraceCteni& operator=(const KonfiguraceCteni&) = delete;
    KlicKonfigurace& Klic() { return *m_klic; }

private:
    std::unique_ptr<KlicKonfigurace> m_klic;
};

class KonfiguraceZapis {
public:
    KonfiguraceZapis();
    explicit KonfiguraceZapis(const std::wstring& koren);
    ~KonfiguraceZapis();
    KonfiguraceZapis(const KonfiguraceZapis&) = delete;
    KonfiguraceZapis& operator=(const KonfiguraceZapis&) = delete;
    KlicKonfigurace& Klic() { return *m_klic; }

private:
    std::unique_ptr<KlicKonfigurace> m_klic;
};

int NacistPismo(LOGFONTW& pismo, KonfiguraceCteni& cteni);
void UlozitPismo(const LOGFONTW& pismo, KonfiguraceZapis& zapis);

// The LOGFONT of the stock DEFAULT_GUI_FONT: the default font of the clock, notes and stopwatch.
LOGFONTW VychoziPismo();

// One load of a settings object, walked section by section. A section that cannot be opened
// is quiet (first run); a value that cannot be read is remembered and the others still load.
// The owner reports the first error once, when the walk is over.
class CteniNastaveni {
public:
    CteniNastaveni();
    explicit CteniNastaveni(const std::wstring& koren);

    // false when the section cannot be opened; with vytvorit it is created when missing, and a
    // failure to create it is an error.
    bool Sekce(const std::wstring& nazev, bool vytvorit = false);
    void ZavritSekci();
    void operator()(const wchar_t* nazev, DWORD& hodnota);
    void operator()(const wchar_t* nazev, int& hodnota);  // signed values travel as their bit pattern
    void operator()(const wchar_t* nazev, bool& hodnota);
    void operator()(const wchar_t* nazev, SdilenyText& hodnota);
    // The font is one unit: a font value of the wrong kind leaves the whole font as it was.
    void Pismo(LOGFONTW& pismo);
    // A further step of the load (a list stored beside the values); its error is remembered too.
    template <class F>
    void Krok(F&& krok) {
        try {
            krok();
        } catch (const knihovna::Chyba& chyba) {
            Zapamatovat(chyba);
        }
    }

    bool Selhalo() const { return m_chyba.has_value(); }
    const knihovna::Chyba& PrvniChyba() const { return *m_chyba; }
    KlicKonfigurace& Klic() { return m_cteni.Klic(); }

private:
    void Zapamatovat(const knihovna::Chyba& chyba);

    KonfiguraceCteni m_cteni;
    bool m_sekceOtevrena = false;
    std::wstring m_nazevSekce;
    std::optional<knihovna::Chyba> m_chyba;
};

// Seam for tests: told of every number a load reads from an open section (the section's name
// and the value's), stored or not. Null in the program.
extern void (*zaznamenatCteniCisla)(const std::wstring& sekce, const wchar_t* nazev);

// One save, walked the same way; every failure raises.
class ZapisNastaveni {
public:
    ZapisNastaveni();
    explicit ZapisNastaveni(const std::wstring& koren);

    bool Sekce(const std::wstring& nazev, bool vytvorit = true);
    void ZavritSekci();
    void operator()(const wchar_t* nazev, const DWORD& hodnota);
    void operator()(const wchar_t* nazev, const int& hodnota);
    void operator()(const wchar_t* nazev, const bool& hodnota);
    void operator()(const wchar_t* nazev, const SdilenyText& hodnota);
    void Pismo(const LOGFONTW& pismo);
    KlicKonfigurace& Klic() { return m_zapis.Klic(); }

private:
    KonfiguraceZapis m_zapis;
};

// Shows a failed load or save: the message (a string-table format with one %s for the name;
// 0 = no message text) and the error's text, through the application's error box. When the
// message is missing from the string table the program ends with the fatal error.
void HlasitChybuNastaveni(UINT idZpravy, const std::wstring& nazev, const knihovna::Chyba& chyba);
// The same with the name taken from the string table.
void HlasitChybuNastaveniId(UINT idZpravy, UINT idNazvu, const knihovna::Chyba& chyba);
// How many failed loads and saves have been shown so far: the settings window tells by it
// whether its Apply stored everything.
unsigned PocetHlasenychChybNastaveni();

// Creates one folder level when PathFileExistsW says it is missing; a failure raises.
void VytvoritSlozkuKdyzChybi(const std::wstring& slozka);
// The same for a tool's own folder at start-up: a folder that cannot be made is reported when
// the tool needs it, so start-up goes on; true when the folder is there.
bool ZkusitVytvoritSlozku(const std::wstring& slozka);
