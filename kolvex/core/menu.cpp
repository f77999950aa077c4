#include "core/menu.h"

#include <vector>

#include "core/aplikace.h"
#include "knihovna/chyba.h"
#include "knihovna/dpi.h"
#include "knihovna/okno.h"
#include "knihovna/text.h"
#include "knihovna/uchyt.h"
#include "resources/resource.h"

using knihovna::Overit;
using knihovna::VyhoditChybu;
using knihovna::VyhoditPosledniChybu;

namespace {

HMENU CilovePopup(const MenuPopup& menu, int submenu) {
    HMENU cil = menu.popup;
    if (submenu >= 0) cil = ::GetSubMenu(menu.popup, submenu);
    if (!cil || !::IsMenu(cil)) VyhoditChybu(E_HANDLE);
    return cil;
}

struct RadekObrazku {
    UINT id;
    int index;
};

const RadekObrazku tabulkaPrikazu[] = {
    {40001, 0},  {40156, 0},  {40183, 0},  {40194, 0},  {40201, 0},  {40002, 1},  {40190, 1},  {40003, 3},
    {40004, 74}, {40200, 74}, {40005, 58}, {40016, 62}, {40188, 62}, {40017, 61}, {40167, 61}, {40020, 5},
    {40193, 5},  {40021, 53}, {40022, 14}, {40023, 4},  {40026, 19}, {40048, 34}, {40049, 32}, {40050, 35},
    {40051, 33}, {40052, 36}, {40053, 15}, {40054, 9},  {40058, 9},  {40069, 56}, {40181, 56}, {40075, 31},
    {40109, 31}, {40110, 31}, {40076, 10}, {40114, 10}, {40133, 10}, {40155, 10}, {40185, 10}, {40089, 67},
    {40092, 59}, {40112, 76}, {40113, 65}, {40220, 21}, {40115, 68}, {40122, 68}, {40134, 68}, {40116, 79},
    {40129, 79}, {40127, 78}, {40128, 80}, {40131, 65}, {40132, 54}, {40135, 45}, {40219, 45}, {40140, 81},
    {40152, 40}, {40153, 85}, {40154, 41}, {40158, 64}, {40165, 89}, {40166, 89}, {40168, 60}, {40169, 37},
    {40187, 37}, {40179, 90}, {40180, 16}, {40191, 16}, {40182, 63}, {40184, 63}, {40186, 77}, {40189, 17},
    {40192, 43}, {40202, 73}, {40218, 96}, {40224, 98},
};

const RadekObrazku tabulkaStranek[] = {
    {40077, 11}, {40078, 40}, {40079, 42}, {40080, 43}, {40081, 1},  {40083, 1},  {40082, 9},
    {40084, 10}, {40142, 10}, {40143, 10}, {40085, 38}, {40086, 67}, {40087, 68}, {40088, 60},
    {40198, 60}, {40144, 59}, {40145, 76}, {40146, 81}, {40147, 65}, {40151, 65}, {40148, 21},
    {40149, 78}, {40150, 79}, {40195, 63}, {40196, 64}, {40197, 61}, {40199, 37},
};

const RadekObrazku tabulkaHlavnihoMenu[] = {
    {40006, 58}, {40010, 13}, {40011, 9},  {40012, 67}, {40013, 68}, {40014, 60},
    {40015, 65}, {40094, 20}, {40095, 21}, {40096, 9},  {40097, 70}, {40098, 10},
};

template <size_t N>
bool Najit(const RadekObrazku (&tabulka)[N], UINT id, int& index) {
    for (const RadekObrazku& r : tabulka)
        if (r.id == id) {
            index = r.index;
            return true;
        }
    return false;
}

thread_local MenuPopup* otevrene = nullptr;

int ZmeritProKnihovnu(HWND, const MEASUREITEMSTRUCT* polozka) {
    MenuPopup* menu = OtevreneMenu::Aktualni();
    if (!menu || !polozka) return -1;
    return ZmeritPolozkuMenu(*menu, polozka->itemID);
}

}  // namespace

// ---------------------------------------------------------------------------------------------

