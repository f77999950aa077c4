// Clock and stopwatch: the next gong time, the date text that follows the day, the stopwatch's
// measurement on an injected tick counter, its texts and the result on a stop.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "podpora/pomocnik.h"
#include "podpora/snimek.h"
#include "timers/casovace.h"
#include "timers/modulhodiny.h"
#include "timers/modulstopky.h"

namespace {

SYSTEMTIME Cas(WORD rok, WORD mesic, WORD den, WORD h, WORD m, WORD s) {
    SYSTEMTIME c{};
    c.wYear = rok;
    c.wMonth = mesic;
    c.wDay = den;
    c.wHour = h;
    c.wMinute = m;
    c.wSecond = s;
    FILETIME f;  // the day of the week as the system reckons it
    ::SystemTimeToFileTime(&c, &f);
    ::FileTimeToSystemTime(&f, &c);
    return c;
}

SYSTEMTIME ted;
void WINAPI Ted(LPSYSTEMTIME c) { *c = ted; }

DWORD tik = 0;
DWORD WINAPI Tik() { return tik; }

}  // namespace

TEST(Hodiny, DalsiGongTabulka) {
    const SYSTEMTIME start = Cas(2026, 12, 10, 10, 7, 30);
    const struct {
        DWORD gong;
        SYSTEMTIME dalsi;
    } pripady[] = {
        {1, Cas(2026, 12, 10, 11, 0, 0)},   // every hour: the next full hour
        {2, Cas(2026, 12, 10, 10, 37, 0)},  // from the current minute, not the clock face
        {3, Cas(2026, 12, 10, 10, 22, 0)},
        {4, Cas(2026, 12, 10, 10, 8, 0)},
        {0, Cas(2026, 12, 10, 10, 7, 0)},
    };
    for (const auto& p : pripady) EXPECT_EQ(DalsiGong(start, p.gong), KalendarniCas(p.dalsi)) << "gong " << p.gong;
    EXPECT_EQ(DalsiGong(Cas(2026, 12, 31, 23, 30, 0), 1), KalendarniCas(Cas(2027, 1, 1, 0, 0, 0)));
    EXPECT_EQ(KalendarniCas(Cas(1601, 1, 1, 0, 0, 0)), 0);
}

TEST(Hodiny, TextHodinADataVCislech) {
    EXPECT_EQ(TextHodin(Cas(2026, 3, 5, 9, 5, 2), L""), L"9:05:02");
    EXPECT_EQ(TextHodin(Cas(2026, 3, 5, 9, 5, 2), L"D"), L"D, 9:05:02");
    const std::wstring kratke = TextData(Cas(2007, 3, 5, 0, 0, 0), 1);
    EXPECT_NE(kratke.find(L", 5.3.2007"), std::wstring::npos) << kratke;
    const std::wstring dlouhe = TextData(Cas(2007, 3, 5, 0, 0, 0), 2);  // a Monday
    EXPECT_EQ(dlouhe.find(L"Pondělí, 5."), 0u) << dlouhe;
    EXPECT_NE(dlouhe.find(L" 2007"), std::wstring::npos) << dlouhe;
}

namespace {
class HodinyModul : public ::testing::Test {
protected:
    void SetUp() override {
        puvodniCas = ziskatMistniCas;
        ziskatMistniCas = Ted;
        puvodniGong = spustitGong;
        spustitGong = [](int pocet) { gongy.push_back(pocet); };
        gongy.clear();
        puvodni = std::move(nastaveniHodiny);
        nastaveniHodiny = std::make_unique<KonfiguraceHodiny>();
    }
    void TearDown() override {
        ziskatMistniCas = puvodniCas;
        spustitGong = puvodniGong;
        nastaveniHodiny = std::move(puvodni);
    }
    static std::vector<int> gongy;
    FunkceMistniCasCasovace puvodniCas = nullptr;
    void (*puvodniGong)(int) = nullptr;
    std::unique_ptr<KonfiguraceHodiny> puvodni;
};
std::vector<int> HodinyModul::gongy;
}  // namespace

