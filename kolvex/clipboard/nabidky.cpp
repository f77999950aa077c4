#include "clipboard/nabidky.h"

#include "core/menu.h"
#include "knihovna/chyba.h"
#include "knihovna/okno.h"

int IkonaPolozky(TabulkaIkon tabulka, UINT id) {
    for (const auto& radek : tabulka)
        if (radek.first == id) return radek.second;
    return IkonaStrankyNastaveni(id);
}

bool ZmeritPolozkuNabidky(LPARAM l, MenuPopup* lista) {
    auto* polozka = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
    MenuPopup* menu = OtevreneMenu::Aktualni();
    if (!menu) menu = lista;
    if (!polozka || polozka->CtlType != ODT_MENU || !menu) return false;
    polozka->itemHeight = static_cast<UINT>(menu->vyskaPolozky);
    try {
        polozka->itemWidth = static_cast<UINT>(ZmeritPolozkuMenu(*menu, polozka->itemID) + 40);
    } catch (const knihovna::Chyba&) {
        polozka->itemWidth = 120;
    }
    return true;
}

bool NakreslitPolozkuNabidky(LPARAM l, TabulkaIkon tabulka, MenuPopup* lista) {
    auto* polozka = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    MenuPopup* menu = OtevreneMenu::Aktualni();
    if (!menu) menu = lista;
    if (!polozka || polozka->CtlType != ODT_MENU || !menu) return false;
    try {
        KreslitPolozkuMenu(*menu, *polozka, IkonaPolozky(tabulka, polozka->itemID));
    } catch (const knihovna::Chyba&) {
        // drawing goes on with the next item
    }
    return true;
}

void OtevritStrankuNastaveni(UINT stranka) {
    HWND hlavni = knihovna::ziskatHlavniOkno ? knihovna::ziskatHlavniOkno() : nullptr;
    if (hlavni) ::PostMessageW(hlavni, WM_COMMAND, 40002, static_cast<LPARAM>(stranka));
}

void ZobrazitNabidkuTlacitka(HWND okno, int tlacitko) {
    if (tlacitko == 40002) {
        MenuStrankyNastaveni stranky;
        stranky.Zobrazit(okno);
    } else if (tlacitko == 40003) {
        MenuNapoveda napoveda(nullptr);
        napoveda.ZobrazitSamostatne(okno);
    }
}
