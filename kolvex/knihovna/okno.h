// Window bases of the UI library: a plain handle wrapper, the persisted-placement base
// Okno with OknoNormalni and OknoModul, and the message-map window and dialog templates.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "chyba.h"
#include "vyjimky.h"

struct IkonaTray;

namespace knihovna {

// Reflected notifications: a parent sends ODRAZENA_ZPRAVA + message to the child control.
constexpr UINT ODRAZENA_ZPRAVA = WM_USER + 0x1C00;

// The main window that the shared handlers post to (null while there is none); set by the program.
extern HWND (*ziskatHlavniOkno)();
// Width of an owner-drawn popup item for OknoModul::OnMeasureItem; set by the menu code.
extern int (*zmeritPolozkuMenu)(HWND okno, const MEASUREITEMSTRUCT* polozka);

// Plain wrapper around a window handle; owns nothing.
class OknoObal {
public:
    HWND m_hWnd = nullptr;

    OknoObal() = default;
    explicit OknoObal(HWND h) : m_hWnd(h) {}
    operator HWND() const { return m_hWnd; }

    bool JeOkno() const { return m_hWnd && ::IsWindow(m_hWnd); }
    LRESULT Poslat(UINT msg, WPARAM w = 0, LPARAM l = 0) const { return ::SendMessageW(m_hWnd, msg, w, l); }
    bool Odeslat(UINT msg, WPARAM w = 0, LPARAM l = 0) const { return ::PostMessageW(m_hWnd, msg, w, l) != 0; }
    HWND Polozka(int id) const { return ::GetDlgItem(m_hWnd, id); }
    std::wstring Text() const;
    std::wstring NazevTridy() const;
    // Centres the window on another one (the desktop when null), kept inside the work area.
    bool Vycentrovat(HWND nad = nullptr) const;
};

// Base of every window of the program except the main window: a registry key base for the
// persisted placement, and the four placement operations.
class Okno : public OknoObal {
public:
    Okno();
    virtual ~Okno();
    Okno(const Okno&) = delete;
    Okno& operator=(const Okno&) = delete;

    // Key base = "<koren>\Parametry oken\"; null keeps the current base.
    virtual void NastavitKlic(const wchar_t* koren);
    // 0 = saved; 1 = hidden, or outside the screen bounds (nothing written).
    virtual int UlozitPolohu(const wchar_t* nazevTridy = nullptr);
    // 0 = applied; 1 = nothing stored.
    virtual int ObnovitPolohu(const wchar_t* nazevTridy = nullptr, bool jenPoloha = false);
    virtual void PrepnoutZobrazeni();

    // Default processing of a message; the message-map templates replace it.
    virtual LRESULT VychoziZpracovani(UINT msg, WPARAM w, LPARAM l) { return ::DefWindowProcW(m_hWnd, msg, w, l); }

    const std::wstring& Klic() const { return m_klic; }

    static void UdrzetVPracovniOblasti(HWND okno);
    static void UmistitNaPlochu(HWND okno, int kod);

protected:
    std::wstring m_klic;

private:
    std::wstring Trida(const wchar_t* nazevTridy) const;
};

// Adds one heap block owned by the window object (derived windows fill it).
class OknoNormalni : public Okno {
public:
    OknoNormalni() = default;
    ~OknoNormalni() override;

    // Shared message handlers; each window enters in its map those it uses.
    LRESULT TahnoutOknoMysi(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano);
    LRESULT OnSysCommand(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano);
    LRESULT PredatPrikazHlavnimuOknu(WORD kod, WORD id, HWND ovladac, BOOL& zpracovano);
    LRESULT OnCommand(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano);
    static void ZpracovatSpolecnyPrikaz(HWND okno, UINT id);

protected:
    void* m_blok = nullptr;  // from the process heap
};

// Base of every tool module's window; the tool class also derives from ModulAplikace (core), whose
// icon and name the control tray icon shows. The control-icon operations live in core/ikonatray.cpp.
class OknoModul : public OknoNormalni {
public:
    OknoModul() = default;
    ~OknoModul() override;  // removes and deletes the control icon

    // The module's control tray icon, null when none is shown. The main window toggles it from
    // its own thread (menu 110), the module reads it; owned.
    ::IkonaTray* ovladaciIkona = nullptr;

