#include "clipboard/modulschranka.h"

#include "clipboard/nabidky.h"
#include "clipboard/oknoeditortextu.h"
#include "clipboard/oknooperativnitexty.h"
#include "clipboard/oknotextdoschranky.h"
#include "clipboard/operativnitexty.h"
#include "clipboard/strankyschranky.h"
#include "core/aplikace.h"
#include "core/dialogy.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "core/sit.h"

#include <winsock2.h>
#include "knihovna/modul.h"
#include "knihovna/text.h"
#include "resources/resource.h"

using knihovna::Overit;

std::unique_ptr<ModulSchranka> modulSchranka;
std::unique_ptr<VlaknoSchranky> vlaknoSchranky;
OknoOperativniTexty* oknoOperativniTexty = nullptr;

namespace {

constexpr UINT_PTR CASOVAC_SPUSTENI = 1;
constexpr int OBRAZEK_MODULU = 9;
constexpr UINT STRANKA_TEXT_DO_SCHRANKY = 112;

const TabulkaIkon& TabulkaModulu() {
    static const TabulkaIkon tabulka = {{40025, 38}, {40040, 42}, {40041, 43}, {40042, 17},
                                        {40043, 73}, {40044, 72}, {40045, 44}};
    return tabulka;
}

}  // namespace

std::wstring ZjistitIpAdresu() {
    std::wstring ip, jmeno;
    if (ZiskatIpAdresuPocitace(ip, jmeno) != 0) {
        int kod = ::WSAGetLastError();
        knihovna::VyhoditChybu(knihovna::HresultZKodu(kod > 0 ? static_cast<DWORD>(kod) : WSAHOST_NOT_FOUND));
    }
    return ip;
}

ModulSchranka::ModulSchranka() : m_trida(knihovna::Retezec(IDS_TRIDA_SCHRANKA)) {
    NastavitKlic(aplikace.klicAplikace);
    nazevModulu = knihovna::Retezec(IDS_NAZEV_SCHRANKA);
    if (aplikace.seznamMenu.Get()) {
        ikonaModulu = ::ImageList_GetIcon(aplikace.seznamMenu.Get(), OBRAZEK_MODULU, ILD_NORMAL);
        Overit(ikonaModulu != nullptr);
    }
}

ModulSchranka::~ModulSchranka() = default;

HWND ModulSchranka::VytvoritOkno() {
    m_inicializovano = false;
    m_ulozeno = false;
    Vytvorit(nullptr, nullptr, nazevModulu.c_str(), WS_OVERLAPPEDWINDOW, 0, m_trida.c_str());
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ikonaModulu));
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    Poslat(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    if (aplikace.nastaveni.poSpusteni.ikonaSchranka) VytvoritOvladaciIkonu();
    Overit(::SetTimer(m_hWnd, CASOVAC_SPUSTENI, 500, nullptr) != 0);
    return m_hWnd;
}

void ModulSchranka::Spustit() {
    if (vlaknoSchranky) vlaknoSchranky->Spustit();
}

void ModulSchranka::Zastavit() {
    if (vlaknoSchranky) vlaknoSchranky->Zastavit();
}

void ModulSchranka::InicializovatOperativniTexty() {
    if (m_inicializovano) return;
    m_inicializovano = true;
    if (!operativniTexty) operativniTexty = std::make_unique<OperativniTexty>();
    if (nastaveniSchranka && nastaveniSchranka->operativni.automatickyNacitat)
        NacistOperativniTextyZDatoveSlozky(*operativniTexty);
}

LRESULT ModulSchranka::OnTimer(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (w != CASOVAC_SPUSTENI) return VychoziZpracovani(msg, w, l);
    Overit(::KillTimer(m_hWnd, CASOVAC_SPUSTENI) != 0);
    InicializovatOperativniTexty();
    return 0;
}

LRESULT ModulSchranka::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ZastavitEditorTextu();
    ZastavitTextDoSchranky();
    UlozitOperativniTextyPriUkonceni();
    OdebratOvladaciIkonu();
    return VychoziZpracovani(msg, w, l);
}

