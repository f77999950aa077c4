// Link, heading, hand-cursor button and tooltip controls on a real dialog.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include "knihovna/modul.h"
#include "knihovna/odkazy.h"
#include "knihovna/vyjimky.h"
#include "podpora/pomocnik.h"
#include "resources/resource.h"
#include "zkusebni_prvky.h"

using knihovna::Chyba;
using knihovna::OknoObal;

namespace {

// ShellExecuteW replaced: records "verb|target" of each call.
struct ZachytavacShellu {
    static std::vector<std::wstring> volani;
    static INT_PTR vysledek;
    ZachytavacShellu() {
        volani.clear();
        vysledek = 42;
        knihovna::spustitShell = Spustit;
    }
    ~ZachytavacShellu() { knihovna::spustitShell = ::ShellExecuteW; }
    static HINSTANCE WINAPI Spustit(HWND, LPCWSTR sloveso, LPCWSTR cil, LPCWSTR, LPCWSTR, INT) {
        volani.push_back(std::wstring(sloveso ? sloveso : L"") + L"|" + (cil ? cil : L""));
        return reinterpret_cast<HINSTANCE>(vysledek);
    }
};
std::vector<std::wstring> ZachytavacShellu::volani;
INT_PTR ZachytavacShellu::vysledek = 42;

// A real click on a notifying static: the static reports STN_CLICKED to the dialog.
void Kliknout(HWND ovladac) {
    ::SendMessageW(ovladac, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::SendMessageW(ovladac, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

HRESULT ChybaZ(const std::function<void()>& akce) {
    try {
        akce();
    } catch (const Chyba& chyba) {
        return chyba.Hresult();
    }
    return S_OK;
}

class Odkazy : public ::testing::Test {
protected:
    testy::DialogPrvku dialog;
    ZachytavacShellu shell;
    void SetUp() override { dialog.Otevrit(); }
    void TearDown() override { EXPECT_FALSE(knihovna::JeOdlozenaVyjimka()); }
    HWND Prvek(int id) { return dialog.Polozka(id); }
};

}  // namespace

TEST(AdresaOdkazu, SchemaZustavaJenAdresaBezNejDostaneHttp) {
    struct Pripad {
        const wchar_t* vstup;
        const wchar_t* vysledek;
    };
    const Pripad pripady[] = {
        {L"http://www.brenvald.cz/", L"http://www.brenvald.cz/"},
        {L"HTTP://WWW.BRENVALD.CZ", L"HTTP://WWW.BRENVALD.CZ"},
        {L"https://www.brenvald.cz/software/", L"https://www.brenvald.cz/software/"},
        {L"mailto:podpora@brenvald.cz", L"mailto:podpora@brenvald.cz"},
        {L"ftp://ftp.brenvald.cz", L"ftp://ftp.brenvald.cz"},
        {L"skype:jmeno?call", L"skype:jmeno?call"},
        {L"www.brenvald.cz", L"http://www.brenvald.cz"},
        {L"brenvald.cz/cesta?a=b:c", L"http://brenvald.cz/cesta?a=b:c"},
        {L"localhost:8080/stav", L"http://localhost:8080/stav"},
        {L"www.brenvald.cz:8080", L"http://www.brenvald.cz:8080"},
        {L"", L"http://"},
    };
    for (const Pripad& p : pripady) EXPECT_EQ(knihovna::UpravitUrl(p.vstup), p.vysledek) << p.vstup;
    EXPECT_EQ(knihovna::UpravitUrl(nullptr), knihovna::webAutora + L"/");
}

TEST_F(Odkazy, PripojeniZmeniStylAPismoAleNeVelikost) {
    knihovna::StaticOdkazUrl odkaz;
    EXPECT_EQ(ChybaZ([&] { odkaz.Pripojit(nullptr); }), E_INVALIDARG);
    EXPECT_EQ(ChybaZ([&] { odkaz.NastavitUrl(L"x"); }), E_HANDLE);

    HWND h = Prvek(2001);
    RECT pred, po;
    ::GetWindowRect(h, &pred);
    odkaz.PripojitSUrl(h, L"www.priklad.cz");
    ::GetWindowRect(h, &po);
    EXPECT_EQ(po.right - po.left, pred.right - pred.left);
    EXPECT_EQ(::GetWindowLongPtrW(h, GWL_STYLE) & (SS_NOTIFY | SS_TYPEMASK), SS_NOTIFY | SS_OWNERDRAW);
    LOGFONTW lf{};
    ASSERT_NE(odkaz.PismoPodtrzene(), nullptr);
    ::GetObjectW(odkaz.PismoPodtrzene(), sizeof(lf), &lf);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_EQ(odkaz.Url(), L"http://www.priklad.cz");

    // a second attach replaces the subclassing and the font
    odkaz.Pripojit(h);
    EXPECT_EQ(odkaz.m_hWnd, h);

    odkaz.NastavitText(L"Domovská stránka");
    EXPECT_EQ(OknoObal(h).Text(), L"Domovská stránka");
    HDC dc = ::GetDC(h);
    HGDIOBJ puvodni = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(h, WM_GETFONT, 0, 0)));
    SIZE rozmer{};
    ::GetTextExtentPoint32W(dc, L"Domovská stránka", 16, &rozmer);
    ::SelectObject(dc, puvodni);
    ::ReleaseDC(h, dc);
    ::GetWindowRect(h, &po);
    EXPECT_EQ(po.right - po.left, rozmer.cx + 4);
    EXPECT_EQ(po.bottom - po.top, pred.bottom - pred.top);

    EXPECT_EQ(::SendMessageW(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), TRUE);
}

TEST_F(Odkazy, OdkazSeKresliPodtrzeneVBarveOdkazu) {
    knihovna::StaticOdkazUrl odkaz;
    HWND h = Prvek(2001);
    odkaz.PripojitSUrl(h, nullptr);
    testy::PametovyObraz obraz(200, 20);
    DRAWITEMSTRUCT kresleni{};
    kresleni.CtlType = ODT_STATIC;
    kresleni.CtlID = 2001;
    kresleni.hwndItem = h;
    kresleni.hDC = obraz.Dc();
    kresleni.rcItem = RECT{0, 0, 200, 20};
    ::SendMessageW(dialog.m_hWnd, WM_DRAWITEM, 2001, reinterpret_cast<LPARAM>(&kresleni));
    EXPECT_TRUE(obraz.ObsahujeBarvu(knihovna::BarvaOdkazu()));
    // readable on the dialog: the pale hot-track colour of some themes is not taken
    const COLORREF barva = knihovna::BarvaOdkazu();
    EXPECT_LT(GetRValue(barva) + GetGValue(barva) + GetBValue(barva), 3 * 160);
}

TEST_F(Odkazy, KliknutiOtevreAdresuDvojklikNic) {
    knihovna::StaticOdkazUrl web;
    web.PripojitSUrl(Prvek(2001), L"www.priklad.cz/stranka");
    ::SendMessageW(Prvek(2001), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_TRUE(ZachytavacShellu::volani.empty());
    Kliknout(Prvek(2001));
    ASSERT_EQ(ZachytavacShellu::volani.size(), 1u);
    EXPECT_EQ(ZachytavacShellu::volani[0], L"open|http://www.priklad.cz/stranka");

    // without an address of its own, the text is the address (and still gets a scheme)
    knihovna::StaticOdkazUrl bezAdresy;
    bezAdresy.Pripojit(Prvek(2004));
    ::SetWindowTextW(Prvek(2004), L"www.brenvald.cz");
    Kliknout(Prvek(2004));
    EXPECT_EQ(ZachytavacShellu::volani.back(), L"open|http://www.brenvald.cz");
}

TEST_F(Odkazy, EmailSPredmetemStaleStejnyOdkaz) {
    knihovna::StaticOdkazEmail email;
    EXPECT_EQ(ChybaZ([&] { email.NastavitAdresu(L"a@b.cz"); }), E_HANDLE);
    email.Pripojit(Prvek(2002));
    email.NastavitAdresu(nullptr);
    EXPECT_EQ(email.Adresa(), L"mailto:" + knihovna::emailPodpory);
    email.NastavitAdresu(L"jana@priklad.cz");
    email.predmet = L"Aplikace Kolvex";
    Kliknout(Prvek(2002));
    Kliknout(Prvek(2002));
    ASSERT_EQ(ZachytavacShellu::volani.size(), 2u);
    EXPECT_EQ(ZachytavacShellu::volani[0], L"open|mailto:jana@priklad.cz?subject=Aplikace Kolvex");
    EXPECT_EQ(ZachytavacShellu::volani[1], ZachytavacShellu::volani[0]);
    EXPECT_EQ(email.Adresa(), L"mailto:jana@priklad.cz");

    // never set: the window text at the first click, made an e-mail link
    knihovna::StaticOdkazEmail zTextu;
    zTextu.Pripojit(Prvek(2003));
    ::SetWindowTextW(Prvek(2003), L"podpora@priklad.cz");
    Kliknout(Prvek(2003));
    EXPECT_EQ(ZachytavacShellu::volani.back(), L"open|mailto:podpora@priklad.cz");
}

TEST_F(Odkazy, PrikazovyOdkazPosilaPrikazDialogu) {
    knihovna::StaticOdkazCommand prikaz;
    prikaz.Pripojit(Prvek(2003));
    Kliknout(Prvek(2003));  // -1: nothing
    prikaz.prikaz = 40023;
    ::SendMessageW(Prvek(2003), WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
    Kliknout(Prvek(2003));
    auto prijate = dialog.Prijate(WM_COMMAND);
    ASSERT_EQ(prijate.size(), 1u);
    EXPECT_EQ(prijate[0].w, 40023u);
    EXPECT_EQ(prijate[0].l, 0);
    EXPECT_TRUE(ZachytavacShellu::volani.empty());
}

TEST_F(Odkazy, SouborASlozka) {
    knihovna::StaticOdkazSoubor soubor;
    soubor.Pripojit(Prvek(2004));
    Kliknout(Prvek(2004));
    ASSERT_EQ(ZachytavacShellu::volani.size(), 1u);
    EXPECT_EQ(ZachytavacShellu::volani[0], L"open|C:\\windows\\win.ini");
    EXPECT_EQ(soubor.soubor, L"C:\\windows\\win.ini");

    testy::DocasnaSlozka docasna;
    knihovna::StaticOdkazSlozka slozka;
    slozka.Pripojit(Prvek(2005), (docasna.Cesta() + L"\\neexistuje").c_str());
    ASSERT_NE(slozka.Tooltip(), nullptr);
    EXPECT_EQ(::SendMessageW(slozka.Tooltip(), TTM_GETTOOLCOUNT, 0, 0), 1);
    Kliknout(Prvek(2005));
    EXPECT_EQ(ZachytavacShellu::volani.size(), 1u);  // a folder that does not exist: nothing

    slozka.NastavitSlozku(docasna.Cesta().c_str());
    Kliknout(Prvek(2005));
    ASSERT_EQ(ZachytavacShellu::volani.size(), 2u);
    EXPECT_EQ(ZachytavacShellu::volani[1], L"open|" + docasna.Cesta());

    // with Ctrl held the folder is explored
    INPUT klavesa[2] = {};
    klavesa[0].type = klavesa[1].type = INPUT_KEYBOARD;
    klavesa[0].ki.wVk = klavesa[1].ki.wVk = VK_CONTROL;
    klavesa[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(1, &klavesa[0], sizeof(INPUT));
    testy::CekatNa([] { return ::GetAsyncKeyState(VK_CONTROL) < 0; }, 2000);
    Kliknout(Prvek(2005));
    ::SendInput(1, &klavesa[1], sizeof(INPUT));
    testy::Pumpovat();
    ASSERT_EQ(ZachytavacShellu::volani.size(), 3u);
    EXPECT_EQ(ZachytavacShellu::volani[2], L"explore|" + docasna.Cesta());

    knihovna::StaticOdkazSlozka prazdna;
    EXPECT_EQ(ChybaZ([&] { prazdna.NastavitSlozku(L"C:\\"); }), E_FAIL);
}

TEST_F(Odkazy, NeuspesneOtevreniNeprekresli) {
    knihovna::StaticOdkazUrl web;
    web.PripojitSUrl(Prvek(2001), L"https://www.priklad.cz");
    ZachytavacShellu::vysledek = 2;  // file not found
    ::ValidateRect(Prvek(2001), nullptr);
    Kliknout(Prvek(2001));
    EXPECT_FALSE(::GetUpdateRect(Prvek(2001), nullptr, FALSE));
    ZachytavacShellu::vysledek = 42;
    Kliknout(Prvek(2001));
    EXPECT_TRUE(::GetUpdateRect(Prvek(2001), nullptr, FALSE));
}

TEST_F(Odkazy, NadpisVerdanaATlacitkoSRuckou) {
    knihovna::StaticNadpis nadpis;
    EXPECT_EQ(ChybaZ([&] { knihovna::PripojitNadpisVerdana(nadpis, nullptr); }), E_INVALIDARG);
    knihovna::PripojitNadpisVerdana(nadpis, Prvek(2006));
    LOGFONTW lf{};
    ASSERT_NE(nadpis.Pismo(), nullptr);
    ::GetObjectW(nadpis.Pismo(), sizeof(lf), &lf);
    EXPECT_EQ(lf.lfHeight, -16);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_FALSE(lf.lfUnderline);
    EXPECT_STREQ(lf.lfFaceName, L"Verdana");
    EXPECT_EQ(::GetWindowLongPtrW(Prvek(2006), GWL_STYLE) & (SS_NOTIFY | SS_TYPEMASK), SS_NOTIFY | SS_OWNERDRAW);

    testy::PametovyObraz obraz(100, 20);
    DRAWITEMSTRUCT kresleni{};
    kresleni.CtlType = ODT_STATIC;
    kresleni.hwndItem = Prvek(2006);
    kresleni.hDC = obraz.Dc();
    kresleni.rcItem = RECT{0, 0, 100, 20};
    ::SendMessageW(dialog.m_hWnd, WM_DRAWITEM, 2006, reinterpret_cast<LPARAM>(&kresleni));
    EXPECT_TRUE(obraz.ObsahujeBarvu(::GetSysColor(COLOR_WINDOWTEXT)));

    // the window going away frees the font
    ::DestroyWindow(Prvek(2006));
    EXPECT_EQ(nadpis.Pismo(), nullptr);
    EXPECT_EQ(nadpis.m_hWnd, nullptr);

    knihovna::ButtonOdkaz tlacitko;
    tlacitko.Pripojit(Prvek(2030));
    EXPECT_EQ(::SendMessageW(Prvek(2030), WM_SETCURSOR, reinterpret_cast<WPARAM>(Prvek(2030)),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(Odkazy, TooltipNastrojeZTabulkyATextu) {
    knihovna::ToolTip tooltip;
    EXPECT_EQ(ChybaZ([&] { tooltip.PridatNastroj(Prvek(2001), L"x"); }), E_HANDLE);
    EXPECT_EQ(ChybaZ([&] { tooltip.Vytvorit(nullptr); }), E_INVALIDARG);
    tooltip.Vytvorit(dialog.m_hWnd);
    ASSERT_TRUE(tooltip.JeOkno());
    tooltip.PridatNastrojId(Prvek(2001), IDS_TIP_WEB_AUTORA);
    tooltip.PridatNastrojId(Prvek(2002), 0);
    tooltip.PridatNastroj(Prvek(2003), L"Otevře nastavení");
    EXPECT_EQ(tooltip.Poslat(TTM_GETTOOLCOUNT), 3);

    auto text = [&](HWND ovladac) {
        wchar_t buffer[256] = L"";
        TOOLINFOW ti{};
        ti.cbSize = sizeof(ti);
        ti.hwnd = dialog.m_hWnd;
        ti.uId = reinterpret_cast<UINT_PTR>(ovladac);
        ti.lpszText = buffer;
        tooltip.Poslat(TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&ti));
        return std::wstring(buffer);
    };
    EXPECT_EQ(text(Prvek(2001)), L"Zobrazit webové sránky firmy Brenvald");
    EXPECT_EQ(text(Prvek(2002)), L"");
    EXPECT_EQ(text(Prvek(2003)), L"Otevře nastavení");

    HWND stary = tooltip.m_hWnd;
    tooltip.Vytvorit(dialog.m_hWnd);  // a new window replaces the old one
    EXPECT_FALSE(::IsWindow(stary));
    EXPECT_EQ(tooltip.Poslat(TTM_GETTOOLCOUNT), 0);
}
