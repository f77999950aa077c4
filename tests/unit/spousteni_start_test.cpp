// Starting a launcher entry: the stand-in program started with its quoted path and its own
// folder, the count stored; a missing file and an already running single-instance program told
// by balloons; the rights level through the Safer seam (level, token, closes, failures); and the
// real reduced-rights call, whose failure under Wine is reported, never a silent start.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "launcher/seznamaplikaci.h"
#include "launcher/spusteniaplikace.h"
#include "core/ikonatray.h"
#include "knihovna/chyba.h"
#include "knihovna/modul.h"
#include "knihovna/text.h"
#include "podpora/pomocnik.h"

namespace {

std::string Utf8(const std::wstring& text) { return knihovna::NaUzky(text, CP_UTF8); }

const std::wstring KOREN = L"Software\\Brenvald\\TestSpousteni\\5.0";

struct Bublina {
    std::wstring text;
    DWORD druh;
};
std::vector<Bublina>* bubliny = nullptr;
void ZaznamenatBublinu(const std::wstring& text, DWORD druh) {
    if (bubliny) bubliny->push_back({text, druh});
}

bool JeWine() {
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The stand-in copied into a folder whose name has Czech letters and a space.
struct ProgramVeSlozce {
    testy::DocasnaSlozka docasna;
    std::wstring slozka;
    std::wstring cesta;
    ProgramVeSlozce(const wchar_t* zdroj, const wchar_t* jmeno) {
        slozka = docasna.Cesta() + L"\\Složka s mezerou";
        ::CreateDirectoryW(slozka.c_str(), nullptr);
        cesta = slozka + L"\\" + jmeno;
        ::CopyFileW((testy::SlozkaTestu() + zdroj).c_str(), cesta.c_str(), FALSE);
    }
    std::wstring Zaznam() const { return slozka + L"\\zaznam_spusteni.txt"; }
};

std::wstring PrecistZaznam(const std::wstring& soubor) {
    std::vector<BYTE> bajty = testy::PrecistBajty(soubor);
    return std::wstring(reinterpret_cast<const wchar_t*>(bajty.data()), bajty.size() / sizeof(wchar_t));
}

class SpusteniAplikace : public ::testing::Test {
protected:
    void SetUp() override {
        testy::SmazatKlic(KOREN);
        puvodniSeznam = std::move(seznamAplikaci);
        seznamAplikaci = std::make_unique<SeznamAplikaci>(KOREN);
        puvodniFunkce = funkceSpousteni;
        funkceSpousteni.zobrazitBublinu = ZaznamenatBublinu;
        bubliny = &zaznamy;
    }
    void TearDown() override {
        funkceSpousteni = puvodniFunkce;
        bubliny = nullptr;
        seznamAplikaci = std::move(puvodniSeznam);
        testy::SmazatKlic(KOREN);
    }
    std::unique_ptr<SeznamAplikaci> puvodniSeznam;
    FunkceSpousteni puvodniFunkce;
    std::vector<Bublina> zaznamy;
};

}  // namespace

TEST(SpusteniAplikacePrikaz, UvozovkyASlozkaProgramu) {
    EXPECT_EQ(PrikazovyRadekAplikace(L"C:\\Program Files\\Účty\\účty.exe"), L"\"C:\\Program Files\\Účty\\účty.exe\"");
    EXPECT_EQ(SlozkaAplikace(L"C:\\Program Files\\Účty\\účty.exe"), L"C:\\Program Files\\Účty");
    EXPECT_EQ(SlozkaAplikace(L"C:\\hra.exe"), L"C:\\");
    EXPECT_EQ(SlozkaAplikace(L"hra.exe"), L"");
}

TEST_F(SpusteniAplikace, ProgramDostaneCestuVUvozovkachASvouSlozkuPocetSeUlozi) {
    ProgramVeSlozce program(L"\\pomocne\\spousteni\\Spousteny.exe", L"Spouštěný program.exe");
    ASSERT_TRUE(testy::ExistujeSoubor(program.cesta));
    size_t i = seznamAplikaci->Pridat(L"Zkušební program", program.cesta, UROVEN_PLNY_PRISTUP);

    EXPECT_EQ(SpustitAplikaciSeznamu(i), 0);
    ASSERT_TRUE(testy::CekatNa([&] { return !PrecistZaznam(program.Zaznam()).empty(); }, 10000))
        << "the stand-in did not run in its own folder";
    const std::wstring zaznam = PrecistZaznam(program.Zaznam());
    const std::wstring ocekavany = L"\"" + program.cesta + L"\"\n" + program.slozka + L"\n";
    EXPECT_EQ(zaznam, ocekavany) << Utf8(zaznam);
    EXPECT_TRUE(zaznamy.empty());
    EXPECT_EQ(seznamAplikaci->Polozka(i).pocetSpusteni, 1);

    seznamAplikaci->Ulozit();
    DWORD pocet = 0;
    ASSERT_TRUE(testy::PrecistDword(seznamAplikaci->CestaKlice() + L"\\Zkušební program", L"pocetSpusteni", pocet));
    EXPECT_EQ(pocet, 1u);
}

TEST_F(SpusteniAplikace, ChybejiciSouborOznamiBublinaPocetZustane) {
    testy::DocasnaSlozka slozka;
    const std::wstring cesta = slozka.Cesta() + L"\\smazaný.exe";
    size_t i = seznamAplikaci->Pridat(L"Smazaná hra", cesta, UROVEN_PLNY_PRISTUP);
    seznamAplikaci->Polozka(i).pocetSpusteni = 4;
    size_t prazdna = seznamAplikaci->Pridat(L"Bez cesty", L"", UROVEN_PLNY_PRISTUP);

    EXPECT_EQ(SpustitAplikaciSeznamu(i), 1);
    ASSERT_EQ(zaznamy.size(), 1u);
    EXPECT_EQ(zaznamy[0].druh, static_cast<DWORD>(BUBLINA_CHYBA));
    EXPECT_EQ(zaznamy[0].text, L"Aplikaci \"Smazaná hra\" není nastavena platná cesta k souboru.\n\nCesta: " + cesta + L".");
    EXPECT_EQ(seznamAplikaci->Polozka(i).pocetSpusteni, 4);

    EXPECT_EQ(SpustitAplikaciSeznamu(prazdna), 1);
    EXPECT_EQ(zaznamy.size(), 2u);
    EXPECT_THROW(SpustitAplikaciSeznamu(7), knihovna::Chyba);
}

TEST_F(SpusteniAplikace, JizBeziciProgramSeZakazemViceInstanciOznamiVarovani) {
    ProgramVeSlozce program(L"\\pomocne\\varnel\\Varnel.exe", L"Běžící.exe");
    ASSERT_TRUE(testy::ExistujeSoubor(program.cesta));
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::wstring prikaz = L"\"" + program.cesta + L"\"";
    ASSERT_TRUE(::CreateProcessW(program.cesta.c_str(), &prikaz[0], nullptr, nullptr, FALSE, 0, nullptr,
                                 program.slozka.c_str(), &si, &pi));
    ::WaitForInputIdle(pi.hProcess, 5000);
    struct Ukoncit {
        PROCESS_INFORMATION& pi;
        ~Ukoncit() {
            ::TerminateProcess(pi.hProcess, 0);
            ::WaitForSingleObject(pi.hProcess, 5000);
            ::CloseHandle(pi.hProcess);
            ::CloseHandle(pi.hThread);
        }
    } ukoncit{pi};

    size_t i = seznamAplikaci->Pridat(L"Jen jednou", program.cesta, UROVEN_PLNY_PRISTUP);
    seznamAplikaci->Polozka(i).jednaInstance = true;
    // the process list sees the running program by its exact path
    SeznamSpustenychProcesu procesy;
    ASSERT_TRUE(testy::CekatNa([&] { return procesy.Nacist() == 0 && procesy.NajitPodleCesty(program.cesta); }));

    EXPECT_EQ(SpustitAplikaciSeznamu(i), 0);
    ASSERT_EQ(zaznamy.size(), 1u);
    EXPECT_EQ(zaznamy[0].druh, static_cast<DWORD>(BUBLINA_VAROVANI));
    EXPECT_EQ(zaznamy[0].text, L"Aplikace Jen jednou je již spuštěna a má nastaven zákaz spuštění více instancí.\n\n"
                               L"Cesta: " + program.cesta + L"\nNazev: Běžící.exe");
    EXPECT_EQ(seznamAplikaci->Polozka(i).pocetSpusteni, 0);
    // the same program under a path that differs in letter case does not count as running
    std::wstring jinak = program.cesta;
    ::CharUpperW(&jinak[0]);
    EXPECT_EQ(procesy.NajitPodleCesty(jinak), nullptr);
}

TEST_F(SpusteniAplikace, CestaLisiciSeVelikostiPismenNeniTentyzProgram) {
    SeznamSpustenychProcesu procesy;
    procesy.procesy.push_back({L"hra.exe", L"C:\\Hry\\hra.exe", L"hra.exe"});
    EXPECT_NE(procesy.NajitPodleCesty(L"C:\\Hry\\hra.exe"), nullptr);
    EXPECT_EQ(procesy.NajitPodleCesty(L"C:\\HRY\\hra.exe"), nullptr);
    EXPECT_EQ(procesy.NajitPodleCesty(L"C:\\Hry\\hra"), nullptr);
}

// ---------------------------------------------------------------------------------------------
// The rights level through the seam

namespace {

struct Volani {
    std::vector<DWORD> urovne;            // level ids asked for
    std::vector<DWORD> rozsahy;           // their scopes
    std::vector<HANDLE> tokenyProcesu;    // tokens handed to CreateProcessAsUserW
    std::vector<std::wstring> aplikace;   // application names
    std::vector<std::wstring> prikazy;    // command lines
    std::vector<std::wstring> slozky;     // current folders
    std::vector<DWORD> priznaky;          // creation flags
    std::vector<HANDLE> zavrene;          // closed handles
    int zavreneUrovne = 0;
    int primoVytvoreno = 0;
    bool urovenSelze = false;
    bool tokenSelze = false;
    bool procesSelze = false;
};
Volani* volani = nullptr;

const auto URoven = reinterpret_cast<SAFER_LEVEL_HANDLE>(static_cast<uintptr_t>(0x7100));
const auto Token = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(0x7200));
const auto Proces = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(0x7300));
const auto Vlakno = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(0x7400));

