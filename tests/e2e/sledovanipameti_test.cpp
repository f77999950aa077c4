// The memory monitor from outside: started with the program, its drawn icon appears in the
// notification area and its tooltip tells the memory load; the clock and the process monitor run
// beside it.
#include <gtest/gtest.h>

#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "podpora/snimek.h"

using namespace testy;

namespace {

const wchar_t* const PO_SPUSTENI = L"Software\\Brenvald\\Kolvex\\5.0\\Po spusteni";

void ZapsatDword(const std::wstring& klic, const wchar_t* hodnota, DWORD data) {
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, klic.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr), 0);
    ::RegSetValueExW(h, hodnota, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
    ::RegCloseKey(h);
}

// A screenshot once the window has drawn its text.
void UlozitSnimekPoVykresleni(HWND okno, const wchar_t* jmeno, int tmavych = 10) {
    testy::PrekreslitOkno(okno);
    CekatNa([&] { return UlozitSnimekOkna(okno, jmeno).tmavychBodu > tmavych; }, 3000);
}

struct HledaniDialogu {
    DWORD pid;
    int id;
    HWND nalezeno;
};

BOOL CALLBACK ZkusitDialog(HWND okno, LPARAM l) {
    auto* h = reinterpret_cast<HledaniDialogu*>(l);
    DWORD vlastnik = 0;
    ::GetWindowThreadProcessId(okno, &vlastnik);
    wchar_t trida[16] = L"";
    ::GetClassNameW(okno, trida, 16);
    if (vlastnik == h->pid && wcscmp(trida, L"#32770") == 0 && ::IsWindowVisible(okno) && ::GetDlgItem(okno, h->id)) {
        h->nalezeno = okno;
        return FALSE;
    }
    return TRUE;
}

// A visible dialog of the process that has a control with this id.
HWND DialogSPolozkou(DWORD pid, int id) {
    HledaniDialogu h{pid, id, nullptr};
    ::EnumWindows(ZkusitDialog, reinterpret_cast<LPARAM>(&h));
    return h.nalezeno;
}

HWND CekatNaNastaveni(const Program& program, const std::wstring& stranka) {
    HWND okno = nullptr;
    CekatNa([&] {
        okno = NajitOknoProcesu(program.Pid(), L"#32770");
        return okno && ::IsWindowVisible(okno) && TextOkna(okno).find(L"Nastavení: " + stranka) != std::wstring::npos;
    });
    return okno && TextOkna(okno).find(L"Nastavení: " + stranka) != std::wstring::npos ? okno : nullptr;
}

// The centre of the memory icon: the largest patch of its background colour in the taskbar.
bool NajitIkonuPameti(POINT& stred) {
    const int sirka = ::GetSystemMetrics(SM_CXSCREEN), vyska = ::GetSystemMetrics(SM_CYSCREEN);
    HDC obrazovka = ::GetDC(nullptr);
    const int pas = ::MulDiv(48, ::GetDeviceCaps(obrazovka, LOGPIXELSY), 96);  // the bottom band with the taskbar
    HDC pamet = ::CreateCompatibleDC(obrazovka);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = sirka;
    bi.bmiHeader.biHeight = -pas;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bity = nullptr;
    HBITMAP bitmapa = ::CreateDIBSection(obrazovka, &bi, DIB_RGB_COLORS, &bity, nullptr, 0);
    HGDIOBJ stara = ::SelectObject(pamet, bitmapa);
    ::BitBlt(pamet, 0, 0, sirka, pas, obrazovka, 0, vyska - pas, SRCCOPY);
    ::SelectObject(pamet, stara);
    const auto* px = static_cast<const DWORD*>(bity);
    long sx = 0, sy = 0, pocet = 0;
    for (int y = 0; y < pas; ++y)
        for (int x = 0; x < sirka; ++x)
            if ((px[y * sirka + x] & 0xFFFFFF) == 0xD0FFD0) {  // RGB(208, 255, 208)
                sx += x;
                sy += y;
                ++pocet;
            }
    ::DeleteObject(bitmapa);
    ::DeleteDC(pamet);
    ::ReleaseDC(nullptr, obrazovka);
    if (pocet < 20) return false;
    stred = {static_cast<LONG>(sx / pocet), static_cast<LONG>(vyska - pas + sy / pocet)};
    return true;
}

