#include <gtest/gtest.h>

#include <thread>

#include <atomic>

#include "core/sit.h"
#include "knihovna/chyba.h"
#include "podpora/pomocnik.h"
#include "unit/servery_testu.h"

using knihovna::Chyba;
using testy::UrlHttp;

namespace {

HRESULT ChybaZ(const std::function<void()>& akce) {
    try {
        akce();
    } catch (const Chyba& chyba) {
        return chyba.Hresult();
    }
    return S_OK;
}

// Short limits so that the stalled and endless responses fail fast.
LimityStahovani KratkeLimity() {
    LimityStahovani limity;
    limity.casovyLimitSpojeni = 3000;
    limity.casovyLimitCteni = 1500;
    limity.casovyLimitCelkem = 8000;
    limity.maximalniVelikost = 1024 * 1024;
    return limity;
}

std::vector<BYTE> BezKoncovychNul(const HttpTextSoubor& soubor) {
    return std::vector<BYTE>(soubor.Data(), soubor.Data() + soubor.Delka() - 2);
}

}  // namespace

TEST(HttpTextSoubor, CteOdpovediVcetneChunkedAKoncovychNul) {
    HttpTextSoubor soubor;
    soubor.limity = KratkeLimity();
    for (size_t n : {1u, 250u, 251u, 30000u}) {
        for (const wchar_t* druh : {L"/bajty/", L"/chunked/"}) {
            soubor.OtevritUrl(UrlHttp(druh + std::to_wstring(n)));
            soubor.NacistData();
            ASSERT_EQ(soubor.Delka(), n + 2) << druh << n;
            EXPECT_EQ(soubor.Data()[n], 0);
            EXPECT_EQ(soubor.Data()[n + 1], 0);
            EXPECT_EQ(BezKoncovychNul(soubor), testy::Vzor(n)) << druh << n;
        }
    }
}

TEST(HttpTextSoubor, TextKonciPrvniNulou) {
    HttpTextSoubor soubor;
    soubor.OtevritUrl(UrlHttp(L"/soubory/snulou.txt"));
    soubor.NacistData();
    std::wstring text;
    soubor.ZiskatText(text);
    EXPECT_EQ(text, L"abc");
}

TEST(HttpTextSoubor, PrazdnaOdpovedNemaData) {
    HttpTextSoubor soubor;
    soubor.OtevritUrl(UrlHttp(L"/bajty/0"));
    soubor.NacistData();
    EXPECT_EQ(soubor.Data(), nullptr);
    EXPECT_EQ(soubor.Delka(), 0u);
    std::wstring text = L"beze změny";
    EXPECT_EQ(ChybaZ([&] { soubor.ZiskatText(text); }), E_HANDLE);
    EXPECT_EQ(text, L"beze změny");
}

TEST(HttpTextSoubor, ChybyOtevreniACteni) {
    HttpTextSoubor soubor;
    soubor.limity = KratkeLimity();
    EXPECT_EQ(ChybaZ([&] { soubor.NacistData(); }), E_HANDLE);
    EXPECT_EQ(ChybaZ([&] { soubor.OtevritUrl(L"toto není adresa"); }), E_INVALIDARG);
    // A status of 400 or more is a failure, not a page of text.
    EXPECT_EQ(ChybaZ([&] { soubor.OtevritUrl(UrlHttp(L"/neexistuje.txt")); }), HresultStavuHttp(404));
    EXPECT_EQ(soubor.Data(), nullptr);
    EXPECT_EQ(static_cast<unsigned>(HresultStavuHttp(404)), 0x80190194u);

    // A connection broken after some pieces fails and keeps nothing half-read.
    soubor.OtevritUrl(UrlHttp(L"/preruseny"));
    EXPECT_NE(ChybaZ([&] { soubor.NacistData(); }), S_OK);
    EXPECT_EQ(soubor.Data(), nullptr);
}

TEST(HttpTextSoubor, ZastavenyANekonecnyServerNezdrzi) {
    struct Pripad {
        const wchar_t* cesta;
        bool chybaPriOtevreni;
    } pripady[] = {{L"/stall-hlavicky", true}, {L"/stall", false}, {L"/nekonecny", false}};
    ULONGLONG celkem = ::GetTickCount64();
    {
        HttpTextSoubor soubor;
        soubor.limity = KratkeLimity();
        for (const Pripad& p : pripady) {
            ULONGLONG zacatek = ::GetTickCount64();
            HRESULT hr = ChybaZ([&] {
                soubor.OtevritUrl(UrlHttp(p.cesta));
                if (p.chybaPriOtevreni) ADD_FAILURE() << "opened " << testy::NaUtf8(p.cesta);
                soubor.NacistData();
            });
            EXPECT_TRUE(FAILED(hr)) << testy::NaUtf8(p.cesta);
            EXPECT_LT(::GetTickCount64() - zacatek, 6000u) << testy::NaUtf8(p.cesta);
            EXPECT_EQ(soubor.Data(), nullptr);
        }
    }
    // Letting go of the aborted requests does not hold the caller either.
    EXPECT_LT(::GetTickCount64() - celkem, 12000u);
}

