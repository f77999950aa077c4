// Fenrik.dll as Kolvex loads it: its exports, its refusal to load without a receiver, and the
// events of another program's window reported to a receiver window of this process.
#include <gtest/gtest.h>

#include <windowsx.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "windows/modulrozsirenioken.h"

using namespace testy;

namespace {

using FunkceHaku = BOOL(WINAPI*)();

struct Hlaseni {
    ULONG_PTR kod;
    HWND wParam;
    DWORD velikost;
    UdalostOkna zaznam;
    DWORD vlakno;  // thread that handled it
};
std::vector<Hlaseni> hlaseni;

LRESULT CALLBACK ProceduraPrijemce(HWND h, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(l);
        Hlaseni z{data->dwData, reinterpret_cast<HWND>(w), data->cbData, {0, 0, 0}, ::GetCurrentThreadId()};
        if (data->cbData == sizeof(UdalostOkna) && data->lpData) std::memcpy(&z.zaznam, data->lpData, sizeof(z.zaznam));
        hlaseni.push_back(z);
        return TRUE;
    }
    return ::DefWindowProcW(h, msg, w, l);
}

// The receiver: a window of class QKolvexOknoHaky on this thread.
class Prijemce {
public:
    Prijemce() {
        // a class of that name left by the module's own tests goes first: this one records
        ::UnregisterClassW(L"QKolvexOknoHaky", ::GetModuleHandleW(nullptr));
        WNDCLASSW wc{};
        wc.lpfnWndProc = ProceduraPrijemce;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QKolvexOknoHaky";
        ::RegisterClassW(&wc);
        okno = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"QKolvexOknoHaky", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        hlaseni.clear();
    }
    ~Prijemce() {
        ::DestroyWindow(okno);
        ::UnregisterClassW(L"QKolvexOknoHaky", ::GetModuleHandleW(nullptr));
    }
    HWND okno;
};

std::wstring CestaFenriku() { return SlozkaTestu() + L"\\Fenrik.dll"; }

// Fenrik loaded with its hooks installed for the life of the object.
class Haky {
public:
    Haky() {
        knihovna = ::LoadLibraryW(CestaFenriku().c_str());
        if (!knihovna) return;
        nastavit = reinterpret_cast<FunkceHaku>(reinterpret_cast<void*>(::GetProcAddress(knihovna, "NastavitHaky")));
        odebrat = reinterpret_cast<FunkceHaku>(reinterpret_cast<void*>(::GetProcAddress(knihovna, "OdebratHaky")));
    }
    ~Haky() {
        if (odebrat) odebrat();
        if (knihovna) ::FreeLibrary(knihovna);
    }
    HMODULE knihovna = nullptr;
    FunkceHaku nastavit = nullptr;
    FunkceHaku odebrat = nullptr;
};

const Hlaseni* NajitHlaseni(ULONG_PTR kod, HWND okno) {
    for (const Hlaseni& h : hlaseni)
        if (h.kod == kod && h.wParam == okno) return &h;
    return nullptr;
}

// Windows of their own thread in this process, with a message loop: a pop-up and, second, an
// overlapped window with a system menu.
DWORD WINAPI VlaknoSOknem(void* parametr) {
    auto* okna = static_cast<HWND*>(parametr);
    okna[1] = ::CreateWindowExW(0, L"STATIC", L"Okno se systémovou nabídkou", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50,
                                nullptr, nullptr, nullptr, nullptr);
    okna[0] = ::CreateWindowExW(0, L"STATIC", L"Okno jiného vlákna", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                                nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    ::DestroyWindow(okna[0]);
    ::DestroyWindow(okna[1]);
    return 0;
}

// A screen point where the window answers HTCAPTION.
bool BodTitulku(HWND okno, POINT& bod) {
    RECT r;
    if (!::GetWindowRect(okno, &r)) return false;
    bod.x = (r.left + r.right) / 2;
    for (bod.y = r.top; bod.y < r.top + 60; ++bod.y) {
        if (::SendMessageW(okno, WM_NCHITTEST, 0, MAKELPARAM(bod.x, bod.y)) == HTCAPTION) return true;
    }
    return false;
}

}  // namespace

