#include "screen/vybervyrezem.h"

#include <process.h>

#include <atomic>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <new>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/hlaseni.h"
#include "core/vlaknonastroje.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/text.h"
#include "resources/resource.h"
#include "screen/opis.h"

using knihovna::Overit;

namespace {

OknoVyberVyrezem* oknoVyberVyrezem = nullptr;
// Only the screen module's thread starts and stops the picker, through the thread record
// (handle, window, stop request); the picker object is the picker thread's alone.
VlaknoNastroje vlaknoVyberu(IDS_VYBER_VYREZEM);
HWND prijemceVyrezu = nullptr;

UINT NazevNastroje(bool mereni) { return mereni ? IDS_MERENI_VYREZEM : IDS_VYBER_VYREZEM; }

void SpustitVlakno(bool mereni) {
    vlaknoVyberu.Spustit(OknoVyberVyrezem::ProceduraVlakna, reinterpret_cast<void*>(mereni ? 1 : 0),
                         NazevNastroje(mereni));
}

}  // namespace

OknoVyberVyrezem::OknoVyberVyrezem(bool mereni) : rezimMereni(mereni) {
    NastavitKlic(aplikace.klicAplikace);
    m_kurzor = ::LoadCursorW(nullptr, IDC_CROSS);
}

OknoVyberVyrezem::~OknoVyberVyrezem() {
    if (m_pamet && m_puvodniBitmapa) ::SelectObject(m_pamet.Get(), m_puvodniBitmapa);
}

void OknoVyberVyrezem::Vytvorit() {
    m_ulozitPriPrvnim = AktualniNastaveniOpisu().vyrezUlozitPriPrvnim;

    // 1. The snapshot of the whole screen.
    m_sirka = ::GetSystemMetrics(SM_CXSCREEN);
    m_vyska = ::GetSystemMetrics(SM_CYSCREEN);
    {
        knihovna::DcOkna obrazovka(nullptr);
        Overit(static_cast<bool>(obrazovka));
        m_pamet.Nastavit(::CreateCompatibleDC(obrazovka.Get()));
        Overit(static_cast<bool>(m_pamet));
        m_snimek.Nastavit(::CreateCompatibleBitmap(obrazovka.Get(), m_sirka, m_vyska));
        Overit(static_cast<bool>(m_snimek));
        m_puvodniBitmapa = ::SelectObject(m_pamet.Get(), m_snimek.Get());
        Overit(::BitBlt(m_pamet.Get(), 0, 0, m_sirka, m_vyska, obrazovka.Get(), 0, 0, SRCCOPY) != 0);
    }

    // 2. The window over the whole screen with the program's icons.
    const std::wstring trida = knihovna::Retezec(IDS_TRIDA_VYBER_VYREZEM);
    RECT r{0, 0, m_sirka, m_vyska};
    OknoImpl::Vytvorit(nullptr, &r, L"Obrazovka", WS_POPUP, WS_EX_TOPMOST, trida.c_str(), nullptr, nullptr, 0,
                       static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)));
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(aplikace.malaIkona.Get()));

    // 3-4. The results panel: always when measuring, on request when capturing.
    if (rezimMereni || AktualniNastaveniOpisu().vyrezZobrazovatSouradnice) {
        zobrazitZoom = !nastaveniObrazovka || nastaveniObrazovka->mereniVyrez.zobrazitZoom;
        vysledky = std::make_unique<DlgVysledkyMereniObrVyrez>();
        vysledky->Vytvorit(m_hWnd);
        vysledky->vlastnik = m_hWnd;
    }
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
    // The panel goes on top only after the window is active, which would otherwise cover it.
    if (vysledky) {
        ::ShowWindow(vysledky->m_hWnd, SW_SHOWNOACTIVATE);
        ::SetWindowPos(vysledky->m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (vysledky->seznam) ::ShowWindow(vysledky->seznam, SW_HIDE);
    }
}

LRESULT OknoVyberVyrezem::OnPaint(UINT, WPARAM, LPARAM, BOOL&) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    ::BitBlt(dc, 0, 0, m_sirka, m_vyska, m_pamet.Get(), 0, 0, SRCCOPY);
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

LRESULT OknoVyberVyrezem::OnSetCursor(UINT, WPARAM, LPARAM, BOOL&) {
    ::SetCursor(m_kurzor);
    return TRUE;
}

