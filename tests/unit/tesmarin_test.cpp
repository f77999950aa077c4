// Tesmarin through the test host: its two items, the path copied with doubled backslashes and
// the content copied by Dulcevo beside the DLL.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "podpora/pomocnik.h"
#include "unit/programy_pomocnik.h"
#include "unit/servery_testu.h"

using testy::SpustitHostitele;
using testy::ZaznamHostitele;

namespace {
const wchar_t* const CLSID_SCHRANKA = L"{46961BD9-0695-4825-94C8-E5AB8EEEB1F9}";
}

TEST(Tesmarin, PolozkyTextyARegistrace) {
    const std::wstring dll = testy::SlozkaTestu() + L"\\Tesmarin.dll";
    ZaznamHostitele z = SpustitHostitele(dll, CLSID_SCHRANKA, CMF_NORMAL, -1, {L"C:\\a.txt"});
    EXPECT_EQ(z[L"Initialize"], L"0x00000000");
    EXPECT_EQ(z[L"QueryContextMenu"], L"0x00000002");
    EXPECT_EQ(z.Polozky(), (std::vector<std::wstring>{L"100|Kopírovat cestu do schránky",
                                                      L"101|Kopírovat obsah souboru do schránky", L"1|Otevřít"}));
    EXPECT_EQ(z[L"napoveda0"], L"0x00000000|Zkopíruje cestu k souboru do schránky a zdvojí zpětné lomítko (\"C/C++ string\")");
    EXPECT_EQ(z[L"napoveda1"], L"0x00000000|Zkopíruje obsah souboru do schránky Windows");
    EXPECT_EQ(z[L"napoveda2"].substr(0, 10), L"0x80070057");
    EXPECT_EQ(z[L"napovedaA"], L"0x80004005");
    EXPECT_EQ(z[L"InvokeSloveso"], L"0x80070057");
    EXPECT_EQ(z[L"GetTypeInfo"], L"0x00000000");  // from the embedded type library

    z = SpustitHostitele(dll, CLSID_SCHRANKA, CMF_DEFAULTONLY, -1, {L"C:\\a.txt"});
    EXPECT_EQ(z[L"QueryContextMenu"], L"0x00000000");
    EXPECT_EQ(z.Polozky(), (std::vector<std::wstring>{L"1|Otevřít"}));
    z = SpustitHostitele(dll, CLSID_SCHRANKA, CMF_NORMAL, -1, {L"<null>"});
    EXPECT_EQ(z[L"Initialize"], L"0x80070057");

    // regsvr32 round trip of the all-files handler
    wchar_t system[MAX_PATH];
    ::GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring regsvr32 = std::wstring(system) + L"\\regsvr32.exe";
    ASSERT_EQ(testy::SpustitAPockat(regsvr32, L"regsvr32 /s \"" + dll + L"\""), 0u);
    HKEY h = nullptr;
    EXPECT_EQ(::RegOpenKeyExW(HKEY_CLASSES_ROOT, (std::wstring(L"*\\Shellex\\ContextMenuHandlers\\") + CLSID_SCHRANKA).c_str(), 0, KEY_READ, &h), 0);
    if (h) ::RegCloseKey(h);
    h = nullptr;
    EXPECT_EQ(::RegOpenKeyExW(HKEY_CLASSES_ROOT, L"Brenvald.SchrankaContextMenu.1", 0, KEY_READ, &h), 0);
    if (h) ::RegCloseKey(h);
    h = nullptr;
    EXPECT_EQ(::RegOpenKeyExW(HKEY_CLASSES_ROOT, L"AppID\\Tesmarin.DLL", 0, KEY_READ, &h), 0);
    if (h) ::RegCloseKey(h);
    ASSERT_EQ(testy::SpustitAPockat(regsvr32, L"regsvr32 /s /u \"" + dll + L"\""), 0u);
    h = nullptr;
    EXPECT_NE(::RegOpenKeyExW(HKEY_CLASSES_ROOT, L"Brenvald.SchrankaContextMenu.1", 0, KEY_READ, &h), 0);
    EXPECT_NE(::RegOpenKeyExW(HKEY_CLASSES_ROOT, (std::wstring(L"CLSID\\") + CLSID_SCHRANKA).c_str(), 0, KEY_READ, &h), 0);
    EXPECT_NE(::RegOpenKeyExW(HKEY_CLASSES_ROOT, L"AppID\\Tesmarin.DLL", 0, KEY_READ, &h), 0);
}

