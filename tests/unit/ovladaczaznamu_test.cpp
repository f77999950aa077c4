// The media-recorder driver: the numbered output names, the tray clicks, and recordings by the
// real Sonvidar.exe against the stand-in encoder.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "core/pomocne.h"
#include "knihovna/modul.h"
#include "multimedia/ovladaczaznamu.h"
#include "podpora/pomocnik.h"
#include "podpora/ridic.h"

namespace {

std::set<std::wstring> existujiciSoubory;
bool ExistujeVSeznamu(const std::wstring& cesta) { return existujiciSoubory.count(cesta) != 0; }

TEST(OvladacZaznamuJmena, CislovaniAMaximum) {
    const std::wstring slozka = L"C:\\Data\\Záznam zvuku";
    struct Pripad {
        DWORD maximum;
        std::set<std::wstring> existuji;
        bool nalezeno;
        std::wstring jmeno;
    } pripady[] = {
        {0, {slozka + L"\\zaznam.wma"}, true, slozka + L"\\zaznam.wma"},  // recorded over
        {1, {}, true, slozka + L"\\zaznam.wma"},
        {1000, {slozka + L"\\zaznam0.wma", slozka + L"\\zaznam1.wma"}, true, slozka + L"\\zaznam2.wma"},
        {1000, {slozka + L"\\zaznam1.wma"}, true, slozka + L"\\zaznam0.wma"},
        {2, {slozka + L"\\zaznam0.wma", slozka + L"\\zaznam1.wma"}, false, L""},
    };
    for (const Pripad& p : pripady) {
        existujiciSoubory = p.existuji;
        std::wstring jmeno;
        EXPECT_EQ(NajitJmenoZaznamu(slozka, L"zaznam", p.maximum, L".wma", jmeno, ExistujeVSeznamu), p.nalezeno)
            << p.maximum;
        EXPECT_EQ(jmeno, p.jmeno);
    }
    std::wstring jmeno;
    existujiciSoubory.clear();
    EXPECT_TRUE(NajitJmenoZaznamu(L"D:", L"v", 400, L".wmv", jmeno, ExistujeVSeznamu));
    EXPECT_EQ(jmeno, L"D:\\v0.wmv");
    // too long for the driver's name buffer: no name rather than a cut one
    EXPECT_FALSE(NajitJmenoZaznamu(std::wstring(300, L'a'), L"zaznam", 5, L".wma", jmeno, ExistujeVSeznamu));
}

TEST(OvladacZaznamuKliknuti, VychoziAkceATlacitka) {
    KonfiguraceSonvidar n;
    n.NastavitVychozi();
    const struct {
        UINT mys;
        bool ctrl, shift;
        UINT prikaz;
    } pripady[] = {
        {WM_LBUTTONUP, false, false, PRIKAZ_NABIDKA_SONVIDAR}, {WM_LBUTTONUP, true, false, 40168},
        {WM_LBUTTONUP, false, true, 40169},                    {WM_LBUTTONUP, true, true, 40170},
        {WM_MBUTTONUP, false, false, PRIKAZ_NABIDKA_SONVIDAR}, {WM_RBUTTONUP, true, true, PRIKAZ_NABIDKA_SONVIDAR},
        {WM_LBUTTONDBLCLK, false, false, 0},
    };
    for (const auto& p : pripady)
        EXPECT_EQ(PrikazKliknutiSonvidar(n, p.mys, p.ctrl, p.shift), p.prikaz) << p.mys << p.ctrl << p.shift;
    n.ikonaLeve = 11;
    EXPECT_EQ(PrikazKliknutiSonvidar(n, WM_LBUTTONUP, false, false), 40171u);
    n.ikonaLeve = 3;  // no such action
    EXPECT_EQ(PrikazKliknutiSonvidar(n, WM_LBUTTONUP, false, false), 0u);
}

// The driver on the test's thread with its settings on a temporary folder.
class OvladacZaznamuSonvidar : public ::testing::Test {
protected:
    void SetUp() override {
        testy::SmazatKlic(L"Software\\Brenvald\\SonvidarKolvex\\1.0");
        puvodni = std::move(nastaveniSonvidar);
        nastaveniSonvidar = std::make_unique<KonfiguraceSonvidar>();
        nastaveniSonvidar->NastavitVychozi();
        nastaveniSonvidar->zvuk.slozka = slozka.Cesta();
        nastaveniSonvidar->zvuk.maxPocetSouboru = 1000;
        nastaveniSonvidar->zvuk.zastavitPriUkonceni = true;
        modul = std::make_unique<ModulSonvidar>();
        ASSERT_TRUE(modul->zaznamNalezen) << "Sonvidar.exe beside the tests";
        modul->VytvoritOkno();
    }
    void TearDown() override {
        modul.reset();  // stops a recording left running and joins the workers
        nastaveniSonvidar = std::move(puvodni);
        testy::SmazatKlic(L"Software\\Brenvald\\SonvidarKolvex\\1.0");
    }
    void Prikaz(UINT id) { ::SendMessageW(modul->m_hWnd, WM_COMMAND, id, 0); }
    // The top-level window of a Sonvidar process (not the driver's own message-only window).
    static HWND OknoSonvidaru() {
        HWND okno = nullptr;
        while ((okno = ::FindWindowExW(nullptr, okno, L"QKolvexSonvidar", nullptr)) != nullptr) {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(okno, &pid);
            if (pid != ::GetCurrentProcessId()) return okno;
        }
        return nullptr;
    }
    std::string Obsah(const std::wstring& soubor) {
        const std::vector<BYTE> b = testy::PrecistBajty(soubor);
        return std::string(b.begin(), b.end());
    }

