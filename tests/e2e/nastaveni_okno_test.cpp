// The settings window of the running program: opened by command 40002 at a page, the hot keys
// free while it is open, Apply and OK write the registry, and a screenshot for people to look at.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>

#include <windows.h>
#include <commctrl.h>

#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "podpora/snimek.h"

using namespace testy;

namespace {

const wchar_t* const TRIDA_HLAVNIHO_OKNA = L"QKolvexHlavniOkno";
const wchar_t* const KLIC = L"Software\\Brenvald\\Kolvex\\5.0";
const wchar_t* const KLAVESY = L"Software\\Brenvald\\Kolvex\\5.0\\Horke klavesy";

void ZapsatHorkouKlavesu(UINT prikaz, UINT modifikatory, UINT klavesa, UINT kategorie) {
    uint32_t data[4] = {modifikatory, klavesa, prikaz, kategorie};
    HKEY klic = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, KLAVESY, 0, nullptr, 0, KEY_WRITE, nullptr, &klic, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(klic, std::to_wstring(prikaz).c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(data),
                     sizeof(data));
    ::RegCloseKey(klic);
}

// Whether another program holds the key combination: registering it here fails then. The probe
// holds the key for a moment itself, so it is made once, after the program has done what is
// awaited (polling it would now and then take the key from under the program's registration).
bool KlavesaObsazena(UINT modifikatory, UINT klavesa) {
    if (!::RegisterHotKey(nullptr, 0x7ABC, modifikatory, klavesa)) return true;
    ::UnregisterHotKey(nullptr, 0x7ABC);
    return false;
}

// The settings window of the program: a visible dialog whose title names the settings.
HWND CekatNaNastaveni(const Program& program, const std::wstring& stranka) {
    HWND okno = nullptr;
    CekatNa([&] {
        okno = NajitOknoProcesu(program.Pid(), L"#32770");
        return okno && ::IsWindowVisible(okno) && TextOkna(okno).find(L"Nastavení: " + stranka) != std::wstring::npos;
    });
    return okno && TextOkna(okno).find(L"Nastavení: " + stranka) != std::wstring::npos ? okno : nullptr;
}

// Returns once the main window's thread has finished what it was doing (a sent message is taken
// only between two messages of its own).
void Dokoncit(HWND hlavni) {
    DWORD_PTR vysledek = 0;
    ::SendMessageTimeoutW(hlavni, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &vysledek);
}

bool ExistujeHodnota(const wchar_t* klic, const wchar_t* hodnota) {
    return ::RegGetValueW(HKEY_CURRENT_USER, klic, hodnota, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::wstring TextReg(const wchar_t* klic, const wchar_t* hodnota) {
    wchar_t data[256] = L"";
    DWORD velikost = sizeof(data);
    if (::RegGetValueW(HKEY_CURRENT_USER, klic, hodnota, RRF_RT_REG_SZ, nullptr, data, &velikost) != ERROR_SUCCESS)
        return L"<chybí>";
    return data;
}

class NastaveniZvenku : public ::testing::Test {
protected:
    void SetUp() override { VycistitStavKolvexu(); }
};

}  // namespace

TEST_F(NastaveniZvenku, OtevreniUvolniHorkeKlavesyZavreniJeVratiAOkZapiseHodnoty) {
    ZapsatHorkouKlavesu(40019, MOD_CONTROL | MOD_ALT, 'J', 27);
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);
    // the screen module's window comes from the start-up timer, set after the hot keys
    ASSERT_NE(kolvex.CekatNaOkno(L"QKolvexObrazovka"), nullptr);
    Dokoncit(hlavni);
    ASSERT_TRUE(KlavesaObsazena(MOD_CONTROL | MOD_ALT, 'J')) << "the program did not register its hot key";

    ::PostMessageW(hlavni, WM_COMMAND, 40002, 190);
    HWND nastaveni = CekatNaNastaveni(kolvex, L"Odesílání emailem");
    ASSERT_NE(nastaveni, nullptr) << "command 40002 with page 190 did not open the e-mail page";
    EXPECT_FALSE(KlavesaObsazena(MOD_CONTROL | MOD_ALT, 'J')) << "hot keys stay registered while the settings are open";

    // a second 40002 while the window is open opens no second one
    ::PostMessageW(hlavni, WM_COMMAND, 40002, 104);
    ::Sleep(300);
    EXPECT_EQ(TextOkna(nastaveni).find(L"Všeobecné"), std::wstring::npos);

    // type a server, then OK: the section is written with it
    HWND stranka = ::FindWindowExW(nastaveni, nullptr, L"#32770", nullptr);
    ASSERT_NE(stranka, nullptr);
    ::SendMessageW(::GetDlgItem(stranka, 1212), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"smtp.example.cz"));
    ::PostMessageW(nastaveni, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(CekatNa([&] { return !::IsWindow(nastaveni); }));
    EXPECT_EQ(TextReg(L"Software\\Brenvald\\Kolvex\\5.0\\Odesilatel emailu", L"server"), L"smtp.example.cz");
    Dokoncit(hlavni);  // the keys are registered again right after the settings window's loop
    EXPECT_TRUE(KlavesaObsazena(MOD_CONTROL | MOD_ALT, 'J')) << "closing the settings did not register the hot keys again";

    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
}

TEST_F(NastaveniZvenku, SnimekOknaSCeskouStrankou) {
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);

