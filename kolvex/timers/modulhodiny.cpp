#include "timers/modulhodiny.h"

#include <mmsystem.h>
#include <process.h>
#include <shlwapi.h>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/prvky.h"
#include "knihovna/text.h"
#include "resources/resource.h"
#include "timers/casovace.h"
#include "timers/oknocasovace.h"

using knihovna::Overit;

std::unique_ptr<ModulHodiny> modulHodiny;

namespace {

constexpr UINT_PTR CASOVAC_SEKUNDY = 1;
constexpr UINT STRANKA_HODINY = 196;
constexpr int OBRAZEK_MODULU = 63;
std::unique_ptr<VlaknoHodin> vlaknoHodin;

const KonfiguraceHodiny& Nastaveni() {
    static KonfiguraceHodiny* vychozi = nullptr;
    if (nastaveniHodiny) return *nastaveniHodiny;
    if (!vychozi) vychozi = new KonfiguraceHodiny();
    return *vychozi;
}

// The signal thread's handle while one has been started, and the event that ends it early. Both
// belong to the clock's thread (and to shutdown once that thread has ended): the signal thread
// never touches them but the event.
HANDLE vlaknoGongu = nullptr;
HANDLE konecGongu = nullptr;

struct ZadaniGongu {
    std::wstring soubor;
    int pocet;
};

unsigned __stdcall ProceduraGongu(void* parametr) {
    std::unique_ptr<ZadaniGongu> zadani(static_cast<ZadaniGongu*>(parametr));
    const int pocet = zadani->pocet > 0 ? zadani->pocet : 5;
    if (!zadani->soubor.empty() && ::PathFileExistsW(zadani->soubor.c_str())) {
        ::PlaySoundW(zadani->soubor.c_str(), nullptr, SND_FILENAME | SND_ASYNC);
    } else {
        for (int i = 0; i < pocet; ++i) {
            ::PlaySoundW(MAKEINTRESOURCEW(IDW_GONG), ::GetModuleHandleW(nullptr), SND_RESOURCE | SND_ASYNC);
            if (::WaitForSingleObject(konecGongu, 1000) == WAIT_OBJECT_0) break;
        }
    }
    return 0;
}

void SpustitVlaknoGongu(int pocet) {
    if (HrajeGong()) return;
    if (!konecGongu) konecGongu = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    Overit(konecGongu != nullptr);
    ::ResetEvent(konecGongu);
    auto* zadani = new ZadaniGongu{Nastaveni().gongSoubor.Text(), pocet};
    HANDLE h = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ProceduraGongu, zadani, 0, nullptr));
    if (!h) {
        delete zadani;
        knihovna::VyhoditPosledniChybu();
    }
    vlaknoGongu = h;
}

}  // namespace

void (*spustitGong)(int pocet) = SpustitVlaknoGongu;

bool HrajeGong() {
    if (!vlaknoGongu) return false;
    if (::WaitForSingleObject(vlaknoGongu, 0) == WAIT_TIMEOUT) return true;
    ::CloseHandle(vlaknoGongu);
    vlaknoGongu = nullptr;
    return false;
}

void ZastavitGong() {
    if (!vlaknoGongu) return;
    if (konecGongu) ::SetEvent(konecGongu);
    ::WaitForSingleObject(vlaknoGongu, 3000);
    HrajeGong();
}

ModulHodiny::ModulHodiny() : m_trida(knihovna::Retezec(IDS_TRIDA_HODINY)) {
    NastavitKlic(aplikace.klicAplikace);
    nazevModulu = knihovna::Retezec(IDS_NAZEV_HODINY);
}

ModulHodiny::~ModulHodiny() {
    try {
        knihovna::UvolnitIkonuTray(ikona);
    } catch (const knihovna::Chyba&) {
    }
}

void ModulHodiny::VytvoritPismo() {
    VytvoritPismoCasovace(m_pismo, Nastaveni().pismo);
}

void ModulHodiny::SestavitDatum(const SYSTEMTIME& cas) {
    denData = cas;
    textData = Nastaveni().datum != 0 ? TextData(cas, Nastaveni().datum) : std::wstring();
}