    // Adds the control icon when none is shown: icon id 1 on this window, the module's icon, tip
    // "* <module name> *\n<application title>".
    void VytvoritOvladaciIkonu();
    // Removes the control icon when shown, then adds it anew.
    void ObnovitOvladaciIkonu();
    // Removes and deletes the control icon when shown.
    void OdebratOvladaciIkonu();

    LRESULT OnMeasureItem(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano);
};

// WM_NOTIFY TTN_NEEDTEXTW of a toolbar's tooltip: the description part of the string whose id is
// the button's command id, copied into the tooltip's own 80-character buffer.
LRESULT ZpracovatTooltipToolbaru(int id, NMHDR* hlavicka, BOOL& zpracovano);

// WM_COMMAND (id, 0) to the main window, when there is one.
void PoslatPrikazHlavnimuOknu(UINT id);
// Settings page dialog id for commands 40077-40200 of the settings-page menu, 0 when none.
UINT StrankaNastaveniPrikazu(UINT id);

void NastavitPruhlednostOkna(HWND okno, int procenta);
bool JeOknoPruhledne(HWND okno);
bool JeOknoNavrchu(HWND okno);
// Toggles WS_EX_TOPMOST (through PresunoutOkno); the new state. A failure raises the last error.
bool PrepnoutOknoNavrchu(HWND okno);

// Alpha of a transparency percentage 0..100: (100 - p) * 255 / 100; E_INVALIDARG outside.
BYTE AlfaZProcent(int procenta);
// One display monitor: its whole rectangle and its work area.
struct PlochaMonitoru {
    RECT monitor;
    RECT prace;
};
// The monitors of the desktop (EnumDisplayMonitors); a seam for tests, which give it a layout.
extern std::vector<PlochaMonitoru> (*ziskatMonitory)();
// The work area of the monitor nearest to a rectangle, chosen as MonitorFromRect with
// MONITOR_DEFAULTTONEAREST does: the largest overlap, else the least distance. The primary work
// area when there is no monitor list.
RECT PracovniOblastProObdelnik(const RECT& okno);
// The bounding rectangle of every monitor (the virtual screen).
RECT ObdelnikVsechMonitoru();
// The top-left corner that keeps a window of rectangle `okno` inside the work area `prace`: moved
// the least, and a window larger than the area keeps its left or top edge on the area's.
POINT PolohaUvnitrOblasti(const RECT& okno, const RECT& prace);

// The least outer width of a window that shows the whole of its toolbars (direct children of
// class ToolbarWindow32): its frame plus the right edge of each one's last button; 0 with none.
// A restored or default size never makes a window narrower than that.
int SirkaPodleToolbaru(HWND okno);

// Where position code 2..14 of Okno::UmistitNaPlochu puts a window of rectangle `okno` in the
// work area `prace` (codes 7..14 resize it only when `menitelne`): x, y in left/top, width and
// height in right/bottom. False for a code without a fixed place (6 centres, others do nothing).
bool ObdelnikNaPlose(const RECT& prace, const RECT& okno, bool menitelne, int kod, RECT& cil);

// Another program's window may hang. The changes below never wait for a window of another
// thread without a limit: they are posted to it, or made only after it answered within
// LIMIT_CIZIHO_OKNA ms. A window of the calling thread is changed directly.
constexpr UINT LIMIT_CIZIHO_OKNA = 1000;
bool JeOknoJinehoVlakna(HWND okno);
// SetWindowPos; for another thread's window with SWP_ASYNCWINDOWPOS.
bool PresunoutOkno(HWND okno, HWND poradi, int x, int y, int sirka, int vyska, UINT priznaky);
// ShowWindow; for another thread's window ShowWindowAsync.
bool ZobrazitOknoBezCekani(HWND okno, int prikaz);
// Raises HRESULT_FROM_WIN32(ERROR_TIMEOUT) when another thread's window does not answer a
// WM_NULL within the limit (SMTO_ABORTIFHUNG: at once when the system knows it hangs).
void OveritOdezvuOkna(HWND okno);
// Extended style with the bits added and removed (SetWindowLongPtr sends the window
// WM_STYLECHANGING, so another thread's window must answer first); a failure raises the last
// error. Result: the style before.
LONG_PTR ZmenitRozsirenyStyl(HWND okno, LONG_PTR pridat, LONG_PTR odebrat);

// A combo box's drop-down list as wide as its widest item (never narrower than the box, never
// wider than the work area). Dialogs do this at CBN_DROPDOWN, so the items of the moment count.
void PrizpusobitSirkuSeznamu(HWND combo);

// OpenClipboard that gives another program holding the clipboard a moment (up to 200 ms) to let
// it go; false with the last error when it is still held.
bool OtevritSchranku(HWND vlastnik);

// Owner-drawn controls and the like tell reflected notifications from their own.
bool OdrazitNotifikaci(HWND rodic, UINT msg, WPARAM w, LPARAM l, LRESULT& vysledek);
// DefWindowProcW of the original message for a reflected one (ODRAZENA_ZPRAVA + WM_COMMAND and the
// like); false for any other message.
bool VychoziOdrazeni(HWND okno, UINT msg, WPARAM w, LPARAM l, LRESULT& vysledek);

namespace detail {
void PripojitObjekt(HWND h, void* objekt);
void* ObjektOkna(HWND h);
void OdpojitObjekt(HWND h);
}  // namespace detail

// ---------------------------------------------------------------------------------------------
// Message maps. A window class writes
//     KNIHOVNA_MAPA_ZPRAV(Trida)
//         ZPRAVA(WM_CLOSE, OnClose)
//         PRIKAZ_ID(40001, OnKonec)
//         RETEZ_MAPY(Zaklad)
//     KNIHOVNA_KONEC_MAPY()
// Handlers: LRESULT (UINT, WPARAM, LPARAM, BOOL&) for messages, LRESULT (WORD kod, WORD id,
// HWND, BOOL&) for commands, LRESULT (int id, NMHDR*, BOOL&) for notifications. A handler that
// clears its BOOL leaves the message to the later entries and to default processing.
// ---------------------------------------------------------------------------------------------
#define KNIHOVNA_MAPA_ZPRAV(Trida)                                                               \
    bool ZpracovatZpravu(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,    \
                         DWORD idMapy = 0) {                                                      \
        BOOL bHandled = TRUE;                                                                     \
        (void)hWnd;                                                                               \
        (void)uMsg;                                                                               \
        (void)wParam;                                                                             \
        (void)lParam;                                                                             \
        (void)lResult;                                                                            \
        (void)bHandled;                                                                           \
        switch (idMapy) {                                                                         \
            case 0:

#define ZPRAVA(zprava, funkce)                                                                   \
    if (uMsg == (zprava)) {                                                                       \
        bHandled = TRUE;                                                                          \
        lResult = funkce(uMsg, wParam, lParam, bHandled);                                         \
        if (bHandled) return true;                                                                \
    }

#define ZPRAVY(prvni, posledni, funkce)                                                          \
    if (uMsg >= (prvni) && uMsg <= (posledni)) {                                                  \
        bHandled = TRUE;                                                                          \
        lResult = funkce(uMsg, wParam, lParam, bHandled);                                         \
        if (bHandled) return true;                                                                \
    }

#define PRIKAZ_ID(id, funkce)                                                                    \
    if (uMsg == WM_COMMAND && LOWORD(wParam) == (id)) {                                           \
        bHandled = TRUE;                                                                          \
        lResult = funkce(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam), bHandled); \
        if (bHandled) return true;                                                                \
    }

#define PRIKAZY_ID(prvni, posledni, funkce)                                                      \
    if (uMsg == WM_COMMAND && LOWORD(wParam) >= (prvni) && LOWORD(wParam) <= (posledni)) {        \
        bHandled = TRUE;                                                                          \
        lResult = funkce(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam), bHandled); \
        if (bHandled) return true;                                                                \
    }

#define PRIKAZ_KOD(kod, funkce)                                                                  \
    if (uMsg == WM_COMMAND && HIWORD(wParam) == (kod)) {                                          \
        bHandled = TRUE;                                                                          \
        lResult = funkce(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam), bHandled); \
        if (bHandled) return true;                                                                \
    }

