// The text input dialog, the about box and the clipboard text, driven from a second thread.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <cwctype>

#include "core/aplikace.h"
#include "core/dialogy.h"
#include "knihovna/edity.h"
#include "knihovna/modul.h"
#include "knihovna/vyjimky.h"
#include "podpora/pomocnik.h"
#include "resources/resource.h"
#include "zkusebni_prvky.h"

using knihovna::Chyba;
using knihovna::OknoObal;

namespace {

// The application's title and icons as start-up leaves them.
struct AplikacePripravena {
    std::wstring puvodni = aplikace.titulek;
    AplikacePripravena() {
        aplikace.titulek = L"Kolvex";
        HINSTANCE instance = ::GetModuleHandleW(nullptr);
        aplikace.velkaIkona.Nastavit(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_KOLVEX),
                                                                     IMAGE_ICON, 32, 32, 0)));
        aplikace.malaIkona.Nastavit(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_KOLVEX),
                                                                    IMAGE_ICON, 16, 16, 0)));
    }
    ~AplikacePripravena() {
        aplikace.titulek = puvodni;
        aplikace.velkaIkona.Zrusit();
        aplikace.malaIkona.Zrusit();
    }
};

// Answers the text input dialog: types a text (null: leaves the edit alone), then presses a button.
struct Odpoved {
    const wchar_t* napsat;
    int tlacitko;
    std::wstring vyzva;
    std::wstring pocatecni;
    std::wstring titulek;
};