std::wstring ModulHodiny::TextNyni() {
    SYSTEMTIME cas;
    ziskatMistniCas(&cas);
    if (Nastaveni().datum != 0 && JinyDen(denData, cas)) {
        // a new day: the date text follows it (and the window its width)
        SestavitDatum(cas);
        if (m_hWnd) PrizpusobitVelikost();
    }
    return TextHodin(cas, Nastaveni().datum != 0 ? textData : std::wstring());
}

void ModulHodiny::PrizpusobitVelikost() {
    const std::wstring vzor = Nastaveni().datum != 0 ? textData + L", 88:88:88" : L"88:88:88";
    PrizpusobitVelikostCasovace(m_hWnd, m_pismo.Get(), vzor, 2, Nastaveni().okno);
}

HWND ModulHodiny::VytvoritOkno() {
    const KonfiguraceHodiny& n = Nastaveni();
    VytvoritPozadiCasovace(m_pozadi, n.barvaPozadi);
    if (aplikace.seznamMenu.Get()) {
        ikonaModulu = ::ImageList_GetIcon(aplikace.seznamMenu.Get(), OBRAZEK_MODULU, ILD_NORMAL);
        Overit(ikonaModulu != nullptr);
    }
    HWND vlastnik = knihovna::ziskatHlavniOkno ? knihovna::ziskatHlavniOkno() : nullptr;
    RECT obdelnik{0, 0, 120, 24};
    Vytvorit(vlastnik, &obdelnik, nazevModulu.c_str(), StylOknaCasovace(n.okno),
             WS_EX_TOOLWINDOW | RozsirenyStylOknaCasovace(n.okno), m_trida.c_str());
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ikonaModulu));
    VytvoritPismo();
    Poslat(WM_SETFONT, reinterpret_cast<WPARAM>(m_pismo.Get()), 0);
    SYSTEMTIME cas;
    ziskatMistniCas(&cas);
    SestavitDatum(cas);
    NastavitPruhlednostCasovace(m_hWnd, n.okno, n.barvaPozadi);
    Overit(::SetTimer(m_hWnd, CASOVAC_SEKUNDY, 1000, nullptr) != 0);
    PrizpusobitVelikost();
    if (ObnovitPolohu(m_trida.c_str(), true) != 0) UmistitDoRohuCasovace(m_hWnd, false);
    dalsiGong = DalsiGong(cas, n.gong);
    if (n.ikona) {
        auto nova = std::make_unique<IkonaTray>();
        nova->Pridat(m_hWnd, 1, ikonaModulu, nazevModulu.c_str());
        ikona = nova.release();
    }
    ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    return m_hWnd;
}

void ModulHodiny::ZkontrolovatGong() {
    SYSTEMTIME cas;
    ziskatMistniCas(&cas);
    if (KalendarniCas(cas) < dalsiGong) return;
    if (!HrajeGong()) spustitGong(5);
    dalsiGong = DalsiGong(cas, Nastaveni().gong);
}

void ModulHodiny::PrepocitatGong() {
    SYSTEMTIME cas;
    ziskatMistniCas(&cas);
    dalsiGong = DalsiGong(cas, Nastaveni().gong);
}

