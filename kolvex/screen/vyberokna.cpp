#include "screen/vyberokna.h"

#include <process.h>

#include <new>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/hlaseni.h"
#include "core/ikonatray.h"
#include "core/oknohlavni.h"
#include "core/vlaknonastroje.h"
#include "knihovna/text.h"
#include "knihovna/uchyt.h"
#include "resources/resource.h"

using knihovna::Overit;

namespace {

// The picker's thread alone uses the object; the screen module's thread starts the pick and waits
// for it, and any thread may ask it to end through the thread record.
OknoVyberOkna* oknoVyberOkna = nullptr;
VlaknoNastroje vlaknoVyberuOkna(IDS_VYBER_OKNA);
HWND vybraneOkno = nullptr;  // written by the picker's thread before it ends, read after the join

constexpr int POZICE_VYBERU_OKNA = 5;  // bottom-right corner of the work area

}  // namespace

OknoVyberOkna::OknoVyberOkna() {
    NastavitKlic(aplikace.klicAplikace);
    m_kurzor = ::LoadCursorW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_KURZOR_VYBERU));
}

static int SirkaPodleTitulku(const wchar_t* titulek) {
    // The caption is read whole: the window is as wide as its text, the close button and the
    // frame need (at least 64 pixels). Some window managers draw a tool window's caption in the
    // normal caption font, and keep room for the minimise and maximise buttons of the style that a
    // tool window does not show: the wider font and three buttons count.
    NONCLIENTMETRICSW metriky{};
    metriky.cbSize = sizeof(metriky);
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metriky), &metriky, 0)) return 120;
    knihovna::DcOkna dc(nullptr);
    LONG text = 0;
    for (const LOGFONTW* popis : {&metriky.lfSmCaptionFont, &metriky.lfCaptionFont}) {
        knihovna::UchytPisma pismo(::CreateFontIndirectW(popis));
        SIZE rozmer{0, 0};
        if (pismo && dc) {
            knihovna::VybranyObjekt vyber(dc.Get(), pismo.Get());
            ::GetTextExtentPoint32W(dc.Get(), titulek, static_cast<int>(wcslen(titulek)), &rozmer);
        }
        if (rozmer.cx > text) text = rozmer.cx;
    }
    const int tlacitko = metriky.iSmCaptionWidth > metriky.iCaptionWidth ? metriky.iSmCaptionWidth : metriky.iCaptionWidth;
    const int sirka = static_cast<int>(text) + 3 * tlacitko + 2 * ::GetSystemMetrics(SM_CXSIZEFRAME) +
                      2 * ::GetSystemMetrics(SM_CXEDGE) + 16;
    return sirka > 64 ? sirka : 64;
}

