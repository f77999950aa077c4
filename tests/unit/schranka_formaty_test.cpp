// Text-list files (.tdsdat) and the operative clipboard file (.otdat): the readers on byte
// buffers, byte-exact round trips, the text-list operations and the operative list's limit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <fstream>
#include <string>
#include <vector>

#include "clipboard/operativnitexty.h"
#include "clipboard/seznamtextu.h"
#include "core/ulozitsoubor.h"
#include "knihovna/chyba.h"
#include "podpora/pomocnik.h"

namespace {

using Bajty = std::vector<uint8_t>;

void PridatSlovo(Bajty& b, uint32_t slovo) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(slovo >> (8 * i)));
}
void PridatText(Bajty& b, const std::wstring& text) {
    for (wchar_t z : text) {
        b.push_back(static_cast<uint8_t>(z & 0xFF));
        b.push_back(static_cast<uint8_t>(z >> 8));
    }
    b.push_back(0);
    b.push_back(0);
}
void PridatZaznam(Bajty& b, const std::wstring& nazev, const std::wstring& text, uint32_t a, uint32_t c) {
    PridatText(b, nazev);
    PridatText(b, text);
    PridatSlovo(b, a);
    PridatSlovo(b, c);
}
Bajty Magie(uint32_t magie) {
    Bajty b;
    PridatSlovo(b, magie);
    return b;
}

void ZapsatSoubor(const std::wstring& cesta, const Bajty& obsah) {
    HANDLE h = ::CreateFileW(cesta.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD zapsano = 0;
    if (!obsah.empty()) ::WriteFile(h, obsah.data(), static_cast<DWORD>(obsah.size()), &zapsano, nullptr);
    ::CloseHandle(h);
}

SeznamTextu PredvyplnenySeznam() {
    SeznamTextu s;
    s.Pridat(L"stary");
    s.NastavitText(0, L"zustane");
    return s;
}

BOOL WINAPI ZapsatSChybou(HANDLE, LPCVOID, DWORD, LPDWORD zapsano, LPOVERLAPPED) {
    *zapsano = 0;
    ::SetLastError(ERROR_HANDLE_DISK_FULL);
    return FALSE;
}

}  // namespace

TEST(SeznamTextuCteni, TabulkaPoskozenychAHranicnichSouboru) {
    Bajty dva = Magie(MAGIE_SEZNAMU_TEXTU);
    PridatZaznam(dva, L"první", L"a", 1, 2);
    PridatZaznam(dva, L"druhý", L"b", 3, 4);
    Bajty bezSlova = dva;
    PridatText(bezSlova, L"třetí");
    PridatText(bezSlova, L"c");
    PridatSlovo(bezSlova, 5);
    bezSlova.insert(bezSlova.end(), {6, 0, 0});  // word B cut after 3 bytes
    Bajty bezTextu = dva;
    PridatText(bezTextu, L"jméno");
    bezTextu.insert(bezTextu.end(), {'x', 0, 'y'});  // text without its terminator, odd length
    Bajty lichy = dva;
    lichy.push_back(0);  // half a code unit

    struct Pripad {
        const char* popis;
        Bajty data;
        HRESULT vysledek;
        int pocet;  // -1 = the list untouched
    };
    const Pripad pripady[] = {
        {"magic alone", Magie(MAGIE_SEZNAMU_TEXTU), S_OK, 0},
        {"0 bytes", {}, S_FALSE, -1},
        {"3 bytes", {0x03, 0x2A, 0xCD}, E_INVALIDARG, -1},
        {"wrong magic", Magie(MAGIE_OPERATIVNICH_TEXTU), E_INVALIDARG, -1},
        {"two whole records", dva, S_OK, 2},
        {"record cut in word B", bezSlova, S_OK, 2},
        {"record cut in its text", bezTextu, S_OK, 2},
        {"odd trailing byte", lichy, S_OK, 2},
    };
    for (const Pripad& p : pripady) {
        SeznamTextu s = PredvyplnenySeznam();
        EXPECT_EQ(PrecistSeznamTextu(p.data.data(), p.data.size(), s), p.vysledek) << p.popis;
        if (p.pocet < 0) {
            ASSERT_EQ(s.Pocet(), 1) << p.popis;
            EXPECT_EQ(s.zaznamy[0].text, L"zustane") << p.popis;
        } else {
            ASSERT_EQ(s.Pocet(), p.pocet) << p.popis;
            if (p.pocet == 2) {
                EXPECT_EQ(s.zaznamy[0].nazev, L"první");
                EXPECT_EQ(s.zaznamy[1].nazev, L"druhý");
                EXPECT_EQ(s.zaznamy[1].slovoA, 3u);
                EXPECT_EQ(s.zaznamy[1].slovoB, 4u);
            }
        }
    }
}

