#include "notes/oknoseznamu.h"

#include "core/aplikace.h"
#include "core/dialogy.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/text.h"
#include "knihovna/dpi.h"
#include "notes/oknopoznamka.h"
#include "resources/resource.h"

using knihovna::Overit;

namespace {

constexpr DWORD MIN_MAX = 0x1 | 0x2;
constexpr DWORD NAVRCHU = 0x4;
constexpr DWORD NASTROJ = 0x8;
constexpr DWORD BEZ_TITULKU = 0x10;
constexpr DWORD TAZENI = 0x10000;
constexpr int VYSKA_POLOZKY = 20;

bool Ctrl() { return (::GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }

// The enabled, visible dialog among this thread's top-level windows: the one whose modal loop runs.
BOOL CALLBACK NajitDialogVlakna(HWND okno, LPARAM l) {
    wchar_t trida[16] = L"";
    ::GetClassNameW(okno, trida, 16);
    if (::lstrcmpW(trida, L"#32770") != 0 || !::IsWindowVisible(okno) || !::IsWindowEnabled(okno)) return TRUE;
    *reinterpret_cast<HWND*>(l) = okno;
    return FALSE;
}

DWORD zalozniPriznaky = 0x10007;
DWORD zalozniTrideni = 2;

}  // namespace

DWORD& PriznakyOknaSeznamu(bool zvukove) {
    if (!nastaveniPoznamky) return zalozniPriznaky;
    return zvukove ? nastaveniPoznamky->zvukove.oknoSeznam : nastaveniPoznamky->textove.oknoSeznam;
}

DWORD& TrideniSeznamu(bool zvukove) {
    if (!nastaveniPoznamky) return zalozniTrideni;
    return zvukove ? nastaveniPoznamky->zvukove.trideni : nastaveniPoznamky->textove.trideni;
}

std::wstring SlozkaSeznamu(bool zvukove) {
    if (!nastaveniPoznamky) return std::wstring();
    return zvukove ? nastaveniPoznamky->zvukove.slozka.Text() : nastaveniPoznamky->textove.slozka.Text();
}

// ---------------------------------------------------------------------------------------------

void ListBoxSeznamPoznamek::Vytvorit(HWND rodic) {
    RegistrovatSuperTridu(L"ListBox", L"ListBoxSeznam");
    const DWORD styl = WS_CHILD | WS_VSCROLL | WS_HSCROLL | LBS_WANTKEYBOARDINPUT | LBS_NOINTEGRALHEIGHT |
                       LBS_OWNERDRAWVARIABLE | LBS_NOTIFY;
    const RECT r{0, 0, 10, 10};
    OknoImpl::Vytvorit(rodic, &r, L"", styl, WS_EX_CLIENTEDGE, L"ListBoxSeznam",
                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_SEZNAM_POZNAMEK)));
    Poslat(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

LRESULT ListBoxSeznamPoznamek::OnKeyDown(UINT, WPARAM w, LPARAM, BOOL& zpracovano) {
    switch (w) {
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_INSERT:
        case VK_DELETE:
        case VK_F2:
        case VK_PAUSE:
            ::PostMessageW(::GetParent(m_hWnd), knihovna::ZPRAVA_PRVKU, w, reinterpret_cast<LPARAM>(m_hWnd));
            break;
        default: break;
    }
    zpracovano = FALSE;
    return 0;
}

LRESULT ListBoxSeznamPoznamek::OnDvojklik(UINT, WPARAM, LPARAM, BOOL& zpracovano) {
    ::PostMessageW(::GetParent(m_hWnd), knihovna::ZPRAVA_PRVKU, VK_RETURN, reinterpret_cast<LPARAM>(m_hWnd));
    zpracovano = FALSE;
    return 0;
}

LRESULT ListBoxSeznamPoznamek::OnLButtonDown(UINT, WPARAM, LPARAM, BOOL& zpracovano) {
    if ((PriznakyOknaSeznamu(zvukove) & TAZENI) && Ctrl()) {
        ::SendMessageW(::GetParent(m_hWnd), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
        return 0;
    }
    zpracovano = FALSE;
    return 0;
}

// ---------------------------------------------------------------------------------------------

void KreslitPolozkuPoznamky(const DRAWITEMSTRUCT& polozka, const SeznamPoznamek* seznam, HICON ikona) {
    if (!seznam || polozka.itemID == static_cast<UINT>(-1)) return;
    const int index = static_cast<int>(polozka.itemData);
    if (index < 0 || index >= seznam->Pocet()) return;
    HDC dc = polozka.hDC;
    const bool vybrana = (polozka.itemState & ODS_SELECTED) != 0;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(vybrana ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT r = polozka.rcItem;
    ::FillRect(dc, &r, ::GetSysColorBrush(vybrana ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const int sirka = ::GetSystemMetrics(SM_CXSMICON), vyska = ::GetSystemMetrics(SM_CYSMICON);
    if (ikona) ::DrawIconEx(dc, r.left + 2, r.top + (VYSKA_POLOZKY - sirka) / 2, ikona, sirka, vyska, 0, nullptr, DI_NORMAL);
    r.left += 2 + sirka + 5;
    const std::wstring text = TextPolozkyPoznamky(seznam->Polozka(index));
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (polozka.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &polozka.rcItem);
}

int ObrazekPolozkyMenuSeznamu(UINT id) {
    switch (id) {
        case 40026: return 19;
        case 40059: return 17;
        case 40060: return 86;
        case 40061: return 68;
        case 40062: return 60;
        case 40067: return 54;
        case 40068: return 17;
        case 40069: return 56;
        case 40070: return 16;
        case 40071: return 40;
        case 40072: return 41;
        case 40073: return 86;
        default: break;
    }
    int index = -1;
    IkonaPrikazuMenu(id, index);
    if (index < 0) index = IkonaStrankyNastaveni(id);
    return index;
}

bool KreslitPolozkuOtevrenehoMenu(const DRAWITEMSTRUCT& polozka, int obrazek) {
    MenuPopup* menu = OtevreneMenu::Aktualni();
    if (!menu || polozka.CtlType != ODT_MENU) return false;
    try {
        KreslitPolozkuMenu(*menu, polozka, obrazek);
    } catch (const knihovna::Chyba&) {
        // the next item is drawn all the same
    }
    return true;
}

bool ZmeritPolozkuOtevrenehoMenu(MEASUREITEMSTRUCT& polozka) {
    if (polozka.CtlType != ODT_MENU) return false;
    polozka.itemHeight = static_cast<UINT>(knihovna::Skalovat(20));
    if (MenuPopup* menu = OtevreneMenu::Aktualni()) {
        try {
            polozka.itemWidth = static_cast<UINT>(ZmeritPolozkuMenu(*menu, polozka.itemID) + 40);
        } catch (const knihovna::Chyba&) {
            polozka.itemWidth = 120;
        }
    }
    return true;
}

// ---------------------------------------------------------------------------------------------

OknoSeznamuPoznamekZaklad::~OknoSeznamuPoznamekZaklad() {
    delete menuStranky;
    delete menuNapoveda;
    if (toolbar) {
        if (toolbar->m_hWnd && ::IsWindow(toolbar->m_hWnd)) ::DestroyWindow(toolbar->m_hWnd);
        delete toolbar;
    }
    if (rebar) {
        if (rebar->m_hWnd && ::IsWindow(rebar->m_hWnd)) ::DestroyWindow(rebar->m_hWnd);
        delete rebar;
    }
    if (m_ikona) ::DestroyIcon(m_ikona);
}

void OknoSeznamuPoznamekZaklad::StylOkna(DWORD priznaky, DWORD& styl, DWORD& rozsireny) {
    styl = (priznaky & BEZ_TITULKU) ? (WS_POPUP | WS_THICKFRAME | WS_CLIPSIBLINGS | WS_CLIPCHILDREN)
                                    : (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPSIBLINGS |
                                       WS_CLIPCHILDREN);
    rozsireny = 0;
    if (priznaky & NAVRCHU) rozsireny |= WS_EX_TOPMOST;
    if (priznaky & NASTROJ)
        rozsireny |= WS_EX_TOOLWINDOW;
    else if ((priznaky & MIN_MAX) && !(priznaky & BEZ_TITULKU))
        styl |= WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
}

void OknoSeznamuPoznamekZaklad::VytvoritPrvky(const int (*tlacitka)[2], size_t pocet, bool obnovenaPoloha) {
    seznam.zvukove = m_zvukove;
    seznam.Vytvorit(m_hWnd);
    NaplnitSeznam(0);

    if (!rebar && !toolbar) {
        rebar = new knihovna::OknoObal(knihovna::VytvoritRebar(m_hWnd, IDC_POZNAMKY_REBAR));
        toolbar = new knihovna::OknoObal(
            knihovna::VytvoritToolbar(rebar->m_hWnd, IDC_POZNAMKY_TOOLBAR, aplikace.seznamMenu.Get()));
        for (size_t i = 0; i < pocet; ++i) {
            const int prikaz = tlacitka[i][0], obrazek = tlacitka[i][1];
            if (prikaz == 0)
                knihovna::VlozitOddelovacToolbaru(toolbar->m_hWnd);
            else if (prikaz == 40002)
                knihovna::VlozitTlacitkoToolbaru(toolbar->m_hWnd, obrazek, prikaz, false);
            else if (prikaz == 40003)
                knihovna::VlozitTlacitkoToolbaru(toolbar->m_hWnd, obrazek, prikaz, true);
            else
                knihovna::VlozitTlacitkoToolbaruAuto(toolbar->m_hWnd, obrazek, prikaz);
        }
        ::SendMessageW(toolbar->m_hWnd, TB_AUTOSIZE, 0, 0);
        SIZE velikost{};
        ::SendMessageW(toolbar->m_hWnd, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&velikost));
        knihovna::VlozitPasRebaru(rebar->m_hWnd, toolbar->m_hWnd, velikost.cx, velikost.cx, velikost.cy, 1);
        ::ShowWindow(rebar->m_hWnd, SW_SHOW);
        // a window narrower than its toolbar (buttons scaled by the DPI) is widened before it is placed
        m_minSirka = SirkaProToolbar();
        RECT okno{};
        if (::GetWindowRect(m_hWnd, &okno) && okno.right - okno.left < m_minSirka)
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, m_minSirka, okno.bottom - okno.top,
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!obnovenaPoloha) Okno::UmistitNaPlochu(m_hWnd, 5);
    ::ShowWindow(seznam.m_hWnd, SW_SHOW);
    Rozmistit();
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::SetFocus(m_hWnd);
    ::SetForegroundWindow(m_hWnd);
    ::SetFocus(seznam.m_hWnd);
}

int OknoSeznamuPoznamekZaklad::SirkaProToolbar() const {
    if (!rebar || !toolbar || !rebar->m_hWnd || !toolbar->m_hWnd) return 0;
    SIZE velikost{};
    ::SendMessageW(toolbar->m_hWnd, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&velikost));
    RECT okraje{};
    ::SendMessageW(rebar->m_hWnd, RB_GETBANDBORDERS, 0, reinterpret_cast<LPARAM>(&okraje));
    RECT r{0, 0, okraje.left + okraje.right + velikost.cx, 100};
    const DWORD styl = static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE));
    const DWORD rozsireny = static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE));
    ::AdjustWindowRectEx(&r, styl, FALSE, rozsireny);
    return r.right - r.left;
}

