// Picture helpers of the tests: GDI+ for the test program, decoding a saved file again,
// its format by the file's signature, and plain coloured test windows.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <algorithm>
using std::max;
using std::min;
#include <gdiplus.h>

#include <cstdio>
#include <string>

namespace testy {

// Starts GDI+ once for the whole test program (it stays up until the process ends).
inline void SpustitGdiPlus() {
    static ULONG_PTR token = 0;
    if (token) return;
    Gdiplus::GdiplusStartupInput vstup;
    Gdiplus::GdiplusStartup(&token, &vstup, nullptr);
}

struct DekodovanyObrazek {
    bool nacten = false;
    UINT sirka = 0;
    UINT vyska = 0;
    std::string format;  // by the file's signature: JPEG, PNG, BMP, TIFF, GIF or "?"
};

inline std::string FormatPodlePodpisu(const std::wstring& soubor) {
    unsigned char b[8] = {};
    FILE* f = _wfopen(soubor.c_str(), L"rb");
    if (!f) return "";
    size_t n = fread(b, 1, sizeof(b), f);
    fclose(f);
    if (n >= 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF) return "JPEG";
    if (n >= 8 && b[0] == 0x89 && b[1] == 'P' && b[2] == 'N' && b[3] == 'G') return "PNG";
    if (n >= 2 && b[0] == 'B' && b[1] == 'M') return "BMP";
    if (n >= 4 && ((b[0] == 'I' && b[1] == 'I' && b[2] == 42) || (b[0] == 'M' && b[1] == 'M' && b[3] == 42)))
        return "TIFF";
    if (n >= 4 && b[0] == 'G' && b[1] == 'I' && b[2] == 'F' && b[3] == '8') return "GIF";
    return "?";
}

// Loads the file with GDI+ and lets it go again.
inline DekodovanyObrazek Dekodovat(const std::wstring& soubor) {
    DekodovanyObrazek vysledek;
    vysledek.format = FormatPodlePodpisu(soubor);
    Gdiplus::Bitmap* obrazek = Gdiplus::Bitmap::FromFile(soubor.c_str());
    if (obrazek && obrazek->GetLastStatus() == Gdiplus::Ok) {
        vysledek.nacten = true;
        vysledek.sirka = obrazek->GetWidth();
        vysledek.vyska = obrazek->GetHeight();
    }
    delete obrazek;
    return vysledek;
}

// Colour of one pixel of a GDI+ bitmap as a COLORREF.
inline COLORREF Pixel(Gdiplus::Bitmap& obrazek, int x, int y) {
    Gdiplus::Color barva;
    obrazek.GetPixel(x, y, &barva);
    return RGB(barva.GetR(), barva.GetG(), barva.GetB());
}

// A visible top-most pop-up window painted in one colour, for captures of known content.
class BarevneOkno {
public:
    BarevneOkno(COLORREF barva, RECT r) : m_stetec(::CreateSolidBrush(barva)) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QTestBarevneOkno";
        ::RegisterClassW(&wc);
        m_okno = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"QTestBarevneOkno", L"", WS_POPUP, r.left,
                                   r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
        ::SetClassLongPtrW(m_okno, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(m_stetec));
        ::ShowWindow(m_okno, SW_SHOWNOACTIVATE);
        ::RedrawWindow(m_okno, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
        Pumpovat();
    }
    ~BarevneOkno() {
        ::DestroyWindow(m_okno);
        ::DeleteObject(m_stetec);
    }
    BarevneOkno(const BarevneOkno&) = delete;
    BarevneOkno& operator=(const BarevneOkno&) = delete;
    HWND Okno() const { return m_okno; }

    static void Pumpovat() {
        MSG msg;
        for (int i = 0; i < 5; ++i) {
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
            ::Sleep(20);
        }
    }

private:
    HBRUSH m_stetec;
    HWND m_okno = nullptr;
};

}  // namespace testy
