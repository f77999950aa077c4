// The weather tools' data without windows: model addresses and cache names, the status text of a
// forecast step, the forecast text cut out of the page, the tray-click table, the interval label.
#include <gtest/gtest.h>

#include "core/konfiguracenastroju.h"
#include "internet/pocasidata.h"
#include "internet/pocasipredpoved.h"
#include "podpora/pomocnik.h"

namespace {

SYSTEMTIME Den(WORD rok, WORD mesic, WORD den) {
    SYSTEMTIME t{};
    t.wYear = rok;
    t.wMonth = mesic;
    t.wDay = den;
    t.wHour = 15;
    t.wMinute = 47;
    return t;
}

}  // namespace

TEST(PocasiData, AdresyASouboryModelu) {
    const std::wstring zaklad = ZakladAladinu(L"server.cz");
    EXPECT_EQ(zaklad, L"http://server.cz/meteo/ov/aladin/results/public/mapy/data");
    const SYSTEMTIME den = Den(2026, 12, 8);
    const struct {
        UINT prikaz;
        int hodina, krok;
        const wchar_t* adresa;
        const wchar_t* soubor;
    } pripady[] = {
        {40204, 12, 18, L"/2026120812/nebul_public_18.png", L"C:\\A\\oblacnost_18.png"},
        {40203, 0, 0, L"/2026120800/T2m_public_00.png", L"C:\\A\\teplota_00.png"},
        {40203, 0, 54, L"/2026120800/T2m_public_54.png", L"C:\\A\\teplota_54.png"},
        {40205, 12, 6, L"/2026120812/prec_public_06.png", L"C:\\A\\srazky_06.png"},
        {40206, 0, 42, L"/2026120800/v10m_public_42.png", L"C:\\A\\vitr_42.png"},
    };
    for (const auto& p : pripady) {
        const DruhModelu* druh = NajitDruhModelu(p.prikaz);
        ASSERT_NE(druh, nullptr);
        EXPECT_EQ(AdresaObrazku(zaklad, *druh, den, p.hodina, p.krok), zaklad + p.adresa);
        EXPECT_EQ(SouborObrazku(L"C:\\A", *druh, p.krok), p.soubor);
    }
    EXPECT_EQ(NajitDruhModelu(40207), nullptr);
    EXPECT_EQ(KrokyDruhu(*NajitDruhModelu(40205)), (std::vector<int>{6, 12, 18, 24, 30, 36, 42, 48, 54}));
    EXPECT_EQ(KrokyDruhu(*NajitDruhModelu(40203)).size(), 10u);
    // the all-models view: cloudiness, precipitation, temperature, wind
    EXPECT_EQ(DruhVsechModelu(0)->prikaz, 40204u);
    EXPECT_EQ(DruhVsechModelu(1)->prikaz, 40205u);
    EXPECT_EQ(DruhVsechModelu(2)->prikaz, 40203u);
    EXPECT_EQ(DruhVsechModelu(3)->prikaz, 40206u);
    EXPECT_EQ(DruhVsechModelu(4), nullptr);
}

TEST(PocasiData, ServeryMajiVychoziHostAPrepisZRegistru) {
    size_t pocet = 0;
    const ZaznamServeru* tabulka = TabulkaServeru(pocet);
    ASSERT_EQ(pocet, 3u);
    const std::wstring klic = L"Software\\Brenvald\\Kolvex\\5.0\\Pocasi";
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, klic.c_str(), tabulka[0].hodnota);
    EXPECT_EQ(HostServeru(ServerPocasi::Chmu), tabulka[0].vychozi);
    const wchar_t* host = L"127.0.0.1:1234/pocasi";
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, klic.c_str(), tabulka[0].hodnota, REG_SZ, host,
                                static_cast<DWORD>((wcslen(host) + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    EXPECT_EQ(HostServeru(ServerPocasi::Chmu), host);
    EXPECT_EQ(HostServeru(ServerPocasi::Meteopress), tabulka[2].vychozi);
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, klic.c_str(), tabulka[0].hodnota);
    EXPECT_EQ(AdresaSnimkuDruzice(2, L"a", L"b"), L"http://b/pictures/mapy/satelit.jpg");
    EXPECT_EQ(AdresaSnimkuDruzice(1, L"a", L"b"), L"http://a/meteo/sat/msg/aktual/latest.jpg");
    EXPECT_EQ(AdresaSnimkuDruzice(7, L"a", L"b"), L"http://a/meteo/sat/msg/aktual/latest.jpg");
    EXPECT_EQ(AdresaPredpovedi(L"a"), L"http://a/meteo/om/inform/ppcr1.html");
}

TEST(PocasiData, TextStavuObrazku) {
    const SYSTEMTIME utery = Den(2026, 12, 8), silvestr = Den(2027, 12, 31);
    const struct {
        SYSTEMTIME den;
        int hodina;
        bool srazky;
        int index, posun;
        const wchar_t* zona;
        const wchar_t* ocekavano;
    } pripady[] = {
        {utery, 12, false, 1, 0, L"světový čas", L"Úterý  8.12.2026 - 18 hod. - světový čas"},
        {utery, 12, false, 0, 1, L"Středoevropský čas", L"Úterý  8.12.2026 - 13 hod. - Středoevropský čas"},
        {utery, 0, true, 0, 0, L"světový čas", L"Úterý  8.12.2026 - 6 hod. - světový čas"},
        {utery, 12, false, 2, 1, L"SEČ", L"Středa  9.12.2026 - 1 hod. - SEČ"},            // carried into the next day
        {utery, 0, false, 0, -2, L"X", L"Pondělí  7.12.2026 - 22 hod. - X"},               // and into the previous one
        {utery, 12, true, 8, 0, L"X", L"Čtvrtek  10.12.2026 - 18 hod. - X"},             // 12 + 6 + 48 hours
        {silvestr, 12, false, 4, 0, L"X", L"Sobota  1.1.2028 - 12 hod. - X"},
    };
    for (const auto& p : pripady) {
        EXPECT_EQ(TextObrazkuAladin(p.den, p.hodina, p.srazky, p.index, p.posun, p.zona), p.ocekavano);
    }
}

