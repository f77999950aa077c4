#include "podpora/snimek.h"

#include <objidl.h>
#include <gdiplus.h>
#include <shlwapi.h>

#include <set>
#include <vector>

#include "podpora/pomocnik.h"

namespace testy {

namespace {

bool NajitKoderPng(CLSID& clsid) {
    UINT pocet = 0, velikost = 0;
    if (Gdiplus::GetImageEncodersSize(&pocet, &velikost) != Gdiplus::Ok || velikost == 0) return false;
    std::vector<BYTE> data(velikost);
    auto* kodery = reinterpret_cast<Gdiplus::ImageCodecInfo*>(data.data());
    if (Gdiplus::GetImageEncoders(pocet, velikost, kodery) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < pocet; ++i) {
        if (wcscmp(kodery[i].MimeType, L"image/png") == 0) {
            clsid = kodery[i].Clsid;
            return true;
        }
    }
    return false;
}

}  // namespace

std::wstring SlozkaArtefaktu() {
    wchar_t cesta[MAX_PATH];
    std::wstring slozka = SlozkaTestu() + L"\\..\\artefakty";
    if (::PathCanonicalizeW(cesta, slozka.c_str())) slozka = cesta;
    ::CreateDirectoryW(slozka.c_str(), nullptr);
    // pictures taken at a scaled display go to a folder of their own ("dpi144")
    HDC obrazovka = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(obrazovka, LOGPIXELSY);
    ::ReleaseDC(nullptr, obrazovka);
    if (dpi != 96) {
        slozka += L"\\dpi" + std::to_wstring(dpi);
        ::CreateDirectoryW(slozka.c_str(), nullptr);
    }
    return slozka;
}

namespace {

BOOL CALLBACK MaNeprekreslenePotomky(HWND okno, LPARAM l) {
    if (::IsWindowVisible(okno) && ::GetUpdateRect(okno, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(l) = true;
        return FALSE;
    }
    return TRUE;
}

bool JeNeprekreslene(HWND okno) {
    bool zbyva = ::GetUpdateRect(okno, nullptr, FALSE) != FALSE;
    if (!zbyva) ::EnumChildWindows(okno, MaNeprekreslenePotomky, reinterpret_cast<LPARAM>(&zbyva));
    return zbyva;
}

}  // namespace

void PrekreslitOkno(HWND okno) {
    const UINT co = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME;
    if (::GetWindowThreadProcessId(okno, nullptr) == ::GetCurrentThreadId()) {
        ::RedrawWindow(okno, nullptr, nullptr, co | RDW_UPDATENOW);
        return;
    }
    DWORD_PTR vysledek = 0;
    // returns once the window's thread has finished what it was doing
    ::SendMessageTimeoutW(okno, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &vysledek);
    ::RedrawWindow(okno, nullptr, nullptr, co);
    CekatNa([&] { return !JeNeprekreslene(okno); }, 2000);
}

Snimek UlozitSnimekOkna(HWND okno, const std::wstring& jmeno) {
    Snimek snimek;
    RECT r;
    if (!::GetWindowRect(okno, &r)) return snimek;
    const int sirka = r.right - r.left, vyska = r.bottom - r.top;
    if (sirka <= 0 || vyska <= 0) return snimek;

    HDC obrazovka = ::GetDC(nullptr);
    HDC pamet = ::CreateCompatibleDC(obrazovka);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = sirka;
    info.bmiHeader.biHeight = -vyska;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bity = nullptr;
    HBITMAP bitmapa = ::CreateDIBSection(pamet, &info, DIB_RGB_COLORS, &bity, nullptr, 0);
    HGDIOBJ stara = ::SelectObject(pamet, bitmapa);
    ::BitBlt(pamet, 0, 0, sirka, vyska, obrazovka, r.left, r.top, SRCCOPY | CAPTUREBLT);
    ::GdiFlush();

    std::set<DWORD> barvy;
    const DWORD* body = static_cast<const DWORD*>(bity);
    for (int i = 0; i < sirka * vyska; ++i) {
        DWORD b = body[i] & 0xFFFFFF;
        barvy.insert(b);
        int jas = (GetRValue(b) + GetGValue(b) + GetBValue(b)) / 3;
        if (jas < 80) ++snimek.tmavychBodu;
    }
    snimek.pocetBarev = static_cast<int>(barvy.size());

    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput vstup;
    if (Gdiplus::GdiplusStartup(&token, &vstup, nullptr) == Gdiplus::Ok) {
        CLSID png;
        if (NajitKoderPng(png)) {
            std::wstring soubor = SlozkaArtefaktu() + L"\\" + jmeno + L".png";
            Gdiplus::Bitmap obrazek(bitmapa, nullptr);
            if (obrazek.Save(soubor.c_str(), &png, nullptr) == Gdiplus::Ok) snimek.soubor = soubor;
        }
        Gdiplus::GdiplusShutdown(token);
    }
    ::SelectObject(pamet, stara);
    ::DeleteObject(bitmapa);
    ::DeleteDC(pamet);
    ::ReleaseDC(nullptr, obrazovka);
    return snimek;
}

}  // namespace testy
