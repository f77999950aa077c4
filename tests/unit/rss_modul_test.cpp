// The RSS reader's window on its own thread, with a stand-in for the channel download: the empty
// list and 40192 (default sources without a question; a question whenever a source file exists,
// also a damaged one), the loaded items listed, a stalled loading cancelled by a stop that
// returns in time, a start after a failed creation, and only http and https links handed to the
// shell.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "internet/rssctecka.h"
#include "knihovna/modul.h"
#include "resources/resource.h"
#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "unit/servery_testu.h"

using testy::CekatNa;
using testy::ZachytavacZprav;

namespace {

std::mutex zamekNahrady;
std::vector<std::wstring> nactenaUrl;
HANDLE uvolnit = nullptr;  // set: a waiting stand-in returns
std::atomic<int> bezicich{0};

std::unique_ptr<VysledekNacitaniRSS> NahradniNacteni(const std::wstring& url, const LimityStahovani&) {
    ++bezicich;
    {
        std::lock_guard<std::mutex> z(zamekNahrady);
        nactenaUrl.push_back(url);
    }
    if (url.find(L"stall") != std::wstring::npos) ::WaitForSingleObject(uvolnit, 20000);
    auto vysledek = std::make_unique<VysledekNacitaniRSS>();
    if (url.find(L"bezvysledku") != std::wstring::npos) {
        --bezicich;
        return nullptr;  // as when even the result cannot be made
    }
    if (url.find(L"mnoho") != std::wstring::npos) {  // a feed of 80 000 items
        vysledek->polozky.resize(80000);
        for (size_t i = 0; i < vysledek->polozky.size(); ++i) vysledek->polozky[i].titulek = L"Položka " + std::to_wstring(i);
        --bezicich;
        return vysledek;
    }
    if (url.find(L"chyba") != std::wstring::npos) {
        vysledek->chyba = HRESULT_FROM_WIN32(ERROR_INTERNET_TIMEOUT);
        vysledek->textChyby = L"Časový limit operace vypršel";
        --bezicich;
        return vysledek;
    }
    vysledek->polozky = {{L"popis 1", L"http://127.0.0.1/1", L"První položka"},
                         {L"", L"file:///C:/windows/system32/cmd.exe", L"Místní soubor"}};
    --bezicich;
    return vysledek;
}

std::vector<std::wstring> NactenaUrl() {
    std::lock_guard<std::mutex> z(zamekNahrady);
    return nactenaUrl;
}

std::vector<std::wstring> otevreno;
HINSTANCE WINAPI ZaznamenatShell(HWND, LPCWSTR, LPCWSTR soubor, LPCWSTR, LPCWSTR, INT) {
    otevreno.push_back(soubor ? soubor : L"");
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}

BOOL WINAPI BezShellu(DWORD, PNOTIFYICONDATAW) { return TRUE; }

LRESULT CALLBACK OdmitnoutVytvoreni(HWND h, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_NCCREATE) return FALSE;
    return ::DefWindowProcW(h, msg, w, l);
}

