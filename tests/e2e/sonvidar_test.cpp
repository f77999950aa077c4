// Sonvidar.exe from outside: its command line, the encoder test, a recording against the
// stand-in encoder ended by WM_CLOSE, the missing encoder, its two settings dialogs, a recording
// that loses its tray icon, and the message and exit code of a mode that fails.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "podpora/snimek.h"

using namespace testy;

namespace {

const std::wstring KLIC = L"Software\\Brenvald\\SonvidarKolvex\\1.0";
constexpr DWORD KOD_CHYBY_PARAMETRU = 0xFFFFFFFF;  // -1

std::string Obsah(const std::wstring& soubor) {
    const std::vector<BYTE> b = PrecistBajty(soubor);
    return std::string(b.begin(), b.end());
}

// The visible dialog of the process with the given control.
HWND Dialog(const Program& p, int prvek) {
    HWND d = NajitOknoProcesu(p.Pid(), L"#32770");
    return d && ::IsWindowVisible(d) && ::GetDlgItem(d, prvek) ? d : nullptr;
}

std::wstring VybranyText(HWND dialog, int id) {
    HWND combo = ::GetDlgItem(dialog, id);
    LRESULT i = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (i == CB_ERR) return L"";
    wchar_t text[256] = L"";
    ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring PrecistText(const std::wstring& klic, const wchar_t* hodnota) {
    wchar_t data[512] = L"";
    DWORD velikost = sizeof(data);
    if (::RegGetValueW(HKEY_CURRENT_USER, klic.c_str(), hodnota, RRF_RT_REG_SZ, nullptr, data, &velikost) != ERROR_SUCCESS)
        return L"<chybí>";
    return data;
}

class SonvidarZvenku : public ::testing::Test {
protected:
    void SetUp() override { SmazatKlic(KLIC); }
    void TearDown() override { SmazatKlic(KLIC); }
};

TEST_F(SonvidarZvenku, NeplatnyPrikazovyRadekUkazeZpravuAKonciMinusJedna) {
    RegistraceKoderu koder;
    for (const wchar_t* argumenty : {L"", L"Zaznam", L"ZaznamZvuku"}) {
        Program sonvidar(L"Sonvidar.exe", argumenty);
        HWND box = sonvidar.CekatNaZpravu();
        ASSERT_NE(box, nullptr) << "no message for '" << std::string(argumenty, argumenty + wcslen(argumenty)) << "'";
        EXPECT_EQ(TextZpravy(box), L"Neplatný parametr spuštění programu");
        EXPECT_EQ(TextOkna(box), L"Sonvidar");
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(sonvidar.CekatNaKonec(), KOD_CHYBY_PARAMETRU);
    }
    // a file name of four characters: -1 without a message, without a window
    Program kratke(L"Sonvidar.exe", L"ZaznamZvuku a.wm");
    EXPECT_EQ(kratke.CekatNaKonec(), KOD_CHYBY_PARAMETRU);
    EXPECT_EQ(NajitOknoProcesu(kratke.Pid(), L"#32770"), nullptr);
}

TEST_F(SonvidarZvenku, TestKoderuOdpoviJednaJenSNainstalovanymKoderem) {
    {
        RegistraceKoderu bez(false);
        Program test(L"Sonvidar.exe", L"ZjistitInstalaciWME");
        EXPECT_EQ(test.CekatNaKonec(), 0u);
    }
    RegistraceKoderu koder;
    ASSERT_TRUE(koder.Registrovano());
    Program test(L"Sonvidar.exe", L"zjistitinstalaciwme");
    EXPECT_EQ(test.CekatNaKonec(), 1u);
}

TEST_F(SonvidarZvenku, ZaznamZvukuBeziDoZavreniOkna) {
    RegistraceKoderu koder;
    DocasnaSlozka slozka;
    const std::wstring soubor = slozka.Cesta() + L"\\Nahrávka č. 1.wma";
    Program sonvidar(L"Sonvidar.exe", L"zaznamzvuku \"" + soubor + L"\"");
    HWND okno = sonvidar.CekatNaOkno(L"QKolvexSonvidar");
    ASSERT_NE(okno, nullptr);
    ASSERT_TRUE(CekatNa([&] { return Obsah(soubor) == "KODER:ZAZNAM\r\n"; }, 10000));
    EXPECT_FALSE(::IsWindowVisible(okno));
    // a double click on the recording icon ends it with the default settings (konecNaKlik off)
    ::PostMessageW(okno, WM_APP + 1, 1, WM_LBUTTONDBLCLK);
    EXPECT_EQ(sonvidar.CekatNaKonec(), 0u);
    EXPECT_EQ(Obsah(soubor), "KODER:ZAZNAM\r\nKODER:STOP\r\n");

    const std::wstring druhy = slozka.Cesta() + L"\\video.wmv";
    Program video(L"Sonvidar.exe", L"ZaznamVidea \"" + druhy + L"\"");
    HWND oknoVidea = video.CekatNaOkno(L"QKolvexSonvidar");
    ASSERT_NE(oknoVidea, nullptr);
    ASSERT_TRUE(CekatNa([&] { return !Obsah(druhy).empty(); }, 10000));
    ::PostMessageW(oknoVidea, WM_CLOSE, 0, 0);
    EXPECT_EQ(video.CekatNaKonec(), 0u);
    EXPECT_EQ(Obsah(druhy), "KODER:ZAZNAM\r\nKODER:STOP\r\n");
}

TEST_F(SonvidarZvenku, KonecNaKlikANabidkaKonec) {
    RegistraceKoderu koder;
    DocasnaSlozka slozka;
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (KLIC + L"\\Zaznam zvuku").c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                &h, nullptr),
              ERROR_SUCCESS);
    const DWORD zapnuto = 1;
    ::RegSetValueExW(h, L"konecNaKlik", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zapnuto), sizeof(zapnuto));
    ::RegCloseKey(h);
    // with konecNaKlik on one left click ends the recording, a double click does nothing
    const std::wstring soubor = slozka.Cesta() + L"\\klik.wma";
    Program sonvidar(L"Sonvidar.exe", L"ZaznamZvuku \"" + soubor + L"\"");
    HWND okno = sonvidar.CekatNaOkno(L"QKolvexSonvidar");
    ASSERT_NE(okno, nullptr);
    ASSERT_TRUE(CekatNa([&] { return !Obsah(soubor).empty(); }, 10000));
    ::PostMessageW(okno, WM_APP + 1, 1, WM_LBUTTONDBLCLK);
    ::PostMessageW(okno, WM_APP + 1, 2, WM_LBUTTONUP);  // another icon id: ignored
    EXPECT_EQ(sonvidar.CekatNaKonec(700), static_cast<DWORD>(STILL_ACTIVE));
    ::PostMessageW(okno, WM_APP + 1, 1, WM_LBUTTONUP);
    EXPECT_EQ(sonvidar.CekatNaKonec(), 0u);
    EXPECT_EQ(Obsah(soubor), "KODER:ZAZNAM\r\nKODER:STOP\r\n");

    // "&Konec" of the icon's menu
    const std::wstring druhy = slozka.Cesta() + L"\\menu.wma";
    Program dalsi(L"Sonvidar.exe", L"ZaznamZvuku \"" + druhy + L"\"");
    HWND okno2 = dalsi.CekatNaOkno(L"QKolvexSonvidar");
    ASSERT_NE(okno2, nullptr);
    ASSERT_TRUE(CekatNa([&] { return !Obsah(druhy).empty(); }, 10000));
    ::PostMessageW(okno2, WM_COMMAND, 40001, 0);
    EXPECT_EQ(dalsi.CekatNaKonec(), 0u);
    EXPECT_EQ(Obsah(druhy), "KODER:ZAZNAM\r\nKODER:STOP\r\n");
}

