// Lumeda's picture list, folder scan, placement of a picture and settings in the registry.
#include <gtest/gtest.h>

#include <vector>

#include "lumeda/brenvald.h"
#include "lumeda/seznam.h"
#include "podpora/pomocnik.h"
#include "unit/programy_pomocnik.h"

using Brenvald::Cil;
using Brenvald::SpocitatCil;

namespace {

void Soubor(const std::wstring& cesta) { ASSERT_TRUE(testy::ZapsatBajty(cesta, "x")); }

std::vector<std::wstring> Relativne(const std::vector<std::wstring>& seznam, const std::wstring& slozka) {
    std::vector<std::wstring> vysledek;
    for (const auto& s : seznam) vysledek.push_back(s.substr(slozka.size() + 1));
    return vysledek;
}

}  // namespace

TEST(LumedaSeznam, PriponyObrazku) {
    struct {
        const wchar_t* cesta;
        bool obrazek;
    } pripady[] = {
        {L"a.JPG", true},           {L"b.jpeg", true},        {L"c.Bmp", true},       {L"d.png", true},
        {L"e.gif", true},           {L"f.tiff", true},        {L"g.tif", true},       {L"b.txt", false},
        {L"bez pripony", false},    {L"C:\\a.jpg\\soubor", false}, {L"x.jpg.txt", false}, {L".jpg", true},
        {L"C:\\slozka.png\\", false}, {L"y.jpgx", false},
    };
    for (const auto& p : pripady) EXPECT_EQ(Brenvald::JeObrazek(p.cesta), p.obrazek) << p.cesta;
}

TEST(LumedaSeznam, ArgumentyVyberouObrazkyVPoradi) {
    std::vector<std::wstring> seznam;
    EXPECT_TRUE(Brenvald::SestavitSeznam({L"a.JPG", L"b.txt", L"c.tiff"}, seznam));
    EXPECT_EQ(seznam, (std::vector<std::wstring>{L"a.JPG", L"c.tiff"}));
    // ".tif", which Kolvex's captures and Zentrava produce, is a picture too
    EXPECT_TRUE(Brenvald::SestavitSeznam({L"opis.tif"}, seznam));
    EXPECT_EQ(seznam, (std::vector<std::wstring>{L"opis.tif"}));
    // neither pictures nor a folder: the settings
    EXPECT_FALSE(Brenvald::SestavitSeznam({L"b.txt", L"C:\\neni\\tu.jpg.bak"}, seznam));
    EXPECT_FALSE(Brenvald::SestavitSeznam({}, seznam));
    EXPECT_TRUE(seznam.empty());
}

TEST(LumedaSeznam, PrikazovyRadekSPrazdnymJmenemProgramu) {
    // Zentrava's line: a blank, then the quoted paths
    auto a = Brenvald::RozdelitPrikazovyRadek(L"  \"C:\\moje obrázky\\a 1.jpg\" \"C:\\b.png\"");
    ASSERT_EQ(a.size(), 3u);
    EXPECT_EQ(a[0], L"");
    EXPECT_EQ(a[1], L"C:\\moje obrázky\\a 1.jpg");
    EXPECT_EQ(a[2], L"C:\\b.png");
    a = Brenvald::RozdelitPrikazovyRadek(L"\"C:\\Program Files\\Lumeda.exe\"  \"D:\\opisy\"");
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[1], L"D:\\opisy");
}

