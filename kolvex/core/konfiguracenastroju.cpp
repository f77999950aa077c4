#include "core/konfiguracenastroju.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "knihovna/text.h"
#include "resources/resource.h"

using knihovna::Chyba;
using knihovna::Formatovat;
using knihovna::Retezec;

namespace {

std::wstring SlozkaDat() { return aplikace.nastaveni.slozkaData.Text(); }

// "<section>\Pismo": the font section below an owner's section.
std::wstring SekcePisma(const std::wstring& sekce) {
    return Formatovat(L"%s\\%s", sekce.c_str(), Retezec(IDS_SEKCE_PISMO).c_str());
}

// Window option bits: 0x1, 0x2 (in the defaults), 0x4 on top, 0x10 no title bar, 0x20 transparent,
// 0x10000 drag with Ctrl, 0x20000 status bar. The clock and stopwatch: 0x4, 0x20, 0x40 border.
constexpr DWORD BITY_OKNA = 0x30037;
constexpr DWORD BITY_CASOVACE = 0x64;
constexpr long long BARVA = 0xFFFFFF;
// The section of the launcher's values, which has no string of its own.
constexpr UINT SEKCE_SPOUSTENI = 0;

const RozsahNastaveni ROZSAHY[] = {
    {IDS_SEKCE_CTECKA_RSS, L"okno", 0, 0x24, 0x24},
    {IDS_SEKCE_CTECKA_RSS, L"vyskaPolozkySeznamu", 32, 400},
    {IDS_SEKCE_CTECKA_RSS, L"zobrazovatPopis", 0, 1},
    {IDS_SEKCE_HODINY, L"barvaPozadi", 0, BARVA},
    {IDS_SEKCE_HODINY, L"barvaTextu", 0, BARVA},
    {IDS_SEKCE_HODINY, L"datum", 0, 2},
    {IDS_SEKCE_HODINY, L"gong", 0, 4},
    {IDS_SEKCE_HODINY, L"okno", 0, BITY_CASOVACE, BITY_CASOVACE},
    {IDS_SEKCE_HOST_INFO, L"minimalizace", 0, 2},
    {IDS_SEKCE_KONTAKTY, L"minimalizovat", 0, 3},
    {IDS_SEKCE_KONTAKTY, L"oznamovaciIkona", 0, 2},
    {IDS_SEKCE_KONTAKTY, L"oknoSeznam", 0, BITY_OKNA, BITY_OKNA},
    {IDS_SEKCE_KONTAKTY, L"seznamProcentoPruhlednosti", 0, 100},
    {IDS_SEKCE_KONTAKTY, L"trideni", 0, 1},
    {IDS_SEKCE_SEZNAM_REGISTRACI, L"minimalizovat", 0, 3},
    {IDS_SEKCE_SEZNAM_REGISTRACI, L"oznamovaciIkona", 0, 2},
    {IDS_SEKCE_SEZNAM_REGISTRACI, L"oknoSeznam", 0, BITY_OKNA, BITY_OKNA},
    {IDS_SEKCE_SEZNAM_REGISTRACI, L"seznamProcentoPruhlednosti", 0, 100},
    {IDS_SEKCE_SEZNAM_REGISTRACI, L"trideni", 0, 1},
    // the tray clicks of the recorder driver: actions 0, 1, 2, 10, 11 (see MNOZINY)
    {IDS_SEKCE_SONVIDAR, L"ikonaCtrlLeve", 0, 11},
    {IDS_SEKCE_SONVIDAR, L"ikonaCtrlShiftLeve", 0, 11},
    {IDS_SEKCE_SONVIDAR, L"ikonaLeve", 0, 11},
    {IDS_SEKCE_SONVIDAR, L"ikonaShiftLeve", 0, 11},
    {IDS_SEKCE_SONVIDAR, L"ikonaStredni", 0, 11},
    {IDS_SEKCE_SONVIDAR_VIDEO, L"maxPocetSouboru", 1, 10000},
    {IDS_SEKCE_SONVIDAR_ZVUK, L"maxPocetSouboru", 1, 10000},
    // the screen tool's tray clicks: the commands its page offers (see MNOZINY)
    {IDS_SEKCE_OBRAZOVKA, L"ctrlLeve", 40074, 40129},
    {IDS_SEKCE_OBRAZOVKA, L"ctrlShiftLeve", 40074, 40129},
    {IDS_SEKCE_OBRAZOVKA, L"ctrlStredni", 40074, 40129},
    {IDS_SEKCE_OBRAZOVKA, L"leve", 40074, 40129},
    {IDS_SEKCE_OBRAZOVKA, L"rCtrlLeve", 40074, 40129},
    {IDS_SEKCE_OBRAZOVKA, L"rCtrlRShiftLeve", 40074, 40129},
    {IDS_SEKCE_OBRAZOVKA, L"rShiftLeve", 40074, 40129},
    {IDS_SEKCE_OBRAZOVKA, L"shiftLeve", 40074, 40129},
    {IDS_SEKCE_OBRAZOVKA, L"shiftStredni", 40074, 40129},
    {IDS_SEKCE_OBRAZOVKA, L"stredni", 40074, 40129},
    {IDS_SEKCE_OBRAZOVKA, L"threadPriority", THREAD_PRIORITY_LOWEST, THREAD_PRIORITY_TIME_CRITICAL},
    {IDS_SEKCE_MERENI_USEKY, L"klavesaZobrazitZoom", VK_SHIFT, VK_CONTROL},
    {IDS_SEKCE_MERENI_USEKY, L"zoom", 1, 40},
    {IDS_SEKCE_MERENI_VYREZ, L"klavesaZobrazitZoom", VK_SHIFT, VK_CONTROL},
    {IDS_SEKCE_MERENI_VYREZ, L"zoom", 1, 40},
    {IDS_SEKCE_OPIS, L"format", 0, 4},
    {IDS_SEKCE_OPIS, L"kvalitaJpeg", 1, 100},
    {IDS_SEKCE_OPIS, L"maxPocetSouboru", 1, 10000},
    {IDS_SEKCE_OPIS, L"shellOtevrit", 0, 99},  // 0 none, 1 open, 2 edit, 3 print, 99 ask (see MNOZINY)
    {IDS_SEKCE_OPIS, L"shellShowCmd", SW_SHOWMINIMIZED, SW_SHOW},  // 2, 3 or 5 (see MNOZINY)
    {IDS_SEKCE_OPIS, L"zoomOpis", 1, 16},
    {IDS_SEKCE_OPIS, L"zoomOpisOkna", 1, 16},
    {IDS_SEKCE_OPIS, L"zoomOpisVyber", 1, 16},
    {IDS_SEKCE_OPIS_EMAIL, L"procentoVelikosti", 5, 100},
    {IDS_SEKCE_SBERAC_BARVY, L"zoom", 1, 40},
    // the CD tool's tray clicks: actions 0, 1, 2, 4, 5, 7 (see MNOZINY)
    {IDS_SEKCE_OVLADANI_CD, L"ctrlLeve", 0, 7},
    {IDS_SEKCE_OVLADANI_CD, L"ctrlShiftLeve", 0, 7},
    {IDS_SEKCE_OVLADANI_CD, L"intervalAktualizace", 1, 3600},
    {IDS_SEKCE_OVLADANI_CD, L"leve", 0, 7},
    {IDS_SEKCE_OVLADANI_CD, L"rCtrlLeve", 0, 7},
    {IDS_SEKCE_OVLADANI_CD, L"rCtrlRShiftLeve", 0, 7},
    {IDS_SEKCE_OVLADANI_CD, L"rShiftLeve", 0, 7},
    {IDS_SEKCE_OVLADANI_CD, L"shiftLeve", 0, 7},
    {IDS_SEKCE_OVLADANI_CD, L"stredni", 0, 7},
    {IDS_SEKCE_OVLADANI_CD, L"threadPriority", THREAD_PRIORITY_LOWEST, THREAD_PRIORITY_TIME_CRITICAL},
    // the weather's tray clicks: 0 menu, 1 model pictures, 2 text forecast, 3 satellite picture
    {IDS_SEKCE_POCASI, L"ikonaCtrlLeve", 0, 3},
    {IDS_SEKCE_POCASI, L"ikonaCtrlShiftLeve", 0, 3},
    {IDS_SEKCE_POCASI, L"ikonaLeve", 0, 3},
    {IDS_SEKCE_POCASI, L"ikonaShiftLeve", 0, 3},
    {IDS_SEKCE_POCASI, L"ikonaStredni", 0, 3},
    {IDS_SEKCE_POCASI, L"threadPriority", THREAD_PRIORITY_LOWEST, THREAD_PRIORITY_TIME_CRITICAL},
    {IDS_SEKCE_POCASI_ALADIN, L"intervalAnimace", 1, 36000},
    {IDS_SEKCE_POCASI_ALADIN, L"model", 0, 40207},  // 0 none, or 40203-40207 (see MNOZINY)
    {IDS_SEKCE_POCASI_ALADIN, L"pocatek", 0, 12},
    {IDS_SEKCE_POCASI_ALADIN, L"pocetObrazku", 1, 4},
    {IDS_SEKCE_POCASI_ALADIN, L"poziceZnacky", 0, 0x0FFF0FFF, 0x0FFF0FFF},  // x and y 0..4095
    // "oknoPruhledne": not 0 = transparent (the pages write 2, earlier versions a percentage)
    {IDS_SEKCE_POCASI_DRUZICE, L"oknoPruhledne", 0, 100},
    {IDS_SEKCE_POCASI_DRUZICE, L"vychoziZdroj", 1, 2},
    {IDS_SEKCE_POCASI_TEXT, L"oknoPruhledne", 0, 100},
    // the notes' tray clicks: the commands each page offers (see MNOZINY)
    {IDS_SEKCE_POZNAMKY, L"ikonaLeve", 40059, 40074},
    {IDS_SEKCE_POZNAMKY_TEXTOVE, L"ikonaLeve", 40059, 40074},
    {IDS_SEKCE_POZNAMKY_TEXTOVE, L"oknoPoznamka", 0, BITY_OKNA, BITY_OKNA},
    {IDS_SEKCE_POZNAMKY_TEXTOVE, L"oknoSeznam", 0, BITY_OKNA, BITY_OKNA},
    {IDS_SEKCE_POZNAMKY_TEXTOVE, L"trideni", 1, 2},
    {IDS_SEKCE_POZNAMKY_ZVUKOVE, L"ikonaLeve", 40060, 40074},
    {IDS_SEKCE_POZNAMKY_ZVUKOVE, L"oknoSeznam", 0, BITY_OKNA, BITY_OKNA},
    {IDS_SEKCE_POZNAMKY_ZVUKOVE, L"trideni", 1, 2},
    {IDS_SEKCE_SCHRANKA_OPERATIVNI, L"maxPocet", 1, 100000},  // below the page's 4 the list keeps one text
    {IDS_SEKCE_SCHRANKA_OPERATIVNI, L"vyskaPolozky", 16, 400},
    {IDS_SEKCE_SCHRANKA_OPERATIVNI, L"maxVyskaPolozky", 16, 400},
    {IDS_SEKCE_SCHRANKA_TEXT, L"ikona", 0, 255},
    {IDS_SEKCE_SCHRANKA_TEXT, L"trideni", 0, 2},
    {IDS_SEKCE_SLEDOVANI_PAMETI, L"barvaObsazena", 0, BARVA},
    {IDS_SEKCE_SLEDOVANI_PAMETI, L"barvaPozadi", 0, BARVA},
    {IDS_SEKCE_SLEDOVANI_PAMETI, L"barvaText", 0, BARVA},
    {IDS_SEKCE_SLEDOVANI_PAMETI, L"ikonaLeve", 0, 2},
    {IDS_SEKCE_SLEDOVANI_PAMETI, L"intervalAktualizace", 1000, 60000},
    {IDS_SEKCE_SLEDOVANI_PAMETI, L"maxVelikostLogu", 1000, 50000000},
    {IDS_SEKCE_SLEDOVANI_PAMETI, L"threadPriority", THREAD_PRIORITY_LOWEST, THREAD_PRIORITY_TIME_CRITICAL},
    {IDS_SEKCE_SLEDOVANI_PAMETI, L"varovaniProcent", 10, 300},
    {IDS_SEKCE_SLEDOVANI_PROCESU, L"ikonaLeve", 0, 2},
    {IDS_SEKCE_SLEDOVANI_PROCESU, L"intervalAktualizace", 1, 120},
    {IDS_SEKCE_SLEDOVANI_PROCESU, L"maxPagefileUsage", 5, 10000},
    {IDS_SEKCE_SLEDOVANI_PROCESU, L"maxWorkingSetSize", 5, 10000},
    {IDS_SEKCE_SLEDOVANI_PROCESU, L"oznamovaciIkona", 0, 2},
    {IDS_SEKCE_SLEDOVANI_PROCESU, L"sloupecPagefileUsage", -1, 4000},
    {IDS_SEKCE_SLEDOVANI_PROCESU, L"sloupecPeakWorkingSetSize", -1, 4000},
    {IDS_SEKCE_SLEDOVANI_PROCESU, L"sloupecSoubor", -1, 4000},
    {IDS_SEKCE_SLEDOVANI_PROCESU, L"sloupecWorkingSetSize", -1, 4000},
    {IDS_SEKCE_SLEDOVANI_PROCESU, L"threadPriority", THREAD_PRIORITY_LOWEST, THREAD_PRIORITY_TIME_CRITICAL},
    {IDS_SEKCE_SLEDOVANI_PROCESU, L"toolTipPocet", 1, 50},
    {IDS_SEKCE_STOPKY, L"barvaPozadi", 0, BARVA},
    {IDS_SEKCE_STOPKY, L"barvaTextu", 0, BARVA},
    {IDS_SEKCE_STOPKY, L"minimalizovat", 0, 3},
    {IDS_SEKCE_STOPKY, L"okno", 0, BITY_CASOVACE, BITY_CASOVACE},
    {IDS_SEKCE_STOPKY, L"oznamovaciIkona", 0, 2},
    {IDS_SEKCE_STOPKY, L"zobrazeniVysledku", 0, 1},
    // sort key 1 name, 2 path, 4 rights, 8 key, 0x10 count; 0x10000 descending (see MNOZINY)
    {SEKCE_SPOUSTENI, L"trideniAplikaci", 0, 0x10010},
};

// Values that take only some numbers of their range (commands and actions of a list): a stored
// number that is not one of them becomes the nearest one.
struct MnozinaNastaveni {
    UINT idSekce;
    const wchar_t* nazev;
    std::vector<DWORD> hodnoty;
};
const std::vector<DWORD> AKCE_SONVIDAR = {0, 1, 2, 10, 11};
const std::vector<DWORD> PRIKAZY_OBRAZOVKY = {40074, 40113, 40116, 40117, 40118, 40119, 40120, 40127, 40128, 40129};
const std::vector<DWORD> AKCE_CD = {0, 1, 2, 4, 5, 7};
const MnozinaNastaveni MNOZINY[] = {
    {IDS_SEKCE_SONVIDAR, L"ikonaCtrlLeve", AKCE_SONVIDAR},
    {IDS_SEKCE_SONVIDAR, L"ikonaCtrlShiftLeve", AKCE_SONVIDAR},
    {IDS_SEKCE_SONVIDAR, L"ikonaLeve", AKCE_SONVIDAR},
    {IDS_SEKCE_SONVIDAR, L"ikonaShiftLeve", AKCE_SONVIDAR},
    {IDS_SEKCE_SONVIDAR, L"ikonaStredni", AKCE_SONVIDAR},
    {IDS_SEKCE_OBRAZOVKA, L"ctrlLeve", PRIKAZY_OBRAZOVKY},
    {IDS_SEKCE_OBRAZOVKA, L"ctrlShiftLeve", PRIKAZY_OBRAZOVKY},
    {IDS_SEKCE_OBRAZOVKA, L"ctrlStredni", PRIKAZY_OBRAZOVKY},
    {IDS_SEKCE_OBRAZOVKA, L"leve", PRIKAZY_OBRAZOVKY},
    {IDS_SEKCE_OBRAZOVKA, L"rCtrlLeve", PRIKAZY_OBRAZOVKY},
    {IDS_SEKCE_OBRAZOVKA, L"rCtrlRShiftLeve", PRIKAZY_OBRAZOVKY},
    {IDS_SEKCE_OBRAZOVKA, L"rShiftLeve", PRIKAZY_OBRAZOVKY},
    {IDS_SEKCE_OBRAZOVKA, L"shiftLeve", PRIKAZY_OBRAZOVKY},
    {IDS_SEKCE_OBRAZOVKA, L"shiftStredni", PRIKAZY_OBRAZOVKY},
    {IDS_SEKCE_OBRAZOVKA, L"stredni", PRIKAZY_OBRAZOVKY},
    {IDS_SEKCE_MERENI_USEKY, L"klavesaZobrazitZoom", {VK_SHIFT, VK_CONTROL}},
    {IDS_SEKCE_MERENI_VYREZ, L"klavesaZobrazitZoom", {VK_SHIFT, VK_CONTROL}},
    {IDS_SEKCE_OPIS, L"shellOtevrit", {0, 1, 2, 3, 99}},
    {IDS_SEKCE_OPIS, L"shellShowCmd", {SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED, SW_SHOW}},
    {IDS_SEKCE_OVLADANI_CD, L"ctrlLeve", AKCE_CD},
    {IDS_SEKCE_OVLADANI_CD, L"ctrlShiftLeve", AKCE_CD},
    {IDS_SEKCE_OVLADANI_CD, L"leve", AKCE_CD},
    {IDS_SEKCE_OVLADANI_CD, L"rCtrlLeve", AKCE_CD},
    {IDS_SEKCE_OVLADANI_CD, L"rCtrlRShiftLeve", AKCE_CD},
    {IDS_SEKCE_OVLADANI_CD, L"rShiftLeve", AKCE_CD},
    {IDS_SEKCE_OVLADANI_CD, L"shiftLeve", AKCE_CD},
    {IDS_SEKCE_OVLADANI_CD, L"stredni", AKCE_CD},
    {IDS_SEKCE_POCASI_ALADIN, L"model", {0, 40203, 40204, 40205, 40206, 40207}},
    {IDS_SEKCE_POZNAMKY, L"ikonaLeve", {40059, 40060, 40061, 40062, 40074}},
    {IDS_SEKCE_POZNAMKY_TEXTOVE, L"ikonaLeve", {40059, 40061, 40074}},
    {IDS_SEKCE_POZNAMKY_ZVUKOVE, L"ikonaLeve", {40060, 40062, 40074}},
    {SEKCE_SPOUSTENI, L"trideniAplikaci", {0, 1, 2, 4, 8, 0x10, 0x10001, 0x10002, 0x10004, 0x10008, 0x10010}},
};

// Section names of the table, loaded once (the first load runs before any tool thread).
const std::wstring& NazevSekce(UINT id) {
    static const std::vector<std::pair<UINT, std::wstring>> nazvy = [] {
        std::vector<std::pair<UINT, std::wstring>> v;
        for (const RozsahNastaveni& r : ROZSAHY)
            if (std::none_of(v.begin(), v.end(), [&](const auto& p) { return p.first == r.idSekce; }))
                v.emplace_back(r.idSekce, r.idSekce == SEKCE_SPOUSTENI ? std::wstring(aplikace.klicSpousteniAplikaci)
                                                                       : Retezec(r.idSekce));
        return v;
    }();
    for (const auto& p : nazvy)
        if (p.first == id) return p.second;
    static const std::wstring zadny;
    return zadny;
}

// A walk over an object's values after its load: a number outside its page's range is brought
// to the nearer bound, so a damaged value cannot drive a tool (a 0 ms timer, a x1000 overflow).
class OmezeniNastaveni {
public:
    bool Sekce(const std::wstring& nazev, bool = false) {
        m_sekce = nazev;
        return true;
    }
    void ZavritSekci() {}
    void operator()(const wchar_t* nazev, DWORD& hodnota) {
        if (const RozsahNastaveni* r = Najit(nazev)) {
            if (r->maska) hodnota &= r->maska;
            hodnota = static_cast<DWORD>(std::clamp<long long>(hodnota, std::max(r->minimum, 0LL), r->maximum));
            for (const MnozinaNastaveni& m : MNOZINY)
                if (wcscmp(m.nazev, nazev) == 0 && NazevSekce(m.idSekce) == m_sekce) hodnota = Nejblizsi(m.hodnoty, hodnota);
        }
    }
    void operator()(const wchar_t* nazev, int& hodnota) {
        if (const RozsahNastaveni* r = Najit(nazev)) {
            if (r->maska) hodnota = static_cast<int>(static_cast<DWORD>(hodnota) & r->maska);
            hodnota = static_cast<int>(std::clamp<long long>(hodnota, r->minimum, r->maximum));
        }
    }
    void operator()(const wchar_t*, bool&) {}
    void operator()(const wchar_t*, SdilenyText&) {}
    void Pismo(LOGFONTW&) {}

private:
    static DWORD Nejblizsi(const std::vector<DWORD>& hodnoty, DWORD hodnota) {
        DWORD nejblizsi = hodnoty.front();
        for (DWORD h : hodnoty) {
            const long long rozdil = std::llabs(static_cast<long long>(h) - hodnota);
            if (rozdil < std::llabs(static_cast<long long>(nejblizsi) - hodnota)) nejblizsi = h;
        }
        return nejblizsi;
    }
    const RozsahNastaveni* Najit(const wchar_t* nazev) const {
        for (const RozsahNastaveni& r : ROZSAHY)
            if (wcscmp(r.nazev, nazev) == 0 && NazevSekce(r.idSekce) == m_sekce) return &r;
        return nullptr;
    }
    std::wstring m_sekce;
};

// One load: walk the object's list, then report the first value that could not be read; every
// number is then brought into its range.
template <class K, class H>
void NacistObjekt(K& objekt, H&& hlasit) {
    {
        CteniNastaveni cteni;
        objekt.Projit(cteni);
        cteni.ZavritSekci();
        if (cteni.Selhalo()) hlasit(cteni.PrvniChyba());
    }
    OmezeniNastaveni omezeni;
    objekt.Projit(omezeni);
}

// One save: every value of every section; the first failure ends it and is reported.
template <class K, class H>
void UlozitObjekt(K& objekt, H&& hlasit) {
    try {
        ZapisNastaveni zapis;
        objekt.Projit(zapis);
        zapis.ZavritSekci();
    } catch (const Chyba& chyba) {
        hlasit(chyba);
    }
}

struct HlaseniNacteni {
    UINT idNazvu;
    void operator()(const Chyba& chyba) const {
        HlasitChybuNastaveniId(IDS_CHYBA_NACTENI_KONFIGURACE_MODULU, idNazvu, chyba);
    }
};

struct HlaseniZapisu {
    UINT idNazvu;
    void operator()(const Chyba& chyba) const {
        HlasitChybuNastaveniId(IDS_CHYBA_ZAPISU_KONFIGURACE_MODULU, idNazvu, chyba);
    }
};

// The caught error alone, with an empty message text.
void HlasitBezTextu(const Chyba& chyba) { HlasitChybuNastaveni(0, L"", chyba); }

}  // namespace