TEST_F(SonvidarZvenku, BezKoderuZpravaAKodEHandle) {
    RegistraceKoderu bez(false);
    DocasnaSlozka slozka;
    const std::wstring soubor = slozka.Cesta() + L"\\zaznam.wma";
    Program sonvidar(L"Sonvidar.exe", L"ZaznamZvuku \"" + soubor + L"\"");
    HWND box = sonvidar.CekatNaZpravu();
    ASSERT_NE(box, nullptr);
    EXPECT_NE(TextZpravy(box).find(L"Windows Media Encoder"), std::wstring::npos);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(sonvidar.CekatNaKonec(), static_cast<DWORD>(0x80070006));  // E_HANDLE
    EXPECT_FALSE(ExistujeSoubor(soubor));
}

TEST_F(SonvidarZvenku, NastaveniZvukuAVideaZobraziSeznamyKoderuAUlozi) {
    RegistraceKoderu koder;
    // a stored profile the encoder no longer offers: the dialog still opens, the first selected
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (KLIC + L"\\Zaznam zvuku").c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                &h, nullptr),
              ERROR_SUCCESS);
    const wchar_t zmizely[] = L"Zmizelý profil";
    ::RegSetValueExW(h, L"profil", 0, REG_SZ, reinterpret_cast<const BYTE*>(zmizely), sizeof(zmizely));
    ::RegCloseKey(h);

    Program zvuk(L"Sonvidar.exe", L"NastaveniZaznamZvuku");
    HWND dialog = nullptr;
    ASSERT_TRUE(CekatNa([&] { return (dialog = Dialog(zvuk, 1002)) != nullptr; }, 10000));
    EXPECT_EQ(TextOkna(dialog), L"Sonvidar - Nastavení záznamu zvuku");
    EXPECT_EQ(VybranyText(dialog, 1002), L"Windows Media Audio 8 for ISDN (Better than CD quality, 128 Kbps)");
    EXPECT_EQ(VybranyText(dialog, 1001), L"Default_Audio_Device");
    EXPECT_EQ(::SendMessageW(::GetDlgItem(dialog, 1002), CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(::SendMessageW(::GetDlgItem(dialog, 1003), CB_GETCOUNT, 0, 0), 0) << "Wine's mixer has no input selector";
    EXPECT_EQ(::IsDlgButtonChecked(dialog, 1005), BST_CHECKED);
    ::SetForegroundWindow(dialog);
    ::Sleep(300);
    Snimek snimek = UlozitSnimekOkna(dialog, L"sonvidar_nastaveni_zvuku");
    EXPECT_GT(snimek.tmavychBodu, 300) << "no text drawn";
    ::SendMessageW(::GetDlgItem(dialog, 1007), BM_CLICK, 0, 0);
    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(zvuk.CekatNaKonec(), 0u);
    EXPECT_EQ(PrecistText(KLIC + L"\\Zaznam zvuku", L"profil"),
              L"Windows Media Audio 8 for ISDN (Better than CD quality, 128 Kbps)");
    EXPECT_EQ(PrecistText(KLIC + L"\\Zaznam zvuku", L"ovladacHlasitosti"), L"");
    DWORD konec = 0;
    EXPECT_TRUE(PrecistDword(KLIC + L"\\Zaznam zvuku", L"konecNaKlik", konec));
    EXPECT_EQ(konec, 1u);

    Program video(L"Sonvidar.exe", L"NastaveniZaznamVidea");
    ASSERT_TRUE(CekatNa([&] { return (dialog = Dialog(video, 1011)) != nullptr; }, 10000));
    EXPECT_EQ(TextOkna(dialog), L"Sonvidar - Nastavení záznamu videa");
    EXPECT_EQ(VybranyText(dialog, 1011), L"Windows Media Video 8 for Local Area Network (768 Kbps)");
    EXPECT_EQ(VybranyText(dialog, 1010), L"Default_Video_Device");
    ::SetForegroundWindow(dialog);
    ::Sleep(300);
    snimek = UlozitSnimekOkna(dialog, L"sonvidar_nastaveni_videa");
    EXPECT_GT(snimek.tmavychBodu, 300) << "no text drawn";
    // Storno stores nothing
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(video.CekatNaKonec(), 0u);
    EXPECT_EQ(PrecistText(KLIC + L"\\Zaznam videa", L"profilVideo"), L"<chybí>");
}

// The notification area loses the recording icon while it records (as when it restarts): the
// recording goes on, the icon comes back (at the next frame or at "TaskbarCreated"), and the end
// still stops the encoder.
struct ZtrataIkony {
    const char* pripad;
    bool oznameniNoveListy;  // the shell's "TaskbarCreated" broadcast follows the loss
};

void PrintTo(const ZtrataIkony& p, std::ostream* vystup) { *vystup << p.pripad; }

// Whether the notification area holds the icon of that window and id (any process may ask).
bool IkonaExistuje(HWND okno, UINT id) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = okno;
    data.uID = id;
    return ::Shell_NotifyIconW(NIM_MODIFY, &data) != 0;
}

