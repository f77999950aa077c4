#include "records/seznamregistraci.h"

#include <shlwapi.h>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "core/tagovanytext.h"
#include "knihovna/chyba.h"
#include "knihovna/modul.h"
#include "knihovna/text.h"
#include "resources/resource.h"

using knihovna::Formatovat;

std::unique_ptr<SeznamRegistraci> seznamRegistraci;

namespace {

const wchar_t SKUPINA[] = L"registrace";

// The values of an entry in the order the file holds them.
struct Pole {
    const wchar_t* nazev;
    std::wstring Registrace::*clen;
};
const Pole POLE[] = {
    {L"heslo", &Registrace::heslo},
    {L"info", &Registrace::info},
    {L"nazev", &Registrace::nazev},
    {L"prihlasovaciJmeno", &Registrace::prihlasovaciJmeno},
    {L"url", &Registrace::url},
};

// useknuty null: any damage raises; otherwise a cut-off last entry is told there instead.
std::vector<Registrace> PrecistVse(SouborKonfiguraceCteni& soubor, bool* useknuty = nullptr) {
    std::vector<Registrace> polozky;
    while (soubor.NajitSkupinu(SKUPINA) == S_OK) {
        Registrace registrace;
        for (const Pole& p : POLE) {
            HRESULT hr = soubor.NajitHodnotu(p.nazev, registrace.*p.clen);
            if (hr != S_OK) knihovna::VyhoditChybu(hr == S_FALSE ? knihovna::HresultZKodu(ERROR_INVALID_DATA) : hr);
        }
        polozky.push_back(std::move(registrace));
    }
    // a group that could not be read (another encoding, a damaged tag) makes the whole file
    // damaged; only a last entry cut off leaves the whole ones before it
    if (useknuty)
        *useknuty = soubor.OveritPrectenoKromeUseknuteho(SKUPINA, polozky.size());
    else
        soubor.OveritPrectenoVse(SKUPINA, polozky.size());
    return polozky;
}

wchar_t Mala(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

std::wstring SouborNastaveni() { return nastaveniSeznamRegistraci ? nastaveniSeznamRegistraci->soubor.Text() : L""; }

}  // namespace

bool Registrace::operator==(const Registrace& jina) const {
    for (const Pole& p : POLE)
        if (this->*p.clen != jina.*p.clen) return false;
    return true;
}

std::wstring TextSouboruRegistraci(const std::vector<Registrace>& polozky) {
    std::wstring text;
    for (const Registrace& r : polozky) {
        text += RadekOtevreniSkupiny(SKUPINA);
        for (const Pole& p : POLE) text += RadekHodnoty(p.nazev, r.*p.clen);
        text += RadekUzavreniSkupiny(SKUPINA);
    }
    return text;
}

std::vector<Registrace> PrecistRegistrace(const std::wstring& text) {
    SouborKonfiguraceCteni soubor;
    soubor.NacistText(text);
    return PrecistVse(soubor);
}

std::vector<Registrace> PrecistRegistraceZDat(const void* data, size_t bajtu) {
    SouborKonfiguraceCteni soubor;
    soubor.NacistData(data, bajtu);
    return PrecistVse(soubor);
}

bool StejneNazvyRegistraci(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Mala(a[i]) != Mala(b[i])) return false;
    return true;
}

bool ObsahujeZnackuFormatu(const std::wstring& text, const std::vector<std::wstring>& znacky) {
    if (text.find(L"</") != std::wstring::npos) return true;
    for (const std::wstring& z : znacky)
        if (text.find(L"<" + z + L">") != std::wstring::npos) return true;
    return false;
}

const std::vector<std::wstring>& ZnackyRegistraci() {
    static const std::vector<std::wstring> znacky = {SKUPINA, L"heslo", L"info", L"nazev", L"prihlasovaciJmeno", L"url"};
    return znacky;
}

// ---------------------------------------------------------------------------------------------

void SeznamRegistraci::Overit(int index) const {
    if (index < 0 || index >= Pocet()) knihovna::VyhoditChybu(E_INVALIDARG);
}