const RozsahNastaveni* RozsahyNastaveni(size_t& pocet) {
    pocet = sizeof(ROZSAHY) / sizeof(ROZSAHY[0]);
    return ROZSAHY;
}

const std::wstring& NazevSekceRozsahu(const RozsahNastaveni& rozsah) { return NazevSekce(rozsah.idSekce); }

// ---------------------------------------------------------------------------------------------

KonfiguraceCteckaRSS::KonfiguraceCteckaRSS() : sekce(Retezec(IDS_SEKCE_CTECKA_RSS)) {
    souborZdroje = Formatovat(L"%s\\%s", SlozkaDat().c_str(), L"ZdrojeRSS.qxml");
    Nacist();
}

template <class V>
void KonfiguraceCteckaRSS::Projit(V& v) {
    if (!v.Sekce(sekce)) return;
    v(L"okno", okno);
    v(L"oknoNavrchuMinimalizovat", oknoNavrchuMinimalizovat);
    v(L"souborZdroje", souborZdroje);
    v(L"vyskaPolozkySeznamu", vyskaPolozkySeznamu);
    v(L"zobrazovatPopis", zobrazovatPopis);
}

void KonfiguraceCteckaRSS::Nacist() { NacistObjekt(*this, HlaseniNacteni{IDS_NAZEV_CTECKA_RSS}); }
void KonfiguraceCteckaRSS::Ulozit() { UlozitObjekt(*this, HlaseniZapisu{IDS_NAZEV_CTECKA_RSS}); }