class SonvidarZtrataIkony : public SonvidarZvenku, public ::testing::WithParamInterface<ZtrataIkony> {};

TEST_P(SonvidarZtrataIkony, ZaznamPokracujeIkonaSeVratiAKonecZastaviKoder) {
    const ZtrataIkony& p = GetParam();
    RegistraceKoderu koder;
    DocasnaSlozka slozka;
    const std::wstring soubor = slozka.Cesta() + L"\\ikona.wma";
    Program sonvidar(L"Sonvidar.exe", L"ZaznamZvuku \"" + soubor + L"\"");
    HWND okno = sonvidar.CekatNaOkno(L"QKolvexSonvidar");
    ASSERT_NE(okno, nullptr);
    ASSERT_TRUE(CekatNa([&] { return Obsah(soubor) == "KODER:ZAZNAM\r\n"; }, 10000));
    ASSERT_TRUE(CekatNa([&] { return IkonaExistuje(okno, 1); }, 5000)) << "no recording icon";

    for (int kolo = 0; kolo < 2; ++kolo) {
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof(data);
        data.hWnd = okno;
        data.uID = 1;
        ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &data));
        if (p.oznameniNoveListy) ::PostMessageW(okno, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
        EXPECT_TRUE(CekatNa([&] { return IkonaExistuje(okno, 1) || !sonvidar.Bezi(); }, 5000));
        ASSERT_TRUE(sonvidar.Bezi()) << "the lost icon ended the recording, exit code " << std::hex
                                     << sonvidar.CekatNaKonec(0);
        EXPECT_TRUE(IkonaExistuje(okno, 1)) << "the icon did not come back";
    }
    // a few frames more with the icon back
    EXPECT_EQ(sonvidar.CekatNaKonec(1200), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(Obsah(soubor), "KODER:ZAZNAM\r\n");

    ::PostMessageW(okno, WM_CLOSE, 0, 0);
    EXPECT_EQ(sonvidar.CekatNaKonec(), 0u);
    EXPECT_EQ(Obsah(soubor), "KODER:ZAZNAM\r\nKODER:STOP\r\n");
    EXPECT_FALSE(IkonaExistuje(okno, 1)) << "the icon stayed behind";
}

