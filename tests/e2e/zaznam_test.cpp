// Kolvex's recording from outside: the hot key of "Záznam zvuku" reaches the driver, which runs
// the real Sonvidar against the stand-in encoder; and the driver's three settings pages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "podpora/snimek.h"

using namespace testy;

namespace {

const std::wstring KLIC_KOLVEXU = L"Software\\Brenvald\\Kolvex\\5.0";

std::string Obsah(const std::wstring& soubor) {
    const std::vector<BYTE> b = PrecistBajty(soubor);
    return std::string(b.begin(), b.end());
}

void ZapsatText(const std::wstring& klic, const wchar_t* nazev, const std::wstring& text) {
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, klic.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(h, nazev, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(h);
}

// Sonvidar's window: of that class but not of Kolvex (Wine's search of top-level windows also
// finds the driver's message-only window).
DWORD pidKolvexu = 0;
HWND OknoSonvidaru() {
    for (HWND o = nullptr; (o = ::FindWindowExW(nullptr, o, L"QKolvexSonvidar", nullptr)) != nullptr;) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(o, &pid);
        if (pid != pidKolvexu) return o;
    }
    return nullptr;
}

}  // namespace

TEST(ZaznamZvenku, HorkaKlavesaSpustiZastaviADalsiZaznamMaDalsiJmeno) {
    VycistitStavKolvexu();
    SmazatKlic(L"Software\\Brenvald\\SonvidarKolvex\\1.0");
    RegistraceKoderu koder;
    ASSERT_TRUE(koder.Registrovano());
    DocasnaSlozka slozka;
    ZapsatText(KLIC_KOLVEXU + L"\\Sonvidar\\Zaznam zvuku", L"slozka", slozka.Cesta());
    Program kolvex;
    pidKolvexu = kolvex.Pid();
    HWND hlavni = kolvex.CekatNaOkno(L"QKolvexHlavniOkno");
    ASSERT_NE(hlavni, nullptr);
    ASSERT_NE(kolvex.CekatNaOkno(L"QKolvexSonvidar"), nullptr) << "the driver's window";

    const std::wstring prvni = slozka.Cesta() + L"\\zaznam0.wma";
    const std::wstring druhy = slozka.Cesta() + L"\\zaznam1.wma";
    ::PostMessageW(hlavni, WM_HOTKEY, 40168, 0);
    ASSERT_TRUE(CekatNa([&] { return OknoSonvidaru() && Obsah(prvni) == "KODER:ZAZNAM\r\n"; }, 20000))
        << "40168 started no recording: " << Obsah(prvni) << " window " << OknoSonvidaru() << " box "
        << (NajitOknoProcesu(kolvex.Pid(), L"#32770") ? std::string("yes") : std::string("no"));
    if (HWND box = NajitOknoProcesu(kolvex.Pid(), L"#32770")) {
        const std::wstring t = TextZpravy(box);
        std::printf("%ls\n", t.c_str());
    }
    ::PostMessageW(hlavni, WM_HOTKEY, 40168, 0);
    ASSERT_TRUE(CekatNa([&] { return Obsah(prvni) == "KODER:ZAZNAM\r\nKODER:STOP\r\n" && !OknoSonvidaru(); }, 20000))
        << "the second 40168 did not stop it: " << Obsah(prvni) << " window " << OknoSonvidaru();
    // the worker clears its handle a moment after Sonvidar ended: until then 40168 finds nothing
    // to stop (no Sonvidar process of its own) and starts nothing, so repeat until one starts
    ASSERT_TRUE(CekatNa([&] {
        ::PostMessageW(hlavni, WM_HOTKEY, 40168, 0);
        return CekatNa([&] { return OknoSonvidaru() != nullptr; }, 1500);
    }, 20000));
    ASSERT_TRUE(CekatNa([&] { return !Obsah(druhy).empty(); }, 20000));
    EXPECT_EQ(Obsah(druhy), "KODER:ZAZNAM\r\n");
    EXPECT_EQ(Obsah(prvni), "KODER:ZAZNAM\r\nKODER:STOP\r\n");

    // the program ends; "Zastavit spuštěný záznam při ukončení aplikace" (on) stops the recording
    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(20000), 0u);
    EXPECT_EQ(Obsah(druhy), "KODER:ZAZNAM\r\nKODER:STOP\r\n");
    EXPECT_TRUE(CekatNa([&] { return !OknoSonvidaru(); }, 10000));
    VycistitStavKolvexu();
}

TEST(ZaznamZvenku, StrankyNastaveniZaznamu) {
    VycistitStavKolvexu();
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(L"QKolvexHlavniOkno");
    ASSERT_NE(hlavni, nullptr);
    const struct {
        UINT stranka;
        const wchar_t* titulek;
        const wchar_t* soubor;
        int prvek;
    } pripady[] = {
        {179, L"Sonvidar", L"zaznam_179", 1104},
        {180, L"Záznam zvuku", L"zaznam_180", 1110},
        {181, L"Záznam videa", L"zaznam_181", 1110},
    };
    for (const auto& p : pripady) {
        ::PostMessageW(hlavni, WM_COMMAND, 40002, static_cast<LPARAM>(p.stranka));
        HWND nastaveni = nullptr;
        HWND stranka = nullptr;
        ASSERT_TRUE(CekatNa([&] {
            nastaveni = NajitOknoProcesu(kolvex.Pid(), L"#32770");
            if (!nastaveni || !::IsWindowVisible(nastaveni) ||
                TextOkna(nastaveni).find(std::wstring(L"Nastavení: ") + p.titulek) == std::wstring::npos)
                return false;
            for (HWND s = nullptr; (s = ::FindWindowExW(nastaveni, s, L"#32770", nullptr)) != nullptr;)
                if (::IsWindowVisible(s) && ::GetDlgItem(s, p.prvek)) stranka = s;
            return stranka != nullptr;
        }, 10000)) << p.stranka;
        ::Sleep(400);
        Snimek snimek = UlozitSnimekOkna(nastaveni, p.soubor);
        EXPECT_GT(snimek.tmavychBodu, 500) << "no text drawn";
        if (p.stranka == 180) {
            EXPECT_EQ(TextOkna(::GetDlgItem(stranka, 1110)), L"1000");
            EXPECT_EQ(TextOkna(::GetDlgItem(stranka, 1106)), L"zaznam");
            ::SendMessageW(::GetDlgItem(stranka, 1110), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"25"));
            ::PostMessageW(nastaveni, WM_COMMAND, IDOK, 0);
        } else if (p.stranka == 181) {
            EXPECT_EQ(TextOkna(::GetDlgItem(stranka, 1110)), L"400");
            // out of range: refused, the stored number stays
            ::SendMessageW(::GetDlgItem(stranka, 1110), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"20000"));
            ::PostMessageW(nastaveni, WM_COMMAND, IDOK, 0);
        } else {
            ::PostMessageW(nastaveni, WM_COMMAND, IDCANCEL, 0);
        }
        ASSERT_TRUE(CekatNa([&] { return !::IsWindow(nastaveni); }));
    }
    DWORD pocet = 0;
    EXPECT_TRUE(PrecistDword(KLIC_KOLVEXU + L"\\Sonvidar\\Zaznam zvuku", L"maxPocetSouboru", pocet));
    EXPECT_EQ(pocet, 25u);
    EXPECT_TRUE(PrecistDword(KLIC_KOLVEXU + L"\\Sonvidar\\Zaznam videa", L"maxPocetSouboru", pocet));
    EXPECT_EQ(pocet, 400u);
    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
    VycistitStavKolvexu();
}
