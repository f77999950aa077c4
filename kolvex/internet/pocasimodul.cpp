#include "internet/pocasimodul.h"

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "core/stranka.h"
#include "internet/pocasialadin.h"
#include "internet/pocasidata.h"
#include "internet/pocasidruzice.h"
#include "internet/pocasiokna.h"
#include "internet/pocasipredpoved.h"
#include "internet/pocasistranky.h"
#include "knihovna/text.h"
#include "knihovna/uchyt.h"
#include "resources/resource.h"

using knihovna::Overit;

std::unique_ptr<ModulPocasi> modulPocasi;

namespace {

constexpr UINT_PTR CASOVAC_STARTU = 1;
constexpr UINT STRANKA_POCASI = 205;
constexpr int OBRAZEK_MODULU = 62;
std::unique_ptr<VlaknoPocasi> vlaknoPocasi;

bool Stisknuto(int klavesa) { return (::GetAsyncKeyState(klavesa) & 0x8000) != 0; }

void PrepnoutOkno(UINT prikaz) {
    switch (prikaz) {
        case 40219:
            if (OknoAladin::Bezi()) OknoAladin::Zastavit();
            else OknoAladin::Spustit();
            break;
        case 40218:
            if (OknoPredpovedText::Bezi()) OknoPredpovedText::Zastavit();
            else OknoPredpovedText::Spustit();
            break;
        case 40220:
            if (OknoSnimekDruzice::Bezi()) OknoSnimekDruzice::Zastavit();
            else OknoSnimekDruzice::Spustit();
            break;
        default:
            break;
    }
}

}  // namespace

void (*prepnoutOknoPocasi)(UINT prikaz) = PrepnoutOkno;

bool BeziOknoPocasi(UINT prikaz) {
    switch (prikaz) {
        case 40219: return OknoAladin::Bezi();
        case 40218: return OknoPredpovedText::Bezi();
        case 40220: return OknoSnimekDruzice::Bezi();
        default: return false;
    }
}

ModulPocasi::ModulPocasi() : m_trida(knihovna::Retezec(IDS_TRIDA_POCASI)) {
    NastavitKlic(aplikace.klicAplikace);
    nazevModulu = knihovna::Retezec(IDS_NAZEV_POCASI);
    if (aplikace.seznamMenu.Get()) {
        ikonaModulu = ::ImageList_GetIcon(aplikace.seznamMenu.Get(), OBRAZEK_MODULU, ILD_NORMAL);
        Overit(ikonaModulu != nullptr);
    }
}

ModulPocasi::~ModulPocasi() = default;

HWND ModulPocasi::VytvoritOkno() {
    RECT prazdny{0, 0, 0, 0};
    Vytvorit(nullptr, &prazdny, nazevModulu.c_str(), WS_POPUP, WS_EX_TOOLWINDOW, m_trida.c_str());
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ikonaModulu));
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    Poslat(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    if (aplikace.nastaveni.poSpusteni.ikonaPocasi) VytvoritOvladaciIkonu();
    Overit(::SetTimer(m_hWnd, CASOVAC_STARTU, 50, nullptr) != 0);
    return m_hWnd;
}

LRESULT ModulPocasi::OnTimer(UINT, WPARAM w, LPARAM, BOOL&) {
    if (w != CASOVAC_STARTU) return 0;
    Overit(::KillTimer(m_hWnd, CASOVAC_STARTU) != 0);
    const PoSpusteni& p = aplikace.nastaveni.poSpusteni;
    if (p.pocasiAladin) Odeslat(WM_COMMAND, 40219, 0);
    if (p.pocasiPredpovedText) Odeslat(WM_COMMAND, 40218, 0);
    if (p.pocasiSnimekDruzice) Odeslat(WM_COMMAND, 40220, 0);
    return 0;
}

LRESULT ModulPocasi::OnPrikaz(UINT, WPARAM w, LPARAM, BOOL&) {
    ProvestPrikaz(LOWORD(w));
    return 0;
}

void ModulPocasi::ProvestPrikaz(UINT id) {
    switch (id) {
        case 40218:
        case 40219:
        case 40220:
            prepnoutOknoPocasi(id);
            break;
        case 40002:
            if (HWND hlavni = knihovna::ziskatHlavniOkno ? knihovna::ziskatHlavniOkno() : nullptr)
                ::PostMessageW(hlavni, WM_COMMAND, 40002, STRANKA_POCASI);
            break;
        case 40046:
            if (ovladaciIkona) OdebratOvladaciIkonu();
            else VytvoritOvladaciIkonu();
            break;
        default:
            break;  // 40020-40023 went to the main window with the common commands
    }
}

