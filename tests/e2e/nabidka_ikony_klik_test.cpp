// The tray menu driven with the mouse as a user does: a command chosen in a submenu opens its
// dialog, and the next click in that dialog reaches the dialog (it does not open the tray menu
// again). Real clicks (SendInput) on the notification-area icon, the menu items and the button.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "podpora/pomocnik.h"
#include "podpora/ridic.h"

using namespace testy;

namespace {

HWND ViditelneMenu(DWORD pid) {
    HWND menu = NajitOknoProcesu(pid, L"#32768");
    return menu && ::IsWindowVisible(menu) ? menu : nullptr;
}

HWND NajitDialog(DWORD pid, const std::wstring& titulek) {
    for (HWND h = ::FindWindowExW(nullptr, nullptr, L"#32770", nullptr); h; h = ::FindWindowExW(nullptr, h, L"#32770", nullptr)) {
        DWORD p = 0;
        ::GetWindowThreadProcessId(h, &p);
        if (p == pid && ::IsWindowVisible(h) && TextOkna(h) == titulek) return h;
    }
    return nullptr;
}

POINT StredOkna(HWND okno) {
    RECT r{};
    ::GetWindowRect(okno, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace

// Open fault, reproduced here under Wine (x86_64): the first click in the dialog opens the tray menu
// again and the button stays unpressed. Enable once the cause is mended.
TEST(NabidkaIkony, DISABLED_PolozkaPodnabidkyOtevreDialogAKlikJdeDoNej) {
    VycistitStavKolvexu();
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(L"QKolvexHlavniOkno");
    ASSERT_NE(hlavni, nullptr);
    POINT ikona{};
    ASSERT_TRUE(CekatNa([&] { return NajitIkonuKolvexu(ikona); }, 10000)) << "no Kolvex icon in the notification area";

    // a left click on the icon opens the tray menu
    HWND menu = nullptr;
    for (int pokus = 0; pokus < 3 && !menu; ++pokus) {
        KliknoutLevym(ikona);
        CekatNa([&] { return (menu = ViditelneMenu(kolvex.Pid())) != nullptr; }, 3000);
    }
    ASSERT_NE(menu, nullptr) << "a click on the icon opened no menu";
    // "Rozšíření Průzkumníka" (the submenu of two rows) is opened from the keyboard; "Obrázky",
    // its first row, is chosen with the mouse
    HWND podnabidka = OtevritPodnabidku(hlavni, menu, 2);
    ASSERT_NE(podnabidka, nullptr) << "no submenu of the Explorer extensions";
    KliknoutLevym(StredRadkuMenu(podnabidka, 0));
    HWND dialog = nullptr;
    const std::wstring titulek = L"Kolvex - Rozšíření průzkumníka \"Obrázky\"";
    ASSERT_TRUE(CekatNa([&] { return (dialog = NajitDialog(kolvex.Pid(), titulek)) != nullptr; }, 10000));
    EXPECT_TRUE(CekatNa([&] { return ViditelneMenu(kolvex.Pid()) == nullptr; })) << "the menu stayed open";
    HWND tlacitko = ::GetDlgItem(dialog, 1095);
    ASSERT_NE(tlacitko, nullptr);
    ASSERT_EQ(TextOkna(tlacitko), L"Zaregistrovat");

    // the first click in the dialog presses its button and opens no menu
    KliknoutLevym(StredOkna(tlacitko));
    EXPECT_TRUE(CekatNa([&] { return TextOkna(tlacitko) == L"Odregistrovat"; }, 10000)) << "the click did not press the button";
    EXPECT_EQ(ViditelneMenu(kolvex.Pid()), nullptr) << "the click in the dialog opened the tray menu";
    if (HWND znovu = ViditelneMenu(kolvex.Pid())) {
        StisknoutKlavesy({VK_ESCAPE});
        CekatNa([&] { return !::IsWindowVisible(znovu); });
    }
    // and the next one takes the registration back
    KliknoutLevym(StredOkna(tlacitko));
    EXPECT_TRUE(CekatNa([&] { return TextOkna(tlacitko) == L"Zaregistrovat"; }, 10000));
    EXPECT_EQ(ViditelneMenu(kolvex.Pid()), nullptr);
    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(CekatNa([&] { return !::IsWindow(dialog); }));
    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
}
