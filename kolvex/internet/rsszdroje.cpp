#include "internet/rsszdroje.h"

#include <shlwapi.h>

#include "core/aplikace.h"
#include "core/poskozenysoubor.h"
#include "core/tagovanytext.h"
#include "knihovna/chyba.h"
#include "knihovna/text.h"
#include "resources/resource.h"

using knihovna::Chyba;
using knihovna::Formatovat;
using knihovna::Retezec;

std::unique_ptr<SeznamZdrojuRSS> seznamZdrojuRSS;

namespace {

const wchar_t* const SKUPINA = L"rss";
const wchar_t* const NAZEV_SOUBORU = L"ZdrojeRSS.qxml";

// The damaged file's copy beside it, or empty when none could be made.
std::wstring ZkusitZalohovat(const std::wstring& cesta) {
    try {
        return ZalohovatPoskozenySoubor(cesta);
    } catch (const Chyba&) {
        return std::wstring();
    }
}

}  // namespace

std::wstring TextZdrojuRSS(const std::vector<ZdrojRSS>& zdroje) {
    std::wstring text;
    for (const ZdrojRSS& z : zdroje) {
        text += RadekOtevreniSkupiny(SKUPINA);
        text += RadekHodnoty(L"nazev", z.nazev);
        text += RadekHodnoty(L"popis", z.popis);
        text += RadekHodnoty(L"url", z.url);
        text += RadekUzavreniSkupiny(SKUPINA);
    }
    return text;
}

std::vector<ZdrojRSS> PrecistZdrojeRSS(const std::wstring& text) {
    SouborKonfiguraceCteni cteni;
    cteni.NacistText(text);
    return PrecistZdrojeRSS(cteni);
}

std::vector<ZdrojRSS> PrecistZdrojeRSS(SouborKonfiguraceCteni& cteni, bool* useknuty) {
    std::vector<ZdrojRSS> zdroje;
    for (;;) {
        HRESULT hr = cteni.NajitSkupinu(SKUPINA);
        if (hr == S_FALSE) break;
        knihovna::OveritHr(hr);
        ZdrojRSS zdroj;
        for (auto [nazev, cil] : {std::pair<const wchar_t*, std::wstring*>{L"nazev", &zdroj.nazev},
                                  {L"popis", &zdroj.popis},
                                  {L"url", &zdroj.url}}) {
            hr = cteni.NajitHodnotu(nazev, *cil);
            // an empty group ("<rss></rss>") has no values either
            if (hr != S_OK) knihovna::VyhoditChybu(FAILED(hr) && hr != E_HANDLE ? hr : knihovna::HresultZKodu(ERROR_INVALID_DATA));
        }
        zdroje.push_back(std::move(zdroj));
    }
    // a source that could not be read (another encoding, a damaged tag) makes the whole file
    // damaged; only a last source cut off leaves the whole ones before it
    if (useknuty)
        *useknuty = cteni.OveritPrectenoKromeUseknuteho(SKUPINA, zdroje.size());
    else
        cteni.OveritPrectenoVse(SKUPINA, zdroje.size());
    return zdroje;
}