    struct Pripad {
        UINT stranka;
        const wchar_t* titulek;
        const wchar_t* soubor;
    };
    const Pripad pripady[] = {
        {190, L"Odesílání emailem", L"nastaveni"},
        {105, L"Akce po spuštění", L"nastaveni_105"},
        {104, L"Všeobecné", L"nastaveni_104"},
        {178, L"Volitelné položky hlavní nabídky", L"nastaveni_178"},
        {111, L"Klávesové zkratky", L"nastaveni_111"},
    };
    for (const Pripad& p : pripady) {
        ::PostMessageW(hlavni, WM_COMMAND, 40002, static_cast<LPARAM>(p.stranka));
        HWND nastaveni = CekatNaNastaveni(kolvex, p.titulek);
        ASSERT_NE(nastaveni, nullptr) << p.stranka;
        ::Sleep(500);  // let every control paint
        Snimek snimek = UlozitSnimekOkna(nastaveni, p.soubor);
        ASSERT_FALSE(snimek.soubor.empty()) << "no screenshot written";
        std::printf("Snímek okna nastavení: %ls\n", snimek.soubor.c_str());
        EXPECT_GT(snimek.pocetBarev, 8) << "the capture is blank";
        EXPECT_GT(snimek.tmavychBodu, 500) << "no text drawn";
        ::PostMessageW(nastaveni, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(CekatNa([&] { return !::IsWindow(nastaveni); }));
    }
    EXPECT_FALSE(ExistujeKlic(std::wstring(KLIC) + L"\\Odesilatel emailu")) << "Cancel stored the settings";

    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
}

// A key set on the hot-key page with real key presses: Cancel keeps the old key in force, OK
// registers the new one and stores it.
TEST_F(NastaveniZvenku, KlavesaNastavenaNaStranceAzPoPotvrzeni) {
    ZapsatHorkouKlavesu(40019, MOD_CONTROL | MOD_ALT, 'J', 27);
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);
    ASSERT_NE(kolvex.CekatNaOkno(L"QKolvexObrazovka"), nullptr);

