#include "podpora/ridic.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "podpora/pomocnik.h"

namespace testy {

Program::Program(const std::wstring& jmeno, const std::wstring& argumenty) {
    std::wstring cesta = SlozkaTestu() + L"\\" + jmeno;
    std::wstring radek = L"\"" + cesta + L"\"";
    if (!argumenty.empty()) radek += L" " + argumenty;
    std::vector<wchar_t> buffer(radek.begin(), radek.end());
    buffer.push_back(L'\0');
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (::CreateProcessW(cesta.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, SlozkaTestu().c_str(), &si,
                         &pi)) {
        m_proces = pi.hProcess;
        m_pid = pi.dwProcessId;
        ::CloseHandle(pi.hThread);
    } else {
        std::fprintf(stderr, "CreateProcess %ls: error %lu\n", cesta.c_str(), ::GetLastError());
    }
}

Program::~Program() {
    if (m_proces) {
        if (Bezi()) {
            ::TerminateProcess(m_proces, 99);
            ::WaitForSingleObject(m_proces, 5000);
        }
        ::CloseHandle(m_proces);
    }
}

bool Program::Bezi() const { return m_proces && ::WaitForSingleObject(m_proces, 0) == WAIT_TIMEOUT; }

DWORD Program::CekatNaKonec(DWORD ms) const {
    if (!m_proces) return STILL_ACTIVE;
    if (::WaitForSingleObject(m_proces, ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD kod = STILL_ACTIVE;
    ::GetExitCodeProcess(m_proces, &kod);
    return kod;
}

namespace {

struct Hledani {
    DWORD pid;
    const wchar_t* trida;
    HWND nalezeno;
};

BOOL CALLBACK ZkusitOkno(HWND okno, LPARAM data) {
    auto* h = reinterpret_cast<Hledani*>(data);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(okno, &pid);
    if (pid != h->pid) return TRUE;
    wchar_t trida[256];
    if (::GetClassNameW(okno, trida, 256) && wcscmp(trida, h->trida) == 0) {
        h->nalezeno = okno;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND NajitOknoProcesu(DWORD pid, const wchar_t* trida) {
    Hledani h{pid, trida, nullptr};
    ::EnumWindows(ZkusitOkno, reinterpret_cast<LPARAM>(&h));
    if (h.nalezeno) return h.nalezeno;
    // message-only windows are not enumerated: look for them among HWND_MESSAGE's children
    for (HWND okno = ::FindWindowExW(HWND_MESSAGE, nullptr, trida, nullptr); okno;
         okno = ::FindWindowExW(HWND_MESSAGE, okno, trida, nullptr)) {
        DWORD vlastnik = 0;
        ::GetWindowThreadProcessId(okno, &vlastnik);
        if (vlastnik == pid) return okno;
    }
    return nullptr;
}

namespace {
BOOL CALLBACK PridatOknoProcesu(HWND okno, LPARAM l) {
    auto* h = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(l);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(okno, &pid);
    if (pid == h->first) h->second.push_back(okno);
    return TRUE;
}
}  // namespace

std::vector<HWND> OknaProcesu(DWORD pid) {
    std::pair<DWORD, std::vector<HWND>> hledani{pid, {}};
    ::EnumWindows(PridatOknoProcesu, reinterpret_cast<LPARAM>(&hledani));
    return hledani.second;
}

bool OznamitKonecRelace(DWORD pid, bool konci, std::string& hlaseni) {
    // Windows waits for each answer, with a bound; a stop that saves everything may take seconds
    const std::vector<HWND> okna = OknaProcesu(pid);
    bool ok = !okna.empty();
    for (HWND okno : okna) {
        DWORD_PTR odpoved = 0;
        if (::IsWindow(okno) &&
            (!::SendMessageTimeoutW(okno, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &odpoved) ||
             odpoved == 0)) {
            hlaseni += "query refused or timed out; ";
            ok = false;
        }
    }
    for (HWND okno : okna) {
        DWORD_PTR odpoved = 0;
        if (::IsWindow(okno) &&
            !::SendMessageTimeoutW(okno, WM_ENDSESSION, konci ? TRUE : FALSE, ENDSESSION_LOGOFF, SMTO_NORMAL, 20000,
                                   &odpoved) &&
            ::IsWindow(okno)) {
            hlaseni += "WM_ENDSESSION did not return in time; ";
            ok = false;
        }
    }
    return ok;
}

HWND Program::CekatNaOkno(const wchar_t* trida, DWORD ms) const {
    HWND okno = nullptr;
    CekatNa([&] { return (okno = NajitOknoProcesu(m_pid, trida)) != nullptr || !Bezi(); }, ms);
    return okno;
}

HWND Program::CekatNaZpravu(DWORD ms) const {
    HWND box = nullptr;
    CekatNa(
        [&] {
            box = NajitOknoProcesu(m_pid, L"#32770");
            return (box && !TextZpravy(box).empty()) || !Bezi();
        },
        ms);
    return box && !TextZpravy(box).empty() ? box : nullptr;
}

std::wstring TextOkna(HWND okno) {
    wchar_t text[1024] = L"";
    ::SendMessageTimeoutW(okno, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, nullptr);
    return text;
}

namespace {
struct HledaniPotomka {
    const wchar_t* trida;
    HWND nalezeno;
};
BOOL CALLBACK NajitPotomka(HWND h, LPARAM l) {
    auto* hledani = reinterpret_cast<HledaniPotomka*>(l);
    wchar_t trida[64] = L"";
    ::GetClassNameW(h, trida, 64);
    if (wcscmp(trida, hledani->trida) != 0) return TRUE;
    hledani->nalezeno = h;
    return FALSE;
}
}  // namespace

HWND Potomek(HWND okno, const wchar_t* trida) {
    HledaniPotomka hledani{trida, nullptr};
    ::EnumChildWindows(okno, NajitPotomka, reinterpret_cast<LPARAM>(&hledani));
    return hledani.nalezeno;
}

std::wstring TextZpravy(HWND box) {
    HWND staticky = ::GetDlgItem(box, 0xFFFF);
    return staticky ? TextOkna(staticky) : std::wstring();
}

void StisknoutKlavesy(std::initializer_list<WORD> klavesy) {
    std::vector<INPUT> vstupy;
    for (WORD vk : klavesy) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        vstupy.push_back(in);
    }
    for (auto it = klavesy.end(); it != klavesy.begin();) {
        --it;
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = *it;
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        vstupy.push_back(in);
    }
    ::SendInput(static_cast<UINT>(vstupy.size()), vstupy.data(), sizeof(INPUT));
}

void NapsatText(const std::wstring& text) {
    for (wchar_t znak : text) {
        INPUT vstup[2] = {};
        vstup[0].type = INPUT_KEYBOARD;
        vstup[0].ki.wScan = znak;
        vstup[0].ki.dwFlags = KEYEVENTF_UNICODE;
        vstup[1] = vstup[0];
        vstup[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        ::SendInput(2, vstup, sizeof(INPUT));
    }
}

namespace {

INPUT PohybNa(POINT bod) {
    INPUT pohyb{};
    pohyb.type = INPUT_MOUSE;
    pohyb.mi.dx = static_cast<LONG>(bod.x * 65535 / std::max(1, ::GetSystemMetrics(SM_CXSCREEN) - 1));
    pohyb.mi.dy = static_cast<LONG>(bod.y * 65535 / std::max(1, ::GetSystemMetrics(SM_CYSCREEN) - 1));
    pohyb.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return pohyb;
}

}  // namespace

bool CekatNaKlavesniciMenu(HWND vlastnik, DWORD ms) {
    return CekatNa(
        [&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof(info);
            // (the menu owner reported is the menu window under Wine, the owner under Windows)
            return ::GetGUIThreadInfo(0, &info) && (info.flags & GUI_INMENUMODE) &&
                   ::GetWindowThreadProcessId(::GetForegroundWindow(), nullptr) ==
                       ::GetWindowThreadProcessId(vlastnik, nullptr);
        },
        ms);
}

bool VRezimuMenu(HWND okno) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(okno, nullptr), &info) && (info.flags & GUI_INMENUMODE) != 0;
}

void PosunoutMys(POINT bod) {
    INPUT pohyb = PohybNa(bod);
    ::SendInput(1, &pohyb, sizeof(INPUT));
}

void KliknoutLevym(POINT bod) {
    ::SetCursorPos(bod.x, bod.y);
    // the move goes with the buttons, so the click cannot land where the cursor was before
    INPUT vstup[3]{};
    vstup[0] = PohybNa(bod);
    vstup[1].type = vstup[2].type = INPUT_MOUSE;
    vstup[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    vstup[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(3, vstup, sizeof(INPUT));
}

void DvojklikLevym(POINT bod) {
    ::SetCursorPos(bod.x, bod.y);
    // Each button event carries the point: Wine moves the X pointer after the cursor, and a motion
    // event of the X server that comes late between the clicks would move the second click away.
    INPUT vstup[4]{};
    for (int i = 0; i < 4; ++i) {
        vstup[i] = PohybNa(bod);
        vstup[i].mi.dwFlags |= i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
    }
    ::SendInput(4, vstup, sizeof(INPUT));
}

std::wstring SlozkaDokumentu() {
    wchar_t cesta[MAX_PATH] = L"";
    ::SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, cesta);
    return cesta;
}

void VycistitStavKolvexu() {
    SmazatKlic(L"Software\\Brenvald\\Kolvex");
    SmazatStrom(SlozkaDokumentu() + L"\\Kolvex 5");
}

}  // namespace testy

// The centre of Kolvex's own icon: the rightmost icon of the notification area (its blue "K").
bool testy::NajitIkonuKolvexu(POINT& stred) {
    HWND lista = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    RECT r{};
    if (!lista || !::GetWindowRect(lista, &r)) return false;
    HDC obrazovka = ::GetDC(nullptr);
    bool nalezeno = false;
    for (int x = r.right - 1; x > r.right - 200 && !nalezeno; --x)
        for (int y = r.top; y < r.bottom && !nalezeno; ++y) {
            const COLORREF c = ::GetPixel(obrazovka, x, y);
            if (GetBValue(c) > 150 && GetRValue(c) < 90 && GetGValue(c) < 140) {
                const int velikost = ::GetSystemMetrics(SM_CXSMICON);
                stred = {x - velikost / 2, (r.top + r.bottom) / 2};
                nalezeno = true;
            }
        }
    ::ReleaseDC(nullptr, obrazovka);
    return nalezeno;
}

namespace {
// Rows of Kolvex's own menus: the drawn items' height and the popup's frame (at the screen's DPI).
int VyskaRadkuMenu() {
    HDC dc = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(dc, LOGPIXELSY);
    ::ReleaseDC(nullptr, dc);
    return ::MulDiv(20, dpi, 96);
}
constexpr int RAMECEK_MENU = 3;

int RadkuMenu(HWND okno) {
    RECT r{};
    ::GetWindowRect(okno, &r);
    return (r.bottom - r.top - 2 * RAMECEK_MENU + VyskaRadkuMenu() / 2) / VyskaRadkuMenu();
}
}  // namespace

HWND testy::OtevritPodnabidku(HWND vlastnik, HWND menu, int radku) {
    if (!CekatNaKlavesniciMenu(vlastnik)) return nullptr;
    for (int krok = 0; krok < 16; ++krok) {
        StisknoutKlavesy({VK_UP});
        StisknoutKlavesy({VK_RIGHT});
        HWND podnabidka = nullptr;
        CekatNa([&] {
            for (HWND h = ::FindWindowExW(nullptr, nullptr, L"#32768", nullptr); h; h = ::FindWindowExW(nullptr, h, L"#32768", nullptr))
                if (h != menu && ::IsWindowVisible(h)) podnabidka = h;
            return podnabidka != nullptr;
        }, 500);
        if (podnabidka && RadkuMenu(podnabidka) == radku) return podnabidka;
        if (podnabidka) {
            StisknoutKlavesy({VK_LEFT});
            CekatNa([&] { return !::IsWindowVisible(podnabidka); }, 1000);
        }
    }
    return nullptr;
}

POINT testy::StredRadkuMenu(HWND okno, int radek) {
    RECT r{};
    ::GetWindowRect(okno, &r);
    return {(r.left + r.right) / 2, r.top + RAMECEK_MENU + radek * VyskaRadkuMenu() + VyskaRadkuMenu() / 2};
}