void MenuPopup::NastavitVlastniKresleni(const MenuPopup& menu, UINT polozka, bool podlePozice, int submenu) {
    HMENU cil = CilovePopup(menu, submenu);
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_ID;
    Overit(::GetMenuItemInfoW(cil, polozka, podlePozice, &mii) != 0);
    mii.fType |= MFT_OWNERDRAW;
    mii.fMask = MIIM_FTYPE;
    if (podlePozice) {
        mii.fMask |= MIIM_ID;
        mii.wID = MAKELONG(LOWORD(mii.wID), polozka + 1);
    }
    Overit(::SetMenuItemInfoW(cil, polozka, podlePozice, &mii) != 0);
}

void MenuPopup::ZaskrtnoutPolozku(const MenuPopup& menu, UINT id, bool zaskrtnuto) {
    if (!menu.popup || !::IsMenu(menu.popup)) VyhoditChybu(E_HANDLE);
    if (::CheckMenuItem(menu.popup, id, MF_BYCOMMAND | (zaskrtnuto ? MF_CHECKED : MF_UNCHECKED)) == static_cast<DWORD>(-1))
        VyhoditChybu(E_INVALIDARG);
}

void MenuPopup::VlozitOddelovac(const MenuPopup& menu, UINT predId, UINT noveId) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
    mii.fType = MFT_SEPARATOR;
    mii.fState = MFS_GRAYED;
    mii.wID = noveId;
    Overit(::InsertMenuItemW(menu.popup, predId, FALSE, &mii) != 0);
}

void MenuPopup::NastavitTextPolozky(HMENU menu, UINT id, UINT idTextu) {
    std::wstring text;
    if (!knihovna::NacistRetezec(idTextu, text)) VyhoditChybu(E_INVALIDARG);
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_STRING;
    Overit(::GetMenuItemInfoW(menu, id, FALSE, &mii) != 0);
    mii.dwTypeData = const_cast<wchar_t*>(text.c_str());
    Overit(::SetMenuItemInfoW(menu, id, FALSE, &mii) != 0);
}

std::wstring NacistTextPolozkyMenu(HMENU menu, UINT polozka, bool podlePozice) {
    if (!menu || !::IsMenu(menu)) VyhoditChybu(E_HANDLE);
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_STRING;
    mii.dwTypeData = nullptr;
    Overit(::GetMenuItemInfoW(menu, polozka, podlePozice, &mii) != 0);
    std::vector<wchar_t> text(mii.cch + 1, L'\0');
    mii.cch = static_cast<UINT>(text.size());
    mii.dwTypeData = text.data();
    Overit(::GetMenuItemInfoW(menu, polozka, podlePozice, &mii) != 0);
    return std::wstring(text.data());
}

std::wstring NahraditTabulatorPomlckou(const std::wstring& text) {
    std::wstring vysledek = text;
    size_t tab = vysledek.find(L'\t');
    if (tab != std::wstring::npos) vysledek.replace(tab, 1, L" - ");
    return vysledek;
}

void IkonaPrikazuMenu(UINT id, int& index) { Najit(tabulkaPrikazu, id, index); }

int IkonaStrankyNastaveni(UINT id) {
    if (HIWORD(id) != 0) {
        switch (HIWORD(id) - 1) {
            case 0: return 1;
            case 1: return 58;
            case 2: return 10;
            case 3: return 9;
            case 6: return 67;
            case 8: return 65;
            case 13: return 61;
            default: return -1;
        }
    }
    int index = -1;
    if (!Najit(tabulkaStranek, id, index)) IkonaPrikazuMenu(id, index);
    return index;
}

int IkonaPolozkyHlavnihoMenu(UINT id) {
    int index = -1;
    if (!Najit(tabulkaHlavnihoMenu, id, index)) IkonaPrikazuMenu(id, index);
    return index;
}

// ---------------------------------------------------------------------------------------------

namespace {

std::wstring TextPolozky(const MenuPopup& menu, UINT id) {
    if (HIWORD(id) != 0) return NacistTextPolozkyMenu(menu.popup, HIWORD(id) - 1u, true);
    return NacistTextPolozkyMenu(menu.popup, id, false);
}

}  // namespace

int ZmeritPolozkuMenu(const MenuPopup& menu, UINT id) {
    std::wstring text = NahraditTabulatorPomlckou(TextPolozky(menu, id));
    knihovna::DcOkna dc(nullptr);
    if (!dc) VyhoditPosledniChybu();
    knihovna::VybranyObjekt pismo(dc.Get(), ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE velikost{};
    Overit(::GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &velikost) != 0);
    return velikost.cx;
}

