// The process monitor: the warning limit, the list order after header clicks, the tray tooltip
// and the measurement list that keeps its memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/ikonatray.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/chyba.h"
#include "monitors/modulsledovaniprocesu.h"
#include "monitors/seznamprocesu.h"

namespace {

PROCESS_MEMORY_COUNTERS Pamet(SIZE_T ws, SIZE_T spicka, SIZE_T strankovaci) {
    PROCESS_MEMORY_COUNTERS p{};
    p.cb = sizeof(p);
    p.WorkingSetSize = ws;
    p.PeakWorkingSetSize = spicka;
    p.PagefileUsage = strankovaci;
    return p;
}

std::vector<std::wstring> Poradi(const SeznamProcesu& s, int sloupec, bool vzestupne) {
    std::vector<size_t> indexy;
    for (size_t i = 0; i < s.Pocet(); ++i) indexy.push_back(i);
    std::stable_sort(indexy.begin(), indexy.end(),
                     [&](size_t a, size_t b) { return PorovnatProcesy(s[a], s[b], sloupec, vzestupne) < 0; });
    std::vector<std::wstring> jmena;
    for (size_t i : indexy) jmena.push_back(s[i].soubor);
    return jmena;
}

}  // namespace

TEST(SledovaniProcesu, LimitPracovniSady) {
    const uint64_t MB = 1048576;
    const struct {
        uint64_t ws;
        DWORD limit;
        bool varovat;
    } pripady[] = {
        {180 * MB, 180, true},                  // exactly the limit
        {180 * MB - MB / 10, 180, false},       // 179.9 MB
        {180 * MB - 1, 180, false},
        {181 * MB, 180, true},
        {10000 * MB, 0, false},                 // 0 switches the warning off
        {4096 * MB, 4096, true},                // no 32-bit overflow of the limit
        {4096 * MB - 1, 4096, false},
        {5000 * MB, 4097, true},
        {5 * MB, 5, true},
    };
    for (const auto& p : pripady)
        EXPECT_EQ(PrekrocenLimitProcesu(p.ws, p.limit), p.varovat) << p.ws << " bytes, limit " << p.limit << " MB";
}

TEST(SledovaniProcesu, RazeniPoKliknutiNaZahlavi) {
    SeznamProcesu s;
    s.Pridat(L"C:\\bin\\beta.exe", Pamet(300, 900, 10));
    s.Pridat(L"alfa.exe", Pamet(200, 100, 30));
    s.Pridat(L"Gama.exe", Pamet(100, 500, 20));
    s.SetriditPodlePameti();
    EXPECT_EQ(s[0].pamet.WorkingSetSize, 300u);

    int sloupec = 1;
    bool vzestupne = false;  // the initial order: "Využitá paměť", largest first
    EXPECT_EQ(Poradi(s, sloupec, vzestupne), (std::vector<std::wstring>{L"C:\\bin\\beta.exe", L"alfa.exe", L"Gama.exe"}));

    KliknutiNaSloupec(sloupec, vzestupne, 0);  // "Proces": by name, the direction stays descending
    EXPECT_EQ(sloupec, 0);
    EXPECT_FALSE(vzestupne);
    EXPECT_EQ(Poradi(s, sloupec, vzestupne), (std::vector<std::wstring>{L"Gama.exe", L"C:\\bin\\beta.exe", L"alfa.exe"}));

    KliknutiNaSloupec(sloupec, vzestupne, 0);  // the same header flips it
    EXPECT_TRUE(vzestupne);
    EXPECT_EQ(Poradi(s, sloupec, vzestupne), (std::vector<std::wstring>{L"alfa.exe", L"C:\\bin\\beta.exe", L"Gama.exe"}));

    KliknutiNaSloupec(sloupec, vzestupne, 2);  // "Max. využité paměti", still ascending
    EXPECT_EQ(sloupec, 2);
    EXPECT_TRUE(vzestupne);
    EXPECT_EQ(Poradi(s, sloupec, vzestupne), (std::vector<std::wstring>{L"alfa.exe", L"Gama.exe", L"C:\\bin\\beta.exe"}));

    KliknutiNaSloupec(sloupec, vzestupne, 3);
    EXPECT_EQ(Poradi(s, sloupec, vzestupne), (std::vector<std::wstring>{L"C:\\bin\\beta.exe", L"Gama.exe", L"alfa.exe"}));
}