BOOL WINAPI FalesnaUroven(DWORD rozsah, DWORD uroven, DWORD, SAFER_LEVEL_HANDLE* vysledek, LPVOID) {
    volani->rozsahy.push_back(rozsah);
    volani->urovne.push_back(uroven);
    if (volani->urovenSelze) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *vysledek = URoven;
    return TRUE;
}
BOOL WINAPI FalesnyToken(SAFER_LEVEL_HANDLE uroven, HANDLE vstup, PHANDLE vysledek, DWORD, LPVOID) {
    EXPECT_EQ(uroven, URoven);
    EXPECT_EQ(vstup, nullptr) << "the token is computed for the caller's own";
    if (volani->tokenSelze) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    *vysledek = Token;
    return TRUE;
}
BOOL WINAPI FalesneZavreniUrovne(SAFER_LEVEL_HANDLE uroven) {
    EXPECT_EQ(uroven, URoven);
    ++volani->zavreneUrovne;
    return TRUE;
}
BOOL WINAPI FalesnyProcesJako(HANDLE token, LPCWSTR aplikace, LPWSTR prikaz, LPSECURITY_ATTRIBUTES,
                              LPSECURITY_ATTRIBUTES, BOOL dedit, DWORD priznaky, LPVOID, LPCWSTR slozka,
                              LPSTARTUPINFOW start, LPPROCESS_INFORMATION pi) {
    EXPECT_FALSE(dedit);
    EXPECT_EQ(start->cb, sizeof(STARTUPINFOW));
    volani->tokenyProcesu.push_back(token);
    volani->aplikace.push_back(aplikace);
    volani->prikazy.push_back(prikaz);
    volani->slozky.push_back(slozka ? slozka : L"");
    volani->priznaky.push_back(priznaky);
    if (volani->procesSelze) {
        ::SetLastError(ERROR_PRIVILEGE_NOT_HELD);
        return FALSE;
    }
    pi->hProcess = Proces;
    pi->hThread = Vlakno;
    return TRUE;
}
BOOL WINAPI FalesnyProces(LPCWSTR aplikace, LPWSTR prikaz, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL,
                          DWORD priznaky, LPVOID, LPCWSTR slozka, LPSTARTUPINFOW, LPPROCESS_INFORMATION pi) {
    ++volani->primoVytvoreno;
    volani->aplikace.push_back(aplikace);
    volani->prikazy.push_back(prikaz);
    volani->slozky.push_back(slozka ? slozka : L"");
    volani->priznaky.push_back(priznaky);
    pi->hProcess = Proces;
    pi->hThread = Vlakno;
    return TRUE;
}
BOOL WINAPI FalesneZavreni(HANDLE h) {
    volani->zavrene.push_back(h);
    return TRUE;
}

