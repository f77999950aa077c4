// Favourite display modes: texts, the store in the registry, the 200-mode limit, the submenu
// and the switch (through its seam).
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/chyba.h"
#include "knihovna/uchyt.h"
#include "podpora/pomocnik.h"
#include "screen/rezimy.h"

namespace {

const std::wstring KLIC = std::wstring(L"Software\\Brenvald\\Kolvex\\5.0\\Rezimy obrazovky");

RezimObrazovky Rezim(DWORD sirka, DWORD vyska, DWORD hloubka, DWORD frekvence) {
    RezimObrazovky r;
    r.sirka = sirka;
    r.vyska = vyska;
    r.barevHloubka = hloubka;
    r.frekvence = frekvence;
    return r;
}

std::vector<DEVMODEW> prijateZmeny;
std::vector<DWORD> priznakyZmen;
LONG vysledekZmeny = DISP_CHANGE_SUCCESSFUL;
LONG WINAPI ZaznamenatZmenu(DEVMODEW* rezim, DWORD priznaky) {
    prijateZmeny.push_back(*rezim);
    priznakyZmen.push_back(priznaky);
    if (vysledekZmeny != DISP_CHANGE_SUCCESSFUL) ::SetLastError(ERROR_INVALID_PARAMETER);
    return vysledekZmeny;
}

}  // namespace

TEST(ObrazovkaRezimy, TextyRezimu) {
    EXPECT_EQ(TextRezimu(Rezim(1024, 768, 24, 75)), L"1024 x 768, 24, 75 Hz");
    EXPECT_EQ(TextRezimu(Rezim(800, 600, 16, 60)), L"800 x 600, Hi-color (16 bit), 60 Hz");
    EXPECT_EQ(TextRezimu(Rezim(1280, 1024, 32, 0)), L"1280 x 1024, True color (32 bit), 0 Hz");
    EXPECT_EQ(TextRezimu(Rezim(640, 480, 8, 60)), L"640 x 480, 256 barev, 60 Hz");
    EXPECT_EQ(TextRezimu(Rezim(640, 480, 15, 60)), L"640 x 480, 15, 60 Hz");

    EXPECT_EQ(TextAktualnihoRezimu(Rezim(1024, 768, 24, 75)), L"1024 x 768, True color (24/32 bit), 75 Hz");
    EXPECT_EQ(TextAktualnihoRezimu(Rezim(1024, 768, 32, 0)), L"1024 x 768, True color (24/32 bit)");
    EXPECT_EQ(TextAktualnihoRezimu(Rezim(1024, 768, 15, 60)), L"1024 x 768, , 60 Hz");

    DEVMODEW d{};
    d.dmPelsWidth = 1280;
    d.dmPelsHeight = 1024;
    d.dmBitsPerPel = 32;
    d.dmDisplayFrequency = 0;
    EXPECT_EQ(TextRezimuDevMode(d), L"1280 x 1024, True color (32 bit)");
    d.dmBitsPerPel = 4;
    d.dmDisplayFrequency = 85;
    EXPECT_EQ(TextRezimuDevMode(d), L"1280 x 1024, 16 barev, 85 Hz");

    RezimyObrazovky rezimy;
    rezimy.rezimy = {Rezim(800, 600, 2, 60)};
    EXPECT_EQ(TextRezimu(rezimy, 0), L"800 x 600, mono, 60 Hz");
    try {
        TextRezimu(rezimy, 1);
        ADD_FAILURE() << "an index outside the list is an error";
    } catch (const knihovna::Chyba& chyba) {
        EXPECT_EQ(chyba.Hresult(), E_INVALIDARG);
    }
}