TEST(Tesmarin, CestaDoSchrankySeZdvojenymiLomitky) {
    const std::wstring dll = testy::SlozkaTestu() + L"\\Tesmarin.dll";
    struct {
        std::vector<std::wstring> cesty;
        const wchar_t* schranka;
    } pripady[] = {
        {{L"\\\\server\\share\\x.txt"}, L"\\\\\\\\server\\\\share\\\\x.txt"},
        {{L"C:\\Data\\a.txt"}, L"C:\\\\Data\\\\a.txt"},
        {{L"C:\\první\\b.txt", L"C:\\druhý\\c.txt"}, L"C:\\\\první\\\\b.txt"},  // the first file only
    };
    for (const auto& p : pripady) {
        testy::VlozitDoSchranky(L"předtím");
        ZaznamHostitele z = SpustitHostitele(dll, CLSID_SCHRANKA, CMF_NORMAL, 0, p.cesty);
        EXPECT_EQ(z[L"InvokeCommand"], L"0x00000000");
        EXPECT_EQ(testy::UnicodeZeSchranky(), p.schranka);
    }

    // another program holds the clipboard: nothing changes, the command still succeeds
    testy::VlozitDoSchranky(L"předtím");
    ASSERT_TRUE(testy::OtevritSchranku());
    ZaznamHostitele z = SpustitHostitele(dll, CLSID_SCHRANKA, CMF_NORMAL, 0, {L"C:\\a.txt"});
    ::CloseClipboard();
    EXPECT_EQ(z[L"InvokeCommand"], L"0x00000000");
    EXPECT_EQ(testy::UnicodeZeSchranky(), L"předtím");
}

TEST(Tesmarin, ObsahSouboruPresDulcevoVedleKnihovny) {
    testy::DocasnaSlozka s;
    ASSERT_TRUE(::CopyFileW((testy::SlozkaTestu() + L"\\Tesmarin.dll").c_str(), (s.Cesta() + L"\\Tesmarin.dll").c_str(), FALSE));
    const std::wstring soubor = s.Cesta() + L"\\poznámka s mezerou.txt";
    ASSERT_TRUE(testy::ZapsatBajty(soubor, std::string("\xFF\xFE" "O\0b\0s\0a\0h\0", 12)));

    // without Dulcevo nothing happens
    testy::VlozitDoSchranky(L"předtím");
    ZaznamHostitele z = SpustitHostitele(s.Cesta() + L"\\Tesmarin.dll", CLSID_SCHRANKA, CMF_NORMAL, 1, {soubor});
    EXPECT_EQ(z[L"InvokeCommand"], L"0x00000000");
    EXPECT_EQ(testy::UnicodeZeSchranky(), L"předtím");

    ASSERT_TRUE(::CopyFileW((testy::SlozkaTestu() + L"\\Dulcevo.exe").c_str(), (s.Cesta() + L"\\Dulcevo.exe").c_str(), FALSE));
    z = SpustitHostitele(s.Cesta() + L"\\Tesmarin.dll", CLSID_SCHRANKA, CMF_NORMAL, 1, {soubor});
    EXPECT_EQ(z[L"InvokeCommand"], L"0x00000000");
    EXPECT_TRUE(testy::CekatNa([] { return testy::UnicodeZeSchranky() == L"Obsah"; }, 10000)) << testy::UnicodeZeSchranky();
}
