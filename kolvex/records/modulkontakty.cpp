#include "records/modulkontakty.h"

#include <shlwapi.h>
#include <windowsx.h>

#include <algorithm>

#include "core/aplikace.h"
#include "core/dialogy.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "core/stranka.h"
#include "knihovna/dpi.h"
#include "knihovna/modul.h"
#include "knihovna/text.h"
#include "records/dlgkontakt.h"
#include "records/dlgnastavzaznamy.h"
#include "resources/resource.h"

using knihovna::Formatovat;
using knihovna::Overit;

std::unique_ptr<ModulKontakty> modulKontakty;
DlgKontakt* dlgKontaktOtevreny = nullptr;

namespace {

constexpr int OBRAZEK_OKNA = 90;
constexpr UINT STRANKA_KONTAKTU = 183;
std::unique_ptr<VlaknoKontaktu> vlaknoKontaktu;
// The file the contacts were loaded from, and whether it failed to load (kept until a save).
std::wstring souborKontaktu;

KonfiguraceKontakty& Nastaveni() {
    static KonfiguraceKontakty* vychozi = nullptr;
    if (nastaveniKontakty) return *nastaveniKontakty;
    if (!vychozi) vychozi = new KonfiguraceKontakty();
    return *vychozi;
}

HWND OknoKontaktu() { return modulKontakty ? modulKontakty->m_hWnd : nullptr; }

bool ZadatNazevKontaktu(std::wstring& nazev) { return ZadatTextId(nazev, IDS_ZADEJTE_NAZEV_KONTAKTU, OknoKontaktu()); }

INT_PTR SpustitDialogKontaktu(Kontakt& kontakt, int index) {
    if (index < 0) {
        DlgKontakt dialog(&kontakt, -1);
        return dialog.Spustit(OknoKontaktu());
    }
    auto dialog = std::make_unique<DlgKontakt>(&kontakt, index);
    dlgKontaktOtevreny = dialog.get();
    struct Zapomenout {
        ~Zapomenout() { dlgKontaktOtevreny = nullptr; }
    } zapomenout;
    return dialog->Spustit(OknoKontaktu());
}

void NacistKontakty() {
    if (!seznamKontaktu) seznamKontaktu = std::make_unique<SeznamKontaktu>();
    souborKontaktu = Nastaveni().soubor.Text();
    NacistKontaktySHlasenim(*seznamKontaktu, souborKontaktu);
}

}  // namespace

bool (*ModulKontakty::zadatNazev)(std::wstring&) = ZadatNazevKontaktu;
INT_PTR (*ModulKontakty::upravitKontakt)(Kontakt&, int) = SpustitDialogKontaktu;

ModulKontakty::ModulKontakty() : OknoSeznamuImpl(IDS_NAZEV_KONTAKTY), m_trida(knihovna::Retezec(IDS_TRIDA_KONTAKTY)) {
    NastavitKlic(aplikace.klicAplikace);
    nazevModulu = knihovna::Retezec(IDS_NAZEV_KONTAKTY);
    m_seznam.klavesy = {VK_RETURN, VK_ESCAPE, VK_INSERT, VK_DELETE, VK_F2, VK_F4};
    m_seznam.klavesaDvojkliku = VK_F4;
    m_seznam.priznakyOkna = &Nastaveni().oknoSeznam;
}

