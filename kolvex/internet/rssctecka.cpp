#include "internet/rssctecka.h"

#include <algorithm>

#include <process.h>
#include <shlwapi.h>
#include <windowsx.h>

#include <mutex>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/hlaseni.h"
#include "core/konfiguracenastroju.h"
#include "core/nastaveniobecne.h"
#include "core/oknohlavni.h"
#include "core/stranka.h"
#include "internet/rssnastaveni.h"
#include "knihovna/chyba.h"
#include "knihovna/dpi.h"
#include "knihovna/modul.h"
#include "knihovna/text.h"
#include "resources/resource.h"

using definice::PolozkaRSS;
using knihovna::Chyba;
using knihovna::Formatovat;
using knihovna::Overit;
using knihovna::Retezec;
using knihovna::VyhoditChybu;

LimityStahovani limityKanaluRSS = [] {
    LimityStahovani limity;
    limity.casovyLimitSpojeni = 15000;
    limity.casovyLimitCteni = 20000;
    limity.casovyLimitCelkem = 60000;
    limity.maximalniVelikost = 4u * 1024 * 1024;
    return limity;
}();
DWORD cekaniNaNacitaniRSS = 500;
std::unique_ptr<VysledekNacitaniRSS> (*nacitaniKanaluRSS)(const std::wstring& url, const LimityStahovani& limity) =
    NacistKanalRSS;

std::unique_ptr<ModulCteckaRSS> modulCteckaRSS;
std::unique_ptr<VlaknoCteckaRSS> vlaknoCteckaRSS;

// The state one loading thread shares with the window: the window's handle, cleared under the
// lock when the window stops waiting, so that nothing is posted to it afterwards.
struct UlohaNacitaniRSS {
    std::wstring url;
    LimityStahovani limity;
    std::mutex zamek;
    HWND okno = nullptr;
};

namespace {

constexpr int OBRAZEK_MODULU = 74;
constexpr UINT STRANKA_CTECKY = 198;
constexpr UINT ID_IKONY = 1;

// The reader's settings; their defaults while the settings object does not exist.
struct HodnotyCteckyRSS {
    DWORD okno = 0;
    bool oknoNavrchuMinimalizovat = true;
    DWORD vyskaPolozkySeznamu = 60;
    DWORD zobrazovatPopis = 0;
};

HodnotyCteckyRSS Nastaveni() {
    HodnotyCteckyRSS n;
    if (nastaveniCteckaRSS) {
        n.okno = nastaveniCteckaRSS->okno;
        n.oknoNavrchuMinimalizovat = nastaveniCteckaRSS->oknoNavrchuMinimalizovat;
        n.vyskaPolozkySeznamu = nastaveniCteckaRSS->vyskaPolozkySeznamu;
        n.zobrazovatPopis = nastaveniCteckaRSS->zobrazovatPopis;
    }
    return n;
}

unsigned __stdcall ProceduraNacitani(void* parametr) {
    std::unique_ptr<std::shared_ptr<UlohaNacitaniRSS>> drzak(static_cast<std::shared_ptr<UlohaNacitaniRSS>*>(parametr));
    std::shared_ptr<UlohaNacitaniRSS> uloha = *drzak;
    std::unique_ptr<VysledekNacitaniRSS> vysledek;
    try {
        vysledek = nacitaniKanaluRSS(uloha->url, uloha->limity);
    } catch (...) {
        // a stand-in that raises gives no result
    }
    try {
        std::lock_guard<std::mutex> zamek(uloha->zamek);
        // without a result (no memory) the window is still told, so it leaves the loading state
        if (uloha->okno && ::PostMessageW(uloha->okno, ZpravaKanalNacten, 0, reinterpret_cast<LPARAM>(vysledek.get())))
            vysledek.release();
    } catch (...) {
        // the window is told nothing; it stops waiting on its own
    }
    return 0;
}

// Text of the link without the blanks and line breaks a feed puts around it.
std::wstring OrezatOdkaz(const std::wstring& odkaz) {
    const wchar_t* bile = L" \t\r\n";
    size_t zacatek = odkaz.find_first_not_of(bile);
    if (zacatek == std::wstring::npos) return std::wstring();
    return odkaz.substr(zacatek, odkaz.find_last_not_of(bile) - zacatek + 1);
}

// Whether the bytes hold the element of an RSS, RDF or Atom channel (an empty channel is a
// channel too).
bool VypadaJakoKanal(const BYTE* data, DWORD delka) {
    if (!data || delka == 0) return false;
    const std::string text(reinterpret_cast<const char*>(data), delka);
    for (const char* znacka : {"<rss", "<channel", "<rdf:RDF", "<feed"})
        if (text.find(znacka) != std::string::npos) return true;
    return false;
}

}  // namespace

