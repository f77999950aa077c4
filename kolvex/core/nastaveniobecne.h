// General settings of the program: behaviour on module errors, look, sounds, folders,
// the main-menu switches and the start-up actions.
#pragma once

#include <string>

#include "core/konfigurace.h"

class Aplikace;

// Items of the tray main menu, in storage order (subkey "Polozky menu").
struct PolozkyMenu {
    bool externiAplikace = true;
    bool hodiny = true;
    bool hostInfo = true;
    bool kontakty = true;
    bool sonvidar = true;
    bool napoveda = true;
    bool obrazovka = true;
    bool ovladaniCD = true;
    bool pocasi = true;
    bool poznamky = true;
    bool rozsireniOken = true;
    bool rssCtecka = true;
    bool schranka = true;
    bool seznamRegistraci = true;
    bool shellExtension = true;
    bool sitLanInfo = true;
    bool sledovaniPameti = true;
    bool sledovaniProcesu = true;
    bool spousteniAplikaci = true;
    bool stopky = true;
    bool zasuvneModuly = true;
};

// Actions performed once after start-up, in storage order (subkey "Po spusteni").
struct PoSpusteni {
    bool cteckaRSS = false;
    bool hodiny = false;
    bool hostInfo = false;
    bool ikonaSonvidar = false;
    bool ikonaObrazovka = false;
    bool ikonaPocasi = false;
    bool ikonaPoznamky = false;
    bool ikonaPoznamkyTextove = false;
    bool ikonaPoznamkyZvukove = false;
    bool ikonaSchranka = false;
    bool ikonaSpousteniAplikaci = false;
    bool kontakty = false;
    bool ovladaniCD = false;
    bool pocasiAladin = false;
    bool pocasiPredpovedText = false;
    bool pocasiSnimekDruzice = false;
    bool rozsireniOken = false;
    bool seznamRegistraci = false;
    bool sledovaniPameti = false;
    bool sledovaniProcesu = false;
    bool stopky = false;
};

struct NastaveniObecne {
    bool priChybeZrusitPoSpusteni = true;
    bool rozbalitSeznamNastaveni = true;
    bool skrytNenalezeneExtAplikace = true;
    SdilenyText slozkaData;
    SdilenyText slozkaDocasne;
    bool vlastniVzhled = true;
    bool zvuk = true;

    // Not stored.
    int prodlevaPoSpusteni = 0;                // ms after each start-up action
    int casovyLimitZasuvnychModulu = 10000;    // ms to wait for a plug-in thread
    int casovyLimitModulu = 5000;              // ms to wait for a module thread
    bool barvaStranky = true;                  // pages paint statics on COLOR_WINDOW

    PolozkyMenu polozkyMenu;
    PoSpusteni poSpusteni;
};

// Sets every default (data folder = Documents\Kolvex 5, temporary folder = its "\Temp").
void NastavitVychoziNastaveniObecne(Aplikace& aplikace);
// Loads the options of the application key and its subkeys "Polozky menu" and "Po spusteni".
// 0 when loaded; 1 when the application key does not exist yet (defaults stay, no message);
// else the HRESULT of the first value that could not be read, after one message (the other
// values still load).
int NacistNastaveniObecne(Aplikace& aplikace);
// Writes the three groups; a failure is reported in a message box and ends the save.
void UlozitNastaveniObecne(Aplikace& aplikace);