void OknoSeznamuPoznamekZaklad::Rozmistit() {
    RECT klient{};
    ::GetClientRect(m_hWnd, &klient);
    int vyskaRebaru = 0;
    if (rebar && rebar->m_hWnd) {
        RECT r{};
        ::GetWindowRect(rebar->m_hWnd, &r);
        vyskaRebaru = r.bottom - r.top;
        ::MoveWindow(rebar->m_hWnd, 0, 0, klient.right, vyskaRebaru, TRUE);
    }
    if (seznam.m_hWnd)
        ::SetWindowPos(seznam.m_hWnd, nullptr, 0, vyskaRebaru, klient.right, klient.bottom - vyskaRebaru, SWP_NOZORDER);
}

void OknoSeznamuPoznamekZaklad::NaplnitSeznam(int vyber) {
    if (!seznam.m_hWnd) return;
    if (vyber < 0) {
        const SeznamPoznamek* store = Store();
        vyber = store && !m_nazevVyberu.empty() ? store->Najit(m_nazevVyberu) : -1;
        if (vyber < 0) vyber = static_cast<int>(seznam.Poslat(LB_GETCURSEL));
    }
    seznam.Poslat(LB_RESETCONTENT);
    seznam.Poslat(WM_SETREDRAW, FALSE);
    struct Prekreslit {
        HWND h;
        ~Prekreslit() {
            ::SendMessageW(h, WM_SETREDRAW, TRUE, 0);
            ::InvalidateRect(h, nullptr, TRUE);
        }
    } prekreslit{seznam.m_hWnd};
    const SeznamPoznamek* store = Store();
    const int pocet = store ? store->Pocet() : 0;
    for (int i = 0; i < pocet; ++i) seznam.PridatPolozku(L"", i);
    if (pocet > 0) {
        if (vyber >= pocet) vyber = pocet - 1;
        if (vyber < 0) vyber = 0;
        seznam.Poslat(LB_SETCURSEL, static_cast<WPARAM>(vyber));
    }
    ZapamatovatVyber();
}

