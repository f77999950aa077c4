// Window placement on a desktop of several monitors: the stored corner keeps its sign, and a
// window is kept inside the work area of the monitor nearest to it, not always the primary one.
// Wine shows one monitor, so the layout comes through the monitor-list seam; the windows are real.
#include <gtest/gtest.h>

#include <vector>

#include "knihovna/okno.h"
#include "podpora/pomocnik.h"

using knihovna::Okno;
using knihovna::OknoImpl;
using knihovna::OknoNormalni;
using knihovna::PlochaMonitoru;

namespace {

const wchar_t* const KLIC_APLIKACE = L"Software\\Brenvald\\Kolvex\\5.0";
const wchar_t* const TRIDA = L"QKolvexTestMonitory";
const std::wstring KLIC_POLOHY = std::wstring(KLIC_APLIKACE) + L"\\Parametry oken\\" + TRIDA;

class TestOkno : public OknoImpl<TestOkno, OknoNormalni> {
public:
    explicit TestOkno(DWORD styl = WS_POPUP | WS_VISIBLE) {
        NastavitKlic(KLIC_APLIKACE);
        RECT r{100, 120, 400, 320};
        Vytvorit(nullptr, &r, L"Test", styl, 0, TRIDA);
    }
    KNIHOVNA_MAPA_ZPRAV(TestOkno)
    KNIHOVNA_KONEC_MAPY()

    RECT Obdelnik() const {
        RECT r;
        ::GetWindowRect(m_hWnd, &r);
        return r;
    }
    void Presunout(int x, int y, int w = 300, int h = 200) { ::SetWindowPos(m_hWnd, nullptr, x, y, w, h, SWP_NOZORDER); }
};

// Primary 1280x1024 with a 20-px taskbar; a 1024x768 monitor left of it (its taskbar on the left)
// and one above the primary.
const PlochaMonitoru PRIMARNI{{0, 0, 1280, 1024}, {0, 0, 1280, 1004}};
const PlochaMonitoru VLEVO{{-1024, 0, 0, 768}, {-984, 0, 0, 768}};
const PlochaMonitoru NAHORE{{0, -768, 1024, 0}, {0, -768, 1024, 0}};
std::vector<PlochaMonitoru> TriMonitory() { return {PRIMARNI, VLEVO, NAHORE}; }

class Monitory : public ::testing::Test {
protected:
    void SetUp() override {
        testy::SmazatKlic(KLIC_POLOHY);
        m_puvodni = knihovna::ziskatMonitory;
    }
    void TearDown() override {
        knihovna::ziskatMonitory = m_puvodni;
        testy::SmazatKlic(KLIC_POLOHY);
    }
    static void Ulozit(int x, int y, int w, int h) {
        const DWORD poloha = static_cast<DWORD>((x & 0xFFFF) | ((y & 0xFFFF) << 16));
        const DWORD velikost = static_cast<DWORD>(w | (h << 16));
        ::RegSetKeyValueW(HKEY_CURRENT_USER, KLIC_POLOHY.c_str(), L"Poloha", REG_DWORD, &poloha, sizeof(poloha));
        ::RegSetKeyValueW(HKEY_CURRENT_USER, KLIC_POLOHY.c_str(), L"Velikost", REG_DWORD, &velikost, sizeof(velikost));
    }
    std::vector<PlochaMonitoru> (*m_puvodni)() = nullptr;
};

bool Stejne(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != 0; }

}  // namespace

TEST_F(Monitory, NejblizsiMonitorPodlePrekryvuAVzdalenosti) {
    knihovna::ziskatMonitory = TriMonitory;
    struct Pripad {
        RECT okno;
        const PlochaMonitoru* monitor;
    } pripady[] = {
        {{-1000, 100, -700, 300}, &VLEVO},     // wholly on the left monitor
        {{-100, 100, 300, 300}, &PRIMARNI},    // straddles: most of it on the primary
        {{-300, 100, 100, 300}, &VLEVO},       // straddles: most of it on the left one
        {{100, -500, 400, -300}, &NAHORE},     // above the primary
        {{-5000, 100, -4700, 300}, &VLEVO},    // far off to the left: the nearest
        {{100, 3000, 400, 3200}, &PRIMARNI},   // far below
        {{1100, -900, 1400, -800}, &NAHORE},   // off the top right: nearer the upper one
    };
    for (const Pripad& p : pripady) {
        const RECT prace = knihovna::PracovniOblastProObdelnik(p.okno);
        EXPECT_TRUE(Stejne(prace, p.monitor->prace)) << p.okno.left << "," << p.okno.top << " got " << prace.left
                                                     << "," << prace.top << "," << prace.right << "," << prace.bottom;
    }
    const RECT vse = knihovna::ObdelnikVsechMonitoru();
    EXPECT_TRUE(Stejne(vse, RECT{-1024, -768, 1280, 1024}));
}