TEST(ObrazovkaRezimy, UlozeniDoRegistruALimit200) {
    testy::SmazatKlic(KLIC);
    RezimyObrazovky rezimy;
    // a fresh profile: no key, an empty list and no error
    EXPECT_NO_THROW(NacistRezimyObrazovky(rezimy));
    EXPECT_TRUE(rezimy.rezimy.empty());

    for (int i = 0; i < 5; ++i) EXPECT_TRUE(PridatRezim(rezimy, Rezim(800 + i, 600, 32, 60)));
    UlozitRezimyObrazovky(rezimy);
    EXPECT_TRUE(testy::ExistujeKlic(KLIC + L"\\4"));
    // two saved into a store of five leave only "0" and "1"
    rezimy.rezimy = {Rezim(1024, 768, 24, 75), Rezim(1024, 768, 24, 60)};
    UlozitRezimyObrazovky(rezimy);
    EXPECT_TRUE(testy::ExistujeKlic(KLIC + L"\\1"));
    EXPECT_FALSE(testy::ExistujeKlic(KLIC + L"\\2"));
    DWORD hodnota = 0;
    EXPECT_TRUE(testy::PrecistDword(KLIC + L"\\0", L"frekvence", hodnota));
    EXPECT_EQ(hodnota, 75u);
    EXPECT_TRUE(testy::PrecistDword(KLIC + L"\\0", L"barevHloubka", hodnota));
    EXPECT_EQ(hodnota, 24u);
    EXPECT_TRUE(testy::PrecistDword(KLIC + L"\\1", L"zarizeni", hodnota));
    EXPECT_EQ(hodnota, 0u);
    RezimyObrazovky nactene;
    NacistRezimyObrazovky(nactene);
    ASSERT_EQ(nactene.rezimy.size(), 2u);
    EXPECT_EQ(nactene.rezimy[1].frekvence, 60u);

    // the limit: 200 modes, the same mode may be saved more than once
    rezimy.rezimy.clear();
    for (size_t i = 0; i < MAX_POCET_REZIMU; ++i) EXPECT_TRUE(PridatRezim(rezimy, Rezim(1024, 768, 32, 60)));
    EXPECT_FALSE(PridatRezim(rezimy, Rezim(640, 480, 32, 60)));
    EXPECT_EQ(rezimy.rezimy.size(), 200u);
    EXPECT_TRUE(OdebratRezim(rezimy, 0));
    EXPECT_FALSE(OdebratRezim(rezimy, 199));
    // an empty list leaves no key
    rezimy.rezimy.clear();
    UlozitRezimyObrazovky(rezimy);
    EXPECT_FALSE(testy::ExistujeKlic(KLIC));
}

TEST(ObrazovkaRezimy, NabidkaMaPosledniRezimNahoreAOznaciAktualni) {
    RezimyObrazovky rezimy;
    EXPECT_EQ(VytvoritMenuRezimu(rezimy, false), nullptr);

    const RezimObrazovky aktualni = AktualniRezim();
    RezimObrazovky jina = aktualni;
    jina.frekvence = aktualni.frekvence + 15;  // only the rate differs: checked too
    rezimy.rezimy = {aktualni, Rezim(640, 480, 8, 60), jina};
    knihovna::UchytMenu menu(VytvoritMenuRezimu(rezimy, false));
    ASSERT_TRUE(menu);
    ASSERT_EQ(::GetMenuItemCount(menu.Get()), 3);
    const UINT ocekavane[] = {51502, 51501, 51500};
    for (int i = 0; i < 3; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE;
        ASSERT_TRUE(::GetMenuItemInfoW(menu.Get(), static_cast<UINT>(i), TRUE, &info));
        EXPECT_EQ(info.wID, ocekavane[i]);
        EXPECT_TRUE(info.fType & MFT_RADIOCHECK);
        EXPECT_FALSE(info.fType & MFT_OWNERDRAW);
        EXPECT_EQ((info.fState & MFS_CHECKED) != 0, i != 1) << "position " << i;
    }
    wchar_t text[100] = {};
    ::GetMenuStringW(menu.Get(), 1, text, 100, MF_BYPOSITION);
    EXPECT_STREQ(text, L"640 x 480, 256 barev, 60 Hz");

    knihovna::UchytMenu kreslene(VytvoritMenuRezimu(rezimy, true));
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    ASSERT_TRUE(::GetMenuItemInfoW(kreslene.Get(), 0, TRUE, &info));
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
}

