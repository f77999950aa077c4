// The Explorer extensions' server frame and Zentrava: registry scripts, the regsvr32 round
// trip, the menu through the test host, the start of Lumeda, and Kolvex's dialog with the real
// DLLs.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "core/aplikace.h"
#include "core/externi.h"
#include "knihovna/text.h"
#include "podpora/pomocnik.h"
#include "unit/programy_pomocnik.h"
#include "unit/servery_testu.h"
#include "zentrava/serverkom.h"

using testy::SpustitHostitele;
using testy::ZaznamHostitele;

namespace {

const wchar_t* const CLSID_OBRAZEK = L"{B0822B90-3764-4BFC-A4F5-41B5ABC40E6D}";
const wchar_t* const CLSID_SLOZKA = L"{52925997-EFA4-4DDB-963F-92D1EBB52B01}";

std::wstring Bin() { return testy::SlozkaTestu(); }

bool ExistujeHkcr(const std::wstring& klic) {
    HKEY h = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, klic.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    ::RegCloseKey(h);
    return true;
}

std::wstring HodnotaHkcr(const std::wstring& klic, const wchar_t* nazev = nullptr) {
    wchar_t data[600] = L"";
    DWORD velikost = sizeof(data);
    if (::RegGetValueW(HKEY_CLASSES_ROOT, klic.c_str(), nazev, RRF_RT_REG_SZ, nullptr, data, &velikost) != ERROR_SUCCESS)
        return L"<není>";
    return data;
}

DWORD Regsvr32(const std::wstring& dll, bool odregistrovat) {
    wchar_t system[MAX_PATH];
    ::GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring program = std::wstring(system) + L"\\regsvr32.exe";
    return testy::SpustitAPockat(program, L"regsvr32 /s " + std::wstring(odregistrovat ? L"/u " : L"") + L"\"" + dll + L"\"");
}

}  // namespace

std::wstring testy::ZaznamHostitele::operator[](const std::wstring& nazev) const {
    for (const auto& r : radky)
        if (r.first == nazev) return r.second;
    return L"<chybí>";
}
std::vector<std::wstring> testy::ZaznamHostitele::Polozky() const {
    std::vector<std::wstring> v;
    for (const auto& r : radky)
        if (r.first == L"polozka") v.push_back(r.second);
    return v;
}

testy::ZaznamHostitele testy::SpustitHostitele(const std::wstring& dll, const wchar_t* clsid, UINT priznaky, int prikaz,
                                 const std::vector<std::wstring>& cesty) {
    testy::DocasnaSlozka s;
    const std::wstring soubor = s.Cesta() + L"\\zaznam.txt";
    std::wstring radek = L"HostitelRozsireni \"" + dll + L"\" " + clsid + L" " + std::to_wstring(priznaky) + L" " +
                         std::to_wstring(prikaz) + L" \"" + soubor + L"\"";
    for (const auto& c : cesty) radek += L" \"" + c + L"\"";
    ZaznamHostitele z;
    EXPECT_EQ(testy::SpustitAPockat(testy::SlozkaPomocnych() + L"\\hostitel\\HostitelRozsireni.exe", radek), 0u);
    std::vector<BYTE> b = testy::PrecistBajty(soubor);
    std::wstring text(reinterpret_cast<const wchar_t*>(b.data()), b.size() / 2);
    size_t i = 0;
    while (i < text.size()) {
        size_t konec = text.find(L"\r\n", i);
        if (konec == std::wstring::npos) konec = text.size();
        std::wstring r = text.substr(i, konec - i);
        size_t rovna = r.find(L'=');
        if (rovna != std::wstring::npos) z.radky.emplace_back(r.substr(0, rovna), r.substr(rovna + 1));
        i = konec + 2;
    }
    return z;
}

