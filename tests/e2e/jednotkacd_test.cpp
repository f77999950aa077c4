// The CD/DVD drive icons from outside: with a fixture CD-ROM drive in the test prefix and the
// drive icons switched on at start, the drive's window and tray icon appear; an inserted disc
// shows the balloon; the drive menu's door command runs without a message and "Konec" stops the
// drive, which the main window's drive command starts again.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <dbt.h>

#include <string>

#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "podpora/snimek.h"

using namespace testy;

namespace {

const std::wstring KLIC = L"Software\\Brenvald\\Kolvex\\5.0";
const wchar_t* const TRIDA_JEDNOTKY = L"QOknoCDDrive";

void ZapsatDword(const std::wstring& klic, const wchar_t* hodnota, DWORD data) {
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, klic.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr), 0);
    ::RegSetValueExW(h, hodnota, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
    ::RegCloseKey(h);
}

void ZapsatSoubor(const std::wstring& cesta, const std::string& obsah) {
    HANDLE h = ::CreateFileW(cesta.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD zapsano = 0;
    ::WriteFile(h, obsah.data(), static_cast<DWORD>(obsah.size()), &zapsano, nullptr);
    ::CloseHandle(h);
}

HWND ViditelneMenu(DWORD pid) {
    HWND menu = NajitOknoProcesu(pid, L"#32768");
    return menu && ::IsWindowVisible(menu) ? menu : nullptr;
}

// The drive menu at the icon, then one accelerator key.
bool ZvolitVNabidce(Program& kolvex, HWND jednotka, WORD klavesa) {
    ::PostMessageW(jednotka, WM_APP + 9, 1, WM_RBUTTONUP);
    HWND menu = nullptr;
    if (!CekatNa([&] { return (menu = ViditelneMenu(kolvex.Pid())) != nullptr; })) return false;
    StisknoutKlavesy({klavesa});
    return CekatNa([&] { return ViditelneMenu(kolvex.Pid()) == nullptr; });
}

// A control of the settings window's open page (the page is a child dialog).
struct HledaniPrvku {
    int id;
    HWND nalezeno;
};
BOOL CALLBACK ZkusitPrvek(HWND okno, LPARAM l) {
    auto* h = reinterpret_cast<HledaniPrvku*>(l);
    if (::GetDlgCtrlID(okno) == h->id && ::IsWindowVisible(okno)) {
        h->nalezeno = okno;
        return FALSE;
    }
    return TRUE;
}
HWND PrvekStranky(HWND nastaveni, int id) {
    HledaniPrvku h{id, nullptr};
    ::EnumChildWindows(nastaveni, ZkusitPrvek, reinterpret_cast<LPARAM>(&h));
    return h.nalezeno;
}

DWORD PrecistDword(const std::wstring& klic, const wchar_t* hodnota) {
    DWORD data = 0xFFFFFFFF, velikost = sizeof(data);
    ::RegGetValueW(HKEY_CURRENT_USER, klic.c_str(), hodnota, RRF_RT_REG_DWORD, nullptr, &data, &velikost);
    return data;
}

class JednotkaCDZvenku : public ::testing::Test {
protected:
    void SetUp() override {
        VycistitStavKolvexu();
        ZapsatDword(KLIC + L"\\Po spusteni", L"ovladaniCD", 1);
        ZapsatDword(KLIC + L"\\Ovladani CD", L"zpravaVlozeni", 1);
    }
    void TearDown() override { VycistitStavKolvexu(); }
};

}  // namespace