void OknoSeznamuPoznamekZaklad::ZapamatovatVyber() {
    const int index = VybranaPoznamka();
    const SeznamPoznamek* store = Store();
    if (index >= 0 && store)
        m_nazevVyberu = store->Polozka(index).nazev;
    else
        m_nazevVyberu.clear();
}

bool OknoSeznamuPoznamekZaklad::ZpracovatOznameniSeznamu(WPARAM w, LPARAM l) {
    if (l == 0 || reinterpret_cast<HWND>(l) != seznam.m_hWnd) return false;
    if (HIWORD(w) == LBN_SELCHANGE) ZapamatovatVyber();
    return true;
}

int OknoSeznamuPoznamekZaklad::VybranaPoznamka() const {
    if (!seznam.m_hWnd) return -1;
    const LRESULT vyber = seznam.Poslat(LB_GETCURSEL);
    if (vyber == LB_ERR) return -1;
    const LRESULT data = seznam.Poslat(LB_GETITEMDATA, static_cast<WPARAM>(vyber));
    const SeznamPoznamek* store = Store();
    if (data == LB_ERR || !store || data < 0 || data >= store->Pocet()) return -1;
    return static_cast<int>(data);
}

void OknoSeznamuPoznamekZaklad::ZobrazitKontextoveMenu(LPARAM pozice, UINT idMenu) {
    if (menu) return;
    POINT bod{static_cast<short>(LOWORD(pozice)), static_cast<short>(HIWORD(pozice))};
    if (LOWORD(pozice) == 0xFFFF || HIWORD(pozice) == 0xFFFF) {
        bod = POINT{0, 0};
        ::ClientToScreen(m_hWnd, &bod);
    }
    HMENU nactene = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(idMenu));
    Overit(nactene != nullptr);
    knihovna::UchytMenu vlastnik(nactene);
    MenuPopup zaznam;
    zaznam.popup = ::GetSubMenu(nactene, 0);
    zaznam.obrazky = aplikace.seznamMenu.Get();
    MenuNapoveda napoveda(&zaznam);
    napoveda.NahraditZastupce();
    MenuOkno okno(&zaznam);
    okno.NahraditZastupce();
    MenuPopup::ZaskrtnoutPolozku(zaznam, 40053, knihovna::JeOknoNavrchu(m_hWnd));
    MenuPopup::ZaskrtnoutPolozku(zaznam, 40075, knihovna::JeOknoPruhledne(m_hWnd));
    const DWORD trideni = TrideniSeznamu(m_zvukove);
    MenuPopup::ZaskrtnoutPolozku(zaznam, 40182, trideni == TRIDENI_PODLE_CASU);
    MenuPopup::ZaskrtnoutPolozku(zaznam, 40181, trideni == TRIDENI_PODLE_NAZVU);
    if (aplikace.nastaveni.vlastniVzhled) {
        const int pocet = ::GetMenuItemCount(zaznam.popup);
        for (int i = 0; i < pocet; ++i) {
            const UINT id = ::GetMenuItemID(zaznam.popup, i);
            if (id == 0 || id == static_cast<UINT>(-1)) continue;  // separators and submenus
            MenuPopup::NastavitVlastniKresleni(zaznam, id, false);
        }
    }
    menu = &zaznam;
    OtevreneMenu otevrene(zaznam);
    ModalniSmycka smycka(*this);
    ::SetForegroundWindow(m_hWnd);
    ::TrackPopupMenu(zaznam.popup, TPM_RIGHTBUTTON, bod.x, bod.y, 0, m_hWnd, nullptr);
    menu = nullptr;
    ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
}