class SpusteniSUrovni : public SpusteniAplikace {
protected:
    void SetUp() override {
        SpusteniAplikace::SetUp();
        volani = &v;
        funkceSpousteni.vytvoritUroven = FalesnaUroven;
        funkceSpousteni.vypocitatToken = FalesnyToken;
        funkceSpousteni.zavritUroven = FalesneZavreniUrovne;
        funkceSpousteni.vytvoritProcesJako = FalesnyProcesJako;
        funkceSpousteni.vytvoritProces = FalesnyProces;
        funkceSpousteni.zavritHandle = FalesneZavreni;
        ::GetModuleFileNameW(nullptr, program, MAX_PATH);  // a file that exists
    }
    void TearDown() override {
        volani = nullptr;
        SpusteniAplikace::TearDown();
    }
    Volani v;
    wchar_t program[MAX_PATH] = L"";
};

}  // namespace

TEST_F(SpusteniSUrovni, UrovenTokenASlozkaProchaziSeamem) {
    const std::wstring slozka = SlozkaAplikace(program);
    for (DWORD uroven : {UROVEN_BEZNY_UZIVATEL, UROVEN_OMEZENY_PRISTUP, UROVEN_NEDUVERYHODNY}) {
        SCOPED_TRACE(uroven);
        v = Volani{};
        seznamAplikaci->Vyprazdnit();
        size_t i = seznamAplikaci->Pridat(L"Omezená", program, uroven);
        EXPECT_EQ(SpustitSUrovni(i), S_OK);
        ASSERT_EQ(v.urovne.size(), 1u);
        EXPECT_EQ(v.urovne[0], uroven);
        EXPECT_EQ(v.rozsahy[0], static_cast<DWORD>(SAFER_SCOPEID_USER));
        ASSERT_EQ(v.tokenyProcesu.size(), 1u);
        EXPECT_EQ(v.tokenyProcesu[0], Token) << "the process gets the computed token";
        EXPECT_EQ(v.aplikace[0], program);
        EXPECT_EQ(v.prikazy[0], L"\"" + std::wstring(program) + L"\"");
        EXPECT_EQ(v.slozky[0], slozka);
        EXPECT_EQ(v.priznaky[0], static_cast<DWORD>(CREATE_NEW_CONSOLE));
        EXPECT_EQ(v.primoVytvoreno, 0);
        EXPECT_EQ(v.zavreneUrovne, 1);
        EXPECT_EQ(v.zavrene, (std::vector<HANDLE>{Token, Vlakno, Proces}));
        EXPECT_EQ(seznamAplikaci->Polozka(i).pocetSpusteni, 1);
        EXPECT_TRUE(zaznamy.empty());
    }

    // the fully trusted level is the caller's own token: no Safer call
    v = Volani{};
    size_t plny = seznamAplikaci->Pridat(L"Plná", program, UROVEN_PLNY_PRISTUP);
    EXPECT_EQ(SpustitSUrovni(plny), S_OK);
    EXPECT_TRUE(v.urovne.empty());
    EXPECT_EQ(v.primoVytvoreno, 1);
    EXPECT_EQ(v.slozky[0], slozka);
    EXPECT_EQ(v.zavrene, (std::vector<HANDLE>{Vlakno, Proces}));
    EXPECT_EQ(seznamAplikaci->Polozka(plny).pocetSpusteni, 1);
}

