#include "clipboard/oknooperativnitexty.h"

#include "clipboard/modulschranka.h"
#include "clipboard/nabidky.h"
#include "clipboard/oknaschranky.h"
#include "clipboard/operativnitexty.h"
#include "core/aplikace.h"
#include "core/dialogy.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/dpi.h"
#include "knihovna/text.h"
#include "resources/resource.h"

using knihovna::Overit;

namespace {

constexpr UINT STRANKA_OPERATIVNI_TEXTY = 113;
constexpr int OBRAZEK_OKNA = 43;

const TabulkaIkon& TabulkaOkna() {
    static const TabulkaIkon tabulka = {{40001, 0}, {40002, 1}, {40037, 16}, {40042, 17}, {40047, 42}, {40057, 12}};
    return tabulka;
}

NastaveniOperativnichTextu Nastaveni() {
    return nastaveniSchranka ? nastaveniSchranka->operativni : NastaveniOperativnichTextu();
}

std::wstring Filtr() { return FiltrSouboru(IDS_FILTR_OPERATIVNI, L"*.otdat"); }

}  // namespace

bool VybratSouborOperativnichTextu(HWND vlastnik, std::wstring& cesta, bool otevrit) {
    const std::wstring vychozi = CestaOperativnichTextu();
    if (vychozi.size() >= MAX_PATH) knihovna::VyhoditChybu(E_INVALIDARG);
    DialogSouboru dialog;
    PripravitDialogSouboru(dialog, vychozi.c_str());
    const std::wstring filtr = Filtr();
    dialog.ofn.hwndOwner = vlastnik;
    dialog.ofn.lpstrFilter = filtr.c_str();
    dialog.ofn.nFilterIndex = 1;
    dialog.ofn.Flags = OFN_PATHMUSTEXIST | (otevrit ? OFN_FILEMUSTEXIST : 0);
    BOOL ok = otevrit ? ::GetOpenFileNameW(&dialog.ofn) : ::GetSaveFileNameW(&dialog.ofn);
    if (!ok) return false;
    cesta = dialog.soubor;
    return true;
}

OknoOperativniTexty::OknoOperativniTexty() : m_trida(knihovna::Retezec(IDS_TRIDA_OPERATIVNI_TEXTY)) {
    NastavitKlic(aplikace.klicAplikace);
}

