// The end of the session and a stop under an open dialog: the session window's answers and its one
// stop, the boxes that are not shown then, and the modal dialogs of a thread ended as Cancel ends them.
#include <windows.h>

#include <gtest/gtest.h>

#include <process.h>

#include <string>
#include <vector>

#include "core/aplikace.h"
#include "core/oknorelace.h"
#include "knihovna/modalni.h"
#include "knihovna/modul.h"
#include "podpora/pomocnik.h"
#include "resources/resource.h"

using testy::CekatNa;

TEST(KonecRelace, VychoziOdpovedZpravyJeJejiVychoziTlacitko) {
    struct Pripad {
        UINT priznaky;
        int odpoved;
    };
    const Pripad pripady[] = {
        {MB_OK | MB_ICONERROR, IDOK},
        {MB_OK | MB_DEFBUTTON3, IDOK},  // no third button: the first
        {MB_OKCANCEL, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
        {MB_YESNO | MB_ICONQUESTION, IDYES},
        {MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2 | MB_TASKMODAL, IDNO},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY},
        {MB_RETRYCANCEL, IDRETRY},
        {MB_CANCELTRYCONTINUE | MB_DEFBUTTON3, IDCONTINUE},
        {MB_OK | MB_DEFBUTTON4, IDOK},
    };
    for (const Pripad& p : pripady)
        EXPECT_EQ(knihovna::VychoziOdpovedZpravy(p.priznaky), p.odpoved) << std::hex << p.priznaky;
}

namespace {

struct ZaznamRelace {
    std::vector<std::string> kroky;
    bool blokovatUspeje = true;
} zaznamRelace;

BOOL WINAPI ZaznamenatDuvod(HWND, LPCWSTR duvod) {
    zaznamRelace.kroky.push_back(std::wstring(duvod) == DUVOD_BLOKOVANI_UKONCENI ? "duvod" : "jiny duvod");
    return zaznamRelace.blokovatUspeje;
}
BOOL WINAPI ZaznamenatKonecDuvodu(HWND) {
    zaznamRelace.kroky.push_back("konec duvodu");
    return TRUE;
}

void ZaznamenatZastaveni() {
    zaznamRelace.kroky.push_back(knihovna::KonciRelace() ? "stop" : "stop bez priznaku");
    // a question and an error while the session ends: no box, the default button's answer at once
    aplikace.titulek = L"Kolvex";
    const DWORD zacatek = ::GetTickCount();
    const bool ano = aplikace.Otazka(L"Uložit změny?", true, false);
    const bool ne = aplikace.Otazka(L"Odebrat text?", false, true);
    aplikace.ZobrazitChybu(L"Soubor nelze uložit.");
    const int storno = knihovna::oknoZpravy(nullptr, L"Pokračovat?", L"Kolvex", MB_OKCANCEL | MB_DEFBUTTON2);
    if (ano && !ne && storno == IDCANCEL && ::GetTickCount() - zacatek < 2000) zaznamRelace.kroky.push_back("bez boxu");
}

}  // namespace

