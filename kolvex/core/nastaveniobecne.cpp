#include "core/nastaveniobecne.h"

#include <shlobj.h>

#include "core/aplikace.h"
#include "core/pomocne.h"
#include "resources/resource.h"

namespace {

// The three groups in storage order; one list for both the load and the save.
template <class V>
void ProjitObecne(V& v, NastaveniObecne& n) {
    v(L"priChybeZrusitPoSpusteni", n.priChybeZrusitPoSpusteni);
    v(L"rozbalitSeznamNastaveni", n.rozbalitSeznamNastaveni);
    v(L"skrytNenalezeneExtAplikace", n.skrytNenalezeneExtAplikace);
    v(L"slozkaData", n.slozkaData);
    v(L"slozkaDocasne", n.slozkaDocasne);
    v(L"vlastniVzhled", n.vlastniVzhled);
    v(L"zvuk", n.zvuk);
}

template <class V>
void ProjitPolozkyMenu(V& v, PolozkyMenu& p) {
    v(L"externiAplikace", p.externiAplikace);
    v(L"hodiny", p.hodiny);
    v(L"hostInfo", p.hostInfo);
    v(L"kontakty", p.kontakty);
    v(L"sonvidar", p.sonvidar);
    v(L"napoveda", p.napoveda);
    v(L"obrazovka", p.obrazovka);
    v(L"ovladaniCD", p.ovladaniCD);
    v(L"pocasi", p.pocasi);
    v(L"poznamky", p.poznamky);
    v(L"rozsireniOken", p.rozsireniOken);
    v(L"rssCtecka", p.rssCtecka);
    v(L"schranka", p.schranka);
    v(L"seznamRegistraci", p.seznamRegistraci);
    v(L"shellExtension", p.shellExtension);
    v(L"sitLanInfo", p.sitLanInfo);
    v(L"sledovaniPameti", p.sledovaniPameti);
    v(L"sledovaniProcesu", p.sledovaniProcesu);
    v(L"spousteniAplikaci", p.spousteniAplikaci);
    v(L"stopky", p.stopky);
    v(L"zasuvneModuly", p.zasuvneModuly);
}

template <class V>
void ProjitPoSpusteni(V& v, PoSpusteni& p) {
    v(L"cteckaRSS", p.cteckaRSS);
    v(L"hodiny", p.hodiny);
    v(L"hostInfo", p.hostInfo);
    v(L"ikonaSonvidar", p.ikonaSonvidar);
    v(L"ikonaObrazovka", p.ikonaObrazovka);
    v(L"ikonaPocasi", p.ikonaPocasi);
    v(L"ikonaPoznamky", p.ikonaPoznamky);
    v(L"ikonaPoznamkyTextove", p.ikonaPoznamkyTextove);
    v(L"ikonaPoznamkyZvukove", p.ikonaPoznamkyZvukove);
    v(L"ikonaSchranka", p.ikonaSchranka);
    v(L"ikonaSpousteniAplikaci", p.ikonaSpousteniAplikaci);
    v(L"kontakty", p.kontakty);
    v(L"ovladaniCD", p.ovladaniCD);
    v(L"pocasiAladin", p.pocasiAladin);
    v(L"pocasiPredpovedText", p.pocasiPredpovedText);
    v(L"pocasiSnimekDruzice", p.pocasiSnimekDruzice);
    v(L"rozsireniOken", p.rozsireniOken);
    v(L"seznamRegistraci", p.seznamRegistraci);
    v(L"sledovaniPameti", p.sledovaniPameti);
    v(L"sledovaniProcesu", p.sledovaniProcesu);
    v(L"stopky", p.stopky);
}

}  // namespace

void NastavitVychoziNastaveniObecne(Aplikace& aplikace) {
    NastaveniObecne vychozi;
    vychozi.slozkaData = ZiskatSlozkuSystemu(CSIDL_PERSONAL, false) + L"\\Kolvex 5";
    vychozi.slozkaDocasne = vychozi.slozkaData + L"\\Temp";
    aplikace.nastaveni = vychozi;
    // hot-key table: defaults
}

int NacistNastaveniObecne(Aplikace& aplikace) {
    NastaveniObecne& n = aplikace.nastaveni;
    CteniNastaveni cteni(aplikace.klicAplikace);
    // First start: no application key yet; the defaults stay, quietly.
    if (!cteni.Sekce(L"")) return 1;
    ProjitObecne(cteni, n);
    // A missing "Polozky menu" only leaves the menu switches at their defaults.
    if (cteni.Sekce(aplikace.klicPolozekMenu)) ProjitPolozkyMenu(cteni, n.polozkyMenu);
    if (cteni.Sekce(aplikace.klicPoSpusteni, true)) ProjitPoSpusteni(cteni, n.poSpusteni);
    cteni.ZavritSekci();
    // hot-key table: load and sort
    if (!cteni.Selhalo()) return 0;
    HlasitChybuNastaveni(IDS_CHYBA_NACTENI_KONFIGURACE, L"", cteni.PrvniChyba());
    HRESULT hr = cteni.PrvniChyba().Hresult();
    return hr != S_OK ? static_cast<int>(hr) : static_cast<int>(E_FAIL);
}

void UlozitNastaveniObecne(Aplikace& aplikace) {
    NastaveniObecne& n = aplikace.nastaveni;
    try {
        ZapisNastaveni zapis(aplikace.klicAplikace);
        zapis.Sekce(L"");
        ProjitObecne(zapis, n);
        zapis.Sekce(aplikace.klicPolozekMenu);
        ProjitPolozkyMenu(zapis, n.polozkyMenu);
        zapis.Sekce(aplikace.klicPoSpusteni);
        ProjitPoSpusteni(zapis, n.poSpusteni);
        zapis.ZavritSekci();
        // hot-key table: save categories
    } catch (const knihovna::Chyba& chyba) {
        HlasitChybuNastaveni(IDS_CHYBA_ZAPISU_KONFIGURACE, L"", chyba);
    }
}
