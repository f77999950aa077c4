// The plug-in submenu of the main tray menu from outside: a plug-in DLL without an icon of its
// own is drawn with the menu's plug-in picture beside its name.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>

#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "podpora/snimek.h"

using namespace testy;

namespace {

struct HledaniMenu {
    DWORD pid;
    std::vector<HWND> okna;
};

BOOL CALLBACK PridatMenu(HWND okno, LPARAM l) {
    auto* h = reinterpret_cast<HledaniMenu*>(l);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(okno, &pid);
    wchar_t trida[16] = L"";
    ::GetClassNameW(okno, trida, 16);
    if (pid == h->pid && wcscmp(trida, L"#32768") == 0 && ::IsWindowVisible(okno)) h->okna.push_back(okno);
    return TRUE;
}

// The visible popup menus of the process.
std::vector<HWND> ViditelnaMenu(DWORD pid) {
    HledaniMenu h{pid, {}};
    ::EnumWindows(PridatMenu, reinterpret_cast<LPARAM>(&h));
    return h.okna;
}

// Distinct colours in a strip of the screen.
int BarvyVOblasti(const RECT& r) {
    HDC obrazovka = ::GetDC(nullptr);
    std::set<COLORREF> barvy;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) barvy.insert(::GetPixel(obrazovka, x, y));
    ::ReleaseDC(nullptr, obrazovka);
    return static_cast<int>(barvy.size());
}

}  // namespace

TEST(ZasuvneModulyZvenku, PolozkaBezVlastniIkonyMaObrazekNabidky) {
    VycistitStavKolvexu();
    const std::wstring slozka = SlozkaTestu() + L"\\Rozsireni";
    ::CreateDirectoryW(slozka.c_str(), nullptr);
    ASSERT_TRUE(::CopyFileW((SlozkaTestu() + L"\\pomocne\\rozsireni\\prvni.dll").c_str(), (slozka + L"\\prvni.dll").c_str(),
                            FALSE));
    {
        Program kolvex;
        HWND hlavni = kolvex.CekatNaOkno(L"QKolvexHlavniOkno");
        ASSERT_NE(hlavni, nullptr);
        ::SetCursorPos(300, 200);
        ::PostMessageW(hlavni, WM_COMMAND, 40019, 0);
        ASSERT_TRUE(CekatNa([&] { return ViditelnaMenu(kolvex.Pid()).size() == 1; })) << "the main menu did not open";
        // The pointer goes up the menu from its bottom, row by row; the row under it opens its
        // submenu. Each position alone decides what is open (unlike keys, whose effect depends on
        // what earlier keys opened), so a slow menu loop cannot make the search skip or close one.
        const HWND menu = ViditelnaMenu(kolvex.Pid())[0];
        RECT rm;
        ::GetWindowRect(menu, &rm);
        HWND podmenu = nullptr;
        const int krok = std::max(4, ::GetSystemMetrics(SM_CYMENU) / 3);
        for (int y = rm.bottom - 4; y > rm.top + 2 && !podmenu; y -= krok) {
            PosunoutMys({rm.left + (rm.right - rm.left) / 2, y});
            // a submenu of a single item beside the row under the pointer
            CekatNa([&] {
                for (HWND m : ViditelnaMenu(kolvex.Pid())) {
                    RECT r;
                    if (m == menu || !::GetWindowRect(m, &r)) continue;
                    if (r.bottom - r.top < 3 * GetSystemMetrics(SM_CYMENU) && y >= r.top - 8 && y < r.bottom + 8)
                        podmenu = m;
                }
                return podmenu != nullptr;
            }, 250);
        }
        ASSERT_NE(podmenu, nullptr) << "no plug-in submenu";
        ::Sleep(300);  // the item painted
        Snimek snimek = UlozitSnimekOkna(podmenu, L"zasuvne_moduly_podmenu");
        std::printf("Snímek podnabídky: %ls\n", snimek.soubor.c_str());
        EXPECT_FALSE(snimek.soubor.empty());
        RECT r;
        ::GetWindowRect(podmenu, &r);
        const RECT nazev{r.left + 3 + ::GetSystemMetrics(SM_CXSMICON) + 4, r.top + 3, r.right - 3, r.bottom - 3};
        EXPECT_GT(BarvyVOblasti(nazev), 2) << "no name drawn";
        const RECT obrazek{r.left + 3, r.top + 3, r.left + 3 + ::GetSystemMetrics(SM_CXSMICON), r.bottom - 3};
        EXPECT_GT(BarvyVOblasti(obrazek), 4) << "no picture beside the plug-in's name";
        StisknoutKlavesy({VK_ESCAPE});
        StisknoutKlavesy({VK_ESCAPE});
        ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
        EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
    }
    ::DeleteFileW((slozka + L"\\prvni.dll").c_str());
    ::RemoveDirectoryW(slozka.c_str());
}
