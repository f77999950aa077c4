#include "screen/opisemailem.h"

#include <process.h>
#include <shlwapi.h>

#include <atomic>
#include <memory>
#include <new>

#include "core/aplikace.h"
#include "core/email.h"
#include "core/globalni.h"
#include "core/hlaseni.h"
#include "core/konfiguracenastroju.h"
#include "core/obrazek.h"
#include "core/odesilatelemailu.h"
#include "core/ulozitsoubor.h"
#include "knihovna/text.h"
#include "resources/resource.h"
#include "screen/opis.h"

using knihovna::Formatovat;
using knihovna::Retezec;

unsigned short portOdeslaniOpisu = 0;
int casovyLimitOdeslaniOpisu = 0;

namespace {

// What the worker needs, copied on the requesting thread: the worker reads nothing shared.
struct Odeslani {
    std::wstring prijemce;
    std::wstring soubor;
    std::wstring jmeno;
    bool docasny = false;
    HWND oknoVysledku = nullptr;
    std::wstring predmet;
    std::wstring text;
    bool html = false;
    std::wstring server;
    std::wstring email;
    std::wstring odesilatel;
    std::wstring uzivatel;
    std::wstring heslo;
    std::atomic<bool> zrusit{false};
};

// The worker's handle: set and closed only by the screen module's thread.
HANDLE vlaknoOdeslani = nullptr;
std::shared_ptr<Odeslani> probihajici;

class SmtpOpisu : public brenvald_email::Smtp {
public:
    explicit SmtpOpisu(const Odeslani& o) : m_odeslani(o) {}
    int PriOdesilani(const char*, size_t, size_t) override { return m_odeslani.zrusit ? 0 : 1; }

private:
    const Odeslani& m_odeslani;
};

void Odeslat(Odeslani& o, VysledekOdeslaniOpisu& vysledek) {
    brenvald_email::ZpravaEmail zprava;
    zprava.predmet = o.predmet;
    zprava.odesilatel = {o.odesilatel, o.email};
    zprava.prijemce = {L"", o.prijemce};
    brenvald_email::CastZpravyEmail cast;
    cast.typObsahu = o.html ? L"text/html" : L"text/plain";
    cast.text = o.text;
    zprava.casti.push_back(cast);
    brenvald_email::PrilohaEmailu priloha;
    priloha.cesta = o.soubor;
    priloha.jmeno = o.jmeno;
    zprava.prilohy.push_back(priloha);

    SmtpOpisu smtp(o);
    if (!o.uzivatel.empty()) smtp.uzivatel = o.uzivatel;
    if (!o.heslo.empty()) smtp.heslo = o.heslo;
    if (portOdeslaniOpisu) smtp.NastavitPort(portOdeslaniOpisu);
    if (casovyLimitOdeslaniOpisu > 0) smtp.casovyLimitOdpovedi = casovyLimitOdeslaniOpisu;
    // The client's own account of a failure (a time-out, the encryption, a refused login) comes
    // first; a server that could not be reached or refused the message is named otherwise.
    if (!smtp.Pripojit(o.server)) {
        vysledek.duvod = !smtp.PopisChyby().empty()
                             ? smtp.PopisChyby()
                             : Formatovat(Retezec(IDS_OPIS_SERVER_NEDOSTUPNY).c_str(), o.server.c_str());
        return;
    }
    const int kod = smtp.OdeslatZpravu(zprava);
    vysledek.odeslano = kod == 0;
    if (!vysledek.odeslano && !smtp.PopisChyby().empty()) {
        vysledek.duvod = smtp.PopisChyby();
    } else if (!vysledek.odeslano) {
        std::wstring odpoved = smtp.PosledniOdpoved();
        if (odpoved.empty()) odpoved = knihovna::ZiskatTextChyby(0);
        vysledek.duvod = Formatovat(Retezec(IDS_OPIS_SERVER_ODMITL).c_str(), odpoved.c_str());
    }
    smtp.Odpojit();
}

unsigned __stdcall VlaknoOdeslaniOpisu(void* parametr) {
    // The worker holds its own reference: the data outlive a shutdown that stops waiting.
    std::shared_ptr<Odeslani> o(*static_cast<std::shared_ptr<Odeslani>*>(parametr));
    delete static_cast<std::shared_ptr<Odeslani>*>(parametr);
    auto vysledek = std::make_unique<VysledekOdeslaniOpisu>();
    vysledek->prijemce = o->prijemce;
    try {
        Odeslat(*o, *vysledek);
    } catch (const knihovna::Chyba& chyba) {
        vysledek->odeslano = false;
        vysledek->duvod = knihovna::Modul::TextChybyCom(chyba);
    } catch (...) {
        vysledek->odeslano = false;
        vysledek->duvod = knihovna::ZiskatTextChyby(0);
    }
    if (o->docasny) ::DeleteFileW(o->soubor.c_str());
    if (o->oknoVysledku && !o->zrusit &&
        ::PostMessageW(o->oknoVysledku, ZpravaOpisOdeslan, 0, reinterpret_cast<LPARAM>(vysledek.get())))
        vysledek.release();  // the window owns it now
    return 0;
}

std::wstring SlozkaKopie() {
    const std::wstring docasna = aplikace.nastaveni.slozkaDocasne.Text();
    if (!docasna.empty() && ::PathIsDirectoryW(docasna.c_str())) return docasna;
    wchar_t cesta[MAX_PATH + 1] = {};
    DWORD n = ::GetTempPathW(MAX_PATH, cesta);
    if (n == 0 || n > MAX_PATH) knihovna::VyhoditPosledniChybu();
    std::wstring slozka(cesta, n);
    while (!slozka.empty() && slozka.back() == L'\\') slozka.pop_back();
    return slozka;
}

}  // namespace

