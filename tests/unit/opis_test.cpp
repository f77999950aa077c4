// The capture engine: naming of capture files, captures of the screen, an area and a window
// (with zoom), saving in every format, the clipboard, the follow-up shell action and failures.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "core/aplikace.h"
#include "knihovna/chyba.h"
#include "knihovna/modul.h"
#include "knihovna/text.h"
#include "podpora/obrazky.h"
#include "podpora/pomocnik.h"
#include "resources/resource.h"
#include "core/ulozitsoubor.h"
#include "screen/opis.h"
#include "unit/servery_testu.h"

using testy::DekodovanyObrazek;
using testy::Dekodovat;

using testy::SouboryVeSlozce;

namespace {

void VytvoritSoubor(const std::wstring& cesta) {
    if (FILE* f = _wfopen(cesta.c_str(), L"wb")) {
        fputs("x", f);
        fclose(f);
    }
}

HRESULT ChybaVolani(const std::function<void()>& volani) {
    try {
        volani();
    } catch (const knihovna::Chyba& chyba) {
        return chyba.Hresult();
    }
    return S_OK;
}

// Records the shell actions instead of running them.
struct AkceShellu {
    std::wstring sloveso;
    std::wstring soubor;
    int zobrazeni;
};
std::vector<AkceShellu> akceShellu;
INT_PTR vysledekShellu = 42;
HINSTANCE WINAPI ZaznamenatShell(HWND, LPCWSTR sloveso, LPCWSTR soubor, LPCWSTR, LPCWSTR, INT zobrazeni) {
    akceShellu.push_back({sloveso ? sloveso : L"", soubor ? soubor : L"", zobrazeni});
    // the shell leaves whatever last error behind; the result alone tells what went wrong
    if (vysledekShellu <= 32) ::SetLastError(ERROR_BAD_EXE_FORMAT);
    return reinterpret_cast<HINSTANCE>(vysledekShellu);
}

// Waits for the capture-action dialog of this process and cancels it.
bool dialogAkceZobrazen = false;
void ZrusitDialogAkce() {
    dialogAkceZobrazen = false;
    for (int i = 0; i < 500; ++i) {
        HWND dialog = ::FindWindowW(L"#32770", nullptr);
        DWORD pid = 0;
        if (dialog) ::GetWindowThreadProcessId(dialog, &pid);
        if (dialog && pid == ::GetCurrentProcessId() && ::GetDlgItem(dialog, IDC_AKCE_SEZNAM)) {
            dialogAkceZobrazen = true;
            ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        ::Sleep(10);
    }
}

class Opis : public ::testing::Test {
protected:
    void SetUp() override {
        testy::SpustitGdiPlus();
        akceShellu.clear();
        vysledekShellu = 42;
        puvodniShell = knihovna::spustitShell;
        knihovna::spustitShell = ZaznamenatShell;
        nastaveni.slozka = slozka.Cesta() + L"\\Opis obrazovky";
        nastaveni.kopirovatDoSchranky = false;
        nastaveni.shellOtevrit = 0;
    }
    void TearDown() override { knihovna::spustitShell = puvodniShell; }

    std::wstring V(const std::wstring& jmeno) const { return nastaveni.slozka + L"\\" + jmeno; }

    static SIZE Obrazovka() { return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}; }

    testy::DocasnaSlozka slozka;
    NastaveniOpisu nastaveni;
    knihovna::FunkceShellExecute puvodniShell = nullptr;
};

}  // namespace