TEST(SledovaniProcesu, TipSNejvyseCtyrmiProcesy) {
    SeznamProcesu s;
    EXPECT_EQ(TextTipuProcesu(s), L"Pamět procesů:\n");
    s.Pridat(L"a.exe", Pamet(2048, 0, 0));
    s.Pridat(L"b.exe", Pamet(1024, 0, 0));
    const std::wstring kb2 = TextKilobajtu(2048), kb1 = TextKilobajtu(1024);
    EXPECT_EQ(TextTipuProcesu(s), L"Pamět procesů:\na.exe: " + kb2 + L"\nb.exe: " + kb1 + L"\n");
    for (const wchar_t* jmeno : {L"c.exe", L"d.exe", L"e.exe"}) s.Pridat(jmeno, Pamet(1024, 0, 0));
    const std::wstring tip = TextTipuProcesu(s);
    EXPECT_EQ(tip, L"Pamět procesů:\na.exe: " + kb2 + L"\nb.exe: " + kb1 + L"\nc.exe: " + kb1 + L"\nd.exe: " + kb1);
}

TEST(SledovaniProcesu, SeznamDrziPametMeziMerenimi) {
    SeznamProcesu s(40);
    for (int i = 0; i < 41; ++i) EXPECT_EQ(s.Pridat(L"p.exe", Pamet(1, 1, 1)), static_cast<size_t>(i));
    EXPECT_EQ(s.Kapacita(), 60u);
    s.Vyprazdnit();
    EXPECT_EQ(s.Pocet(), 0u);
    EXPECT_EQ(s.Kapacita(), 60u);
    std::wstring dlouhe(400, L'x');
    s.Pridat(dlouhe.c_str(), Pamet(1, 1, 1));
    EXPECT_EQ(wcslen(s[0].soubor), static_cast<size_t>(MAX_PATH - 1));
    try {
        s.Pridat(nullptr, Pamet(1, 1, 1));
        ADD_FAILURE() << "a null name must be refused";
    } catch (const knihovna::Chyba& chyba) {
        EXPECT_EQ(chyba.Hresult(), E_INVALIDARG);
    }
}

namespace {

struct VolaniIkony {
    DWORD zprava;
    NOTIFYICONDATAW data;
};
std::vector<VolaniIkony> volaniIkony;
BOOL WINAPI ZaznamenatIkonu(DWORD zprava, PNOTIFYICONDATAW data) {
    volaniIkony.push_back({zprava, *data});
    return TRUE;
}

size_t Bubliny() {
    size_t pocet = 0;
    for (const auto& v : volaniIkony)
        if (v.zprava == NIM_MODIFY && (v.data.uFlags & NIF_INFO) && v.data.szInfo[0]) ++pocet;
    return pocet;
}

}  // namespace

