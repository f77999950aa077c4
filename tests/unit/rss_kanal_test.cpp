// The RSS channel parser on byte buffers: the encoding decision with Czech titles in every
// encoding, the item rules (missing link, missing description, CDATA, line feeds, entities),
// and downloads from the loopback server: feeds in windows-1250 and UTF-8 load, a stalled
// server and a 10 MB body fail within the limits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "internet/rssctecka.h"
#include "internet/rsskanal.h"
#include "knihovna/text.h"
#include "unit/servery_testu.h"

using definice::PolozkaRSS;

namespace {

const std::wstring TITULEK = L"Příliš žluťoučký kůň úpěl ďábelské ódy";

std::wstring Kanal(const std::wstring& deklarace, const std::wstring& navic = L"") {
    return L"<?xml version=\"1.0\" encoding=\"" + deklarace + L"\"?>\n<rss><channel><title>Kanál</title>" + navic +
           L"\n<item>\n<title>" + TITULEK + L"</title>\n<link>http://127.0.0.1/a</link>\n</item>\n</channel></rss>\n";
}

// The body as the download gives it: the bytes and two zero bytes.
std::vector<BYTE> Telo(const std::string& bajty) {
    std::vector<BYTE> data(bajty.begin(), bajty.end());
    data.push_back(0);
    data.push_back(0);
    return data;
}

std::vector<BYTE> Utf16(const std::wstring& text) {
    std::vector<BYTE> data(reinterpret_cast<const BYTE*>(text.data()),
                           reinterpret_cast<const BYTE*>(text.data()) + text.size() * sizeof(wchar_t));
    data.push_back(0);
    data.push_back(0);
    return data;
}

}  // namespace

TEST(RssKanal, KodovaniPodleDeklaraceADetekceUtf16) {
    struct Pripad {
        const char* nazev;
        std::vector<BYTE> data;
        KodovaniRSS kodovani;
    } pripady[] = {
        {"UTF-8", Telo(knihovna::NaUzky(Kanal(L"UTF-8"), CP_UTF8)), KodovaniRSS::Utf8},
        {"utf-8", Telo(knihovna::NaUzky(Kanal(L"utf-8"), CP_UTF8)), KodovaniRSS::Utf8},
        {"Utf-8", Telo(knihovna::NaUzky(Kanal(L"Utf-8"), CP_UTF8)), KodovaniRSS::Utf8},
        {"windows-1250", Telo(knihovna::NaUzky(Kanal(L"windows-1250"), 1250)), KodovaniRSS::Windows1250},
        {"WINDOWS-1250", Telo(knihovna::NaUzky(Kanal(L"WINDOWS-1250"), 1250)), KodovaniRSS::Windows1250},
        {"ISO-8859-2", Telo(knihovna::NaUzky(Kanal(L"ISO-8859-2"), 28592)), KodovaniRSS::Iso88592},
        {"none", Telo(knihovna::NaUzky(L"<rss><item><title>" + TITULEK + L"</title><link>http://a</link></item></rss>", 28592)),
         KodovaniRSS::Iso88592},
        // both named anywhere: UTF-8 wins
        {"both", Telo(knihovna::NaUzky(Kanal(L"UTF-8", L"<description>dříve windows-1250</description>"), CP_UTF8)),
         KodovaniRSS::Utf8},
        {"UTF-16", Utf16(Kanal(L"windows-1250")), KodovaniRSS::Utf16},
    };
    for (const Pripad& p : pripady) {
        EXPECT_EQ(UrcitKodovaniRSS(p.data.data(), p.data.size()), p.kodovani) << p.nazev;
        std::vector<PolozkaRSS> polozky = RozebratKanalRSS(p.data.data(), p.data.size());
        ASSERT_EQ(polozky.size(), 1u) << p.nazev;
        EXPECT_EQ(polozky[0].titulek, TITULEK) << p.nazev;
    }
}

TEST(RssKanal, Utf16LicheDelkyANicZaBufferem) {
    std::vector<BYTE> data = Utf16(Kanal(L"UTF-8"));
    data.resize(data.size() - 2);  // no terminating zeros at all
    for (size_t ubrat : {0u, 1u, 3u}) {
        // a copy of exactly that length: reading past it would be caught by the heap checks
        std::vector<BYTE> kus(data.begin(), data.end() - static_cast<std::ptrdiff_t>(ubrat));
        std::wstring text = DekodovatKanalRSS(kus.data(), kus.size());
        EXPECT_EQ(text.size(), kus.size() / 2) << ubrat;
    }
    std::vector<BYTE> lichy = data;
    lichy.push_back(0x41);  // an odd trailing byte
    std::vector<PolozkaRSS> polozky = RozebratKanalRSS(lichy.data(), lichy.size());
    ASSERT_EQ(polozky.size(), 1u);
    EXPECT_EQ(polozky[0].titulek, TITULEK);
    EXPECT_TRUE(RozebratKanalRSS(nullptr, 0).empty());
    BYTE jeden = 'x';
    EXPECT_TRUE(RozebratKanalRSS(&jeden, 1).empty());
}