TEST_F(Opis, JmenoSouboruJeTabulkouPripadu) {
    ::CreateDirectoryW(nastaveni.slozka.Text().c_str(), nullptr);
    struct Pripad {
        const char* popis;
        std::vector<std::wstring> existujici;
        bool cislovat;
        int max;
        int format;
        const wchar_t* ocekavane;  // null = no name
    } pripady[] = {
        {"defaults, empty folder", {}, true, 500, FORMAT_JPEG, L"Obrazovka0.jpg"},
        {"next number", {L"Obrazovka0.jpg"}, true, 500, FORMAT_JPEG, L"Obrazovka1.jpg"},
        {"a deleted number is used again", {L"Obrazovka0.jpg", L"Obrazovka2.jpg"}, true, 500, FORMAT_JPEG,
         L"Obrazovka1.jpg"},
        {"all numbers taken", {L"Obrazovka0.jpg", L"Obrazovka1.jpg", L"Obrazovka2.jpg"}, true, 3, FORMAT_JPEG,
         nullptr},
        {"maximum 0", {}, true, 0, FORMAT_JPEG, nullptr},
        {"without numbering the name is reused", {L"Obrazovka.jpg"}, false, 500, FORMAT_JPEG, L"Obrazovka.jpg"},
        {"another format restarts at 0", {L"Obrazovka0.jpg", L"Obrazovka1.jpg"}, true, 500, FORMAT_PNG,
         L"Obrazovka0.png"},
        {"BMP", {}, true, 500, FORMAT_BMP, L"Obrazovka0.bmp"},
        {"TIFF", {L"Obrazovka0.tif"}, true, 500, FORMAT_TIFF, L"Obrazovka1.tif"},
        {"GIF", {}, false, 500, FORMAT_GIF, L"Obrazovka.gif"},
        {"a stored format outside the table counts as JPEG", {}, true, 500, 7, L"Obrazovka0.jpg"},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.popis);
        testy::SmazatStrom(nastaveni.slozka);
        ::CreateDirectoryW(nastaveni.slozka.Text().c_str(), nullptr);
        for (const auto& jmeno : p.existujici) VytvoritSoubor(V(jmeno));
        NastaveniOpisu n = nastaveni;
        n.cislovat = p.cislovat;
        n.maxPocetSouboru = p.max;
        n.format = p.format;
        std::wstring jmeno = L"puvodni";
        int vysledek = ZiskatJmenoSouboruOpisu(n, jmeno);
        if (p.ocekavane) {
            EXPECT_EQ(vysledek, 0);
            EXPECT_EQ(jmeno, V(p.ocekavane));
        } else {
            EXPECT_NE(vysledek, 0);
            EXPECT_EQ(jmeno, L"puvodni");
        }
    }
}

TEST_F(Opis, PrilisDlouheJmenoNeniNalezeno) {
    NastaveniOpisu n = nastaveni;
    n.slozka = slozka.Cesta() + L"\\" + std::wstring(DELKA_JMENA_OPISU, L'a');
    std::wstring jmeno;
    EXPECT_NE(ZiskatJmenoSouboruOpisu(n, jmeno), 0);
    n.cislovat = false;
    EXPECT_NE(ZiskatJmenoSouboruOpisu(n, jmeno), 0);
    EXPECT_TRUE(jmeno.empty());

    // a base name that fits just without the number's second digit
    n.cislovat = true;
    n.slozka = slozka.Cesta();
    n.soubor = std::wstring(DELKA_JMENA_OPISU - 1 - slozka.Cesta().size() - 1 - 1 - 4, L'b');
    EXPECT_EQ(ZiskatJmenoSouboruOpisu(n, jmeno), 0);
    EXPECT_EQ(jmeno.size(), DELKA_JMENA_OPISU - 1);
}

TEST_F(Opis, ZadneVolneJmenoHlasiZpravuANicNezapise) {
    ::CreateDirectoryW(nastaveni.slozka.Text().c_str(), nullptr);
    for (const wchar_t* j : {L"Obrazovka0.jpg", L"Obrazovka1.jpg", L"Obrazovka2.jpg"}) VytvoritSoubor(V(j));
    nastaveni.maxPocetSouboru = 3;
    nastaveni.kopirovatDoSchranky = true;
    nastaveni.shellOtevrit = 2;
    jmenoSouboruOpisu = L"stare";
    testy::ZachytavacZprav zpravy;
    UlozitOpisObrazovky(nastaveni, 1);
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_EQ(zpravy.zpravy[0].text, L"Nepodařilo se získat platné jméno souboru pro opis obrazovky.");
    EXPECT_TRUE(zpravy.zpravy[0].priznaky & MB_ICONERROR);
    EXPECT_TRUE(jmenoSouboruOpisu.empty());
    EXPECT_EQ(SouboryVeSlozce(nastaveni.slozka).size(), 3u) << "nothing is written";
    EXPECT_TRUE(akceShellu.empty());

    // the same for a name too long for its buffer: the message, never a file under a cut name
    zpravy.zpravy.clear();
    nastaveni.maxPocetSouboru = 500;
    nastaveni.soubor = std::wstring(DELKA_JMENA_OPISU, L'c');
    UlozitOpisVyrezu(nastaveni, 0, 0, 10, 10, 1);
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_EQ(zpravy.zpravy[0].text, L"Nepodařilo se získat platné jméno souboru pro opis obrazovky.");
    EXPECT_EQ(SouboryVeSlozce(nastaveni.slozka).size(), 3u);
}