bool ProbihaOdesilaniOpisu() {
    if (!vlaknoOdeslani) return false;
    if (::WaitForSingleObject(vlaknoOdeslani, 0) == WAIT_TIMEOUT) return true;
    ::CloseHandle(vlaknoOdeslani);
    vlaknoOdeslani = nullptr;
    probihajici.reset();
    return false;
}

void OdeslatOpisEmailem(const std::wstring& prijemce, const std::wstring& soubor, HWND oknoVysledku,
                        const std::wstring& jmeno, bool docasny) {
    if (ProbihaOdesilaniOpisu()) return;
    auto o = std::make_shared<Odeslani>();
    o->prijemce = prijemce;
    o->soubor = soubor;
    o->jmeno = jmeno;
    o->docasny = docasny;
    o->oknoVysledku = oknoVysledku;
    if (nastaveniObrazovka) {
        const NastaveniOpisuEmailem& n = nastaveniObrazovka->opisEmail;
        o->predmet = n.predmet.Text();
        o->text = n.textZpravy.Text();
        o->html = n.html;
    } else {
        NastaveniOpisuEmailem vychozi;
        o->predmet = vychozi.predmet.Text();
    }
    if (nastaveniOdesilatelEmailu) {
        const KonfiguraceOdesilatelEmailu& k = *nastaveniOdesilatelEmailu;
        o->server = k.server.Text();
        o->email = k.email.Text();
        o->odesilatel = k.odesilatel.Text();
        o->uzivatel = k.uzivatel.Text();
        o->heslo = k.heslo.Text();
    }
    auto* parametr = new std::shared_ptr<Odeslani>(o);
    auto vlakno = reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, VlaknoOdeslaniOpisu, parametr, 0, nullptr));
    if (!vlakno) {
        DWORD kod = ::GetLastError();
        delete parametr;
        ::SetLastError(kod);
        knihovna::VyhoditPosledniChybu();
    }
    vlaknoOdeslani = vlakno;
    probihajici = o;
}

bool ZmensitKopiiObrazku(const std::wstring& soubor, DWORD procento, const std::wstring& cil, int kvalitaJpeg) {
    if (procento < 5 || procento > 99) return false;
    ObrazekGdiPlus obrazek;
    obrazek.VytvoritTabulkuKoderu();
    // The format of the file's extension, encoded as a capture of it is.
    const wchar_t* pripona = ::PathFindExtensionW(soubor.c_str());
    int format = -1;
    for (int i = 0; i < POCET_FORMATU_OBRAZKU && format < 0; ++i)
        if (::lstrcmpiW((*obrazek.formaty)[i].pripona.c_str(), pripona) == 0) format = i;
    CLSID koder;
    if (format < 0 && NajitKodekPodlePripony(pripona, koder) >= 0)  // ".jpeg", ".tiff" ...
        for (int i = 0; i < POCET_FORMATU_OBRAZKU && format < 0; ++i)
            if (koder == (*obrazek.formaty)[i].koder) format = i;
    if (format < 0) knihovna::VyhoditChybu(REGDB_E_CLASSNOTREG);
    obrazek.NacistZeSouboru(soubor);
    UINT strana = obrazek.Sirka() * procento / 100;
    if (strana < 1) strana = 1;
    obrazek.KopieVPomeru(strana, strana);
    const std::string data = ZakodovatOpis(obrazek, format, kvalitaJpeg, true);
    UlozitSouborBezpecne(cil, data.data(), data.size());
    return true;
}

