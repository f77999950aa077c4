#include <gtest/gtest.h>

#include <winsock2.h>

#include "core/email.h"
#include "podpora/pomocnik.h"
#include "unit/servery_testu.h"

using namespace brenvald_email;

namespace {

size_t Pocet(const std::string& text, const std::string& co) {
    size_t n = 0;
    for (size_t i = text.find(co); i != std::string::npos; i = text.find(co, i + 1)) ++n;
    return n;
}

std::string Hodnota(const std::string& text, const std::string& hlavicka) {
    size_t i = text.find("\r\n" + hlavicka + ": ");
    if (i == std::string::npos) return {};
    i += hlavicka.size() + 4;
    return text.substr(i, text.find("\r\n", i) - i);
}

}  // namespace

TEST(Base64, KodovaniADekodovaniPodleTabulky) {
    struct Pripad {
        std::string data, text;
    } pripady[] = {
        {"", ""}, {"a", "YQ=="}, {"ab", "YWI="}, {"abc", "YWJj"}, {"abcd", "YWJjZA=="},
        {std::string("\0\xff\x10", 3), "AP8Q"}, {"Username:", "VXNlcm5hbWU6"},
    };
    Base64 b;
    for (const Pripad& p : pripady) {
        b.Zakodovat(p.data.data(), p.data.size());
        EXPECT_EQ(b.Text(), p.text) << p.data;
        b.DekodovatText(p.text.c_str());
        EXPECT_EQ(b.Data(), p.data) << p.text;
    }
    // Line breaks and blanks inside the text are skipped; padding ends it.
    b.DekodovatText("YW Jj\r\nZA\t==\r\n");
    EXPECT_EQ(b.Data(), "abcd");
    b.ZakodovatText(nullptr);
    EXPECT_EQ(b.Text(), "");
    // Long input stays one line.
    std::string dlouhy(1000, 'x');
    b.Zakodovat(dlouhy.data(), dlouhy.size());
    EXPECT_EQ(b.Text().find('\n'), std::string::npos);
    b.DekodovatText(b.Text().c_str());
    EXPECT_EQ(b.Data(), dlouhy);
}

TEST(Mime, VolbaKodovaniPodleObsahu) {
    std::string binarni;
    for (int i = 0; i < 256; ++i) binarni += static_cast<char>(i);
    struct Pripad {
        std::string data;
        int kodovani;
    } pripady[] = {
        {"", KODOVANI_7BIT},
        {"Dobry den.\r\nKratke radky.\r\n", KODOVANI_7BIT},
        {"Dobr\xfd den.\r\n", KODOVANI_8BIT},
        {std::string(77, 'a') + "\r\n", KODOVANI_QUOTED_PRINTABLE},
        {std::string(77, 'a'), KODOVANI_QUOTED_PRINTABLE},
        {std::string(76, 'a') + "\r\nb", KODOVANI_7BIT},
        {binarni, KODOVANI_BASE64},
    };
    for (const Pripad& p : pripady) EXPECT_EQ(ZvolitKodovani(p.data), p.kodovani) << p.data.substr(0, 20);
}

TEST(Mime, ZalamovaniRadkuNa76) {
    std::string radek76(76, 'a'), radek77(77, 'a');
    EXPECT_EQ(ZalomitRadky(radek76), radek76);
    EXPECT_EQ(ZalomitRadky(radek77), radek76 + "\r\na");
    // Cut after the last break character among the first 76.
    std::string slova = std::string(70, 'b') + " ccccc ddddd";
    EXPECT_EQ(ZalomitRadky(slova), std::string(70, 'b') + " \r\nccccc ddddd");
    EXPECT_EQ(ZalomitRadky("a\rb\nc\r\n"), "a\r\nb\r\nc\r\n");

    std::string nazev;
    std::vector<BYTE> bajty = testy::Vzor(200);
    std::string base64 = ZakodovatObsah(KODOVANI_BASE64, std::string(bajty.begin(), bajty.end()), nazev);
    EXPECT_EQ(nazev, "base64");
    EXPECT_EQ(base64.find("\r\n"), 76u);
    EXPECT_EQ(ZakodovatObsah(KODOVANI_7BIT, "Dobr\xfd", nazev), "Dobr?");
    EXPECT_EQ(nazev, "7bit");
}

