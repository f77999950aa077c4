// The launcher's list: its registry store (round trip with Czech names, missing values, missing
// key, removed and renamed entries, damaged values kept), the sort modes, the names a key can
// hold, and the menus built from the list.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/text.h"
#include "launcher/modulspousteniaplikaci.h"
#include "launcher/seznamaplikaci.h"
#include "launcher/spusteniaplikace.h"
#include "podpora/pomocnik.h"
#include "resources/resource.h"

namespace {

const std::wstring KOREN = L"Software\\Brenvald\\TestSpousteni\\5.0";
const std::wstring KLIC_APLIKACI = KOREN + L"\\Spousteni aplikaci\\Aplikace";

std::vector<std::wstring> Podklice(const std::wstring& cesta) {
    std::vector<std::wstring> jmena;
    HKEY klic = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, cesta.c_str(), 0, KEY_READ, &klic) != ERROR_SUCCESS) return jmena;
    for (DWORD i = 0;; ++i) {
        wchar_t jmeno[300];
        DWORD delka = 300;
        if (::RegEnumKeyExW(klic, i, jmeno, &delka, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        jmena.push_back(jmeno);
    }
    ::RegCloseKey(klic);
    return jmena;
}

void ZapsatDword(const std::wstring& klic, const wchar_t* nazev, DWORD hodnota) {
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, klic.c_str(), nazev, REG_DWORD, &hodnota, sizeof(hodnota)),
              ERROR_SUCCESS);
}

void ZapsatText(const std::wstring& klic, const wchar_t* nazev, const std::wstring& text) {
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, klic.c_str(), nazev, REG_SZ, text.c_str(),
                                static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
}

class SeznamAplikaciRegistr : public ::testing::Test {
protected:
    void SetUp() override { testy::SmazatKlic(KOREN); }
    void TearDown() override { testy::SmazatKlic(KOREN); }
};

SpoustenaAplikace Zaznam(const wchar_t* nazev, DWORD uroven, int pocet, DWORD klavesa = 0, DWORD modifikator = 0,
                           const wchar_t* cesta = L"C:\\nikde.exe") {
    SpoustenaAplikace a;
    a.nazev = nazev;
    a.cesta = cesta;
    a.uroven = uroven;
    a.pocetSpusteni = pocet;
    a.virtKlavesa = klavesa;
    a.modifikator = modifikator;
    return a;
}

std::vector<std::wstring> Nazvy(const std::vector<SpoustenaAplikace>& aplikace) {
    std::vector<std::wstring> nazvy;
    for (const SpoustenaAplikace& a : aplikace) nazvy.push_back(a.nazev);
    return nazvy;
}

}  // namespace

TEST_F(SeznamAplikaciRegistr, UlozeniANacteniSCeskymiNazvy) {
    {
        SeznamAplikaci seznam(KOREN);
        size_t i = seznam.Pridat(L"Poznámkový blok", L"C:\\Windows\\notepad.exe", UROVEN_BEZNY_UZIVATEL);
        SpoustenaAplikace& a = seznam.Polozka(i);
        a.jednaInstance = true;
        a.modifikator = MOD_CONTROL | MOD_ALT;
        a.virtKlavesa = 'P';
        a.pocetSpusteni = 7;
        a.poSpusteni = true;
        seznam.Pridat(L"Účetnictví – ČŘ ěščřžýáíéůú", L"C:\\Program Files\\Účty\\účty.exe", UROVEN_NEDUVERYHODNY);
        seznam.Ulozit();
    }
    SeznamAplikaci nactene(KOREN);
    EXPECT_EQ(nactene.Nacist(), S_OK);
    ASSERT_EQ(nactene.Pocet(), 2u);
    const int blok = nactene.NajitPodleNazvu(L"Poznámkový blok");
    const int ucty = nactene.NajitPodleNazvu(L"Účetnictví – ČŘ ěščřžýáíéůú");
    ASSERT_GE(blok, 0);
    ASSERT_GE(ucty, 0);
    const SpoustenaAplikace& a = nactene.Polozka(static_cast<size_t>(blok));
    EXPECT_EQ(a.cesta, L"C:\\Windows\\notepad.exe");
    EXPECT_TRUE(a.jednaInstance);
    EXPECT_EQ(a.uroven, UROVEN_BEZNY_UZIVATEL);
    EXPECT_EQ(a.modifikator, static_cast<DWORD>(MOD_CONTROL | MOD_ALT));
    EXPECT_EQ(a.virtKlavesa, static_cast<DWORD>('P'));
    EXPECT_EQ(a.pocetSpusteni, 7);
    EXPECT_TRUE(a.poSpusteni);
    const SpoustenaAplikace& b = nactene.Polozka(static_cast<size_t>(ucty));
    EXPECT_EQ(b.cesta, L"C:\\Program Files\\Účty\\účty.exe");
    EXPECT_EQ(b.uroven, UROVEN_NEDUVERYHODNY);
    EXPECT_FALSE(b.jednaInstance);
    EXPECT_FALSE(b.poSpusteni);
    EXPECT_EQ(b.virtKlavesa, 0u);
    EXPECT_EQ(b.pocetSpusteni, 0);

    // the stored kinds are those other readers expect
    DWORD typ = 0;
    ::RegGetValueW(HKEY_CURRENT_USER, (KLIC_APLIKACI + L"\\Poznámkový blok").c_str(), L"cesta", RRF_RT_ANY, &typ,
                   nullptr, nullptr);
    EXPECT_EQ(typ, static_cast<DWORD>(REG_SZ));
    DWORD pocet = 0;
    ASSERT_TRUE(testy::PrecistDword(KLIC_APLIKACI + L"\\Poznámkový blok", L"pocetSpusteni", pocet));
    EXPECT_EQ(pocet, 7u);
}

