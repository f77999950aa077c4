// The application launcher of the running program: an entry stored with a hot key is started by a
// real key press (the stand-in program records its start in its own folder), an entry marked to
// run at start runs by itself, the start count reaches the registry when the program ends, and
// screenshots of the launcher's two settings pages.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "podpora/snimek.h"

using namespace testy;

namespace {

const wchar_t* const TRIDA_HLAVNIHO_OKNA = L"QKolvexHlavniOkno";
const wchar_t* const TRIDA_SPOUSTENI = L"QKolvexSpousteniAplikaci";
const std::wstring APLIKACE = L"Software\\Brenvald\\Kolvex\\5.0\\Spousteni aplikaci\\Aplikace";

void ZapsatAplikaci(const std::wstring& nazev, const std::wstring& cesta, DWORD uroven, DWORD modifikator,
                    DWORD klavesa, bool poSpusteni) {
    const std::wstring klic = APLIKACE + L"\\" + nazev;
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, klic.c_str(), L"cesta", REG_SZ, cesta.c_str(),
                                static_cast<DWORD>((cesta.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    const struct {
        const wchar_t* nazev;
        DWORD hodnota;
    } hodnoty[] = {{L"uroven", uroven},           {L"modifikator", modifikator}, {L"virtKlavesa", klavesa},
                   {L"poSpusteni", poSpusteni},   {L"jednaInstance", 0},         {L"pocetSpusteni", 2}};
    for (const auto& h : hodnoty)
        ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, klic.c_str(), h.nazev, REG_DWORD, &h.hodnota, sizeof(DWORD)),
                  ERROR_SUCCESS);
}

// The stand-in program copied into a folder of its own.
struct Nahradnik {
    std::wstring slozka;
    std::wstring cesta;
    Nahradnik(const std::wstring& koren, const wchar_t* podslozka, const wchar_t* jmeno) {
        slozka = koren + L"\\" + podslozka;
        ::CreateDirectoryW(slozka.c_str(), nullptr);
        cesta = slozka + L"\\" + jmeno;
        ::CopyFileW((SlozkaTestu() + L"\\pomocne\\spousteni\\Spousteny.exe").c_str(), cesta.c_str(), FALSE);
    }
    std::wstring Zaznam() const { return slozka + L"\\zaznam_spusteni.txt"; }
};

bool KlavesaObsazena(UINT modifikatory, UINT klavesa) {
    if (!::RegisterHotKey(nullptr, 0x7ABD, modifikatory, klavesa)) return true;
    ::UnregisterHotKey(nullptr, 0x7ABD);
    return false;
}

HWND CekatNaNastaveni(const Program& program, const std::wstring& stranka) {
    HWND okno = nullptr;
    CekatNa([&] {
        okno = NajitOknoProcesu(program.Pid(), L"#32770");
        return okno && ::IsWindowVisible(okno) && TextOkna(okno).find(L"Nastavení: " + stranka) != std::wstring::npos;
    });
    return okno && TextOkna(okno).find(L"Nastavení: " + stranka) != std::wstring::npos ? okno : nullptr;
}

class SpousteniZvenku : public ::testing::Test {
protected:
    void SetUp() override { VycistitStavKolvexu(); }
    void TearDown() override { VycistitStavKolvexu(); }
};

}  // namespace

TEST_F(SpousteniZvenku, HorkaKlavesaSpustiProgramPoStartuSeSpustiSamPocetSeUlozi) {
    DocasnaSlozka docasna;
    Nahradnik klavesou(docasna.Cesta(), L"Klávesou spouštěný", L"Náhradní program.exe");
    Nahradnik poStartu(docasna.Cesta(), L"Po startu", L"Ranní program.exe");
    ASSERT_TRUE(ExistujeSoubor(klavesou.cesta));
    ASSERT_FALSE(KlavesaObsazena(MOD_CONTROL | MOD_ALT, 'U')) << "another program holds Ctrl+Alt+U";
    ZapsatAplikaci(L"Zkušební program", klavesou.cesta, 0x40000, MOD_CONTROL | MOD_ALT, 'U', false);
    ZapsatAplikaci(L"Ranní program", poStartu.cesta, 0x40000, 0, 0, true);

    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);
    ASSERT_NE(kolvex.CekatNaOkno(TRIDA_SPOUSTENI), nullptr) << "the launcher's window did not appear";
    ASSERT_TRUE(CekatNa([] { return KlavesaObsazena(MOD_CONTROL | MOD_ALT, 'U'); }))
        << "the entry's hot key was not registered";

    EXPECT_TRUE(CekatNa([&] { return ExistujeSoubor(poStartu.Zaznam()); }, 10000))
        << "the entry marked to run at start did not run";

    StisknoutKlavesy({VK_CONTROL, VK_MENU, 'U'});
    ASSERT_TRUE(CekatNa([&] { return !PrecistBajty(klavesou.Zaznam()).empty(); }, 10000))
        << "the key press did not start the stand-in";
    std::vector<BYTE> bajty = PrecistBajty(klavesou.Zaznam());
    std::wstring zaznam(reinterpret_cast<const wchar_t*>(bajty.data()), bajty.size() / sizeof(wchar_t));
    EXPECT_EQ(zaznam, L"\"" + klavesou.cesta + L"\"\n" + klavesou.slozka + L"\n");

    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
    DWORD pocet = 0;
    ASSERT_TRUE(PrecistDword(APLIKACE + L"\\Zkušební program", L"pocetSpusteni", pocet));
    EXPECT_EQ(pocet, 3u) << "the start count written when the launcher ends";
    ASSERT_TRUE(PrecistDword(APLIKACE + L"\\Ranní program", L"pocetSpusteni", pocet));
    EXPECT_EQ(pocet, 3u);
}

