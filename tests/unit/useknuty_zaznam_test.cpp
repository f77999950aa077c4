// A list file whose last entry was cut off (a save or copy broken off): the tagged-text reader
// tells it from other damage, the contacts, registrations and RSS sources keep every whole entry
// before the cut, the report names the lost entry and the damaged file's copy, and the next add
// writes the whole entries with the new one.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/ikonatray.h"
#include "core/konfiguracenastroju.h"
#include "core/kontakty.h"
#include "core/tagovanytext.h"
#include "internet/rsszdroje.h"
#include "knihovna/chyba.h"
#include "podpora/pomocnik.h"
#include "records/modulkontakty.h"
#include "records/modulseznamregistraci.h"
#include "records/seznamregistraci.h"
#include "resources/resource.h"
#include "unit/servery_testu.h"

namespace {

std::string Bajty(const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

// The places a cut can fall in the last group of a text (in characters, or bytes when odd).
struct Rez {
    const char* popis;
    std::function<std::string(const std::wstring& text, const std::wstring& skupina)> oriznout;
};
std::vector<Rez> Rezy() {
    auto posledni = [](const std::wstring& t, const std::wstring& s) { return t.rfind(L"<" + s + L">"); };
    return {
        {"in the opening tag", [=](const std::wstring& t, const std::wstring& s) { return Bajty(t.substr(0, posledni(t, s) + 3)); }},
        {"after the opening tag", [=](const std::wstring& t, const std::wstring& s) { return Bajty(t.substr(0, posledni(t, s) + s.size() + 4)); }},
        {"in a value", [=](const std::wstring& t, const std::wstring& s) { return Bajty(t.substr(0, posledni(t, s) + s.size() + 12)); }},
        {"in the closing tag", [](const std::wstring& t, const std::wstring&) { return Bajty(t.substr(0, t.size() - 5)); }},
        {"at an odd byte", [=](const std::wstring& t, const std::wstring& s) {
             return Bajty(t.substr(0, posledni(t, s) + s.size() + 12)) + "x";
         }},
    };
}

}  // namespace

// The reader's verdict on what follows the groups read: whole, a cut-off last group, or damage
// that still makes the whole file unreadable.
TEST(TagovanyText, UseknutaPosledniSkupinaSeRozlisi) {
    const std::wstring g = L"<g>\r\n <a>1</a>\r\n</g>\r\n";
    struct {
        const char* popis;
        std::wstring text;
        size_t celych;   // groups the reader finds
        int vysledek;    // 0 whole, 1 cut off, -1 raises
    } pripady[] = {
        {"whole", g + g, 2, 0},
        {"whole, trailing blanks", g + g + L"\r\n \r\n", 2, 0},
        {"cut in the opening tag", g + g + L"<", 2, 1},
        {"cut after the opening tag", g + g + L"<g>", 2, 1},
        {"cut in a value", g + g + L"<g>\r\n <a>1", 2, 1},
        {"cut in the closing tag", g + g + L"<g>\r\n <a>1</a>\r\n</", 2, 1},
        {"only group cut", L"<g>\r\n <a>", 0, 1},
        {"cut group after blanks", g + L"\r\n\r\n<g>\r\n <a>1</a>", 1, 1},
        {"foreign text at the end", g + L"xyz", 1, -1},
        {"foreign text before the groups", L"xyz" + g + L"<g>", 1, -1},
        {"two cut groups", g + L"<g>\r\n <a>1</a>\r\n<g>\r\n", 1, -1},
        {"another group's tag at the end", g + L"<h>\r\n", 1, -1},
        {"a closing tag but no opening one", g + L"</g>\r\n", 1, -1},
        {"a damaged tag in the middle", L"<g>\r\n <a>1</a>\r\n</x>\r\n" + g, 1, -1},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        SouborKonfiguraceCteni cteni;
        cteni.NacistText(p.text);
        size_t celych = 0;
        while (cteni.NajitSkupinu(L"g") == S_OK) {
            std::wstring a;
            if (cteni.NajitHodnotu(L"a", a) == S_OK) ++celych;
        }
        EXPECT_EQ(celych, p.celych);
        if (p.vysledek < 0) {
            EXPECT_THROW(cteni.OveritPrectenoKromeUseknuteho(L"g", celych), knihovna::Chyba);
        } else {
            EXPECT_EQ(cteni.OveritPrectenoKromeUseknuteho(L"g", celych), p.vysledek == 1);
        }
        // the strict check stays strict
        if (p.vysledek != 0) {
            EXPECT_THROW(cteni.OveritPrectenoVse(L"g", celych), knihovna::Chyba);
        }
    }
}

namespace {

// One list kind with its real load (and report) and its real add-and-save.
struct DruhSeznamu {
    const char* nazev;
    std::wstring soubor;   // in the data folder
    std::wstring skupina;
    std::wstring dobry;    // three entries: "Alena", "Bohouš", "Cyril"
    std::wstring zacatekZpravy;
    std::function<std::vector<std::wstring>(const std::wstring&)> nacist;  // names shown
    std::function<void(const std::wstring&)> pridat;                      // "Nový", saved
    std::function<std::vector<std::wstring>(const std::wstring&)> vSouboru;  // strict read
};

const wchar_t* const JMENA[] = {L"Alena", L"Bohouš", L"Cyril"};

std::vector<DruhSeznamu> DruhySeznamu() {
    std::vector<DruhSeznamu> druhy;
    {
        std::wstring text;
        {
            testy::DocasnaSlozka t;
            SeznamKontaktu s;
            for (const wchar_t* n : JMENA) {
                Kontakt k;
                k.nazev = n;
                k.email = std::wstring(n) + L"@example.cz";
                s.Pridat(k);
            }
            s.Ulozit(t.Cesta() + L"\\k");
            const std::vector<BYTE> b = testy::PrecistBajty(t.Cesta() + L"\\k");
            text.assign(reinterpret_cast<const wchar_t*>(b.data()), b.size() / 2);
        }
        druhy.push_back({"contacts", L"Kontakty.qxml", L"kontakt", text, L"Nepodařilo se načíst kontakty ze souboru ",
                         [](const std::wstring& c) {
                             NacistKontaktyPriStartu(c);
                             std::vector<std::wstring> n;
                             for (const Kontakt& k : seznamKontaktu->Kopie()) n.push_back(k.nazev);
                             return n;
                         },
                         [](const std::wstring& c) {
                             Kontakt k;
                             k.nazev = L"Nový";
                             seznamKontaktu->Pridat(k);
                             seznamKontaktu->Ulozit(c);
                         },
                         [](const std::wstring& c) {
                             SeznamKontaktu s;
                             s.Nacist(c);
                             EXPECT_FALSE(s.UseknutyKonec());
                             std::vector<std::wstring> n;
                             for (const Kontakt& k : s.Kopie()) n.push_back(k.nazev);
                             return n;
                         }});
    }
    {
        std::vector<Registrace> r;
        for (const wchar_t* n : JMENA) {
            Registrace x;
            x.nazev = n;
            x.prihlasovaciJmeno = std::wstring(n) + L".login";
            x.heslo = L"tajné";
            r.push_back(x);
        }
        static std::unique_ptr<SeznamRegistraci> registrace;
        druhy.push_back({"registrations", L"Registrace.qxml", L"registrace", TextSouboruRegistraci(r),
                         L"Došlo k chybě při načítání seznamu registrací ze souboru ",
                         [](const std::wstring& c) {
                             registrace = std::make_unique<SeznamRegistraci>();
                             EXPECT_EQ(registrace->Nacist(c), S_OK);
                             std::vector<std::wstring> n;
                             for (const Registrace& x : registrace->Polozky()) n.push_back(x.nazev);
                             return n;
                         },
                         [](const std::wstring&) {
                             Registrace x;
                             x.nazev = L"Nový";
                             registrace->Pridat(x);
                             EXPECT_EQ(registrace->Ulozit(), S_OK);
                         },
                         [](const std::wstring& c) {
                             const std::vector<BYTE> b = testy::PrecistBajty(c);
                             std::vector<std::wstring> n;
                             for (const Registrace& x : PrecistRegistraceZDat(b.data(), b.size())) n.push_back(x.nazev);
                             return n;
                         }});
    }
    {
        std::vector<ZdrojRSS> z;
        for (const wchar_t* n : JMENA) z.push_back({n, L"http://127.0.0.1/" + std::wstring(n), L"popis"});
        static SeznamZdrojuRSS zdroje;
        druhy.push_back({"RSS sources", L"ZdrojeRSS.qxml", L"rss", TextZdrojuRSS(z),
                         L"Došlo k chybě při načítání zdrojů ze souboru zdrojů RSS.\n",
                         [](const std::wstring& c) {
                             NacistZdrojeRSS(c, zdroje);
                             std::vector<std::wstring> n;
                             for (const ZdrojRSS& x : zdroje.zdroje) n.push_back(x.nazev);
                             return n;
                         },
                         [](const std::wstring&) {
                             zdroje.zdroje.push_back({L"Nový", L"http://127.0.0.1/novy", L""});
                             EXPECT_TRUE(UlozitSeznamZdrojuRSS(zdroje));
                         },
                         [](const std::wstring& c) {
                             const std::vector<BYTE> b = testy::PrecistBajty(c);
                             std::vector<std::wstring> n;
                             for (const ZdrojRSS& x : PrecistZdrojeRSS(std::wstring(reinterpret_cast<const wchar_t*>(b.data()), b.size() / 2)))
                                 n.push_back(x.nazev);
                             return n;
                         }});
    }
    return druhy;
}

std::vector<std::wstring> Serazene(std::vector<std::wstring> v) {
    std::sort(v.begin(), v.end());
    return v;
}

}  // namespace

// Every kind, every place of the cut: the two whole entries are shown, the report says the last
// was lost and names the copy (which holds the damaged bytes), a load alone writes nothing, and
// the next add saves the whole entries with the new one.
TEST(UseknutyZaznam, CeleZaznamyPredRezemZustanouIPoPridani) {
    testy::DocasnaSlozka slozka;
    const std::wstring puvodniData = aplikace.nastaveni.slozkaData.Text();
    aplikace.nastaveni.slozkaData = slozka.Cesta();
    std::unique_ptr<KonfiguraceSeznamRegistraci> puvodniRegistrace = std::move(nastaveniSeznamRegistraci);
    nastaveniSeznamRegistraci = std::make_unique<KonfiguraceSeznamRegistraci>();
    for (const DruhSeznamu& druh : DruhySeznamu()) {
        const std::wstring cesta = slozka.Cesta() + L"\\" + druh.soubor;
        nastaveniSeznamRegistraci->soubor = cesta;
        for (const Rez& rez : Rezy()) {
            SCOPED_TRACE(std::string(druh.nazev) + ", cut " + rez.popis);
            const std::string poskozeny = rez.oriznout(druh.dobry, druh.skupina);
            ASSERT_TRUE(testy::ZapsatSoubor(cesta, poskozeny));
            ::DeleteFileW((cesta + L".bak").c_str());
            // a copy of other bytes under the first name: the report names the next one
            const bool obsazena = rez.popis == Rezy()[1].popis;
            if (obsazena) {
                ASSERT_TRUE(testy::ZapsatSoubor(cesta + L".bak", "cizí"));
            }
            const std::wstring zaloha = cesta + (obsazena ? L".1.bak" : L".bak");

            testy::ZachytavacZprav zpravy;
            const std::vector<std::wstring> nactene = druh.nacist(cesta);
            EXPECT_EQ(Serazene(nactene), (std::vector<std::wstring>{L"Alena", L"Bohouš"}));
            ASSERT_EQ(zpravy.zpravy.size(), 1u) << zpravy;
            const std::wstring& zprava = zpravy.zpravy[0].text;
            EXPECT_EQ(zprava.rfind(druh.zacatekZpravy, 0), 0u) << testy::NaUtf8(zprava);
            EXPECT_NE(zprava.find(L"Poslední záznam je v souboru useknutý"), std::wstring::npos) << testy::NaUtf8(zprava);
            EXPECT_NE(zprava.find(L"(2)"), std::wstring::npos) << testy::NaUtf8(zprava);
            EXPECT_NE(zprava.find(L"uschován jako " + zaloha + L"."), std::wstring::npos) << testy::NaUtf8(zprava);
            const std::vector<BYTE> kopie = testy::PrecistBajty(zaloha);
            EXPECT_TRUE(std::string(kopie.begin(), kopie.end()) == poskozeny) << "the copy holds the damaged bytes";
            std::vector<BYTE> b = testy::PrecistBajty(cesta);
            EXPECT_TRUE(std::string(b.begin(), b.end()) == poskozeny) << "the load changed the file";

            druh.pridat(cesta);
            EXPECT_EQ(Serazene(druh.vSouboru(cesta)), (std::vector<std::wstring>{L"Alena", L"Bohouš", L"Nový"}));
            b = testy::PrecistBajty(zaloha);
            EXPECT_TRUE(std::string(b.begin(), b.end()) == poskozeny) << "the copy was replaced";
            EXPECT_FALSE(testy::ExistujeSoubor(cesta + (obsazena ? L".2.bak" : L".1.bak"))) << "a second copy";
            ::DeleteFileW((cesta + L".1.bak").c_str());
        }
        ::DeleteFileW(cesta.c_str());
    }
    seznamKontaktu.reset();
    nastaveniSeznamRegistraci = std::move(puvodniRegistrace);
    aplikace.nastaveni.slozkaData = puvodniData;
}

// ---------------------------------------------------------------------------------------------
// The contacts and registrations windows on the test thread: the whole entries before a cut-off
// one are listed, and an add through the window's command keeps them in the file.

namespace {

BOOL WINAPI BezIkony(DWORD, PNOTIFYICONDATAW) { return TRUE; }
bool NazevNovy(std::wstring& nazev) {
    nazev = L"Nový";
    return true;
}
INT_PTR PotvrditKontakt(Kontakt&, int) { return IDOK; }
INT_PTR PotvrditRegistraci(Registrace&, int) { return IDOK; }
struct BezIkonOken {
    FunkceNotifyIcon puvodni = notifikacniIkona;
    BezIkonOken() { notifikacniIkona = BezIkony; }
    ~BezIkonOken() { notifikacniIkona = puvodni; }
};

std::vector<std::wstring> RadkySeznamu(HWND seznam) {
    std::vector<std::wstring> radky;
    const LRESULT pocet = ::SendMessageW(seznam, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < pocet; ++i) {
        std::wstring text(static_cast<size_t>(::SendMessageW(seznam, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)), L'\0');
        ::SendMessageW(seznam, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&text[0]));
        radky.push_back(text.c_str());
    }
    return radky;
}

}  // namespace

