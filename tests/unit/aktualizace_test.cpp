#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/aktualizace.h"
#include "core/aplikace.h"
#include "core/sit.h"
#include "knihovna/modul.h"
#include "knihovna/text.h"
#include "podpora/pomocnik.h"
#include "unit/servery_testu.h"

namespace {

// Points the update host at a case folder of the loopback HTTP server.
class HostAktualizaci {
public:
    explicit HostAktualizaci(const std::wstring& pripad) : m_puvodni(knihovna::serverAktualizaci) {
        knihovna::serverAktualizaci = L"127.0.0.1:" + std::to_wstring(testy::PORT_HTTP) + L"/" + pripad;
        if (!aplikace.relaceInternetu)
            aplikace.relaceInternetu = ::InternetOpenW(L"QKolvex5", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    }
    ~HostAktualizaci() { knihovna::serverAktualizaci = m_puvodni; }
    const std::wstring& Host() const { return knihovna::serverAktualizaci; }

private:
    std::wstring m_puvodni;
};

}  // namespace

TEST(Aktualizace, VysledekPodleZverejneneVerze) {
    struct Pripad {
        const wchar_t* slozka;
        UINT ikona;              // 0: the failure box
        const wchar_t* zverejnena;
    } pripady[] = {
        {L"stejna", MB_ICONINFORMATION, L"5.0.1.2"},      // exactly the own version, no line end
        {L"radek", MB_ICONINFORMATION, L"5.0.1.2"},       // white space and line end around it
        {L"velka", MB_ICONINFORMATION, L"5.0.1.2"},       // prefix in capitals
        {L"jina", MB_ICONWARNING, L"5.0.1.23"},           // longer version that begins with the own one
        {L"nesmysl", 0, nullptr},                          // an HTML page instead of the file
        {L"kratka", 0, nullptr},                           // the prefix without a version
        {L"neexistuje", 0, nullptr},                       // 404
    };
    for (const Pripad& p : pripady) {
        HostAktualizaci host(p.slozka);
        testy::ZachytavacZprav zpravy;
        ProvestKontroluAktualizaci();
        ASSERT_EQ(zpravy.zpravy.size(), 1u) << testy::NaUtf8(p.slozka);
        const testy::ZaznamZpravy& z = zpravy.zpravy[0];
        if (p.ikona) {
            EXPECT_EQ(z.priznaky & MB_ICONMASK, p.ikona) << testy::NaUtf8(p.slozka);
            EXPECT_EQ(z.text, knihovna::Formatovat(L"Vaše verze:\n5.0.1.2\n\nAktuální verze na %s:\n%s",
                                                   host.Host().c_str(), p.zverejnena));
        } else {
            EXPECT_EQ(z.priznaky & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR)) << testy::NaUtf8(p.slozka);
            EXPECT_EQ(z.text.rfind(L"Nepodařilo se načíst na webu informace o nové verzi.\nChyba: ", 0), 0u)
                << testy::NaUtf8(z.text);
        }
        EXPECT_NE(z.priznaky & MB_TASKMODAL, 0u);
    }
}

TEST(Aktualizace, PublikovanaVerzeZTextu) {
    struct Pripad {
        const wchar_t* text;
        const wchar_t* verze;  // null: not an update file
    } pripady[] = {
        {L"posledniVerze5.0.1.2", L"5.0.1.2"},
        {L"posledniverze5.0.1.2\r\n", L"5.0.1.2"},
        {L"posledniVerze 5.0.1.23 \n", L"5.0.1.23"},
        {L"posledniVerze\r\n", nullptr},
        {L"posledni", nullptr},
        {L"<html>posledniVerze5.0.1.2</html>", nullptr},
    };
    for (const Pripad& p : pripady) {
        std::wstring verze;
        EXPECT_EQ(PrecistPublikovanouVerzi(p.text, verze), p.verze != nullptr) << testy::NaUtf8(p.text);
        if (p.verze) {
            EXPECT_EQ(verze, p.verze);
        }
    }
}

// A published "version" of megabytes or a long line is not shown: the file is capped while it
// is read, the version text too.
TEST(Aktualizace, VelkySouborVerzeSeNecte) {
    struct {
        const wchar_t* slozka;
        HRESULT chyba;
    } pripady[] = {
        {L"velka-verze", knihovna::HresultZKodu(ERROR_FILE_TOO_LARGE)},
        {L"dlouha-verze", knihovna::HresultZKodu(ERROR_INVALID_DATA)},
    };
    for (const auto& p : pripady) {
        HostAktualizaci host(p.slozka);
        ULONGLONG zacatek = ::GetTickCount64();
        VysledekAktualizace v = StahnoutPublikovanouVerzi(aplikace.relaceInternetu, host.Host(), nullptr);
        EXPECT_EQ(v.chyba, p.chyba) << testy::NaUtf8(p.slozka);
        EXPECT_TRUE(v.publikovana.size() <= MAX_DELKA_VERZE);
        EXPECT_LT(::GetTickCount64() - zacatek, 3000u);
        testy::ZachytavacZprav zpravy;
        ZobrazitVysledekAktualizace(v);
        ASSERT_EQ(zpravy.zpravy.size(), 1u);
        EXPECT_LT(zpravy.zpravy[0].text.size(), 400u);
    }
    std::wstring verze;
    EXPECT_FALSE(PrecistPublikovanouVerzi(L"posledniVerze" + std::wstring(MAX_DELKA_VERZE + 1, L'5'), verze));
    EXPECT_TRUE(PrecistPublikovanouVerzi(L"posledniVerze" + std::wstring(MAX_DELKA_VERZE, L'5'), verze));
}

