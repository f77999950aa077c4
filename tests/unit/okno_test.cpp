// Window bases: persisted placement, the way back into the work area, placement codes,
// transparency and the common commands.
#include <gtest/gtest.h>

#include "knihovna/okno.h"
#include "podpora/pomocnik.h"

using knihovna::Okno;
using knihovna::OknoImpl;
using knihovna::OknoNormalni;

namespace {

const wchar_t* const KLIC_APLIKACE = L"Software\\Brenvald\\Kolvex\\5.0";
const wchar_t* const TRIDA = L"QKolvexTestPoloha";
const std::wstring KLIC_POLOHY = std::wstring(KLIC_APLIKACE) + L"\\Parametry oken\\" + TRIDA;

class TestOkno : public OknoImpl<TestOkno, OknoNormalni> {
public:
    explicit TestOkno(DWORD styl = WS_POPUP | WS_VISIBLE, RECT r = {100, 120, 400, 320}) {
        NastavitKlic(KLIC_APLIKACE);
        Vytvorit(nullptr, &r, L"Test", styl, 0, TRIDA);
    }
    KNIHOVNA_MAPA_ZPRAV(TestOkno)
        ZPRAVA(WM_SYSCOMMAND, OnSysCommand)
        ZPRAVA(WM_COMMAND, OnCommand)
    KNIHOVNA_KONEC_MAPY()

    RECT Obdelnik() const {
        RECT r;
        ::GetWindowRect(m_hWnd, &r);
        return r;
    }
    void Presunout(int x, int y, int w, int h) { ::SetWindowPos(m_hWnd, nullptr, x, y, w, h, SWP_NOZORDER); }
};

RECT PracovniOblast() {
    RECT r;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

class Poloha : public ::testing::Test {
protected:
    void SetUp() override { testy::SmazatKlic(KLIC_POLOHY); }
    void TearDown() override { testy::SmazatKlic(KLIC_POLOHY); }
};

}  // namespace

TEST_F(Poloha, UlozeniAObnoveniZapiseBaleneHodnoty) {
    TestOkno okno;
    EXPECT_EQ(okno.Klic(), std::wstring(KLIC_APLIKACE) + L"\\Parametry oken\\");
    ASSERT_EQ(okno.UlozitPolohu(), 0);
    DWORD poloha = 0, velikost = 0;
    ASSERT_TRUE(testy::PrecistDword(KLIC_POLOHY, L"Poloha", poloha));
    ASSERT_TRUE(testy::PrecistDword(KLIC_POLOHY, L"Velikost", velikost));
    EXPECT_EQ(poloha, 100u | (120u << 16));
    EXPECT_EQ(velikost, 300u | (200u << 16));

    okno.Presunout(10, 20, 150, 90);
    EXPECT_EQ(okno.ObnovitPolohu(nullptr, true), 0);  // position only
    RECT r = okno.Obdelnik();
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 120);
    EXPECT_EQ(r.right - r.left, 150);
    EXPECT_EQ(okno.ObnovitPolohu(), 0);
    r = okno.Obdelnik();
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.bottom - r.top, 200);
}

TEST_F(Poloha, MezeUkladaniPodleTabulky) {
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    struct Pripad {
        int x, y, w, h;
        int vysledek;
    } pripady[] = {
        {-5, 10, 200, 100, 1},        // partly off the left edge
        {10, -1, 200, 100, 1},
        {cx, cy, 200, 100, 0},        // bounds are inclusive
        {cx + 1, 10, 200, 100, 1},
        {10, 10, 3, 100, 1},          // too narrow
        {10, 10, 4, 4, 0},
        {0, 0, 2 * cx, 100, 0},       // exactly twice the screen
        {0, 0, 2 * cx + 1, 100, 1},
        {0, 0, 100, 2 * cy + 1, 1},
    };
    TestOkno okno;
    for (const Pripad& p : pripady) {
        testy::SmazatKlic(KLIC_POLOHY);
        okno.Presunout(p.x, p.y, p.w, p.h);
        RECT r = okno.Obdelnik();
        ASSERT_EQ(r.right - r.left, p.w) << "the window manager changed the size";
        EXPECT_EQ(okno.UlozitPolohu(), p.vysledek) << p.x << "," << p.y << " " << p.w << "x" << p.h;
        EXPECT_EQ(testy::ExistujeKlic(KLIC_POLOHY), p.vysledek == 0);
    }
    // a window that does not count keeps the earlier stored placement
    okno.Presunout(50, 60, 200, 100);
    ASSERT_EQ(okno.UlozitPolohu(), 0);
    okno.Presunout(-5, 60, 200, 100);
    EXPECT_EQ(okno.UlozitPolohu(), 1);
    DWORD poloha = 0;
    ASSERT_TRUE(testy::PrecistDword(KLIC_POLOHY, L"Poloha", poloha));
    EXPECT_EQ(poloha, 50u | (60u << 16));
    // hidden windows are not saved
    ::ShowWindow(okno.m_hWnd, SW_HIDE);
    EXPECT_EQ(okno.UlozitPolohu(), 1);
}

