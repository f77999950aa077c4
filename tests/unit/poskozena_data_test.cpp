// Damaged input never crashes or hangs a reader: mutated and random buffers through the
// tagged-text reader, the Base64 decoder and the RSS channel parser (a fixed seed keeps every
// run the same).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/email.h"
#include "core/tagovanytext.h"
#include "internet/rsskanal.h"
#include "knihovna/chyba.h"
#include "records/seznamregistraci.h"

namespace {

const wchar_t* const VZOR =
    L"<kontakt>\r\n <nazev>Alfa</nazev>\r\n <email>alfa@example.cz</email>\r\n <info>řádek\r\ndruhý</info>\r\n"
    L"</kontakt>\r\n<kontakt>\r\n <nazev>Beta</nazev>\r\n</kontakt>\r\n";

// Reads every group and value the way the contact store does; returns how many values it saw.
int PrecistVse(SouborKonfiguraceCteni& cteni) {
    int hodnot = 0;
    for (int skupin = 0; skupin < 10000 && cteni.NajitSkupinu(L"kontakt") == S_OK; ++skupin) {
        for (const wchar_t* nazev : {L"nazev", L"email", L"info", L"kontakt", L""}) {
            std::wstring text;
            if (cteni.NajitHodnotu(nazev, text) == S_OK) ++hodnot;
        }
    }
    return hodnot;
}

}  // namespace

TEST(PoskozenaData, TagovanyTextPrecteKazdouMutaciBezPadu) {
    std::mt19937 nahoda(20261210);
    const std::wstring vzor = VZOR;
    const wchar_t znaky[] = {L'<', L'>', L'/', L'\r', L'\n', L' ', L'k', L'\0', L'ř'};
    for (int i = 0; i < 3000; ++i) {
        std::wstring text = vzor;
        const int zmen = 1 + static_cast<int>(nahoda() % 8);
        for (int z = 0; z < zmen && !text.empty(); ++z) {
            size_t misto = nahoda() % text.size();
            switch (nahoda() % 3) {
                case 0: text[misto] = znaky[nahoda() % (sizeof(znaky) / sizeof(znaky[0]))]; break;
                case 1: text.erase(misto, 1 + nahoda() % 12); break;
                default: text.insert(misto, text.substr(nahoda() % text.size(), nahoda() % 16)); break;
            }
        }
        SouborKonfiguraceCteni cteni;
        cteni.NacistText(text);
        EXPECT_LE(PrecistVse(cteni), 5 * 10000) << i;

        // the same as raw bytes, odd lengths included
        std::vector<char> bajty(reinterpret_cast<const char*>(text.data()),
                                reinterpret_cast<const char*>(text.data()) + text.size() * sizeof(wchar_t));
        bajty.resize(bajty.size() - nahoda() % 2);
        SouborKonfiguraceCteni zDat;
        zDat.NacistData(bajty.data(), bajty.size());
        PrecistVse(zDat);
    }
    // the intact sample still reads fully
    SouborKonfiguraceCteni cteni;
    cteni.NacistText(vzor);
    EXPECT_EQ(PrecistVse(cteni), 4);
}

TEST(PoskozenaData, Base64DekodujeLibovolnyTextBezPadu) {
    std::mt19937 nahoda(7);
    const std::string abeceda = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=\r\n -*\x80\xff";
    for (int i = 0; i < 3000; ++i) {
        std::string text(nahoda() % 64, ' ');
        for (char& c : text) c = abeceda[nahoda() % abeceda.size()];
        brenvald_email::Base64 b;
        b.Dekodovat(text.data(), text.size());
        EXPECT_LE(b.Data().size(), text.size()) << i;
    }
    // round trip of random bytes
    for (int i = 0; i < 200; ++i) {
        std::string data(nahoda() % 300, '\0');
        for (char& c : data) c = static_cast<char>(nahoda());
        brenvald_email::Base64 b;
        b.Dekodovat(brenvald_email::Base64::Kodovat(data.data(), data.size()).c_str(),
                    brenvald_email::Base64::Kodovat(data.data(), data.size()).size());
        EXPECT_EQ(b.Data(), data) << i;
    }
}

