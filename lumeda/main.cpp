// Lumeda: shows pictures full-screen one after another, or its settings when there is nothing
// to show.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
using std::max;
using std::min;
#include <gdiplus.h>

#include <memory>
#include <string>
#include <vector>

#include "lumeda/brenvald.h"
#include "lumeda/dlgnastaveni.h"
#include "lumeda/oknopromitani.h"
#include "lumeda/resource.h"
#include "lumeda/seznam.h"

namespace {

class Aplikace {
public:
    std::wstring titulek = L"Brenvald software";
    HICON velkaIkona = nullptr;
    HICON malaIkona = nullptr;
    Brenvald::Nastaveni nastaveni;
    std::vector<std::wstring> seznam;

    int Spustit();

private:
    ULONG_PTR m_gdiplus = 0;
    void NacistTitulek();
    void Nastaveni();
    int Promitat();
};

void Aplikace::NacistTitulek() {
    wchar_t modul[MAX_PATH] = L"";
    if (!::GetModuleFileNameW(nullptr, modul, MAX_PATH)) throw Brenvald::Vyjimka::ZPosledniChyby();
    DWORD h = 0;
    DWORD velikost = ::GetFileVersionInfoSizeW(modul, &h);
    if (!velikost) throw Brenvald::Vyjimka::ZPosledniChyby();
    std::vector<BYTE> data(velikost);
    if (!::GetFileVersionInfoW(modul, 0, velikost, data.data())) throw Brenvald::Vyjimka::ZPosledniChyby();
    struct Preklad {
        WORD jazyk;
        WORD kodovani;
    }* preklad = nullptr;
    UINT delka = 0;
    if (!::VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&preklad), &delka) ||
        delka < sizeof(Preklad))
        throw Brenvald::Vyjimka(L"Nespecifikovaná chyba");
    wchar_t cesta[80];
    wsprintfW(cesta, L"\\StringFileInfo\\%04x%04x\\%s", preklad->jazyk, preklad->kodovani, L"ProductName");
    wchar_t* text = nullptr;
    if (!::VerQueryValueW(data.data(), cesta, reinterpret_cast<void**>(&text), &delka) || !text || delka == 0)
        throw Brenvald::Vyjimka(L"Nespecifikovaná chyba");
    titulek = text;
}

void Aplikace::Nastaveni() {
    DlgNastaveni dialog(nastaveni, titulek, velkaIkona, malaIkona);
    dialog.Spustit(IDD_NASTAVENI, ::GetActiveWindow());
}

int Aplikace::Promitat() {
    OknoPromitani okno(seznam, nastaveni);
    okno.Spustit();
    MSG zprava;
    while (::GetMessageW(&zprava, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&zprava);
        ::DispatchMessageW(&zprava);
    }
    return 0;
}

int Aplikace::Spustit() {
    std::vector<std::wstring> argumenty = Brenvald::RozdelitPrikazovyRadek(::GetCommandLineW());
    if (!argumenty.empty()) argumenty.erase(argumenty.begin());  // the program's own name
    // the registration switches end the program: it registers nothing of its own
    if (!argumenty.empty() && argumenty.front().size() > 1 &&
        (argumenty.front()[0] == L'/' || argumenty.front()[0] == L'-')) {
        const wchar_t* prepinac = argumenty.front().c_str() + 1;
        if (_wcsicmp(prepinac, L"RegServer") == 0 || _wcsicmp(prepinac, L"UnregServer") == 0) return 0;
    }

    if (FAILED(::CoInitialize(nullptr))) return 1;
    INITCOMMONCONTROLSEX icc{sizeof(icc), 0x2FFF};
    if (!::InitCommonControlsEx(&icc)) throw Brenvald::Vyjimka::ZPosledniChyby();
    NacistTitulek();
    Gdiplus::GdiplusStartupInput vstup;
    if (Gdiplus::GdiplusStartup(&m_gdiplus, &vstup, nullptr) != Gdiplus::Ok) throw Brenvald::Vyjimka(L"GDI+");
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    velkaIkona = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_LUMEDA), IMAGE_ICON,
                                                 ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), 0));
    malaIkona = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_LUMEDA), IMAGE_ICON,
                                                ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
    if (!velkaIkona || !malaIkona) throw Brenvald::Vyjimka::ZPosledniChyby();

    try {
        nastaveni.Nacist();
    } catch (const Brenvald::Vyjimka& v) {
        ZobrazitChybuNastaveni(titulek, v.Text());
    }

    int vysledek = 0;
    if (Brenvald::SestavitSeznam(argumenty, seznam))
        vysledek = Promitat();
    else
        Nastaveni();

    Gdiplus::GdiplusShutdown(m_gdiplus);
    ::CoUninitialize();
    return vysledek;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    try {
        Aplikace aplikace;
        return aplikace.Spustit();
    } catch (...) {
        return static_cast<int>(E_FAIL);
    }
}