HWND ModulKontakty::VytvoritOkno(bool automaticky) {
    const KonfiguraceKontakty& n = Nastaveni();
    if (!seznamKontaktu) seznamKontaktu = std::make_unique<SeznamKontaktu>();
    const StylOkna styl = StylOknaSeznamu(n.oknoSeznam);
    HWND vlastnik = n.pruhUloh ? nullptr : (knihovna::ziskatHlavniOkno ? knihovna::ziskatHlavniOkno() : nullptr);
    RECT obdelnik{0, 0, knihovna::Skalovat(260), knihovna::Skalovat(480)};  // pixels at the screen's DPI
    Vytvorit(vlastnik, &obdelnik, nazevModulu.c_str(), styl.styl, styl.rozsireny, m_trida.c_str());
    NastavitIkonyOkna(m_hWnd, ikonaModulu, OBRAZEK_OKNA);
    DWORD stylSeznamu = WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT;
    if (n.trideni == 1) stylSeznamu |= LBS_SORT;
    m_seznam.VytvoritSeznam(m_hWnd, IDC_SEZNAM_KONTAKTU, stylSeznamu);
    if (n.oknoSeznam & OKNO_PRUHLEDNE) knihovna::NastavitPruhlednostOkna(m_hWnd, static_cast<int>(n.seznamProcentoPruhlednosti));
    NacistKontakty();
    NaplnitSeznam(0);
    if (ObnovitPolohu(m_trida.c_str()) != 0) Vycentrovat(nullptr);
    RECT klient;
    ::GetClientRect(m_hWnd, &klient);
    ::MoveWindow(m_seznam.m_hWnd, 0, 0, klient.right, klient.bottom, FALSE);
    if (n.oznamovaciIkona == 2) PridatIkonu();
    ::ShowWindow(m_seznam.m_hWnd, SW_SHOW);
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::SetFocus(m_hWnd);
    ::SetFocus(m_seznam.m_hWnd);
    if ((automaticky && (n.minimalizovat & 1)) || (!automaticky && (n.minimalizovat & 2)))
        Odeslat(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    return m_hWnd;
}

DWORD ModulKontakty::OznamovaciIkona() const { return Nastaveni().oznamovaciIkona; }

int ModulKontakty::IkonaPolozky(UINT id) {
    switch (id) {
        case 40155: return 10;
        case 40172: return 6;
        case 40173: return 5;
        case 40174: return 93;
        case 40175: return 91;
        case 40176: return 17;
        case 40177: return 38;
        case 40178: return 16;
        default: {
            int index = -1;
            IkonaPrikazuMenu(id, index);
            return index;
        }
    }
}

void ModulKontakty::NaplnitSeznam(int vybrat) {
    ++m_plneni;
    ::SendMessageW(m_seznam.m_hWnd, LB_RESETCONTENT, 0, 0);
    m_nazvy.clear();
    m_pridano = 0;
    m_vybrat = vybrat;
    m_radekVybrat = -1;
    m_vyberCeka = false;
    m_vybranoDrive = false;
    if (!seznamKontaktu) return;
    // the names as they are now: the steps list this copy (rows keep the store's index as data)
    std::vector<Kontakt> kopie = seznamKontaktu->Kopie();
    m_nazvy.reserve(kopie.size());
    for (Kontakt& k : kopie) m_nazvy.push_back(std::move(k.nazev));
    m_vyberCeka = true;
    ::SendMessageW(m_seznam.m_hWnd, LB_INITSTORAGE, static_cast<WPARAM>(m_nazvy.size()), 0);
    PridatKus();
}

void ModulKontakty::PridatKus() {
    const size_t konec = std::min(m_nazvy.size(), m_pridano + KUS_PLNENI);
    if (konec > m_pridano) {
        // a step's rows are added without repainting after every row
        ::SendMessageW(m_seznam.m_hWnd, WM_SETREDRAW, FALSE, 0);
        const ULONGLONG zacatek = ::GetTickCount64();
        for (; m_pridano < konec; ++m_pridano) {
            // the clock is read every 32 rows (at least one row per step, so the fill ends)
            if ((m_pridano & 31) == 31 && ::GetTickCount64() - zacatek >= CAS_KUSU_MS) break;
            const int radek = m_seznam.PridatPolozku(m_nazvy[m_pridano].c_str(), static_cast<LPARAM>(m_pridano));
            if (m_vybrat >= 0 && static_cast<size_t>(m_vybrat) == m_pridano)
                m_radekVybrat = radek;
            else if (m_radekVybrat >= 0 && radek <= m_radekVybrat)
                ++m_radekVybrat;  // sorted in above it
        }
        ::SendMessageW(m_seznam.m_hWnd, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(m_seznam.m_hWnd, nullptr, TRUE);
    }
    const bool hotovo = m_pridano >= m_nazvy.size();
    const LRESULT pocet = ::SendMessageW(m_seznam.m_hWnd, LB_GETCOUNT, 0, 0);
    if (m_vyberCeka && (hotovo || (m_vybrat >= 0 && static_cast<size_t>(m_vybrat) < m_pridano))) {
        // a sorted list moves rows as they come: the wanted entry's row as kept (none has it:
        // the first row)
        m_vyberCeka = false;
        const int radek = m_radekVybrat >= 0 ? m_radekVybrat : 0;
        if (radek < pocet) ::SendMessageW(m_seznam.m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(radek), 0);
        m_vybranoDrive = !hotovo;
    } else if (hotovo && m_vybranoDrive && VybranyZaznam(m_seznam.m_hWnd) == m_vybrat) {
        // rows sorted in above it since may have pushed it out of view: shown as after a fill in one go
        m_vybranoDrive = false;
        ::SendMessageW(m_seznam.m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(m_radekVybrat), 0);
    }
    if (!hotovo) {
        ::PostMessageW(m_hWnd, ZPRAVA_DALSI_KUS, m_plneni, 0);
    } else {
        m_nazvy.clear();
        m_nazvy.shrink_to_fit();
        m_pridano = 0;
    }
}

LRESULT ModulKontakty::OnDalsiKus(UINT, WPARAM w, LPARAM, BOOL&) {
    if (w == m_plneni) PridatKus();
    return 0;
}

int ModulKontakty::VybranyKontakt() const {
    int index = VybranyZaznam(m_seznam.m_hWnd);
    if (!seznamKontaktu || index >= seznamKontaktu->Pocet()) return -1;
    return index;
}

bool ModulKontakty::AkceDostupna(UINT id) const {
    const int index = VybranyKontakt();
    if (index < 0) return false;
    Kontakt k;
    seznamKontaktu->Polozka(index, k);
    switch (id) {
        case 40172: return k.email.size() >= 6;
        case 40173: return k.www.size() >= 6;
        case 40174: return k.skype.size() >= 6;
        case 40175: return k.icq.size() >= 6;
        default: return false;
    }
}

void ModulKontakty::UlozitKontakty() {
    if (!seznamKontaktu) return;
    if (souborKontaktu.empty()) souborKontaktu = Nastaveni().soubor.Text();
    try {
        seznamKontaktu->Ulozit(souborKontaktu);
    } catch (const knihovna::Chyba& chyba) {
        aplikace.ZobrazitChybuCom(Formatovat(L"Nepodařilo se uložit kontakty do souboru %s.", souborKontaktu.c_str()), chyba);
    }
}

void ModulKontakty::PridatKontakt() {
    if (PrenestDialogDopredu()) return;
    std::wstring nazev = L"Nový kontakt";
    Kontakt novy;
    INT_PTR vysledek = IDCANCEL;
    {
        Modalne modalne(*this);
        for (;;) {
            if (!zadatNazev(nazev)) {
                VratitFokus();
                return;
            }
            if (seznamKontaktu->NajitPodleNazvu(nazev) < 0) break;
            aplikace.ZobrazitZpravu(knihovna::Retezec(IDS_NAZEV_JIZ_EXISTUJE), MB_ICONERROR);
        }
        novy.nazev = nazev;
        vysledek = upravitKontakt(novy, -1);
    }
    VratitFokus();
    if (vysledek != IDOK) return;
    seznamKontaktu->Pridat(novy);
    UlozitKontakty();
    NaplnitSeznam(seznamKontaktu->Pocet() - 1);
}

void ModulKontakty::UpravitKontakt() {
    if (PrenestDialogDopredu()) return;
    const int index = VybranyKontakt();
    if (index < 0) {
        PipnoutBezVyberu();
        return;
    }
    Kontakt kopie;
    seznamKontaktu->Polozka(index, kopie);
    INT_PTR vysledek = IDCANCEL;
    {
        Modalne modalne(*this);
        vysledek = upravitKontakt(kopie, index);
    }
    VratitFokus();
    if (vysledek != IDOK) return;
    // back into the contact the copy was taken from, wherever it is now
    const int kde = seznamKontaktu->NajitPodleIdentity(kopie.identita);
    if (kde >= 0) {
        seznamKontaktu->Zmenit(kde, kopie);
        UlozitKontakty();
        NaplnitSeznam(kde);
        return;
    }
    // it is gone: the edit is kept as a new contact, saved at once as an addition is
    {
        Modalne modalne(*this);
        aplikace.ZobrazitZpravu(Formatovat(knihovna::Retezec(IDS_KONTAKT_MEZITIM_ODEBRAN).c_str(), kopie.nazev.c_str()),
                                MB_ICONWARNING);
    }
    seznamKontaktu->Pridat(kopie);
    UlozitKontakty();
    NaplnitSeznam(seznamKontaktu->Pocet() - 1);
}

void ModulKontakty::OdebratKontakt() {
    if (PrenestDialogDopredu()) return;
    const int index = VybranyKontakt();
    if (index < 0) {
        PipnoutBezVyberu();
        return;
    }
    Kontakt k;
    seznamKontaktu->Polozka(index, k);
    const std::wstring otazka = Formatovat(knihovna::Retezec(IDS_OTAZKA_ODEBRAT_KONTAKT).c_str(), k.nazev.c_str());
    if (!PotvrditOdebrani(otazka)) return;
    const int kde = seznamKontaktu->NajitPodleIdentity(k.identita);
    if (kde < 0) return;
    seznamKontaktu->Odebrat(kde);
    UlozitKontakty();
    NaplnitSeznam(0);
}

void ModulKontakty::Klavesa(WPARAM klavesa) {
    if (PrenestDialogDopredu()) return;  // keys that reach the list under a running dialog
    switch (klavesa) {
        case VK_ESCAPE: Poslat(WM_CLOSE); break;
        case VK_INSERT: PridatKontakt(); break;
        case VK_DELETE: OdebratKontakt(); break;
        case VK_F2:
        case VK_F4: UpravitKontakt(); break;
        default: break;
    }
}

void ModulKontakty::PrepnoutOkno() {
    PrepnoutZobrazeni();
    if (::IsWindowVisible(m_hWnd)) {
        RECT r;
        ::GetClientRect(m_hWnd, &r);
        Odeslat(WM_SIZE, SIZE_RESTORED, MAKELPARAM(r.right, r.bottom));
    }
}

void ModulKontakty::ProvestPrikaz(UINT id) {
    switch (id) {
        case 40172:
        case 40173:
        case 40174:
        case 40175: {
            const int index = VybranyKontakt();
            if (index < 0) {
                PipnoutBezVyberu();
                return;
            }
            try {
                if (id == 40172) seznamKontaktu->NapsatEmail(index);
                if (id == 40173) seznamKontaktu->OtevritWeb(index);
                if (id == 40174) seznamKontaktu->ZavolatSkype(index);
                if (id == 40175) seznamKontaktu->PoslatZpravuIcq(index);
            } catch (const knihovna::Chyba& chyba) {
                // no program for the address: the user's news, the window goes on
                Kontakt k;
                seznamKontaktu->Polozka(index, k);
                aplikace.ZobrazitChybuCom(Formatovat(L"Akci s kontaktem \"%s\" se nepodařilo provést.", k.nazev.c_str()),
                                          chyba);
            }
            return;
        }
        case 40176: PridatKontakt(); return;
        case 40177: UpravitKontakt(); return;
        case 40178: OdebratKontakt(); return;
        case 40002:
            if (HWND hlavni = knihovna::ziskatHlavniOkno ? knihovna::ziskatHlavniOkno() : nullptr)
                ::PostMessageW(hlavni, WM_COMMAND, 40002, STRANKA_KONTAKTU);
            return;
        case 40001:
        case 40026: Odeslat(WM_CLOSE); return;
        case 40053:
            if (knihovna::JeOknoNavrchu(m_hWnd))
                Nastaveni().oknoSeznam |= OKNO_NAVRCHU;
            else
                Nastaveni().oknoSeznam &= ~OKNO_NAVRCHU;
            return;
        case 40075:
            if (knihovna::JeOknoPruhledne(m_hWnd))
                Nastaveni().oknoSeznam |= OKNO_PRUHLEDNE;
            else
                Nastaveni().oknoSeznam &= ~OKNO_PRUHLEDNE;
            return;
        case 40155: PrepnoutOkno(); return;
        default: return;
    }
}

void ModulKontakty::ZobrazitNabidku(UINT idMenu, POINT bod) {
    const bool okna = idMenu == IDM_KONTAKTY;
    ZobrazitNabidkuSeznamu(m_hWnd, idMenu, okna, bod, m_menu, [&](MenuPopup& zaznam, bool vlastni) {
        if (okna) {
            for (UINT id : {40172u, 40173u, 40174u, 40175u})
                ::EnableMenuItem(zaznam.popup, id, MF_BYCOMMAND | (AkceDostupna(id) ? MF_ENABLED : MF_GRAYED));
            if (vlastni)
                for (UINT id : {40026u, 40172u, 40174u, 40173u, 40175u, 40002u, 40053u, 40075u, 40178u, 40176u, 40177u})
                    MenuPopup::NastavitVlastniKresleni(zaznam, id, false);
        } else if (vlastni) {
            for (UINT id : {40001u, 40003u, 40002u, 40155u}) MenuPopup::NastavitVlastniKresleni(zaznam, id, false);
        }
    });
}

LRESULT ModulKontakty::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (OdlozitZavreni()) return 0;
    OdebratIkonuSeznamu(m_ikona);
    UlozitPolohu(m_trida.c_str());
    UlozitKontakty();
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulKontakty::OnSize(UINT, WPARAM, LPARAM l, BOOL&) {
    if (m_seznam.m_hWnd) ::MoveWindow(m_seznam.m_hWnd, 0, 0, LOWORD(l), HIWORD(l), TRUE);
    return 0;
}

LRESULT ModulKontakty::OnContextMenu(UINT, WPARAM, LPARAM l, BOOL&) {
    if (m_menu) return 0;
    POINT bod{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
    if (bod.x == -1 && bod.y == -1) {
        bod = POINT{0, 0};
        ::ClientToScreen(m_hWnd, &bod);
    }
    ZobrazitNabidku(IDM_KONTAKTY, bod);
    return 0;
}

LRESULT ModulKontakty::OnCommand(UINT, WPARAM w, LPARAM, BOOL&) {
    const UINT id = LOWORD(w);
    if (id == IDC_SEZNAM_KONTAKTU) return 0;
    ZpracovatSpolecnyPrikaz(m_hWnd, id);
    ProvestPrikaz(id);
    return 0;
}

LRESULT ModulKontakty::OnKlavesa(UINT, WPARAM w, LPARAM, BOOL&) {
    Klavesa(w);
    return 0;
}

LRESULT ModulKontakty::OnIkonaTray(UINT, WPARAM w, LPARAM l, BOOL&) {
    if (w != 1) return 0;
    if (l == WM_LBUTTONUP || l == WM_MBUTTONUP) {
        if (::IsWindowVisible(m_hWnd))
            Odeslat(WM_SYSCOMMAND, SC_MINIMIZE, 0);
        else
            PrepnoutOkno();
    } else if (l == WM_RBUTTONUP) {
        POINT bod;
        Overit(::GetCursorPos(&bod) != 0);
        ZobrazitNabidku(IDM_KONTAKTY_TRAY, bod);
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------

VlaknoKontaktu::VlaknoKontaktu() : VlaknoSeznamu(IDS_NAZEV_KONTAKTY, modulKontakty) {}

void VlaknoKontaktu::ZrusitAkciPoSpusteni() { aplikace.nastaveni.poSpusteni.kontakty = false; }

void VytvoritModulKontakty() {
    if (!vlaknoKontaktu) vlaknoKontaktu = std::make_unique<VlaknoKontaktu>();
    ZaregistrovatNastroj(Nastroj::Kontakty, vlaknoKontaktu.get());
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_KONTAKTY, VytvoritStranku<DlgNastavKontakty>);
}

void SmazatModulKontakty() {
    ZaregistrovatNastroj(Nastroj::Kontakty, nullptr);
    vlaknoKontaktu.reset();
}