void OknoSeznamuPoznamekZaklad::OnRozbaleniToolbaru(NMHDR* hlavicka) {
    auto* info = reinterpret_cast<NMTOOLBARW*>(hlavicka);
    if (info->iItem == 40002 && !menuStranky) {
        menuStranky = new MenuStrankyNastaveni();
        try {
            menuStranky->Zobrazit(m_hWnd);
        } catch (...) {
            delete menuStranky;
            menuStranky = nullptr;
            throw;
        }
        delete menuStranky;
        menuStranky = nullptr;
    } else if (info->iItem == 40003 && !menuNapoveda) {
        menuNapoveda = new MenuNapoveda(nullptr);
        try {
            menuNapoveda->ZobrazitSamostatne(m_hWnd);
        } catch (...) {
            delete menuNapoveda;
            menuNapoveda = nullptr;
            throw;
        }
        delete menuNapoveda;
        menuNapoveda = nullptr;
    }
}

void OknoSeznamuPoznamekZaklad::Seradit(DWORD trideni) {
    TrideniSeznamu(m_zvukove) = trideni;
    if (SeznamPoznamek* store = Store()) store->Seradit(trideni);
    NaplnitSeznam(-1);
}

void OknoSeznamuPoznamekZaklad::Prejmenovat() {
    const int index = VybranaPoznamka();
    SeznamPoznamek* store = Store();
    if (index < 0 || !store) {
        ::SetFocus(seznam.m_hWnd);
        return;
    }
    std::wstring nazev = store->Polozka(index).nazev;
    const std::wstring stary = nazev;
    ModalniSmycka smycka(*this);
    for (;;) {
        if (!ZadatTextId(nazev, IDS_NOVY_NAZEV_POZNAMKY)) {
            ::SetFocus(seznam.m_hWnd);
            return;
        }
        if (OveritNazevPoznamky(nazev)) break;
    }
    if (nazev != stary) {
        if (!PrejmenovatPoznamku(m_zvukove, index, nazev)) {
            aplikace.ZobrazitChybuId(0);
        } else {
            m_nazevVyberu = nazev;  // the selection stays on the renamed note
            NaplnitSeznam(-1);
        }
    }
    ::SetFocus(seznam.m_hWnd);
}