TEST(PoskozenaData, KanalRssPrectePoskozeneBajtyBezPadu) {
    std::mt19937 nahoda(18);
    const std::string vzor =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><rss><channel><item><title><![CDATA[\xc4\x8c\x6c\xc3\xa1nek]]>"
        "</title><link>http://a</link><description>\n\npopis\n</description></item><item><title>B</title>"
        "<link>l</link></item></channel></rss>";
    const char znaky[] = {'<', '>', '/', '\n', '[', ']', '!', 'i', '\0', '\xc4', '\xff'};
    for (int i = 0; i < 3000; ++i) {
        std::string text = vzor;
        const int zmen = 1 + static_cast<int>(nahoda() % 8);
        for (int z = 0; z < zmen && !text.empty(); ++z) {
            size_t misto = nahoda() % text.size();
            switch (nahoda() % 3) {
                case 0: text[misto] = znaky[nahoda() % sizeof(znaky)]; break;
                case 1: text.erase(misto, 1 + nahoda() % 12); break;
                default: text.insert(misto, text.substr(nahoda() % text.size(), nahoda() % 16)); break;
            }
        }
        // as the download gives it, also cut at any length (odd ones too) without the zero bytes
        std::vector<BYTE> data(text.begin(), text.end());
        if (nahoda() % 2) data.insert(data.end(), 2, 0);
        data.resize(data.size() - std::min<size_t>(data.size(), nahoda() % 3));
        std::vector<definice::PolozkaRSS> polozky = RozebratKanalRSS(data.empty() ? nullptr : data.data(), data.size());
        EXPECT_LE(polozky.size(), data.size() / 13 + 1) << i;
    }
    // the intact sample still gives both items
    std::vector<BYTE> data(vzor.begin(), vzor.end());
    data.insert(data.end(), 2, 0);
    EXPECT_EQ(RozebratKanalRSS(data.data(), data.size()).size(), 2u);
}

// The registration reader on mutated files: either the entries or the error object, never a
// crash; every entry it returns has all five values of one group.
TEST(PoskozenaData, SeznamRegistraciPrecteKazdouMutaciBezPadu) {
    std::vector<Registrace> vzorove(3);
    for (size_t i = 0; i < vzorove.size(); ++i) {
        vzorove[i].nazev = L"Účet " + std::to_wstring(i);
        vzorove[i].prihlasovaciJmeno = L"jan";
        vzorove[i].heslo = L"h<e>slo";
        vzorove[i].info = L"řádek\r\ndruhý";
        vzorove[i].url = L"https://example.cz";
    }
    const std::wstring vzor = TextSouboruRegistraci(vzorove);
    std::mt19937 nahoda(115);
    const wchar_t znaky[] = {L'<', L'>', L'/', L'\r', L'\n', L' ', L'r', L'\0', L'\xFFFF'};
    int chyb = 0;
    for (int i = 0; i < 2000; ++i) {
        std::wstring text = vzor;
        const int zmen = 1 + static_cast<int>(nahoda() % 6);
        for (int z = 0; z < zmen && !text.empty(); ++z) {
            size_t misto = nahoda() % text.size();
            switch (nahoda() % 3) {
                case 0: text[misto] = znaky[nahoda() % (sizeof(znaky) / sizeof(znaky[0]))]; break;
                case 1: text.erase(misto, 1 + nahoda() % 20); break;
                default: text.insert(misto, text.substr(nahoda() % text.size(), nahoda() % 30)); break;
            }
        }
        std::vector<char> bajty(reinterpret_cast<const char*>(text.data()),
                                reinterpret_cast<const char*>(text.data()) + text.size() * sizeof(wchar_t));
        bajty.resize(bajty.size() - nahoda() % 2);
        try {
            std::vector<Registrace> polozky = PrecistRegistraceZDat(bajty.data(), bajty.size());
            EXPECT_LE(polozky.size(), 20u) << i;
        } catch (const knihovna::Chyba&) {
            ++chyb;
        }
    }
    EXPECT_GT(chyb, 0);  // damage is seen, not read over
    ASSERT_EQ(PrecistRegistrace(vzor).size(), 3u);
    EXPECT_TRUE(PrecistRegistrace(vzor)[2] == vzorove[2]);
}
