// Tagged-text format: reading fixtures in memory, writing files and round trips.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/tagovanytext.h"
#include "knihovna/chyba.h"
#include "podpora/pomocnik.h"

using testy::SouboryVeSlozce;

namespace {

std::vector<BYTE> Bajty(const std::wstring& text) {
    const BYTE* p = reinterpret_cast<const BYTE*>(text.data());
    return std::vector<BYTE>(p, p + text.size() * sizeof(wchar_t));
}

void ZapsatBajty(const std::wstring& cesta, const std::vector<BYTE>& data) {
    HANDLE h = ::CreateFileW(cesta.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD zapsano = 0;
    ::WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &zapsano, nullptr);
    ::CloseHandle(h);
}

// The inner texts of every group of a name, found one after another.
std::vector<std::wstring> Skupiny(SouborKonfiguraceCteni& cteni, const std::wstring& nazev) {
    std::vector<std::wstring> nalezene;
    while (cteni.NajitSkupinu(nazev) == S_OK) nalezene.push_back(cteni.Skupina());
    return nalezene;
}

}  // namespace

TEST(TagovanyText, SkupinyPodleFixturi) {
    struct Pripad {
        const char* popis;
        std::wstring text;
        std::wstring skupina;
        std::vector<std::wstring> ocekavane;
    } pripady[] = {
        {"empty file", L"", L"kontakt", {}},
        {"one group", L"<kontakt>\r\n <nazev>A</nazev>\r\n</kontakt>\r\n", L"kontakt", {L"\r\n <nazev>A</nazev>\r\n"}},
        {"two groups of one name, then none",
         L"<k>\r\n <x>1</x>\r\n</k>\r\n<k>\r\n <x>2</x>\r\n</k>\r\n",
         L"k",
         {L"\r\n <x>1</x>\r\n", L"\r\n <x>2</x>\r\n"}},
        {"other groups are skipped",
         L"<a>\r\n</a>\r\n<k>1</k>\r\n<b>\r\n</b>\r\n<k>2</k>\r\n",
         L"k",
         {L"1", L"2"}},
        {"names are case-sensitive", L"<Kontakt>x</Kontakt>\r\n<kontakt>y</kontakt>\r\n", L"kontakt", {L"y"}},
        {"a group without its closing line hides the groups after it",
         L"<k>1</k>\r\n<k>\r\n <x>2</x>\r\n<a>z</a>\r\n",
         L"k",
         {L"1"}},
        {"empty group lines keep their line break", L"<k>\r\n</k>\r\n", L"k", {L"\r\n"}},
        {"a leading byte-order mark is just text", L"\xFEFF<k>1</k>", L"k", {L"1"}},
    };
    for (const Pripad& p : pripady) {
        SouborKonfiguraceCteni cteni;
        cteni.NacistText(p.text);
        EXPECT_EQ(Skupiny(cteni, p.skupina), p.ocekavane) << p.popis;
        EXPECT_EQ(cteni.NajitSkupinu(p.skupina), S_FALSE) << p.popis;
    }
}

TEST(TagovanyText, SkupinyJenDopredu) {
    // Groups of different names are found only in file order: a group before the position is gone.
    SouborKonfiguraceCteni cteni;
    cteni.NacistText(L"<a>1</a>\r\n<b>2</b>\r\n<a>3</a>\r\n");
    ASSERT_EQ(cteni.NajitSkupinu(L"b"), S_OK);
    EXPECT_EQ(cteni.Skupina(), L"2");
    ASSERT_EQ(cteni.NajitSkupinu(L"a"), S_OK);
    EXPECT_EQ(cteni.Skupina(), L"3");
    EXPECT_EQ(cteni.NajitSkupinu(L"b"), S_FALSE);
    EXPECT_EQ(cteni.NajitSkupinu(L"a"), S_FALSE);
}