TEST_F(Opis, OpisObrazovkyVKazdemFormatuSeZnovuNacte) {
    struct {
        int format;
        const char* ocekavany;
        const wchar_t* jmeno;
    } pripady[] = {{FORMAT_JPEG, "JPEG", L"Obrazovka0.jpg"}, {FORMAT_PNG, "PNG", L"Obrazovka0.png"},
                   {FORMAT_BMP, "BMP", L"Obrazovka0.bmp"},   {FORMAT_TIFF, "TIFF", L"Obrazovka0.tif"},
                   {FORMAT_GIF, "GIF", L"Obrazovka0.gif"}};
    const SIZE obrazovka = Obrazovka();
    testy::ZachytavacZprav zpravy;
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.ocekavany);
        nastaveni.format = p.format;
        UlozitOpisObrazovky(nastaveni, 1);
        EXPECT_EQ(jmenoSouboruOpisu, V(p.jmeno));
        DekodovanyObrazek d = Dekodovat(V(p.jmeno));
        EXPECT_TRUE(d.nacten);
        EXPECT_EQ(d.format, p.ocekavany);
        EXPECT_EQ(d.sirka, static_cast<UINT>(obrazovka.cx));
        EXPECT_EQ(d.vyska, static_cast<UINT>(obrazovka.cy));
    }
    EXPECT_TRUE(zpravy.zpravy.empty()) << (zpravy.zpravy.empty() ? std::string() : knihovna::NaUzky(zpravy.zpravy[0].text));
    EXPECT_EQ(SouboryVeSlozce(nastaveni.slozka).size(), 5u) << "no temporary file is left";
}

TEST_F(Opis, ZvetsenyOpisObrazovkyMaNasobekRozmeru) {
    const SIZE obrazovka = Obrazovka();
    ObrazekGdiPlus o;
    SejmoutObrazovku(o, 4);
    EXPECT_EQ(o.Sirka(), 4u * obrazovka.cx);
    EXPECT_EQ(o.Vyska(), 4u * obrazovka.cy);
    SejmoutObrazovku(o, 1);
    EXPECT_EQ(o.Sirka(), static_cast<UINT>(obrazovka.cx));
    SejmoutObrazovku(o, 0);  // no zoom below 1
    EXPECT_EQ(o.Vyska(), static_cast<UINT>(obrazovka.cy));
    EXPECT_EQ(o.obrazek->GetPixelFormat() & PixelFormatAlpha, 0u) << "the screen is opaque";
}

TEST_F(Opis, OpisVyrezuZachytiObsahNaSvemMiste) {
    testy::BarevneOkno zelene(RGB(10, 200, 30), RECT{200, 150, 400, 250});
    ObrazekGdiPlus o;
    SejmoutVyrez(o, 190, 140, 410, 260, 1);
    ASSERT_EQ(o.Sirka(), 220u);
    ASSERT_EQ(o.Vyska(), 120u);
    EXPECT_EQ(testy::Pixel(*o.obrazek, 110, 60), RGB(10, 200, 30));
    EXPECT_EQ(testy::Pixel(*o.obrazek, 11, 11), RGB(10, 200, 30));
    EXPECT_NE(testy::Pixel(*o.obrazek, 5, 5), RGB(10, 200, 30));

    SejmoutVyrez(o, 200, 150, 300, 200, 3);
    EXPECT_EQ(o.Sirka(), 300u);
    EXPECT_EQ(o.Vyska(), 150u);
    EXPECT_EQ(testy::Pixel(*o.obrazek, 150, 75), RGB(10, 200, 30));

    // an empty or reversed area is refused
    EXPECT_EQ(ChybaVolani([&] { SejmoutVyrez(o, 100, 100, 100, 200, 1); }), E_INVALIDARG);
    EXPECT_EQ(ChybaVolani([&] { SejmoutVyrez(o, 300, 200, 100, 100, 1); }), E_INVALIDARG);
    EXPECT_FALSE(o.obrazek);
}

