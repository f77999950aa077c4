// The splitter container: layout on resizing and dragging, forwarding, cursors.
#include <gtest/gtest.h>

#include <windows.h>

#include "knihovna/rozdelovac.h"
#include "knihovna/vyjimky.h"
#include "podpora/pomocnik.h"
#include "zkusebni_prvky.h"

using brenvald::RozdelovacKontejner;
using knihovna::OknoObal;

namespace {

class Rodic : public knihovna::OknoImpl<Rodic, OknoObal> {
public:
    std::vector<testy::Zaznam> prikazy;
    std::vector<UINT> notifikace;
    KNIHOVNA_MAPA_ZPRAV(Rodic)
        ZPRAVA(WM_COMMAND, OnCommand)
        ZPRAVA(WM_NOTIFY, OnNotify)
    KNIHOVNA_KONEC_MAPY()
    LRESULT OnCommand(UINT, WPARAM w, LPARAM l, BOOL&) {
        prikazy.push_back({WM_COMMAND, w, l});
        return 0;
    }
    LRESULT OnNotify(UINT, WPARAM, LPARAM l, BOOL&) {
        notifikace.push_back(reinterpret_cast<NMHDR*>(l)->code);
        return 0;
    }
};

class Rozdelovac : public ::testing::Test {
protected:
    Rodic rodic;
    RozdelovacKontejner kontejner;
    OknoObal horni, dolni;

    void SetUp() override {
        RECT r{100, 100, 600, 500};
        rodic.Vytvorit(nullptr, &r, L"Rozdělovač", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, L"QKolvexTestRozdelovac");
        RECT vnitrek{0, 0, 20, 20};
        kontejner.Vytvorit(rodic.m_hWnd, vnitrek);
        horni.m_hWnd = ::CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, 0,
                                         10, 10, kontejner.m_hWnd, reinterpret_cast<HMENU>(11), nullptr, nullptr);
        dolni.m_hWnd = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 10, 10,
                                         kontejner.m_hWnd, reinterpret_cast<HMENU>(12), nullptr, nullptr);
        ::SetForegroundWindow(rodic.m_hWnd);
    }
    void TearDown() override { EXPECT_FALSE(knihovna::JeOdlozenaVyjimka()); }

    void Velikost(int sirka, int vyska) {
        ::SetWindowPos(kontejner.m_hWnd, nullptr, 0, 0, sirka, vyska, SWP_NOZORDER | SWP_NOMOVE);
    }
    // A pane's rectangle in the container's client coordinates.
    static RECT Poloha(const OknoObal& panel) {
        RECT r;
        ::GetWindowRect(panel.m_hWnd, &r);
        ::MapWindowPoints(nullptr, ::GetParent(panel.m_hWnd), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    void Tahnout(int x, int y) {
        ::SendMessageW(kontejner.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 142));
        ::SendMessageW(kontejner.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
        ::SendMessageW(kontejner.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
};

void OcekavatObdelnik(const RECT& r, int x, int y, int sirka, int vyska) {
    EXPECT_EQ(r.left, x);
    EXPECT_EQ(r.top, y);
    EXPECT_EQ(r.right - r.left, sirka);
    EXPECT_EQ(r.bottom - r.top, vyska);
}

}  // namespace

TEST_F(Rozdelovac, VytvoreniAPrvniRozlozeni) {
    EXPECT_TRUE(::IsWindowVisible(kontejner.m_hWnd));
    EXPECT_EQ(kontejner.NazevTridy(), L"QRozdelovacKontejner");
    EXPECT_TRUE(kontejner.nadSebou);
    EXPECT_TRUE(kontejner.predavatPrikazy);
    EXPECT_FALSE(kontejner.predavatNotifikace);
    EXPECT_EQ(kontejner.pozice, 140);

    kontejner.prvniPanel = &horni;
    kontejner.druhyPanel = &dolni;
    Velikost(400, 300);
    OcekavatObdelnik(Poloha(horni), 0, 0, 400, 140);
    OcekavatObdelnik(Poloha(dolni), 0, 144, 400, 156);

    kontejner.nadSebou = false;
    kontejner.pozice = 100;
    Velikost(500, 200);
    OcekavatObdelnik(Poloha(horni), 0, 0, 100, 200);
    OcekavatObdelnik(Poloha(dolni), 104, 0, 396, 200);

    // smaller than the split: the second pane shrinks to nothing, never to a negative size
    Velikost(50, 200);
    OcekavatObdelnik(Poloha(dolni), 104, 0, 0, 200);
}

TEST_F(Rozdelovac, JenPrvniPanelZabereVseANetahne) {
    kontejner.prvniPanel = &horni;
    Velikost(400, 300);
    OcekavatObdelnik(Poloha(horni), 0, 0, 400, 300);
    ::SendMessageW(kontejner.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 142));
    EXPECT_FALSE(kontejner.tazeni);
    EXPECT_NE(::GetCapture(), kontejner.m_hWnd);
    ::SendMessageW(kontejner.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 50));
    OcekavatObdelnik(Poloha(horni), 0, 0, 400, 300);
}

