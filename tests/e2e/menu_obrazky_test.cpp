// The tray menus drawn with the program's own look: real pictures beside the commands, the
// check mark a tick. A screenshot is kept for people to look at.
#include <gtest/gtest.h>

#include <cstdio>

#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "podpora/snimek.h"

using namespace testy;

namespace {

HWND ViditelneMenu(DWORD pid) {
    HWND menu = NajitOknoProcesu(pid, L"#32768");
    return menu && ::IsWindowVisible(menu) ? menu : nullptr;
}

}  // namespace

TEST(MenuObrazky, HlavniAObrazovkaSeSnimkem) {
    VycistitStavKolvexu();
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(L"QKolvexHlavniOkno");
    ASSERT_NE(hlavni, nullptr);
    HWND obrazovka = kolvex.CekatNaOkno(L"QKolvexObrazovka");
    ASSERT_NE(obrazovka, nullptr);

    struct {
        HWND okno;
        UINT zprava;
        WPARAM w;
        const wchar_t* soubor;
    } menu[] = {
        {hlavni, WM_COMMAND, 40019, L"menu_hlavni"},
        {obrazovka, WM_APP + 7, 1, L"menu_obrazovka"},
    };
    for (const auto& m : menu) {
        ::SetCursorPos(200, 150);
        ::PostMessageW(m.okno, m.zprava, m.w, 0);
        HWND otevrene = nullptr;
        ASSERT_TRUE(CekatNa([&] { return (otevrene = ViditelneMenu(kolvex.Pid())) != nullptr; }));
        // the menu loop paints the items, and Wine copies them to the screen a moment later
        Snimek snimek;
        CekatNa([&] {
            snimek = UlozitSnimekOkna(otevrene, m.soubor);
            return snimek.pocetBarev > 40 && snimek.tmavychBodu > 500;
        });
        ASSERT_FALSE(snimek.soubor.empty());
        std::printf("Snímek nabídky: %ls\n", snimek.soubor.c_str());
        EXPECT_GT(snimek.pocetBarev, 40) << "pictures, not plain tiles";
        EXPECT_GT(snimek.tmavychBodu, 500) << "no text drawn";
        StisknoutKlavesy({VK_ESCAPE});
        ASSERT_TRUE(CekatNa([&] { return ViditelneMenu(kolvex.Pid()) == nullptr && !VRezimuMenu(m.okno); }));
    }
    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
}
