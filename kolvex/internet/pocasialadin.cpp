#include "internet/pocasialadin.h"

#include <commctrl.h>
#include <shlwapi.h>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/hlaseni.h"
#include "core/nastaveniobecne.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/text.h"
#include "resources/resource.h"

using knihovna::Overit;

std::unique_ptr<OknoAladin> oknoAladin;
void(WINAPI* ziskatDatumBehuPocasi)(LPSYSTEMTIME cas) = ::GetLocalTime;

namespace {

constexpr UINT STRANKA_ALADIN = 206;
constexpr UINT_PTR CASOVAC_STARTU = 1;
constexpr UINT_PTR CASOVAC_ANIMACE = 2;
constexpr UINT ID_STAVOVY_RADEK = 1;
constexpr UINT ID_REBAR = 1049;
constexpr UINT ID_TOOLBAR = 1050;
const wchar_t* const TEXT_NACITANI = L"Načítají se data z webu ČHMÚ, čekejte ...";
const wchar_t* const TEXT_NIC = L"Nebyl načten žádný soubor ...";

class VlaknoAladinu : public VlaknoModulu {
public:
    VlaknoAladinu() : VlaknoModulu(IDS_NAZEV_POCASI_ALADIN, true) {}

protected:
    HWND VytvoritOkno(bool) override {
        oknoAladin = std::make_unique<OknoAladin>();
        return oknoAladin->VytvoritOkno();
    }
    void ZrusitOkno() override { oknoAladin.reset(); }
    void ZrusitAkciPoSpusteni() override { aplikace.nastaveni.poSpusteni.pocasiAladin = false; }
    bool PredzpracovatZpravu(MSG& msg) override {
        HACCEL tabulka = oknoAladin ? oknoAladin->Akceleratory() : nullptr;
        return tabulka && oknoAladin->m_hWnd && ::TranslateAcceleratorW(oknoAladin->m_hWnd, tabulka, &msg);
    }
};

VlaknoAladinu& Vlakno() {
    static VlaknoAladinu vlakno;
    return vlakno;
}

int ObrazekPrikazu(UINT id) {
    switch (id) {
        case 40002: return 1;
        case 40026: return 19;
        case 40053: return 15;
        case 40075: return 31;
        case 40208:
        case 40209:
        case 40214: return 63;
        case 40210: return 21;
        case 40211: return 45;
        case 40212: return 25;
        case 40213: return 26;
        default: break;
    }
    int index = -1;
    IkonaPrikazuMenu(id, index);
    return index;
}

void Zaskrtnout(HMENU menu, UINT id, bool ano) {
    ::CheckMenuItem(menu, id, MF_BYCOMMAND | (ano ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace

// ---------------------------------------------------------------------------------------------

HWND OknoAladinKlient::VytvoritOkno(HWND rodic) {
    RECT r{0, 0, 10, 10};
    return Vytvorit(rodic, &r, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, L"QPocasiAladinKlient",
                    nullptr, nullptr, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
}

void OknoAladinKlient::KreslitZnacku(HDC dc, int x, int y) {
    if (znackaX <= 0 || znackaY <= 0 || !m_vlastnik.kurzorZnacky) return;
    ::DrawIconEx(dc, x + znackaX - ::GetSystemMetrics(SM_CXCURSOR) / 2, y + znackaY - ::GetSystemMetrics(SM_CYCURSOR) / 2,
                 m_vlastnik.kurzorZnacky, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}

void OknoAladinKlient::Kreslit(HDC dc) {
    RECT klient;
    ::GetClientRect(m_hWnd, &klient);
    const auto& obrazky = m_vlastnik.obrazky;
    const int pocet = m_vlastnik.pocetNajednou;
    const bool mrizka = m_vlastnik.druh == PRIKAZ_VSECHNY_MODELY || pocet == 1 || pocet == 2 || pocet == 4;
    Gdiplus::SolidBrush vypln{Gdiplus::Color(BARVA_VYPLNE_POCASI)};
    if (!obrazky[0]) {
        if (!mrizka) {
            Gdiplus::Graphics g(dc);
            g.FillRectangle(&vypln, 0, 0, klient.right, klient.bottom);
        }
        knihovna::VybranyObjekt pismo(dc, ::GetStockObject(DEFAULT_GUI_FONT));
        ::SetBkMode(dc, TRANSPARENT);
        ::DrawTextW(dc, m_vlastnik.textInfo.c_str(), -1, &klient, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return;
    }
    const int w = static_cast<int>(obrazky[0]->GetWidth()), h = static_cast<int>(obrazky[0]->GetHeight());
    if (!mrizka) {
        {
            Gdiplus::Graphics g(dc);
            g.FillRectangle(&vypln, 0, 0, klient.right, klient.bottom);
            g.DrawImage(obrazky[0].get(), 0, 0, w, h);
        }
        KreslitZnacku(dc, 0, 0);
        return;
    }
    const POINT bunky[4] = {{0, 0}, {w, 0}, {0, h}, {w, h}};
    {
        Gdiplus::Graphics g(dc);
        g.ScaleTransform(meritko, meritko);
        for (size_t i = 0; i < 4; ++i) {
            if (obrazky[i])
                g.DrawImage(obrazky[i].get(), static_cast<INT>(bunky[i].x), static_cast<INT>(bunky[i].y), w, h);
            else
                g.FillRectangle(&vypln, static_cast<INT>(bunky[i].x), static_cast<INT>(bunky[i].y), w, h);
        }
    }
    for (size_t i = 0; i < 4; ++i)
        if (obrazky[i]) KreslitZnacku(dc, bunky[i].x, bunky[i].y);
}

LRESULT OknoAladinKlient::OnLButtonDown(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if ((w & MK_CONTROL) && (w & MK_SHIFT)) {
        znackaX = static_cast<short>(LOWORD(l)) + posun.x;
        znackaY = static_cast<short>(HIWORD(l)) + posun.y;
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    } else {
        ::ReleaseCapture();
        ::SendMessageW(::GetParent(m_hWnd), WM_SYSCOMMAND, 0xF012, 0);
    }
    return VychoziZpracovani(msg, w, l);
}

// ---------------------------------------------------------------------------------------------

OknoAladin::OknoAladin() { NastavitKlic(aplikace.klicAplikace); }

OknoAladin::~OknoAladin() {
    m_prace.Ukoncit(0);  // WM_CLOSE has waited already; a stuck worker keeps only its own data
    if (m_akceleratory) ::DestroyAcceleratorTable(m_akceleratory);
    // the cursor is a shared resource cursor: not destroyed
}

void OknoAladin::Spustit() { Vlakno().Spustit(); }
void OknoAladin::Zastavit() { Vlakno().Zastavit(); }
bool OknoAladin::Bezi() { return Vlakno().Bezi(); }

HWND OknoAladin::VytvoritOkno() {
    const NastaveniAladin n = NastaveniPocasi().aladin;
    zaklad = ZakladAladinu(HostServeru(ServerPocasi::Chmu));
    textStavu = L"Připraven";
    zona = NazevCasovehoPasma();
    textInfo = TEXT_NACITANI;
    hodinaBehu = n.pocatek == 12 ? 12 : 0;
    druh = n.model;
    pocetNajednou = static_cast<int>(n.pocetObrazku);
    kurzorZnacky = ::LoadCursorW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_POCASI_ZNACKA));

    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_COOL_CLASSES};
    ::InitCommonControlsEx(&icc);
    HMENU menu = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_POCASI_ALADIN));
    Overit(menu != nullptr);
    DWORD rozsireny = (n.oknoPruhledne ? WS_EX_LAYERED : 0) | (n.oknoNavrchu ? WS_EX_TOPMOST : 0);
    std::wstring titulek;
    FormatovatTextSDoplnkem(IDS_NAZEV_POCASI_ALADIN, titulek);
    RECT obdelnik{0, 0, 640, 480};
    try {
        Vytvorit(nullptr, &obdelnik, titulek.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rozsireny,
                 L"QPocasiOknoAladin", menu, nullptr, CS_HREDRAW | CS_VREDRAW);
    } catch (...) {
        ::DestroyMenu(menu);
        throw;
    }
    if (n.oknoPruhledne) Overit(::SetLayeredWindowAttributes(m_hWnd, 0, 127, LWA_ALPHA) != 0);
    stavovyRadek = ::CreateWindowExW(0, STATUSCLASSNAMEW, textStavu.c_str(), WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0,
                                     0, 0, 0, m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ID_STAVOVY_RADEK)),
                                     ::GetModuleHandleW(nullptr), nullptr);
    Overit(stavovyRadek != nullptr);
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(aplikace.malaIkona.Get()));

    m_lista.popup = menu;
    m_lista.obrazky = aplikace.seznamMenu.Get();
    m_menuOkno = std::make_unique<MenuOkno>(&m_lista);
    m_menuOkno->Vlozit();
    m_napoveda = std::make_unique<MenuNapoveda>(&m_lista);
    m_napoveda->Vlozit();
    if (aplikace.nastaveni.vlastniVzhled)
        for (UINT id : {40214u, 40204u, 40205u, 40203u, 40206u, 40207u, 40210u, 40211u, 40212u, 40002u, 40213u, 40208u,
                        40209u, 40026u})
            MenuPopup::NastavitVlastniKresleni(m_lista, id, false);
    VytvoritListy();

    klient = std::make_unique<OknoAladinKlient>(*this);
    klient->VytvoritOkno(m_hWnd);
    klient->znackaX = LOWORD(n.poziceZnacky);
    klient->znackaY = HIWORD(n.poziceZnacky);

    if (ObnovitPolohu() != 0) Vycentrovat();
    Okno::UdrzetVPracovniOblasti(m_hWnd);
    AktualizovatPrikazy();
    AktualizovatZaskrtnuti();

    m_akceleratory = ::LoadAcceleratorsW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDA_POCASI_ALADIN));
    Overit(m_akceleratory != nullptr);
    Overit(::SetTimer(m_hWnd, CASOVAC_STARTU, 10, nullptr) != 0);
    return m_hWnd;
}

