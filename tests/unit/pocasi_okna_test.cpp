// The weather windows in the test process against the loopback server: the forecast-model window
// with its picture series, the satellite window with a picture and with a page that is no picture,
// the forecast-text window, the module's start-up order and tray clicks, the settings pages.
#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/ikonatray.h"
#include "core/konfiguracenastroju.h"
#include "core/sit.h"
#include "internet/pocasialadin.h"
#include "internet/pocasidruzice.h"
#include "internet/pocasimodul.h"
#include "internet/pocasipredpoved.h"
#include "internet/pocasistranky.h"
#include "podpora/obrazky.h"
#include "unit/hlavni_ikona_testu.h"
#include "podpora/pomocnik.h"
#include "podpora/snimek.h"
#include "unit/servery_testu.h"
#include "unit/zkusebni_prvky.h"

using testy::SouboryVeSlozce;

namespace {

const wchar_t* const KLIC_POCASI = L"Software\\Brenvald\\Kolvex\\5.0\\Pocasi";

void NastavitServer(const wchar_t* hodnota, const std::wstring& cesta) {
    std::wstring host = L"127.0.0.1:" + std::to_wstring(testy::PORT_HTTP) + cesta;
    ::RegSetKeyValueW(HKEY_CURRENT_USER, KLIC_POCASI, hodnota, REG_SZ, host.c_str(),
                      static_cast<DWORD>((host.size() + 1) * sizeof(wchar_t)));
}

void WINAPI DatumBehu(LPSYSTEMTIME cas) {
    *cas = SYSTEMTIME{};
    cas->wYear = 2026;
    cas->wMonth = 12;
    cas->wDay = 8;
    cas->wDayOfWeek = 2;
    cas->wHour = 15;
}

// Answers the next save dialog with a file name.
void VyplnitDialogUlozeni(HWND dialog, const std::wstring& cesta) {
    HWND jmeno = ::GetDlgItem(dialog, cmb13);
    if (!jmeno) jmeno = ::GetDlgItem(dialog, edt1);
    ::SendMessageW(jmeno, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(cesta.c_str()));
    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

SIZE VelikostKlienta(HWND okno) {
    RECT r{};
    ::GetClientRect(okno, &r);
    return SIZE{r.right, r.bottom};
}

// A request that the loopback server holds for one test (its /zdrzet paths): the first request
// under the test's token is held until Pustit.
class ZdrzeniServeru {
public:
    ZdrzeniServeru()
        : m_token(std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(::GetTickCount64()) + L"-" +
                  std::to_wstring(++pocet)) {}
    ~ZdrzeniServeru() { Pustit(); }
    // Server path for a weather host: kde "hlavicky" (nothing sent) or "telo" (half the body
    // sent); konec "dokoncit" (the rest follows) or "prerusit" (the connection is dropped).
    std::wstring Cesta(const std::wstring& kde, const std::wstring& konec) const {
        return L"/zdrzet/" + m_token + L"/" + kde + L"/" + konec + L"/pocasi";
    }
    int Drzeno() const {
        const std::vector<BYTE> text = Ziskat(L"/zdrzeno/" + m_token);
        return std::atoi(std::string(text.begin(), text.end()).c_str());
    }
    void Pustit() const { Ziskat(L"/pustit/" + m_token); }

    // The body of a server path; empty on failure. Tried again: a kept-alive connection that the
    // server dropped after a held request can fail the first attempt.
    static std::vector<BYTE> Ziskat(const std::wstring& cesta) {
        for (int pokus = 0; pokus < 3; ++pokus) {
            try {
                HttpTextSoubor http;
                http.OtevritUrl(testy::UrlHttp(cesta));
                http.NacistData();
                if (http.Delka() < 2) return {};
                return std::vector<BYTE>(http.Data(), http.Data() + http.Delka() - 2);  // without the two added zeros
            } catch (const knihovna::Chyba&) {
            }
        }
        return {};
    }

private:
    static inline int pocet = 0;
    std::wstring m_token;
};

// Watches the weather downloads: each thread that fetches a file is kept (to wait for its end).
class SledovaniStahovani {
public:
    SledovaniStahovani() : m_puvodni(stahnoutSouborPocasi) {
        aktivni = this;
        stahnoutSouborPocasi = Stahnout;
    }
    ~SledovaniStahovani() {
        stahnoutSouborPocasi = m_puvodni;
        aktivni = nullptr;
        for (HANDLE h : m_vlakna) ::CloseHandle(h);
    }
    // The n-th thread that fetched (in the order of their first fetch); null when none.
    HANDLE Vlakno(size_t n) {
        std::lock_guard<std::mutex> zamek(m_zamek);
        return n < m_vlakna.size() ? m_vlakna[n] : nullptr;
    }

private:
    static HRESULT Stahnout(const std::wstring& adresa, const std::wstring& soubor, HANDLE zruseni) {
        SledovaniStahovani* s = aktivni;
        {
            std::lock_guard<std::mutex> zamek(s->m_zamek);
            const DWORD id = ::GetCurrentThreadId();
            if (std::find(s->m_id.begin(), s->m_id.end(), id) == s->m_id.end()) {
                s->m_id.push_back(id);
                s->m_vlakna.push_back(::OpenThread(SYNCHRONIZE, FALSE, id));
            }
        }
        return s->m_puvodni(adresa, soubor, zruseni);
    }
    static inline SledovaniStahovani* aktivni = nullptr;
    HRESULT (*m_puvodni)(const std::wstring&, const std::wstring&, HANDLE);
    std::mutex m_zamek;
    std::vector<DWORD> m_id;
    std::vector<HANDLE> m_vlakna;
};

// Handles what is in this thread's queue now (messages posted to its windows).
void VyprazdnitFrontu() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// The check marks of commands in the popup menu that a window opens on WM_CONTEXTMENU: posted to
// the window, read from another thread while the menu is open, then the menu is closed.
struct CteniZaskrtnuti {
    HWND okno;
    std::vector<UINT> prikazy;
    std::vector<bool> zaskrtnuto;
    std::atomic<bool> hotovo{false};
};

DWORD WINAPI PrecistZaskrtnutiAZavrit(void* parametr) {
    auto* cteni = static_cast<CteniZaskrtnuti*>(parametr);
    for (int i = 0; i < 500 && cteni->zaskrtnuto.empty(); ++i) {
        HWND menu = ::FindWindowW(L"#32768", nullptr);
        HMENU h = menu && ::IsWindowVisible(menu) ? reinterpret_cast<HMENU>(::SendMessageW(menu, MN_GETHMENU, 0, 0)) : nullptr;
        if (h) {
            for (UINT id : cteni->prikazy)
                cteni->zaskrtnuto.push_back((::GetMenuState(h, id, MF_BYCOMMAND) & MF_CHECKED) != 0);
        } else {
            ::Sleep(10);
        }
    }
    ::PostMessageW(cteni->okno, WM_CANCELMODE, 0, 0);
    cteni->hotovo = true;
    return 0;
}

std::vector<bool> ZaskrtnutiNabidky(HWND okno, std::vector<UINT> prikazy) {
    CteniZaskrtnuti cteni;
    cteni.okno = okno;
    cteni.prikazy = std::move(prikazy);
    HANDLE vlakno = ::CreateThread(nullptr, 0, PrecistZaskrtnutiAZavrit, &cteni, 0, nullptr);
    ::PostMessageW(okno, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(okno), MAKELPARAM(0xFFFF, 0xFFFF));
    testy::CekatNa([&] { return cteni.hotovo.load(); }, 8000);
    ::WaitForSingleObject(vlakno, 8000);
    ::CloseHandle(vlakno);
    VyprazdnitFrontu();  // the menu's own end
    return cteni.zaskrtnuto;
}

class OknaPocasi : public ::testing::Test {
protected:
    void SetUp() override {
        testy::SpustitGdiPlus();
        puvodni = std::move(nastaveniPocasi);
        nastaveniPocasi = std::make_unique<KonfiguracePocasi>();
        nastaveniPocasi->NastavitVychozi();
        nastaveniPocasi->aladin.slozkaData = slozka.Cesta();
        nastaveniPocasi->druzice.slozkaData = slozka.Cesta();
        nastaveniPocasi->aladin.zobrazMistniCas = false;
        nastaveniPocasi->aladin.pocatek = 12;
        ziskatDatumBehuPocasi = DatumBehu;
        NastavitServer(L"serverChmu", L"/pocasi");
        NastavitServer(L"serverDruziceChmu", L"/pocasi");
        NastavitServer(L"serverMeteopress", L"/pocasi");
    }
    void TearDown() override {
        oknoAladin.reset();
        oknoSnimekDruzice.reset();
        oknoPredpovedText.reset();
        ziskatDatumBehuPocasi = ::GetLocalTime;
        nastaveniPocasi = std::move(puvodni);
        testy::SmazatKlic(KLIC_POCASI);
    }

    testy::DocasnaSlozka slozka;
    std::unique_ptr<KonfiguracePocasi> puvodni;
};

}  // namespace

TEST_F(OknaPocasi, ModelNactePoSpusteniRaduAListuje) {
    nastaveniPocasi->aladin.poziceZnacky = (6u << 16) | 8u;
    oknoAladin = std::make_unique<OknoAladin>();
    OknoAladin& okno = *oknoAladin;
    HWND h = okno.VytvoritOkno();
    EXPECT_FALSE(::IsWindowVisible(h));  // hidden while the first pass runs
    ASSERT_TRUE(testy::CekatNa([&] { return ::IsWindowVisible(h) && okno.obrazky[0] != nullptr; }, 15000));
    EXPECT_EQ(okno.druh, 40204u);
    EXPECT_EQ(okno.rada.size(), 3u);  // the server has no step 18: the series ends there
    EXPECT_EQ(okno.index, 0);
    EXPECT_EQ(okno.textStavu, L"Úterý  8.12.2026 - 12 hod. - světový čas");
    wchar_t stav[128] = L"";
    ::SendMessageW(okno.stavovyRadek, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(stav));
    EXPECT_EQ(std::wstring(stav), okno.textStavu);
    const SIZE pohled = VelikostKlienta(okno.klient->m_hWnd);
    EXPECT_EQ(pohled.cx, 320);  // the window fits one picture
    EXPECT_EQ(pohled.cy, 240);
    EXPECT_EQ(okno.klient->znackaX, 8);
    EXPECT_EQ(okno.klient->znackaY, 6);
    const int poradi[] = {1, 2, 0, 1};  // next wraps to the first step
    for (int ocekavany : poradi) {
        ::SendMessageW(h, WM_COMMAND, 40212, 0);
        EXPECT_EQ(okno.index, ocekavany);
    }
    ::SendMessageW(h, WM_COMMAND, 40213, 0);
    ::SendMessageW(h, WM_COMMAND, 40213, 0);
    EXPECT_EQ(okno.index, 0);  // previous stops at the first step
    EXPECT_EQ(::GetMenuState(::GetMenu(h), 40213, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    // the Right and Left arrow keys are the window's accelerators for next and previous
    MSG klavesa{h, WM_KEYDOWN, VK_RIGHT, 0, 0, {0, 0}};
    EXPECT_NE(::TranslateAcceleratorW(h, okno.Akceleratory(), &klavesa), 0);
    EXPECT_EQ(okno.index, 1);
    klavesa.wParam = VK_LEFT;
    EXPECT_NE(::TranslateAcceleratorW(h, okno.Akceleratory(), &klavesa), 0);
    EXPECT_EQ(okno.index, 0);
    klavesa.wParam = 'T';  // Ctrl+T is only written in the menu: no accelerator
    EXPECT_EQ(::TranslateAcceleratorW(h, okno.Akceleratory(), &klavesa), 0);
    // always on top and transparency toggled from the window are written back
    ::SendMessageW(h, WM_COMMAND, 40053, 0);
    EXPECT_TRUE(nastaveniPocasi->aladin.oknoNavrchu);
    EXPECT_EQ(::GetMenuState(::GetMenu(h), 40053, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    ::SendMessageW(h, WM_COMMAND, 40053, 0);
    EXPECT_FALSE(nastaveniPocasi->aladin.oknoNavrchu);
    ::SendMessageW(h, WM_COMMAND, 40211, 0);  // four at once
    testy::CekatNa([&] { return okno.obrazky[2] != nullptr; }, 3000);
    EXPECT_NE(okno.obrazky[1], nullptr);
    EXPECT_NE(okno.obrazky[2], nullptr);
    EXPECT_EQ(okno.obrazky[3], nullptr);  // no fourth step: its cell gets the fill colour
    EXPECT_EQ(VelikostKlienta(okno.klient->m_hWnd).cx, 640);
    ::SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    testy::PrekreslitOkno(h);
    testy::UlozitSnimekOkna(h, L"pocasi_aladin");
    ::SendMessageW(okno.klient->m_hWnd, WM_LBUTTONDOWN, MK_CONTROL | MK_SHIFT, MAKELPARAM(5, 4));
    EXPECT_EQ(okno.klient->znackaX, 5);
    // the 0 o'clock run is not on the server: the pass ends at its first file, nothing is shown
    ::SendMessageW(h, WM_COMMAND, 40208, 0);
    EXPECT_EQ(okno.hodinaBehu, 0);
    ASSERT_TRUE(testy::CekatNa([&] { return !okno.Stahuje() && ::IsWindowVisible(h); }, 10000));
    EXPECT_TRUE(okno.rada.empty());
    EXPECT_EQ(okno.obrazky[0], nullptr);
    EXPECT_EQ(okno.textInfo, L"Nebyl načten žádný soubor ...");
    EXPECT_EQ(::GetMenuState(::GetMenu(h), 40212, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    ::SendMessageW(h, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(h));
    EXPECT_EQ(nastaveniPocasi->aladin.poziceZnacky, (4u << 16) | 5u);  // kept for the next opening
}

TEST_F(OknaPocasi, VsechnyModelyCtyriBunkyPodleKroku) {
    nastaveniPocasi->aladin.model = 40207;
    nastaveniPocasi->aladin.konecStahovaniPriChybe = false;
    oknoAladin = std::make_unique<OknoAladin>();
    OknoAladin& okno = *oknoAladin;
    HWND h = okno.VytvoritOkno();
    ASSERT_TRUE(testy::CekatNa([&] { return ::IsWindowVisible(h) && okno.obrazky[0] != nullptr; }, 20000));
    EXPECT_EQ(okno.pocetNajednou, 4);
    EXPECT_EQ(okno.vsechny[0].size(), 9u);  // cloudiness without step 18
    EXPECT_EQ(okno.obrazky[1], nullptr);    // precipitation has no step 0: the top-right cell is filled
    EXPECT_EQ(okno.obrazky[2], nullptr);    // no temperature maps on the server
    EXPECT_EQ(::GetMenuState(::GetMenu(h), 40210, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    ::SendMessageW(h, WM_COMMAND, 40212, 0);
    EXPECT_NE(okno.obrazky[1], nullptr);
    EXPECT_EQ(VelikostKlienta(okno.klient->m_hWnd).cx, 640);
    ::SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    testy::PrekreslitOkno(h);
    testy::Pumpovat(300);
    testy::UlozitSnimekOkna(h, L"pocasi_aladin_vsechny");
    ::SendMessageW(h, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(h));
}

TEST_F(OknaPocasi, ModelNulaNicNestahujeAOknoSeUkaze) {
    nastaveniPocasi->aladin.model = 0;
    nastaveniPocasi->aladin.pocetObrazku = 99;  // outside 1 and 4: one picture, no read past the slots
    oknoAladin = std::make_unique<OknoAladin>();
    HWND h = oknoAladin->VytvoritOkno();
    ASSERT_TRUE(testy::CekatNa([&] { return ::IsWindowVisible(h) != 0; }, 3000));
    EXPECT_FALSE(oknoAladin->Stahuje());
    EXPECT_EQ(oknoAladin->textInfo, L"Nebyl načten žádný soubor ...");
    ::SendMessageW(h, WM_COMMAND, 40212, 0);  // nothing to step through
    ::SendMessageW(h, WM_COMMAND, 40209, 0);  // a run change without a kind loads nothing either
    EXPECT_FALSE(oknoAladin->Stahuje());
    EXPECT_EQ(oknoAladin->hodinaBehu, 12);
    EXPECT_EQ(::GetMenuState(::GetMenu(h), 40209, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(::GetMenuState(::GetMenu(h), 40204, MF_BYCOMMAND) & MF_CHECKED, 0u);
    ::UpdateWindow(oknoAladin->klient->m_hWnd);
    ::SendMessageW(h, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(h));
}

TEST_F(OknaPocasi, ZavreniBehemStahovaniNeceka) {
    NastavitServer(L"serverChmu", L"/stall-hlavicky");  // the server never answers
    oknoAladin = std::make_unique<OknoAladin>();
    HWND h = oknoAladin->VytvoritOkno();
    ASSERT_TRUE(testy::CekatNa([&] { return oknoAladin->Stahuje(); }, 3000));
    ::SendMessageW(h, WM_COMMAND, 40203, 0);  // a kind command while a pass runs is ignored
    EXPECT_EQ(oknoAladin->druh, 40204u);
    const auto zacatek = std::chrono::steady_clock::now();
    ::SendMessageW(h, WM_CLOSE, 0, 0);
    oknoAladin.reset();
    const auto trvani = std::chrono::steady_clock::now() - zacatek;
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(trvani).count(), 3500);
    EXPECT_FALSE(::IsWindow(h));
}

TEST_F(OknaPocasi, ZavreneStahovaniNeprepiseNoveOtevreneOkno) {
    // The first opening's first file is held by the server (before its reply, or in the middle of
    // its body); the window is closed and opened again. The new pass gets every file, and the
    // abandoned worker, let go afterwards, neither deletes nor replaces anything of it.
    const std::wstring data = L"/pocasi/meteo/ov/aladin/results/public/mapy/data/2026120812/";
    const std::vector<std::wstring> ocekavane = {L"oblacnost_00.png", L"oblacnost_06.png", L"oblacnost_12.png"};
    std::vector<std::vector<BYTE>> obsahy;  // what the server has for these steps
    for (const wchar_t* krok : {L"00", L"06", L"12"}) {
        obsahy.push_back(ZdrzeniServeru::Ziskat(data + L"nebul_public_" + krok + L".png"));
        ASSERT_FALSE(obsahy.back().empty());
    }
    for (const wchar_t* kde : {L"telo", L"hlavicky"}) {
        SCOPED_TRACE(testy::NaUtf8(kde));
        testy::DocasnaSlozka cache;
        nastaveniPocasi->aladin.slozkaData = cache.Cesta();
        ZdrzeniServeru zdrzeni;
        SledovaniStahovani sledovani;
        NastavitServer(L"serverChmu", zdrzeni.Cesta(kde, L"prerusit"));

        oknoAladin = std::make_unique<OknoAladin>();
        HWND prvni = oknoAladin->VytvoritOkno();
        ASSERT_TRUE(testy::CekatNa([&] { return zdrzeni.Drzeno() >= 1; }, 10000)) << "the first file was not held";
        ::SendMessageW(prvni, WM_CLOSE, 0, 0);
        oknoAladin.reset();
        EXPECT_FALSE(::IsWindow(prvni));
        HANDLE opustene = sledovani.Vlakno(0);
        ASSERT_NE(opustene, nullptr);

        oknoAladin = std::make_unique<OknoAladin>();
        OknoAladin& okno = *oknoAladin;
        HWND druhe = okno.VytvoritOkno();
        ASSERT_TRUE(testy::CekatNa([&] { return !okno.Stahuje() && ::IsWindowVisible(druhe); }, 15000));
        EXPECT_EQ(okno.rada.size(), 3u) << "the new pass ended early";
        EXPECT_NE(okno.obrazky[0], nullptr);

        // the shown picture keeps its file open: the next one is shown, so that nothing but the
        // fix keeps the first file
        ::PostMessageW(druhe, WM_COMMAND, 40212, 0);
        VyprazdnitFrontu();
        EXPECT_EQ(okno.index, 1);
        zdrzeni.Pustit();
        EXPECT_EQ(::WaitForSingleObject(opustene, 15000), WAIT_OBJECT_0) << "the abandoned worker did not end";
        EXPECT_EQ(SouboryVeSlozce(cache.Cesta()), ocekavane);  // nothing deleted, no temporary left
        for (size_t i = 0; i < ocekavane.size(); ++i)
            EXPECT_EQ(testy::PrecistBajty(cache.Cesta() + L"\\" + ocekavane[i]), obsahy[i]) << testy::NaUtf8(ocekavane[i]);
        ::SendMessageW(druhe, WM_CLOSE, 0, 0);
        oknoAladin.reset();
    }
}

TEST_F(OknaPocasi, DruziceZaskrtneJenZdrojKterySeStahuje) {
    // the institute's picture is held before its reply: Meteopress chosen meanwhile is refused
    ZdrzeniServeru zdrzeni;
    NastavitServer(L"serverDruziceChmu", zdrzeni.Cesta(L"hlavicky", L"dokoncit"));
    nastaveniPocasi->druzice.vychoziZdroj = 1;
    oknoSnimekDruzice = std::make_unique<OknoSnimekDruzice>();
    OknoSnimekDruzice& okno = *oknoSnimekDruzice;
    HWND h = okno.VytvoritOkno();
    ASSERT_TRUE(testy::CekatNa([&] { return zdrzeni.Drzeno() >= 1; }, 10000));
    ::PostMessageW(h, WM_COMMAND, 40222, 0);  // "Meteopress" while the download runs
    VyprazdnitFrontu();
    zdrzeni.Pustit();
    ASSERT_TRUE(testy::CekatNa([&] { return okno.obrazek != nullptr && ::IsWindowVisible(h); }, 10000));
    EXPECT_EQ(VelikostKlienta(h).cx, 120);  // the institute's picture
    EXPECT_EQ(okno.zdroj, 1);
    EXPECT_EQ(ZaskrtnutiNabidky(h, {40221, 40222}), (std::vector<bool>{true, false}));
    // once no download runs, the same command fetches Meteopress's page and checks it; the page is
    // no picture, so the institute's picture stays shown
    ::SendMessageW(h, WM_COMMAND, 40222, 0);
    ASSERT_TRUE(testy::CekatNa([&] { return ::IsWindowVisible(h) != 0; }, 10000));
    EXPECT_NE(okno.obrazek, nullptr);
    EXPECT_EQ(VelikostKlienta(h).cx, 120);
    EXPECT_EQ(ZaskrtnutiNabidky(h, {40221, 40222}), (std::vector<bool>{false, true}));
    ::SendMessageW(h, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(h));
}

TEST_F(OknaPocasi, DruziceUkazeSnimekANeobrazekNechaOknoOtevrene) {
    oknoSnimekDruzice = std::make_unique<OknoSnimekDruzice>();
    OknoSnimekDruzice& okno = *oknoSnimekDruzice;
    HWND h = okno.VytvoritOkno();
    ASSERT_TRUE(testy::CekatNa([&] { return okno.obrazek != nullptr && ::IsWindowVisible(h); }, 10000));
    EXPECT_EQ(VelikostKlienta(h).cx, 120);
    EXPECT_EQ(VelikostKlienta(h).cy, 80);
    testy::UlozitSnimekOkna(h, L"pocasi_druzice");
    {
        // "Uložit jako" with a .png name writes a PNG file
        const std::wstring cil = slozka.Cesta() + L"\\ulozeny.png";
        testy::RidicDialogu ridic(h, [&](HWND d) { VyplnitDialogUlozeni(d, cil); });
        ::SendMessageW(h, WM_COMMAND, 40216, 0);
        EXPECT_TRUE(ridic.Dokoncit());
        const std::vector<BYTE> bajty = testy::PrecistBajty(cil);
        ASSERT_GT(bajty.size(), 8u);
        EXPECT_EQ(std::string(bajty.begin() + 1, bajty.begin() + 4), "PNG");
    }
    // Meteopress's address answers with a web page: no new picture, the window stays with the last one
    ::SendMessageW(h, WM_COMMAND, 40222, 0);
    ASSERT_TRUE(testy::CekatNa([&] { return ::IsWindowVisible(h) && !okno.soubor.empty(); }, 10000));
    testy::Pumpovat(300);
    EXPECT_TRUE(::IsWindow(h));
    EXPECT_NE(okno.obrazek, nullptr);
    EXPECT_EQ(okno.zdroj, 2);
    ::SendMessageW(h, WM_COMMAND, 40221, 0);
    ASSERT_TRUE(testy::CekatNa([&] { return okno.obrazek != nullptr && ::IsWindowVisible(h); }, 10000));
    ::SendMessageW(h, WM_KEYDOWN, VK_ESCAPE, 0);
    testy::CekatNa([&] { return !::IsWindow(h); }, 3000);
    EXPECT_FALSE(::IsWindow(h));
}

// A failed satellite download (cut short, dripping headers or body, a silent server, too large,
// a web page instead of a picture) keeps the last good picture file as it was, shows that picture
// again, and its balloon says what failed.
TEST_F(OknaPocasi, DruziceNechaPosledniDobrySnimekDokudNovyNeniCely) {
    const LimityStahovani puvodniLimity = vychoziLimityStahovani;
    vychoziLimityStahovani.casovyLimitCteni = 1500;
    vychoziLimityStahovani.casovyLimitCelkem = 2000;
    vychoziLimityStahovani.maximalniVelikost = 100000;
    testy::HlavniIkonaSeZaznamem ikona;
    oknoSnimekDruzice = std::make_unique<OknoSnimekDruzice>();
    OknoSnimekDruzice& okno = *oknoSnimekDruzice;
    HWND h = okno.VytvoritOkno();
    ASSERT_TRUE(testy::CekatNa([&] { return okno.obrazek != nullptr && ::IsWindowVisible(h); }, 10000));
    const std::vector<BYTE> dobry = testy::PrecistBajty(okno.soubor);
    ASSERT_GT(dobry.size(), 8u);
    const SIZE velikost = VelikostKlienta(h);
    const testy::Snimek snimekDobreho = testy::UlozitSnimekOkna(h, L"pocasi_druzice_dobry");
    ASSERT_GT(snimekDobreho.pocetBarev, 8) << "the good picture was not drawn";
    const std::wstring uvod = L"Nepodařilo se načíst aktuální snímek meteorologické družice. Zobrazen je poslední "
                              L"stažený snímek.\nChyba: ";
    struct Pripad {
        const wchar_t* server;
        const wchar_t* pricina;
    } pripady[] = {
        {L"/preruseny", L"Spojení se serverem bylo přerušeno dřív, než přišla všechna data."},
        {L"/kapky-hlavicky/0.3", L"Vypršel časový limit spojení se serverem."},
        {L"/kapky/0.3", L"Vypršel časový limit spojení se serverem."},
        {L"/stall-hlavicky", L"Vypršel časový limit spojení se serverem."},
        {L"/bajty/200000", L"Soubor nebo odpověď serveru je větší, než program dovoluje."},
        {L"/pocasi", L"Server místo snímku poslal jiná data (například webovou stránku)."},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(testy::NaUtf8(p.server));
        NastavitServer(L"serverMeteopress", p.server);
        ikona.bubliny.clear();
        ::SendMessageW(h, WM_COMMAND, 40222, 0);
        EXPECT_FALSE(::IsWindowVisible(h)) << "hidden while it downloads";
        ASSERT_TRUE(testy::CekatNa([&] { return ::IsWindowVisible(h) != 0; }, 10000));
        testy::Pumpovat(100);
        EXPECT_EQ(testy::PrecistBajty(okno.soubor), dobry) << "the last good picture was lost";
        EXPECT_FALSE(testy::ExistujeSoubor(okno.soubor + L".novy"));
        // the kept picture is on the screen, not an empty area
        ASSERT_NE(okno.obrazek, nullptr);
        EXPECT_EQ(VelikostKlienta(h).cx, velikost.cx);
        EXPECT_EQ(VelikostKlienta(h).cy, velikost.cy);
        const testy::Snimek snimek = testy::UlozitSnimekOkna(h, L"pocasi_druzice_po_chybe");
        EXPECT_EQ(snimek.pocetBarev, snimekDobreho.pocetBarev) << "not the kept picture on the screen";
        // the balloon after the "please wait" one says what failed
        ASSERT_FALSE(ikona.bubliny.empty());
        EXPECT_EQ(ikona.bubliny.back(), uvod + p.pricina);
    }
    ::SendMessageW(h, WM_COMMAND, 40221, 0);
    ASSERT_TRUE(testy::CekatNa([&] { return okno.obrazek != nullptr && ::IsWindowVisible(h); }, 10000));
    vychoziLimityStahovani = puvodniLimity;
}

TEST_F(OknaPocasi, DruhyZdrojBehemStahovaniNemeniZaskrtnuti) {
    NastavitServer(L"serverDruziceChmu", L"/stall-hlavicky");  // the first picture never comes
    oknoSnimekDruzice = std::make_unique<OknoSnimekDruzice>();
    OknoSnimekDruzice& okno = *oknoSnimekDruzice;
    HWND h = okno.VytvoritOkno();
    ASSERT_EQ(okno.zdroj, 1);
    // the download has started once the window has hidden itself for it
    ASSERT_TRUE(testy::CekatNa([&] { return !okno.soubor.empty() && !::IsWindowVisible(h); }, 5000));
    ::SendMessageW(h, WM_COMMAND, 40222, 0);  // Meteopress while the first download runs: refused
    EXPECT_EQ(okno.zdroj, 1) << "the menu would check a source whose picture is not shown";
    ::SendMessageW(h, WM_CLOSE, 0, 0);
}

TEST_F(OknaPocasi, PredpovedVyjmeTextAPriChybeUkazeNahradni) {
    oknoPredpovedText = std::make_unique<OknoPredpovedText>();
    OknoPredpovedText& okno = *oknoPredpovedText;
    HWND h = okno.VytvoritOkno();
    ASSERT_TRUE(testy::CekatNa([&] { return ::IsWindowVisible(h) && !okno.text.empty(); }, 10000));
    EXPECT_EQ(okno.text.find(L"P"), 0u) << "leading line breaks removed";
    EXPECT_NE(okno.text.find(L"Polojasno, 5 a"), std::wstring::npos);
    EXPECT_NE(okno.text.find(L"<b>oblačno</b> &amp;"), std::wstring::npos) << "tags kept as sent";
    EXPECT_EQ(okno.text.substr(okno.text.size() - 2), L"\r\n");
    testy::CekatNa([&] { return !okno.velikostCeka; }, 3000);
    testy::UlozitSnimekOkna(h, L"pocasi_predpoved");
    {
        const std::wstring cil = slozka.Cesta() + L"\\predpoved.txt";
        testy::RidicDialogu ridic(h, [&](HWND d) { VyplnitDialogUlozeni(d, cil); });
        ::SendMessageW(h, WM_COMMAND, 40216, 0);
        EXPECT_TRUE(ridic.Dokoncit());
        EXPECT_EQ(testy::PrecistBajty(cil), BajtyTextuPredpovedi(okno.text));  // UTF-16LE, no mark
    }
    ::SendMessageW(h, WM_COMMAND, 40215, 0);  // copy: exactly the shown text
    std::wstring schranka;
    if (::OpenClipboard(nullptr)) {
        if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
            if (auto* text = static_cast<const wchar_t*>(::GlobalLock(data))) {
                schranka = text;
                ::GlobalUnlock(data);
            }
        }
        ::CloseClipboard();
    }
    EXPECT_EQ(schranka, okno.text);
    ::SendMessageW(h, WM_COMMAND, 40075, 0);  // transparency from the window's menu stores 1
    EXPECT_EQ(nastaveniPocasi->predpoved.oknoPruhledne, 1u);
    ::SendMessageW(h, WM_COMMAND, 40075, 0);
    EXPECT_EQ(nastaveniPocasi->predpoved.oknoPruhledne, 0u);
    ::SendMessageW(h, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(h));

    NastavitServer(L"serverChmu", L"/nic");  // 404: the replacement text
    oknoPredpovedText = std::make_unique<OknoPredpovedText>();
    h = oknoPredpovedText->VytvoritOkno();
    ASSERT_TRUE(testy::CekatNa([&] { return ::IsWindowVisible(h) != 0; }, 10000));
    EXPECT_EQ(oknoPredpovedText->text, L"Aktuální předpověď\nnení v této chvíli\nk dispozici\n");
    ::SendMessageW(h, WM_CLOSE, 0, 0);
}

// ---------------------------------------------------------------------------------------------

namespace {
std::vector<UINT> prepnuta;
void ZapsatPrepnuti(UINT prikaz) { prepnuta.push_back(prikaz); }
BOOL WINAPI IkonaBezShellu(DWORD, PNOTIFYICONDATAW) { return TRUE; }
}  // namespace

// The forecast text from a misbehaving server (dripping headers or body, silence, a page far
// too large, a forecast far too long): the window shows its "not available" text in bounded time.
TEST_F(OknaPocasi, PredpovedZeSpatnehoServeruSkonciVcasNahradnimTextem) {
    const LimityStahovani puvodniLimity = vychoziLimityStahovani;
    vychoziLimityStahovani.casovyLimitCteni = 1500;
    vychoziLimityStahovani.casovyLimitCelkem = 2000;
    for (const wchar_t* server : {L"/kapky-hlavicky/0.3", L"/kapky/0.3", L"/stall-hlavicky", L"/bajty/2000000",
                                  L"/dlouha-predpoved"}) {
        SCOPED_TRACE(testy::NaUtf8(server));
        NastavitServer(L"serverChmu", server);
        oknoPredpovedText = std::make_unique<OknoPredpovedText>();
        OknoPredpovedText& okno = *oknoPredpovedText;
        const ULONGLONG zacatek = ::GetTickCount64();
        HWND h = okno.VytvoritOkno();
        ASSERT_TRUE(testy::CekatNa([&] { return ::IsWindowVisible(h) && !okno.text.empty(); }, 10000));
        EXPECT_LT(::GetTickCount64() - zacatek, 5000u);
        EXPECT_NE(okno.text.find(L"není v této chvíli"), std::wstring::npos) << testy::NaUtf8(okno.text.substr(0, 80));
        oknoPredpovedText.reset();
    }
    vychoziLimityStahovani = puvodniLimity;
}

TEST_F(OknaPocasi, ModulOteviraOknaVPoradiAKlikyPodleNastaveni) {
    PoSpusteni puvodniStart = aplikace.nastaveni.poSpusteni;
    aplikace.nastaveni.poSpusteni.pocasiAladin = true;
    aplikace.nastaveni.poSpusteni.pocasiPredpovedText = true;
    aplikace.nastaveni.poSpusteni.pocasiSnimekDruzice = true;
    aplikace.nastaveni.poSpusteni.ikonaPocasi = false;
    auto* puvodniSeam = prepnoutOknoPocasi;
    prepnoutOknoPocasi = ZapsatPrepnuti;
    prepnuta.clear();
    auto* puvodniIkona = notifikacniIkona;
    notifikacniIkona = IkonaBezShellu;
    {
        ModulPocasi modul;
        if (!modul.ikonaModulu) modul.ikonaModulu = ::CopyIcon(::LoadIconW(nullptr, IDI_APPLICATION));
        HWND h = modul.VytvoritOkno();
        EXPECT_FALSE(::IsWindowVisible(h));
        ASSERT_TRUE(testy::CekatNa([] { return prepnuta.size() >= 3; }, 3000));
        EXPECT_EQ(prepnuta, (std::vector<UINT>{40219, 40218, 40220}));
        prepnuta.clear();
        nastaveniPocasi->ikonaStredni = 3;
        ::SendMessageW(h, ZPRAVA_IKONY_TRAY, 1, WM_MBUTTONUP);
        ::SendMessageW(h, ZPRAVA_IKONY_TRAY, 2, WM_MBUTTONUP);  // another icon id: nothing
        ::SendMessageW(h, ZPRAVA_IKONY_TRAY, 1, WM_MOUSEMOVE);
        testy::Pumpovat(100);
        EXPECT_EQ(prepnuta, (std::vector<UINT>{40220}));
        ::SendMessageW(h, WM_COMMAND, 40046, 0);  // "Skrýt ikonu" toggles the icon for this run
        EXPECT_NE(modul.ovladaciIkona, nullptr);
        ::SendMessageW(h, WM_COMMAND, 40046, 0);
        EXPECT_EQ(modul.ovladaciIkona, nullptr);
        EXPECT_FALSE(aplikace.nastaveni.poSpusteni.ikonaPocasi);
        ::DestroyWindow(h);
    }
    notifikacniIkona = puvodniIkona;
    prepnoutOknoPocasi = puvodniSeam;
    aplikace.nastaveni.poSpusteni = puvodniStart;
}

// ---------------------------------------------------------------------------------------------

namespace {

class RodicStranek : public knihovna::OknoImpl<RodicStranek, knihovna::Okno> {
public:
    int zmen = 0;
    KNIHOVNA_MAPA_ZPRAV(RodicStranek)
        ZPRAVA(ZpravaStrankaZmenena, OnZmena)
    KNIHOVNA_KONEC_MAPY()
    LRESULT OnZmena(UINT, WPARAM, LPARAM, BOOL&) {
        ++zmen;
        return 0;
    }
};

void Vybrat(HWND stranka, int id, int index) {
    HWND combo = ::GetDlgItem(stranka, id);
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(stranka, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

std::wstring Text(HWND stranka, int id) {
    wchar_t text[128] = L"";
    ::GetDlgItemTextW(stranka, id, text, 128);
    return text;
}

}  // namespace

TEST_F(OknaPocasi, StrankaAladinuPopisekIntervaluAZnacka) {
    RodicStranek rodic;
    rodic.Vytvorit(nullptr, nullptr, L"", WS_POPUP, 0, L"QTestRodicStranekPocasi");
    KonfiguracePocasi& n = *nastaveniPocasi;
    n.aladin.pocatek = 5;  // a damaged value: the first item is selected
    DlgNastavPocasiAladin stranka;
    HWND h = stranka.VytvoritStranku(rodic.m_hWnd);
    EXPECT_EQ(Text(h, IDC_POCASI_INTERVAL_TEXT), L"--> 2 sekund");
    EXPECT_EQ(::SendDlgItemMessageW(h, IDC_POCASI_POCATEK, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(::SendDlgItemMessageW(h, IDC_POCASI_MODEL, CB_GETCURSEL, 0, 0), 1);  // 40204 "Oblačnost"
    ::SetDlgItemTextW(h, IDC_POCASI_INTERVAL, L"15");
    EXPECT_EQ(Text(h, IDC_POCASI_INTERVAL_TEXT), L"--> 1.5 sekund");
    ::SetDlgItemTextW(h, IDC_POCASI_INTERVAL, L"36001");  // out of range: the label stays
    EXPECT_EQ(Text(h, IDC_POCASI_INTERVAL_TEXT), L"--> 1.5 sekund");
    ::SetDlgItemTextW(h, IDC_POCASI_ZNACKA_X, L"300");
    ::SetDlgItemTextW(h, IDC_POCASI_ZNACKA_Y, L"200");
    testy::Pumpovat(50);
    rodic.zmen = 0;
    Vybrat(h, IDC_POCASI_POCATEK, 1);  // "12 hodin" alone enables Apply
    testy::Pumpovat(50);
    EXPECT_GE(rodic.zmen, 1);
    stranka.Ulozit();
    EXPECT_EQ(n.aladin.intervalAnimace, 15u);  // 36001 is out of range: 1.5 s
    EXPECT_EQ(n.aladin.poziceZnacky, 13107500u);
    EXPECT_EQ(n.aladin.pocatek, 12u);
    n.aladin.intervalAnimace = 20;
    ::SetDlgItemTextW(h, IDC_POCASI_INTERVAL, L"");
    stranka.Ulozit();
    EXPECT_EQ(n.aladin.intervalAnimace, 15u);
    ::SetDlgItemTextW(h, IDC_POCASI_INTERVAL, L"36000");
    stranka.Ulozit();
    EXPECT_EQ(n.aladin.intervalAnimace, 36000u);
}

TEST_F(OknaPocasi, StrankyKlikuPredpovediADruzice) {
    RodicStranek rodic;
    rodic.Vytvorit(nullptr, nullptr, L"", WS_POPUP, 0, L"QTestRodicStranekPocasi");
    KonfiguracePocasi& n = *nastaveniPocasi;
    {
        DlgNastavPocasiObecne stranka;
        HWND h = stranka.VytvoritStranku(rodic.m_hWnd);
        EXPECT_EQ(::SendDlgItemMessageW(h, IDC_AKCE_KLIKNUTI_AKCE, CB_GETCURSEL, 0, 0), 0);  // left: the menu
        Vybrat(h, IDC_AKCE_KLIKNUTI_KLIK, 1);  // "<Ctrl> + levé tlačítko"
        EXPECT_EQ(::SendDlgItemMessageW(h, IDC_AKCE_KLIKNUTI_AKCE, CB_GETCURSEL, 0, 0), 2);
        Vybrat(h, IDC_AKCE_KLIKNUTI_AKCE, 3);  // the satellite picture, stored at once
        EXPECT_EQ(n.ikonaCtrlLeve, 3u);
    }
    {
        DlgNastavPocasiPredpovedText stranka;
        HWND h = stranka.VytvoritStranku(rodic.m_hWnd);
        ::CheckDlgButton(h, IDC_OKNO_PRUHLEDNE, BST_CHECKED);
        stranka.Ulozit();
        EXPECT_EQ(n.predpoved.oknoPruhledne, 2u);
    }
    {
        n.druzice.vychoziZdroj = 9;
        DlgNastavPocasiSnimekDruzice stranka;
        HWND h = stranka.VytvoritStranku(rodic.m_hWnd);
        EXPECT_EQ(::SendDlgItemMessageW(h, IDC_POCASI_ZDROJ, CB_GETCURSEL, 0, 0), 0);
        ::CheckDlgButton(h, IDC_OKNO_PRUHLEDNE, BST_CHECKED);
        ::CheckDlgButton(h, IDC_OKNO_NAVRCHU, BST_CHECKED);
        Vybrat(h, IDC_POCASI_ZDROJ, 1);
        ::SetDlgItemTextW(h, IDC_POCASI_SLOZKA, L"C:\\Snimky");
        stranka.Ulozit();
        EXPECT_EQ(n.druzice.oknoPruhledne, 2u);
        EXPECT_TRUE(n.druzice.oknoNavrchu);
        EXPECT_EQ(n.druzice.vychoziZdroj, 2u);
        EXPECT_EQ(n.druzice.slozkaData.Text(), L"C:\\Snimky");
    }
}