TEST_F(SpusteniSUrovni, BezTokenuChybovaBublinaNicNespusteno) {
    v.tokenSelze = true;
    size_t i = seznamAplikaci->Pridat(L"Nedůvěryhodná hra", program, UROVEN_NEDUVERYHODNY);
    EXPECT_EQ(SpustitSUrovni(i), E_FAIL);
    EXPECT_TRUE(v.tokenyProcesu.empty()) << "nothing may start without the level's token";
    EXPECT_EQ(v.zavreneUrovne, 1);
    EXPECT_EQ(seznamAplikaci->Polozka(i).pocetSpusteni, 0);
    ASSERT_EQ(zaznamy.size(), 1u);
    EXPECT_EQ(zaznamy[0].druh, static_cast<DWORD>(BUBLINA_CHYBA));
    EXPECT_NE(zaznamy[0].text.find(L"Nedůvěryhodná hra"), std::wstring::npos) << Utf8(zaznamy[0].text);
    EXPECT_NE(zaznamy[0].text.find(L"\"Nedůvěryhodný\""), std::wstring::npos) << Utf8(zaznamy[0].text);
}

TEST_F(SpusteniSUrovni, BezUrovneChybovaBublinaNeukonciSpousteni) {
    v.urovenSelze = true;
    size_t i = seznamAplikaci->Pridat(L"Bez úrovně", program, 0);
    EXPECT_EQ(SpustitSUrovni(i), E_FAIL);
    EXPECT_TRUE(v.tokenyProcesu.empty());
    EXPECT_EQ(v.zavreneUrovne, 0) << "no level was made, none is closed";
    ASSERT_EQ(zaznamy.size(), 1u);
    EXPECT_EQ(zaznamy[0].druh, static_cast<DWORD>(BUBLINA_CHYBA));
    EXPECT_NE(zaznamy[0].text.find(L"\"0x0\""), std::wstring::npos) << Utf8(zaznamy[0].text);
}