TEST_F(SeznamAplikaciRegistr, ChybejiciHodnotyDajiVychoziAOstatniPolozkyNeovlivni) {
    ZapsatText(KLIC_APLIKACI + L"\\Jen cesta", L"cesta", L"C:\\a.exe");
    ZapsatDword(KLIC_APLIKACI + L"\\Jen klávesa", L"virtKlavesa", 'Q');
    ZapsatText(KLIC_APLIKACI + L"\\Úplná", L"cesta", L"C:\\b.exe");
    for (const wchar_t* nazev : {L"jednaInstance", L"modifikator", L"pocetSpusteni", L"poSpusteni"})
        ZapsatDword(KLIC_APLIKACI + L"\\Úplná", nazev, 1);
    ZapsatDword(KLIC_APLIKACI + L"\\Úplná", L"uroven", UROVEN_OMEZENY_PRISTUP);
    ZapsatDword(KLIC_APLIKACI + L"\\Úplná", L"virtKlavesa", 'W');

    SeznamAplikaci seznam(KOREN);
    EXPECT_EQ(seznam.Nacist(), S_OK);
    ASSERT_EQ(seznam.Pocet(), 3u);
    const SpoustenaAplikace& a = seznam.Polozka(static_cast<size_t>(seznam.NajitPodleNazvu(L"Jen cesta")));
    EXPECT_EQ(a.cesta, L"C:\\a.exe");
    EXPECT_EQ(a.uroven, 0u);
    EXPECT_EQ(a.modifikator, 0u);
    EXPECT_EQ(a.virtKlavesa, 0u);
    EXPECT_EQ(a.pocetSpusteni, 0);
    EXPECT_FALSE(a.jednaInstance);
    EXPECT_FALSE(a.poSpusteni);
    const SpoustenaAplikace& b = seznam.Polozka(static_cast<size_t>(seznam.NajitPodleNazvu(L"Jen klávesa")));
    EXPECT_TRUE(b.cesta.empty());
    EXPECT_EQ(b.virtKlavesa, static_cast<DWORD>('Q'));
    const SpoustenaAplikace& c = seznam.Polozka(static_cast<size_t>(seznam.NajitPodleNazvu(L"Úplná")));
    EXPECT_EQ(c.uroven, UROVEN_OMEZENY_PRISTUP);
    EXPECT_TRUE(c.jednaInstance);
    EXPECT_TRUE(c.poSpusteni);
    EXPECT_EQ(c.pocetSpusteni, 1);
}

TEST_F(SeznamAplikaciRegistr, ChybejiciKlicNeboKlicBezPolozekJePrazdnySeznam) {
    SeznamAplikaci seznam(KOREN);
    seznam.Pridat(L"zbyde", L"", 0);
    EXPECT_EQ(seznam.Nacist(), S_OK) << "a first run has no key \"Aplikace\"";
    EXPECT_EQ(seznam.Pocet(), 0u);

    HKEY klic = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, KLIC_APLIKACI.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &klic,
                                nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(klic);
    EXPECT_EQ(seznam.Nacist(), S_OK);
    EXPECT_EQ(seznam.Pocet(), 0u);
    EXPECT_EQ(seznam.Ikony(), nullptr) << "an empty list builds no icons";
}

