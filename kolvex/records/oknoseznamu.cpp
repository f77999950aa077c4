#include "records/oknoseznamu.h"

#include <memory>

#include "core/aplikace.h"
#include "knihovna/text.h"
#include "resources/resource.h"

StylOkna StylOknaSeznamu(DWORD okno) {
    StylOkna s{};
    if (okno & OKNO_BEZ_TITULKU)
        s.styl = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_THICKFRAME;
    else
        s.styl = WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_SYSMENU | WS_THICKFRAME;
    if (okno & OKNO_NAVRCHU) s.rozsireny |= WS_EX_TOPMOST;
    if (okno & OKNO_NASTROJ)
        s.rozsireny |= WS_EX_TOOLWINDOW;
    else if (okno & OKNO_MIN_MAX)
        s.styl |= WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    return s;
}

void ListBoxZaznamu::VytvoritSeznam(HWND rodic, UINT id, DWORD styl) {
    HWND h = ::CreateWindowExW(0, L"LISTBOX", L"", styl, 0, 0, 10, 10, rodic,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
    knihovna::Overit(h != nullptr);
    ::SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    Pripojit(h);
}

bool ListBoxZaznamu::Tazeni() const {
    return priznakyOkna && (*priznakyOkna & OKNO_TAZENI) && (::GetAsyncKeyState(VK_CONTROL) & 0x8000);
}

LRESULT ListBoxZaznamu::OnKeyDown(UINT, WPARAM w, LPARAM, BOOL& zpracovano) {
    for (WPARAM k : klavesy)
        if (k == w) ::PostMessageW(::GetParent(m_hWnd), knihovna::ZPRAVA_PRVKU, w, reinterpret_cast<LPARAM>(m_hWnd));
    zpracovano = FALSE;
    return 0;
}

LRESULT ListBoxZaznamu::OnDvojklik(UINT, WPARAM, LPARAM, BOOL& zpracovano) {
    ::PostMessageW(::GetParent(m_hWnd), knihovna::ZPRAVA_PRVKU, klavesaDvojkliku, reinterpret_cast<LPARAM>(m_hWnd));
    zpracovano = FALSE;
    return 0;
}

LRESULT ListBoxZaznamu::OnMysDolu(UINT, WPARAM, LPARAM, BOOL& zpracovano) {
    if (!Tazeni()) {
        zpracovano = FALSE;
        return 0;
    }
    ::SendMessageW(::GetParent(m_hWnd), WM_SYSCOMMAND, 0xF012, 0);
    return 0;
}

LRESULT ListBoxZaznamu::OnMysNahoru(UINT, WPARAM, LPARAM, BOOL& zpracovano) {
    if (!Tazeni()) zpracovano = FALSE;
    return 0;
}

bool PridatIkonuSeznamu(IkonaTray*& ikona, HWND okno, HICON obrazek, UINT idNazvu) {
    if (ikona) return true;
    try {
        std::wstring tip = knihovna::Formatovat(knihovna::Retezec(IDS_TEXT_S_NADPISEM).c_str(),
                                                knihovna::Retezec(idNazvu).c_str(), aplikace.titulek.c_str());
        auto nova = std::make_unique<IkonaTray>();
        nova->Pridat(okno, 1, obrazek, tip.c_str());
        ikona = nova.release();
        return true;
    } catch (const knihovna::Chyba&) {
        return false;
    }
}

void OdebratIkonuSeznamu(IkonaTray*& ikona) {
    if (!ikona) return;
    try {
        ikona->Odebrat();
    } catch (const knihovna::Chyba&) {
        // the notification area is gone: nothing to remove there
    }
    delete ikona;
    ikona = nullptr;
}

int VybranyZaznam(HWND seznam) {
    LRESULT radek = ::SendMessageW(seznam, LB_GETCURSEL, 0, 0);
    if (radek == LB_ERR || radek < 0) return -1;
    LRESULT data = ::SendMessageW(seznam, LB_GETITEMDATA, static_cast<WPARAM>(radek), 0);
    if (data == LB_ERR) return -1;
    return static_cast<int>(data);
}

int RadekZaznamu(HWND seznam, int index) {
    const LRESULT pocet = ::SendMessageW(seznam, LB_GETCOUNT, 0, 0);
    for (LRESULT radek = 0; radek < pocet; ++radek)
        if (::SendMessageW(seznam, LB_GETITEMDATA, static_cast<WPARAM>(radek), 0) == index) return static_cast<int>(radek);
    return 0;
}

void NastavitIkonyOkna(HWND okno, HICON& ikona, int obrazek) {
    if (aplikace.seznamMenu.Get()) {
        ikona = ::ImageList_GetIcon(aplikace.seznamMenu.Get(), obrazek, ILD_NORMAL);
        knihovna::Overit(ikona != nullptr);
    }
    ::SendMessageW(okno, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ikona));
    ::SendMessageW(okno, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
}

void ZobrazitNabidkuSeznamu(HWND okno, UINT idMenu, bool okna, POINT bod, MenuPopup*& aktivni,
                            const std::function<void(MenuPopup& zaznam, bool vlastni)>& upravit) {
    if (aktivni) return;
    HMENU nactene = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(idMenu));
    if (!nactene) knihovna::VyhoditChybu(E_HANDLE);
    knihovna::UchytMenu vlastnik(nactene);
    MenuPopup zaznam;
    zaznam.popup = ::GetSubMenu(nactene, 0);
    zaznam.obrazky = aplikace.seznamMenu.Get();
    std::unique_ptr<MenuOkno> menuOkna;
    if (okna) {
        menuOkna = std::make_unique<MenuOkno>(&zaznam);
        menuOkna->NahraditZastupce();
    }
    MenuNapoveda napoveda(&zaznam);
    napoveda.NahraditZastupce();
    if (okna) {
        ::CheckMenuItem(zaznam.popup, 40053, MF_BYCOMMAND | (knihovna::JeOknoNavrchu(okno) ? MF_CHECKED : MF_UNCHECKED));
        ::CheckMenuItem(zaznam.popup, 40075, MF_BYCOMMAND | (knihovna::JeOknoPruhledne(okno) ? MF_CHECKED : MF_UNCHECKED));
    } else {
        MenuPopup::ZaskrtnoutPolozku(zaznam, 40155, ::IsWindowVisible(okno) != 0);
    }
    upravit(zaznam, aplikace.nastaveni.vlastniVzhled);
    ZobrazitMenuNaBode(okno, zaznam, bod, aktivni);
}

void PipnoutBezVyberu() {
    if (aplikace.nastaveni.zvuk) ::MessageBeep(MB_ICONEXCLAMATION);
}
