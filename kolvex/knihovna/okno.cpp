#include "okno.h"

#include "prvky.h"
#include "dpi.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cwchar>
#include <vector>

namespace knihovna {

HWND (*ziskatHlavniOkno)() = nullptr;
int (*zmeritPolozkuMenu)(HWND okno, const MEASUREITEMSTRUCT* polozka) = nullptr;

namespace detail {
namespace {
const wchar_t* const vlastnostObjektu = L"knihovna.Okno";

// Every message looks up its window's object, and the window property that records it is a
// server call under Wine (tens of microseconds; closing a list of 80 000 entries sends as many
// WM_DELETEITEMs to its owner). Each thread keeps its last two look-ups (a parent and the child it
// reflects to). Any attach or detach, on any thread, moves the generation on and so voids every
// thread's copies: a handle whose window is gone never finds the old object.
std::atomic<unsigned> generace{1};
struct ZapamatovanyObjekt {
    HWND okno;
    void* objekt;
    unsigned generace;
};
thread_local ZapamatovanyObjekt zapamatovane[2]{};
thread_local unsigned dalsiZapamatovany = 0;
}  // namespace

void PripojitObjekt(HWND h, void* objekt) {
    ::SetPropW(h, vlastnostObjektu, objekt);
    generace.fetch_add(1);
}

void* ObjektOkna(HWND h) {
    // The generation is read before the property: a change between the two voids this copy.
    const unsigned g = generace.load();
    for (const ZapamatovanyObjekt& z : zapamatovane)
        if (z.okno == h && z.generace == g) return z.objekt;
    void* objekt = ::GetPropW(h, vlastnostObjektu);
    zapamatovane[dalsiZapamatovany] = {h, objekt, g};
    dalsiZapamatovany ^= 1;
    return objekt;
}

void OdpojitObjekt(HWND h) {
    if (!h) return;
    ::RemovePropW(h, vlastnostObjektu);
    generace.fetch_add(1);
}
}  // namespace detail

// ---------------------------------------------------------------------------------------------

std::wstring OknoObal::Text() const {
    int delka = ::GetWindowTextLengthW(m_hWnd);
    if (delka <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<size_t>(delka) + 1);
    int precteno = ::GetWindowTextW(m_hWnd, buffer.data(), delka + 1);
    return std::wstring(buffer.data(), static_cast<size_t>(precteno > 0 ? precteno : 0));
}

std::wstring OknoObal::NazevTridy() const {
    wchar_t nazev[256];
    int delka = ::GetClassNameW(m_hWnd, nazev, 256);
    if (delka <= 0) VyhoditPosledniChybu();
    return std::wstring(nazev, static_cast<size_t>(delka));
}

bool OknoObal::Vycentrovat(HWND nad) const {
    RECT okno, cil;
    if (!::GetWindowRect(m_hWnd, &okno)) return false;
    const bool naOkno = nad && nad != ::GetDesktopWindow();
    if (naOkno && !::GetWindowRect(nad, &cil)) return false;
    // the work area of the monitor the target (or the window itself) is on
    const RECT prace = PracovniOblastProObdelnik(naOkno ? cil : okno);
    if (!naOkno) cil = prace;
    const int w = okno.right - okno.left, h = okno.bottom - okno.top;
    const int x = (cil.left + cil.right) / 2 - w / 2;
    const int y = (cil.top + cil.bottom) / 2 - h / 2;
    const POINT p = PolohaUvnitrOblasti(RECT{x, y, x + w, y + h}, prace);
    return PresunoutOkno(m_hWnd, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---------------------------------------------------------------------------------------------

namespace {

// A visible taskbar along an edge of a work area is taken off it. Windows does that itself; the
// taskbar of Wine's virtual desktop is left in the work area, and a window put in the work area's
// corner stood over the notification area.
void OdecistPanelUloh(RECT& prace) {
    HWND panel = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    RECT p, prunik;
    if (!panel || !::IsWindowVisible(panel) || !::GetWindowRect(panel, &p) || !::IntersectRect(&prunik, &p, &prace))
        return;
    const bool celaSirka = prunik.left <= prace.left && prunik.right >= prace.right;
    const bool celaVyska = prunik.top <= prace.top && prunik.bottom >= prace.bottom;
    if (celaSirka && prunik.bottom >= prace.bottom && prunik.top > prace.top)
        prace.bottom = prunik.top;
    else if (celaSirka && prunik.top <= prace.top && prunik.bottom < prace.bottom)
        prace.top = prunik.bottom;
    else if (celaVyska && prunik.right >= prace.right && prunik.left > prace.left)
        prace.right = prunik.left;
    else if (celaVyska && prunik.left <= prace.left && prunik.right < prace.right)
        prace.left = prunik.right;
}

BOOL CALLBACK PridatMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoW(monitor, &info)) {
        OdecistPanelUloh(info.rcWork);
        reinterpret_cast<std::vector<PlochaMonitoru>*>(data)->push_back({info.rcMonitor, info.rcWork});
    }
    return TRUE;
}

std::vector<PlochaMonitoru> MonitoryPlochy() {
    std::vector<PlochaMonitoru> monitory;
    ::EnumDisplayMonitors(nullptr, nullptr, PridatMonitor, reinterpret_cast<LPARAM>(&monitory));
    return monitory;
}

long long PlochaPrekryvu(const RECT& a, const RECT& b) {
    const long long sirka = static_cast<long long>(std::min(a.right, b.right)) - std::max(a.left, b.left);
    const long long vyska = static_cast<long long>(std::min(a.bottom, b.bottom)) - std::max(a.top, b.top);
    return sirka > 0 && vyska > 0 ? sirka * vyska : 0;
}

// Squared distance between two rectangles (0 when they touch or overlap).
long long Vzdalenost(const RECT& a, const RECT& b) {
    const long long dx = std::max<long long>({0, static_cast<long long>(b.left) - a.right, static_cast<long long>(a.left) - b.right});
    const long long dy = std::max<long long>({0, static_cast<long long>(b.top) - a.bottom, static_cast<long long>(a.top) - b.bottom});
    return dx * dx + dy * dy;
}

RECT PrimarniPracovniOblast() {
    RECT prace;
    Overit(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &prace, 0) != 0);
    OdecistPanelUloh(prace);
    return prace;
}

}  // namespace