// ---------------------------------------------------------------------------------------------

KonfiguraceHodiny::KonfiguraceHodiny() : pismo(VychoziPismo()), sekce(Retezec(IDS_SEKCE_HODINY)) {
    sekcePisma = SekcePisma(sekce);
    Nacist();
}

template <class V>
void KonfiguraceHodiny::Projit(V& v) {
    if (!v.Sekce(sekce)) return;  // no clock section: the font is not read either
    v(L"barvaPozadi", barvaPozadi);
    v(L"barvaTextu", barvaTextu);
    v(L"datum", datum);
    v(L"gong", gong);
    v(L"gongSoubor", gongSoubor);
    v(L"ikona", ikona);
    v(L"okno", okno);
    if (v.Sekce(sekcePisma)) v.Pismo(pismo);
}

void KonfiguraceHodiny::Nacist() { NacistObjekt(*this, HlaseniNacteni{IDS_NAZEV_HODINY}); }
void KonfiguraceHodiny::Ulozit() { UlozitObjekt(*this, HlaseniZapisu{IDS_NAZEV_HODINY}); }

// ---------------------------------------------------------------------------------------------

KonfiguraceHostInfo::KonfiguraceHostInfo() : sekce(Retezec(IDS_SEKCE_HOST_INFO)) { Nacist(); }