TEST_F(Poloha, ObnoveniBezUlozenychHodnotNechaOknoNaMiste) {
    TestOkno okno;
    RECT pred = okno.Obdelnik();
    EXPECT_EQ(okno.ObnovitPolohu(), 1);
    RECT po = okno.Obdelnik();
    EXPECT_EQ(pred.left, po.left);
    EXPECT_EQ(pred.top, po.top);
    EXPECT_TRUE(testy::ExistujeKlic(KLIC_POLOHY));  // created empty on the way
    // only one of the two values stored: nothing applied
    DWORD poloha = 5 | (6 << 16);
    ::RegSetKeyValueW(HKEY_CURRENT_USER, KLIC_POLOHY.c_str(), L"Poloha", REG_DWORD, &poloha, sizeof(poloha));
    EXPECT_EQ(okno.ObnovitPolohu(), 1);
    EXPECT_EQ(okno.Obdelnik().left, pred.left);
}

TEST_F(Poloha, ObnoveniVratiOknoDoPracovniOblasti) {
    const RECT prace = PracovniOblast();
    const long H = prace.bottom - prace.top, W = prace.right - prace.left;
    TestOkno okno;
    // top beyond H - 10: first y = H - 10, then the bottom sticks out: y = H - height
    DWORD poloha = 100u | (static_cast<DWORD>(H - 5) << 16), velikost = 300u | (200u << 16);
    ::RegSetKeyValueW(HKEY_CURRENT_USER, KLIC_POLOHY.c_str(), L"Poloha", REG_DWORD, &poloha, sizeof(poloha));
    ::RegSetKeyValueW(HKEY_CURRENT_USER, KLIC_POLOHY.c_str(), L"Velikost", REG_DWORD, &velikost, sizeof(velikost));
    ASSERT_EQ(okno.ObnovitPolohu(), 0);
    RECT r = okno.Obdelnik();
    EXPECT_EQ(r.top, H - 200);
    EXPECT_EQ(r.left, 100);

    struct Pripad {
        int x, y, w, h;
        int ocekavaneX, ocekavaneY;
    } pripady[] = {
        {-50, 10, 200, 100, 0, 10},
        {static_cast<int>(W) - 5, 10, 200, 100, static_cast<int>(W) - 200, 10},
        {10, -30, 200, 100, 10, 0},
        {10, 10, static_cast<int>(W) + 100, 100, 0, 10},  // wider than the work area: left edge at 0
        {20, 30, 200, 100, 20, 30},                         // inside: not moved
    };
    for (const Pripad& p : pripady) {
        okno.Presunout(p.x, p.y, p.w, p.h);
        Okno::UdrzetVPracovniOblasti(okno.m_hWnd);
        r = okno.Obdelnik();
        EXPECT_EQ(r.left, p.ocekavaneX) << p.x << "," << p.y;
        EXPECT_EQ(r.top, p.ocekavaneY) << p.x << "," << p.y;
    }
}

TEST_F(Poloha, KodyUmisteniPodleTabulky) {
    const RECT prace = PracovniOblast();
    const int W = prace.right - prace.left, H = prace.bottom - prace.top;
    struct Pripad {
        int kod;
        bool menitelne;
        RECT ocekavany;  // left, top, right, bottom
    } pripady[] = {
        {2, false, {prace.left, prace.top, prace.left + 300, prace.top + 200}},
        {3, false, {prace.left, prace.bottom - 200, prace.left + 300, prace.bottom}},
        {4, false, {prace.right - 300, prace.top, prace.right, prace.top + 200}},
        {5, false, {prace.right - 300, prace.bottom - 200, prace.right, prace.bottom}},
        {7, true, {0, 0, W / 2, H}},
        {8, true, {W / 2, 0, W / 2 + W / 2, H}},
        {9, true, {0, 0, W, H / 2}},
        {9, false, {0, 0, 300, 200}},  // no thick frame: moved, not sized
        {10, true, {0, H / 2, W, H / 2 + H / 2}},
        {11, true, {0, 0, 300, H}},
        {12, true, {prace.right - 300, 0, prace.right, H}},
        {13, true, {0, 0, W, 200}},
        {14, true, {0, prace.bottom - 200, W, prace.bottom}},
        {1, true, {100, 120, 400, 320}},   // nothing
        {15, true, {100, 120, 400, 320}},  // outside the codes: nothing
    };
    for (const Pripad& p : pripady) {
        TestOkno okno(WS_POPUP | WS_VISIBLE | (p.menitelne ? WS_THICKFRAME : 0));
        okno.Presunout(100, 120, 300, 200);
        Okno::UmistitNaPlochu(okno.m_hWnd, p.kod);
        RECT r = okno.Obdelnik();
        EXPECT_EQ(r.left, p.ocekavany.left) << "code " << p.kod;
        EXPECT_EQ(r.top, p.ocekavany.top) << "code " << p.kod;
        EXPECT_EQ(r.right, p.ocekavany.right) << "code " << p.kod;
        EXPECT_EQ(r.bottom, p.ocekavany.bottom) << "code " << p.kod;
    }
    // code 6 centres on the desktop
    TestOkno okno;
    Okno::UmistitNaPlochu(okno.m_hWnd, 6);
    RECT r = okno.Obdelnik();
    EXPECT_NEAR((r.left + r.right) / 2, (prace.left + prace.right) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, (prace.top + prace.bottom) / 2, 1);
}

