// Damaged input never crashes or hangs a reader: mutated and random buffers through every reader
// of user data (tagged text, contacts, registrations, RSS sources and channels, autorun.inf, the
// forecast page, notes, the Dulcevo file text, Base64), and damage is seen, not read over. Then
// the table of user file kinds and damages: the reader reports it, the file stays byte for byte
// until the user changes the list, and the change is saved only after a ".bak" copy of the
// damaged bytes (a fixed seed keeps every run the same).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "clipboard/operativnitexty.h"
#include "core/aplikace.h"
#include "core/email.h"
#include "core/globalni.h"
#include "core/horkeklavesy.h"
#include "core/kontakty.h"
#include "core/pomocne.h"
#include "core/tagovanytext.h"
#include "dulcevo/dulcevo.h"
#include "internet/pocasidata.h"
#include "internet/rsskanal.h"
#include "internet/rsszdroje.h"
#include "knihovna/chyba.h"
#include "launcher/seznamaplikaci.h"
#include "multimedia/jednotkacd.h"
#include "notes/souborpoznamky.h"
#include "podpora/pomocnik.h"
#include "records/seznamregistraci.h"
#include "unit/servery_testu.h"

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

// A text with 1 to 8 random changes: a character replaced, a run removed, a run repeated.
std::wstring Zmutovat(std::mt19937& nahoda, std::wstring text, const std::wstring& znaky) {
    const int zmen = 1 + static_cast<int>(nahoda() % 8);
    for (int z = 0; z < zmen && !text.empty(); ++z) {
        size_t misto = nahoda() % text.size();
        switch (nahoda() % 3) {
            case 0: text[misto] = znaky[nahoda() % znaky.size()]; break;
            case 1: text.erase(misto, 1 + nahoda() % 12); break;
            default: text.insert(misto, text.substr(nahoda() % text.size(), nahoda() % 16)); break;
        }
    }
    return text;
}

