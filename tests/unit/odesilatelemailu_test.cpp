// The e-mail sender's account: first run, the registry after a save (the password as typed),
// a damaged value, and its settings page with the masked password.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <string>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/odesilatelemailu.h"
#include "knihovna/text.h"
#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "resources/resource.h"
#include "zkusebni_prvky.h"

namespace {

const std::wstring KLIC = L"Software\\Brenvald\\Kolvex\\5.0";
const std::wstring SEKCE = KLIC + L"\\Odesilatel emailu";

struct Uzivatel {
    std::wstring puvodni = aplikace.jmenoUzivatele;
    explicit Uzivatel(const wchar_t* jmeno) {
        testy::SmazatKlic(KLIC);
        aplikace.jmenoUzivatele = jmeno;
    }
    ~Uzivatel() {
        aplikace.jmenoUzivatele = puvodni;
        nastaveniOdesilatelEmailu.reset();
        testy::SmazatKlic(KLIC);
    }
};

bool PrecistHodnotu(const wchar_t* nazev, DWORD& typ, std::wstring& text) {
    wchar_t data[256] = L"";
    DWORD velikost = sizeof(data);
    if (::RegGetValueW(HKEY_CURRENT_USER, SEKCE.c_str(), nazev, RRF_RT_ANY | RRF_NOEXPAND, &typ, data, &velikost) !=
        ERROR_SUCCESS)
        return false;
    if (typ == REG_DWORD) {
        DWORD cislo = 0;
        memcpy(&cislo, data, sizeof(cislo));
        text = std::to_wstring(cislo);
    } else {
        text = data;
    }
    return true;
}

void ZapsatDword(const wchar_t* nazev, DWORD hodnota) {
    HKEY klic = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, SEKCE.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &klic, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(klic, nazev, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&hodnota), sizeof(hodnota));
    ::RegCloseKey(klic);
}

void ZapsatText(const wchar_t* nazev, const std::wstring& text) {
    HKEY klic = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, SEKCE.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &klic, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(klic, nazev, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(klic);
}

}  // namespace

TEST(OdesilatelEmailu, PrvniSpusteniJenJmenoUzivatele) {
    Uzivatel uzivatel(L"Jan Novák");
    testy::ZachytavacZprav zpravy;
    KonfiguraceOdesilatelEmailu k;
    EXPECT_EQ(k.sekce, L"Odesilatel emailu");
    EXPECT_EQ(k.odesilatel.Text(), L"Jan Novák");
    EXPECT_TRUE(k.email.Prazdny());
    EXPECT_TRUE(k.heslo.Prazdny());
    EXPECT_TRUE(k.uzivatel.Prazdny());
    EXPECT_TRUE(k.server.Prazdny());
    EXPECT_FALSE(k.zobrazovatHeslo);
    EXPECT_FALSE(testy::ExistujeKlic(SEKCE)) << "the load created the section";
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
}

TEST(OdesilatelEmailu, UlozeniZapiseVsechnyHodnotyHesloJakByloNapsano) {
    Uzivatel uzivatel(L"Jan Novák");
    testy::ZachytavacZprav zpravy;
    {
        KonfiguraceOdesilatelEmailu k;
        k.email = L"jan.novak@example.cz";
        k.heslo = L"tajné \"heslo\" 123 ";
        k.odesilatel = L"Jan Novák (Kolvex)";
        k.uzivatel = L"jnovak";
        k.server = L"127.0.0.1";
        k.zobrazovatHeslo = true;
        k.Ulozit();
    }
    struct Ocekavana {
        const wchar_t* nazev;
        DWORD typ;
        const wchar_t* text;
    };
    const Ocekavana hodnoty[] = {
        {L"email", REG_SZ, L"jan.novak@example.cz"}, {L"heslo", REG_SZ, L"tajné \"heslo\" 123 "},
        {L"odesilatel", REG_SZ, L"Jan Novák (Kolvex)"}, {L"uzivatel", REG_SZ, L"jnovak"},
        {L"server", REG_SZ, L"127.0.0.1"}, {L"zobrazovatHeslo", REG_DWORD, L"1"},
    };
    for (const Ocekavana& h : hodnoty) {
        DWORD typ = 0;
        std::wstring text;
        ASSERT_TRUE(PrecistHodnotu(h.nazev, typ, text)) << knihovna::NaUzky(h.nazev, CP_UTF8);
        EXPECT_EQ(typ, h.typ);
        EXPECT_EQ(text, h.text);
    }
    KonfiguraceOdesilatelEmailu znovu;
    EXPECT_EQ(znovu.heslo.Text(), L"tajné \"heslo\" 123 ");
    EXPECT_EQ(znovu.odesilatel.Text(), L"Jan Novák (Kolvex)");
    EXPECT_EQ(znovu.server.Text(), L"127.0.0.1");
    EXPECT_TRUE(znovu.zobrazovatHeslo);
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
}