TEST_F(HodinyModul, DatumSeZmeniSDnem) {
    nastaveniHodiny->datum = 1;
    ModulHodiny hodiny;
    ted = Cas(2026, 12, 10, 23, 59, 59);
    const std::wstring vecer = hodiny.TextNyni();
    EXPECT_NE(vecer.find(L"10.12.2026, 23:59:59"), std::wstring::npos) << vecer;
    ted = Cas(2026, 12, 11, 0, 0, 1);  // after midnight: today's date, not yesterday's
    const std::wstring rano = hodiny.TextNyni();
    EXPECT_NE(rano.find(L"11.12.2026, 0:00:01"), std::wstring::npos) << rano;
    EXPECT_EQ(rano.find(L"10.12.2026"), std::wstring::npos) << rano;
}

TEST_F(HodinyModul, GongVeSvemCaseAJenJednou) {
    nastaveniHodiny->gong = 1;
    ModulHodiny hodiny;
    ted = Cas(2026, 12, 10, 10, 7, 30);
    hodiny.dalsiGong = DalsiGong(ted, 1);
    ted = Cas(2026, 12, 10, 10, 59, 59);
    hodiny.ZkontrolovatGong();
    EXPECT_TRUE(gongy.empty());
    ted = Cas(2026, 12, 10, 11, 0, 0);
    hodiny.ZkontrolovatGong();
    ASSERT_EQ(gongy.size(), 1u);
    EXPECT_EQ(gongy[0], 5);
    EXPECT_EQ(hodiny.dalsiGong, KalendarniCas(Cas(2026, 12, 10, 12, 0, 0)));
    ted = Cas(2026, 12, 10, 11, 0, 1);
    hodiny.ZkontrolovatGong();
    EXPECT_EQ(gongy.size(), 1u);
}

