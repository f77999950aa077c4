// Dulcevo: the file named on the command line goes to the clipboard. A failure leaves the
// clipboard as it was and says why; the exit code is always 0.
#include <windows.h>
#include <objidl.h>

#include <algorithm>
using std::max;
using std::min;
#include <gdiplus.h>

#include <memory>

#include "dulcevo/dulcevo.h"

namespace {

const wchar_t* const TITULEK = L"Dulcevo";

void Oznamit(const std::wstring& text) {
    ::MessageBoxW(nullptr, text.c_str(), TITULEK, MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST);
}

std::wstring TextChyby(DWORD kod) {
    wchar_t* text = nullptr;
    DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                               nullptr, kod, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring s = (n && text) ? std::wstring(text, n) : L"Nespecifikovaná chyba";
    if (text) ::LocalFree(text);
    while (!s.empty() && (s.back() == L'\n' || s.back() == L'\r' || s.back() == L' ')) s.pop_back();
    return s;
}

const wchar_t* const NELZE_SCHRANKU = L"Schránku se nepodařilo otevřít (drží ji jiný program); její obsah se nezměnil.";

// Hands the global memory (or the bitmap) to the clipboard; the clipboard is left unchanged
// when it cannot be opened. On failure the caller still owns the data.
// Another program may hold the clipboard for a moment (one reading what it just got): it gets up to
// two seconds to let it go before Dulcevo gives up (the clipboard tells no one when it is free).
bool OtevritSchranku() {
    const ULONGLONG konec = ::GetTickCount64() + 2000;
    for (;;) {
        if (::OpenClipboard(::GetDesktopWindow())) return true;
        if (::GetTickCount64() >= konec) return false;
        ::Sleep(20);
    }
}

// One clipboard content of one or more formats (the same text as 8-bit and Unicode).
struct FormatSchranky {
    UINT format;
    HANDLE data;
};

// Each data the clipboard took is set to null; the caller frees what is left.
bool DoSchranky(FormatSchranky* formaty, size_t pocet) {
    if (!OtevritSchranku()) {
        Oznamit(NELZE_SCHRANKU);
        return false;
    }
    bool hotovo = ::EmptyClipboard() != FALSE;
    for (size_t i = 0; hotovo && i < pocet; ++i) {
        hotovo = ::SetClipboardData(formaty[i].format, formaty[i].data) != nullptr;
        if (hotovo) formaty[i].data = nullptr;
    }
    const DWORD chyba = ::GetLastError();
    ::CloseClipboard();
    if (!hotovo) Oznamit(L"Data se nepodařilo vložit do schránky.\n" + TextChyby(chyba));
    return hotovo;
}

bool DoSchranky(UINT format, HANDLE data) {
    FormatSchranky f{format, data};
    return DoSchranky(&f, 1);
}

template <class Znak>
HGLOBAL PametTextu(const std::basic_string<Znak>& text) {
    const SIZE_T bajtu = (text.size() + 1) * sizeof(Znak);
    HGLOBAL pamet = ::GlobalAlloc(GMEM_MOVEABLE, bajtu);
    void* cil = pamet ? ::GlobalLock(pamet) : nullptr;
    if (!cil) {
        if (pamet) ::GlobalFree(pamet);
        return nullptr;
    }
    memcpy(cil, text.c_str(), bajtu);
    ::GlobalUnlock(pamet);
    return pamet;
}

// The 8-bit and the Unicode text of a file, together (either may be absent).
void TextDoSchranky(const dulcevo::Text& text) {
    FormatSchranky formaty[2];
    size_t pocet = 0;
    bool pamet = true;
    if (text.maUzky) {
        formaty[pocet] = {CF_TEXT, PametTextu(text.uzky)};
        pamet = pamet && formaty[pocet++].data;
    }
    if (text.maSiroky) {
        formaty[pocet] = {CF_UNICODETEXT, PametTextu(text.siroky)};
        pamet = pamet && formaty[pocet++].data;
    }
    if (!pamet)
        Oznamit(L"Pro text souboru není dost paměti; schránka se nezměnila.");
    else
        DoSchranky(formaty, pocet);
    for (size_t i = 0; i < pocet; ++i)
        if (formaty[i].data) ::GlobalFree(formaty[i].data);
}

void KopirovatText(const std::wstring& cesta) {
    HANDLE soubor = ::CreateFileW(cesta.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (soubor == INVALID_HANDLE_VALUE) {
        Oznamit(L"Soubor \"" + cesta + L"\" nelze otevřít; schránka se nezměnila.\n" + TextChyby(::GetLastError()));
        return;
    }
    LARGE_INTEGER velikost{};
    if (!::GetFileSizeEx(soubor, &velikost)) {
        const DWORD chyba = ::GetLastError();
        ::CloseHandle(soubor);
        Oznamit(L"Velikost souboru \"" + cesta + L"\" nelze zjistit; schránka se nezměnila.\n" + TextChyby(chyba));
        return;
    }
    if (velikost.QuadPart < 0 || static_cast<unsigned long long>(velikost.QuadPart) > dulcevo::NEJVETSI_SOUBOR) {
        ::CloseHandle(soubor);
        Oznamit(L"Soubor \"" + cesta + L"\" je pro schránku příliš velký (nejvýše 64 MB); schránka se nezměnila.");
        return;
    }
    std::vector<BYTE> data(static_cast<size_t>(velikost.QuadPart));
    size_t precteno = 0;
    while (precteno < data.size()) {
        DWORD kus = 0;
        const DWORD chci = static_cast<DWORD>(std::min<size_t>(data.size() - precteno, 1u << 20));
        if (!::ReadFile(soubor, data.data() + precteno, chci, &kus, nullptr) || kus == 0) break;
        precteno += kus;
    }
    const DWORD chyba = ::GetLastError();
    ::CloseHandle(soubor);
    if (precteno != data.size()) {
        Oznamit(L"Soubor \"" + cesta + L"\" se nepodařilo celý přečíst; schránka se nezměnila.\n" + TextChyby(chyba));
        return;
    }
    const dulcevo::Text text = dulcevo::TextZBajtu(data);
    if (!text.jeText) {
        Oznamit(L"Soubor \"" + cesta + L"\" neobsahuje text (jsou v něm nulové bajty, jaké mají jen binární soubory, "
                L"například archivy nebo programy), proto jej nelze vložit do schránky jako text; schránka se nezměnila.");
        return;
    }
    TextDoSchranky(text);
}

void KopirovatObrazek(const std::wstring& cesta) {
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput vstup;
    if (Gdiplus::GdiplusStartup(&token, &vstup, nullptr) != Gdiplus::Ok) return;
    {
        std::unique_ptr<Gdiplus::Bitmap> obrazek(new Gdiplus::Bitmap(cesta.c_str()));
        if (!obrazek || obrazek->GetLastStatus() != Gdiplus::Ok) {  // GDI+'s new gives null when out of memory
            Oznamit(L"Obrázek \"" + cesta + L"\" se nepodařilo načíst; schránka se nezměnila.");
        } else {
            const int w = static_cast<int>(obrazek->GetWidth()), h = static_cast<int>(obrazek->GetHeight());
            HDC obrazovka = ::GetDC(nullptr);
            HDC pamet = ::CreateCompatibleDC(obrazovka);
            HBITMAP bitmapa = ::CreateCompatibleBitmap(obrazovka, w, h);
            Gdiplus::Status stav = Gdiplus::GenericError;
            if (pamet && bitmapa) {
                HGDIOBJ puvodni = ::SelectObject(pamet, bitmapa);
                {
                    Gdiplus::Graphics g(pamet);
                    Gdiplus::CachedBitmap ulozena(obrazek.get(), &g);
                    stav = g.DrawCachedBitmap(&ulozena, 0, 0);
                }
                ::SelectObject(pamet, puvodni);
            }
            if (stav != Gdiplus::Ok) {
                Oznamit(L"Obrázek \"" + cesta + L"\" se nepodařilo připravit pro schránku; schránka se nezměnila.");
            } else if (DoSchranky(CF_BITMAP, bitmapa)) {
                bitmapa = nullptr;  // the clipboard owns it now
            }
            if (bitmapa) ::DeleteObject(bitmapa);
            if (pamet) ::DeleteDC(pamet);
            ::ReleaseDC(nullptr, obrazovka);
        }
    }
    Gdiplus::GdiplusShutdown(token);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    try {
        const std::wstring cesta = dulcevo::CestaZPrikazoveRadky(::GetCommandLineW());
        if (cesta.empty()) return 0;
        if (dulcevo::JeObrazek(cesta))
            KopirovatObrazek(cesta);
        else
            KopirovatText(cesta);
    } catch (...) {
        // out of memory: nothing was put on the clipboard
    }
    return 0;
}
