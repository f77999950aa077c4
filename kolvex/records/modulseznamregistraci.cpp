#include "records/modulseznamregistraci.h"

#include <windowsx.h>

#include "core/aplikace.h"
#include "core/dialogy.h"
#include "core/globalni.h"
#include "core/hlaseni.h"
#include "core/konfiguracenastroju.h"
#include "core/stranka.h"
#include "knihovna/dpi.h"
#include "knihovna/modul.h"
#include "knihovna/text.h"
#include "records/dlgnastavzaznamy.h"
#include "records/dlgregistraceheslo.h"
#include "resources/resource.h"

using knihovna::Formatovat;
using knihovna::Overit;

std::unique_ptr<ModulSeznamRegistraci> modulSeznamRegistraci;
DlgRegistraceHeslo* dlgRegistraceOtevreny = nullptr;

namespace {

constexpr int OBRAZEK_OKNA = 89;
constexpr UINT STRANKA_REGISTRACI = 174;
std::unique_ptr<VlaknoSeznamuRegistraci> vlaknoSeznamuRegistraci;

const KonfiguraceSeznamRegistraci& Nastaveni() {
    static KonfiguraceSeznamRegistraci* vychozi = nullptr;
    if (nastaveniSeznamRegistraci) return *nastaveniSeznamRegistraci;
    if (!vychozi) vychozi = new KonfiguraceSeznamRegistraci();
    return *vychozi;
}

const DWORD* PriznakyOkna() { return nastaveniSeznamRegistraci ? &nastaveniSeznamRegistraci->oknoSeznam : nullptr; }

HWND OknoRegistraci() { return modulSeznamRegistraci ? modulSeznamRegistraci->m_hWnd : nullptr; }

bool ZadatNazevRegistrace(std::wstring& nazev) {
    return ZadatTextId(nazev, IDS_ZADEJTE_NAZEV_REGISTRACE, OknoRegistraci());
}

INT_PTR SpustitDialogRegistrace(Registrace& registrace, int index) {
    if (index < 0) {
        DlgRegistraceHeslo dialog(&registrace, -1);
        return dialog.Spustit(OknoRegistraci());
    }
    auto dialog = std::make_unique<DlgRegistraceHeslo>(&registrace, index);
    dlgRegistraceOtevreny = dialog.get();
    struct Zapomenout {
        ~Zapomenout() { dlgRegistraceOtevreny = nullptr; }
    } zapomenout;
    return dialog->Spustit(OknoRegistraci());
}

void Chyba(UINT id) { aplikace.ZobrazitZpravu(knihovna::Retezec(id), MB_ICONERROR); }

}  // namespace

bool (*ModulSeznamRegistraci::zadatNazev)(std::wstring&) = ZadatNazevRegistrace;
INT_PTR (*ModulSeznamRegistraci::upravitRegistraci)(Registrace&, int) = SpustitDialogRegistrace;

ModulSeznamRegistraci::ModulSeznamRegistraci()
    : OknoSeznamuImpl(IDS_NAZEV_SEZNAM_REGISTRACI), m_trida(knihovna::Retezec(IDS_TRIDA_SEZNAM_REGISTRACI)) {
    NastavitKlic(aplikace.klicAplikace);
    m_seznam.klavesy = {VK_RETURN, VK_ESCAPE, VK_INSERT, VK_DELETE, VK_F2};
    m_seznam.klavesaDvojkliku = VK_RETURN;
    m_seznam.priznakyOkna = PriznakyOkna();
}