#define PRIKAZ(id, kod, funkce)                                                                  \
    if (uMsg == WM_COMMAND && LOWORD(wParam) == (id) && HIWORD(wParam) == (kod)) {                \
        bHandled = TRUE;                                                                          \
        lResult = funkce(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam), bHandled); \
        if (bHandled) return true;                                                                \
    }

#define NOTIFIKACE_KOD(kod, funkce)                                                              \
    if (uMsg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(kod)) {  \
        bHandled = TRUE;                                                                          \
        lResult = funkce(static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam), bHandled);   \
        if (bHandled) return true;                                                                \
    }

#define NOTIFIKACE(id, kod, funkce)                                                              \
    if (uMsg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->idFrom == static_cast<UINT_PTR>(id) && \
        reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(kod)) {                       \
        bHandled = TRUE;                                                                          \
        lResult = funkce(static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam), bHandled);   \
        if (bHandled) return true;                                                                \
    }

#define RETEZ_MAPY(Zaklad)                                                                       \
    if (Zaklad::ZpracovatZpravu(hWnd, uMsg, wParam, lParam, lResult, 0)) return true;

#define RETEZ_MAPY_CLENA(clen)                                                                   \
    if ((clen).ZpracovatZpravu(hWnd, uMsg, wParam, lParam, lResult, 0)) return true;

