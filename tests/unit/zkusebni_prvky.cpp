#include "zkusebni_prvky.h"

namespace testy {

std::vector<Zaznam> DialogPrvku::Prijate(UINT zprava) {
    Pumpovat();
    std::vector<Zaznam> vysledek;
    for (const Zaznam& z : zaznamy)
        if (z.zprava == zprava) vysledek.push_back(z);
    return vysledek;
}

void Pumpovat(DWORD ms) {
    const ULONGLONG konec = ::GetTickCount64() + ms;
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(5);
    } while (::GetTickCount64() < konec);
}

namespace {
struct Hledani {
    HWND krome;
    HWND nalezeno;
};

BOOL CALLBACK NajitDialog(HWND h, LPARAM l) {
    auto* hledani = reinterpret_cast<Hledani*>(l);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(h, &pid);
    if (pid != ::GetCurrentProcessId() || h == hledani->krome || !::IsWindowVisible(h)) return TRUE;
    wchar_t trida[64];
    if (::GetClassNameW(h, trida, 64) && wcscmp(trida, L"#32770") == 0) {
        hledani->nalezeno = h;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND CekatNaSystemovyDialog(HWND krome, DWORD ms) {
    const ULONGLONG konec = ::GetTickCount64() + ms;
    do {
        Hledani hledani{krome, nullptr};
        ::EnumWindows(NajitDialog, reinterpret_cast<LPARAM>(&hledani));
        if (hledani.nalezeno) return hledani.nalezeno;
        ::Sleep(20);
    } while (::GetTickCount64() < konec);
    return nullptr;
}

RidicDialogu::RidicDialogu(HWND krome, std::function<void(HWND)> akce) {
    m_vlakno = std::thread([this, krome, akce]() {
        try {
            HWND dialog = CekatNaSystemovyDialog(krome);
            if (!dialog) return;
            m_nalezen = true;
            ::Sleep(300);  // let the dialog finish its initialisation
            akce(dialog);
        } catch (...) {
        }
    });
}

RidicDialogu::~RidicDialogu() {
    if (m_vlakno.joinable()) m_vlakno.join();
}

bool RidicDialogu::Dokoncit() {
    if (m_vlakno.joinable()) m_vlakno.join();
    return m_nalezen;
}

PametovyObraz::PametovyObraz(int sirka, int vyska) : m_sirka(sirka), m_vyska(vyska) {
    HDC obrazovka = ::GetDC(nullptr);
    m_dc = ::CreateCompatibleDC(obrazovka);
    m_bitmapa = ::CreateCompatibleBitmap(obrazovka, sirka, vyska);
    ::ReleaseDC(nullptr, obrazovka);
    m_puvodni = ::SelectObject(m_dc, m_bitmapa);
    RECT r{0, 0, sirka, vyska};
    ::FillRect(m_dc, &r, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
}

PametovyObraz::~PametovyObraz() {
    ::SelectObject(m_dc, m_puvodni);
    ::DeleteObject(m_bitmapa);
    ::DeleteDC(m_dc);
}

bool PametovyObraz::ObsahujeBarvu(COLORREF barva) const {
    for (int y = 0; y < m_vyska; ++y)
        for (int x = 0; x < m_sirka; ++x)
            if (::GetPixel(m_dc, x, y) == barva) return true;
    return false;
}

}  // namespace testy