INSTANTIATE_TEST_SUITE_P(Sonvidar, SonvidarZtrataIkony,
                         ::testing::Values(ZtrataIkony{"dalsi_snimek", false}, ZtrataIkony{"taskbar_created", true}),
                         [](const ::testing::TestParamInfo<ZtrataIkony>& info) { return std::string(info.param.pripad); });

// A mode that fails says so in Czech and ends with a failure code (never 0 or 1), so Kolvex can
// tell a recording that never started from one that finished; a damaged value in the settings
// mode keeps its default and the dialog still opens.
struct SelhaniRezimu {
    const char* pripad;
    const wchar_t* prikaz;       // verb of the command line (a recording gets a file too)
    bool profilJakoCislo;        // "profil" stored as a DWORD, else as an unknown profile name
    const wchar_t* zprava;       // part of the message
    bool dialog;                 // the settings dialog opens after the message
    DWORD kod;                   // exit code
};

void PrintTo(const SelhaniRezimu& p, std::ostream* vystup) { *vystup << p.pripad; }

class SonvidarSelhaniRezimu : public SonvidarZvenku, public ::testing::WithParamInterface<SelhaniRezimu> {};

TEST_P(SonvidarSelhaniRezimu, ZpravaAKodNeuspechu) {
    const SelhaniRezimu& p = GetParam();
    RegistraceKoderu koder;
    DocasnaSlozka slozka;
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (KLIC + L"\\Zaznam zvuku").c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                &h, nullptr),
              ERROR_SUCCESS);
    if (p.profilJakoCislo) {
        const DWORD cislo = 3;
        ::RegSetValueExW(h, L"profil", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&cislo), sizeof(cislo));
    } else {
        const wchar_t neznamy[] = L"Neznámý profil";
        ::RegSetValueExW(h, L"profil", 0, REG_SZ, reinterpret_cast<const BYTE*>(neznamy), sizeof(neznamy));
    }
    ::RegCloseKey(h);

    const std::wstring soubor = slozka.Cesta() + L"\\nespusteny.wma";
    const bool zaznam = std::wstring(p.prikaz) == L"ZaznamZvuku";
    Program sonvidar(L"Sonvidar.exe", zaznam ? std::wstring(p.prikaz) + L" \"" + soubor + L"\"" : std::wstring(p.prikaz));
    HWND box = sonvidar.CekatNaZpravu();
    ASSERT_NE(box, nullptr) << "no message";
    const std::wstring text = TextZpravy(box);
    EXPECT_NE(text.find(p.zprava), std::wstring::npos) << std::string(text.begin(), text.end());
    if (p.profilJakoCislo) EXPECT_NE(text.find(L"profil"), std::wstring::npos) << "the damaged value is not named";
    EXPECT_EQ(TextOkna(box), L"Sonvidar");
    EXPECT_NE(::GetWindow(box, GW_OWNER), nullptr) << "the box has no owner";
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    if (p.dialog) {
        HWND dialog = nullptr;
        ASSERT_TRUE(CekatNa([&] { return (dialog = Dialog(sonvidar, 1002)) != nullptr; }, 10000)) << "no dialog";
        EXPECT_EQ(VybranyText(dialog, 1002), L"Windows Media Audio 8 for ISDN (Better than CD quality, 128 Kbps)");
        ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    EXPECT_EQ(sonvidar.CekatNaKonec(), p.kod);
    if (zaznam) EXPECT_EQ(Obsah(soubor).find("KODER:ZAZNAM"), std::string::npos) << "it recorded";
}

INSTANTIATE_TEST_SUITE_P(
    Sonvidar, SonvidarSelhaniRezimu,
    ::testing::Values(
        SelhaniRezimu{"zaznam_profil_cislem", L"ZaznamZvuku", true, L"Záznam se nepodařilo spustit.", false,
                      static_cast<DWORD>(HRESULT_FROM_WIN32(ERROR_INVALID_DATATYPE))},
        SelhaniRezimu{"zaznam_neznamy_profil", L"ZaznamZvuku", false, L"Záznam se nepodařilo spustit.", false,
                      static_cast<DWORD>(E_INVALIDARG)},
        SelhaniRezimu{"nastaveni_profil_cislem", L"NastaveniZaznamZvuku", true, L"Platí výchozí hodnota", true, 0u}),
    [](const ::testing::TestParamInfo<SelhaniRezimu>& info) { return std::string(info.param.pripad); });

}  // namespace
