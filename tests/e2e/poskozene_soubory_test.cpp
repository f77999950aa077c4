// User files the program could not read whole, met by the real Kolvex at start: a damaged
// operative clipboard or contact list is reported in Czech, the exit leaves it byte for byte as
// it was, and a change of the user's is saved only after the damaged bytes are kept as ".bak".
// Temporary files of saves that never finished are cleared by the next save in their folder.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "podpora/pomocnik.h"
#include "podpora/ridic.h"

using namespace testy;

namespace {

const wchar_t* const TRIDA_HLAVNIHO_OKNA = L"QKolvexHlavniOkno";
const wchar_t* const TRIDA_MODULU_SCHRANKY = L"QKolvexOknoSchranka";

std::wstring SlozkaDat() { return SlozkaDokumentu() + L"\\Kolvex 5"; }

void Zapsat(const std::wstring& cesta, const std::vector<BYTE>& bajty) {
    HANDLE h = ::CreateFileW(cesta.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD zapsano = 0;
    ::WriteFile(h, bajty.data(), static_cast<DWORD>(bajty.size()), &zapsano, nullptr);
    ::CloseHandle(h);
}

void PridatUtf16(std::vector<BYTE>& b, const std::wstring& text, bool nula = true) {
    for (wchar_t z : text) {
        b.push_back(static_cast<BYTE>(z & 0xFF));
        b.push_back(static_cast<BYTE>(z >> 8));
    }
    if (nula) b.insert(b.end(), 2, 0);
}

std::vector<BYTE> OperativniSoubor(bool oriznuty) {
    std::vector<BYTE> b = {0xB4, 0x9B, 0xAE, 0x52};
    PridatUtf16(b, L"první text");
    PridatUtf16(b, L"druhý, uříznutý", !oriznuty);
    return b;
}

std::vector<BYTE> NahodneBajty(size_t n) {
    std::mt19937 nahoda(27);
    std::vector<BYTE> b(n);
    for (BYTE& x : b) x = static_cast<BYTE>(nahoda());
    return b;
}

struct Pripad {
    const char* popis;
    const wchar_t* soubor;  // in the data folder
    std::vector<BYTE> obsah;
    const wchar_t* zprava;  // the start of the report
};

class PoskozenySoubor : public ::testing::Test {
protected:
    void SetUp() override {
        VycistitStavKolvexu();
        ::CreateDirectoryW(SlozkaDokumentu().c_str(), nullptr);
        ::CreateDirectoryW(SlozkaDat().c_str(), nullptr);
    }
    void TearDown() override { VycistitStavKolvexu(); }
};
class PoskozeneSoubory : public PoskozenySoubor, public ::testing::WithParamInterface<int> {};

std::vector<Pripad> Pripady() {
    std::vector<BYTE> prevracenaMagie = OperativniSoubor(false);
    prevracenaMagie[2] ^= 0x10;
    std::vector<BYTE> kontaktyUtf8;
    for (char c : std::string("<kontakt>\r\n <nazev>Jan Nov\xC3\xA1k</nazev>\r\n</kontakt>\r\n")) kontaktyUtf8.push_back(c);
    std::vector<BYTE> kontaktyOriznute;
    PridatUtf16(kontaktyOriznute,
                L"<kontakt>\r\n <adresa></adresa>\r\n <email>a@b.cz</email>\r\n <icq></icq>\r\n <info></info>\r\n"
                L" <jmeno>Jan</jmeno>\r\n <msn></msn>\r\n <nazev>Jan</nazev>\r\n <prijmeni></prijmeni>\r\n <skype></skype>\r\n"
                L" <telefon></telefon>\r\n <www></www>\r\n</kontakt>\r\n<kontakt>\r\n <adresa>Ulice",
                false);
    const wchar_t* const operativni = L"Operativní schránku se nepodařilo celou načíst ze souboru ";
    const wchar_t* const kontakty = L"Nepodařilo se načíst kontakty ze souboru ";
    return {
        {"operative clipboard, last text cut off", L"Operativni schranka.otdat", OperativniSoubor(true), operativni},
        {"operative clipboard, flipped magic", L"Operativni schranka.otdat", prevracenaMagie, operativni},
        {"operative clipboard, random bytes", L"Operativni schranka.otdat", NahodneBajty(300), operativni},
        {"contacts, UTF-8 copy", L"Kontakty.qxml", kontaktyUtf8, kontakty},
        {"contacts, last contact cut off", L"Kontakty.qxml", kontaktyOriznute, kontakty},
    };
}

// Closes every message box of the program whose text holds the expected start; the other
// reports (there are none expected) fail the test.
void ZavritZpravu(const Program& kolvex, const std::wstring& ocekavana) {
    HWND box = kolvex.CekatNaZpravu(15000);
    ASSERT_NE(box, nullptr) << "the damaged file was not reported";
    const std::wstring text = TextZpravy(box);
    EXPECT_EQ(text.find(ocekavana), 0u) << std::string(text.begin(), text.end());
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    CekatNa([&] { return !::IsWindow(box); });
}

}  // namespace

// Start and exit without a change: the report, and the file as it was (no copy needed yet).
TEST_P(PoskozeneSoubory, StartAKonecNechajiSouborJakByl) {
    const Pripad p = Pripady()[static_cast<size_t>(GetParam())];
    SCOPED_TRACE(p.popis);
    const std::wstring cesta = SlozkaDat() + L"\\" + p.soubor;
    Zapsat(cesta, p.obsah);

    Program kolvex;
    ZavritZpravu(kolvex, std::wstring(p.zprava) + cesta + L".");
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);
    ASSERT_NE(kolvex.CekatNaOkno(TRIDA_MODULU_SCHRANKY), nullptr);
    EXPECT_EQ(PrecistBajty(cesta), p.obsah);
    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
    EXPECT_EQ(PrecistBajty(cesta), p.obsah) << "the exit saved over a file it could not read whole";
    EXPECT_FALSE(ExistujeSoubor(cesta + L".1.bak"));
}