TEST(LumedaSeznam, SlozkaSPodslozkamiVPoradiSouboroveSoustavy) {
    testy::DocasnaSlozka s;
    const std::wstring k = s.Cesta();
    ASSERT_TRUE(::CreateDirectoryW((k + L"\\pod").c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryW((k + L"\\.skryta").c_str(), nullptr));
    Soubor(k + L"\\a.jpg");
    Soubor(k + L"\\b.txt");
    Soubor(k + L"\\pod\\c.PNG");
    Soubor(k + L"\\.d.jpg");
    Soubor(k + L"\\.skryta\\e.jpg");
    Soubor(k + L"\\f.tif");

    std::vector<std::wstring> seznam;
    ASSERT_TRUE(Brenvald::SestavitSeznam({k}, seznam));
    std::vector<std::wstring> relativne = Relativne(seznam, k);
    std::sort(relativne.begin(), relativne.end());
    EXPECT_EQ(relativne, (std::vector<std::wstring>{L"a.jpg", L"f.tif", L"pod\\c.PNG"}));

    // a trailing backslash and the quote the argument splitting leaves of "C:\dir\"
    ASSERT_TRUE(Brenvald::SestavitSeznam({k + L"\\"}, seznam));
    EXPECT_EQ(seznam.size(), 3u);
    ASSERT_TRUE(Brenvald::SestavitSeznam({k + L"\""}, seznam));
    EXPECT_EQ(seznam.size(), 3u);

    // a folder without pictures: the settings
    EXPECT_FALSE(Brenvald::SestavitSeznam({k + L"\\.skryta\\neni"}, seznam));
    ASSERT_TRUE(::CreateDirectoryW((k + L"\\prazdna").c_str(), nullptr));
    EXPECT_FALSE(Brenvald::SestavitSeznam({k + L"\\prazdna"}, seznam));
}

TEST(LumedaSeznam, DlouheCestySeVynechajiBezPreteceni) {
    testy::DocasnaSlozka s;
    std::wstring hluboka = s.Cesta();
    while (hluboka.size() < MAX_PATH + 40) {
        hluboka += L"\\slozka_s_dlouhym_jmenem";
        ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + hluboka).c_str(), nullptr));
    }
    ASSERT_TRUE(testy::ZapsatBajty(L"\\\\?\\" + hluboka + L"\\hluboko.jpg", "x"));
    Soubor(s.Cesta() + L"\\mělce.jpg");
    std::vector<std::wstring> seznam;
    ASSERT_TRUE(Brenvald::SestavitSeznam({s.Cesta()}, seznam));
    EXPECT_EQ(Relativne(seznam, s.Cesta()), (std::vector<std::wstring>{L"mělce.jpg"}));
    // the temporary folder's removal cannot reach that deep: clear it from the bottom
    for (std::wstring d = hluboka; d.size() > s.Cesta().size(); d.resize(d.find_last_of(L'\\'))) {
        ::DeleteFileW((L"\\\\?\\" + d + L"\\hluboko.jpg").c_str());
        ::RemoveDirectoryW((L"\\\\?\\" + d).c_str());
    }
}

TEST(LumedaSeznam, UmisteniObrazkuNaObrazovce) {
    struct {
        UINT iw, ih;
        Cil cil;
    } pripady[] = {
        {640, 480, {320, 272, 640, 480}},     // fits: natural size, centred
        {4000, 1000, {0, 352, 1280, 320}},    // width-bound
        {1000, 3000, {469, 0, 341, 1024}},    // height-bound
        {1280, 1024, {0, 0, 1280, 1024}},     // exactly the screen
        {1, 1, {639, 511, 1, 1}},
        {2560, 2048, {0, 0, 1280, 1024}},     // same ratio, scaled down
        {100000, 1, {0, 512, 1280, 0}},       // a line: no overflow
        {0, 480, {0, 0, 0, 0}},               // nothing to draw
    };
    for (const auto& p : pripady) {
        Cil c = SpocitatCil(1280, 1024, p.iw, p.ih);
        EXPECT_EQ(c.x, p.cil.x) << p.iw << "x" << p.ih;
        EXPECT_EQ(c.y, p.cil.y) << p.iw << "x" << p.ih;
        EXPECT_EQ(c.sirka, p.cil.sirka) << p.iw << "x" << p.ih;
        EXPECT_EQ(c.vyska, p.cil.vyska) << p.iw << "x" << p.ih;
    }
}