void OknoSeznamuPoznamekZaklad::Odstranit() {
    ModalniSmycka smycka(*this);
    int index = VybranaPoznamka();
    SeznamPoznamek* store = Store();
    if (index < 0 || !store) {
        ::SetFocus(seznam.m_hWnd);
        return;
    }
    // The question names the note, and the note deleted is that one, wherever the store's
    // order (changed while the question was open) has put it.
    const std::wstring nazev = store->Polozka(index).nazev;
    const std::wstring otazka =
        knihovna::Formatovat(knihovna::Retezec(IDS_OTAZKA_ODSTRANIT_POZNAMKU).c_str(), nazev.c_str());
    if (!aplikace.Otazka(otazka, false, true) || (index = store->Najit(nazev)) < 0) {
        ::SetFocus(seznam.m_hWnd);
        return;
    }
    if (!OdstranitPoznamku(m_zvukove, index))
        aplikace.ZobrazitChybuId(0);
    else
        NaplnitSeznam(-1);
    ::SetFocus(seznam.m_hWnd);
}

void OknoSeznamuPoznamekZaklad::Zavrit(UINT prikazModulu) {
    UlozitPolohu();
    if (seznam.m_hWnd && ::IsWindow(seznam.m_hWnd)) Overit(::DestroyWindow(seznam.m_hWnd) != 0);
    knihovna::SmazatOkno(toolbar);
    knihovna::SmazatOkno(rebar);
    Poslat(WM_SETICON, ICON_SMALL, 0);
    Poslat(WM_SETICON, ICON_BIG, 0);
    HWND modul = oknoModuluPoznamek ? oknoModuluPoznamek() : nullptr;
    if (modul) ::PostMessageW(modul, WM_COMMAND, prikazModulu, prikazModulu);
}