void OknoAladin::VytvoritListy() {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    rebar = ::CreateWindowExW(WS_EX_TOOLWINDOW, REBARCLASSNAMEW, nullptr,
                              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_VARHEIGHT | CCS_NODIVIDER |
                                  RBS_BANDBORDERS,
                              0, 0, 0, 0, m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ID_REBAR)), instance,
                              nullptr);
    Overit(rebar != nullptr);
    toolbar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                                WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NODIVIDER |
                                    CCS_NOPARENTALIGN,
                                0, 0, 0, 0, rebar, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ID_TOOLBAR)), instance,
                                nullptr);
    Overit(toolbar != nullptr);
    ::SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(toolbar, TB_SETPARENT, reinterpret_cast<WPARAM>(m_hWnd), 0);  // commands come straight here
    ::SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(aplikace.seznamMenu.Get()));
    ::SendMessageW(toolbar, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(aplikace.druhySeznam.Get()));
    const struct {
        int obrazek;
        UINT id;
        BYTE styl;
    } tlacitka[] = {
        {26, 40213, BTNS_BUTTON}, {25, 40212, BTNS_BUTTON}, {63, 40214, BTNS_CHECK}, {0, 0, BTNS_SEP},
        {1, 40002, BTNS_BUTTON},  {0, 0, BTNS_SEP},         {15, 40053, BTNS_CHECK}, {31, 40075, BTNS_CHECK},
        {0, 0, BTNS_SEP},         {0, 40026, BTNS_BUTTON},
    };
    std::vector<TBBUTTON> pole;
    for (const auto& t : tlacitka) {
        TBBUTTON b{};
        b.iBitmap = t.styl == BTNS_SEP ? 6 : t.obrazek;
        b.idCommand = static_cast<int>(t.id);
        b.fsState = TBSTATE_ENABLED;
        b.fsStyle = t.styl;
        pole.push_back(b);
    }
    ::SendMessageW(toolbar, TB_ADDBUTTONS, pole.size(), reinterpret_cast<LPARAM>(pole.data()));
    SIZE velikost{};
    ::SendMessageW(toolbar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&velikost));
    REBARBANDINFOW pas{};
    pas.cbSize = sizeof(pas);
    pas.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_SIZE;
    pas.fStyle = RBBS_GRIPPERALWAYS | RBBS_CHILDEDGE;
    pas.hwndChild = toolbar;
    pas.cxMinChild = static_cast<UINT>(velikost.cx);
    pas.cyMinChild = static_cast<UINT>(std::max<LONG>(velikost.cy, 22));
    pas.cx = static_cast<UINT>(velikost.cx + 20);
    Overit(::SendMessageW(rebar, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&pas)) != 0);
}