// WM_QUERYENDSESSION is answered TRUE and stops nothing; WM_ENDSESSION(FALSE) (the end was cancelled)
// stops nothing; WM_ENDSESSION(TRUE) marks the session's end and stops the program once, within the
// message, with the reason given to Windows around it when the system has the call and without it
// when it has not.
TEST(KonecRelace, OknoRelaceOdpoviAZastaviProgramJednou) {
    const FunkceDuvoduBlokovani puvodniDuvod = vytvoritDuvodBlokovani;
    const FunkceKonceBlokovani puvodniKonec = zrusitDuvodBlokovani;
    struct Pripad {
        const char* nazev;
        FunkceDuvoduBlokovani duvod;
        FunkceKonceBlokovani konec;
        bool blokovatUspeje;
        std::vector<std::string> kroky;
    };
    const Pripad pripady[] = {
        {"system s duvodem", ZaznamenatDuvod, ZaznamenatKonecDuvodu, true, {"duvod", "stop", "bez boxu", "konec duvodu"}},
        {"duvod odmitnut", ZaznamenatDuvod, ZaznamenatKonecDuvodu, false, {"duvod", "stop", "bez boxu"}},
        {"system bez volani", nullptr, nullptr, true, {"stop", "bez boxu"}},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.nazev);
        zaznamRelace = ZaznamRelace{};
        zaznamRelace.blokovatUspeje = p.blokovatUspeje;
        vytvoritDuvodBlokovani = p.duvod;
        zrusitDuvodBlokovani = p.konec;
        HWND okno = VytvoritOknoRelace(ZaznamenatZastaveni);
        ASSERT_NE(okno, nullptr);
        EXPECT_EQ(::GetParent(okno), nullptr);
        EXPECT_EQ(::GetAncestor(okno, GA_PARENT), ::GetDesktopWindow()) << "not a top-level window";
        EXPECT_FALSE(::IsWindowVisible(okno));

        EXPECT_EQ(::SendMessageW(okno, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
        ::SendMessageW(okno, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
        EXPECT_TRUE(zaznamRelace.kroky.empty());
        ::SendMessageW(okno, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        EXPECT_TRUE(knihovna::KonciRelace());
        ::SendMessageW(okno, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);  // a second one stops nothing more
        EXPECT_EQ(zaznamRelace.kroky, p.kroky);
        ZrusitOknoRelace();
        EXPECT_FALSE(::IsWindow(okno));
    }
    vytvoritDuvodBlokovani = puvodniDuvod;
    zrusitDuvodBlokovani = puvodniKonec;
}

namespace {

// A thread with a window of its own that opens one modal dialog or box (or a box over a dialog)
// and keeps what each returned.
struct ModalniVlakno {
    enum class Druh { Zprava, ZpravaBezVlastnika, Dialog, ZpravaNadDialogem };
    Druh druh = Druh::Zprava;
    UINT priznaky = 0;
    HWND okno = nullptr;
    HWND nemodalni = nullptr;  // a modeless dialog of the thread, left alone by the stop
    std::vector<INT_PTR> vysledky;
    DWORD id = 0;

    static INT_PTR CALLBACK ProceduraDialogu(HWND dialog, UINT zprava, WPARAM w, LPARAM l) {
        if (zprava == WM_INITDIALOG) {
            auto* v = reinterpret_cast<ModalniVlakno*>(l);
            ::SetWindowLongPtrW(dialog, DWLP_USER, l);
            if (v && v->druh == Druh::ZpravaNadDialogem) {
                ::ShowWindow(dialog, SW_SHOW);  // the dialog loop would show it only once idle
                ::PostMessageW(dialog, WM_APP, 0, 0);  // the box opens once the dialog runs
            }
            return TRUE;
        }
        if (zprava == WM_APP) {
            auto* v = reinterpret_cast<ModalniVlakno*>(::GetWindowLongPtrW(dialog, DWLP_USER));
            v->vysledky.push_back(::MessageBoxW(dialog, L"Uložit?", L"Zkouška", v->priznaky));
            return TRUE;
        }
        if (zprava == WM_COMMAND && (LOWORD(w) == IDOK || LOWORD(w) == IDCANCEL)) {
            if (::GetWindowLongPtrW(dialog, DWLP_USER) == 0)
                ::DestroyWindow(dialog);  // the modeless one
            else
                ::EndDialog(dialog, LOWORD(w));
            return TRUE;
        }
        return FALSE;
    }

    static unsigned __stdcall Procedura(void* parametr) {
        auto* v = static_cast<ModalniVlakno*>(parametr);
        v->okno = ::CreateWindowExW(0, L"STATIC", L"Nástroj", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100, nullptr, nullptr,
                                    nullptr, nullptr);
        v->nemodalni = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_VSTUP_TEXTU), nullptr,
                                            ProceduraDialogu, 0);
        ::ShowWindow(v->nemodalni, SW_SHOWNOACTIVATE);
        switch (v->druh) {
            case Druh::Zprava:
                v->vysledky.push_back(::MessageBoxW(v->okno, L"Otázka", L"Zkouška", v->priznaky));
                break;
            case Druh::ZpravaBezVlastnika:
                v->vysledky.push_back(::MessageBoxW(nullptr, L"Otázka", L"Zkouška", v->priznaky | MB_TASKMODAL));
                break;
            case Druh::Dialog:
            case Druh::ZpravaNadDialogem:
                v->vysledky.insert(v->vysledky.begin(),
                                   ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_VSTUP_TEXTU),
                                                     v->okno, ProceduraDialogu, reinterpret_cast<LPARAM>(v)));
                break;
        }
        const bool nemodalniZustal = ::IsWindow(v->nemodalni) && ::IsWindowVisible(v->nemodalni);
        v->vysledky.push_back(nemodalniZustal ? 1 : 0);
        if (::IsWindow(v->nemodalni)) ::DestroyWindow(v->nemodalni);
        ::DestroyWindow(v->okno);
        return 0;
    }
};

