// Window actions: the gesture table, the geometry of halves and sizes, the alpha arithmetic, and
// the actions on real windows of this process.
#include <gtest/gtest.h>

#include "core/konfiguracenastroju.h"
#include "knihovna/chyba.h"
#include "knihovna/okno.h"
#include "windows/akceoken.h"

namespace {

struct OknoTestu {
    explicit OknoTestu(DWORD styl = WS_OVERLAPPEDWINDOW, int sirka = 300, int vyska = 200) {
        okno = ::CreateWindowExW(0, L"STATIC", L"Okno akcí", styl, 200, 150, sirka, vyska, nullptr, nullptr, nullptr,
                                 nullptr);
    }
    ~OknoTestu() { ::DestroyWindow(okno); }
    RECT Obdelnik() const {
        RECT r{};
        ::GetWindowRect(okno, &r);
        return r;
    }
    HWND okno;
};

RECT Prace() {
    RECT r{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

HRESULT ChybaAkce(void (*akce)()) {
    try {
        akce();
    } catch (const knihovna::Chyba& c) {
        return c.Hresult();
    }
    return S_OK;
}

uint32_t Kolecko(short posun, WORD klavesy) { return MAKELONG(klavesy, static_cast<WORD>(posun)); }

}  // namespace

TEST(GestaOken, TabulkaTlacitekKlavesAMistKGestum) {
    struct Pripad {
        UINT zprava;
        uint32_t wParam;
        bool ctrl, shift;
        int gesto;
    };
    const Pripad pripady[] = {
        // left button in the title bar: only with Ctrl and/or Shift
        {WM_NCLBUTTONDOWN, HTCAPTION, false, false, -1},
        {WM_NCLBUTTONDOWN, HTCAPTION, true, false, GESTO_CTRL_LEVE_TITULEK},
        {WM_NCLBUTTONDOWN, HTCAPTION, false, true, GESTO_SHIFT_LEVE_TITULEK},
        {WM_NCLBUTTONDOWN, HTCAPTION, true, true, GESTO_CTRL_SHIFT_LEVE_TITULEK},
        {WM_NCLBUTTONDOWN, HTCLOSE, true, false, -1},
        // middle button in the title bar, plain too
        {WM_NCMBUTTONDOWN, HTCAPTION, false, false, GESTO_STREDNI_TITULEK},
        {WM_NCMBUTTONDOWN, HTCAPTION, true, true, GESTO_CTRL_SHIFT_STREDNI_TITULEK},
        {WM_NCMBUTTONDOWN, HTSYSMENU, false, false, -1},
        // right button only on the close button
        {WM_NCRBUTTONDOWN, HTCLOSE, false, false, GESTO_PRAVE_ZAVRIT},
        {WM_NCRBUTTONDOWN, HTCLOSE, false, true, GESTO_SHIFT_PRAVE_ZAVRIT},
        {WM_NCRBUTTONDOWN, HTCAPTION, false, false, -1},
        {WM_NCRBUTTONDOWN, HTMAXBUTTON, true, false, -1},
        // X buttons: the low word is the hit-test code, the high word the button
        {WM_NCXBUTTONDOWN, MAKELONG(HTCAPTION, XBUTTON1), false, false, GESTO_ZPET_TITULEK},
        {WM_NCXBUTTONDOWN, MAKELONG(HTCAPTION, XBUTTON1), true, false, GESTO_CTRL_ZPET_TITULEK},
        {WM_NCXBUTTONDOWN, MAKELONG(HTCAPTION, XBUTTON2), false, true, GESTO_SHIFT_VPRED_TITULEK},
        {WM_NCXBUTTONDOWN, MAKELONG(HTCAPTION, XBUTTON2), true, true, GESTO_CTRL_SHIFT_VPRED_TITULEK},
        {WM_NCXBUTTONDOWN, MAKELONG(HTCAPTION, 3), false, false, -1},
        {WM_NCXBUTTONDOWN, MAKELONG(HTMENU, XBUTTON1), false, false, -1},
        // the wheel: keys from its own wParam, the held keys do not count
        {WM_MOUSEWHEEL, Kolecko(-120, MK_CONTROL), false, false, GESTO_CTRL_KOLECKO_K_SOBE},
        {WM_MOUSEWHEEL, Kolecko(-360, MK_CONTROL), false, false, GESTO_CTRL_KOLECKO_K_SOBE},
        {WM_MOUSEWHEEL, Kolecko(-120, MK_CONTROL | MK_SHIFT), false, false, GESTO_CTRL_SHIFT_KOLECKO_K_SOBE},
        {WM_MOUSEWHEEL, Kolecko(-120, MK_SHIFT), false, false, GESTO_SHIFT_KOLECKO_K_SOBE},
        {WM_MOUSEWHEEL, Kolecko(120, MK_CONTROL), false, false, GESTO_CTRL_KOLECKO_OD_SEBE},
        {WM_MOUSEWHEEL, Kolecko(240, MK_CONTROL | MK_SHIFT), false, false, GESTO_CTRL_SHIFT_KOLECKO_OD_SEBE},
        {WM_MOUSEWHEEL, Kolecko(120, MK_SHIFT | MK_LBUTTON), false, false, GESTO_SHIFT_KOLECKO_OD_SEBE},
        {WM_MOUSEWHEEL, Kolecko(120, 0), true, true, -1},
        {WM_MOUSEWHEEL, Kolecko(0, MK_CONTROL), false, false, -1},
        // other messages are no gestures
        {WM_NCLBUTTONUP, HTCAPTION, true, false, -1},
        {WM_MOUSEMOVE, 0, true, true, -1},
    };
    for (const Pripad& p : pripady)
        EXPECT_EQ(UrcitGesto(p.zprava, p.wParam, p.ctrl, p.shift), p.gesto)
            << "message 0x" << std::hex << p.zprava << " wParam 0x" << p.wParam << " ctrl " << p.ctrl << " shift "
            << p.shift;
}

TEST(GestaOken, VychoziAkceGestPodleTabulky) {
    KonfiguraceRozsireniOken n;
    // Ctrl+left: not on top; a right click on the close button hides; Ctrl+wheel grows and shrinks
    EXPECT_EQ(n.akceGest[UrcitGesto(WM_NCLBUTTONDOWN, HTCAPTION, true, false)], AKCE_NAVRCHU_VYPNOUT);
    EXPECT_EQ(n.akceGest[UrcitGesto(WM_NCRBUTTONDOWN, HTCLOSE, false, false)], AKCE_SKRYT);
    EXPECT_EQ(n.akceGest[UrcitGesto(WM_MOUSEWHEEL, Kolecko(-120, MK_CONTROL), false, false)], AKCE_ZVETSIT);
    EXPECT_EQ(n.akceGest[UrcitGesto(WM_MOUSEWHEEL, Kolecko(120, MK_CONTROL), false, false)], AKCE_ZMENSIT);
    EXPECT_EQ(n.akceGest[UrcitGesto(WM_NCXBUTTONDOWN, MAKELONG(HTCAPTION, XBUTTON2), false, false)], AKCE_PRUHLEDNOST);
}

TEST(GeometrieOken, PolovinyObrazovky) {
    // odd sizes: halves truncate; the taskbar at the top, which no half may cover
    const RECT prace{0, 40, 1281, 1001};
    const RECT okno{100, 100, 400, 300};
    struct Pripad {
        Polovina polovina;
        bool menitelne;
        RECT ocekavany;  // x, y, width, height
    };
    const Pripad pripady[] = {
        {Polovina::Leva, true, {0, 40, 640, 961}},
        {Polovina::Prava, true, {640, 40, 640, 961}},
        {Polovina::Horni, true, {0, 40, 1281, 480}},
        {Polovina::Dolni, true, {0, 520, 1281, 480}},
        // not resizable: moved, the size kept
        {Polovina::Leva, false, {0, 40, 300, 200}},
        {Polovina::Dolni, false, {0, 520, 300, 200}},
    };
    for (const Pripad& p : pripady) {
        RECT v = ObdelnikPoloviny(prace, okno, p.menitelne, p.polovina);
        EXPECT_EQ(v.left, p.ocekavany.left);
        EXPECT_EQ(v.top, p.ocekavany.top);
        EXPECT_EQ(v.right, p.ocekavany.right);
        EXPECT_EQ(v.bottom, p.ocekavany.bottom);
    }
}

TEST(GeometrieOken, ZvetseniAZmenseniOKrok) {
    SIZE nova{};
    EXPECT_FALSE(VelikostPoZmenseni(13, 100, 4, nova)) << "13 - 4 < 10";
    ASSERT_TRUE(VelikostPoZmenseni(14, 100, 4, nova));
    EXPECT_EQ(nova.cx, 6);
    EXPECT_EQ(nova.cy, 92);
    EXPECT_FALSE(VelikostPoZmenseni(100, 13, 4, nova));
    SIZE vetsi = VelikostPoZvetseni(100, 50, 4);
    EXPECT_EQ(vetsi.cx, 108);
    EXPECT_EQ(vetsi.cy, 58);
}

TEST(PruhlednostOken, AlfaZProcentAKroku) {
    EXPECT_EQ(AlfaZProcent(50), 127);
    EXPECT_EQ(AlfaZProcent(0), 255);
    EXPECT_EQ(AlfaZProcent(100), 0);
    EXPECT_EQ(AlfaZProcent(5), 242);
    EXPECT_EQ(ChybaAkce([] { AlfaZProcent(-1); }), E_INVALIDARG);
    EXPECT_EQ(ChybaAkce([] { AlfaZProcent(101); }), E_INVALIDARG);

    struct Pripad {
        BYTE alfa;
        int krok;
        BYTE vice, mene;
    };
    const Pripad pripady[] = {
        {255, 8, 247, 255},  // 255 + 8 > 255: stays
        {8, 8, 8, 16},       // 8 - 8 = 0: never reaches 0 by steps
        {9, 8, 1, 17},
        {250, 8, 242, 250},  // 258: stays at 250
        {247, 8, 239, 255},  // 255 is reached exactly
        {100, 0, 100, 100},  // no step
        {100, -5, 100, 100},
    };
    for (const Pripad& p : pripady) {
        EXPECT_EQ(AlfaViceProhledna(p.alfa, p.krok), p.vice) << int(p.alfa) << " step " << p.krok;
        EXPECT_EQ(AlfaMeneProhledna(p.alfa, p.krok), p.mene) << int(p.alfa) << " step " << p.krok;
    }
}

TEST(PruhlednostOken, KrokyNaOknuBezVrstvyZacinajiOdNeprusvitneho) {
    OknoTestu o;
    ASSERT_NE(o.okno, nullptr);
    EXPECT_EQ(AktualniAlfa(o.okno), 255) << "a window never layered is opaque";
    SnizitPruhlednost(o.okno, 8);
    EXPECT_EQ(AktualniAlfa(o.okno), 255);
    ZvysitPruhlednost(o.okno, 8);
    EXPECT_EQ(AktualniAlfa(o.okno), 247);
    ZvysitPruhlednost(o.okno, 8);
    EXPECT_EQ(AktualniAlfa(o.okno), 239);
    SnizitPruhlednost(o.okno, 8);
    EXPECT_EQ(AktualniAlfa(o.okno), 247);

    // a colour key alone carries no alpha: the next step starts from 255 again
    NastavitPruhlednouBarvu(o.okno, RGB(255, 255, 255));
    ZvysitPruhlednost(o.okno, 8);
    EXPECT_EQ(AktualniAlfa(o.okno), 247);

    // by percentage through the hot-key entry point, then none
    ProvestAkciOknaNa(o.okno, 40103);
    EXPECT_EQ(AktualniAlfa(o.okno), 127);
    ProvestAkciOknaNa(o.okno, 40106);
    EXPECT_EQ(::GetWindowLongPtrW(o.okno, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
}

TEST(PruhlednostOken, NeplatneArgumenty) {
    static OknoTestu o;
    EXPECT_EQ(ChybaAkce([] { NastavitPruhlednostABarvu(o.okno, 0, RGB(1, 2, 3)); }), E_INVALIDARG);
    EXPECT_EQ(ChybaAkce([] { NastavitPruhlednostABarvu(o.okno, 101, RGB(1, 2, 3)); }), E_INVALIDARG);
    EXPECT_EQ(ChybaAkce([] { NastavitPruhlednostABarvu(o.okno, 50, 0x01000000); }), E_INVALIDARG);
    EXPECT_EQ(ChybaAkce([] { NastavitPruhlednouBarvu(o.okno, 0xFF000000); }), E_INVALIDARG);
    EXPECT_EQ(ChybaAkce([] { knihovna::NastavitPruhlednostOkna(o.okno, 101); }), E_INVALIDARG);
    EXPECT_EQ(ChybaAkce([] { NastavitPruhlednostABarvu(o.okno, 1, RGB(1, 2, 3)); }), S_OK);
    EXPECT_EQ(AktualniAlfa(o.okno), 252);
    // a vanished window: the platform's failure is raised, not ignored
    HWND zrusene = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ::DestroyWindow(zrusene);
    static HWND zruseneOkno;
    zruseneOkno = zrusene;
    EXPECT_TRUE(FAILED(ChybaAkce([] { ZvetsitOkno(zruseneOkno, 4); })));
}

TEST(AkceOken, PolovinaAVelikostNaSkutecnychOknech) {
    const RECT prace = Prace();
    const int ww = prace.right - prace.left, wh = prace.bottom - prace.top;
    {
        // a dialog-like window without WS_THICKFRAME keeps its size in the left half
        OknoTestu dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU, 300, 200);
        ProvestAkciOknaNa(dialog.okno, 40099);
        RECT r = dialog.Obdelnik();
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.top, 0);
        EXPECT_EQ(r.right - r.left, 300);
        EXPECT_EQ(r.bottom - r.top, 200);
    }
    {
        OknoTestu okno;
        ProvestAkciOknaNa(okno.okno, 40100);
        RECT r = okno.Obdelnik();
        EXPECT_EQ(r.left, ww / 2);
        EXPECT_EQ(r.top, 0);
        EXPECT_EQ(r.right - r.left, ww / 2);
        EXPECT_EQ(r.bottom - r.top, wh);

        ProvestAkciOknaNa(okno.okno, 40050);  // top right of the work area, size kept
        r = okno.Obdelnik();
        EXPECT_EQ(r.right, prace.right);
        EXPECT_EQ(r.top, prace.top);
    }
    {
        OknoTestu male(WS_POPUP, 14, 40);
        ProvestAkciGesta(AKCE_ZMENSIT, male.okno);
        RECT r = male.Obdelnik();
        EXPECT_EQ(r.right - r.left, 6);
        EXPECT_EQ(r.bottom - r.top, 32);
        EXPECT_EQ(r.left, 200) << "the top-left corner stays";
        ProvestAkciGesta(AKCE_ZMENSIT, male.okno);  // 6 - 4 < 10: nothing
        r = male.Obdelnik();
        EXPECT_EQ(r.right - r.left, 6);
        ProvestAkciGesta(AKCE_ZVETSIT, male.okno);
        r = male.Obdelnik();
        EXPECT_EQ(r.right - r.left, 14);
        EXPECT_EQ(r.bottom - r.top, 40);
    }
}

TEST(AkceOken, NavrchuHorkouKlavesouIGestem) {
    OknoTestu o;
    ProvestAkciOknaNa(o.okno, 40053);
    EXPECT_NE(::GetWindowLongPtrW(o.okno, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    ProvestAkciOknaNa(o.okno, 40053);
    EXPECT_EQ(::GetWindowLongPtrW(o.okno, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    ProvestAkciGesta(AKCE_NAVRCHU_ZAPNOUT, o.okno);
    EXPECT_NE(::GetWindowLongPtrW(o.okno, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    ProvestAkciGesta(AKCE_NAVRCHU_VYPNOUT, o.okno);
    EXPECT_EQ(::GetWindowLongPtrW(o.okno, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST(AkceOken, SkrytiJdeModuluAKdyzNebeziNicSeNestane) {
    static HWND predano = nullptr;
    auto puvodni = predatSkrytiOkna;
    predatSkrytiOkna = [](HWND okno) {
        predano = okno;
        return false;
    };
    OknoTestu o;
    HWND potomek = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, o.okno, nullptr, nullptr, nullptr);
    ProvestAkciOknaNa(potomek, 40107);  // the hot key acts on the top-level ancestor
    EXPECT_EQ(predano, o.okno);
    ProvestAkciGesta(AKCE_SKRYT, potomek);  // a gesture on the event's top-level window, never a control
    EXPECT_EQ(predano, o.okno);
    ProvestPrikazSystemoveNabidky(o.okno, 40107);
    EXPECT_EQ(predano, o.okno);
    predatSkrytiOkna = puvodni;
    // with the extension stopped the default answer is "not handed over"
    EXPECT_FALSE(predatSkrytiOkna(o.okno));
}

TEST(AkceOken, RohyAPolovinyStejneJakoVlastniOknaNastroju) {
    // the window actions and the tools' own windows place a window by the one formula
    struct Pripad {
        UINT prikaz;
        int kod;
    };
    const Pripad pripady[] = {{40048, 2}, {40049, 3}, {40050, 4}, {40051, 5}, {40052, 6},
                              {40099, 7}, {40100, 8}, {40101, 9}, {40102, 10}};
    for (const Pripad& p : pripady) {
        OknoTestu akce, vlastni;
        ProvestAkciOknaNa(akce.okno, p.prikaz);
        knihovna::Okno::UmistitNaPlochu(vlastni.okno, p.kod);
        const RECT a = akce.Obdelnik(), v = vlastni.Obdelnik();
        EXPECT_TRUE(::EqualRect(&a, &v)) << p.prikaz << ": " << a.left << "," << a.top << " " << a.right << ","
                                         << a.bottom << " vs " << v.left << "," << v.top << " " << v.right << ","
                                         << v.bottom;
    }
    // and the one alpha of a percentage
    OknoTestu pruhledne(WS_POPUP | WS_VISIBLE);
    knihovna::NastavitPruhlednostOkna(pruhledne.okno, 30);
    EXPECT_EQ(AktualniAlfa(pruhledne.okno), AlfaZProcent(30));
}