TEST(Mime, QuotedPrintable) {
    EXPECT_EQ(KodovatQuotedPrintable("a=b\xe8"), "a=3Db=E8");
    EXPECT_EQ(KodovatQuotedPrintable("konec \r\ntab\t"), "konec=20\r\ntab=09");
    // Soft breaks never split an escape.
    std::string dlouhy = std::string(74, 'a') + "\xe8\xe8";
    std::string qp = KodovatQuotedPrintable(dlouhy);
    EXPECT_EQ(qp, std::string(74, 'a') + "=\r\n=E8=E8");
    for (size_t zacatek = 0, konec; zacatek < qp.size(); zacatek = konec + 2) {
        konec = qp.find("\r\n", zacatek);
        if (konec == std::string::npos) konec = qp.size();
        EXPECT_LE(konec - zacatek, 76u);
    }
}

TEST(Mime, PosunZonyADatum) {
    struct Pripad {
        LONG bias;
        int posun;
        const char* text;
    } pripady[] = {{-60, 100, "+0100"}, {-120, 200, "+0200"}, {300, -500, "-0500"}, {-90, 130, "+0130"}, {0, 0, "+0000"}};
    for (const Pripad& p : pripady) {
        EXPECT_EQ(PosunZonyZBiasu(p.bias), p.posun) << p.bias;
        ZpravaEmail zprava;
        zprava.posunZony = p.posun;
        zprava.casVytvoreni = SYSTEMTIME{2026, 3, 0, 5, 14, 7, 9, 0};
        zprava.odesilatel.adresa = L"a@b.cz";
        zprava.casti.push_back({});
        std::string text;
        ASSERT_EQ(zprava.SestavitText(text), S_OK);
        EXPECT_EQ(Hodnota("\r\n" + text, "Date"), std::string("Thu, 5 Mar 2026 14:07:09 ") + p.text);
    }
}

TEST(Mime, StrukturaZpravyPodleCastiAPriloh) {
    testy::DocasnaSlozka slozka;
    const std::wstring soubor = slozka.Cesta() + L"\\a.b.jpg";
    ASSERT_TRUE(testy::ZapsatSoubor(soubor, "\xff\xd8\xff\xe0 obrazek"));
    struct Pripad {
        int casti, prilohy;
        const char* druh;  // null: no multipart
        size_t vnejsich, vnitrnich;
    } pripady[] = {
        {1, 0, nullptr, 0, 0},
        {0, 1, nullptr, 0, 0},
        {2, 0, "alternative", 3, 0},
        {1, 1, "mixed", 3, 0},
        {2, 1, "mixed", 3, 4},
    };
    for (const Pripad& p : pripady) {
        ZpravaEmail zprava;
        zprava.odesilatel = {L"Odesílatel", L"od@example.cz"};
        zprava.prijemce = {L"", L"komu@example.cz"};
        for (int i = 0; i < p.casti; ++i) zprava.casti.push_back({i ? L"text/html" : L"text/plain", L"utf-8", L"", 0, L"Ahoj"});
        for (int i = 0; i < p.prilohy; ++i) zprava.prilohy.push_back({L"", L"", L"", 0, soubor, L"", false});
        std::string text;
        ASSERT_EQ(zprava.SestavitText(text), S_OK);
        std::string typ = Hodnota("\r\n" + text, "Content-Type");
        if (!p.druh) {
            EXPECT_EQ(text.find("boundary"), std::string::npos);
            EXPECT_EQ(text.find("This is a multipart message"), std::string::npos);
            // The part's own lines follow the header block.
            EXPECT_NE(text.find("MIME-Version: 1.0\r\nContent-Type: "), std::string::npos);
            continue;
        }
        EXPECT_EQ(typ, std::string("multipart/") + p.druh + ";");
        size_t b = text.find("boundary=\"") + 10;
        std::string vnejsi = text.substr(b, text.find('"', b) - b);
        EXPECT_EQ(vnejsi.rfind("CSmtpMsgPart123X456_000_", 0), 0u);
        EXPECT_EQ(Pocet(text, "\r\n--" + vnejsi + "\r\n"), p.vnejsich - 1);
        EXPECT_EQ(Pocet(text, "\r\n--" + vnejsi + "--\r\n"), 1u);
        EXPECT_NE(text.find("\r\n\r\nThis is a multipart message in MIME format\r\n"), std::string::npos);
        if (p.vnitrnich) {
            b = text.find("boundary=\"", text.find("multipart/alternative")) + 10;
            std::string vnitrni = text.substr(b, text.find('"', b) - b);
            EXPECT_EQ(vnitrni.rfind("CSmtpMsgPart123X456_001_", 0), 0u);
            EXPECT_EQ(Pocet(text, "\r\n--" + vnitrni + "\r\n"), 2u);
            EXPECT_EQ(Pocet(text, "\r\n--" + vnitrni + "--\r\n"), 1u);
        }
    }
}