void ModulSchranka::UlozitOperativniTextyPriUkonceni() {
    if (!m_inicializovano || m_ulozeno || !operativniTexty) return;
    m_ulozeno = true;
    if (!nastaveniSchranka || !nastaveniSchranka->operativni.automatickyUkladat) return;
    try {
        UlozitOperativniTextyDoDatoveSlozky(*operativniTexty);
    } catch (const knihovna::Chyba& chyba) {
        // the previous file is left whole; the user learns that this run's texts were not kept
        aplikace.ZobrazitChybuCom(
            knihovna::Formatovat(knihovna::Retezec(IDS_OPERATIVNI_NEULOZENO).c_str(), CestaOperativnichTextu().c_str()),
            chyba);
    }
}

LRESULT ModulSchranka::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::PostQuitMessage(0);
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulSchranka::OnDrawItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    auto* polozka = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    if (polozka && polozka->CtlType == ODT_MENU && m_menu && polozka->itemID == 40046) {
        try {
            KreslitPolozkuMenu(*m_menu, *polozka, ovladaciIkona ? 16 : 13);
        } catch (const knihovna::Chyba&) {
        }
    } else if (m_menu) {
        NakreslitPolozkuNabidky(l, TabulkaModulu());
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulSchranka::OnIkonaTray(UINT, WPARAM w, LPARAM l, BOOL&) {
    if (w == 1 && (l == WM_LBUTTONUP || l == WM_RBUTTONUP || l == WM_MBUTTONUP)) ZobrazitMenu();
    return 0;
}

LRESULT ModulSchranka::OnZobrazitNabidku(UINT, WPARAM, LPARAM, BOOL&) {
    ZobrazitMenu();
    return 0;
}

LRESULT ModulSchranka::OnCommand(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ZpracovatSpolecnyPrikaz(m_hWnd, LOWORD(w));
    switch (LOWORD(w)) {
        case 40040:
        case 40041:
        case 40042:
        case 40043:
        case 40044:
        case 40045:
        case 40025:
        case 40002:
        case 40046: ProvestPrikaz(LOWORD(w)); return 0;
        default: return VychoziZpracovani(msg, w, l);
    }
}

void ModulSchranka::ProvestPrikaz(UINT id) {
    switch (id) {
        case 40040: PrepnoutTextDoSchranky(); break;
        case 40041: PrepnoutOperativniTexty(); break;
        case 40042:
            try {
                PridatObsahSchranky();
            } catch (const knihovna::Chyba& chyba) {
                aplikace.ZobrazitChybuComPopis(chyba);  // the list and the module go on
            }
            break;
        case 40043:
        case 40044:
        case 40045:
            try {
                std::wstring text = id == 40043 ? ZjistitIpAdresu()
                                    : id == 40044 ? aplikace.jmenoUzivatele
                                                  : aplikace.jmenoPocitace;
                KopirovatTextDoSchranky(text.c_str(), m_hWnd);
            } catch (const knihovna::Chyba& chyba) {
                aplikace.ZobrazitZpravu(knihovna::ZiskatTextChyby(chyba.Hresult()), MB_ICONERROR);
            }
            break;
        case 40025: PrepnoutEditorTextu(); break;
        case 40002: OtevritStrankuNastaveni(STRANKA_TEXT_DO_SCHRANKY); break;
        case 40046:
            if (ovladaciIkona)
                OdebratOvladaciIkonu();
            else
                VytvoritOvladaciIkonu();
            break;
        default: break;
    }
}

void ModulSchranka::PridatObsahSchranky() {
    InicializovatOperativniTexty();
    if (oknoOperativniTexty && oknoOperativniTexty->m_hWnd) {
        oknoOperativniTexty->PridatObsahSchranky();
        return;
    }
    std::wstring text;
    if (!NacistTextZeSchranky(text)) return;
    PridatOperativniTextSeZpravou(*operativniTexty, text, nastaveniSchranka ? nastaveniSchranka->operativni.maxPocet : 30);
}

void ModulSchranka::PrepnoutOperativniTexty() {
    InicializovatOperativniTexty();
    if (!oknoOperativniTexty) {
        oknoOperativniTexty = new OknoOperativniTexty();
        bool ok = false;
        try {
            ok = oknoOperativniTexty->Vytvorit();
        } catch (...) {
            knihovna::SmazatOkno(oknoOperativniTexty);
            throw;
        }
        if (!ok) knihovna::SmazatOkno(oknoOperativniTexty);
    } else if (!oknoOperativniTexty->OdlozitZavreni()) {
        // (while its dialog runs, the window closes itself once the dialog has ended)
        knihovna::SmazatOkno(oknoOperativniTexty);
    }
}

void ModulSchranka::ZobrazitMenu() {
    if (m_menu) return;
    NabidkaNastroje nabidka(IDM_SCHRANKA);
    MenuPopup& zaznam = nabidka.zaznam;

    MenuPopup::ZaskrtnoutPolozku(zaznam, 40041, oknoOperativniTexty != nullptr);
    MenuPopup::ZaskrtnoutPolozku(zaznam, 40040, BeziTextDoSchranky());
    MenuPopup::NastavitTextPolozky(zaznam.popup, 40046, ovladaciIkona ? IDS_SKRYT_IKONU : IDS_ZOBRAZIT_IKONU);
    if (aplikace.nastaveni.vlastniVzhled)
        for (UINT id : {40045u, 40044u, 40002u, 40042u, 40040u, 40025u, 40041u, 40046u, 40043u})
            MenuPopup::NastavitVlastniKresleni(zaznam, id, false);

    ZobrazitMenuIkony(m_hWnd, zaznam, m_menu);
}

// ---------------------------------------------------------------------------------------------

VlaknoSchranky::VlaknoSchranky() : VlaknoModulu(IDS_NAZEV_SCHRANKA) {}

knihovna::OknoModul* VlaknoSchranky::Objekt() const {
    return modulSchranka && modulSchranka->m_hWnd ? modulSchranka.get() : nullptr;
}

HWND VlaknoSchranky::VytvoritOkno(bool) {
    if (!modulSchranka) knihovna::VyhoditChybu(E_HANDLE);
    return modulSchranka->VytvoritOkno();
}

void VlaknoSchranky::ZrusitOkno() {
    // The operative window and the list belong to this thread: they end with it. A thread that
    // ended without its close (a failure) still keeps the list.
    if (modulSchranka) modulSchranka->UlozitOperativniTextyPriUkonceni();
    try {
        knihovna::SmazatOkno(oknoOperativniTexty);
    } catch (...) {
    }
    oknoOperativniTexty = nullptr;
    operativniTexty.reset();
    if (!modulSchranka) return;
    try {
        modulSchranka->OdebratOvladaciIkonu();
    } catch (const knihovna::Chyba&) {
    }
    if (modulSchranka->m_hWnd && ::IsWindow(modulSchranka->m_hWnd)) ::DestroyWindow(modulSchranka->m_hWnd);
}

void VytvoritModulSchranka() {
    if (!modulSchranka) modulSchranka = std::make_unique<ModulSchranka>();
    if (!vlaknoSchranky) vlaknoSchranky = std::make_unique<VlaknoSchranky>();
    ZaregistrovatNastroj(Nastroj::Schranka, vlaknoSchranky.get());
    ZaregistrovatStrankySchranky();
}

void SmazatModulSchranka() {
    ZaregistrovatNastroj(Nastroj::Schranka, nullptr);
    vlaknoSchranky.reset();
    modulSchranka.reset();
    ZrusitVlaknaOkenSchranky();
}

void ZrusitVlaknaOkenSchranky() {
    ZrusitVlaknoEditoruTextu();
    ZrusitVlaknoTextuDoSchranky();
}
