#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include "core/globalni.h"
#include "core/kontakty.h"
#include "core/tagovanytext.h"
#include "knihovna/chyba.h"
#include "knihovna/modul.h"
#include "podpora/pomocnik.h"
#include "unit/servery_testu.h"

namespace {

Kontakt Novy(const std::wstring& nazev) {
    Kontakt k;
    k.nazev = nazev;
    k.jmeno = L"Jiří";
    k.prijmeni = L"Čermák";
    k.adresa = L"Dlouhá 5, Praha";
    k.email = nazev + L"@example.cz";
    k.info = L"poznámka <b> & \"uvozovky\"";
    return k;
}

// ShellExecuteW recorded instead of run.
struct ZaznamShellu {
    static std::vector<std::wstring>& Cile() {
        static std::vector<std::wstring> cile;
        return cile;
    }
    static INT_PTR& Vysledek() {
        static INT_PTR vysledek = 42;
        return vysledek;
    }
    static HINSTANCE WINAPI Spustit(HWND okno, LPCWSTR sloveso, LPCWSTR cil, LPCWSTR parametry, LPCWSTR slozka, INT zobrazeni) {
        EXPECT_EQ(okno, nullptr);
        EXPECT_STREQ(sloveso, L"open");
        EXPECT_EQ(parametry, nullptr);
        EXPECT_EQ(slozka, nullptr);
        EXPECT_EQ(zobrazeni, SW_SHOWMAXIMIZED);
        Cile().push_back(cil);
        if (Vysledek() <= 32) ::SetLastError(ERROR_NO_ASSOCIATION);
        return reinterpret_cast<HINSTANCE>(Vysledek());
    }
    ZaznamShellu() {
        Cile().clear();
        Vysledek() = 42;
        knihovna::spustitShell = Spustit;
    }
    ~ZaznamShellu() { knihovna::spustitShell = ::ShellExecuteW; }
};

}  // namespace

TEST(Kontakty, BezSouboruPrazdnySeznam) {
    testy::DocasnaSlozka slozka;
    testy::ZachytavacZprav zpravy;
    SeznamKontaktu seznam;
    seznam.Nacist(slozka.Cesta() + L"\\Kontakty.qxml");
    EXPECT_EQ(seznam.Pocet(), 0);
    NacistKontaktyPriStartu(slozka.Cesta() + L"\\Kontakty.qxml");
    ASSERT_TRUE(seznamKontaktu);
    EXPECT_EQ(seznamKontaktu->Pocet(), 0);
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
    seznamKontaktu.reset();
}

TEST(Kontakty, UlozeniANacteniSeradiPodleKodovychJednotek) {
    testy::DocasnaSlozka slozka;
    const std::wstring cesta = slozka.Cesta() + L"\\Kontakty.qxml";
    SeznamKontaktu seznam;
    for (const wchar_t* n : {L"beta", L"Alfa", L"alfa", L"Čeněk"}) seznam.Pridat(Novy(n));
    seznam.Ulozit(cesta);

    SeznamKontaktu nacteny;
    nacteny.Nacist(cesta);
    ASSERT_EQ(nacteny.Pocet(), 4);
    const wchar_t* poradi[] = {L"Alfa", L"alfa", L"beta", L"Čeněk"};
    for (int i = 0; i < 4; ++i) {
        Kontakt k;
        nacteny.Polozka(i, k);
        EXPECT_EQ(k, Novy(poradi[i])) << i;
    }
    EXPECT_EQ(nacteny.NajitPodleNazvu(L"ALFA"), 0);
    EXPECT_EQ(nacteny.NajitPodleNazvu(L"čeněk"), 3);
    EXPECT_EQ(nacteny.NajitPodleNazvu(L"gama"), -1);

    // The file: one group per contact, the values in alphabetical order.
    SouborKonfiguraceCteni soubor;
    soubor.NacistSoubor(cesta);
    ASSERT_EQ(soubor.NajitSkupinu(L"kontakt"), S_OK);
    std::wstring nazev;
    EXPECT_EQ(soubor.NajitHodnotu(L"nazev", nazev), S_OK);
    EXPECT_EQ(nazev, L"beta");

    Kontakt k;
    for (int spatny : {-1, 4}) {
        try {
            nacteny.Polozka(spatny, k);
            ADD_FAILURE();
        } catch (const knihovna::Chyba& chyba) {
            EXPECT_EQ(chyba.Hresult(), E_INVALIDARG);
        }
    }
    nacteny.Odebrat(0);
    EXPECT_EQ(nacteny.Pocet(), 3);
}