class CteckaRss : public ::testing::Test {
protected:
    void SetUp() override {
        HINSTANCE instance = ::GetModuleHandleW(nullptr);
        aplikace.velkaIkona.Nastavit(
            static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_KOLVEX), IMAGE_ICON, 32, 32, 0)));
        aplikace.malaIkona.Nastavit(
            static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_KOLVEX), IMAGE_ICON, 16, 16, 0)));
        if (!aplikace.seznamMenu.Get()) {
            aplikace.seznamMenu.Vytvorit(IDB_MENU_ZAKLAD);
            aplikace.seznamMenu.Pridat(IDB_MENU_DALSI);
            m_vlastniSeznam = true;
        }
        m_puvodniNotifikace = notifikacniIkona;
        notifikacniIkona = BezShellu;
        m_puvodniSlozka = aplikace.nastaveni.slozkaData.Text();
        aplikace.nastaveni.slozkaData = m_slozka.Cesta();
        nacitaniKanaluRSS = NahradniNacteni;
        knihovna::spustitShell = ZaznamenatShell;
        uvolnit = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        nactenaUrl.clear();
        otevreno.clear();
    }
    void TearDown() override {
        if (m_modul.Bezi()) m_modul.Zastavit();
        ::SetEvent(uvolnit);
        CekatNa([] { return bezicich == 0; }, 5000);
        ::CloseHandle(uvolnit);
        nacitaniKanaluRSS = NacistKanalRSS;
        knihovna::spustitShell = ::ShellExecuteW;
        aplikace.nastaveni.slozkaData = m_puvodniSlozka;
        notifikacniIkona = m_puvodniNotifikace;
        if (m_vlastniSeznam) aplikace.seznamMenu.Zrusit();
        aplikace.velkaIkona.Zrusit();
        aplikace.malaIkona.Zrusit();
    }

    HWND Spustit() {
        m_modul.Spustit();
        HWND okno = nullptr;
        CekatNa([&] { return (okno = m_modul.Okno()) != nullptr && ::IsWindowVisible(okno); });
        return okno;
    }
    HWND Prvek(int id) {
        HWND h = ::GetDlgItem(m_modul.Okno(), id);
        if (!h) h = ::FindWindowExW(::GetDlgItem(m_modul.Okno(), 1049), nullptr, L"ComboBoxZdrojeRSS", nullptr);
        return h;
    }
    std::wstring Stav() {
        wchar_t text[256] = L"";
        ::SendMessageW(Prvek(1182), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
        return text;
    }
    void ZapsatZdroje(const std::vector<ZdrojRSS>& zdroje) {
        const std::wstring text = TextZdrojuRSS(zdroje);
        ASSERT_TRUE(testy::ZapsatSoubor(CestaZdrojuRSS(), std::string(reinterpret_cast<const char*>(text.data()),
                                                                         text.size() * sizeof(wchar_t))));
    }

    testy::DocasnaSlozka m_slozka;
    std::wstring m_puvodniSlozka;
    FunkceNotifyIcon m_puvodniNotifikace = nullptr;
    bool m_vlastniSeznam = false;
    VlaknoCteckaRSS m_modul;
};

}  // namespace

