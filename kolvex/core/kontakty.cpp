#include "core/kontakty.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <new>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/poskozenysoubor.h"
#include "core/tagovanytext.h"
#include "knihovna/odkazy.h"
#include "knihovna/chyba.h"
#include "knihovna/modul.h"
#include "knihovna/text.h"
#include "resources/resource.h"

using knihovna::Formatovat;
using knihovna::VyhoditChybu;

std::wstring webIcq = L"www.icq.com";

namespace {

// The values of a contact in file order (alphabetical by element name).
struct Pole {
    const wchar_t* nazev;
    std::wstring Kontakt::*clen;
};
const Pole POLE[] = {
    {L"adresa", &Kontakt::adresa}, {L"email", &Kontakt::email},     {L"icq", &Kontakt::icq},
    {L"info", &Kontakt::info},     {L"jmeno", &Kontakt::jmeno},     {L"msn", &Kontakt::msn},
    {L"nazev", &Kontakt::nazev},   {L"prijmeni", &Kontakt::prijmeni}, {L"skype", &Kontakt::skype},
    {L"telefon", &Kontakt::telefon}, {L"www", &Kontakt::www},
};

int Chybi(UINT idZpravy, const Kontakt& kontakt) {
    aplikace.ZobrazitZpravu(Formatovat(knihovna::Retezec(idZpravy).c_str(), kontakt.nazev.c_str()), MB_ICONERROR);
    return 1;
}

int Otevrit(const std::wstring& cil) {
    knihovna::OveritShellExecute(knihovna::spustitShell(nullptr, L"open", cil.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED));
    return 0;
}

}  // namespace

bool Kontakt::operator==(const Kontakt& jiny) const {
    for (const Pole& p : POLE)
        if (this->*p.clen != jiny.*p.clen) return false;
    return true;
}

int Kontakt::NapsatEmail() const {
    if (email.size() < 6) return Chybi(IDS_KONTAKT_BEZ_EMAILU, *this);
    return Otevrit(L"mailto:" + email);
}

int Kontakt::OtevritWeb() const {
    if (www.size() < 4) return Chybi(IDS_KONTAKT_BEZ_WEBU, *this);
    // An address with its own scheme (https, ftp ...) is kept, as the link control keeps it.
    if (knihovna::MaSchema(www)) return Otevrit(www);
    return Otevrit(L"http://" + www);
}

int Kontakt::ZavolatSkype() const {
    if (skype.size() < 2) return Chybi(IDS_KONTAKT_BEZ_SKYPE, *this);
    return Otevrit(L"callto:" + skype);
}

int Kontakt::PoslatZpravuIcq() const {
    if (icq.size() < 6) return Chybi(IDS_KONTAKT_BEZ_ICQ, *this);
    return Otevrit(L"http://" + webIcq + L"/whitepages/cmd.php?uin=" + icq + L"&action=message");
}

// ---------------------------------------------------------------------------------------------

void SeznamKontaktu::Nacist(const std::wstring& cesta) {
    knihovna::Zamek zamek(m_zamek);
    m_kontakty.clear();
    m_ochrana.Zdravy();
    m_zmeneno = false;
    m_useknutyKonec = false;
    if (!::PathFileExistsW(cesta.c_str())) return;
    try {
        SouborKonfiguraceCteni soubor;
        soubor.NacistSoubor(cesta, MAX_VELIKOST_SOUBORU_KONTAKTU);
        std::vector<Kontakt> nactene;
        while (soubor.NajitSkupinu(L"kontakt") == S_OK) {
            Kontakt kontakt;
            for (const Pole& p : POLE) {
                HRESULT hr = soubor.NajitHodnotu(p.nazev, kontakt.*p.clen);
                if (hr != S_OK) VyhoditChybu(hr == S_FALSE ? knihovna::HresultZKodu(ERROR_INVALID_DATA) : hr);
            }
            nactene.push_back(kontakt);
        }
        // Every contact the file holds must have been read, and a file that is not empty must
        // hold some: otherwise it is damaged (cut short, overwritten), never an empty list.
        // Only a last contact cut off is forgiven: the whole ones before it are the user's.
        const bool useknuty = soubor.OveritPrectenoKromeUseknuteho(L"kontakt", nactene.size());
        m_kontakty = std::move(nactene);
        for (Kontakt& k : m_kontakty) k.identita = ++m_posledniIdentita;
        if (useknuty) {
            m_useknutyKonec = true;
            m_ochrana.Poskozeny(cesta);
            m_ochrana.ZalohovatHned();
        }
    } catch (...) {
        m_kontakty.clear();
        m_ochrana.Poskozeny(cesta);
        throw;
    }
    Seradit();
}

void SeznamKontaktu::Ulozit(const std::wstring& cesta) {
    knihovna::Zamek zamek(m_zamek);
    // A damaged file stays as it is until the user changes the contacts; then its bytes are
    // kept beside it first (a failed copy raises and nothing is saved).
    if (!m_ochrana.PredUlozenim(cesta, m_zmeneno)) return;
    SouborKonfiguraceZapis soubor;
    knihovna::OveritHr(soubor.OtevritSoubor(cesta));
    for (const Kontakt& kontakt : m_kontakty) {
        knihovna::OveritHr(soubor.OtevritSkupinu(L"kontakt"));
        for (const Pole& p : POLE) soubor.ZapsatText(p.nazev, kontakt.*p.clen);
        knihovna::OveritHr(soubor.UzavritSkupinu());
    }
    soubor.Zavrit();
    m_ochrana.PoUlozeni(cesta);
}