std::unique_ptr<VysledekNacitaniRSS> NacistKanalRSS(const std::wstring& url, const LimityStahovani& limity) {
    std::unique_ptr<VysledekNacitaniRSS> vysledek;
    try {
        vysledek = std::make_unique<VysledekNacitaniRSS>();
        HttpTextSoubor soubor;  // a session of its own: nothing here is shared with the program
        soubor.limity = limity;
        soubor.OtevritUrl(url);
        soubor.NacistData();
        vysledek->polozky = RozebratKanalRSS(soubor.Data(), soubor.Delka());
        // no item and nothing of a channel either: what came is not a feed, not an empty one
        if (vysledek->polozky.empty() && !VypadaJakoKanal(soubor.Data(), soubor.Delka())) {
            vysledek->chyba = knihovna::HresultZKodu(ERROR_INVALID_DATA);
            vysledek->textChyby = Formatovat(Retezec(IDS_RSS_NENI_KANAL).c_str(), url.c_str());
        }
        return vysledek;
    } catch (const Chyba& chyba) {
        if (!vysledek) return vysledek;
        vysledek->chyba = FAILED(chyba.Hresult()) ? chyba.Hresult() : E_FAIL;
        // a page the server does not have: said in words, with the address, not as a bare status
        if (chyba.Hresult() == HresultStavuHttp(404) || chyba.Hresult() == HresultStavuHttp(410))
            vysledek->textChyby = Formatovat(Retezec(IDS_RSS_STRANKA_NENALEZENA).c_str(), url.c_str(),
                                             static_cast<unsigned>(HRESULT_CODE(chyba.Hresult())));
        else
            vysledek->textChyby = knihovna::Modul::TextChybyCom(chyba);
    } catch (const std::bad_alloc&) {
        if (!vysledek) return vysledek;
        vysledek->chyba = E_OUTOFMEMORY;
    } catch (...) {
        if (!vysledek) return vysledek;
        vysledek->chyba = E_FAIL;
    }
    vysledek->polozky.clear();
    try {
        if (vysledek->textChyby.empty()) vysledek->textChyby = knihovna::TextHresult(vysledek->chyba);
    } catch (...) {
    }
    return vysledek;
}

bool JeOdkazWebovy(const std::wstring& odkaz) {
    std::wstring text = OrezatOdkaz(odkaz);
    return ::StrCmpNIW(text.c_str(), L"http://", 7) == 0 || ::StrCmpNIW(text.c_str(), L"https://", 8) == 0;
}

// ---------------------------------------------------------------------------------------------
// Item list

ListBoxObsahZdrojeRSS::~ListBoxObsahZdrojeRSS() {
    if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

void ListBoxObsahZdrojeRSS::Vytvorit(HWND rodic, bool popis) {
    RegistrovatSuperTridu(L"ListBox", L"ListBoxObsahZdrojeRSS");
    DWORD styl = WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT;
    if (popis) styl |= LBS_OWNERDRAWVARIABLE;
    OknoImpl::Vytvorit(rodic, nullptr, L"", styl, WS_EX_CLIENTEDGE, L"ListBoxObsahZdrojeRSS",
                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_RSS_POLOZKY)));
}

namespace {
constexpr UINT ZPRAVA_DALSI_KUS = WM_APP + 1;
}  // namespace

void ListBoxObsahZdrojeRSS::Vyprazdnit() {
    ++m_plneni;
    m_pridano = 0;
    if (m_hWnd) Poslat(LB_RESETCONTENT);
    m_polozky.clear();
    m_polozky.shrink_to_fit();
}

void ListBoxObsahZdrojeRSS::Naplnit(std::vector<PolozkaRSS> polozky) {
    Vyprazdnit();
    m_polozky = std::move(polozky);  // the whole array first: every entry's item exists
    if (m_hWnd) Poslat(LB_INITSTORAGE, m_polozky.size(), 0);
    PridatKus();
    if (!m_polozky.empty()) Poslat(LB_SETCURSEL, 0);
}

void ListBoxObsahZdrojeRSS::PridatKus() {
    if (!m_hWnd) return;
    const size_t konec = std::min(m_polozky.size(), m_pridano + KUS_PLNENI);
    if (m_pridano >= konec) return;
    // The step goes straight to the list box's own procedure: this class's map takes none of these
    // messages, and a message sent to the window first looks up the window's object (a window
    // property, a server call under Wine), which cost more than the list box's own work per entry.
    VychoziZpracovani(WM_SETREDRAW, FALSE, 0);
    for (; m_pridano < konec; ++m_pridano) {
        const LRESULT radek = VychoziZpracovani(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m_polozky[m_pridano].titulek.c_str()));
        Overit(radek != LB_ERR && radek != LB_ERRSPACE);
        Overit(VychoziZpracovani(LB_SETITEMDATA, static_cast<WPARAM>(radek), static_cast<LPARAM>(m_pridano + 1)) != LB_ERR);
    }
    VychoziZpracovani(WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    if (m_pridano < m_polozky.size()) ::PostMessageW(m_hWnd, ZPRAVA_DALSI_KUS, m_plneni, 0);
}

LRESULT ListBoxObsahZdrojeRSS::OnDalsiKus(UINT, WPARAM w, LPARAM, BOOL&) {
    if (w == m_plneni) PridatKus();
    return 0;
}

const PolozkaRSS* ListBoxObsahZdrojeRSS::PolozkaDat(LPARAM data) const {
    if (data <= 0 || static_cast<size_t>(data) > m_polozky.size()) return nullptr;
    return &m_polozky[static_cast<size_t>(data) - 1];
}

const PolozkaRSS* ListBoxObsahZdrojeRSS::VybranaPolozka() const {
    if (!m_hWnd) return nullptr;
    LRESULT vybrana = Poslat(LB_GETCURSEL);
    if (vybrana == LB_ERR) return nullptr;
    return PolozkaDat(Poslat(LB_GETITEMDATA, static_cast<WPARAM>(vybrana)));
}