template <class V>
void KonfiguraceHostInfo::Projit(V& v) {
    if (!v.Sekce(sekce)) return;
    v(L"minimalizace", minimalizace);
}

void KonfiguraceHostInfo::Nacist() { NacistObjekt(*this, HlaseniNacteni{IDS_NAZEV_HOST_INFO}); }
void KonfiguraceHostInfo::Ulozit() { UlozitObjekt(*this, HlaseniZapisu{IDS_NAZEV_HOST_INFO}); }

// ---------------------------------------------------------------------------------------------

KonfiguraceKontakty::KonfiguraceKontakty() : sekce(Retezec(IDS_SEKCE_KONTAKTY)) {
    NastavitVychozi();
    Nacist();
}

void KonfiguraceKontakty::NastavitVychozi() {
    minimalizovat = 1;
    oznamovaciIkona = 1;
    oknoSeznam = 0x10007;
    pruhUloh = false;
    seznamProcentoPruhlednosti = 50;
    soubor = SlozkaDat() + L"\\Kontakty.qxml";
    trideni = 1;
    zjistovatStavICQ = false;
}

template <class V>
void KonfiguraceKontakty::Projit(V& v) {
    if (!v.Sekce(sekce)) return;
    v(L"minimalizovat", minimalizovat);
    v(L"oznamovaciIkona", oznamovaciIkona);
    v(L"oknoSeznam", oknoSeznam);
    v(L"pruhUloh", pruhUloh);
    v(L"seznamProcentoPruhlednosti", seznamProcentoPruhlednosti);
    v(L"soubor", soubor);
    v(L"trideni", trideni);
    v(L"zjistovatStavICQ", zjistovatStavICQ);
}

// The contacts' messages carry an empty module name.
void KonfiguraceKontakty::Nacist() {
    NacistObjekt(*this, [](const Chyba& c) { HlasitChybuNastaveni(IDS_CHYBA_NACTENI_KONFIGURACE_MODULU, L"", c); });
}
void KonfiguraceKontakty::Ulozit() {
    UlozitObjekt(*this, [](const Chyba& c) { HlasitChybuNastaveni(IDS_CHYBA_ZAPISU_KONFIGURACE_MODULU, L"", c); });
}

// ---------------------------------------------------------------------------------------------

KonfiguraceSonvidar::KonfiguraceSonvidar()
    : sekce(Retezec(IDS_SEKCE_SONVIDAR)),
      sekceVideo(Retezec(IDS_SEKCE_SONVIDAR_VIDEO)),
      sekceZvuk(Retezec(IDS_SEKCE_SONVIDAR_ZVUK)) {
    NastavitVychozi();
    Nacist();
}