TEST(FenrikExporty, NastaveniAOdebraniHakuVraciJednickuJenPoprve) {
    Prijemce prijemce;
    ASSERT_NE(prijemce.okno, nullptr);
    Haky haky;
    ASSERT_NE(haky.knihovna, nullptr) << "Fenrik.dll did not load beside the receiver";
    ASSERT_NE(haky.nastavit, nullptr);
    ASSERT_NE(haky.odebrat, nullptr);
    // the exports carry their ordinals 1 and 2 as well
    EXPECT_EQ(reinterpret_cast<void*>(::GetProcAddress(haky.knihovna, MAKEINTRESOURCEA(1))),
              reinterpret_cast<void*>(haky.nastavit));
    EXPECT_EQ(reinterpret_cast<void*>(::GetProcAddress(haky.knihovna, MAKEINTRESOURCEA(2))),
              reinterpret_cast<void*>(haky.odebrat));

    EXPECT_EQ(haky.nastavit(), TRUE);
    EXPECT_EQ(haky.nastavit(), FALSE) << "a second install while installed";
    EXPECT_EQ(haky.odebrat(), TRUE);
    EXPECT_EQ(haky.odebrat(), FALSE) << "a removal with nothing installed";
    // installed again after a removal in the same process
    EXPECT_EQ(haky.nastavit(), TRUE);
    EXPECT_EQ(haky.odebrat(), TRUE);
}

TEST(FenrikExporty, BezPrijemceSeKnihovnaNenacte) {
    ASSERT_EQ(::FindWindowW(L"QKolvexOknoHaky", nullptr), nullptr);
    ::SetLastError(0);
    HMODULE knihovna = ::LoadLibraryW(CestaFenriku().c_str());
    const DWORD kod = ::GetLastError();
    if (knihovna) ::FreeLibrary(knihovna);
    EXPECT_EQ(knihovna, nullptr) << "Fenrik loaded without a window of class QKolvexOknoHaky";
    EXPECT_NE(kod, 0u);
}

TEST(FenrikExporty, VerzeKnihovny) {
    DWORD zbytek = 0;
    const DWORD velikost = ::GetFileVersionInfoSizeW(CestaFenriku().c_str(), &zbytek);
    ASSERT_GT(velikost, 0u);
    std::vector<BYTE> data(velikost);
    ASSERT_TRUE(::GetFileVersionInfoW(CestaFenriku().c_str(), 0, velikost, data.data()));
    VS_FIXEDFILEINFO* info = nullptr;
    UINT delka = 0;
    ASSERT_TRUE(::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &delka));
    EXPECT_EQ(info->dwFileVersionMS, 0x00030000u);
    EXPECT_EQ(info->dwFileVersionLS, 0x00000001u);
    const wchar_t* text = nullptr;
    ASSERT_TRUE(::VerQueryValueW(data.data(), L"\\StringFileInfo\\040504b0\\ProductName",
                                 reinterpret_cast<void**>(const_cast<wchar_t**>(&text)), &delka));
    EXPECT_STREQ(text, L"Fenrik");
}