TEST(SledovaniProcesuOkno, VarovaniJednouPakJenTipASkryteOknoNemeniSirky) {
    auto puvodniIkona = notifikacniIkona;
    notifikacniIkona = ZaznamenatIkonu;
    volaniIkony.clear();
    auto puvodni = std::move(nastaveniSledovaniProcesu);
    nastaveniSledovaniProcesu = std::make_unique<KonfiguraceSledovaniProcesu>();
    nastaveniSledovaniProcesu->maxWorkingSetSize = 0;  // the real measurements at start warn of nothing
    const bool zvuk = aplikace.nastaveni.zvuk;
    aplikace.nastaveni.zvuk = false;
    {
        ModulSledovaniProcesu modul;
        // the program's image lists are not loaded here: an icon of the test's own
        if (!modul.ikonaModulu) modul.ikonaModulu = ::CopyIcon(::LoadIconW(nullptr, IDI_APPLICATION));
        modul.VytvoritOkno();
        EXPECT_FALSE(::IsWindowVisible(modul.m_hWnd));
        ASSERT_NE(modul.ikona, nullptr);
        EXPECT_EQ(modul.varovani, nullptr);

        const SIZE_T MB = 1048576;
        nastaveniSledovaniProcesu->maxWorkingSetSize = 180;
        SeznamProcesu s;
        s.Pridat(L"velky.exe", Pamet(180 * MB, 0, 0));
        modul.ZkontrolovatLimit(s);
        ASSERT_NE(modul.varovani, nullptr);
        EXPECT_EQ(modul.varovani->id, 2u);
        EXPECT_EQ(Bubliny(), 1u);
        const std::wstring text1 =
            L"Jeden z procesů (velky.exe) dosáhl " + TextKilobajtu(180 * MB) + L" využití paměti!";
        EXPECT_STREQ(volaniIkony.back().data.szTip, text1.c_str());

        // above the limit again: only the warning icon's tooltip follows, no new balloon
        SeznamProcesu s2;
        s2.Pridat(L"vetsi.exe", Pamet(200 * MB, 0, 0));
        modul.ZkontrolovatLimit(s2);
        EXPECT_EQ(Bubliny(), 1u);
        EXPECT_NE(wcsstr(volaniIkony.back().data.szTip, L"vetsi.exe"), nullptr);

        // below the limit: the warning icon stays until clicked away
        SeznamProcesu s3;
        s3.Pridat(L"maly.exe", Pamet(MB, 0, 0));
        modul.ZkontrolovatLimit(s3);
        EXPECT_NE(modul.varovani, nullptr);
        ::SendMessageW(modul.m_hWnd, WM_APP + 9, 2, WM_LBUTTONUP);
        EXPECT_EQ(modul.varovani, nullptr);

        // closing while hidden keeps the stored column widths
        ::SendMessageW(modul.m_hWnd, WM_CLOSE, 0, 0);
        EXPECT_EQ(nastaveniSledovaniProcesu->sloupecSoubor, -1);
        EXPECT_EQ(nastaveniSledovaniProcesu->sloupecWorkingSetSize, -1);
    }
    aplikace.nastaveni.zvuk = zvuk;
    nastaveniSledovaniProcesu = std::move(puvodni);
    notifikacniIkona = puvodniIkona;
}

namespace {

int poradiMereni = 0;
// Thirty processes whose working sets rotate with each measurement: every refresh reorders them.
void TricetProcesu(SeznamProcesu& s) {
    for (int i = 0; i < 30; ++i) {
        wchar_t jmeno[32];
        swprintf(jmeno, 32, L"proces%02d.exe", i);
        s.Pridat(jmeno, Pamet(static_cast<SIZE_T>((i + poradiMereni) % 30 + 1) * 1048576, 0, 0));
    }
}

std::wstring TextRadku(HWND seznam, int radek) {
    wchar_t text[64] = L"";
    LVITEMW polozka{};
    polozka.pszText = text;
    polozka.cchTextMax = 64;
    ::SendMessageW(seznam, LVM_GETITEMTEXTW, static_cast<WPARAM>(radek), reinterpret_cast<LPARAM>(&polozka));
    return text;
}

}  // namespace