TEST_F(SpusteniSUrovni, SelhaniProcesuChybovaBublinaSTextemChyby) {
    v.procesSelze = true;
    size_t i = seznamAplikaci->Pridat(L"Účty", program, UROVEN_BEZNY_UZIVATEL);
    EXPECT_EQ(SpustitSUrovni(i), E_FAIL);
    EXPECT_EQ(v.zavrene, (std::vector<HANDLE>{Token})) << "the token is closed, no process handles";
    EXPECT_EQ(v.zavreneUrovne, 1);
    EXPECT_EQ(seznamAplikaci->Polozka(i).pocetSpusteni, 0);
    ASSERT_EQ(zaznamy.size(), 1u);
    EXPECT_EQ(zaznamy[0].druh, static_cast<DWORD>(BUBLINA_CHYBA));
    const std::wstring systemovy = knihovna::ZiskatTextChyby(ERROR_PRIVILEGE_NOT_HELD);
    EXPECT_NE(zaznamy[0].text.find(systemovy.substr(0, 20)), std::wstring::npos) << Utf8(zaznamy[0].text);
    EXPECT_NE(zaznamy[0].text.find(program), std::wstring::npos);
}

TEST_F(SpusteniAplikace, SkutecneSniZenaPravaBudSpustiNeboOznamiChybu) {
    ProgramVeSlozce program(L"\\pomocne\\spousteni\\Spousteny.exe", L"Omezený program.exe");
    size_t i = seznamAplikaci->Pridat(L"Běžný uživatel", program.cesta, UROVEN_BEZNY_UZIVATEL);
    const HRESULT vysledek = SpustitSUrovni(i);
    if (JeWine()) {
        // Wine's Safer tokens are not real: the process cannot be created and the user is told
        EXPECT_EQ(vysledek, E_FAIL);
        ASSERT_EQ(zaznamy.size(), 1u);
        EXPECT_EQ(zaznamy[0].druh, static_cast<DWORD>(BUBLINA_CHYBA));
        EXPECT_NE(zaznamy[0].text.find(L"Běžný uživatel"), std::wstring::npos) << Utf8(zaznamy[0].text);
        ::Sleep(300);
        EXPECT_FALSE(testy::ExistujeSoubor(program.Zaznam())) << "a start without the level's rights";
        EXPECT_EQ(seznamAplikaci->Polozka(i).pocetSpusteni, 0);
    } else if (vysledek == S_OK) {
        EXPECT_TRUE(testy::CekatNa([&] { return testy::ExistujeSoubor(program.Zaznam()); }, 10000));
        EXPECT_EQ(seznamAplikaci->Polozka(i).pocetSpusteni, 1);
    } else {
        EXPECT_EQ(zaznamy.size(), 1u) << "a failure must be reported";
    }
}