namespace {
const wchar_t* const KLIC_TESTU = L"Software\\Brenvald\\LumedaTest\\1.0";

void ZapsatHodnotu(const wchar_t* nazev, DWORD typ, const void* data, DWORD velikost) {
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, KLIC_TESTU, 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr), 0);
    ::RegSetValueExW(h, nazev, 0, typ, static_cast<const BYTE*>(data), velikost);
    ::RegCloseKey(h);
}
}  // namespace

TEST(LumedaNastaveni, UlozeniANacteniIPoskozeneHodnoty) {
    testy::SmazatKlic(L"Software\\Brenvald\\LumedaTest");
    Brenvald::Nastaveni vychozi;
    vychozi.Nacist(KLIC_TESTU);  // nothing stored: the defaults stay
    EXPECT_EQ(vychozi.interval, 5u);
    EXPECT_FALSE(vychozi.cyklickyOpakovat);
    EXPECT_EQ(vychozi.barvaPozadi, ::GetSysColor(COLOR_BACKGROUND));

    Brenvald::Nastaveni n;
    n.barvaPozadi = RGB(10, 20, 30);
    n.cyklickyOpakovat = true;
    n.interval = 17;
    n.vychoziSeznam = L"C:\\seznamy\\výchozí.imglst";
    n.Ulozit(KLIC_TESTU);
    Brenvald::Nastaveni m;
    m.Nacist(KLIC_TESTU);
    EXPECT_EQ(m.barvaPozadi, RGB(10, 20, 30));
    EXPECT_TRUE(m.cyklickyOpakovat);
    EXPECT_EQ(m.interval, 17u);
    EXPECT_EQ(m.vychoziSeznam, n.vychoziSeznam);

    // an interval of 0 or over 1000 would make a runaway or an overflowing timer: default
    for (DWORD spatny : {0u, 1001u, 0xFFFFFFFFu}) {
        ZapsatHodnotu(L"interval", REG_DWORD, &spatny, sizeof(spatny));
        Brenvald::Nastaveni x;
        x.Nacist(KLIC_TESTU);
        EXPECT_EQ(x.interval, 5u) << spatny;
    }

    // a value of another type is reported and keeps its default; what came before stays
    ZapsatHodnotu(L"cyklickyOpakovat", REG_SZ, L"ano", 8);
    Brenvald::Nastaveni y;
    try {
        y.Nacist(KLIC_TESTU);
        ADD_FAILURE() << "no error";
    } catch (const Brenvald::Vyjimka& v) {
        EXPECT_NE(v.Text().find(L"cyklickyOpakovat"), std::wstring::npos) << v.Text();
    }
    EXPECT_EQ(y.barvaPozadi, RGB(10, 20, 30));
    EXPECT_FALSE(y.cyklickyOpakovat);
    EXPECT_EQ(y.interval, 5u);
    testy::SmazatKlic(L"Software\\Brenvald\\LumedaTest");
}

namespace {

// One damaged value (another type, another size) keeps its default and is the one named in the
// report; every other value is read, whether it comes before or after the damaged one.
struct PoskozenaHodnota {
    const wchar_t* nazev;
    DWORD typ;
    std::vector<BYTE> data;
};

void PrintTo(const PoskozenaHodnota& p, std::ostream* vystup) {
    *vystup << std::string(p.nazev, p.nazev + wcslen(p.nazev)) << " typ " << p.typ;
}

std::vector<BYTE> Bajty(const void* data, size_t velikost) {
    const BYTE* b = static_cast<const BYTE*>(data);
    return std::vector<BYTE>(b, b + velikost);
}

}  // namespace

class LumedaPoskozenaHodnota : public ::testing::TestWithParam<PoskozenaHodnota> {};

