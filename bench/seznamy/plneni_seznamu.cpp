// Fill of the RSS reader's item list (not a test): the time to list a long feed the way the reader
// does, in steps that the list posts itself, beside a bare list box filled in the same steps with
// and without switching its redraw off around each step. Each line gives the whole fill, the time
// of each tenth of it (a tenth that grows with what is listed shows work over the whole list in
// every step) and the longest step (how long the window cannot answer).
// The whole reader ("okno"): its window on its thread, as the user opens it, with a long feed from a
// stand-in loading; from this thread the rows listed so far are read every few milliseconds (the
// longest wait for that answer is the longest the window did not answer), and then the time to
// close it with the whole list.
// "vlastnost": what one look-up of a window property costs (the library finds a window's object
// so for every message), beside reading a window long, each done items times.
// Usage: plneni_seznamu.exe [items (default 80000)] [variant: all, okno, ctecka, popis, holy, holy-redraw,
//        vlastnost]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/aplikace.h"
#include "core/ikonatray.h"
#include "internet/rssctecka.h"
#include "internet/rsszdroje.h"
#include "knihovna/okno.h"
#include "resources/resource.h"

namespace {

double Ted() {
    LARGE_INTEGER f, t;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

constexpr UINT ZPRAVA_KUS_HOLEHO = WM_APP + 7;
HWND seznamReaderu = nullptr;  // the reader's list in the owner-drawn variant (WM_DRAWITEM goes to it)

LRESULT CALLBACK ProcRodice(HWND h, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_MEASUREITEM) {
        reinterpret_cast<MEASUREITEMSTRUCT*>(l)->itemHeight = 60;  // the reader's default item height
        return TRUE;
    }
    if (msg == WM_DRAWITEM && seznamReaderu)
        return ::SendMessageW(seznamReaderu, knihovna::ODRAZENA_ZPRAVA + WM_DRAWITEM, w, l);
    return ::DefWindowProcW(h, msg, w, l);
}

HWND VytvoritRodice() {
    static bool registrovano = false;
    if (!registrovano) {
        WNDCLASSW trida{};
        trida.lpfnWndProc = ProcRodice;
        trida.hInstance = ::GetModuleHandleW(nullptr);
        trida.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        trida.lpszClassName = L"MereniPlneniRodic";
        ::RegisterClassW(&trida);
        registrovano = true;
    }
    HWND rodic = ::CreateWindowExW(0, L"MereniPlneniRodic", L"Plnění", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 640,
                                   480, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::ShowWindow(rodic, SW_SHOW);
    return rodic;
}

struct Vysledek {
    double celkem = 0;
    std::vector<double> desetiny;
    double nejdelsiKrok = 0;
    double zavreni = -1;  // closing the reader with the whole list (the reader's window only)
};

// Pumps messages until hotovo() says the fill is done; the tenths are read from pridano().
template <class Hotovo, class Pridano>
Vysledek Cekat(size_t pocet, double zacatek, Hotovo hotovo, Pridano pridano) {
    Vysledek v;
    size_t dalsiDesetina = 1;
    double posledni = zacatek;
    MSG msg;
    while (!hotovo() && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        const double pred = Ted();
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
        const double po = Ted();
        v.nejdelsiKrok = std::max(v.nejdelsiKrok, po - pred);
        while (dalsiDesetina <= 10 && pridano() >= pocet * dalsiDesetina / 10) {
            v.desetiny.push_back(po - posledni);
            posledni = po;
            ++dalsiDesetina;
        }
    }
    v.celkem = Ted() - zacatek;
    return v;
}

std::vector<definice::PolozkaRSS> Polozky(size_t pocet) {
    std::vector<definice::PolozkaRSS> polozky(pocet);
    for (size_t i = 0; i < pocet; ++i) {
        polozky[i].titulek = L"Položka kanálu číslo " + std::to_wstring(i);
        polozky[i].popis = L"Popis položky " + std::to_wstring(i);
    }
    return polozky;
}

Vysledek Ctecka(size_t pocet, bool popis) {
    HWND rodic = VytvoritRodice();
    Vysledek v;
    {
        ListBoxObsahZdrojeRSS seznam;
        seznam.Vytvorit(rodic, popis);
        seznamReaderu = seznam.m_hWnd;
        seznam.Poslat(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), TRUE);
        ::MoveWindow(seznam.m_hWnd, 0, 0, 620, 420, TRUE);
        auto polozky = Polozky(pocet);
        const double zacatek = Ted();
        seznam.Naplnit(std::move(polozky));
        v = Cekat(pocet, zacatek, [&] { return seznam.Pridano() >= pocet; }, [&] { return seznam.Pridano(); });
        seznamReaderu = nullptr;
    }
    ::DestroyWindow(rodic);
    return v;
}

// A bare list box filled in the reader's steps of 500 from posted messages.
struct HolyKus {
    HWND seznam;
    const std::vector<definice::PolozkaRSS>* polozky;
    size_t pridano;
    bool prekreslovani;
};

Vysledek Holy(size_t pocet, bool vypinatPrekreslovani) {
    HWND rodic = VytvoritRodice();
    HWND seznam = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"ListBox", L"",
                                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, 0, 620,
                                    420, rodic, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(seznam, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    auto polozky = Polozky(pocet);
    HolyKus kus{seznam, &polozky, 0, vypinatPrekreslovani};
    auto pridatKus = [&] {
        const size_t konec = std::min(pocet, kus.pridano + ListBoxObsahZdrojeRSS::KUS_PLNENI);
        if (kus.prekreslovani) ::SendMessageW(seznam, WM_SETREDRAW, FALSE, 0);
        for (; kus.pridano < konec; ++kus.pridano) {
            LRESULT i = ::SendMessageW(seznam, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(polozky[kus.pridano].titulek.c_str()));
            ::SendMessageW(seznam, LB_SETITEMDATA, static_cast<WPARAM>(i), static_cast<LPARAM>(kus.pridano + 1));
        }
        if (kus.prekreslovani) {
            ::SendMessageW(seznam, WM_SETREDRAW, TRUE, 0);
            ::InvalidateRect(seznam, nullptr, TRUE);
        }
        if (kus.pridano < pocet) ::PostMessageW(rodic, ZPRAVA_KUS_HOLEHO, 0, 0);
    };
    const double zacatek = Ted();
    ::SendMessageW(seznam, LB_INITSTORAGE, pocet, 0);
    pridatKus();
    ::SendMessageW(seznam, LB_SETCURSEL, 0, 0);
    Vysledek v;
    size_t dalsiDesetina = 1;
    double posledni = zacatek;
    MSG msg;
    while (kus.pridano < pocet && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        const double pred = Ted();
        if (msg.message == ZPRAVA_KUS_HOLEHO) {
            pridatKus();
        } else {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        const double po = Ted();
        v.nejdelsiKrok = std::max(v.nejdelsiKrok, po - pred);
        while (dalsiDesetina <= 10 && kus.pridano >= pocet * dalsiDesetina / 10) {
            v.desetiny.push_back(po - posledni);
            posledni = po;
            ++dalsiDesetina;
        }
    }
    v.celkem = Ted() - zacatek;
    ::DestroyWindow(rodic);
    return v;
}

size_t polozekKanalu = 0;

std::unique_ptr<VysledekNacitaniRSS> DlouhyKanal(const std::wstring&, const LimityStahovani&) {
    auto vysledek = std::make_unique<VysledekNacitaniRSS>();
    vysledek->polozky = Polozky(polozekKanalu);
    return vysledek;
}

BOOL WINAPI BezShellu(DWORD, PNOTIFYICONDATAW) { return TRUE; }

Vysledek Okno(size_t pocet) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    aplikace.velkaIkona.Nastavit(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_KOLVEX), IMAGE_ICON, 32, 32, 0)));
    aplikace.malaIkona.Nastavit(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_KOLVEX), IMAGE_ICON, 16, 16, 0)));
    if (!aplikace.seznamMenu.Get()) {
        aplikace.seznamMenu.Vytvorit(IDB_MENU_ZAKLAD);
        aplikace.seznamMenu.Pridat(IDB_MENU_DALSI);
    }
    notifikacniIkona = BezShellu;
    wchar_t docasna[MAX_PATH];
    ::GetTempPathW(MAX_PATH, docasna);
    const std::wstring slozka = std::wstring(docasna) + L"mereni_plneni_rss";
    ::CreateDirectoryW(slozka.c_str(), nullptr);
    aplikace.nastaveni.slozkaData = slozka;
    const std::wstring zdroje = TextZdrojuRSS({{L"Mnoho", L"http://127.0.0.1/mnoho", L""}});
    HANDLE soubor = ::CreateFileW(CestaZdrojuRSS().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD zapsano = 0;
    ::WriteFile(soubor, zdroje.data(), static_cast<DWORD>(zdroje.size() * sizeof(wchar_t)), &zapsano, nullptr);
    ::CloseHandle(soubor);
    polozekKanalu = pocet;
    nacitaniKanaluRSS = DlouhyKanal;

    Vysledek v;
    VlaknoCteckaRSS modul;
    const double zacatek = Ted();
    modul.Spustit();
    HWND seznam = nullptr;
    while (!(modul.Okno() && (seznam = ::GetDlgItem(modul.Okno(), 1237)) != nullptr)) ::Sleep(1);
    size_t dalsiDesetina = 1;
    double posledni = zacatek;
    for (;;) {
        const double pred = Ted();
        const size_t pridano = static_cast<size_t>(::SendMessageW(seznam, LB_GETCOUNT, 0, 0));
        const double po = Ted();
        v.nejdelsiKrok = std::max(v.nejdelsiKrok, po - pred);
        while (dalsiDesetina <= 10 && pridano >= pocet * dalsiDesetina / 10) {
            v.desetiny.push_back(po - posledni);
            posledni = po;
            ++dalsiDesetina;
        }
        if (pridano >= pocet) break;
        ::Sleep(5);
    }
    v.celkem = Ted() - zacatek;
    const double predZavrenim = Ted();
    modul.Zastavit();
    v.zavreni = Ted() - predZavrenim;
    return v;
}