// Redirects are followed a bounded number of times; a server that redirects in a circle fails
// the download quickly instead of being asked without end.
TEST(HttpTextSoubor, PresmerovaniSeOmezi) {
    HttpTextSoubor soubor;
    soubor.limity = KratkeLimity();
    std::wstring text;
    soubor.OtevritUrl(UrlHttp(L"/presmerovat/10"));
    soubor.NacistData();
    soubor.ZiskatText(text);
    EXPECT_EQ(text, L"cil presmerovani");

    for (const wchar_t* cesta : {L"/presmerovat/11", L"/dokola"}) {
        ULONGLONG zacatek = ::GetTickCount64();
        EXPECT_EQ(ChybaZ([&] { soubor.OtevritUrl(UrlHttp(cesta)); }), knihovna::HresultZKodu(ERROR_HTTP_REDIRECT_FAILED))
            << testy::NaUtf8(cesta);
        EXPECT_LT(::GetTickCount64() - zacatek, 3000u);
    }
    HttpSoubor stahovani;
    stahovani.limity = KratkeLimity();
    EXPECT_EQ(ChybaZ([&] { stahovani.OtevritUrl(UrlHttp(L"/dokola")); }),
              knihovna::HresultZKodu(ERROR_HTTP_REDIRECT_FAILED));
}

// A server that sends a byte now and then (never silent long enough for the read time-out) is
// cut off by the limit of the whole download, also in the middle of a read.
TEST(HttpTextSoubor, KapajiciServerUkonciCelkovyLimit) {
    LimityStahovani limity = KratkeLimity();
    limity.casovyLimitCteni = 20000;
    limity.casovyLimitCelkem = 2000;
    struct {
        const wchar_t* cesta;
    } pripady[] = {{L"/kapky/0.3"}, {L"/kapky/5"}};
    for (const auto& p : pripady) {
        HttpTextSoubor soubor;
        soubor.limity = limity;
        ULONGLONG zacatek = ::GetTickCount64();
        HRESULT hr = ChybaZ([&] {
            soubor.OtevritUrl(UrlHttp(p.cesta));
            soubor.NacistData();
        });
        EXPECT_EQ(hr, knihovna::HresultZKodu(ERROR_INTERNET_TIMEOUT)) << testy::NaUtf8(p.cesta);
        EXPECT_LT(::GetTickCount64() - zacatek, 4500u) << testy::NaUtf8(p.cesta);
        EXPECT_EQ(soubor.Data(), nullptr);
    }
    testy::DocasnaSlozka slozka;
    HttpSoubor stahovani;
    stahovani.limity = limity;
    ULONGLONG zacatek = ::GetTickCount64();
    stahovani.OtevritUrl(UrlHttp(L"/kapky/5"));
    EXPECT_EQ(ChybaZ([&] { stahovani.UlozitDoSouboru(slozka.Cesta() + L"\\kapky.bin"); }),
              knihovna::HresultZKodu(ERROR_INTERNET_TIMEOUT));
    EXPECT_LT(::GetTickCount64() - zacatek, 4500u);
    EXPECT_FALSE(testy::ExistujeSoubor(slozka.Cesta() + L"\\kapky.bin"));
}

TEST(HttpSoubor, UkladaSouborySDelkouIBezNi) {
    testy::DocasnaSlozka slozka;
    HttpSoubor stahovani;
    stahovani.limity = KratkeLimity();
    for (const wchar_t* cesta : {L"/bajty/70000", L"/chunked/70000"}) {
        std::wstring cil = slozka.Cesta() + L"\\obrázek.bin";
        stahovani.OtevritUrl(UrlHttp(cesta));
        stahovani.UlozitDoSouboru(cil);
        std::string obsah;
        ASSERT_TRUE(testy::PrecistSoubor(cil, obsah));
        std::vector<BYTE> ocekavany = testy::Vzor(70000);
        EXPECT_EQ(std::string(ocekavany.begin(), ocekavany.end()), obsah);
        EXPECT_FALSE(testy::ExistujeSoubor(cil + L".stahuje"));
    }
}