OknoOperativniTexty::~OknoOperativniTexty() {
    if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

bool OknoOperativniTexty::Vytvorit() {
    if (aplikace.seznamMenu.Get()) {
        HICON ikona = ::ImageList_GetIcon(aplikace.seznamMenu.Get(), OBRAZEK_OKNA, ILD_NORMAL);
        Overit(ikona != nullptr);
        m_ikona.Nastavit(ikona);
    }
    const NastaveniOperativnichTextu n = Nastaveni();
    DWORD styl = 0, rozsireny = 0;
    StylOknaSeznamu(n.oknoMinMax, n.oknoNavrchu, styl, rozsireny);
    const std::wstring titulek =
        knihovna::Formatovat(knihovna::Retezec(IDS_TITULEK_OPERATIVNI).c_str(), aplikace.titulek.c_str());
    RECT r{0, 0, knihovna::Skalovat(260), knihovna::Skalovat(480)};  // pixels at the screen's DPI
    OknoImpl::Vytvorit(nullptr, &r, titulek.c_str(), styl, rozsireny, m_trida.c_str(), nullptr, nullptr, 0,
                       reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    ::SetClassLongPtrW(m_hWnd, GCLP_HICONSM, reinterpret_cast<LONG_PTR>(m_ikona.Get()));
    ::SetClassLongPtrW(m_hWnd, GCLP_HICON, reinterpret_cast<LONG_PTR>(m_ikona.Get()));
    if (ObnovitPolohu() != 0) {
        RECT okno{};
        Overit(::GetWindowRect(m_hWnd, &okno) != 0);
        const RECT prace = knihovna::PracovniOblastProObdelnik(okno);  // the window's monitor, less a taskbar
        ::SetWindowPos(m_hWnd, nullptr, prace.right - (okno.right - okno.left), prace.bottom - (okno.bottom - okno.top), 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    seznam.povoleno = nastaveniSchranka ? &nastaveniSchranka->operativni.oknoTazeni : nullptr;
    seznam.Vytvorit(m_hWnd, IDC_SCHRANKA_SEZNAM,
                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWVARIABLE | LBS_NOINTEGRALHEIGHT |
                        LBS_WANTKEYBOARDINPUT);
    NaplnitSeznam();
    RECT klient{};
    ::GetClientRect(m_hWnd, &klient);
    Poslat(WM_SIZE, SIZE_RESTORED, MAKELPARAM(klient.right, klient.bottom));
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::SetFocus(m_hWnd);
    ::SetForegroundWindow(m_hWnd);
    ::SetFocus(seznam.m_hWnd);
    return true;
}

void OknoOperativniTexty::NaplnitSeznam() {
    if (!seznam.JeOkno()) return;
    seznam.Poslat(LB_RESETCONTENT);
    if (!operativniTexty) return;
    for (size_t i = 0; i < operativniTexty->size(); ++i) {
        LRESULT index = seznam.Poslat(LB_ADDSTRING, 0, static_cast<LPARAM>(i));
        if (index == LB_ERR || index == LB_ERRSPACE) knihovna::VyhoditPosledniChybu();
        seznam.Poslat(LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(i));
    }
    if (!operativniTexty->empty()) seznam.Poslat(LB_SETCURSEL, 0);
}

int OknoOperativniTexty::VybranaData() const {
    LRESULT index = seznam.Poslat(LB_GETCURSEL);
    if (index == LB_ERR) return -1;
    LRESULT data = seznam.Poslat(LB_GETITEMDATA, static_cast<WPARAM>(index));
    if (data == LB_ERR) return -1;
    return static_cast<int>(data);
}

void OknoOperativniTexty::Pipnout() const {
    if (aplikace.nastaveni.zvuk) ::MessageBeep(MB_ICONEXCLAMATION);
}

void OknoOperativniTexty::VlozitVyberDoSchranky() {
    int n = VybranaData();
    if (n < 0) {
        Pipnout();
        return;
    }
    if (!operativniTexty || static_cast<size_t>(n) >= operativniTexty->size()) knihovna::VyhoditChybu(E_INVALIDARG);
    KopirovatTextDoSchranky((*operativniTexty)[static_cast<size_t>(n)].c_str(), m_hWnd);
    if (Nastaveni().poVlozeniZavrit) Odeslat(WM_CLOSE);
}

void OknoOperativniTexty::PridatObsahSchranky() {
    std::wstring text;
    if (!NacistTextZeSchranky(text)) return;
    if (!operativniTexty) operativniTexty = std::make_unique<OperativniTexty>();
    PridatOperativniTextSeZpravou(*operativniTexty, text, Nastaveni().maxPocet);
    NaplnitSeznam();
}

void OknoOperativniTexty::OdebratVybrany() {
    int n = VybranaData();
    if (n < 0) {
        Pipnout();
        return;
    }
    if (!operativniTexty) knihovna::VyhoditChybu(E_INVALIDARG);
    OdebratOperativniText(*operativniTexty, n);
    NaplnitSeznam();
}

LRESULT OknoOperativniTexty::OnClose(UINT, WPARAM, LPARAM, BOOL&) {
    if (OdlozitZavreni()) return 0;
    UlozitPolohu();
    ::SetClassLongPtrW(m_hWnd, GCLP_HICONSM, 0);
    ::SetClassLongPtrW(m_hWnd, GCLP_HICON, 0);
    if (modulSchranka && modulSchranka->m_hWnd) ::PostMessageW(modulSchranka->m_hWnd, WM_COMMAND, 40041, 0);
    return 0;
}

LRESULT OknoOperativniTexty::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (seznam.JeOkno()) ::DestroyWindow(seznam.m_hWnd);
    ::SetClassLongPtrW(m_hWnd, GCLP_HICONSM, 0);
    ::SetClassLongPtrW(m_hWnd, GCLP_HICON, 0);
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoOperativniTexty::OnCommand(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (l != 0 && HIWORD(w) != 0 && HIWORD(w) != 1) return VychoziZpracovani(msg, w, l);  // control notifications
    // A failed user operation (a busy clipboard, a file that cannot be written) is reported here:
    // raised on, it would end the module's thread and take the unsaved list with it.
    try {
        return ProvestPrikaz(msg, w, l);
    } catch (const knihovna::Chyba& chyba) {
        knihovna::ModalniSmycky::Beh beh(m_modalni, m_hWnd);
        aplikace.ZobrazitChybuComPopis(chyba);
    }
    return 0;
}

LRESULT OknoOperativniTexty::ProvestPrikaz(UINT msg, WPARAM w, LPARAM l) {
    const UINT id = LOWORD(w);
    if (m_modalni.PrenestDopredu(m_hWnd)) return 0;  // a command posted while a dialog runs
    ZpracovatSpolecnyPrikaz(m_hWnd, id);
    switch (id) {
        case 40047: VlozitVyberDoSchranky(); break;
        case 40042: PridatObsahSchranky(); break;
        case 40037: OdebratVybrany(); break;
        case 40053:
            if (nastaveniSchranka) nastaveniSchranka->operativni.oknoNavrchu = knihovna::JeOknoNavrchu(m_hWnd);
            break;
        case 40002: OtevritStrankuNastaveni(STRANKA_OPERATIVNI_TEXTY); break;
        case 40001: Odeslat(WM_CLOSE); break;
        case 40056: {
            std::wstring cesta;
            bool vybrano = false;
            {
                knihovna::ModalniSmycky::Beh beh(m_modalni, m_hWnd);
                vybrano = VybratSouborOperativnichTextu(m_hWnd, cesta, true);
            }
            if (vybrano) {
                if (!operativniTexty) operativniTexty = std::make_unique<OperativniTexty>();
                NacistOperativniTexty(*operativniTexty, cesta);
                NaplnitSeznam();
            }
            break;
        }
        case 40057: {
            std::wstring cesta;
            bool vybrano = false;
            {
                knihovna::ModalniSmycky::Beh beh(m_modalni, m_hWnd);
                vybrano = VybratSouborOperativnichTextu(m_hWnd, cesta, false);
            }
            if (vybrano && operativniTexty) {
                try {
                    UlozitOperativniTexty(*operativniTexty, cesta);
                } catch (const knihovna::Chyba& chyba) {
                    knihovna::ModalniSmycky::Beh beh(m_modalni, m_hWnd);
                    aplikace.ZobrazitChybuCom(
                        knihovna::Formatovat(knihovna::Retezec(IDS_OPERATIVNI_NEULOZENO).c_str(), cesta.c_str()), chyba);
                }
            }
            break;
        }
        default: return VychoziZpracovani(msg, w, l);
    }
    return 0;
}

LRESULT OknoOperativniTexty::OnContextMenu(UINT, WPARAM, LPARAM l, BOOL&) {
    ZobrazitKontextoveMenu(l);
    return 0;
}

void OknoOperativniTexty::ZobrazitKontextoveMenu(LPARAM pozice) {
    if (m_menu) return;
    ZobrazitKontextoveMenuOkna(m_hWnd, IDM_OPERATIVNI_TEXTY, pozice, {40037u, 40047u, 40002u, 40001u, 40053u, 40042u}, m_menu);
    ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
}

LRESULT OknoOperativniTexty::OnMeasureItem(UINT, WPARAM, LPARAM l, BOOL&) {
    auto* polozka = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
    if (polozka && polozka->CtlType == ODT_LISTBOX) {
        polozka->itemHeight = Nastaveni().vyskaPolozky;
        return TRUE;
    }
    ZmeritPolozkuNabidky(l);
    return TRUE;
}

LRESULT OknoOperativniTexty::OnDrawItem(UINT, WPARAM, LPARAM l, BOOL&) {
    auto* polozka = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    if (!polozka) return TRUE;
    if (polozka->CtlType != ODT_LISTBOX) {
        NakreslitPolozkuNabidky(l, TabulkaOkna());
        return TRUE;
    }
    if (polozka->itemID == static_cast<UINT>(-1) || !operativniTexty) return TRUE;
    const size_t n = static_cast<size_t>(polozka->itemData);
    if (n >= operativniTexty->size()) return TRUE;
    const bool vybrana = (polozka->itemState & ODS_SELECTED) != 0;
    HDC dc = polozka->hDC;
    HBRUSH stetec = ::GetSysColorBrush(vybrana ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    ::SetTextColor(dc, ::GetSysColor(vybrana ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    ::SetBkMode(dc, TRANSPARENT);
    RECT r = polozka->rcItem;
    if (Nastaveni().jednoducheKresleni) {
        ::FillRect(dc, &r, stetec);
        ::InflateRect(&r, -2, -2);
    } else {
        ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_WINDOW));
        HGDIOBJ puvodni = ::SelectObject(dc, stetec);
        ::RoundRect(dc, r.left + 1, r.top + 1, r.right - 1, r.bottom - 1, 5, 5);
        ::SelectObject(dc, puvodni);
        ::InflateRect(&r, -3, -3);
    }
    const std::wstring& text = (*operativniTexty)[n];
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_WORDBREAK | DT_EXPANDTABS | DT_EDITCONTROL);
    return TRUE;
}

LRESULT OknoOperativniTexty::OnPrvek(UINT, WPARAM w, LPARAM l, BOOL&) {
    if (reinterpret_cast<HWND>(l) != seznam.m_hWnd) return 0;
    if (m_modalni.PrenestDopredu(m_hWnd)) return 0;  // keys that reach the list under a dialog
    if (w == VK_RETURN) {
        try {
            VlozitVyberDoSchranky();
        } catch (const knihovna::Chyba& chyba) {
            knihovna::ModalniSmycky::Beh beh(m_modalni, m_hWnd);
            aplikace.ZobrazitChybuComPopis(chyba);
        }
    } else if (w == VK_ESCAPE)
        Poslat(WM_CLOSE);
    return 0;
}

LRESULT OknoOperativniTexty::OnSize(UINT, WPARAM, LPARAM l, BOOL&) {
    if (seznam.JeOkno()) ::MoveWindow(seznam.m_hWnd, 0, 0, LOWORD(l), HIWORD(l), TRUE);
    return 0;
}