TEST(ZentravaSkript, RozborSkriptuANahrady) {
    const std::wstring skript =
        L"HKCR\n{\n  NoRemove CLSID\n  {\n    ForceRemove '%CLSID%' = s 'Popis s ''uvozovkou'''\n    {\n"
        L"      InprocServer32 = s '%MODULE%'\n      {\n        val ThreadingModel = s 'Apartment'\n      }\n"
        L"      val Cislo = d '0x10'\n      'Programmable'\n    }\n  }\n  Delete Stary\n}\n";
    std::vector<ramec::KorenSkriptu> v;
    ASSERT_TRUE(ramec::RozebratSkript(skript, {{L"CLSID", L"{1}"}, {L"MODULE", L"C:\\a b\\x.dll"}}, v));
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0].koren, HKEY_CLASSES_ROOT);
    ASSERT_EQ(v[0].klice.size(), 2u);
    const auto& clsid = v[0].klice[0];
    EXPECT_EQ(clsid.nazev, L"CLSID");
    EXPECT_EQ(clsid.rezim, ramec::KlicSkriptu::NoRemove);
    ASSERT_EQ(clsid.podklice.size(), 1u);
    const auto& trida = clsid.podklice[0];
    EXPECT_EQ(trida.nazev, L"{1}");
    EXPECT_EQ(trida.rezim, ramec::KlicSkriptu::ForceRemove);
    ASSERT_EQ(trida.hodnoty.size(), 2u);
    EXPECT_EQ(trida.hodnoty[0].text, L"Popis s 'uvozovkou'");
    EXPECT_TRUE(trida.hodnoty[1].cislo);
    EXPECT_EQ(trida.hodnoty[1].dword, 16u);
    ASSERT_EQ(trida.podklice.size(), 2u);
    EXPECT_EQ(trida.podklice[0].hodnoty[0].text, L"C:\\a b\\x.dll");
    EXPECT_EQ(trida.podklice[0].hodnoty[1].nazev, L"ThreadingModel");
    EXPECT_EQ(trida.podklice[1].nazev, L"Programmable");
    EXPECT_EQ(v[0].klice[1].rezim, ramec::KlicSkriptu::Delete);

    // damaged scripts are refused as a whole
    for (const wchar_t* spatny : {L"HKCR { A = s 'bez konce }", L"HKXX { A }", L"HKCR { A = x 'y' }", L"HKCR { A { }",
                                  L"HKCR { val A = s 'x' }", L"HKCR { A = d 'abc' }", L"'HKCR' { }"}) {
        EXPECT_FALSE(ramec::RozebratSkript(spatny, {}, v)) << spatny;
        EXPECT_TRUE(v.empty());
    }
}

TEST(ZentravaSkript, ZapisAOdebraniSRezimyKlicu) {
    const std::wstring skript =
        L"HKCU\n{\n NoRemove Software\n {\n  NoRemove BrenvaldSkriptTest\n  {\n   Vlastni = s 'a'\n   {\n"
        L"    val N = d 5\n    Pod\n   }\n   ForceRemove Vynuceny\n   Sdileny\n   {\n    Muj\n   }\n  }\n }\n}\n";
    testy::SmazatKlic(L"Software\\BrenvaldSkriptTest");
    std::vector<ramec::KorenSkriptu> v;
    ASSERT_TRUE(ramec::RozebratSkript(skript, {}, v));
    ASSERT_EQ(ramec::ProvestSkript(v, true), S_OK);
    EXPECT_TRUE(testy::ExistujeKlic(L"Software\\BrenvaldSkriptTest\\Vlastni\\Pod"));
    DWORD n = 0;
    EXPECT_TRUE(testy::PrecistDword(L"Software\\BrenvaldSkriptTest\\Vlastni", L"N", n));
    EXPECT_EQ(n, 5u);
    // foreign content: under a ForceRemove key it goes, under a plain key it keeps the key
    HKEY h = nullptr;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\BrenvaldSkriptTest\\Vynuceny\\Cizi", 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr);
    ::RegCloseKey(h);
    ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\BrenvaldSkriptTest\\Sdileny\\Cizi", 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr);
    ::RegCloseKey(h);

    ASSERT_EQ(ramec::ProvestSkript(v, false), S_OK);
    EXPECT_FALSE(testy::ExistujeKlic(L"Software\\BrenvaldSkriptTest\\Vlastni"));
    EXPECT_FALSE(testy::ExistujeKlic(L"Software\\BrenvaldSkriptTest\\Vynuceny"));
    EXPECT_FALSE(testy::ExistujeKlic(L"Software\\BrenvaldSkriptTest\\Sdileny\\Muj"));
    EXPECT_TRUE(testy::ExistujeKlic(L"Software\\BrenvaldSkriptTest\\Sdileny\\Cizi"));
    EXPECT_TRUE(testy::ExistujeKlic(L"Software\\BrenvaldSkriptTest"));  // NoRemove
    // removing twice is no error
    EXPECT_EQ(ramec::ProvestSkript(v, false), S_OK);
    testy::SmazatKlic(L"Software\\BrenvaldSkriptTest");
}