TEST(UseknutyZaznam, OknaKontaktuARegistraciUkazouCeleZaznamyAPridaniJeZachova) {
    testy::DocasnaSlozka slozka;
    BezIkonOken ikony;
    std::unique_ptr<KonfiguraceKontakty> puvodniKontakty = std::move(nastaveniKontakty);
    std::unique_ptr<SeznamKontaktu> puvodniSeznam = std::move(seznamKontaktu);
    std::unique_ptr<KonfiguraceSeznamRegistraci> puvodniRegistrace = std::move(nastaveniSeznamRegistraci);
    nastaveniKontakty = std::make_unique<KonfiguraceKontakty>();
    nastaveniKontakty->NastavitVychozi();
    nastaveniKontakty->oznamovaciIkona = 0;
    nastaveniKontakty->minimalizovat = 0;
    nastaveniSeznamRegistraci = std::make_unique<KonfiguraceSeznamRegistraci>();
    nastaveniSeznamRegistraci->NastavitVychozi();
    nastaveniSeznamRegistraci->oznamovaciIkona = 0;
    nastaveniSeznamRegistraci->minimalizovat = 0;
    auto puvodniNazevK = ModulKontakty::zadatNazev;
    auto puvodniDialogK = ModulKontakty::upravitKontakt;
    auto puvodniNazevR = ModulSeznamRegistraci::zadatNazev;
    auto puvodniDialogR = ModulSeznamRegistraci::upravitRegistraci;
    ModulKontakty::zadatNazev = NazevNovy;
    ModulKontakty::upravitKontakt = PotvrditKontakt;
    ModulSeznamRegistraci::zadatNazev = NazevNovy;
    ModulSeznamRegistraci::upravitRegistraci = PotvrditRegistraci;

    const std::vector<DruhSeznamu> druhy = DruhySeznamu();
    std::unique_ptr<ModulKontakty> kontakty;
    std::unique_ptr<ModulSeznamRegistraci> registrace;
    struct {
        const DruhSeznamu& druh;
        UINT pridat;
        std::function<HWND()> otevrit;  // the window's list box
        std::function<void()> zavrit;
    } okna[] = {
        {druhy[0], 40176,
         [&] {
             kontakty = std::make_unique<ModulKontakty>();
             kontakty->VytvoritOkno(false);
             return kontakty->Seznam();
         },
         [&] { kontakty.reset(); }},
        {druhy[1], 40159,
         [&] {
             registrace = std::make_unique<ModulSeznamRegistraci>();
             registrace->VytvoritOkno(false);
             return registrace->Seznam();
         },
         [&] {
             registrace.reset();
             seznamRegistraci.reset();
         }},
    };
    for (const auto& o : okna) {
        SCOPED_TRACE(o.druh.nazev);
        const std::wstring cesta = slozka.Cesta() + L"\\" + o.druh.soubor;
        nastaveniKontakty->soubor = cesta;
        nastaveniSeznamRegistraci->soubor = cesta;
        const std::string poskozeny = Rezy()[2].oriznout(o.druh.dobry, o.druh.skupina);
        ASSERT_TRUE(testy::ZapsatSoubor(cesta, poskozeny));
        testy::ZachytavacZprav zpravy;
        HWND seznam = o.otevrit();
        ASSERT_NE(seznam, nullptr);
        HWND okno = ::GetParent(seznam);
        EXPECT_EQ(Serazene(RadkySeznamu(seznam)), (std::vector<std::wstring>{L"Alena", L"Bohouš"}));
        ASSERT_EQ(zpravy.zpravy.size(), 1u) << zpravy;
        EXPECT_NE(zpravy.zpravy[0].text.find(L"uschován jako " + cesta + L".bak."), std::wstring::npos)
            << testy::NaUtf8(zpravy.zpravy[0].text);

        ::SendMessageW(okno, WM_COMMAND, o.pridat, 0);
        EXPECT_EQ(Serazene(RadkySeznamu(seznam)), (std::vector<std::wstring>{L"Alena", L"Bohouš", L"Nový"}));
        ::SendMessageW(okno, WM_CLOSE, 0, 0);
        o.zavrit();
        EXPECT_EQ(Serazene(o.druh.vSouboru(cesta)), (std::vector<std::wstring>{L"Alena", L"Bohouš", L"Nový"}));
        const std::vector<BYTE> b = testy::PrecistBajty(cesta + L".bak");
        EXPECT_TRUE(std::string(b.begin(), b.end()) == poskozeny) << "the damaged bytes were not kept";
    }

    ModulKontakty::zadatNazev = puvodniNazevK;
    ModulKontakty::upravitKontakt = puvodniDialogK;
    ModulSeznamRegistraci::zadatNazev = puvodniNazevR;
    ModulSeznamRegistraci::upravitRegistraci = puvodniDialogR;
    seznamKontaktu = std::move(puvodniSeznam);
    nastaveniKontakty = std::move(puvodniKontakty);
    nastaveniSeznamRegistraci = std::move(puvodniRegistrace);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {}
}