TEST(RssKanal, TabulkaPolozek) {
    struct Pripad {
        const wchar_t* text;
        bool prijata;
        const wchar_t* titulek;
        const wchar_t* odkaz;
        const wchar_t* popis;
    } pripady[] = {
        {L"<title>T</title><link>http://a</link><description>P</description>", true, L"T", L"http://a", L"P"},
        {L"<title>T</title><description>P</description>", false, L"", L"", L""},        // no link: dropped
        {L"<title>T</title><link>http://a", false, L"", L"", L""},                       // unclosed link
        {L"<link>http://a</link><description>P</description>", false, L"", L"", L""},    // no title
        {L"<title>T</title><link>http://a</link>", true, L"T", L"http://a", L""},        // no description
        {L"<title>T</title><link>l</link><description>P", true, L"T", L"l", L""},        // unclosed description
        {L"<title><![CDATA[Čistý <b>CDATA</b>]]></title><link>l</link>", true, L"Čistý <b>CDATA</b>", L"l", L""},
        {L"<title>ab<![CDATA[cd]]>ef</title><link>l</link>", true, L"A[cd]]", L"l", L""},   // mixed: cut all the same
        {L"<title><![CDATA[x]]></title><link>l</link>", true, L"x", L"l", L""},
        {L"<title>x<![CDATA[</title><link>l</link>", true, L"", L"l", L""},             // shorter than 12
        {L"<title>T</title><link>l</link><description>\n\n\r\n text \t\n\n</description>", true, L"T", L"l",
         L"\r\n text \t"},
        {L"<title>A &amp; B &#269;</title><link>http://a?x=1&amp;y=2</link>", true, L"A &amp; B &#269;",
         L"http://a?x=1&amp;y=2", L""},
        {L"<TITLE>T</TITLE><link>l</link>", false, L"", L"", L""},                       // case matters
        {L"<title>první</title><title>druhý</title><link>l</link>", true, L"první", L"l", L""},
    };
    for (const Pripad& p : pripady) {
        PolozkaRSS polozka;
        ASSERT_EQ(RozebratPolozkuRSS(p.text, polozka), p.prijata) << testy::NaUtf8(p.text);
        if (!p.prijata) continue;
        EXPECT_EQ(polozka.titulek, p.titulek) << testy::NaUtf8(p.text);
        EXPECT_EQ(polozka.odkaz, p.odkaz) << testy::NaUtf8(p.text);
        EXPECT_EQ(polozka.popis, p.popis) << testy::NaUtf8(p.text);
    }
}

TEST(RssKanal, PolozkyVPoradiDokumentu) {
    const std::wstring text =
        L"<channel><title>Kanál</title><link>http://kanal</link>"
        L"<item><title>1</title><link>a</link></item>"
        L"<item attr=\"x\"><title>skrytá</title><link>b</link></item>"  // with attributes: not found
        L"<item><title>bez odkazu</title></item>"
        L"<item><title>3</title><link>c</link></item>"
        L"<item><title>neuzavřená</title><link>d</link>";
    std::vector<PolozkaRSS> polozky = RozebratTextRSS(text);
    ASSERT_EQ(polozky.size(), 2u);
    EXPECT_EQ(polozky[0].titulek, L"1");
    EXPECT_EQ(polozky[1].titulek, L"3");
    EXPECT_EQ(polozky[1].odkaz, L"c");
    EXPECT_TRUE(RozebratTextRSS(L"<html>žádný kanál</html>").empty());
}

TEST(RssKanal, JenWeboveOdkazyJdouDoShellu) {
    for (const wchar_t* ano : {L"http://a", L"HTTPS://b/c", L"\n  http://x \r\n"}) EXPECT_TRUE(JeOdkazWebovy(ano)) << testy::NaUtf8(ano);
    for (const wchar_t* ne : {L"file:///C:/Windows/notepad.exe", L"C:\\Windows\\notepad.exe", L"javascript:alert(1)",
                              L"mailto:a@b", L"", L"http:/a", L"cmd.exe /c http://a"})
        EXPECT_FALSE(JeOdkazWebovy(ne)) << testy::NaUtf8(ne);
}

// ---------------------------------------------------------------------------------------------

