// Host and IP information: look-ups of 127.0.0.1 and localhost (directly and through the
// dialog's workers), the minimise option that ends the tool, and the LAN window through its
// network seam: the fill, the ERROR_MORE_DATA pages and the failed state Wine gives.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
#include <lm.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "core/vlaknomodulu.h"
#include "internet/hostinfo.h"
#include "internet/laninfo.h"
#include "core/ikonatray.h"
#include "podpora/pomocnik.h"
#include "resources/resource.h"

namespace {

// Tray icons recorded instead of shown (the test display has no notification area).
struct ZaznamIkon {
    FunkceNotifyIcon puvodni = notifikacniIkona;
    static BOOL WINAPI Prijmout(DWORD, PNOTIFYICONDATAW) { return TRUE; }
    ZaznamIkon() { notifikacniIkona = Prijmout; }
    ~ZaznamIkon() { notifikacniIkona = puvodni; }
};

// Windows Sockets for the test program (the application starts them at start-up).
struct Sokety {
    Sokety() {
        WSADATA wsa;
        ::WSAStartup(MAKEWORD(2, 0), &wsa);
    }
    ~Sokety() { ::WSACleanup(); }
};
}  // namespace

TEST(HostInfo, LocalhostObemaSmery) {
    Sokety sokety;
    EXPECT_EQ(NajitAdresuPodleJmena(L"localhost"), L"127.0.0.1");
    const std::wstring jmeno = NajitJmenoPodleAdresy(L"127.0.0.1");
    EXPECT_FALSE(jmeno.empty());
    EXPECT_EQ(NajitAdresuPodleJmena(jmeno), L"127.0.0.1") << jmeno;
    EXPECT_EQ(NajitAdresuPodleJmena(L""), L"");
    EXPECT_EQ(NajitAdresuPodleJmena(L"neexistujici.invalid"), L"");
    EXPECT_EQ(NajitJmenoPodleAdresy(L"není adresa"), L"");
}

TEST(HostInfo, DialogHledaVeVlaknechAPrevadiObaSmery) {
    Sokety sokety;
    auto puvodni = std::move(nastaveniHostInfo);
    nastaveniHostInfo = std::make_unique<KonfiguraceHostInfo>();
    nastaveniHostInfo->minimalizace = 0;
    {
        ModulHostInfo modul;
        modul.VytvoritOkno();
        DlgHostInfo* dialog = modul.ObjektDialogu();
        ASSERT_NE(dialog, nullptr);
        HWND d = dialog->m_hWnd;
        wchar_t vlastni[128] = L"";
        ::GetDlgItemTextW(d, IDC_HOST_STANICE, vlastni, 128);
        EXPECT_EQ(wcsncmp(vlastni, L"Stanice: ", 9), 0) << vlastni;
        ::GetDlgItemTextW(d, IDC_HOST_VLASTNI_IP, vlastni, 128);
        EXPECT_EQ(wcsncmp(vlastni, L"Vlastní IP: ", 12), 0) << vlastni;
        ::SetDlgItemTextW(d, IDC_HOST_JMENO, L"localhost");
        ::SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDC_HOST_NAJIT_ADRESU, BN_CLICKED), 0);
        EXPECT_TRUE(testy::CekatNa([&] { return dialog->Adresa() == L"127.0.0.1"; }, 10000)) << dialog->Adresa();

        dialog->NastavitAdresu(L"127.0.0.1");
        ::SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDC_HOST_NAJIT_JMENO, BN_CLICKED), 0);
        wchar_t text[256] = L"";
        EXPECT_TRUE(testy::CekatNa([&] {
            ::GetDlgItemTextW(d, IDC_HOST_JMENO, text, 256);
            return dialog->Probihajici() == 0 && text[0] != 0;
        }, 10000));

        // a name that does not resolve leaves the address empty
        ::SetDlgItemTextW(d, IDC_HOST_JMENO, L"neexistujici.invalid");
        ::SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDC_HOST_NAJIT_ADRESU, BN_CLICKED), 0);
        EXPECT_TRUE(testy::CekatNa([&] { return dialog->Probihajici() == 0; }, 15000));
        EXPECT_EQ(dialog->Adresa(), L"");
        ::SendMessageW(modul.m_hWnd, WM_CLOSE, 0, 0);
    }
    nastaveniHostInfo = std::move(puvodni);
}