void KonfiguraceSonvidar::NastavitVychozi() {
    ikonaCtrlLeve = 1;
    ikonaCtrlShiftLeve = 10;
    ikonaLeve = 0;
    ikonaShiftLeve = 2;
    ikonaStredni = 0;
    zjistovatInstalaciWME = false;
    const bool cesky = aplikace.ceskeProstredi;
    video.maxPocetSouboru = 400;
    video.prehrat = false;
    video.slozka = SlozkaDat() + (cesky ? L"\\Záznam videa" : L"\\Zaznam videa");
    video.soubor = L"zaznam";
    video.zastavitPriUkonceni = true;
    zvuk.maxPocetSouboru = 1000;
    zvuk.prehrat = false;
    zvuk.slozka = SlozkaDat() + (cesky ? L"\\Záznam zvuku" : L"\\Zaznam zvuku");
    zvuk.soubor = L"zaznam";
    zvuk.zastavitPriUkonceni = true;
}

namespace {
template <class V>
void ProjitZaznam(V& v, NastaveniZaznamu& z) {
    v(L"maxPocetSouboru", z.maxPocetSouboru);
    v(L"prehrat", z.prehrat);
    v(L"slozka", z.slozka);
    v(L"soubor", z.soubor);
    v(L"zastavitPriUkonceni", z.zastavitPriUkonceni);
}
}  // namespace

template <class V>
void KonfiguraceSonvidar::Projit(V& v) {
    if (!v.Sekce(sekce)) return;  // neither recording section is read then
    v(L"ikonaCtrlLeve", ikonaCtrlLeve);
    v(L"ikonaCtrlShiftLeve", ikonaCtrlShiftLeve);
    v(L"ikonaLeve", ikonaLeve);
    v(L"ikonaShiftLeve", ikonaShiftLeve);
    v(L"ikonaStredni", ikonaStredni);
    v(L"zjistovatInstalaciWME", zjistovatInstalaciWME);
    if (v.Sekce(sekceVideo)) ProjitZaznam(v, video);
    if (v.Sekce(sekceZvuk)) ProjitZaznam(v, zvuk);
}

void KonfiguraceSonvidar::Nacist() { NacistObjekt(*this, HlasitBezTextu); }
void KonfiguraceSonvidar::Ulozit() { UlozitObjekt(*this, HlasitBezTextu); }

void KonfiguraceSonvidar::VytvoritSlozky() {
    ZkusitVytvoritSlozku(video.slozka);
    ZkusitVytvoritSlozku(zvuk.slozka);
}

// ---------------------------------------------------------------------------------------------

KonfiguraceObrazovka::KonfiguraceObrazovka()
    : sekce(Retezec(IDS_SEKCE_OBRAZOVKA)),
      sekceMereniUseky(Retezec(IDS_SEKCE_MERENI_USEKY)),
      sekceMereniVyrez(Retezec(IDS_SEKCE_MERENI_VYREZ)),
      sekceOpis(Retezec(IDS_SEKCE_OPIS)),
      sekceOpisEmail(Retezec(IDS_SEKCE_OPIS_EMAIL)),
      sekceSberacBarvy(Retezec(IDS_SEKCE_SBERAC_BARVY)) {
    NastavitVychozi();
    Nacist();
}

void KonfiguraceObrazovka::NastavitVychozi() {
    ctrlLeve = 40116;
    ctrlShiftLeve = 40116;
    ctrlStredni = 40119;
    leve = 40113;
    rCtrlLeve = 40116;
    rCtrlRShiftLeve = 40116;
    rShiftLeve = 40118;
    shiftLeve = 40117;
    shiftStredni = 40120;
    stredni = 40117;
    threadPriority = 0;
    mereniUseky = NastaveniMereni();
    mereniVyrez = NastaveniMereni();
    opis = NastaveniOpisu();
    opis.slozka = SlozkaDat() + L"\\Opis obrazovky";
    opisEmail = NastaveniOpisuEmailem();
    sberacBarvy = NastaveniSberaceBarvy();
    vyberOknaPozice = 5;
    vyberOknaPresunoutKurzor = true;
    if (rezimyObrazovky) {
        knihovna::Zamek zamek(rezimyObrazovky->zamek);  // the screen thread may read the list
        rezimyObrazovky->rezimy.clear();
    }
}

namespace {
template <class V>
void ProjitMereni(V& v, NastaveniMereni& m) {
    v(L"klavesaZobrazitZoom", m.klavesaZobrazitZoom);
    v(L"zobrazitZoom", m.zobrazitZoom);
    v(L"zoom", m.zoom);
}
}  // namespace

// Every section stands by itself: one that cannot be opened leaves only its own defaults.
template <class V>
void KonfiguraceObrazovka::Projit(V& v) {
    if (v.Sekce(sekce)) {
        v(L"ctrlLeve", ctrlLeve);
        v(L"ctrlShiftLeve", ctrlShiftLeve);
        v(L"ctrlStredni", ctrlStredni);
        v(L"leve", leve);
        v(L"rCtrlLeve", rCtrlLeve);
        v(L"rCtrlRShiftLeve", rCtrlRShiftLeve);
        v(L"rShiftLeve", rShiftLeve);
        v(L"shiftLeve", shiftLeve);
        v(L"shiftStredni", shiftStredni);
        v(L"stredni", stredni);
        v(L"threadPriority", threadPriority);
    }
    if (v.Sekce(sekceMereniUseky)) ProjitMereni(v, mereniUseky);
    if (v.Sekce(sekceMereniVyrez)) ProjitMereni(v, mereniVyrez);
    if (v.Sekce(sekceOpis)) {
        v(L"cislovat", opis.cislovat);
        v(L"format", opis.format);
        v(L"kopirovatDoSchranky", opis.kopirovatDoSchranky);
        v(L"kvalitaJpeg", opis.kvalitaJpeg);
        v(L"maxPocetSouboru", opis.maxPocetSouboru);
        v(L"shellOtevrit", opis.shellOtevrit);
        v(L"shellShowCmd", opis.shellShowCmd);
        v(L"slozka", opis.slozka);
        v(L"soubor", opis.soubor);
        v(L"vyrezUlozitPriPrvnim", opis.vyrezUlozitPriPrvnim);
        v(L"vyrezZobrazovatSouradnice", opis.vyrezZobrazovatSouradnice);
        v(L"zobrazitInfo", opis.zobrazitInfo);
        v(L"zoomOpis", opis.zoomOpis);
        v(L"zoomOpisOkna", opis.zoomOpisOkna);
        v(L"zoomOpisVyber", opis.zoomOpisVyber);
    }
    if (v.Sekce(sekceOpisEmail)) {
        v(L"email", opisEmail.email);
        v(L"html", opisEmail.html);
        v(L"predmet", opisEmail.predmet);
        v(L"procentoVelikosti", opisEmail.procentoVelikosti);
        v(L"textZpravy", opisEmail.textZpravy);
    }
    if (v.Sekce(sekceSberacBarvy)) {
        v(L"navrchu", sberacBarvy.navrchu);
        v(L"skryvat", sberacBarvy.skryvat);
        v(L"zobrazovatFormatovane", sberacBarvy.zobrazovatFormatovane);
        v(L"zobrazovatHSV", sberacBarvy.zobrazovatHSV);
        v(L"zoom", sberacBarvy.zoom);
    }
    v.ZavritSekci();
}