#define ODRAZIT_NOTIFIKACE()                                                                     \
    if (::knihovna::OdrazitNotifikaci(hWnd, uMsg, wParam, lParam, lResult)) return true;

// A control's default handling of reflected notifications that its map leaves: the original
// message's default window processing (so that a reflected WM_CTLCOLOR* still yields a brush).
#define VYCHOZI_ODRAZENI()                                                                       \
    if (::knihovna::VychoziOdrazeni(hWnd, uMsg, wParam, lParam, lResult)) return true;

#define KNIHOVNA_KONEC_MAPY()                                                                    \
    break;                                                                                        \
    default:                                                                                      \
        break;                                                                                    \
        }                                                                                         \
        return false;                                                                             \
        }

// Message map of a base that has none of its own.
class BezMapy {
public:
    bool ZpracovatZpravu(HWND, UINT, WPARAM, LPARAM, LRESULT&, DWORD = 0) { return false; }
};

// A window implementation on TZaklad (OknoObal, Okno, OknoNormalni, OknoModul): registers its
// class on first use, creates the window, subclasses or superclasses controls, and routes every
// message through T's message map, catching any exception at the edge.
template <class T, class TZaklad = Okno>
class OknoImpl : public TZaklad {
public:
    OknoImpl() = default;
    virtual ~OknoImpl() {
        if (this->m_hWnd && ::IsWindow(this->m_hWnd)) {
            detail::OdpojitObjekt(this->m_hWnd);
            if (m_podtrida) {
                ::RemoveWindowSubclass(this->m_hWnd, ProceduraPodtridy, 1);
            } else {
                ::DestroyWindow(this->m_hWnd);
            }
        }
        this->m_hWnd = nullptr;
    }