std::vector<PlochaMonitoru> (*ziskatMonitory)() = MonitoryPlochy;

RECT PracovniOblastProObdelnik(const RECT& okno) {
    const std::vector<PlochaMonitoru> monitory = ziskatMonitory();
    const PlochaMonitoru* nejlepsi = nullptr;
    long long nejvetsiPrekryv = 0, nejmensiVzdalenost = 0;
    for (const PlochaMonitoru& m : monitory) {
        const long long prekryv = PlochaPrekryvu(okno, m.monitor);
        const long long vzdalenost = Vzdalenost(okno, m.monitor);
        if (!nejlepsi || prekryv > nejvetsiPrekryv || (nejvetsiPrekryv == 0 && prekryv == 0 && vzdalenost < nejmensiVzdalenost)) {
            nejlepsi = &m;
            nejvetsiPrekryv = prekryv;
            nejmensiVzdalenost = vzdalenost;
        }
    }
    return nejlepsi ? nejlepsi->prace : PrimarniPracovniOblast();
}

RECT ObdelnikVsechMonitoru() {
    const std::vector<PlochaMonitoru> monitory = ziskatMonitory();
    if (monitory.empty())
        return RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    RECT r = monitory.front().monitor;
    for (const PlochaMonitoru& m : monitory) ::UnionRect(&r, &r, &m.monitor);
    return r;
}

POINT PolohaUvnitrOblasti(const RECT& okno, const RECT& prace) {
    const long w = okno.right - okno.left, h = okno.bottom - okno.top;
    POINT p{okno.left, okno.top};
    if (p.x + w > prace.right) p.x = prace.right - w;
    if (p.x < prace.left) p.x = prace.left;
    if (p.y + h > prace.bottom) p.y = prace.bottom - h;
    if (p.y < prace.top) p.y = prace.top;
    return p;
}

// ---------------------------------------------------------------------------------------------

