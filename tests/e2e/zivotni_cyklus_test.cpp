// Kolvex's life cycle seen from outside: start, single instance, close.
#include <gtest/gtest.h>

#include "podpora/pomocnik.h"
#include "podpora/ridic.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace testy;

namespace {
const wchar_t* const TRIDA_HLAVNIHO_OKNA = L"QKolvexHlavniOkno";

// Test plug-ins copied into Kolvex's plug-in folders for one test, removed afterwards.
class ZasuvneModulyProgramu {
public:
    // dll: file of bin\pomocne\rozsireni; slozka: "Rozsireni" or "RozsireniPoSpusteni".
    void Pridat(const std::wstring& dll, const std::wstring& slozka) {
        const std::wstring cil = SlozkaTestu() + L"\\" + slozka;
        ::CreateDirectoryW(cil.c_str(), nullptr);
        m_soubory.push_back(cil + L"\\" + dll);
        ::CopyFileW((SlozkaTestu() + L"\\pomocne\\rozsireni\\" + dll).c_str(), m_soubory.back().c_str(), FALSE);
    }
    ~ZasuvneModulyProgramu() {
        for (const std::wstring& soubor : m_soubory) ::DeleteFileW(soubor.c_str());
    }

private:
    std::vector<std::wstring> m_soubory;
};
}  // namespace

class ZivotniCyklus : public ::testing::Test {
protected:
    void SetUp() override { VycistitStavKolvexu(); }
};

TEST_F(ZivotniCyklus, PrvniStartVytvoriSlozkyAZavreniKonciNulou) {
    Program kolvex;
    ASSERT_TRUE(kolvex.Bezi());
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr) << "the message-only main window did not appear";
    EXPECT_EQ(::GetParent(hlavni), nullptr);
    EXPECT_FALSE(::IsWindowVisible(hlavni));

    const std::wstring data = SlozkaDokumentu() + L"\\Kolvex 5";
    EXPECT_TRUE(ExistujeSoubor(data));
    EXPECT_TRUE(ExistujeSoubor(data + L"\\Temp"));
    EXPECT_EQ(TextOkna(hlavni), L"Kolvex");

    ::PostMessageW(hlavni, WM_CLOSE, 0, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
}

TEST_F(ZivotniCyklus, DruheSpusteniOhlasiBeziciInstanciAKonciJednickou) {
    Program prvni;
    HWND hlavni = prvni.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);

    Program druhy;
    HWND box = druhy.CekatNaZpravu();
    ASSERT_NE(box, nullptr) << "the second instance showed no message";
    EXPECT_EQ(TextZpravy(box), L"Tato aplikace je již spuštěna.");
    EXPECT_EQ(TextOkna(box), L"Kolvex");
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(druhy.CekatNaKonec(), 1u);

    // the first one was not disturbed
    EXPECT_TRUE(prvni.Bezi());
    EXPECT_TRUE(::IsWindow(hlavni));
    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);  // "Konec"
    EXPECT_EQ(prvni.CekatNaKonec(), 0u);
}

TEST_F(ZivotniCyklus, NezastavenyZasuvnyModulJeJmenovanAOstatniSeZastaviAProgramSkonci) {
    // the stubborn plug-in ignores WM_CLOSE until this event is set
    HANDLE pustit = ::CreateEventW(nullptr, TRUE, FALSE, L"KolvexTestPustitRozsireni");
    ::ResetEvent(pustit);
    ZasuvneModulyProgramu moduly;
    moduly.Pridat(L"tvrdohlave.dll", L"Rozsireni");  // first in the list: command 55000
    moduly.Pridat(L"prvni.dll", L"RozsireniPoSpusteni");
    {
        Program kolvex;
        HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
        ASSERT_NE(hlavni, nullptr);
        ASSERT_NE(kolvex.CekatNaOkno(L"QTestRozsireni_prvni"), nullptr) << "the start-up plug-in did not start";
        ::PostMessageW(hlavni, WM_COMMAND, 55000, 0);
        ASSERT_NE(kolvex.CekatNaOkno(L"QTestRozsireni_tvrdohlave"), nullptr);

        ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);  // "Konec"
        HWND box = kolvex.CekatNaZpravu(20000);
        ASSERT_NE(box, nullptr) << "the plug-in that did not stop was not reported";
        EXPECT_EQ(TextZpravy(box), L"Došlo k chybě při ukončování prováděcího toku modulu \"Tvrdohlavé rozšíření\"!");
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(CekatNa([&] { return !::IsWindow(box); }));
        // the other plug-in is stopped all the same, and the program ends without a second box
        EXPECT_TRUE(CekatNa([&] { return NajitOknoProcesu(kolvex.Pid(), L"QTestRozsireni_prvni") == nullptr; }))
            << "the next plug-in was not stopped";
        HWND druhy = kolvex.CekatNaZpravu(3000);
        EXPECT_EQ(druhy, nullptr) << TextZpravy(druhy);
        if (druhy) ::PostMessageW(druhy, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(kolvex.CekatNaKonec(10000), 0u) << "the shutdown did not finish";
    }
    ::SetEvent(pustit);
    ::CloseHandle(pustit);
}