void SeznamKontaktu::Pridat(const Kontakt& kontakt) {
    knihovna::Zamek zamek(m_zamek);
    m_kontakty.push_back(kontakt);
    m_kontakty.back().identita = ++m_posledniIdentita;
    m_zmeneno = true;
}

const Kontakt& SeznamKontaktu::Prvek(int index) const {
    knihovna::Zamek zamek(m_zamek);
    if (index < 0 || index >= Pocet()) VyhoditChybu(E_INVALIDARG);
    return m_kontakty[static_cast<size_t>(index)];
}

void SeznamKontaktu::Odebrat(int index) {
    knihovna::Zamek zamek(m_zamek);
    Prvek(index);
    m_kontakty.erase(m_kontakty.begin() + index);
    m_zmeneno = true;
}

void SeznamKontaktu::Zmenit(int index, const Kontakt& kontakt) {
    knihovna::Zamek zamek(m_zamek);
    Prvek(index);
    Kontakt& zaznam = m_kontakty[static_cast<size_t>(index)];
    const uint32_t identita = zaznam.identita;  // the record stays the same one
    zaznam = kontakt;
    zaznam.identita = identita;
    m_zmeneno = true;
}

void SeznamKontaktu::Polozka(int index, Kontakt& kontakt) const {
    knihovna::Zamek zamek(m_zamek);
    kontakt = Prvek(index);
}

void SeznamKontaktu::ZkontrolovanyPrvek(int index, Kontakt& kontakt) const {
    knihovna::Zamek zamek(m_zamek);
    kontakt = Prvek(index);
}

int SeznamKontaktu::NajitPodleNazvu(const std::wstring& nazev) const {
    knihovna::Zamek zamek(m_zamek);
    for (int i = 0; i < Pocet(); ++i) {
        const std::wstring& n = m_kontakty[static_cast<size_t>(i)].nazev;
        if (::CompareStringOrdinal(n.c_str(), static_cast<int>(n.size()), nazev.c_str(), static_cast<int>(nazev.size()),
                                   TRUE) == CSTR_EQUAL)
            return i;
    }
    return -1;
}

int SeznamKontaktu::NajitPodleIdentity(uint32_t identita) const {
    knihovna::Zamek zamek(m_zamek);
    if (identita == 0) return -1;
    for (int i = 0; i < Pocet(); ++i)
        if (m_kontakty[static_cast<size_t>(i)].identita == identita) return i;
    return -1;
}

bool SeznamKontaktu::Porovnat(const Kontakt& a, const Kontakt& b) { return a.nazev < b.nazev; }

void SeznamKontaktu::Seradit() {
    knihovna::Zamek zamek(m_zamek);
    std::stable_sort(m_kontakty.begin(), m_kontakty.end(), Porovnat);
}

// The shell is asked with a copy, outside the lock.
int SeznamKontaktu::NapsatEmail(int index) const {
    Kontakt k;
    Polozka(index, k);
    return k.NapsatEmail();
}
int SeznamKontaktu::OtevritWeb(int index) const {
    Kontakt k;
    Polozka(index, k);
    return k.OtevritWeb();
}
int SeznamKontaktu::ZavolatSkype(int index) const {
    Kontakt k;
    Polozka(index, k);
    return k.ZavolatSkype();
}
int SeznamKontaktu::PoslatZpravuIcq(int index) const {
    Kontakt k;
    Polozka(index, k);
    return k.PoslatZpravuIcq();
}

void NacistKontaktySHlasenim(SeznamKontaktu& seznam, const std::wstring& cesta) {
    auto hlasit = [&](const std::wstring& podrobnosti) {
        aplikace.ZobrazitChybu(
            Formatovat(knihovna::Retezec(IDS_KONTAKTY_CHYBA_NACTENI).c_str(), cesta.c_str(), podrobnosti.c_str()));
    };
    try {
        seznam.Nacist(cesta);
        if (seznam.UseknutyKonec())
            hlasit(ZpravaUseknutehoKonce(static_cast<size_t>(seznam.Pocet()), seznam.ZalohaPoskozeneho()));
    } catch (const knihovna::Chyba& chyba) {
        hlasit(knihovna::Modul::TextChybyCom(chyba) + L"\n" + knihovna::Retezec(IDS_POSKOZENY_SOUBOR_ZACHOVAN));
    } catch (const std::bad_alloc&) {
        // a file too large for the memory: reported and kept like a damaged one
        hlasit(knihovna::Chyba(E_OUTOFMEMORY).Zprava() + L"\n" + knihovna::Retezec(IDS_POSKOZENY_SOUBOR_ZACHOVAN));
    }
}

void NacistKontaktyPriStartu(const std::wstring& cesta) {
    seznamKontaktu = std::make_unique<SeznamKontaktu>();
    NacistKontaktySHlasenim(*seznamKontaktu, cesta);
}