    testy::RegistraceKoderu koder;
    testy::ZachytavacZprav zpravy;
    testy::DocasnaSlozka slozka;
    std::unique_ptr<KonfiguraceSonvidar> puvodni;
    std::unique_ptr<ModulSonvidar> modul;
};

TEST_F(OvladacZaznamuSonvidar, PrikazSpustiZastaviADalsiBereDalsiJmeno) {
    ASSERT_TRUE(koder.Registrovano());
    const std::wstring prvni = slozka.Cesta() + L"\\zaznam0.wma";
    const std::wstring druhy = slozka.Cesta() + L"\\zaznam1.wma";

    Prikaz(40168);
    EXPECT_TRUE(modul->BeziZaznam(false));
    ASSERT_TRUE(testy::CekatNa([&] { return OknoSonvidaru() && Obsah(prvni) == "KODER:ZAZNAM\r\n"; }, 20000));
    EXPECT_FALSE(::IsWindowVisible(OknoSonvidaru())) << "Sonvidar records hidden";

    Prikaz(40168);  // stops the recording of this driver's Sonvidar
    ASSERT_TRUE(testy::CekatNa([&] { return !modul->BeziZaznam(false); }, 20000));
    EXPECT_EQ(Obsah(prvni), "KODER:ZAZNAM\r\nKODER:STOP\r\n");
    EXPECT_EQ(OknoSonvidaru(), nullptr);

    Prikaz(40168);
    ASSERT_TRUE(testy::CekatNa([&] { return Obsah(druhy) == "KODER:ZAZNAM\r\n"; }, 20000));
    Prikaz(40168);
    ASSERT_TRUE(testy::CekatNa([&] { return !modul->BeziZaznam(false); }, 20000));
    EXPECT_EQ(Obsah(druhy), "KODER:ZAZNAM\r\nKODER:STOP\r\n");
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
}

TEST_F(OvladacZaznamuSonvidar, ZvukAVideoSeNezastaviNavzajem) {
    nastaveniSonvidar->video.slozka = slozka.Cesta();
    Prikaz(40168);
    Prikaz(40169);
    const std::wstring zvuk = slozka.Cesta() + L"\\zaznam0.wma";
    const std::wstring video = slozka.Cesta() + L"\\zaznam0.wmv";
    ASSERT_TRUE(testy::CekatNa([&] { return Obsah(zvuk).size() && Obsah(video).size(); }, 20000));
    // Sonvidar's window appears a moment after its process starts
    ASSERT_TRUE(testy::CekatNa([&] {
        int oken = 0;
        for (HWND o = nullptr; (o = ::FindWindowExW(nullptr, o, L"QKolvexSonvidar", nullptr)) != nullptr;) ++oken;
        return oken >= 2;
    }, 20000));
    Prikaz(40169);  // only the video recording ends
    ASSERT_TRUE(testy::CekatNa([&] { return !modul->BeziZaznam(true); }, 20000));
    EXPECT_EQ(Obsah(video), "KODER:ZAZNAM\r\nKODER:STOP\r\n");
    EXPECT_TRUE(modul->BeziZaznam(false));
    EXPECT_EQ(Obsah(zvuk), "KODER:ZAZNAM\r\n");
    Prikaz(40168);
    ASSERT_TRUE(testy::CekatNa([&] { return !modul->BeziZaznam(false); }, 20000));
    EXPECT_EQ(Obsah(zvuk), "KODER:ZAZNAM\r\nKODER:STOP\r\n");
}

TEST_F(OvladacZaznamuSonvidar, ObsazenaJmenaSeOhlasiBezSpusteni) {
    nastaveniSonvidar->zvuk.maxPocetSouboru = 2;
    for (const wchar_t* j : {L"\\zaznam0.wma", L"\\zaznam1.wma"}) {
        HANDLE h = ::CreateFileW((slozka.Cesta() + j).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ::CloseHandle(h);
    }
    Prikaz(40168);
    ASSERT_TRUE(testy::CekatNa([&] { return !zpravy.zpravy.empty(); }, 10000));
    EXPECT_NE(zpravy.zpravy[0].text.find(L"obsazena všechna jména"), std::wstring::npos);
    EXPECT_FALSE(modul->BeziZaznam(false));
    EXPECT_EQ(OknoSonvidaru(), nullptr);
}

TEST_F(OvladacZaznamuSonvidar, KonecAplikaceZastaviZaznamKdyzToNastaveniChce) {
    const std::wstring prvni = slozka.Cesta() + L"\\zaznam0.wma";
    Prikaz(40168);
    ASSERT_TRUE(testy::CekatNa([&] { return OknoSonvidaru() && !Obsah(prvni).empty(); }, 20000));
    modul.reset();
    EXPECT_EQ(Obsah(prvni), "KODER:ZAZNAM\r\nKODER:STOP\r\n");
    EXPECT_TRUE(testy::CekatNa([&] { return OknoSonvidaru() == nullptr; }, 10000));
}

// Files the driver asked the shell to open (the playback after a recording).
std::vector<std::wstring> prehrane;
HINSTANCE WINAPI ZaznamenatPrehrani(HWND, LPCWSTR, LPCWSTR soubor, LPCWSTR, LPCWSTR, INT) {
    prehrane.push_back(soubor ? soubor : L"");
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(33));
}

// A message box of another process (Sonvidar's) whose text holds the part.
HWND ZpravaSonvidaru(const std::wstring& cast) {
    for (HWND o = nullptr; (o = ::FindWindowExW(nullptr, o, L"#32770", nullptr)) != nullptr;) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(o, &pid);
        if (pid != ::GetCurrentProcessId() && testy::TextZpravy(o).find(cast) != std::wstring::npos) return o;
    }
    return nullptr;
}

