#include "screen/modulobrazovka.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <new>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "knihovna/modul.h"
#include "knihovna/text.h"
#include "resources/resource.h"
#include "screen/mereniuseckami.h"
#include "screen/opis.h"
#include "screen/opisemailem.h"
#include "screen/rezimy.h"
#include "screen/sberacbarvy.h"
#include "screen/slozkaopisu.h"
#include "screen/strankyobrazovky.h"
#include "screen/vyberokna.h"

using knihovna::Overit;

std::unique_ptr<ModulObrazovka> modulObrazovka;
std::unique_ptr<VlaknoObrazovky> vlaknoObrazovky;

namespace {

constexpr UINT STRANKA_OBRAZOVKA = 156;  // settings page "Obrazovka"
constexpr int OBRAZEK_MODULU = 65;

bool Stisknuto(int klavesa) { return (::GetAsyncKeyState(klavesa) & 0x8000) != 0; }

int Zoom(DWORD hodnota) { return hodnota >= 1 && hodnota <= 100 ? static_cast<int>(hodnota) : 1; }

const KonfiguraceObrazovka& Nastaveni() {
    static KonfiguraceObrazovka* vychozi = nullptr;
    if (nastaveniObrazovka) return *nastaveniObrazovka;
    if (!vychozi) vychozi = new KonfiguraceObrazovka();
    return *vychozi;
}

// Image of an item of menu 155 in the menu image list; -1 = none.
int IkonaPolozky(UINT id, bool ikonaZobrazena) {
    switch (id) {
        case 40113:
        case 40124:
        case 40130:
            return 65;
        case 40114:
        case 40123:
            return 10;
        case 40116:
        case 40121:
            return 79;
        case 40117:
        case 40118:
        case 40119:
        case 40120:
            return 66;
        case 40046:
            return ikonaZobrazena ? 16 : 13;
        default:
            break;
    }
    if (HIWORD(id) == 1 || HIWORD(id) == 2) return 21;  // the two submenus, by position
    int index = -1;
    IkonaPrikazuMenu(id, index);
    return index;
}

// The slideshow program on the capture folder, without waiting.
void PromitnoutSlozku(const std::wstring& slozka) {
    std::wstring program = ZiskatSlozkuProgramu() + L"\\Lumeda.exe";
    std::wstring parametry = L" \"" + slozka + L"\"";
    const HRESULT hr = knihovna::HresultShellExecute(
        knihovna::spustitShell(nullptr, L"open", program.c_str(), parametry.c_str(), nullptr, SW_SHOWNORMAL));
    if (FAILED(hr)) aplikace.ZobrazitChybuCom(program, knihovna::Chyba(hr));
}

void PrepnoutSystemovyParametr(UINT cteni, UINT zapis) {
    BOOL zapnuto = FALSE;
    Overit(::SystemParametersInfoW(cteni, 0, &zapnuto, 0) != 0);
    Overit(::SystemParametersInfoW(zapis, zapnuto ? FALSE : TRUE, nullptr, 0) != 0);
}

bool SystemovyParametr(UINT cteni) {
    BOOL zapnuto = FALSE;
    return ::SystemParametersInfoW(cteni, 0, &zapnuto, 0) && zapnuto;
}

}  // namespace

UINT PrikazKliknutiObrazovky(const KonfiguraceObrazovka& n, UINT zpravaMysi, bool ctrl, bool shift) {
    switch (zpravaMysi) {
        case WM_LBUTTONUP:
            if (ctrl && shift) return n.ctrlShiftLeve;
            if (ctrl) return n.ctrlLeve;
            if (shift) return n.shiftLeve;
            return n.leve;
        case WM_MBUTTONUP:
            if (ctrl) return n.ctrlStredni;
            if (shift) return n.shiftStredni;
            return n.stredni;
        case WM_RBUTTONUP:
            return PRIKAZ_ZOBRAZIT_NABIDKU;
        default:
            return 0;
    }
}

ModulObrazovka::ModulObrazovka() : m_trida(knihovna::Retezec(IDS_TRIDA_OBRAZOVKA)) {
    NastavitKlic(aplikace.klicAplikace);
    nazevModulu = knihovna::Retezec(IDS_NAZEV_OBRAZOVKA);
    if (aplikace.seznamMenu.Get()) {
        ikonaModulu = ::ImageList_GetIcon(aplikace.seznamMenu.Get(), OBRAZEK_MODULU, ILD_NORMAL);
        Overit(ikonaModulu != nullptr);
    }
}

