// The RSS source list and its file: the exact bytes of the file, the round trip, a damaged file
// (kept as a .bak copy, or protected from being saved over), the default sources.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/aplikace.h"
#include "internet/rsszdroje.h"
#include "podpora/pomocnik.h"
#include "unit/servery_testu.h"

using testy::DocasnaSlozka;
using testy::ZachytavacZprav;

namespace {

std::vector<BYTE> BajtyTextu(const std::wstring& text) {
    return std::vector<BYTE>(reinterpret_cast<const BYTE*>(text.data()),
                             reinterpret_cast<const BYTE*>(text.data()) + text.size() * sizeof(wchar_t));
}

void Zapsat(const std::wstring& cesta, const std::wstring& text) {
    std::string bajty(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    ASSERT_TRUE(testy::ZapsatSoubor(cesta, bajty));
}

// The data folder of the application pointed at a temporary folder for one test.
class DatovaSlozka {
public:
    DatovaSlozka() : m_puvodni(aplikace.nastaveni.slozkaData.Text()) { aplikace.nastaveni.slozkaData = m_slozka.Cesta(); }
    ~DatovaSlozka() { aplikace.nastaveni.slozkaData = m_puvodni; }
    std::wstring Soubor() const { return m_slozka.Cesta() + L"\\ZdrojeRSS.qxml"; }

private:
    DocasnaSlozka m_slozka;
    std::wstring m_puvodni;
};

}  // namespace

TEST(RssZdroje, SouborPresneAZpet) {
    DatovaSlozka slozka;
    SeznamZdrojuRSS seznam;
    seznam.zdroje = {{L"Zprávy", L"http://127.0.0.1/a.xml", L"Popis\r\nna dva řádky"},
                     {L"", L"", L""},
                     {L"Třetí", L"https://127.0.0.1/b?x=1&y=2", L""}};
    ASSERT_TRUE(UlozitSeznamZdrojuRSS(seznam));
    const std::wstring ocekavany =
        L"<rss>\r\n <nazev>Zprávy</nazev>\r\n <popis>Popis\r\nna dva řádky</popis>\r\n <url>http://127.0.0.1/a.xml</url>\r\n</rss>\r\n"
        L"<rss>\r\n <nazev></nazev>\r\n <popis></popis>\r\n <url></url>\r\n</rss>\r\n"
        L"<rss>\r\n <nazev>Třetí</nazev>\r\n <popis></popis>\r\n <url>https://127.0.0.1/b?x=1&y=2</url>\r\n</rss>\r\n";
    EXPECT_EQ(testy::PrecistBajty(slozka.Soubor()), BajtyTextu(ocekavany));  // UTF-16LE, no byte-order mark
    EXPECT_EQ(TextZdrojuRSS(seznam.zdroje), ocekavany);

    ZachytavacZprav zpravy;
    SeznamZdrojuRSS nacteny;
    NacistSeznamZdrojuRSS(nacteny);
    EXPECT_EQ(nacteny.zdroje, seznam.zdroje);
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;

    // an empty list is an empty file; a missing file an empty list without a word
    seznam.zdroje.clear();
    ASSERT_TRUE(UlozitSeznamZdrojuRSS(seznam));
    EXPECT_TRUE(testy::PrecistBajty(slozka.Soubor()).empty());
    ASSERT_TRUE(::DeleteFileW(slozka.Soubor().c_str()));
    nacteny.zdroje = {{L"x", L"y", L"z"}};
    NacistSeznamZdrojuRSS(nacteny);
    EXPECT_TRUE(nacteny.zdroje.empty());
    EXPECT_FALSE(testy::ExistujeSoubor(slozka.Soubor()));
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
}

TEST(RssZdroje, PoskozenySouborSeNenactaAleZustaneUschovan) {
    DatovaSlozka slozka;
    const std::wstring poskozeny =
        L"<rss>\r\n <nazev>První</nazev>\r\n <popis>p</popis>\r\n <url>http://a</url>\r\n</rss>\r\n"
        L"<rss>\r\n <nazev>Druhá bez adresy</nazev>\r\n <popis>p</popis>\r\n</rss>\r\n";
    Zapsat(slozka.Soubor(), poskozeny);
    {
        ZachytavacZprav zpravy;
        SeznamZdrojuRSS seznam;
        NacistSeznamZdrojuRSS(seznam);
        EXPECT_TRUE(seznam.zdroje.empty());  // not even the first source
        ASSERT_EQ(zpravy.zpravy.size(), 1u);
        EXPECT_NE(zpravy.zpravy[0].text.find(L"Došlo k chybě při načítání zdrojů ze souboru zdrojů RSS."), std::wstring::npos);
        EXPECT_NE(zpravy.zpravy[0].text.find(slozka.Soubor() + L".bak"), std::wstring::npos);
        EXPECT_EQ(testy::PrecistBajty(slozka.Soubor() + L".bak"), BajtyTextu(poskozeny));
        EXPECT_FALSE(seznam.chranitSoubor);
        // the next change replaces the file; the copy keeps the user's sources
        seznam.zdroje.push_back({L"Nový", L"http://n", L""});
        ASSERT_TRUE(UlozitSeznamZdrojuRSS(seznam));
        EXPECT_EQ(testy::PrecistBajty(slozka.Soubor() + L".bak"), BajtyTextu(poskozeny));
    }
    // no copy can be made (a folder holds its name): the list is never saved over the file
    Zapsat(slozka.Soubor(), poskozeny);
    ASSERT_TRUE(::DeleteFileW((slozka.Soubor() + L".bak").c_str()));
    ASSERT_TRUE(::CreateDirectoryW((slozka.Soubor() + L".bak").c_str(), nullptr));
    ZachytavacZprav zpravy;
    SeznamZdrojuRSS seznam;
    NacistSeznamZdrojuRSS(seznam);
    EXPECT_TRUE(seznam.chranitSoubor);
    seznam.zdroje.push_back({L"Nový", L"http://n", L""});
    EXPECT_FALSE(UlozitSeznamZdrojuRSS(seznam));
    EXPECT_EQ(testy::PrecistBajty(slozka.Soubor()), BajtyTextu(poskozeny));
    ASSERT_EQ(zpravy.zpravy.size(), 2u);
    EXPECT_NE(zpravy.zpravy[1].text.find(L"nebyl uložen"), std::wstring::npos);
    ::RemoveDirectoryW((slozka.Soubor() + L".bak").c_str());
}

TEST(RssZdroje, VychoziZdroje) {
    SeznamZdrojuRSS seznam;
    seznam.zdroje = {{L"starý", L"http://stary", L""}};
    VytvoritVychoziZdrojeRSS(seznam);
    ASSERT_EQ(seznam.zdroje.size(), 5u);
    EXPECT_EQ(seznam.zdroje[0].nazev, L"České noviny - domov");
    EXPECT_EQ(seznam.zdroje[0].popis, L"České noviny - zprávy z domova");
    EXPECT_EQ(seznam.zdroje[1].nazev, L"Britské listy");
    EXPECT_EQ(seznam.zdroje[1].popis, L"Britské listy");
    const wchar_t* cesty[] = {L"/sluzby/rss/domov.php", L"/rss.rb", L"/zpravicky/", L"/clanky/", L"/export/rss-hp.phtml"};
    for (size_t i = 0; i < 5; ++i) {
        const std::wstring& url = seznam.zdroje[i].url;
        EXPECT_EQ(url.rfind(L"http://", 0), 0u) << i;
        EXPECT_EQ(url.substr(url.size() - wcslen(cesty[i])), cesty[i]) << i;
    }
    EXPECT_NE(seznam.zdroje[2].nazev.find(L" - zprávičky"), std::wstring::npos);
    EXPECT_NE(seznam.zdroje[3].nazev.find(L" - články"), std::wstring::npos);
    EXPECT_EQ(seznam.zdroje[3].popis, seznam.zdroje[3].nazev);
    EXPECT_EQ(seznam.zdroje[4].popis, L"Zpravodajství " + seznam.zdroje[4].nazev);
}