TEST_F(Opis, OpisOknaAKlientskeOblasti) {
    testy::BarevneOkno modre(RGB(0, 0, 220), RECT{300, 300, 460, 420});
    ObrazekGdiPlus o;
    SejmoutOkno(o, modre.Okno(), false, 1);
    EXPECT_EQ(o.Sirka(), 160u);
    EXPECT_EQ(o.Vyska(), 120u);
    EXPECT_EQ(testy::Pixel(*o.obrazek, 80, 60), RGB(0, 0, 220));
    SejmoutOkno(o, modre.Okno(), true, 2);
    EXPECT_EQ(o.Sirka(), 320u);
    EXPECT_EQ(o.Vyska(), 240u);
    EXPECT_EQ(ChybaVolani([&] { SejmoutOkno(o, nullptr, false, 1); }), E_INVALIDARG);

    // the whole road for a window: its own file name, the extension's encoder, the balloon text id
    testy::ZachytavacZprav zpravy;
    UlozitOpisOkna(nastaveni, modre.Okno(), true, 1);
    DekodovanyObrazek d = Dekodovat(V(L"Obrazovka0.jpg"));
    EXPECT_EQ(d.format, "JPEG");
    EXPECT_EQ(d.sirka, 160u);
    EXPECT_EQ(d.vyska, 120u);
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
}

TEST_F(Opis, SchrankaDostaneBitmapu) {
    nastaveni.kopirovatDoSchranky = true;
    nastaveni.format = FORMAT_PNG;
    testy::ZachytavacZprav zpravy;
    UlozitOpisVyrezu(nastaveni, 10, 20, 110, 70, 2);
    ASSERT_TRUE(zpravy.zpravy.empty()) << zpravy;
    DekodovanyObrazek d = Dekodovat(V(L"Obrazovka0.png"));
    EXPECT_EQ(d.format, "PNG");
    EXPECT_EQ(d.sirka, 200u);
    EXPECT_EQ(d.vyska, 100u);

    ASSERT_TRUE(::OpenClipboard(nullptr));
    HBITMAP bitmapa = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
    BITMAP info{};
    if (bitmapa) ::GetObjectW(bitmapa, sizeof(info), &info);
    ::CloseClipboard();
    ASSERT_NE(bitmapa, nullptr);
    EXPECT_EQ(info.bmWidth, 200);
    EXPECT_EQ(info.bmHeight, 100);

    // off: the clipboard is left alone
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::CloseClipboard();
    nastaveni.kopirovatDoSchranky = false;
    UlozitOpisVyrezu(nastaveni, 10, 20, 110, 70, 1);
    EXPECT_TRUE(testy::ExistujeSoubor(V(L"Obrazovka1.png")));
    EXPECT_FALSE(::IsClipboardFormatAvailable(CF_BITMAP));
}

