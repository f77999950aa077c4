// The window picker and the area picker driven by real mouse and key input.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <thread>

#include "podpora/obrazky.h"
#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "screen/vyberokna.h"
#include "screen/vybervyrezem.h"

namespace {

// One mouse event at an absolute screen point (buttons carry their point too: Wine gives a
// button event without one the position of the last move it has delivered).
void UdalostMysi(int x, int y, DWORD priznaky) {
    const int sirka = ::GetSystemMetrics(SM_CXSCREEN);
    const int vyska = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT vstup{};
    vstup.type = INPUT_MOUSE;
    vstup.mi.dx = static_cast<LONG>((x * 65536LL + sirka / 2) / sirka);
    vstup.mi.dy = static_cast<LONG>((y * 65536LL + vyska / 2) / vyska);
    vstup.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | priznaky;
    ::SendInput(1, &vstup, sizeof(vstup));
    testy::CekatNa(
        [&] {
            POINT p;
            return ::GetCursorPos(&p) && p.x == x && p.y == y;
        },
        1000);
    testy::BarevneOkno::Pumpovat();
}

POINT polohaMysi{0, 0};

void PosunoutMys(int x, int y) {
    polohaMysi = {x, y};
    UdalostMysi(x, y, 0);
}

void TlacitkoMysi(bool dolu) {
    UdalostMysi(polohaMysi.x, polohaMysi.y, dolu ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
}

// Drags from one point to another in a few steps.
void Tahnout(POINT od, POINT kam, bool pustit = true) {
    PosunoutMys(od.x, od.y);
    TlacitkoMysi(true);
    for (int krok = 1; krok <= 4; ++krok)
        PosunoutMys(od.x + (kam.x - od.x) * krok / 4, od.y + (kam.y - od.y) * krok / 4);
    if (pustit) TlacitkoMysi(false);
}

HWND NajitViditelne(const wchar_t* trida) {
    HWND nalezene = nullptr;
    testy::CekatNa(
        [&] {
            nalezene = ::FindWindowW(trida, nullptr);
            return nalezene && ::IsWindowVisible(nalezene);
        },
        5000);
    return nalezene;
}

// Keys reach a window only once it is the foreground window: a window that is visible may not
// have been activated yet (the window system does that a moment later).
HWND NajitAktivni(const wchar_t* trida) {
    HWND nalezene = nullptr;
    testy::CekatNa(
        [&] {
            nalezene = ::FindWindowW(trida, nullptr);
            return nalezene && ::IsWindowVisible(nalezene) && ::GetForegroundWindow() == nalezene;
        },
        5000);
    return nalezene && ::GetForegroundWindow() == nalezene ? nalezene : nullptr;
}

// Key presses go to the window with the keyboard focus: wait until the window has it.
bool CekatNaPopredi(const wchar_t* trida) {
    return testy::CekatNa(
        [&] {
            HWND okno = ::FindWindowW(trida, nullptr);
            GUITHREADINFO info{};
            info.cbSize = sizeof(info);
            return okno && ::GetForegroundWindow() == okno &&
                   ::GetGUIThreadInfo(::GetWindowThreadProcessId(okno, nullptr), &info) && info.hwndFocus == okno;
        },
        5000);
}

COLORREF PixelObrazovky(int x, int y) {
    HDC dc = ::GetDC(nullptr);
    COLORREF barva = ::GetPixel(dc, x, y);
    ::ReleaseDC(nullptr, dc);
    return barva;
}

// Runs VybratOkno on a thread of its own, as the screen module's thread does.
class BeziciVyberOkna {
public:
    BeziciVyberOkna() : m_vlakno([this] { m_vysledek = VybratOkno(); }) {}
    ~BeziciVyberOkna() {
        if (m_vlakno.joinable()) {
            if (HWND h = ::FindWindowW(L"QVyberOkna", nullptr)) ::PostMessageW(h, WM_CLOSE, 0, 0);
            m_vlakno.join();
        }
    }
    HWND Vysledek() {
        m_vlakno.join();
        return m_vysledek;
    }

private:
    HWND m_vysledek = nullptr;
    std::thread m_vlakno;
};

POINT Stred(HWND okno) {
    RECT r;
    ::GetWindowRect(okno, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

const COLORREF ZELENA = RGB(10, 200, 30);

}  // namespace

TEST(VyberOkna, PustenimNadOknemJeOknoVybrano) {
    testy::BarevneOkno cil(ZELENA, RECT{200, 200, 500, 400});
    BeziciVyberOkna vyber;
    HWND vybirac = NajitViditelne(L"QVyberOkna");
    ASSERT_NE(vybirac, nullptr);
    EXPECT_EQ(testy::TextOkna(vybirac), L"Výběr okna");
    {
        // the whole caption fits beside the close button (it was cut to "Výběr ok")
        NONCLIENTMETRICSW m{};
        m.cbSize = sizeof(m);
        ASSERT_TRUE(::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(m), &m, 0));
        HFONT pismo = ::CreateFontIndirectW(&m.lfSmCaptionFont);
        HDC dc = ::GetDC(nullptr);
        HGDIOBJ stare = ::SelectObject(dc, pismo);
        SIZE text{};
        ::GetTextExtentPoint32W(dc, L"Výběr okna", 10, &text);
        ::SelectObject(dc, stare);
        ::ReleaseDC(nullptr, dc);
        ::DeleteObject(pismo);
        RECT r;
        ::GetWindowRect(vybirac, &r);
        EXPECT_GE(r.right - r.left, text.cx + m.iSmCaptionWidth + 2 * ::GetSystemMetrics(SM_CXSIZEFRAME));
    }
    EXPECT_TRUE(::GetWindowLongW(vybirac, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(VybratOkno(), nullptr) << "a second pick while one runs gives nothing at once";

    Tahnout(Stred(vybirac), POINT{350, 300});
    EXPECT_EQ(vyber.Vysledek(), cil.Okno());
    EXPECT_EQ(PixelObrazovky(250, 200), ZELENA) << "the frame is erased";
    EXPECT_FALSE(BeziVyberOkna());
}

// The picker stands in the work area's bottom-right corner: above a visible taskbar (here the
// virtual desktop's, shown while a notification icon exists), not over the notification area
// whose balloon points at it.
TEST(VyberOkna, StojiVPracovniOblastiNadPanelemUloh) {
    HWND vlastnik = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(vlastnik, nullptr);
    NOTIFYICONDATAW ikona{};
    ikona.cbSize = sizeof(ikona);
    ikona.hWnd = vlastnik;
    ikona.uID = 1;
    ikona.uFlags = NIF_ICON | NIF_TIP;
    ikona.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    wcscpy(ikona.szTip, L"Kolvex test");
    ASSERT_TRUE(::Shell_NotifyIconW(NIM_ADD, &ikona));
    HWND panel = nullptr;
    const bool viditelny = testy::CekatNa(
        [&] {
            panel = ::FindWindowW(L"Shell_TrayWnd", nullptr);
            return panel && ::IsWindowVisible(panel);
        },
        5000);
    {
        BeziciVyberOkna vyber;
        HWND vybirac = NajitViditelne(L"QVyberOkna");
        ASSERT_NE(vybirac, nullptr);
        RECT r{}, prace{};
        ::GetWindowRect(vybirac, &r);
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &prace, 0);
        EXPECT_EQ(r.right, prace.right);
        EXPECT_LE(r.bottom, prace.bottom);
        if (viditelny) {
            RECT p{};
            ::GetWindowRect(panel, &p);
            EXPECT_EQ(r.bottom, p.top) << "the picker " << r.left << "," << r.top << "-" << r.right << "," << r.bottom
                                       << " and the taskbar " << p.left << "," << p.top << "-" << p.right << "," << p.bottom;
        }
    }
    ::Shell_NotifyIconW(NIM_DELETE, &ikona);
    ::DestroyWindow(vlastnik);
    EXPECT_TRUE(viditelny) << "no taskbar on the desktop: the case was not tried";
}

TEST(VyberOkna, UkonceniZJinehoVlaknaUkonciVyberBezVyberu) {
    // the screen module's stop ends a pick under way: the screen thread waits for no one
    BeziciVyberOkna vyber;
    HWND okno = nullptr;
    ASSERT_TRUE(testy::CekatNa([&] { return (okno = ::FindWindowW(L"QVyberOkna", nullptr)) != nullptr; }));
    EXPECT_TRUE(BeziVyberOkna());
    const ULONGLONG zacatek = ::GetTickCount64();
    UkoncitVyberOkna();
    EXPECT_EQ(vyber.Vysledek(), nullptr);
    EXPECT_LT(::GetTickCount64() - zacatek, 2000u);
    EXPECT_FALSE(BeziVyberOkna());
    EXPECT_FALSE(::IsWindow(okno));
}

TEST(VyberOkna, PustenimNadSebouNevybereNic) {
    BeziciVyberOkna vyber;
    HWND vybirac = NajitViditelne(L"QVyberOkna");
    ASSERT_NE(vybirac, nullptr);
    POINT stred = Stred(vybirac);
    Tahnout(stred, POINT{stred.x + 2, stred.y + 2});
    EXPECT_EQ(vyber.Vysledek(), nullptr);
}

TEST(VyberOkna, EscapeBehemTazeniSmazeRamANevybereNic) {
    testy::BarevneOkno cil(ZELENA, RECT{200, 200, 500, 400});
    BeziciVyberOkna vyber;
    HWND vybirac = NajitViditelne(L"QVyberOkna");
    ASSERT_NE(vybirac, nullptr);
    Tahnout(Stred(vybirac), POINT{350, 300}, false);
    // the frame lies inside the window's edge, drawn by inverting the screen
    EXPECT_TRUE(testy::CekatNa([] { return PixelObrazovky(250, 200) == RGB(255 - 10, 255 - 200, 255 - 30); }, 3000))
        << "the frame is drawn while dragging";
    testy::StisknoutKlavesy({VK_ESCAPE});
    EXPECT_EQ(vyber.Vysledek(), nullptr);
    TlacitkoMysi(false);
    EXPECT_EQ(PixelObrazovky(250, 200), ZELENA) << "Escape leaves no frame on the screen";
}

namespace {

struct PrijatyVyrez {
    int pocet = 0;
    WPARAM w = 0;
    LPARAM l = 0;
};
PrijatyVyrez prijato;

LRESULT CALLBACK ProceduraPrijemce(HWND h, UINT msg, WPARAM w, LPARAM l) {
    if (msg == ZpravaVyrezVybran) {
        ++prijato.pocet;
        prijato.w = w;
        prijato.l = l;
        return 0;
    }
    return ::DefWindowProcW(h, msg, w, l);
}

class VyberVyrezem : public ::testing::Test {
protected:
    void SetUp() override {
        prijato = PrijatyVyrez{};
        WNDCLASSW wc{};
        wc.lpfnWndProc = ProceduraPrijemce;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QTestPrijemceVyrezu";
        ::RegisterClassW(&wc);
        prijemce = ::CreateWindowExW(0, L"QTestPrijemceVyrezu", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     ::GetModuleHandleW(nullptr), nullptr);
    }
    void TearDown() override {
        OknoVyberVyrezem::Zastavit();
        ::DestroyWindow(prijemce);
    }
    bool CekatNaKonec() {
        return testy::CekatNa([] { return !OknoVyberVyrezem::Bezi(); }, 5000);
    }
    HWND prijemce = nullptr;
};

}  // namespace

TEST_F(VyberVyrezem, TazeniPosleObdelnikJakBylTazen) {
    OknoVyberVyrezem::SpustitOpis(prijemce);
    HWND okno = NajitViditelne(L"QVyberVyrezem");
    ASSERT_NE(okno, nullptr);
    RECT r;
    ::GetWindowRect(okno, &r);
    EXPECT_EQ(r.right - r.left, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom - r.top, ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(OknoVyberVyrezem::Bezi());

    Tahnout(POINT{100, 100}, POINT{300, 200});
    ASSERT_TRUE(CekatNaKonec());
    ASSERT_TRUE(testy::CekatNa([] { return prijato.pocet == 1; }, 2000));
    EXPECT_EQ(LOWORD(prijato.w), 100);
    EXPECT_EQ(HIWORD(prijato.w), 100);
    EXPECT_EQ(LOWORD(prijato.l), 300);
    EXPECT_EQ(HIWORD(prijato.l), 200);
}

TEST_F(VyberVyrezem, ObracenyTahPosleRohyJakBylyTazeny) {
    OknoVyberVyrezem::SpustitOpis(prijemce);
    ASSERT_NE(NajitViditelne(L"QVyberVyrezem"), nullptr);
    Tahnout(POINT{400, 300}, POINT{250, 120});
    ASSERT_TRUE(CekatNaKonec());
    ASSERT_TRUE(testy::CekatNa([] { return prijato.pocet == 1; }, 2000));
    EXPECT_EQ(LOWORD(prijato.w), 400);
    EXPECT_EQ(HIWORD(prijato.w), 300);
    EXPECT_EQ(LOWORD(prijato.l), 250);
    EXPECT_EQ(HIWORD(prijato.l), 120);
}

TEST_F(VyberVyrezem, EnterPredTazenimPosleMinusJedna) {
    OknoVyberVyrezem::SpustitOpis(prijemce);
    ASSERT_NE(NajitViditelne(L"QVyberVyrezem"), nullptr);
    ASSERT_TRUE(CekatNaPopredi(L"QVyberVyrezem"));
    testy::StisknoutKlavesy({VK_RETURN});
    ASSERT_TRUE(CekatNaKonec());
    ASSERT_TRUE(testy::CekatNa([] { return prijato.pocet == 1; }, 2000));
    EXPECT_EQ(prijato.w, static_cast<WPARAM>(MAKEWPARAM(0xFFFF, 0xFFFF)));
    EXPECT_EQ(prijato.l, static_cast<LPARAM>(MAKELPARAM(0xFFFF, 0xFFFF)));
}

TEST_F(VyberVyrezem, EscapeAZastaveniNeposlouNic) {
    OknoVyberVyrezem::SpustitOpis(prijemce);
    ASSERT_NE(NajitViditelne(L"QVyberVyrezem"), nullptr);
    ASSERT_TRUE(CekatNaPopredi(L"QVyberVyrezem"));
    testy::StisknoutKlavesy({VK_ESCAPE});
    ASSERT_TRUE(CekatNaKonec());

    OknoVyberVyrezem::SpustitOpis(prijemce);
    ASSERT_NE(NajitViditelne(L"QVyberVyrezem"), nullptr);
    OknoVyberVyrezem::Zastavit();
    EXPECT_FALSE(OknoVyberVyrezem::Bezi());
    testy::BarevneOkno::Pumpovat();
    EXPECT_EQ(prijato.pocet, 0);
}

TEST_F(VyberVyrezem, MereniNeposilaNicAPustenimNekonci) {
    OknoVyberVyrezem::SpustitMereni();
    ASSERT_NE(NajitAktivni(L"QVyberVyrezem"), nullptr);
    // away from the results panel in the top-left corner of the work area
    Tahnout(POINT{400, 300}, POINT{600, 400});
    EXPECT_TRUE(OknoVyberVyrezem::Bezi()) << "measuring goes on after the button is released";
    testy::StisknoutKlavesy({VK_F8});
    ASSERT_TRUE(CekatNaKonec());
    testy::BarevneOkno::Pumpovat();
    EXPECT_EQ(prijato.pocet, 0);
}

// A stop at any moment, even before the picker's window exists (an auto-repeating hot key does
// that), ends the picker at once, without an error report and without an area.
TEST_F(VyberVyrezem, ZastaveniKdykolivJeBezpecne) {
    testy::ZachytavacZprav zpravy;
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        OknoVyberVyrezem::SpustitOpis(prijemce);
        if (i % 2) ::Sleep(static_cast<DWORD>(i));
        ULONGLONG zacatek = ::GetTickCount64();
        OknoVyberVyrezem::Zastavit();
        EXPECT_LT(::GetTickCount64() - zacatek, 2000u);
        EXPECT_FALSE(OknoVyberVyrezem::Bezi());
    }
    testy::BarevneOkno::Pumpovat();
    EXPECT_TRUE(zpravy.zpravy.empty()) << "no failed-stop report";
    EXPECT_EQ(prijato.pocet, 0);
    EXPECT_EQ(::FindWindowW(L"QVyberVyrezem", nullptr), nullptr);
}