// Two plug-ins that ignore WM_CLOSE are waited for side by side: both reports come after one
// plug-in time-out (10 s), not one after the other.
TEST_F(ZivotniCyklus, DvaNezastaveneZasuvneModulyStojiJedenCasovyLimit) {
    HANDLE pustit = ::CreateEventW(nullptr, TRUE, FALSE, L"KolvexTestPustitRozsireni");
    ::ResetEvent(pustit);
    ZasuvneModulyProgramu moduly;
    moduly.Pridat(L"tvrdohlave.dll", L"Rozsireni");
    moduly.Pridat(L"tvrdohlave2.dll", L"Rozsireni");
    {
        Program kolvex;
        HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
        ASSERT_NE(hlavni, nullptr);
        ::PostMessageW(hlavni, WM_COMMAND, 55000, 0);
        ::PostMessageW(hlavni, WM_COMMAND, 55001, 0);
        ASSERT_NE(kolvex.CekatNaOkno(L"QTestRozsireni_tvrdohlave"), nullptr);
        ASSERT_NE(kolvex.CekatNaOkno(L"QTestRozsireni_tvrdohlave2"), nullptr);

        const DWORD zacatek = ::GetTickCount();
        ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);  // "Konec"
        std::vector<std::wstring> zpravy;
        for (int i = 0; i < 2; ++i) {
            HWND box = kolvex.CekatNaZpravu(25000);
            ASSERT_NE(box, nullptr) << "report " << i + 1 << " missing";
            zpravy.push_back(TextZpravy(box));
            ::PostMessageW(box, WM_COMMAND, IDOK, 0);
            EXPECT_TRUE(CekatNa([&] { return !::IsWindow(box); }));
        }
        const DWORD trvani = ::GetTickCount() - zacatek;
        EXPECT_LT(trvani, 15000u) << "the plug-ins were waited for one after the other";
        std::sort(zpravy.begin(), zpravy.end());
        EXPECT_EQ(zpravy, (std::vector<std::wstring>{
                              L"Došlo k chybě při ukončování prováděcího toku modulu \"Druhé tvrdohlavé rozšíření\"!",
                              L"Došlo k chybě při ukončování prováděcího toku modulu \"Tvrdohlavé rozšíření\"!"}));
        EXPECT_EQ(kolvex.CekatNaKonec(10000), 0u) << "the shutdown did not finish";
    }
    ::SetEvent(pustit);
    ::CloseHandle(pustit);
}

TEST_F(ZivotniCyklus, KonecBehemVyberuOknaSkonciBezZpravy) {
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);
    HWND obrazovka = kolvex.CekatNaOkno(L"QKolvexObrazovka");
    ASSERT_NE(obrazovka, nullptr);
    ::PostMessageW(obrazovka, WM_COMMAND, 40114, 0);  // capture of a window: the window picker opens
    ASSERT_NE(kolvex.CekatNaOkno(L"QVyberOkna"), nullptr) << "the window picker did not open";

    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);  // "Konec" while the pick is under way
    HWND box = kolvex.CekatNaZpravu(7000);
    EXPECT_EQ(box, nullptr) << TextZpravy(box);
    if (box) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(10000), 0u);
}
