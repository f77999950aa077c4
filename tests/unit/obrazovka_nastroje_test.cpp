// The screen tools on their threads: measuring with lines and by an area with their results
// panels, and the colour picker with its panel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/text.h"
#include "podpora/obrazky.h"
#include "podpora/pomocnik.h"
#include "podpora/snimek.h"
#include "resources/resource.h"
#include "screen/mereniuseckami.h"
#include "screen/modulobrazovka.h"
#include "screen/rezimy.h"
#include "screen/sberacbarvy.h"
#include "screen/vybervyrezem.h"

namespace {

const std::wstring KLIC_OKEN = L"Software\\Brenvald\\Kolvex\\5.0\\Parametry oken";

std::wstring TextOkna(HWND okno) {
    wchar_t text[256] = {};
    ::GetWindowTextW(okno, text, 256);
    return text;
}

std::wstring TextPrvku(HWND dialog, int id) {
    wchar_t text[256] = {};
    ::GetDlgItemTextW(dialog, id, text, 256);
    return text;
}


BOOL CALLBACK NajitDialog(HWND okno, LPARAM l) {
    wchar_t trida[32] = {};
    ::GetClassNameW(okno, trida, 32);
    if (std::wstring(trida) == L"#32770") {
        *reinterpret_cast<HWND*>(l) = okno;
        return FALSE;
    }
    return TRUE;
}

// The results panel: the dialog on the tool window's thread.
HWND PanelNastroje(HWND nastroj) {
    if (!nastroj) return nullptr;
    HWND panel = nullptr;
    ::EnumThreadWindows(::GetWindowThreadProcessId(nastroj, nullptr), NajitDialog, reinterpret_cast<LPARAM>(&panel));
    return panel && ::IsWindowVisible(panel) ? panel : nullptr;
}

// Moves the real cursor over the full-screen tool and waits until the tool has seen it there
// (its panel's caption follows the mouse); the drags of the tests are real mouse moves.
bool PresunoutKurzor(HWND panel, int x, int y) {
    const std::wstring cil = knihovna::Formatovat(L"Poloha: %d, %d", x, y);
    // A window just shown may miss the first move: move again (off the point and back) until seen.
    for (int pokus = 0; pokus < 20; ++pokus) {
        POINT bod;
        ::GetCursorPos(&bod);
        if (pokus > 0 || (bod.x == x && bod.y == y)) ::SetCursorPos(x + 1, y);
        ::SetCursorPos(x, y);
        if (testy::CekatNa([&] { return TextOkna(panel) == cil; }, 250)) return true;
    }
    return false;
}

HWND OknoVyberu() { return ::FindWindowW(L"QVyberVyrezem", nullptr); }

// Waits until the panel's readouts all show one drag: the tool writes them one by one, and
// extra mouse moves (capture, frame changes) may come in between.
::testing::AssertionResult CekatNaVysledky(HWND panel, const wchar_t* od, const wchar_t* konec, const wchar_t* delka,
                                           const wchar_t* x, const wchar_t* y) {
    auto stav = [&] {
        return TextPrvku(panel, IDC_MERENI_OD) + L" | " + TextPrvku(panel, IDC_MERENI_DO) + L" | " +
               TextPrvku(panel, IDC_MERENI_VZDALENOST) + L" | " + TextPrvku(panel, IDC_MERENI_X) + L" | " +
               TextPrvku(panel, IDC_MERENI_Y);
    };
    const std::wstring cil = std::wstring(od) + L" | " + konec + L" | " + delka + L" | " + x + L" | " + y;
    if (testy::CekatNa([&] { return stav() == cil; })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << knihovna::NaUzky(stav(), CP_UTF8) << " instead of "
                                         << knihovna::NaUzky(cil, CP_UTF8);
}

class ObrazovkaNastroje : public ::testing::Test {
protected:
    void SetUp() override {
        testy::SpustitGdiPlus();
        aplikace.titulek = L"Kolvex";
        puvodni = std::move(nastaveniObrazovka);
        nastaveniObrazovka = std::make_unique<KonfiguraceObrazovka>();
        nastaveniObrazovka->NastavitVychozi();
        testy::SmazatKlic(KLIC_OKEN);
    }
    void TearDown() override {
        OknoMereniObrUseckami::Zastavit();
        OknoVyberVyrezem::Zastavit();
        OknoSberacBarvy::Zastavit();
        nastaveniObrazovka = std::move(puvodni);
    }
    std::unique_ptr<KonfiguraceObrazovka> puvodni;
};

// A window of one colour under the cursor.
class BarevneOkno {
public:
    explicit BarevneOkno(COLORREF barva) : m_stetec(::CreateSolidBrush(barva)) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hbrBackground = m_stetec;
        wc.lpszClassName = L"KolvexTestBarva";
        ::UnregisterClassW(wc.lpszClassName, wc.hInstance);
        ::RegisterClassW(&wc);
        m_okno = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 40,
                                   40, 120, 120, nullptr, nullptr, wc.hInstance, nullptr);
        ::UpdateWindow(m_okno);
        // Wine copies the painted window to the screen a moment later; a pick reads the screen
        m_naObrazovce = testy::CekatNa([&] {
            HDC dc = ::GetDC(nullptr);
            const COLORREF bod = ::GetPixel(dc, 100, 100);
            ::ReleaseDC(nullptr, dc);
            return bod == barva;
        });
    }
    // Whether the screen shows the colour at (100, 100).
    bool NaObrazovce() const { return m_naObrazovce; }
    ~BarevneOkno() {
        ::DestroyWindow(m_okno);
        ::DeleteObject(m_stetec);
    }

private:
    HBRUSH m_stetec;
    HWND m_okno;
    bool m_naObrazovce = false;
};

}  // namespace