LRESULT ModulPocasi::OnIkonaTray(UINT, WPARAM w, LPARAM l, BOOL&) {
    if (w != 1) return 0;
    UINT prikaz = PrikazKliknutiPocasi(NastaveniPocasi(), static_cast<UINT>(l), Stisknuto(VK_CONTROL), Stisknuto(VK_SHIFT));
    if (prikaz == PRIKAZ_NABIDKA_POCASI) ZobrazitNabidku();
    else if (prikaz != 0) Odeslat(WM_COMMAND, prikaz, 0);
    return 0;
}

void ModulPocasi::ZobrazitNabidku() {
    if (m_menu) return;  // already open
    NabidkaNastroje nabidka(IDM_POCASI);
    MenuPopup& zaznam = nabidka.zaznam;
    if (aplikace.nastaveni.vlastniVzhled)
        for (UINT id : {40219u, 40002u, 40218u, 40220u, 40046u}) MenuPopup::NastavitVlastniKresleni(zaznam, id, false);
    for (UINT id : {40219u, 40218u, 40220u}) MenuPopup::ZaskrtnoutPolozku(zaznam, id, BeziOknoPocasi(id));
    ZobrazitMenuNaBode(m_hWnd, zaznam, PoziceMenu(m_hWnd), m_menu);
}

LRESULT ModulPocasi::OnDrawItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    auto* polozka = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    if (polozka && polozka->CtlType == ODT_MENU && m_menu) {
        int obrazek = -1;
        if (polozka->itemID == 40046) obrazek = ovladaciIkona ? 16 : 13;
        else IkonaPrikazuMenu(polozka->itemID, obrazek);
        try {
            KreslitPolozkuMenu(*m_menu, *polozka, obrazek);
        } catch (const knihovna::Chyba&) {
        }
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulPocasi::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::KillTimer(m_hWnd, CASOVAC_STARTU);
    OdebratOvladaciIkonu();
    OknoAladin::Zastavit();
    OknoPredpovedText::Zastavit();
    OknoSnimekDruzice::Zastavit();
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulPocasi::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::PostQuitMessage(0);
    return VychoziZpracovani(msg, w, l);
}

// ---------------------------------------------------------------------------------------------

VlaknoPocasi::VlaknoPocasi() : VlaknoModulu(IDS_NAZEV_POCASI) {}

knihovna::OknoModul* VlaknoPocasi::Objekt() const {
    return modulPocasi && modulPocasi->m_hWnd ? modulPocasi.get() : nullptr;
}

HWND VlaknoPocasi::VytvoritOkno(bool) {
    if (!modulPocasi) knihovna::VyhoditChybu(E_HANDLE);
    return modulPocasi->VytvoritOkno();
}

void VlaknoPocasi::ZrusitOkno() {
    if (!modulPocasi) return;
    try {
        modulPocasi->OdebratOvladaciIkonu();
    } catch (const knihovna::Chyba&) {
    }
    if (modulPocasi->m_hWnd && ::IsWindow(modulPocasi->m_hWnd)) ::DestroyWindow(modulPocasi->m_hWnd);
}

void VlaknoPocasi::PredZastavenim() {
    if (nastaveniPocasi) nastaveniPocasi->Ulozit();
}

int VlaknoPocasi::PrioritaVlakna() const {
    return nastaveniPocasi ? nastaveniPocasi->threadPriority : THREAD_PRIORITY_NORMAL;
}

void VytvoritModulPocasi() {
    if (!modulPocasi) modulPocasi = std::make_unique<ModulPocasi>();
    if (!vlaknoPocasi) vlaknoPocasi = std::make_unique<VlaknoPocasi>();
    ZaregistrovatNastroj(Nastroj::Pocasi, vlaknoPocasi.get());
    ZaregistrovatStrankuNastaveni(DlgNastavPocasiObecne::IDD, VytvoritStranku<DlgNastavPocasiObecne>);
    ZaregistrovatStrankuNastaveni(DlgNastavPocasiAladin::IDD, VytvoritStranku<DlgNastavPocasiAladin>);
    ZaregistrovatStrankuNastaveni(DlgNastavPocasiPredpovedText::IDD, VytvoritStranku<DlgNastavPocasiPredpovedText>);
    ZaregistrovatStrankuNastaveni(DlgNastavPocasiSnimekDruzice::IDD, VytvoritStranku<DlgNastavPocasiSnimekDruzice>);
}

void SmazatModulPocasi() {
    ZaregistrovatNastroj(Nastroj::Pocasi, nullptr);
    vlaknoPocasi.reset();
    modulPocasi.reset();
}