// A refresh rewrites the list in place: the scroll position and the selected process stay, though
// the new order moves every process; the tray tip is sent only when it reads differently.
TEST(SledovaniProcesuOkno, ObnoveniZachovaPosunAVybranyProces) {
    auto puvodniIkona = notifikacniIkona;
    notifikacniIkona = ZaznamenatIkonu;
    auto puvodniMereni = zmeritProcesy;
    zmeritProcesy = TricetProcesu;
    poradiMereni = 0;
    auto puvodni = std::move(nastaveniSledovaniProcesu);
    nastaveniSledovaniProcesu = std::make_unique<KonfiguraceSledovaniProcesu>();
    nastaveniSledovaniProcesu->maxWorkingSetSize = 0;
    {
        ModulSledovaniProcesu modul;
        if (!modul.ikonaModulu) modul.ikonaModulu = ::CopyIcon(::LoadIconW(nullptr, IDI_APPLICATION));
        modul.VytvoritOkno();
        ::SendMessageW(modul.m_hWnd, WM_COMMAND, 40111, 0);  // show the window
        ASSERT_TRUE(::IsWindowVisible(modul.m_hWnd));
        HWND seznam = modul.seznam;
        ASSERT_EQ(::SendMessageW(seznam, LVM_GETITEMCOUNT, 0, 0), 30);
        for (int i = 0; i < 12; ++i) ::SendMessageW(seznam, WM_VSCROLL, SB_LINEDOWN, 0);
        const LRESULT horni = ::SendMessageW(seznam, LVM_GETTOPINDEX, 0, 0);
        ASSERT_GT(horni, 0) << "the list did not scroll";
        const int radek = static_cast<int>(horni) + 2;
        LVITEMW stav{};
        stav.stateMask = stav.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageW(seznam, LVM_SETITEMSTATE, static_cast<WPARAM>(radek), reinterpret_cast<LPARAM>(&stav));
        const std::wstring vybrany = TextRadku(seznam, radek);
        ASSERT_EQ(modul.vybranyProces, vybrany);

        for (int kolo = 1; kolo <= 3; ++kolo) {
            poradiMereni = kolo * 7;
            volaniIkony.clear();
            ::SendMessageW(modul.m_hWnd, WM_TIMER, 1, 0);  // the measurement timer's tick
            EXPECT_EQ(::SendMessageW(seznam, LVM_GETTOPINDEX, 0, 0), horni) << "refresh " << kolo;
            ASSERT_EQ(::SendMessageW(seznam, LVM_GETITEMCOUNT, 0, 0), 30);
            EXPECT_EQ(::SendMessageW(seznam, LVM_GETSELECTEDCOUNT, 0, 0), 1) << "refresh " << kolo;
            const int vybrana = static_cast<int>(::SendMessageW(seznam, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                                LVNI_SELECTED));
            EXPECT_EQ(TextRadku(seznam, vybrana), vybrany) << "refresh " << kolo;
            EXPECT_TRUE(volaniIkony.empty()) << "a measurement alone tells the tray host nothing";
            // the pointer over the icon: the new tip (the new order) goes, once
            ::SendMessageW(modul.m_hWnd, WM_APP + 9, 1, WM_MOUSEMOVE);
            ASSERT_EQ(volaniIkony.size(), 1u) << "the new order changes the tip";
            EXPECT_EQ(volaniIkony[0].data.uFlags, static_cast<UINT>(NIF_TIP));
            EXPECT_NE(wcsstr(volaniIkony[0].data.szTip, L"proces"), nullptr);
            ::SendMessageW(modul.m_hWnd, WM_APP + 9, 1, WM_MOUSEMOVE);
            EXPECT_EQ(volaniIkony.size(), 1u);
        }
        // the same measurement again: the tray host hears nothing, pointed at or not
        volaniIkony.clear();
        ::SendMessageW(modul.m_hWnd, WM_TIMER, 1, 0);
        ::SendMessageW(modul.m_hWnd, WM_APP + 9, 1, WM_MOUSEMOVE);
        EXPECT_TRUE(volaniIkony.empty());
        EXPECT_EQ(::SendMessageW(seznam, LVM_GETTOPINDEX, 0, 0), horni);
        // fewer processes: the list shrinks at its end and keeps what is left in view
        zmeritProcesy = [](SeznamProcesu& s) {
            TricetProcesu(s);
            SeznamProcesu kopie;
            for (size_t i = 0; i < 25; ++i) kopie.Pridat(s[i].soubor, s[i].pamet);
            s.Vyprazdnit();
            for (size_t i = 0; i < kopie.Pocet(); ++i) s.Pridat(kopie[i].soubor, kopie[i].pamet);
        };
        ::SendMessageW(modul.m_hWnd, WM_TIMER, 1, 0);
        EXPECT_EQ(::SendMessageW(seznam, LVM_GETITEMCOUNT, 0, 0), 25);
        EXPECT_GT(::SendMessageW(seznam, LVM_GETTOPINDEX, 0, 0), 0);
        ::SendMessageW(modul.m_hWnd, WM_CLOSE, 0, 0);
    }
    nastaveniSledovaniProcesu = std::move(puvodni);
    zmeritProcesy = puvodniMereni;
    notifikacniIkona = puvodniIkona;
}

// The real measurement finds this process, opened with query-limited access.
TEST(SledovaniProcesu, MereniNajdeTentoProces) {
    SeznamProcesu s;
    ZmeritProcesy(s);
    wchar_t cesta[MAX_PATH] = L"";
    ::GetModuleFileNameW(nullptr, cesta, MAX_PATH);
    const wchar_t* jmeno = wcsrchr(cesta, L'\\') ? wcsrchr(cesta, L'\\') + 1 : cesta;
    bool nalezen = false;
    for (size_t i = 0; i < s.Pocet(); ++i)
        if (_wcsicmp(s[i].soubor, jmeno) == 0 && s[i].pamet.WorkingSetSize > 0) nalezen = true;
    EXPECT_TRUE(nalezen) << "no record of this process";
}