void KreslitPolozkuMenu(const MenuPopup& menu, const DRAWITEMSTRUCT& polozka, int obrazek, HICON vlastniIkona) {
    std::wstring text = TextPolozky(menu, polozka.itemID);
    HDC dc = polozka.hDC;
    RECT r = polozka.rcItem;
    const int vyska = r.bottom - r.top;
    const bool vybrana = (polozka.itemState & ODS_SELECTED) != 0;
    const bool zakazana = (polozka.itemState & ODS_GRAYED) != 0;

    ::FillRect(dc, &r, ::GetSysColorBrush(vybrana ? COLOR_HIGHLIGHT : COLOR_MENU));
    COLORREF puvodniBarva = ::SetTextColor(dc, ::GetSysColor(vybrana ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    int puvodniRezim = ::SetBkMode(dc, TRANSPARENT);

    const int strana = knihovna::VyskaMaleIkony();
    const int y = r.top + (vyska - strana) / 2;
    if (vlastniIkona) {
        ::DrawIconEx(dc, r.left + 2, y, vlastniIkona, strana, strana, 0, nullptr, DI_NORMAL);
    } else if (obrazek >= 0 && menu.obrazky) {
        if (zakazana)
            ImageList_DrawEx(menu.obrazky, obrazek, dc, r.left + 2, y, 0, 0, CLR_NONE, menu.barvaZakazane,
                             static_cast<UINT>(menu.stylZakazane) | ILD_TRANSPARENT);
        else
            ImageList_DrawEx(menu.obrazky, obrazek, dc, r.left + 2, y, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
    }
    if ((polozka.itemState & ODS_CHECKED) && menu.obrazekZaskrtnuti >= 0 && menu.obrazky)
        ImageList_DrawEx(menu.obrazky, menu.obrazekZaskrtnuti, dc, r.right - strana - 2, y, 0, 0, CLR_NONE, CLR_NONE,
                         ILD_TRANSPARENT);

    r.left += strana + 7;
    size_t tab = text.find(L'\t');
    std::wstring pred = text.substr(0, tab);
    {
        knihovna::VybranyObjekt pismo(dc, ::GetStockObject(DEFAULT_GUI_FONT));
        if (zakazana) {
            SIZE velikost{};
            ::GetTextExtentPoint32W(dc, pred.c_str(), static_cast<int>(pred.size()), &velikost);
            // The "&" marks the access key, as in enabled items: drawn as an underline, not as text.
            ::DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(pred.c_str()), static_cast<WPARAM>(pred.size()),
                         r.left, r.top + (vyska - velikost.cy) / 2, 0, 0, DST_PREFIXTEXT | DSS_DISABLED);
        } else {
            const UINT priznaky = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
            ::DrawTextW(dc, pred.c_str(), static_cast<int>(pred.size()), &r, priznaky);
            if (tab != std::wstring::npos) {
                std::wstring za = text.substr(tab + 1);
                r.right -= strana + 6;
                ::DrawTextW(dc, za.c_str(), static_cast<int>(za.size()), &r, priznaky | DT_RIGHT);
            }
        }
    }
    ::SetBkMode(dc, puvodniRezim);
    ::SetTextColor(dc, puvodniBarva);
}

void NastavitMereniMenu() { knihovna::zmeritPolozkuMenu = ZmeritProKnihovnu; }

OtevreneMenu::OtevreneMenu(MenuPopup& menu) : m_predchozi(otevrene) { otevrene = &menu; }
OtevreneMenu::~OtevreneMenu() { otevrene = m_predchozi; }
MenuPopup* OtevreneMenu::Aktualni() { return otevrene; }

POINT PoziceMenu(HWND okno) {
    POINT bod{};
    Overit(::GetCursorPos(&bod) != 0);
    if (bod.x == 0xFFFF || bod.y == 0xFFFF) {
        bod = POINT{0, 0};
        ::ClientToScreen(okno, &bod);
    }
    return bod;
}

// ---------------------------------------------------------------------------------------------

Podmenu::Podmenu(UINT idMenu, UINT idNazvu, UINT zastupce, MenuPopup* cil)
    : m_cil(cil), m_idNazvu(idNazvu), m_zastupce(zastupce) {
    m_menu = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(idMenu));
    Overit(m_menu != nullptr);
}

Podmenu::~Podmenu() {
    // Detached first: the target's own destruction must not reach a menu destroyed here.
    HMENU submenu = ::GetSubMenu(m_menu, 0);
    if (m_cil && m_cil->popup && ::IsMenu(m_cil->popup) && submenu) {
        int pocet = ::GetMenuItemCount(m_cil->popup);
        for (int i = 0; i < pocet; ++i)
            if (::GetSubMenu(m_cil->popup, i) == submenu) {
                MENUITEMINFOW mii{};
                mii.cbSize = sizeof(mii);
                mii.fMask = MIIM_SUBMENU;
                mii.hSubMenu = nullptr;
                ::SetMenuItemInfoW(m_cil->popup, static_cast<UINT>(i), TRUE, &mii);
            }
    }
    ::DestroyMenu(m_menu);
}

void Podmenu::NastavitVlastniKresleniPolozky(UINT id) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE;
    Overit(::GetMenuItemInfoW(m_cil->popup, id, FALSE, &mii) != 0);
    mii.fType |= MFT_OWNERDRAW;
    Overit(::SetMenuItemInfoW(m_cil->popup, id, FALSE, &mii) != 0);
}