bool PozadovatOdeslaniOpisu(const std::wstring& adresa, const std::wstring& soubor, HWND oknoVysledku) {
    if (adresa.size() < 6) {
        aplikace.ZobrazitZpravuId(IDS_EMAIL_NEPLATNY, MB_ICONERROR);
        return false;
    }
    if (ProbihaOdesilaniOpisu()) {
        aplikace.ZobrazitZpravuId(IDS_OPIS_PROBIHA_ODESILANI, MB_ICONERROR);
        return false;
    }
    // A capture moved or deleted since it was taken is named as such (GDI+ would only say that a
    // parameter was wrong, and the mail road that the attachment cannot be read).
    if (::GetFileAttributesW(soubor.c_str()) == INVALID_FILE_ATTRIBUTES) {
        ZobrazitChybuVBubline(Formatovat(Retezec(IDS_OPIS_NEODESLAN).c_str(), adresa.c_str(),
                                         Formatovat(Retezec(IDS_OPIS_SOUBOR_CHYBI).c_str(), soubor.c_str()).c_str()));
        return false;
    }
    // The attachment is scaled from a copy: the capture file itself never changes.
    const DWORD procento = nastaveniObrazovka ? nastaveniObrazovka->opisEmail.procentoVelikosti : 100;
    std::wstring priloha = soubor;
    bool docasny = false;
    if (procento >= 5 && procento <= 99) {
        const std::wstring kopie = Formatovat(L"%s\\Opis emailem %u-%u%s", SlozkaKopie().c_str(), ::GetCurrentProcessId(),
                                              ::GetTickCount(), ::PathFindExtensionW(soubor.c_str()));
        // A picture that cannot be made is not sent: the send fails with the reason.
        std::wstring chyba;
        try {
            ZmensitKopiiObrazku(soubor, procento, kopie,
                                nastaveniObrazovka ? static_cast<int>(nastaveniObrazovka->opis.kvalitaJpeg) : 0);
        } catch (const knihovna::Chyba& c) {
            chyba = knihovna::Modul::TextChybyCom(c);
        } catch (const std::bad_alloc&) {
            chyba = knihovna::Modul::TextChybyCom(knihovna::Chyba(E_OUTOFMEMORY));
        }
        if (!chyba.empty()) {
            ::DeleteFileW(kopie.c_str());
            ZobrazitChybuVBubline(Formatovat(
                Retezec(IDS_OPIS_NEODESLAN).c_str(), adresa.c_str(),
                Formatovat(Retezec(IDS_OPIS_PRILOHA_NEVYTVORENA).c_str(), chyba.c_str()).c_str()));
            return false;
        }
        priloha = kopie;
        docasny = true;
    }
    ZobrazitBublinuHlavniIkony(nullptr, Formatovat(Retezec(IDS_OPIS_ODESILAM).c_str(), adresa.c_str()));
    try {
        OdeslatOpisEmailem(adresa, priloha, oknoVysledku, ::PathFindFileNameW(soubor.c_str()), docasny);
    } catch (...) {
        if (docasny) ::DeleteFileW(priloha.c_str());
        throw;
    }
    return true;
}

void PrevzitVysledekOdeslani(LPARAM l) {
    std::unique_ptr<VysledekOdeslaniOpisu> vysledek(reinterpret_cast<VysledekOdeslaniOpisu*>(l));
    if (!vysledek) return;
    if (vysledek->odeslano)
        ZobrazitBublinuHlavniIkony(nullptr, Formatovat(Retezec(IDS_OPIS_ODESLAN).c_str(), vysledek->prijemce.c_str()));
    else
        ZobrazitChybuVBubline(
            Formatovat(Retezec(IDS_OPIS_NEODESLAN).c_str(), vysledek->prijemce.c_str(), vysledek->duvod.c_str()));
}

void UkoncitOdesilaniOpisu() {
    if (!vlaknoOdeslani) return;
    if (probihajici) probihajici->zrusit = true;
    ::WaitForSingleObject(vlaknoOdeslani, static_cast<DWORD>(aplikace.nastaveni.casovyLimitModulu));
    ::CloseHandle(vlaknoOdeslani);
    vlaknoOdeslani = nullptr;
    probihajici.reset();
}
