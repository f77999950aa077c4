#include "core/napojeni.h"

#include "core/aplikace.h"
#include "core/dialogy.h"
#include "core/externi.h"
#include "core/globalni.h"
#include "core/nastaveni.h"
#include "core/nastaveniobecne.h"
#include "core/stranka.h"
#include "core/vlaknomodulu.h"
#include "core/zasuvnemoduly.h"
#include "clipboard/modulschranka.h"
#include "internet/hostinfo.h"
#include "internet/laninfo.h"
#include "internet/pocasimodul.h"
#include "internet/rssctecka.h"
#include "launcher/modulspousteniaplikaci.h"
#include "launcher/seznamaplikaci.h"
#include "launcher/spusteniaplikace.h"
#include "monitors/dlgnastavsledovani.h"
#include "monitors/modulsledovanipameti.h"
#include "monitors/modulsledovaniprocesu.h"
#include "multimedia/dlgnastavovladanicd.h"
#include "multimedia/dlgnastavzaznamu.h"
#include "multimedia/ovladanicd.h"
#include "multimedia/ovladaczaznamu.h"
#include "notes/modulpoznamky.h"
#include "records/modulkontakty.h"
#include "records/modulseznamregistraci.h"
#include "screen/modulobrazovka.h"
#include "screen/slozkaopisu.h"
#include "timers/dlgnastavcasovace.h"
#include "timers/modulhodiny.h"
#include "timers/modulstopky.h"
#include "windows/akceoken.h"
#include "windows/dlgnastavhorkeklavesy.h"
#include "windows/modulrozsirenioken.h"

#include <memory>

void ZaregistrovatNastroje() {
    VytvoritModulObrazovka();
    VytvoritModulSpousteniAplikaci();
    VytvoritModulRozsireniOken();
    VytvoritModulSledovaniPameti();
    VytvoritModulSledovaniProcesu();
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_SLEDOVANI_PAMETI, VytvoritStranku<DlgNastavSledovaniPameti>);
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_SLEDOVANI_PROCESU, VytvoritStranku<DlgNastavSledovaniProcesu>);
    VytvoritModulHodiny();
    VytvoritModulStopky();
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_HODINY, VytvoritStranku<DlgNastavHodiny>);
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_STOPKY, VytvoritStranku<DlgNastavStopky>);
    VytvoritModulPoznamky();
    VytvoritModulSchranka();
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_HORKE_KLAVESY, VytvoritStranku<DlgNastavHorkeKlavesy>);
    VytvoritModulCteckaRSS();
    VytvoritModulPocasi();
    VytvoritModulSonvidar();
    vyprazdnitSlozkuZaznamu = VyprazdnitSlozkuSDotazem;
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_SONVIDAR, VytvoritStranku<DlgNastavSonvidar>);
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_ZAZNAM_ZVUKU_WMA, VytvoritStranku<DlgNastavZaznamZvukuWma>);
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_ZAZNAM_VIDEA_WMV, VytvoritStranku<DlgNastavZaznamVideaWmv>);
    VytvoritModulSeznamRegistraci();
    VytvoritModulKontakty();
    VytvoritModulHostInfo();
    VytvoritOknoSitLanInfo();
}

void ZrusitNastroje() {
    SmazatModulPocasi();
    SmazatModulCteckaRSS();
    SmazatModulSchranka();
    SmazatModulPoznamky();
    SmazatModulRozsireniOken();
    SmazatModulSpousteniAplikaci();
    SmazatModulObrazovka();
    SmazatModulSledovaniPameti();
    SmazatModulSledovaniProcesu();
    SmazatModulHodiny();
    SmazatModulStopky();
    SmazatModulSonvidar();
    SmazatModulSeznamRegistraci();
    SmazatModulKontakty();
    SmazatModulHostInfo();
    SmazatOknoSitLanInfo();
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

void VytvoritJednotkyCD() {
    jednotkyCD = std::make_unique<OvladaniCD>();
    jednotkyCD->NajitJednotky();
    ZaregistrovatStrankuNastaveni(DlgNastavOvladaniCD::IDD, VytvoritStranku<DlgNastavOvladaniCD>);
}
void ZrusitJednotkyCD() { jednotkyCD.reset(); }
size_t PocetJednotekCD() { return jednotkyCD ? jednotkyCD->Pocet() : 0; }
VlaknoModulu* JednotkaCD(size_t index) {
    auto* jednotka = jednotkyCD ? jednotkyCD->Jednotka(index) : nullptr;
    return jednotka ? &jednotka->Vlakno() : nullptr;
}
HMENU VytvoritMenuJednotekCD() { return jednotkyCD ? jednotkyCD->VytvoritMenuJednotek() : nullptr; }
void ZastavitJednotkyCD() {
    if (jednotkyCD) jednotkyCD->ZastavitJednotky();
}

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

void ProvestAkciOkna(UINT prikaz) { ProvestAkciOknaNa(::GetForegroundWindow(), prikaz); }

void UlozitNastaveniPoChybeModulu() { UlozitNastaveniObecne(aplikace); }