void Odpovedet(HWND dialog, Odpoved& odpoved) {
    odpoved.vyzva = OknoObal(::GetDlgItem(dialog, IDC_VSTUP_VYZVA)).Text();
    odpoved.pocatecni = OknoObal(::GetDlgItem(dialog, IDC_VSTUP_TEXT)).Text();
    odpoved.titulek = OknoObal(dialog).Text();
    if (odpoved.napsat)
        ::SendMessageW(::GetDlgItem(dialog, IDC_VSTUP_TEXT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(odpoved.napsat));
    ::PostMessageW(dialog, WM_COMMAND, static_cast<WPARAM>(odpoved.tlacitko), 0);
}

std::wstring TextSchranky(SIZE_T* velikost) {
    std::wstring text;
    if (!::OpenClipboard(nullptr)) return L"<nelze otevřít>";
    HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    if (data) {
        *velikost = ::GlobalSize(data);
        const wchar_t* obsah = static_cast<const wchar_t*>(::GlobalLock(data));
        if (obsah) text = obsah;
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return text;
}

}  // namespace

TEST(VstupTextu, OkVratiZadanyTextStornoNicNezmeni) {
    struct Pripad {
        const wchar_t* pocatecni;
        const wchar_t* napsat;
        int tlacitko;
        bool vysledek;
        const wchar_t* potom;
    };
    const Pripad pripady[] = {
        {L"Nová poznámka", L"Nákup na víkend", IDOK, true, L"Nákup na víkend"},
        {L"Nová poznámka", nullptr, IDOK, true, L"Nová poznámka"},
        {L"Nová poznámka", L"", IDOK, true, L""},
        {L"Nová poznámka", L"přepsáno", IDCANCEL, false, L"Nová poznámka"},
        {L"", L"cokoli", IDCANCEL, false, L""},
    };
    AplikacePripravena pripravena;
    for (const Pripad& p : pripady) {
        Odpoved odpoved{p.napsat, p.tlacitko, {}, {}, {}};
        testy::RidicDialogu ridic(nullptr, [&](HWND d) { Odpovedet(d, odpoved); });
        std::wstring text = p.pocatecni;
        EXPECT_EQ(ZadatText(text, L"Zadejte název nové poznámky"), p.vysledek);
        ASSERT_TRUE(ridic.Dokoncit());
        EXPECT_EQ(text, p.potom) << (p.napsat ? p.napsat : L"-");
        EXPECT_EQ(odpoved.vyzva, L"Zadejte název nové poznámky");
        EXPECT_EQ(odpoved.pocatecni, p.pocatecni);
        EXPECT_EQ(odpoved.titulek, L" " + aplikace.titulek);
    }
}

TEST(VstupTextu, VyzvaZTabulkyChybiciRetezecJeChyba) {
    Odpoved odpoved{L"jiný", IDOK, {}, {}, {}};
    testy::RidicDialogu ridic(nullptr, [&](HWND d) { Odpovedet(d, odpoved); });
    std::wstring text = L"Nová registrace";
    EXPECT_TRUE(ZadatTextId(text, IDS_TIP_EMAIL_AUTORA));
    ASSERT_TRUE(ridic.Dokoncit());
    EXPECT_EQ(odpoved.vyzva, L"Odeslat email firmě Brenvald");
    EXPECT_EQ(text, L"jiný");

    try {
        ZadatTextId(text, 9199);
        ADD_FAILURE() << "no error";
    } catch (const Chyba& chyba) {
        EXPECT_TRUE(FAILED(chyba.Hresult()));
    }
    EXPECT_EQ(text, L"jiný");
}

TEST(VstupTextu, LimitZnaku) {
    DlgVstupTextu dialog(L"Kód", L"", 4);
    std::wstring vlozeno;
    testy::RidicDialogu ridic(nullptr, [&](HWND d) {
        HWND edit = ::GetDlgItem(d, IDC_VSTUP_TEXT);
        ::SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"123456"));
        vlozeno = OknoObal(edit).Text();
        ::PostMessageW(d, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dialog.SpustitModalne(nullptr), IDOK);
    ASSERT_TRUE(ridic.Dokoncit());
    EXPECT_EQ(vlozeno, L"1234");
    EXPECT_EQ(dialog.text, L"1234");
}

TEST(InfoOProgramu, VerzeOdkazyANadpis) {
    AplikacePripravena pripravena;
    std::wstring titulek, nazev, verze, copyright, web, email, tipWeb;
    bool globalni = false;
    knihovna::StaticOdkazEmail* odkazEmail = nullptr;
    knihovna::StaticOdkazUrl* odkazWeb = nullptr;
    HFONT pismoNadpisu = nullptr;
    testy::RidicDialogu ridic(nullptr, [&](HWND d) {
        titulek = OknoObal(d).Text();
        nazev = OknoObal(::GetDlgItem(d, IDC_INFO_NAZEV)).Text();
        verze = OknoObal(::GetDlgItem(d, IDC_INFO_VERZE)).Text();
        copyright = OknoObal(::GetDlgItem(d, IDC_INFO_COPYRIGHT)).Text();
        web = OknoObal(::GetDlgItem(d, IDC_INFO_WEB)).Text();
        email = OknoObal(::GetDlgItem(d, IDC_INFO_EMAIL)).Text();
        globalni = dlgProgramInfo && dlgProgramInfo->m_hWnd == d;
        if (globalni) {
            odkazEmail = &dlgProgramInfo->odkazEmail;
            odkazWeb = &dlgProgramInfo->odkazWeb;
            pismoNadpisu = dlgProgramInfo->nadpis.Pismo();
            wchar_t buffer[128] = L"";
            TOOLINFOW ti{};
            ti.cbSize = sizeof(ti);
            ti.hwnd = d;
            ti.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(d, IDC_INFO_WEB));
            ti.lpszText = buffer;
            ::SendMessageW(dlgProgramInfo->tooltip.m_hWnd, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&ti));
            tipWeb = buffer;
            EXPECT_EQ(odkazEmail->Adresa(), L"mailto:" + knihovna::emailPodpory);
            EXPECT_EQ(odkazEmail->predmet, L"Aplikace " + aplikace.titulek);
            EXPECT_EQ(odkazWeb->Url(), knihovna::webAutora + L"/");
        }
        ::PostMessageW(d, WM_COMMAND, IDOK, 0);
    });
    ZobrazitInfoOProgramu();
    ASSERT_TRUE(ridic.Dokoncit());
    EXPECT_EQ(dlgProgramInfo, nullptr);
    EXPECT_TRUE(globalni);
    EXPECT_NE(pismoNadpisu, nullptr);
    EXPECT_EQ(titulek, L"O programu " + aplikace.titulek);
    EXPECT_EQ(nazev, aplikace.titulek);
    std::wstring ocekavanaVerze;
    NacistRetezecVerze(L"FileVersion", ocekavanaVerze);
    EXPECT_EQ(verze, L"verze: " + ocekavanaVerze);
    // "verze: " and four decimal numbers separated by dots
    unsigned a, b, c, d;
    wchar_t zbytek;
    EXPECT_EQ(swscanf(verze.c_str(), L"verze: %u.%u.%u.%u%lc", &a, &b, &c, &d, &zbytek), 4);
    std::wstring ocekavanyCopyright;
    NacistRetezecVerze(L"LegalCopyright", ocekavanyCopyright);
    EXPECT_EQ(copyright, ocekavanyCopyright);
    EXPECT_EQ(email, knihovna::emailPodpory);
    EXPECT_NE(web.find(L"brenvald"), std::wstring::npos);
    EXPECT_EQ(tipWeb, L"Zobrazit webové sránky firmy Brenvald");
}

// A window of this thread to own the clipboard.
class VlastnikSchranky {
public:
    VlastnikSchranky()
        : okno(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr)) {}
    ~VlastnikSchranky() { ::DestroyWindow(okno); }
    HWND okno;
};