TEST_F(Opis, NaslednaAkceShellu) {
    struct {
        int shellOtevrit;
        const wchar_t* sloveso;  // null = none
    } pripady[] = {{1, L"open"}, {2, L"edit"}, {3, L"print"}, {0, nullptr}, {99, nullptr}, {7, nullptr}};
    nastaveni.cislovat = false;
    nastaveni.shellShowCmd = SW_SHOWMAXIMIZED;
    testy::ZachytavacZprav zpravy;
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.shellOtevrit);
        akceShellu.clear();
        nastaveni.shellOtevrit = p.shellOtevrit;
        // "ask" opens the capture-action dialog; Cancel there does nothing
        std::thread zavrit;
        if (p.shellOtevrit == 99) zavrit = std::thread(ZrusitDialogAkce);
        UlozitOpisVyrezu(nastaveni, 0, 0, 20, 20, 1);
        if (zavrit.joinable()) {
            zavrit.join();
            EXPECT_TRUE(dialogAkceZobrazen);
        }
        if (!p.sloveso) {
            EXPECT_TRUE(akceShellu.empty());
            continue;
        }
        ASSERT_EQ(akceShellu.size(), 1u);
        EXPECT_EQ(akceShellu[0].sloveso, p.sloveso);
        EXPECT_EQ(akceShellu[0].soubor, V(L"Obrazovka.jpg"));
        EXPECT_EQ(akceShellu[0].zobrazeni, SW_SHOWMAXIMIZED);
    }
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;

    // the active window's capture shows the file normally
    testy::BarevneOkno okno(RGB(1, 2, 3), RECT{50, 50, 150, 150});
    ::SetForegroundWindow(okno.Okno());
    akceShellu.clear();
    nastaveni.shellOtevrit = 1;
    UlozitOpisOkna(nastaveni, nullptr, false, 1, true);
    ASSERT_EQ(akceShellu.size(), 1u);
    EXPECT_EQ(akceShellu[0].zobrazeni, SW_SHOW);

    // a missing association is one Czech message naming the action and the type; the file stays
    struct {
        INT_PTR vysledek;
        DWORD akce;
        std::wstring text;
    } chyby[] = {
        {SE_ERR_NOASSOC, 2,
         L"Opis byl uložen, ale akci „upravit“ nelze provést: k souborům typu „.jpg“ není přiřazen žádný program.\n(" +
             V(L"Obrazovka.jpg") + L")"},
        {SE_ERR_ASSOCINCOMPLETE, 1,
         L"Opis byl uložen, ale akci „otevřít“ nelze provést: k souborům typu „.jpg“ není přiřazen žádný program.\n(" +
             V(L"Obrazovka.jpg") + L")"},
        {ERROR_FILE_NOT_FOUND, 3,
         L"Opis byl uložen, ale akci s ním se nepodařilo provést.\nChyba: " +
             knihovna::TextHresult(knihovna::HresultZKodu(ERROR_FILE_NOT_FOUND))},
    };
    for (const auto& c : chyby) {
        SCOPED_TRACE(c.vysledek);
        zpravy.zpravy.clear();
        vysledekShellu = c.vysledek;
        nastaveni.shellOtevrit = c.akce;
        UlozitOpisObrazovky(nastaveni, 1);
        ASSERT_EQ(zpravy.zpravy.size(), 1u);
        EXPECT_TRUE(zpravy.zpravy[0].priznaky & MB_ICONERROR);
        EXPECT_EQ(zpravy.zpravy[0].text, c.text);
        EXPECT_EQ(zpravy.zpravy[0].text.find(L"EXE"), std::wstring::npos);
        EXPECT_TRUE(testy::ExistujeSoubor(V(L"Obrazovka.jpg")));
    }
}

namespace {
DWORD zapsanoPredChybou = 0;
BOOL WINAPI KratkyZapis(HANDLE h, LPCVOID data, DWORD n, LPDWORD zapsano, LPOVERLAPPED o) {
    // a full disk: the first bytes go, the rest does not
    DWORD kus = n > 100 ? 100 : n;
    BOOL ok = ::WriteFile(h, data, kus, zapsano, o);
    zapsanoPredChybou += kus;
    return ok;
}
}  // namespace

// A capture that cannot be written whole (a full disk) is an error and the previous file stays,
// in every format (TIFF under GDI+ reported success for a cut file).
TEST_F(Opis, ZkracenyZapisOpisuJeChybaAStaryOpisZustane) {
    nastaveni.cislovat = false;
    for (DWORD format : {DWORD{FORMAT_TIFF}, DWORD{FORMAT_PNG}, DWORD{FORMAT_JPEG}, DWORD{FORMAT_BMP}}) {
        SCOPED_TRACE(format);
        nastaveni.format = format;
        testy::ZachytavacZprav zpravy;
        UlozitOpisVyrezu(nastaveni, 0, 0, 64, 48, 1);
        ASSERT_TRUE(zpravy.zpravy.empty()) << zpravy;
        const std::wstring soubor = V(L"Obrazovka" + PriponaFormatu(static_cast<int>(format)));
        const std::vector<BYTE> dobry = testy::PrecistBajty(soubor);
        ASSERT_FALSE(dobry.empty());

        zapisSouboru = KratkyZapis;
        UlozitOpisVyrezu(nastaveni, 0, 0, 300, 200, 1);
        zapisSouboru = ::WriteFile;
        ASSERT_EQ(zpravy.zpravy.size(), 1u) << "a cut file is not reported as saved";
        EXPECT_EQ(zpravy.zpravy[0].text.rfind(L"Došlo k chybě při pokusu o uložení opisu oblasti obrazovky", 0), 0u);
        EXPECT_EQ(testy::PrecistBajty(soubor), dobry) << "the previous capture is kept";
        for (const std::wstring& jmeno : SouboryVeSlozce(nastaveni.slozka))
            EXPECT_EQ(jmeno.rfind(L"Obrazovka.", 0), 0u) << "no temporary file is left";
    }
}