TEST_F(SeznamAplikaciRegistr, UlozeniOdstraniOdebraneAPrejmenovanePolozky) {
    SeznamAplikaci seznam(KOREN);
    seznam.Pridat(L"První", L"C:\\1.exe", 0);
    seznam.Pridat(L"Druhá", L"C:\\2.exe", 0);
    seznam.Pridat(L"Třetí", L"C:\\3.exe", 0);
    seznam.Ulozit();
    ASSERT_EQ(Podklice(KLIC_APLIKACI).size(), 3u);

    seznam.Odebrat(static_cast<size_t>(seznam.NajitPodleNazvu(L"Druhá")));
    seznam.NastavitNazev(static_cast<size_t>(seznam.NajitPodleNazvu(L"Třetí")), L"Čtvrtá");
    seznam.Ulozit();
    std::vector<std::wstring> klice = Podklice(KLIC_APLIKACI);
    ASSERT_EQ(klice.size(), 2u);
    EXPECT_TRUE(testy::ExistujeKlic(KLIC_APLIKACI + L"\\První"));
    EXPECT_TRUE(testy::ExistujeKlic(KLIC_APLIKACI + L"\\Čtvrtá"));
    EXPECT_FALSE(testy::ExistujeKlic(KLIC_APLIKACI + L"\\Druhá"));
    EXPECT_FALSE(testy::ExistujeKlic(KLIC_APLIKACI + L"\\Třetí"));

    // renaming only the letter case keeps one key, under the new name
    seznam.NastavitNazev(static_cast<size_t>(seznam.NajitPodleNazvu(L"První")), L"PRVNÍ");
    seznam.Ulozit();
    EXPECT_EQ(Podklice(KLIC_APLIKACI).size(), 2u);
    klice = Podklice(KLIC_APLIKACI);
    EXPECT_NE(std::find(klice.begin(), klice.end(), L"PRVNÍ"), klice.end()) << "the key kept its old letters";

    // the last entry removed: the key holds nothing
    while (seznam.Pocet() > 0) seznam.Odebrat(0);
    seznam.Ulozit();
    EXPECT_TRUE(Podklice(KLIC_APLIKACI).empty());
}

TEST_F(SeznamAplikaciRegistr, PoskozenaHodnotaSeNahlasiAUlozeniJiNeprepise) {
    const std::wstring klic = KLIC_APLIKACI + L"\\Poškozená";
    ZapsatDword(klic, L"cesta", 1234);  // a number where text belongs
    ZapsatText(klic, L"uroven", L"vysoká");
    ZapsatDword(klic, L"pocetSpusteni", 5);

    SeznamAplikaci seznam(KOREN);
    EXPECT_TRUE(FAILED(seznam.Nacist()));
    ASSERT_EQ(seznam.Pocet(), 1u);
    EXPECT_TRUE(seznam.Polozka(0).cesta.empty());
    EXPECT_EQ(seznam.Polozka(0).uroven, 0u);
    EXPECT_EQ(seznam.Polozka(0).pocetSpusteni, 5);

    ++seznam.Polozka(0).pocetSpusteni;
    seznam.Ulozit();
    DWORD cesta = 0, pocet = 0;
    ASSERT_TRUE(testy::PrecistDword(klic, L"cesta", cesta)) << "the damaged value was overwritten";
    EXPECT_EQ(cesta, 1234u);
    ASSERT_TRUE(testy::PrecistDword(klic, L"pocetSpusteni", pocet));
    EXPECT_EQ(pocet, 6u);

    // once the user sets the path anew it is written
    seznam.NastavitCestu(0, L"C:\\nová.exe");
    seznam.Ulozit();
    wchar_t text[64] = L"";
    DWORD velikost = sizeof(text);
    EXPECT_EQ(::RegGetValueW(HKEY_CURRENT_USER, klic.c_str(), L"cesta", RRF_RT_REG_SZ, nullptr, text, &velikost),
              ERROR_SUCCESS);
    EXPECT_STREQ(text, L"C:\\nová.exe");
}