    for (bool potvrdit : {false, true}) {
        SCOPED_TRACE(potvrdit);
        ::PostMessageW(hlavni, WM_COMMAND, 40002, 111);
        HWND nastaveni = CekatNaNastaveni(kolvex, L"Klávesové zkratky");
        ASSERT_NE(nastaveni, nullptr);
        HWND stranka = nullptr;
        ASSERT_TRUE(CekatNa([&] {
            for (HWND h = ::FindWindowExW(nastaveni, nullptr, L"#32770", nullptr); h;
                 h = ::FindWindowExW(nastaveni, h, L"#32770", nullptr))
                if (::IsWindowVisible(h) && ::GetDlgItem(h, 1024)) stranka = h;
            return stranka != nullptr;
        }));
        HWND seznam = ::GetDlgItem(stranka, 1023), klavesa = ::GetDlgItem(stranka, 1024);
        HWND nastavit = ::GetDlgItem(stranka, 1026);
        // the command's row, chosen as a user would
        LRESULT radek = ::SendMessageW(seznam, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(L"Zobrazit hlavní kontextovou nabídku."));
        ASSERT_NE(radek, LB_ERR);
        ::SendMessageW(seznam, LB_SETCURSEL, static_cast<WPARAM>(radek), 0);
        ::SendMessageW(stranka, WM_COMMAND, MAKEWPARAM(1023, LBN_SELCHANGE), reinterpret_cast<LPARAM>(seznam));
        EXPECT_EQ(::SendMessageW(klavesa, HKM_GETHOTKEY, 0, 0), MAKEWORD('J', HOTKEYF_CONTROL | HOTKEYF_ALT));
        EXPECT_FALSE(::IsWindowEnabled(nastavit));
        // the key typed into the hot-key control
        ::SetForegroundWindow(nastaveni);
        ::PostMessageW(nastaveni, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(klavesa), TRUE);
        ASSERT_TRUE(CekatNa([&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof(info);
            return ::GetGUIThreadInfo(::GetWindowThreadProcessId(nastaveni, nullptr), &info) && info.hwndFocus == klavesa;
        }));
        StisknoutKlavesy({VK_CONTROL, VK_MENU, 'K'});
        // the whole combination has arrived (a modifier alone already enables "Nastavit")
        ASSERT_TRUE(CekatNa([&] {
            return ::SendMessageW(klavesa, HKM_GETHOTKEY, 0, 0) == MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT);
        }));
        EXPECT_TRUE(::IsWindowEnabled(nastavit)) << "typing a key enables Nastavit";
        ::SendMessageW(nastavit, BM_CLICK, 0, 0);
        EXPECT_FALSE(::IsWindowEnabled(nastavit));
        ::PostMessageW(nastaveni, WM_COMMAND, potvrdit ? IDOK : IDCANCEL, 0);
        ASSERT_TRUE(CekatNa([&] { return !::IsWindow(nastaveni); }));
        Dokoncit(hlavni);
        EXPECT_EQ(KlavesaObsazena(MOD_CONTROL | MOD_ALT, 'J'), !potvrdit);
        EXPECT_EQ(KlavesaObsazena(MOD_CONTROL | MOD_ALT, 'K'), potvrdit);
    }
    uint32_t data[4] = {};
    DWORD velikost = sizeof(data);
    ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, KLAVESY, L"40019", RRF_RT_REG_BINARY, nullptr, data, &velikost),
              ERROR_SUCCESS);
    EXPECT_EQ(data[0], static_cast<uint32_t>(MOD_CONTROL | MOD_ALT));
    EXPECT_EQ(data[1], static_cast<uint32_t>('K'));
    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
}

// A stored hot-key record of a command the program does not know: the hot-key page opens with
// the program's rows, OK closes the window, and the stray record is gone from the registry.
TEST_F(NastaveniZvenku, NeznamyZaznamHorkeKlavesyStrankuNezavreAZmizi) {
    ZapsatHorkouKlavesu(45000, MOD_CONTROL | MOD_ALT, 'U', 27);
    ZapsatHorkouKlavesu(40019, MOD_CONTROL | MOD_ALT, 'J', 27);
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);
    ASSERT_NE(kolvex.CekatNaOkno(L"QKolvexObrazovka"), nullptr);
    Dokoncit(hlavni);

    ::PostMessageW(hlavni, WM_COMMAND, 40002, 111);
    HWND nastaveni = CekatNaNastaveni(kolvex, L"Klávesové zkratky");
    ASSERT_NE(nastaveni, nullptr) << "the hot-key page did not open";
    HWND stranka = ::FindWindowExW(nastaveni, nullptr, L"#32770", nullptr);
    ASSERT_NE(stranka, nullptr);
    HWND seznam = ::GetDlgItem(stranka, 1023);
    ASSERT_NE(seznam, nullptr);
    EXPECT_EQ(::SendMessageW(seznam, LB_GETCOUNT, 0, 0), 42) << "the stray row is listed";
    Dokoncit(hlavni);
    EXPECT_TRUE(::IsWindow(nastaveni)) << "the settings window vanished";
    EXPECT_EQ(kolvex.CekatNaZpravu(500), nullptr) << "a message came up";

    ::PostMessageW(nastaveni, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(CekatNa([&] { return !::IsWindow(nastaveni); }));
    Dokoncit(hlavni);
    EXPECT_FALSE(ExistujeHodnota(KLAVESY, L"45000")) << "the stray record was written back";
    EXPECT_TRUE(ExistujeHodnota(KLAVESY, L"40019"));
    EXPECT_TRUE(KlavesaObsazena(MOD_CONTROL | MOD_ALT, 'J'));

    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
}