TEST_F(Rozdelovac, TazeniPosuneAZapamatujeRozdeleni) {
    kontejner.prvniPanel = &horni;
    kontejner.druhyPanel = &dolni;
    Velikost(400, 300);
    ::SendMessageW(kontejner.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 142));
    EXPECT_TRUE(kontejner.tazeni);
    EXPECT_EQ(::GetCapture(), kontejner.m_hWnd);
    ::SendMessageW(kontejner.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 120));
    OcekavatObdelnik(Poloha(horni), 0, 0, 400, 120);
    OcekavatObdelnik(Poloha(dolni), 0, 124, 400, 176);
    EXPECT_EQ(kontejner.pozice, 140);  // fixed only on release
    ::SendMessageW(kontejner.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 90));
    ::SendMessageW(kontejner.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(10, 90));
    EXPECT_FALSE(kontejner.tazeni);
    EXPECT_NE(::GetCapture(), kontejner.m_hWnd);
    EXPECT_EQ(kontejner.pozice, 90);
    Velikost(400, 250);
    OcekavatObdelnik(Poloha(horni), 0, 0, 400, 90);
    OcekavatObdelnik(Poloha(dolni), 0, 94, 400, 156);

    // beyond the top or the bottom edge the bar stops at the edge
    Tahnout(10, -30);
    EXPECT_EQ(kontejner.pozice, 0);
    OcekavatObdelnik(Poloha(dolni), 0, 4, 400, 246);
    Tahnout(10, 900);
    EXPECT_EQ(kontejner.pozice, 246);
    OcekavatObdelnik(Poloha(dolni), 0, 250, 400, 0);

    kontejner.nadSebou = false;
    Velikost(400, 250);
    Tahnout(150, 10);
    EXPECT_EQ(kontejner.pozice, 150);
    OcekavatObdelnik(Poloha(dolni), 154, 0, 246, 250);
}

TEST_F(Rozdelovac, PrikazyPaneluDojdouRodiciJednou) {
    kontejner.prvniPanel = &horni;
    kontejner.druhyPanel = &dolni;
    Velikost(400, 300);
    ::SendMessageW(kontejner.m_hWnd, WM_COMMAND, MAKEWPARAM(12, EN_CHANGE), reinterpret_cast<LPARAM>(dolni.m_hWnd));
    EXPECT_TRUE(rodic.prikazy.empty());  // posted, not sent
    testy::Pumpovat();
    ASSERT_EQ(rodic.prikazy.size(), 1u);
    EXPECT_EQ(rodic.prikazy[0].w, MAKEWPARAM(12, EN_CHANGE));
    EXPECT_EQ(rodic.prikazy[0].l, reinterpret_cast<LPARAM>(dolni.m_hWnd));

    NMHDR hlavicka{horni.m_hWnd, 11, NM_DBLCLK};
    ::SendMessageW(kontejner.m_hWnd, WM_NOTIFY, 11, reinterpret_cast<LPARAM>(&hlavicka));
    EXPECT_TRUE(rodic.notifikace.empty());
    kontejner.predavatNotifikace = true;
    ::SendMessageW(kontejner.m_hWnd, WM_NOTIFY, 11, reinterpret_cast<LPARAM>(&hlavicka));
    ASSERT_EQ(rodic.notifikace.size(), 1u);
    EXPECT_EQ(rodic.notifikace[0], static_cast<UINT>(NM_DBLCLK));

    kontejner.predavatPrikazy = false;
    ::SendMessageW(kontejner.m_hWnd, WM_COMMAND, MAKEWPARAM(12, EN_CHANGE), reinterpret_cast<LPARAM>(dolni.m_hWnd));
    testy::Pumpovat();
    EXPECT_EQ(rodic.prikazy.size(), 1u);
}

TEST_F(Rozdelovac, KurzorNadPruhemANadPanelem) {
    kontejner.prvniPanel = &horni;
    kontejner.druhyPanel = &dolni;
    Velikost(400, 300);
    ::UpdateWindow(rodic.m_hWnd);
    auto kurzorV = [&](int x, int y) {
        POINT bod{x, y};
        ::ClientToScreen(kontejner.m_hWnd, &bod);
        // The X server reports pointer moves late: wait until the position stays put.
        for (int pokus = 0; pokus < 20; ++pokus) {
            ::SetCursorPos(bod.x, bod.y);
            testy::Pumpovat(100);
            POINT p;
            ::GetCursorPos(&p);
            if (p.x == bod.x && p.y == bod.y) break;
        }
        HWND pod = ::WindowFromPoint(bod);
        ::SetCursor(nullptr);
        ::SendMessageW(pod, WM_SETCURSOR, reinterpret_cast<WPARAM>(pod), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return ::GetCursor();
    };
    EXPECT_EQ(kurzorV(200, 142), ::LoadCursorW(nullptr, IDC_SIZENS));
    EXPECT_EQ(kurzorV(200, 60), ::LoadCursorW(nullptr, IDC_ARROW));   // the list pane
    EXPECT_EQ(kurzorV(200, 220), ::LoadCursorW(nullptr, IDC_IBEAM));  // the edit pane keeps its own
    kontejner.nadSebou = false;
    kontejner.pozice = 100;
    Velikost(400, 290);
    EXPECT_EQ(kurzorV(102, 150), ::LoadCursorW(nullptr, IDC_SIZEWE));
}