TEST(Mime, HlavickyATypPrilohy) {
    ZpravaEmail zprava;
    zprava.odesilatel = {L"Jan \"Honza\" Novák", L"jan@example.cz"};
    zprava.prijemce = {L"Petr", L"petr@example.cz"};
    zprava.dalsiPrijemci.push_back({L"", L"dalsi@example.cz"});
    zprava.skrytiPrijemci.push_back({L"Skrytý", L"skryty@example.cz"});
    zprava.predmet = L"Opis obrazovky – ěščřžýáíé";
    zprava.idZpravy = L"123@kolvex";
    zprava.casti.push_back({});
    std::string text;
    ASSERT_EQ(zprava.SestavitText(text), S_OK);
    for (unsigned char z : text.substr(0, text.find("\r\n\r\n"))) EXPECT_LT(z, 0x80) << "8-bit byte in the headers";
    EXPECT_EQ(text.find("skryty@"), std::string::npos);
    EXPECT_EQ(Hodnota("\r\n" + text, "To"), "\"Petr\" <petr@example.cz>,");
    EXPECT_NE(text.find("\r\n\t<dalsi@example.cz>\r\n"), std::string::npos);
    EXPECT_EQ(Hodnota("\r\n" + text, "Subject").rfind("=?UTF-8?B?", 0), 0u);
    EXPECT_EQ(Hodnota("\r\n" + text, "Message-ID"), "<123@kolvex>");
    // Header order of a new message.
    const char* poradi[] = {"From:", "To:", "Subject:", "Date:", "Importance:", "X-Mailer:", "X-MSMail-Priority:",
                            "X-Priority:", "Message-ID:", "MIME-Version:", "Content-Type:"};
    size_t predchozi = 0;
    for (const char* h : poradi) {
        size_t i = text.find(h);
        ASSERT_NE(i, std::string::npos) << h;
        EXPECT_GE(i, predchozi) << h;
        predchozi = i;
    }

    EXPECT_EQ(TypObsahuSouboru(L"a.b.jpg"), L"image/jpeg");  // the last extension counts
    EXPECT_EQ(TypObsahuSouboru(L"archiv.neznamy"), L"application/octet-stream");
    EXPECT_EQ(TypObsahuSouboru(L"bez_pripony"), L"application/octet-stream");
}

TEST(Mime, ZnakovaSadaOdpovidaBajtum) {
    const std::wstring cesky = L"Příliš žluťoučký kůň";
    struct Pripad {
        const wchar_t* zadana;
        const wchar_t* odeslana;
        UINT kodovaStranka;
    } pripady[] = {
        {L"utf-8", L"utf-8", CP_UTF8},
        {L"windows-1250", L"windows-1250", 1250},
        {L"iso-8859-1", L"utf-8", CP_UTF8},  // cannot carry Czech letters
        {L"x-neznama", L"utf-8", CP_UTF8},
    };
    for (const Pripad& p : pripady) {
        std::wstring sada = p.zadana;
        std::string bajty = PrevestDoZnakoveSady(cesky, sada);
        EXPECT_EQ(sada, p.odeslana);
        EXPECT_EQ(knihovna::NaSiroky(bajty, p.kodovaStranka), cesky);
    }
    std::wstring sada = L"iso-8859-1";
    EXPECT_EQ(PrevestDoZnakoveSady(L"Grüße", sada), "Gr\xfc\xdf" "e");
    EXPECT_EQ(sada, L"iso-8859-1");
}

TEST(Mime, ChybejiciPrilohaZpravuZastavi) {
    ZpravaEmail zprava;
    zprava.odesilatel.adresa = L"a@b.cz";
    zprava.casti.push_back({});
    zprava.prilohy.push_back({L"", L"", L"", 0, L"C:\\neexistuje\\obrazek.jpg", L"", false});
    std::string text;
    std::wstring chybna;
    EXPECT_EQ(zprava.SestavitText(text, &chybna), static_cast<HRESULT>(0x80070003));
    EXPECT_EQ(chybna, L"C:\\neexistuje\\obrazek.jpg");
}