Okno::Okno() : m_klic(L"Software\\Brenvald\\Parametry oken\\") {}

Okno::~Okno() = default;

void Okno::NastavitKlic(const wchar_t* koren) {
    if (!koren) return;
    m_klic = std::wstring(koren) + L"\\Parametry oken\\";
}

std::wstring Okno::Trida(const wchar_t* nazevTridy) const {
    if (nazevTridy) {
        size_t delka = wcsnlen(nazevTridy, 256);
        if (delka > 255) VyhoditChybu(HresultZKodu(ERROR_INSUFFICIENT_BUFFER));
        return std::wstring(nazevTridy, delka);
    }
    return NazevTridy();
}

int Okno::UlozitPolohu(const wchar_t* nazevTridy) {
    if (!::IsWindowVisible(m_hWnd)) return 1;
    std::wstring trida = Trida(nazevTridy);
    RECT r;
    Overit(::GetWindowRect(m_hWnd, &r) != 0);
    const long sirka = r.right - r.left, vyska = r.bottom - r.top;
    // The corner lies on the desktop of every monitor (left of or above the primary one too).
    const long cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    const RECT plocha = ObdelnikVsechMonitoru();
    if (r.left < plocha.left || r.left > plocha.right || r.top < plocha.top || r.top > plocha.bottom || sirka < 4 ||
        sirka > 2 * cx || vyska < 4 || vyska > 2 * cy)
        return 1;
    HKEY klic = nullptr;
    LONG kod = ::RegCreateKeyExW(HKEY_CURRENT_USER, (m_klic + trida).c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                 nullptr, &klic, nullptr);
    if (kod != ERROR_SUCCESS) VyhoditChybu(HresultZKodu(static_cast<DWORD>(kod)));
    // Each half holds a signed 16-bit coordinate (read back so).
    const DWORD poloha = static_cast<DWORD>((r.left & 0xFFFF) | ((r.top & 0xFFFF) << 16));
    const DWORD velikost = static_cast<DWORD>((sirka & 0xFFFF) | ((vyska & 0xFFFF) << 16));
    kod = ::RegSetValueExW(klic, L"Poloha", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&poloha), sizeof(poloha));
    if (kod == ERROR_SUCCESS)
        kod = ::RegSetValueExW(klic, L"Velikost", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&velikost),
                               sizeof(velikost));
    if (kod != ERROR_SUCCESS) {
        if (::RegCloseKey(klic) != ERROR_SUCCESS) VyhoditChybu(E_UNEXPECTED);
        VyhoditChybu(HresultZKodu(static_cast<DWORD>(kod)));
    }
    if (::RegCloseKey(klic) != ERROR_SUCCESS) VyhoditChybu(E_UNEXPECTED);
    return 0;
}

int Okno::ObnovitPolohu(const wchar_t* nazevTridy, bool jenPoloha) {
    std::wstring trida = Trida(nazevTridy);
    HKEY klic = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, (m_klic + trida).c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                          &klic, nullptr) != ERROR_SUCCESS)
        return 1;
    DWORD poloha = 0, velikost = 0;
    DWORD delka = sizeof(poloha);
    LONG kod = ::RegQueryValueExW(klic, L"Poloha", nullptr, nullptr, reinterpret_cast<BYTE*>(&poloha), &delka);
    if (kod == ERROR_SUCCESS) {
        delka = sizeof(velikost);
        kod = ::RegQueryValueExW(klic, L"Velikost", nullptr, nullptr, reinterpret_cast<BYTE*>(&velikost), &delka);
    }
    LONG zavreni = ::RegCloseKey(klic);
    if (zavreni != ERROR_SUCCESS) VyhoditChybu(HresultZKodu(static_cast<DWORD>(zavreni)));
    if (kod != ERROR_SUCCESS) return 1;
    if (::IsWindow(m_hWnd)) {
        const int x = static_cast<int16_t>(LOWORD(poloha)), y = static_cast<int16_t>(HIWORD(poloha));
        ::SetWindowPos(m_hWnd, nullptr, x, y, LOWORD(velikost), HIWORD(velikost),
                       jenPoloha ? (SWP_NOZORDER | SWP_NOSIZE) : SWP_NOZORDER);
        // a size stored at a lower DPI (or by hand) never hides the toolbar's last buttons
        RECT r;
        const int nejmene = SirkaPodleToolbaru(m_hWnd);
        if (nejmene > 0 && ::GetWindowRect(m_hWnd, &r) && r.right - r.left < nejmene)
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, nejmene, r.bottom - r.top, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
        UdrzetVPracovniOblasti(m_hWnd);
    }
    return 0;
}

