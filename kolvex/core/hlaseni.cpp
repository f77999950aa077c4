#include "core/hlaseni.h"

#include <shellapi.h>

#include <memory>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/ikonatray.h"
#include "core/oknohlavni.h"
#include "knihovna/modul.h"
#include "knihovna/text.h"
#include "resources/resource.h"

using knihovna::Chyba;
using knihovna::Formatovat;
using knihovna::Modul;
using knihovna::Retezec;

namespace {

void UkoncitProcesSystemem(UINT kod) { ::TerminateProcess(::GetCurrentProcess(), kod); }

// Steps 1-3: the error box, then the question whether to end the program; yes closes the main window.
void NahlasitAZeptatSe(Modul& modul, const Chyba& chyba, UINT idOtazky, const std::wstring& nazev) {
    modul.ZobrazitChybuComPopis(chyba);
    std::wstring otazka = Formatovat(Retezec(idOtazky).c_str(), nazev.c_str(), chyba.Zprava().c_str(),
                                     aplikace.titulek.c_str());
    if (modul.Otazka(otazka, true, true)) ZavritHlavniOkno();
}

// A stop that timed out: one Czech message naming the tool (the time-out's own code means nothing
// to the user), then the end of the program in any case.
void NahlasitAUkoncit(Modul& modul, const Chyba&, UINT idTextu, UINT idNazvu) {
    modul.ZobrazitChybu(Formatovat(Retezec(idTextu).c_str(), Retezec(idNazvu).c_str()));
    ZavritHlavniOkno();
}

IkonaTray* HlavniIkona() {
    if (!oknoHlavni || !oknoHlavni->ikona || oknoHlavni->ikona->id == 0) return nullptr;
    return oknoHlavni->ikona.get();
}

}  // namespace

void (*ukoncitProces)(UINT kod) = UkoncitProcesSystemem;

void ZavritHlavniOkno() {
    if (oknoHlavni && oknoHlavni->m_hWnd && !oknoHlavni->Zavira()) ::PostMessageW(oknoHlavni->m_hWnd, WM_CLOSE, 0, 0);
}

void HlasitNezastavenyZasuvnyModul(const std::wstring& nazev) {
    aplikace.ZobrazitChybu(Formatovat(Retezec(IDS_CHYBA_UKONCENI_MODULU).c_str(), nazev.c_str()));
}

void HlasitChybuVlaknaModulu(const Chyba& chyba, UINT idNazvu) {
    NahlasitAZeptatSe(aplikace, chyba, IDS_CHYBA_VLAKNA_MODULU, Retezec(idNazvu));
}

void HlasitChybuVlaknaNastroje(Modul& modul, const Chyba& chyba, UINT idNazvu) {
    NahlasitAZeptatSe(modul, chyba, IDS_CHYBA_VLAKNA_NASTROJE, Retezec(idNazvu));
}

namespace {
void HlasitChybuAkce(const std::wstring& popis, UINT idNazvu) {
    std::wstring otazka = Formatovat(Retezec(IDS_CHYBA_VLAKNA_MODULU).c_str(), Retezec(idNazvu).c_str(),
                                     popis.c_str(), aplikace.titulek.c_str());
    if (aplikace.Otazka(otazka, true, true)) ZavritHlavniOkno();
}
}  // namespace

void HlasitChybuAkceModulu(const Chyba& chyba, UINT idNazvu) { HlasitChybuAkce(chyba.Zprava(), idNazvu); }

void HlasitChybuAkceModulu(const Chyba& chyba, UINT idNazvu, UINT idPrikazu) {
    std::wstring akce;
    if (!knihovna::NacistRetezec(idPrikazu, akce)) {
        HlasitChybuAkce(chyba.Zprava(), idNazvu);
        return;
    }
    akce = akce.substr(0, akce.find(L'\n'));
    HlasitChybuAkce(Formatovat(L"%s: %s", akce.c_str(), chyba.Zprava().c_str()), idNazvu);
}

void HlasitChybuExternihoModulu(const Chyba& chyba, const std::wstring& nazev) {
    NahlasitAZeptatSe(aplikace, chyba, IDS_CHYBA_EXTERNIHO_MODULU, nazev);
}

void HlasitChybuSpusteniModulu(const Chyba& chyba, UINT idNazvu) {
    NahlasitAZeptatSe(aplikace, chyba, IDS_CHYBA_SPUSTENI_MODULU, Retezec(idNazvu));
}

void HlasitChybuSpusteniNastroje(const Chyba& chyba, UINT idNazvu) {
    NahlasitAZeptatSe(aplikace, chyba, IDS_CHYBA_SPUSTENI_NASTROJE, Retezec(idNazvu));
}

void HlasitChybuUkonceniModulu(const Chyba& chyba, UINT idNazvu) {
    NahlasitAUkoncit(aplikace, chyba, IDS_CHYBA_UKONCENI_MODULU, idNazvu);
}

void HlasitChybuUkonceniNastroje(Modul& modul, const Chyba& chyba, UINT idNazvu) {
    NahlasitAUkoncit(modul, chyba, IDS_CHYBA_UKONCENI_NASTROJE, idNazvu);
}

