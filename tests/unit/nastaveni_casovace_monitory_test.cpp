// The settings pages of the memory and process monitors, the clock and the stopwatch: numbers
// outside their bounds and combos without a selection leave the stored values as they are.
#include <gtest/gtest.h>

#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/okno.h"
#include "monitors/dlgnastavsledovani.h"
#include "timers/dlgnastavcasovace.h"

namespace {

class Rodic : public knihovna::OknoImpl<Rodic, knihovna::Okno> {
public:
    KNIHOVNA_MAPA_ZPRAV(Rodic)
    KNIHOVNA_KONEC_MAPY()
};

class StrankyNastroju : public ::testing::Test {
protected:
    void SetUp() override {
        rodic.Vytvorit(nullptr, nullptr, L"", WS_POPUP, 0, L"QTestRodicStranek");
        pamet = std::move(nastaveniSledovaniPameti);
        procesy = std::move(nastaveniSledovaniProcesu);
        hodiny = std::move(nastaveniHodiny);
        nastaveniSledovaniPameti = std::make_unique<KonfiguraceSledovaniPameti>();
        nastaveniSledovaniProcesu = std::make_unique<KonfiguraceSledovaniProcesu>();
        nastaveniHodiny = std::make_unique<KonfiguraceHodiny>();
    }
    void TearDown() override {
        nastaveniSledovaniPameti = std::move(pamet);
        nastaveniSledovaniProcesu = std::move(procesy);
        nastaveniHodiny = std::move(hodiny);
    }
    static void NastavitText(HWND stranka, int id, const wchar_t* text) { ::SetDlgItemTextW(stranka, id, text); }

    Rodic rodic;
    std::unique_ptr<KonfiguraceSledovaniPameti> pamet;
    std::unique_ptr<KonfiguraceSledovaniProcesu> procesy;
    std::unique_ptr<KonfiguraceHodiny> hodiny;
};

}  // namespace

TEST_F(StrankyNastroju, PametMezeACombaBezVyberu) {
    KonfiguraceSledovaniPameti& n = *nastaveniSledovaniPameti;
    n.threadPriority = 7;  // a damaged stored value: no item has it
    n.ikonaLeve = 9;
    DlgNastavSledovaniPameti stranka;
    HWND h = stranka.VytvoritStranku(rodic.m_hWnd);
    EXPECT_EQ(::SendDlgItemMessageW(h, IDC_PRIORITA_VLAKNA, CB_GETCURSEL, 0, 0), CB_ERR);
    NastavitText(h, IDC_INTERVAL_AKTUALIZACE, L"999");  // below 1000: not stored, no message
    NastavitText(h, IDC_VAROVANI_PROCENT, L"150");      // accepted (no warning is ever raised)
    NastavitText(h, IDC_MAX_VELIKOST_LOGU, L"50000001");
    stranka.Ulozit();
    EXPECT_EQ(n.threadPriority, 7);  // never -1
    EXPECT_EQ(n.ikonaLeve, 9u);
    EXPECT_EQ(n.intervalAktualizace, 1000u);
    EXPECT_EQ(n.varovaniProcent, 150u);
    EXPECT_EQ(n.maxVelikostLogu, 2000000u);

    ::SendDlgItemMessageW(h, IDC_PRIORITA_VLAKNA, CB_SETCURSEL, 0, 0);  // "Nízká"
    ::SendDlgItemMessageW(h, IDC_AKCE_LEVE, CB_SETCURSEL, 2, 0);        // the settings page
    NastavitText(h, IDC_INTERVAL_AKTUALIZACE, L"60000");
    stranka.Ulozit();
    EXPECT_EQ(n.threadPriority, THREAD_PRIORITY_LOWEST);
    EXPECT_EQ(n.ikonaLeve, 2u);
    EXPECT_EQ(n.intervalAktualizace, 60000u);
}

TEST_F(StrankyNastroju, ProcesyMezeIntervaluALimitu) {
    KonfiguraceSledovaniProcesu& n = *nastaveniSledovaniProcesu;
    DlgNastavSledovaniProcesu stranka;
    HWND h = stranka.VytvoritStranku(rodic.m_hWnd);
    EXPECT_EQ(::SendDlgItemMessageW(h, IDC_AKCE_LEVE, CB_GETCURSEL, 0, 0), 0);  // value 1 is the first item
    const struct {
        const wchar_t* interval;
        const wchar_t* limit;
        DWORD ocekavanyInterval, ocekavanyLimit;
    } pripady[] = {
        {L"0", L"4", 5, 180},   // both out of bounds: unchanged
        {L"121", L"10001", 5, 180},
        {L"1", L"5", 1, 5},
        {L"120", L"10000", 120, 10000},
    };
    for (const auto& p : pripady) {
        NastavitText(h, IDC_INTERVAL_AKTUALIZACE, p.interval);
        NastavitText(h, IDC_MAX_WORKING_SET, p.limit);
        stranka.Ulozit();
        EXPECT_EQ(n.intervalAktualizace, p.ocekavanyInterval) << p.interval;
        EXPECT_EQ(n.maxWorkingSetSize, p.ocekavanyLimit) << p.limit;
    }
    ::SendDlgItemMessageW(h, IDC_AKCE_LEVE, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    stranka.Ulozit();
    EXPECT_EQ(n.ikonaLeve, 1u);  // no selection: the stored value stays
}

TEST_F(StrankyNastroju, HodinyPriznakyOknaAGong) {
    KonfiguraceHodiny& n = *nastaveniHodiny;
    n.gong = 9;  // no item: no selection, the value stays
    n.okno = 0x04 | 0x20 | 0x40;
    DlgNastavHodiny stranka;
    HWND h = stranka.VytvoritStranku(rodic.m_hWnd);
    EXPECT_EQ(::SendDlgItemMessageW(h, IDC_GONG, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(PrecistPriznakyOkna(h), 0x64u);
    for (int id : {IDC_OKNO_NAVRCHU, IDC_OKNO_OKRAJ, IDC_OKNO_PRUHLEDNE}) ::CheckDlgButton(h, id, BST_UNCHECKED);
    ::SendDlgItemMessageW(h, IDC_DATUM, CB_SETCURSEL, 2, 0);
    stranka.Ulozit();
    EXPECT_EQ(n.okno, 0u);  // all three cleared: a plain window
    EXPECT_EQ(n.gong, 9u);
    EXPECT_EQ(n.datum, 2u);
}