TEST(HostInfo, MinimalizaceSDvojkouUkonciNastroj) {
    auto puvodni = std::move(nastaveniHostInfo);
    nastaveniHostInfo = std::make_unique<KonfiguraceHostInfo>();
    nastaveniHostInfo->minimalizace = 2;
    VytvoritModulHostInfo();
    VlaknoModulu* vlakno = NajitNastroj(Nastroj::HostInfo);
    ASSERT_NE(vlakno, nullptr);
    vlakno->Spustit(false);
    ASSERT_TRUE(testy::CekatNa([&] { return vlakno->Okno() != nullptr; }, 5000));
    EXPECT_TRUE(vlakno->Bezi());
    vlakno->Odeslat(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(testy::CekatNa([&] { return !vlakno->Bezi(); }, 5000));
    vlakno->Zastavit();
    SmazatModulHostInfo();
    nastaveniHostInfo = std::move(puvodni);
}

// ---------------------------------------------------------------------------------------------

namespace {

struct FalesnaSit {
    std::vector<std::vector<std::wstring>> stranky;  // pages of account names
    size_t strana = 0;
    NET_API_STATUS serverStav = NERR_Success;
    std::vector<std::wstring> pocitace;
    DWORD typPrvni = 0, typDruhy = 0;
    int volaniServeru = 0;
};
FalesnaSit sit;

NET_API_STATUS WINAPI FalesnyServerEnum(LMCSTR, DWORD uroven, LPBYTE* buffer, DWORD, LPDWORD precteno, LPDWORD celkem,
                                        DWORD typ, LMCSTR, LPDWORD) {
    EXPECT_EQ(uroven, 101u);
    (++sit.volaniServeru == 1 ? sit.typPrvni : sit.typDruhy) = typ;
    *buffer = nullptr;
    *precteno = *celkem = 0;
    if (sit.serverStav != NERR_Success || sit.pocitace.empty()) return sit.serverStav;
    auto* polozky = static_cast<SERVER_INFO_101*>(calloc(sit.pocitace.size(), sizeof(SERVER_INFO_101)));
    for (size_t i = 0; i < sit.pocitace.size(); ++i) {
        polozky[i].sv101_platform_id = 500;
        polozky[i].sv101_name = const_cast<LPWSTR>(sit.pocitace[i].c_str());
        polozky[i].sv101_comment = const_cast<LPWSTR>(L"");
    }
    *buffer = reinterpret_cast<LPBYTE>(polozky);
    *precteno = *celkem = static_cast<DWORD>(sit.pocitace.size());
    return NERR_Success;
}

NET_API_STATUS WINAPI FalesnyUserEnum(LMCSTR, DWORD uroven, DWORD filtr, LPBYTE* buffer, DWORD, LPDWORD precteno,
                                      LPDWORD celkem, PDWORD pokracovani) {
    EXPECT_EQ(uroven, 2u);
    EXPECT_EQ(filtr, static_cast<DWORD>(FILTER_NORMAL_ACCOUNT));
    EXPECT_EQ(*pokracovani, sit.strana);  // the resume handle goes on from page to page
    if (sit.strana >= sit.stranky.size()) {
        *buffer = nullptr;
        *precteno = *celkem = 0;
        return ERROR_ACCESS_DENIED;
    }
    const std::vector<std::wstring>& strana = sit.stranky[sit.strana];
    auto* polozky = static_cast<USER_INFO_2*>(calloc(strana.size(), sizeof(USER_INFO_2)));
    for (size_t i = 0; i < strana.size(); ++i) {
        polozky[i].usri2_name = const_cast<LPWSTR>(strana[i].c_str());
        polozky[i].usri2_full_name = const_cast<LPWSTR>(L"Plné jméno");
        polozky[i].usri2_comment = const_cast<LPWSTR>(L"Popis účtu");
        polozky[i].usri2_usr_comment = const_cast<LPWSTR>(L"");
    }
    *buffer = reinterpret_cast<LPBYTE>(polozky);
    *precteno = static_cast<DWORD>(strana.size());
    *celkem = 99;
    *pokracovani = static_cast<DWORD>(++sit.strana);
    return sit.strana < sit.stranky.size() ? ERROR_MORE_DATA : NERR_Success;
}

int uvolneno = 0;
NET_API_STATUS WINAPI FalesneUvolneni(LPVOID buffer) {
    ++uvolneno;
    free(buffer);
    return NERR_Success;
}

struct SeamSite {
    FunkceSiteLan puvodni = funkceSiteLan;
    SeamSite() {
        sit = FalesnaSit();
        uvolneno = 0;
        funkceSiteLan.serverEnum = FalesnyServerEnum;
        funkceSiteLan.userEnum = FalesnyUserEnum;
        funkceSiteLan.uvolnit = FalesneUvolneni;
    }
    ~SeamSite() { funkceSiteLan = puvodni; }
};

}  // namespace

TEST(SitLan, UctyPoStrankachDokudChodiMoreData) {
    SeamSite seam;
    sit.stranky = {{L"alfa", L"beta"}, {L"gama"}, {L"delta"}};
    NET_API_STATUS stav = 0;
    std::vector<UcetUzivatele> ucty = NacistUctyLan(L"PC1", stav);
    ASSERT_EQ(ucty.size(), 4u);
    EXPECT_EQ(ucty[2].jmeno, L"gama");
    EXPECT_EQ(ucty[3].jmeno, L"delta");
    EXPECT_EQ(stav, static_cast<NET_API_STATUS>(NERR_Success));
    EXPECT_EQ(uvolneno, 3);

    // access denied: no accounts, no message
    sit = FalesnaSit();
    std::vector<UcetUzivatele> zadne = NacistUctyLan(L"PC2", stav);
    EXPECT_TRUE(zadne.empty());
    EXPECT_EQ(stav, static_cast<NET_API_STATUS>(ERROR_ACCESS_DENIED));
}

TEST(SitLan, PrazdnyProhlizecSeZeptaZnovuSMistnimSeznamem) {
    SeamSite seam;
    NET_API_STATUS stav = 0;
    EXPECT_TRUE(NacistPocitaceLan(stav).empty());
    EXPECT_EQ(sit.volaniServeru, 2);
    EXPECT_EQ(sit.typPrvni, static_cast<DWORD>(SV_TYPE_ALL));
    EXPECT_EQ(sit.typDruhy, static_cast<DWORD>(0x40000003));
}

TEST(SitLan, OknoNaplniPrvniPocitacAJehoPrvniUcet) {
    SeamSite seam;
    sit.pocitace = {L"STANICE1", L"SERVER"};
    sit.stranky = {{L"zdenek", L"adam"}, {L"marie"}};
    {
        OknoSitLanInfo okno;
        okno.VytvoritOkno();
        DlgSitLanInfo* d = okno.ObjektDialogu();
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(::SendMessageW(d->seznamPocitacu, LB_GETCOUNT, 0, 0), 2);
        EXPECT_EQ(::SendMessageW(d->seznamPocitacu, LB_GETCURSEL, 0, 0), 0);
        ASSERT_EQ(::SendMessageW(d->seznamUctu, LB_GETCOUNT, 0, 0), 3);
        wchar_t text[64] = L"";
        ::GetDlgItemTextW(d->m_hWnd, IDC_LAN_JMENO, text, 64);
        EXPECT_STREQ(text, L"adam");  // sorted list: its first item
        ::GetDlgItemTextW(d->m_hWnd, IDC_LAN_PLNE_JMENO, text, 64);
        EXPECT_STREQ(text, L"Plné jméno");
        ::GetDlgItemTextW(d->m_hWnd, IDC_LAN_PLATFORMA, text, 64);
        EXPECT_STREQ(text, L"Windows řady NT");
        ::SendMessageW(okno.m_hWnd, WM_CLOSE, 0, 0);
    }
}

TEST(SitLan, SelhaniProhlizeceUkazePrazdnyStav) {
    SeamSite seam;
    sit.serverStav = 6118;  // what Wine answers
    OknoSitLanInfo okno;
    okno.VytvoritOkno();
    DlgSitLanInfo* d = okno.ObjektDialogu();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(::SendMessageW(d->seznamPocitacu, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(::SendMessageW(d->seznamUctu, LB_GETCOUNT, 0, 0), 0);
    wchar_t text[256] = L"";
    ::GetDlgItemTextW(d->m_hWnd, IDC_LAN_PLATFORMA, text, 256);
    EXPECT_NE(wcsstr(text, L"Nelze zjistit (chyba 6118)"), nullptr) << text;
    ::SendMessageW(okno.m_hWnd, WM_CLOSE, 0, 0);
}

TEST(SitLan, SkutecnyNetServerEnumSelzeBezPadu) {
    NET_API_STATUS stav = 0;
    std::vector<PocitacLan> pocitace = NacistPocitaceLan(stav);
    if (pocitace.empty()) {
        EXPECT_NE(stav, static_cast<NET_API_STATUS>(NERR_Success));
    }
}

TEST(HostInfo, SJednickouIkonaOdZacatkuAKliknutiPrepina) {
    ZaznamIkon ikony;
    auto puvodni = std::move(nastaveniHostInfo);
    nastaveniHostInfo = std::make_unique<KonfiguraceHostInfo>();
    nastaveniHostInfo->minimalizace = 1;
    {
        ModulHostInfo modul;
        // the program's image lists are not loaded here: the module gets a system icon
        modul.ikonaModulu = ::CopyIcon(::LoadIconW(nullptr, IDI_APPLICATION));
        modul.VytvoritOkno();
        EXPECT_NE(modul.Ikona(), nullptr);
        EXPECT_TRUE(::IsWindowVisible(modul.m_hWnd));
        ::SendMessageW(modul.m_hWnd, ZPRAVA_IKONY_TRAY, 1, WM_LBUTTONUP);
        EXPECT_FALSE(::IsWindowVisible(modul.m_hWnd));
        ::SendMessageW(modul.m_hWnd, ZPRAVA_IKONY_TRAY, 1, WM_LBUTTONUP);
        EXPECT_TRUE(::IsWindowVisible(modul.m_hWnd));
        ::SendMessageW(modul.m_hWnd, WM_CLOSE, 0, 0);
        EXPECT_EQ(modul.Ikona(), nullptr);
    }
    nastaveniHostInfo = std::move(puvodni);
}
