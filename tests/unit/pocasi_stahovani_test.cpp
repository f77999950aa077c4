// Forecast-model downloads against the loopback server: a series with a step the server does not
// have (404), with and without konecStahovaniPriChybe; the all-models pass; cancelling.
#include <gtest/gtest.h>

#include <shlwapi.h>

#include "internet/pocasistahovani.h"
#include "podpora/pomocnik.h"
#include "unit/servery_testu.h"

namespace {

class StahovaniModelu : public ::testing::Test {
protected:
    void SetUp() override {
        zadani.datum.wYear = 2026;
        zadani.datum.wMonth = 12;
        zadani.datum.wDay = 8;
        zadani.hodinaBehu = 12;
        zadani.zaklad = ZakladAladinu(L"127.0.0.1:" + std::to_wstring(testy::PORT_HTTP) + L"/pocasi");
        zadani.slozka = slozka.Cesta();
    }
    std::vector<std::wstring> Nazvy(const std::vector<std::wstring>& rada) const {
        std::vector<std::wstring> nazvy;
        for (const std::wstring& s : rada) nazvy.push_back(s.empty() ? L"" : s.substr(zadani.slozka.size() + 1));
        return nazvy;
    }
    // Nothing but the named files in the cache folder (no temporary siblings).
    std::vector<std::wstring> ObsahSlozky() const { return testy::SouboryVeSlozce(zadani.slozka); }

    testy::DocasnaSlozka slozka;
    ZadaniStahovani zadani;
    ZruseniPrace zrusit;
};

}  // namespace

TEST_F(StahovaniModelu, Chyba404UkonciRaduKdyzSeMa) {
    // a picture of step 18 from an earlier run must not survive a failed fetch
    ASSERT_TRUE(testy::ZapsatSoubor(zadani.slozka + L"\\oblacnost_18.png", "stary"));
    zadani.prikaz = PRIKAZ_OBLACNOST;
    zadani.konecPriChybe = true;
    VysledekStahovani v = ProvestStahovani(zadani, zrusit);
    ASSERT_EQ(Nazvy(v.rada), (std::vector<std::wstring>{L"oblacnost_00.png", L"oblacnost_06.png", L"oblacnost_12.png"}));
    EXPECT_EQ(ObsahSlozky(), Nazvy(v.rada));
    std::string stazeny;
    ASSERT_TRUE(testy::PrecistSoubor(v.rada[1], stazeny));
    EXPECT_EQ(stazeny.substr(1, 3), "PNG");
}

TEST_F(StahovaniModelu, Chyba404SePreskociKdyzSeNema) {
    zadani.prikaz = PRIKAZ_OBLACNOST;
    zadani.konecPriChybe = false;
    VysledekStahovani v = ProvestStahovani(zadani, zrusit);
    std::vector<std::wstring> ocekavano;
    for (int krok = 0; krok <= 54; krok += 6)
        if (krok != 18) ocekavano.push_back(L"oblacnost_" + std::wstring(krok < 10 ? L"0" : L"") + std::to_wstring(krok) + L".png");
    EXPECT_EQ(Nazvy(v.rada), ocekavano);
    EXPECT_EQ(ObsahSlozky(), ocekavano);  // nothing of the 404 is kept
}

TEST_F(StahovaniModelu, VsechnyModelyIndexovanePodleKroku) {
    zadani.prikaz = PRIKAZ_VSECHNY_MODELY;
    zadani.konecPriChybe = true;
    VysledekStahovani v = ProvestStahovani(zadani, zrusit);
    EXPECT_TRUE(v.rada.empty());
    EXPECT_EQ(Nazvy(v.vsechny[0]), (std::vector<std::wstring>{L"oblacnost_00.png", L"oblacnost_06.png", L"oblacnost_12.png"}));
    ASSERT_EQ(v.vsechny[1].size(), 10u);  // placeholder for step 0, then 06..54
    EXPECT_EQ(v.vsechny[1][0], L"");
    EXPECT_EQ(Nazvy(v.vsechny[1])[1], L"srazky_06.png");
    EXPECT_EQ(Nazvy(v.vsechny[1])[9], L"srazky_54.png");
    EXPECT_TRUE(v.vsechny[2].empty());  // the server has no temperature maps
    EXPECT_TRUE(v.vsechny[3].empty());
}

TEST_F(StahovaniModelu, ChybejiciSlozkaSeZalozi) {
    zadani.slozka = slozka.Cesta() + L"\\nova\\Aladin";
    zadani.prikaz = PRIKAZ_OBLACNOST;
    VysledekStahovani v = ProvestStahovani(zadani, zrusit);
    EXPECT_EQ(v.rada.size(), 3u);
}

TEST_F(StahovaniModelu, PruchodUklidiOpusteneDocasneSoubory) {
    // left by a download that never ended; one that a download still writes is open unshared
    ASSERT_TRUE(testy::ZapsatSoubor(zadani.slozka + L"\\~kv1A2B.tmp", "zbytek"));
    ASSERT_TRUE(testy::ZapsatSoubor(zadani.slozka + L"\\~kv3C4D.tmp", "zapisuje se"));
    ASSERT_TRUE(testy::ZapsatSoubor(zadani.slozka + L"\\vlastni.tmp", "uzivatel"));
    HANDLE otevreny = ::CreateFileW((zadani.slozka + L"\\~kv3C4D.tmp").c_str(), GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(otevreny, INVALID_HANDLE_VALUE);
    zadani.prikaz = PRIKAZ_OBLACNOST;
    VysledekStahovani v = ProvestStahovani(zadani, zrusit);
    ::CloseHandle(otevreny);
    EXPECT_EQ(v.rada.size(), 3u);
    EXPECT_EQ(ObsahSlozky(), (std::vector<std::wstring>{L"oblacnost_00.png", L"oblacnost_06.png", L"oblacnost_12.png",
                                                        L"vlastni.tmp", L"~kv3C4D.tmp"}));
}

TEST_F(StahovaniModelu, ZrusenePredPrvnimSouborem) {
    zadani.prikaz = PRIKAZ_SRAZKY;
    zrusit.Zrusit();
    VysledekStahovani v = ProvestStahovani(zadani, zrusit);
    EXPECT_TRUE(v.zruseno);
    EXPECT_TRUE(v.rada.empty());
    EXPECT_TRUE(ObsahSlozky().empty());
}

TEST(PracovniVlaknoPocasi, UkonciSeNaPriznakAHlidaSiData) {
    PracovniVlakno vlakno;
    std::atomic<int> kroku{0};
    vlakno.Spustit([&kroku](const ZruseniPrace& zrusit) {
        while (!zrusit) {
            ++kroku;
            ::Sleep(5);
        }
    });
    EXPECT_TRUE(vlakno.Bezi());
    EXPECT_TRUE(vlakno.Ukoncit(2000));
    EXPECT_FALSE(vlakno.Bezi());
    // a job stuck beyond the wait: Ukoncit returns false and the job still owns what it uses
    auto data = std::make_shared<std::wstring>(L"data");
    HANDLE pust = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    vlakno.Spustit([data, pust](const ZruseniPrace&) {
        ::WaitForSingleObject(pust, 5000);
        EXPECT_EQ(*data, L"data");
    });
    data.reset();
    EXPECT_FALSE(vlakno.Ukoncit(50));
    ::SetEvent(pust);
    EXPECT_TRUE(vlakno.Ukoncit(5000));
    ::CloseHandle(pust);
}