    // Registers the class (once per process) and creates the window. Errors, also those raised
    // by the window's own WM_NCCREATE / WM_CREATE handlers, are raised here.
    HWND Vytvorit(HWND rodic, const RECT* obdelnik, const wchar_t* titulek, DWORD styl, DWORD rozsirenyStyl,
                  const wchar_t* nazevTridy, HMENU menuNeboId = nullptr, HICON ikona = nullptr,
                  UINT stylTridy = 0, HBRUSH pozadi = nullptr) {
        HINSTANCE instance = ::GetModuleHandleW(nullptr);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        if (!::GetClassInfoExW(instance, nazevTridy, &wc)) {
            wc = WNDCLASSEXW{};
            wc.cbSize = sizeof(wc);
            wc.style = stylTridy;
            wc.lpfnWndProc = ProceduraOkna;
            wc.hInstance = instance;
            wc.hIcon = ikona;
            wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
            wc.hbrBackground = pozadi ? pozadi : reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
            wc.lpszClassName = nazevTridy;
            if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) VyhoditPosledniChybu();
        }
        RECT r = obdelnik ? *obdelnik : RECT{CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};
        int sirka = obdelnik ? r.right - r.left : CW_USEDEFAULT;
        int vyska = obdelnik ? r.bottom - r.top : CW_USEDEFAULT;
        HWND h = ::CreateWindowExW(rozsirenyStyl, nazevTridy, titulek, styl, r.left, r.top, sirka, vyska, rodic,
                                   menuNeboId, instance, static_cast<T*>(this));
        DWORD kod = ::GetLastError();
        VyhoditOdlozenouVyjimku();
        if (!h) {
            ::SetLastError(kod);
            VyhoditPosledniChybu();
        }
        return h;
    }

    // Registers nazevTridy as a superclass of an existing class (e.g. "EDIT"): same behaviour,
    // messages first through T's map. Later Vytvorit calls with nazevTridy create such windows.
    static void RegistrovatSuperTridu(const wchar_t* zakladniTrida, const wchar_t* nazevTridy) {
        HINSTANCE instance = ::GetModuleHandleW(nullptr);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        if (::GetClassInfoExW(instance, nazevTridy, &wc)) return;
        if (!::GetClassInfoExW(nullptr, zakladniTrida, &wc) && !::GetClassInfoExW(instance, zakladniTrida, &wc))
            VyhoditPosledniChybu();
        SuperProcedura() = wc.lpfnWndProc;
        wc.lpfnWndProc = ProceduraOkna;
        wc.hInstance = instance;
        wc.lpszClassName = nazevTridy;
        if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) VyhoditPosledniChybu();
    }

    // Subclasses an existing window (a control of a dialog template).
    void Pripojit(HWND h) {
        if (!h || !::IsWindow(h)) VyhoditChybu(E_INVALIDARG);
        this->m_hWnd = h;
        m_podtrida = true;
        detail::PripojitObjekt(h, static_cast<T*>(this));
        if (!::SetWindowSubclass(h, ProceduraPodtridy, 1, reinterpret_cast<DWORD_PTR>(static_cast<T*>(this)))) {
            detail::OdpojitObjekt(h);
            this->m_hWnd = nullptr;
            m_podtrida = false;
            VyhoditChybu(E_FAIL);
        }
    }

    // Ends the subclassing; the window stays.
    HWND Odpojit() {
        HWND h = this->m_hWnd;
        if (h && m_podtrida) {
            ::RemoveWindowSubclass(h, ProceduraPodtridy, 1);
            detail::OdpojitObjekt(h);
        }
        m_podtrida = false;
        this->m_hWnd = nullptr;
        return h;
    }

    LRESULT VychoziZpracovani(UINT msg, WPARAM w, LPARAM l) {
        if (m_podtrida) return ::DefSubclassProc(this->m_hWnd, msg, w, l);
        if (SuperProcedura()) return ::CallWindowProcW(SuperProcedura(), this->m_hWnd, msg, w, l);
        return ::DefWindowProcW(this->m_hWnd, msg, w, l);
    }

    // Called after WM_NCDESTROY, when the handle has been cleared.
    virtual void PosledniZprava(HWND) {}

protected:
    bool m_podtrida = false;

    LRESULT Rozeslat(UINT msg, WPARAM w, LPARAM l) {
        LRESULT vysledek = 0;
        bool zpracovano = false;
        try {
            zpracovano = static_cast<T*>(this)->ZpracovatZpravu(this->m_hWnd, msg, w, l, vysledek, 0);
        } catch (...) {
            ZachytitVyjimku();
            zpracovano = true;
            vysledek = (msg == WM_CREATE) ? -1 : 0;  // WM_NCCREATE: 0 fails the creation too
        }
        if (!zpracovano) vysledek = VychoziZpracovani(msg, w, l);
        if (msg == WM_NCDESTROY) {
            HWND h = this->m_hWnd;
            detail::OdpojitObjekt(h);
            if (m_podtrida) ::RemoveWindowSubclass(h, ProceduraPodtridy, 1);
            m_podtrida = false;
            this->m_hWnd = nullptr;
            try {
                PosledniZprava(h);
            } catch (...) {
                ZachytitVyjimku();
            }
        }
        return vysledek;
    }

private:
    static WNDPROC& SuperProcedura() {
        static WNDPROC procedura = nullptr;
        return procedura;
    }

    static LRESULT CALLBACK ProceduraOkna(HWND h, UINT msg, WPARAM w, LPARAM l) {
        T* objekt = nullptr;
        if (msg == WM_NCCREATE) {
            objekt = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
            if (objekt) {
                objekt->m_hWnd = h;
                detail::PripojitObjekt(h, objekt);
            }
        } else {
            objekt = static_cast<T*>(detail::ObjektOkna(h));
        }
        if (!objekt) {
            if (SuperProcedura()) return ::CallWindowProcW(SuperProcedura(), h, msg, w, l);
            return ::DefWindowProcW(h, msg, w, l);
        }
        return objekt->Rozeslat(msg, w, l);
    }

    static LRESULT CALLBACK ProceduraPodtridy(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) {
        T* objekt = reinterpret_cast<T*>(data);
        if (!objekt || objekt->m_hWnd != h) return ::DefSubclassProc(h, msg, w, l);
        return objekt->Rozeslat(msg, w, l);
    }
};