void KonfiguraceObrazovka::Nacist() {
    NacistObjekt(*this, HlaseniNacteni{IDS_NAZEV_OBRAZOVKA});
    if (!rezimyObrazovky) return;
    CteniNastaveni cteni;
    cteni.Krok([] { NacistRezimyObrazovky(*rezimyObrazovky); });
    if (cteni.Selhalo()) HlaseniNacteni{IDS_NAZEV_OBRAZOVKA}(cteni.PrvniChyba());
}

void KonfiguraceObrazovka::Ulozit() {
    try {
        ZapisNastaveni zapis;
        Projit(zapis);
        if (rezimyObrazovky) UlozitRezimyObrazovky(*rezimyObrazovky);
    } catch (const Chyba& chyba) {
        HlaseniZapisu{IDS_NAZEV_OBRAZOVKA}(chyba);
    }
}

// ---------------------------------------------------------------------------------------------

KonfiguraceOvladaniCD::KonfiguraceOvladaniCD() : sekce(Retezec(IDS_SEKCE_OVLADANI_CD)) { Nacist(); }

template <class V>
void KonfiguraceOvladaniCD::Projit(V& v) {
    if (!v.Sekce(sekce)) return;
    v(L"ctrlLeve", ctrlLeve);
    v(L"ctrlShiftLeve", ctrlShiftLeve);
    v(L"ikonaObsah", ikonaObsah);
    v(L"intervalAktualizace", intervalAktualizace);
    v(L"leve", leve);
    v(L"rCtrlLeve", rCtrlLeve);
    v(L"rCtrlRShiftLeve", rCtrlRShiftLeve);
    v(L"rShiftLeve", rShiftLeve);
    v(L"shiftLeve", shiftLeve);
    v(L"stredni", stredni);
    v(L"threadPriority", threadPriority);
    v(L"zmenaMedia", zmenaMedia);
    v(L"zpravaVlozeni", zpravaVlozeni);
    v(L"zpravaVyjmuti", zpravaVyjmuti);
}

void KonfiguraceOvladaniCD::Nacist() { NacistObjekt(*this, HlaseniNacteni{IDS_NAZEV_OVLADANI_CD}); }
void KonfiguraceOvladaniCD::Ulozit() { UlozitObjekt(*this, HlaseniZapisu{IDS_NAZEV_OVLADANI_CD}); }

// ---------------------------------------------------------------------------------------------

KonfiguracePocasi::KonfiguracePocasi()
    : sekce(Retezec(IDS_SEKCE_POCASI)),
      sekceAladin(Retezec(IDS_SEKCE_POCASI_ALADIN)),
      sekcePredpoved(Retezec(IDS_SEKCE_POCASI_TEXT)),
      sekceDruzice(Retezec(IDS_SEKCE_POCASI_DRUZICE)) {
    NastavitVychozi();
    Nacist();
}

void KonfiguracePocasi::NastavitVychozi() {
    ikonaCtrlLeve = 2;
    ikonaCtrlShiftLeve = 3;
    ikonaLeve = 0;
    ikonaShiftLeve = 1;
    ikonaStredni = 0;
    const std::wstring slozka = SlozkaDat() + L"\\Počasí";  // with diacritics in every locale
    slozkaData = slozka;
    threadPriority = 0;
    // Formed from the weather folder's default: a stored weather folder does not move them.
    aladin = NastaveniAladin();
    aladin.slozkaData = Formatovat(L"%s\\Aladin", slozka.c_str());
    predpoved = NastaveniPredpovedi();
    druzice = NastaveniDruzice();
    druzice.slozkaData = slozka + (aplikace.ceskeProstredi ? L"\\Družicové snímky" : L"\\Druzicove snimky");
}

template <class V>
void KonfiguracePocasi::Projit(V& v) {
    if (v.Sekce(sekce)) {
        v(L"ikonaCtrlLeve", ikonaCtrlLeve);
        v(L"ikonaCtrlShiftLeve", ikonaCtrlShiftLeve);
        v(L"ikonaLeve", ikonaLeve);
        v(L"ikonaShiftLeve", ikonaShiftLeve);
        v(L"ikonaStredni", ikonaStredni);
        v(L"slozkaData", slozkaData);
        v(L"threadPriority", threadPriority);
    }
    if (v.Sekce(sekceAladin)) {
        v(L"intervalAnimace", aladin.intervalAnimace);
        v(L"konecStahovaniPriChybe", aladin.konecStahovaniPriChybe);
        v(L"model", aladin.model);
        v(L"oknoNavrchul", aladin.oknoNavrchu);
        v(L"oknoPruhledne", aladin.oknoPruhledne);
        v(L"pocatek", aladin.pocatek);
        v(L"pocetObrazku", aladin.pocetObrazku);
        v(L"poziceZnacky", aladin.poziceZnacky);
        v(L"slozkaData", aladin.slozkaData);
        v(L"zobrazMistniCas", aladin.zobrazMistniCas);
    }
    if (v.Sekce(sekcePredpoved)) {
        v(L"oknoNavrchu", predpoved.oknoNavrchu);
        v(L"oknoPruhledne", predpoved.oknoPruhledne);
    }
    // The satellite window has its own section, so its values no longer overwrite the forecast's.
    // Until that section exists (the first save makes it), the values are read from the shared
    // section where earlier versions kept them.
    auto druziceHodnoty = [&] {
        v(L"intervalAnimace", druzice.oknoNavrchu);
        v(L"oknoPruhledne", druzice.oknoPruhledne);
        v(L"slozkaData", druzice.slozkaData);
        v(L"vychoziZdroj", druzice.vychoziZdroj);
    };
    if (v.Sekce(sekceDruzice))
        druziceHodnoty();
    else if (v.Sekce(sekcePredpoved))
        druziceHodnoty();
}

void KonfiguracePocasi::Nacist() { NacistObjekt(*this, HlaseniNacteni{IDS_NAZEV_POCASI}); }
void KonfiguracePocasi::Ulozit() { UlozitObjekt(*this, HlasitBezTextu); }

void KonfiguracePocasi::VytvoritSlozky() {
    ZkusitVytvoritSlozku(slozkaData);
    ZkusitVytvoritSlozku(aladin.slozkaData);
    ZkusitVytvoritSlozku(druzice.slozkaData);
}

// ---------------------------------------------------------------------------------------------

KonfiguracePoznamky::KonfiguracePoznamky()
    : sekce(Retezec(IDS_SEKCE_POZNAMKY)),
      sekceFtp(Retezec(IDS_SEKCE_POZNAMKY_FTP)),
      sekceTextove(Retezec(IDS_SEKCE_POZNAMKY_TEXTOVE)),
      sekceZvukove(Retezec(IDS_SEKCE_POZNAMKY_ZVUKOVE)) {
    sekcePisma = SekcePisma(sekceTextove);
    NastavitVychozi();
    Nacist();
}

