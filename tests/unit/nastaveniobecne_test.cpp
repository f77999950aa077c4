// General settings: first start, the main-menu switches and start-up actions in the registry,
// a damaged value, a missing subkey.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <iterator>
#include <string>

#include "core/aplikace.h"
#include "core/nastaveniobecne.h"
#include "knihovna/chyba.h"
#include "podpora/pomocnik.h"

namespace {

const std::wstring KLIC = L"Software\\Brenvald\\Kolvex\\5.0";

struct Prepinac {
    const wchar_t* nazev;
    bool PolozkyMenu::*pole;
};
const Prepinac polozkyMenu[] = {
    {L"externiAplikace", &PolozkyMenu::externiAplikace}, {L"hodiny", &PolozkyMenu::hodiny},
    {L"hostInfo", &PolozkyMenu::hostInfo},               {L"kontakty", &PolozkyMenu::kontakty},
    {L"sonvidar", &PolozkyMenu::sonvidar},               {L"napoveda", &PolozkyMenu::napoveda},
    {L"obrazovka", &PolozkyMenu::obrazovka},             {L"ovladaniCD", &PolozkyMenu::ovladaniCD},
    {L"pocasi", &PolozkyMenu::pocasi},                   {L"poznamky", &PolozkyMenu::poznamky},
    {L"rozsireniOken", &PolozkyMenu::rozsireniOken},     {L"rssCtecka", &PolozkyMenu::rssCtecka},
    {L"schranka", &PolozkyMenu::schranka},               {L"seznamRegistraci", &PolozkyMenu::seznamRegistraci},
    {L"shellExtension", &PolozkyMenu::shellExtension},   {L"sitLanInfo", &PolozkyMenu::sitLanInfo},
    {L"sledovaniPameti", &PolozkyMenu::sledovaniPameti}, {L"sledovaniProcesu", &PolozkyMenu::sledovaniProcesu},
    {L"spousteniAplikaci", &PolozkyMenu::spousteniAplikaci}, {L"stopky", &PolozkyMenu::stopky},
    {L"zasuvneModuly", &PolozkyMenu::zasuvneModuly},
};

struct Akce {
    const wchar_t* nazev;
    bool PoSpusteni::*pole;
};
const Akce poSpusteni[] = {
    {L"cteckaRSS", &PoSpusteni::cteckaRSS},
    {L"hodiny", &PoSpusteni::hodiny},
    {L"hostInfo", &PoSpusteni::hostInfo},
    {L"ikonaSonvidar", &PoSpusteni::ikonaSonvidar},
    {L"ikonaObrazovka", &PoSpusteni::ikonaObrazovka},
    {L"ikonaPocasi", &PoSpusteni::ikonaPocasi},
    {L"ikonaPoznamky", &PoSpusteni::ikonaPoznamky},
    {L"ikonaPoznamkyTextove", &PoSpusteni::ikonaPoznamkyTextove},
    {L"ikonaPoznamkyZvukove", &PoSpusteni::ikonaPoznamkyZvukove},
    {L"ikonaSchranka", &PoSpusteni::ikonaSchranka},
    {L"ikonaSpousteniAplikaci", &PoSpusteni::ikonaSpousteniAplikaci},
    {L"kontakty", &PoSpusteni::kontakty},
    {L"ovladaniCD", &PoSpusteni::ovladaniCD},
    {L"pocasiAladin", &PoSpusteni::pocasiAladin},
    {L"pocasiPredpovedText", &PoSpusteni::pocasiPredpovedText},
    {L"pocasiSnimekDruzice", &PoSpusteni::pocasiSnimekDruzice},
    {L"rozsireniOken", &PoSpusteni::rozsireniOken},
    {L"seznamRegistraci", &PoSpusteni::seznamRegistraci},
    {L"sledovaniPameti", &PoSpusteni::sledovaniPameti},
    {L"sledovaniProcesu", &PoSpusteni::sledovaniProcesu},
    {L"stopky", &PoSpusteni::stopky},
};

void UlozitHodnotu(const std::wstring& klic, const wchar_t* nazev, DWORD typ, const void* data, DWORD bajtu) {
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, klic.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(h, nazev, 0, typ, static_cast<const BYTE*>(data), bajtu);
    ::RegCloseKey(h);
}

class NastaveniObecneTest : public ::testing::Test {
protected:
    void SetUp() override {
        testy::SmazatKlic(L"Software\\Brenvald\\Kolvex");
        aplikace.titulek = L"Kolvex";
        NastavitVychoziNastaveniObecne(aplikace);
    }
    void TearDown() override { testy::SmazatKlic(L"Software\\Brenvald\\Kolvex"); }
};

}  // namespace

