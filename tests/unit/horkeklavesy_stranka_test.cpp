// The hot-key settings page: categories, the command list, setting, refusing and removing a key,
// running a command by a double click.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/aplikace.h"
#include "core/horkeklavesy.h"
#include "knihovna/dpi.h"
#include "knihovna/okno.h"
#include "knihovna/text.h"
#include "knihovna/vyjimky.h"
#include "podpora/pomocnik.h"
#include "podpora/snimek.h"
#include "resources/resource.h"
#include "unit/zkusebni_prvky.h"
#include "windows/dlgnastavhorkeklavesy.h"

namespace {

TEST(HorkeKlavesyStranka, PrevodModifikatoruObemaSmery) {
    struct {
        uint32_t mod;
        BYTE hotkey;
    } pripady[] = {
        {0, 0},
        {MOD_CONTROL, HOTKEYF_CONTROL},
        {MOD_SHIFT, HOTKEYF_SHIFT},
        {MOD_ALT, HOTKEYF_ALT},
        {MOD_CONTROL | MOD_ALT, HOTKEYF_CONTROL | HOTKEYF_ALT},
        {MOD_CONTROL | MOD_SHIFT | MOD_ALT, HOTKEYF_CONTROL | HOTKEYF_SHIFT | HOTKEYF_ALT},
    };
    for (const auto& p : pripady) {
        EXPECT_EQ(ModifikatoryProOvladac(p.mod), p.hotkey) << p.mod;
        EXPECT_EQ(ModifikatoryZOvladace(p.hotkey), p.mod) << p.mod;
    }
    // the Windows key and the extended-key flag are not carried
    EXPECT_EQ(ModifikatoryProOvladac(MOD_WIN | MOD_ALT), HOTKEYF_ALT);
    EXPECT_EQ(ModifikatoryZOvladace(HOTKEYF_EXT | HOTKEYF_SHIFT), static_cast<uint32_t>(MOD_SHIFT));
    // own icons by command, else the command's menu icon
    EXPECT_EQ(IkonaPrikazuHorkeKlavesy(40018), 58);
    EXPECT_EQ(IkonaPrikazuHorkeKlavesy(40107), 13);
    EXPECT_EQ(IkonaPrikazuHorkeKlavesy(40105), 31);
}

// The parent a page posts its changes to.
struct Rodic {
    static LRESULT CALLBACK Procedura(HWND h, UINT msg, WPARAM w, LPARAM l) {
        if (msg == WM_APP + 1) ++zmeny;
        if ((msg == WM_COMMAND || msg == WM_HOTKEY) && h == hlavni) prikazy.push_back(LOWORD(w));
        if (msg == WM_HOTKEY && h == hlavni) ++horkychKlaves;
        return ::DefWindowProcW(h, msg, w, l);
    }
    static int zmeny;
    static int horkychKlaves;
    static std::vector<UINT> prikazy;
    static HWND hlavni;
    static HWND ZiskatHlavni() { return hlavni; }
    HWND okno = nullptr;
    Rodic() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Procedura;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QTestRodicStranky";
        ::RegisterClassW(&wc);
        okno = ::CreateWindowExW(0, wc.lpszClassName, L"Nastavení", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 700, 520,
                                 nullptr, nullptr, wc.hInstance, nullptr);
        hlavni = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        zmeny = 0;
        prikazy.clear();
        horkychKlaves = 0;
    }
    ~Rodic() {
        ::DestroyWindow(okno);
        ::DestroyWindow(hlavni);
        hlavni = nullptr;
    }
};
int Rodic::zmeny = 0;
std::vector<UINT> Rodic::prikazy;
int Rodic::horkychKlaves = 0;
HWND Rodic::hlavni = nullptr;