TEST_F(ObrazovkaNastroje, MereniUseckamiUkazujeVysledkyAStopBehemKresleniNastrojZavre) {
    testy::ZachytavacZprav zpravy;
    OknoMereniObrUseckami::Spustit();
    HWND nastroj = nullptr, panel = nullptr;
    ASSERT_TRUE(testy::CekatNa([&] {
        nastroj = OknoMereniObrUseckami::OknoNastroje();
        panel = PanelNastroje(nastroj);
        return panel != nullptr;
    }));
    // before the first line the numbers read "?"; the magnifier hides the list
    EXPECT_EQ(TextPrvku(panel, IDC_MERENI_VZDALENOST), L"?");
    EXPECT_EQ(TextPrvku(panel, IDC_MERENI_X), L"?");
    EXPECT_EQ(TextPrvku(panel, IDC_MERENI_Y), L"?");
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(panel, IDC_MERENI_SEZNAM)));
    EXPECT_TRUE(::GetWindowLongPtrW(nastroj, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT r;
    ::GetWindowRect(panel, &r);
    RECT plocha;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &plocha, 0);
    EXPECT_EQ(r.left, plocha.left) << "a panel never moved sits at the top-left of the work area";
    EXPECT_EQ(r.top, plocha.top);

    ASSERT_TRUE(PresunoutKurzor(panel, 410, 410));
    ::PostMessageW(nastroj, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(410, 410));
    ASSERT_TRUE(PresunoutKurzor(panel, 413, 414));
    ASSERT_TRUE(CekatNaVysledky(panel, L"410, 410", L"413, 414", L"5", L"3", L"4"));
    EXPECT_EQ(TextOkna(panel), L"Poloha: 413, 414");
    EXPECT_FALSE(::GetWindowLongPtrW(panel, GWL_STYLE) & WS_SYSMENU) << "no closing during a line";

    // Escape during a line does nothing
    ::PostMessageW(nastroj, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(PresunoutKurzor(panel, 420, 420));
    ASSERT_TRUE(testy::CekatNa([&] { return TextPrvku(panel, IDC_MERENI_VZDALENOST) == L"14"; }));
    EXPECT_TRUE(OknoMereniObrUseckami::Bezi());

    // the second click finishes the line into the list; the key shows the list
    ::PostMessageW(nastroj, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(420, 420));
    ::PostMessageW(nastroj, WM_KEYDOWN, VK_CONTROL, 0);
    HWND seznam = ::GetDlgItem(panel, IDC_MERENI_SEZNAM);
    ASSERT_TRUE(testy::CekatNa([&] { return ::IsWindowVisible(seznam) != FALSE; }));
    ASSERT_EQ(::SendMessageW(seznam, LB_GETCOUNT, 0, 0), 1);
    wchar_t radek[100] = {};
    ::SendMessageW(seznam, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(radek));
    EXPECT_STREQ(radek, L"410, 410 - 420, 420 -> 14 bodů");
    EXPECT_TRUE(::GetWindowLongPtrW(panel, GWL_STYLE) & WS_SYSMENU);
    testy::PrekreslitOkno(panel);
    POINT nahore{10, 10};
    EXPECT_EQ(::GetAncestor(::WindowFromPoint(nahore), GA_ROOT), panel) << "the panel stays above the frozen screen";
    testy::CekatNa([] { return false; }, 300);  // the drawing reaches the screen for the picture
    testy::UlozitSnimekOkna(panel, L"mereni_usecky");

    // a stop while a line is being drawn closes the tool, and reports nothing
    ASSERT_TRUE(PresunoutKurzor(panel, 430, 430));
    ::PostMessageW(nastroj, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(430, 430));
    ASSERT_TRUE(PresunoutKurzor(panel, 440, 430));
    ASSERT_TRUE(testy::CekatNa([&] { return TextPrvku(panel, IDC_MERENI_VZDALENOST) == L"10"; }));
    OknoMereniObrUseckami::Zastavit();
    EXPECT_FALSE(OknoMereniObrUseckami::Bezi());
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
}

TEST_F(ObrazovkaNastroje, MereniVyrezemMaPanelAJehoZavreniUkonciNastroj) {
    testy::ZachytavacZprav zpravy;
    nastaveniObrazovka->mereniVyrez.zoom = 0;  // a damaged zoom is clamped, never divides by 0
    OknoVyberVyrezem::SpustitMereni();
    HWND nastroj = nullptr, panel = nullptr;
    ASSERT_TRUE(testy::CekatNa([&] {
        nastroj = OknoVyberu();
        panel = PanelNastroje(nastroj);
        return panel != nullptr;
    }));
    EXPECT_EQ(TextPrvku(panel, IDC_MERENI_VZDALENOST), L"?");
    EXPECT_EQ(TextPrvku(panel, IDC_MERENI_X), L"?");
    EXPECT_EQ(TextPrvku(panel, IDC_MERENI_Y), L"?");
    ASSERT_TRUE(PresunoutKurzor(panel, 500, 500));
    ::PostMessageW(nastroj, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(500, 500));
    ASSERT_TRUE(PresunoutKurzor(panel, 503, 504));
    ASSERT_TRUE(CekatNaVysledky(panel, L"500, 500", L"503, 504", L"5", L"3", L"4"));
    ::PostMessageW(nastroj, WM_LBUTTONUP, 0, MAKELPARAM(503, 504));
    ASSERT_TRUE(testy::CekatNa([&] { return (::GetWindowLongPtrW(panel, GWL_STYLE) & WS_SYSMENU) != 0; }));
    testy::PrekreslitOkno(panel);
    testy::CekatNa([] { return false; }, 300);  // lets the panel finish painting for the picture
    testy::UlozitSnimekOkna(panel, L"mereni_vyrezem");

    // the panel's Cancel ends the measuring tool; its position is kept
    ::PostMessageW(panel, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(testy::CekatNa([] { return !OknoVyberVyrezem::Bezi(); }));
    EXPECT_TRUE(testy::ExistujeKlic(KLIC_OKEN + L"\\MereniObrVyrez"));
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
}

TEST_F(ObrazovkaNastroje, SberacBarvyUkazeBarvuPodKurzoremAKopirujeLiteral) {
    testy::ZachytavacZprav zpravy;
    BarevneOkno barevne(RGB(0x56, 0x34, 0x12));
    ASSERT_TRUE(barevne.NaObrazovce()) << "the coloured window is not on the screen";
    // The pointer goes over it before the tool starts. Wine moves the X pointer asynchronously: a
    // window moved in the same instant (the picker hides its window for the pick) could report
    // the old pointer position back as a move, and the pick would read the screen there.
    ::SetCursorPos(100, 100);
    nastaveniObrazovka->sberacBarvy.skryvat = true;
    OknoSberacBarvy::Spustit();
    HWND okno = nullptr, dialog = nullptr;
    ASSERT_TRUE(testy::CekatNa([&] {
        okno = OknoSberacBarvy::OknoNastroje();
        dialog = okno ? ::FindWindowExW(okno, nullptr, L"#32770", nullptr) : nullptr;
        return dialog && ::IsWindowVisible(okno);
    }));
    EXPECT_EQ(TextOkna(okno), L"Kolvex - Sběrač barvy");
    EXPECT_TRUE(::GetWindowLongPtrW(okno, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(::GetWindowLongPtrW(okno, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    // first start: sized to the panel, in the bottom-right corner of the work area
    RECT klient, panel, rOkna, plocha;
    ::GetClientRect(okno, &klient);
    ::GetWindowRect(dialog, &panel);
    EXPECT_EQ(klient.right, panel.right - panel.left);
    EXPECT_EQ(klient.bottom, panel.bottom - panel.top);
    ::GetWindowRect(okno, &rOkna);
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &plocha, 0);
    EXPECT_EQ(rOkna.right, plocha.right);
    EXPECT_EQ(rOkna.bottom, plocha.bottom);

    // a pick: the button goes down in the magnifier, the mouse moves over the coloured window
    RECT ramecek;
    ::GetWindowRect(::GetDlgItem(dialog, IDC_SBERAC_RAMECEK), &ramecek);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&ramecek), 2);
    const int x = (ramecek.left + ramecek.right) / 2, y = (ramecek.top + ramecek.bottom) / 2;
    ::PostMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ASSERT_TRUE(testy::CekatNa([&] {
        RECT r;
        ::GetWindowRect(okno, &r);
        return r.left == 3000;
    })) << "hidden away during the pick";
    ::PostMessageW(dialog, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
    ASSERT_TRUE(testy::CekatNa([&] { return TextPrvku(dialog, IDC_BARVA_CERVENA) == L"86"; }));
    EXPECT_EQ(TextPrvku(dialog, IDC_BARVA_ZELENA), L"52");
    EXPECT_EQ(TextPrvku(dialog, IDC_BARVA_MODRA), L"18");
    EXPECT_EQ(TextPrvku(dialog, IDC_BARVA_ODSTIN), L"30");
    EXPECT_EQ(TextPrvku(dialog, IDC_BARVA_SYTOST), L"79");
    EXPECT_EQ(TextPrvku(dialog, IDC_BARVA_JAS), L"33");
    EXPECT_EQ(TextPrvku(dialog, IDC_BARVA_HTML), L"#563412");
    EXPECT_EQ(TextPrvku(dialog, IDC_BARVA_C), L"0x00123456");
    EXPECT_EQ(TextPrvku(dialog, IDC_BARVA_DELPHI), L"$00123456");
    EXPECT_EQ(TextPrvku(dialog, IDC_BARVA_VB), L"&H00123456&");
    ::PostMessageW(dialog, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    ASSERT_TRUE(testy::CekatNa([&] {
        RECT r;
        ::GetWindowRect(okno, &r);
        return ::EqualRect(&r, &rOkna) != FALSE;
    })) << "back at exactly its old place and size";

    // a copy button puts its literal on the clipboard
    const DWORD poradi = ::GetClipboardSequenceNumber();
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_KOPIROVAT_C, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_KOPIROVAT_C)));
    std::wstring schranka;
    ASSERT_TRUE(testy::CekatNa([&] {
        // opened only once the picker has written it, never while the picker wants it
        if (::GetClipboardSequenceNumber() == poradi || !::OpenClipboard(nullptr)) return false;
        if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
            if (auto* text = static_cast<const wchar_t*>(::GlobalLock(data))) {
                schranka = text;
                ::GlobalUnlock(data);
            }
        }
        ::CloseClipboard();
        return schranka == L"0x00123456";
    }));
    ::SetWindowPos(okno, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    testy::PrekreslitOkno(okno);
    testy::CekatNa([] { return false; }, 300);  // the drawing reaches the screen for the picture
    testy::UlozitSnimekOkna(okno, L"sberac_barvy");

    // the start command while it runs stops it; the position is kept
    OknoSberacBarvy::Zastavit();
    EXPECT_FALSE(OknoSberacBarvy::Bezi());
    EXPECT_TRUE(testy::ExistujeKlic(KLIC_OKEN + L"\\QSberacBarvy"));
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
}

TEST_F(ObrazovkaNastroje, SberacBarvyBezNavrchuJeObycejneOkno) {
    nastaveniObrazovka->sberacBarvy.navrchu = false;
    OknoSberacBarvy::Spustit();
    HWND okno = nullptr;
    ASSERT_TRUE(testy::CekatNa([&] {
        okno = OknoSberacBarvy::OknoNastroje();
        return okno && ::IsWindowVisible(okno);
    }));
    EXPECT_FALSE(::GetWindowLongPtrW(okno, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

namespace {
std::vector<DWORD> prepnuteSirky;
LONG WINAPI ZaznamenatPrepnuti(DEVMODEW* rezim, DWORD) {
    prepnuteSirky.push_back(rezim->dmPelsWidth);
    return DISP_CHANGE_SUCCESSFUL;
}

// The screen module's menu 155 while it is open: the display-modes item and its submenu.
struct StavNabidky {
    bool nalezena = false;
    UINT stavRezimu = 0;
    int polozekRezimu = -1;
    UINT stavSberace = 0;
};
StavNabidky stavNabidky;
void CALLBACK PrecistNabidku(HWND, UINT, UINT_PTR casovac, DWORD) {
    ::KillTimer(nullptr, casovac);
    HWND menu = ::FindWindowW(L"#32768", nullptr);
    HMENU h = menu ? reinterpret_cast<HMENU>(::SendMessageW(menu, MN_GETHMENU, 0, 0)) : nullptr;
    if (h) {
        stavNabidky.nalezena = true;
        stavNabidky.stavRezimu = ::GetMenuState(h, 40130, MF_BYCOMMAND);
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_SUBMENU;
        ::GetMenuItemInfoW(h, 40130, FALSE, &info);
        stavNabidky.polozekRezimu = info.hSubMenu ? ::GetMenuItemCount(info.hSubMenu) : 0;
        stavNabidky.stavSberace = ::GetMenuState(h, 40127, MF_BYCOMMAND);
    }
    if (menu) ::PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    ::EndMenu();
}
}  // namespace

TEST_F(ObrazovkaNastroje, PrikazyModuluPrepinajiNastrojeARezimy) {
    testy::ZachytavacZprav zpravy;
    auto puvodniRezimy = std::move(rezimyObrazovky);
    rezimyObrazovky = std::make_unique<RezimyObrazovky>();
    auto modul = std::make_unique<ModulObrazovka>();
    modul->VytvoritOkno();

    // without saved modes 40130 is greyed and has no submenu
    stavNabidky = StavNabidky();
    ::SetTimer(nullptr, 0, 300, PrecistNabidku);
    modul->ZobrazitNabidku();
    ASSERT_TRUE(stavNabidky.nalezena);
    EXPECT_TRUE(stavNabidky.stavRezimu & MF_GRAYED);
    EXPECT_EQ(stavNabidky.polozekRezimu, 0);

    // 40127 starts the colour picker, and the menu checks it
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40127, 0);
    EXPECT_TRUE(OknoSberacBarvy::Bezi());
    RezimObrazovky rezim;
    rezim.sirka = 800;
    rezim.vyska = 600;
    rezim.barevHloubka = 32;
    rezim.frekvence = 60;
    rezimyObrazovky->rezimy = {rezim, rezim};
    stavNabidky = StavNabidky();
    ::SetTimer(nullptr, 0, 300, PrecistNabidku);
    modul->ZobrazitNabidku();
    ASSERT_TRUE(stavNabidky.nalezena);
    EXPECT_FALSE(stavNabidky.stavRezimu & MF_GRAYED);
    EXPECT_EQ(stavNabidky.polozekRezimu, 2);
    EXPECT_TRUE(stavNabidky.stavSberace & MF_CHECKED);
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40127, 0);
    EXPECT_FALSE(OknoSberacBarvy::Bezi());

    // 40128 toggles measuring with lines
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40128, 0);
    EXPECT_TRUE(OknoMereniObrUseckami::Bezi());
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40128, 0);
    EXPECT_FALSE(OknoMereniObrUseckami::Bezi());

    // 51500 + index switches to that saved mode
    auto* const puvodniZmena = zmenaRezimu;
    zmenaRezimu = ZaznamenatPrepnuti;
    prepnuteSirky.clear();
    rezimyObrazovky->rezimy[1].sirka = 1024;
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 51501, 0);
    zmenaRezimu = puvodniZmena;
    EXPECT_EQ(prepnuteSirky, std::vector<DWORD>{1024});
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;

    modul.reset();
    rezimyObrazovky = std::move(puvodniRezimy);
}

