// Owners of the shared objects that start-up creates. Deleting through one deletes the object
// and leaves the pointer null; whatever shutdown did not delete is freed at process end.
#pragma once

#include <memory>

#include "core/pomocne.h"

class OknoHlavni;
class ExtAplikaceVarnel;
class ExtAplikaceMeltis;
struct InfoShellExtObrazky;
struct InfoShellExtSchranka;
class SeznamKontaktu;
class KonfiguraceCteckaRSS;
class KonfiguraceHodiny;
class KonfiguraceHostInfo;
class KonfiguraceKontakty;
class KonfiguraceSonvidar;
class KonfiguraceObrazovka;
class KonfiguraceOdesilatelEmailu;
class KonfiguraceOvladaniCD;
class KonfiguracePocasi;
class KonfiguracePoznamky;
class KonfiguraceRozsireniOken;
class KonfiguraceSchranka;
class KonfiguraceSeznamRegistraci;
class KonfiguraceSledovaniPameti;
class KonfiguraceSledovaniProcesu;
class KonfiguraceSpousteniAplikaci;
class KonfiguraceStopky;

extern std::unique_ptr<OknoHlavni> oknoHlavni;
extern std::unique_ptr<RezimyObrazovky> rezimyObrazovky;
extern std::unique_ptr<ExtAplikaceVarnel> extAplikaceVarnel;
extern std::unique_ptr<ExtAplikaceMeltis> extAplikaceMeltis;
extern std::unique_ptr<InfoShellExtObrazky> infoShellExtObrazky;
extern std::unique_ptr<InfoShellExtSchranka> infoShellExtSchranka;
extern std::unique_ptr<SeznamKontaktu> seznamKontaktu;

// Settings objects of the tools (core/konfiguracenastroju.h).
extern std::unique_ptr<KonfiguraceCteckaRSS> nastaveniCteckaRSS;
extern std::unique_ptr<KonfiguraceHodiny> nastaveniHodiny;
extern std::unique_ptr<KonfiguraceHostInfo> nastaveniHostInfo;
extern std::unique_ptr<KonfiguraceKontakty> nastaveniKontakty;
extern std::unique_ptr<KonfiguraceSonvidar> nastaveniSonvidar;
extern std::unique_ptr<KonfiguraceObrazovka> nastaveniObrazovka;
// The e-mail sender's account (core/odesilatelemailu.h).
extern std::unique_ptr<KonfiguraceOdesilatelEmailu> nastaveniOdesilatelEmailu;
extern std::unique_ptr<KonfiguraceOvladaniCD> nastaveniOvladaniCD;
extern std::unique_ptr<KonfiguracePocasi> nastaveniPocasi;
extern std::unique_ptr<KonfiguracePoznamky> nastaveniPoznamky;
extern std::unique_ptr<KonfiguraceRozsireniOken> nastaveniRozsireniOken;
extern std::unique_ptr<KonfiguraceSchranka> nastaveniSchranka;
extern std::unique_ptr<KonfiguraceSeznamRegistraci> nastaveniSeznamRegistraci;
extern std::unique_ptr<KonfiguraceSledovaniPameti> nastaveniSledovaniPameti;
extern std::unique_ptr<KonfiguraceSledovaniProcesu> nastaveniSledovaniProcesu;
extern std::unique_ptr<KonfiguraceSpousteniAplikaci> nastaveniSpousteniAplikaci;
extern std::unique_ptr<KonfiguraceStopky> nastaveniStopky;

// Start-up step 19: every tool's settings object, each loaded as it is made, in the fixed order.
void VytvoritNastaveniNastroju();
// Shutdown step 10: the settings objects in their order (the e-mail sender's and the launcher's
// stay for the process end).
void ZrusitNastaveniNastroju();
