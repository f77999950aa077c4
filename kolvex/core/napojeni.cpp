#include "core/napojeni.h"

#include "core/aplikace.h"
#include "core/dialogy.h"
#include "core/externi.h"
#include "core/globalni.h"
#include "core/nastaveni.h"
#include "core/nastaveniobecne.h"
#include "core/vlaknomodulu.h"
#include "core/zasuvnemoduly.h"
#include "screen/modulobrazovka.h"
#include "windows/dlgnastavhorkeklavesy.h"

#include <memory>

void ZaregistrovatNastroje() {
    VytvoritModulObrazovka();
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_HORKE_KLAVESY, VytvoritStranku<DlgNastavHorkeKlavesy>);
}

void ZrusitNastroje() { SmazatModulObrazovka(); }

void ZobrazitNastaveni(HWND, UINT stranka) {
    // no owner: the settings window stands on its own on the main thread
    auto dialog = std::make_unique<DlgNastaveni>();
    dialog->Spustit(stranka);
}
void ZobrazitOProgramu() { ZobrazitInfoOProgramu(); }

namespace {
// A second command while the dialog is open only brings it to the front.
template <class Dialog>
void SpustitRegistraci() {
    static Dialog* otevreny = nullptr;
    if (otevreny) {
        if (otevreny->m_hWnd) ::SetForegroundWindow(otevreny->m_hWnd);
        return;
    }
    Dialog dialog;
    otevreny = &dialog;
    struct Zapomenout {
        ~Zapomenout() { otevreny = nullptr; }
    } zapomenout;
    dialog.SpustitModalne(nullptr);
}

ExterniAplikace* Program(ExterniProgram program) {
    return program == ExterniProgram::Varnel ? static_cast<ExterniAplikace*>(extAplikaceVarnel.get())
                                             : static_cast<ExterniAplikace*>(extAplikaceMeltis.get());
}
}  // namespace

void ZobrazitRegistraciRozsireni(bool obrazky) {
    if (obrazky)
        SpustitRegistraci<DlgShellExtObrazky>();
    else
        SpustitRegistraci<DlgShellExtSchranka>();
}

bool NalezenExterniProgram(ExterniProgram program) {
    ExterniAplikace* aplikace = Program(program);
    return aplikace && aplikace->Nalezena();
}
bool BeziExterniProgram(ExterniProgram program) {
    ExterniAplikace* aplikace = Program(program);
    return aplikace && aplikace->Nalezena() && aplikace->JeSpustena();
}
void PrepnoutExterniProgram(ExterniProgram program) {
    if (ExterniAplikace* aplikace = Program(program)) PrepnoutExterniAplikaci(aplikace);
}

size_t PocetZasuvnychModulu() { return seznamRozsireni.size(); }
HMENU VytvoritMenuZasuvnychModulu() { return VytvoritMenuRozsireni(); }
void PrepnoutZasuvnyModul(size_t index) { PrepnoutRozsireni(static_cast<UINT>(55000 + index)); }
HICON IkonaZasuvnehoModulu(size_t index) { return IkonaRozsireni(index); }
void SpustitZasuvneModulyPoSpusteni() { SpustitRozsireniPoStartu(); }
void ZastavitZasuvneModuly() { ZastavitVsechnaRozsireni(); }

size_t PocetJednotekCD() { return 0; }
VlaknoModulu* JednotkaCD(size_t) { return nullptr; }
HMENU VytvoritMenuJednotekCD() { return nullptr; }
void ZastavitJednotkyCD() {}

std::vector<PolozkaSpousteni> PolozkySpousteniAplikaci() { return {}; }
void SpustitAplikaciSeznamu(size_t) {}

void ProvestAkciOkna(UINT) {}

void UlozitNastaveniPoChybeModulu() { UlozitNastaveniObecne(aplikace); }