namespace {
// A window that only records what the check posts to it.
struct OknoVysledku {
    static LRESULT CALLBACK Procedura(HWND h, UINT msg, WPARAM w, LPARAM l) {
        if (msg == ZpravaVysledekAktualizace) {
            std::unique_ptr<VysledekAktualizace> v(reinterpret_cast<VysledekAktualizace*>(l));
            auto* cil = reinterpret_cast<std::vector<VysledekAktualizace>*>(::GetWindowLongPtrW(h, GWLP_USERDATA));
            if (v && cil) cil->push_back(*v);
            return 0;
        }
        return ::DefWindowProcW(h, msg, w, l);
    }
    OknoVysledku() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Procedura;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QTestVysledekAktualizace";
        ::RegisterClassW(&wc);
        okno = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        ::SetWindowLongPtrW(okno, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&vysledky));
    }
    ~OknoVysledku() { ::DestroyWindow(okno); }
    bool Cekat(DWORD ms) {
        return testy::CekatNa([&] {
            MSG msg;
            while (::PeekMessageW(&msg, okno, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
            return !vysledky.empty();
        }, ms);
    }
    HWND okno = nullptr;
    std::vector<VysledekAktualizace> vysledky;
};
}  // namespace

// The worker posts its result to the window and touches nothing else; shutdown cancels a check
// that hangs on a slow server and waits for it a bounded time.
TEST(Aktualizace, VlaknoPosilaVysledekAZastaviSe) {
    OknoVysledku okno;
    {
        HostAktualizaci host(L"stejna");
        testy::ZachytavacZprav zpravy;
        ZkontrolovatAktualizace(okno.okno);
        ASSERT_TRUE(okno.Cekat(5000));
        EXPECT_TRUE(zpravy.zpravy.empty()) << "the worker shows nothing itself";
        EXPECT_EQ(okno.vysledky[0].chyba, S_OK);
        EXPECT_EQ(okno.vysledky[0].publikovana, L"5.0.1.2");
        EXPECT_TRUE(ZastavitKontroluAktualizaci(1000));
    }
    okno.vysledky.clear();
    {
        HostAktualizaci host(L"kapajici-verze");
        ZkontrolovatAktualizace(okno.okno);
        ZkontrolovatAktualizace(okno.okno);  // ignored while one runs
        ::Sleep(300);
        ULONGLONG zacatek = ::GetTickCount64();
        EXPECT_TRUE(ZastavitKontroluAktualizaci(3000));
        EXPECT_LT(::GetTickCount64() - zacatek, 2500u);
        ASSERT_TRUE(okno.Cekat(1000));
        EXPECT_EQ(okno.vysledky.size(), 1u);
        EXPECT_EQ(okno.vysledky[0].chyba, E_ABORT);
        testy::ZachytavacZprav zpravy;
        ZobrazitVysledekAktualizace(okno.vysledky[0]);
        EXPECT_TRUE(zpravy.zpravy.empty()) << "a cancelled check says nothing";
    }
}

// A server that drips its headers or its body, or says nothing, ends the check within the
// limit of the whole download, with a Czech text that says so; a stop cancels a check that is
// still waiting for the headers.
TEST(Aktualizace, KapajiciATichyServerUkonciKontroluVcas) {
    const LimityStahovani puvodni = vychoziLimityStahovani;
    vychoziLimityStahovani.casovyLimitCteni = 1500;
    vychoziLimityStahovani.casovyLimitCelkem = 2000;
    for (const wchar_t* pripad : {L"kapky-hlavicky", L"kapky", L"stall-hlavicky", L"velka-verze"}) {
        SCOPED_TRACE(testy::NaUtf8(pripad));
        HostAktualizaci host(pripad);
        ULONGLONG zacatek = ::GetTickCount64();
        VysledekAktualizace v = StahnoutPublikovanouVerzi(aplikace.relaceInternetu, host.Host(), nullptr);
        EXPECT_TRUE(FAILED(v.chyba));
        EXPECT_LT(::GetTickCount64() - zacatek, 4000u);
        testy::ZachytavacZprav zpravy;
        ZobrazitVysledekAktualizace(v);
        ASSERT_EQ(zpravy.zpravy.size(), 1u);
        EXPECT_EQ(zpravy.zpravy[0].text.find(L"Neznámá chyba"), std::wstring::npos) << zpravy;
        EXPECT_EQ(zpravy.zpravy[0].text.find(L"Chybný parametr"), std::wstring::npos) << zpravy;
    }
    vychoziLimityStahovani = puvodni;

    OknoVysledku okno;
    HostAktualizaci host(L"kapky-hlavicky");
    ZkontrolovatAktualizace(okno.okno);
    ::Sleep(300);
    ULONGLONG zacatek = ::GetTickCount64();
    EXPECT_TRUE(ZastavitKontroluAktualizaci(3000)) << "the stop did not reach a check waiting for headers";
    EXPECT_LT(::GetTickCount64() - zacatek, 2500u);
    ASSERT_TRUE(okno.Cekat(1000));
    EXPECT_EQ(okno.vysledky[0].chyba, E_ABORT);
}
