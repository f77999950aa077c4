#include "clipboard/oknotextdoschranky.h"

#include <shlwapi.h>

#include <algorithm>

#include "clipboard/modulschranka.h"
#include "clipboard/nabidky.h"
#include "clipboard/oknaschranky.h"
#include "core/aplikace.h"
#include "core/dialogy.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "core/pomocne.h"
#include "knihovna/dpi.h"
#include "knihovna/prvky.h"
#include "knihovna/text.h"
#include "knihovna/uchyt.h"
#include "resources/resource.h"

using knihovna::Chyba;
using knihovna::Overit;

OknoTextDoSchranky* oknoTextDoSchranky = nullptr;

namespace {

constexpr UINT STRANKA_TEXT_DO_SCHRANKY = 112;
constexpr int OBRAZEK_OKNA = 43;
constexpr UINT ID_STATUS_BARU = 1;

const TabulkaIkon& TabulkaOkna() {
    static const TabulkaIkon tabulka = {{40024, 8}, {40025, 38}, {40027, 43}, {40028, 22}, {40029, 23}};
    return tabulka;
}

NastaveniTextuDoSchranky& Nastaveni() {
    static NastaveniTextuDoSchranky vychozi;
    return nastaveniSchranka ? nastaveniSchranka->textDoSchranky : vychozi;
}

std::wstring JmenoSouboru(const std::wstring& cesta) { return ::PathFindFileNameW(cesta.c_str()); }

class VlaknoTextuDoSchranky : public VlaknoModulu {
public:
    VlaknoTextuDoSchranky() : VlaknoModulu(IDS_NAZEV_TEXT_DO_SCHRANKY, true) {}

protected:
    HWND VytvoritOkno(bool) override {
        if (oknoTextDoSchranky) knihovna::VyhoditChybu(E_UNEXPECTED);
        oknoTextDoSchranky = new OknoTextDoSchranky();
        return oknoTextDoSchranky->Vytvorit();
    }
    void ZrusitOkno() override {
        try {
            knihovna::SmazatOkno(oknoTextDoSchranky);
        } catch (...) {
        }
        oknoTextDoSchranky = nullptr;
    }
};

std::unique_ptr<VlaknoTextuDoSchranky>& Vlakno() {
    static std::unique_ptr<VlaknoTextuDoSchranky> vlakno;
    return vlakno;
}

}  // namespace

void PrepnoutTextDoSchranky() {
    if (!Vlakno()) Vlakno() = std::make_unique<VlaknoTextuDoSchranky>();
    PrepnoutVlaknoOkna(*Vlakno());
}

void ZastavitTextDoSchranky() {
    if (Vlakno()) Vlakno()->Zastavit();
}

bool BeziTextDoSchranky() { return Vlakno() && Vlakno()->Okno() != nullptr; }

void ZrusitVlaknoTextuDoSchranky() { Vlakno().reset(); }

std::wstring TextStavuPrikazu(UINT id, const std::wstring& pripraven) {
    std::wstring text;
    if (id == 0 || !knihovna::NacistRetezec(id, text) || text.empty()) return pripraven;
    size_t konec = text.find(L'\n');
    if (konec != std::wstring::npos) text.resize(konec);
    return text;
}