void Okno::PrepnoutZobrazeni() {
    if (!::IsWindowVisible(m_hWnd)) {
        ::ShowWindow(m_hWnd, SW_RESTORE);
        ::SetForegroundWindow(m_hWnd);
    } else {
        ::SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    }
}

void Okno::UdrzetVPracovniOblasti(HWND okno) {
    // Into the work area of the monitor nearest to the window, not always the primary one.
    RECT r;
    Overit(::GetWindowRect(okno, &r) != 0);
    const POINT p = PolohaUvnitrOblasti(r, PracovniOblastProObdelnik(r));
    if (p.x != r.left || p.y != r.top)
        Overit(::SetWindowPos(okno, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER) != 0);
}

int SirkaPodleToolbaru(HWND okno) {
    RECT klient{}, vnejsi{};
    if (!::GetClientRect(okno, &klient) || !::GetWindowRect(okno, &vnejsi)) return 0;
    const int ramecek = (vnejsi.right - vnejsi.left) - klient.right;
    int nejvic = 0;
    for (HWND dite = ::GetWindow(okno, GW_CHILD); dite; dite = ::GetWindow(dite, GW_HWNDNEXT)) {
        wchar_t trida[32];
        if (!::GetClassNameW(dite, trida, 32) || wcscmp(trida, TOOLBARCLASSNAMEW) != 0) continue;
        const LRESULT pocet = ::SendMessageW(dite, TB_BUTTONCOUNT, 0, 0);
        RECT tlacitko{};
        int prava = 0;
        for (LRESULT i = 0; i < pocet; ++i)
            if (::SendMessageW(dite, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tlacitko)) &&
                tlacitko.right > prava)
                prava = tlacitko.right;
        if (prava == 0) continue;
        POINT p{prava, 0};
        ::MapWindowPoints(dite, okno, &p, 1);
        if (p.x > nejvic) nejvic = p.x;
    }
    return nejvic > 0 ? nejvic + ramecek : 0;
}

bool ObdelnikNaPlose(const RECT& prace, const RECT& okno, bool menitelne, int kod, RECT& cil) {
    const int w = okno.right - okno.left, h = okno.bottom - okno.top;
    const int W = prace.right - prace.left, H = prace.bottom - prace.top;
    // Halves and strips count their positions from the work area's corner (on any monitor).
    auto plocha = [&](int x, int y, int sirka, int vyska) {
        cil = RECT{prace.left + x, prace.top + y, menitelne ? sirka : w, menitelne ? vyska : h};
    };
    switch (kod) {
        case 2: cil = RECT{prace.left, prace.top, w, h}; return true;
        case 3: cil = RECT{prace.left, prace.bottom - h, w, h}; return true;
        case 4: cil = RECT{prace.right - w, prace.top, w, h}; return true;
        case 5: cil = RECT{prace.right - w, prace.bottom - h, w, h}; return true;
        case 7: plocha(0, 0, W / 2, H); return true;
        case 8: plocha(W / 2, 0, W / 2, H); return true;
        case 9: plocha(0, 0, W, H / 2); return true;
        case 10: plocha(0, H / 2, W, H / 2); return true;
        case 11: plocha(0, 0, w, H); return true;
        case 12: plocha(W - w, 0, w, H); return true;
        case 13: plocha(0, 0, W, h); return true;
        case 14: plocha(0, H - h, W, h); return true;
        default: return false;
    }
}

