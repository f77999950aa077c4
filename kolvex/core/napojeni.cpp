#include "core/napojeni.h"

#include "core/aplikace.h"
#include "core/dialogy.h"
#include "core/externi.h"
#include "core/globalni.h"
#include "core/nastaveni.h"
#include "core/nastaveniobecne.h"
#include "core/vlaknomodulu.h"
#include "core/zasuvnemoduly.h"
#include "internet/rssctecka.h"
#include "launcher/modulspousteniaplikaci.h"
#include "launcher/seznamaplikaci.h"
#include "launcher/spusteniaplikace.h"
#include "screen/modulobrazovka.h"

#include <memory>

void ZaregistrovatNastroje() {
    VytvoritModulObrazovka();
    VytvoritModulSpousteniAplikaci();
    VytvoritModulCteckaRSS();
}

void ZrusitNastroje() {
    SmazatModulCteckaRSS();
    SmazatModulSpousteniAplikaci();
    SmazatModulObrazovka();
}

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

std::vector<PolozkaSpousteni> PolozkySpousteniAplikaci() {
    std::vector<PolozkaSpousteni> polozky;
    if (!seznamAplikaci) return polozky;
    for (const SpoustenaAplikace& a : seznamAplikaci->Kopie()) {
        PolozkaSpousteni p;
        p.modifikatory = a.modifikator;
        p.klavesa = a.virtKlavesa;
        p.poSpusteni = a.poSpusteni;
        polozky.push_back(p);
    }
    return polozky;
}

void ProvestAkciOkna(UINT) {}

void UlozitNastaveniPoChybeModulu() { UlozitNastaveniObecne(aplikace); }