TEST_F(CteckaRss, PrazdnySeznamAVychoziZdrojeBezOtazky) {
    ZachytavacZprav zpravy;
    HWND okno = Spustit();
    ASSERT_NE(okno, nullptr) << (zpravy.zpravy.empty() ? std::string() : testy::NaUtf8(zpravy.zpravy[0].text));
    EXPECT_EQ(testy::TextOkna(okno), L"Čtečka RSS zdrojů");
    HWND combo = ::FindWindowExW(::GetDlgItem(okno, 1049), nullptr, L"ComboBoxZdrojeRSS", nullptr);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(::SendMessageW(Prvek(1237), LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(Stav(), L"Připraven");
    EXPECT_TRUE(::GetMenuState(::GetMenu(okno), 40193, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(NactenaUrl().empty());

    ::PostMessageW(okno, WM_COMMAND, 40192, 0);
    ASSERT_TRUE(CekatNa([&] { return ::SendMessageW(Prvek(1237), LB_GETCOUNT, 0, 0) == 2; }));
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;  // no question on an empty list
    EXPECT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 5);
    EXPECT_EQ(::SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
    SeznamZdrojuRSS ulozeny;
    NacistSeznamZdrojuRSS(ulozeny);
    SeznamZdrojuRSS vychozi;
    VytvoritVychoziZdrojeRSS(vychozi);
    EXPECT_EQ(ulozeny.zdroje, vychozi.zdroje);
    ASSERT_EQ(NactenaUrl().size(), 1u);
    EXPECT_EQ(NactenaUrl()[0], vychozi.zdroje[0].url);
    EXPECT_TRUE(CekatNa([&] { return Stav() == L"České noviny - zprávy z domova"; }));
    EXPECT_TRUE(::IsWindowEnabled(combo));
    EXPECT_EQ(::SendMessageW(Prvek(1237), LB_GETCURSEL, 0, 0), 0);
    EXPECT_FALSE(::GetMenuState(::GetMenu(okno), 40193, MF_BYCOMMAND) & MF_GRAYED);

    // with sources present the question comes, and "no" changes nothing
    zpravy.odpovedi = {IDNO};
    ::SendMessageW(okno, WM_COMMAND, 40192, 0);
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_EQ(zpravy.zpravy[0].text, L"Opravdu chcete zrušit všechny existující zdroje a vytvořit výchozí seznam?");
    EXPECT_EQ(NactenaUrl().size(), 1u);
}

// Whatever the window shows, a source file that exists is asked about before 40192 replaces it:
// "no" leaves the file and loads nothing; "yes" replaces it (a damaged file's bytes stay in the
// copy beside it). The whole sources before a cut-off one are listed and the first is loaded.
TEST_F(CteckaRss, VychoziSeznamSeZeptaKdykoliSouborExistuje) {
    const std::vector<ZdrojRSS> dva = {{L"První", L"http://127.0.0.1/prvni", L""}, {L"Druhý", L"http://127.0.0.1/druhy", L""}};
    const std::wstring celych = TextZdrojuRSS(dva);
    auto bajty = [](const std::wstring& text) { return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2); };
    struct {
        const char* popis;
        std::string obsah;
        int vCombu;
        bool hlaseni;
    } pripady[] = {
        {"last source cut off", bajty(celych + L"<rss>\r\n <nazev>Tře"), 2, true},
        {"unreadable (UTF-8)", testy::NaUtf8(celych), 0, true},
        {"empty file", "", 0, false},
    };
    const std::wstring cesta = CestaZdrojuRSS();
    const std::wstring otazka = L"Opravdu chcete zrušit všechny existující zdroje a vytvořit výchozí seznam?";
    SeznamZdrojuRSS vychozi;
    VytvoritVychoziZdrojeRSS(vychozi);
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        ASSERT_TRUE(testy::ZapsatSoubor(cesta, p.obsah));
        ::DeleteFileW((cesta + L".bak").c_str());
        {
            std::lock_guard<std::mutex> z(zamekNahrady);
            nactenaUrl.clear();
        }
        ZachytavacZprav zpravy(IDNO);
        HWND okno = Spustit();
        ASSERT_NE(okno, nullptr);
        HWND combo = ::FindWindowExW(::GetDlgItem(okno, 1049), nullptr, L"ComboBoxZdrojeRSS", nullptr);
        ASSERT_NE(combo, nullptr);
        ASSERT_TRUE(CekatNa([&] { return ::SendMessageW(combo, CB_GETCOUNT, 0, 0) == p.vCombu; }));
        if (p.vCombu > 0) {
            EXPECT_TRUE(CekatNa([&] { return NactenaUrl().size() == 1; }));
            EXPECT_EQ(NactenaUrl(), std::vector<std::wstring>{dva[0].url});
        }
        ASSERT_EQ(zpravy.zpravy.size(), p.hlaseni ? 1u : 0u) << zpravy;

        ::SendMessageW(okno, WM_COMMAND, 40192, 0);  // "no"
        ASSERT_EQ(zpravy.zpravy.size(), p.hlaseni ? 2u : 1u) << zpravy;
        EXPECT_EQ(zpravy.zpravy.back().text, otazka);
        std::vector<BYTE> b = testy::PrecistBajty(cesta);
        EXPECT_TRUE(std::string(b.begin(), b.end()) == p.obsah) << "replaced without a yes";
        EXPECT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), p.vCombu);
        for (const std::wstring& url : NactenaUrl()) EXPECT_NE(url, vychozi.zdroje[0].url) << "a default source loaded";

        zpravy.odpovedi.assign(zpravy.zpravy.size(), IDNO);  // answers go by the message's index
        zpravy.odpovedi.push_back(IDYES);
        ::SendMessageW(okno, WM_COMMAND, 40192, 0);
        EXPECT_EQ(zpravy.zpravy.back().text, otazka);
        EXPECT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 5);
        SeznamZdrojuRSS ulozeny;
        NacistZdrojeRSS(cesta, ulozeny);
        EXPECT_EQ(ulozeny.zdroje, vychozi.zdroje);
        if (p.hlaseni) {
            b = testy::PrecistBajty(cesta + L".bak");
            EXPECT_TRUE(std::string(b.begin(), b.end()) == p.obsah) << "the damaged bytes were not kept";
        }
        m_modul.Zastavit();
        ASSERT_FALSE(m_modul.Bezi());
    }
}