Registrace SeznamRegistraci::Polozka(int index) const {
    Overit(index);
    return m_polozky[static_cast<size_t>(index)];
}

void SeznamRegistraci::Nahradit(int index, const Registrace& registrace) {
    Overit(index);
    Registrace& zaznam = m_polozky[static_cast<size_t>(index)];
    const uint32_t identita = zaznam.identita;  // the entry stays the same one
    zaznam = registrace;
    zaznam.identita = identita;
}

void SeznamRegistraci::Odebrat(int index) {
    Overit(index);
    m_polozky.erase(m_polozky.begin() + index);
}

void SeznamRegistraci::Pridat(const Registrace& registrace) {
    m_polozky.push_back(registrace);
    m_polozky.back().identita = ++m_posledniIdentita;
}

int SeznamRegistraci::NajitPodleNazvu(const std::wstring& nazev) const {
    for (size_t i = 0; i < m_polozky.size(); ++i)
        if (StejneNazvyRegistraci(m_polozky[i].nazev, nazev)) return static_cast<int>(i);
    return -1;
}

int SeznamRegistraci::NajitPodleIdentity(uint32_t identita) const {
    if (identita == 0) return -1;
    for (size_t i = 0; i < m_polozky.size(); ++i)
        if (m_polozky[i].identita == identita) return static_cast<int>(i);
    return -1;
}

HRESULT SeznamRegistraci::Nacist() { return Nacist(SouborNastaveni()); }

HRESULT SeznamRegistraci::Nacist(const std::wstring& cesta) {
    m_polozky.clear();
    m_soubor = cesta;
    m_ochrana.Zdravy();
    if (cesta.empty() || !::PathFileExistsW(cesta.c_str())) return S_OK;
    try {
        SouborKonfiguraceCteni soubor;
        soubor.NacistSoubor(cesta, MAX_VELIKOST_SOUBORU_REGISTRACI);
        bool useknuty = false;
        m_polozky = PrecistVse(soubor, &useknuty);
        for (Registrace& r : m_polozky) r.identita = ++m_posledniIdentita;
        if (useknuty) {
            m_ochrana.Poskozeny(cesta);
            std::wstring text = Formatovat(knihovna::Retezec(IDS_REGISTRACE_CHYBA_NACTENI).c_str(), cesta.c_str());
            text += L"\n" + ZpravaUseknutehoKonce(m_polozky.size(), m_ochrana.ZalohovatHned());
            aplikace.ZobrazitZpravu(text, MB_ICONWARNING);
        }
        return S_OK;
    } catch (const knihovna::Chyba& chyba) {
        m_polozky.clear();
        m_ochrana.Poskozeny(cesta);
        std::wstring text = Formatovat(knihovna::Retezec(IDS_REGISTRACE_CHYBA_NACTENI).c_str(), cesta.c_str());
        text += L"\n" + knihovna::Retezec(IDS_POSKOZENY_SOUBOR_ZACHOVAN);
        aplikace.ZobrazitChybuCom(text, chyba);
        return chyba.Hresult();
    }
}

HRESULT SeznamRegistraci::Ulozit() {
    if (m_soubor.empty()) m_soubor = SouborNastaveni();
    try {
        // every save follows a change of the user's: a damaged file's bytes are kept first
        m_ochrana.PredUlozenim(m_soubor, true);
        SouborKonfiguraceZapis soubor;
        knihovna::OveritHr(soubor.OtevritSoubor(m_soubor));
        for (const Registrace& r : m_polozky) {
            knihovna::OveritHr(soubor.OtevritSkupinu(SKUPINA));
            for (const Pole& p : POLE) soubor.ZapsatText(p.nazev, r.*p.clen);
            knihovna::OveritHr(soubor.UzavritSkupinu());
        }
        soubor.Zavrit();
        m_ochrana.PoUlozeni(m_soubor);
        return S_OK;
    } catch (const knihovna::Chyba& chyba) {
        aplikace.ZobrazitChybuCom(Formatovat(knihovna::Retezec(IDS_REGISTRACE_CHYBA_ZAPISU).c_str(), m_soubor.c_str()),
                                  chyba);
        return chyba.Hresult();
    }
}