void ListBoxObsahZdrojeRSS::KreslitPolozku(const DRAWITEMSTRUCT& dis) {
    const PolozkaRSS* polozka = PolozkaDat(static_cast<LPARAM>(dis.itemData));
    if (dis.itemID == static_cast<UINT>(-1) || !polozka) return;
    HDC dc = dis.hDC;
    const bool vybrana = (dis.itemState & ODS_SELECTED) != 0;
    ::FillRect(dc, &dis.rcItem, ::GetSysColorBrush(vybrana ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    ::SetTextColor(dc, ::GetSysColor(vybrana ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    ::SetBkMode(dc, TRANSPARENT);
    RECT r = dis.rcItem;
    r.left += 3;
    r.top += 1;
    HFONT pismo = reinterpret_cast<HFONT>(Poslat(WM_GETFONT));
    LOGFONTW lf{};
    ::GetObjectW(pismo ? static_cast<HGDIOBJ>(pismo) : ::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    lf.lfWeight = FW_BOLD;
    HFONT tucne = ::CreateFontIndirectW(&lf);
    HGDIOBJ puvodni = ::SelectObject(dc, tucne ? static_cast<HGDIOBJ>(tucne) : ::GetStockObject(DEFAULT_GUI_FONT));
    ::DrawTextW(dc, polozka->titulek.c_str(), static_cast<int>(polozka->titulek.size()), &r, DT_SINGLELINE | DT_NOPREFIX);
    SIZE velikost{};
    ::GetTextExtentPoint32W(dc, polozka->titulek.c_str(), static_cast<int>(polozka->titulek.size()), &velikost);
    if (velikost.cy == 0) {
        TEXTMETRICW tm{};
        ::GetTextMetricsW(dc, &tm);
        velikost.cy = tm.tmHeight;
    }
    r.top += velikost.cy + 1;
    ::SelectObject(dc, pismo ? static_cast<HGDIOBJ>(pismo) : ::GetStockObject(DEFAULT_GUI_FONT));
    ::DrawTextW(dc, polozka->popis.c_str(), static_cast<int>(polozka->popis.size()), &r,
                DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS | DT_NOPREFIX);
    ::SelectObject(dc, puvodni);
    if (tucne) Overit(::DeleteObject(tucne) != 0);
}

LRESULT ListBoxObsahZdrojeRSS::OnDrawItem(UINT, WPARAM, LPARAM l, BOOL&) {
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    if (dis && dis->CtlType == ODT_LISTBOX) KreslitPolozku(*dis);
    return TRUE;
}

LRESULT ListBoxObsahZdrojeRSS::OnLButtonDown(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    LRESULT vysledek = VychoziZpracovani(msg, w, l);
    if (::GetKeyState(VK_CONTROL) < 0) ::PostMessageW(::GetParent(m_hWnd), WM_COMMAND, 40193, 0);
    return vysledek;
}

LRESULT ListBoxObsahZdrojeRSS::OnLButtonDblClk(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    LRESULT vysledek = VychoziZpracovani(msg, w, l);
    ::PostMessageW(::GetParent(m_hWnd), WM_COMMAND, 40193, 0);
    return vysledek;
}

LRESULT ListBoxObsahZdrojeRSS::OnRButtonDown(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano) {
    VychoziZpracovani(msg, w, l);
    LRESULT polozka = Poslat(LB_ITEMFROMPOINT, 0, l);
    if (HIWORD(polozka) == 0 && LOWORD(polozka) < m_polozky.size()) Poslat(LB_SETCURSEL, LOWORD(polozka));
    zpracovano = FALSE;  // the window's context menu follows
    return 0;
}

LRESULT ListBoxObsahZdrojeRSS::OnSetCursor(UINT, WPARAM, LPARAM, BOOL& zpracovano) {
    if (::GetKeyState(VK_CONTROL) < 0) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    }
    zpracovano = FALSE;
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Source combo and source dialog

ComboBoxSeznamZdrojuRSS::~ComboBoxSeznamZdrojuRSS() {
    if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

void ComboBoxSeznamZdrojuRSS::Vytvorit(HWND rodic) {
    RegistrovatSuperTridu(L"ComboBox", L"ComboBoxZdrojeRSS");
    RECT r{0, 0, 250, 200};
    OknoImpl::Vytvorit(rodic, &r, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 0, L"ComboBoxZdrojeRSS",
                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_RSS_ZDROJE)));
}

bool (*DlgEditZdrojRSS::upravitZdroj)(ZdrojRSS& zdroj) = DlgEditZdrojRSS::Upravit;

bool DlgEditZdrojRSS::Upravit(ZdrojRSS& zdroj) {
    DlgEditZdrojRSS dialog;
    dialog.zdroj = &zdroj;
    return dialog.SpustitModalne(::GetActiveWindow()) == IDOK;
}

LRESULT DlgEditZdrojRSS::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    ::SetWindowTextW(m_hWnd, Formatovat(L"%s - %s", L"RSS zdroj", aplikace.titulek.c_str()).c_str());
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    HICON mala = modulCteckaRSS && modulCteckaRSS->ikonaModulu ? modulCteckaRSS->ikonaModulu : aplikace.malaIkona.Get();
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(mala));
    if (!zdroj) VyhoditChybu(E_INVALIDARG);
    ::SetDlgItemTextW(m_hWnd, IDC_ZDROJ_RSS_NAZEV, zdroj->nazev.c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_ZDROJ_RSS_POPIS, zdroj->popis.c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_ZDROJ_RSS_URL, zdroj->url.c_str());
    return TRUE;
}

LRESULT DlgEditZdrojRSS::OnOk(WORD, WORD, HWND, BOOL&) {
    if (zdroj) {
        knihovna::NacistTextPrvku(m_hWnd, IDC_ZDROJ_RSS_NAZEV, zdroj->nazev);
        knihovna::NacistTextPrvku(m_hWnd, IDC_ZDROJ_RSS_POPIS, zdroj->popis);
        knihovna::NacistTextPrvku(m_hWnd, IDC_ZDROJ_RSS_URL, zdroj->url);
    }
    Ukoncit(IDOK);
    return 0;
}

LRESULT DlgEditZdrojRSS::OnStorno(WORD, WORD, HWND, BOOL&) {
    Ukoncit(IDCANCEL);
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Reader window

ModulCteckaRSS::ModulCteckaRSS() : m_trida(Retezec(IDS_TRIDA_CTECKA_RSS)) {
    NastavitKlic(aplikace.klicAplikace);
    nazevModulu = Retezec(IDS_NAZEV_CTECKA_RSS);
    if (aplikace.seznamMenu.Get()) {
        ikonaModulu = ::ImageList_GetIcon(aplikace.seznamMenu.Get(), OBRAZEK_MODULU, ILD_NORMAL);
        Overit(ikonaModulu != nullptr);
    }
}

ModulCteckaRSS::~ModulCteckaRSS() {
    try {
        ZrusitNacitani();
    } catch (...) {
    }
    try {
        OdebratOvladaciIkonu();
    } catch (...) {
    }
}

void ModulCteckaRSS::ZobrazitStav(const std::wstring& text) {
    if (m_statusBar) ::SendMessageW(m_statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

HWND ModulCteckaRSS::VytvoritOkno() {
    m_textStavu = Retezec(IDS_PRIPRAVEN);
    HMENU lista = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_CTECKA_RSS));
    Overit(lista != nullptr);
    RECT r{0, 0, knihovna::Skalovat(640), knihovna::Skalovat(480)};  // pixels at the screen's DPI
    try {
        Vytvorit(nullptr, &r, nazevModulu.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                 WS_EX_WINDOWEDGE, m_trida.c_str(), lista, nullptr, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    } catch (...) {
        ::DestroyMenu(lista);
        throw;
    }
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ikonaModulu ? ikonaModulu : aplikace.malaIkona.Get()));

    // menu bar: the Window and Help submenus after "RSS zdroje"
    m_menuLista.popup = ::GetMenu(m_hWnd);
    m_menuLista.obrazky = aplikace.seznamMenu.Get();
    m_oknoMenu = std::make_unique<MenuOkno>(&m_menuLista);
    m_oknoMenu->Vlozit();
    m_napoveda = std::make_unique<MenuNapoveda>(&m_menuLista);
    m_napoveda->Vlozit();
    if (aplikace.nastaveni.vlastniVzhled)
        for (UINT id : {40193u, 40194u, 40002u, 40189u, 40190u, 40191u, 40192u})
            MenuPopup::NastavitVlastniKresleni(m_menuLista, id, false, 0);
    ::DrawMenuBar(m_hWnd);

    m_statusBar = knihovna::VytvoritStatusBar(m_hWnd, IDC_RSS_STATUSBAR, SBARS_SIZEGRIP);
    ZobrazitStav(m_textStavu);

    m_rebar = knihovna::VytvoritRebar(m_hWnd, IDC_RSS_REBAR);
    m_toolbar = knihovna::VytvoritToolbar(m_rebar, IDC_RSS_TOOLBAR, aplikace.seznamMenu.Get());
    if (aplikace.druhySeznam.Get())
        ::SendMessageW(m_toolbar, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(aplikace.druhySeznam.Get()));
    knihovna::VlozitTlacitkoToolbaruAuto(m_toolbar, 54, 40193);
    knihovna::VlozitOddelovacToolbaru(m_toolbar);
    knihovna::VlozitTlacitkoToolbaruAuto(m_toolbar, 17, 40189);
    knihovna::VlozitTlacitkoToolbaruAuto(m_toolbar, 1, 40190);
    knihovna::VlozitTlacitkoToolbaruAuto(m_toolbar, 16, 40191);
    knihovna::VlozitOddelovacToolbaru(m_toolbar);
    knihovna::VlozitTlacitkoToolbaru(m_toolbar, 1, 40002, false);
    knihovna::VlozitOddelovacToolbaru(m_toolbar);
    knihovna::VlozitTlacitkoToolbaru(m_toolbar, 3, 40003, true);
    knihovna::VlozitOddelovacToolbaru(m_toolbar);
    knihovna::VlozitTlacitkoToolbaruAuto(m_toolbar, 0, 40026);
    SIZE velikost{};
    ::SendMessageW(m_toolbar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&velikost));
    knihovna::VlozitPasRebaru(m_rebar, m_toolbar, velikost.cx, velikost.cx, velikost.cy, 0);
    m_zdroje.Vytvorit(m_rebar);
    m_zdroje.Poslat(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    knihovna::VlozitPasRebaruSeZlomem(m_rebar, m_zdroje.m_hWnd);
    knihovna::ZobrazitPasRebaru(m_rebar, 0, true);
    knihovna::ZobrazitPasRebaru(m_rebar, 1, true);

    m_polozky.Vytvorit(m_hWnd, Nastaveni().zobrazovatPopis > 0);
    m_polozky.Poslat(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), TRUE);

    NaplnitSeznamZdroju();

    Vycentrovat();
    if (ObnovitPolohu() != 0) Vycentrovat();
    const DWORD okno = Nastaveni().okno;
    if (okno & 0x04) ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (okno & 0x20) {
        ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, ::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE) | WS_EX_LAYERED);
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        ::SetLayeredWindowAttributes(m_hWnd, 0, 127, LWA_ALPHA);
    }
    VytvoritOvladaciIkonu();
    ::ShowWindow(m_hWnd, SW_SHOW);
    RECT klient{};
    ::GetClientRect(m_hWnd, &klient);
    Poslat(WM_SIZE, SIZE_RESTORED, MAKELPARAM(klient.right, klient.bottom));
    NacistVybranyZdroj();
    AktualizovatMenu();
    return m_hWnd;
}

