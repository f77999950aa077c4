#include "internet/pocasiokna.h"

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/chyba.h"
#include "knihovna/okno.h"
#include "knihovna/uchyt.h"

using knihovna::Overit;

void ZobrazitNabidkuOknaPocasi(HWND okno, UINT idMenu, LPARAM pozice, MenuPopup*& otevrene,
                               std::initializer_list<std::pair<UINT, bool>> zaskrtnuti,
                               std::initializer_list<UINT> kreslene) {
    if (otevrene) return;
    POINT bod{static_cast<short>(LOWORD(pozice)), static_cast<short>(HIWORD(pozice))};
    if (LOWORD(pozice) == 0xFFFF || HIWORD(pozice) == 0xFFFF) {
        bod = POINT{0, 0};
        ::ClientToScreen(okno, &bod);
    }
    HMENU nactene = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(idMenu));
    Overit(nactene != nullptr);
    knihovna::UchytMenu vlastnik(nactene);
    MenuPopup zaznam;
    zaznam.popup = ::GetSubMenu(nactene, 0);
    zaznam.obrazky = aplikace.seznamMenu.Get();
    MenuNapoveda napoveda(&zaznam);
    napoveda.NahraditZastupce();
    MenuOkno menuOkno(&zaznam);
    if (::GetMenuState(zaznam.popup, 40076, MF_BYCOMMAND) != static_cast<UINT>(-1)) menuOkno.NahraditZastupce();
    for (const auto& z : zaskrtnuti) MenuPopup::ZaskrtnoutPolozku(zaznam, z.first, z.second);
    if (aplikace.nastaveni.vlastniVzhled)
        for (UINT id : kreslene) MenuPopup::NastavitVlastniKresleni(zaznam, id, false);
    otevrene = &zaznam;
    OtevreneMenu aktualni(zaznam);
    ::SetForegroundWindow(okno);
    ::TrackPopupMenu(zaznam.popup, TPM_RIGHTBUTTON, bod.x, bod.y, 0, okno, nullptr);
    otevrene = nullptr;
    ::PostMessageW(okno, WM_NULL, 0, 0);
}

void KreslitPolozkuPocasi(const MenuPopup* otevrene, const DRAWITEMSTRUCT* polozka,
                          std::initializer_list<std::pair<UINT, int>> obrazky) {
    if (!otevrene || !polozka || polozka->CtlType != ODT_MENU) return;
    int obrazek = -1;
    bool nalezen = false;
    for (const auto& o : obrazky)
        if (o.first == polozka->itemID) {
            obrazek = o.second;
            nalezen = true;
        }
    if (!nalezen) IkonaPrikazuMenu(polozka->itemID, obrazek);
    try {
        KreslitPolozkuMenu(*otevrene, *polozka, obrazek);
    } catch (const knihovna::Chyba&) {
        // the next item is drawn all the same
    }
}

void ZmeritPolozkuPocasi(const MenuPopup* otevrene, MEASUREITEMSTRUCT* polozka) {
    if (!polozka || polozka->CtlType != ODT_MENU) return;
    polozka->itemHeight = 20;
    if (otevrene) polozka->itemWidth = static_cast<UINT>(ZmeritPolozkuMenu(*otevrene, polozka->itemID) + 40);
}

void UmistitDoPravehoDolnihoRohu(HWND okno) {
    RECT r;
    Overit(::GetWindowRect(okno, &r) != 0);
    const RECT prace = knihovna::PracovniOblastProObdelnik(r);  // the window's monitor, less a taskbar
    ::SetWindowPos(okno, nullptr, prace.right - (r.right - r.left), prace.bottom - (r.bottom - r.top), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

KonfiguracePocasi& NastaveniPocasi() {
    static KonfiguracePocasi* vychozi = nullptr;
    if (nastaveniPocasi) return *nastaveniPocasi;
    if (!vychozi) vychozi = new KonfiguracePocasi();
    return *vychozi;
}
