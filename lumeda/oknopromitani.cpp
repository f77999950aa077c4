#include "lumeda/oknopromitani.h"

#include <objidl.h>

#include <algorithm>
using std::max;
using std::min;
#include <gdiplus.h>

#include "lumeda/seznam.h"

namespace {
const wchar_t* const TRIDA = L"QOknoLumeda";
const UINT_PTR CASOVAC = 1;

// Timer, brush and window failures leave the show in no sane state: the process ends.
void Overit(bool podminka) {
    if (!podminka) ::ExitProcess(static_cast<UINT>(-1));
}
}  // namespace

OknoPromitani::OknoPromitani(const std::vector<std::wstring>& seznam, const Brenvald::Nastaveni& nastaveni)
    : m_seznam(seznam), m_nastaveni(nastaveni) {}

OknoPromitani::~OknoPromitani() {
    if (m_hWnd) Overit(::DestroyWindow(m_hWnd) != 0);
    delete m_obrazek;
    if (m_stetec) Overit(::DeleteObject(m_stetec) != 0);
}

void OknoPromitani::Spustit() {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW trida{};
    trida.cbSize = sizeof(trida);
    trida.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    trida.lpfnWndProc = Brenvald::Okno::ProceduraOkna;
    trida.hInstance = instance;
    trida.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    trida.lpszClassName = TRIDA;
    if (!::RegisterClassExW(&trida) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw Brenvald::Vyjimka::ZPosledniChyby();
    m_stetec = ::CreateSolidBrush(m_nastaveni.barvaPozadi);
    if (!m_stetec) throw Brenvald::Vyjimka::ZPosledniChyby();
    if (!::CreateWindowExW(0, TRIDA, L"", WS_POPUP, 0, 0, ::GetSystemMetrics(SM_CXSCREEN),
                           ::GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, this))
        throw Brenvald::Vyjimka::ZPosledniChyby();
    ::PostMessageW(m_hWnd, WM_TIMER, CASOVAC, 0);
    SpustitCasovac();
    ::ShowCursor(FALSE);
    m_kurzorSkryty = true;
    ::ShowWindow(m_hWnd, SW_SHOW);
}

void OknoPromitani::SpustitCasovac() {
    if (m_casovacBezi) return;
    Overit(::SetTimer(m_hWnd, CASOVAC, m_nastaveni.interval * 1000, nullptr) != 0);
    m_casovacBezi = true;
}

void OknoPromitani::ZastavitCasovac() {
    if (!m_casovacBezi) return;
    Overit(::KillTimer(m_hWnd, CASOVAC) != 0);
    m_casovacBezi = false;
}

void OknoPromitani::DalsiObrazek() {
    ++m_index;
    if (m_index >= static_cast<int>(m_seznam.size())) {
        if (!m_nastaveni.cyklickyOpakovat) {
            ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
            return;
        }
        m_index = 0;
    }
    delete m_obrazek;
    m_obrazek = new Gdiplus::Bitmap(m_seznam[static_cast<size_t>(m_index)].c_str());
    if (!m_obrazek || m_obrazek->GetLastStatus() != Gdiplus::Ok) {
        // the show ends at the first picture that cannot be read (GDI+'s new gives null when out of memory)
        delete m_obrazek;
        m_obrazek = nullptr;
        ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
        return;
    }
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void OknoPromitani::Kreslit() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT klient;
    ::GetClientRect(m_hWnd, &klient);
    const int cw = klient.right, ch = klient.bottom;
    if (!m_obrazek || cw <= 0 || ch <= 0) {
        ::FillRect(dc, &klient, m_stetec);
        ::EndPaint(m_hWnd, &ps);
        return;
    }
    HDC pamet = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmapa = ::CreateCompatibleBitmap(dc, cw, ch);
    if (pamet && bitmapa) {
        HGDIOBJ puvodni = ::SelectObject(pamet, bitmapa);
        ::FillRect(pamet, &klient, m_stetec);
        const UINT iw = m_obrazek->GetWidth(), ih = m_obrazek->GetHeight();
        const Brenvald::Cil cil = Brenvald::SpocitatCil(static_cast<UINT>(cw), static_cast<UINT>(ch), iw, ih);
        {
            Gdiplus::Graphics g(pamet);
            g.DrawImage(m_obrazek, Gdiplus::Rect(cil.x, cil.y, cil.sirka, cil.vyska), 0, 0, static_cast<INT>(iw),
                        static_cast<INT>(ih), Gdiplus::UnitPixel);
        }
        ::BitBlt(dc, 0, 0, cw, ch, pamet, 0, 0, SRCCOPY);
        ::SelectObject(pamet, puvodni);
    } else {
        ::FillRect(dc, &klient, m_stetec);
    }
    if (bitmapa) ::DeleteObject(bitmapa);
    if (pamet) ::DeleteDC(pamet);
    ::EndPaint(m_hWnd, &ps);
}

void OknoPromitani::KlavesaPustena(WPARAM klavesa) {
    switch (klavesa) {
        case VK_PAUSE:
            if (m_casovacBezi)
                ZastavitCasovac();
            else
                SpustitCasovac();
            break;
        case VK_ESCAPE:
            ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
            break;
        case VK_LEFT:
        case VK_UP:
            if (m_index > 0) {
                ZastavitCasovac();
                m_index -= 2;
                ::PostMessageW(m_hWnd, WM_TIMER, CASOVAC, 0);
                SpustitCasovac();
            }
            break;
        case VK_RIGHT:
        case VK_DOWN:
            ZastavitCasovac();
            ::PostMessageW(m_hWnd, WM_TIMER, CASOVAC, 0);
            SpustitCasovac();
            break;
        default:
            break;
    }
}

LRESULT OknoPromitani::ZpracovatZpravu(UINT zprava, WPARAM w, LPARAM, bool& zpracovano) {
    switch (zprava) {
        case WM_TIMER:
            DalsiObrazek();
            zpracovano = true;
            return 0;
        case WM_PAINT:
            Kreslit();
            zpracovano = true;
            return 0;
        case WM_ERASEBKGND:
            zpracovano = true;  // painting covers the whole client area
            return 1;
        case WM_KEYUP:
            KlavesaPustena(w);
            return 0;  // default processing follows
        case WM_CLOSE:
            ZastavitCasovac();
            if (m_kurzorSkryty) {
                ::ShowCursor(TRUE);
                m_kurzorSkryty = false;
            }
            return 0;  // default processing destroys the window
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return 0;
    }
}