BOOL CALLBACK PocitatDialogy(HWND okno, LPARAM l) {
    wchar_t trida[16] = L"";
    ::GetClassNameW(okno, trida, 16);
    if (wcscmp(trida, L"#32770") == 0 && ::IsWindowVisible(okno)) ++*reinterpret_cast<int*>(l);
    return TRUE;
}

int PocetDialogu(DWORD vlakno) {
    int pocet = 0;
    ::EnumThreadWindows(vlakno, PocitatDialogy, reinterpret_cast<LPARAM>(&pocet));
    return pocet;
}

}  // namespace

// Each kind of modal loop a tool runs is ended as its Cancel button would end it (a yes/no question
// by "Ne", a plain message by "OK"); a box over a dialog ends both; a modeless dialog of the same
// thread stays; a thread without a modal loop is left alone.
TEST(KonecRelace, ZastaveniUkonciModalniOknaVlaknaJakoStorno) {
    using Druh = ModalniVlakno::Druh;
    struct Pripad {
        const char* nazev;
        Druh druh;
        UINT priznaky;
        int dialogu;  // modal windows open at the stop
        std::vector<INT_PTR> vysledky;  // in order of return from the outermost; last: the modeless one stayed
    };
    const Pripad pripady[] = {
        {"otazka ano/ne", Druh::Zprava, MB_YESNO | MB_ICONQUESTION, 1, {IDNO, 1}},
        {"otazka s vychozim ano", Druh::Zprava, MB_YESNO | MB_DEFBUTTON1, 1, {IDNO, 1}},
        {"zprava", Druh::Zprava, MB_OK | MB_ICONERROR, 1, {IDOK, 1}},
        {"ok/storno", Druh::Zprava, MB_OKCANCEL, 1, {IDCANCEL, 1}},
        {"ano/ne/storno", Druh::Zprava, MB_YESNOCANCEL, 1, {IDCANCEL, 1}},
        {"otazka bez vlastnika", Druh::ZpravaBezVlastnika, MB_YESNO, 1, {IDNO, 1}},
        {"dialog", Druh::Dialog, 0, 1, {IDCANCEL, 1}},
        {"otazka nad dialogem", Druh::ZpravaNadDialogem, MB_YESNO, 2, {IDCANCEL, IDNO, 1}},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.nazev);
        ModalniVlakno v;
        v.druh = p.druh;
        v.priznaky = p.priznaky;
        unsigned id = 0;
        HANDLE vlakno = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ModalniVlakno::Procedura, &v, 0, &id));
        ASSERT_NE(vlakno, nullptr);
        // the modeless dialog and the modal ones
        ASSERT_TRUE(CekatNa([&] { return PocetDialogu(id) == 1 + p.dialogu; }))
            << "dialogs of the thread: " << PocetDialogu(id);
        EXPECT_EQ(knihovna::UkoncitModalniOkna(id), p.dialogu);
        EXPECT_EQ(::WaitForSingleObject(vlakno, 5000), WAIT_OBJECT_0) << "the modal loop did not end";
        ::CloseHandle(vlakno);
        EXPECT_EQ(v.vysledky, p.vysledky);
    }
}

TEST(KonecRelace, VlaknoBezModalnihoOknaNechaNaPokoji) {
    HWND okno = ::CreateWindowExW(0, L"STATIC", L"Nástroj", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100, nullptr, nullptr,
                                  nullptr, nullptr);
    HWND nemodalni = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_VSTUP_TEXTU), okno,
                                          ModalniVlakno::ProceduraDialogu, 0);
    ASSERT_NE(nemodalni, nullptr);
    ::ShowWindow(nemodalni, SW_SHOWNOACTIVATE);
    EXPECT_EQ(knihovna::UkoncitModalniOkna(::GetCurrentThreadId()), 0);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    EXPECT_TRUE(::IsWindow(nemodalni) && ::IsWindowVisible(nemodalni)) << "a modeless dialog was closed";
    ::DestroyWindow(nemodalni);
    ::DestroyWindow(okno);
}
