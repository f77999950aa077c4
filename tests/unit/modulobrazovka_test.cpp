// The screen module: the tray-click table and the area that the area picker reports.
#include <gtest/gtest.h>

#include <cstdio>

#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "podpora/obrazky.h"
#include "podpora/pomocnik.h"
#include "knihovna/modul.h"
#include "knihovna/vyjimky.h"
#include "screen/modulobrazovka.h"

TEST(ModulObrazovkaKliknuti, TlacitkaAModifikatoryUrciPrikaz) {
    KonfiguraceObrazovka n;
    n.leve = 1;
    n.ctrlLeve = 2;
    n.shiftLeve = 3;
    n.ctrlShiftLeve = 4;
    n.stredni = 5;
    n.ctrlStredni = 6;
    n.shiftStredni = 7;
    struct {
        UINT zprava;
        bool ctrl, shift;
        UINT prikaz;
    } pripady[] = {
        {WM_LBUTTONUP, false, false, 1}, {WM_LBUTTONUP, true, false, 2},  {WM_LBUTTONUP, false, true, 3},
        {WM_LBUTTONUP, true, true, 4},   {WM_MBUTTONUP, false, false, 5}, {WM_MBUTTONUP, true, false, 6},
        {WM_MBUTTONUP, true, true, 6},   {WM_MBUTTONUP, false, true, 7},  {WM_RBUTTONUP, false, false, 40074},
        {WM_RBUTTONUP, true, true, 40074}, {WM_LBUTTONDOWN, false, false, 0}, {WM_MOUSEMOVE, false, false, 0},
    };
    for (const auto& p : pripady)
        EXPECT_EQ(PrikazKliknutiObrazovky(n, p.zprava, p.ctrl, p.shift), p.prikaz)
            << "message " << p.zprava << " ctrl " << p.ctrl << " shift " << p.shift;

    KonfiguraceObrazovka vychozi;
    vychozi.NastavitVychozi();
    EXPECT_EQ(PrikazKliknutiObrazovky(vychozi, WM_LBUTTONUP, false, false), 40113u);
    EXPECT_EQ(PrikazKliknutiObrazovky(vychozi, WM_LBUTTONUP, true, false), 40116u);
    EXPECT_EQ(PrikazKliknutiObrazovky(vychozi, WM_MBUTTONUP, false, false), 40117u);
}

namespace {

class ModulObrazovkyOkno : public ::testing::Test {
protected:
    void SetUp() override {
        testy::SpustitGdiPlus();
        puvodni = std::move(nastaveniObrazovka);
        nastaveniObrazovka = std::make_unique<KonfiguraceObrazovka>();
        nastaveniObrazovka->NastavitVychozi();
        nastaveniObrazovka->opis.slozka = slozka.Cesta();
        nastaveniObrazovka->opis.format = 1;
        nastaveniObrazovka->opis.kopirovatDoSchranky = false;
        nastaveniObrazovka->opis.shellOtevrit = 0;
        nastaveniObrazovka->opis.zoomOpisVyber = 2;
        modul = std::make_unique<ModulObrazovka>();
        modul->VytvoritOkno();
    }
    void TearDown() override {
        modul.reset();
        nastaveniObrazovka = std::move(puvodni);
    }
    testy::DocasnaSlozka slozka;
    std::unique_ptr<KonfiguraceObrazovka> puvodni;
    std::unique_ptr<ModulObrazovka> modul;
};

}  // namespace

TEST_F(ModulObrazovkyOkno, ZvolenyVyrezSeUloziPodleZoomu) {
    EXPECT_FALSE(::IsWindowVisible(modul->m_hWnd)) << "the module window stays hidden";
    ::SendMessageW(modul->m_hWnd, ZpravaVyrezVybran, MAKEWPARAM(100, 100), MAKELPARAM(300, 200));
    testy::DekodovanyObrazek d = testy::Dekodovat(slozka.Cesta() + L"\\Obrazovka0.png");
    EXPECT_EQ(d.format, "PNG");
    EXPECT_EQ(d.sirka, 200u);
    EXPECT_EQ(d.vyska, 100u);

    modul->zoom = true;  // 40121 set it before the picker started
    ::SendMessageW(modul->m_hWnd, ZpravaVyrezVybran, MAKEWPARAM(100, 100), MAKELPARAM(300, 200));
    d = testy::Dekodovat(slozka.Cesta() + L"\\Obrazovka1.png");
    EXPECT_EQ(d.sirka, 400u);
    EXPECT_EQ(d.vyska, 200u);
}