void UkoncitPoZavazneChybe(const wchar_t* text) {
    std::wstring popis = text ? std::wstring(text) : knihovna::TextPosledniChyby();
    std::wstring zprava = Formatovat(L"Došlo k významné chybě!\n\n%s\n\nAplikace %s bude nyní ukončena.",
                                     popis.c_str(), aplikace.titulek.c_str());
    knihovna::oknoZpravy(nullptr, zprava.c_str(), aplikace.titulek.c_str(), MB_ICONERROR | MB_SETFOREGROUND);
    ukoncitProces(0xFFFFFFFFu);
    ::ExitProcess(0xFFFFFFFFu);  // not reached: the process has ended
}

namespace {
struct BublinaHlavniIkony {
    DWORD druh;
    bool zvuk;
    std::wstring text;
    HICON ikona;
};

// Every balloon at the main icon: on the main thread shown at once; from another thread handed
// over by a posted message, since oknoHlavni->ikona is the main thread's (removed and freed there
// at shutdown while other threads may still run).
void BublinaNaHlavniIkone(DWORD druh, bool zvuk, const std::wstring& text, HICON ikona) {
    HWND hlavniOkno = oknoHlavni ? oknoHlavni->m_hWnd : nullptr;
    if (hlavniOkno && ::GetWindowThreadProcessId(hlavniOkno, nullptr) != ::GetCurrentThreadId()) {
        auto bublina = std::make_unique<BublinaHlavniIkony>(BublinaHlavniIkony{druh, zvuk, text, ikona});
        if (::PostMessageW(hlavniOkno, ZpravaBublinaHlavniIkony, 0, reinterpret_cast<LPARAM>(bublina.get())))
            bublina.release();
        return;
    }
    IkonaTray* hlavni = HlavniIkona();
    if (!hlavni) return;
    if (text.empty()) {
        SkrytBublinu(*hlavni);  // handed over by SkrytBublinuHlavniIkony
        return;
    }
    ZobrazitBublinu(*hlavni, aplikace.titulek, druh, zvuk, text, ikona ? ikona : aplikace.malaIkona.Get());
}
}  // namespace

void ZobrazitBublinuHlavniIkony(HICON ikona, const std::wstring& text) {
    BublinaNaHlavniIkone(BUBLINA_INFORMACE, aplikace.nastaveni.zvuk, text, ikona);
}

void ZobrazitBublinuHlavniIkony(HICON ikona, const std::wstring& text, bool zvuk) {
    BublinaNaHlavniIkone(BUBLINA_INFORMACE, zvuk, text, ikona);
}

LRESULT PrevzitBublinuHlavniIkony(LPARAM l) {
    std::unique_ptr<BublinaHlavniIkony> bublina(reinterpret_cast<BublinaHlavniIkony*>(l));
    if (!bublina) return 0;
    try {
        BublinaNaHlavniIkone(bublina->druh, bublina->zvuk, bublina->text, bublina->ikona);
    } catch (const Chyba&) {
        // a balloon that cannot be shown is not worth a box
    }
    return 0;
}

void SkrytBublinuHlavniIkony() {
    BublinaNaHlavniIkone(BUBLINA_INFORMACE, false, std::wstring(), nullptr);  // no text: hide it
}

void ZobrazitChybuComVBubline(const std::wstring& text, const Chyba& chyba) {
    std::wstring zprava = Formatovat(L"%s\nChyba: %s", text.c_str(), Modul::TextChybyCom(chyba).c_str());
    BublinaNaHlavniIkone(BUBLINA_CHYBA, aplikace.nastaveni.zvuk, zprava, nullptr);
}

void ZobrazitChybuVBubline(const std::wstring& text) {
    BublinaNaHlavniIkone(BUBLINA_CHYBA, aplikace.nastaveni.zvuk, text, nullptr);
}

void ZobrazitChybuVBublineId(UINT idTextu) { ZobrazitChybuVBubline(Retezec(idTextu)); }

void OtevritStrankuSoftwaru() {
    try {
        std::wstring adresa = knihovna::webAutora + L"/software/";
        knihovna::OveritShellExecute(
            knihovna::spustitShell(nullptr, L"open", adresa.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED));
    } catch (const Chyba& chyba) {
        ZobrazitChybuComVBubline(L"", chyba);
    }
}

void FormatovatTextSDoplnkem(UINT id, std::wstring& text) {
    text = Formatovat(L"%s (%s)", Retezec(id).c_str(), aplikace.titulek.c_str());
}

void FormatovatTextSNadpisem(UINT id, std::wstring& text) {
    text = Formatovat(Retezec(IDS_TEXT_S_NADPISEM).c_str(), Retezec(id).c_str(), aplikace.titulek.c_str());
}

void FormatovatTextSNadpisemPoznamky(UINT id, std::wstring& text) {
    text = Formatovat(Retezec(IDS_TEXT_S_NADPISEM_POZNAMKY).c_str(), Retezec(id).c_str(), aplikace.titulek.c_str());
}
