#include "windows/systemovanabidka.h"

#include <vector>

#include "knihovna/chyba.h"
#include "resources/resource.h"

using knihovna::VyhoditPosledniChybu;

namespace {

constexpr UINT PRIKAZ_NAVRCHU = 40053;
constexpr UINT PRIKAZ_SKRYT = 40107;
constexpr UINT PRIKAZ_ODDELOVAC = 40108;

HMENU SystemoveMenu(HWND okno) { return ::GetSystemMenu(okno, FALSE); }

std::vector<UpraveneOkno>& Seznam() {
    static std::vector<UpraveneOkno> seznam;
    return seznam;
}

// Position of the submenu in the system menu, -1 when it is not there.
int PoziceNabidky(HMENU menu, HMENU nabidka) {
    const int pocet = ::GetMenuItemCount(menu);
    for (int i = 0; i < pocet; ++i)
        if (::GetSubMenu(menu, i) == nabidka) return i;
    return -1;
}

// Takes the window's items out of its menu and frees the loaded menu 150. The submenu is found by
// its handle, so no item of the program's own is ever removed in its place.
void OdebratPolozky(const UpraveneOkno& zaznam) {
    HMENU menu = ::IsWindow(zaznam.okno) ? ziskatSystemoveMenu(zaznam.okno) : nullptr;
    if (menu) {
        if (zaznam.nabidka) {
            const int pozice = PoziceNabidky(menu, ::GetSubMenu(zaznam.nabidka, 0));
            if (pozice >= 0) ::RemoveMenu(menu, static_cast<UINT>(pozice), MF_BYPOSITION);
        }
        ::RemoveMenu(menu, PRIKAZ_NAVRCHU, MF_BYCOMMAND);
        ::RemoveMenu(menu, PRIKAZ_SKRYT, MF_BYCOMMAND);
        ::RemoveMenu(menu, PRIKAZ_ODDELOVAC, MF_BYCOMMAND);
    }
    if (zaznam.nabidka && !::DestroyMenu(zaznam.nabidka)) VyhoditPosledniChybu();
}

// The static clean-up at process end: whatever the module left.
struct UklidPriKonci {
    UklidPriKonci() { Seznam(); }  // the list is built first, so it is destroyed after this
    ~UklidPriKonci() {
        try {
            OdebratVsechnyPolozkySystemoveNabidky();
        } catch (...) {
            // foreign windows may be gone or unreachable at process end
        }
    }
} uklidPriKonci;

}  // namespace

HMENU (*ziskatSystemoveMenu)(HWND okno) = SystemoveMenu;

bool PridatPolozkySystemoveNabidky(HWND okno) {
    if (!::IsWindow(okno)) return false;
    std::vector<UpraveneOkno>& seznam = Seznam();
    if (seznam.size() >= MAX_UPRAVENYCH_OKEN) return false;
    for (const UpraveneOkno& z : seznam)
        if (z.okno == okno) return false;

    UpraveneOkno zaznam;
    zaznam.okno = okno;
    if (HMENU menu = ziskatSystemoveMenu(okno)) {
        // the items go above SC_RESTORE; a menu without it cannot take them (the platform would
        // append them at its end instead)
        if (::GetMenuState(menu, SC_RESTORE, MF_BYCOMMAND) == static_cast<UINT>(-1)) {
            ::SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
            VyhoditPosledniChybu();
        }
        zaznam.nabidka = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_ROZSIRENI_OKEN));
        if (!zaznam.nabidka) VyhoditPosledniChybu();
        const bool ok =
            ::InsertMenuW(menu, SC_RESTORE, MF_BYCOMMAND | MF_STRING, PRIKAZ_NAVRCHU, L"Navrchu") &&
            ::InsertMenuW(menu, SC_RESTORE, MF_BYCOMMAND | MF_STRING, PRIKAZ_SKRYT, L"Skrýt do ikony") &&
            ::InsertMenuW(menu, SC_RESTORE, MF_BYCOMMAND | MF_POPUP,
                          reinterpret_cast<UINT_PTR>(::GetSubMenu(zaznam.nabidka, 0)), L"Další možnosti") &&
            ::InsertMenuW(menu, SC_RESTORE, MF_BYCOMMAND | MF_SEPARATOR | MF_GRAYED, PRIKAZ_ODDELOVAC, nullptr);
        if (!ok) {
            // what went in comes out again: the menu stays as the program made it
            const DWORD kod = ::GetLastError();
            try {
                OdebratPolozky(zaznam);
            } catch (const knihovna::Chyba&) {
            }
            ::SetLastError(kod ? kod : ERROR_INVALID_MENU_HANDLE);
            VyhoditPosledniChybu();
        }
    }
    seznam.push_back(zaznam);
    return true;
}

bool OdebratPolozkySystemoveNabidkyNaIndexu(size_t index) {
    std::vector<UpraveneOkno>& seznam = Seznam();
    if (index >= seznam.size()) return false;
    const UpraveneOkno zaznam = seznam[index];
    seznam.erase(seznam.begin() + static_cast<std::ptrdiff_t>(index));
    if (seznam.empty()) seznam.shrink_to_fit();
    OdebratPolozky(zaznam);
    return true;
}

bool OdebratPolozkySystemoveNabidky(HWND okno) {
    std::vector<UpraveneOkno>& seznam = Seznam();
    for (size_t i = 0; i < seznam.size(); ++i)
        if (seznam[i].okno == okno) return OdebratPolozkySystemoveNabidkyNaIndexu(i);
    return false;
}

void OdebratVsechnyPolozkySystemoveNabidky() {
    std::vector<UpraveneOkno> seznam;
    seznam.swap(Seznam());
    DWORD chyba = 0;
    for (const UpraveneOkno& zaznam : seznam) {
        try {
            OdebratPolozky(zaznam);
        } catch (const knihovna::Chyba&) {
            if (!chyba) chyba = ::GetLastError() ? ::GetLastError() : ERROR_INVALID_MENU_HANDLE;
        }
    }
    if (chyba) {
        ::SetLastError(chyba);
        VyhoditPosledniChybu();
    }
}

size_t PocetUpravenychOken() { return Seznam().size(); }