void ModulCteckaRSS::NaplnitSeznamZdroju() {
    m_zdroje.Poslat(CB_RESETCONTENT);
    if (seznamZdrojuRSS) {
        const std::vector<ZdrojRSS>& zdroje = seznamZdrojuRSS->zdroje;
        for (size_t i = 0; i < zdroje.size(); ++i) {
            LRESULT index = m_zdroje.Poslat(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(zdroje[i].nazev.c_str()));
            if (index == CB_ERR || index == CB_ERRSPACE) knihovna::VyhoditPosledniChybu();
            if (m_zdroje.Poslat(CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(i)) == CB_ERR)
                knihovna::VyhoditPosledniChybu();
        }
    }
    if (m_zdroje.Poslat(CB_GETCOUNT) > 0) m_zdroje.Poslat(CB_SETCURSEL, 0);
    NacistVybranyZdroj();
    AktualizovatMenu();
}

void ModulCteckaRSS::NacistVybranyZdroj() {
    if (m_uloha || m_zavira) return;
    LRESULT vybrana = m_zdroje.Poslat(CB_GETCURSEL);
    LPARAM index = vybrana == CB_ERR ? -1 : m_zdroje.Poslat(CB_GETITEMDATA, static_cast<WPARAM>(vybrana));
    if (index < 0 || !seznamZdrojuRSS || static_cast<size_t>(index) >= seznamZdrojuRSS->zdroje.size()) {
        m_textStavu = Retezec(IDS_PRIPRAVEN);
        ZobrazitStav(m_textStavu);
        return;
    }
    m_nacitanyZdroj = seznamZdrojuRSS->zdroje[static_cast<size_t>(index)];
    auto uloha = std::make_shared<UlohaNacitaniRSS>();
    uloha->url = m_nacitanyZdroj.url;
    uloha->limity = limityKanaluRSS;
    uloha->okno = m_hWnd;
    auto* parametr = new std::shared_ptr<UlohaNacitaniRSS>(uloha);
    uintptr_t vlakno = ::_beginthreadex(nullptr, 0, ProceduraNacitani, parametr, CREATE_SUSPENDED, nullptr);
    if (!vlakno) {
        DWORD kod = ::GetLastError();
        delete parametr;
        ::SetLastError(kod);
        knihovna::VyhoditPosledniChybu();
    }
    m_uloha = uloha;
    m_vlaknoNacitani = reinterpret_cast<HANDLE>(vlakno);
    ::EnableWindow(m_zdroje.m_hWnd, FALSE);
    ZobrazitStav(Retezec(IDS_RSS_NACITAM));
    m_polozky.Vyprazdnit();
    AktualizovatMenu();
    ::ResumeThread(m_vlaknoNacitani);
}