// A picture file cut short does not pass the check that precedes putting it in place.
TEST_F(Opis, ZkracenyObrazekNeprojdeKontrolou) {
    for (DWORD format : {DWORD{FORMAT_TIFF}, DWORD{FORMAT_PNG}, DWORD{FORMAT_BMP}, DWORD{FORMAT_GIF}}) {
        SCOPED_TRACE(format);
        nastaveni.format = format;
        nastaveni.cislovat = false;
        testy::ZachytavacZprav zpravy;
        UlozitOpisVyrezu(nastaveni, 0, 0, 200, 150, 1);
        const std::vector<BYTE> cely = testy::PrecistBajty(V(L"Obrazovka" + PriponaFormatu(static_cast<int>(format))));
        ASSERT_GT(cely.size(), 200u);
        const std::string data(cely.begin(), cely.end());
        EXPECT_NO_THROW(OveritCelyObrazek(data, 200, 150));
        EXPECT_EQ(ChybaVolani([&] { OveritCelyObrazek(data.substr(0, data.size() / 2), 200, 150); }),
                  knihovna::HresultZKodu(ERROR_FILE_CORRUPT));
        EXPECT_EQ(ChybaVolani([&] { OveritCelyObrazek(data, 201, 150); }), knihovna::HresultZKodu(ERROR_FILE_CORRUPT));
        EXPECT_NE(ChybaVolani([&] { OveritCelyObrazek(std::string(), 200, 150); }), S_OK);
    }
}

TEST_F(Opis, ChybaUlozeniSeOhlasiSNadpisemDruhuOpisu) {
    // the capture "folder" is a file: nothing can be saved below it
    VytvoritSoubor(slozka.Cesta() + L"\\soubor");
    nastaveni.slozka = slozka.Cesta() + L"\\soubor";
    nastaveni.shellOtevrit = 1;
    testy::ZachytavacZprav zpravy;
    UlozitOpisObrazovky(nastaveni, 1);
    UlozitOpisVyrezu(nastaveni, 0, 0, 10, 10, 1);
    testy::BarevneOkno okno(RGB(1, 2, 3), RECT{50, 50, 150, 150});
    UlozitOpisOkna(nastaveni, okno.Okno(), false, 1);
    ASSERT_EQ(zpravy.zpravy.size(), 3u);
    const wchar_t* nadpisy[] = {L"Došlo k chybě při pokusu o uložení opisu obrazovky do souboru.\nChyba: ",
                                L"Došlo k chybě při pokusu o uložení opisu oblasti obrazovky do souboru.\nChyba: ",
                                L"Došlo k chybě při ukládání opisu okna do souboru.\nChyba: "};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(zpravy.zpravy[i].text.rfind(nadpisy[i], 0), 0u) << knihovna::NaUzky(zpravy.zpravy[i].text);
        EXPECT_TRUE(zpravy.zpravy[i].priznaky & MB_ICONERROR);
    }
    EXPECT_TRUE(akceShellu.empty()) << "the steps after a failure are not run";
}

TEST_F(Opis, ChybejiciSlozkaOpisuSeVytvori) {
    nastaveni.slozka = slozka.Cesta() + L"\\a\\b";
    testy::ZachytavacZprav zpravy;
    UlozitOpisVyrezu(nastaveni, 0, 0, 16, 16, 1);
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
    EXPECT_TRUE(testy::ExistujeSoubor(V(L"Obrazovka0.jpg")));
}