class StrankaHorkychKlaves : public ::testing::Test {
protected:
    void SetUp() override {
        puvodniTabulka = std::move(aplikace.horkeKlavesy);
        aplikace.horkeKlavesy = std::make_unique<HorkeKlavesy>(L"Software\\Brenvald\\KolvexTest\\5.0");
        HorkeKlavesy& t = *aplikace.horkeKlavesy;
        t.Pridat(40019, KATEGORIE_VSEOBECNE);      // 0
        t.Pridat(40113, KATEGORIE_OBRAZOVKA);      // 1
        t.Pridat(40114, KATEGORIE_OBRAZOVKA);      // 2
        t.Pridat(40048, KATEGORIE_ROZSIRENI_OKEN); // 3
        t.zaznamy[1].modifikatory = MOD_CONTROL | MOD_ALT;
        t.zaznamy[1].klavesa = 'P';
        if (!aplikace.seznamMenu.Get()) {
            aplikace.seznamMenu.Vytvorit(IDB_MENU_ZAKLAD);
            aplikace.seznamMenu.Pridat(IDB_MENU_DALSI);
            vlastniSeznam = true;
        }
        puvodniVzhled = aplikace.nastaveni.vlastniVzhled;
        aplikace.titulek = L"Kolvex";
        puvodniHlavni = knihovna::ziskatHlavniOkno;
        knihovna::ziskatHlavniOkno = Rodic::ZiskatHlavni;
    }
    void TearDown() override {
        stranka.reset();
        knihovna::ziskatHlavniOkno = puvodniHlavni;
        aplikace.nastaveni.vlastniVzhled = puvodniVzhled;
        if (vlastniSeznam) aplikace.seznamMenu.Zrusit();
        aplikace.horkeKlavesy = std::move(puvodniTabulka);
    }
    void Otevrit(bool vzhled) {
        aplikace.nastaveni.vlastniVzhled = vzhled;
        stranka = std::make_unique<DlgNastavHorkeKlavesy>();
        HWND h = stranka->VytvoritStranku(rodic.okno);
        ASSERT_NE(h, nullptr);
        ::SetWindowPos(h, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
        testy::Pumpovat();
    }
    HWND Prvek(int id) const { return ::GetDlgItem(stranka->OknoStranky(), id); }
    std::vector<std::wstring> Seznam() const {
        std::vector<std::wstring> texty;
        HWND s = Prvek(IDC_HORKE_KLAVESY_SEZNAM);
        const int pocet = static_cast<int>(::SendMessageW(s, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < pocet; ++i) {
            wchar_t text[256] = L"";
            ::SendMessageW(s, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            texty.push_back(text);
        }
        return texty;
    }
    void VybratPrikaz(int index) {
        ::SendMessageW(Prvek(IDC_HORKE_KLAVESY_SEZNAM), LB_SETCURSEL, index, 0);
        ::SendMessageW(stranka->OknoStranky(), WM_COMMAND, MAKEWPARAM(IDC_HORKE_KLAVESY_SEZNAM, LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(Prvek(IDC_HORKE_KLAVESY_SEZNAM)));
    }
    void VybratKategorii(int index) {
        ::SendMessageW(Prvek(IDC_HORKE_KLAVESY_SKUPINA), CB_SETCURSEL, index, 0);
        ::SendMessageW(stranka->OknoStranky(), WM_COMMAND, MAKEWPARAM(IDC_HORKE_KLAVESY_SKUPINA, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(Prvek(IDC_HORKE_KLAVESY_SKUPINA)));
    }
    void ZadatKlavesu(BYTE modifikatory, BYTE klavesa) {
        ::SendMessageW(Prvek(IDC_HORKE_KLAVESY_KLAVESA), HKM_SETHOTKEY, MAKEWORD(klavesa, modifikatory), 0);
        ::SendMessageW(stranka->OknoStranky(), WM_COMMAND, MAKEWPARAM(IDC_HORKE_KLAVESY_KLAVESA, EN_CHANGE),
                       reinterpret_cast<LPARAM>(Prvek(IDC_HORKE_KLAVESY_KLAVESA)));
    }
    void Nastavit() {
        ::SendMessageW(stranka->OknoStranky(), WM_COMMAND, MAKEWPARAM(IDC_HORKE_KLAVESY_NASTAVIT, BN_CLICKED),
                       reinterpret_cast<LPARAM>(Prvek(IDC_HORKE_KLAVESY_NASTAVIT)));
    }
    WORD Klavesa() const { return static_cast<WORD>(::SendMessageW(Prvek(IDC_HORKE_KLAVESY_KLAVESA), HKM_GETHOTKEY, 0, 0)); }
    bool NastavitPovoleno() const { return ::IsWindowEnabled(Prvek(IDC_HORKE_KLAVESY_NASTAVIT)) != FALSE; }

    Rodic rodic;
    std::unique_ptr<DlgNastavHorkeKlavesy> stranka;
    std::unique_ptr<HorkeKlavesy> puvodniTabulka;
    bool vlastniSeznam = false;
    bool puvodniVzhled = true;
    HWND (*puvodniHlavni)() = nullptr;
};

}  // namespace

TEST_F(StrankaHorkychKlaves, KategorieASeznamPrikazu) {
    Otevrit(true);
    HWND combo = Prvek(IDC_HORKE_KLAVESY_SKUPINA);
    ASSERT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 10);
    const LPARAM data[] = {0, 27, 32, 33, 34, 35, 238, 36, 37, 97};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(::SendMessageW(combo, CB_GETITEMDATA, i, 0), data[i]) << i;
    EXPECT_EQ(::SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
    wchar_t text[64] = L"";
    ::SendMessageW(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Všechny nastavitelné");
    ::SendMessageW(combo, CB_GETLBTEXT, 3, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Obrazovka");

    // all commands in table order, texts up to the first line break, item data the row index
    const std::vector<std::wstring> vsechny = {L"Zobrazit hlavní kontextovou nabídku.", L"Uložit opis obrazovky do souboru",
                                               knihovna::Retezec(40114).substr(0, knihovna::Retezec(40114).find(L'\n')),
                                               L"Zarovnat okno do levého horního rohu obrazovky"};
    EXPECT_EQ(Seznam(), vsechny);
    HWND s = Prvek(IDC_HORKE_KLAVESY_SEZNAM);
    EXPECT_EQ(::SendMessageW(s, LB_GETITEMDATA, 3, 0), 3);
    EXPECT_EQ(::SendMessageW(s, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(::SendMessageW(s, LB_GETITEMHEIGHT, 0, 0), knihovna::Skalovat(20));
    EXPECT_EQ(Klavesa(), 0);
    EXPECT_FALSE(NastavitPovoleno());

    // a category: only its commands, the first selected and its key shown
    VybratKategorii(3);
    ASSERT_EQ(Seznam().size(), 2u);
    EXPECT_EQ(Seznam()[0], L"Uložit opis obrazovky do souboru");
    EXPECT_EQ(::SendMessageW(s, LB_GETITEMDATA, 1, 0), 2);
    EXPECT_EQ(Klavesa(), MAKEWORD('P', HOTKEYF_CONTROL | HOTKEYF_ALT));
    VybratKategorii(2);  // notes: none here
    EXPECT_TRUE(Seznam().empty());
    VybratKategorii(0);
    EXPECT_EQ(Seznam().size(), 4u);
}

TEST_F(StrankaHorkychKlaves, NastaveniOdmitnutiAOdebraniKlavesy) {
    Otevrit(false);
    EXPECT_EQ(::SendMessageW(Prvek(IDC_HORKE_KLAVESY_SEZNAM), LB_GETITEMHEIGHT, 0, 0), 16);
    testy::ZachytavacZprav zpravy;
    HorkeKlavesy& t = *aplikace.horkeKlavesy;

    // a free key: stored in the selected row at once, "Nastavit" greyed again
    VybratPrikaz(0);
    ZadatKlavesu(HOTKEYF_CONTROL | HOTKEYF_SHIFT, VK_F5);
    EXPECT_TRUE(NastavitPovoleno());
    testy::Pumpovat();
    EXPECT_GT(Rodic::zmeny, 0) << "a change enables Apply";
    Nastavit();
    EXPECT_EQ(t.zaznamy[0].klavesa, static_cast<uint32_t>(VK_F5));
    EXPECT_EQ(t.zaznamy[0].modifikatory, static_cast<uint32_t>(MOD_CONTROL | MOD_SHIFT));
    EXPECT_EQ(t.zaznamy[0].prikaz, 40019u);
    EXPECT_EQ(t.zaznamy[0].kategorie, 27u);
    EXPECT_FALSE(NastavitPovoleno());
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;

    // the key another command has, and the key the command itself has: refused with string 25
    for (const auto& klavesa : {std::pair<BYTE, BYTE>{HOTKEYF_CONTROL | HOTKEYF_ALT, 'P'},
                                std::pair<BYTE, BYTE>{HOTKEYF_CONTROL | HOTKEYF_SHIFT, VK_F5}}) {
        zpravy.zpravy.clear();
        ZadatKlavesu(klavesa.first, klavesa.second);
        Nastavit();
        ASSERT_EQ(zpravy.zpravy.size(), 1u);
        EXPECT_EQ(zpravy.zpravy[0].text, L"Tato klávesová zkratka je již použita.");
        EXPECT_TRUE(zpravy.zpravy[0].priznaky & MB_ICONERROR);
        EXPECT_EQ(Klavesa(), MAKEWORD(VK_F5, HOTKEYF_CONTROL | HOTKEYF_SHIFT)) << "the control shows the row's key";
        EXPECT_EQ(t.zaznamy[0].klavesa, static_cast<uint32_t>(VK_F5));
        EXPECT_EQ(t.zaznamy[1].klavesa, static_cast<uint32_t>('P'));
    }

    // a cleared control removes the hot key
    ZadatKlavesu(0, 0);
    Nastavit();
    EXPECT_EQ(t.zaznamy[0].klavesa, 0u);
    EXPECT_EQ(zpravy.zpravy.size(), 1u);
    // the freed key can now go to another command
    VybratPrikaz(3);
    ZadatKlavesu(HOTKEYF_CONTROL | HOTKEYF_SHIFT, VK_F5);
    Nastavit();
    EXPECT_EQ(t.zaznamy[3].klavesa, static_cast<uint32_t>(VK_F5));
}

TEST_F(StrankaHorkychKlaves, DvojklikSpustiPrikaz) {
    Otevrit(true);
    VybratPrikaz(1);
    ::SendMessageW(stranka->OknoStranky(), WM_COMMAND, MAKEWPARAM(IDC_HORKE_KLAVESY_SEZNAM, LBN_DBLCLK),
                   reinterpret_cast<LPARAM>(Prvek(IDC_HORKE_KLAVESY_SEZNAM)));
    testy::Pumpovat();
    EXPECT_EQ(Rodic::prikazy, std::vector<UINT>{40113});
    EXPECT_EQ(Rodic::horkychKlaves, 1) << "not the hot key's dispatch";
    // the page draws with and without the own look without failing
    testy::PrekreslitOkno(stranka->OknoStranky());
    EXPECT_FALSE(knihovna::JeOdlozenaVyjimka());
}

namespace {

// A window's client pixels as drawn (0x00RRGGBB, top-down).
struct Pixely {
    int sirka = 0, vyska = 0;
    std::vector<uint32_t> body;
    uint32_t Bod(int x, int y) const { return body[static_cast<size_t>(y) * sirka + x]; }
};

// The picture alone over a background colour, or the window's client area.
Pixely Nakreslit(HWND okno, HIMAGELIST seznam, int obrazek, COLORREF pozadi) {
    Pixely p;
    RECT r{};
    if (okno) {
        ::GetClientRect(okno, &r);
    } else {
        ImageList_GetIconSize(seznam, reinterpret_cast<int*>(&r.right), reinterpret_cast<int*>(&r.bottom));
    }
    p.sirka = r.right;
    p.vyska = r.bottom;
    BITMAPINFO popis{};
    popis.bmiHeader.biSize = sizeof(popis.bmiHeader);
    popis.bmiHeader.biWidth = p.sirka;
    popis.bmiHeader.biHeight = -p.vyska;
    popis.bmiHeader.biPlanes = 1;
    popis.bmiHeader.biBitCount = 32;
    void* data = nullptr;
    HDC pamet = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmapa = ::CreateDIBSection(nullptr, &popis, DIB_RGB_COLORS, &data, nullptr, 0);
    HGDIOBJ puvodni = ::SelectObject(pamet, bitmapa);
    if (okno) {
        // from the screen, where the control's drawing went (a combo box draws with its parent's DC)
        POINT pocatek{0, 0};
        ::ClientToScreen(okno, &pocatek);
        HDC dc = ::GetDC(nullptr);
        ::BitBlt(pamet, 0, 0, p.sirka, p.vyska, dc, pocatek.x, pocatek.y, SRCCOPY);
        ::ReleaseDC(nullptr, dc);
    } else {
        HBRUSH stetec = ::CreateSolidBrush(pozadi);
        ::FillRect(pamet, &r, stetec);
        ::DeleteObject(stetec);
        ImageList_DrawEx(seznam, obrazek, pamet, 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
    }
    ::GdiFlush();
    const auto* zdroj = static_cast<const uint32_t*>(data);
    for (int i = 0; i < p.sirka * p.vyska; ++i) p.body.push_back(zdroj[i] & 0x00FFFFFFu);
    ::SelectObject(pamet, puvodni);
    ::DeleteObject(bitmapa);
    ::DeleteDC(pamet);
    return p;
}

// Where the picture stands whole (nothing drawn over it) within the first columns of the window
// and the rows [odY, doY); x = -1 when nowhere (nejmene: the fewest differing pixels anywhere).
POINT NajitObrazek(const Pixely& okno, const Pixely& obrazek, int odY, int doY, int& nejmene) {
    nejmene = obrazek.sirka * obrazek.vyska;
    for (int y = odY; y + obrazek.vyska <= doY && y + obrazek.vyska <= okno.vyska; ++y)
        for (int x = 0; x <= 8 && x + obrazek.sirka <= okno.sirka; ++x) {
            int jinych = 0;
            for (int j = 0; j < obrazek.vyska; ++j)
                for (int i = 0; i < obrazek.sirka; ++i) jinych += okno.Bod(x + i, y + j) != obrazek.Bod(i, j);
            if (jinych < nejmene) nejmene = jinych;
            if (jinych == 0) return {x, y};
        }
    return {-1, -1};
}

// Dark (text) pixels right of column x in the rows [odY, doY).
int TmaveBodyVpravo(const Pixely& okno, int x, int odY, int doY) {
    int pocet = 0;
    for (int y = odY; y < doY && y < okno.vyska; ++y)
        for (int i = x; i < okno.sirka; ++i) {
            const uint32_t b = okno.Bod(i, y);
            if ((b & 0xFF) < 96 && ((b >> 8) & 0xFF) < 96 && ((b >> 16) & 0xFF) < 96) ++pocet;
        }
    return pocet;
}

}  // namespace

// Owner-drawn rows of the page put their text after the picture's real width (24 px at 144 DPI):
// the command list's row shows its picture whole, text right of it.
TEST_F(StrankaHorkychKlaves, TextRadkuZaCelymObrazkem) {
    Otevrit(true);
    HWND s = Prvek(IDC_HORKE_KLAVESY_SEZNAM);
    ::SendMessageW(s, LB_SETCURSEL, 1, 0);  // the first row unselected, on the window colour
    ::SetFocus(s);
    ::RedrawWindow(stranka->OknoStranky(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testy::Pumpovat();
    HIMAGELIST obrazky = aplikace.seznamMenu.Get();
    const COLORREF okno = ::GetSysColor(COLOR_WINDOW);

    struct Pripad {
        const char* nazev;
        HWND prvek;
        int obrazek;
        int odY, doY;
    };
    RECT radek{};
    ASSERT_NE(::SendMessageW(s, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&radek)), LB_ERR);
    const Pripad pripady[] = {
        {"řádek seznamu příkazů", s, IkonaPrikazuHorkeKlavesy(aplikace.horkeKlavesy->zaznamy[0].prikaz), radek.top,
         radek.bottom},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.nazev);
        const Pixely obrazek = Nakreslit(nullptr, obrazky, p.obrazek, okno);
        const Pixely snimek = Nakreslit(p.prvek, nullptr, 0, 0);
        ASSERT_FALSE(snimek.body.empty());
        int jinych = 0;
        const POINT kde = NajitObrazek(snimek, obrazek, p.odY, p.doY, jinych);
        EXPECT_GE(kde.x, 0) << "the " << obrazek.sirka << "-px picture is not whole: text drawn over it ("
                            << jinych << " pixels differ at best)";
        if (kde.x >= 0)
            EXPECT_GT(TmaveBodyVpravo(snimek, kde.x + obrazek.sirka, kde.y, kde.y + obrazek.vyska), 0)
                << "no text right of the picture";
    }
    testy::UlozitSnimekOkna(stranka->OknoStranky(), L"horke_klavesy_radky");
}
