// Text and sound notes: the folder scan, names, the .pozn bytes in the ANSI code page, the note
// window that keeps its note whatever the list does, the recording text and the MCI recording with
// the null sound device, and the input-line switch on a mixer of the test's own.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>
#include <shlwapi.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "core/ulozitsoubor.h"
#include "knihovna/modul.h"
#include "knihovna/text.h"
#include "notes/oknopoznamka.h"
#include "notes/oknoseznamu.h"
#include "notes/seznampoznamek.h"
#include "notes/souborpoznamky.h"
#include "notes/strankypoznamky.h"
#include "notes/zaznamzvuku.h"
#include "podpora/pomocnik.h"
#include "podpora/ridic.h"

using testy::DocasnaSlozka;

namespace {

void ZapsatSoubor(const std::wstring& cesta, const std::string& obsah) {
    HANDLE h = ::CreateFileW(cesta.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << "cannot write the fixture";
    DWORD zapsano = 0;
    if (!obsah.empty()) ::WriteFile(h, obsah.data(), static_cast<DWORD>(obsah.size()), &zapsano, nullptr);
    ::CloseHandle(h);
}

std::string Obsah(const std::wstring& cesta) {
    std::vector<BYTE> bajty = testy::PrecistBajty(cesta);
    return std::string(bajty.begin(), bajty.end());
}

// Last-write time of a file or folder: the given day of 2020 + rok years, at noon.
void NastavitCas(const std::wstring& cesta, int rok) { ASSERT_TRUE(testy::NastavitCasZapisu(cesta, rok)); }

std::vector<std::wstring> Nazvy(const SeznamPoznamek& seznam) {
    std::vector<std::wstring> nazvy;
    for (int i = 0; i < seznam.Pocet(); ++i) nazvy.push_back(seznam.Polozka(i).nazev);
    return nazvy;
}

// The notes settings of a test: folders in a temporary folder; the program's own restored after.
class NastaveniPoznamekTestu {
public:
    explicit NastaveniPoznamekTestu(const std::wstring& slozka) : m_puvodni(std::move(nastaveniPoznamky)) {
        nastaveniPoznamky = std::make_unique<KonfiguracePoznamky>();
        nastaveniPoznamky->NastavitVychozi();
        nastaveniPoznamky->textove.slozka = slozka;
        nastaveniPoznamky->zvukove.slozka = slozka;
        nastaveniPoznamky->zvukove.prepnoutOvladac = false;
    }
    ~NastaveniPoznamekTestu() { nastaveniPoznamky = std::move(m_puvodni); }

private:
    std::unique_ptr<KonfiguracePoznamky> m_puvodni;
};

}  // namespace

TEST(SeznamPoznamek, ProjitiSlozkyATrideni) {
    DocasnaSlozka slozka;
    const std::wstring s = slozka.Cesta();
    ZapsatSoubor(s + L"\\a.b.pozn", "");
    ZapsatSoubor(s + L"\\.h.pozn", "");
    ZapsatSoubor(s + L"\\B.pozn", "b");
    ZapsatSoubor(s + L"\\čaj.pozn", "c");
    ZapsatSoubor(s + L"\\jiny.txt", "");
    ZapsatSoubor(s + L"\\zvuk.wav", "");
    ASSERT_TRUE(::CreateDirectoryW((s + L"\\x.pozn").c_str(), nullptr));
    NastavitCas(s + L"\\a.b.pozn", 1);
    NastavitCas(s + L"\\B.pozn", 2);
    NastavitCas(s + L"\\čaj.pozn", 3);
    NastavitCas(s + L"\\x.pozn", 0);

    struct Pripad {
        DWORD trideni;
        std::vector<std::wstring> poradi;  // empty: any order
    } pripady[] = {
        {TRIDENI_PODLE_NAZVU, {L"a.b", L"B", L"x", L"čaj"}},  // only A-Z fold; č after the ASCII letters
        {TRIDENI_PODLE_CASU, {L"čaj", L"B", L"a.b", L"x"}},    // newest first
        {0, {}},
    };
    for (const Pripad& p : pripady) {
        SeznamPoznamek seznam;
        seznam.Nacist(s, PRIPONA_TEXTOVE, p.trideni);
        std::vector<std::wstring> nazvy = Nazvy(seznam);
        if (p.poradi.empty()) {
            std::set<std::wstring> mnozina(nazvy.begin(), nazvy.end());
            EXPECT_EQ(mnozina, (std::set<std::wstring>{L"a.b", L"B", L"x", L"čaj"}));
        } else {
            EXPECT_EQ(nazvy, p.poradi) << "sort " << p.trideni;
        }
    }
    SeznamPoznamek zvukove;
    zvukove.Nacist(s, PRIPONA_ZVUKOVE, TRIDENI_PODLE_NAZVU);
    EXPECT_EQ(Nazvy(zvukove), std::vector<std::wstring>{L"zvuk"});

    SeznamPoznamek prazdny;
    prazdny.Nacist(s + L"\\neexistuje", PRIPONA_TEXTOVE, TRIDENI_PODLE_NAZVU);
    EXPECT_EQ(prazdny.Pocet(), 0) << "a missing folder is an empty store";
    EXPECT_THROW(prazdny.Polozka(0), knihovna::Chyba);

    SeznamPoznamek seznam;
    seznam.Nacist(s, PRIPONA_TEXTOVE, TRIDENI_PODLE_NAZVU);
    const ZaznamPoznamky b = seznam.Polozka(1);
    const CastiCasu c = RozlozitCas(b.cas);
    EXPECT_EQ(c.rok, 2022);
    EXPECT_EQ(c.mesic, 6);
    EXPECT_EQ(TextPolozkyPoznamky(b).substr(0, 12), L"B (15.6.2022");
}

TEST(SeznamPoznamek, NazvyPoznamek) {
    struct {
        const wchar_t* nazev;
        bool platny;
    } pripady[] = {
        {L"Nákup", true},       {L"a.b", true},       {L"Poznámka 1", true}, {L"", false},
        {L".skryta", false},     {L"..", false},       {L"a..b", false},      {L"..\\ven", false},
        {L"a\\b", false},        {L"a/b", false},      {L"c:x", false},       {L"a*b", false},
        {L"a?b", false},         {L"a\"b", false},     {L"a<b", false},       {L"a>b", false},
        {L"a|b", false},         {L"konec.", false},   {L"konec ", false},    {L"tab\tulator", false},
    };
    for (const auto& p : pripady) EXPECT_EQ(JePlatnyNazevPoznamky(p.nazev), p.platny) << "name: " << testy::CeskeProstredi();
}

TEST(SouborPoznamky, CeskyTextJedenBajtNaPismenoAZpet) {
    if (::GetACP() != 1250) GTEST_SKIP() << "needs the Czech locale (ANSI code page 1250)";
    DocasnaSlozka slozka;
    HWND edit = ::CreateWindowExW(0, L"Edit", L"", WS_POPUP | ES_MULTILINE, 0, 0, 100, 100, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    const std::wstring text = L"Příliš žluťoučký kůň\r\núpěl ďábelské ódy. ĚŠČŘŽÝÁÍÉŮÚ";
    ::SetWindowTextW(edit, text.c_str());
    const std::string bajty = NacistTextEditu(edit);
    EXPECT_EQ(bajty.size(), text.size()) << "one byte per letter";
    EXPECT_EQ(static_cast<unsigned char>(bajty[1]), 0xF8u) << "ř in code page 1250";

    const std::wstring cesta = slozka.Cesta() + L"\\Česká.pozn";
    ZapsatSouborPoznamky(cesta, bajty);
    EXPECT_EQ(Obsah(cesta), bajty) << "no header, no NUL, no added line break";
    std::string precteno;
    ASSERT_TRUE(PrecistSouborPoznamky(cesta, precteno));
    ::SetWindowTextW(edit, L"");
    NastavitTextEditu(edit, precteno);
    wchar_t zpet[256] = L"";
    ::GetWindowTextW(edit, zpet, 256);
    EXPECT_EQ(std::wstring(zpet), text);

    // An empty note is a file of 0 bytes; a NUL in a file ends the text shown.
    ::SetWindowTextW(edit, L"");
    ZapsatSouborPoznamky(cesta, NacistTextEditu(edit));
    EXPECT_TRUE(testy::PrecistBajty(cesta).empty());
    ZapsatSoubor(cesta, std::string("ab\0cd", 5));
    ASSERT_TRUE(PrecistSouborPoznamky(cesta, precteno));
    EXPECT_EQ(precteno, "ab");
    EXPECT_FALSE(PrecistSouborPoznamky(slozka.Cesta() + L"\\chybi.pozn", precteno));
    ::DestroyWindow(edit);
}

namespace {

// A store of three notes A, B, C and the note window showing A with a changed text.
class PrepisPoznamek : public ::testing::Test {
protected:
    void SetUp() override {
        nastaveni = std::make_unique<NastaveniPoznamekTestu>(slozka.Cesta());
        ZapsatSoubor(Cesta(L"A"), "aaa");
        ZapsatSoubor(Cesta(L"B"), "bbb");
        ZapsatSoubor(Cesta(L"C"), "ccc");
        seznamTextovychPoznamek = new SeznamPoznamek();
        seznamTextovychPoznamek->Nacist(slozka.Cesta(), PRIPONA_TEXTOVE, TRIDENI_PODLE_NAZVU);
        oknoTextovePoznamky = new OknoPoznamka();
        oknoTextovePoznamky->Vytvorit();
        ASSERT_EQ(oknoTextovePoznamky->NacistPoznamku(Index(L"A")), S_OK);
        ::SetWindowTextW(oknoTextovePoznamky->Edit(), L"nový text A");
    }
    void TearDown() override {
        delete oknoTextovePoznamky;
        oknoTextovePoznamky = nullptr;
        UvolnitSeznamTextovychPoznamek();
        nastaveni.reset();
    }
    std::wstring Cesta(const wchar_t* nazev) const { return slozka.Cesta() + L"\\" + nazev + L".pozn"; }
    static int Index(const wchar_t* nazev) { return seznamTextovychPoznamek->Najit(nazev); }
    static void Zavrit() {
        ::SendMessageW(oknoTextovePoznamky->m_hWnd, WM_CLOSE, 0, 0);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    }
    std::string NovyTextA() const { return knihovna::NaUzky(L"nový text A"); }

    DocasnaSlozka slozka;
    std::unique_ptr<NastaveniPoznamekTestu> nastaveni;
    testy::ZachytavacZprav zpravy{IDOK};
};

BOOL WINAPI ZapisSelze(HANDLE, LPCVOID, DWORD, LPDWORD zapsano, LPOVERLAPPED) {
    if (zapsano) *zapsano = 0;
    ::SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

}  // namespace

// Note A shown, the list changes another note, the window closes: A saved, the others untouched.
TEST_F(PrepisPoznamek, TrideniSeznamuNepresmerujeUlozeni) {
    ASSERT_EQ(Index(L"A"), 0);
    NastavitCas(Cesta(L"A"), 0);
    NastavitCas(Cesta(L"B"), 1);
    NastavitCas(Cesta(L"C"), 2);
    seznamTextovychPoznamek->Nacist(slozka.Cesta(), PRIPONA_TEXTOVE, TRIDENI_PODLE_NAZVU);
    seznamTextovychPoznamek->Seradit(TRIDENI_PODLE_CASU);
    ASSERT_EQ(Index(L"C"), 0) << "A's old index now holds C";
    Zavrit();
    EXPECT_EQ(Obsah(Cesta(L"A")), NovyTextA());
    EXPECT_EQ(Obsah(Cesta(L"B")), "bbb");
    EXPECT_EQ(Obsah(Cesta(L"C")), "ccc");
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
}

TEST_F(PrepisPoznamek, PrejmenovaniJinePoznamkyNepresmerujeUlozeni) {
    ASSERT_TRUE(PrejmenovatPoznamku(false, Index(L"B"), L"0 první"));  // now sorts before A
    ASSERT_EQ(Index(L"0 první"), 0);
    Zavrit();
    EXPECT_EQ(Obsah(Cesta(L"A")), NovyTextA());
    EXPECT_EQ(Obsah(Cesta(L"0 první")), "bbb") << "the renamed note keeps its text";
    EXPECT_FALSE(testy::ExistujeSoubor(Cesta(L"B")));
    EXPECT_EQ(Obsah(Cesta(L"C")), "ccc");
}

TEST_F(PrepisPoznamek, OdstraneniJinePoznamkyNepresmerujeUlozeni) {
    ASSERT_TRUE(OdstranitPoznamku(false, Index(L"B")));
    Zavrit();
    EXPECT_EQ(Obsah(Cesta(L"A")), NovyTextA());
    EXPECT_FALSE(testy::ExistujeSoubor(Cesta(L"B"))) << "a deleted note is not written back";
    EXPECT_EQ(Obsah(Cesta(L"C")), "ccc");
}

TEST_F(PrepisPoznamek, PrejmenovaniAOdstraneniZobrazenePoznamky) {
    ASSERT_TRUE(PrejmenovatPoznamku(false, Index(L"A"), L"E"));
    EXPECT_EQ(oknoTextovePoznamky->NazevPoznamky(), L"E") << "the window follows its note";
    Zavrit();
    EXPECT_EQ(Obsah(Cesta(L"E")), NovyTextA());
    EXPECT_FALSE(testy::ExistujeSoubor(Cesta(L"A")));
    EXPECT_EQ(Obsah(Cesta(L"B")), "bbb");

    // The shown note deleted: the window closes and writes nothing.
    ASSERT_EQ(oknoTextovePoznamky->NacistPoznamku(Index(L"B")), S_OK);
    ::SetWindowTextW(oknoTextovePoznamky->Edit(), L"změna B");
    ASSERT_TRUE(OdstranitPoznamku(false, Index(L"B")));
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    EXPECT_FALSE(oknoTextovePoznamky->MaPoznamku());
    EXPECT_FALSE(testy::ExistujeSoubor(Cesta(L"B"))) << "a deleted note is not created again";
}

TEST_F(PrepisPoznamek, OtevreniDalsiPoznamkyNejdriveUloziZobrazenou) {
    ASSERT_EQ(oknoTextovePoznamky->NacistPoznamku(Index(L"B")), S_OK);
    EXPECT_EQ(Obsah(Cesta(L"A")), NovyTextA()) << "the shown note is saved before the next one is read";
    EXPECT_EQ(testy::ExistujeSoubor(Cesta(L"B")), true);
    EXPECT_EQ(knihovna::NaUzky(L"bbb"), NacistTextEditu(oknoTextovePoznamky->Edit()));
    Zavrit();
    EXPECT_EQ(Obsah(Cesta(L"B")), "bbb");
}

TEST_F(PrepisPoznamek, ChybaCteniNechaOknoUPuvodniPoznamky) {
    // C is held open without sharing: it cannot be read.
    HANDLE drzeno = ::CreateFileW(Cesta(L"C").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(drzeno, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(FAILED(oknoTextovePoznamky->NacistPoznamku(Index(L"C"))));
    ::CloseHandle(drzeno);
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_NE(zpravy.zpravy[0].text.find(L"Nepodařilo se načíst text poznámky ze souboru."), std::wstring::npos);
    EXPECT_EQ(oknoTextovePoznamky->NazevPoznamky(), L"A");
    Zavrit();
    EXPECT_EQ(Obsah(Cesta(L"C")), "ccc") << "nothing of another note is written into C";
    EXPECT_EQ(Obsah(Cesta(L"A")), NovyTextA());
}

TEST_F(PrepisPoznamek, NeuspesneUlozeniNechaOknoOtevreneSTextem) {
    zapisSouboru = ZapisSelze;
    Zavrit();
    zapisSouboru = ::WriteFile;
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_NE(zpravy.zpravy[0].text.find(L"Nepodařilo se uložit text poznámky do souboru."), std::wstring::npos);
    EXPECT_TRUE(::IsWindow(oknoTextovePoznamky->m_hWnd));
    EXPECT_TRUE(oknoTextovePoznamky->MaPoznamku()) << "the window keeps its note";
    EXPECT_EQ(Obsah(Cesta(L"A")), "aaa") << "the old file stays whole";
    // Another note is not opened over the unsaved text either.
    zapisSouboru = ZapisSelze;
    EXPECT_TRUE(FAILED(oknoTextovePoznamky->NacistPoznamku(Index(L"B"))));
    zapisSouboru = ::WriteFile;
    EXPECT_EQ(oknoTextovePoznamky->NazevPoznamky(), L"A");
    Zavrit();
    EXPECT_EQ(Obsah(Cesta(L"A")), NovyTextA());
}

// A note whose bytes are not the text the window can show, or one over the window's cap: the
// real note window reports it, a close without an edit leaves the file byte for byte, and an
// edit is saved only after the file is kept as "<file>.bak". Random bytes never break the edit.
TEST_F(PrepisPoznamek, PoznamkaKteraNeniTextemOknaZustaneDokudSeNeupravi) {
    std::string nahodne(64 * 1024, '\0');
    uint32_t x = 27;
    for (char& c : nahodne) c = static_cast<char>((x = x * 1103515245u + 12345u) >> 24);
    const std::wstring utf16 = L"Poznámka uložená jinde";
    struct Pripad {
        const char* popis;
        std::string obsah;
        const wchar_t* zprava;  // the report's start
    } pripady[] = {
        {"NUL byte", std::string("před nulou\0za nulou", 20), L"Poznámka C obsahuje znaky"},
        {"UTF-16", std::string(reinterpret_cast<const char*>(utf16.data()), utf16.size() * 2), L"Poznámka C obsahuje znaky"},
        {"random bytes", nahodne, L"Poznámka C obsahuje znaky"},
        {"caron, ogonek, double acute", "\xA1\xB2\xBD", L"Poznámka C obsahuje znaky"},
        {"over the cap", std::string(MAX_VELIKOST_POZNAMKY + 1, 'x'), L"Poznámka C je větší"},
    };
    Zavrit();  // A is written (its text changed); now the cases on C
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.popis);
        ZapsatSoubor(Cesta(L"C"), p.obsah);
        ::DeleteFileW((Cesta(L"C") + L".bak").c_str());
        zpravy.zpravy.clear();
        const HRESULT hr = oknoTextovePoznamky->NacistPoznamku(Index(L"C"));
        ASSERT_EQ(zpravy.zpravy.size(), 1u) << zpravy;
        EXPECT_EQ(zpravy.zpravy[0].text.rfind(p.zprava, 0), 0u) << zpravy;
        if (FAILED(hr)) {  // too large: not opened, nothing to save
            EXPECT_NE(oknoTextovePoznamky->CestaPoznamky(), Cesta(L"C"));
            Zavrit();
            EXPECT_EQ(Obsah(Cesta(L"C")), p.obsah);
            continue;
        }
        ASSERT_TRUE(::IsWindow(oknoTextovePoznamky->m_hWnd));
        ::UpdateWindow(oknoTextovePoznamky->m_hWnd);
        Zavrit();
        EXPECT_EQ(Obsah(Cesta(L"C")), p.obsah) << "a close without an edit wrote the note";
        EXPECT_FALSE(testy::ExistujeSoubor(Cesta(L"C") + L".bak"));

        ASSERT_EQ(oknoTextovePoznamky->NacistPoznamku(Index(L"C")), S_OK);
        ::SetWindowTextW(oknoTextovePoznamky->Edit(), L"upraveno");
        Zavrit();
        EXPECT_EQ(Obsah(Cesta(L"C") + L".bak"), p.obsah) << "the bytes were not kept";
        EXPECT_EQ(Obsah(Cesta(L"C")), "upraveno");
    }
    // a note of plain text opened and closed without an edit is not written again
    ZapsatSoubor(Cesta(L"B"), knihovna::NaUzky(L"řádek\r\ndruhý ťuk"));
    NastavitCas(Cesta(L"B"), 1);
    WIN32_FILE_ATTRIBUTE_DATA pred{}, po{};
    ASSERT_TRUE(::GetFileAttributesExW(Cesta(L"B").c_str(), GetFileExInfoStandard, &pred));
    zpravy.zpravy.clear();
    ASSERT_EQ(oknoTextovePoznamky->NacistPoznamku(Index(L"B")), S_OK);
    Zavrit();
    ASSERT_TRUE(::GetFileAttributesExW(Cesta(L"B").c_str(), GetFileExInfoStandard, &po));
    EXPECT_EQ(::CompareFileTime(&pred.ftLastWriteTime, &po.ftLastWriteTime), 0);
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
}

TEST(SouborPoznamky, ZnakyMimoKodovouStrankuSeNajdouAVynechaji) {
    if (::GetACP() != 1250) GTEST_SKIP() << "needs the Czech locale (ANSI code page 1250)";
    struct Pripad {
        const wchar_t* text;
        std::vector<std::wstring> znaky;
        const wchar_t* bezNich;
    } pripady[] = {
        {L"Příliš žluťoučký kůň; 5 € ü Łódź ß", {}, L"Příliš žluťoučký kůň; 5 € ü Łódź ß"},
        {L"zavolat Ивану", {L"И", L"в", L"а", L"н", L"у"}, L"zavolat "},
        {L"ok 😀 😀!", {L"😀"}, L"ok  !"},                  // a surrogate pair is one character
        {L"≈ ñ ≈ n", {L"≈", L"ñ"}, L"   n"},                  // ñ has a best fit (n) but is no letter of 1250
        {L"", {}, L""},
    };
    for (const Pripad& p : pripady) {
        const std::vector<std::wstring> znaky = ZnakyMimoKodovouStranku(p.text);
        EXPECT_EQ(znaky, p.znaky) << knihovna::NaUzky(p.text, CP_UTF8);
        EXPECT_EQ(TextBezZnaku(p.text, znaky), p.bezNich) << knihovna::NaUzky(p.text, CP_UTF8);
    }
    EXPECT_EQ(BajtyPoznamky(L"ñ≈"), "??") << "no near letter is written";
    EXPECT_EQ(VypisZnaku({L"a", L"b", L"c"}, 2), L"a b …");
}

// Characters the note file cannot hold: the close asks and writes nothing on "Ne"; "Ano" saves
// without them; while Windows ends the session they are left out without a box.
TEST_F(PrepisPoznamek, ZnakyMimoKodovouStrankuSeUloziAzPoOdpovedi) {
    if (::GetACP() != 1250) GTEST_SKIP() << "needs the Czech locale (ANSI code page 1250)";
    ::SetWindowTextW(oknoTextovePoznamky->Edit(), L"Ivan Иван 😀");
    zpravy.odpovedi = {IDNO, IDYES};
    Zavrit();
    ASSERT_EQ(zpravy.zpravy.size(), 1u) << zpravy;
    EXPECT_NE(zpravy.zpravy[0].text.find(L"И в а н 😀"), std::wstring::npos) << zpravy;
    EXPECT_NE(zpravy.zpravy[0].priznaky & MB_YESNO, 0u);
    EXPECT_TRUE(oknoTextovePoznamky->MaPoznamku()) << "the window stays with its note";
    EXPECT_EQ(testy::TextOkna(oknoTextovePoznamky->Edit()), L"Ivan Иван 😀");
    EXPECT_EQ(Obsah(Cesta(L"A")), "aaa") << "nothing is written before the answer";
    Zavrit();
    EXPECT_EQ(zpravy.zpravy.size(), 2u) << zpravy;
    EXPECT_EQ(Obsah(Cesta(L"A")), "Ivan  ");

    // the session ends (for good, in this test's process): no box, the rest of the text is kept
    ASSERT_EQ(oknoTextovePoznamky->NacistPoznamku(Index(L"B")), S_OK);
    ::SetWindowTextW(oknoTextovePoznamky->Edit(), L"Łódź ≈ konec");
    zpravy.zpravy.clear();
    knihovna::OznamitKonecRelace();
    Zavrit();
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
    EXPECT_EQ(Obsah(Cesta(L"B")), knihovna::NaUzky(L"Łódź  konec", 1250));
}

TEST(ZaznamZvuku, TextTrvani) {
    struct {
        DWORD ms;
        const wchar_t* text;
    } pripady[] = {
        {0, L"Trvání záznamu: 0 sekundy"},    {999, L"Trvání záznamu: 0 sekundy"},
        {1000, L"Trvání záznamu: 1 sekundy"}, {4999, L"Trvání záznamu: 4 sekundy"},
        {5000, L"Trvání záznamu: 5 sekund"},  {61500, L"Trvání záznamu: 61 sekund"},
    };
    for (const auto& p : pripady) EXPECT_EQ(TextTrvaniZaznamu(p.ms), p.text) << p.ms;
}

TEST(ZaznamZvuku, NahravkaSNulovymZarizenimMaDataAPrehrajeSe) {
    const std::wstring prvni = VytvoritDocasnySouborZaznamu();
    const std::wstring druhy = VytvoritDocasnySouborZaznamu();
    EXPECT_NE(prvni, druhy) << "every recording gets a file of its own";
    EXPECT_EQ(prvni.find(L".wav"), std::wstring::npos) << "no scan of sound notes can see it";

    ZaznamZvukuMci zaznam;
    zaznam.NastavitSoubor(prvni);
    ASSERT_EQ(zaznam.Spustit(), 0) << "MCI: " << knihovna::NaUzky(zaznam.chyba, CP_UTF8);
    EXPECT_TRUE(zaznam.nahrava);
    ::Sleep(300);
    ASSERT_EQ(zaznam.ZastavitAUlozit(), 0) << knihovna::NaUzky(zaznam.chyba, CP_UTF8);
    EXPECT_FALSE(zaznam.nahrava);
    EXPECT_EQ(zaznam.ZastavitAUlozit(), 1) << "nothing records any more";
    const std::vector<BYTE> bajty = testy::PrecistBajty(prvni);
    ASSERT_GT(bajty.size(), 44u) << "more than the WAVE header";
    EXPECT_EQ(std::string(bajty.begin(), bajty.begin() + 4), "RIFF");
    EXPECT_TRUE(::PlaySoundW(prvni.c_str(), nullptr, SND_FILENAME | SND_SYNC | SND_NODEFAULT));

    // A discarded recording writes nothing.
    ZaznamZvukuMci zruseny;
    zruseny.NastavitSoubor(druhy);
    ASSERT_EQ(zruseny.Spustit(), 0);
    zruseny.Zrusit();
    EXPECT_TRUE(testy::PrecistBajty(druhy).empty());
    ::DeleteFileW(prvni.c_str());
    ::DeleteFileW(druhy.c_str());
}

namespace {

// A mixer whose wave-in line has one list control over the lines "Mikrofon" and "Linka".
class MixerTestu : public RozhraniPrepinaceMixeru {
public:
    bool otevrit = true;
    bool maSeznam = true;
    DWORD typ = MIXERCONTROL_CONTROLTYPE_MUX;
    std::vector<LONG> hodnoty{1, 0};
    int nastaveni = 0;
    int zavreni = 0;

    MMRESULT Otevrit(HMIXER* mixer, UINT) override {
        if (!otevrit) return MMSYSERR_BADDEVICEID;
        *mixer = reinterpret_cast<HMIXER>(0x1234);
        return MMSYSERR_NOERROR;
    }
    MMRESULT InformaceLinky(HMIXER, MIXERLINEW* linka, DWORD) override {
        linka->dwLineID = 7;
        linka->cChannels = 2;
        linka->cControls = 2;
        return MMSYSERR_NOERROR;
    }
    MMRESULT OvladaceLinky(HMIXER, MIXERLINECONTROLSW* ovladace, DWORD) override {
        ovladace->pamxctrl[0].dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
        ovladace->pamxctrl[1].dwControlType = maSeznam ? typ : MIXERCONTROL_CONTROLTYPE_MUTE;
        ovladace->pamxctrl[1].dwControlID = 3;
        ovladace->pamxctrl[1].fdwControl = MIXERCONTROL_CONTROLF_UNIFORM | MIXERCONTROL_CONTROLF_MULTIPLE;
        ovladace->pamxctrl[1].cMultipleItems = 2;
        return MMSYSERR_NOERROR;
    }
    MMRESULT PodrobnostiOvladace(HMIXER, MIXERCONTROLDETAILS* p, DWORD priznaky) override {
        if ((priznaky & 0xF) == MIXER_GETCONTROLDETAILSF_LISTTEXT) {
            auto* texty = static_cast<MIXERCONTROLDETAILS_LISTTEXTW*>(p->paDetails);
            wcscpy(texty[0].szName, L"Mikrofon");
            wcscpy(texty[1].szName, L"Linka");
        } else {
            auto* h = static_cast<MIXERCONTROLDETAILS_BOOLEAN*>(p->paDetails);
            for (size_t i = 0; i < hodnoty.size(); ++i) h[i].fValue = hodnoty[i];
        }
        return MMSYSERR_NOERROR;
    }
    MMRESULT NastavitPodrobnosti(HMIXER, MIXERCONTROLDETAILS* p, DWORD) override {
        ++nastaveni;
        auto* h = static_cast<MIXERCONTROLDETAILS_BOOLEAN*>(p->paDetails);
        for (size_t i = 0; i < hodnoty.size(); ++i) hodnoty[i] = h[i].fValue;
        return MMSYSERR_NOERROR;
    }
    MMRESULT Zavrit(HMIXER) override {
        ++zavreni;
        return MMSYSERR_NOERROR;
    }
};

}  // namespace

TEST(VstupniLinka, PrepnutiJenPriShodeNazvu) {
    struct Pripad {
        const char* popis;
        bool otevrit, maSeznam;
        DWORD typ;
        const wchar_t* nazev;
        int vysledek;
        std::vector<LONG> hodnoty;
        int nastaveni;
    } pripady[] = {
        {"no mixer", false, true, MIXERCONTROL_CONTROLTYPE_MUX, L"Linka", 3, {1, 0}, 0},
        {"no list control", true, false, MIXERCONTROL_CONTROLTYPE_MUX, L"Linka", 1, {1, 0}, 0},
        {"single select", true, true, MIXERCONTROL_CONTROLTYPE_MUX, L"Linka", 0, {0, 1}, 1},
        {"multi select keeps others", true, true, MIXERCONTROL_CONTROLTYPE_MIXER, L"Linka", 0, {1, 1}, 1},
        {"no such line", true, true, MIXERCONTROL_CONTROLTYPE_MUX, L"CD", 2, {1, 0}, 0},
        {"case counts", true, true, MIXERCONTROL_CONTROLTYPE_MUX, L"linka", 2, {1, 0}, 0},
        {"empty name", true, true, MIXERCONTROL_CONTROLTYPE_MUX, L"", 2, {1, 0}, 0},
    };
    for (const Pripad& p : pripady) {
        MixerTestu mixer;
        mixer.otevrit = p.otevrit;
        mixer.maSeznam = p.maSeznam;
        mixer.typ = p.typ;
        EXPECT_EQ(VybratVstupniLinku(p.nazev, mixer), p.vysledek) << p.popis;
        EXPECT_EQ(mixer.hodnoty, p.hodnoty) << p.popis;
        EXPECT_EQ(mixer.nastaveni, p.nastaveni) << p.popis;
        EXPECT_EQ(mixer.zavreni, p.otevrit ? 1 : 0) << p.popis << ": an opened mixer is closed";
    }
    // Wine's mixer has no recording selector: the real switch changes nothing and says so.
    EXPECT_NE(VybratVstupniLinku(L"Mikrofon"), 0);
}

namespace {

// A settings page of the notes on a plain parent window, as the settings window holds it.
template <class Stranka>
class StrankaNaOkne {
public:
    StrankaNaOkne() {
        rodic = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 700, 500, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
        stranka.VytvoritStranku(rodic);
    }
    ~StrankaNaOkne() {
        if (stranka.m_hWnd) ::DestroyWindow(stranka.m_hWnd);
        ::DestroyWindow(rodic);
    }
    HWND Prvek(int id) const { return ::GetDlgItem(stranka.m_hWnd, id); }
    HWND rodic = nullptr;
    Stranka stranka;
};

}  // namespace

TEST(StrankyPoznamek, TextovePoznamkyZobraziAUlozi) {
    DocasnaSlozka slozka;
    NastaveniPoznamekTestu nastaveni(slozka.Cesta());
    nastaveniPoznamky->textove.ikonaLeve = 12345;  // not offered: the first item shows
    nastaveniPoznamky->textove.trideni = 7;         // neither order: no selection
    nastaveniPoznamky->textove.oknoPoznamka = 0x30007;
    nastaveniPoznamky->textove.oknoSeznam = 0x10007;
    StrankaNaOkne<DlgNastavPoznamkyTextove> s;
    EXPECT_EQ(::SendMessageW(s.Prvek(IDC_POZNAMKY_AKCE), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(::SendMessageW(s.Prvek(IDC_POZNAMKY_AKCE), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(::SendMessageW(s.Prvek(IDC_POZNAMKY_TRIDENI), CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(::IsDlgButtonChecked(s.stranka.m_hWnd, IDC_POZNAMKA_STAVOVY_RADEK), BST_CHECKED);
    EXPECT_EQ(::IsDlgButtonChecked(s.stranka.m_hWnd, IDC_POZNAMKA_BEZ_TITULKU), BST_UNCHECKED);

    const std::wstring nova = slozka.Cesta() + L"\\Nové poznámky";
    ::SetWindowTextW(s.Prvek(IDC_POZNAMKY_SLOZKA), nova.c_str());
    ::CheckDlgButton(s.stranka.m_hWnd, IDC_POZNAMKA_STAVOVY_RADEK, BST_UNCHECKED);
    ::CheckDlgButton(s.stranka.m_hWnd, IDC_SEZNAM_BEZ_TITULKU, BST_CHECKED);
    s.stranka.Ulozit();
    const NastaveniTextovychPoznamek& t = nastaveniPoznamky->textove;
    EXPECT_EQ(t.ikonaLeve, 40074u);
    EXPECT_EQ(t.trideni, static_cast<DWORD>(-1)) << "no selection is stored as -1 (unsorted)";
    EXPECT_EQ(t.oknoPoznamka, 0x10007u) << "only the status-bar bit changed";
    EXPECT_EQ(t.oknoSeznam, 0x10017u) << "bits without a control stay";
    EXPECT_EQ(t.slozka.Text(), nova);
    EXPECT_TRUE(::PathIsDirectoryW(nova.c_str())) << "a missing folder is created on Apply";

    // One level only: a folder below a missing one cannot be made and the save fails.
    ::SetWindowTextW(s.Prvek(IDC_POZNAMKY_SLOZKA), (slozka.Cesta() + L"\\chybi\\hloubeji").c_str());
    EXPECT_THROW(s.stranka.Ulozit(), knihovna::Chyba);
}

TEST(StrankyPoznamek, ZvukovePoznamkyBezMixeruNechajiNazevLinky) {
    DocasnaSlozka slozka;
    NastaveniPoznamekTestu nastaveni(slozka.Cesta());
    nastaveniPoznamky->zvukove.ovladacHlasitosti = L"Linka";
    nastaveniPoznamky->zvukove.prepnoutOvladac = true;
    nastaveniPoznamky->zvukove.ikonaLeve = 40062;
    StrankaNaOkne<DlgNastavPoznamkyZvukove> s;
    MixerTestu mixer;
    s.stranka.mixer = &mixer;
    EXPECT_EQ(::SendMessageW(s.Prvek(IDC_POZNAMKY_AKCE), CB_GETCURSEL, 0, 0), 2);
    // Without a selected line the switch sends an empty name, which no line bears.
    ::SendMessageW(s.Prvek(IDC_POZNAMKY_LINKA), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(s.stranka.PrepnoutNyni(), 2);
    EXPECT_EQ(mixer.nastaveni, 0);
    // A line offered by the list is switched exactly.
    knihovna::PridatPolozkuCombo(s.Prvek(IDC_POZNAMKY_LINKA), L"Linka", 0);
    ::SendMessageW(s.Prvek(IDC_POZNAMKY_LINKA), CB_SETCURSEL, 0, 0);
    EXPECT_EQ(s.stranka.PrepnoutNyni(), 0);
    EXPECT_EQ(mixer.hodnoty, (std::vector<LONG>{0, 1}));

    ::CheckDlgButton(s.stranka.m_hWnd, IDC_POZNAMKY_PREPNOUT_OVLADAC, BST_UNCHECKED);
    ::SendMessageW(s.Prvek(IDC_POZNAMKY_LINKA), CB_RESETCONTENT, 0, 0);
    s.stranka.Ulozit();
    EXPECT_FALSE(nastaveniPoznamky->zvukove.prepnoutOvladac);
    EXPECT_EQ(nastaveniPoznamky->zvukove.ovladacHlasitosti.Text(), L"Linka") << "an empty list keeps the stored name";
    EXPECT_EQ(nastaveniPoznamky->zvukove.ikonaLeve, 40062u);
}

namespace {
MCIERROR WINAPI OtevreniSelze(MCIDEVICEID, UINT zprava, DWORD_PTR, DWORD_PTR) {
    return zprava == MCI_OPEN ? MCIERR_DEVICE_OPEN : 0;
}
}  // namespace

TEST(ZaznamZvuku, NeotevreneZarizeniSeOhlasiAZaznamKonciJakoZruseny) {
    DocasnaSlozka slozka;
    NastaveniPoznamekTestu nastaveni(slozka.Cesta());
    testy::ZachytavacZprav zpravy(IDOK);
    prikazMciZaznamu = OtevreniSelze;
    const std::wstring docasny = slozka.Cesta() + L"\\zaznam.tmp";
    INT_PTR vysledek = 0;
    {
        DlgZaznamZvukovePoznamky dialog(docasny);
        vysledek = dialog.SpustitModalne(nullptr);
    }
    prikazMciZaznamu = ::mciSendCommandW;
    EXPECT_EQ(vysledek, IDCANCEL) << "no stale recording may become a note";
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    wchar_t text[256] = L"";
    ::mciGetErrorStringW(MCIERR_DEVICE_OPEN, text, 256);
    EXPECT_EQ(zpravy.zpravy[0].text.find(L"Záznam zvuku nelze spustit."), 0u);
    EXPECT_NE(zpravy.zpravy[0].text.find(text), std::wstring::npos) << "the MCI text is shown";
    EXPECT_FALSE(testy::ExistujeSoubor(docasny));
}
