// The hot-key command table: defaults, registry layout, completing from the registry, saving.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "core/horkeklavesy.h"
#include "knihovna/chyba.h"
#include "knihovna/text.h"
#include "podpora/pomocnik.h"

namespace {

const wchar_t* const KLIC = L"Software\\Brenvald\\KolvexTest\\5.0";
const std::wstring PODKLIC = std::wstring(KLIC) + L"\\Horke klavesy";

struct Hodnota {
    DWORD typ;
    std::vector<BYTE> data;
};

std::map<std::wstring, Hodnota> PrecistHodnoty() {
    std::map<std::wstring, Hodnota> hodnoty;
    HKEY klic = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, PODKLIC.c_str(), 0, KEY_READ, &klic) != ERROR_SUCCESS) return hodnoty;
    for (DWORD i = 0;; ++i) {
        wchar_t nazev[256];
        DWORD delka = 256, typ = 0;
        BYTE data[64];
        DWORD velikost = sizeof(data);
        if (RegEnumValueW(klic, i, nazev, &delka, nullptr, &typ, data, &velikost) != ERROR_SUCCESS) break;
        hodnoty[nazev] = {typ, std::vector<BYTE>(data, data + velikost)};
    }
    RegCloseKey(klic);
    return hodnoty;
}

void Zapsat(const std::wstring& nazev, DWORD typ, const void* data, DWORD velikost) {
    HKEY klic = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, PODKLIC.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &klic, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(klic, nazev.c_str(), 0, typ, static_cast<const BYTE*>(data), velikost);
    RegCloseKey(klic);
}

void ZapsatRadek(const std::wstring& nazev, uint32_t mod, uint32_t vk, uint32_t id, uint32_t kat) {
    uint32_t data[4] = {mod, vk, id, kat};
    Zapsat(nazev, REG_BINARY, data, sizeof(data));
}

class TabulkaHorkychKlaves : public ::testing::Test {
protected:
    void SetUp() override { testy::SmazatKlic(L"Software\\Brenvald\\KolvexTest"); }
    void TearDown() override { testy::SmazatKlic(L"Software\\Brenvald\\KolvexTest"); }
};

}  // namespace

TEST_F(TabulkaHorkychKlaves, PrvniStartZapiseVychoziRadkySerazenePodleKategorie) {
    HorkeKlavesy tabulka(KLIC);
    PridatVychoziHorkeKlavesy(tabulka);
    ASSERT_EQ(tabulka.Pocet(), 42u);
    EXPECT_EQ(tabulka.zaznamy[0].prikaz, 40001u);
    EXPECT_EQ(tabulka.zaznamy[41].prikaz, 40168u);

    EXPECT_EQ(NacistASeraditHorkeKlavesy(tabulka), 1);
    ASSERT_EQ(tabulka.Pocet(), 42u);
    for (size_t i = 1; i < tabulka.Pocet(); ++i)
        EXPECT_LE(tabulka.zaznamy[i - 1].kategorie, tabulka.zaznamy[i].kategorie) << i;
    // rows of one category keep the default order
    EXPECT_EQ(tabulka.zaznamy[0].prikaz, 40001u);
    EXPECT_EQ(tabulka.zaznamy[3].prikaz, 40018u);
    EXPECT_EQ(tabulka.zaznamy.back().kategorie, 238u);
    for (const HorkaKlavesa& r : tabulka.zaznamy) EXPECT_EQ(r.klavesa, 0u) << r.prikaz;

    // stored: one 16-byte REG_BINARY per row, named by the id in decimal
    auto hodnoty = PrecistHodnoty();
    ASSERT_EQ(hodnoty.size(), 42u);
    for (const HorkaKlavesa& r : tabulka.zaznamy) {
        auto it = hodnoty.find(std::to_wstring(r.prikaz));
        ASSERT_NE(it, hodnoty.end()) << r.prikaz;
        EXPECT_EQ(it->second.typ, static_cast<DWORD>(REG_BINARY));
        ASSERT_EQ(it->second.data.size(), 16u);
        uint32_t data[4];
        memcpy(data, it->second.data.data(), 16);
        EXPECT_EQ(data[0], 0u);
        EXPECT_EQ(data[1], 0u);
        EXPECT_EQ(data[2], r.prikaz);
        EXPECT_EQ(data[3], r.kategorie);
    }
}

