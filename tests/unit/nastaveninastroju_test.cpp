// Settings objects of the tools: first start, the registry after one save (every section,
// name, kind and value), damaged and missing values, the satellite section of the weather.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/text.h"
#include "podpora/pomocnik.h"
#include "resources/resource.h"

namespace {

const std::wstring KLIC = L"Software\\Brenvald\\Kolvex\\5.0";

// The registry below the application key as "name=dword:0000000a" / "name=sz:text", by section.
using Export = std::map<std::wstring, std::vector<std::wstring>>;

void ExportovatKlic(HKEY h, const std::wstring& sekce, Export& vysledek) {
    std::vector<std::wstring>& hodnoty = vysledek[sekce];
    for (DWORD i = 0;; ++i) {
        wchar_t nazev[256];
        DWORD delkaNazvu = 256, typ = 0, bajtu = 0;
        BYTE data[8192];
        bajtu = sizeof(data);
        if (::RegEnumValueW(h, i, nazev, &delkaNazvu, nullptr, &typ, data, &bajtu) != ERROR_SUCCESS) break;
        wchar_t text[64];
        if (typ == REG_DWORD) {
            DWORD cislo = 0;
            memcpy(&cislo, data, sizeof(cislo));
            swprintf(text, 64, L"dword:%08lx", static_cast<unsigned long>(cislo));
            hodnoty.push_back(std::wstring(nazev) + L"=" + text);
        } else if (typ == REG_SZ) {
            hodnoty.push_back(std::wstring(nazev) + L"=sz:" + reinterpret_cast<const wchar_t*>(data));
        } else {
            hodnoty.push_back(std::wstring(nazev) + L"=typ:" + std::to_wstring(typ));
        }
    }
    std::sort(hodnoty.begin(), hodnoty.end());
    for (DWORD i = 0;; ++i) {
        wchar_t podklic[256];
        DWORD delka = 256;
        if (::RegEnumKeyExW(h, i, podklic, &delka, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        HKEY dite = nullptr;
        if (::RegOpenKeyExW(h, podklic, 0, KEY_READ, &dite) != ERROR_SUCCESS) continue;
        ExportovatKlic(dite, sekce.empty() ? podklic : sekce + L"\\" + podklic, vysledek);
        ::RegCloseKey(dite);
    }
}

Export ExportovatRegistr() {
    Export vysledek;
    HKEY h = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, KLIC.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return vysledek;
    ExportovatKlic(h, L"", vysledek);
    ::RegCloseKey(h);
    return vysledek;
}

std::wstring D(const wchar_t* nazev, DWORD hodnota) {
    wchar_t text[64];
    swprintf(text, 64, L"%ls=dword:%08lx", nazev, static_cast<unsigned long>(hodnota));
    return text;
}
std::wstring S(const wchar_t* nazev, const std::wstring& hodnota) { return std::wstring(nazev) + L"=sz:" + hodnota; }

std::vector<std::wstring> Pismo() {
    LOGFONTW p{};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(p), &p);
    return {D(L"lfCharSet", p.lfCharSet),
            D(L"lfClipPrecision", p.lfClipPrecision),
            D(L"lfEscapement", static_cast<DWORD>(p.lfEscapement)),
            D(L"lfHeight", static_cast<DWORD>(p.lfHeight)),
            D(L"lfItalic", p.lfItalic),
            D(L"lfOrientation", static_cast<DWORD>(p.lfOrientation)),
            D(L"lfOutPrecision", p.lfOutPrecision),
            D(L"lfPitchAndFamily", p.lfPitchAndFamily),
            D(L"lfQuality", p.lfQuality),
            D(L"lfStrikeOut", p.lfStrikeOut),
            D(L"lfUnderline", p.lfUnderline),
            D(L"lfWeight", static_cast<DWORD>(p.lfWeight)),
            D(L"lfWidth", static_cast<DWORD>(p.lfWidth)),
            S(L"FaceName", p.lfFaceName)};
}

void VytvoritVsechnaNastaveni() { VytvoritNastaveniNastroju(); }

void UlozitVsechnaNastaveni() {
    UlozitNastaveniObecne(aplikace);
    nastaveniCteckaRSS->Ulozit();
    nastaveniHodiny->Ulozit();
    nastaveniHostInfo->Ulozit();
    nastaveniKontakty->Ulozit();
    nastaveniSonvidar->Ulozit();
    nastaveniObrazovka->Ulozit();
    nastaveniOvladaniCD->Ulozit();
    nastaveniPocasi->Ulozit();
    nastaveniPoznamky->Ulozit();
    nastaveniRozsireniOken->Ulozit();
    nastaveniSeznamRegistraci->Ulozit();
    nastaveniSchranka->Ulozit();
    nastaveniSledovaniPameti->Ulozit();
    nastaveniSledovaniProcesu->Ulozit();
    nastaveniStopky->Ulozit();
    nastaveniSpousteniAplikaci->Ulozit();
}

void UlozitHodnotu(const std::wstring& sekce, const wchar_t* nazev, DWORD typ, const void* data, DWORD bajtu) {
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (KLIC + L"\\" + sekce).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                &h, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(h, nazev, 0, typ, static_cast<const BYTE*>(data), bajtu);
    ::RegCloseKey(h);
}
void UlozitDword(const std::wstring& sekce, const wchar_t* nazev, DWORD hodnota) {
    UlozitHodnotu(sekce, nazev, REG_DWORD, &hodnota, sizeof(hodnota));
}
void UlozitText(const std::wstring& sekce, const wchar_t* nazev, const std::wstring& text) {
    UlozitHodnotu(sekce, nazev, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

class NastaveniNastroju : public ::testing::Test {
protected:
    void SetUp() override {
        testy::SmazatKlic(L"Software\\Brenvald\\Kolvex");
        aplikace.titulek = L"Kolvex";
        aplikace.ZjistitUzivateleAPocitac();
        NastavitVychoziNastaveniObecne(aplikace);
        rezimyObrazovky = std::make_unique<RezimyObrazovky>();
        data = aplikace.nastaveni.slozkaData;
    }
    void TearDown() override { testy::SmazatKlic(L"Software\\Brenvald\\Kolvex"); }
    std::wstring data;
};

std::wstring Zprava(UINT id, const wchar_t* nazev) {
    return knihovna::Formatovat(knihovna::Retezec(id).c_str(), nazev) + L"\nChyba: ";
}

}  // namespace

TEST_F(NastaveniNastroju, PrvniStartAExportPoUlozeniLocale) {
    EXPECT_EQ(aplikace.ceskeProstredi, testy::CeskeProstredi());
    const bool cz = testy::CeskeProstredi();
    testy::ZachytavacZprav zpravy;
    EXPECT_EQ(NacistNastaveniObecne(aplikace), 1);
    VytvoritVsechnaNastaveni();
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy.zpravy[0].text;
    // The launcher's load creates its key; nothing else is written by a first start.
    Export poStartu = ExportovatRegistr();
    EXPECT_EQ(poStartu, (Export{{L"", {}}, {L"Spousteni aplikaci", {}}}));

    // Defaults that are not stored.
    EXPECT_EQ(nastaveniRozsireniOken->procentoPruhlednosti, 50u);
    EXPECT_EQ(nastaveniRozsireniOken->krokPruhlednosti, 8u);
    EXPECT_EQ(nastaveniRozsireniOken->krokVelikosti, 4u);
    EXPECT_TRUE(nastaveniRozsireniOken->informovatPoSkryti);
    const DWORD gesta[POCET_GEST] = {3, 2, 0, 4, 0, 0, 0, 1, 0, 0, 0, 0, 10, 11, 0, 20, 13, 12, 0, 30, 2, 0, 31, 3, 0};
    for (int i = 0; i < POCET_GEST; ++i) EXPECT_EQ(nastaveniRozsireniOken->akceGest[i], gesta[i]) << i;
    EXPECT_EQ(nastaveniObrazovka->vyberOknaPozice, 5);
    EXPECT_TRUE(nastaveniObrazovka->vyberOknaPresunoutKurzor);

    UlozitVsechnaNastaveni();
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy.zpravy[0].text;

    const std::wstring pocasi = data + L"\\Počasí";
    const std::wstring poznamky = data + (cz ? L"\\Poznámky" : L"\\Poznamky");
    const std::vector<std::wstring> pismo = Pismo();
    Export ocekavany = {
        {L"",
         {D(L"priChybeZrusitPoSpusteni", 1), D(L"rozbalitSeznamNastaveni", 1), D(L"skrytNenalezeneExtAplikace", 1),
          S(L"slozkaData", data), S(L"slozkaDocasne", data + L"\\Temp"), D(L"vlastniVzhled", 1), D(L"zvuk", 1)}},
        {L"Polozky menu",
         {D(L"externiAplikace", 1), D(L"hodiny", 1), D(L"hostInfo", 1), D(L"kontakty", 1), D(L"sonvidar", 1),
          D(L"napoveda", 1), D(L"obrazovka", 1), D(L"ovladaniCD", 1), D(L"pocasi", 1), D(L"poznamky", 1),
          D(L"rozsireniOken", 1), D(L"rssCtecka", 1), D(L"schranka", 1), D(L"seznamRegistraci", 1),
          D(L"shellExtension", 1), D(L"sitLanInfo", 1), D(L"sledovaniPameti", 1), D(L"sledovaniProcesu", 1),
          D(L"spousteniAplikaci", 1), D(L"stopky", 1), D(L"zasuvneModuly", 1)}},
        {L"Po spusteni",
         {D(L"cteckaRSS", 0), D(L"hodiny", 0), D(L"hostInfo", 0), D(L"ikonaSonvidar", 0), D(L"ikonaObrazovka", 0),
          D(L"ikonaPocasi", 0), D(L"ikonaPoznamky", 0), D(L"ikonaPoznamkyTextove", 0),
          D(L"ikonaPoznamkyZvukove", 0), D(L"ikonaSchranka", 0), D(L"ikonaSpousteniAplikaci", 0),
          D(L"kontakty", 0), D(L"ovladaniCD", 0), D(L"pocasiAladin", 0), D(L"pocasiPredpovedText", 0),
          D(L"pocasiSnimekDruzice", 0), D(L"rozsireniOken", 0), D(L"seznamRegistraci", 0),
          D(L"sledovaniPameti", 0), D(L"sledovaniProcesu", 0), D(L"stopky", 0)}},
        {L"Ctecka RSS",
         {D(L"okno", 0), D(L"oknoNavrchuMinimalizovat", 1), S(L"souborZdroje", data + L"\\ZdrojeRSS.qxml"),
          D(L"vyskaPolozkySeznamu", 60), D(L"zobrazovatPopis", 0)}},
        {L"Hodiny",
         {D(L"barvaPozadi", 0x00D0FFFF), D(L"barvaTextu", 0x00D00000), D(L"datum", 0), D(L"gong", 1),
          S(L"gongSoubor", L""), D(L"ikona", 1), D(L"okno", 4)}},
        {L"Hodiny\\Pismo", pismo},
        {L"Host info", {D(L"minimalizace", 0)}},
        {L"Kontakty",
         {D(L"minimalizovat", 1), D(L"oznamovaciIkona", 1), D(L"oknoSeznam", 0x10007), D(L"pruhUloh", 0),
          D(L"seznamProcentoPruhlednosti", 50), S(L"soubor", data + L"\\Kontakty.qxml"), D(L"trideni", 1),
          D(L"zjistovatStavICQ", 0)}},
        {L"Sonvidar",
         {D(L"ikonaCtrlLeve", 1), D(L"ikonaCtrlShiftLeve", 10), D(L"ikonaLeve", 0), D(L"ikonaShiftLeve", 2),
          D(L"ikonaStredni", 0), D(L"zjistovatInstalaciWME", 0)}},
        {L"Sonvidar\\Zaznam videa",
         {D(L"maxPocetSouboru", 400), D(L"prehrat", 0),
          S(L"slozka", data + (cz ? L"\\Záznam videa" : L"\\Zaznam videa")), S(L"soubor", L"zaznam"),
          D(L"zastavitPriUkonceni", 1)}},
        {L"Sonvidar\\Zaznam zvuku",
         {D(L"maxPocetSouboru", 1000), D(L"prehrat", 0),
          S(L"slozka", data + (cz ? L"\\Záznam zvuku" : L"\\Zaznam zvuku")), S(L"soubor", L"zaznam"),
          D(L"zastavitPriUkonceni", 1)}},
        {L"Obrazovka",
         {D(L"ctrlLeve", 40116), D(L"ctrlShiftLeve", 40116), D(L"ctrlStredni", 40119), D(L"leve", 40113),
          D(L"rCtrlLeve", 40116), D(L"rCtrlRShiftLeve", 40116), D(L"rShiftLeve", 40118), D(L"shiftLeve", 40117),
          D(L"shiftStredni", 40120), D(L"stredni", 40117), D(L"threadPriority", 0)}},
        {L"Mereni useky", {D(L"klavesaZobrazitZoom", 17), D(L"zobrazitZoom", 1), D(L"zoom", 4)}},
        {L"Mereni vyrez", {D(L"klavesaZobrazitZoom", 17), D(L"zobrazitZoom", 1), D(L"zoom", 4)}},
        {L"Opis",
         {D(L"cislovat", 1), D(L"format", 0), D(L"kopirovatDoSchranky", 1), D(L"kvalitaJpeg", 80),
          D(L"maxPocetSouboru", 500), D(L"shellOtevrit", 2), D(L"shellShowCmd", 3),
          S(L"slozka", data + L"\\Opis obrazovky"), S(L"soubor", L"Obrazovka"), D(L"vyrezUlozitPriPrvnim", 1),
          D(L"vyrezZobrazovatSouradnice", 0), D(L"zobrazitInfo", 1), D(L"zoomOpis", 4), D(L"zoomOpisOkna", 2),
          D(L"zoomOpisVyber", 2)}},
        {L"Opis\\Email",
         {S(L"email", L""), D(L"html", 0), S(L"predmet", L"Opis obrazovky z aplikace Kolvex pro Windows"),
          D(L"procentoVelikosti", 100), S(L"textZpravy", L"")}},
        {L"Sberac barvy",
         {D(L"navrchu", 1), D(L"skryvat", 0), D(L"zobrazovatFormatovane", 1), D(L"zobrazovatHSV", 1),
          D(L"zoom", 4)}},
        {L"Ovladani CD",
         {D(L"ctrlLeve", 1), D(L"ctrlShiftLeve", 4), D(L"ikonaObsah", 1), D(L"intervalAktualizace", 10),
          D(L"leve", 1), D(L"rCtrlLeve", 5), D(L"rCtrlRShiftLeve", 7), D(L"rShiftLeve", 4), D(L"shiftLeve", 2),
          D(L"stredni", 2), D(L"threadPriority", 0), D(L"zmenaMedia", 1), D(L"zpravaVlozeni", 0),
          D(L"zpravaVyjmuti", 0)}},
        {L"Pocasi",
         {D(L"ikonaCtrlLeve", 2), D(L"ikonaCtrlShiftLeve", 3), D(L"ikonaLeve", 0), D(L"ikonaShiftLeve", 1),
          D(L"ikonaStredni", 0), S(L"slozkaData", pocasi), D(L"threadPriority", 0)}},
        {L"Pocasi\\Aladin",
         {D(L"intervalAnimace", 20), D(L"konecStahovaniPriChybe", 1), D(L"model", 40204), D(L"oknoNavrchul", 0),
          D(L"oknoPruhledne", 0), D(L"pocatek", 0), D(L"pocetObrazku", 1), D(L"poziceZnacky", 0),
          S(L"slozkaData", pocasi + L"\\Aladin"), D(L"zobrazMistniCas", 1)}},
        {L"Pocasi\\Textova predpoved", {D(L"oknoNavrchu", 0), D(L"oknoPruhledne", 0)}},
        {L"Pocasi\\Snimek druzice",
         {D(L"intervalAnimace", 0), D(L"oknoPruhledne", 0),
          S(L"slozkaData", pocasi + (cz ? L"\\Družicové snímky" : L"\\Druzicove snimky")), D(L"vychoziZdroj", 1)}},
        {L"Poznamky", {D(L"ikonaLeve", 40074)}},
        {L"Poznamky\\FTP pripojeni",
         {S(L"heslo", L""), S(L"server", L""), S(L"uzivatel", L""), D(L"zobrazovatHeslo", 0)}},
        {L"Poznamky\\Textove",
         {D(L"ikonaLeve", 40074), D(L"oknoPoznamka", 0x30007), D(L"oknoSeznam", 0x10007), S(L"slozka", poznamky),
          D(L"trideni", 2)}},
        {L"Poznamky\\Textove\\Pismo", pismo},
        {L"Poznamky\\Zvukove",
         {D(L"ikonaLeve", 40074), D(L"oknoSeznam", 0x10007), S(L"ovladacHlasitosti", L"Mikrofon"),
          D(L"prepnoutOvladac", 1), S(L"slozka", poznamky), D(L"trideni", 2)}},
        {L"Schranka", {}},
        {L"Schranka\\Editor textu",
         {D(L"automatickyUkladatSoubor", 1), D(L"automatickyUkladatText", 1), D(L"potvrzovatOdebrani", 1)}},
        {L"Schranka\\Operativni texty",
         {D(L"automatickyNacitat", 1), D(L"automatickyUkladat", 1), D(L"ikona", 1), D(L"jednoducheKresleni", 0),
          D(L"maxPocet", 30), D(L"maxVyskaPolozky", 200), D(L"oknoMinMax", 1), D(L"oknoNavrchu", 1),
          D(L"oknoTazeni", 1), D(L"poVlozeniZavrit", 1), D(L"vyskaPolozky", 100)}},
        {L"Schranka\\Text do schranky",
         {D(L"ikona", 9), D(L"oknoMinMax", 1), D(L"oknoNavrchu", 1), D(L"oknoTazeni", 1), D(L"poVlozeniZavrit", 1),
          S(L"slozka", data), S(L"soubor", data + L"\\SchrankaVkladaneTexty.tdsdat"), D(L"trideni", 1),
          D(L"zobrazitCbSeznamSouboru", 1), D(L"zobrazitStatusBar", 1), D(L"zobrazitToolBarHlavni", 1)}},
        {L"Seznam registraci",
         {D(L"minimalizovat", 1), D(L"oknoSeznam", 0x30007), D(L"oznamovaciIkona", 1), D(L"pruhUloh", 0),
          D(L"seznamProcentoPruhlednosti", 50), S(L"soubor", data + L"\\Registrace.qxml"), D(L"statusBarHeslo", 0),
          D(L"statusBarPrihlasJmeno", 1), D(L"trideni", 1), D(L"zobrazovatHeslo", 0)}},
        {L"Sledovani pameti",
         {D(L"barvaObsazena", 0x00B0B0FF), D(L"barvaPozadi", 0x00D0FFD0), D(L"barvaText", 0), D(L"ikonaLeve", 1),
          D(L"intervalAktualizace", 1000), D(L"logovat", 0), D(L"maxVelikostLogu", 2000000),
          D(L"threadPriority", 0), D(L"varovaniProcent", 85), D(L"zobrazitObsazena", 1), D(L"zobrazitText", 1)}},
        {L"Sledovani procesu",
         {D(L"ikonaLeve", 1), D(L"intervalAktualizace", 5), D(L"maxPagefileUsage", 180),
          D(L"maxWorkingSetSize", 180), D(L"oknoPoSpusteni", 0), D(L"oknoPruhledne", 0), D(L"oznamovaciIkona", 2),
          D(L"sloupecPagefileUsage", 0xFFFFFFFF), D(L"sloupecPeakWorkingSetSize", 0xFFFFFFFF),
          D(L"sloupecSoubor", 0xFFFFFFFF), D(L"sloupecWorkingSetSize", 0xFFFFFFFF), D(L"statusBar", 0),
          D(L"threadPriority", 0), D(L"toolTipPocet", 5)}},
        {L"Spousteni aplikaci",
         {D(L"oddelovatPodleOpravneni", 1), D(L"trideniAplikaci", 4), D(L"vlastniMenuAplikace", 1),
          D(L"zakazatPolozkySpustene", 0), D(L"zaskrtnoutPolozkySpustene", 0)}},
        {L"Stopky",
         {D(L"barvaPozadi", 0x00D0FFFF), D(L"barvaTextu", 0x00D00000), D(L"ikona", 1), D(L"minimalizovat", 0),
          D(L"okno", 4), D(L"oznamovaciIkona", 2), D(L"zobrazeniVysledku", 1)}},
        {L"Stopky\\Pismo", pismo},
    };
    for (auto& sekce : ocekavany) std::sort(sekce.second.begin(), sekce.second.end());

    Export skutecny = ExportovatRegistr();
    for (const auto& sekce : ocekavany) {
        auto nalezena = skutecny.find(sekce.first);
        if (nalezena == skutecny.end()) {
            ADD_FAILURE() << "missing section " << sekce.first;
            continue;
        }
        EXPECT_EQ(nalezena->second, sekce.second) << "section " << sekce.first;
    }
    for (const auto& sekce : skutecny)
        EXPECT_TRUE(ocekavany.count(sekce.first)) << "unexpected section " << sekce.first;

    // Loaded again, every object reads back the same registry.
    VytvoritVsechnaNastaveni();
    UlozitVsechnaNastaveni();
    EXPECT_EQ(ExportovatRegistr(), skutecny);
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
}

TEST_F(NastaveniNastroju, ChybnyDruhHodnotyHodinOhlasiJednouAOstatniSeNactou) {
    testy::ZachytavacZprav zpravy;
    UlozitDword(L"Hodiny", L"barvaPozadi", 0x112233);
    UlozitText(L"Hodiny", L"gong", L"každou hodinu");  // a string under a u32
    UlozitDword(L"Hodiny", L"datum", 2);
    UlozitDword(L"Hodiny", L"okno", 0x44);
    UlozitDword(L"Hodiny\\Pismo", L"lfHeight", static_cast<DWORD>(-20));
    KonfiguraceHodiny hodiny;
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_EQ(zpravy.zpravy[0].text.rfind(Zprava(IDS_CHYBA_NACTENI_KONFIGURACE_MODULU, L"Hodiny"), 0), 0u)
        << zpravy.zpravy[0].text;
    EXPECT_EQ(zpravy.zpravy[0].titulek, L"Kolvex");
    EXPECT_EQ(hodiny.barvaPozadi, 0x112233u);
    EXPECT_EQ(hodiny.gong, 1u);
    EXPECT_EQ(hodiny.datum, 2u);
    EXPECT_EQ(hodiny.okno, 0x44u);
    EXPECT_TRUE(hodiny.ikona);
    EXPECT_EQ(hodiny.pismo.lfHeight, -20);
    // Written back, the damaged value takes its proper kind again.
    hodiny.Ulozit();
    DWORD gong = 0;
    EXPECT_TRUE(testy::PrecistDword(KLIC + L"\\Hodiny", L"gong", gong));
    EXPECT_EQ(gong, 1u);
}

TEST_F(NastaveniNastroju, ChybejiciSekceNechavajiVychozi) {
    testy::ZachytavacZprav zpravy;
    // Media recorder: the video section missing, the sound section stored.
    UlozitDword(L"Sonvidar", L"ikonaLeve", 11);
    UlozitDword(L"Sonvidar\\Zaznam zvuku", L"maxPocetSouboru", 5);
    UlozitDword(L"Sonvidar\\Zaznam zvuku", L"prehrat", 1);
    // Clock: its font section missing.
    UlozitDword(L"Hodiny", L"gong", 3);
    // Stopwatch: only its font section.
    UlozitText(L"Stopky\\Pismo", L"FaceName", L"Courier New");
    {
        KonfiguraceSonvidar sonvidar;
        EXPECT_EQ(sonvidar.ikonaLeve, 11u);
        EXPECT_EQ(sonvidar.video.maxPocetSouboru, 400u);
        EXPECT_EQ(sonvidar.zvuk.maxPocetSouboru, 5u);
        EXPECT_TRUE(sonvidar.zvuk.prehrat);
        KonfiguraceHodiny hodiny;
        EXPECT_EQ(hodiny.gong, 3u);
        LOGFONTW vychozi = VychoziPismo();
        EXPECT_EQ(memcmp(&hodiny.pismo, &vychozi, sizeof(LOGFONTW)), 0);
        KonfiguraceStopky stopky;
        EXPECT_STREQ(stopky.pismo.lfFaceName, L"Courier New");
        EXPECT_EQ(stopky.okno, 4u);
    }
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
}

TEST_F(NastaveniNastroju, DruziceMaVlastniSekci) {
    testy::ZachytavacZprav zpravy;
    {
        KonfiguracePocasi pocasi;
        pocasi.predpoved.oknoPruhledne = 1;
        pocasi.predpoved.oknoNavrchu = true;
        pocasi.druzice.oknoPruhledne = 0;
        pocasi.druzice.oknoNavrchu = false;
        pocasi.druzice.vychoziZdroj = 2;
        pocasi.Ulozit();
    }
    KonfiguracePocasi pocasi;
    EXPECT_EQ(pocasi.predpoved.oknoPruhledne, 1u);
    EXPECT_TRUE(pocasi.predpoved.oknoNavrchu);
    EXPECT_EQ(pocasi.druzice.oknoPruhledne, 0u);
    EXPECT_FALSE(pocasi.druzice.oknoNavrchu);
    EXPECT_EQ(pocasi.druzice.vychoziZdroj, 2u);

    // A stored weather folder does not move the model-picture and satellite folders.
    UlozitText(L"Pocasi", L"slozkaData", L"C:\\Jinde");
    testy::SmazatKlic(KLIC + L"\\Pocasi\\Aladin");
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, (KLIC + L"\\Pocasi\\Snimek druzice").c_str(), L"slozkaData");
    KonfiguracePocasi znovu;
    EXPECT_EQ(znovu.slozkaData, L"C:\\Jinde");
    EXPECT_EQ(znovu.aladin.slozkaData, data + L"\\Počasí\\Aladin");
    EXPECT_EQ(znovu.druzice.slozkaData.Text().rfind(data + L"\\Počasí\\", 0), 0u);
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
}

// Without its own section (stored by an earlier version), the satellite values are read from
// the shared section where they were kept; once saved, they have their own.
TEST_F(NastaveniNastroju, DruziceBezVlastniSekceCteStareHodnoty) {
    testy::ZachytavacZprav zpravy;
    testy::SmazatKlic(KLIC + L"\\Pocasi\\Snimek druzice");
    UlozitDword(L"Pocasi\\Textova predpoved", L"intervalAnimace", 1);
    UlozitDword(L"Pocasi\\Textova predpoved", L"oknoPruhledne", 40);
    UlozitDword(L"Pocasi\\Textova predpoved", L"vychoziZdroj", 2);
    UlozitText(L"Pocasi\\Textova predpoved", L"slozkaData", L"C:\\Druzice");
    {
        KonfiguracePocasi pocasi;
        EXPECT_TRUE(pocasi.druzice.oknoNavrchu);
        EXPECT_EQ(pocasi.druzice.oknoPruhledne, 40u);
        EXPECT_EQ(pocasi.druzice.vychoziZdroj, 2u);
        EXPECT_EQ(pocasi.druzice.slozkaData, L"C:\\Druzice");
        pocasi.Ulozit();
    }
    EXPECT_TRUE(testy::ExistujeKlic(KLIC + L"\\Pocasi\\Snimek druzice"));
    // from now on the own section counts
    UlozitDword(L"Pocasi\\Textova predpoved", L"vychoziZdroj", 1);
    KonfiguracePocasi znovu;
    EXPECT_EQ(znovu.druzice.vychoziZdroj, 2u);
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
}

TEST_F(NastaveniNastroju, RezimyObrazovkyTamAZpet) {
    testy::ZachytavacZprav zpravy;
    {
        KonfiguraceObrazovka obrazovka;
        EXPECT_TRUE(rezimyObrazovky->rezimy.empty());
        rezimyObrazovky->rezimy = {{0, 1024, 768, 32, 60}, {1, 800, 600, 16, 75}};
        obrazovka.opis.kvalitaJpeg = 95;
        obrazovka.Ulozit();
    }
    DWORD sirka = 0;
    EXPECT_TRUE(testy::PrecistDword(KLIC + L"\\Rezimy obrazovky\\1", L"sirka", sirka));
    EXPECT_EQ(sirka, 800u);
    rezimyObrazovky->rezimy.clear();
    {
        KonfiguraceObrazovka obrazovka;
        ASSERT_EQ(rezimyObrazovky->rezimy.size(), 2u);
        EXPECT_EQ(rezimyObrazovky->rezimy[0].sirka, 1024u);
        EXPECT_EQ(rezimyObrazovky->rezimy[1].frekvence, 75u);
        EXPECT_EQ(rezimyObrazovky->rezimy[1].zarizeni, 1u);
        EXPECT_EQ(obrazovka.opis.kvalitaJpeg, 95u);
        // Saving fewer modes leaves no stale subkey behind.
        rezimyObrazovky->rezimy.pop_back();
        obrazovka.Ulozit();
    }
    EXPECT_FALSE(testy::ExistujeKlic(KLIC + L"\\Rezimy obrazovky\\1"));
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;

    // A damaged list is reported with the screen tool's name; the values are loaded all the same.
    UlozitDword(L"Rezimy obrazovky\\neni cislo", L"sirka", 1);
    KonfiguraceObrazovka obrazovka;
    EXPECT_EQ(obrazovka.opis.kvalitaJpeg, 95u);
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_EQ(zpravy.zpravy[0].text.rfind(Zprava(IDS_CHYBA_NACTENI_KONFIGURACE_MODULU, L"Obrazovka"), 0), 0u)
        << zpravy.zpravy[0].text;
}

TEST_F(NastaveniNastroju, NeuspesneUlozeniOhlasiNastroj) {
    // A volatile "Hodiny" key cannot hold the persistent font section: the save fails there,
    // after the clock's own values were written.
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (KLIC + L"\\Hodiny").c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                                KEY_WRITE, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(h);
    testy::ZachytavacZprav zpravy;
    KonfiguraceHodiny hodiny;
    hodiny.gong = 4;
    hodiny.Ulozit();
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_EQ(zpravy.zpravy[0].text.rfind(Zprava(IDS_CHYBA_ZAPISU_KONFIGURACE_MODULU, L"Hodiny"), 0), 0u)
        << zpravy.zpravy[0].text;
    DWORD gong = 0;
    EXPECT_TRUE(testy::PrecistDword(KLIC + L"\\Hodiny", L"gong", gong));
    EXPECT_EQ(gong, 4u);
}

// Every ranged number of every tool stored as 0, -1 (0xFFFFFFFF), INT_MIN and INT_MAX: loaded,
// each is within its page's range, and the save writes it so; the bounds themselves are kept.
TEST_F(NastaveniNastroju, KazdeCisloMimoRozsahSeNactePoOmezeni) {
    size_t pocet = 0;
    const RozsahNastaveni* rozsahy = RozsahyNastaveni(pocet);
    ASSERT_GT(pocet, 30u);
    const auto zapsatVse = [&](auto hodnota) {
        testy::SmazatKlic(L"Software\\Brenvald\\Kolvex");
        for (size_t i = 0; i < pocet; ++i)
            UlozitDword(NazevSekceRozsahu(rozsahy[i]), rozsahy[i].nazev, hodnota(rozsahy[i]));
    };
    const auto ulozeno = [&](const RozsahNastaveni& r) {
        DWORD h = 0xDEADBEEF;
        EXPECT_TRUE(testy::PrecistDword(KLIC + L"\\" + NazevSekceRozsahu(r), r.nazev, h)) << r.nazev;
        return r.minimum < 0 ? static_cast<long long>(static_cast<int>(h)) : static_cast<long long>(h);
    };
    for (DWORD poskozena : {0u, 0xFFFFFFFFu, 0x80000000u, 0x7FFFFFFFu}) {
        testy::ZachytavacZprav zpravy;
        zapsatVse([&](const RozsahNastaveni&) { return poskozena; });
        VytvoritVsechnaNastaveni();
        UlozitVsechnaNastaveni();
        for (size_t i = 0; i < pocet; ++i) {
            const RozsahNastaveni& r = rozsahy[i];
            const long long h = ulozeno(r);
            EXPECT_GE(h, r.minimum) << NazevSekceRozsahu(r) << L"\\" << r.nazev << " stored " << poskozena;
            EXPECT_LE(h, r.maximum) << NazevSekceRozsahu(r) << L"\\" << r.nazev << " stored " << poskozena;
        }
        EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
    }
    for (bool dolni : {true, false}) {
        zapsatVse([&](const RozsahNastaveni& r) { return static_cast<DWORD>(dolni ? r.minimum : r.maximum); });
        VytvoritVsechnaNastaveni();
        UlozitVsechnaNastaveni();
        for (size_t i = 0; i < pocet; ++i)
            EXPECT_EQ(ulozeno(rozsahy[i]), dolni ? rozsahy[i].minimum : rozsahy[i].maximum) << rozsahy[i].nazev;
    }
    // the two monitors' intervals in particular: no 0 ms timer, no x1000 overflow
    zapsatVse([](const RozsahNastaveni&) { return 0u; });
    VytvoritVsechnaNastaveni();
    EXPECT_EQ(nastaveniSledovaniPameti->intervalAktualizace, 1000u);
    EXPECT_EQ(nastaveniSledovaniProcesu->intervalAktualizace, 1u);
    zapsatVse([](const RozsahNastaveni&) { return 0xFFFFFFFFu; });
    VytvoritVsechnaNastaveni();
    EXPECT_EQ(nastaveniSledovaniPameti->intervalAktualizace, 60000u);
    EXPECT_EQ(nastaveniSledovaniProcesu->intervalAktualizace, 120u);
}

namespace {
std::vector<std::pair<std::wstring, std::wstring>>* cteneHodnoty = nullptr;
void ZaznamenatCteni(const std::wstring& sekce, const wchar_t* nazev) { cteneHodnoty->emplace_back(sekce, nazev); }
}  // namespace

// Not the table but every number a load reads: each has its range (a value used as stored could
// select a command, a window style or an index nobody offers). The walk records what the
// configuration store reads while every tool's settings load from a store that holds them all.
TEST_F(NastaveniNastroju, KazdeCteneCisloMaRozsah) {
    size_t pocet = 0;
    const RozsahNastaveni* rozsahy = RozsahyNastaveni(pocet);
    VytvoritVsechnaNastaveni();
    UlozitVsechnaNastaveni();  // every section exists, so every value is read
    std::vector<std::pair<std::wstring, std::wstring>> ctene;
    cteneHodnoty = &ctene;
    zaznamenatCteniCisla = ZaznamenatCteni;
    VytvoritVsechnaNastaveni();
    zaznamenatCteniCisla = nullptr;
    cteneHodnoty = nullptr;
    ASSERT_GT(ctene.size(), 60u);
    for (const auto& [sekce, nazev] : ctene) {
        const bool ma = std::any_of(rozsahy, rozsahy + pocet, [&](const RozsahNastaveni& r) {
            return nazev == r.nazev && NazevSekceRozsahu(r) == sekce;
        });
        EXPECT_TRUE(ma) << sekce << L"\\" << nazev << " has no range";
    }
    // a number between the listed commands or actions becomes the nearest listed one; flags keep
    // only their own bits
    struct Pripad {
        UINT sekce;
        const wchar_t* nazev;
        DWORD ulozeno, nacteno;
    } pripady[] = {
        {IDS_SEKCE_POCASI_ALADIN, L"model", 5, 0},
        {IDS_SEKCE_POCASI_ALADIN, L"model", 40210, 40207},
        {IDS_SEKCE_OBRAZOVKA, L"leve", 40100, 40113},
        {IDS_SEKCE_OBRAZOVKA, L"stredni", 40001, 40074},  // not "Konec" of the main menu
        {IDS_SEKCE_OVLADANI_CD, L"leve", 6, 5},
        {IDS_SEKCE_SONVIDAR, L"ikonaLeve", 7, 10},
        {IDS_SEKCE_POZNAMKY_TEXTOVE, L"ikonaLeve", 40060, 40059},
        {IDS_SEKCE_OPIS, L"shellOtevrit", 50, 3},
        {IDS_SEKCE_OPIS, L"shellShowCmd", 4, 3},
        {IDS_SEKCE_KONTAKTY, L"oknoSeznam", 0xFFFFFFFF, 0x30037},
        {IDS_SEKCE_HODINY, L"okno", 0x1FF, 0x64},
        {IDS_SEKCE_POCASI_ALADIN, L"poziceZnacky", 0xFFFF0010, 0x0FFF0010},
    };
    for (const Pripad& p : pripady) {
        testy::SmazatKlic(L"Software\\Brenvald\\Kolvex");
        UlozitDword(knihovna::Retezec(p.sekce), p.nazev, p.ulozeno);
        VytvoritVsechnaNastaveni();
        UlozitVsechnaNastaveni();
        DWORD h = 0;
        EXPECT_TRUE(testy::PrecistDword(KLIC + L"\\" + knihovna::Retezec(p.sekce), p.nazev, h));
        EXPECT_EQ(h, p.nacteno) << knihovna::Retezec(p.sekce) << L"\\" << p.nazev << " stored " << p.ulozeno;
    }
    // and each flag set keeps only its own bits
    for (size_t i = 0; i < pocet; ++i)
        if (rozsahy[i].maska) {
            EXPECT_EQ(rozsahy[i].maximum, static_cast<long long>(rozsahy[i].maska)) << rozsahy[i].nazev;
        }
}