// The next signal was an absolute time: after the clock was set back nothing chimed until that
// old time came round. The system's time-change message and a resume count it again.
TEST_F(HodinyModul, GongPoNastaveniHodinZpetAPoProbuzeni) {
    nastaveniHodiny->ikona = false;
    nastaveniHodiny->gong = 1;
    const struct {
        UINT zprava;
        WPARAM w;
    } pripady[] = {{WM_TIMECHANGE, 0}, {WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC}};
    for (const auto& p : pripady) {
        gongy.clear();
        ted = Cas(2026, 12, 10, 12, 30, 0);
        ModulHodiny hodiny;
        HWND h = hodiny.VytvoritOkno();
        ASSERT_EQ(hodiny.dalsiGong, KalendarniCas(Cas(2026, 12, 10, 13, 0, 0)));
        ted = Cas(2026, 12, 10, 10, 30, 0);  // set back two hours
        ::PostMessageW(h, p.zprava, p.w, 0);
        MSG msg;
        while (::PeekMessageW(&msg, h, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        EXPECT_EQ(hodiny.dalsiGong, KalendarniCas(Cas(2026, 12, 10, 11, 0, 0))) << "message " << p.zprava;
        ted = Cas(2026, 12, 10, 11, 0, 0);
        hodiny.ZkontrolovatGong();
        EXPECT_EQ(gongy.size(), 1u) << "message " << p.zprava;
        ::SendMessageW(h, WM_CLOSE, 0, 0);
    }
}

TEST(Stopky, MereniSVlozenymCasem) {
    auto puvodni = ziskatTickCount;
    ziskatTickCount = Tik;
    MereniStopek m;
    tik = 1000;
    EXPECT_FALSE(m.Pozastavit());  // stopped: nothing
    EXPECT_FALSE(m.Zastavit());    // and no result
    EXPECT_TRUE(m.Spustit());
    tik = 6000;
    EXPECT_TRUE(m.Pozastavit());  // paused at 5 s
    tik = 16000;                  // wait 10 s
    EXPECT_EQ(m.Cas(), 5000u);
    EXPECT_TRUE(m.Zastavit());
    EXPECT_EQ(m.ulozeno, 5000u);
    EXPECT_EQ(m.stav, MereniStopek::Zastaveno);

    // pause, continue: the time goes on from the paused value; a second start changes nothing
    tik = 20000;
    m.Spustit();
    tik = 21000;
    m.Pozastavit();
    tik = 30000;
    EXPECT_TRUE(m.Spustit());
    tik = 30500;
    EXPECT_FALSE(m.Spustit());
    EXPECT_EQ(m.Cas(), 1500u);

    // one wrap of the tick counter is harmless
    MereniStopek w;
    tik = 0xFFFFF000u;
    w.Spustit();
    tik = 0x00001000u;
    w.Zastavit();
    EXPECT_EQ(w.ulozeno, 0x2000u);
    ziskatTickCount = puvodni;
}

TEST(Stopky, TextyCasu) {
    const struct {
        uint32_t ms;
        const wchar_t* vysledek;
        const wchar_t* displej;
    } pripady[] = {
        {0, L"0:00:00.00", L"0:00:00"},
        {3723456, L"1:02:03.45", L"1:02:03"},
        {59999, L"0:00:59.99", L"0:00:59"},
        {3600000, L"1:00:00.00", L"1:00:00"},
        {360000000, L"100:00:00.00", L"100:00:00"},  // hours are not limited to 24
        {97389000, L"27:03:09.00", L"27:03:09"},
    };
    for (const auto& p : pripady) {
        EXPECT_EQ(TextVysledkuStopek(p.ms), p.vysledek) << p.ms;
        EXPECT_EQ(TextStopek(p.ms), p.displej) << p.ms;
    }
}

namespace {
std::vector<uint32_t> vysledky;
void ZaznamenatVysledek(ModulStopky&, uint32_t ms) { vysledky.push_back(ms); }
}  // namespace

TEST(Stopky, PrikazyOknaAVysledek) {
    auto puvodniTik = ziskatTickCount;
    ziskatTickCount = Tik;
    auto puvodniVysledek = ModulStopky::zobrazitVysledek;
    ModulStopky::zobrazitVysledek = ZaznamenatVysledek;
    vysledky.clear();
    auto puvodni = std::move(nastaveniStopky);
    nastaveniStopky = std::make_unique<KonfiguraceStopky>();
    nastaveniStopky->ikona = false;
    {
        ModulStopky stopky;
        stopky.VytvoritOkno(false);
        tik = 100;
        ::SendMessageW(stopky.m_hWnd, WM_COMMAND, 40157, 0);  // stopped: start
        EXPECT_EQ(stopky.mereni.stav, MereniStopek::Bezi);
        tik = 1334;
        ::SendMessageW(stopky.m_hWnd, WM_COMMAND, 40157, 0);  // running: stop with the result
        ASSERT_EQ(vysledky.size(), 1u);
        EXPECT_EQ(vysledky[0], 1234u);

        nastaveniStopky->zobrazeniVysledku = 0;  // no result box
        ::SendMessageW(stopky.m_hWnd, WM_COMMAND, 40152, 0);
        ::SendMessageW(stopky.m_hWnd, WM_COMMAND, 40154, 0);
        EXPECT_EQ(vysledky.size(), 1u);

        nastaveniStopky->zobrazeniVysledku = 1;
        ::SendMessageW(stopky.m_hWnd, WM_COMMAND, 40152, 0);
        ::SendMessageW(stopky.m_hWnd, WM_CLOSE, 1, 1);  // the program ends: no result
        EXPECT_EQ(vysledky.size(), 1u);
        EXPECT_FALSE(::IsWindow(stopky.m_hWnd));
    }
    nastaveniStopky = std::move(puvodni);
    ModulStopky::zobrazitVysledek = puvodniVysledek;
    ziskatTickCount = puvodniTik;
}

namespace {

// Stop/start cycles driven by a thread timer, whose ticks also come through the modal loop of a
// result box: each cycle starts the stopwatch and stops it after d ms (the box of the previous
// cycle still open); the last one closes the stopwatch ("Zavřít") instead of stopping it.
struct CyklyStopek {
    HWND stopky = nullptr;
    std::vector<uint32_t> delky;
    size_t cyklus = 0;
    enum { Start, Stop, CekatNaBox } krok = Start;
    size_t nejviceBoxu = 0;
    std::vector<std::wstring> casy;  // the time each box showed
    bool hotovo = false;
};
CyklyStopek* cykly = nullptr;

BOOL CALLBACK PridatDialog(HWND okno, LPARAM l) {
    wchar_t trida[16] = L"";
    ::GetClassNameW(okno, trida, 16);
    if (wcscmp(trida, L"#32770") == 0) reinterpret_cast<std::vector<HWND>*>(l)->push_back(okno);
    return TRUE;
}

void CALLBACK KrokCyklu(HWND, UINT, UINT_PTR casovac, DWORD) {
    CyklyStopek& c = *cykly;
    std::vector<HWND> boxy;
    ::EnumThreadWindows(::GetCurrentThreadId(), PridatDialog, reinterpret_cast<LPARAM>(&boxy));
    c.nejviceBoxu = std::max(c.nejviceBoxu, boxy.size());
    const bool posledni = c.cyklus + 1 == c.delky.size();
    switch (c.krok) {
        case CyklyStopek::Start:
            ::PostMessageW(c.stopky, WM_COMMAND, 40157, 0);  // stopped: start
            c.krok = CyklyStopek::Stop;
            break;
        case CyklyStopek::Stop:
            tik += c.delky[c.cyklus];
            if (posledni)
                ::PostMessageW(c.stopky, WM_COMMAND, 40156, 0);  // "Zavřít" while running
            else
                ::PostMessageW(c.stopky, WM_COMMAND, 40157, 0);  // running: stop with the result
            c.krok = CyklyStopek::CekatNaBox;
            break;
        case CyklyStopek::CekatNaBox: {
            const std::wstring ocekavany = TextVysledkuStopek(c.delky[c.cyklus]);
            for (HWND box : boxy) {
                wchar_t text[40] = L"";
                ::GetDlgItemTextW(box, IDC_NAMERENY_CAS, text, 40);
                if (!::IsWindowVisible(box) || ocekavany != text) continue;
                c.casy.push_back(text);
                if (posledni) {
                    ::KillTimer(nullptr, casovac);
                    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
                    c.hotovo = true;
                } else {
                    ++c.cyklus;
                    c.krok = CyklyStopek::Start;
                }
                break;
            }
            break;
        }
    }
}

}  // namespace

TEST(Stopky, ZastaveniPriOtevrenemVysledkuNechaJedinyBox) {
    auto puvodniTik = ziskatTickCount;
    ziskatTickCount = Tik;
    auto puvodni = std::move(nastaveniStopky);
    nastaveniStopky = std::make_unique<KonfiguraceStopky>();
    nastaveniStopky->ikona = false;
    nastaveniStopky->zobrazeniVysledku = 1;
    {
        ModulStopky stopky;
        HWND h = stopky.VytvoritOkno(false);
        CyklyStopek c;
        c.stopky = h;
        c.delky = {1230, 2340, 3450, 4560, 5670};
        cykly = &c;
        tik = 1000;
        ASSERT_NE(::SetTimer(nullptr, 0, 30, KrokCyklu), 0u);
        EXPECT_TRUE(testy::CekatNa([&] { return c.hotovo && !::IsWindow(h); }, 20000));
        cykly = nullptr;
        EXPECT_EQ(c.nejviceBoxu, 1u) << "a result box ran inside another";
        std::vector<std::wstring> ocekavane;
        for (uint32_t d : c.delky) ocekavane.push_back(TextVysledkuStopek(d));
        EXPECT_EQ(c.casy, ocekavane);  // each stop showed its own time, the closing one too
        EXPECT_EQ(stopky.vysledek, nullptr);
    }
    nastaveniStopky = std::move(puvodni);
    ziskatTickCount = puvodniTik;
}

TEST(Stopky, DialogVysledkuUkazeCas) {
    DlgStopkyNamerenyCas nula(0);
    EXPECT_EQ(nula.SpustitModalne(nullptr), IDCANCEL);  // a time of 0 shows no box

    DlgStopkyNamerenyCas dialog(3723456);
    dialog.Vytvorit(nullptr);
    wchar_t text[40] = L"";
    ::GetDlgItemTextW(dialog.m_hWnd, IDC_NAMERENY_CAS, text, 40);
    EXPECT_STREQ(text, L"1:02:03.45");
    ::GetWindowTextW(dialog.m_hWnd, text, 40);
    EXPECT_NE(wcsstr(text, L" - Stopky"), nullptr) << text;
}

TEST_F(HodinyModul, OknoPruhlednePozadiAZmenaNastaveniZpravou) {
    nastaveniHodiny->ikona = false;
    nastaveniHodiny->okno = 0x04 | 0x20;
    nastaveniHodiny->gong = 0;
    ted = Cas(2026, 12, 10, 10, 7, 30);
    ModulHodiny hodiny;
    HWND h = hodiny.VytvoritOkno();
    EXPECT_TRUE(::IsWindowVisible(h));
    EXPECT_TRUE(::GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
    COLORREF klic = 0;
    BYTE alfa = 0;
    DWORD priznaky = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(h, &klic, &alfa, &priznaky));
    EXPECT_EQ(klic, nastaveniHodiny->barvaPozadi);  // the background is see-through, the figures stay
    EXPECT_TRUE(priznaky & LWA_COLORKEY);
    EXPECT_FALSE(::GetWindowLongW(h, GWL_STYLE) & WS_BORDER);

    // the page posts the change; the clock applies it on its own thread (here: this one)
    nastaveniHodiny->okno = 0x40;
    ::PostMessageW(h, ZpravaPouzitNastaveniHodin, 0, 0);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    EXPECT_TRUE(::GetWindowLongW(h, GWL_STYLE) & WS_BORDER);
    EXPECT_FALSE(::GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(::GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_LAYERED);
    ::SendMessageW(h, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(h));
}

TEST(Stopky, ZmenaNastaveniZpravouUkazeSkryteOkno) {
    auto puvodni = std::move(nastaveniStopky);
    nastaveniStopky = std::make_unique<KonfiguraceStopky>();
    nastaveniStopky->ikona = false;
    nastaveniStopky->okno = 0x04;
    {
        ModulStopky stopky;
        HWND h = stopky.VytvoritOkno(false);
        ::ShowWindow(h, SW_HIDE);
        nastaveniStopky->okno = 0x40 | 0x20;
        ::PostMessageW(h, ZpravaPouzitNastaveniStopek, 0, 0);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        EXPECT_TRUE(::IsWindowVisible(h));  // applying the page shows the window again
        EXPECT_TRUE(::GetWindowLongW(h, GWL_STYLE) & WS_BORDER);
        EXPECT_TRUE(::GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_LAYERED);
        ::SendMessageW(h, WM_CLOSE, 1, 1);
    }
    nastaveniStopky = std::move(puvodni);
}

// The clock in the top-right corner keeps that corner when the long date or a new day widens it,
// and stays inside the work area; a stored position off the screen is brought back into it.
TEST_F(HodinyModul, RohovaPolohaZustaneKdyzSeOknoRozsiri) {
    const std::wstring klic = std::wstring(aplikace.klicAplikace) + L"\\Parametry oken\\QKolvexHodiny";
    testy::SmazatKlic(klic);
    nastaveniHodiny->ikona = false;
    nastaveniHodiny->okno = 0x04;
    nastaveniHodiny->gong = 0;
    nastaveniHodiny->datum = 0;
    ted = Cas(2026, 12, 9, 23, 59, 58);  // a Wednesday ("Středa"), then Thursday ("Čtvrtek")
    ModulHodiny hodiny;
    HWND h = hodiny.VytvoritOkno();
    RECT prace{};
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &prace, 0));
    auto uvnitrVRohu = [&](const char* kdy) {
        RECT r{};
        ::GetWindowRect(h, &r);
        EXPECT_EQ(r.right, prace.right) << kdy;
        EXPECT_EQ(r.top, prace.top) << kdy;
        EXPECT_GE(r.left, prace.left) << kdy;
        EXPECT_LE(r.bottom, prace.bottom) << kdy;
        return r.right - r.left;
    };
    const int kratke = uvnitrVRohu("at start");

    // "Použít" with the long date
    nastaveniHodiny->datum = 2;
    ::PostMessageW(h, ZpravaPouzitNastaveniHodin, 0, 0);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    const int dlouhe = uvnitrVRohu("after Apply");
    EXPECT_GT(dlouhe, kratke);

    // midnight: "Čtvrtek" is longer than "Středa"
    ted = Cas(2026, 12, 10, 0, 0, 1);
    ::RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_NE(hodiny.TextNyni().find(L"Čtvrtek"), std::wstring::npos);
    EXPECT_GT(uvnitrVRohu("after midnight"), dlouhe);
    testy::PrekreslitOkno(h);
    testy::CekatNa([] { return false; }, 300);  // the drawing reaches the screen for the picture
    testy::UlozitSnimekOkna(h, L"hodiny_dlouhe_datum");
    ::SendMessageW(h, WM_CLOSE, 0, 0);
    testy::SmazatKlic(klic);
}