void OknoAladin::NastavitStavTlacitka(UINT id, bool zaskrtnuto) {
    if (toolbar) ::SendMessageW(toolbar, TB_CHECKBUTTON, id, MAKELPARAM(zaskrtnuto ? TRUE : FALSE, 0));
}

void OknoAladin::AktualizovatZaskrtnuti() {
    HMENU menu = ::GetMenu(m_hWnd);
    for (UINT id = PRIKAZ_TEPLOTA; id <= PRIKAZ_VSECHNY_MODELY; ++id) Zaskrtnout(menu, id, id == druh);
    Zaskrtnout(menu, 40208, hodinaBehu == 0);
    Zaskrtnout(menu, 40209, hodinaBehu == 12);
    const bool navrchu = knihovna::JeOknoNavrchu(m_hWnd), pruhledne = knihovna::JeOknoPruhledne(m_hWnd);
    Zaskrtnout(menu, 40053, navrchu);
    Zaskrtnout(menu, 40075, pruhledne);
    Zaskrtnout(menu, 40214, animace);
    NastavitStavTlacitka(40053, navrchu);
    NastavitStavTlacitka(40075, pruhledne);
    NastavitStavTlacitka(40214, animace);
}

void OknoAladin::AktualizovatPrikazy() {
    HMENU menu = ::GetMenu(m_hWnd);
    const bool obrazek = obrazky[0] != nullptr;
    const bool predchozi = obrazek && index != 0;
    ::EnableMenuItem(menu, 40213, MF_BYCOMMAND | (predchozi ? MF_ENABLED : MF_GRAYED));
    ::EnableMenuItem(menu, 40212, MF_BYCOMMAND | (obrazek ? MF_ENABLED : MF_GRAYED));
    ::EnableMenuItem(menu, 40210, MF_BYCOMMAND | (druh == PRIKAZ_VSECHNY_MODELY ? MF_GRAYED : MF_ENABLED));
    if (toolbar) {
        ::SendMessageW(toolbar, TB_ENABLEBUTTON, 40213, MAKELPARAM(predchozi ? TRUE : FALSE, 0));
        ::SendMessageW(toolbar, TB_ENABLEBUTTON, 40212, MAKELPARAM(obrazek ? TRUE : FALSE, 0));
    }
    Zaskrtnout(menu, 40210, pocetNajednou == 1);
    Zaskrtnout(menu, 40211, pocetNajednou == 4);
    ::DrawMenuBar(m_hWnd);
}

