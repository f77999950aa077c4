// The weather windows in the test process against the loopback server: the forecast-model window
// with its picture series, the satellite window with a picture and with a page that is no picture,
// the forecast-text window, the module's start-up order and tray clicks, the settings pages.
#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>

#include <chrono>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/ikonatray.h"
#include "core/konfiguracenastroju.h"
#include "internet/pocasialadin.h"
#include "internet/pocasidruzice.h"
#include "internet/pocasimodul.h"
#include "internet/pocasipredpoved.h"
#include "internet/pocasistranky.h"
#include "podpora/obrazky.h"
#include "podpora/pomocnik.h"
#include "podpora/snimek.h"
#include "unit/servery_testu.h"
#include "unit/zkusebni_prvky.h"

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
    // Meteopress's address answers with a web page: no picture, the window stays with its text
    ::SendMessageW(h, WM_COMMAND, 40222, 0);
    ASSERT_TRUE(testy::CekatNa([&] { return okno.obrazek == nullptr && ::IsWindowVisible(h) && !okno.soubor.empty(); }, 10000));
    testy::Pumpovat(300);
    EXPECT_TRUE(::IsWindow(h));
    EXPECT_EQ(okno.obrazek, nullptr);
    EXPECT_EQ(okno.zdroj, 2);
    ::SendMessageW(h, WM_COMMAND, 40221, 0);
    ASSERT_TRUE(testy::CekatNa([&] { return okno.obrazek != nullptr && ::IsWindowVisible(h); }, 10000));
    ::SendMessageW(h, WM_KEYDOWN, VK_ESCAPE, 0);
    testy::CekatNa([&] { return !::IsWindow(h); }, 3000);
    EXPECT_FALSE(::IsWindow(h));
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
