// The main window from outside: hot keys pressed for real, the tray menu, the end of the program.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "podpora/pomocnik.h"
#include "podpora/ridic.h"

using namespace testy;

namespace {

const wchar_t* const TRIDA_HLAVNIHO_OKNA = L"QKolvexHlavniOkno";
const wchar_t* const KLAVESY = L"Software\\Brenvald\\Kolvex\\5.0\\Horke klavesy";

void ZapsatHorkouKlavesu(UINT prikaz, UINT modifikatory, UINT klavesa, UINT kategorie) {
    uint32_t data[4] = {modifikatory, klavesa, prikaz, kategorie};
    HKEY klic = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, KLAVESY, 0, nullptr, 0, KEY_WRITE, nullptr, &klic, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(klic, std::to_wstring(prikaz).c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(data),
                     sizeof(data));
    ::RegCloseKey(klic);
}

HWND ViditelneMenu(DWORD pid) {
    HWND menu = NajitOknoProcesu(pid, L"#32768");
    return menu && ::IsWindowVisible(menu) ? menu : nullptr;
}

// For a person to look at: KOLVEX_PAUZA_MENU=ms keeps the open menu on screen that long.
void PauzaProSnimek() {
    if (const char* pauza = std::getenv("KOLVEX_PAUZA_MENU")) ::Sleep(static_cast<DWORD>(std::atoi(pauza)));
}

class HlavniOknoZvenku : public ::testing::Test {
protected:
    void SetUp() override { VycistitStavKolvexu(); }
};

}  // namespace

TEST_F(HlavniOknoZvenku, StisknutaHorkaKlavesaOtevreMenuADalsiUkonciProgram) {
    ZapsatHorkouKlavesu(40019, MOD_CONTROL | MOD_ALT, 'K', 27);  // "Zobrazit hlavní kontextovou nabídku."
    ZapsatHorkouKlavesu(40001, MOD_CONTROL | MOD_ALT, 'Q', 27);  // "Ukončit aplikaci Kolvex"
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);

    // the hot keys are registered right after the window appears: press until the menu shows
    HWND menu = nullptr;
    for (int pokus = 0; pokus < 10 && !menu; ++pokus) {
        StisknoutKlavesy({VK_CONTROL, VK_MENU, 'K'});
        CekatNa([&] { return (menu = ViditelneMenu(kolvex.Pid())) != nullptr; }, 500);
    }
    ASSERT_NE(menu, nullptr) << "Ctrl+Alt+K did not open the tray menu";
    PauzaProSnimek();
    StisknoutKlavesy({VK_ESCAPE});
    ASSERT_TRUE(CekatNa([&] { return ViditelneMenu(kolvex.Pid()) == nullptr; }));

    StisknoutKlavesy({VK_CONTROL, VK_MENU, 'Q'});
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u) << "the hot key of \"Konec\" did not end the program";
}

TEST_F(HlavniOknoZvenku, PrvniStartZapiseHorkeKlavesyAKonecJePosledniPolozkaMenu) {
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);

    // the default rows were written: 16-byte binary values named by the command id
    BYTE data[32];
    DWORD velikost = sizeof(data), typ = 0;
    ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, KLAVESY, L"40113", RRF_RT_ANY, &typ, data, &velikost), ERROR_SUCCESS);
    EXPECT_EQ(typ, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(velikost, 16u);

    // a click on the tray icon opens the menu; the last item is "Konec"
    ::PostMessageW(hlavni, WM_APP + 9, 1, WM_RBUTTONUP);
    ASSERT_TRUE(CekatNa([&] { return ViditelneMenu(kolvex.Pid()) != nullptr; }));
    // a second click while it is open does nothing
    ::PostMessageW(hlavni, WM_APP + 9, 1, WM_LBUTTONUP);
    StisknoutKlavesy({VK_UP});
    StisknoutKlavesy({VK_RETURN});
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
}