bool OknoSeznamuPoznamekZaklad::ZpracovatPrikazSeznamu(UINT id, UINT stranka) {
    switch (id) {
        case 40069: Prejmenovat(); return true;
        case 40070: Odstranit(); return true;
        case 40181: Seradit(TRIDENI_PODLE_NAZVU); return true;
        case 40182: Seradit(TRIDENI_PODLE_CASU); return true;
        case 40053: {
            DWORD& priznaky = PriznakyOknaSeznamu(m_zvukove);
            if (knihovna::JeOknoNavrchu(m_hWnd))
                priznaky |= 0x4;
            else
                priznaky &= ~0x4u;
            return true;
        }
        case 40002:
            if (HWND hlavni = knihovna::ziskatHlavniOkno ? knihovna::ziskatHlavniOkno() : nullptr)
                ::PostMessageW(hlavni, WM_COMMAND, 40002, stranka);
            return true;
        case 40003:
            if (!menuNapoveda) {
                NMTOOLBARW info{};
                info.hdr.code = TBN_DROPDOWN;
                info.iItem = 40003;
                OnRozbaleniToolbaru(&info.hdr);
            }
            return true;
        case 40026: Odeslat(WM_CLOSE); return true;
        default: return false;
    }
}

void OknoSeznamuPoznamekZaklad::NacistIkonu(int obrazek) {
    if (aplikace.seznamMenu.Get()) m_ikona = ::ImageList_GetIcon(aplikace.seznamMenu.Get(), obrazek, ILD_NORMAL);
}

void OknoSeznamuPoznamekZaklad::DokoncitVytvoreni(const int (*tlacitka)[2], size_t pocet) {
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(aplikace.malaIkona.Get()));
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    const bool obnoveno = ObnovitPolohu() == 0;
    VytvoritPrvky(tlacitka, pocet, obnoveno);
}

bool OknoSeznamuPoznamekZaklad::ZpracovatKlavesuSeznamu(WPARAM klavesa) {
    switch (klavesa) {
        case VK_ESCAPE: Poslat(WM_CLOSE); return true;
        case VK_DELETE: Odstranit(); return true;
        case VK_F2: Prejmenovat(); return true;
        default: return false;
    }
}

void OknoSeznamuPoznamekZaklad::ZobrazitModalniOkno() const {
    HWND dialog = ::GetLastActivePopup(m_hWnd);
    if (dialog == m_hWnd || !::IsWindowEnabled(dialog)) {
        dialog = nullptr;
        ::EnumThreadWindows(::GetCurrentThreadId(), NajitDialogVlakna, reinterpret_cast<LPARAM>(&dialog));
    }
    if (dialog) ::SetForegroundWindow(dialog);
}

LRESULT OknoSeznamuPoznamekZaklad::OnClose(UINT, WPARAM, LPARAM, BOOL&) {
    if (BeziModalniSmycka()) {
        // Closing now would pull the window away under the running dialog and drop what it holds
        // (a recording, a typed name): the dialog is brought forward, an open menu is ended and
        // the window closes once its loop has returned.
        if (menu) {
            ::EndMenu();
            ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
        } else {
            ZobrazitModalniOkno();
        }
        return 0;
    }
    Zavrit(m_zvukove ? 40062 : 40061);
    return 0;
}