TEST_F(NastaveniObecneTest, PrvniStartNechaVychoziBezZpravy) {
    testy::ZachytavacZprav zpravy;
    EXPECT_EQ(NacistNastaveniObecne(aplikace), 1);
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
    const NastaveniObecne& n = aplikace.nastaveni;
    EXPECT_TRUE(n.priChybeZrusitPoSpusteni && n.rozbalitSeznamNastaveni && n.skrytNenalezeneExtAplikace &&
                n.vlastniVzhled && n.zvuk);
    wchar_t dokumenty[MAX_PATH];
    ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, dokumenty), S_OK);
    EXPECT_EQ(n.slozkaData, std::wstring(dokumenty) + L"\\Kolvex 5");
    EXPECT_EQ(n.slozkaDocasne, std::wstring(dokumenty) + L"\\Kolvex 5\\Temp");
    for (const Prepinac& p : polozkyMenu) EXPECT_TRUE(n.polozkyMenu.*p.pole) << p.nazev;
    for (const Akce& a : poSpusteni) EXPECT_FALSE(n.poSpusteni.*a.pole) << a.nazev;
    EXPECT_EQ(n.prodlevaPoSpusteni, 0);
    EXPECT_EQ(n.casovyLimitModulu, 5000);
    EXPECT_EQ(n.casovyLimitZasuvnychModulu, 10000);
}

TEST_F(NastaveniObecneTest, PrepinaceAAkceTamAZpet) {
    testy::ZachytavacZprav zpravy;
    NastaveniObecne& n = aplikace.nastaveni;
    // Every other switch flipped, so a name mixed up with its neighbour shows.
    for (size_t i = 0; i < std::size(polozkyMenu); ++i) n.polozkyMenu.*polozkyMenu[i].pole = i % 2 == 0;
    for (size_t i = 0; i < std::size(poSpusteni); ++i) n.poSpusteni.*poSpusteni[i].pole = i % 3 == 0;
    n.zvuk = false;
    n.slozkaData = L"C:\\Data uživatele";
    UlozitNastaveniObecne(aplikace);

    for (size_t i = 0; i < std::size(polozkyMenu); ++i) {
        DWORD hodnota = 99;
        EXPECT_TRUE(testy::PrecistDword(KLIC + L"\\Polozky menu", polozkyMenu[i].nazev, hodnota));
        EXPECT_EQ(hodnota, i % 2 == 0 ? 1u : 0u) << polozkyMenu[i].nazev;
    }
    for (size_t i = 0; i < std::size(poSpusteni); ++i) {
        DWORD hodnota = 99;
        EXPECT_TRUE(testy::PrecistDword(KLIC + L"\\Po spusteni", poSpusteni[i].nazev, hodnota));
        EXPECT_EQ(hodnota, i % 3 == 0 ? 1u : 0u) << poSpusteni[i].nazev;
    }

    NastavitVychoziNastaveniObecne(aplikace);
    EXPECT_EQ(NacistNastaveniObecne(aplikace), 0);
    for (size_t i = 0; i < std::size(polozkyMenu); ++i)
        EXPECT_EQ(n.polozkyMenu.*polozkyMenu[i].pole, i % 2 == 0) << polozkyMenu[i].nazev;
    for (size_t i = 0; i < std::size(poSpusteni); ++i)
        EXPECT_EQ(n.poSpusteni.*poSpusteni[i].pole, i % 3 == 0) << poSpusteni[i].nazev;
    EXPECT_FALSE(n.zvuk);
    EXPECT_EQ(n.slozkaData, L"C:\\Data uživatele");

    // Without "Polozky menu" the menu switches are back at their defaults; the rest stays.
    testy::SmazatKlic(KLIC + L"\\Polozky menu");
    NastavitVychoziNastaveniObecne(aplikace);
    EXPECT_EQ(NacistNastaveniObecne(aplikace), 0);
    for (const Prepinac& p : polozkyMenu) EXPECT_TRUE(n.polozkyMenu.*p.pole) << p.nazev;
    for (size_t i = 0; i < std::size(poSpusteni); ++i)
        EXPECT_EQ(n.poSpusteni.*poSpusteni[i].pole, i % 3 == 0) << poSpusteni[i].nazev;
    EXPECT_FALSE(n.zvuk);
    EXPECT_EQ(n.slozkaData, L"C:\\Data uživatele");
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
}