TEST_F(TabulkaHorkychKlaves, NacteniDoplniNeznameIdAPrepiseRadky) {
    ZapsatRadek(L"40113", MOD_CONTROL | MOD_ALT, 'K', 99999, 33);  // bytes 8-11 are ignored
    ZapsatRadek(L"40210", MOD_SHIFT, VK_F5, 40210, 97);            // unknown to the defaults
    ZapsatRadek(L"abc", 1, 2, 3, 4);                               // not a command id: skipped
    uint32_t dlouha[5] = {1, 2, 3, 4, 5};
    Zapsat(L"40001", REG_BINARY, dlouha, sizeof(dlouha));  // longer than a row: row unchanged
    uint16_t kratka = MOD_ALT;
    Zapsat(L"40002", REG_BINARY, &kratka, sizeof(kratka));  // shorter: rest zero

    HorkeKlavesy tabulka(KLIC);
    PridatVychoziHorkeKlavesy(tabulka);
    EXPECT_EQ(tabulka.Nacist(), 0);
    ASSERT_EQ(tabulka.Pocet(), 43u);
    const HorkaKlavesa& nova = tabulka.zaznamy.back();
    EXPECT_EQ(nova.prikaz, 40210u);
    EXPECT_EQ(nova.modifikatory, static_cast<uint32_t>(MOD_SHIFT));
    EXPECT_EQ(nova.klavesa, static_cast<uint32_t>(VK_F5));
    EXPECT_EQ(nova.kategorie, 97u);

    const HorkaKlavesa* opis = tabulka.Najit(40113);
    ASSERT_NE(opis, nullptr);
    EXPECT_EQ(opis->modifikatory, static_cast<uint32_t>(MOD_CONTROL | MOD_ALT));
    EXPECT_EQ(opis->klavesa, static_cast<uint32_t>('K'));
    EXPECT_EQ(tabulka.Najit(99999), nullptr);

    EXPECT_EQ(tabulka.Najit(40001)->klavesa, 0u);
    EXPECT_EQ(tabulka.Najit(40001)->kategorie, 27u);
    EXPECT_EQ(tabulka.Najit(40002)->modifikatory, static_cast<uint32_t>(MOD_ALT));
    EXPECT_EQ(tabulka.Najit(40002)->kategorie, 0u);
    EXPECT_EQ(tabulka.Najit(0), nullptr);

    // a second load in the same run updates in place
    EXPECT_EQ(tabulka.Nacist(), 0);
    EXPECT_EQ(tabulka.Pocet(), 43u);

    // the sort puts the category-0 row first
    tabulka.Seradit();
    EXPECT_EQ(tabulka.zaznamy[0].prikaz, 40002u);
}

TEST_F(TabulkaHorkychKlaves, UlozeniZapiseNovePakOdstraniNepatricne) {
    ZapsatRadek(L"40500", 0, 'X', 40500, 27);  // a command this table does not have
    ZapsatRadek(L"040113", 0, 'Y', 40113, 33);  // not the decimal form of an id
    HorkeKlavesy tabulka(KLIC);
    tabulka.Pridat(40113, 33);
    tabulka.Pridat(40001, 27);
    tabulka.zaznamy[0].modifikatory = MOD_CONTROL;
    tabulka.zaznamy[0].klavesa = VK_F9;
    EXPECT_EQ(tabulka.Ulozit(), 0);

    auto hodnoty = PrecistHodnoty();
    ASSERT_EQ(hodnoty.size(), 2u);
    ASSERT_TRUE(hodnoty.count(L"40113"));
    uint32_t data[4];
    memcpy(data, hodnoty[L"40113"].data.data(), 16);
    EXPECT_EQ(data[0], static_cast<uint32_t>(MOD_CONTROL));
    EXPECT_EQ(data[1], static_cast<uint32_t>(VK_F9));
    EXPECT_EQ(data[2], 40113u);
    EXPECT_TRUE(hodnoty.count(L"40001"));

    // saving again an unchanged table keeps the same set; loading it back gives the same rows
    EXPECT_EQ(tabulka.Ulozit(), 0);
    EXPECT_EQ(PrecistHodnoty().size(), 2u);
    HorkeKlavesy znovu(KLIC);
    EXPECT_EQ(znovu.Nacist(), 0);
    ASSERT_EQ(znovu.Pocet(), 2u);
    EXPECT_EQ(znovu.Najit(40113)->klavesa, static_cast<uint32_t>(VK_F9));
}

