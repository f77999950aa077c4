// Capture benchmark: the whole road "hot key pressed -> capture file written" of a running
// Kolvex (default settings: clipboard copy and balloon on, no follow-up program), for JPEG and
// PNG of the full screen, beside a bare BitBlt + GDI+ save of the same screen in the same run.
// Prints the medians in milliseconds and the ratio.
// Usage: bench_opis.exe [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "podpora/obrazky.h"
#include "podpora/pomocnik.h"
#include "podpora/ridic.h"

using namespace testy;

namespace {

const wchar_t* const KLIC = L"Software\\Brenvald\\Kolvex\\5.0";

double Ted() {
    static LARGE_INTEGER frekvence = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frekvence.QuadPart);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n == 0 ? 0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2);
}

void ZapsatDword(const wchar_t* sekce, const wchar_t* hodnota, DWORD data) {
    HKEY h = nullptr;
    std::wstring klic = std::wstring(KLIC) + L"\\" + sekce;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, klic.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr);
    ::RegSetValueExW(h, hodnota, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
    ::RegCloseKey(h);
}

void NastavitHorkouKlavesu() {
    HKEY h = nullptr;
    std::wstring klic = std::wstring(KLIC) + L"\\Horke klavesy";
    ::RegCreateKeyExW(HKEY_CURRENT_USER, klic.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr);
    const uint32_t zaznam[4] = {MOD_CONTROL | MOD_ALT, 'K', 40113, 33};
    ::RegSetValueExW(h, L"40113", 0, REG_BINARY, reinterpret_cast<const BYTE*>(zaznam), sizeof(zaznam));
    ::RegCloseKey(h);
}

CLSID Koder(const wchar_t* mime) {
    UINT pocet = 0, velikost = 0;
    Gdiplus::GetImageEncodersSize(&pocet, &velikost);
    std::vector<BYTE> buffer(velikost);
    auto* kodery = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(pocet, velikost, kodery);
    for (UINT i = 0; i < pocet; ++i)
        if (wcscmp(kodery[i].MimeType, mime) == 0) return kodery[i].Clsid;
    return CLSID{};
}

// The bare capture: BitBlt of the screen, a GDI+ bitmap of it, saved with the encoder.
double HolyOpis(const std::wstring& soubor, const CLSID& koder, bool jpeg) {
    double t0 = Ted();
    HDC obrazovka = ::GetDC(nullptr);
    int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
    HDC pamet = ::CreateCompatibleDC(obrazovka);
    HBITMAP bitmapa = ::CreateCompatibleBitmap(obrazovka, w, h);
    HGDIOBJ puvodni = ::SelectObject(pamet, bitmapa);
    ::BitBlt(pamet, 0, 0, w, h, obrazovka, 0, 0, SRCCOPY);
    ::SelectObject(pamet, puvodni);
    {
        Gdiplus::Bitmap obrazek(bitmapa, nullptr);
        Gdiplus::EncoderParameters parametry;
        ULONG kvalita = 80;
        parametry.Count = 1;
        parametry.Parameter[0].Guid = Gdiplus::EncoderQuality;
        parametry.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
        parametry.Parameter[0].NumberOfValues = 1;
        parametry.Parameter[0].Value = &kvalita;
        obrazek.Save(soubor.c_str(), &koder, jpeg ? &parametry : nullptr);
    }
    ::DeleteObject(bitmapa);
    ::DeleteDC(pamet);
    ::ReleaseDC(nullptr, obrazovka);
    return Ted() - t0;
}

// Hot key -> the file exists (it appears complete: the capture is renamed into place).

std::vector<double> MeritKolvex(DWORD format, const wchar_t* pripona, int kola) {
    VycistitStavKolvexu();
    NastavitHorkouKlavesu();
    ZapsatDword(L"Opis", L"shellOtevrit", 0);
    ZapsatDword(L"Opis", L"format", format);
    if (getenv("BEZ_SCHRANKY")) ZapsatDword(L"Opis", L"kopirovatDoSchranky", 0);
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(L"QKolvexHlavniOkno");
    kolvex.CekatNaOkno(L"QKolvexObrazovka");
    std::wstring slozka = SlozkaDokumentu() + L"\\Kolvex 5\\Opis obrazovky";
    // a warm-up capture that is not counted (it also brings a lost first key event back)
    std::wstring prvni = slozka + L"\\Obrazovka0" + pripona;
    for (int pokus = 0; pokus < 3 && ::GetFileAttributesW(prvni.c_str()) == INVALID_FILE_ATTRIBUTES; ++pokus) {
        StisknoutKlavesy({VK_CONTROL, VK_MENU, 'K'});
        CekatNa([&] { return ::GetFileAttributesW(prvni.c_str()) != INVALID_FILE_ATTRIBUTES; }, 3000);
    }
    ::Sleep(300);
    std::vector<double> casy;
    for (int i = 1; i <= kola; ++i) {
        std::wstring soubor = slozka + L"\\Obrazovka" + std::to_wstring(i) + pripona;
        double t0 = Ted();
        StisknoutKlavesy({VK_CONTROL, VK_MENU, 'K'});
        while (Ted() - t0 < 5000 && ::GetFileAttributesW(soubor.c_str()) == INVALID_FILE_ATTRIBUTES) ::Sleep(1);
        if (::GetFileAttributesW(soubor.c_str()) != INVALID_FILE_ATTRIBUTES) casy.push_back(Ted() - t0);
        ::Sleep(150);
    }
    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    kolvex.CekatNaKonec();
    VycistitStavKolvexu();
    return casy;
}

}  // namespace

int main(int argc, char** argv) {
    const int kola = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;
    SpustitGdiPlus();
    DocasnaSlozka slozka;
    const CLSID jpeg = Koder(L"image/jpeg"), png = Koder(L"image/png");

    std::vector<double> holyJpeg, holyPng;
    for (int i = 0; i < kola; ++i) {
        holyJpeg.push_back(HolyOpis(slozka.Cesta() + L"\\holy" + std::to_wstring(i) + L".jpg", jpeg, true));
        holyPng.push_back(HolyOpis(slozka.Cesta() + L"\\holy" + std::to_wstring(i) + L".png", png, false));
    }
    std::vector<double> kolvexJpeg = MeritKolvex(0, L".jpg", kola);
    std::vector<double> kolvexPng = MeritKolvex(1, L".png", kola);

    std::printf("screen %dx%d, %d rounds, medians in ms\n", ::GetSystemMetrics(SM_CXSCREEN),
                ::GetSystemMetrics(SM_CYSCREEN), kola);
    std::printf("%-6s %12s %18s %8s\n", "format", "bare capture", "hot key -> file", "ratio");
    double hj = Median(holyJpeg), kj = Median(kolvexJpeg), hp = Median(holyPng), kp = Median(kolvexPng);
    std::printf("%-6s %12.1f %18.1f %8.2f  (%zu of %d captures seen)\n", "JPEG", hj, kj, hj > 0 ? kj / hj : 0,
                kolvexJpeg.size(), kola);
    std::printf("%-6s %12.1f %18.1f %8.2f  (%zu of %d captures seen)\n", "PNG", hp, kp, hp > 0 ? kp / hp : 0,
                kolvexPng.size(), kola);
    return 0;
}