TEST_F(OvladacZaznamuSonvidar, PrehrajeJenDokoncenyZaznamNespustenyOhlasiSonvidarJednou) {
    nastaveniSonvidar->zvuk.prehrat = true;
    prehrane.clear();
    knihovna::FunkceShellExecute puvodni = knihovna::spustitShell;
    knihovna::spustitShell = ZaznamenatPrehrani;
    struct Vratit {
        knihovna::FunkceShellExecute f;
        ~Vratit() { knihovna::spustitShell = f; }
    } vratit{puvodni};

    // a recording that finished is played
    const std::wstring prvni = slozka.Cesta() + L"\\zaznam0.wma";
    Prikaz(40168);
    ASSERT_TRUE(testy::CekatNa([&] { return OknoSonvidaru() && Obsah(prvni) == "KODER:ZAZNAM\r\n"; }, 20000));
    Prikaz(40168);
    ASSERT_TRUE(testy::CekatNa([&] { return !modul->BeziZaznam(false); }, 20000));
    EXPECT_EQ(prehrane, (std::vector<std::wstring>{prvni}));

    // one that never started (its stored profile is a number): Sonvidar's message, no playback
    const DWORD cislo = 3;
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Brenvald\\SonvidarKolvex\\1.0\\Zaznam zvuku", L"profil",
                                REG_DWORD, &cislo, sizeof(cislo)),
              ERROR_SUCCESS);
    Prikaz(40168);
    HWND box = nullptr;
    ASSERT_TRUE(testy::CekatNa([&] { return (box = ZpravaSonvidaru(L"Záznam se nepodařilo spustit")) != nullptr; }, 20000));
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(testy::CekatNa([&] { return !modul->BeziZaznam(false); }, 20000));
    EXPECT_EQ(prehrane.size(), 1u) << "a recording that never started was played";
    EXPECT_TRUE(zpravy.zpravy.empty()) << "a second message on top of Sonvidar's: " << zpravy;
    EXPECT_FALSE(testy::ExistujeSoubor(slozka.Cesta() + L"\\zaznam1.wma"));
}