void KonfiguracePoznamky::NastavitVychozi() {
    ikonaLeve = 40074;
    ftp = NastaveniFtp();
    const std::wstring slozka = SlozkaDat() + (aplikace.ceskeProstredi ? L"\\Poznámky" : L"\\Poznamky");
    textove = NastaveniTextovychPoznamek();
    textove.slozka = slozka;
    pismo = VychoziPismo();
    zvukove = NastaveniZvukovychPoznamek();
    zvukove.slozka = slozka;
}

template <class V>
void KonfiguracePoznamky::Projit(V& v) {
    if (v.Sekce(sekce)) v(L"ikonaLeve", ikonaLeve);
    if (v.Sekce(sekceFtp)) {
        v(L"heslo", ftp.heslo);
        v(L"server", ftp.server);
        v(L"uzivatel", ftp.uzivatel);
        v(L"zobrazovatHeslo", ftp.zobrazovatHeslo);
    }
    if (v.Sekce(sekceTextove)) {
        v(L"ikonaLeve", textove.ikonaLeve);
        v(L"oknoPoznamka", textove.oknoPoznamka);
        v(L"oknoSeznam", textove.oknoSeznam);
        v(L"slozka", textove.slozka);
        v(L"trideni", textove.trideni);
    }
    if (v.Sekce(sekcePisma)) v.Pismo(pismo);
    if (v.Sekce(sekceZvukove)) {
        v(L"ikonaLeve", zvukove.ikonaLeve);
        v(L"oknoSeznam", zvukove.oknoSeznam);
        v(L"ovladacHlasitosti", zvukove.ovladacHlasitosti);
        v(L"prepnoutOvladac", zvukove.prepnoutOvladac);
        v(L"slozka", zvukove.slozka);
        v(L"trideni", zvukove.trideni);
    }
}

void KonfiguracePoznamky::Nacist() { NacistObjekt(*this, HlaseniNacteni{IDS_NAZEV_POZNAMKY}); }
void KonfiguracePoznamky::Ulozit() { UlozitObjekt(*this, HlaseniZapisu{IDS_NAZEV_POZNAMKY}); }

void KonfiguracePoznamky::VytvoritSlozky() {
    ZkusitVytvoritSlozku(textove.slozka);
    ZkusitVytvoritSlozku(zvukove.slozka);
}

// ---------------------------------------------------------------------------------------------

KonfiguraceRozsireniOken::KonfiguraceRozsireniOken() : sekce(Retezec(IDS_SEKCE_ROZSIRENI_OKEN)) {
    NastavitVychozi();
    Nacist();
}

void KonfiguraceRozsireniOken::NastavitVychozi() {
    procentoPruhlednosti = 50;
    krokPruhlednosti = 8;
    krokVelikosti = 4;
    informovatPoSkryti = true;
    static const DWORD vychozi[POCET_GEST] = {
        3, 2, 0,            // Ctrl, Shift, Ctrl+Shift + left button in the title bar
        4, 0, 0, 0,         // middle button in the title bar: plain, Ctrl, Shift, Ctrl+Shift
        1, 0, 0, 0,         // right button on the close button: plain, Ctrl, Shift, Ctrl+Shift
        0, 10, 11, 0,       // back button: plain, Ctrl, Shift, Ctrl+Shift
        20, 13, 12, 0,      // forward button: plain, Ctrl, Shift, Ctrl+Shift
        30, 2, 0, 31, 3, 0  // wheel towards the user: Ctrl, Ctrl+Shift, Shift; away: the same
    };
    for (int i = 0; i < POCET_GEST; ++i) akceGest[i] = vychozi[i];
}

// ---------------------------------------------------------------------------------------------

KonfiguraceSchranka::KonfiguraceSchranka()
    : sekce(Retezec(IDS_SEKCE_SCHRANKA)),
      sekceEditor(Retezec(IDS_SEKCE_SCHRANKA_EDITOR)),
      sekceOperativni(Retezec(IDS_SEKCE_SCHRANKA_OPERATIVNI)),
      sekceTextDoSchranky(Retezec(IDS_SEKCE_SCHRANKA_TEXT)) {
    NastavitVychozi();
    Nacist();
}

void KonfiguraceSchranka::NastavitVychozi() {
    editor = NastaveniEditoruTextu();
    operativni = NastaveniOperativnichTextu();
    textDoSchranky = NastaveniTextuDoSchranky();
    textDoSchranky.slozka = SlozkaDat();
    textDoSchranky.soubor = SlozkaDat() + L"\\SchrankaVkladaneTexty.tdsdat";
}

template <class V>
void KonfiguraceSchranka::Projit(V& v) {
    if (v.Sekce(sekceEditor)) {
        v(L"automatickyUkladatSoubor", editor.automatickyUkladatSoubor);
        v(L"automatickyUkladatText", editor.automatickyUkladatText);
        v(L"potvrzovatOdebrani", editor.potvrzovatOdebrani);
    }
    if (v.Sekce(sekceOperativni)) {
        v(L"automatickyNacitat", operativni.automatickyNacitat);
        v(L"automatickyUkladat", operativni.automatickyUkladat);
        v(L"ikona", operativni.ikona);
        v(L"jednoducheKresleni", operativni.jednoducheKresleni);
        v(L"maxPocet", operativni.maxPocet);
        v(L"maxVyskaPolozky", operativni.maxVyskaPolozky);
        v(L"oknoMinMax", operativni.oknoMinMax);
        v(L"oknoNavrchu", operativni.oknoNavrchu);
        v(L"oknoTazeni", operativni.oknoTazeni);
        v(L"poVlozeniZavrit", operativni.poVlozeniZavrit);
        v(L"vyskaPolozky", operativni.vyskaPolozky);
    }
    if (v.Sekce(sekceTextDoSchranky)) {
        v(L"ikona", textDoSchranky.ikona);
        v(L"oknoMinMax", textDoSchranky.oknoMinMax);
        v(L"oknoNavrchu", textDoSchranky.oknoNavrchu);
        v(L"oknoTazeni", textDoSchranky.oknoTazeni);
        v(L"poVlozeniZavrit", textDoSchranky.poVlozeniZavrit);
        v(L"slozka", textDoSchranky.slozka);
        v(L"soubor", textDoSchranky.soubor);
        v(L"trideni", textDoSchranky.trideni);
        v(L"zobrazitCbSeznamSouboru", textDoSchranky.zobrazitCbSeznamSouboru);
        v(L"zobrazitStatusBar", textDoSchranky.zobrazitStatusBar);
        v(L"zobrazitToolBarHlavni", textDoSchranky.zobrazitToolBarHlavni);
    }
}

void KonfiguraceSchranka::Nacist() {
    NacistObjekt(*this, HlaseniNacteni{IDS_NAZEV_SCHRANKA});
}
void KonfiguraceSchranka::Ulozit() { UlozitObjekt(*this, HlaseniZapisu{IDS_NAZEV_SCHRANKA}); }

// ---------------------------------------------------------------------------------------------

KonfiguraceSeznamRegistraci::KonfiguraceSeznamRegistraci() : sekce(Retezec(IDS_SEKCE_SEZNAM_REGISTRACI)) {
    NastavitVychozi();
    Nacist();
}