TEST_F(NastaveniObecneTest, BoolSedmJePravdaAZapiseSeJednicka) {
    DWORD sedm = 7;
    UlozitHodnotu(KLIC, L"zvuk", REG_DWORD, &sedm, sizeof(sedm));
    UlozitHodnotu(KLIC + L"\\Po spusteni", L"stopky", REG_DWORD, &sedm, sizeof(sedm));
    aplikace.nastaveni.zvuk = false;
    EXPECT_EQ(NacistNastaveniObecne(aplikace), 0);
    EXPECT_TRUE(aplikace.nastaveni.zvuk);
    EXPECT_TRUE(aplikace.nastaveni.poSpusteni.stopky);
    UlozitNastaveniObecne(aplikace);
    DWORD hodnota = 0;
    ASSERT_TRUE(testy::PrecistDword(KLIC, L"zvuk", hodnota));
    EXPECT_EQ(hodnota, 1u);
    ASSERT_TRUE(testy::PrecistDword(KLIC + L"\\Po spusteni", L"stopky", hodnota));
    EXPECT_EQ(hodnota, 1u);
}

TEST_F(NastaveniObecneTest, ChybnyDruhHodnotyOhlasiJednouAOstatniSeNactou) {
    testy::ZachytavacZprav zpravy;
    DWORD nula = 0;
    UlozitHodnotu(KLIC, L"rozbalitSeznamNastaveni", REG_SZ, L"ano", 8);     // a string under a bool
    UlozitHodnotu(KLIC, L"slozkaData", REG_DWORD, &nula, sizeof(nula));     // a number under a folder
    UlozitHodnotu(KLIC, L"vlastniVzhled", REG_DWORD, &nula, sizeof(nula));  // after the damaged ones
    UlozitHodnotu(KLIC + L"\\Polozky menu", L"stopky", REG_DWORD, &nula, sizeof(nula));
    const std::wstring data = aplikace.nastaveni.slozkaData;

    int vysledek = NacistNastaveniObecne(aplikace);
    EXPECT_EQ(vysledek, static_cast<int>(knihovna::HresultZKodu(ERROR_DATATYPE_MISMATCH)));
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    // the wrong kind of value, in Czech (not "more data available")
    EXPECT_EQ(zpravy.zpravy[0].text, L"Došlo k chybě při načítání konfigurace z registru Windows.\nChyba: "
                                     L"Hodnota v registru je nesprávného druhu.");
    EXPECT_TRUE(zpravy.zpravy[0].priznaky & MB_ICONERROR);
    EXPECT_TRUE(aplikace.nastaveni.rozbalitSeznamNastaveni);
    EXPECT_EQ(aplikace.nastaveni.slozkaData, data);
    EXPECT_FALSE(aplikace.nastaveni.vlastniVzhled);
    EXPECT_FALSE(aplikace.nastaveni.polozkyMenu.stopky);
}