TEST_F(CteckaRss, OtevreJenWeboveOdkazy) {
    ZapsatZdroje({{L"Zdroj", L"http://127.0.0.1/kanal", L""}});
    ZachytavacZprav zpravy;
    HWND okno = Spustit();
    ASSERT_NE(okno, nullptr);
    HWND seznam = Prvek(1237);
    ASSERT_TRUE(CekatNa([&] { return ::SendMessageW(seznam, LB_GETCOUNT, 0, 0) == 2; }));
    EXPECT_TRUE(CekatNa([&] { return Stav() == L"Zdroj"; }));  // no description: the name
    wchar_t text[100] = L"";
    ::SendMessageW(seznam, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Místní soubor");
    EXPECT_EQ(::SendMessageW(seznam, LB_GETITEMDATA, 1, 0), 2);

    ::SendMessageW(seznam, LB_SETCURSEL, 0, 0);
    ::SendMessageW(okno, WM_COMMAND, 40193, 0);
    ASSERT_EQ(otevreno.size(), 1u);
    EXPECT_EQ(otevreno[0], L"http://127.0.0.1/1");

    ::SendMessageW(seznam, LB_SETCURSEL, 1, 0);
    ::SendMessageW(okno, WM_COMMAND, 40193, 0);
    EXPECT_EQ(otevreno.size(), 1u);  // refused
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_NE(zpravy.zpravy[0].text.find(L"file:///C:/windows/system32/cmd.exe"), std::wstring::npos);
}

TEST_F(CteckaRss, ZastaveniBehemZaseklehoNacitaniSeVratiVcas) {
    ZapsatZdroje({{L"Zaseklý", L"http://127.0.0.1/stall", L""}});
    ZachytavacZprav zpravy;
    HWND okno = Spustit();
    ASSERT_NE(okno, nullptr);
    ASSERT_TRUE(CekatNa([] { return bezicich == 1; }));
    EXPECT_EQ(Stav(), L"Načítám RSS kanál ...");
    HWND combo = ::FindWindowExW(::GetDlgItem(okno, 1049), nullptr, L"ComboBoxZdrojeRSS", nullptr);
    EXPECT_FALSE(::IsWindowEnabled(combo));

    ULONGLONG zacatek = ::GetTickCount64();
    m_modul.Zastavit();
    EXPECT_LT(::GetTickCount64() - zacatek, static_cast<ULONGLONG>(aplikace.nastaveni.casovyLimitModulu));
    EXPECT_FALSE(m_modul.Bezi());
    EXPECT_FALSE(::IsWindow(okno));
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;  // no stop error, the program goes on

    // the loading thread ends later on its own and posts nothing; a new start works at once
    HWND nove = Spustit();
    ASSERT_NE(nove, nullptr);
    ::SetEvent(uvolnit);
    EXPECT_TRUE(CekatNa([] { return bezicich == 0; }));
    ::PostMessageW(nove, WM_CLOSE, 0, 0);
    EXPECT_TRUE(CekatNa([&] { return !m_modul.Bezi(); }));
}

TEST_F(CteckaRss, PoChybeVytvoreniJdeSpustitZnovu) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = OdmitnoutVytvoreni;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QKolvexRSS";
    ::UnregisterClassW(L"QKolvexRSS", wc.hInstance);  // a class of an earlier test
    ASSERT_NE(::RegisterClassExW(&wc), 0);
    {
        ZachytavacZprav zpravy(IDNO);
        m_modul.Spustit();
        ASSERT_TRUE(CekatNa([&] { return !m_modul.Bezi(); }));
        // the error, then the question of string 12 with the reader's name
        ASSERT_TRUE(CekatNa([&] { return zpravy.zpravy.size() >= 2; }));
        EXPECT_NE(zpravy.zpravy[1].text.find(L"Došlo k chybě v nástroji \"Čtečka RSS zdrojů\"."), std::wstring::npos);
    }
    ASSERT_TRUE(::UnregisterClassW(L"QKolvexRSS", wc.hInstance));
    EXPECT_EQ(modulCteckaRSS, nullptr);
    HWND okno = Spustit();
    ASSERT_NE(okno, nullptr);
    EXPECT_TRUE(::IsWindowVisible(okno));
}

