// The connections of abandoned downloads: a download given up (too large, cut short, timed
// out) leaves no connection behind that the next download to the same server would reuse, and
// a dripping server is dropped when the time is up.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "core/sit.h"
#include "knihovna/chyba.h"
#include "podpora/pomocnik.h"
#include "unit/servery_testu.h"

using knihovna::Chyba;
using knihovna::HresultZKodu;
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

std::wstring NovyToken(const wchar_t* nazev) {
    return nazev + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(::GetTickCount64());
}

// What the server saw for a token: requests counted, seconds since it found a drip dropped (-1: not).
struct Sledovani {
    int pozadavky = -1;
    double odpojeno = -1;
};

Sledovani PrecistSledovani(const std::wstring& token) {
    HttpTextSoubor dotaz;
    dotaz.OtevritUrl(UrlHttp(L"/sledovani/" + token));
    dotaz.NacistData();
    std::wstring text;
    dotaz.ZiskatText(text);
    Sledovani s;
    swscanf(text.c_str(), L"%d %lf", &s.pozadavky, &s.odpojeno);
    return s;
}

LimityStahovani Limity() {
    LimityStahovani limity;
    limity.casovyLimitSpojeni = 3000;
    limity.casovyLimitCteni = 3000;
    limity.casovyLimitCelkem = 4000;
    limity.maximalniVelikost = 50000;
    return limity;
}

}  // namespace

// A download given up leaves the server's connection unusable; the next download to that server,
// in memory or to a file, must open a new one and reach the server, not fail at once as "cannot
// connect" on the dropped one.
TEST(SpojeniStahovani, PoOpustenemStahovaniDalsiDojdeNaServer) {
    struct Pripad {
        const char* popis;
        ULONGLONG maximalniVelikost;
        HRESULT chyba;
    } pripady[] = {
        // the server declares 1 MB and sends 100 kB of it, then keeps the connection silent
        {"declared too large", 50000, HresultZKodu(ERROR_FILE_TOO_LARGE)},
        {"time-out in the body", 2000000, HresultZKodu(ERROR_INTERNET_TIMEOUT)},
    };
    for (const Pripad& p : pripady) {
        for (bool doSouboru : {false, true}) {
            SCOPED_TRACE(std::string(p.popis) + (doSouboru ? ", to a file" : ", in memory"));
            const std::wstring token = NovyToken(L"opusteny");
            LimityStahovani limity = Limity();
            limity.maximalniVelikost = p.maximalniVelikost;
            testy::DocasnaSlozka slozka;
            const std::wstring cil = slozka.Cesta() + L"\\stazeno.bin";
            auto stahnout = [&](const std::wstring& url) {
                if (doSouboru) {
                    HttpSoubor s;
                    s.limity = limity;
                    s.OtevritUrl(url);
                    s.UlozitDoSouboru(cil);
                } else {
                    HttpTextSoubor s;
                    s.limity = limity;
                    s.OtevritUrl(url);
                    s.NacistData();
                }
            };
            EXPECT_EQ(ChybaZ([&] { stahnout(UrlHttp(L"/sledovany/" + token + L"/1000000")); }), p.chyba);
            EXPECT_EQ(ChybaZ([&] { stahnout(UrlHttp(L"/sledovany/" + token + L"/1000")); }), S_OK);
            EXPECT_EQ(PrecistSledovani(token).pozadavky, 2);
        }
    }
}

// A server that drips its headers is dropped when the download's time is up: its socket is
// closed within a few seconds, not kept for as long as the server goes on dripping.
TEST(SpojeniStahovani, KapajiciHlavickyPoLimituUzavrouSpojeni) {
    for (bool doSouboru : {false, true}) {
        SCOPED_TRACE(doSouboru ? "to a file" : "in memory");
        const std::wstring token = NovyToken(L"kapky");
        LimityStahovani limity = Limity();
        limity.casovyLimitCteni = 20000;
        limity.casovyLimitCelkem = 1500;
        const std::wstring url = UrlHttp(L"/kapky-hlavicky/0.2/" + token);
        HRESULT hr;
        if (doSouboru) {
            HttpSoubor s;
            s.limity = limity;
            hr = ChybaZ([&] { s.OtevritUrl(url); });
        } else {
            HttpTextSoubor s;
            s.limity = limity;
            hr = ChybaZ([&] { s.OtevritUrl(url); });
        }
        EXPECT_EQ(hr, HresultZKodu(ERROR_INTERNET_TIMEOUT));
        Sledovani s;
        EXPECT_TRUE(testy::CekatNa([&] {
            s = PrecistSledovani(token);
            return s.odpojeno >= 0;
        }, 5000)) << "the dripping server still has its connection";
    }
}