namespace {

LimityStahovani KratkeLimity() {
    LimityStahovani limity = limityKanaluRSS;
    limity.casovyLimitSpojeni = 3000;
    limity.casovyLimitCteni = 1500;
    limity.casovyLimitCelkem = 8000;
    return limity;
}

}  // namespace

TEST(RssKanal, NacteKanalyVeWindows1250AUtf8ZeServeru) {
    for (const wchar_t* cesta : {L"/rss/kanal-1250.xml", L"/rss/kanal-utf8.xml"}) {
        auto vysledek = NacistKanalRSS(testy::UrlHttp(cesta), KratkeLimity());
        ASSERT_TRUE(vysledek);
        ASSERT_EQ(vysledek->chyba, S_OK) << testy::NaUtf8(cesta) << " " << testy::NaUtf8(vysledek->textChyby);
        ASSERT_EQ(vysledek->polozky.size(), 2u) << testy::NaUtf8(cesta);
        EXPECT_EQ(vysledek->polozky[0].titulek, TITULEK);
        EXPECT_EQ(vysledek->polozky[0].odkaz, L"http://127.0.0.1/clanek/1");
        EXPECT_EQ(vysledek->polozky[0].popis, L"Čeština v popisu: ěščřžýáíé");
        EXPECT_EQ(vysledek->polozky[1].titulek, L"Druhá zpráva dne");
        EXPECT_EQ(vysledek->polozky[1].popis, L"");
    }
}

TEST(RssKanal, SelhaniStazeniJeChybouNeKratkymKanalem) {
    struct Pripad {
        const wchar_t* cesta;
        ULONGLONG nejvyse;
    } pripady[] = {
        {L"/stall", 6000},                 // 10 bytes, then silence
        {L"/stall-hlavicky", 6000},        // no headers at all
        {L"/preruseny", 6000},             // shorter than its Content-Length
        {L"/bajty/10485760", 6000},        // 10 MB announced: over the channel cap
        {L"/chunked/10485760", 8000},      // 10 MB without a length: stopped at the cap
        {L"/neexistuje.xml", 6000},        // 404
        {L"/nekonecny", 8000},
    };
    for (const Pripad& p : pripady) {
        ULONGLONG zacatek = ::GetTickCount64();
        auto vysledek = NacistKanalRSS(testy::UrlHttp(p.cesta), KratkeLimity());
        ULONGLONG trvalo = ::GetTickCount64() - zacatek;
        ASSERT_TRUE(vysledek);
        EXPECT_TRUE(FAILED(vysledek->chyba)) << testy::NaUtf8(p.cesta);
        EXPECT_TRUE(vysledek->polozky.empty()) << testy::NaUtf8(p.cesta);
        EXPECT_FALSE(vysledek->textChyby.empty()) << testy::NaUtf8(p.cesta);
        EXPECT_LT(trvalo, p.nejvyse) << testy::NaUtf8(p.cesta);
    }
    EXPECT_LT(limityKanaluRSS.maximalniVelikost, 10u * 1024 * 1024);
    // only http and https are downloaded
    auto soubor = NacistKanalRSS(L"file:///C:/windows/win.ini", KratkeLimity());
    ASSERT_TRUE(soubor);
    EXPECT_TRUE(FAILED(soubor->chyba));
}

// Dripping headers or body and a silent server end within the limit of the whole download;
// bytes that are no channel are said to be none. Every failure reads as Czech words.
TEST(RssKanal, KapajiciServerANesmyslSkonciSrozumitelnouChybou) {
    LimityStahovani limity = KratkeLimity();
    limity.casovyLimitCteni = 20000;
    limity.casovyLimitCelkem = 2000;
    struct Pripad {
        const wchar_t* cesta;
        const wchar_t* slovo;
    } pripady[] = {
        {L"/kapky-hlavicky/0.3", L"Vypršel"},
        {L"/kapky/0.3", L"Vypršel"},
        {L"/bajty/3000", L"nevrátila kanál RSS"},
        {L"/neexistuje.xml", L"Stránka na adrese http://127.0.0.1:"},
        {L"/neexistuje.xml", L"/neexistuje.xml nebyla na serveru nalezena (HTTP 404). Zkontrolujte adresu kanálu."},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(testy::NaUtf8(p.cesta));
        ULONGLONG zacatek = ::GetTickCount64();
        auto vysledek = NacistKanalRSS(testy::UrlHttp(p.cesta), limity);
        ASSERT_TRUE(vysledek);
        EXPECT_LT(::GetTickCount64() - zacatek, 4000u);
        EXPECT_TRUE(FAILED(vysledek->chyba));
        EXPECT_TRUE(vysledek->polozky.empty());
        EXPECT_NE(vysledek->textChyby.find(p.slovo), std::wstring::npos) << testy::NaUtf8(vysledek->textChyby);
    }
}