// A rename that changes only letter case reaches the registry and comes back at the next start,
// with the entry's values (a damaged one kept as stored) and nothing left of the old key.
struct ZmenaVelikosti {
    const wchar_t* puvodni;
    const wchar_t* novy;
};

void PrintTo(const ZmenaVelikosti& p, std::ostream* vystup) {
    *vystup << knihovna::NaUzky(p.puvodni, CP_UTF8) << " -> " << knihovna::NaUzky(p.novy, CP_UTF8);
}

class ZmenaVelikostiPismen : public SeznamAplikaciRegistr, public ::testing::WithParamInterface<ZmenaVelikosti> {};

TEST_P(ZmenaVelikostiPismen, NovyNazevPrezijeRestart) {
    const ZmenaVelikosti& p = GetParam();
    {
        SeznamAplikaci seznam(KOREN);
        size_t a = seznam.Pridat(p.puvodni, L"C:\\plny.exe", UROVEN_PLNY_PRISTUP);
        seznam.NastavitKlavesu(a, 'P', MOD_CONTROL);
        seznam.Pridat(L"Jiná", L"C:\\jina.exe", 0);
        seznam.Ulozit();
    }
    ZapsatText(KLIC_APLIKACI + L"\\" + p.puvodni, L"pocetSpusteni", L"mnoho");  // damaged: kept as stored
    {
        SeznamAplikaci seznam(KOREN);
        EXPECT_TRUE(FAILED(seznam.Nacist()));
        const int index = seznam.NajitPodleNazvu(p.puvodni);
        ASSERT_GE(index, 0);
        seznam.NastavitNazev(static_cast<size_t>(index), p.novy);
        seznam.Ulozit();
    }
    const std::vector<std::wstring> klice = Podklice(KLIC_APLIKACI);
    ASSERT_EQ(klice.size(), 2u);
    EXPECT_NE(std::find(klice.begin(), klice.end(), std::wstring(p.novy)), klice.end());
    EXPECT_NE(std::find(klice.begin(), klice.end(), std::wstring(L"Jiná")), klice.end());

    SeznamAplikaci znovu(KOREN);
    EXPECT_TRUE(FAILED(znovu.Nacist())) << "the damaged value was dropped";
    ASSERT_EQ(znovu.Pocet(), 2u);
    EXPECT_LT(znovu.NajitPodleNazvu(p.puvodni), 0);
    const int index = znovu.NajitPodleNazvu(p.novy);
    ASSERT_GE(index, 0) << "the old name came back";
    const SpoustenaAplikace& a = znovu.Polozka(static_cast<size_t>(index));
    EXPECT_EQ(a.cesta, L"C:\\plny.exe");
    EXPECT_EQ(a.uroven, static_cast<DWORD>(UROVEN_PLNY_PRISTUP));
    EXPECT_EQ(a.virtKlavesa, static_cast<DWORD>('P'));
    EXPECT_EQ(a.modifikator, static_cast<DWORD>(MOD_CONTROL));
    EXPECT_NE(a.necitelne & NECITELNY_POCET, 0u);
    wchar_t text[32] = L"";
    DWORD velikost = sizeof(text);
    EXPECT_EQ(::RegGetValueW(HKEY_CURRENT_USER, (KLIC_APLIKACI + L"\\" + p.novy).c_str(), L"pocetSpusteni",
                             RRF_RT_REG_SZ, nullptr, text, &velikost),
              ERROR_SUCCESS);
    EXPECT_STREQ(text, L"mnoho");
}

INSTANTIATE_TEST_SUITE_P(SeznamAplikaci, ZmenaVelikostiPismen,
                         ::testing::Values(ZmenaVelikosti{L"Plny", L"PLNY"}, ZmenaVelikosti{L"Účetnictví", L"účetnictví"},
                                           ZmenaVelikosti{L"pLnY pŘístup", L"Plny Přístup"}));