TEST(TagovanyText, HodnotyPodleFixturi) {
    struct Pripad {
        const char* popis;
        std::wstring skupina;  // the text of a file holding one group "g"
        std::wstring hodnota;
        HRESULT hr;
        std::wstring ocekavana;
    } pripady[] = {
        {"plain value", L"<g>\r\n <jmeno>Jan</jmeno>\r\n</g>\r\n", L"jmeno", S_OK, L"Jan"},
        {"empty value", L"<g>\r\n <jmeno></jmeno>\r\n</g>\r\n", L"jmeno", S_OK, L""},
        {"missing value", L"<g>\r\n <jmeno>Jan</jmeno>\r\n</g>\r\n", L"email", S_FALSE, L"(beze zmeny)"},
        {"values in any order", L"<g> <b>2</b> <a>1</a></g>", L"a", S_OK, L"1"},
        {"a value twice gives the first", L"<g> <a>1</a> <a>2</a></g>", L"a", S_OK, L"1"},
        {"CR LF inside a value", L"<g>\r\n <info>ř1\r\nř2\r\n</info>\r\n</g>\r\n", L"info", S_OK, L"ř1\r\nř2\r\n"},
        {"<, > and & stay as they are", L"<g>\r\n <info>a < b && c > d</info>\r\n</g>\r\n", L"info", S_OK,
         L"a < b && c > d"},
        {"a value holding its own closing tag comes back cut", L"<g>\r\n <info>A</info>B</info>\r\n</g>\r\n",
         L"info", S_OK, L"A"},
        {"a value holding the opening tag of a later value is taken for it",
         L"<g>\r\n <a>x <b>y</b></a>\r\n <b>z</b>\r\n</g>\r\n", L"b", S_OK, L"y"},
        {"value without its closing tag", L"<g>\r\n <a>x\r\n</g>\r\n", L"a", S_FALSE, L"(beze zmeny)"},
        {"empty group (lines) has no values", L"<g>\r\n</g>\r\n", L"a", S_FALSE, L"(beze zmeny)"},
        {"group with nothing inside", L"<g></g>", L"a", E_HANDLE, L"(beze zmeny)"},
        {"no group found", L"<h> <a>1</a></h>", L"a", E_HANDLE, L"(beze zmeny)"},
    };
    for (const Pripad& p : pripady) {
        SouborKonfiguraceCteni cteni;
        cteni.NacistText(p.skupina);
        cteni.NajitSkupinu(L"g");
        std::wstring hodnota = L"(beze zmeny)";
        EXPECT_EQ(cteni.NajitHodnotu(p.hodnota, hodnota), p.hr) << p.popis;
        EXPECT_EQ(hodnota, p.ocekavana) << p.popis;
    }
}

TEST(TagovanyText, JednoradkovySouborSeCteStejne) {
    const std::wstring radky = L"<kontakt>\r\n <email>a@b.cz</email>\r\n <nazev>Jan</nazev>\r\n</kontakt>\r\n"
                               L"<kontakt>\r\n <email></email>\r\n <nazev>Eva</nazev>\r\n</kontakt>\r\n";
    const std::wstring jednaRadka = L"<kontakt><nazev>Jan</nazev><email>a@b.cz</email></kontakt>"
                                    L"<kontakt><nazev>Eva</nazev><email></email></kontakt>";
    for (const std::wstring& text : {radky, jednaRadka}) {
        SouborKonfiguraceCteni cteni;
        cteni.NacistText(text);
        std::vector<std::wstring> precteno;
        while (cteni.NajitSkupinu(L"kontakt") == S_OK) {
            std::wstring nazev, email;
            EXPECT_EQ(cteni.NajitHodnotu(L"nazev", nazev), S_OK);
            EXPECT_EQ(cteni.NajitHodnotu(L"email", email), S_OK);
            precteno.push_back(nazev + L"|" + email);
        }
        EXPECT_EQ(precteno, (std::vector<std::wstring>{L"Jan|a@b.cz", L"Eva|"}));
    }
}

TEST(TagovanyText, NicNenacteno) {
    SouborKonfiguraceCteni cteni;
    std::wstring hodnota = L"x";
    EXPECT_EQ(cteni.NajitSkupinu(L"g"), S_FALSE);
    EXPECT_EQ(cteni.NajitHodnotu(L"a", hodnota), E_HANDLE);
    EXPECT_EQ(hodnota, L"x");
}

TEST(TagovanyText, LichaDelkaAChybejiciSoubor) {
    testy::DocasnaSlozka slozka;
    const std::wstring cesta = slozka.Cesta() + L"\\licha.qxml";
    std::vector<BYTE> data = Bajty(L"<g> <a>1</a></g>");
    data.push_back(0x41);  // the odd last byte is not part of the text
    ZapsatBajty(cesta, data);

    SouborKonfiguraceCteni cteni;
    cteni.NacistSoubor(cesta);
    ASSERT_EQ(cteni.NajitSkupinu(L"g"), S_OK);
    std::wstring a;
    EXPECT_EQ(cteni.NajitHodnotu(L"a", a), S_OK);
    EXPECT_EQ(a, L"1");

    // A missing file raises and leaves the reader empty.
    try {
        cteni.NacistSoubor(slozka.Cesta() + L"\\neni.qxml");
        FAIL() << "no error";
    } catch (const knihovna::Chyba& chyba) {
        EXPECT_EQ(chyba.Hresult(), knihovna::HresultZKodu(ERROR_FILE_NOT_FOUND));
    }
    EXPECT_FALSE(cteni.JeNacteny());
    EXPECT_EQ(cteni.NajitSkupinu(L"g"), S_FALSE);
    EXPECT_EQ(cteni.NajitHodnotu(L"a", a), E_HANDLE);

    // An empty file loads and has no group.
    ZapsatBajty(cesta, {});
    cteni.NacistSoubor(cesta);
    EXPECT_TRUE(cteni.JeNacteny());
    EXPECT_EQ(cteni.NajitSkupinu(L"g"), S_FALSE);
}

TEST(TagovanyText, CislaAPriznaky) {
    struct Pripad {
        const wchar_t* text;
        int cislo;
        bool priznak;
    } pripady[] = {
        {L"0", 0, false}, {L"1", 1, true},     {L"-25", -25, false}, {L"12abc", 12, false},
        {L"", 0, false},  {L"abc", 0, false},  {L"01", 1, false},    {L"2147483647", 2147483647, false},
    };
    for (const Pripad& p : pripady) {
        EXPECT_EQ(TextNaCislo(p.text), p.cislo) << p.text;
        EXPECT_EQ(TextNaPriznak(p.text), p.priznak) << p.text;
    }
}