TEST_F(ModulObrazovkyOkno, PrazdnyNeboObracenyVyrezSeNeulozi) {
    testy::ZachytavacZprav zpravy;
    ::SendMessageW(modul->m_hWnd, ZpravaVyrezVybran, MAKEWPARAM(300, 200), MAKELPARAM(100, 100));
    ::SendMessageW(modul->m_hWnd, ZpravaVyrezVybran, MAKEWPARAM(100, 100), MAKELPARAM(100, 200));
    ::SendMessageW(modul->m_hWnd, ZpravaVyrezVybran, MAKEWPARAM(0xFFFF, 0xFFFF), MAKELPARAM(0xFFFF, 0xFFFF));
    EXPECT_FALSE(testy::ExistujeSoubor(slozka.Cesta() + L"\\Obrazovka0.png"));
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
}

TEST_F(ModulObrazovkyOkno, KliknutiNaIkonuAPrikazyOpisu) {
    // a left click runs 40113 at once; 40124 enlarges by zoomOpis
    nastaveniObrazovka->opis.zoomOpis = 2;
    ::SendMessageW(modul->m_hWnd, WM_APP + 9, 1, WM_LBUTTONUP);
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40124, 0);
    testy::DekodovanyObrazek d = testy::Dekodovat(slozka.Cesta() + L"\\Obrazovka0.png");
    EXPECT_EQ(d.sirka, static_cast<UINT>(::GetSystemMetrics(SM_CXSCREEN)));
    d = testy::Dekodovat(slozka.Cesta() + L"\\Obrazovka1.png");
    EXPECT_EQ(d.sirka, 2u * ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(d.vyska, 2u * ::GetSystemMetrics(SM_CYSCREEN));

    // the folder commands on a missing folder
    nastaveniObrazovka->opis.slozka = slozka.Cesta() + L"\\neni";
    testy::ZachytavacZprav zpravy(IDYES);
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40180, 0);
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40135, 0);
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40132, 0);  // only a beep
    ASSERT_EQ(zpravy.zpravy.size(), 2u);
    const std::wstring text = L"Požadovaná složka na disku neexistuje!\n(" + slozka.Cesta() + L"\\neni)";
    EXPECT_EQ(zpravy.zpravy[0].text, text);
    EXPECT_EQ(zpravy.zpravy[1].text, text);
}

namespace {
HINSTANCE WINAPI ProgramNenalezen(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT) {
    ::SetLastError(ERROR_BAD_EXE_FORMAT);
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(ERROR_FILE_NOT_FOUND));
}
}  // namespace

// A command that cannot be carried out (the slideshow program is missing) is reported, and the
// module's window and thread go on.
TEST_F(ModulObrazovkyOkno, NespustitelnaPrezentaceSeOhlasiAModulBeziDal) {
    auto puvodniShell = knihovna::spustitShell;
    knihovna::spustitShell = ProgramNenalezen;
    testy::ZachytavacZprav zpravy;
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40135, 0);
    knihovna::spustitShell = puvodniShell;
    EXPECT_FALSE(knihovna::JeOdlozenaVyjimka()) << "nothing is left to end the module's message loop";
    knihovna::ZahoditOdlozenouVyjimku();
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_TRUE(zpravy.zpravy[0].priznaky & MB_ICONERROR);
    EXPECT_NE(zpravy.zpravy[0].text.find(L"Lumeda.exe"), std::wstring::npos);
    EXPECT_NE(zpravy.zpravy[0].text.find(
                  knihovna::TextHresult(knihovna::HresultZKodu(ERROR_FILE_NOT_FOUND))),
              std::wstring::npos);
    EXPECT_TRUE(::IsWindow(modul->m_hWnd));
}