void OknoVyberOkna::Vytvorit() {
    const std::wstring trida = knihovna::Retezec(IDS_TRIDA_VYBER_OKNA);
    const wchar_t* titulek = L"Výběr okna";
    RECT r{0, 0, SirkaPodleTitulku(titulek), 70};
    OknoImpl::Vytvorit(nullptr, &r, titulek, WS_OVERLAPPEDWINDOW, WS_EX_TOPMOST | WS_EX_TOOLWINDOW,
                       trida.c_str(), nullptr, nullptr, 0, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    UmistitNaPlochu(m_hWnd, POZICE_VYBERU_OKNA);
    ::SetForegroundWindow(m_hWnd);
    RECT okno;
    if (::GetWindowRect(m_hWnd, &okno)) ::SetCursorPos((okno.left + okno.right) / 2, (okno.top + okno.bottom) / 2);
    ::ShowWindow(m_hWnd, SW_SHOW);
}

LRESULT OknoVyberOkna::OnPaint(UINT, WPARAM, LPARAM, BOOL&) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT klient;
    ::GetClientRect(m_hWnd, &klient);
    if (m_kurzor)
        ::DrawIconEx(dc, (klient.right - ::GetSystemMetrics(SM_CXCURSOR)) / 2,
                     (klient.bottom - ::GetSystemMetrics(SM_CYCURSOR)) / 2, m_kurzor, 0, 0, 0, nullptr, DI_NORMAL);
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

LRESULT OknoVyberOkna::OnLButtonDown(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (::GetCapture() != m_hWnd) {
        if (m_kurzor) ::SetCursor(m_kurzor);
        ::SetCapture(m_hWnd);
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoVyberOkna::OnMouseMove(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (::GetCapture() == m_hWnd) {
        POINT bod;
        if (::GetCursorPos(&bod)) {
            HWND pod = ::WindowFromPoint(bod);
            if (pod && pod != oznaceneOkno) {
                SmazatRam();
                oznaceneOkno = pod;
                OznacitOkno(oznaceneOkno);
                ZobrazitInfo();
            }
        }
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoVyberOkna::OnLButtonUp(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    LRESULT vysledek = 0;
    if (::GetCapture() == m_hWnd) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        ::ReleaseCapture();
        vysledek = VychoziZpracovani(msg, w, l);
        SmazatRam();
        if (oznaceneOkno == m_hWnd) oznaceneOkno = nullptr;  // the picker never picks itself
        Odeslat(WM_CLOSE);
        return vysledek;
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoVyberOkna::OnKeyDown(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (w == VK_ESCAPE) {
        // Escape picks nothing and leaves the screen as it was.
        if (::GetCapture() == m_hWnd) ::ReleaseCapture();
        SmazatRam();
        oznaceneOkno = nullptr;
        Odeslat(WM_CLOSE);
        return 0;
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoVyberOkna::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::PostQuitMessage(0);
    return VychoziZpracovani(msg, w, l);
}

void OknoVyberOkna::SmazatRam() {
    if (oznaceneOkno && ::IsWindow(oznaceneOkno)) OznacitOkno(oznaceneOkno);
}

void OknoVyberOkna::OznacitOkno(HWND okno) const {
    RECT r;
    if (!::GetWindowRect(okno, &r)) return;
    knihovna::DcOkna obrazovka(nullptr);
    if (!obrazovka) return;
    HDC dc = obrazovka.Get();
    knihovna::UchytPera pero(::CreatePen(PS_INSIDEFRAME, sirkaRamu, RGB(255, 0, 0)));
    Overit(static_cast<bool>(pero));
    int puvodniRop = ::SetROP2(dc, R2_NOT);
    {
        knihovna::VybranyObjekt vyberPera(dc, pero.Get());
        knihovna::VybranyObjekt vyberStetce(dc, ::GetStockObject(NULL_BRUSH));
        ::MoveToEx(dc, r.left, r.top, nullptr);
        ::LineTo(dc, r.right, r.top);
        ::LineTo(dc, r.right, r.bottom);
        ::LineTo(dc, r.left, r.bottom);
        ::LineTo(dc, r.left, r.top);
    }
    ::SetROP2(dc, puvodniRop);
    Overit(pero.Uvolnit());
}

void OknoVyberOkna::ZobrazitInfo() const {
    if (!oznaceneOkno || !::IsWindow(oznaceneOkno)) return;
    RECT r;
    if (!::GetWindowRect(oznaceneOkno, &r)) return;
    std::wstring text = knihovna::Formatovat(L"x: %d, y: %d\nšířka: %d, výška: %d", static_cast<int>(r.left),
                                             static_cast<int>(r.top), static_cast<int>(r.right - r.left),
                                             static_cast<int>(r.bottom - r.top));
    // The main icon is the main thread's: the balloon is handed over to it.
    ZobrazitBublinuHlavniIkony(nullptr, text, true);
}

unsigned __stdcall OknoVyberOkna::ProceduraVlakna(void*) {
    try {
        vybraneOkno = nullptr;
        oknoVyberOkna = new OknoVyberOkna;
        oknoVyberOkna->Vytvorit();
        vlaknoVyberuOkna.OknoVytvoreno(oknoVyberOkna->m_hWnd);
        knihovna::SmyckaZprav();
        vlaknoVyberuOkna.OknoZruseno();
        HWND oznacene = oknoVyberOkna->oznaceneOkno;
        // a pick ended by a stop chooses nothing
        if (oznacene && ::IsWindow(oznacene) && !vlaknoVyberuOkna.ZastaveniPozadovano()) vybraneOkno = oznacene;
        OknoVyberOkna* okno = oknoVyberOkna;
        oknoVyberOkna = nullptr;
        delete okno;
        return 0;
    } catch (const knihovna::Chyba& chyba) {
        vlaknoVyberuOkna.OknoZruseno();
        OknoVyberOkna* okno = oknoVyberOkna;
        oknoVyberOkna = nullptr;
        try {
            delete okno;
        } catch (...) {
        }
        HlasitChybuVlaknaNastroje(aplikace, chyba, IDS_VYBER_OKNA);
    } catch (const std::bad_alloc&) {
        vlaknoVyberuOkna.OknoZruseno();
        OknoVyberOkna* okno = oknoVyberOkna;
        oknoVyberOkna = nullptr;
        delete okno;
        HlasitChybuVlaknaNastroje(aplikace, knihovna::Chyba(E_OUTOFMEMORY), IDS_VYBER_OKNA);
    } catch (...) {
        // nothing else may leave a thread procedure
    }
    return static_cast<unsigned>(-1);
}

bool BeziVyberOkna() { return vlaknoVyberuOkna.Bezi(); }

HWND VybratOkno() {
    if (vlaknoVyberuOkna.Bezi()) return nullptr;
    vybraneOkno = nullptr;
    vlaknoVyberuOkna.Spustit(OknoVyberOkna::ProceduraVlakna);
    // The user picks for as long as they like; a stop of the screen module ends the pick
    // (UkoncitVyberOkna from the main thread), so this wait always has an end.
    vlaknoVyberuOkna.CekatNaKonec();
    return vybraneOkno;
}

void UkoncitVyberOkna() { vlaknoVyberuOkna.PozadatOZastaveni(); }
