// Configuration store: registry value kinds, fonts, the load walk that goes on after a bad
// value, and the settings text shared between threads.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "core/konfigurace.h"
#include "knihovna/chyba.h"
#include "podpora/pomocnik.h"

namespace {

const wchar_t* const KOREN = L"Software\\Brenvald\\KolvexTestKonfigurace";

class Konfigurace : public ::testing::Test {
protected:
    void SetUp() override { testy::SmazatKlic(KOREN); }
    void TearDown() override { testy::SmazatKlic(KOREN); }

    void Ulozit(const std::wstring& sekce, const wchar_t* nazev, DWORD typ, const void* data, DWORD bajtu) {
        HKEY h = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (std::wstring(KOREN) + L"\\" + sekce).c_str(), 0, nullptr, 0,
                                    KEY_WRITE, nullptr, &h, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(::RegSetValueExW(h, nazev, 0, typ, static_cast<const BYTE*>(data), bajtu), ERROR_SUCCESS);
        ::RegCloseKey(h);
    }
    void UlozitDword(const std::wstring& sekce, const wchar_t* nazev, DWORD hodnota) {
        Ulozit(sekce, nazev, REG_DWORD, &hodnota, sizeof(hodnota));
    }
    void UlozitText(const std::wstring& sekce, const wchar_t* nazev, const std::wstring& text) {
        Ulozit(sekce, nazev, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
};

enum Druh { DRUH_U32, DRUH_BOOL, DRUH_TEXT };

}  // namespace

TEST_F(Konfigurace, DruhyHodnotPodleTabulky) {
    struct Pripad {
        const char* popis;
        DWORD typ;
        std::vector<BYTE> data;
        Druh druh;
        bool chyba;           // the read raises
        DWORD cislo;          // expected u32 (bool: 0/1)
        std::wstring text;    // expected string
    } pripady[] = {
        {"u32 as REG_DWORD", REG_DWORD, {0x0A, 0, 0, 0}, DRUH_U32, false, 10, L""},
        {"u32 as REG_BINARY of 4 bytes", REG_BINARY, {0x78, 0x56, 0x34, 0x12}, DRUH_U32, false, 0x12345678, L""},
        {"u32 as REG_BINARY of 2 bytes, filled with zeros", REG_BINARY, {0x34, 0x12}, DRUH_U32, false, 0x1234, L""},
        {"u32 of 8 bytes", REG_BINARY, {1, 0, 0, 0, 0, 0, 0, 0}, DRUH_U32, true, 0, L""},
        {"REG_SZ under a u32", REG_SZ, {'7', 0, 0, 0}, DRUH_U32, true, 0, L""},
        {"long REG_SZ under a u32", REG_SZ, {'1', 0, '2', 0, 0, 0}, DRUH_U32, true, 0, L""},
        {"bool stored as 7", REG_DWORD, {7, 0, 0, 0}, DRUH_BOOL, false, 1, L""},
        {"bool stored as 0", REG_DWORD, {0, 0, 0, 0}, DRUH_BOOL, false, 0, L""},
        {"bool stored as 0x100", REG_DWORD, {0, 1, 0, 0}, DRUH_BOOL, false, 1, L""},
        {"REG_SZ under a bool", REG_SZ, {'1', 0, 0, 0}, DRUH_BOOL, true, 0, L""},
        {"string", REG_SZ, {'a', 0, 0x59, 0x01, 0, 0}, DRUH_TEXT, false, 0, L"ař"},
        {"string without NUL reads whole", REG_SZ, {'a', 0, 'b', 0}, DRUH_TEXT, false, 0, L"ab"},
        {"string with an embedded NUL is cut", REG_SZ, {'a', 0, 0, 0, 'b', 0, 0, 0}, DRUH_TEXT, false, 0, L"a"},
        {"empty string", REG_SZ, {0, 0}, DRUH_TEXT, false, 0, L""},
        {"REG_DWORD under a string", REG_DWORD, {1, 0, 0, 0}, DRUH_TEXT, true, 0, L""},
        {"REG_EXPAND_SZ under a string", REG_EXPAND_SZ, {'a', 0, 0, 0}, DRUH_TEXT, true, 0, L""},
    };
    for (const Pripad& p : pripady) {
        Ulozit(L"Druhy", L"hodnota", p.typ, p.data.data(), static_cast<DWORD>(p.data.size()));
        KlicKonfigurace klic(KOREN);
        klic.OtevritSekci(L"Druhy");
        DWORD cislo = 0xDEAD;
        bool priznak = false;
        std::wstring text = L"puvodni";
        try {
            int vysledek = p.druh == DRUH_U32 ? NacistHodnotuDword(klic, L"hodnota", cislo)
                           : p.druh == DRUH_BOOL ? klic.NacistCislo(L"hodnota", priznak)
                                            : klic.NacistText(L"hodnota", text);
            EXPECT_FALSE(p.chyba) << p.popis << ": no error";
            EXPECT_EQ(vysledek, 0) << p.popis;
            if (p.druh == DRUH_U32) {
                EXPECT_EQ(cislo, p.cislo) << p.popis;
            } else if (p.druh == DRUH_BOOL) {
                EXPECT_EQ(priznak, p.cislo != 0) << p.popis;
            } else {
                EXPECT_EQ(text, p.text) << p.popis;
            }
        } catch (const knihovna::Chyba&) {
            EXPECT_TRUE(p.chyba) << p.popis << ": unexpected error";
            EXPECT_EQ(cislo, 0xDEADu) << p.popis;
            EXPECT_EQ(text, L"puvodni") << p.popis;
        }
    }
}

TEST_F(Konfigurace, ChybejiciHodnotaASekce) {
    UlozitDword(L"Sekce", L"jina", 1);
    KlicKonfigurace klic(KOREN);
    klic.OtevritSekci(L"Sekce");
    DWORD cislo = 42;
    bool priznak = true;
    std::wstring text = L"výchozí";
    EXPECT_EQ(NacistHodnotuDword(klic, L"chybi", cislo), 1);
    EXPECT_EQ(klic.NacistCislo(L"chybi", priznak), 1);
    EXPECT_EQ(klic.NacistText(L"chybi", text), 1);
    EXPECT_EQ(cislo, 42u);
    EXPECT_TRUE(priznak);
    EXPECT_EQ(text, L"výchozí");

    // A missing section raises for an open; a creation makes it with its whole path.
    EXPECT_THROW(klic.OtevritSekci(L"Neni\\Hlubsi"), knihovna::Chyba);
    klic.VytvoritSekci(L"Neni\\Hlubsi");
    klic.ZapsatCislo(L"b", true);
    klic.Zavrit();
    DWORD zapsano = 0;
    EXPECT_TRUE(testy::PrecistDword(std::wstring(KOREN) + L"\\Neni\\Hlubsi", L"b", zapsano));
    EXPECT_EQ(zapsano, 1u);
}

TEST_F(Konfigurace, CteniPokracujePoChybneHodnote) {
    // A value of the wrong kind is remembered; the values after it still load.
    UlozitDword(L"S", L"a", 1);
    UlozitText(L"S", L"b", L"není číslo");
    UlozitDword(L"S", L"c", 3);
    UlozitDword(L"S", L"d", 5);  // a string read of a number
    UlozitText(L"S", L"e", L"text");

    CteniNastaveni cteni(KOREN);
    DWORD a = 0, b = 99, c = 0;
    SdilenyText d = L"výchozí", e;
    ASSERT_TRUE(cteni.Sekce(L"S"));
    cteni(L"a", a);
    cteni(L"b", b);
    cteni(L"c", c);
    cteni(L"d", d);
    cteni(L"e", e);
    EXPECT_FALSE(cteni.Sekce(L"Chybi"));  // quiet
    DWORD f = 7;
    cteni(L"f", f);  // no section open: nothing read
    cteni.ZavritSekci();

    EXPECT_EQ(a, 1u);
    EXPECT_EQ(b, 99u);
    EXPECT_EQ(c, 3u);
    EXPECT_EQ(d, L"výchozí");
    EXPECT_EQ(e, L"text");
    EXPECT_EQ(f, 7u);
    ASSERT_TRUE(cteni.Selhalo());
    // a text where a number belongs is the wrong kind of value, not "more data"
    EXPECT_EQ(cteni.PrvniChyba().Hresult(), knihovna::HresultZKodu(ERROR_DATATYPE_MISMATCH));
    EXPECT_EQ(cteni.PrvniChyba().Zprava(), L"Hodnota v registru je nesprávného druhu.");
}

TEST_F(Konfigurace, PismoTamAZpet) {
    LOGFONTW pismo = VychoziPismo();
    EXPECT_NE(pismo.lfFaceName[0], L'\0');
    pismo.lfHeight = -13;
    pismo.lfWeight = FW_BOLD;
    pismo.lfItalic = 1;
    pismo.lfCharSet = EASTEUROPE_CHARSET;
    wcscpy(pismo.lfFaceName, L"Verdana");
    {
        ZapisNastaveni zapis(KOREN);
        zapis.Sekce(L"Hodiny\\Pismo");
        zapis.Pismo(pismo);
    }
    DWORD vyska = 0;
    ASSERT_TRUE(testy::PrecistDword(std::wstring(KOREN) + L"\\Hodiny\\Pismo", L"lfHeight", vyska));
    EXPECT_EQ(vyska, 0xFFFFFFF3u);  // two's complement of -13

    LOGFONTW precteno{};
    KlicKonfigurace klic(KOREN);
    klic.OtevritSekci(L"Hodiny\\Pismo");
    EXPECT_EQ(klic.NacistPismo(precteno), 0);
    EXPECT_EQ(memcmp(&precteno, &pismo, sizeof(LOGFONTW) - sizeof(pismo.lfFaceName)), 0);
    EXPECT_STREQ(precteno.lfFaceName, L"Verdana");

    // A face name of 40 characters keeps its first 31; a byte field takes the low byte;
    // a missing value leaves its field and makes the result 1.
    UlozitText(L"Hodiny\\Pismo", L"FaceName", std::wstring(40, L'x'));
    UlozitDword(L"Hodiny\\Pismo", L"lfItalic", 0x101);
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, (std::wstring(KOREN) + L"\\Hodiny\\Pismo").c_str(), L"lfWidth");
    klic.OtevritSekci(L"Hodiny\\Pismo");
    precteno.lfWidth = 77;
    EXPECT_EQ(klic.NacistPismo(precteno), 1);
    EXPECT_EQ(std::wstring(precteno.lfFaceName), std::wstring(31, L'x'));
    EXPECT_EQ(precteno.lfItalic, 1);
    EXPECT_EQ(precteno.lfWidth, 77);
}

TEST(SdilenyText, CteniBehemNahrazovani) {
    // One thread replaces the text, another reads it: every read is one whole text.
    const std::wstring kratky = L"C:\\Data";
    const std::wstring dlouhy = std::wstring(2000, L'ž') + L"\\Poznámky";
    SdilenyText text = kratky;
    std::atomic<bool> konec{false};
    std::atomic<int> spatne{0};
    std::thread ctenar([&] {
        while (!konec) {
            std::wstring kopie = text;
            if (kopie != kratky && kopie != dlouhy) ++spatne;
        }
    });
    for (int i = 0; i < 20000; ++i) text = (i % 2) ? kratky : dlouhy;
    konec = true;
    ctenar.join();
    EXPECT_EQ(spatne.load(), 0);

    SdilenyText kopie = text;
    text = L"jiny";
    EXPECT_EQ(kopie, kratky);  // copies are independent
    EXPECT_EQ(text + L"\\x", L"jiny\\x");
}