TEST_F(SpousteniZvenku, NabidkyZHlavniNabidkyAHorkeKlavesyVolbaSpustiProgram) {
    DocasnaSlozka docasna;
    Nahradnik program(docasna.Cesta(), L"Z nabídky", L"Vybraný program.exe");
    ZapsatAplikaci(L"Vybraný program", program.cesta, 0x40000, 0, 0, false);
    ZapsatAplikaci(L"Účetnictví", L"C:\\nikde\\účty.exe", 0x20000, 0, 0, false);

    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);
    HWND spousteni = kolvex.CekatNaOkno(TRIDA_SPOUSTENI);
    ASSERT_NE(spousteni, nullptr);
    auto menu = [&] {
        HWND m = NajitOknoProcesu(kolvex.Pid(), L"#32768");
        return m && ::IsWindowVisible(m) ? m : nullptr;
    };

    // "Spouštění aplikací" of the tray menu opens the launcher's full menu (posted once: the main
    // window waits for the launcher's window, and a second post would open the menu again later)
    ::PostMessageW(hlavni, WM_COMMAND, 40005, 0);
    ASSERT_TRUE(CekatNa([&] { return menu() != nullptr; }, 10000)) << "command 40005 opened no menu";
    ::Sleep(300);  // let the owner-drawn items paint
    Snimek snimek = UlozitSnimekOkna(menu(), L"spousteni_nabidka");
    std::printf("Snímek nabídky spouštění: %ls\n", snimek.soubor.c_str());
    EXPECT_GT(snimek.tmavychBodu, 50) << "no text drawn in the menu";
    ASSERT_TRUE(CekatNaKlavesniciMenu(spousteni)) << "the launcher's menu does not take the keyboard";
    StisknoutKlavesy({VK_ESCAPE});
    ASSERT_TRUE(CekatNa([&] { return menu() == nullptr; }));

    // the entries menu (command 40018, the target of its hot key), sorted by rights with a separator
    // between the levels: the second entry starts its program
    ::PostMessageW(spousteni, WM_COMMAND, 40018, 0);
    ASSERT_TRUE(CekatNa([&] { return menu() != nullptr; })) << "command 40018 opened no menu";
    ::Sleep(300);
    UlozitSnimekOkna(menu(), L"spousteni_nabidka_aplikaci");
    ASSERT_TRUE(CekatNaKlavesniciMenu(spousteni)) << "the entries menu does not take the keyboard";
    StisknoutKlavesy({VK_DOWN});
    StisknoutKlavesy({VK_DOWN});
    StisknoutKlavesy({VK_RETURN});
    EXPECT_TRUE(CekatNa([&] { return ExistujeSoubor(program.Zaznam()); }, 10000))
        << "choosing the entry did not start its program";

    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
}

TEST_F(SpousteniZvenku, SnimkyStranekSpousteni) {
    DocasnaSlozka docasna;
    Nahradnik program(docasna.Cesta(), L"Program", L"Účetnictví.exe");
    ZapsatAplikaci(L"Účetnictví", program.cesta, 0x20000, MOD_CONTROL | MOD_ALT, 'U', false);
    ZapsatAplikaci(L"Poznámkový blok", L"C:\\windows\\notepad.exe", 0x40000, 0, 0, false);
    ZapsatAplikaci(L"Smazaný program", L"C:\\nikde\\není.exe", 0x1000, 0, 0, false);

    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);
    ASSERT_NE(kolvex.CekatNaOkno(TRIDA_SPOUSTENI), nullptr);

    const struct {
        UINT stranka;
        const wchar_t* titulek;
        const wchar_t* soubor;
    } pripady[] = {{108, L"Spouštěné aplikace", L"spousteni_108"}, {106, L"Spouštění aplikací", L"spousteni_106"}};
    for (const auto& p : pripady) {
        ::PostMessageW(hlavni, WM_COMMAND, 40002, static_cast<LPARAM>(p.stranka));
        HWND nastaveni = CekatNaNastaveni(kolvex, p.titulek);
        ASSERT_NE(nastaveni, nullptr) << p.stranka;
        ::Sleep(500);  // let every control paint
        Snimek snimek = UlozitSnimekOkna(nastaveni, p.soubor);
        ASSERT_FALSE(snimek.soubor.empty());
        std::printf("Snímek stránky spouštění: %ls\n", snimek.soubor.c_str());
        EXPECT_GT(snimek.pocetBarev, 8);
        EXPECT_GT(snimek.tmavychBodu, 500);
        ::PostMessageW(nastaveni, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(CekatNa([&] { return !::IsWindow(nastaveni); }));
    }
    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
}
