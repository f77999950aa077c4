// Settings objects of the tools: one record per tool, held by a global nastaveni<X>.
//
// The constructor sets the defaults (derived folders from the data folder and the Czech-locale
// flag as they are at that moment), loads the section names from the string table (a missing
// one raises and fails start-up) and loads the stored values. Each value replaces its default
// only when it is stored; a value of the wrong kind is reported once per load ("Došlo k chybě
// při načítání konfigurace modulu ...") and the others still load. Ulozit writes every value;
// a failure ends it with "Došlo k chybě při zápisu konfigurace modulu ...".
//
// Tools read the fields directly. Texts are SdilenyText: a tool thread reads a copy
// (Text() or conversion to std::wstring) while the settings window may replace them.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "core/konfigurace.h"

// The range a settings page allows for one numeric value of a section (a string-table section
// id). Every load brings a stored value outside it to the nearer bound.
struct RozsahNastaveni {
    UINT idSekce;
    const wchar_t* nazev;
    long long minimum;
    long long maximum;
    // Flags: not 0 for a set of bits; a load keeps only these bits (minimum 0, maximum the mask).
    DWORD maska = 0;
};

// The one table of ranges, for the loads and for tests.
const RozsahNastaveni* RozsahyNastaveni(size_t& pocet);
// The section a range belongs to: the string idSekce, or the launcher's section for idSekce 0.
const std::wstring& NazevSekceRozsahu(const RozsahNastaveni& rozsah);

// RSS reader, section "Ctecka RSS".
class KonfiguraceCteckaRSS {
public:
    KonfiguraceCteckaRSS();
    void Nacist();
    void Ulozit();
    template <class V>
    void Projit(V& v);  // the one list of sections and values, walked by the load and the save

    DWORD okno = 0;  // 0x4 on top, 0x20 partly transparent
    bool oknoNavrchuMinimalizovat = true;
    SdilenyText souborZdroje;  // data folder\ZdrojeRSS.qxml
    DWORD vyskaPolozkySeznamu = 60;
    DWORD zobrazovatPopis = 0;

    std::wstring sekce;
};

// Clock, section "Hodiny" and its font section "Hodiny\Pismo".
class KonfiguraceHodiny {
public:
    KonfiguraceHodiny();
    void Nacist();
    void Ulozit();
    template <class V>
    void Projit(V& v);

    COLORREF barvaPozadi = 0x00D0FFFF;
    COLORREF barvaTextu = 0x00D00000;
    DWORD datum = 0;
    DWORD gong = 1;
    SdilenyText gongSoubor;
    bool ikona = true;
    DWORD okno = 4;  // 0x4 on top, 0x20 transparent background, 0x40 border
    LOGFONTW pismo;

    std::wstring sekce;
    std::wstring sekcePisma;
};

// Host and IP information, section "Host info".
class KonfiguraceHostInfo {
public:
    KonfiguraceHostInfo();
    void Nacist();
    void Ulozit();
    template <class V>
    void Projit(V& v);

    DWORD minimalizace = 0;

    std::wstring sekce;
};

// Contacts, section "Kontakty".
class KonfiguraceKontakty {
public:
    KonfiguraceKontakty();
    void NastavitVychozi();
    void Nacist();
    void Ulozit();
    template <class V>
    void Projit(V& v);

    DWORD minimalizovat;
    DWORD oznamovaciIkona;
    DWORD oknoSeznam;
    bool pruhUloh;
    DWORD seznamProcentoPruhlednosti;
    SdilenyText soubor;  // data folder\Kontakty.qxml
    DWORD trideni;
    bool zjistovatStavICQ;

    std::wstring sekce;
};

// The media-recorder driver: section "Sonvidar" and its two recording sections.
struct NastaveniZaznamu {
    DWORD maxPocetSouboru = 0;
    bool prehrat = false;
    SdilenyText slozka;
    SdilenyText soubor;
    bool zastavitPriUkonceni = true;
};

class KonfiguraceSonvidar {
public:
    KonfiguraceSonvidar();
    void NastavitVychozi();
    void Nacist();
    void Ulozit();
    // Creates the video folder, then the sound folder, each when missing; raises on failure.
    void VytvoritSlozky();
    template <class V>
    void Projit(V& v);

    DWORD ikonaCtrlLeve;
    DWORD ikonaCtrlShiftLeve;
    DWORD ikonaLeve;
    DWORD ikonaShiftLeve;
    DWORD ikonaStredni;
    bool zjistovatInstalaciWME;
    NastaveniZaznamu video;
    NastaveniZaznamu zvuk;

    std::wstring sekce;
    std::wstring sekceVideo;
    std::wstring sekceZvuk;
};

