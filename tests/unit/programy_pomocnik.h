// Helpers of the tests that run Lumeda, Dulcevo and the extensions' test host as processes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "podpora/pomocnik.h"

namespace testy {

// Starts the program with the command line (given whole, as the started program sees it) and
// returns its process handle (null on failure).
inline HANDLE SpustitProces(const std::wstring& program, const std::wstring& radek) {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::wstring r = radek;
    r.push_back(L'\0');
    if (!::CreateProcessW(program.c_str(), &r[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return nullptr;
    ::CloseHandle(pi.hThread);
    return pi.hProcess;
}

// Runs the program to its end; the exit code, or STILL_ACTIVE after the time-out (then killed).
inline DWORD SpustitAPockat(const std::wstring& program, const std::wstring& radek, DWORD ms = 20000) {
    HANDLE p = SpustitProces(program, radek);
    if (!p) return static_cast<DWORD>(-2);
    DWORD kod = STILL_ACTIVE;
    if (::WaitForSingleObject(p, ms) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(p, &kod);
    else
        ::TerminateProcess(p, 99);
    ::CloseHandle(p);
    return kod;
}

// The first top-level window of the class (and caption, when given) owned by the process.
struct HledaniOkna {
    DWORD pid;
    const wchar_t* trida;
    const wchar_t* titulek;
    HWND nalezeno;
};
inline BOOL CALLBACK ZkusitOkno(HWND okno, LPARAM l) {
    auto* h = reinterpret_cast<HledaniOkna*>(l);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(okno, &pid);
    if (pid != h->pid) return TRUE;
    wchar_t t[100] = L"";
    ::GetClassNameW(okno, t, 100);
    if (wcscmp(t, h->trida) != 0) return TRUE;
    if (h->titulek) {
        wchar_t c[200] = L"";
        ::GetWindowTextW(okno, c, 200);
        if (wcscmp(c, h->titulek) != 0) return TRUE;
    }
    h->nalezeno = okno;
    return FALSE;
}
inline HWND OknoProcesu(HANDLE proces, const wchar_t* trida, const wchar_t* titulek = nullptr) {
    HledaniOkna h{::GetProcessId(proces), trida, titulek, nullptr};
    ::EnumWindows(ZkusitOkno, reinterpret_cast<LPARAM>(&h));
    return h.nalezeno;
}

// The record of the extensions' test host: "name=value" lines (zentrava_test.cpp).
struct ZaznamHostitele {
    std::vector<std::pair<std::wstring, std::wstring>> radky;
    std::wstring operator[](const std::wstring& nazev) const;
    std::vector<std::wstring> Polozky() const;
};
// Runs the test host on the DLL with the menu flags, the command (-1 none) and the paths.
ZaznamHostitele SpustitHostitele(const std::wstring& dll, const wchar_t* clsid, UINT priznaky, int prikaz,
                                 const std::vector<std::wstring>& cesty);

inline bool ProcesSkoncil(HANDLE proces, DWORD ms = 10000) { return ::WaitForSingleObject(proces, ms) == WAIT_OBJECT_0; }

// Clipboard access for the checks (retried while another process holds the clipboard).
inline bool OtevritSchranku() {
    return CekatNa([] { return ::OpenClipboard(nullptr) != 0; }, 5000);
}
inline std::wstring UnicodeZeSchranky() {
    std::wstring text;
    if (!OtevritSchranku()) return L"<schránka nedostupná>";
    if (HANDLE h = ::GetClipboardData(CF_UNICODETEXT)) {
        if (auto* p = static_cast<const wchar_t*>(::GlobalLock(h))) {
            text = p;
            ::GlobalUnlock(h);
        }
    }
    ::CloseClipboard();
    return text;
}
inline void VlozitDoSchranky(const std::wstring& text) {
    if (!OtevritSchranku()) return;
    ::EmptyClipboard();
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    memcpy(::GlobalLock(h), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    ::GlobalUnlock(h);
    ::SetClipboardData(CF_UNICODETEXT, h);
    ::CloseClipboard();
}

inline bool ZapsatBajty(const std::wstring& cesta, const std::string& data) {
    HANDLE f = ::CreateFileW(cesta.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD n = 0;
    bool ok = ::WriteFile(f, data.data(), static_cast<DWORD>(data.size()), &n, nullptr) && n == data.size();
    ::CloseHandle(f);
    return ok;
}

}  // namespace testy

#include <objidl.h>

#include <algorithm>
using std::max;
using std::min;
#include <gdiplus.h>

namespace testy {

// A picture of one colour saved in the format of the MIME type ("image/png", "image/jpeg", ...).
inline bool UlozitObrazek(const std::wstring& cesta, int sirka, int vyska, COLORREF barva,
                          const wchar_t* mime = L"image/png") {
    UINT pocet = 0, velikost = 0;
    if (Gdiplus::GetImageEncodersSize(&pocet, &velikost) != Gdiplus::Ok || velikost == 0) return false;
    std::vector<BYTE> buffer(velikost);
    auto* kodeky = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(pocet, velikost, kodeky);
    for (UINT i = 0; i < pocet; ++i) {
        if (wcscmp(kodeky[i].MimeType, mime) != 0) continue;
        Gdiplus::Bitmap obrazek(sirka, vyska, PixelFormat24bppRGB);
        {
            Gdiplus::Graphics g(&obrazek);
            Gdiplus::SolidBrush stetec(Gdiplus::Color(GetRValue(barva), GetGValue(barva), GetBValue(barva)));
            g.FillRectangle(&stetec, 0, 0, sirka, vyska);
        }
        return obrazek.Save(cesta.c_str(), &kodeky[i].Clsid, nullptr) == Gdiplus::Ok;
    }
    return false;
}

}  // namespace testy