void Podmenu::NastavitVlastniKresleniSubmenu() {
    HMENU submenu = Submenu();
    int pocet = ::GetMenuItemCount(submenu);
    for (int i = 0; i < pocet; ++i) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE;
        Overit(::GetMenuItemInfoW(submenu, static_cast<UINT>(i), TRUE, &mii) != 0);
        if (mii.fType & MFT_SEPARATOR) continue;
        mii.fType |= MFT_OWNERDRAW;
        Overit(::SetMenuItemInfoW(submenu, static_cast<UINT>(i), TRUE, &mii) != 0);
    }
}

void Podmenu::NahraditZastupce() {
    std::wstring nazev = knihovna::Retezec(m_idNazvu);
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_STRING | MIIM_DATA | MIIM_SUBMENU;
    mii.dwTypeData = const_cast<wchar_t*>(nazev.c_str());
    mii.hSubMenu = Submenu();
    Overit(::SetMenuItemInfoW(m_cil->popup, m_zastupce, FALSE, &mii) != 0);
    if (aplikace.nastaveni.vlastniVzhled) {
        NastavitVlastniKresleniPolozky(m_zastupce);
        NastavitVlastniKresleniSubmenu();
    }
}

void Podmenu::Vlozit() {
    std::wstring nazev = knihovna::Retezec(m_idNazvu);
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_STRING | MIIM_DATA | MIIM_SUBMENU | MIIM_ID;
    mii.wID = m_zastupce;
    mii.dwTypeData = const_cast<wchar_t*>(nazev.c_str());
    mii.hSubMenu = Submenu();
    Overit(::InsertMenuItemW(m_cil->popup, static_cast<UINT>(-1), TRUE, &mii) != 0);
    if (aplikace.nastaveni.vlastniVzhled) NastavitVlastniKresleniSubmenu();
}

int Podmenu::IkonaPrikazu(UINT id) const {
    int index = -1;
    IkonaPrikazuMenu(id, index);
    return index;
}

MenuNapoveda::MenuNapoveda(MenuPopup* cil) : Podmenu(IDM_NAPOVEDA, IDS_NAPOVEDA, 40003, cil) {}

void MenuNapoveda::ZobrazitSamostatne(HWND okno) {
    if (!m_menu) VyhoditChybu(E_HANDLE);
    MenuPopup zaznam;
    zaznam.popup = Submenu();
    zaznam.obrazky = aplikace.seznamMenu.Get();
    POINT bod = PoziceMenu(okno);
    if (aplikace.nastaveni.vlastniVzhled)
        for (UINT id : {40023u, 40021u, 40022u, 40020u}) MenuPopup::NastavitVlastniKresleni(zaznam, id, false);
    OtevreneMenu otevrene(zaznam);
    ::SetForegroundWindow(okno);
    ::TrackPopupMenu(zaznam.popup, TPM_RIGHTBUTTON, bod.x, bod.y, 0, okno, nullptr);
}

MenuOkno::MenuOkno(MenuPopup* cil) : Podmenu(IDM_OKNO, IDS_OKNO, 40076, cil) {
    if (!cil) VyhoditChybu(E_HANDLE);
}

MenuExterniAplikace::MenuExterniAplikace(MenuPopup* cil) : Podmenu(IDM_EXTERNI_APLIKACE, IDS_EXTERNI_APLIKACE, 40185, cil) {}