// A stop at a random moment of a session (before the window exists, while it is being made, while
// it runs) ends the tool within the time-out, without a report and without a window left behind:
// the stop never touches the tool's object, only its thread record.
TEST_F(ObrazovkaNastroje, ZastaveniVNahodnouChviliMereniISberu) {
    struct Nastroj {
        const char* nazev;
        void (*spustit)();
        void (*zastavit)();
        bool (*bezi)();
        HWND (*okno)();
    };
    const Nastroj nastroje[] = {
        {"mereni useckami", OknoMereniObrUseckami::Spustit, OknoMereniObrUseckami::Zastavit,
         OknoMereniObrUseckami::Bezi, OknoMereniObrUseckami::OknoNastroje},
        {"sberac barvy", OknoSberacBarvy::Spustit, OknoSberacBarvy::Zastavit, OknoSberacBarvy::Bezi,
         OknoSberacBarvy::OknoNastroje},
    };
    testy::ZachytavacZprav zpravy;
    unsigned nahoda = 12345;
    for (const Nastroj& n : nastroje) {
        for (int i = 0; i < 25; ++i) {
            SCOPED_TRACE(std::string(n.nazev) + " " + std::to_string(i));
            n.spustit();
            nahoda = nahoda * 1103515245u + 12345u;
            const DWORD chvile = (nahoda >> 16) % 60;  // 0..59 ms into the session
            if (chvile) ::Sleep(chvile);
            const ULONGLONG zacatek = ::GetTickCount64();
            n.zastavit();
            EXPECT_LT(::GetTickCount64() - zacatek, 2000u);
            EXPECT_FALSE(n.bezi());
            EXPECT_EQ(n.okno(), nullptr);
        }
    }
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
}