TEST(SeznamTextuCteni, VyhrazenaSlovaACrLfPrezijiPresneVBajtech) {
    Bajty vstup = Magie(MAGIE_SEZNAMU_TEXTU);
    PridatZaznam(vstup, L"Adresa", L"Ulice 1\r\n110 00 Praha\r\n", 0xDEADBEEF, 0x01020304);
    PridatZaznam(vstup, L"Prázdný", L"", 0, 0xFFFFFFFF);
    SeznamTextu s;
    ASSERT_EQ(PrecistSeznamTextu(vstup.data(), vstup.size(), s), S_OK);
    ASSERT_EQ(s.Pocet(), 2);
    EXPECT_EQ(s.zaznamy[0].text, L"Ulice 1\r\n110 00 Praha\r\n");
    EXPECT_EQ(ZapsatSeznamTextu(s), vstup);

    SeznamTextu prazdny;
    EXPECT_EQ(ZapsatSeznamTextu(prazdny), Magie(MAGIE_SEZNAMU_TEXTU)) << "an empty list is the magic alone";
}

TEST(SeznamTextuSoubor, ChybnyFormatHlasiZpravuChybejiciSouborNic) {
    testy::DocasnaSlozka slozka;
    const std::wstring spatny = slozka.Cesta() + L"\\spatny.tdsdat";
    ZapsatSoubor(spatny, {1, 2, 3, 4, 5, 6});
    const std::wstring prazdny = slozka.Cesta() + L"\\prazdny.tdsdat";
    ZapsatSoubor(prazdny, {});

    testy::ZachytavacZprav zpravy;
    SeznamTextu s = PredvyplnenySeznam();
    EXPECT_EQ(NacistSeznamTextu(spatny.c_str(), s), E_INVALIDARG);
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_EQ(zpravy.zpravy[0].text, L"Chybný formát souboru\n" + spatny) << "the message names the file";
    EXPECT_TRUE(zpravy.zpravy[0].priznaky & MB_ICONERROR);
    EXPECT_EQ(s.Pocet(), 1);

    EXPECT_EQ(NacistSeznamTextu((slozka.Cesta() + L"\\chybi.tdsdat").c_str(), s), E_INVALIDARG);
    EXPECT_EQ(NacistSeznamTextu(prazdny.c_str(), s), S_FALSE);
    EXPECT_EQ(zpravy.zpravy.size(), 1u) << "a missing or empty file is not reported";
    EXPECT_EQ(s.Pocet(), 1);
    EXPECT_THROW(NacistSeznamTextu(nullptr, s), knihovna::Chyba);

    std::vector<uint8_t> obsah;
    EXPECT_EQ(PrecistCelySoubor(spatny.c_str(), 5, obsah), HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE))
        << "the size is bounded before a buffer is made";
}

TEST(SeznamTextuSoubor, NezdarenyZapisNechaPredchoziSouborCely) {
    testy::DocasnaSlozka slozka;
    const std::wstring cesta = slozka.Cesta() + L"\\texty.tdsdat";
    SeznamTextu s;
    s.Pridat(L"jedna");
    s.NastavitText(0, L"text 1");
    UlozitSeznamTextu(cesta.c_str(), s);
    const std::vector<BYTE> predtim = testy::PrecistBajty(cesta);
    ASSERT_EQ(predtim.size(), 4u + 2 * 6 + 2 * 7 + 8);

    s.Pridat(L"dva");
    zapisSouboru = ZapsatSChybou;
    EXPECT_THROW(UlozitSeznamTextu(cesta.c_str(), s), knihovna::Chyba);
    zapisSouboru = ::WriteFile;
    EXPECT_EQ(testy::PrecistBajty(cesta), predtim);

    SeznamTextu nacteny;
    ASSERT_EQ(NacistSeznamTextu(cesta.c_str(), nacteny), S_OK);
    ASSERT_EQ(nacteny.Pocet(), 1);
    EXPECT_EQ(nacteny.zaznamy[0].text, L"text 1");
}