HWND ModulSeznamRegistraci::VytvoritOkno(bool automaticky) {
    const KonfiguraceSeznamRegistraci& n = Nastaveni();
    if (!seznamRegistraci) seznamRegistraci = std::make_unique<SeznamRegistraci>();
    const StylOkna styl = StylOknaSeznamu(n.oknoSeznam);
    std::wstring titulek;
    FormatovatTextSDoplnkem(IDS_NAZEV_SEZNAM_REGISTRACI, titulek);
    HWND vlastnik = n.pruhUloh ? nullptr : (knihovna::ziskatHlavniOkno ? knihovna::ziskatHlavniOkno() : nullptr);
    RECT obdelnik{0, 0, knihovna::Skalovat(260), knihovna::Skalovat(480)};  // pixels at the screen's DPI
    Vytvorit(vlastnik, &obdelnik, titulek.c_str(), styl.styl, styl.rozsireny, m_trida.c_str());
    NastavitIkonyOkna(m_hWnd, ikonaModulu, OBRAZEK_OKNA);
    if (n.oknoSeznam & OKNO_STAVOVY_RADEK) VytvoritStatusBar();
    DWORD stylSeznamu = WS_CHILD | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT;
    if (n.trideni == 1) stylSeznamu |= LBS_SORT;
    m_seznam.VytvoritSeznam(m_hWnd, IDC_SEZNAM_REGISTRACI, stylSeznamu);
    if (n.oknoSeznam & OKNO_PRUHLEDNE) knihovna::NastavitPruhlednostOkna(m_hWnd, static_cast<int>(n.seznamProcentoPruhlednosti));
    seznamRegistraci->Nacist();
    ::ShowWindow(m_seznam.m_hWnd, SW_SHOW);
    NaplnitSeznam(0);
    if (n.oznamovaciIkona == 2) PridatIkonu();
    if (ObnovitPolohu(m_trida.c_str()) != 0) Vycentrovat(nullptr);
    Rozmistit();
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::SetFocus(m_hWnd);
    ::SetFocus(m_seznam.m_hWnd);
    if ((automaticky && (n.minimalizovat & 1)) || (!automaticky && (n.minimalizovat & 2)))
        Odeslat(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    return m_hWnd;
}

void ModulSeznamRegistraci::VytvoritStatusBar() {
    if (m_status) knihovna::VyhoditChybu(E_INVALIDARG);
    m_status = knihovna::VytvoritStatusBar(m_hWnd, IDC_STATUS_REGISTRACI, WS_CHILD | WS_VISIBLE | SBARS_TOOLTIPS);
    int casti[2] = {22, -1};
    ::SendMessageW(m_status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(casti));
    ::SendMessageW(m_status, SB_SETICON, 0, reinterpret_cast<LPARAM>(ikonaModulu));
}

void ModulSeznamRegistraci::Rozmistit() {
    RECT klient;
    ::GetClientRect(m_hWnd, &klient);
    int vyska = klient.bottom;
    if (m_status) {
        ::SendMessageW(m_status, WM_SIZE, 0, 0);
        RECT r;
        ::GetWindowRect(m_status, &r);
        vyska -= r.bottom - r.top;
    }
    if (m_seznam.m_hWnd)
        ::SetWindowPos(m_seznam.m_hWnd, nullptr, 0, 0, klient.right, vyska > 0 ? vyska : 0,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

DWORD ModulSeznamRegistraci::OznamovaciIkona() const { return Nastaveni().oznamovaciIkona; }

int ModulSeznamRegistraci::IkonaPolozky(UINT id) {
    switch (id) {
        case 40155: return 10;
        case 40159: return 17;
        case 40160: return 38;
        case 40161: return 16;
        case 40162: return 5;
        case 40163: return 90;
        case 40164: return 89;
        default: {
            int index = -1;
            IkonaPrikazuMenu(id, index);
            return index;
        }
    }
}

void ModulSeznamRegistraci::NaplnitSeznam(int vybrat) {
    ::SendMessageW(m_seznam.m_hWnd, LB_RESETCONTENT, 0, 0);
    if (!seznamRegistraci) return;
    for (int i = 0; i < seznamRegistraci->Pocet(); ++i) {
        m_seznam.PridatPolozku(seznamRegistraci->Polozky()[static_cast<size_t>(i)].nazev.c_str(), i);
    }
    // a sorted list moves rows as they come: the wanted entry is found by its item data
    const int radek = RadekZaznamu(m_seznam.m_hWnd, vybrat);
    if (radek < seznamRegistraci->Pocet()) {
        ::SendMessageW(m_seznam.m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(radek), 0);
        ObnovitStatusBar();
    }
}

int ModulSeznamRegistraci::VybranaPolozka() const {
    int index = VybranyZaznam(m_seznam.m_hWnd);
    if (!seznamRegistraci || index >= seznamRegistraci->Pocet()) return -1;
    return index;
}

void ModulSeznamRegistraci::ObnovitStatusBar() {
    if (!m_status) return;
    const int index = VybranaPolozka();
    if (index < 0) {
        Chyba(IDS_NENI_VYBRANA_REGISTRACE);
        return;
    }
    const KonfiguraceSeznamRegistraci& n = Nastaveni();
    Registrace r = seznamRegistraci->Polozka(index);
    std::wstring text = Formatovat(L"%s (%s)", n.statusBarPrihlasJmeno ? r.prihlasovaciJmeno.c_str() : r.nazev.c_str(),
                                   n.statusBarHeslo ? r.heslo.c_str() : L"*****");
    ::SendMessageW(m_status, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(text.c_str()));
}

void ModulSeznamRegistraci::Ulozit() {
    if (seznamRegistraci) seznamRegistraci->Ulozit();
}

void ModulSeznamRegistraci::PridatRegistraci() {
    if (PrenestDialogDopredu()) return;
    std::wstring nazev = L"Nová registrace";
    Registrace nova;
    INT_PTR vysledek = IDCANCEL;
    {
        Modalne modalne(*this);
        for (;;) {
            if (!zadatNazev(nazev)) {
                VratitFokus();
                return;
            }
            if (seznamRegistraci->NajitPodleNazvu(nazev) < 0) break;
            Chyba(IDS_NAZEV_JIZ_EXISTUJE);
        }
        nova.nazev = nazev;
        vysledek = upravitRegistraci(nova, -1);
    }
    VratitFokus();  // as after an edit: the keys belong to the list again
    if (vysledek != IDOK) return;
    seznamRegistraci->Pridat(nova);
    Ulozit();
    NaplnitSeznam(seznamRegistraci->Pocet() - 1);
}

void ModulSeznamRegistraci::UpravitRegistraci() {
    if (PrenestDialogDopredu()) return;
    const int index = VybranaPolozka();
    if (index < 0) {
        PipnoutBezVyberu();
        return;
    }
    Registrace kopie = seznamRegistraci->Polozka(index);
    INT_PTR vysledek = IDCANCEL;
    {
        Modalne modalne(*this);
        vysledek = upravitRegistraci(kopie, index);
    }
    VratitFokus();
    if (vysledek != IDOK) return;
    // back into the entry the copy was taken from, wherever it is now
    const int kde = seznamRegistraci->NajitPodleIdentity(kopie.identita);
    if (kde >= 0) {
        seznamRegistraci->Nahradit(kde, kopie);
        Ulozit();
        NaplnitSeznam(kde);
        return;
    }
    // it is gone: the edit is kept as a new entry
    {
        Modalne modalne(*this);
        aplikace.ZobrazitZpravu(
            Formatovat(knihovna::Retezec(IDS_REGISTRACE_MEZITIM_ODEBRANA).c_str(), kopie.nazev.c_str()), MB_ICONWARNING);
    }
    seznamRegistraci->Pridat(kopie);
    Ulozit();
    NaplnitSeznam(seznamRegistraci->Pocet() - 1);
}

void ModulSeznamRegistraci::OdebratRegistraci() {
    if (PrenestDialogDopredu()) return;
    const int index = VybranaPolozka();
    if (index < 0) {
        PipnoutBezVyberu();
        return;
    }
    const Registrace odebirana = seznamRegistraci->Polozka(index);
    const std::wstring otazka =
        Formatovat(knihovna::Retezec(IDS_OTAZKA_ODEBRAT_REGISTRACI).c_str(), odebirana.nazev.c_str());
    if (!PotvrditOdebrani(otazka)) return;
    const int kde = seznamRegistraci->NajitPodleIdentity(odebirana.identita);
    if (kde < 0) return;
    seznamRegistraci->Odebrat(kde);
    Ulozit();
    NaplnitSeznam(0);
}

void ModulSeznamRegistraci::Klavesa(WPARAM klavesa, HWND zdroj) {
    if (PrenestDialogDopredu()) return;  // keys that reach the list under a running dialog
    switch (klavesa) {
        case VK_RETURN:
            if (zdroj == m_seznam.m_hWnd) UpravitRegistraci();
            break;
        case VK_ESCAPE: Poslat(WM_CLOSE); break;
        case VK_INSERT: PridatRegistraci(); break;
        case VK_DELETE: OdebratRegistraci(); break;
        case VK_F2: UpravitRegistraci(); break;
        default: break;
    }
}

void ModulSeznamRegistraci::ProvestPrikaz(UINT id) {
    switch (id) {
        case 40159: PridatRegistraci(); return;
        case 40160: UpravitRegistraci(); return;
        case 40161: OdebratRegistraci(); return;
        case 40162:
        case 40163:
        case 40164: {
            const int index = VybranaPolozka();
            if (index < 0) {
                Chyba(IDS_NENI_VYBRANA_REGISTRACE);
                return;
            }
            const Registrace r = seznamRegistraci->Polozka(index);
            if (id == 40162) {
                if (r.url.size() >= 5) {
                    HINSTANCE h = knihovna::spustitShell(nullptr, L"open", r.url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
                    if (reinterpret_cast<INT_PTR>(h) <= 32) {
                        // no browser for the address: the user's news, the window goes on
                        knihovna::Chyba chyba(knihovna::HresultZKodu(::GetLastError()));
                        aplikace.ZobrazitChybuCom(Formatovat(L"URL adresu %s se nepodařilo otevřít.", r.url.c_str()), chyba);
                    }
                }
            } else if (id == 40163) {
                if (r.prihlasovaciJmeno.empty())
                    Chyba(IDS_REGISTRACE_BEZ_JMENA);
                else
                    KopirovatTextDoSchranky(r.prihlasovaciJmeno.c_str(), m_hWnd);
            } else {
                if (r.heslo.empty())
                    Chyba(IDS_REGISTRACE_BEZ_HESLA);
                else
                    KopirovatTextDoSchranky(r.heslo.c_str(), m_hWnd);
            }
            return;
        }
        case 40155:
            PrepnoutZobrazeni();
            if (::IsWindowVisible(m_hWnd)) {
                RECT r;
                ::GetClientRect(m_hWnd, &r);
                Odeslat(WM_SIZE, SIZE_RESTORED, MAKELPARAM(r.right, r.bottom));
            }
            return;
        case 40026: Odeslat(WM_CLOSE); return;
        case 40002:
            if (HWND hlavni = knihovna::ziskatHlavniOkno ? knihovna::ziskatHlavniOkno() : nullptr)
                ::PostMessageW(hlavni, WM_COMMAND, 40002, STRANKA_REGISTRACI);
            return;
        default: return;
    }
}

bool ModulSeznamRegistraci::PrikazDostupny(UINT id) const {
    const int index = VybranaPolozka();
    if (index < 0) return false;
    const Registrace r = seznamRegistraci->Polozka(index);
    switch (id) {
        case 40162: return r.url.size() >= 5;
        case 40163: return !r.prihlasovaciJmeno.empty();
        case 40164: return !r.heslo.empty();
        default: return true;
    }
}

void ModulSeznamRegistraci::ZobrazitNabidku(UINT idMenu, POINT bod) {
    const bool okna = idMenu == IDM_SEZNAM_REGISTRACI;
    ZobrazitNabidkuSeznamu(m_hWnd, idMenu, okna, bod, m_menu, [&](MenuPopup& zaznam, bool vlastni) {
        if (okna) {
            for (UINT id : {40162u, 40163u, 40164u})
                ::EnableMenuItem(zaznam.popup, id, MF_BYCOMMAND | (PrikazDostupny(id) ? MF_ENABLED : MF_GRAYED));
            if (vlastni)
                for (UINT id : {40159u, 40160u, 40161u, 40162u, 40163u, 40164u, 40002u, 40026u})
                    MenuPopup::NastavitVlastniKresleni(zaznam, id, false);
        } else if (vlastni) {
            for (UINT id : {40003u, 40002u, 40026u, 40155u}) MenuPopup::NastavitVlastniKresleni(zaznam, id, false);
        }
    });
}

LRESULT ModulSeznamRegistraci::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (OdlozitZavreni()) return 0;
    OdebratIkonuSeznamu(m_ikona);
    UlozitPolohu(m_trida.c_str());
    if (m_status) {
        ::DestroyWindow(m_status);
        m_status = nullptr;
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulSeznamRegistraci::OnSize(UINT, WPARAM, LPARAM, BOOL&) {
    Rozmistit();
    return 0;
}

LRESULT ModulSeznamRegistraci::OnContextMenu(UINT, WPARAM, LPARAM l, BOOL&) {
    POINT bod{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
    if (LOWORD(l) == 0xFFFF || HIWORD(l) == 0xFFFF) {
        bod = POINT{0, 0};
        ::ClientToScreen(m_hWnd, &bod);
    }
    ZobrazitNabidku(IDM_SEZNAM_REGISTRACI, bod);
    return 0;
}

LRESULT ModulSeznamRegistraci::OnCommand(UINT, WPARAM w, LPARAM, BOOL&) {
    const UINT id = LOWORD(w);
    if (id == IDC_SEZNAM_REGISTRACI) {
        if (HIWORD(w) == LBN_SELCHANGE) ObnovitStatusBar();
        return 0;
    }
    ZpracovatSpolecnyPrikaz(m_hWnd, id);
    ProvestPrikaz(id);
    return 0;
}

LRESULT ModulSeznamRegistraci::OnNotify(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    auto* hlavicka = reinterpret_cast<NMHDR*>(l);
    if (hlavicka && hlavicka->idFrom == IDC_STATUS_REGISTRACI && hlavicka->code == NM_CLICK) {
        auto* mys = reinterpret_cast<NMMOUSE*>(l);
        const int index = VybranaPolozka();
        if (mys->dwItemSpec == 0 && index >= 0) {
            const Registrace r = seznamRegistraci->Polozka(index);
            Modalne modalne(*this);
            knihovna::oknoZpravy(m_hWnd, Formatovat(L"Heslo: %s", r.heslo.c_str()).c_str(), r.prihlasovaciJmeno.c_str(),
                                 MB_ICONINFORMATION | MB_SETFOREGROUND);
            return 0;
        }
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulSeznamRegistraci::OnKlavesa(UINT, WPARAM w, LPARAM l, BOOL&) {
    Klavesa(w, reinterpret_cast<HWND>(l));
    return 0;
}

LRESULT ModulSeznamRegistraci::OnIkonaTray(UINT, WPARAM w, LPARAM l, BOOL&) {
    if (w != 1) return 0;
    if (l == WM_LBUTTONUP) {
        PrepnoutZobrazeni();
    } else if (l == WM_RBUTTONUP) {
        POINT bod;
        Overit(::GetCursorPos(&bod) != 0);
        ZobrazitNabidku(IDM_SEZNAM_REGISTRACI_TRAY, bod);
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------

VlaknoSeznamuRegistraci::VlaknoSeznamuRegistraci() : VlaknoSeznamu(IDS_NAZEV_SEZNAM_REGISTRACI, modulSeznamRegistraci) {}

void VlaknoSeznamuRegistraci::ZrusitAkciPoSpusteni() { aplikace.nastaveni.poSpusteni.seznamRegistraci = false; }

void VytvoritModulSeznamRegistraci() {
    if (!vlaknoSeznamuRegistraci) vlaknoSeznamuRegistraci = std::make_unique<VlaknoSeznamuRegistraci>();
    ZaregistrovatNastroj(Nastroj::SeznamRegistraci, vlaknoSeznamuRegistraci.get());
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_SEZNAM_REGISTRACI, VytvoritStranku<DlgNastavSeznamRegistraci>);
}

void SmazatModulSeznamRegistraci() {
    ZaregistrovatNastroj(Nastroj::SeznamRegistraci, nullptr);
    vlaknoSeznamuRegistraci.reset();
    seznamRegistraci.reset();
}