TEST_F(TabulkaHorkychKlaves, ChybejiciPodklicANulovyKlic) {
    HorkeKlavesy tabulka(KLIC);
    tabulka.Pridat(40001, 27);
    EXPECT_EQ(tabulka.Nacist(), 1);
    EXPECT_EQ(tabulka.Pocet(), 1u);
    EXPECT_THROW(HorkeKlavesy(nullptr), knihovna::Chyba);

    HorkaKlavesa a, b;
    a.kategorie = 27;
    b.kategorie = 238;
    EXPECT_EQ(PorovnatKategorie(a, b), -1);
    EXPECT_EQ(PorovnatKategorie(b, a), 1);
    EXPECT_EQ(PorovnatKategorie(a, a), 0);
    b.kategorie = 0x80000000u;  // unsigned comparison
    EXPECT_EQ(PorovnatKategorie(a, b), -1);
}

TEST(TabulkaHorkychKlavesTexty, KazdyVychoziRadekMaTextPrikazuIKategorie) {
    HorkeKlavesy tabulka(KLIC);
    PridatVychoziHorkeKlavesy(tabulka);
    for (const HorkaKlavesa& r : tabulka.zaznamy) {
        std::wstring text;
        EXPECT_TRUE(knihovna::NacistRetezec(r.prikaz, text)) << r.prikaz;
        EXPECT_TRUE(knihovna::NacistRetezec(r.kategorie, text)) << r.kategorie;
    }
    std::wstring text;
    ASSERT_TRUE(knihovna::NacistRetezec(40113, text));
    EXPECT_EQ(text, L"Uložit opis obrazovky do souboru");
    ASSERT_TRUE(knihovna::NacistRetezec(238, text));
    EXPECT_EQ(text, L"Internetové nástroje");
}

// A stored command the program has no name for is no row: skipped on the load, removed by the
// next save; a named command the defaults lack is still taken.
TEST_F(TabulkaHorkychKlaves, NeznamyPrikazSeNenacteAUlozeniHoOdstrani) {
    const struct {
        const wchar_t* nazev;
        uint32_t id;
        bool radek;
    } pripady[] = {
        {L"45000", 45000, false}, {L"1", 1, false},         {L"240", 240, false},  // a string, no command
        {L"65535", 65535, false}, {L"4294967295", 0xFFFFFFFFu, false},
        {L"40210", 40210, true},
    };
    for (const auto& p : pripady) ZapsatRadek(p.nazev, MOD_ALT, 'Q', p.id, 27);
    HorkeKlavesy tabulka(KLIC);
    PridatVychoziHorkeKlavesy(tabulka);
    EXPECT_EQ(NacistASeraditHorkeKlavesy(tabulka), 0);
    EXPECT_EQ(tabulka.Pocet(), 43u);
    for (const auto& p : pripady) EXPECT_EQ(tabulka.Najit(p.id) != nullptr, p.radek) << p.nazev;
    EXPECT_EQ(tabulka.Ulozit(), 0);
    auto hodnoty = PrecistHodnoty();
    EXPECT_EQ(hodnoty.size(), 43u);
    for (const auto& p : pripady) EXPECT_EQ(hodnoty.count(p.nazev) == 1, p.radek) << p.nazev;
}