// Screen tool: gestures of its icon, measuring, capture, capture by e-mail, colour picker;
// also loads and saves the favourite display modes (rezimyObrazovky).
struct NastaveniMereni {
    DWORD klavesaZobrazitZoom = VK_CONTROL;
    bool zobrazitZoom = true;
    DWORD zoom = 4;
};

struct NastaveniOpisu {
    bool cislovat = true;
    DWORD format = 0;  // 0 JPEG, 1 PNG, 2 BMP, 3 TIFF, 4 GIF
    bool kopirovatDoSchranky = true;
    DWORD kvalitaJpeg = 80;
    DWORD maxPocetSouboru = 500;
    DWORD shellOtevrit = 2;
    DWORD shellShowCmd = 3;
    SdilenyText slozka;  // data folder\Opis obrazovky
    SdilenyText soubor = L"Obrazovka";
    bool vyrezUlozitPriPrvnim = true;
    bool vyrezZobrazovatSouradnice = false;
    bool zobrazitInfo = true;
    DWORD zoomOpis = 4;
    DWORD zoomOpisOkna = 2;
    DWORD zoomOpisVyber = 2;
};

struct NastaveniOpisuEmailem {
    SdilenyText email;
    bool html = false;
    SdilenyText predmet = L"Opis obrazovky z aplikace Kolvex pro Windows";
    DWORD procentoVelikosti = 100;
    SdilenyText textZpravy;
};

struct NastaveniSberaceBarvy {
    bool navrchu = true;
    bool skryvat = false;
    bool zobrazovatFormatovane = true;
    bool zobrazovatHSV = true;
    DWORD zoom = 4;
};

class KonfiguraceObrazovka {
public:
    KonfiguraceObrazovka();
    void NastavitVychozi();
    void Nacist();
    void Ulozit();
    template <class V>
    void Projit(V& v);

    DWORD ctrlLeve;
    DWORD ctrlShiftLeve;
    DWORD ctrlStredni;
    DWORD leve;
    DWORD rCtrlLeve;
    DWORD rCtrlRShiftLeve;
    DWORD rShiftLeve;
    DWORD shiftLeve;
    DWORD shiftStredni;
    DWORD stredni;
    int threadPriority;
    NastaveniMereni mereniUseky;
    NastaveniMereni mereniVyrez;
    NastaveniOpisu opis;
    NastaveniOpisuEmailem opisEmail;
    NastaveniSberaceBarvy sberacBarvy;
    // The window picker's placement: not stored.
    int vyberOknaPozice;
    bool vyberOknaPresunoutKurzor;

    std::wstring sekce;
    std::wstring sekceMereniUseky;
    std::wstring sekceMereniVyrez;
    std::wstring sekceOpis;
    std::wstring sekceOpisEmail;
    std::wstring sekceSberacBarvy;
};

// CD/DVD drive icons, section "Ovladani CD".
class KonfiguraceOvladaniCD {
public:
    KonfiguraceOvladaniCD();
    void Nacist();
    void Ulozit();
    template <class V>
    void Projit(V& v);

    DWORD ctrlLeve = 1;
    DWORD ctrlShiftLeve = 4;
    bool ikonaObsah = true;
    DWORD intervalAktualizace = 10;
    DWORD leve = 1;
    DWORD rCtrlLeve = 5;
    DWORD rCtrlRShiftLeve = 7;
    DWORD rShiftLeve = 4;
    DWORD shiftLeve = 2;
    DWORD stredni = 2;
    int threadPriority = 0;
    bool zmenaMedia = true;
    bool zpravaVlozeni = false;
    bool zpravaVyjmuti = false;

    std::wstring sekce;
};

// Weather: general, forecast-model pictures, text forecast, satellite picture.
struct NastaveniAladin {
    DWORD intervalAnimace = 20;  // tenths of a second
    bool konecStahovaniPriChybe = true;
    DWORD model = 40204;
    bool oknoNavrchu = false;  // stored as "oknoNavrchul"
    bool oknoPruhledne = false;
    DWORD pocatek = 0;
    DWORD pocetObrazku = 1;
    DWORD poziceZnacky = 0;  // x low word, y high word
    SdilenyText slozkaData;  // weather folder\Aladin
    bool zobrazMistniCas = true;
};

struct NastaveniPredpovedi {
    bool oknoNavrchu = false;
    DWORD oknoPruhledne = 0;
};

struct NastaveniDruzice {
    bool oknoNavrchu = false;  // stored as "intervalAnimace"
    DWORD oknoPruhledne = 0;
    SdilenyText slozkaData;  // weather folder\Družicové snímky (Druzicove snimky outside Czech)
    DWORD vychoziZdroj = 1;
};

class KonfiguracePocasi {
public:
    KonfiguracePocasi();
    void NastavitVychozi();
    void Nacist();
    void Ulozit();
    // Creates the weather folder, the model-picture folder and the satellite folder when missing.
    void VytvoritSlozky();
    template <class V>
    void Projit(V& v);