TEST_F(JednotkaCDZvenku, IkonaMechanikyBublinaNabidkaAKonec) {
    DocasnaSlozka disk;
    ZapsatSoubor(disk.Cesta() + L"\\.windows-label", "KOLVEXCD\n");
    ZapsatSoubor(disk.Cesta() + L"\\autorun.inf", "[autorun]\r\nopen=setup.exe\r\n");
    FiktivniJednotka cd(L'D', disk.Cesta());
    ASSERT_TRUE(cd.Pripravena());

    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(L"QKolvexHlavniOkno");
    ASSERT_NE(hlavni, nullptr);
    HWND jednotka = kolvex.CekatNaOkno(TRIDA_JEDNOTKY);
    ASSERT_NE(jednotka, nullptr) << "the drive's window did not appear";
    EXPECT_EQ(TextOkna(jednotka), L"Ovládání CD");
    EXPECT_FALSE(::IsWindowVisible(jednotka));

    // the door command from the drive menu (the menu opens from the icon's callback, so the icon
    // is there): Wine has no door to move, and no message appears
    ASSERT_TRUE(ZvolitVNabidce(kolvex, jednotka, 'O'));
    EXPECT_EQ(kolvex.CekatNaZpravu(1000), nullptr);
    EXPECT_TRUE(::IsWindow(jednotka));

    // a disc arrives in D:: the balloon of string 168 (SendMessage carries the record across)
    DEV_BROADCAST_VOLUME svazek{};
    svazek.dbcv_size = sizeof(svazek);
    svazek.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    svazek.dbcv_unitmask = 1u << ('D' - 'A');
    svazek.dbcv_flags = DBTF_MEDIA;
    DWORD_PTR vysledek = 0;
    ASSERT_NE(::SendMessageTimeoutW(jednotka, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&svazek),
                                    SMTO_ABORTIFHUNG, 5000, &vysledek),
              0);
    // the shell draws the balloon as a tooltip window of its own
    EXPECT_TRUE(CekatNa([] {
        for (HWND h = ::FindWindowW(TOOLTIPS_CLASSW, nullptr); h; h = ::FindWindowExW(nullptr, h, TOOLTIPS_CLASSW, nullptr))
            if (::IsWindowVisible(h) && TextOkna(h).find(L"Do mechaniky D: byl vložen disk.") != std::wstring::npos)
                return true;
        return false;
    }, 5000)) << "no balloon for the inserted disc";
    ::Sleep(200);
    UlozitSnimekOkna(::GetDesktopWindow(), L"jednotkacd_bublina");
    ASSERT_TRUE(kolvex.Bezi());

    // "Nastavení" of the drive opens the settings window on the drive page; OK stores its switches
    ::PostMessageW(jednotka, WM_COMMAND, 40002, 0);
    HWND nastaveni = nullptr;
    ASSERT_TRUE(CekatNa([&] {
        nastaveni = NajitOknoProcesu(kolvex.Pid(), L"#32770");
        return nastaveni && ::IsWindowVisible(nastaveni) &&
               TextOkna(nastaveni).find(L"Nastavení: Ovládání CD/DVD mechanik(-y)") != std::wstring::npos;
    })) << "the settings window did not open on the drive page";
    HWND vlozeni = nullptr;
    ASSERT_TRUE(CekatNa([&] { return (vlozeni = PrvekStranky(nastaveni, 1156)) != nullptr; }));
    EXPECT_EQ(::SendMessageW(vlozeni, BM_GETCHECK, 0, 0), BST_CHECKED);
    ::Sleep(300);  // let every control paint
    EXPECT_FALSE(UlozitSnimekOkna(nastaveni, L"jednotkacd_nastaveni").soubor.empty());
    ::SendMessageW(vlozeni, BM_CLICK, 0, 0);
    ::PostMessageW(nastaveni, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(CekatNa([&] { return !::IsWindow(nastaveni); }));
    EXPECT_EQ(PrecistDword(KLIC + L"\\Ovladani CD", L"zpravaVlozeni"), 0u);
    EXPECT_EQ(PrecistDword(KLIC + L"\\Ovladani CD", L"ikonaObsah"), 1u);

    // "Konec" stops this drive only
    ASSERT_TRUE(ZvolitVNabidce(kolvex, jednotka, 'K'));
    ASSERT_TRUE(CekatNa([&] { return !::IsWindow(jednotka); })) << "\"Konec\" did not stop the drive";
    EXPECT_TRUE(::IsWindow(hlavni));

    // the main window's drive command starts it again
    ::PostMessageW(hlavni, WM_COMMAND, 53000, 0);
    HWND znovu = kolvex.CekatNaOkno(TRIDA_JEDNOTKY);
    EXPECT_NE(znovu, nullptr);

    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
}