void Vypsat(const char* nazev, size_t pocet, const Vysledek& v) {
    std::printf("%-28s %6zu items: %8.0f ms; tenths:", nazev, pocet, v.celkem);
    for (double d : v.desetiny) std::printf(" %.0f", d);
    std::printf("; longest step %.0f ms", v.nejdelsiKrok);
    if (v.zavreni >= 0) std::printf("; closing %.0f ms", v.zavreni);
    std::printf("\n");
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const size_t pocet = argc > 1 ? static_cast<size_t>(std::strtoul(argv[1], nullptr, 10)) : 80000;
    const std::string varianta = argc > 2 ? argv[2] : "all";
    const bool vse = varianta == "all";
    if (varianta == "vlastnost") {
        HWND okno = VytvoritRodice();
        ::SetPropW(okno, L"x", okno);
        double z = Ted();
        for (size_t i = 0; i < pocet; ++i) ::GetPropW(okno, L"x");
        std::printf("GetPropW: %.2f us each\n", 1000.0 * (Ted() - z) / pocet);
        z = Ted();
        for (size_t i = 0; i < pocet; ++i) ::GetWindowLongPtrW(okno, GWLP_USERDATA);
        std::printf("GetWindowLongPtrW: %.2f us each\n", 1000.0 * (Ted() - z) / pocet);
        return 0;
    }
    if (vse || varianta == "okno") Vypsat("reader's window", pocet, Okno(pocet));
    if (vse || varianta == "ctecka") Vypsat("reader's list", pocet, Ctecka(pocet, false));
    if (vse || varianta == "popis") Vypsat("reader's list, descriptions", pocet, Ctecka(pocet, true));
    if (vse || varianta == "holy") Vypsat("bare list box", pocet, Holy(pocet, false));
    if (vse || varianta == "holy-redraw") Vypsat("bare list box, redraw off", pocet, Holy(pocet, true));
    return 0;
}