TEST_F(CteckaRss, SPopisemJsouPolozkyKresleneVlastne) {
    nastaveniCteckaRSS = std::make_unique<KonfiguraceCteckaRSS>();
    nastaveniCteckaRSS->zobrazovatPopis = 1;
    nastaveniCteckaRSS->vyskaPolozkySeznamu = 48;
    ZapsatZdroje({{L"Zdroj", L"http://127.0.0.1/kanal", L""}});
    ZachytavacZprav zpravy;
    HWND okno = Spustit();
    ASSERT_NE(okno, nullptr);
    HWND seznam = Prvek(1237);
    EXPECT_TRUE(CekatNa([&] { return ::SendMessageW(seznam, LB_GETCOUNT, 0, 0) == 2; }))
        << ::SendMessageW(seznam, LB_GETCOUNT, 0, 0) << " " << zpravy.zpravy.size() << " " << NactenaUrl().size();
    EXPECT_EQ(::SendMessageW(seznam, LB_GETITEMHEIGHT, 0, 0), 48);
    EXPECT_EQ(::SendMessageW(seznam, LB_GETITEMDATA, 1, 0), 2);
    m_modul.Zastavit();
    nastaveniCteckaRSS.reset();
}

namespace {
std::vector<ZdrojRSS> odpovediDialogu;  // what the stand-in dialog answers, in order; empty = Cancel
bool NahradniDialog(ZdrojRSS& zdroj) {
    if (odpovediDialogu.empty()) return false;
    zdroj = odpovediDialogu.front();
    odpovediDialogu.erase(odpovediDialogu.begin());
    return true;
}
}  // namespace

TEST_F(CteckaRss, PridatUpravitOdebratZdroj) {
    ZapsatZdroje({{L"První", L"http://127.0.0.1/1", L""}});
    DlgEditZdrojRSS::upravitZdroj = NahradniDialog;
    ZachytavacZprav zpravy(IDYES);
    HWND okno = Spustit();
    ASSERT_NE(okno, nullptr);
    HWND combo = ::FindWindowExW(::GetDlgItem(okno, 1049), nullptr, L"ComboBoxZdrojeRSS", nullptr);
    auto ulozene = [] {
        SeznamZdrojuRSS s;
        NacistSeznamZdrojuRSS(s);
        return s.zdroje;
    };
    auto nacteno = [&](size_t n) { return CekatNa([&] { return NactenaUrl().size() == n && ::IsWindowEnabled(combo); }); };
    ASSERT_TRUE(nacteno(1));

    // an empty name stores nothing; Cancel neither
    odpovediDialogu = {{L"", L"http://127.0.0.1/x", L"p"}};
    ::SendMessageW(okno, WM_COMMAND, 40189, 0);
    ::SendMessageW(okno, WM_COMMAND, 40189, 0);
    EXPECT_EQ(ulozene().size(), 1u);
    EXPECT_EQ(NactenaUrl().size(), 1u);

    odpovediDialogu = {{L"Druhý", L"http://127.0.0.1/2", L"popis"}};
    ::SendMessageW(okno, WM_COMMAND, 40189, 0);
    std::vector<ZdrojRSS> ocekavane = {{L"První", L"http://127.0.0.1/1", L""}, {L"Druhý", L"http://127.0.0.1/2", L"popis"}};
    EXPECT_EQ(ulozene(), ocekavane);
    EXPECT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
    ASSERT_TRUE(nacteno(2));  // refilled: the first source selected and loaded
    EXPECT_EQ(::SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);

    // editing the selected (second) source; an empty name is accepted
    ::SendMessageW(combo, CB_SETCURSEL, 1, 0);
    odpovediDialogu = {{L"", L"http://127.0.0.1/3", L""}};
    ::SendMessageW(okno, WM_COMMAND, 40190, 0);
    ocekavane[1] = {L"", L"http://127.0.0.1/3", L""};
    EXPECT_EQ(ulozene(), ocekavane);
    ASSERT_TRUE(nacteno(3));

    // removal asks with the name and address; "yes" removes the selected source
    ::SendMessageW(combo, CB_SETCURSEL, 0, 0);
    ::SendMessageW(okno, WM_COMMAND, 40191, 0);
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_EQ(zpravy.zpravy[0].text, L"Opravdu chcete vybraný RSS kanál\n\"První\" (http://127.0.0.1/1)\nodebrat ze seznamu?");
    EXPECT_TRUE(zpravy.zpravy[0].priznaky & MB_DEFBUTTON2);
    ocekavane.erase(ocekavane.begin());
    EXPECT_EQ(ulozene(), ocekavane);
    ASSERT_TRUE(nacteno(4));

    // no selection: nothing is asked or removed
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    ::SendMessageW(okno, WM_COMMAND, 40191, 0);
    EXPECT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_EQ(ulozene(), ocekavane);
    DlgEditZdrojRSS::upravitZdroj = DlgEditZdrojRSS::Upravit;
}