std::string Bajty(const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

std::string NahodneBajty(std::mt19937& nahoda, size_t n) {
    std::string b(n, '\0');
    for (char& c : b) c = static_cast<char>(nahoda());
    return b;
}

size_t PocetVyskytu(const std::wstring& text, const std::wstring& hledany) {
    size_t n = 0;
    for (size_t i = text.find(hledany); i != std::wstring::npos; i = text.find(hledany, i + 1)) ++n;
    return n;
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

// The contact store and the RSS source reader on mutated files: every group the text holds is
// read, or the whole file is refused, or (a last group cut off) the whole ones before it are read
// and the file is reported and kept as damaged; never part of it as if it were all.
TEST(PoskozenaData, KontaktyAZdrojeRssCtouCeleNeboNic) {
    testy::DocasnaSlozka slozka;
    const std::wstring cesta = slozka.Cesta() + L"\\Kontakty.qxml";
    SeznamKontaktu vzorovy;
    for (const wchar_t* nazev : {L"Alena", L"Bohouš", L"Cyril"}) {
        Kontakt k;
        k.nazev = nazev;
        k.email = L"a@b.cz";
        k.info = L"řádek\r\ndruhý";
        vzorovy.Pridat(k);
    }
    vzorovy.Ulozit(cesta);
    std::vector<BYTE> b = testy::PrecistBajty(cesta);
    const std::wstring kontakty(reinterpret_cast<const wchar_t*>(b.data()), b.size() / 2);
    const std::wstring zdroje = TextZdrojuRSS({{L"Č1", L"http://a", L"p"}, {L"Č2", L"http://b", L""}, {L"Č3", L"u", L"q"}});
    std::mt19937 nahoda(2027);
    const std::wstring znaky = L"<>/\r\n kr\0ř";
    int chybKontaktu = 0, chybZdroju = 0;
    for (int i = 0; i < 400; ++i) {
        const std::wstring text = Zmutovat(nahoda, kontakty, znaky);
        ASSERT_TRUE(testy::ZapsatSoubor(cesta, Bajty(text)));
        SeznamKontaktu seznam;
        try {
            seznam.Nacist(cesta);
            const size_t skupin = PocetVyskytu(text, L"<kontakt>");
            if (seznam.UseknutyKonec()) {
                EXPECT_TRUE(seznam.ChraniPoskozenySoubor()) << i;
                // the cut group's opening tag is whole, or the cut fell inside it
                const size_t nacteno = static_cast<size_t>(seznam.Pocet());
                EXPECT_TRUE(nacteno + 1 == skupin || nacteno == skupin) << i << ": " << nacteno << " of " << skupin;
            } else {
                EXPECT_EQ(static_cast<size_t>(seznam.Pocet()), skupin) << i;
            }
        } catch (const knihovna::Chyba&) {
            ++chybKontaktu;
            EXPECT_EQ(seznam.Pocet(), 0);
            EXPECT_TRUE(seznam.ChraniPoskozenySoubor());
        }
        const std::wstring textZdroju = Zmutovat(nahoda, zdroje, znaky);
        try {
            EXPECT_EQ(PrecistZdrojeRSS(textZdroju).size(), PocetVyskytu(textZdroju, L"<rss>")) << i;
        } catch (const knihovna::Chyba&) {
            ++chybZdroju;
        }
    }
    EXPECT_GT(chybKontaktu, 0);
    EXPECT_GT(chybZdroju, 0);
    EXPECT_EQ(PrecistZdrojeRSS(zdroje).size(), 3u);
}

// autorun.inf, the forecast page, a note's bytes and the Dulcevo file text: random and mutated
// bytes give bounded results, and a note's text is always one the edit can lay out.
TEST(PoskozenaData, AutorunPredpovedPoznamkaADulcevoBezPadu) {
    std::mt19937 nahoda(28);
    const std::wstring stranka = L"<html><body>x<PRE>\r\n\r\nPolojasno, 5 až 9 °C.\r\n</PRE></body></html>";
    for (int i = 0; i < 2000; ++i) {
        const std::string bajty = NahodneBajty(nahoda, nahoda() % 600);
        std::string inf = "[autorun]\r\nicon=" + bajty.substr(0, bajty.size() / 3) + "\r\nopen=" + bajty;
        if (nahoda() % 2) inf = bajty;
        EXPECT_LE(HodnotaIkonyAutorun(reinterpret_cast<const BYTE*>(inf.data()), inf.size()).size(), MAX_PATH) << i;

        const std::wstring zmutovana = Zmutovat(nahoda, stranka, L"<>/PRE\r\n\0");
        std::wstring text;
        if (VyjmoutPredpoved(zmutovana, text)) {
            EXPECT_LE(text.size(), zmutovana.size() + 2) << i;
        }

        bool verny = true;
        const std::wstring poznamka = TextPoznamkyProOkno(bajty, verny);
        for (size_t z = 0; z < poznamka.size(); ++z) {
            const wchar_t c = poznamka[z];
            EXPECT_FALSE(c < 0x20 && c != L'\t' && c != L'\r' && c != L'\n') << i;
            EXPECT_FALSE(c == 0x02C7 || c == 0x02DB || c == 0x02DD) << i;
            if (c == L'\r') {
                EXPECT_TRUE(z + 1 < poznamka.size() && poznamka[z + 1] == L'\n') << i;
            }
            if (c == L'\n') {
                EXPECT_TRUE(z > 0 && poznamka[z - 1] == L'\r') << i;
            }
        }
        if (bajty.find('\0') != std::string::npos) {
            EXPECT_FALSE(verny) << i;
        }
        if (verny) {
            EXPECT_EQ(BajtyPoznamky(poznamka), bajty) << i;
        }

        const std::vector<BYTE> data(bajty.begin(), bajty.end());
        const dulcevo::Text t = dulcevo::TextZBajtu(data);
        // the 8-bit text is the bytes themselves; the Unicode text never holds more characters
        // than the bytes allow
        if (t.maUzky) {
            EXPECT_TRUE(t.uzky == bajty) << i;
        }
        EXPECT_LE(t.siroky.size(), t.maUzky ? data.size() : data.size() / 2) << i;
    }
    bool verny = false;
    EXPECT_EQ(TextPoznamkyProOkno(knihovna::NaUzky(L"Žluťoučký\r\nkůň"), verny), L"Žluťoučký\r\nkůň");
    EXPECT_TRUE(verny);
}

// ---------------------------------------------------------------------------------------------
// What the next save does to a user file its reader could not read whole.

namespace {

// One kind of user file: where it lives, a good file, and the store's load, automatic save and
// a change of the user's followed by a save.
struct DruhSouboru {
    const char* nazev;
    std::wstring soubor;                    // in the data folder
    std::string dobry;                      // a good file with three entries
    uint64_t limit;                         // the reader's cap
    std::string zacatekZpravy;              // the report begins so (UTF-8), the path follows
    std::function<void(const std::wstring&)> nacist;
    std::function<void(const std::wstring&)> ulozitBezZmeny;
    std::function<void(const std::wstring&)> zmenitAUlozit;
};

std::string Utf8(const std::wstring& text) { return knihovna::NaUzky(text, CP_UTF8); }

std::vector<DruhSouboru> DruhySouboru() {
    std::vector<DruhSouboru> druhy;
    {
        SeznamKontaktu s;
        for (const wchar_t* n : {L"Alena", L"Bohouš", L"Cyril"}) {
            Kontakt k;
            k.nazev = n;
            s.Pridat(k);
        }
        testy::DocasnaSlozka t;
        s.Ulozit(t.Cesta() + L"\\k");
        std::vector<BYTE> b = testy::PrecistBajty(t.Cesta() + L"\\k");
        druhy.push_back({"contacts", L"Kontakty.qxml", std::string(b.begin(), b.end()), MAX_VELIKOST_SOUBORU_KONTAKTU,
                         "Nepodařilo se načíst kontakty ze souboru ",
                         [](const std::wstring& c) { NacistKontaktyPriStartu(c); },
                         [](const std::wstring& c) { seznamKontaktu->Ulozit(c); },
                         [](const std::wstring& c) {
                             Kontakt k;
                             k.nazev = L"Nový";
                             seznamKontaktu->Pridat(k);
                             seznamKontaktu->Ulozit(c);
                         }});
    }
    {
        std::vector<Registrace> r(3);
        for (size_t i = 0; i < r.size(); ++i) r[i].nazev = L"Účet " + std::to_wstring(i);
        static std::unique_ptr<SeznamRegistraci> registrace;
        druhy.push_back({"registrations", L"Registrace.qxml", Bajty(TextSouboruRegistraci(r)),
                         MAX_VELIKOST_SOUBORU_REGISTRACI, "Došlo k chybě při načítání seznamu registrací ze souboru ",
                         [](const std::wstring& c) {
                             registrace = std::make_unique<SeznamRegistraci>();
                             registrace->Nacist(c);
                         },
                         [](const std::wstring&) {},  // saved only after a change
                         [](const std::wstring&) {
                             Registrace n;
                             n.nazev = L"Nová";
                             registrace->Pridat(n);
                             registrace->Ulozit();
                         }});
    }
    {
        static SeznamZdrojuRSS zdroje;
        druhy.push_back({"RSS sources", L"ZdrojeRSS.qxml",
                         Bajty(TextZdrojuRSS({{L"A", L"http://a", L""}, {L"B", L"http://b", L""}, {L"C", L"http://c", L""}})),
                         MAX_VELIKOST_ZDROJU_RSS, "Došlo k chybě při načítání zdrojů ze souboru zdrojů RSS.",
                         [](const std::wstring& c) { NacistZdrojeRSS(c, zdroje); },
                         [](const std::wstring&) {},  // saved only after a change
                         [](const std::wstring&) {
                             zdroje.zdroje.push_back({L"Nový", L"http://n", L""});
                             UlozitSeznamZdrojuRSS(zdroje);
                         }});
    }
    {
        OperativniTexty t = {L"první", L"druhý", L"třetí"};
        std::vector<uint8_t> b = ZapsatOperativniTexty(t);
        static OperativniTexty seznam;
        druhy.push_back({"operative clipboard", SOUBOR_OPERATIVNICH_TEXTU, std::string(b.begin(), b.end()),
                         MAX_VELIKOST_OPERATIVNICH_TEXTU, "Operativní schránku se nepodařilo celou načíst ze souboru ",
                         [](const std::wstring&) {
                             seznam.clear();
                             NacistOperativniTextyZDatoveSlozky(seznam);
                         },
                         [](const std::wstring&) { UlozitOperativniTextyDoDatoveSlozky(seznam); },
                         [](const std::wstring&) {
                             PridatOperativniText(seznam, L"nový", 30);
                             UlozitOperativniTextyDoDatoveSlozky(seznam);
                         }});
    }
    return druhy;
}

// The damages of a good file of a kind.
std::vector<std::pair<const char*, std::string>> Poskozeni(const DruhSouboru& druh) {
    std::mt19937 nahoda(31);
    const std::string& d = druh.dobry;
    std::vector<std::pair<const char*, std::string>> p;
    const bool tagovany = druh.soubor.find(L".qxml") != std::wstring::npos;
    if (tagovany) {
        p.push_back({"cut-off last group", d.substr(0, (d.size() - 24) & ~size_t{1})});
        const std::wstring text(reinterpret_cast<const wchar_t*>(d.data()), d.size() / 2);
        p.push_back({"another encoding (UTF-8)", Utf8(text)});
        std::string prevracena = d;
        prevracena[2] ^= 0x04;  // "<kontakt>" of the first group is no longer one
        p.push_back({"flipped first tag", prevracena});
    } else {
        p.push_back({"cut-off last text", d.substr(0, d.size() - 3)});
        p.push_back({"another encoding (UTF-8)", "\xEF\xBB\xBFprvní\r\ndruhý"});
        std::string prevracena = d;
        prevracena[1] ^= 0x10;
        p.push_back({"flipped magic", prevracena});
    }
    p.push_back({"random bytes", NahodneBajty(nahoda, 333)});
    std::string velky = d;
    velky.resize(static_cast<size_t>(druh.limit) + 2, ' ');
    p.push_back({"over the cap", velky});
    return p;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Damaged registry records: the hot-key table, the launcher's entries and the display-mode list.
// Random kinds and sizes under the expected names: every read ends, keeps the intact records and
// brings the damaged ones to what the program can use.

namespace {

const std::wstring KLIC_POSKOZENYCH = L"Software\\Brenvald\\KolvexPoskozene\\5.0";

// A value of a random kind: numbers of odd sizes, texts with and without their end, lists.
void ZapsatNahodnouHodnotu(HKEY klic, const std::wstring& nazev, std::mt19937& nahoda) {
    std::vector<BYTE> data(nahoda() % 24);
    for (BYTE& b : data) b = static_cast<BYTE>(nahoda() % 4 == 0 ? 0xFF : nahoda());
    const DWORD druhy[] = {REG_DWORD, REG_BINARY, REG_SZ, REG_QWORD, REG_MULTI_SZ, REG_EXPAND_SZ, REG_NONE};
    DWORD druh = druhy[nahoda() % (sizeof(druhy) / sizeof(druhy[0]))];
    if (druh == REG_DWORD && nahoda() % 2) data.resize(4);
    ::RegSetValueExW(klic, nazev.c_str(), 0, druh, data.empty() ? nullptr : data.data(), static_cast<DWORD>(data.size()));
}

HKEY VytvoritKlic(const std::wstring& cesta) {
    HKEY h = nullptr;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, cesta.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
    return h;
}

size_t PocetHodnot(const std::wstring& cesta) {
    HKEY h = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, cesta.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return 0;
    DWORD pocet = 0;
    ::RegQueryInfoKeyW(h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &pocet, nullptr, nullptr, nullptr, nullptr);
    ::RegCloseKey(h);
    return pocet;
}

}  // namespace

TEST(PoskozenaData, DalsiUlozeniNechaNeuplneCtenySouborAzDoZmeny) {
    testy::DocasnaSlozka slozka;
    const std::wstring puvodniData = aplikace.nastaveni.slozkaData.Text();
    aplikace.nastaveni.slozkaData = slozka.Cesta();
    for (const DruhSouboru& druh : DruhySouboru()) {
        const std::wstring cesta = slozka.Cesta() + L"\\" + druh.soubor;
        for (const auto& [popis, obsah] : Poskozeni(druh)) {
            SCOPED_TRACE(std::string(druh.nazev) + ", " + popis);
            ASSERT_TRUE(testy::ZapsatSoubor(cesta, obsah));
            ::DeleteFileW((cesta + L".bak").c_str());
            testy::ZachytavacZprav zpravy;
            druh.nacist(cesta);
            ASSERT_EQ(zpravy.zpravy.size(), 1u) << "the damage was not reported";
            const std::string zprava = Utf8(zpravy.zpravy[0].text);
            EXPECT_EQ(zprava.rfind(druh.zacatekZpravy, 0), 0u) << zprava;
            druh.ulozitBezZmeny(cesta);
            std::vector<BYTE> b = testy::PrecistBajty(cesta);
            EXPECT_TRUE(std::string(b.begin(), b.end()) == obsah) << "the save without a change wrote over the file";
            druh.zmenitAUlozit(cesta);
            b = testy::PrecistBajty(cesta + L".bak");
            EXPECT_TRUE(std::string(b.begin(), b.end()) == obsah) << "the damaged bytes were not kept";
            EXPECT_FALSE(testy::ExistujeSoubor(cesta + L".1.bak"));
            b = testy::PrecistBajty(cesta);
            EXPECT_FALSE(std::string(b.begin(), b.end()) == obsah) << "the change was not saved";
            ::DeleteFileW((cesta + L".bak").c_str());
        }
        ::DeleteFileW(cesta.c_str());
    }
    seznamKontaktu.reset();
    aplikace.nastaveni.slozkaData = puvodniData;
}

TEST(PoskozenaData, TabulkaHorkychKlavesPrecteKazdyZaznamBezPadu) {
    std::mt19937 nahoda(29);
    const std::wstring nazvy[] = {L"40001", L"40113", L"40168", L"40210", L"45000", L"0", L"1", L"abc", L"4294967296",
                                  L"-5", L"040113", L"49151", L"49152", L"65535"};
    const std::wstring podklic = KLIC_POSKOZENYCH + L"\\Horke klavesy";
    for (int kolo = 0; kolo < 300; ++kolo) {
        testy::SmazatKlic(KLIC_POSKOZENYCH);
        HKEY h = VytvoritKlic(podklic);
        ASSERT_NE(h, nullptr);
        const int zaznamu = 1 + static_cast<int>(nahoda() % 8);
        for (int i = 0; i < zaznamu; ++i) {
            const std::wstring& nazev = nazvy[nahoda() % (sizeof(nazvy) / sizeof(nazvy[0]))];
            if (nahoda() % 2) {
                ZapsatNahodnouHodnotu(h, nazev, nahoda);
            } else {  // a row of the right size with damaged content
                uint32_t radek[4] = {static_cast<uint32_t>(nahoda()), static_cast<uint32_t>(nahoda() % 2 ? nahoda() : 'K'),
                                     static_cast<uint32_t>(nahoda()), static_cast<uint32_t>(nahoda() % 300)};
                ::RegSetValueExW(h, nazev.c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(radek), sizeof(radek));
            }
        }
        ::RegCloseKey(h);
        HorkeKlavesy tabulka(KLIC_POSKOZENYCH.c_str());
        PridatVychoziHorkeKlavesy(tabulka);
        ASSERT_NO_THROW(NacistASeraditHorkeKlavesy(tabulka)) << kolo;
        EXPECT_GE(tabulka.Pocet(), 42u);
        EXPECT_LE(tabulka.Pocet(), 43u) << kolo;  // 40210 is the one named command beyond the defaults
        for (const HorkaKlavesa& r : tabulka.zaznamy) {
            EXPECT_GE(r.prikaz, 40001u) << kolo;
            EXPECT_LE(r.prikaz, 0xBFFFu) << kolo;
            // a key no control can show, or unknown modifier bits: the row keeps no key
            EXPECT_LE(r.klavesa, 0xFEu) << kolo << " " << r.prikaz;
            EXPECT_EQ(r.modifikatory & ~static_cast<uint32_t>(MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN), 0u)
                << kolo << " " << r.prikaz;
        }
        ASSERT_NO_THROW(tabulka.Ulozit());
        EXPECT_EQ(PocetHodnot(podklic), tabulka.Pocet()) << "a stray record was written back, round " << kolo;
    }
    testy::SmazatKlic(KLIC_POSKOZENYCH);
}

TEST(PoskozenaData, SpousteciAplikacePrectouKazdouPolozkuBezPadu) {
    std::mt19937 nahoda(31);
    const wchar_t* const hodnoty[] = {L"cesta", L"uroven", L"modifikator", L"virtKlavesa", L"jednaInstance",
                                      L"poSpusteni", L"pocetSpusteni"};
    const std::wstring aplikaceKlic = KLIC_POSKOZENYCH + L"\\Spousteni aplikaci\\Aplikace";
    for (int kolo = 0; kolo < 150; ++kolo) {
        testy::SmazatKlic(KLIC_POSKOZENYCH);
        const int polozek = 1 + static_cast<int>(nahoda() % 5);
        for (int i = 0; i < polozek; ++i) {
            HKEY h = VytvoritKlic(aplikaceKlic + L"\\Program " + std::to_wstring(i));
            ASSERT_NE(h, nullptr);
            for (const wchar_t* nazev : hodnoty)
                if (nahoda() % 4) ZapsatNahodnouHodnotu(h, nazev, nahoda);
            ::RegCloseKey(h);
        }
        SeznamAplikaci seznam(KLIC_POSKOZENYCH);
        HRESULT hr = S_OK;
        ASSERT_NO_THROW(hr = seznam.Nacist()) << kolo;
        EXPECT_TRUE(hr == S_OK || hr == HRESULT_FROM_WIN32(ERROR_INVALID_DATA)) << kolo;
        ASSERT_EQ(seznam.Pocet(), static_cast<size_t>(polozek)) << "a damaged value cost a whole entry, round " << kolo;
        ASSERT_NO_THROW(seznam.Ulozit()) << kolo;
        SeznamAplikaci znovu(KLIC_POSKOZENYCH);
        ASSERT_NO_THROW(znovu.Nacist());
        EXPECT_EQ(znovu.Pocet(), static_cast<size_t>(polozek)) << kolo;
    }
    testy::SmazatKlic(KLIC_POSKOZENYCH);
}

TEST(PoskozenaData, SeznamRezimuObrazovkyPrecteNeposkozeneRezimyBezPadu) {
    std::mt19937 nahoda(37);
    RezimyObrazovky rezimy;
    const std::wstring koren = std::wstring(aplikace.klicAplikace) + L"\\" + rezimy.nazevKlice;
    const wchar_t* const hodnoty[] = {L"barevHloubka", L"frekvence", L"sirka", L"vyska", L"zarizeni"};
    for (int kolo = 0; kolo < 200; ++kolo) {
        testy::SmazatKlic(koren);
        // modes 0-5, some missing, some damaged, and keys that are no index
        std::vector<RezimObrazovky> neporusene;
        for (int i = 0; i < 6; ++i) {
            const int druh = static_cast<int>(nahoda() % 4);  // 0 missing, 1 damaged, 2-3 intact
            if (druh == 0) continue;
            HKEY h = VytvoritKlic(koren + L"\\" + std::to_wstring(i));
            ASSERT_NE(h, nullptr);
            RezimObrazovky r{};
            r.sirka = 640 + 16 * static_cast<DWORD>(i);
            r.vyska = 480;
            r.barevHloubka = 32;
            r.frekvence = 60;
            r.zarizeni = 0;
            const DWORD cisla[] = {r.barevHloubka, r.frekvence, r.sirka, r.vyska, r.zarizeni};
            for (int k = 0; k < 5; ++k) {
                if (druh == 1 && nahoda() % 2)
                    ZapsatNahodnouHodnotu(h, hodnoty[k], nahoda);
                else
                    ::RegSetValueExW(h, hodnoty[k], 0, REG_DWORD, reinterpret_cast<const BYTE*>(&cisla[k]), 4);
            }
            ::RegCloseKey(h);
            if (druh >= 2) neporusene.push_back(r);
        }
        if (nahoda() % 2) ::RegCloseKey(VytvoritKlic(koren + L"\\x"));
        if (nahoda() % 2) ::RegCloseKey(VytvoritKlic(koren + L"\\-1"));
        if (neporusene.empty() && nahoda() % 2) ::RegCloseKey(VytvoritKlic(koren));
        try {
            NacistRezimyObrazovky(rezimy);
        } catch (const knihovna::Chyba&) {
            // damage is reported once by the caller; what could be read is kept
        }
        for (const RezimObrazovky& r : neporusene) {
            const bool nalezen = std::any_of(rezimy.rezimy.begin(), rezimy.rezimy.end(), [&](const RezimObrazovky& n) {
                return n.sirka == r.sirka && n.vyska == r.vyska && n.barevHloubka == r.barevHloubka &&
                       n.frekvence == r.frekvence && n.zarizeni == r.zarizeni;
            });
            EXPECT_TRUE(nalezen) << "an intact mode " << r.sirka << " was lost, round " << kolo;
        }
        for (const RezimObrazovky& n : rezimy.rezimy) {
            EXPECT_GT(n.sirka, 0u) << kolo;
            EXPECT_GT(n.vyska, 0u) << kolo;
        }
    }
    testy::SmazatKlic(koren);
}