std::vector<std::wstring> prehrano;  // files the player was opened with (worker thread, read after join)
HINSTANCE WINAPI ZaznamenatPrehraniPriKonci(HWND, LPCWSTR, LPCWSTR soubor, LPCWSTR, LPCWSTR, INT) {
    prehrano.push_back(soubor);
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(33));
}

TEST_F(OvladacZaznamuSonvidar, PrehravacPoZaznamuAleNePriKonciAplikace) {
    prehrano.clear();
    const auto puvodniShell = knihovna::spustitShell;
    knihovna::spustitShell = ZaznamenatPrehraniPriKonci;
    nastaveniSonvidar->zvuk.prehrat = true;
    const std::wstring prvni = slozka.Cesta() + L"\\zaznam0.wma", druhy = slozka.Cesta() + L"\\zaznam1.wma";
    // a recording the user stops is played
    Prikaz(40168);
    ASSERT_TRUE(testy::CekatNa([&] { return OknoSonvidaru() && !Obsah(prvni).empty(); }, 20000));
    Prikaz(40168);
    ASSERT_TRUE(testy::CekatNa([&] { return !modul->BeziZaznam(false); }, 20000));
    ASSERT_EQ(prehrano.size(), 1u);
    EXPECT_EQ(prehrano[0], prvni);
    // one that the program's end stops is complete, but no player opens while the program quits
    Prikaz(40168);
    ASSERT_TRUE(testy::CekatNa([&] { return OknoSonvidaru() && !Obsah(druhy).empty(); }, 20000));
    modul.reset();
    EXPECT_EQ(Obsah(druhy), "KODER:ZAZNAM\r\nKODER:STOP\r\n");
    EXPECT_EQ(prehrano.size(), 1u) << "the player opened during shutdown";
    knihovna::spustitShell = puvodniShell;
}

}  // namespace

// Without Sonvidar.exe the recording command says which file is missing.
TEST_F(OvladacZaznamuSonvidar, ChybejiciProgramZaznamuJeVeZpraveJmenem) {
    modul->cestaZaznamu.clear();
    modul->zaznamNalezen = false;
    Prikaz(40168);
    ASSERT_TRUE(testy::CekatNa([&] { return !zpravy.zpravy.empty(); }, 10000)) << "no message";
    const std::wstring cesta = ZiskatSlozkuProgramu() + L"\\Sonvidar.exe";
    EXPECT_NE(zpravy.zpravy[0].text.find(L"Program záznamu \"" + cesta + L"\" nebyl nalezen."), std::wstring::npos)
        << zpravy;
    EXPECT_FALSE(modul->BeziZaznam(false));
}