void OknoAladin::UvolnitObrazky() {
    for (auto& o : obrazky) o.reset();
}

void OknoAladin::Prekreslit() {
    if (klient && klient->m_hWnd) ::RedrawWindow(klient->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void OknoAladin::SpustitStahovani(UINT prikaz) {
    if (m_prace.Bezi()) return;
    m_prace.Uklidit();
    UvolnitObrazky();
    Prekreslit();
    ::ShowWindow(m_hWnd, SW_HIDE);
    const DruhModelu* d = NajitDruhModelu(prikaz);
    ZobrazitBublinuHlavniIkony(nullptr, knihovna::Retezec(d ? d->idBubliny : IDS_POCASI_BUBLINA_VSECHNY));
    if (prikaz == PRIKAZ_VSECHNY_MODELY) textInfo = TEXT_NACITANI;
    ZadaniStahovani zadani;
    zadani.prikaz = prikaz;
    ziskatDatumBehuPocasi(&zadani.datum);
    zadani.hodinaBehu = hodinaBehu;
    zadani.zaklad = zaklad;
    zadani.slozka = NastaveniPocasi().aladin.slozkaData.Text();
    zadani.konecPriChybe = NastaveniPocasi().aladin.konecStahovaniPriChybe;
    HWND okno = m_hWnd;
    m_prace.Spustit([okno, zadani](const ZruseniPrace& zrusit) {
        auto vysledek = std::make_unique<VysledekStahovani>(ProvestStahovani(zadani, zrusit));
        vysledek->zruseno = false;
        // posted as a commit: a window that has cancelled (WM_CLOSE) gets nothing after it
        // removed what was posted before
        zrusit.Potvrdit([&] {
            if (::PostMessageW(okno, ZpravaStahovaniPocasiHotovo, 0, reinterpret_cast<LPARAM>(vysledek.get())))
                vysledek.release();
        });
    });
    datumBehu = zadani.datum;
}

LRESULT OknoAladin::OnStazeno(UINT, WPARAM, LPARAM l, BOOL&) {
    std::unique_ptr<VysledekStahovani> vysledek(reinterpret_cast<VysledekStahovani*>(l));
    m_prace.Ukoncit(1000);  // the worker ends right after posting
    PrevzitVysledek(std::move(vysledek));
    return 0;
}

void OknoAladin::PrevzitVysledek(std::unique_ptr<VysledekStahovani> vysledek) {
    SkrytBublinuHlavniIkony();
    if (vysledek) {
        druh = vysledek->prikaz;
        if (druh == PRIKAZ_VSECHNY_MODELY) {
            vsechny = std::move(vysledek->vsechny);
            pocetNajednou = 4;
        } else {
            rada = std::move(vysledek->rada);
        }
    }
    index = 0;
    textInfo = TEXT_NIC;
    AktualizovatZaskrtnuti();
    ZobrazitObrazek();
    AktualizovatPrikazy();
    ::ShowWindow(m_hWnd, SW_SHOW);
}

void OknoAladin::ZobrazitObrazek() {
    UvolnitObrazky();
    auto nacist = [](const std::wstring& soubor) -> std::unique_ptr<Gdiplus::Bitmap> {
        if (soubor.empty() || !::PathFileExistsW(soubor.c_str())) return nullptr;
        std::unique_ptr<Gdiplus::Bitmap> b(Gdiplus::Bitmap::FromFile(soubor.c_str()));
        if (!b || b->GetLastStatus() != Gdiplus::Ok || b->GetWidth() == 0) return nullptr;
        return b;
    };
    const size_t i = index >= 0 ? static_cast<size_t>(index) : SIZE_MAX;
    if (druh == PRIKAZ_VSECHNY_MODELY) {
        for (size_t j = 0; j < 4; ++j)
            if (i < vsechny[j].size()) obrazky[j] = nacist(vsechny[j][i]);
    } else if (i < rada.size()) {
        const size_t pocet = CtyriNajednou() ? 4 : 1;
        for (size_t j = 0; j < pocet && i + j < rada.size(); ++j) obrazky[j] = nacist(rada[i + j]);
    } else {
        Prekreslit();
        return;
    }
    textStavu = TextObrazku();
    if (stavovyRadek) ::SendMessageW(stavovyRadek, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(textStavu.c_str()));
    PrizpusobitVelikost();
    AktualizovatPrikazy();
    Prekreslit();
}

std::wstring OknoAladin::TextObrazku() const {
    const bool mistni = NastaveniPocasi().aladin.zobrazMistniCas;
    return TextObrazkuAladin(datumBehu, hodinaBehu, druh == PRIKAZ_SRAZKY, index, mistni ? RozdilMistnihoCasu() : 0,
                             mistni ? zona : std::wstring(L"světový čas"));
}

void OknoAladin::Dalsi() {
    const size_t limit = druh == PRIKAZ_VSECHNY_MODELY ? vsechny[0].size() : rada.size();
    if (index >= 0 && static_cast<size_t>(index) + 1 < limit) {
        ++index;
        ZobrazitObrazek();
    } else {
        index = 0;
        if (limit > 0) ZobrazitObrazek();
    }
}

void OknoAladin::Predchozi() {
    if (index > 0) --index;
    ZobrazitObrazek();
}

void OknoAladin::PrizpusobitVelikost() {
    LONG sirka = 500, vyska = 400;
    if (obrazky[0]) {
        sirka = static_cast<LONG>(obrazky[0]->GetWidth());
        vyska = static_cast<LONG>(obrazky[0]->GetHeight());
        if (CtyriNajednou()) {
            sirka *= 2;
            vyska *= 2;
        }
    }
    RECT r{0, 0, sirka, vyska};
    RECT rb{}, sr{};
    if (rebar) ::GetWindowRect(rebar, &rb);
    if (stavovyRadek) ::GetWindowRect(stavovyRadek, &sr);
    r.bottom += (rb.bottom - rb.top) + (sr.bottom - sr.top);
    const LONG chceSirka = r.right, chceVyska = r.bottom;
    Overit(::AdjustWindowRectEx(&r, WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, TRUE, 0) != 0);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // a menu bar that wraps onto more lines takes more than one line's height: measured and added
    RECT klientNyni{}, oknoNyni{};
    ::GetClientRect(m_hWnd, &klientNyni);
    ::GetWindowRect(m_hWnd, &oknoNyni);
    const LONG navic = chceVyska - klientNyni.bottom;
    if (navic > 0 || chceSirka != klientNyni.right)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, oknoNyni.right - oknoNyni.left + (chceSirka - klientNyni.right),
                       oknoNyni.bottom - oknoNyni.top + std::max<LONG>(navic, 0), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Okno::UdrzetVPracovniOblasti(m_hWnd);
}

void OknoAladin::PrepnoutAnimaci() {
    if (animace) {
        Overit(::KillTimer(m_hWnd, CASOVAC_ANIMACE) != 0);
        animace = false;
    } else {
        DWORD interval = NastaveniPocasi().aladin.intervalAnimace;
        if (interval == 0) interval = 1;
        Overit(::SetTimer(m_hWnd, CASOVAC_ANIMACE, interval * 100, nullptr) != 0);
        animace = true;
    }
    AktualizovatZaskrtnuti();
}

LRESULT OknoAladin::OnPrikaz(UINT, WPARAM w, LPARAM, BOOL&) {
    const UINT id = LOWORD(w);
    switch (id) {
        case 40002:
            if (HWND hlavni = knihovna::ziskatHlavniOkno ? knihovna::ziskatHlavniOkno() : nullptr)
                ::PostMessageW(hlavni, WM_COMMAND, 40002, STRANKA_ALADIN);
            break;
        case 40026:
            ::PostMessageW(m_hWnd, WM_CLOSE, 40026, reinterpret_cast<LPARAM>(m_hWnd));
            break;
        case PRIKAZ_TEPLOTA:
        case PRIKAZ_OBLACNOST:
        case PRIKAZ_SRAZKY:
        case PRIKAZ_VITR:
        case PRIKAZ_VSECHNY_MODELY:
            SpustitStahovani(id);
            break;
        case 40208:
        case 40209:
            hodinaBehu = id == 40209 ? 12 : 0;
            AktualizovatZaskrtnuti();
            if (druh >= PRIKAZ_TEPLOTA && druh <= PRIKAZ_VSECHNY_MODELY) SpustitStahovani(druh);
            break;
        case 40210:
        case 40211:
            pocetNajednou = id == 40211 ? 4 : 1;
            AktualizovatPrikazy();
            Odeslat(WM_COMMAND, 40223, 0);
            break;
        case 40212: Dalsi(); break;
        case 40213: Predchozi(); break;
        case 40214: PrepnoutAnimaci(); break;
        case 40223: ZobrazitObrazek(); break;
        case 40053:
            NastaveniPocasi().aladin.oknoNavrchu = knihovna::JeOknoNavrchu(m_hWnd);
            AktualizovatZaskrtnuti();
            break;
        case 40075:
            NastaveniPocasi().aladin.oknoPruhledne = knihovna::JeOknoPruhledne(m_hWnd);
            AktualizovatZaskrtnuti();
            break;
        default:
            break;
    }
    return 0;
}

LRESULT OknoAladin::OnTimer(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (w == CASOVAC_STARTU) {
        Overit(::KillTimer(m_hWnd, CASOVAC_STARTU) != 0);
        if (druh >= PRIKAZ_TEPLOTA && druh <= PRIKAZ_VSECHNY_MODELY) {
            Odeslat(WM_COMMAND, druh, 0);
        } else {
            // nothing to load: the window shows itself with the info text, no kind checked
            textInfo = TEXT_NIC;
            AktualizovatZaskrtnuti();
            ::ShowWindow(m_hWnd, SW_SHOW);
        }
    } else if (w == CASOVAC_ANIMACE) {
        Odeslat(WM_COMMAND, 40212, 0);
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoAladin::OnSize(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    const int sirka = LOWORD(l), vyska = HIWORD(l);
    int vyskaRebaru = 0, vyskaRadku = 0;
    if (rebar) {
        RECT r;
        ::GetWindowRect(rebar, &r);
        vyskaRebaru = r.bottom - r.top;
        ::MoveWindow(rebar, 0, 0, sirka, vyskaRebaru, TRUE);
    }
    if (stavovyRadek) {
        ::SendMessageW(stavovyRadek, WM_SIZE, w, l);
        RECT r;
        ::GetWindowRect(stavovyRadek, &r);
        vyskaRadku = r.bottom - r.top;
    }
    if (klient && klient->m_hWnd)
        ::SetWindowPos(klient->m_hWnd, nullptr, 0, vyskaRebaru, sirka, std::max(0, vyska - vyskaRebaru - vyskaRadku),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoAladin::OnEraseBkgnd(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (obrazky[0] && !(druh == PRIKAZ_VSECHNY_MODELY ? vsechny[0].empty() : rada.empty())) return 0;
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoAladin::OnInitMenuPopup(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    m_menuOtevreno = true;
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoAladin::OnExitMenuLoop(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    m_menuOtevreno = false;
    if (stavovyRadek) ::SendMessageW(stavovyRadek, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(textStavu.c_str()));
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoAladin::OnMenuSelect(UINT, WPARAM w, LPARAM l, BOOL&) {
    if (!stavovyRadek) return 0;
    const UINT polozka = LOWORD(w), priznaky = HIWORD(w);
    std::wstring text = textStavu;
    if (!(priznaky == 0xFFFF && l == 0) && !(priznaky & MF_POPUP) && !(priznaky & MF_SEPARATOR)) {
        std::wstring zRetezcu;
        if (knihovna::NacistRetezec(polozka, zRetezcu) && !zRetezcu.empty()) text = zRetezcu.substr(0, zRetezcu.find(L'\n'));
    }
    ::SendMessageW(stavovyRadek, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return 0;
}

LRESULT OknoAladin::OnDrawItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    auto* polozka = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    if (polozka && polozka->CtlType == ODT_MENU) {
        int obrazek = ObrazekPrikazu(polozka->itemID);
        if (m_napoveda && obrazek < 0) obrazek = m_napoveda->IkonaPrikazu(polozka->itemID);
        try {
            KreslitPolozkuMenu(m_lista, *polozka, obrazek);
        } catch (const knihovna::Chyba&) {
        }
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoAladin::OnMeasureItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    auto* polozka = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
    if (polozka && polozka->CtlType == ODT_MENU) {
        polozka->itemHeight = 20;
        polozka->itemWidth = static_cast<UINT>(ZmeritPolozkuMenu(m_lista, polozka->itemID) + 40);
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoAladin::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (animace) {
        ::KillTimer(m_hWnd, CASOVAC_ANIMACE);
        animace = false;
    }
    ::KillTimer(m_hWnd, CASOVAC_STARTU);
    if (m_prace.Bezi()) {
        SkrytBublinuHlavniIkony();
        m_prace.Ukoncit(2000);  // a read ends at once; a worker still waiting for a reply changes nothing any more
    }
    MSG zprava;
    while (::PeekMessageW(&zprava, m_hWnd, ZpravaStahovaniPocasiHotovo, ZpravaStahovaniPocasiHotovo, PM_REMOVE))
        delete reinterpret_cast<VysledekStahovani*>(zprava.lParam);
    if (klient) {
        NastaveniPocasi().aladin.poziceZnacky =
            (static_cast<DWORD>(klient->znackaY & 0xFFFF) << 16) | static_cast<DWORD>(klient->znackaX & 0xFFFF);
    }
    try {
        UlozitNastaveniObecne(aplikace);
    } catch (const knihovna::Chyba&) {
    }
    UlozitPolohu();
    klient.reset();
    UvolnitObrazky();
    m_napoveda.reset();
    m_menuOkno.reset();
    rada.clear();
    for (auto& r : vsechny) r.clear();
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoAladin::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::PostQuitMessage(0);
    return VychoziZpracovani(msg, w, l);
}