// The real single monitor: the seam's default gives the system's own work area, the one
// MonitorFromRect picks.
TEST_F(Monitory, VychoziSeznamJeMonitorSystemu) {
    RECT okno{100, 100, 300, 300};
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(::GetMonitorInfoW(::MonitorFromRect(&okno, MONITOR_DEFAULTTONEAREST), &info));
    // the system's work area, less a visible taskbar that the system left in it
    HWND panel = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    const bool bezPanelu = !panel || !::IsWindowVisible(panel);
    const RECT prace = knihovna::PracovniOblastProObdelnik(okno);
    RECT spolecne{};
    ::IntersectRect(&spolecne, &prace, &info.rcWork);
    EXPECT_TRUE(Stejne(spolecne, prace));
    if (bezPanelu) {
        EXPECT_TRUE(Stejne(prace, info.rcWork));
    }
    RECT daleko{-4000, -4000, -3900, -3900};
    EXPECT_TRUE(Stejne(knihovna::PracovniOblastProObdelnik(daleko), prace));
}

// A window left of or above the primary monitor is saved and comes back where it was; one whose
// monitor is gone, or that sticks out of its monitor's work area, comes into the nearest one.
TEST_F(Monitory, PolohaNaDalsimMonitoruSeUloziAVratiSeZnamenkem) {
    knihovna::ziskatMonitory = TriMonitory;
    TestOkno okno;
    okno.Presunout(-900, 100);
    ASSERT_EQ(okno.Obdelnik().left, -900) << "the window system keeps a window off the primary screen";
    ASSERT_EQ(okno.UlozitPolohu(), 0);
    DWORD poloha = 0;
    ASSERT_TRUE(testy::PrecistDword(KLIC_POLOHY, L"Poloha", poloha));
    EXPECT_EQ(poloha, static_cast<DWORD>((-900 & 0xFFFF) | (100 << 16))) << "the stored format stays";

    struct Pripad {
        int x, y;          // stored corner (300 x 200)
        int ocekavaneX, ocekavaneY;
    } pripady[] = {
        {-900, 100, -900, 100},      // on the left monitor: stays there
        {200, -500, 200, -500},      // on the upper monitor
        {-1020, 100, -984, 100},     // under the left monitor's taskbar: just right of it
        {-400, 700, -400, 568},      // sticks out of the left monitor's bottom
        {-5000, -30, -984, 0},       // that monitor is gone: the nearest one's work area
        {900, 900, 900, 804},        // over the primary's taskbar
        {-50, -30, 0, 0},            // mostly on the primary: its corner, not the far end
    };
    for (const Pripad& p : pripady) {
        Ulozit(p.x, p.y, 300, 200);
        okno.Presunout(10, 10, 50, 50);
        ASSERT_EQ(okno.ObnovitPolohu(), 0);
        const RECT r = okno.Obdelnik();
        EXPECT_EQ(r.left, p.ocekavaneX) << "stored " << p.x << "," << p.y;
        EXPECT_EQ(r.top, p.ocekavaneY) << "stored " << p.x << "," << p.y;
        EXPECT_EQ(r.right - r.left, 300);
    }
    // beyond every monitor: not saved, the stored placement stays
    okno.Presunout(-1100, 100);
    EXPECT_EQ(okno.UlozitPolohu(), 1);
    okno.Presunout(100, -800);
    EXPECT_EQ(okno.UlozitPolohu(), 1);
}