LRESULT ModulCteckaRSS::OnKanalNacten(UINT, WPARAM, LPARAM l, BOOL&) {
    std::unique_ptr<VysledekNacitaniRSS> vysledek(reinterpret_cast<VysledekNacitaniRSS*>(l));
    if (!m_uloha || m_zavira) return 0;
    if (!vysledek) {
        vysledek = std::make_unique<VysledekNacitaniRSS>();
        vysledek->chyba = E_OUTOFMEMORY;
        vysledek->textChyby = knihovna::TextHresult(E_OUTOFMEMORY);
    }
    m_uloha.reset();
    if (m_vlaknoNacitani) {
        ::CloseHandle(m_vlaknoNacitani);
        m_vlaknoNacitani = nullptr;
    }
    if (SUCCEEDED(vysledek->chyba)) m_polozky.Naplnit(std::move(vysledek->polozky));
    m_textStavu = m_nacitanyZdroj.popis.empty() ? m_nacitanyZdroj.nazev : m_nacitanyZdroj.popis;
    ::EnableWindow(m_zdroje.m_hWnd, TRUE);
    ZobrazitStav(m_textStavu);
    AktualizovatMenu();
    if (FAILED(vysledek->chyba)) {
        // Owned by this window, so closing the reader takes the box with it.
        std::wstring text = Formatovat(L"%s\nChyba: %s", Retezec(IDS_RSS_CHYBA_NACTENI_KANALU).c_str(),
                                       vysledek->textChyby.c_str());
        knihovna::oknoZpravy(m_hWnd, text.c_str(), aplikace.titulek.c_str(), MB_ICONERROR | MB_OK);
    }
    return 0;
}

void ModulCteckaRSS::ZrusitNacitani() {
    if (!m_uloha) return;
    {
        std::lock_guard<std::mutex> zamek(m_uloha->zamek);
        m_uloha->okno = nullptr;  // from now on the loading thread posts nothing
    }
    if (m_vlaknoNacitani) {
        // A loading that is about to end is let finish; a stalled one is left to its time-outs.
        const ULONGLONG konec = ::GetTickCount64() + cekaniNaNacitaniRSS;
        for (;;) {
            ULONGLONG ted = ::GetTickCount64();
            DWORD zbyva = ted >= konec ? 0 : static_cast<DWORD>(konec - ted);
            DWORD vysledek = ::MsgWaitForMultipleObjects(1, &m_vlaknoNacitani, FALSE, zbyva, QS_ALLINPUT);
            if (vysledek != WAIT_OBJECT_0 + 1) break;
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT) {
                    ::PostQuitMessage(static_cast<int>(msg.wParam));
                    break;
                }
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        ::CloseHandle(m_vlaknoNacitani);
        m_vlaknoNacitani = nullptr;
    }
    m_uloha.reset();
    // a result posted before the handle was cleared is freed here
    MSG msg;
    while (m_hWnd && ::PeekMessageW(&msg, m_hWnd, ZpravaKanalNacten, ZpravaKanalNacten, PM_REMOVE))
        delete reinterpret_cast<VysledekNacitaniRSS*>(msg.lParam);
    if (m_zdroje.m_hWnd) ::EnableWindow(m_zdroje.m_hWnd, TRUE);
}