ModulObrazovka::~ModulObrazovka() = default;

HWND ModulObrazovka::VytvoritOkno() {
    zoom = false;
    Vytvorit(nullptr, nullptr, nazevModulu.c_str(), WS_OVERLAPPEDWINDOW, 0, m_trida.c_str());
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ikonaModulu));
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    Poslat(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    if (aplikace.nastaveni.poSpusteni.ikonaObrazovka) VytvoritOvladaciIkonu();
    return m_hWnd;
}

void ModulObrazovka::Spustit() {
    if (vlaknoObrazovky) vlaknoObrazovky->Spustit();
}

void ModulObrazovka::Zastavit() {
    if (vlaknoObrazovky) vlaknoObrazovky->Zastavit();
}

LRESULT ModulObrazovka::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    // The area picker reports to this window: it ends with it; so do the other screen tools.
    OknoVyberVyrezem::Zastavit();
    OknoMereniObrUseckami::Zastavit();
    OknoSberacBarvy::Zastavit();
    OdebratOvladaciIkonu();
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulObrazovka::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::PostQuitMessage(0);
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulObrazovka::OnDrawItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    auto* polozka = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    if (polozka && polozka->CtlType == ODT_MENU && m_menu) {
        try {
            KreslitPolozkuMenu(*m_menu, *polozka, IkonaPolozky(polozka->itemID, ovladaciIkona != nullptr));
        } catch (const knihovna::Chyba&) {
            // drawing goes on with the next item
        }
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulObrazovka::OnVyrezVybran(UINT, WPARAM w, LPARAM l, BOOL&) {
    const int vlevo = LOWORD(w), nahore = HIWORD(w), vpravo = LOWORD(l), dole = HIWORD(l);
    if (vpravo > vlevo && dole > nahore) {
        UlozitOpisVyrezu(vlevo, nahore, vpravo, dole, zoom ? Zoom(Nastaveni().opis.zoomOpisVyber) : 1);
    } else if (aplikace.nastaveni.zvuk) {
        ::MessageBeep(MB_ICONEXCLAMATION);
    }
    return 0;
}

LRESULT ModulObrazovka::OnIkonaTray(UINT, WPARAM w, LPARAM l, BOOL&) {
    if (w != 1) return 0;
    UINT prikaz = PrikazKliknutiObrazovky(Nastaveni(), static_cast<UINT>(l), Stisknuto(VK_CONTROL), Stisknuto(VK_SHIFT));
    if (prikaz == 0) return 0;
    if (prikaz == PRIKAZ_ZOBRAZIT_NABIDKU)
        ZobrazitNabidku();
    else if (prikaz == 40113)
        UlozitOpisObrazovky(1);
    else
        Odeslat(WM_COMMAND, prikaz, 0);
    return 0;
}

LRESULT ModulObrazovka::OnZobrazitNabidku(UINT, WPARAM, LPARAM, BOOL&) {
    ZobrazitNabidku();
    return 0;
}

LRESULT ModulObrazovka::OnOpisOdeslan(UINT, WPARAM, LPARAM l, BOOL&) {
    PrevzitVysledekOdeslani(l);
    return 0;
}

LRESULT ModulObrazovka::OnCommand(UINT, WPARAM w, LPARAM, BOOL&) {
    // A command that fails (a program that cannot be started, a folder gone) is reported; the
    // module, its icon and the capture hot keys stay.
    try {
        ProvestPrikaz(LOWORD(w));
    } catch (const knihovna::Chyba& chyba) {
        aplikace.ZobrazitChybuComPopis(chyba);
    } catch (const std::bad_alloc&) {
        aplikace.ZobrazitChybuComPopis(knihovna::Chyba(E_OUTOFMEMORY));
    }
    return 0;
}

void ModulObrazovka::ProvestPrikaz(UINT id) {
    const NastaveniOpisu opis = Nastaveni().opis;
    auto vybranoOkno = [&](bool klient, int zoomOkna) {
        HWND okno = VybratOkno();
        if (okno && ::IsWindow(okno)) UlozitOpisOkna(okno, klient, zoomOkna);
    };
    switch (id) {
        case 40113: UlozitOpisObrazovky(1); break;
        case 40124: UlozitOpisObrazovky(Zoom(opis.zoomOpis)); break;
        case 40114: zoom = false; vybranoOkno(false, 1); break;
        case 40115: zoom = false; vybranoOkno(true, 1); break;
        case 40123: zoom = true; vybranoOkno(false, Zoom(opis.zoomOpisOkna)); break;
        case 40122: zoom = true; vybranoOkno(true, Zoom(opis.zoomOpisOkna)); break;
        case 40133: UlozitOpisAktivnihoOkna(false, 1); break;
        case 40134: UlozitOpisAktivnihoOkna(true, 1); break;
        case 40125: UlozitOpisAktivnihoOkna(false, Zoom(opis.zoomOpisOkna)); break;
        case 40126: UlozitOpisAktivnihoOkna(true, Zoom(opis.zoomOpisOkna)); break;
        case 40116:
        case 40121:
            if (OknoVyberVyrezem::Bezi()) {
                OknoVyberVyrezem::Zastavit();
            } else {
                zoom = id == 40121;
                OknoVyberVyrezem::SpustitOpis(m_hWnd);
            }
            break;
        case 40129:
            if (OknoVyberVyrezem::Bezi())
                OknoVyberVyrezem::Zastavit();
            else
                OknoVyberVyrezem::SpustitMereni();
            break;
        case 40135: {
            const std::wstring slozka = opis.slozka;
            if (::PathFileExistsW(slozka.c_str()))
                PromitnoutSlozku(slozka);
            else
                aplikace.ZobrazitZpravu(
                    knihovna::Formatovat(knihovna::Retezec(IDS_SLOZKA_NEEXISTUJE).c_str(), slozka.c_str()),
                    MB_ICONERROR);
            break;
        }
        case 40132: {
            const std::wstring slozka = opis.slozka;
            if (::PathFileExistsW(slozka.c_str())) {
                const wchar_t* sloveso = Stisknuto(VK_CONTROL) ? L"explore" : L"open";
                knihovna::OveritShellExecute(
                    knihovna::spustitShell(nullptr, sloveso, slozka.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED));
            } else if (aplikace.nastaveni.zvuk) {
                ::MessageBeep(MB_ICONEXCLAMATION);
            }
            break;
        }
        case 40180: VyprazdnitSlozkuSDotazem(opis.slozka); break;
        case 40117:
            ::Sleep(400);
            ::PostMessageW(HWND_BROADCAST, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
            break;
        case 40118:
            ::Sleep(400);
            ::PostMessageW(HWND_BROADCAST, WM_SYSCOMMAND, SC_MONITORPOWER, 2);
            break;
        case 40119: PrepnoutSystemovyParametr(SPI_GETSCREENSAVEACTIVE, SPI_SETSCREENSAVEACTIVE); break;
        case 40120: PrepnoutSystemovyParametr(SPI_GETPOWEROFFACTIVE, SPI_SETPOWEROFFACTIVE); break;
        case 40002:
            if (HWND hlavni = knihovna::ziskatHlavniOkno ? knihovna::ziskatHlavniOkno() : nullptr)
                ::PostMessageW(hlavni, WM_COMMAND, 40002, STRANKA_OBRAZOVKA);
            break;
        case 40046:
            if (ovladaciIkona)
                OdebratOvladaciIkonu();
            else
                VytvoritOvladaciIkonu();
            break;
        case 40020:
        case 40021:
        case 40022:
        case 40023:
            knihovna::PoslatPrikazHlavnimuOknu(id);
            break;
        case 40127:
            if (OknoSberacBarvy::Bezi())
                OknoSberacBarvy::Zastavit();
            else
                OknoSberacBarvy::Spustit();
            break;
        case 40128:
            if (OknoMereniObrUseckami::Bezi())
                OknoMereniObrUseckami::Zastavit();
            else
                OknoMereniObrUseckami::Spustit();
            break;
        default:
            if (id >= PRVNI_PRIKAZ_REZIMU && id <= POSLEDNI_PRIKAZ_REZIMU && rezimyObrazovky)
                NastavitRezimObrazovky(*rezimyObrazovky, id);
            break;
    }
}

void ModulObrazovka::ZobrazitNabidku() {
    if (m_menu) return;  // already open
    NabidkaNastroje nabidka(IDM_OBRAZOVKA);
    MenuPopup& zaznam = nabidka.zaznam;

    // The saved display modes as the submenu of 40130; without saved modes the item is greyed.
    knihovna::UchytMenu rezimy(
        rezimyObrazovky ? VytvoritMenuRezimu(*rezimyObrazovky, aplikace.nastaveni.vlastniVzhled) : nullptr);
    if (rezimy) {
        MENUITEMINFOW polozka{};
        polozka.cbSize = sizeof(polozka);
        polozka.fMask = MIIM_SUBMENU;
        polozka.hSubMenu = rezimy.Get();
        Overit(::SetMenuItemInfoW(zaznam.popup, 40130, FALSE, &polozka) != 0);
        rezimy.Odevzdat();  // the loaded menu owns it now
    } else {
        ::EnableMenuItem(zaznam.popup, 40130, MF_BYCOMMAND | MF_GRAYED);
    }
    MenuPopup::ZaskrtnoutPolozku(zaznam, 40127, OknoSberacBarvy::Bezi());
    if (SystemovyParametr(SPI_GETSCREENSAVEACTIVE))
        MenuPopup::ZaskrtnoutPolozku(zaznam, 40119, true);
    else
        ::EnableMenuItem(zaznam.popup, 40117, MF_BYCOMMAND | MF_GRAYED);
    if (SystemovyParametr(SPI_GETPOWEROFFACTIVE))
        MenuPopup::ZaskrtnoutPolozku(zaznam, 40120, true);
    else
        ::EnableMenuItem(zaznam.popup, 40118, MF_BYCOMMAND | MF_GRAYED);
    if (!ovladaciIkona) MenuPopup::NastavitTextPolozky(zaznam.popup, 40046, IDS_ZOBRAZIT_IKONU);

    if (aplikace.nastaveni.vlastniVzhled) {
        MenuPopup::NastavitVlastniKresleni(zaznam, 0, true);
        MenuPopup::NastavitVlastniKresleni(zaznam, 1, true);
        for (UINT id : {40128u, 40129u, 40002u, 40113u, 40114u, 40115u, 40122u, 40123u, 40116u, 40121u, 40132u,
                        40119u, 40120u, 40135u, 40130u, 40127u, 40046u, 40117u, 40118u, 40180u})
            MenuPopup::NastavitVlastniKresleni(zaznam, id, false);
    }

    ZobrazitMenuIkony(m_hWnd, zaznam, m_menu);
}

// ---------------------------------------------------------------------------------------------

VlaknoObrazovky::VlaknoObrazovky() : VlaknoModulu(IDS_NAZEV_OBRAZOVKA) {}

knihovna::OknoModul* VlaknoObrazovky::Objekt() const {
    return modulObrazovka && modulObrazovka->m_hWnd ? modulObrazovka.get() : nullptr;
}

HWND VlaknoObrazovky::VytvoritOkno(bool) {
    if (!modulObrazovka) knihovna::VyhoditChybu(E_HANDLE);
    return modulObrazovka->VytvoritOkno();
}

void VlaknoObrazovky::ZrusitOkno() {
    // The object outlives its thread; only its window and tray icon go.
    if (!modulObrazovka) return;
    try {
        modulObrazovka->OdebratOvladaciIkonu();
    } catch (const knihovna::Chyba&) {
        // the shell may be gone already
    }
    if (modulObrazovka->m_hWnd && ::IsWindow(modulObrazovka->m_hWnd)) ::DestroyWindow(modulObrazovka->m_hWnd);
}

void VlaknoObrazovky::PredZastavenim() { UkoncitVyberOkna(); }

int VlaknoObrazovky::PrioritaVlakna() const {
    return nastaveniObrazovka ? nastaveniObrazovka->threadPriority : THREAD_PRIORITY_NORMAL;
}

void VytvoritModulObrazovka() {
    ZaregistrovatStrankyObrazovky();
    if (!modulObrazovka) modulObrazovka = std::make_unique<ModulObrazovka>();
    if (!vlaknoObrazovky) vlaknoObrazovky = std::make_unique<VlaknoObrazovky>();
    ZaregistrovatNastroj(Nastroj::Obrazovka, vlaknoObrazovky.get());
}

void SmazatModulObrazovka() {
    ZaregistrovatNastroj(Nastroj::Obrazovka, nullptr);
    UkoncitOdesilaniOpisu();
    vlaknoObrazovky.reset();
    modulObrazovka.reset();
}
