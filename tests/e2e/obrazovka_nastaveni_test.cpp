// The screen tools' settings pages in the running program: each opens by command 40002, OK
// stores a changed value and keeps the previous one for a number outside its range.
#include <gtest/gtest.h>

#include <cstdio>

#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "podpora/snimek.h"

using namespace testy;

namespace {

const wchar_t* const TRIDA_HLAVNIHO_OKNA = L"QKolvexHlavniOkno";
const wchar_t* const KLIC_OPIS = L"Software\\Brenvald\\Kolvex\\5.0\\Opis";

HWND CekatNaStranku(const Program& program, const std::wstring& stranka) {
    HWND okno = nullptr;
    CekatNa([&] {
        okno = NajitOknoProcesu(program.Pid(), L"#32770");
        return okno && ::IsWindowVisible(okno) && TextOkna(okno).find(L"Nastavení: " + stranka) != std::wstring::npos;
    });
    return okno && TextOkna(okno).find(L"Nastavení: " + stranka) != std::wstring::npos ? okno : nullptr;
}

std::wstring TextReg(const wchar_t* klic, const wchar_t* hodnota) {
    wchar_t data[256] = L"";
    DWORD velikost = sizeof(data);
    if (::RegGetValueW(HKEY_CURRENT_USER, klic, hodnota, RRF_RT_REG_SZ, nullptr, data, &velikost) != ERROR_SUCCESS)
        return L"<chybí>";
    return data;
}

class ObrazovkaNastaveniZvenku : public ::testing::Test {
protected:
    void SetUp() override { VycistitStavKolvexu(); }
};

}  // namespace

TEST_F(ObrazovkaNastaveniZvenku, StrankyObrazovkySeOtevrouAOkUlozi) {
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);

    const struct {
        UINT stranka;
        const wchar_t* titulek;
        const wchar_t* soubor;
    } pripady[] = {
        {156, L"Obrazovka", L"nastaveni_156"},
        {158, L"Sběrač barvy", L"nastaveni_158"},
        {159, L"Měření obrazovky", L"nastaveni_159"},
        {160, L"Režimy obrazovky", L"nastaveni_160"},
        {192, L"Odeslání opisu obrazovky emailem", L"nastaveni_192"},
    };
    for (const auto& p : pripady) {
        ::PostMessageW(hlavni, WM_COMMAND, 40002, static_cast<LPARAM>(p.stranka));
        HWND nastaveni = CekatNaStranku(kolvex, p.titulek);
        ASSERT_NE(nastaveni, nullptr) << p.stranka;
        HWND stranka = nullptr;
        ASSERT_TRUE(CekatNa([&] {
            stranka = ::FindWindowExW(nastaveni, nullptr, L"#32770", nullptr);
            return stranka && ::IsWindowVisible(stranka);
        })) << "page " << p.stranka << " is not registered";
        CekatNa([] { return false; }, 500);  // let every control paint
        Snimek snimek = UlozitSnimekOkna(nastaveni, p.soubor);
        EXPECT_GT(snimek.tmavychBodu, 500) << "no text drawn on page " << p.stranka;
        ::PostMessageW(nastaveni, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(CekatNa([&] { return !::IsWindow(nastaveni); }));
    }

    // the capture page: a new base name is stored, 0 files is out of range and keeps 500
    ::PostMessageW(hlavni, WM_COMMAND, 40002, 157);
    HWND nastaveni = CekatNaStranku(kolvex, L"Opis obrazovky");
    ASSERT_NE(nastaveni, nullptr);
    HWND stranka = nullptr;
    ASSERT_TRUE(CekatNa([&] {
        stranka = ::FindWindowExW(nastaveni, nullptr, L"#32770", nullptr);
        return stranka && ::IsWindowVisible(stranka);
    }));
    ::SendMessageW(::GetDlgItem(stranka, 1106), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Zkouška"));
    ::SendMessageW(::GetDlgItem(stranka, 1110), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"0"));
    CekatNa([] { return false; }, 500);
    UlozitSnimekOkna(nastaveni, L"nastaveni_157");
    ::PostMessageW(nastaveni, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(CekatNa([&] { return !::IsWindow(nastaveni); }));
    EXPECT_EQ(TextReg(KLIC_OPIS, L"soubor"), L"Zkouška");
    DWORD pocet = 0;
    EXPECT_TRUE(PrecistDword(KLIC_OPIS, L"maxPocetSouboru", pocet));
    EXPECT_EQ(pocet, 500u);

    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
}
