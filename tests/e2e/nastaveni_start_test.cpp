// Start-up with stored settings: the folders of the settings objects follow the stored data
// folder, and a damaged value is reported without stopping the program.
#include <gtest/gtest.h>

#include <string>

#include "podpora/pomocnik.h"
#include "podpora/ridic.h"

using namespace testy;

namespace {

const wchar_t* const TRIDA_HLAVNIHO_OKNA = L"QKolvexHlavniOkno";
const std::wstring KLIC = L"Software\\Brenvald\\Kolvex\\5.0";

void UlozitHodnotu(const std::wstring& klic, const wchar_t* nazev, DWORD typ, const void* data, DWORD bajtu) {
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, klic.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(h, nazev, 0, typ, static_cast<const BYTE*>(data), bajtu);
    ::RegCloseKey(h);
}

void UlozitText(const std::wstring& klic, const wchar_t* nazev, const std::wstring& text) {
    UlozitHodnotu(klic, nazev, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

class NastaveniPriStartu : public ::testing::Test {
protected:
    void SetUp() override { VycistitStavKolvexu(); }
    void TearDown() override { VycistitStavKolvexu(); }
};

}  // namespace

TEST_F(NastaveniPriStartu, SlozkyNastrojuVzniknouVeSlozceDat) {
    DocasnaSlozka slozka;
    const std::wstring data = slozka.Cesta() + L"\\Data";
    UlozitText(KLIC, L"slozkaData", data);
    UlozitText(KLIC, L"slozkaDocasne", data + L"\\Temp");

    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);
    for (const wchar_t* podslozka :
         {L"", L"\\Temp", L"\\Záznam videa", L"\\Záznam zvuku", L"\\Opis obrazovky", L"\\Počasí",
          L"\\Počasí\\Aladin", L"\\Počasí\\Družicové snímky", L"\\Poznámky"})
        EXPECT_TRUE(ExistujeSoubor(data + podslozka)) << podslozka;
    // The settings are not written back by a start; the launcher's key is created by its load.
    EXPECT_FALSE(ExistujeKlic(KLIC + L"\\Hodiny"));
    EXPECT_TRUE(ExistujeKlic(KLIC + L"\\Spousteni aplikaci"));

    ::PostMessageW(hlavni, WM_CLOSE, 0, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
}

TEST_F(NastaveniPriStartu, PoskozenaHodnotaSeOhlasiAProgramPokracuje) {
    UlozitText(KLIC + L"\\Hodiny", L"gong", L"každou hodinu");

    Program kolvex;
    HWND box = kolvex.CekatNaZpravu();
    ASSERT_NE(box, nullptr) << "the damaged value was not reported";
    EXPECT_EQ(TextZpravy(box).rfind(L"Došlo k chybě při načítání konfigurace modulu \"Hodiny\" z registru Windows.", 0),
              0u)
        << TextZpravy(box);
    EXPECT_EQ(TextOkna(box), L"Kolvex");
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);

    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr) << "start-up did not go on after the report";
    ::PostMessageW(hlavni, WM_CLOSE, 0, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
}

// A data or temporary folder that cannot be made (a file in its place, a missing drive, an
// overlong path) is named with the system's reason before start-up ends; a tool's own folder
// that cannot be made does not stop start-up.
TEST_F(NastaveniPriStartu, NevytvoritelnaSlozkaDatSeOhlasiSeJmenemADuvodem) {
    DocasnaSlozka slozka;
    const std::wstring soubor = slozka.Cesta() + L"\\Data";
    {
        HANDLE h = ::CreateFileW(soubor.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        ::CloseHandle(h);
    }
    struct {
        const wchar_t* hodnota;
        std::wstring slozka;
    } pripady[] = {
        {L"slozkaData", soubor},
        {L"slozkaData", L"Q:\\neexistujici\\Data"},
        {L"slozkaDocasne", slozka.Cesta() + L"\\" + std::wstring(300, L'x')},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.slozka.size());
        VycistitStavKolvexu();
        UlozitText(KLIC, p.hodnota, p.slozka);
        Program kolvex;
        HWND box = kolvex.CekatNaZpravu();
        ASSERT_NE(box, nullptr) << "start-up ended without a word";
        const std::wstring text = TextZpravy(box);
        EXPECT_EQ(text.rfind(L"Složku „" + p.slozka + L"“ se nepodařilo vytvořit.\nDůvod: ", 0), 0u);
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(kolvex.CekatNaKonec(), 1u);
    }

    // a tool's folder below a file: start-up goes on
    VycistitStavKolvexu();
    UlozitText(KLIC + L"\\Opis", L"slozka", soubor + L"\\Opisy");
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);
    ::PostMessageW(hlavni, WM_CLOSE, 0, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
}