TEST(FenrikDvaProcesy, KliknutiNaTitulekCizihoOknaDojdeKPrijemci) {
    Prijemce prijemce;
    Haky haky;
    ASSERT_NE(haky.nastavit, nullptr);
    ASSERT_EQ(haky.nastavit(), TRUE);

    Program program(L"pomocne\\haky\\OknoHaku.exe");
    HWND okno = program.CekatNaOkno(L"QTestOknoHaku");
    ASSERT_NE(okno, nullptr);
    ASSERT_TRUE(CekatNa([&] { return ::IsWindowVisible(okno) != FALSE; }));

    // the new top-level window: code 1, the window in wParam and word 0
    ASSERT_TRUE(CekatNa([&] { return NajitHlaseni(1, okno) != nullptr; })) << "no report of the created window";
    const Hlaseni* vytvoreno = NajitHlaseni(1, okno);
    EXPECT_EQ(vytvoreno->velikost, 12u);
    EXPECT_EQ(OknoZeSlova(vytvoreno->zaznam.okno), okno);

    POINT bod;
    ASSERT_TRUE(BodTitulku(okno, bod)) << "no caption found";
    const Hlaseni* klik = nullptr;
    for (int pokus = 0; pokus < 5 && !klik; ++pokus) {
        KliknoutLevym(bod);
        CekatNa([&] { return (klik = NajitHlaseni(WM_NCLBUTTONDOWN, okno)) != nullptr; }, 1000);
    }
    ASSERT_NE(klik, nullptr) << "the click on the title bar was not reported";
    EXPECT_EQ(klik->velikost, 12u);
    EXPECT_EQ(OknoZeSlova(klik->zaznam.okno), okno);
    EXPECT_EQ(klik->zaznam.wParam, static_cast<uint32_t>(HTCAPTION));
    EXPECT_NEAR(GET_X_LPARAM(klik->zaznam.lParam), bod.x, 2);
    EXPECT_NEAR(GET_Y_LPARAM(klik->zaznam.lParam), bod.y, 2);
    EXPECT_EQ(klik->vlakno, ::GetCurrentThreadId()) << "the report reached the receiver's own thread";

    // The receiver goes on answering the reports while the program closes, as Kolvex's window
    // does: a receiver that only waits makes every report of the closing program wait its time-out.
    ::PostMessageW(okno, WM_CLOSE, 0, 0);
    EXPECT_TRUE(CekatNa([&] { return !program.Bezi(); }, 10000)) << "window still there: " << ::IsWindow(okno);
    EXPECT_EQ(program.CekatNaKonec(0), 0u);
    EXPECT_EQ(haky.odebrat(), TRUE);
}

TEST(FenrikDvaProcesy, OknaVlaknaPrijemceSeNehlasi) {
    Prijemce prijemce;
    Haky haky;
    ASSERT_NE(haky.nastavit, nullptr);
    ASSERT_EQ(haky.nastavit(), TRUE);

    HWND vlastni = ::CreateWindowExW(0, L"STATIC", L"Vlastní okno", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                                     nullptr);
    HWND okna[2] = {nullptr, nullptr};
    DWORD idVlakna = 0;
    HANDLE vlakno = ::CreateThread(nullptr, 0, VlaknoSOknem, okna, 0, &idVlakna);
    ASSERT_TRUE(CekatNa([&] { return okna[0] != nullptr; }));
    HWND cizi = okna[0], sNabidkou = okna[1];

    const LPARAM misto = MAKELPARAM(20, 30);
    // HTCLIENT: the default processing starts no move loop
    ::PostMessageW(vlastni, WM_NCLBUTTONDOWN, HTCLIENT, misto);
    ::PostMessageW(prijemce.okno, WM_NCLBUTTONDOWN, HTCLIENT, misto);
    ::PostMessageW(cizi, WM_NCLBUTTONDOWN, HTCLIENT, misto);
    // the window of another thread is reported; when it is, the own ones had their turn long before
    ASSERT_TRUE(CekatNa([&] { return NajitHlaseni(WM_NCLBUTTONDOWN, cizi) != nullptr; }));
    CekatNa([] { return false; }, 100);
    EXPECT_EQ(NajitHlaseni(WM_NCLBUTTONDOWN, vlastni), nullptr) << "a window of the receiver's thread was reported";
    EXPECT_EQ(NajitHlaseni(WM_NCLBUTTONDOWN, prijemce.okno), nullptr) << "the receiver itself was reported";
    const Hlaseni* h = NajitHlaseni(WM_NCLBUTTONDOWN, cizi);
    EXPECT_EQ(h->zaznam.wParam, static_cast<uint32_t>(HTCLIENT));
    EXPECT_EQ(h->zaznam.lParam, static_cast<uint32_t>(misto));

    // sent messages: WM_INITMENU only for a window with a system menu that is no pop-up,
    // WM_MENUSELECT for any window
    ::SendMessageW(cizi, WM_INITMENU, 0, 0);
    ::SendMessageW(sNabidkou, WM_INITMENU, 0, 0);
    ::SendMessageW(cizi, WM_MENUSELECT, MAKEWPARAM(7, 0), 0);
    CekatNa([] { return false; }, 100);
    EXPECT_EQ(NajitHlaseni(WM_INITMENU, cizi), nullptr) << "WM_INITMENU of a pop-up was reported";
    EXPECT_NE(NajitHlaseni(WM_INITMENU, sNabidkou), nullptr);
    EXPECT_NE(NajitHlaseni(WM_MENUSELECT, cizi), nullptr);

    ::PostThreadMessageW(idVlakna, WM_QUIT, 0, 0);
    ::WaitForSingleObject(vlakno, 5000);
    // a top-level window of another thread is reported when it is created (its destruction is
    // not: Wine runs no shell hook for it)
    EXPECT_NE(NajitHlaseni(1, cizi), nullptr);
    EXPECT_EQ(haky.odebrat(), TRUE);
    ::CloseHandle(vlakno);
    ::DestroyWindow(vlastni);
}