TEST(ObrazovkaRezimy, PrepnutiJdePresZmenuRezimuAHlasiVysledek) {
    auto* const puvodni = zmenaRezimu;
    zmenaRezimu = ZaznamenatZmenu;
    prijateZmeny.clear();
    priznakyZmen.clear();
    RezimyObrazovky rezimy;
    rezimy.rezimy = {Rezim(800, 600, 16, 60), Rezim(1024, 768, 32, 75)};

    vysledekZmeny = DISP_CHANGE_SUCCESSFUL;
    EXPECT_EQ(NastavitRezimObrazovky(rezimy, 51501), L"Režim obrazovky 1024 x 768 (75Hz) byl úspěšně nastaven.");
    ASSERT_EQ(prijateZmeny.size(), 1u);
    EXPECT_EQ(prijateZmeny[0].dmPelsWidth, 1024u);
    EXPECT_EQ(prijateZmeny[0].dmPelsHeight, 768u);
    EXPECT_EQ(prijateZmeny[0].dmBitsPerPel, 32u);
    EXPECT_EQ(prijateZmeny[0].dmDisplayFrequency, 75u);
    EXPECT_EQ(prijateZmeny[0].dmFields & (DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL | DM_DISPLAYFREQUENCY),
              static_cast<DWORD>(DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL | DM_DISPLAYFREQUENCY));
    EXPECT_EQ(priznakyZmen[0], static_cast<DWORD>(CDS_UPDATEREGISTRY));

    // a refused switch is no error: the system's text
    vysledekZmeny = DISP_CHANGE_BADMODE;
    EXPECT_EQ(NastavitRezimObrazovky(rezimy, 51500), knihovna::ZiskatTextChyby(ERROR_INVALID_PARAMETER));

    // a bad index is
    for (UINT prikaz : {51502u, 51499u}) {
        try {
            NastavitRezimObrazovky(rezimy, prikaz);
            ADD_FAILURE() << prikaz;
        } catch (const knihovna::Chyba& chyba) {
            EXPECT_EQ(chyba.Hresult(), E_INVALIDARG);
        }
    }
    EXPECT_EQ(prijateZmeny.size(), 2u);
    zmenaRezimu = puvodni;
}

// The display-modes page edits the list on the settings thread while the screen thread builds its
// menu from it: a loop of edits against a loop of menus ends with every menu whole (run it with
// WINEDEBUG=+heap to have Wine check the heap on every block).
TEST(ObrazovkaRezimy, UpravyStrankyBehemStavbyNabidky) {
    RezimyObrazovky rezimy;
    RezimObrazovky rezim;
    rezim.sirka = 800;
    rezim.vyska = 600;
    rezim.barevHloubka = 32;
    rezim.frekvence = 60;
    for (int i = 0; i < 50; ++i) ASSERT_TRUE(PridatRezim(rezimy, rezim));
    std::atomic<bool> konec{false};
    std::atomic<int> spatnychNabidek{0};
    std::thread obrazovka([&] {
        while (!konec) {
            HMENU menu = VytvoritMenuRezimu(rezimy, false);
            const int pocet = menu ? ::GetMenuItemCount(menu) : 0;
            if (pocet < 0 || pocet > 200) ++spatnychNabidek;
            if (menu) ::DestroyMenu(menu);
        }
    });
    for (int i = 0; i < 3000; ++i) {
        rezim.sirka = 640 + static_cast<DWORD>(i % 7);
        PridatRezim(rezimy, rezim);  // may grow the vector under the reader
        if (i % 3 != 0) OdebratRezim(rezimy, static_cast<size_t>(i) % (rezimy.Pocet() + 1));
        if (i % 100 == 0) EXPECT_FALSE(TextRezimu(rezimy, 0).empty());
    }
    konec = true;
    obrazovka.join();
    EXPECT_EQ(spatnychNabidek, 0);
    EXPECT_LE(rezimy.Pocet(), 200u);
}