TEST(DlgEditZdrojRss, VyplniAPrectePolozky) {
    ZdrojRSS zdroj{L"Název", L"http://127.0.0.1/a", L"řádek 1\r\nřádek 2"};
    DlgEditZdrojRSS dialog;
    dialog.zdroj = &zdroj;
    HWND h = dialog.Vytvorit(nullptr);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(testy::TextOkna(::GetDlgItem(h, 1177)), L"Název");
    EXPECT_EQ(testy::TextOkna(::GetDlgItem(h, 1171)), L"http://127.0.0.1/a");
    EXPECT_EQ(testy::TextOkna(::GetDlgItem(h, 1235)), L"řádek 1\r\nřádek 2");
    EXPECT_EQ(testy::TextOkna(h).rfind(L"RSS zdroj - ", 0), 0u);
    ::SetDlgItemTextW(h, 1177, L"Jiný");
    ::SetDlgItemTextW(h, 1235, L"");
    ::SendMessageW(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(h, IDOK)));
    EXPECT_EQ(zdroj.nazev, L"Jiný");
    EXPECT_EQ(zdroj.popis, L"");
    EXPECT_EQ(zdroj.url, L"http://127.0.0.1/a");

    DlgEditZdrojRSS bezZdroje;
    HRESULT hr = S_OK;
    try {
        bezZdroje.Vytvorit(nullptr);
    } catch (const knihovna::Chyba& chyba) {
        hr = chyba.Hresult();
    }
    EXPECT_EQ(hr, E_INVALIDARG);
}