TEST(SeznamAplikaci, NazvyKterePojmeRegistr) {
    EXPECT_TRUE(JePlatnyNazevAplikace(L"Poznámkový blok"));
    EXPECT_TRUE(JePlatnyNazevAplikace(std::wstring(255, L'ř')));
    EXPECT_FALSE(JePlatnyNazevAplikace(L""));
    EXPECT_FALSE(JePlatnyNazevAplikace(L"Hry\\Šachy"));
    EXPECT_FALSE(JePlatnyNazevAplikace(std::wstring(256, L'a')));

    SeznamAplikaci seznam(KOREN);
    seznam.Pridat(L"Šachy", L"", 0);
    seznam.Pridat(L"Dáma", L"", 0);
    EXPECT_EQ(seznam.NajitPodleNazvu(L"šachy"), -1) << "the name search tells letter case";
    EXPECT_EQ(seznam.NajitKolizniNazev(L"šachy"), 0) << "but the registry would take it for the same key";
    EXPECT_EQ(seznam.NajitKolizniNazev(L"ŠACHY", 0), -1) << "an entry does not clash with itself";
    EXPECT_EQ(seznam.NajitKolizniNazev(L"Go"), -1);
    EXPECT_THROW(seznam.Polozka(2), knihovna::Chyba);
    EXPECT_THROW(seznam.Odebrat(5), knihovna::Chyba);
}

// ---------------------------------------------------------------------------------------------
// Sorting