// The next signal is kept as a time of day: once the clock is set back (or the computer slept
// past it) it is counted again from the new time, so that no hour is skipped.
LRESULT ModulHodiny::OnZmenaCasu(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    PrepocitatGong();
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulHodiny::OnNapajeni(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (w == PBT_APMRESUMEAUTOMATIC || w == PBT_APMRESUMESUSPEND) PrepocitatGong();
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulHodiny::OnPaint(UINT, WPARAM, LPARAM, BOOL&) {
    const KonfiguraceHodiny& n = Nastaveni();
    const std::wstring text = TextNyni();
    KreslitTextCasovace(m_hWnd, m_pozadi.Get(), m_pismo.Get(), n.barvaTextu, text);
    if (n.gong != 0) ZkontrolovatGong();
    return 0;
}

LRESULT ModulHodiny::OnTimer(UINT, WPARAM w, LPARAM, BOOL&) {
    if (w != CASOVAC_SEKUNDY) return 0;
    if (::IsWindowVisible(m_hWnd))
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW);
    else if (Nastaveni().gong != 0)
        ZkontrolovatGong();
    return 0;
}

LRESULT ModulHodiny::OnContextMenu(UINT, WPARAM, LPARAM, BOOL&) {
    ZobrazitNabidku();
    return 0;
}

LRESULT ModulHodiny::OnIkonaTray(UINT, WPARAM w, LPARAM l, BOOL&) {
    if (w == 1 && (l == WM_LBUTTONUP || l == WM_RBUTTONUP)) ZobrazitNabidku();
    return 0;
}

void ModulHodiny::PouzitNastaveni() {
    const KonfiguraceHodiny& n = Nastaveni();
    // the clock's extended style drops WS_EX_TOOLWINDOW here, as it always has
    PouzitStylCasovace(m_hWnd, n.okno, RozsirenyStylOknaCasovace(n.okno), SW_SHOWNOACTIVATE, n.barvaPozadi);
    VymenitPismoCasovace(m_hWnd, m_pismo, n.pismo);
    SYSTEMTIME cas;
    ziskatMistniCas(&cas);
    SestavitDatum(cas);
    PrizpusobitVelikost();
    VytvoritPozadiCasovace(m_pozadi, n.barvaPozadi);
    dalsiGong = DalsiGong(cas, n.gong);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void ModulHodiny::PouzitNastaveniBezicich() {
    if (VlaknoModulu* v = NajitNastroj(Nastroj::Hodiny)) v->Odeslat(ZpravaPouzitNastaveniHodin);
}

LRESULT ModulHodiny::OnPouzitNastaveni(UINT, WPARAM, LPARAM, BOOL&) {
    PouzitNastaveni();
    return 0;
}

LRESULT ModulHodiny::OnCommand(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano) {
    const UINT id = LOWORD(w);
    switch (id) {
        case 40183: Odeslat(WM_CLOSE, 0, 0); return 0;
        default:
            if (PredatPrikazCasovace(id, STRANKA_HODINY)) return 0;
            return OknoNormalni::OnCommand(msg, w, l, zpracovano);
    }
}

LRESULT ModulHodiny::OnDrawItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    auto* polozka = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    if (polozka && polozka->CtlType == ODT_MENU && m_menu) {
        try {
            int index = polozka->itemID == 40183 ? 0 : -1;
            IkonaPrikazuMenu(polozka->itemID, index);
            KreslitPolozkuMenu(*m_menu, *polozka, index);
        } catch (const knihovna::Chyba&) {
        }
    }
    return VychoziZpracovani(msg, w, l);
}

void ModulHodiny::ZobrazitNabidku() {
    if (m_menu) return;
    NabidkaNastroje nabidka(IDM_HODINY);
    MenuPopup& zaznam = nabidka.zaznam;
    if (aplikace.nastaveni.vlastniVzhled)
        for (UINT id : {40183u, 40002u}) MenuPopup::NastavitVlastniKresleni(zaznam, id, false);
    ZobrazitMenuIkony(m_hWnd, zaznam, m_menu);
}

LRESULT ModulHodiny::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::KillTimer(m_hWnd, CASOVAC_SEKUNDY);
    UlozitPolohu(m_trida.c_str());
    knihovna::UvolnitIkonuTray(ikona);
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulHodiny::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::PostQuitMessage(0);
    return VychoziZpracovani(msg, w, l);
}

// ---------------------------------------------------------------------------------------------

VlaknoHodin::VlaknoHodin() : VlaknoModulu(IDS_NAZEV_HODINY) {}

HWND VlaknoHodin::VytvoritOkno(bool) {
    modulHodiny = std::make_unique<ModulHodiny>();
    return modulHodiny->VytvoritOkno();
}

void VlaknoHodin::ZrusitOkno() {
    modulHodiny.reset();
    ZastavitGong();
}

void VlaknoHodin::ZrusitAkciPoSpusteni() { aplikace.nastaveni.poSpusteni.hodiny = false; }

void VytvoritModulHodiny() {
    if (!vlaknoHodin) vlaknoHodin = std::make_unique<VlaknoHodin>();
    ZaregistrovatNastroj(Nastroj::Hodiny, vlaknoHodin.get());
}

void SmazatModulHodiny() {
    ZaregistrovatNastroj(Nastroj::Hodiny, nullptr);
    vlaknoHodin.reset();
    ZastavitGong();
}