TEST(Zentrava, Regsvr32RegistraceAOdregistrace) {
    const std::wstring dll = Bin() + L"\\Zentrava.dll";
    // Nothing is cleaned first: what was there, empty keys too, must be there afterwards. A file
    // type whose handler keys exist empty (as "Folder" has them in a new prefix) keeps them.
    const bool gifBylo = ExistujeHkcr(L"giffile");
    const bool gifKlicBylo = ExistujeHkcr(L"giffile\\Shellex\\ContextMenuHandlers");
    HKEY prazdny = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CLASSES_ROOT, L"giffile\\Shellex\\ContextMenuHandlers", 0, nullptr, 0, KEY_WRITE,
                                nullptr, &prazdny, nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(prazdny);
    // a file type that has a handler of another program already keeps it and itself
    const bool pngBylo = ExistujeHkcr(L"pngfile");
    HKEY cizi = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CLASSES_ROOT, L"pngfile\\Shellex\\ContextMenuHandlers\\CiziRozsireni", 0, nullptr, 0,
                                KEY_WRITE, nullptr, &cizi, nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(cizi);
    const std::vector<std::wstring> pred = testy::CeleHkcr();
    ASSERT_EQ(Regsvr32(dll, false), 0u);
    const std::wstring trida = std::wstring(L"CLSID\\") + CLSID_OBRAZEK;
    EXPECT_EQ(HodnotaHkcr(trida), L"Brenvald: ObrazekContextMenu shell extension");
    EXPECT_EQ(_wcsicmp(HodnotaHkcr(trida + L"\\InprocServer32").c_str(), dll.c_str()), 0) << HodnotaHkcr(trida + L"\\InprocServer32");
    EXPECT_EQ(HodnotaHkcr(trida + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(HodnotaHkcr(trida, L"AppID"), L"{35B9445A-E660-4D08-AB40-2DDF69EB97B0}");
    EXPECT_EQ(HodnotaHkcr(trida + L"\\TypeLib"), L"{32DF6A62-2086-46B1-9155-3FE08BE50FBF}");
    EXPECT_TRUE(ExistujeHkcr(trida + L"\\Programmable"));
    EXPECT_EQ(HodnotaHkcr(L"Brenvald.ObrazekContextMenu\\CurVer"), L"Brenvald.ObrazekContextMenu.1");
    EXPECT_EQ(HodnotaHkcr(L"Brenvald.SlozkaObrazkuContextMenu.1\\CLSID"), CLSID_SLOZKA);
    EXPECT_EQ(HodnotaHkcr(L"AppID\\{35B9445A-E660-4D08-AB40-2DDF69EB97B0}"), L"Zentrava");
    EXPECT_EQ(HodnotaHkcr(L"AppID\\Zentrava.DLL", L"AppID"), L"{35B9445A-E660-4D08-AB40-2DDF69EB97B0}");
    for (const wchar_t* typ : {L"jpegfile", L"Paint.Picture", L"giffile", L"pngfile", L"MSPaper.Document"})
        EXPECT_TRUE(ExistujeHkcr(std::wstring(typ) + L"\\Shellex\\ContextMenuHandlers\\" + CLSID_OBRAZEK)) << typ;
    EXPECT_TRUE(ExistujeHkcr(std::wstring(L"Folder\\Shellex\\ContextMenuHandlers\\") + CLSID_SLOZKA));
    EXPECT_TRUE(ExistujeHkcr(L"TypeLib\\{32DF6A62-2086-46B1-9155-3FE08BE50FBF}\\1.0"));

    // the classes can be made through COM like the shell does
    ::CoInitialize(nullptr);
    CLSID clsid;
    ASSERT_EQ(::CLSIDFromProgID(L"Brenvald.ObrazekContextMenu.1", &clsid), S_OK);
    IContextMenu* menu = nullptr;
    EXPECT_EQ(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IContextMenu, reinterpret_cast<void**>(&menu)), S_OK);
    if (menu) menu->Release();
    ::CoFreeUnusedLibraries();
    ::CoUninitialize();

    ASSERT_EQ(Regsvr32(dll, true), 0u);
    EXPECT_FALSE(ExistujeHkcr(trida));
    EXPECT_FALSE(ExistujeHkcr(std::wstring(L"CLSID\\") + CLSID_SLOZKA));
    EXPECT_FALSE(ExistujeHkcr(L"Brenvald.ObrazekContextMenu"));
    EXPECT_FALSE(ExistujeHkcr(L"Brenvald.ObrazekContextMenu.1"));
    EXPECT_FALSE(ExistujeHkcr(L"Brenvald.SlozkaObrazkuContextMenu"));
    EXPECT_FALSE(ExistujeHkcr(std::wstring(L"jpegfile\\Shellex\\ContextMenuHandlers\\") + CLSID_OBRAZEK));
    EXPECT_FALSE(ExistujeHkcr(L"AppID\\Zentrava.DLL"));
    EXPECT_FALSE(ExistujeHkcr(L"TypeLib\\{32DF6A62-2086-46B1-9155-3FE08BE50FBF}"));
    EXPECT_TRUE(ExistujeHkcr(L"CLSID"));
    EXPECT_TRUE(ExistujeHkcr(L"AppID"));
    EXPECT_TRUE(ExistujeHkcr(L"pngfile\\Shellex\\ContextMenuHandlers\\CiziRozsireni"));

    // what registration made is gone and nothing else: the whole of HKCR is as before
    const std::vector<std::wstring> po = testy::CeleHkcr();
    for (const std::wstring& r : testy::RadkyNavic(po, pred)) ADD_FAILURE() << "left after unregistration: " << knihovna::NaUzky(r, CP_UTF8);
    for (const std::wstring& r : testy::RadkyNavic(pred, po)) ADD_FAILURE() << "removed by unregistration: " << knihovna::NaUzky(r, CP_UTF8);
    EXPECT_TRUE(ExistujeHkcr(L"giffile\\Shellex\\ContextMenuHandlers")) << "an empty key that was there went";
    if (!gifBylo) {
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L"giffile");
        ::RegDeleteKeyW(HKEY_CLASSES_ROOT, L"giffile");
    } else if (!gifKlicBylo) {
        ::SHDeleteEmptyKeyW(HKEY_CLASSES_ROOT, L"giffile\\Shellex\\ContextMenuHandlers");
        ::SHDeleteEmptyKeyW(HKEY_CLASSES_ROOT, L"giffile\\Shellex");
    }
    if (!pngBylo) {
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L"pngfile");
        ::RegDeleteKeyW(HKEY_CLASSES_ROOT, L"pngfile");
    } else {
        ::RegDeleteKeyW(HKEY_CLASSES_ROOT, L"pngfile\\Shellex\\ContextMenuHandlers\\CiziRozsireni");
    }
}