void PohnoutMysi(POINT bod) {
    INPUT vstup{};
    vstup.type = INPUT_MOUSE;
    vstup.mi.dx = bod.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    vstup.mi.dy = bod.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    vstup.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &vstup, sizeof(vstup));
}

struct HledaniTipu {
    std::wstring text;
    HWND okno = nullptr;
};

BOOL CALLBACK ZkusitTip(HWND okno, LPARAM parametr) {
    wchar_t trida[64] = L"";
    ::GetClassNameW(okno, trida, 64);
    if (_wcsicmp(trida, L"tooltips_class32") != 0 || !::IsWindowVisible(okno)) return TRUE;
    wchar_t text[256] = L"";
    DWORD_PTR vysledek = 0;
    ::SendMessageTimeoutW(okno, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000, &vysledek);
    if (wcsstr(text, L"Využití RAM paměti:")) {
        auto* h = reinterpret_cast<HledaniTipu*>(parametr);
        h->text = text;
        h->okno = okno;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

TEST(SledovaniPametiZvenku, IkonaVOznamovaciOblastiSTipem) {
    VycistitStavKolvexu();
    ZapsatDword(PO_SPUSTENI, L"sledovaniPameti", 1);
    ZapsatDword(PO_SPUSTENI, L"sledovaniProcesu", 1);
    ZapsatDword(PO_SPUSTENI, L"hodiny", 1);
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(L"QKolvexHlavniOkno");
    ASSERT_NE(hlavni, nullptr);
    ASSERT_NE(kolvex.CekatNaOkno(L"QSledovaniPameti"), nullptr) << "the memory monitor did not start";
    EXPECT_NE(kolvex.CekatNaOkno(L"QSledovaniProcesu"), nullptr) << "the process monitor did not start";
    HWND hodiny = kolvex.CekatNaOkno(L"QKolvexHodiny");
    ASSERT_NE(hodiny, nullptr) << "the clock did not start";
    EXPECT_TRUE(CekatNa([&] { return ::IsWindowVisible(hodiny) != 0; }));
    UlozitSnimekPoVykresleni(hodiny, L"hodiny");

    POINT ikona{};
    ASSERT_TRUE(CekatNa([&] { return NajitIkonuPameti(ikona); }, 10000)) << "no memory icon in the notification area";

    // hover it: the shell's tooltip shows the memory monitor's tip
    HledaniTipu tip;
    for (int pokus = 0; pokus < 5 && !tip.okno; ++pokus) {
        PohnoutMysi({ikona.x - 30, ikona.y - 200});
        ::Sleep(100);
        PohnoutMysi(ikona);
        CekatNa([&] {
            ::EnumWindows(ZkusitTip, reinterpret_cast<LPARAM>(&tip));
            return tip.okno != nullptr;
        }, 3000);
    }
    ASSERT_NE(tip.okno, nullptr) << "no tooltip of the memory icon";
    EXPECT_EQ(tip.text.find(L"Využití RAM paměti: "), 0u) << tip.text.c_str();
    EXPECT_NE(tip.text.find(L"%\nVolná fyz. paměť: "), std::wstring::npos) << tip.text.c_str();
    EXPECT_NE(tip.text.find(L"\nVyužitá fyz. paměť: "), std::wstring::npos) << tip.text.c_str();
    EXPECT_NE(tip.text.find(L"\nKolvex"), std::wstring::npos) << tip.text.c_str();
    UlozitSnimekPoVykresleni(tip.okno, L"sledovani_pameti_tip");

    // a right click on the icon opens the monitor's menu
    HWND modul = kolvex.CekatNaOkno(L"QSledovaniPameti");
    ::PostMessageW(modul, WM_APP + 9, 1, WM_RBUTTONUP);
    HWND menu = nullptr;
    ASSERT_TRUE(CekatNa([&] {
        menu = NajitOknoProcesu(kolvex.Pid(), L"#32768");
        return menu && ::IsWindowVisible(menu);
    })) << "no tray menu of the memory monitor";
    UlozitSnimekPoVykresleni(menu, L"sledovani_pameti_menu", 200);
    StisknoutKlavesy({VK_ESCAPE});
    EXPECT_TRUE(CekatNa([&] { return !::IsWindowVisible(menu); }));

    // the two memory dialogs from the module's menu commands
    ::PostMessageW(modul, WM_COMMAND, 40091, 0);
    HWND hardware = nullptr;
    ASSERT_TRUE(CekatNa([&] { return (hardware = DialogSPolozkou(kolvex.Pid(), 1076)) != nullptr; }, 15000))
        << "no memory-hardware dialog";
    EXPECT_NE(TextOkna(hardware).find(L"Informace o paměti (Kolvex)"), std::wstring::npos);
    const LRESULT moduly = ::SendDlgItemMessageW(hardware, 1076, LB_GETCOUNT, 0, 0);
    if (moduly > 0) {
        wchar_t vlastnosti[1024] = L"";
        ::GetDlgItemTextW(hardware, 1077, vlastnosti, 1024);
        EXPECT_EQ(std::wstring(vlastnosti).find(L"Kapacita: "), 0u) << vlastnosti;
    }
    UlozitSnimekPoVykresleni(hardware, L"sledovani_pameti_hardware", 800);
    ::PostMessageW(modul, WM_COMMAND, 40091, 0);  // the same command closes it
    EXPECT_TRUE(CekatNa([&] { return !::IsWindow(hardware); }));

    ::PostMessageW(modul, WM_COMMAND, 40090, 0);
    HWND panel = nullptr;
    ASSERT_TRUE(CekatNa([&] {
        panel = DialogSPolozkou(kolvex.Pid(), 1071);
        wchar_t text[32] = L"";
        if (panel) ::GetDlgItemTextW(panel, 1071, text, 32);
        return panel && wcsstr(text, L" %") != nullptr;
    })) << "no memory panel with the load";
    UlozitSnimekPoVykresleni(panel, L"sledovani_pameti_podrobnosti", 300);
    ::PostMessageW(panel, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(CekatNa([&] { return !::IsWindow(panel); }));

    // the process monitor's window with the measured processes, the largest first
    HWND procesy = kolvex.CekatNaOkno(L"QSledovaniProcesu");
    ASSERT_NE(procesy, nullptr);
    ::PostMessageW(procesy, WM_COMMAND, 40111, 0);
    HWND seznam = nullptr;
    ASSERT_TRUE(CekatNa([&] {
        seznam = ::GetDlgItem(procesy, 1103);
        return ::IsWindowVisible(procesy) && seznam && ::SendMessageW(seznam, LVM_GETITEMCOUNT, 0, 0) > 0;
    })) << "the process list stayed empty";
    EXPECT_EQ(TextOkna(procesy), L"Sledování procesů");
    UlozitSnimekPoVykresleni(procesy, L"sledovani_procesu", 300);
    ::PostMessageW(procesy, WM_COMMAND, 40111, 0);
    EXPECT_TRUE(CekatNa([&] { return !::IsWindowVisible(procesy); }));

    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
    VycistitStavKolvexu();
}

TEST(SledovaniPametiZvenku, StrankyNastaveniUkladajiJenPlatneHodnoty) {
    VycistitStavKolvexu();
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(L"QKolvexHlavniOkno");
    ASSERT_NE(hlavni, nullptr);

    ::PostMessageW(hlavni, WM_COMMAND, 40002, 153);
    HWND nastaveni = CekatNaNastaveni(kolvex, L"Sledování procesů");
    ASSERT_NE(nastaveni, nullptr) << "page 153 did not open";
    UlozitSnimekPoVykresleni(nastaveni, L"nastaveni_153", 1500);
    ::PostMessageW(nastaveni, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(CekatNa([&] { return !::IsWindow(nastaveni); }));

    ::PostMessageW(hlavni, WM_COMMAND, 40002, 141);
    nastaveni = CekatNaNastaveni(kolvex, L"Sledování paměti");
    ASSERT_NE(nastaveni, nullptr) << "page 141 did not open";
    UlozitSnimekPoVykresleni(nastaveni, L"nastaveni_141", 1500);
    HWND stranka = ::FindWindowExW(nastaveni, nullptr, L"#32770", nullptr);
    ASSERT_NE(stranka, nullptr);
    ::SendMessageW(::GetDlgItem(stranka, 1079), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"999"));  // below 1000
    ::SendMessageW(::GetDlgItem(stranka, 1080), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"150"));
    ::PostMessageW(nastaveni, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(CekatNa([&] { return !::IsWindow(nastaveni); }));
    const std::wstring sekce = L"Software\\Brenvald\\Kolvex\\5.0\\Sledovani pameti";
    DWORD hodnota = 0;
    ASSERT_TRUE(PrecistDword(sekce, L"varovaniProcent", hodnota));
    EXPECT_EQ(hodnota, 150u);
    ASSERT_TRUE(PrecistDword(sekce, L"intervalAktualizace", hodnota));
    EXPECT_EQ(hodnota, 1000u);
    ASSERT_TRUE(PrecistDword(sekce, L"threadPriority", hodnota));
    EXPECT_EQ(hodnota, 0u);
    ASSERT_TRUE(PrecistDword(sekce, L"ikonaLeve", hodnota));
    EXPECT_EQ(hodnota, 1u);

    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
    VycistitStavKolvexu();
}

// Every number of the ticking tools stored as 0 and as -1 (0xFFFFFFFF): the program starts them,
// says nothing, the process list fills and the program ends cleanly.
TEST(SledovaniPametiZvenku, PoskozenaCislaNastrojuSeNactouPoOmezeni) {
    const struct {
        const wchar_t* sekce;
        const wchar_t* nazev;
    } hodnoty[] = {
        {L"Sledovani pameti", L"intervalAktualizace"}, {L"Sledovani pameti", L"maxVelikostLogu"},
        {L"Sledovani pameti", L"threadPriority"},      {L"Sledovani pameti", L"varovaniProcent"},
        {L"Sledovani procesu", L"intervalAktualizace"}, {L"Sledovani procesu", L"maxWorkingSetSize"},
        {L"Sledovani procesu", L"maxPagefileUsage"},   {L"Sledovani procesu", L"threadPriority"},
        {L"Sledovani procesu", L"toolTipPocet"},       {L"Sledovani procesu", L"sloupecSoubor"},
        {L"Hodiny", L"datum"},                         {L"Hodiny", L"gong"},
    };
    for (DWORD poskozena : {0u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(poskozena);
        VycistitStavKolvexu();
        ZapsatDword(PO_SPUSTENI, L"sledovaniPameti", 1);
        ZapsatDword(PO_SPUSTENI, L"sledovaniProcesu", 1);
        ZapsatDword(PO_SPUSTENI, L"hodiny", 1);
        for (const auto& h : hodnoty)
            ZapsatDword(std::wstring(L"Software\\Brenvald\\Kolvex\\5.0\\") + h.sekce, h.nazev, poskozena);
        Program kolvex;
        HWND hlavni = kolvex.CekatNaOkno(L"QKolvexHlavniOkno");
        ASSERT_NE(hlavni, nullptr);
        ASSERT_NE(kolvex.CekatNaOkno(L"QSledovaniPameti"), nullptr);
        HWND procesy = kolvex.CekatNaOkno(L"QSledovaniProcesu");
        ASSERT_NE(procesy, nullptr);
        ASSERT_NE(kolvex.CekatNaOkno(L"QKolvexHodiny"), nullptr);
        ::PostMessageW(procesy, WM_COMMAND, 40111, 0);
        ASSERT_TRUE(CekatNa([&] {
            HWND seznam = ::GetDlgItem(procesy, 1103);
            return ::IsWindowVisible(procesy) && seznam && ::SendMessageW(seznam, LVM_GETITEMCOUNT, 0, 0) > 0;
        })) << "the process list stayed empty";
        EXPECT_EQ(kolvex.CekatNaZpravu(1000), nullptr) << "a message came up";
        ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
        EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
        DWORD interval = 0;
        ASSERT_TRUE(PrecistDword(L"Software\\Brenvald\\Kolvex\\5.0\\Sledovani procesu", L"intervalAktualizace", interval));
        EXPECT_EQ(interval, poskozena == 0 ? 1u : 120u) << "the stored interval was not brought into range";
    }
    VycistitStavKolvexu();
}