void Okno::UmistitNaPlochu(HWND okno, int kod) {
    if (kod < 2 || kod > 14) return;
    if (kod == 6) {
        OknoObal(okno).Vycentrovat(::GetDesktopWindow());
        return;
    }
    RECT r, prace, cil;
    Overit(::GetWindowRect(okno, &r) != 0);
    prace = PracovniOblastProObdelnik(r);
    const bool menitelne = (::GetWindowLongPtrW(okno, GWL_STYLE) & WS_THICKFRAME) != 0;
    if (!ObdelnikNaPlose(prace, r, menitelne, kod, cil)) return;
    const UINT priznaky = kod <= 5 ? SWP_NOSIZE | SWP_NOZORDER : SWP_NOZORDER;
    PresunoutOkno(okno, nullptr, cil.left, cil.top, cil.right, cil.bottom, priznaky);
}

// ---------------------------------------------------------------------------------------------

OknoNormalni::~OknoNormalni() {
    if (m_blok) ::HeapFree(::GetProcessHeap(), 0, m_blok);
    m_blok = nullptr;
}

LRESULT OknoNormalni::TahnoutOknoMysi(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoNormalni::OnSysCommand(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if ((w & 0xFFF0) == SC_MINIMIZE) {
        VychoziZpracovani(msg, w, l);
        ::ShowWindow(m_hWnd, SW_HIDE);
        return 0;
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoNormalni::PredatPrikazHlavnimuOknu(WORD, WORD id, HWND, BOOL& zpracovano) {
    PoslatPrikazHlavnimuOknu(id);
    zpracovano = FALSE;
    return 0;
}

LRESULT OknoNormalni::OnCommand(UINT, WPARAM w, LPARAM, BOOL& zpracovano) {
    ZpracovatSpolecnyPrikaz(m_hWnd, LOWORD(w));
    zpracovano = FALSE;
    return 0;
}

LRESULT ZpracovatTooltipToolbaru(int, NMHDR* hlavicka, BOOL&) {
    if (!hlavicka || hlavicka->code != TTN_NEEDTEXTW) return 0;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(hlavicka);
    info->hinst = ::GetModuleHandleW(nullptr);
    std::wstring text;
    const wchar_t* popis = NacistCastTextuZTabulky(static_cast<UINT>(hlavicka->idFrom), 2, text);
    const size_t maximum = sizeof(info->szText) / sizeof(info->szText[0]) - 1;
    wcsncpy(info->szText, popis, maximum);
    info->szText[maximum] = L'\0';
    info->lpszText = info->szText;
    return 0;
}

void PoslatPrikazHlavnimuOknu(UINT id) {
    HWND hlavni = ziskatHlavniOkno ? ziskatHlavniOkno() : nullptr;
    if (hlavni) ::PostMessageW(hlavni, WM_COMMAND, id, 0);
}

UINT StrankaNastaveniPrikazu(UINT id) {
    struct Radek {
        UINT prikaz, stranka;
    };
    static const Radek tabulka[] = {
        {40077, 111}, {40078, 105}, {40079, 112}, {40080, 113}, {40081, 104}, {40082, 112}, {40083, 106},
        {40084, 108}, {40085, 114}, {40086, 125}, {40087, 126}, {40088, 127}, {40142, 152}, {40143, 151},
        {40144, 141}, {40145, 153}, {40146, 167}, {40147, 156}, {40148, 157}, {40149, 158}, {40150, 159},
        {40151, 160}, {40166, 174}, {40195, 196}, {40196, 171}, {40197, 179}, {40198, 180}, {40199, 181},
        {40200, 198},
    };
    for (const Radek& r : tabulka)
        if (r.prikaz == id) return r.stranka;
    return 0;
}

void OknoNormalni::ZpracovatSpolecnyPrikaz(HWND okno, UINT id) {
    switch (id) {
        case 40020:
        case 40021:
        case 40022:
        case 40023: PoslatPrikazHlavnimuOknu(id); return;
        case 40048: Okno::UmistitNaPlochu(okno, 2); return;
        case 40049: Okno::UmistitNaPlochu(okno, 3); return;
        case 40050: Okno::UmistitNaPlochu(okno, 4); return;
        case 40051: Okno::UmistitNaPlochu(okno, 5); return;
        case 40052: Okno::UmistitNaPlochu(okno, 6); return;
        case 40053: PrepnoutOknoNavrchu(okno); return;
        case 40075: NastavitPruhlednostOkna(okno, JeOknoPruhledne(okno) ? 0 : 50); return;
        default: break;
    }
    if (id >= 40077 && id <= 40200) {
        UINT stranka = StrankaNastaveniPrikazu(id);
        HWND hlavni = ziskatHlavniOkno ? ziskatHlavniOkno() : nullptr;
        if (stranka && hlavni) ::PostMessageW(hlavni, WM_COMMAND, 40002, static_cast<LPARAM>(stranka));
    }
}

LRESULT OknoModul::OnMeasureItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    auto* polozka = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
    if (polozka && polozka->CtlType == ODT_MENU) {
        polozka->itemHeight = static_cast<UINT>(knihovna::Skalovat(20));
        if (zmeritPolozkuMenu) {
            int sirka = zmeritPolozkuMenu(m_hWnd, polozka);
            if (sirka >= 0) polozka->itemWidth = static_cast<UINT>(sirka + 40);
        }
    }
    return VychoziZpracovani(msg, w, l);
}

// ---------------------------------------------------------------------------------------------

bool JeOknoPruhledne(HWND okno) { return (::GetWindowLongPtrW(okno, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

bool JeOknoNavrchu(HWND okno) { return (::GetWindowLongPtrW(okno, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

void PrizpusobitSirkuSeznamu(HWND combo) {
    const LONG_PTR styl = ::GetWindowLongPtrW(combo, GWL_STYLE);
    if ((styl & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) && !(styl & CBS_HASSTRINGS)) return;
    const LRESULT pocet = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
    if (pocet <= 0) return;
    HDC dc = ::GetDC(combo);
    if (!dc) return;
    HGDIOBJ stare = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(combo, WM_GETFONT, 0, 0)));
    LONG nejsirsi = 0;
    std::vector<wchar_t> text;
    for (LRESULT i = 0; i < pocet; ++i) {
        const LRESULT delka = ::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        if (delka <= 0) continue;
        text.assign(static_cast<size_t>(delka) + 1, L'\0');
        ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        SIZE rozmer{};
        if (::GetTextExtentPoint32W(dc, text.data(), static_cast<int>(delka), &rozmer) && rozmer.cx > nejsirsi)
            nejsirsi = rozmer.cx;
    }
    ::SelectObject(dc, stare);
    ::ReleaseDC(combo, dc);
    // the item's margins, the list's border and a scroll bar that may be there
    int sirka = static_cast<int>(nejsirsi) + 8 + 2 * ::GetSystemMetrics(SM_CXEDGE) + ::GetSystemMetrics(SM_CXVSCROLL);
    RECT okno{}, prace{};
    ::GetWindowRect(combo, &okno);
    if (sirka < okno.right - okno.left) sirka = okno.right - okno.left;
    if (::SystemParametersInfoW(SPI_GETWORKAREA, 0, &prace, 0) && sirka > prace.right - prace.left)
        sirka = prace.right - prace.left;
    ::SendMessageW(combo, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(sirka), 0);
}

bool PrepnoutOknoNavrchu(HWND okno) {
    const bool navrchu = JeOknoNavrchu(okno);
    Overit(PresunoutOkno(okno, navrchu ? HWND_NOTOPMOST : HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    return !navrchu;
}

bool OtevritSchranku(HWND vlastnik) {
    for (int pokus = 0;; ++pokus) {
        if (::OpenClipboard(vlastnik)) return true;
        if (pokus == 20) return false;
        ::Sleep(10);
    }
}

BYTE AlfaZProcent(int procenta) {
    if (procenta < 0 || procenta > 100) VyhoditChybu(E_INVALIDARG);
    return static_cast<BYTE>((100 - procenta) * 255 / 100);
}

bool JeOknoJinehoVlakna(HWND okno) { return ::GetWindowThreadProcessId(okno, nullptr) != ::GetCurrentThreadId(); }

bool PresunoutOkno(HWND okno, HWND poradi, int x, int y, int sirka, int vyska, UINT priznaky) {
    if (JeOknoJinehoVlakna(okno)) priznaky |= SWP_ASYNCWINDOWPOS;
    return ::SetWindowPos(okno, poradi, x, y, sirka, vyska, priznaky) != 0;
}

bool ZobrazitOknoBezCekani(HWND okno, int prikaz) {
    if (JeOknoJinehoVlakna(okno)) return ::ShowWindowAsync(okno, prikaz) != 0;
    return ::ShowWindow(okno, prikaz) != 0;
}

void OveritOdezvuOkna(HWND okno) {
    if (!JeOknoJinehoVlakna(okno)) return;
    DWORD_PTR vysledek = 0;
    if (!::SendMessageTimeoutW(okno, WM_NULL, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, LIMIT_CIZIHO_OKNA, &vysledek))
        VyhoditChybu(HresultZKodu(ERROR_TIMEOUT));
}

LONG_PTR ZmenitRozsirenyStyl(HWND okno, LONG_PTR pridat, LONG_PTR odebrat) {
    const LONG_PTR styl = ::GetWindowLongPtrW(okno, GWL_EXSTYLE);
    const LONG_PTR novy = (styl | pridat) & ~odebrat;
    if (novy == styl) return styl;
    OveritOdezvuOkna(okno);
    ::SetLastError(0);
    if (!::SetWindowLongPtrW(okno, GWL_EXSTYLE, novy) && ::GetLastError() != 0) VyhoditPosledniChybu();
    return styl;
}

void NastavitPruhlednostOkna(HWND okno, int procenta) {
    if (procenta < 0 || procenta > 100) VyhoditChybu(E_INVALIDARG);
    const UINT ramec = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
    if (procenta > 0) {
        if (!(ZmenitRozsirenyStyl(okno, WS_EX_LAYERED, 0) & WS_EX_LAYERED))
            PresunoutOkno(okno, nullptr, 0, 0, 0, 0, ramec);
        Overit(::SetLayeredWindowAttributes(okno, 0, AlfaZProcent(procenta), LWA_ALPHA) != 0);
    } else {
        if (ZmenitRozsirenyStyl(okno, 0, WS_EX_LAYERED) & WS_EX_LAYERED) PresunoutOkno(okno, nullptr, 0, 0, 0, 0, ramec);
        // RDW_UPDATENOW would paint another thread's window by a sent WM_PAINT: it repaints itself
        const UINT prekresleni = JeOknoJinehoVlakna(okno) ? RDW_INVALIDATE | RDW_ERASE
                                                           : RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;
        ::RedrawWindow(okno, nullptr, nullptr, prekresleni);
    }
}

bool OdrazitNotifikaci(HWND, UINT msg, WPARAM w, LPARAM l, LRESULT& vysledek) {
    HWND potomek = nullptr;
    switch (msg) {
        case WM_COMMAND:
            if (l) potomek = reinterpret_cast<HWND>(l);
            break;
        case WM_NOTIFY: potomek = reinterpret_cast<NMHDR*>(l)->hwndFrom; break;
        case WM_DRAWITEM:
            if (w) potomek = reinterpret_cast<DRAWITEMSTRUCT*>(l)->hwndItem;
            break;
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC: potomek = reinterpret_cast<HWND>(l); break;
        case WM_HSCROLL:
        case WM_VSCROLL: potomek = reinterpret_cast<HWND>(l); break;
        default: break;
    }
    if (!potomek || !::IsWindow(potomek)) return false;
    vysledek = ::SendMessageW(potomek, ODRAZENA_ZPRAVA + msg, w, l);
    return true;
}

bool VychoziOdrazeni(HWND okno, UINT msg, WPARAM w, LPARAM l, LRESULT& vysledek) {
    if (msg < ODRAZENA_ZPRAVA) return false;
    switch (msg - ODRAZENA_ZPRAVA) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_PARENTNOTIFY:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_COMPAREITEM:
        case WM_DELETEITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            vysledek = ::DefWindowProcW(okno, msg - ODRAZENA_ZPRAVA, w, l);
            return true;
        default: return false;
    }
}

}  // namespace knihovna