void OknoVyberVyrezem::KreslitObdelnik(HDC dc) const {
    RECT r{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    ::DrawFocusRect(dc, &r);
}

LRESULT OknoVyberVyrezem::OnLButtonDown(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    {
        knihovna::DcOkna dc(m_hWnd);
        if (dc) ::BitBlt(dc.Get(), 0, 0, m_sirka, m_vyska, m_pamet.Get(), 0, 0, SRCCOPY);
    }
    m_vyber = true;
    m_nakreslen = false;
    x1 = LOWORD(l);
    y1 = HIWORD(l);
    if (vysledky) {
        vysledky->ZobrazitStart(x1, y1);
        vysledky->NastavitSystemoveMenu(false);
    }
    ::SetCapture(m_hWnd);
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoVyberVyrezem::OnMouseMove(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (vysledky) vysledky->ZobrazitPolohu(static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)));
    PosunoutKonec(l);
    if (vysledky && zobrazitZoom) {
        POINT bod{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
        ::ClientToScreen(m_hWnd, &bod);
        vysledky->AktualizovatLupu(bod);
    }
    return VychoziZpracovani(msg, w, l);
}

void OknoVyberVyrezem::PosunoutKonec(LPARAM l) {
    if (m_vyber) {
        knihovna::DcOkna obrazovka(nullptr);
        if (obrazovka) {
            if (m_nakreslen) KreslitObdelnik(obrazovka.Get());
            x2 = static_cast<short>(LOWORD(l));
            y2 = static_cast<short>(HIWORD(l));
            KreslitObdelnik(obrazovka.Get());
            m_nakreslen = true;
        }
        dx = std::abs(x2 - x1);
        dy = std::abs(y2 - y1);
        uhlopricka = static_cast<int>(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
        if (vysledky) vysledky->ZobrazitBody(x1, y1, x2, y2);
    }
}

LRESULT OknoVyberVyrezem::OnLButtonUp(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    // The rectangle ends where the button was released, even when no move was reported there.
    if (m_vyber && (static_cast<short>(LOWORD(l)) != x2 || static_cast<short>(HIWORD(l)) != y2)) PosunoutKonec(l);
    if (m_vyber && ::GetCapture() == m_hWnd) ::ReleaseCapture();
    m_vyber = false;
    m_nakreslen = false;  // the last rectangle stays visible
    if (vysledky) vysledky->NastavitSystemoveMenu(true);
    if (!rezimMereni && m_ulozitPriPrvnim) Prijmout();
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoVyberVyrezem::OnKeyDown(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    switch (w) {
        case VK_RETURN:
        case VK_F8:
            Prijmout();
            return 0;
        case VK_ESCAPE:
            zruseno = true;
            Odeslat(WM_CLOSE);
            return 0;
        default:
            return VychoziZpracovani(msg, w, l);
    }
}

void OknoVyberVyrezem::Prijmout() {
    zruseno = false;
    Odeslat(WM_CLOSE);
}

LRESULT OknoVyberVyrezem::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::SetCursor(nullptr);
    if (vysledky) {
        if (vysledky->m_hWnd && ::IsWindowVisible(vysledky->m_hWnd)) vysledky->UlozitPolohuPanelu();
        vysledky.reset();
    }
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    Poslat(WM_SETICON, ICON_BIG, 0);
    Poslat(WM_SETICON, ICON_SMALL, 0);
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoVyberVyrezem::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::SetCursor(nullptr);
    ::PostQuitMessage(0);
    return VychoziZpracovani(msg, w, l);
}

unsigned __stdcall OknoVyberVyrezem::ProceduraVlakna(void* mereni) {
    const bool rezimMereni = mereni != nullptr;
    try {
        oknoVyberVyrezem = new OknoVyberVyrezem(rezimMereni);
        oknoVyberVyrezem->Vytvorit();
        vlaknoVyberu.OknoVytvoreno(oknoVyberVyrezem->m_hWnd);  // a stop that came meanwhile closes it now
        knihovna::SmyckaZprav();
        vlaknoVyberu.OknoZruseno();
        OknoVyberVyrezem* okno = oknoVyberVyrezem;
        if (!okno->rezimMereni && !okno->zruseno && prijemceVyrezu)
            ::PostMessageW(prijemceVyrezu, ZpravaVyrezVybran, MAKEWPARAM(okno->x1, okno->y1),
                           MAKELPARAM(okno->x2, okno->y2));
        oknoVyberVyrezem = nullptr;
        delete okno;
        return 0;
    } catch (const knihovna::Chyba& chyba) {
        vlaknoVyberu.OknoZruseno();
        OknoVyberVyrezem* okno = oknoVyberVyrezem;
        oknoVyberVyrezem = nullptr;
        delete okno;
        HlasitChybuVlaknaNastroje(aplikace, chyba, NazevNastroje(rezimMereni));
    } catch (const std::bad_alloc&) {
        vlaknoVyberu.OknoZruseno();
        OknoVyberVyrezem* okno = oknoVyberVyrezem;
        oknoVyberVyrezem = nullptr;
        delete okno;
        HlasitChybuVlaknaNastroje(aplikace, knihovna::Chyba(E_OUTOFMEMORY), NazevNastroje(rezimMereni));
    } catch (...) {
        // nothing else may leave a thread procedure
    }
    return static_cast<unsigned>(-1);
}

bool OknoVyberVyrezem::Bezi() { return vlaknoVyberu.Bezi(); }

void OknoVyberVyrezem::SpustitOpis(HWND prijemce) {
    try {
        prijemceVyrezu = prijemce;
        SpustitVlakno(false);
    } catch (const knihovna::Chyba& chyba) {
        HlasitChybuSpusteniNastroje(chyba, IDS_VYBER_VYREZEM);
    }
}

void OknoVyberVyrezem::SpustitMereni() {
    try {
        SpustitVlakno(true);
    } catch (const knihovna::Chyba& chyba) {
        HlasitChybuSpusteniNastroje(chyba, IDS_MERENI_VYREZEM);
    }
}

void OknoVyberVyrezem::Zastavit() { vlaknoVyberu.Zastavit(); }