TEST(HttpSoubor, PriChybeNechavaPuvodniSouborANicNedopsaneho) {
    testy::DocasnaSlozka slozka;
    HttpSoubor stahovani;
    stahovani.limity = KratkeLimity();
    const std::wstring cil = slozka.Cesta() + L"\\obrazek.bin";
    const std::wstring novy = slozka.Cesta() + L"\\novy.bin";
    ASSERT_TRUE(testy::ZapsatSoubor(cil, "puvodni"));

    EXPECT_EQ(ChybaZ([&] { stahovani.OtevritUrl(UrlHttp(L"/neni.jpg")); }), HresultStavuHttp(404));
    EXPECT_EQ(ChybaZ([&] { stahovani.UlozitDoSouboru(novy); }), E_HANDLE);
    EXPECT_EQ(ChybaZ([&] { stahovani.OtevritUrl(L"::nic::"); }), E_HANDLE);

    for (const wchar_t* cesta : {L"/preruseny", L"/stall", L"/nekonecny"}) {
        stahovani.OtevritUrl(UrlHttp(cesta));
        EXPECT_TRUE(FAILED(ChybaZ([&] { stahovani.UlozitDoSouboru(cil); }))) << testy::NaUtf8(cesta);
        std::string obsah;
        ASSERT_TRUE(testy::PrecistSoubor(cil, obsah));
        EXPECT_EQ(obsah, "puvodni") << testy::NaUtf8(cesta);
        EXPECT_FALSE(testy::ExistujeSoubor(cil + L".stahuje"));

        stahovani.OtevritUrl(UrlHttp(cesta));
        EXPECT_TRUE(FAILED(ChybaZ([&] { stahovani.UlozitDoSouboru(novy); })));
        EXPECT_FALSE(testy::ExistujeSoubor(novy)) << testy::NaUtf8(cesta);
    }
}

TEST(ZjistitVerziProgramu, VerzeProduktuZBlokuVerze) {
    WORD a = 0, b = 0, c = 0, d = 0;
    ZjistitVerziProgramu(a, b, c, d);
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 0);
    EXPECT_EQ(c, 1);
    EXPECT_EQ(d, 2);
}

// A stalled download (an abandoned pass still holding its temporary file) and a new pass into the
// same file: the new pass neither collides with the old one's temporary file nor loses its
// result when the old one gives up.
TEST(HttpSoubor, NovyPrubehNekolidujeSeZaseknutymStazenim) {
    testy::DocasnaSlozka slozka;
    const std::wstring cil = slozka.Cesta() + L"\\model.png";
    std::atomic<HRESULT> vysledekStareho{S_OK};
    HANDLE zacal = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread stary([&] {
        HttpSoubor stahovani;
        stahovani.limity = KratkeLimity();
        stahovani.limity.casovyLimitCteni = 4000;
        stahovani.limity.casovyLimitCelkem = 6000;
        stahovani.OtevritUrl(UrlHttp(L"/stall"));  // ten bytes, then nothing
        ::SetEvent(zacal);
        vysledekStareho = ChybaZ([&] { stahovani.UlozitDoSouboru(cil); });
    });
    ASSERT_EQ(::WaitForSingleObject(zacal, 10000), WAIT_OBJECT_0);
    // the stalled pass has its temporary file open by now
    ASSERT_TRUE(testy::CekatNa([&] {
        WIN32_FIND_DATAW data;
        HANDLE h = ::FindFirstFileW((cil + L"*").c_str(), &data);
        if (h == INVALID_HANDLE_VALUE) return false;
        ::FindClose(h);
        return true;
    }));
    HttpSoubor novy;
    novy.limity = KratkeLimity();
    novy.OtevritUrl(UrlHttp(L"/bajty/70000"));
    EXPECT_EQ(ChybaZ([&] { novy.UlozitDoSouboru(cil); }), S_OK) << "the new pass collided with the stalled one";
    stary.join();
    ::CloseHandle(zacal);
    EXPECT_TRUE(FAILED(vysledekStareho.load()));
    std::string obsah;
    ASSERT_TRUE(testy::PrecistSoubor(cil, obsah)) << "the stalled pass removed the new picture";
    const std::vector<BYTE> ocekavany = testy::Vzor(70000);
    EXPECT_EQ(std::string(ocekavany.begin(), ocekavany.end()), obsah);
    WIN32_FIND_DATAW data;
    HANDLE zbytek = ::FindFirstFileW((cil + L"*.stahuje").c_str(), &data);
    EXPECT_EQ(zbytek, INVALID_HANDLE_VALUE) << "a temporary file was left behind";
    if (zbytek != INVALID_HANDLE_VALUE) ::FindClose(zbytek);
}
