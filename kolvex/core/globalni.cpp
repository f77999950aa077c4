#include "core/globalni.h"

#include "core/externi.h"
#include "core/konfiguracenastroju.h"
#include "core/kontakty.h"
#include "core/odesilatelemailu.h"
#include "core/oknohlavni.h"

std::unique_ptr<OknoHlavni> oknoHlavni;
std::unique_ptr<RezimyObrazovky> rezimyObrazovky;
std::unique_ptr<ExtAplikaceVarnel> extAplikaceVarnel;
std::unique_ptr<ExtAplikaceMeltis> extAplikaceMeltis;
std::unique_ptr<InfoShellExtObrazky> infoShellExtObrazky;
std::unique_ptr<InfoShellExtSchranka> infoShellExtSchranka;
std::unique_ptr<SeznamKontaktu> seznamKontaktu;

std::unique_ptr<KonfiguraceCteckaRSS> nastaveniCteckaRSS;
std::unique_ptr<KonfiguraceHodiny> nastaveniHodiny;
std::unique_ptr<KonfiguraceHostInfo> nastaveniHostInfo;
std::unique_ptr<KonfiguraceKontakty> nastaveniKontakty;
std::unique_ptr<KonfiguraceSonvidar> nastaveniSonvidar;
std::unique_ptr<KonfiguraceObrazovka> nastaveniObrazovka;
std::unique_ptr<KonfiguraceOdesilatelEmailu> nastaveniOdesilatelEmailu;
std::unique_ptr<KonfiguraceOvladaniCD> nastaveniOvladaniCD;
std::unique_ptr<KonfiguracePocasi> nastaveniPocasi;
std::unique_ptr<KonfiguracePoznamky> nastaveniPoznamky;
std::unique_ptr<KonfiguraceRozsireniOken> nastaveniRozsireniOken;
std::unique_ptr<KonfiguraceSchranka> nastaveniSchranka;
std::unique_ptr<KonfiguraceSeznamRegistraci> nastaveniSeznamRegistraci;
std::unique_ptr<KonfiguraceSledovaniPameti> nastaveniSledovaniPameti;
std::unique_ptr<KonfiguraceSledovaniProcesu> nastaveniSledovaniProcesu;
std::unique_ptr<KonfiguraceSpousteniAplikaci> nastaveniSpousteniAplikaci;
std::unique_ptr<KonfiguraceStopky> nastaveniStopky;

void VytvoritNastaveniNastroju() {
    nastaveniCteckaRSS = std::make_unique<KonfiguraceCteckaRSS>();
    nastaveniHodiny = std::make_unique<KonfiguraceHodiny>();
    nastaveniHostInfo = std::make_unique<KonfiguraceHostInfo>();
    nastaveniKontakty = std::make_unique<KonfiguraceKontakty>();
    nastaveniSonvidar = std::make_unique<KonfiguraceSonvidar>();
    nastaveniObrazovka = std::make_unique<KonfiguraceObrazovka>();
    nastaveniOdesilatelEmailu = std::make_unique<KonfiguraceOdesilatelEmailu>();
    nastaveniOvladaniCD = std::make_unique<KonfiguraceOvladaniCD>();
    nastaveniPocasi = std::make_unique<KonfiguracePocasi>();
    nastaveniPoznamky = std::make_unique<KonfiguracePoznamky>();
    nastaveniRozsireniOken = std::make_unique<KonfiguraceRozsireniOken>();
    nastaveniSchranka = std::make_unique<KonfiguraceSchranka>();
    nastaveniSeznamRegistraci = std::make_unique<KonfiguraceSeznamRegistraci>();
    nastaveniSledovaniPameti = std::make_unique<KonfiguraceSledovaniPameti>();
    nastaveniSledovaniProcesu = std::make_unique<KonfiguraceSledovaniProcesu>();
    // the launcher's object gets its preset fields first, then its load
    nastaveniSpousteniAplikaci = std::make_unique<KonfiguraceSpousteniAplikaci>();
    nastaveniSpousteniAplikaci->Nacist();
    nastaveniStopky = std::make_unique<KonfiguraceStopky>();
}

void ZrusitNastaveniNastroju() {
    nastaveniCteckaRSS.reset();
    nastaveniHodiny.reset();
    nastaveniHostInfo.reset();
    nastaveniKontakty.reset();
    nastaveniSonvidar.reset();
    nastaveniObrazovka.reset();
    nastaveniOvladaniCD.reset();
    nastaveniPocasi.reset();
    nastaveniPoznamky.reset();
    nastaveniRozsireniOken.reset();
    nastaveniSeznamRegistraci.reset();
    nastaveniSchranka.reset();
    nastaveniSledovaniPameti.reset();
    nastaveniSledovaniProcesu.reset();
    nastaveniStopky.reset();
}