TEST(OdesilatelEmailu, PoskozenaHodnotaSeOhlasiOstatniSeNactou) {
    Uzivatel uzivatel(L"Jan Novák");
    ZapsatText(L"email", L"jan@example.cz");
    ZapsatDword(L"server", 25);  // a number where a text belongs
    ZapsatText(L"uzivatel", L"jan");
    testy::ZachytavacZprav zpravy;
    KonfiguraceOdesilatelEmailu k;
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_NE(zpravy.zpravy[0].text.find(L"Došlo k chybě při načítání konfigurace odesílání emailem z registru Windows."),
              std::wstring::npos);
    EXPECT_TRUE(zpravy.zpravy[0].priznaky & MB_ICONERROR);
    EXPECT_EQ(k.email.Text(), L"jan@example.cz");
    EXPECT_EQ(k.uzivatel.Text(), L"jan");
    EXPECT_TRUE(k.server.Prazdny());
    EXPECT_EQ(k.odesilatel.Text(), L"Jan Novák");
}

TEST(OdesilatelEmailu, StrankaSkryvaHesloAUkladaPole) {
    Uzivatel uzivatel(L"Jan Novák");
    testy::ZachytavacZprav zpravy;
    nastaveniOdesilatelEmailu = std::make_unique<KonfiguraceOdesilatelEmailu>();
    nastaveniOdesilatelEmailu->heslo = L"tajné";
    nastaveniOdesilatelEmailu->server = L"smtp.example.cz";
    HWND rodic = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 600, 500, nullptr, nullptr, nullptr, nullptr);
    {
        DlgNastavOdesilatelEmailu stranka;
        stranka.Vytvorit(rodic);
        HWND heslo = stranka.Polozka(IDC_EMAIL_HESLO);
        const wchar_t znak = static_cast<wchar_t>(::SendMessageW(heslo, EM_GETPASSWORDCHAR, 0, 0));
        EXPECT_NE(znak, 0) << "the password shows in clear";
        EXPECT_EQ(testy::TextOkna(heslo), L"tajné");
        EXPECT_EQ(testy::TextOkna(stranka.Polozka(IDC_EMAIL_ODESILATEL)), L"Jan Novák");
        EXPECT_EQ(testy::TextOkna(stranka.Polozka(IDC_EMAIL_SERVER)), L"smtp.example.cz");

        MSG msg;
        while (::PeekMessageW(&msg, rodic, 0, 0, PM_REMOVE)) {
        }
        ::SendMessageW(stranka.Polozka(IDC_EMAIL_ZOBRAZIT_HESLO), BM_CLICK, 0, 0);
        EXPECT_EQ(::SendMessageW(heslo, EM_GETPASSWORDCHAR, 0, 0), 0);
        EXPECT_TRUE(::PeekMessageW(&msg, rodic, WM_APP + 1, WM_APP + 1, PM_REMOVE)) << "the change is not announced";
        EXPECT_FALSE(nastaveniOdesilatelEmailu->zobrazovatHeslo) << "the check is stored only by Apply";
        ::SendMessageW(stranka.Polozka(IDC_EMAIL_ZOBRAZIT_HESLO), BM_CLICK, 0, 0);
        EXPECT_EQ(static_cast<wchar_t>(::SendMessageW(heslo, EM_GETPASSWORDCHAR, 0, 0)), znak);
        ::SendMessageW(stranka.Polozka(IDC_EMAIL_ZOBRAZIT_HESLO), BM_CLICK, 0, 0);

        ::SetWindowTextW(stranka.Polozka(IDC_EMAIL_ADRESA), L"jan@example.cz");
        ::SetWindowTextW(heslo, L"nové heslo");
        ::SetWindowTextW(stranka.Polozka(IDC_EMAIL_UZIVATEL), L"jan");
        EXPECT_TRUE(::PeekMessageW(&msg, rodic, WM_APP + 1, WM_APP + 1, PM_REMOVE)) << "edits are not announced";
        stranka.Ulozit();
        stranka.Ukoncit(0);
    }
    const KonfiguraceOdesilatelEmailu& k = *nastaveniOdesilatelEmailu;
    EXPECT_EQ(k.email.Text(), L"jan@example.cz");
    EXPECT_EQ(k.heslo.Text(), L"nové heslo");
    EXPECT_EQ(k.uzivatel.Text(), L"jan");
    EXPECT_EQ(k.server.Text(), L"smtp.example.cz");
    EXPECT_EQ(k.odesilatel.Text(), L"Jan Novák");
    EXPECT_TRUE(k.zobrazovatHeslo);

    // stored "show" opens the page with the password in clear
    nastaveniOdesilatelEmailu->zobrazovatHeslo = true;
    {
        DlgNastavOdesilatelEmailu stranka;
        stranka.Vytvorit(rodic);
        EXPECT_EQ(::SendMessageW(stranka.Polozka(IDC_EMAIL_HESLO), EM_GETPASSWORDCHAR, 0, 0), 0);
        EXPECT_EQ(::IsDlgButtonChecked(stranka.m_hWnd, IDC_EMAIL_ZOBRAZIT_HESLO), BST_CHECKED);
        ::SendMessageW(stranka.Polozka(IDC_EMAIL_ZOBRAZIT_HESLO), BM_CLICK, 0, 0);
        EXPECT_NE(::SendMessageW(stranka.Polozka(IDC_EMAIL_HESLO), EM_GETPASSWORDCHAR, 0, 0), 0)
            << "unchecking does not mask the password";
        stranka.Ukoncit(0);
    }
    ::DestroyWindow(rodic);
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
}
