// Kolvex's life cycle seen from outside: start, single instance, close.
#include <gtest/gtest.h>

#include "podpora/pomocnik.h"
#include "podpora/ridic.h"

using namespace testy;

namespace {
const wchar_t* const TRIDA_HLAVNIHO_OKNA = L"QKolvexHlavniOkno";
}

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