    DWORD ikonaCtrlLeve;
    DWORD ikonaCtrlShiftLeve;
    DWORD ikonaLeve;
    DWORD ikonaShiftLeve;
    DWORD ikonaStredni;
    SdilenyText slozkaData;  // data folder\Počasí
    int threadPriority;
    NastaveniAladin aladin;
    NastaveniPredpovedi predpoved;
    NastaveniDruzice druzice;

    std::wstring sekce;
    std::wstring sekceAladin;
    std::wstring sekcePredpoved;
    std::wstring sekceDruzice;
};

// Text and sound notes.
struct NastaveniFtp {
    SdilenyText heslo;
    SdilenyText server;
    SdilenyText uzivatel;
    bool zobrazovatHeslo = false;
};

struct NastaveniTextovychPoznamek {
    DWORD ikonaLeve = 40074;
    DWORD oknoPoznamka = 0x30007;
    DWORD oknoSeznam = 0x10007;
    SdilenyText slozka;
    DWORD trideni = 2;
};

struct NastaveniZvukovychPoznamek {
    DWORD ikonaLeve = 40074;
    DWORD oknoSeznam = 0x10007;
    SdilenyText ovladacHlasitosti = L"Mikrofon";
    bool prepnoutOvladac = true;
    SdilenyText slozka;
    DWORD trideni = 2;
};

class KonfiguracePoznamky {
public:
    KonfiguracePoznamky();
    void NastavitVychozi();
    void Nacist();
    void Ulozit();
    // Creates the text-notes folder and the sound-notes folder when missing.
    void VytvoritSlozky();
    template <class V>
    void Projit(V& v);

    DWORD ikonaLeve;
    NastaveniFtp ftp;
    NastaveniTextovychPoznamek textove;
    LOGFONTW pismo;
    NastaveniZvukovychPoznamek zvukove;

    std::wstring sekce;
    std::wstring sekceFtp;
    std::wstring sekceTextove;
    std::wstring sekcePisma;
    std::wstring sekceZvukove;
};

// Window extension: held for the run only (no load, no save).
enum GestoOkna {
    GESTO_CTRL_LEVE_TITULEK,
    GESTO_SHIFT_LEVE_TITULEK,
    GESTO_CTRL_SHIFT_LEVE_TITULEK,
    GESTO_STREDNI_TITULEK,
    GESTO_CTRL_STREDNI_TITULEK,
    GESTO_SHIFT_STREDNI_TITULEK,
    GESTO_CTRL_SHIFT_STREDNI_TITULEK,
    GESTO_PRAVE_ZAVRIT,
    GESTO_CTRL_PRAVE_ZAVRIT,
    GESTO_SHIFT_PRAVE_ZAVRIT,
    GESTO_CTRL_SHIFT_PRAVE_ZAVRIT,
    GESTO_ZPET_TITULEK,
    GESTO_CTRL_ZPET_TITULEK,
    GESTO_SHIFT_ZPET_TITULEK,
    GESTO_CTRL_SHIFT_ZPET_TITULEK,
    GESTO_VPRED_TITULEK,
    GESTO_CTRL_VPRED_TITULEK,
    GESTO_SHIFT_VPRED_TITULEK,
    GESTO_CTRL_SHIFT_VPRED_TITULEK,
    GESTO_CTRL_KOLECKO_K_SOBE,
    GESTO_CTRL_SHIFT_KOLECKO_K_SOBE,
    GESTO_SHIFT_KOLECKO_K_SOBE,
    GESTO_CTRL_KOLECKO_OD_SEBE,
    GESTO_CTRL_SHIFT_KOLECKO_OD_SEBE,
    GESTO_SHIFT_KOLECKO_OD_SEBE,
    POCET_GEST
};

class KonfiguraceRozsireniOken {
public:
    KonfiguraceRozsireniOken();
    void NastavitVychozi();
    // Neither stores anything: the options hold for the running program only.
    void Nacist() {}
    void Ulozit() {}

    DWORD procentoPruhlednosti;
    DWORD krokPruhlednosti;  // alpha step of actions 25 and 26
    DWORD krokVelikosti;     // pixels per side of actions 30 and 31
    bool informovatPoSkryti;
    DWORD akceGest[POCET_GEST];

    std::wstring sekce;
};

// Clipboard tools: text editor, operative texts, text to clipboard.
struct NastaveniEditoruTextu {
    bool automatickyUkladatSoubor = true;
    bool automatickyUkladatText = true;
    bool potvrzovatOdebrani = true;
};

struct NastaveniOperativnichTextu {
    bool automatickyNacitat = true;
    bool automatickyUkladat = true;
    bool ikona = true;
    bool jednoducheKresleni = false;
    DWORD maxPocet = 30;
    DWORD maxVyskaPolozky = 200;
    bool oknoMinMax = true;
    bool oknoNavrchu = true;
    bool oknoTazeni = true;
    bool poVlozeniZavrit = true;
    DWORD vyskaPolozky = 100;
};