// A dialog on a resource template T::IDD, modal or modeless, with T's message map.
template <class T, class TZaklad = Okno>
class DialogImpl : public TZaklad {
public:
    DialogImpl() = default;
    virtual ~DialogImpl() {
        if (this->m_hWnd && ::IsWindow(this->m_hWnd) && !m_modalni) {
            detail::OdpojitObjekt(this->m_hWnd);
            ::DestroyWindow(this->m_hWnd);
        }
        this->m_hWnd = nullptr;
    }

    // Runs the dialog modally; an exception of a handler ends the dialog and is raised here.
    INT_PTR SpustitModalne(HWND rodic = ::GetActiveWindow(), LPARAM parametr = 0) {
        m_modalni = true;
        m_parametr = parametr;
        INT_PTR vysledek = ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(T::IDD), rodic,
                                             ProceduraDialogu, reinterpret_cast<LPARAM>(static_cast<T*>(this)));
        DWORD kod = ::GetLastError();
        m_modalni = false;
        VyhoditOdlozenouVyjimku();
        if (vysledek == -1) {
            ::SetLastError(kod);
            VyhoditPosledniChybu();
        }
        return vysledek;
    }

    // Creates the dialog modeless.
    HWND Vytvorit(HWND rodic, LPARAM parametr = 0) {
        m_modalni = false;
        m_parametr = parametr;
        HWND h = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(T::IDD), rodic,
                                      ProceduraDialogu, reinterpret_cast<LPARAM>(static_cast<T*>(this)));
        DWORD kod = ::GetLastError();
        VyhoditOdlozenouVyjimku();
        if (!h) {
            ::SetLastError(kod);
            VyhoditPosledniChybu();
        }
        return h;
    }

    bool Ukoncit(INT_PTR vysledek) {
        if (m_modalni) return ::EndDialog(this->m_hWnd, vysledek) != 0;
        return ::DestroyWindow(this->m_hWnd) != 0;
    }

    bool JeModalni() const { return m_modalni; }

    LRESULT VychoziZpracovani(UINT, WPARAM, LPARAM) { return 0; }  // the dialog manager does the rest

    virtual void PosledniZprava(HWND) {}

protected:
    bool m_modalni = false;
    LPARAM m_parametr = 0;

private:
    static INT_PTR CALLBACK ProceduraDialogu(HWND h, UINT msg, WPARAM w, LPARAM l) {
        T* objekt = nullptr;
        if (msg == WM_INITDIALOG) {
            objekt = reinterpret_cast<T*>(l);
            objekt->m_hWnd = h;
            detail::PripojitObjekt(h, objekt);
            l = objekt->m_parametr;
        } else {
            objekt = static_cast<T*>(detail::ObjektOkna(h));
        }
        if (!objekt) return FALSE;
        if (msg == WM_COMMAND && HIWORD(w) == CBN_DROPDOWN && l != 0) PrizpusobitSirkuSeznamu(reinterpret_cast<HWND>(l));
        LRESULT vysledek = 0;
        bool zpracovano = false;
        try {
            zpracovano = objekt->ZpracovatZpravu(h, msg, w, l, vysledek, 0);
        } catch (...) {
            ZachytitVyjimku();
            if (objekt->m_modalni) ::EndDialog(h, -1);
            else ::PostMessageW(h, WM_NULL, 0, 0);  // wakes the loop that raises it
            return TRUE;
        }
        if (msg == WM_NCDESTROY) {
            detail::OdpojitObjekt(h);
            objekt->m_hWnd = nullptr;
            try {
                objekt->PosledniZprava(h);
            } catch (...) {
                ZachytitVyjimku();
            }
        }
        if (!zpracovano) return FALSE;
        switch (msg) {
            case WM_INITDIALOG:
            case WM_CTLCOLORMSGBOX:
            case WM_CTLCOLOREDIT:
            case WM_CTLCOLORLISTBOX:
            case WM_CTLCOLORBTN:
            case WM_CTLCOLORDLG:
            case WM_CTLCOLORSCROLLBAR:
            case WM_CTLCOLORSTATIC:
            case WM_COMPAREITEM:
            case WM_VKEYTOITEM:
            case WM_CHARTOITEM:
            case WM_QUERYDRAGICON:
                return static_cast<INT_PTR>(vysledek);
            default:
                ::SetWindowLongPtrW(h, DWLP_MSGRESULT, vysledek);
                return TRUE;
        }
    }
};

}  // namespace knihovna