void KonfiguraceSeznamRegistraci::NastavitVychozi() {
    minimalizovat = 1;
    oknoSeznam = 0x30007;
    oznamovaciIkona = 1;
    pruhUloh = false;
    seznamProcentoPruhlednosti = 50;
    soubor = SlozkaDat() + L"\\Registrace.qxml";
    statusBarHeslo = false;
    statusBarPrihlasJmeno = true;
    trideni = 1;
    zobrazovatHeslo = false;
}

template <class V>
void KonfiguraceSeznamRegistraci::Projit(V& v) {
    if (!v.Sekce(sekce)) return;
    v(L"minimalizovat", minimalizovat);
    v(L"oknoSeznam", oknoSeznam);
    v(L"oznamovaciIkona", oznamovaciIkona);
    v(L"pruhUloh", pruhUloh);
    v(L"seznamProcentoPruhlednosti", seznamProcentoPruhlednosti);
    v(L"soubor", soubor);
    v(L"statusBarHeslo", statusBarHeslo);
    v(L"statusBarPrihlasJmeno", statusBarPrihlasJmeno);
    v(L"trideni", trideni);
    v(L"zobrazovatHeslo", zobrazovatHeslo);
}

void KonfiguraceSeznamRegistraci::Nacist() { NacistObjekt(*this, HlaseniNacteni{IDS_NAZEV_SEZNAM_REGISTRACI}); }
void KonfiguraceSeznamRegistraci::Ulozit() { UlozitObjekt(*this, HlaseniZapisu{IDS_NAZEV_SEZNAM_REGISTRACI}); }

// ---------------------------------------------------------------------------------------------

KonfiguraceSledovaniPameti::KonfiguraceSledovaniPameti() : sekce(Retezec(IDS_SEKCE_SLEDOVANI_PAMETI)) { Nacist(); }

template <class V>
void KonfiguraceSledovaniPameti::Projit(V& v) {
    if (!v.Sekce(sekce)) return;
    v(L"barvaObsazena", barvaObsazena);
    v(L"barvaPozadi", barvaPozadi);
    v(L"barvaText", barvaText);
    v(L"ikonaLeve", ikonaLeve);
    v(L"intervalAktualizace", intervalAktualizace);
    v(L"logovat", logovat);
    v(L"maxVelikostLogu", maxVelikostLogu);
    v(L"threadPriority", threadPriority);
    v(L"varovaniProcent", varovaniProcent);
    v(L"zobrazitObsazena", zobrazitObsazena);
    v(L"zobrazitText", zobrazitText);
}

void KonfiguraceSledovaniPameti::Nacist() { NacistObjekt(*this, HlaseniNacteni{IDS_NAZEV_SLEDOVANI_PAMETI}); }
void KonfiguraceSledovaniPameti::Ulozit() { UlozitObjekt(*this, HlaseniZapisu{IDS_NAZEV_SLEDOVANI_PAMETI}); }

// ---------------------------------------------------------------------------------------------

KonfiguraceSledovaniProcesu::KonfiguraceSledovaniProcesu() : sekce(Retezec(IDS_SEKCE_SLEDOVANI_PROCESU)) {
    Nacist();
}

template <class V>
void KonfiguraceSledovaniProcesu::Projit(V& v) {
    if (!v.Sekce(sekce)) return;
    v(L"ikonaLeve", ikonaLeve);
    v(L"intervalAktualizace", intervalAktualizace);
    v(L"maxPagefileUsage", maxPagefileUsage);
    v(L"maxWorkingSetSize", maxWorkingSetSize);
    v(L"oknoPoSpusteni", oknoPoSpusteni);
    v(L"oknoPruhledne", oknoPruhledne);
    v(L"oznamovaciIkona", oznamovaciIkona);
    v(L"sloupecPagefileUsage", sloupecPagefileUsage);
    v(L"sloupecPeakWorkingSetSize", sloupecPeakWorkingSetSize);
    v(L"sloupecSoubor", sloupecSoubor);
    v(L"sloupecWorkingSetSize", sloupecWorkingSetSize);
    v(L"statusBar", statusBar);
    v(L"threadPriority", threadPriority);
    v(L"toolTipPocet", toolTipPocet);
}

void KonfiguraceSledovaniProcesu::Nacist() { NacistObjekt(*this, HlaseniNacteni{IDS_NAZEV_SLEDOVANI_PROCESU}); }
void KonfiguraceSledovaniProcesu::Ulozit() { UlozitObjekt(*this, HlaseniZapisu{IDS_NAZEV_SLEDOVANI_PROCESU}); }

// ---------------------------------------------------------------------------------------------

// The launcher's key is created by the load as well; its messages name the program.
template <class V>
void KonfiguraceSpousteniAplikaci::Projit(V& v) {
    if (!v.Sekce(aplikace.klicSpousteniAplikaci, true)) return;
    v(L"oddelovatPodleOpravneni", oddelovatPodleOpravneni);
    v(L"trideniAplikaci", trideniAplikaci);
    v(L"vlastniMenuAplikace", vlastniMenuAplikace);
    v(L"zakazatPolozkySpustene", zakazatPolozkySpustene);
    v(L"zaskrtnoutPolozkySpustene", zaskrtnoutPolozkySpustene);
}

void KonfiguraceSpousteniAplikaci::Nacist() {
    NacistObjekt(*this, [](const Chyba& c) {
        HlasitChybuNastaveni(IDS_CHYBA_NACTENI_KONFIGURACE_MODULU, aplikace.titulek, c);
    });
}

void KonfiguraceSpousteniAplikaci::Ulozit() {
    UlozitObjekt(*this, [](const Chyba& c) {
        HlasitChybuNastaveni(IDS_CHYBA_ZAPISU_KONFIGURACE_MODULU, aplikace.titulek, c);
    });
}

// ---------------------------------------------------------------------------------------------

KonfiguraceStopky::KonfiguraceStopky() : sekce(Retezec(IDS_SEKCE_STOPKY)) {
    sekcePisma = SekcePisma(sekce);
    NastavitVychozi();
    Nacist();
}

void KonfiguraceStopky::NastavitVychozi() {
    barvaPozadi = 0x00D0FFFF;
    barvaTextu = 0x00D00000;
    ikona = true;
    minimalizovat = 0;
    okno = 4;
    oznamovaciIkona = 2;
    zobrazeniVysledku = 1;
    pismo = VychoziPismo();
}

template <class V>
void KonfiguraceStopky::Projit(V& v) {
    if (v.Sekce(sekce)) {
        v(L"barvaPozadi", barvaPozadi);
        v(L"barvaTextu", barvaTextu);
        v(L"ikona", ikona);
        v(L"minimalizovat", minimalizovat);
        v(L"okno", okno);
        v(L"oznamovaciIkona", oznamovaciIkona);
        v(L"zobrazeniVysledku", zobrazeniVysledku);
    }
    if (v.Sekce(sekcePisma)) v.Pismo(pismo);
}

void KonfiguraceStopky::Nacist() { NacistObjekt(*this, HlaseniNacteni{IDS_NAZEV_STOPKY}); }
void KonfiguraceStopky::Ulozit() { UlozitObjekt(*this, HlaseniZapisu{IDS_NAZEV_STOPKY}); }