void ModulCteckaRSS::OtevritPolozku() {
    const PolozkaRSS* polozka = m_polozky.VybranaPolozka();
    if (!polozka) return;
    const std::wstring odkaz = OrezatOdkaz(polozka->odkaz);
    if (!JeOdkazWebovy(odkaz)) {
        knihovna::oknoZpravy(m_hWnd, Formatovat(Retezec(IDS_RSS_NEPLATNY_ODKAZ).c_str(), polozka->odkaz.c_str()).c_str(),
                             aplikace.titulek.c_str(), MB_ICONWARNING | MB_OK);
        return;
    }
    HINSTANCE h = knihovna::spustitShell(nullptr, L"open", odkaz.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
    if (reinterpret_cast<INT_PTR>(h) <= 32) aplikace.ZobrazitChybuId(0);
    MinimalizovatPokudNavrchu();
}

void ModulCteckaRSS::MinimalizovatPokudNavrchu() {
    if (Nastaveni().oknoNavrchuMinimalizovat && knihovna::JeOknoNavrchu(m_hWnd)) ::ShowWindow(m_hWnd, SW_MINIMIZE);
}

void ModulCteckaRSS::AktualizovatMenu() {
    if (!m_menuLista.popup || !::IsMenu(m_menuLista.popup)) return;
    MenuPopup::ZaskrtnoutPolozku(m_menuLista, 40053, knihovna::JeOknoNavrchu(m_hWnd));
    MenuPopup::ZaskrtnoutPolozku(m_menuLista, 40075, knihovna::JeOknoPruhledne(m_hWnd));
    const bool vybrana = m_polozky.VybranaPolozka() != nullptr;
    ::EnableMenuItem(m_menuLista.popup, 40193, MF_BYCOMMAND | (vybrana ? MF_ENABLED : MF_DISABLED | MF_GRAYED));
    if (m_toolbar) ::SendMessageW(m_toolbar, TB_ENABLEBUTTON, 40193, MAKELPARAM(vybrana ? TRUE : FALSE, 0));
}

MenuPopup& ModulCteckaRSS::AktualniMenu() {
    if (m_kontext) return *m_kontext;
    if (MenuPopup* otevrene = OtevreneMenu::Aktualni()) return *otevrene;
    return m_menuLista;
}

void ModulCteckaRSS::PoZmeneSeznamu() {
    if (seznamZdrojuRSS) UlozitSeznamZdrojuRSS(*seznamZdrojuRSS);
    NaplnitSeznamZdroju();
}

void ModulCteckaRSS::Pridat() {
    if (!seznamZdrojuRSS) return;
    ZdrojRSS novy;
    if (!DlgEditZdrojRSS::upravitZdroj(novy) || novy.nazev.empty()) return;
    seznamZdrojuRSS->zdroje.push_back(novy);
    PoZmeneSeznamu();
}

void ModulCteckaRSS::Upravit() {
    if (!seznamZdrojuRSS) return;
    LRESULT vybrana = m_zdroje.Poslat(CB_GETCURSEL);
    if (vybrana == CB_ERR) return;
    LPARAM index = m_zdroje.Poslat(CB_GETITEMDATA, static_cast<WPARAM>(vybrana));
    if (index < 0 || static_cast<size_t>(index) >= seznamZdrojuRSS->zdroje.size()) return;
    ZdrojRSS kopie = seznamZdrojuRSS->zdroje[static_cast<size_t>(index)];
    if (!DlgEditZdrojRSS::upravitZdroj(kopie)) return;
    if (!seznamZdrojuRSS || static_cast<size_t>(index) >= seznamZdrojuRSS->zdroje.size()) return;
    seznamZdrojuRSS->zdroje[static_cast<size_t>(index)] = kopie;
    PoZmeneSeznamu();
}

void ModulCteckaRSS::Odebrat() {
    if (!seznamZdrojuRSS) return;
    LRESULT vybrana = m_zdroje.Poslat(CB_GETCURSEL);
    if (vybrana == CB_ERR || static_cast<size_t>(vybrana) >= seznamZdrojuRSS->zdroje.size()) {
        if (aplikace.nastaveni.zvuk) ::MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    const ZdrojRSS& zdroj = seznamZdrojuRSS->zdroje[static_cast<size_t>(vybrana)];
    std::wstring otazka = Formatovat(Retezec(IDS_RSS_OTAZKA_ODEBRAT).c_str(), zdroj.nazev.c_str(), zdroj.url.c_str());
    if (knihovna::oknoZpravy(knihovna::VlastnikZpravy(), otazka.c_str(), aplikace.titulek.c_str(),
                             MB_YESNO | MB_DEFBUTTON2 | MB_ICONEXCLAMATION | MB_TASKMODAL | MB_SETFOREGROUND) != IDYES)
        return;
    if (!seznamZdrojuRSS || static_cast<size_t>(vybrana) >= seznamZdrojuRSS->zdroje.size()) return;
    seznamZdrojuRSS->zdroje.erase(seznamZdrojuRSS->zdroje.begin() + vybrana);
    PoZmeneSeznamu();
}

void ModulCteckaRSS::VytvoritVychoziSeznam() {
    if (!seznamZdrojuRSS) return;
    // A file that exists is the user's list even when it showed as empty (damaged, unreadable).
    const bool jeCoNahradit = !seznamZdrojuRSS->zdroje.empty() || ::PathFileExistsW(CestaZdrojuRSS().c_str());
    if (jeCoNahradit && !aplikace.OtazkaId(IDS_RSS_OTAZKA_VYCHOZI, false, false)) return;
    VytvoritVychoziZdrojeRSS(*seznamZdrojuRSS);
    PoZmeneSeznamu();
}

void ModulCteckaRSS::ProvestPrikaz(UINT id) {
    if (m_zavira) return;
    switch (id) {
        case 40193: OtevritPolozku(); break;
        case 40189: Pridat(); break;
        case 40190: Upravit(); break;
        case 40191: Odebrat(); break;
        case 40192: VytvoritVychoziSeznam(); break;
        case 40002: {
            HWND hlavni = knihovna::ziskatHlavniOkno ? knihovna::ziskatHlavniOkno() : nullptr;
            if (hlavni) ::PostMessageW(hlavni, WM_COMMAND, 40002, STRANKA_CTECKY);
            MinimalizovatPokudNavrchu();
            break;
        }
        case 40194:
        case 40026: Odeslat(WM_CLOSE); break;
        case 40053:
        case 40075: {
            // the common handler has toggled the style; the bits persist when the window closes
            if (nastaveniCteckaRSS) {
                DWORD& okno = nastaveniCteckaRSS->okno;
                okno = knihovna::JeOknoNavrchu(m_hWnd) ? (okno | 0x04) : (okno & ~0x04u);
                okno = knihovna::JeOknoPruhledne(m_hWnd) ? (okno | 0x20) : (okno & ~0x20u);
            }
            AktualizovatMenu();
            break;
        }
        default: break;
    }
}

LRESULT ModulCteckaRSS::OnCommand(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    const UINT id = LOWORD(w), kod = HIWORD(w);
    if (l && reinterpret_cast<HWND>(l) == m_zdroje.m_hWnd) {
        if (kod == CBN_SELCHANGE) NacistVybranyZdroj();
        return 0;
    }
    if (l && reinterpret_cast<HWND>(l) == m_polozky.m_hWnd) {
        if (kod == LBN_SELCHANGE) AktualizovatMenu();
        return VychoziZpracovani(msg, w, l);
    }
    if (m_zavira) return 0;
    ZpracovatSpolecnyPrikaz(m_hWnd, id);
    ProvestPrikaz(id);
    return 0;
}

LRESULT ModulCteckaRSS::OnNotify(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano) {
    auto* hlavicka = reinterpret_cast<NMHDR*>(l);
    if (!hlavicka) return 0;
    if (hlavicka->code == TTN_GETDISPINFOW) return knihovna::ZpracovatTooltipToolbaru(static_cast<int>(w), hlavicka, zpracovano);
    if (hlavicka->code == TBN_DROPDOWN && hlavicka->hwndFrom == m_toolbar) {
        auto* tb = reinterpret_cast<NMTOOLBARW*>(l);
        if (tb->iItem == 40002) {
            MenuStrankyNastaveni stranky;
            stranky.Zobrazit(m_hWnd);
        } else if (tb->iItem == 40003 && m_napoveda) {
            MenuNapoveda napoveda(nullptr);
            napoveda.ZobrazitSamostatne(m_hWnd);
        }
        return TBDDRET_DEFAULT;
    }
    if (hlavicka->code == RBN_HEIGHTCHANGE) {
        RECT klient{};
        ::GetClientRect(m_hWnd, &klient);
        Poslat(WM_SIZE, SIZE_RESTORED, MAKELPARAM(klient.right, klient.bottom));
        return 0;
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulCteckaRSS::OnContextMenu(UINT, WPARAM, LPARAM l, BOOL&) {
    if (m_kontext || m_zavira) return 0;
    POINT bod{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
    if (LOWORD(l) == 0xFFFF || HIWORD(l) == 0xFFFF) {
        bod = POINT{0, 0};
        ::ClientToScreen(m_hWnd, &bod);
    }
    HMENU nactene = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_CTECKA_RSS_KONTEXT));
    Overit(nactene != nullptr);
    knihovna::UchytMenu vlastnik(nactene);
    MenuPopup zaznam;
    zaznam.popup = ::GetSubMenu(nactene, 0);
    zaznam.obrazky = aplikace.seznamMenu.Get();
    MenuOkno okno(&zaznam);
    okno.NahraditZastupce();
    MenuNapoveda napoveda(&zaznam);
    napoveda.NahraditZastupce();
    MenuPopup::ZaskrtnoutPolozku(zaznam, 40053, knihovna::JeOknoNavrchu(m_hWnd));
    MenuPopup::ZaskrtnoutPolozku(zaznam, 40075, knihovna::JeOknoPruhledne(m_hWnd));
    if (!m_polozky.VybranaPolozka()) ::EnableMenuItem(zaznam.popup, 40193, MF_BYCOMMAND | MF_DISABLED | MF_GRAYED);
    if (aplikace.nastaveni.vlastniVzhled)
        for (UINT id : {40194u, 40193u, 40002u}) MenuPopup::NastavitVlastniKresleni(zaznam, id, false);
    m_kontext = &zaznam;
    OtevreneMenu otevrene(zaznam);
    ::SetForegroundWindow(m_hWnd);
    ::TrackPopupMenu(zaznam.popup, TPM_RIGHTBUTTON, bod.x, bod.y, 0, m_hWnd, nullptr);
    m_kontext = nullptr;
    ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
    return 0;
}

LRESULT ModulCteckaRSS::OnMenuSelect(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    const UINT polozka = LOWORD(w), priznaky = HIWORD(w);
    std::wstring text;
    if ((priznaky & MF_POPUP) || (priznaky == 0xFFFF && !l) || !knihovna::NacistRetezec(polozka, text)) {
        ZobrazitStav(m_textStavu);
    } else {
        knihovna::RozdelitTextNaRadky(text);
        ZobrazitStav(std::wstring(text.c_str()));
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulCteckaRSS::OnMeasureItem(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano) {
    auto* polozka = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
    if (polozka && polozka->CtlType == ODT_LISTBOX && polozka->CtlID == IDC_RSS_POLOZKY) {
        polozka->itemHeight = Nastaveni().vyskaPolozkySeznamu;
        return TRUE;
    }
    if (polozka && polozka->CtlType == ODT_MENU) {
        polozka->itemHeight = 20;
        try {
            polozka->itemWidth = static_cast<UINT>(ZmeritPolozkuMenu(AktualniMenu(), polozka->itemID) + 40);
        } catch (const Chyba&) {
            polozka->itemWidth = 120;
        }
        return TRUE;
    }
    return OknoModul::OnMeasureItem(msg, w, l, zpracovano);
}

LRESULT ModulCteckaRSS::OnDrawItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    if (dis && dis->CtlType == ODT_MENU) {
        try {
            int obrazek = -1;
            IkonaPrikazuMenu(LOWORD(dis->itemID), obrazek);
            KreslitPolozkuMenu(AktualniMenu(), *dis, obrazek);
        } catch (const Chyba&) {
        }
        return TRUE;
    }
    if (dis && dis->hwndItem == m_polozky.m_hWnd) return m_polozky.Poslat(knihovna::ODRAZENA_ZPRAVA + WM_DRAWITEM, w, l);
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulCteckaRSS::OnSize(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    const int sirka = LOWORD(l), vyska = HIWORD(l);
    int r = 0, s = 0;
    if (m_rebar) {
        RECT obdelnik{};
        ::GetWindowRect(m_rebar, &obdelnik);
        r = obdelnik.bottom - obdelnik.top;
        ::MoveWindow(m_rebar, 0, 0, sirka, r, TRUE);
        ::GetWindowRect(m_rebar, &obdelnik);
        r = obdelnik.bottom - obdelnik.top;
    }
    if (m_statusBar) {
        ::SendMessageW(m_statusBar, WM_SIZE, w, l);
        RECT obdelnik{};
        ::GetWindowRect(m_statusBar, &obdelnik);
        s = obdelnik.bottom - obdelnik.top;
    }
    if (m_polozky.m_hWnd) {
        ::MoveWindow(m_polozky.m_hWnd, 0, r, sirka, std::max(0, vyska - r - s), TRUE);
        ::RedrawWindow(m_polozky.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulCteckaRSS::OnSysCommand(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano) {
    return knihovna::OknoNormalni::OnSysCommand(msg, w, l, zpracovano);
}

LRESULT ModulCteckaRSS::OnIkonaTray(UINT, WPARAM w, LPARAM l, BOOL&) {
    if (w != ID_IKONY || (l != WM_LBUTTONUP && l != WM_RBUTTONUP)) return 0;
    if (::IsWindowVisible(m_hWnd) && !::IsIconic(m_hWnd)) {
        Poslat(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else {
        ::ShowWindow(m_hWnd, SW_RESTORE);
        ::SetForegroundWindow(m_hWnd);
    }
    return 0;
}

// The keyboard belongs to the item list.
LRESULT ModulCteckaRSS::OnSetFocus(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (m_polozky.m_hWnd && ::IsWindow(m_polozky.m_hWnd)) {
        ::SetFocus(m_polozky.m_hWnd);
        return 0;
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulCteckaRSS::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (m_zavira) return 0;
    m_zavira = true;
    ZrusitNacitani();
    try {
        OdebratOvladaciIkonu();
    } catch (const Chyba&) {
        // the shell may be gone already
    }
    UlozitPolohu();
    if (nastaveniCteckaRSS) nastaveniCteckaRSS->Ulozit();
    m_napoveda.reset();
    m_oknoMenu.reset();
    ::ShowWindow(m_hWnd, SW_HIDE);
    knihovna::OknoObal status(m_statusBar), toolbar(m_toolbar), rebar(m_rebar);
    knihovna::ZrusitOknoPrvku(status);
    knihovna::ZrusitOknoPrvku(toolbar);
    if (m_zdroje.m_hWnd && ::IsWindow(m_zdroje.m_hWnd)) ::DestroyWindow(m_zdroje.m_hWnd);
    knihovna::ZrusitOknoPrvku(rebar);
    if (m_polozky.m_hWnd && ::IsWindow(m_polozky.m_hWnd)) ::DestroyWindow(m_polozky.m_hWnd);
    m_statusBar = m_toolbar = m_rebar = nullptr;
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulCteckaRSS::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::PostQuitMessage(0);
    return VychoziZpracovani(msg, w, l);
}

// ---------------------------------------------------------------------------------------------

VlaknoCteckaRSS::VlaknoCteckaRSS() : VlaknoModulu(IDS_NAZEV_CTECKA_RSS) {}

knihovna::OknoModul* VlaknoCteckaRSS::Objekt() const {
    return modulCteckaRSS && modulCteckaRSS->m_hWnd ? modulCteckaRSS.get() : nullptr;
}

HWND VlaknoCteckaRSS::VytvoritOkno(bool) {
    if (modulCteckaRSS) VyhoditChybu(E_UNEXPECTED);
    if (!seznamZdrojuRSS) seznamZdrojuRSS = std::make_unique<SeznamZdrojuRSS>();
    NacistSeznamZdrojuRSS(*seznamZdrojuRSS);
    modulCteckaRSS = std::make_unique<ModulCteckaRSS>();
    return modulCteckaRSS->VytvoritOkno();
}

void VlaknoCteckaRSS::ZrusitOkno() {
    modulCteckaRSS.reset();
    seznamZdrojuRSS.reset();
}

void VlaknoCteckaRSS::ZrusitAkciPoSpusteni() { aplikace.nastaveni.poSpusteni.cteckaRSS = false; }

void VytvoritModulCteckaRSS() {
    if (!vlaknoCteckaRSS) vlaknoCteckaRSS = std::make_unique<VlaknoCteckaRSS>();
    ZaregistrovatNastroj(Nastroj::CteckaRSS, vlaknoCteckaRSS.get());
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_CTECKA_RSS, VytvoritStranku<DlgNastavCteckaRSS>);
}

void SmazatModulCteckaRSS() {
    ZaregistrovatNastroj(Nastroj::CteckaRSS, nullptr);
    vlaknoCteckaRSS.reset();
}