namespace {

struct ZablokovanyPrijemce {
    HANDLE pripraven = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE zablokovat = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HWND okno = nullptr;
};

// The receiver on a thread of its own, which stops answering for 3 s when told to.
DWORD WINAPI VlaknoZablokovanehoPrijemce(void* parametr) {
    auto* p = static_cast<ZablokovanyPrijemce*>(parametr);
    p->okno = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"QKolvexOknoHaky", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                ::GetModuleHandleW(nullptr), nullptr);
    ::SetEvent(p->pripraven);
    ::WaitForSingleObject(p->zablokovat, 10000);
    ::Sleep(3000);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    ::DestroyWindow(p->okno);
    return 0;
}

}  // namespace

TEST(FenrikDvaProcesy, NereagujiciPrijemceNezdrziHlasenyProgram) {
    Prijemce trida;  // registers the class; its own window stays unused
    ::DestroyWindow(trida.okno);
    trida.okno = nullptr;
    ZablokovanyPrijemce p;
    DWORD idVlakna = 0;
    HANDLE vlakno = ::CreateThread(nullptr, 0, VlaknoZablokovanehoPrijemce, &p, 0, &idVlakna);
    ASSERT_EQ(::WaitForSingleObject(p.pripraven, 5000), WAIT_OBJECT_0);
    {
        Haky haky;
        ASSERT_NE(haky.nastavit, nullptr);
        ASSERT_EQ(haky.nastavit(), TRUE);
        HWND okno = ::CreateWindowExW(0, L"STATIC", L"Hlášené okno", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                                      nullptr);
        ::SetEvent(p.zablokovat);
        ::Sleep(100);  // the receiver's thread sleeps now

        ::PostMessageW(okno, WM_NCLBUTTONDOWN, HTCLIENT, 0);
        const ULONGLONG zacatek = ::GetTickCount64();
        MSG msg;
        while (::PeekMessageW(&msg, okno, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);  // the hook reports here
        const ULONGLONG trvani = ::GetTickCount64() - zacatek;
        EXPECT_GE(trvani, 300u) << "the report did not wait for the receiver at all";
        EXPECT_LT(trvani, 1500u) << "the reporting program waited for a receiver that does not answer";
        ::DestroyWindow(okno);
        EXPECT_EQ(haky.odebrat(), TRUE);
    }
    ::PostThreadMessageW(idVlakna, WM_QUIT, 0, 0);
    ::WaitForSingleObject(vlakno, 10000);
    ::CloseHandle(vlakno);
    ::CloseHandle(p.pripraven);
    ::CloseHandle(p.zablokovat);
}