// On the real single monitor a stored corner left of or above it comes back at the work area's
// corner (read as unsigned it was 65 000 and more, and the window went to the far edge).
TEST_F(Monitory, ZapornaPolohaNaJedinemMonitoru) {
    RECT prace{};
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &prace, 0));
    TestOkno okno;
    Ulozit(-50, -30, 300, 200);
    ASSERT_EQ(okno.ObnovitPolohu(), 0);
    const RECT r = okno.Obdelnik();
    EXPECT_EQ(r.left, prace.left);
    EXPECT_EQ(r.top, prace.top);
}

// The Window menu's placements and centring use the work area of the window's own monitor.
TEST_F(Monitory, UmisteniNaPlochuNaMonitoruOkna) {
    knihovna::ziskatMonitory = TriMonitory;
    const RECT& p = VLEVO.prace;
    const int W = p.right - p.left, H = p.bottom - p.top;
    struct Pripad {
        int kod;
        RECT ocekavany;
    } pripady[] = {
        {2, {p.left, p.top, p.left + 300, p.top + 200}},
        {5, {p.right - 300, p.bottom - 200, p.right, p.bottom}},
        {7, {p.left, p.top, p.left + W / 2, p.top + H}},
        {12, {p.right - 300, p.top, p.right, p.top + H}},
        {14, {p.left, p.bottom - 200, p.left + W, p.bottom}},
    };
    for (const Pripad& c : pripady) {
        TestOkno okno(WS_POPUP | WS_VISIBLE | WS_THICKFRAME);
        okno.Presunout(-1000, 100);
        Okno::UmistitNaPlochu(okno.m_hWnd, c.kod);
        const RECT r = okno.Obdelnik();
        EXPECT_TRUE(Stejne(r, c.ocekavany)) << "code " << c.kod << ": " << r.left << "," << r.top << "," << r.right
                                            << "," << r.bottom;
    }
    TestOkno okno;
    okno.Presunout(-1000, 100);
    Okno::UmistitNaPlochu(okno.m_hWnd, 6);
    const RECT r = okno.Obdelnik();
    EXPECT_EQ((r.left + r.right) / 2, (p.left + p.right) / 2);
    EXPECT_EQ((r.top + r.bottom) / 2, (p.top + p.bottom) / 2);
}

// A size stored narrower than the window's toolbar (at a lower DPI, or by hand) comes back wide
// enough for the toolbar's last button; a wider one stays as stored.
TEST_F(Monitory, ObnovenaVelikostNeniUzsiNezToolbar) {
    TestOkno okno(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND lista = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT, 0, 0, 0, 0,
                                   okno.m_hWnd, nullptr, nullptr, nullptr);
    ASSERT_NE(lista, nullptr);
    ::SendMessageW(lista, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(lista, TB_SETBUTTONSIZE, 0, MAKELPARAM(36, 36));
    TBBUTTON tlacitka[8]{};
    for (int i = 0; i < 8; ++i) {
        tlacitka[i].iBitmap = I_IMAGENONE;
        tlacitka[i].idCommand = 100 + i;
        tlacitka[i].fsState = TBSTATE_ENABLED;
        tlacitka[i].fsStyle = BTNS_BUTTON;
    }
    ASSERT_TRUE(::SendMessageW(lista, TB_ADDBUTTONSW, 8, reinterpret_cast<LPARAM>(tlacitka)));
    ::SendMessageW(lista, TB_AUTOSIZE, 0, 0);
    RECT posledni{};
    ASSERT_TRUE(::SendMessageW(lista, TB_GETITEMRECT, 7, reinterpret_cast<LPARAM>(&posledni)));
    const int potreba = knihovna::SirkaPodleToolbaru(okno.m_hWnd);
    RECT vnejsi{}, klient{};
    ::GetWindowRect(okno.m_hWnd, &vnejsi);
    ::GetClientRect(okno.m_hWnd, &klient);
    EXPECT_EQ(potreba, posledni.right + (vnejsi.right - vnejsi.left) - klient.right);

    struct Pripad {
        int sirka, ocekavana;
    } pripady[] = {{120, potreba}, {potreba + 50, potreba + 50}};
    for (const Pripad& p : pripady) {
        Ulozit(100, 100, p.sirka, 300);
        ASSERT_EQ(okno.ObnovitPolohu(), 0);
        const RECT r = okno.Obdelnik();
        EXPECT_EQ(r.right - r.left, p.ocekavana) << "stored width " << p.sirka;
        EXPECT_EQ(r.bottom - r.top, 300);
    }
}
