// Helpers shared by the test programs.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

namespace testy {

// Polls until the condition holds or the time runs out; pumps this thread's messages meanwhile.
bool CekatNa(const std::function<bool()>& podminka, DWORD ms = 5000);

// Message boxes shown through knihovna::oknoZpravy, recorded instead of shown.
struct ZaznamZpravy {
    HWND vlastnik;
    std::wstring text;
    std::wstring titulek;
    UINT priznaky;
};
class ZachytavacZprav {
public:
    explicit ZachytavacZprav(int odpoved = IDOK);
    ~ZachytavacZprav();
    ZachytavacZprav(const ZachytavacZprav&) = delete;
    ZachytavacZprav& operator=(const ZachytavacZprav&) = delete;

    // Answers in order; when they run out, the default answer.
    std::vector<int> odpovedi;
    std::vector<ZaznamZpravy> zpravy;

    // The recorded texts, for a failed expectation.
    friend std::ostream& operator<<(std::ostream& vystup, const ZachytavacZprav& z);

private:
    int m_vychozi;
    static int WINAPI Zobrazit(HWND, LPCWSTR, LPCWSTR, UINT);
};

// Registry of the current user.
void SmazatKlic(const std::wstring& cesta);
bool PrecistDword(const std::wstring& klic, const std::wstring& hodnota, DWORD& data);
bool ExistujeKlic(const std::wstring& klic);

// The whole of HKEY_CLASSES_ROOT as sorted lines "key|value|type|data" (and "key" for each key).
std::vector<std::wstring> CeleHkcr();
// The lines of the sorted v that the sorted oproti lacks.
std::vector<std::wstring> RadkyNavic(const std::vector<std::wstring>& v, const std::vector<std::wstring>& oproti);

// An empty folder below the temporary folder, removed with its content at the end.
class DocasnaSlozka {
public:
    DocasnaSlozka();
    ~DocasnaSlozka();
    const std::wstring& Cesta() const { return m_cesta; }

private:
    std::wstring m_cesta;
};
void SmazatStrom(const std::wstring& slozka);
bool ExistujeSoubor(const std::wstring& cesta);
// Names of the files (not folders) in a folder, sorted.
std::vector<std::wstring> SouboryVeSlozce(const std::wstring& slozka);
// The whole content of a file; empty when it cannot be read.
std::vector<BYTE> PrecistBajty(const std::wstring& cesta);

// Puts the text on the clipboard as CF_UNICODETEXT, as a program the user copied from does.
bool DoSchranky(const std::wstring& text);

// One record of a contacts file (Kontakty.qxml) and of the registrations file, as the tools write them.
std::wstring KontaktQxml(const std::wstring& nazev, const std::wstring& email);
std::wstring RegistraceQxml(const std::wstring& nazev, const std::wstring& jmeno);
// Sets a file's (or folder's) last-write time to 15 June of 2020 + rok, at noon.
bool NastavitCasZapisu(const std::wstring& cesta, int rok);

// Folder of the running test program (Kolvex.exe lies beside it).
std::wstring SlozkaTestu();

// Which of the test script's parallel runs this program belongs to (KOLVEX_TESTY_DIL, 0..19; 0
// when the tests run alone). Each run has its own Wine prefix, X display, copy of the programs'
// folder, server folder and loopback ports.
int DilBehu();
// Suffix of this run's folders: "" for run 0, "-N" for run N.
std::string PriponaBehu();
// Ports between two parallel runs' test servers (tests/servery/spustit.py, scripts/test.sh).
constexpr int ROZESTUP_PORTU_BEHU = 40;
#ifdef TESTY_PORTY
// First loopback port of this run's test servers.
inline int PrvniPortServeru() { return TESTY_PORTY + ROZESTUP_PORTU_BEHU * DilBehu(); }
#endif

// Whether this run uses the Czech locale (the harness sets SUITE_NO_CZECH_LOCALE otherwise).
bool CeskeProstredi();

// A drive letter of the test prefix pointing at a folder, of the given drive type (CD-ROM by
// default), made through Wine's mount manager (which keeps HKLM\Software\Wine\Drives and the
// dosdevices link); removed again at the end.
class FiktivniJednotka {
public:
    FiktivniJednotka(wchar_t pismeno, const std::wstring& slozka, UINT typ = DRIVE_CDROM);
    ~FiktivniJednotka();
    FiktivniJednotka(const FiktivniJednotka&) = delete;
    FiktivniJednotka& operator=(const FiktivniJednotka&) = delete;
    bool Pripravena() const { return m_pripravena; }
    wchar_t Pismeno() const { return m_pismeno; }

private:
    wchar_t m_pismeno;
    bool m_pripravena = false;
};

// The stand-in media encoder (bin\pomocne\koder\falesny_koder.dll) registered under HKCR as the
// encoder class while the object lives (COM in Wine ignores HKCU\Software\Classes); a
// registration left by an earlier run is removed first and at the end.
class RegistraceKoderu {
public:
    explicit RegistraceKoderu(bool registrovat = true);
    ~RegistraceKoderu();
    RegistraceKoderu(const RegistraceKoderu&) = delete;
    RegistraceKoderu& operator=(const RegistraceKoderu&) = delete;
    bool Registrovano() const { return m_registrovano; }
    static std::wstring CestaKoderu();

private:
    bool m_registrovano = false;
};

}  // namespace testy