LRESULT OknoSeznamuPoznamekZaklad::OnContextMenu(UINT, WPARAM, LPARAM l, BOOL&) {
    ZobrazitKontextoveMenu(l, m_zvukove ? IDM_SEZNAM_ZVUKOVYCH_POZNAMEK : IDM_SEZNAM_POZNAMEK);
    return 0;
}

LRESULT OknoSeznamuPoznamekZaklad::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (seznam.m_hWnd && ::IsWindow(seznam.m_hWnd)) ::DestroyWindow(seznam.m_hWnd);
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoSeznamuPoznamekZaklad::OnSize(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    Rozmistit();
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoSeznamuPoznamekZaklad::OnDrawItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    const auto* polozka = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
    if (polozka->CtlType == ODT_LISTBOX && polozka->CtlID == IDC_SEZNAM_POZNAMEK) {
        KreslitPolozkuPoznamky(*polozka, Store(), m_ikona);
        return TRUE;
    }
    if (polozka->CtlType == ODT_MENU) {
        UINT id = polozka->itemID;
        int obrazek = ObrazekPolozkyMenuSeznamu(id);
        if (KreslitPolozkuOtevrenehoMenu(*polozka, obrazek)) return TRUE;
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoSeznamuPoznamekZaklad::OnMeasureItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    auto* polozka = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
    if (polozka->CtlType == ODT_LISTBOX) {
        polozka->itemHeight = static_cast<UINT>(knihovna::Skalovat(20));
        return TRUE;
    }
    if (ZmeritPolozkuOtevrenehoMenu(*polozka)) return TRUE;
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoSeznamuPoznamekZaklad::OnNotify(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano) {
    auto* hlavicka = reinterpret_cast<NMHDR*>(l);
    if (hlavicka->code == TTN_NEEDTEXTW) return knihovna::ZpracovatTooltipToolbaru(static_cast<int>(w), hlavicka, zpracovano);
    if (hlavicka->code == TBN_DROPDOWN && hlavicka->idFrom == IDC_POZNAMKY_TOOLBAR) {
        OnRozbaleniToolbaru(hlavicka);
        return TBDDRET_DEFAULT;
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoSeznamuPoznamekZaklad::OnGetMinMaxInfo(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    const LRESULT vysledek = VychoziZpracovani(msg, w, l);
    auto* info = reinterpret_cast<MINMAXINFO*>(l);
    if (info && info->ptMinTrackSize.x < m_minSirka) info->ptMinTrackSize.x = m_minSirka;
    return vysledek;
}

LRESULT OknoSeznamuPoznamekZaklad::OnSetFocus(UINT, WPARAM, LPARAM, BOOL&) {
    if (seznam.m_hWnd) ::SetFocus(seznam.m_hWnd);
    return 0;
}

// ---------------------------------------------------------------------------------------------

bool PrejmenovatPoznamku(bool zvukove, int index, const std::wstring& novyNazev) {
    SeznamPoznamek* store = zvukove ? seznamZvukovychPoznamek : seznamTextovychPoznamek;
    if (!store || index < 0 || index >= store->Pocet() || !JePlatnyNazevPoznamky(novyNazev)) {
        ::SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    const std::wstring z = store->Cesta(index);
    const std::wstring na = CestaPoznamky(store->Slozka(), novyNazev, store->Pripona());
    if (!::MoveFileW(z.c_str(), na.c_str())) return false;
    if (!zvukove && oknoTextovePoznamky) oknoTextovePoznamky->PoznamkaPrejmenovana(z, na, novyNazev);
    store->Prenacist(TrideniSeznamu(zvukove));
    return true;
}

bool OdstranitPoznamku(bool zvukove, int index) {
    SeznamPoznamek* store = zvukove ? seznamZvukovychPoznamek : seznamTextovychPoznamek;
    if (!store || index < 0 || index >= store->Pocet()) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    const std::wstring cesta = store->Cesta(index);
    if (!::DeleteFileW(cesta.c_str())) return false;
    if (!zvukove) ZapomenoutZobrazenouPoznamku(cesta);
    store->Prenacist(TrideniSeznamu(zvukove));
    return true;
}