INSTANTIATE_TEST_SUITE_P(Pripady, PoskozeneSoubory, ::testing::Range(0, 5));

// A text copied into the damaged operative clipboard is a change: the exit saves the list, and
// the damaged bytes are in the one ".bak" beside it. Stale temporary files of that folder go.
TEST_F(PoskozenySoubor, ZmenaSeUloziAzPoZaloze) {
    const std::wstring cesta = SlozkaDat() + L"\\Operativni schranka.otdat";
    const std::vector<BYTE> puvodni = OperativniSoubor(true);
    Zapsat(cesta, puvodni);
    // a save killed an hour ago left its temporary file; one written just now may be in use
    const std::wstring stary = SlozkaDat() + L"\\~kv1A2B.tmp", cerstvy = SlozkaDat() + L"\\~kv3C4D.tmp";
    Zapsat(stary, std::vector<BYTE>(4096, 'x'));
    Zapsat(cerstvy, std::vector<BYTE>(16, 'y'));
    {
        HANDLE h = ::CreateFileW(stary.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        FILETIME cas{};
        ::GetSystemTimeAsFileTime(&cas);
        ULARGE_INTEGER u{{cas.dwLowDateTime, cas.dwHighDateTime}};
        u.QuadPart -= 3600ull * 10000000ull;
        cas.dwLowDateTime = u.LowPart;
        cas.dwHighDateTime = u.HighPart;
        ASSERT_TRUE(::SetFileTime(h, nullptr, nullptr, &cas));
        ::CloseHandle(h);
    }

    Program kolvex;
    ZavritZpravu(kolvex, L"Operativní schránku se nepodařilo celou načíst ze souboru " + cesta + L".");
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);
    ASSERT_NE(kolvex.CekatNaOkno(TRIDA_MODULU_SCHRANKY), nullptr);
    ASSERT_TRUE(DoSchranky(L"nový text"));
    ::PostMessageW(hlavni, WM_COMMAND, 40042, 0);  // add the clipboard's text to the operative list
    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);

    EXPECT_EQ(PrecistBajty(cesta + L".bak"), puvodni) << "the damaged bytes were not kept";
    EXPECT_FALSE(ExistujeSoubor(cesta + L".1.bak"));
    std::vector<BYTE> ocekavane = {0xB4, 0x9B, 0xAE, 0x52};
    PridatUtf16(ocekavane, L"nový text");
    PridatUtf16(ocekavane, L"první text");
    EXPECT_EQ(PrecistBajty(cesta), ocekavane) << "the whole texts and the new one are saved";
    EXPECT_FALSE(ExistujeSoubor(stary)) << "a stale temporary file was left";
    EXPECT_TRUE(ExistujeSoubor(cerstvy)) << "a temporary file a save may still use was removed";
}