TEST(SeznamTextuOperace, Tabulka) {
    SeznamTextu s;
    EXPECT_EQ(s.Pridat(L""), -1) << "an empty name is refused";
    EXPECT_EQ(s.Pocet(), 0);
    EXPECT_EQ(s.Pridat(L"a"), 0);
    EXPECT_EQ(s.Pridat(L"b"), 1);
    EXPECT_EQ(s.zaznamy[1].text, L"") << "a new record has an empty text";
    EXPECT_EQ(s.zaznamy[1].slovoA, 0u);

    struct Pripad {
        const char* popis;
        HRESULT (SeznamTextu::*operace)(int, const wchar_t*);
        int index;
        const wchar_t* hodnota;
        HRESULT vysledek;
    };
    const Pripad pripady[] = {
        {"text set", &SeznamTextu::NastavitText, 0, L"x\r\ny", S_OK},
        {"empty text", &SeznamTextu::NastavitText, 0, L"", E_UNEXPECTED},
        {"null text", &SeznamTextu::NastavitText, 0, nullptr, E_UNEXPECTED},
        {"text index -1", &SeznamTextu::NastavitText, -1, L"t", E_INVALIDARG},
        {"text index = count", &SeznamTextu::NastavitText, 2, L"t", E_INVALIDARG},
        {"name set", &SeznamTextu::NastavitNazev, 1, L"bb", S_OK},
        {"empty name", &SeznamTextu::NastavitNazev, 1, L"", E_UNEXPECTED},
        {"name index out of range", &SeznamTextu::NastavitNazev, 5, L"n", E_INVALIDARG},
    };
    for (const Pripad& p : pripady) EXPECT_EQ((s.*p.operace)(p.index, p.hodnota), p.vysledek) << p.popis;
    EXPECT_EQ(s.zaznamy[0].text, L"x\r\ny") << "a refused text keeps the old one";
    EXPECT_EQ(s.zaznamy[1].nazev, L"bb");

    EXPECT_EQ(s.Odebrat(-1), E_INVALIDARG);
    EXPECT_EQ(s.Odebrat(2), E_INVALIDARG);
    EXPECT_EQ(s.Odebrat(0), S_OK);
    ASSERT_EQ(s.Pocet(), 1);
    EXPECT_EQ(s.zaznamy[0].nazev, L"bb");
    EXPECT_EQ(s.Odebrat(0), S_OK) << "removing the last record";
    EXPECT_EQ(s.Pocet(), 0);
    EXPECT_TRUE(s.zaznamy.empty());
    EXPECT_EQ(s.Odebrat(0), E_INVALIDARG);
}

// ---------------------------------------------------------------------------------------------

TEST(OperativniTextySoubor, PresnyObehAPrazdnySeznam) {
    const OperativniTexty texty = {L"a\r\nb", L"", L"x\ty"};
    Bajty ocekavane = {0xB4, 0x9B, 0xAE, 0x52};
    PridatText(ocekavane, L"a\r\nb");
    PridatText(ocekavane, L"");
    PridatText(ocekavane, L"x\ty");
    EXPECT_EQ(ZapsatOperativniTexty(texty), ocekavane);
    EXPECT_EQ(ZapsatOperativniTexty({}), Bajty({0xB4, 0x9B, 0xAE, 0x52}));

    testy::DocasnaSlozka slozka;
    const std::wstring cesta = slozka.Cesta() + L"\\o.otdat";
    UlozitOperativniTexty(texty, cesta);
    EXPECT_EQ(testy::PrecistBajty(cesta), std::vector<BYTE>(ocekavane.begin(), ocekavane.end()));
    OperativniTexty nactene = {L"stare"};
    NacistOperativniTexty(nactene, cesta);
    EXPECT_EQ(nactene, texty);

    UlozitOperativniTexty({}, cesta);
    EXPECT_EQ(testy::PrecistBajty(cesta).size(), 4u);
    NacistOperativniTexty(nactene, cesta);
    EXPECT_TRUE(nactene.empty());
}