TEST_F(CteckaRss, ChybaNacteniJeHlasenaAStavSeObnovi) {
    ZapsatZdroje({{L"Chybný", L"http://127.0.0.1/chyba", L"Popis chybného"}, {L"Dobrý", L"http://127.0.0.1/ok", L""},
                   {L"Bez výsledku", L"http://127.0.0.1/bezvysledku", L""}});
    ZachytavacZprav zpravy;
    HWND okno = Spustit();
    ASSERT_NE(okno, nullptr);
    ASSERT_TRUE(CekatNa([&] { return Stav() == L"Popis chybného"; }));
    HWND combo = ::FindWindowExW(::GetDlgItem(okno, 1049), nullptr, L"ComboBoxZdrojeRSS", nullptr);
    EXPECT_TRUE(::IsWindowEnabled(combo));
    EXPECT_EQ(::SendMessageW(Prvek(1237), LB_GETCOUNT, 0, 0), 0);
    ASSERT_TRUE(CekatNa([&] { return zpravy.zpravy.size() == 1; }));
    EXPECT_EQ(zpravy.zpravy[0].vlastnik, okno);  // closing the reader takes the box with it
    EXPECT_EQ(zpravy.zpravy[0].text, L"Nepodařilo se načíst obsah RSS zdroje.\nChyba: Časový limit operace vypršel");
    EXPECT_TRUE(zpravy.zpravy[0].priznaky & MB_ICONERROR);
    // a loading without any result still ends the loading state
    ::SendMessageW(combo, CB_SETCURSEL, 2, 0);
    ::SendMessageW(okno, WM_COMMAND, MAKEWPARAM(1236, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    ASSERT_TRUE(CekatNa([&] { return zpravy.zpravy.size() == 2 && ::IsWindowEnabled(combo); }));
    EXPECT_EQ(Stav(), L"Bez výsledku");

    // the next source loads as usual
    ::SendMessageW(combo, CB_SETCURSEL, 1, 0);
    ::SendMessageW(okno, WM_COMMAND, MAKEWPARAM(1236, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    EXPECT_TRUE(CekatNa([&] { return ::SendMessageW(Prvek(1237), LB_GETCOUNT, 0, 0) == 2 && Stav() == L"Dobrý"; }));
}

// A feed of 80 000 items is listed in steps: the first step at once, the rest from messages the
// list posts itself, so the reader's window answers while the list fills.
TEST(SeznamPolozekRss, DlouhyKanalSePlniPoKusech) {
    HWND rodic = ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(rodic, nullptr);
    {
        ListBoxObsahZdrojeRSS seznam;
        seznam.Vytvorit(rodic, false);
        std::vector<definice::PolozkaRSS> polozky(80000);
        for (size_t i = 0; i < polozky.size(); ++i) polozky[i].titulek = L"P" + std::to_wstring(i);
        seznam.Naplnit(polozky);
        EXPECT_EQ(::SendMessageW(seznam.m_hWnd, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(ListBoxObsahZdrojeRSS::KUS_PLNENI))
            << "the whole feed was added before the window could answer";
        EXPECT_EQ(::SendMessageW(seznam.m_hWnd, LB_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(seznam.Pocet(), 80000u);
        // a new fill drops the steps of the old one
        std::vector<definice::PolozkaRSS> kratke(3);
        seznam.Naplnit(kratke);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        EXPECT_EQ(::SendMessageW(seznam.m_hWnd, LB_GETCOUNT, 0, 0), 3);
        seznam.Naplnit(polozky);
        ASSERT_TRUE(CekatNa([&] { return seznam.Pridano() == polozky.size(); }, 60000));
        EXPECT_EQ(::SendMessageW(seznam.m_hWnd, LB_GETCOUNT, 0, 0), 80000);
        EXPECT_EQ(::SendMessageW(seznam.m_hWnd, LB_GETITEMDATA, 79999, 0), 80000);
        EXPECT_EQ(seznam.VybranaPolozka(), seznam.PolozkaDat(1));
    }
    ::DestroyWindow(rodic);
}

TEST_F(CteckaRss, DlouhyKanalSeCelyVypiseAOknoPritomOdpovida) {
    ZapsatZdroje({{L"Mnoho", L"http://127.0.0.1/mnoho", L""}});
    HWND okno = Spustit();
    ASSERT_NE(okno, nullptr);
    ASSERT_TRUE(CekatNa([&] { return ::SendMessageW(Prvek(1237), LB_GETCOUNT, 0, 0) > 0; }, 10000));
    // the reader's window answers while it fills
    DWORD_PTR vysledek = 0;
    EXPECT_NE(::SendMessageTimeoutW(okno, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &vysledek), 0);
    EXPECT_TRUE(CekatNa([&] { return ::SendMessageW(Prvek(1237), LB_GETCOUNT, 0, 0) == 80000; }, 50000));
}