struct NastaveniTextuDoSchranky {
    DWORD ikona = 9;
    bool oknoMinMax = true;
    bool oknoNavrchu = true;
    bool oknoTazeni = true;
    bool poVlozeniZavrit = true;
    SdilenyText slozka;  // the data folder
    SdilenyText soubor;  // data folder\SchrankaVkladaneTexty.tdsdat
    DWORD trideni = 1;
    bool zobrazitCbSeznamSouboru = true;
    bool zobrazitStatusBar = true;
    bool zobrazitToolBarHlavni = true;
};

class KonfiguraceSchranka {
public:
    KonfiguraceSchranka();
    void NastavitVychozi();
    void Nacist();
    void Ulozit();
    template <class V>
    void Projit(V& v);

    NastaveniEditoruTextu editor;
    NastaveniOperativnichTextu operativni;
    NastaveniTextuDoSchranky textDoSchranky;

    std::wstring sekce;
    std::wstring sekceEditor;
    std::wstring sekceOperativni;
    std::wstring sekceTextDoSchranky;
};

// Registrations and passwords, section "Seznam registraci".
class KonfiguraceSeznamRegistraci {
public:
    KonfiguraceSeznamRegistraci();
    void NastavitVychozi();
    void Nacist();
    void Ulozit();
    template <class V>
    void Projit(V& v);

    DWORD minimalizovat;
    DWORD oknoSeznam;
    DWORD oznamovaciIkona;
    bool pruhUloh;
    DWORD seznamProcentoPruhlednosti;
    SdilenyText soubor;  // data folder\Registrace.qxml
    bool statusBarHeslo;
    bool statusBarPrihlasJmeno;
    DWORD trideni;
    bool zobrazovatHeslo;

    std::wstring sekce;
};

// Memory monitor, section "Sledovani pameti".
class KonfiguraceSledovaniPameti {
public:
    KonfiguraceSledovaniPameti();
    void Nacist();
    void Ulozit();
    template <class V>
    void Projit(V& v);

    COLORREF barvaObsazena = 0x00B0B0FF;
    COLORREF barvaPozadi = 0x00D0FFD0;
    COLORREF barvaText = 0;
    DWORD ikonaLeve = 1;
    DWORD intervalAktualizace = 1000;  // ms
    bool logovat = false;
    DWORD maxVelikostLogu = 2000000;
    int threadPriority = 0;
    DWORD varovaniProcent = 85;
    bool zobrazitObsazena = true;
    bool zobrazitText = true;

    std::wstring sekce;
};

// Process monitor, section "Sledovani procesu".
class KonfiguraceSledovaniProcesu {
public:
    KonfiguraceSledovaniProcesu();
    void Nacist();
    void Ulozit();
    template <class V>
    void Projit(V& v);

    DWORD ikonaLeve = 1;
    DWORD intervalAktualizace = 5;  // s
    DWORD maxPagefileUsage = 180;
    DWORD maxWorkingSetSize = 180;
    bool oknoPoSpusteni = false;
    bool oknoPruhledne = false;
    DWORD oznamovaciIkona = 2;
    int sloupecPagefileUsage = -1;  // column widths; -1 keeps the list's own width
    int sloupecPeakWorkingSetSize = -1;
    int sloupecSoubor = -1;
    int sloupecWorkingSetSize = -1;
    bool statusBar = false;
    int threadPriority = 0;
    DWORD toolTipPocet = 5;

    std::wstring sekce;
};

// Launcher options, the key "Spousteni aplikaci". Start-up makes the record (these are its
// presets) and calls Nacist; only the launcher's own options page calls Ulozit.
class KonfiguraceSpousteniAplikaci {
public:
    void Nacist();
    void Ulozit();
    template <class V>
    void Projit(V& v);

    bool oddelovatPodleOpravneni = true;
    DWORD trideniAplikaci = 4;
    bool vlastniMenuAplikace = true;
    bool zakazatPolozkySpustene = false;
    bool zaskrtnoutPolozkySpustene = false;
};

// Stopwatch, section "Stopky" and its font section "Stopky\Pismo".
class KonfiguraceStopky {
public:
    KonfiguraceStopky();
    void NastavitVychozi();
    void Nacist();
    void Ulozit();
    template <class V>
    void Projit(V& v);

    COLORREF barvaPozadi;
    COLORREF barvaTextu;
    bool ikona;
    DWORD minimalizovat;
    DWORD okno;
    DWORD oznamovaciIkona;
    DWORD zobrazeniVysledku;
    LOGFONTW pismo;

    std::wstring sekce;
    std::wstring sekcePisma;
};