TEST(OperativniTextySoubor, KazdeSelhaniCteniJeTicheASeznamZustane) {
    testy::DocasnaSlozka slozka;
    Bajty useknuty = Magie(MAGIE_OPERATIVNICH_TEXTU);
    PridatText(useknuty, L"celý");
    useknuty.insert(useknuty.end(), {'p', 0, 'u'});
    struct Pripad {
        const char* popis;
        const wchar_t* jmeno;
        bool zapsat;
        Bajty data;
        OperativniTexty ocekavane;
    };
    const Pripad pripady[] = {
        {"missing", L"chybi.otdat", false, {}, {L"puvodni"}},
        {"3 bytes", L"kratky.otdat", true, {0xB4, 0x9B, 0xAE}, {L"puvodni"}},
        {"empty", L"prazdny.otdat", true, {}, {L"puvodni"}},
        {"wrong magic", L"magie.otdat", true, Magie(MAGIE_SEZNAMU_TEXTU), {L"puvodni"}},
        {"text cut at the end", L"useknuty.otdat", true, useknuty, {L"celý"}},
    };
    testy::ZachytavacZprav zpravy;
    for (const Pripad& p : pripady) {
        const std::wstring cesta = slozka.Cesta() + L"\\" + p.jmeno;
        if (p.zapsat) ZapsatSoubor(cesta, p.data);
        OperativniTexty seznam = {L"puvodni"};
        NacistOperativniTexty(seznam, cesta);
        EXPECT_EQ(seznam, p.ocekavane) << p.popis;
    }
    NacistOperativniTexty(*std::make_unique<OperativniTexty>(), slozka.Cesta());  // a folder
    EXPECT_TRUE(zpravy.zpravy.empty()) << "reading reports nothing";
}

TEST(OperativniTextySoubor, PadesatTextuSeNacteIPresLimit) {
    OperativniTexty padesat;
    for (int i = 0; i < 50; ++i) padesat.push_back(L"text " + std::to_wstring(i));
    const Bajty data = ZapsatOperativniTexty(padesat);
    OperativniTexty seznam;
    ASSERT_TRUE(PrecistOperativniTexty(data.data(), data.size(), seznam));
    EXPECT_EQ(seznam.size(), 50u);
    // an addition removes exactly one: the list stays longer than the limit of 30
    PridatOperativniText(seznam, L"nový", 30);
    EXPECT_EQ(seznam.size(), 50u);
    EXPECT_EQ(seznam.front(), L"nový");
    EXPECT_EQ(seznam.back(), L"text 48");
}

TEST(OperativniTextyLimit, PatyTextVytlaciNejstarsi) {
    OperativniTexty seznam;
    for (const wchar_t* t : {L"1", L"2", L"3", L"4"}) PridatOperativniText(seznam, t, 4);
    EXPECT_EQ(seznam, (OperativniTexty{L"4", L"3", L"2", L"1"}));
    PridatOperativniText(seznam, L"5", 4);
    EXPECT_EQ(seznam, (OperativniTexty{L"5", L"4", L"3", L"2"}));
    PridatOperativniText(seznam, L"5", 4);
    EXPECT_EQ(seznam.front(), L"5") << "duplicates are kept";
    EXPECT_EQ(seznam.size(), 4u);

    OdebratOperativniText(seznam, 3);
    EXPECT_EQ(seznam.size(), 3u);
    EXPECT_THROW(OdebratOperativniText(seznam, 3), knihovna::Chyba);
    EXPECT_THROW(OdebratOperativniText(seznam, -1), knihovna::Chyba);
}

TEST(OperativniTextyLimit, UlozenaNulaSeChovaJakoJedna) {
    EXPECT_EQ(PlatnyMaxPocet(0), 1u);
    EXPECT_EQ(PlatnyMaxPocet(4), 4u);
    OperativniTexty seznam;
    PridatOperativniText(seznam, L"a", 0);
    EXPECT_EQ(seznam, (OperativniTexty{L"a"})) << "adding to an empty list never removes";
    PridatOperativniText(seznam, L"b", 0);
    EXPECT_EQ(seznam, (OperativniTexty{L"b"}));
}