TEST(SchrankaText, PresneCfUnicodeText) {
    struct Pripad {
        const wchar_t* text;
        SIZE_T bajty;
    };
    const Pripad pripady[] = {
        {L"", 2},
        {L"a", 4},
        {L"Příliš žluťoučký kůň úpěl ďábelské ódy", (38 + 1) * 2},
        {L"řádek 1\r\nřádek 2", (16 + 1) * 2},
    };
    VlastnikSchranky vlastnik;
    for (const Pripad& p : pripady) {
        KopirovatTextDoSchranky(p.text, vlastnik.okno);
        SIZE_T velikost = 0;
        EXPECT_EQ(TextSchranky(&velikost), p.text);
        EXPECT_EQ(velikost, p.bajty) << p.text;
        EXPECT_EQ(::GetClipboardOwner(), vlastnik.okno);
        // the clipboard was closed: anyone can open it again
        ASSERT_TRUE(::OpenClipboard(nullptr));
        ::CloseClipboard();
    }
    try {
        KopirovatTextDoSchranky(nullptr, vlastnik.okno);
        ADD_FAILURE() << "no error";
    } catch (const Chyba& chyba) {
        EXPECT_EQ(chyba.Hresult(), E_INVALIDARG);
    }
}

// Another thread holds the clipboard open: held for good, the copy is an error and leaves the
// clipboard closed; let go within a moment, the copy waits for it and succeeds.
TEST(SchrankaText, ObsazenaSchrankaJeChybaAZustaneZavrena) {
    VlastnikSchranky vlastnik;
    for (const DWORD drzet : {DWORD{10000}, DWORD{50}}) {
        HANDLE otevreno = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        HANDLE konec = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        std::thread drzitel([&] {
            HWND okno = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
            ::OpenClipboard(okno);
            ::SetEvent(otevreno);
            ::WaitForSingleObject(konec, drzet);
            ::CloseClipboard();
            ::DestroyWindow(okno);
        });
        ::WaitForSingleObject(otevreno, 10000);
        bool chyba = false;
        try {
            KopirovatTextDoSchranky(drzet > 1000 ? L"nelze" : L"počkal", vlastnik.okno);
        } catch (const Chyba&) {
            chyba = true;
        }
        ::SetEvent(konec);
        drzitel.join();
        ::CloseHandle(otevreno);
        ::CloseHandle(konec);
        EXPECT_EQ(chyba, drzet > 1000) << drzet;
        SIZE_T velikost = 0;
        if (!chyba) EXPECT_EQ(TextSchranky(&velikost), L"počkal");
    }
    KopirovatTextDoSchranky(L"znovu", vlastnik.okno);
    SIZE_T velikost = 0;
    EXPECT_EQ(TextSchranky(&velikost), L"znovu");
}

// Not a test: shows one dialog for a few seconds so that a screenshot can be taken
// (SUITE_UKAZKA = vstup | info | prvky).
TEST(Ukazka, DISABLED_Dialog) {
    AplikacePripravena pripravena;
    const char* ktery = std::getenv("SUITE_UKAZKA");
    const std::string co = ktery ? ktery : "vstup";
    if (co == "prvky") {
        testy::DialogPrvku dialog;
        dialog.Otevrit();
        knihovna::StaticOdkazUrl web;
        web.PripojitSUrl(dialog.Polozka(2001), nullptr);
        knihovna::StaticOdkazEmail email;
        email.Pripojit(dialog.Polozka(2002));
        knihovna::StaticNadpis nadpis;
        knihovna::PripojitNadpisVerdana(nadpis, dialog.Polozka(2006));
        knihovna::EditCislo cislo;
        cislo.Pripojit(dialog.Polozka(2010), 25, 1, 40);
        knihovna::EditSlozka slozka;
        slozka.Pripojit(dialog.Polozka(2011), L"C:\\neexistující složka");
        slozka.overovatExistenci = true;
        knihovna::EditSoubor soubor;
        soubor.Pripojit(dialog.Polozka(2012), L"C:\\windows\\win.ini");
        knihovna::ButtonVyberBarvy barva;
        barva.Pripojit(dialog.Polozka(2013), RGB(200, 40, 40));
        knihovna::ComboBox combo;
        knihovna::NaplnitComboKdy(combo, dialog.Polozka(2021), 2);
        knihovna::TabControl zalozky;
        zalozky.Pripojit(dialog.Polozka(2022), nullptr);
        zalozky.VlozitPolozku(0, L"Obecné");
        zalozky.VlozitPolozku(1, L"Kontakt");
        knihovna::CheckListView seznam;
        seznam.Pripojit(dialog.Polozka(2023));
        seznam.PridatPolozku(L"Spustit modul \"Stopky\"", 0, 1);
        seznam.PridatPolozku(L"Spustit modul \"Hodiny\"", 1, 2);
        seznam.NastavitZaskrtnuti(0, true);
        ::SendDlgItemMessageW(dialog.m_hWnd, 2020, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Žluťoučký kůň"));
        ::InvalidateRect(dialog.m_hWnd, nullptr, TRUE);
        testy::Pumpovat(4000);
        return;
    }
    testy::RidicDialogu ridic(nullptr, [](HWND d) {
        ::Sleep(4000);
        ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
    });
    if (co == "info") {
        ZobrazitInfoOProgramu();
    } else {
        std::wstring text = L"Nová poznámka";
        ZadatText(text, L"Zadejte název nové zvukové poznámky");
    }
    ridic.Dokoncit();
}