TEST(PocasiData, RozdilMistnihoCasuVHodinach) {
    SYSTEMTIME svetovy = Den(2026, 12, 8), mistni = svetovy;
    mistni.wHour = 16;  // one hour ahead
    svetovy.wHour = 15;
    EXPECT_EQ(RozdilMistnihoCasu(mistni, svetovy), 1);
    mistni.wHour = 13;
    EXPECT_EQ(RozdilMistnihoCasu(mistni, svetovy), -2);
    mistni = svetovy;
    mistni.wDay = 9;  // a whole day ahead counts as 0
    EXPECT_EQ(RozdilMistnihoCasu(mistni, svetovy), 0);
}

TEST(PocasiData, VyjmutiPredpovedi) {
    const struct {
        const wchar_t* stranka;
        bool nalezeno;
        const wchar_t* text;
    } pripady[] = {
        {L"<html><PRE>\r\n\r\nPolojasno.\r\nZítra déšť.</PRE></html>", true, L"Polojasno.\r\nZítra déšť.\r\n"},
        {L"<PRE>\n\nText</PRE>", true, L"Text\r\n"},
        {L"a<PRE><b>&amp;x</b></PRE><PRE>druhý</PRE>", true, L"<b>&amp;x</b>\r\n"},  // tags and entities as sent
        {L"<pre>text</pre>", false, L""},   // markers only in lower case: a failure
        {L"<PRE>bez konce", false, L""},
        {L"bez začátku</PRE>", false, L""},
        {L"</PRE> mezi <PRE>", true, L"\r\n"},  // the end marker first: an empty text
        {L"<PRE></PRE>", true, L"\r\n"},
        {L"<PRE>\r\n\r\n</PRE>", true, L"\r\n"},
    };
    for (const auto& p : pripady) {
        std::wstring text = L"puvodni";
        EXPECT_EQ(VyjmoutPredpoved(p.stranka, text), p.nalezeno) << p.stranka;
        if (p.nalezeno) {
            EXPECT_EQ(text, p.text) << p.stranka;
        }
    }
}

TEST(PocasiData, UlozenyTextPredpovediJeUtf16BezBom) {
    testy::DocasnaSlozka slozka;
    const std::wstring soubor = slozka.Cesta() + L"\\predpoved.txt";
    ZapsatTextPredpovedi(soubor, L"a\u010D\n");
    EXPECT_EQ(testy::PrecistBajty(soubor), (std::vector<BYTE>{'a', 0, 0x0D, 0x01, '\n', 0}));
    ZapsatTextPredpovedi(soubor, L"xy");  // replaced without asking
    EXPECT_EQ(testy::PrecistBajty(soubor), (std::vector<BYTE>{'x', 0, 'y', 0}));
}

TEST(PocasiData, TabulkaKliknutiNaIkonu) {
    KonfiguracePocasi n;  // defaults: left 0, Ctrl 2, Shift 1, Ctrl+Shift 3, middle 0
    n.NastavitVychozi();
    const struct {
        UINT zprava;
        bool ctrl, shift;
        UINT prikaz;
    } vychozi[] = {
        {WM_LBUTTONUP, false, false, PRIKAZ_NABIDKA_POCASI},
        {WM_LBUTTONUP, true, false, 40218},
        {WM_LBUTTONUP, false, true, 40219},
        {WM_LBUTTONUP, true, true, 40220},
        {WM_MBUTTONUP, false, false, PRIKAZ_NABIDKA_POCASI},
        {WM_RBUTTONUP, true, true, PRIKAZ_NABIDKA_POCASI},
        {WM_LBUTTONDOWN, false, false, 0},
        {WM_MOUSEMOVE, false, false, 0},
    };
    for (const auto& p : vychozi)
        EXPECT_EQ(PrikazKliknutiPocasi(n, p.zprava, p.ctrl, p.shift), p.prikaz) << p.zprava << p.ctrl << p.shift;
    n.ikonaLeve = 7;  // a damaged stored action shows the menu
    n.ikonaStredni = 3;
    EXPECT_EQ(PrikazKliknutiPocasi(n, WM_LBUTTONUP, false, false), PRIKAZ_NABIDKA_POCASI);
    EXPECT_EQ(PrikazKliknutiPocasi(n, WM_MBUTTONUP, false, false), 40220u);
}

TEST(PocasiData, PopisekIntervaluAnimace) {
    EXPECT_EQ(TextIntervaluAnimace(20), L"--> 2 sekund");
    EXPECT_EQ(TextIntervaluAnimace(15), L"--> 1.5 sekund");
    EXPECT_EQ(TextIntervaluAnimace(1), L"--> 0.1 sekund");
    EXPECT_EQ(TextIntervaluAnimace(36000), L"--> 3600 sekund");
}