MenuOvladaciIkony::MenuOvladaciIkony(MenuPopup* cil) : Podmenu(IDM_OVLADACI_IKONY, IDS_OVLADACI_IKONY, 40010, cil) {}

MenuStrankyNastaveni::MenuStrankyNastaveni() : Podmenu(IDM_STRANKY_NASTAVENI, 0, 0, nullptr) {}

void MenuStrankyNastaveni::Zobrazit(HWND okno) {
    MenuPopup zaznam;
    zaznam.popup = Submenu();
    zaznam.obrazky = aplikace.seznamMenu.Get();
    POINT bod = PoziceMenu(okno);
    if (aplikace.nastaveni.vlastniVzhled) {
        int pocet = ::GetMenuItemCount(zaznam.popup);
        for (int i = 0; i < pocet; ++i) {
            HMENU submenu = ::GetSubMenu(zaznam.popup, i);
            if (submenu) {
                int polozek = ::GetMenuItemCount(submenu);
                for (int j = 0; j < polozek; ++j)
                    MenuPopup::NastavitVlastniKresleni(zaznam, ::GetMenuItemID(submenu, j), false, i);
                MenuPopup::NastavitVlastniKresleni(zaznam, static_cast<UINT>(i), true);  // carries its position
            } else {
                MenuPopup::NastavitVlastniKresleni(zaznam, ::GetMenuItemID(zaznam.popup, i), false);
            }
        }
    }
    OtevreneMenu otevrene(zaznam);
    ::SetForegroundWindow(okno);
    ::TrackPopupMenu(zaznam.popup, TPM_RIGHTBUTTON, bod.x, bod.y, 0, okno, nullptr);
}

// ---------------------------------------------------------------------------------------------

NabidkaNastroje::NabidkaNastroje(UINT idMenu)
    : m_nactene(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(idMenu))) {
    Overit(m_nactene.Get() != nullptr);
    zaznam.popup = ::GetSubMenu(m_nactene.Get(), 0);
    zaznam.obrazky = aplikace.seznamMenu.Get();
    m_napoveda = std::make_unique<MenuNapoveda>(&zaznam);
    m_napoveda->NahraditZastupce();
}

void ZobrazitMenuIkony(HWND okno, MenuPopup& zaznam, MenuPopup*& aktivni) {
    POINT bod;
    Overit(::GetCursorPos(&bod) != 0);
    ZobrazitMenuNaBode(okno, zaznam, bod, aktivni);
}

void ZobrazitMenuNaBode(HWND okno, MenuPopup& zaznam, POINT bod, MenuPopup*& aktivni) {
    aktivni = &zaznam;
    OtevreneMenu otevrene(zaznam);
    ::SetForegroundWindow(okno);
    const BOOL vysledek = ::TrackPopupMenu(zaznam.popup, TPM_RIGHTBUTTON, bod.x, bod.y, 0, okno, nullptr);
    const DWORD kod = ::GetLastError();
    aktivni = nullptr;
    ::PostMessageW(okno, WM_NULL, 0, 0);  // lets the menu close when the user clicks elsewhere
    if (!vysledek && kod != ERROR_SUCCESS) {
        ::SetLastError(kod);
        knihovna::VyhoditPosledniChybu();
    }
}

void ZobrazitKontextoveMenuOkna(HWND okno, UINT idMenu, LPARAM pozice, std::initializer_list<UINT> kreslene,
                                MenuPopup*& aktivni) {
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
    MenuOkno menuOkno(&zaznam);
    menuOkno.NahraditZastupce();
    MenuNapoveda napoveda(&zaznam);
    napoveda.NahraditZastupce();
    MenuPopup::ZaskrtnoutPolozku(zaznam, 40053, knihovna::JeOknoNavrchu(okno));
    MenuPopup::ZaskrtnoutPolozku(zaznam, 40075, knihovna::JeOknoPruhledne(okno));
    if (aplikace.nastaveni.vlastniVzhled)
        for (UINT id : kreslene) MenuPopup::NastavitVlastniKresleni(zaznam, id, false);
    aktivni = &zaznam;
    OtevreneMenu otevrene(zaznam);
    ::SetForegroundWindow(okno);
    ::TrackPopupMenu(zaznam.popup, TPM_RIGHTBUTTON, bod.x, bod.y, 0, okno, nullptr);
    aktivni = nullptr;
}