TEST(Kontakty, PoskozenySouborOhlasiANeprepise) {
    testy::DocasnaSlozka slozka;
    const std::wstring cesta = slozka.Cesta() + L"\\Kontakty.qxml";
    // The second group lacks "www".
    SouborKonfiguraceZapis zapis;
    ASSERT_EQ(zapis.OtevritSoubor(cesta), S_OK);
    for (int i = 0; i < 2; ++i) {
        zapis.OtevritSkupinu(L"kontakt");
        for (const wchar_t* h : {L"adresa", L"email", L"icq", L"info", L"jmeno", L"msn", L"nazev", L"prijmeni", L"skype",
                                 L"telefon", L"www"})
            if (i == 0 || wcscmp(h, L"www") != 0) zapis.ZapsatText(h, h);
        zapis.UzavritSkupinu();
    }
    zapis.Zavrit();
    std::string puvodni;
    ASSERT_TRUE(testy::PrecistSoubor(cesta, puvodni));

    testy::ZachytavacZprav zpravy;
    NacistKontaktyPriStartu(cesta);
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_EQ(zpravy.zpravy[0].text.rfind(L"Nepodařilo se načíst kontakty ze souboru " + cesta + L".\n", 0), 0u)
        << testy::NaUtf8(zpravy.zpravy[0].text);
    EXPECT_EQ(zpravy.zpravy[0].priznaky & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    ASSERT_TRUE(seznamKontaktu);
    EXPECT_EQ(seznamKontaktu->Pocet(), 0);
    EXPECT_TRUE(seznamKontaktu->ChraniPoskozenySoubor());

    // Closing the contacts tool without a change leaves the damaged file as it was.
    seznamKontaktu->Ulozit(cesta);
    std::string potom;
    ASSERT_TRUE(testy::PrecistSoubor(cesta, potom));
    EXPECT_EQ(potom, puvodni);

    // A change by the user is saved; the damaged bytes are kept beside it.
    seznamKontaktu->Pridat(Novy(L"nový"));
    seznamKontaktu->Ulozit(cesta);
    SeznamKontaktu nacteny;
    nacteny.Nacist(cesta);
    EXPECT_EQ(nacteny.Pocet(), 1);
    std::string zaloha;
    ASSERT_TRUE(testy::PrecistSoubor(cesta + L".bak", zaloha));
    EXPECT_EQ(zaloha, puvodni);
    seznamKontaktu.reset();
}

// A file that is not empty but from which nothing, or only part, can be read is damaged: it is
// reported and its bytes are never lost to a later save.
TEST(Kontakty, NeuplneCitelnySouborJePoskozeny) {
    testy::DocasnaSlozka slozka;
    const std::wstring cesta = slozka.Cesta() + L"\\Kontakty.qxml";
    SeznamKontaktu dobry;
    dobry.Pridat(Novy(L"první"));
    dobry.Pridat(Novy(L"druhý"));
    dobry.Ulozit(cesta);
    std::string cely;
    ASSERT_TRUE(testy::PrecistSoubor(cesta, cely));

    auto utf16 = [](const std::wstring& t) { return std::string(reinterpret_cast<const char*>(t.data()), t.size() * 2); };
    struct {
        const char* popis;
        std::string obsah;
    } pripady[] = {
        {"cut in the second contact", cely.substr(0, cely.size() * 3 / 4 & ~size_t{1})},
        {"cut in the first contact", cely.substr(0, cely.size() / 4 & ~size_t{1})},
        {"not the format at all", utf16(L"Toto nejsou kontakty, ale poškozený soubor.")},
        {"8-bit text", std::string("<kontakt><nazev>x</nazev></kontakt>")},
        {"zero bytes", std::string(64, '\0')},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        ::DeleteFileW((cesta + L".bak").c_str());
        {
            FILE* f = _wfopen(cesta.c_str(), L"wb");
            ASSERT_NE(f, nullptr);
            fwrite(p.obsah.data(), 1, p.obsah.size(), f);
            fclose(f);
        }
        testy::ZachytavacZprav zpravy;
        NacistKontaktyPriStartu(cesta);
        ASSERT_EQ(zpravy.zpravy.size(), 1u) << "a damaged file is reported";
        ASSERT_TRUE(seznamKontaktu);
        EXPECT_TRUE(seznamKontaktu->ChraniPoskozenySoubor());
        seznamKontaktu->Ulozit(cesta);
        std::string potom;
        ASSERT_TRUE(testy::PrecistSoubor(cesta, potom));
        EXPECT_EQ(potom, p.obsah) << "a save without changes leaves it";
        seznamKontaktu->Pridat(Novy(L"nový"));
        seznamKontaktu->Ulozit(cesta);
        ASSERT_TRUE(testy::PrecistSoubor(cesta + L".bak", potom));
        EXPECT_EQ(potom, p.obsah) << "the damaged bytes are kept";
        seznamKontaktu.reset();
    }
    // an empty file and white space are an empty list, not damage
    for (const std::string& prazdny : {std::string(), utf16(L"\r\n  \r\n")}) {
        FILE* f = _wfopen(cesta.c_str(), L"wb");
        ASSERT_NE(f, nullptr);
        fwrite(prazdny.data(), 1, prazdny.size(), f);
        fclose(f);
        testy::ZachytavacZprav zpravy;
        NacistKontaktyPriStartu(cesta);
        EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
        EXPECT_FALSE(seznamKontaktu->ChraniPoskozenySoubor());
        EXPECT_EQ(seznamKontaktu->Pocet(), 0);
        seznamKontaktu.reset();
    }
}

TEST(Kontakty, AkceOtviraji) {
    ZaznamShellu shell;
    testy::ZachytavacZprav zpravy;
    struct Pripad {
        int (Kontakt::*akce)() const;
        std::wstring Kontakt::*pole;
        const wchar_t* hodnota;
        const wchar_t* cil;     // null: message instead
        const wchar_t* zprava;
    } pripady[] = {
        {&Kontakt::NapsatEmail, &Kontakt::email, L"a@b.c", nullptr, L"Kontakt \"Jan\" nemá nastavený platný email."},
        {&Kontakt::NapsatEmail, &Kontakt::email, L"a@b.cz", L"mailto:a@b.cz", nullptr},
        {&Kontakt::OtevritWeb, &Kontakt::www, L"a.c", nullptr, L"Kontakt \"Jan\" nemá nastavené webové stránky."},
        {&Kontakt::OtevritWeb, &Kontakt::www, L"www.example.cz", L"http://www.example.cz", nullptr},
        {&Kontakt::OtevritWeb, &Kontakt::www, L"HTTP://Example.cz", L"HTTP://Example.cz", nullptr},
        {&Kontakt::OtevritWeb, &Kontakt::www, L"https://x", L"https://x", nullptr},
        {&Kontakt::OtevritWeb, &Kontakt::www, L"ftp://soubory.example.cz", L"ftp://soubory.example.cz", nullptr},
        {&Kontakt::OtevritWeb, &Kontakt::www, L"example.cz:8080/a", L"http://example.cz:8080/a", nullptr},
        {&Kontakt::ZavolatSkype, &Kontakt::skype, L"x", nullptr,
         L"Kontakt \"Jan\" nemá nastavený platný skype-kontakt a nelze mu zavolat přes Skype."},
        {&Kontakt::ZavolatSkype, &Kontakt::skype, L"jan.novak", L"callto:jan.novak", nullptr},
        {&Kontakt::PoslatZpravuIcq, &Kontakt::icq, L"12345", nullptr, L"Kontakt \"Jan\" nemá nastavené platné číslo ICQ."},
        {&Kontakt::PoslatZpravuIcq, &Kontakt::icq, L"123456",
         L"http://www.icq.com/whitepages/cmd.php?uin=123456&action=message", nullptr},
    };
    for (const Pripad& p : pripady) {
        shell.Cile().clear();
        zpravy.zpravy.clear();
        Kontakt k;
        k.nazev = L"Jan";
        k.*p.pole = p.hodnota;
        int vysledek = (k.*p.akce)();
        if (p.cil) {
            EXPECT_EQ(vysledek, 0);
            EXPECT_EQ(shell.Cile(), std::vector<std::wstring>{p.cil});
            EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
        } else {
            EXPECT_EQ(vysledek, 1);
            EXPECT_TRUE(shell.Cile().empty());
            ASSERT_EQ(zpravy.zpravy.size(), 1u);
            EXPECT_EQ(zpravy.zpravy[0].text, p.zprava);
            EXPECT_EQ(zpravy.zpravy[0].priznaky & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
        }
    }
    // A failing shell raises the meaning of its result; an index outside the list is refused.
    ZaznamShellu::Vysledek() = SE_ERR_NOASSOC;
    Kontakt k;
    k.email = L"jan@example.cz";
    try {
        k.NapsatEmail();
        ADD_FAILURE();
    } catch (const knihovna::Chyba& chyba) {
        EXPECT_EQ(chyba.Hresult(), knihovna::HresultZKodu(ERROR_NO_ASSOCIATION));
    }
    SeznamKontaktu seznam;
    try {
        seznam.OtevritWeb(0);
        ADD_FAILURE();
    } catch (const knihovna::Chyba& chyba) {
        EXPECT_EQ(chyba.Hresult(), E_INVALIDARG);
    }
}