std::vector<std::wstring> NajitSouborySeznamuTextu(const std::wstring& slozka) {
    std::vector<std::wstring> nalezene;
    if (slozka.size() + 9 >= MAX_PATH) return nalezene;
    const std::wstring vzor = slozka + L"\\*.tdsdat";
    WIN32_FIND_DATAW data{};
    knihovna::UchytHledani hledani(::FindFirstFileW(vzor.c_str(), &data));
    if (!hledani) return nalezene;
    do {
        if (data.cFileName[0] == L'.' || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        std::wstring jmeno = data.cFileName;
        // the pattern also matches longer extensions ("*.tdsdat~"): only the exact one counts
        if (jmeno.size() < 7 || ::lstrcmpiW(jmeno.c_str() + jmeno.size() - 7, L".tdsdat") != 0) continue;
        nalezene.push_back(jmeno.substr(0, jmeno.size() - 7));
    } while (::FindNextFileW(hledani.Get(), &data));
    return nalezene;
}

void SetriditTexty(SeznamTextu& texty, DWORD trideni) {
    if (trideni == 1)
        std::stable_sort(texty.zaznamy.begin(), texty.zaznamy.end(),
                         [](const ZaznamTextu& a, const ZaznamTextu& b) { return ::lstrcmpW(a.nazev.c_str(), b.nazev.c_str()) < 0; });
    else if (trideni == 2)
        std::stable_sort(texty.zaznamy.begin(), texty.zaznamy.end(),
                         [](const ZaznamTextu& a, const ZaznamTextu& b) { return ::lstrcmpW(a.nazev.c_str(), b.nazev.c_str()) > 0; });
}

// ---------------------------------------------------------------------------------------------

OknoTextDoSchranky::OknoTextDoSchranky()
    : m_trida(knihovna::Retezec(IDS_TRIDA_TEXT_DO_SCHRANKY)), m_pripraven(knihovna::Retezec(IDS_PRIPRAVEN)) {
    NastavitKlic(aplikace.klicAplikace);
}

OknoTextDoSchranky::~OknoTextDoSchranky() {
    if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
    if (m_menuNapoveda) ::DestroyMenu(m_menuNapoveda);
    if (m_ikona) ::DestroyIcon(m_ikona);
}

HWND OknoTextDoSchranky::Vytvorit() {
    if (aplikace.seznamMenu.Get()) {
        m_ikona = ::ImageList_GetIcon(aplikace.seznamMenu.Get(), OBRAZEK_OKNA, ILD_NORMAL);
        Overit(m_ikona != nullptr);
    }
    const NastaveniTextuDoSchranky n = Nastaveni();
    DWORD styl = 0, rozsireny = 0;
    StylOknaSeznamu(n.oknoMinMax, n.oknoNavrchu, styl, rozsireny);
    const std::wstring titulek =
        knihovna::Formatovat(knihovna::Retezec(IDS_TITULEK_TEXT_DO_SCHRANKY).c_str(), aplikace.titulek.c_str());
    RECT r{0, 0, knihovna::Skalovat(260), knihovna::Skalovat(480)};  // pixels at the screen's DPI
    OknoImpl::Vytvorit(nullptr, &r, titulek.c_str(), styl, rozsireny, m_trida.c_str(), nullptr, nullptr,
                       CS_HREDRAW | CS_VREDRAW, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_ikona));
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_ikona));

    // menu bar: menu 120 with the Help submenu appended
    HMENU lista = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_TEXT_DO_SCHRANKY));
    Overit(lista != nullptr);
    Overit(::SetMenu(m_hWnd, lista) != 0);
    m_lista.popup = lista;
    m_lista.obrazky = aplikace.seznamMenu.Get();
    m_menuNapoveda = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_NAPOVEDA));
    Overit(m_menuNapoveda != nullptr);
    const std::wstring napoveda = knihovna::Retezec(IDS_NAPOVEDA);
    Overit(::AppendMenuW(lista, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(::GetSubMenu(m_menuNapoveda, 0)),
                         napoveda.c_str()) != 0);
    if (aplikace.nastaveni.vlastniVzhled) {
        for (UINT id : {40024u, 40025u, 40026u, 40027u, 40028u, 40029u, 40002u})
            MenuPopup::NastavitVlastniKresleni(m_lista, id, false);
        MenuPopup napovedaZaznam = m_lista;
        napovedaZaznam.popup = ::GetSubMenu(m_menuNapoveda, 0);
        for (UINT id : {40020u, 40021u, 40022u, 40023u}) MenuPopup::NastavitVlastniKresleni(napovedaZaznam, id, false);
    }
    ::DrawMenuBar(m_hWnd);

    // bars
    rebar = knihovna::VytvoritRebar(m_hWnd, IDC_SCHRANKA_REBAR);
    toolbar = knihovna::VytvoritToolbar(rebar, IDC_SCHRANKA_TOOLBAR, aplikace.seznamMenu.Get(), aplikace.druhySeznam.Get());
    knihovna::VlozitTlacitkoToolbaruAuto(toolbar, 8, 40024);
    knihovna::VlozitTlacitkoToolbaruAuto(toolbar, 38, 40025);
    knihovna::VlozitOddelovacToolbaru(toolbar);
    knihovna::VlozitTlacitkoToolbaru(toolbar, 1, 40002, false);
    knihovna::VlozitOddelovacToolbaru(toolbar);
    knihovna::VlozitTlacitkoToolbaru(toolbar, 3, 40003, true);
    knihovna::VlozitOddelovacToolbaru(toolbar);
    knihovna::VlozitTlacitkoToolbaruAuto(toolbar, 0, 40026);
    knihovna::VlozitPasRebaru(rebar, toolbar, 280, 280, 24, 0);
    combo = ::CreateWindowExW(0, L"ComboBox", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 0, 200, 200,
                              rebar, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_SCHRANKA_SOUBORY)),
                              ::GetModuleHandleW(nullptr), nullptr);
    Overit(combo != nullptr);
    ::SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    knihovna::VlozitPasRebaruSeZlomem(rebar, combo);
    knihovna::ZobrazitPasRebaru(rebar, 0, n.zobrazitToolBarHlavni);
    knihovna::ZobrazitPasRebaru(rebar, 1, n.zobrazitCbSeznamSouboru);
    if (n.zobrazitStatusBar) {
        statusBar = knihovna::VytvoritStatusBar(m_hWnd, ID_STATUS_BARU, SBARS_SIZEGRIP);
        ::SendMessageW(statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(m_pripraven.c_str()));
    }

    seznam.povoleno = nastaveniSchranka ? &nastaveniSchranka->textDoSchranky.oknoTazeni : nullptr;
    seznam.Vytvorit(m_hWnd, IDC_SCHRANKA_SEZNAM,
                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT |
                        (n.trideni == 1 ? LBS_SORT : 0));

    if (ObnovitPolohu() != 0) {
        RECT okno{};
        Overit(::GetWindowRect(m_hWnd, &okno) != 0);
        const RECT prace = knihovna::PracovniOblastProObdelnik(okno);  // the window's monitor, less a taskbar
        ::SetWindowPos(m_hWnd, nullptr, prace.right - (okno.right - okno.left), prace.bottom - (okno.bottom - okno.top), 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Rozmistit();
    const std::wstring vychozi = n.soubor.Text();
    if (!vychozi.empty() && ::PathFileExistsW(vychozi.c_str())) NacistSoubor(vychozi);
    ::ShowWindow(m_hWnd, SW_SHOW);
    NaplnitSeznamSouboru();
    OznacitZobrazeni();
    ::SetForegroundWindow(m_hWnd);
    ::SetFocus(seznam.m_hWnd);
    return m_hWnd;
}

void OknoTextDoSchranky::NastavitTitulek() {
    std::wstring titulek;
    if (!soubor.empty() && ::PathFileExistsW(soubor.c_str()))
        titulek = knihovna::Formatovat(knihovna::Retezec(IDS_TITULEK_TEXT_SOUBOR).c_str(), aplikace.titulek.c_str(),
                                       JmenoSouboru(soubor).c_str());
    else
        titulek = knihovna::Formatovat(knihovna::Retezec(IDS_TITULEK_TEXT_BEZ_SOUBORU).c_str(), aplikace.titulek.c_str());
    ::SetWindowTextW(m_hWnd, titulek.c_str());
}

void OknoTextDoSchranky::NacistSoubor(const std::wstring& cesta) {
    SeznamTextu nove;
    // A file that cannot be read (reported by the reader) leaves the shown names and their texts.
    if (NacistSeznamTextu(cesta.c_str(), nove) != S_OK) return;
    SetriditTexty(nove, Nastaveni().trideni);
    texty = std::move(nove);
    soubor = cesta;
    NastavitTitulek();
    NaplnitSeznam();
    ::SetFocus(m_hWnd);
    ::SetFocus(seznam.m_hWnd);
}

void OknoTextDoSchranky::NaplnitSeznam() {
    seznam.Poslat(LB_RESETCONTENT);
    for (int i = 0; i < texty.Pocet(); ++i) seznam.PridatPolozku(texty.zaznamy[static_cast<size_t>(i)].nazev.c_str(), i);
    if (texty.Pocet() > 0) seznam.Poslat(LB_SETCURSEL, 0);
}

void OknoTextDoSchranky::NaplnitSeznamSouboru() {
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    const std::wstring aktualni = JmenoSouboru(soubor);
    int vybrat = -1;
    for (const std::wstring& jmeno : NajitSouborySeznamuTextu(Nastaveni().slozka.Text())) {
        int index = knihovna::PridatPolozkuCombo(combo, jmeno.c_str(), 0);
        if (!aktualni.empty() && ::lstrcmpiW((jmeno + L".tdsdat").c_str(), aktualni.c_str()) == 0) vybrat = index;
    }
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(vybrat), 0);
}