TEST_P(LumedaPoskozenaHodnota, OstatniHodnotySeNactou) {
    const PoskozenaHodnota& p = GetParam();
    testy::SmazatKlic(L"Software\\Brenvald\\LumedaTest");
    Brenvald::Nastaveni ulozene;
    ulozene.barvaPozadi = RGB(10, 20, 30);
    ulozene.cyklickyOpakovat = true;
    ulozene.interval = 9;
    ulozene.vychoziSeznam = L"C:\\seznamy\\výchozí.imglst";
    ulozene.Ulozit(KLIC_TESTU);
    ZapsatHodnotu(p.nazev, p.typ, p.data.data(), static_cast<DWORD>(p.data.size()));

    Brenvald::Nastaveni n;
    const Brenvald::Nastaveni vychozi;
    std::wstring zprava;
    try {
        n.Nacist(KLIC_TESTU);
    } catch (const Brenvald::Vyjimka& v) {
        zprava = v.Text();
    }
    EXPECT_NE(zprava.find(std::wstring(L"\"") + p.nazev + L"\""), std::wstring::npos) << "not named: " << zprava;
    for (const wchar_t* jiny : {L"barvaPozadi", L"cyklickyOpakovat", L"interval", L"vychoziSeznam"})
        if (std::wstring(jiny) != p.nazev)
            EXPECT_EQ(zprava.find(std::wstring(L"\"") + jiny + L"\""), std::wstring::npos) << "named as well: " << zprava;
    const std::wstring nazev = p.nazev;
    EXPECT_EQ(n.barvaPozadi, nazev == L"barvaPozadi" ? vychozi.barvaPozadi : RGB(10, 20, 30));
    EXPECT_EQ(n.cyklickyOpakovat, nazev != L"cyklickyOpakovat");
    EXPECT_EQ(n.interval, nazev == L"interval" ? 5u : 9u);
    EXPECT_EQ(n.vychoziSeznam, nazev == L"vychoziSeznam" ? std::wstring() : ulozene.vychoziSeznam);
    testy::SmazatKlic(L"Software\\Brenvald\\LumedaTest");
}

INSTANTIATE_TEST_SUITE_P(
    LumedaNastaveni, LumedaPoskozenaHodnota,
    ::testing::Values(PoskozenaHodnota{L"barvaPozadi", REG_SZ, Bajty(L"modrá", 12)},
                      PoskozenaHodnota{L"cyklickyOpakovat", REG_BINARY, Bajty("\1\0", 2)},
                      PoskozenaHodnota{L"interval", REG_SZ, Bajty(L"9", 4)},
                      PoskozenaHodnota{L"interval", REG_QWORD, Bajty("\x09\0\0\0\0\0\0\0", 8)},
                      PoskozenaHodnota{L"vychoziSeznam", REG_DWORD, Bajty("\1\0\0\0", 4)}));

TEST(LumedaSeznam, OdkazNaNadrazenouSlozkuSeNeprochazi) {
    testy::DocasnaSlozka s;
    Soubor(s.Cesta() + L"\\a.jpg");
    ASSERT_TRUE(::CreateDirectoryW((s.Cesta() + L"\\pod").c_str(), nullptr));
    // a link back up the tree: followed, the scan would never end
    if (!::CreateSymbolicLinkW((s.Cesta() + L"\\pod\\zpet").c_str(), s.Cesta().c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY))
        GTEST_SKIP() << "no directory links in this prefix (" << ::GetLastError() << ")";
    const DWORD atributy = ::GetFileAttributesW((s.Cesta() + L"\\pod\\zpet").c_str());
    ASSERT_NE(atributy & FILE_ATTRIBUTE_REPARSE_POINT, 0u) << std::hex << atributy;
    std::vector<std::wstring> seznam;
    ASSERT_TRUE(Brenvald::SestavitSeznam({s.Cesta()}, seznam));
    EXPECT_EQ(Relativne(seznam, s.Cesta()), (std::vector<std::wstring>{L"a.jpg"}));
    ::RemoveDirectoryW((s.Cesta() + L"\\pod\\zpet").c_str());
}