TEST(Zentrava, HostitelDostanePolozkyATexty) {
    const std::wstring dll = Bin() + L"\\Zentrava.dll";
    ZaznamHostitele z = SpustitHostitele(dll, CLSID_OBRAZEK, CMF_NORMAL, -1, {L"C:\\obr\\a.jpg", L"C:\\obr\\b.png"});
    EXPECT_EQ(z[L"Initialize"], L"0x00000000");
    EXPECT_EQ(z[L"QueryContextMenu"], L"0x00000001");
    EXPECT_EQ(z.Polozky(), (std::vector<std::wstring>{L"100|Promítnout obrázek(-y)", L"1|Otevřít"}));
    EXPECT_EQ(z[L"napoveda0"], L"0x00000000|Promítne vybraný obrázek/obrázky");
    EXPECT_EQ(z[L"napoveda1"].substr(0, 10), L"0x80070057");  // no such item
    EXPECT_EQ(z[L"napovedaA"], L"0x80004005");                // only the Unicode help text
    EXPECT_EQ(z[L"slovesoW"], L"0x80004005");
    EXPECT_EQ(z[L"InvokeSloveso"], L"0x80070057");  // verbs by name are not ours
    EXPECT_EQ(z[L"IDispatch"], L"0x00000000");
    EXPECT_EQ(z[L"DllCanUnloadNow"], L"0x00000000");  // every object released

    z = SpustitHostitele(dll, CLSID_SLOZKA, CMF_NORMAL, -1, {L"C:\\obr"});
    EXPECT_EQ(z[L"Initialize"], L"0x00000000");
    EXPECT_EQ(z.Polozky(), (std::vector<std::wstring>{L"100|Promítnout obrázky ve složce", L"1|Otevřít"}));
    EXPECT_EQ(z[L"napoveda0"], L"0x00000000|Promítne obrázky ve vybrané složce");

    // a double click asks for the default item only: nothing is added
    z = SpustitHostitele(dll, CLSID_OBRAZEK, CMF_DEFAULTONLY, -1, {L"C:\\obr\\a.jpg"});
    EXPECT_EQ(z[L"QueryContextMenu"], L"0x00000000");
    EXPECT_EQ(z.Polozky(), (std::vector<std::wstring>{L"1|Otevřít"}));
    z = SpustitHostitele(dll, CLSID_SLOZKA, CMF_DEFAULTONLY, -1, {L"C:\\obr"});
    EXPECT_EQ(z.Polozky(), (std::vector<std::wstring>{L"1|Otevřít"}));

    // no data object
    z = SpustitHostitele(dll, CLSID_OBRAZEK, CMF_NORMAL, -1, {L"<null>"});
    EXPECT_EQ(z[L"Initialize"], L"0x80070057");
    z = SpustitHostitele(dll, CLSID_SLOZKA, CMF_NORMAL, -1, {L"<null>"});
    EXPECT_EQ(z[L"Initialize"], L"0x80070057");
}