TEST(SeznamAplikaciTrideni, TabulkaRezimu) {
    const std::vector<SpoustenaAplikace> vychozi = {
        Zaznam(L"Bez", UROVEN_BEZNY_UZIVATEL, 3, 'B', MOD_ALT, L"C:\\c.exe"),
        Zaznam(L"Ano", UROVEN_NEDUVERYHODNY, 0, 0, 0, L"C:\\b.exe"),
        Zaznam(L"Cep", UROVEN_PLNY_PRISTUP, 7, 'B', MOD_CONTROL, L"C:\\a.exe"),
        Zaznam(L"Alt", UROVEN_BEZNY_UZIVATEL, 3, 'A', MOD_SHIFT, L"C:\\d.exe"),
    };
    struct Pripad {
        DWORD rezim;
        std::vector<std::wstring> poradi;
    };
    const Pripad pripady[] = {
        {TRIDENI_POCET | TRIDENI_SESTUPNE, {L"Cep", L"Alt", L"Bez", L"Ano"}},  // 7, 3, 3, 0; the two 3s by name
        {TRIDENI_POCET, {L"Ano", L"Alt", L"Bez", L"Cep"}},
        {TRIDENI_KLAVESA, {L"Ano", L"Alt", L"Bez", L"Cep"}},  // no key first, then key, then modifiers
        {TRIDENI_KLAVESA | TRIDENI_SESTUPNE, {L"Cep", L"Bez", L"Alt", L"Ano"}},
        {TRIDENI_NAZEV, {L"Alt", L"Ano", L"Bez", L"Cep"}},
        {TRIDENI_NAZEV | TRIDENI_SESTUPNE, {L"Cep", L"Bez", L"Ano", L"Alt"}},
        {TRIDENI_CESTA, {L"Cep", L"Ano", L"Bez", L"Alt"}},
        {TRIDENI_OPRAVNENI, {L"Ano", L"Alt", L"Bez", L"Cep"}},
        {TRIDENI_OPRAVNENI | TRIDENI_SESTUPNE, {L"Cep", L"Alt", L"Bez", L"Ano"}},  // ties by name ascending
        {TRIDENI_NETRIDIT, {L"Bez", L"Ano", L"Cep", L"Alt"}},                      // file order kept
        {0x77, {L"Bez", L"Ano", L"Cep", L"Alt"}},                                  // unknown mode: kept
    };
    for (const Pripad& p : pripady) {
        SeznamAplikaci seznam(KOREN);
        for (const SpoustenaAplikace& a : vychozi) {
            size_t i = seznam.Pridat(a.nazev, a.cesta, a.uroven);
            seznam.Polozka(i).pocetSpusteni = a.pocetSpusteni;
            seznam.NastavitKlavesu(i, a.virtKlavesa, a.modifikator);
        }
        seznam.SeraditPodle(p.rezim);
        std::vector<std::wstring> nazvy = Nazvy(seznam.Kopie());
        EXPECT_EQ(nazvy, p.poradi) << "mode 0x" << std::hex << p.rezim;
        EXPECT_EQ(seznam.NajitPodleKlavesy(MOD_SHIFT, 'A'), seznam.NajitPodleNazvu(L"Alt"));
        if (p.rezim != TRIDENI_NETRIDIT && p.rezim != 0x77) {
            ASSERT_NE(seznam.Ikony(), nullptr) << "sorting rebuilds the icons";
            EXPECT_EQ(ImageList_GetImageCount(seznam.Ikony()), 4);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Menus

TEST(NabidkaAplikaci, OddelovaceSkupinPodleOpravneniAZakazaneSpustene) {
    const std::vector<SpoustenaAplikace> aplikace = {
        Zaznam(L"Hra", UROVEN_NEDUVERYHODNY, 0),
        Zaznam(L"Prohlížeč", UROVEN_NEDUVERYHODNY, 0),
        Zaznam(L"Účty", UROVEN_BEZNY_UZIVATEL, 0),
    };
    struct Pripad {
        DWORD rezim;
        bool oddelovat;
        std::vector<UINT> idy;  // 0 = separator
    };
    const Pripad pripady[] = {
        {TRIDENI_OPRAVNENI, true, {1, 2, 0, 3}},
        {TRIDENI_OPRAVNENI | TRIDENI_SESTUPNE, true, {1, 2, 0, 3}},
        {TRIDENI_OPRAVNENI, false, {1, 2, 3}},
        {TRIDENI_NAZEV, true, {1, 2, 3}},
        {TRIDENI_NETRIDIT, true, {1, 2, 3}},
    };
    for (const Pripad& p : pripady) {
        KonfiguraceSpousteniAplikaci n;
        n.trideniAplikaci = p.rezim;
        n.oddelovatPodleOpravneni = p.oddelovat;
        std::vector<PolozkaNabidkyAplikaci> polozky = PolozkyNabidkyAplikaci(aplikace, n, nullptr);
        std::vector<UINT> idy;
        for (const PolozkaNabidkyAplikaci& polozka : polozky) {
            idy.push_back(polozka.oddelovac ? 0 : polozka.id);
            if (polozka.oddelovac) {
                EXPECT_TRUE(polozka.zakazana) << "separators are greyed";
            }
        }
        EXPECT_EQ(idy, p.idy) << "mode 0x" << std::hex << p.rezim << " separate " << p.oddelovat;
    }

    KonfiguraceSpousteniAplikaci n;
    EXPECT_TRUE(PolozkyNabidkyAplikaci({}, n, nullptr).empty());

    // a single-instance entry whose program runs is greyed only when the option asks for it
    std::vector<SpoustenaAplikace> jedna = {Zaznam(L"Běží", UROVEN_BEZNY_UZIVATEL, 0, 0, 0, L"C:\\bezi.exe"),
                                            Zaznam(L"Neběží", UROVEN_BEZNY_UZIVATEL, 0, 0, 0, L"C:\\jiny.exe")};
    jedna[0].jednaInstance = jedna[1].jednaInstance = true;
    SeznamSpustenychProcesu procesy;
    procesy.procesy.push_back({L"bezi.exe", L"C:\\bezi.exe", L"bezi.exe"});
    n.trideniAplikaci = TRIDENI_NETRIDIT;
    n.zakazatPolozkySpustene = true;
    std::vector<PolozkaNabidkyAplikaci> polozky = PolozkyNabidkyAplikaci(jedna, n, &procesy);
    ASSERT_EQ(polozky.size(), 2u);
    EXPECT_TRUE(polozky[0].zakazana);
    EXPECT_FALSE(polozky[1].zakazana);
    EXPECT_EQ(polozky[0].text, L"Běží");
    n.zakazatPolozkySpustene = false;
    EXPECT_FALSE(PolozkyNabidkyAplikaci(jedna, n, &procesy)[0].zakazana);
}

namespace {

struct PolozkaMenu {
    UINT id;
    std::wstring text;
    bool oddelovac;
};

std::vector<PolozkaMenu> ObsahMenu(HMENU menu) {
    std::vector<PolozkaMenu> obsah;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = L"";
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        mii.dwTypeData = text;
        mii.cch = 128;
        ::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii);
        obsah.push_back({mii.wID, text, (mii.fType & MFT_SEPARATOR) != 0});
    }
    return obsah;
}

class NabidkaModulu : public ::testing::Test {
protected:
    void SetUp() override {
        puvodniNastaveni = std::move(nastaveniSpousteniAplikaci);
        nastaveniSpousteniAplikaci = std::make_unique<KonfiguraceSpousteniAplikaci>();
        nastaveniSpousteniAplikaci->trideniAplikaci = TRIDENI_OPRAVNENI;
        puvodniSeznam = std::move(seznamAplikaci);
        seznamAplikaci = std::make_unique<SeznamAplikaci>(KOREN);
        modul = std::make_unique<ModulSpousteniAplikaci>();
        modul->VytvoritOkno();
    }
    void TearDown() override {
        modul.reset();
        seznamAplikaci = std::move(puvodniSeznam);
        nastaveniSpousteniAplikaci = std::move(puvodniNastaveni);
    }
    std::unique_ptr<KonfiguraceSpousteniAplikaci> puvodniNastaveni;
    std::unique_ptr<SeznamAplikaci> puvodniSeznam;
    std::unique_ptr<ModulSpousteniAplikaci> modul;
};

}  // namespace

TEST_F(NabidkaModulu, PrazdnySeznamJenPevnePolozkySeznamSOddelovacem) {
    {
        knihovna::UchytMenu menu(modul->SestavitNabidku());
        std::vector<PolozkaMenu> obsah = ObsahMenu(::GetSubMenu(menu.Get(), 0));
        ASSERT_EQ(obsah.size(), 5u);
        EXPECT_EQ(obsah[0].id, 40008u);
        EXPECT_TRUE(obsah[1].oddelovac);
        EXPECT_EQ(obsah[2].id, 40003u);
        EXPECT_EQ(obsah[4].id, 40009u);
        EXPECT_EQ(obsah[4].text, L"Zobrazit ikonu") << "the launcher's icon is not shown";
        for (const PolozkaMenu& p : obsah) EXPECT_NE(p.id, 40007u);
        knihovna::UchytMenu aplikace(modul->SestavitNabidkuAplikaci());
        EXPECT_EQ(::GetMenuItemCount(aplikace.Get()), 0);
    }

    seznamAplikaci->Pridat(L"Hra", L"", UROVEN_NEDUVERYHODNY);
    seznamAplikaci->Pridat(L"Šachy", L"", UROVEN_NEDUVERYHODNY);
    seznamAplikaci->Pridat(L"Účty", L"", UROVEN_BEZNY_UZIVATEL);
    knihovna::UchytMenu menu(modul->SestavitNabidku());
    std::vector<PolozkaMenu> obsah = ObsahMenu(::GetSubMenu(menu.Get(), 0));
    ASSERT_EQ(obsah.size(), 10u);
    const UINT idy[] = {1, 2, 0, 3, 40007, 40008, 0, 40003, 0, 40009};
    for (size_t i = 0; i < obsah.size(); ++i) EXPECT_EQ(obsah[i].id, idy[i]) << i;
    EXPECT_TRUE(obsah[2].oddelovac);
    EXPECT_TRUE(obsah[4].oddelovac);
    EXPECT_EQ(obsah[1].text, L"Šachy");

    knihovna::UchytMenu aplikace(modul->SestavitNabidkuAplikaci());
    std::vector<PolozkaMenu> jen = ObsahMenu(aplikace.Get());
    ASSERT_EQ(jen.size(), 4u);
    EXPECT_EQ(jen[3].id, 3u);
    EXPECT_EQ(jen[3].text, L"Účty");
}

TEST_F(NabidkaModulu, PrikazPolozkySpustiPolozkuSIndexemOJednaMensim) {
    seznamAplikaci->Pridat(L"První", L"C:\\nikde\\1.exe", UROVEN_PLNY_PRISTUP);
    seznamAplikaci->Pridat(L"Druhá", L"C:\\nikde\\2.exe", UROVEN_PLNY_PRISTUP);
    seznamAplikaci->Pridat(L"Třetí", L"C:\\nikde\\3.exe", UROVEN_PLNY_PRISTUP);
    seznamAplikaci->Pridat(L"Čtvrtá", L"C:\\nikde\\4.exe", UROVEN_PLNY_PRISTUP);
    static std::vector<std::wstring> texty;
    texty.clear();
    FunkceSpousteni puvodni = funkceSpousteni;
    funkceSpousteni.zobrazitBublinu = [](const std::wstring& text, DWORD) { texty.push_back(text); };
    modul->ProvestPrikaz(4);     // the hot key with id 4: the fourth entry
    modul->ProvestPrikaz(5);     // beyond the list: nothing
    modul->ProvestPrikaz(1001);  // beyond the launcher's ids: nothing
    funkceSpousteni = puvodni;
    ASSERT_EQ(texty.size(), 1u);
    EXPECT_NE(texty[0].find(L"\"Čtvrtá\""), std::wstring::npos);
}