void NacistZdrojeRSS(const std::wstring& cesta, SeznamZdrojuRSS& seznam) {
    seznam.zdroje.clear();
    seznam.chranitSoubor = false;
    if (!::PathFileExistsW(cesta.c_str())) return;
    try {
        SouborKonfiguraceCteni soubor;
        soubor.NacistSoubor(cesta, MAX_VELIKOST_ZDROJU_RSS);
        bool useknuty = false;
        seznam.zdroje = PrecistZdrojeRSS(soubor, &useknuty);
        if (useknuty) {
            // the whole sources stay; the file is kept as a copy before any save can replace it
            const std::wstring zaloha = ZkusitZalohovat(cesta);
            seznam.chranitSoubor = zaloha.empty();
            const std::wstring text =
                Retezec(IDS_RSS_CHYBA_NACTENI_ZDROJU) + L"\n" +
                ZpravaUseknutehoKonce(seznam.zdroje.size(), zaloha,
                                      Formatovat(Retezec(IDS_RSS_SOUBOR_CHRANEN).c_str(), cesta.c_str()));
            aplikace.ZobrazitZpravu(text, MB_ICONWARNING);
        }
    } catch (const Chyba& chyba) {
        seznam.zdroje.clear();
        // The unreadable file is the user's data: keep a copy before any save can replace it.
        std::wstring nadpis = Retezec(IDS_RSS_CHYBA_NACTENI_ZDROJU) + L"\n";
        const std::wstring zaloha = ZkusitZalohovat(cesta);
        if (!zaloha.empty()) {
            nadpis += Formatovat(Retezec(IDS_RSS_SOUBOR_ZALOHOVAN).c_str(), zaloha.c_str());
        } else {
            seznam.chranitSoubor = true;
            nadpis += Formatovat(Retezec(IDS_RSS_SOUBOR_CHRANEN).c_str(), cesta.c_str());
        }
        aplikace.ZobrazitChybuCom(nadpis, chyba);
    }
}

void UlozitZdrojeRSS(const SeznamZdrojuRSS& seznam, const std::wstring& cesta) {
    SouborKonfiguraceZapis soubor;
    knihovna::OveritHr(soubor.OtevritSoubor(cesta));
    for (const ZdrojRSS& z : seznam.zdroje) {
        knihovna::OveritHr(soubor.OtevritSkupinu(SKUPINA));
        soubor.ZapsatText(L"nazev", z.nazev);
        soubor.ZapsatText(L"popis", z.popis);
        soubor.ZapsatText(L"url", z.url);
        knihovna::OveritHr(soubor.UzavritSkupinu());
    }
    soubor.Zavrit();
}

std::wstring CestaZdrojuRSS() {
    return Formatovat(L"%s\\%s", aplikace.nastaveni.slozkaData.Text().c_str(), NAZEV_SOUBORU);
}

void NacistSeznamZdrojuRSS(SeznamZdrojuRSS& seznam) { NacistZdrojeRSS(CestaZdrojuRSS(), seznam); }

bool UlozitSeznamZdrojuRSS(SeznamZdrojuRSS& seznam) {
    if (seznam.chranitSoubor) {
        aplikace.ZobrazitZpravu(Formatovat(Retezec(IDS_RSS_ULOZENI_ODMITNUTO).c_str(), CestaZdrojuRSS().c_str()),
                                MB_ICONWARNING);
        return false;
    }
    UlozitZdrojeRSS(seznam, CestaZdrojuRSS());
    return true;
}

void PridatZdrojRSS(SeznamZdrojuRSS& seznam, const std::wstring& nazev, const std::wstring& url,
                    const std::wstring& popis) {
    try {
        seznam.zdroje.push_back(ZdrojRSS{nazev, url, popis});
    } catch (const std::bad_alloc&) {
        knihovna::oknoZpravy(nullptr, knihovna::TextHresult(E_OUTOFMEMORY).c_str(), nullptr, MB_OK);
    }
}

void VytvoritVychoziZdrojeRSS(SeznamZdrojuRSS& seznam) {
    seznam.zdroje.clear();
    PridatZdrojRSS(seznam, L"České noviny - domov", L"http://www.ceskenoviny.cz/sluzby/rss/domov.php",
                   L"České noviny - zprávy z domova");
    PridatZdrojRSS(seznam, L"Britské listy", L"http://www.blisty.cz/rss.rb", L"Britské listy");
    PridatZdrojRSS(seznam, L"Lupa.cz - zprávičky", L"http://rss.lupa.cz/zpravicky/", L"Lupa - zprávičky");
    PridatZdrojRSS(seznam, L"Lupa.cz - články", L"http://rss.lupa.cz/clanky/", L"Lupa.cz - články");
    PridatZdrojRSS(seznam, L"Centrum.cz", L"http://www.centrum.cz/export/rss-hp.phtml", L"Zpravodajství Centrum.cz");
}
