#include "core/napojeni.h"

#include "core/aplikace.h"
#include "core/dialogy.h"
#include "core/nastaveni.h"
#include "core/nastaveniobecne.h"
#include "core/vlaknomodulu.h"

#include <memory>

void ZaregistrovatNastroje() {}

void ZobrazitNastaveni(HWND, UINT stranka) {
    // no owner: the settings window stands on its own on the main thread
    auto dialog = std::make_unique<DlgNastaveni>();
    dialog->Spustit(stranka);
}
void ZobrazitOProgramu() { ZobrazitInfoOProgramu(); }
void ZkontrolovatAktualizace() {}
void ZobrazitRegistraciRozsireni(bool) {}

bool NalezenExterniProgram(ExterniProgram) { return false; }
bool BeziExterniProgram(ExterniProgram) { return false; }
void PrepnoutExterniProgram(ExterniProgram) {}

size_t PocetZasuvnychModulu() { return 0; }
HMENU VytvoritMenuZasuvnychModulu() { return nullptr; }
void PrepnoutZasuvnyModul(size_t) {}
HICON IkonaZasuvnehoModulu(size_t) { return nullptr; }
void SpustitZasuvneModulyPoSpusteni() {}
void ZastavitZasuvneModuly() {}

size_t PocetJednotekCD() { return 0; }
VlaknoModulu* JednotkaCD(size_t) { return nullptr; }
HMENU VytvoritMenuJednotekCD() { return nullptr; }
void ZastavitJednotkyCD() {}

std::vector<PolozkaSpousteni> PolozkySpousteniAplikaci() { return {}; }
void SpustitAplikaciSeznamu(size_t) {}

void ProvestAkciOkna(UINT) {}

void UlozitNastaveniPoChybeModulu() { UlozitNastaveniObecne(aplikace); }