namespace {
struct OknaJinehoVlakna {
    HWND rodic = nullptr, seznam = nullptr;
    HANDLE hotovo = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE konec = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
};

DWORD WINAPI VlaknoOken(void* p) {
    auto* o = static_cast<OknaJinehoVlakna*>(p);
    o->rodic = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 300, 300, 200,
                                 160, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    o->seznam = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT,
                                  20, 30, 120, 90, o->rodic, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(o->seznam, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Položka"));
    ::UpdateWindow(o->rodic);
    ::SetEvent(o->hotovo);
    MSG msg;
    while (::MsgWaitForMultipleObjects(1, &o->konec, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    ::DestroyWindow(o->rodic);
    return 0;
}
}  // namespace

// A child window picked with the window picker (a list pane of another program) captures like
// a top-level window: its own rectangle, the whole road to the file, no error.
TEST_F(Opis, OpisDetskehoOknaJakoHlavniho) {
    // the windows live on a thread of their own, as another program's would
    OknaJinehoVlakna okna;
    HANDLE vlakno = ::CreateThread(nullptr, 0, VlaknoOken, &okna, 0, nullptr);
    ASSERT_NE(vlakno, nullptr);
    ASSERT_EQ(::WaitForSingleObject(okna.hotovo, 10000), WAIT_OBJECT_0);
    HWND seznam = okna.seznam;
    ASSERT_NE(seznam, nullptr);
    RECT klient;
    ::GetClientRect(seznam, &klient);
    struct {
        bool klient;
        UINT sirka, vyska;
    } pripady[] = {{false, 120u, 90u}, {true, static_cast<UINT>(klient.right), static_cast<UINT>(klient.bottom)}};
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.klient);
        ObrazekGdiPlus o;
        ::SetLastError(ERROR_FILE_NOT_FOUND);  // what the name search leaves behind
        EXPECT_EQ(ChybaVolani([&] { SejmoutOkno(o, seznam, p.klient, 1); }), S_OK);
        ASSERT_TRUE(o.obrazek);
        EXPECT_EQ(o.Sirka(), p.sirka);
        EXPECT_EQ(o.Vyska(), p.vyska);
    }
    testy::ZachytavacZprav zpravy;
    nastaveni.format = FORMAT_PNG;
    UlozitOpisOkna(nastaveni, seznam, false, 1);
    UlozitOpisOkna(nastaveni, seznam, true, 1);
    EXPECT_TRUE(zpravy.zpravy.empty()) << (zpravy.zpravy.empty() ? "" : knihovna::NaUzky(zpravy.zpravy[0].text));
    EXPECT_EQ(Dekodovat(V(L"Obrazovka0.png")).sirka, 120u);
    EXPECT_TRUE(testy::ExistujeSoubor(V(L"Obrazovka1.png")));
    ::SetEvent(okna.konec);
    ::WaitForSingleObject(vlakno, 10000);
    ::CloseHandle(vlakno);
    ::CloseHandle(okna.hotovo);
    ::CloseHandle(okna.konec);
}

// The same for a list pane of another program (its window DC is not this process's to take).
TEST_F(Opis, OpisDetskehoOknaJinehoProgramu) {
    const std::wstring program = testy::SlozkaPomocnych() + L"\\okno_se_seznamem\\OknoSeSeznamem.exe";
    std::wstring radek = L"\"" + program + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(::CreateProcessW(program.c_str(), &radek[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    HWND rodic = nullptr, seznam = nullptr;
    EXPECT_TRUE(testy::CekatNa([&] {
        rodic = ::FindWindowW(L"QTestOknoSeSeznamem", nullptr);
        seznam = rodic ? ::FindWindowExW(rodic, nullptr, L"ListBox", nullptr) : nullptr;
        return seznam && ::IsWindowVisible(seznam);
    }));
    if (seznam) {
        ::Sleep(200);  // painted
        ObrazekGdiPlus o;
        ::SetLastError(ERROR_FILE_NOT_FOUND);  // what the name search leaves behind
        EXPECT_EQ(ChybaVolani([&] { SejmoutOkno(o, seznam, false, 1); }), S_OK);
        ASSERT_TRUE(o.obrazek);
        EXPECT_EQ(o.Sirka(), 120u);
        EXPECT_EQ(o.Vyska(), 90u);
        testy::ZachytavacZprav zpravy;
        nastaveni.format = FORMAT_PNG;
        UlozitOpisOkna(nastaveni, seznam, true, 1);
        EXPECT_TRUE(zpravy.zpravy.empty()) << (zpravy.zpravy.empty() ? "" : knihovna::NaUzky(zpravy.zpravy[0].text));
        EXPECT_TRUE(testy::ExistujeSoubor(V(L"Obrazovka0.png")));
    }
    ::PostMessageW(rodic, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(pi.hProcess, 5000) != WAIT_OBJECT_0) ::TerminateProcess(pi.hProcess, 1);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
}