TEST_F(Poloha, PruhlednostANavrchuPrepinajiSpolecnePrikazy) {
    TestOkno okno;
    ::SendMessageW(okno.m_hWnd, WM_COMMAND, 40075, 0);
    ASSERT_TRUE(knihovna::JeOknoPruhledne(okno.m_hWnd));
    BYTE alfa = 0;
    DWORD priznaky = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(okno.m_hWnd, nullptr, &alfa, &priznaky));
    EXPECT_EQ(alfa, 127);
    EXPECT_EQ(priznaky, static_cast<DWORD>(LWA_ALPHA));
    ::SendMessageW(okno.m_hWnd, WM_COMMAND, 40075, 0);
    EXPECT_FALSE(knihovna::JeOknoPruhledne(okno.m_hWnd));

    knihovna::NastavitPruhlednostOkna(okno.m_hWnd, 100);
    ::GetLayeredWindowAttributes(okno.m_hWnd, nullptr, &alfa, &priznaky);
    EXPECT_EQ(alfa, 0);
    for (int spatne : {-1, 101}) {
        try {
            knihovna::NastavitPruhlednostOkna(okno.m_hWnd, spatne);
            ADD_FAILURE() << spatne;
        } catch (const knihovna::Chyba& chyba) {
            EXPECT_EQ(chyba.Hresult(), E_INVALIDARG);
        }
    }

    ::SendMessageW(okno.m_hWnd, WM_COMMAND, 40053, 0);
    EXPECT_TRUE(knihovna::JeOknoNavrchu(okno.m_hWnd));
    ::SendMessageW(okno.m_hWnd, WM_COMMAND, 40053, 0);
    EXPECT_FALSE(knihovna::JeOknoNavrchu(okno.m_hWnd));
}

namespace {
HWND testHlavni = nullptr;
HWND TestHlavni() { return testHlavni; }
}  // namespace

TEST_F(Poloha, PrikazyStranekNastaveniAPomociJdouHlavnimuOknu) {
    testHlavni = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    auto* const puvodni = knihovna::ziskatHlavniOkno;
    knihovna::ziskatHlavniOkno = TestHlavni;
    TestOkno okno;
    struct Pripad {
        UINT prikaz;
        UINT ocekavanyPrikaz;
        LPARAM stranka;
    } pripady[] = {
        {40082, 40002, 112}, {40079, 40002, 112}, {40081, 40002, 104}, {40200, 40002, 198},
        {40023, 40023, 0},   {40020, 40020, 0},
    };
    for (const Pripad& p : pripady) {
        ::SendMessageW(okno.m_hWnd, WM_COMMAND, p.prikaz, 0);
        MSG msg;
        ASSERT_TRUE(::PeekMessageW(&msg, testHlavni, WM_COMMAND, WM_COMMAND, PM_REMOVE)) << p.prikaz;
        EXPECT_EQ(msg.wParam, p.ocekavanyPrikaz);
        EXPECT_EQ(msg.lParam, p.stranka);
    }
    // an id of the range without a page posts nothing
    ::SendMessageW(okno.m_hWnd, WM_COMMAND, 40100, 0);
    MSG msg;
    EXPECT_FALSE(::PeekMessageW(&msg, testHlavni, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    knihovna::ziskatHlavniOkno = puvodni;
    ::DestroyWindow(testHlavni);
}

TEST_F(Poloha, MinimalizaceSkryjeAPrepnutiZobrazi) {
    TestOkno okno;
    okno.PrepnoutZobrazeni();  // visible: minimise, which this window turns into hiding
    EXPECT_FALSE(::IsWindowVisible(okno.m_hWnd));
    okno.PrepnoutZobrazeni();
    EXPECT_TRUE(::IsWindowVisible(okno.m_hWnd));
}

TEST(TooltipToolbaru, TextPodleIdPrikazuOriznutyNaBuffer) {
    NMTTDISPINFOW info{};
    info.hdr.code = TTN_NEEDTEXTW;
    info.hdr.idFrom = 40113;  // "Uložit opis obrazovky do souboru"
    BOOL zpracovano = TRUE;
    knihovna::ZpracovatTooltipToolbaru(0, &info.hdr, zpracovano);
    EXPECT_EQ(std::wstring(info.lpszText), L"Uložit opis obrazovky do souboru");
    EXPECT_EQ(info.lpszText, info.szText);
    EXPECT_EQ(info.hinst, ::GetModuleHandleW(nullptr));

    info.hdr.idFrom = 12;  // "name\ndescription": the part after the first line feed
    knihovna::ZpracovatTooltipToolbaru(0, &info.hdr, zpracovano);
    EXPECT_EQ(std::wstring(info.szText), L"Popis Chyby: %s\n\nChcete aplikaci \"%s\" ukončit?");
}