TEST(Zentrava, PolozkaSpustiLumedaSUvozenymiCestami) {
    testy::DocasnaSlozka s;
    ASSERT_TRUE(::CopyFileW((Bin() + L"\\Zentrava.dll").c_str(), (s.Cesta() + L"\\Zentrava.dll").c_str(), FALSE));
    ASSERT_TRUE(::CopyFileW((testy::SlozkaPomocnych() + L"\\lumeda\\Lumeda.exe").c_str(), (s.Cesta() + L"\\Lumeda.exe").c_str(), FALSE));
    const std::wstring zaznam = s.Cesta() + L"\\radek.txt";
    ::SetEnvironmentVariableW(L"KOLVEX_ZAZNAM", zaznam.c_str());

    auto Radek = [&] {
        std::string obsah;
        EXPECT_TRUE(testy::CekatNa([&] {
            std::vector<BYTE> b = testy::PrecistBajty(zaznam);
            obsah.assign(b.begin(), b.end());
            return !obsah.empty();
        }));
        ::DeleteFileW(zaznam.c_str());
        return std::wstring(reinterpret_cast<const wchar_t*>(obsah.data()), obsah.size() / 2);
    };

    ZaznamHostitele z = SpustitHostitele(s.Cesta() + L"\\Zentrava.dll", CLSID_OBRAZEK, CMF_NORMAL, 0,
                                         {L"C:\\moje obrázky\\a 1.jpg", L"C:\\b.JPEG", L"D:\\c.jpg"});
    EXPECT_EQ(z[L"InvokeCommand"], L"0x00000000");
    EXPECT_EQ(Radek(), L"  \"C:\\moje obrázky\\a 1.jpg\" \"C:\\b.JPEG\" \"D:\\c.jpg\"");

    z = SpustitHostitele(s.Cesta() + L"\\Zentrava.dll", CLSID_SLOZKA, CMF_NORMAL, 0, {L"C:\\moje obrázky"});
    EXPECT_EQ(z[L"InvokeCommand"], L"0x00000000");
    EXPECT_EQ(Radek(), L" \"C:\\moje obrázky\"");

    // an item id that is not ours does nothing
    z = SpustitHostitele(s.Cesta() + L"\\Zentrava.dll", CLSID_OBRAZEK, CMF_NORMAL, 1, {L"C:\\a.jpg"});
    EXPECT_EQ(z[L"InvokeCommand"], L"0x80070057");
    ::SetEnvironmentVariableW(L"KOLVEX_ZAZNAM", nullptr);

    // without Lumeda beside the DLL nothing visible happens
    ASSERT_TRUE(::DeleteFileW((s.Cesta() + L"\\Lumeda.exe").c_str()));
    z = SpustitHostitele(s.Cesta() + L"\\Zentrava.dll", CLSID_OBRAZEK, CMF_NORMAL, 0, {L"C:\\a.jpg"});
    EXPECT_EQ(z[L"InvokeCommand"], L"0x00000000");
}