// Damaged input: random and mutated buffers never crash, and what a reader takes is exactly a
// prefix of the input (written back it gives the same leading bytes).
TEST(SchrankaPoskozenaData, CteniBereJenCelePredponyVstupu) {
    uint32_t stav = 12345;
    auto nahodne = [&stav]() {
        stav = stav * 1103515245u + 12345u;
        return (stav >> 16) & 0x7FFF;
    };
    Bajty vzor = Magie(MAGIE_SEZNAMU_TEXTU);
    PridatZaznam(vzor, L"jméno", L"text\r\n", 7, 8);
    PridatZaznam(vzor, L"druhé", L"", 0, 1);
    for (int kolo = 0; kolo < 3000; ++kolo) {
        Bajty data;
        if (kolo % 3 == 0) {
            data.resize(nahodne() % 48);
            for (uint8_t& b : data) b = static_cast<uint8_t>(nahodne() % 3 == 0 ? 0 : nahodne());
        } else {
            data = vzor;
            data.resize(nahodne() % (vzor.size() + 1));
            for (int i = 0; i < 3 && data.size() > 4; ++i)
                data[4 + nahodne() % (data.size() - 4)] = static_cast<uint8_t>(nahodne());
        }
        if (kolo % 2 == 0 && data.size() >= 4) {
            const uint32_t magie = kolo % 4 == 0 ? MAGIE_SEZNAMU_TEXTU : MAGIE_OPERATIVNICH_TEXTU;
            for (int i = 0; i < 4; ++i) data[static_cast<size_t>(i)] = static_cast<uint8_t>(magie >> (8 * i));
        }
        // an exact-size heap copy: a read past the end would touch memory that is not the input
        std::unique_ptr<uint8_t[]> kopie(new uint8_t[data.size() + 1]);
        std::copy(data.begin(), data.end(), kopie.get());

        SeznamTextu s;
        HRESULT hr = PrecistSeznamTextu(kopie.get(), data.size(), s);
        if (hr == S_OK) {
            Bajty zpet = ZapsatSeznamTextu(s);
            ASSERT_LE(zpet.size(), data.size()) << kolo;
            ASSERT_TRUE(std::equal(zpet.begin(), zpet.end(), data.begin())) << kolo;
            ASSERT_GE(zpet.size(), 4u) << kolo;
        }
        OperativniTexty o;
        if (PrecistOperativniTexty(kopie.get(), data.size(), o)) {
            Bajty zpet = ZapsatOperativniTexty(o);
            ASSERT_LE(zpet.size(), data.size()) << kolo;
            ASSERT_TRUE(std::equal(zpet.begin(), zpet.end(), data.begin())) << kolo;
        }
    }
}

// A clip too long for the operative clipboard's file is refused when it is added (with a word to
// the user); so is one that would fit only if older texts beyond the count limit's one went: the
// older texts stay. A clip that fits is added, and the list saved is one the reader takes back whole.
TEST(OperativniTextyLimit, PrilisDlouhyTextSeOdmitneAUlozenySeznamSeNacte) {
    const size_t nejdelsi = static_cast<size_t>(MAX_VELIKOST_OPERATIVNICH_TEXTU / 2 - 3);
    struct Pripad {
        const char* popis;
        OperativniTexty pred;
        size_t delka;
        DWORD maxPocet;
        PridaniOperativnihoTextu vysledek;
        const wchar_t* zprava;  // part of the message, none when added
    } pripady[] = {
        {"longer than the file", {L"starý"}, nejdelsi + 1, 30, PridaniOperativnihoTextu::PrilisDlouhy, L"nebyl přidán"},
        {"fits only without the older texts", {L"starý", L"nejstarší"}, nejdelsi, 30,
         PridaniOperativnihoTextu::NevejdeSe, L"starší texty zůstaly"},
        {"the count limit makes room", {L"starý"}, nejdelsi, 1, PridaniOperativnihoTextu::Pridan, nullptr},
        {"just fits an empty list", {}, nejdelsi, 30, PridaniOperativnihoTextu::Pridan, nullptr},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.popis);
        const std::wstring text(p.delka, L'y');
        OperativniTexty seznam = p.pred;
        EXPECT_EQ(PridatOperativniText(seznam, text, p.maxPocet), p.vysledek);
        testy::ZachytavacZprav zpravy;
        OperativniTexty seZpravou = p.pred;
        PridatOperativniTextSeZpravou(seZpravou, text, p.maxPocet);
        EXPECT_EQ(seZpravou, seznam);
        if (p.zprava) {
            EXPECT_EQ(seznam, p.pred) << "a refused clip changes nothing";
            ASSERT_EQ(zpravy.zpravy.size(), 1u);
            EXPECT_NE(zpravy.zpravy[0].text.find(p.zprava), std::wstring::npos) << zpravy;
            continue;
        }
        EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
        ASSERT_EQ(seznam.size(), 1u);
        EXPECT_EQ(VelikostSouboruOperativnichTextu(seznam), MAX_VELIKOST_OPERATIVNICH_TEXTU);
        testy::DocasnaSlozka slozka;
        const std::wstring cesta = slozka.Cesta() + L"\\velky.otdat";
        UlozitOperativniTexty(seznam, cesta);
        OperativniTexty nacteny;
        EXPECT_EQ(PrecistSouborOperativnichTextu(cesta, nacteny), S_OK);
        EXPECT_EQ(nacteny, seznam);
    }
}