void OknoTextDoSchranky::VlozitVyberDoSchranky() {
    LRESULT index = seznam.Poslat(LB_GETCURSEL);
    LRESULT n = index == LB_ERR ? LB_ERR : seznam.Poslat(LB_GETITEMDATA, static_cast<WPARAM>(index));
    if (n == LB_ERR || n < 0 || n >= texty.Pocet()) {
        if (aplikace.nastaveni.zvuk) ::MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    KopirovatTextDoSchranky(texty.zaznamy[static_cast<size_t>(n)].text.c_str(), m_hWnd);
    if (Nastaveni().poVlozeniZavrit) Odeslat(WM_CLOSE);
}

void OknoTextDoSchranky::OznacitZobrazeni() {
    HMENU lista = ::GetMenu(m_hWnd);
    if (!lista) return;
    auto oznacit = [&](UINT id, bool ano) { ::CheckMenuItem(lista, id, MF_BYCOMMAND | (ano ? MF_CHECKED : MF_UNCHECKED)); };
    auto pasViditelny = [&](UINT idPasu) {
        if (!rebar) return false;
        LRESULT index = ::SendMessageW(rebar, RB_IDTOINDEX, idPasu, 0);
        if (index < 0) return false;
        REBARBANDINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = RBBIM_STYLE;
        ::SendMessageW(rebar, RB_GETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
        return (info.fStyle & RBBS_HIDDEN) == 0;
    };
    oznacit(40027, pasViditelny(1));
    oznacit(40028, pasViditelny(0));
    oznacit(40029, statusBar != nullptr);
}

void OknoTextDoSchranky::Rozmistit() {
    RECT klient{};
    ::GetClientRect(m_hWnd, &klient);
    int nahore = 0, dole = klient.bottom;
    if (rebar) {
        ::MoveWindow(rebar, 0, 0, klient.right, 0, TRUE);
        RECT r{};
        ::GetWindowRect(rebar, &r);
        nahore = r.bottom - r.top;
    }
    if (statusBar) {
        ::SendMessageW(statusBar, WM_SIZE, 0, 0);
        RECT r{};
        ::GetWindowRect(statusBar, &r);
        dole -= r.bottom - r.top;
    }
    if (seznam.JeOkno() && ::IsWindowVisible(seznam.m_hWnd))
        ::MoveWindow(seznam.m_hWnd, 0, nahore, klient.right, std::max(0L, static_cast<long>(dole - nahore)), TRUE);
}

void OknoTextDoSchranky::ZobrazitChybu(const Chyba& chyba) {
    knihovna::ModalniSmycky::Beh beh(m_modalni, m_hWnd);
    aplikace.ZobrazitZpravu(knihovna::ZiskatTextChyby(chyba.Hresult()), MB_ICONERROR);
}

LRESULT OknoTextDoSchranky::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (m_modalni.OdlozitZavreni(m_hWnd)) return 0;  // closed when the dialog has ended
    try {
        UlozitPolohu();
    } catch (const Chyba&) {
    }
    ::ShowWindow(m_hWnd, SW_HIDE);
    if (!soubor.empty() && ::PathFileExistsW(soubor.c_str()) && nastaveniSchranka) {
        nastaveniSchranka->textDoSchranky.soubor = soubor;
        nastaveniSchranka->Ulozit();
    }
    if (statusBar) ::DestroyWindow(statusBar);
    statusBar = nullptr;
    if (combo) ::DestroyWindow(combo);
    combo = nullptr;
    if (seznam.JeOkno()) ::DestroyWindow(seznam.m_hWnd);
    if (toolbar) ::DestroyWindow(toolbar);
    toolbar = nullptr;
    if (rebar) ::DestroyWindow(rebar);
    rebar = nullptr;
    ::SetMenu(m_hWnd, nullptr);
    if (m_lista.popup) {
        // the appended Help popup belongs to its own loaded menu: detach it before destroying the bar
        int pocet = ::GetMenuItemCount(m_lista.popup);
        if (pocet > 0) ::RemoveMenu(m_lista.popup, static_cast<UINT>(pocet - 1), MF_BYPOSITION);
        ::DestroyMenu(m_lista.popup);
        m_lista.popup = nullptr;
    }
    texty.Vyprazdnit();
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoTextDoSchranky::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::PostQuitMessage(0);
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoTextDoSchranky::OnCommand(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    const UINT id = LOWORD(w);
    const UINT kod = HIWORD(w);
    if (l != 0 && reinterpret_cast<HWND>(l) == combo) {
        if (kod == CBN_SELCHANGE) {
            try {
                LRESULT index = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
                if (index == CB_ERR) {
                    seznam.Poslat(LB_RESETCONTENT);
                } else {
                    std::wstring jmeno;
                    knihovna::ComboBox(combo).NacistTextPolozky(static_cast<int>(index), jmeno);
                    const std::wstring cesta = Nastaveni().slozka.Text() + L"\\" + jmeno + L".tdsdat";
                    if (::PathFileExistsW(cesta.c_str())) NacistSoubor(cesta);
                }
            } catch (const Chyba& chyba) {
                ZobrazitChybu(chyba);
            }
        }
        return 0;
    }
    if (l != 0 && kod != 0 && kod != 1) return VychoziZpracovani(msg, w, l);
    try {
        ZpracovatSpolecnyPrikaz(m_hWnd, id);
        ProvestPrikaz(id);
    } catch (const Chyba& chyba) {
        ZobrazitChybu(chyba);
    }
    return 0;
}

void OknoTextDoSchranky::ProvestPrikaz(UINT id) {
    if (m_modalni.PrenestDopredu(m_hWnd)) return;  // a command posted while a dialog runs
    NastaveniTextuDoSchranky& n = Nastaveni();
    switch (id) {
        case 40024: {
            DialogSouboru dialog;
            PripravitDialogSouboru(dialog, L"");
            const std::wstring filtr = FiltrSouboru(IDS_FILTR_SOUBORY_TEXTU, L"*.tdsdat");
            dialog.ofn.hwndOwner = m_hWnd;
            dialog.ofn.lpstrFilter = filtr.c_str();
            dialog.ofn.nFilterIndex = 1;
            dialog.ofn.Flags = OFN_FILEMUSTEXIST;
            bool vybrano = false;
            {
                knihovna::ModalniSmycky::Beh beh(m_modalni, m_hWnd);
                vybrano = ::GetOpenFileNameW(&dialog.ofn) != FALSE;
            }
            if (vybrano) NacistSoubor(dialog.soubor);
            break;
        }
        case 40025:
            if (vlaknoSchranky) vlaknoSchranky->Odeslat(WM_COMMAND, 40025, 0);
            break;
        case 40002: OtevritStrankuNastaveni(STRANKA_TEXT_DO_SCHRANKY); break;
        case 40026: Odeslat(WM_CLOSE); break;
        case 40053: n.oknoNavrchu = knihovna::JeOknoNavrchu(m_hWnd); break;
        case 40027:
        case 40028: {
            if (!rebar) break;
            const UINT pas = id == 40027 ? 1 : 0;
            bool& hodnota = id == 40027 ? n.zobrazitCbSeznamSouboru : n.zobrazitToolBarHlavni;
            LRESULT index = ::SendMessageW(rebar, RB_IDTOINDEX, pas, 0);
            REBARBANDINFOW info{};
            info.cbSize = sizeof(info);
            info.fMask = RBBIM_STYLE;
            ::SendMessageW(rebar, RB_GETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
            const bool zobrazit = (info.fStyle & RBBS_HIDDEN) != 0;
            knihovna::ZobrazitPasRebaru(rebar, pas, zobrazit);
            hodnota = zobrazit;
            break;
        }
        case 40029:
            if (statusBar) {
                ::DestroyWindow(statusBar);
                statusBar = nullptr;
                n.zobrazitStatusBar = false;
            } else {
                statusBar = knihovna::VytvoritStatusBar(m_hWnd, ID_STATUS_BARU, SBARS_SIZEGRIP);
                ::SendMessageW(statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(m_pripraven.c_str()));
                n.zobrazitStatusBar = true;
            }
            break;
        case 40003: {
            MenuNapoveda napoveda(nullptr);
            napoveda.ZobrazitSamostatne(m_hWnd);
            break;
        }
        default: return;
    }
    if (id >= 40027 && id <= 40029) {
        OznacitZobrazeni();
        RECT klient{};
        ::GetClientRect(m_hWnd, &klient);
        Odeslat(WM_SIZE, SIZE_RESTORED, MAKELPARAM(klient.right, klient.bottom));
    }
}

LRESULT OknoTextDoSchranky::OnContextMenu(UINT, WPARAM, LPARAM l, BOOL&) {
    if (m_menu) return 0;
    try {
        ZobrazitKontextoveMenuOkna(m_hWnd, IDM_TEXT_DO_SCHRANKY_KONTEXT, l, {40002u, 40024u, 40025u, 40026u}, m_menu);
    } catch (const Chyba& chyba) {
        m_menu = nullptr;
        ZobrazitChybu(chyba);
    }
    return 0;
}

LRESULT OknoTextDoSchranky::OnMeasureItem(UINT, WPARAM, LPARAM l, BOOL&) {
    ZmeritPolozkuNabidky(l, &m_lista);
    return TRUE;
}

LRESULT OknoTextDoSchranky::OnDrawItem(UINT, WPARAM, LPARAM l, BOOL&) {
    NakreslitPolozkuNabidky(l, TabulkaOkna(), &m_lista);
    return TRUE;
}

LRESULT OknoTextDoSchranky::OnMenuSelect(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (statusBar) {
        const UINT priznaky = HIWORD(w);
        const bool zavreno = priznaky == 0xFFFF && l == 0;
        const std::wstring text = (zavreno || (priznaky & MF_POPUP)) ? m_pripraven : TextStavuPrikazu(LOWORD(w), m_pripraven);
        ::SendMessageW(statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoTextDoSchranky::OnNotify(UINT, WPARAM w, LPARAM l, BOOL& zpracovano) {
    auto* hlavicka = reinterpret_cast<NMHDR*>(l);
    if (!hlavicka) return 0;
    if (hlavicka->code == TTN_NEEDTEXTW) return knihovna::ZpracovatTooltipToolbaru(static_cast<int>(w), hlavicka, zpracovano);
    if (hlavicka->code == TBN_DROPDOWN && hlavicka->hwndFrom == toolbar) {
        auto* tlacitko = reinterpret_cast<NMTOOLBARW*>(l);
        try {
            ZobrazitNabidkuTlacitka(m_hWnd, tlacitko->iItem);
        } catch (const Chyba& chyba) {
            ZobrazitChybu(chyba);
        }
        return TBDDRET_DEFAULT;
    }
    if (hlavicka->code == RBN_HEIGHTCHANGE) {
        Rozmistit();
        return 0;
    }
    zpracovano = FALSE;
    return 0;
}

LRESULT OknoTextDoSchranky::OnPrvek(UINT, WPARAM w, LPARAM l, BOOL&) {
    if (reinterpret_cast<HWND>(l) != seznam.m_hWnd) return 0;
    if (m_modalni.PrenestDopredu(m_hWnd)) return 0;  // keys that reach the list under a dialog
    if (w == VK_RETURN) {
        try {
            VlozitVyberDoSchranky();
        } catch (const Chyba& chyba) {
            ZobrazitChybu(chyba);
        }
    } else if (w == VK_ESCAPE) {
        Poslat(WM_CLOSE);
    }
    return 0;
}

LRESULT OknoTextDoSchranky::OnSize(UINT, WPARAM, LPARAM, BOOL&) {
    Rozmistit();
    return 0;
}