namespace {
class SlozkaProgramuKolvexu {
public:
    explicit SlozkaProgramuKolvexu(const std::wstring& s) : m_puvodni(aplikace.slozkaProgramu) { aplikace.slozkaProgramu = s; }
    ~SlozkaProgramuKolvexu() { aplikace.slozkaProgramu = m_puvodni; }

private:
    std::wstring m_puvodni;
};
std::wstring Text(HWND dialog, int id) {
    wchar_t t[300] = L"";
    ::GetDlgItemTextW(dialog, id, t, 300);
    return t;
}
}  // namespace

TEST(Zentrava, DialogyKolvexuRegistrujiSkutecnaRozsireni) {
    SlozkaProgramuKolvexu program(Bin());
    InfoShellExtObrazky obrazky(Bin());
    InfoShellExtSchranka schranka(Bin());
    ASSERT_TRUE(obrazky.JeNainstalovano());
    ASSERT_TRUE(schranka.JeNainstalovano());
    if (obrazky.JeZaregistrovano()) RegistrovatShellExtObrazky(false);
    if (schranka.JeZaregistrovano()) RegistrovatShellExtSchranka(false);

    DlgShellExtObrazky dialog;
    dialog.Vytvorit(nullptr);
    EXPECT_EQ(Text(dialog.m_hWnd, 1093), L"Rozšíření kontextové nabídky shellu \"Obrázky\" je nainstalováno.");
    EXPECT_EQ(Text(dialog.m_hWnd, 1097), L"Spouštěný program \"Lumeda\" je nainstalován.");
    EXPECT_EQ(Text(dialog.m_hWnd, 1095), L"Zaregistrovat");
    ::SendMessageW(dialog.m_hWnd, WM_COMMAND, 1095, 0);
    EXPECT_TRUE(obrazky.JeZaregistrovano());
    EXPECT_EQ(Text(dialog.m_hWnd, 1094), L"Rozšíření kontextové nabídky shellu \"Obrázky\" je zaregistrováno.");
    ::SendMessageW(dialog.m_hWnd, WM_COMMAND, 1095, 0);
    EXPECT_FALSE(obrazky.JeZaregistrovano());
    EXPECT_FALSE(ExistujeHkcr(std::wstring(L"CLSID\\") + CLSID_OBRAZEK));

    DlgShellExtSchranka dialog2;
    dialog2.Vytvorit(nullptr);
    ::SendMessageW(dialog2.m_hWnd, WM_COMMAND, 1095, 0);
    EXPECT_TRUE(schranka.JeZaregistrovano());
    EXPECT_EQ(Text(dialog2.m_hWnd, 1095), L"Odregistrovat");
    ::SendMessageW(dialog2.m_hWnd, WM_COMMAND, 1095, 0);
    EXPECT_FALSE(schranka.JeZaregistrovano());
    EXPECT_FALSE(ExistujeHkcr(L"*\\Shellex\\ContextMenuHandlers\\{46961BD9-0695-4825-94C8-E5AB8EEEB1F9}"));
}