TEST(TagovanyText, ZapisPresneBajty) {
    testy::DocasnaSlozka slozka;
    const std::wstring cesta = slozka.Cesta() + L"\\Kontakty.qxml";
    SouborKonfiguraceZapis zapis;
    ASSERT_EQ(zapis.OtevritSoubor(cesta), S_OK);
    ASSERT_EQ(zapis.OtevritSkupinu(L"kontakt"), S_OK);
    zapis.ZapsatText(L"adresa", L"");
    zapis.ZapsatText(L"info", L"řádek 1\r\n<b>&</b>");
    zapis.ZapsatCislo(L"pocet", -7);
    // A second group without UzavritSkupinu closes the first one before it opens.
    ASSERT_EQ(zapis.OtevritSkupinu(L"kontakt"), S_OK);
    zapis.ZapsatCislo(L"pocet", 1);
    zapis.Zavrit();

    const std::wstring ocekavany = L"<kontakt>\r\n"
                                   L" <adresa></adresa>\r\n"
                                   L" <info>řádek 1\r\n<b>&</b></info>\r\n"
                                   L" <pocet>-7</pocet>\r\n"
                                   L"</kontakt>\r\n"
                                   L"<kontakt>\r\n"
                                   L" <pocet>1</pocet>\r\n"
                                   L"</kontakt>\r\n";
    EXPECT_EQ(testy::PrecistBajty(cesta), Bajty(ocekavany));
    EXPECT_EQ(SouboryVeSlozce(slozka.Cesta()), std::vector<std::wstring>{L"Kontakty.qxml"});

    // Read back: CR LF and the characters "<", ">", "&" come back whole.
    SouborKonfiguraceCteni cteni;
    cteni.NacistSoubor(cesta);
    ASSERT_EQ(cteni.NajitSkupinu(L"kontakt"), S_OK);
    std::wstring info, pocet;
    EXPECT_EQ(cteni.NajitHodnotu(L"info", info), S_OK);
    EXPECT_EQ(info, L"řádek 1\r\n<b>&</b>");
    EXPECT_EQ(cteni.NajitHodnotu(L"pocet", pocet), S_OK);
    EXPECT_EQ(TextNaCislo(pocet), -7);
}

TEST(TagovanyText, ZapisBezSouboruNeboSkupiny) {
    testy::DocasnaSlozka slozka;
    SouborKonfiguraceZapis zapis;
    EXPECT_EQ(zapis.OtevritSkupinu(L"g"), E_HANDLE);
    EXPECT_EQ(zapis.UzavritSkupinu(), S_OK);

    // A folder that does not exist: the failure comes back, and every later value write raises E_HANDLE.
    HRESULT hr = zapis.OtevritSoubor(slozka.Cesta() + L"\\neni\\Kontakty.qxml");
    EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
    EXPECT_EQ(zapis.OtevritSkupinu(L"g"), E_HANDLE);
    for (int i = 0; i < 2; ++i) {
        try {
            if (i == 0)
                zapis.ZapsatText(L"a", L"x");
            else
                zapis.ZapsatCislo(L"a", 1);
            ADD_FAILURE() << "no error";
        } catch (const knihovna::Chyba& chyba) {
            EXPECT_EQ(chyba.Hresult(), E_HANDLE);
        }
    }

    // With a file but no group open.
    ASSERT_EQ(zapis.OtevritSoubor(slozka.Cesta() + L"\\a.qxml"), S_OK);
    EXPECT_THROW(zapis.ZapsatText(L"a", L"x"), knihovna::Chyba);
}

TEST(TagovanyText, NedokoncenyZapisNechaPuvodniSoubor) {
    testy::DocasnaSlozka slozka;
    const std::wstring cesta = slozka.Cesta() + L"\\Registrace.qxml";
    const std::vector<BYTE> puvodni = Bajty(L"<registrace>\r\n <nazev>Původní</nazev>\r\n</registrace>\r\n");
    ZapsatBajty(cesta, puvodni);

    // A save abandoned half-way (an exception unwinding past the writer) does not touch the file.
    try {
        SouborKonfiguraceZapis zapis;
        ASSERT_EQ(zapis.OtevritSoubor(cesta), S_OK);
        ASSERT_EQ(zapis.OtevritSkupinu(L"registrace"), S_OK);
        zapis.ZapsatText(L"nazev", L"Nový");
        zapis.UzavritSkupinu();
        zapis.ZapsatText(L"mimo", L"skupinu");  // raises E_HANDLE
        FAIL() << "no error";
    } catch (const knihovna::Chyba& chyba) {
        EXPECT_EQ(chyba.Hresult(), E_HANDLE);
    }
    EXPECT_EQ(testy::PrecistBajty(cesta), puvodni);
    EXPECT_EQ(SouboryVeSlozce(slozka.Cesta()), std::vector<std::wstring>{L"Registrace.qxml"});
}
