// The memory monitor: bar heights, the drawn 16-tick history, the warning at the threshold with
// its one log line, the whole-line log and its size limit, and the memory-module property texts.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/text.h"
#include "monitors/dlgpamet.h"
#include "monitors/ikonapameti.h"
#include "monitors/modulsledovanipameti.h"
#include "monitors/pamet.h"
#include "podpora/pomocnik.h"

namespace {

struct Volani {
    DWORD zprava;
    NOTIFYICONDATAW data;
};
std::vector<Volani> volani;

BOOL WINAPI ZaznamenatVolani(DWORD zprava, PNOTIFYICONDATAW data) {
    volani.push_back({zprava, *data});
    return TRUE;
}

// A shell that records and refuses every change.
BOOL WINAPI OdmitnoutVolani(DWORD zprava, PNOTIFYICONDATAW data) {
    volani.push_back({zprava, *data});
    return FALSE;
}

DWORD zatizeni = 50;
void WINAPI StavPameti(LPMEMORYSTATUS stav) {
    stav->dwMemoryLoad = zatizeni;
    stav->dwTotalPhys = 4096u * 1024u * 1024u - 1;
    stav->dwAvailPhys = 1024u * 1024u * 1024u;
    stav->dwTotalVirtual = 2048u * 1024u * 1024u;
    stav->dwAvailVirtual = 1024u * 1024u * 1024u;
}

void WINAPI PevnyCas(LPSYSTEMTIME cas) {
    *cas = SYSTEMTIME{};
    cas->wYear = 2007;
    cas->wMonth = 3;
    cas->wDay = 7;
    cas->wHour = 9;
    cas->wMinute = 5;
    cas->wSecond = 2;
}

std::wstring Obsah(const std::wstring& cesta) {
    std::vector<BYTE> bajty = testy::PrecistBajty(cesta);
    return std::wstring(reinterpret_cast<const wchar_t*>(bajty.data()), bajty.size() / sizeof(wchar_t));
}

size_t PocetRadku(const std::wstring& text) {
    size_t pocet = 0;
    for (size_t i = text.find(L"\r\n"); i != std::wstring::npos; i = text.find(L"\r\n", i + 2)) ++pocet;
    return pocet;
}

size_t PocetBublin(DWORD druh) {
    size_t pocet = 0;
    for (const Volani& v : volani)
        if (v.zprava == NIM_MODIFY && (v.data.uFlags & NIF_INFO) && (v.data.dwInfoFlags & 0x3) == druh) ++pocet;
    return pocet;
}

class OknoTestu : public knihovna::OknoImpl<OknoTestu, knihovna::OknoModul>, public ModulAplikace {
public:
    KNIHOVNA_MAPA_ZPRAV(OknoTestu)
    KNIHOVNA_KONEC_MAPY()
};

// Seams, settings and the data folder of one test; everything restored at the end.
class Pamet : public ::testing::Test {
protected:
    void SetUp() override {
        volani.clear();
        zatizeni = 50;
        puvodniIkona = notifikacniIkona;
        notifikacniIkona = ZaznamenatVolani;
        puvodniStav = ziskatStavPameti;
        ziskatStavPameti = StavPameti;
        puvodniCas = ziskatMistniCasPameti;
        ziskatMistniCasPameti = PevnyCas;
        puvodniNastaveni = std::move(nastaveniSledovaniPameti);
        nastaveniSledovaniPameti = std::make_unique<KonfiguraceSledovaniPameti>();
        nastaveniSledovaniPameti->intervalAktualizace = 60000;  // the test ticks by hand
        puvodniData = aplikace.nastaveni.slozkaData.Text();
        aplikace.nastaveni.slozkaData = slozka.Cesta();
        puvodniZvuk = aplikace.nastaveni.zvuk;
        aplikace.nastaveni.zvuk = false;
        puvodniIkonaLogu = ikonaProZpravyLogu;
    }
    void TearDown() override {
        notifikacniIkona = puvodniIkona;
        ziskatStavPameti = puvodniStav;
        ziskatMistniCasPameti = puvodniCas;
        nastaveniSledovaniPameti = std::move(puvodniNastaveni);
        aplikace.nastaveni.slozkaData = puvodniData;
        aplikace.nastaveni.zvuk = puvodniZvuk;
        ikonaProZpravyLogu = puvodniIkonaLogu;
    }
    // Handles what the window posted to itself (its first tick).
    static void Vyprazdnit() {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    }

    testy::DocasnaSlozka slozka;
    FunkceNotifyIcon puvodniIkona = nullptr;
    FunkceStavPameti puvodniStav = nullptr;
    FunkceMistniCas puvodniCas = nullptr;
    std::unique_ptr<KonfiguraceSledovaniPameti> puvodniNastaveni;
    std::wstring puvodniData;
    bool puvodniZvuk = false;
    IkonaTray* (*puvodniIkonaLogu)() = nullptr;
};

}  // namespace

TEST(PametSloupce, VyskaZeZatizeni) {
    const struct {
        DWORD zatizeni;
        int vyska;
    } pripady[] = {{100, 16}, {99, 15}, {6, 0}, {7, 1}, {50, 8}, {0, 0}, {5, 0}};
    for (const auto& p : pripady) EXPECT_EQ(VyskaSloupce(p.zatizeni), p.vyska) << p.zatizeni;

    int historie[POCET_HISTORIE] = {};
    for (int i = 1; i <= 17; ++i) PosunoutHistorii(historie, i);
    EXPECT_EQ(historie[0], 17);   // the newest at the left edge
    EXPECT_EQ(historie[15], 2);   // the oldest of the last 16; 1 fell out
}

TEST_F(Pamet, IkonaKresliHistoriiSloupcuZlevaDoprava) {
    OknoTestu okno;
    HWND h = okno.Vytvorit(HWND_MESSAGE, nullptr, L"", WS_POPUP, 0, L"QTestIkonaPameti");
    KonfiguraceSledovaniPameti& n = *nastaveniSledovaniPameti;
    n.zobrazitText = false;  // the figures would cover the bars
    IkonaPameti ikona(h, n);
    ASSERT_FALSE(volani.empty());
    EXPECT_EQ(volani[0].zprava, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(volani[0].data.uID, 1u);
    EXPECT_EQ(volani[0].data.uCallbackMessage, static_cast<UINT>(WM_APP + 9));

    MEMORYSTATUS stav{};
    stav.dwTotalPhys = 1000u * 1024u;
    stav.dwAvailPhys = 400u * 1024u;
    for (DWORD z : {100u, 6u, 50u}) {  // newest last: history 8, 0, 16, then 13 empty columns
        stav.dwMemoryLoad = z;
        ikona.Aktualizovat(stav);
    }
    ASSERT_NE(ikona.Historie(), nullptr);
    EXPECT_EQ(ikona.Historie()[0], 8);
    EXPECT_EQ(ikona.Historie()[1], 0);
    EXPECT_EQ(ikona.Historie()[2], 16);

    // the pixels of the icon shown
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(ikona.Ikona(), &info));
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = 16;
    bi.bmiHeader.biHeight = -16;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    std::vector<DWORD> px(256);
    HDC dc = ::GetDC(nullptr);
    ASSERT_EQ(::GetDIBits(dc, info.hbmColor, 0, 16, px.data(), &bi, DIB_RGB_COLORS), 16);
    ::ReleaseDC(nullptr, dc);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    auto barva = [&](int x, int y) {
        DWORD p = px[static_cast<size_t>(y * 16 + x)];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    };
    const COLORREF sloupec = n.barvaObsazena, pozadi = n.barvaPozadi;
    for (int y = 0; y < 16; ++y) {
        EXPECT_EQ(barva(0, y), y >= 8 ? sloupec : pozadi) << "column 0 (load 50), row " << y;
        EXPECT_EQ(barva(1, y), pozadi) << "column 1 (load 6), row " << y;
        EXPECT_EQ(barva(2, y), sloupec) << "column 2 (load 100), row " << y;
        for (int x = 3; x < 16; ++x) EXPECT_EQ(barva(x, y), pozadi) << "empty column " << x << ", row " << y;
    }

    // the tooltip of the last tick, cut to 127 characters at the shell
    EXPECT_EQ(ikona.Tip().find(L"Využití RAM paměti: 50%\nVolná fyz. paměť: "), 0u) << ikona.Tip();
    EXPECT_NE(ikona.Tip().find(L"\nVyužitá fyz. paměť: "), std::wstring::npos);
    EXPECT_EQ(volani.back().zprava, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_LE(wcslen(volani.back().data.szTip), 127u);

    // both switches off: a plain square of the background colour
    n.zobrazitObsazena = false;
    stav.dwMemoryLoad = 100;
    ikona.Aktualizovat(stav);
    ASSERT_TRUE(::GetIconInfo(ikona.Ikona(), &info));
    dc = ::GetDC(nullptr);
    ::GetDIBits(dc, info.hbmColor, 0, 16, px.data(), &bi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, dc);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(barva(i % 16, i / 16), pozadi) << i;
}

TEST_F(Pamet, VarovaniNaPraguJednouSJednimRadkemLogu) {
    nastaveniSledovaniPameti->logovat = true;
    nastaveniSledovaniPameti->varovaniProcent = 85;
    ModulSledovaniPameti modul;
    modul.VytvoritOkno();
    Vyprazdnit();  // the first tick at load 50: no warning
    EXPECT_EQ(modul.varovani, nullptr);
    const std::wstring log = ModulSledovaniPameti::CestaLogu();
    EXPECT_FALSE(testy::ExistujeSoubor(log));

    zatizeni = 84;  // one point below
    modul.Tik();
    EXPECT_EQ(modul.varovani, nullptr);
    EXPECT_EQ(PocetBublin(NIIF_WARNING), 0u);

    zatizeni = 85;  // equal to the limit
    modul.Tik();
    ASSERT_NE(modul.varovani, nullptr);
    EXPECT_EQ(modul.varovani->id, 2u);
    EXPECT_EQ(PocetBublin(NIIF_WARNING), 1u);
    const std::wstring prvni = L"7.3.2007 9:05:02 - Bylo dosaženo 85 procent využití dostupné RAM paměti.\r\n";
    EXPECT_EQ(Obsah(log), prvni);  // no byte-order mark, nothing but the line

    // while the warning icon is shown: nothing more
    zatizeni = 99;
    modul.Tik();
    modul.Tik();
    EXPECT_EQ(PocetBublin(NIIF_WARNING), 1u);
    EXPECT_EQ(PocetRadku(Obsah(log)), 1u);

    // clicked away: the next tick at or above the threshold adds exactly one
    ::SendMessageW(modul.m_hWnd, WM_APP + 9, 2, WM_LBUTTONUP);
    EXPECT_EQ(modul.varovani, nullptr);
    modul.Tik();
    EXPECT_EQ(PocetBublin(NIIF_WARNING), 2u);
    EXPECT_EQ(Obsah(log), prvni + L"7.3.2007 9:05:02 - Bylo dosaženo 99 procent využití dostupné RAM paměti.\r\n");
    ::SendMessageW(modul.m_hWnd, WM_CLOSE, 0, 0);
}

TEST_F(Pamet, LogNaLimituNezapiseNicAUkazeBublinu) {
    const std::wstring cesta = slozka.Cesta() + L"\\Sledovani pameti.log";
    // one byte below the limit: one more whole line
    {
        HANDLE f = ::CreateFileW(cesta.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(f, INVALID_HANDLE_VALUE);
        std::vector<char> vypln(999, 'x');
        DWORD z = 0;
        ::WriteFile(f, vypln.data(), 999, &z, nullptr);
        ::CloseHandle(f);
    }
    EXPECT_EQ(ZapsatRadekLogu(cesta, L"zpráva", 1000), VysledekLogu::Zapsano);
    const std::wstring ocekavany = L"7.3.2007 9:05:02 - zpráva\r\n";
    EXPECT_EQ(testy::PrecistBajty(cesta).size(), 999u + ocekavany.size() * 2);

    // at or above the limit: nothing
    const size_t velikost = testy::PrecistBajty(cesta).size();
    EXPECT_EQ(ZapsatRadekLogu(cesta, L"zpráva", static_cast<DWORD>(velikost)), VysledekLogu::Plny);
    EXPECT_EQ(ZapsatRadekLogu(cesta, L"zpráva", 1000), VysledekLogu::Plny);
    EXPECT_EQ(testy::PrecistBajty(cesta).size(), velikost);

    // the module shows the limit balloon on the main icon
    OknoTestu hlavni;
    HWND h = hlavni.Vytvorit(HWND_MESSAGE, nullptr, L"", WS_POPUP, 0, L"QTestHlavniIkona");
    static IkonaTray ikonaHlavni;
    ikonaHlavni.Pridat(h, 1, ::LoadIconW(nullptr, IDI_APPLICATION), L"Kolvex");
    ikonaProZpravyLogu = [] { return &ikonaHlavni; };
    nastaveniSledovaniPameti->logovat = true;
    nastaveniSledovaniPameti->maxVelikostLogu = 1000;
    ModulSledovaniPameti modul;
    modul.VytvoritOkno();
    Vyprazdnit();
    volani.clear();
    zatizeni = 90;
    modul.Tik();
    EXPECT_EQ(testy::PrecistBajty(cesta).size(), velikost);
    ASSERT_EQ(PocetBublin(NIIF_ERROR), 1u);
    for (const Volani& v : volani)
        if ((v.data.dwInfoFlags & 0x3) == NIIF_ERROR) {
            EXPECT_EQ(v.data.hWnd, h);
            EXPECT_STREQ(v.data.szInfo,
                         L"Soubor logu dosáhl maximální nastavené povolené velikosti (1000 b).\nNyní do něj nelze zapsat.");
        }
    ::SendMessageW(modul.m_hWnd, WM_CLOSE, 0, 0);
}

TEST(PametRadekLogu, FormatDneAHodiny) {
    SYSTEMTIME c{};
    c.wYear = 2026;
    c.wMonth = 12;
    c.wDay = 31;
    c.wHour = 23;
    c.wMinute = 0;
    c.wSecond = 9;
    EXPECT_EQ(RadekLogu(c, L"x"), L"31.12.2026 23:00:09 - x\r\n");
}

namespace {
using Vlastnosti = std::map<std::wstring, HodnotaVlastnosti>;
HodnotaVlastnosti Text(const wchar_t* t) {
    HodnotaVlastnosti h;
    h.druh = HodnotaVlastnosti::Text;
    h.text = t;
    return h;
}
HodnotaVlastnosti Cislo(int64_t n) {
    HodnotaVlastnosti h;
    h.druh = HodnotaVlastnosti::Cislo;
    h.cislo = n;
    return h;
}
HodnotaVlastnosti Logicka(bool b) {
    HodnotaVlastnosti h;
    h.druh = HodnotaVlastnosti::Logicka;
    h.logicka = b;
    return h;
}
HodnotaVlastnosti Cist(void* objekt, const wchar_t* nazev) {
    const Vlastnosti& v = *static_cast<const Vlastnosti*>(objekt);
    auto it = v.find(nazev);
    return it == v.end() ? HodnotaVlastnosti{} : it->second;
}
}  // namespace

TEST(PametHardware, TabulkaVlastnostiModulu) {
    Vlastnosti modul = {
        {L"Capacity", Text(L"25274720256")}, {L"BankLabel", Text(L"BANK 0")}, {L"Description", Text(L"")},
        {L"DeviceLocator", Text(L"DIMM 0")}, {L"FormFactor", Cislo(8)},      {L"Manufacturer", Text(L"Brenvald")},
        {L"MemoryType", Cislo(20)},          {L"PositionInRow", Cislo(1)},   {L"PoweredOn", Logicka(true)},
        {L"Removable", Logicka(false)},      {L"SerialNumber", Text(L"00000000")}, {L"Speed", Cislo(1600)},
        {L"TotalWidth", Cislo(64)},          {L"TypeDetail", Cislo(132)},
    };
    const std::wstring kapacita = TextVelikosti(25274720256ULL);
    EXPECT_EQ(kapacita.find(L"23"), 0u) << kapacita;  // about 23.5 GB, not the 32-bit rest (3.5 GB)
    EXPECT_NE(kapacita.find(L"GB"), std::wstring::npos) << kapacita;
    EXPECT_EQ(TextVlastnostiModulu(&modul, Cist),
              L"Kapacita: " + kapacita + L"\r\n"
              L"Jmenovka: BANK 0\r\n"
              L"Umístění: DIMM 0\r\n"
              L"DIM (8)\r\n"
              L"Výrobce: Brenvald\r\n"
              L"Typ paměti: DDR\r\n"
              L"Umístění v řadě: 1\r\n"
              L"Napájená: ANO\r\n"
              L"Removable: NE\r\n"
              L"Sériové číslo: 00000000\r\n"
              L"Rychlost: 1600\r\n"
              L"Celková šířka: 64\r\n"
              L"Podrobnosti o typu: nezjištěno\r\n");
    EXPECT_EQ(TextPolozkyModulu(&modul, Cist), L"Blok #1 (" + kapacita + L")");

    Vlastnosti prazdny;
    EXPECT_EQ(TextVlastnostiModulu(&prazdny, Cist), L"");
    EXPECT_EQ(TextPolozkyModulu(&prazdny, Cist), L"Blok #");

    EXPECT_EQ(TextFormFactor(12), L"Nezjištěný typ: 12");
    EXPECT_EQ(TextTypeDetail(128), L"Synchronní");
    EXPECT_EQ(TextTypeDetail(4), L"Neznámý");
    EXPECT_EQ(TextMemoryType(1), L"Nezjištěný");
    EXPECT_EQ(TextMemoryType(3), L"Synchronní DRAM");

    uint64_t k = 0;
    EXPECT_FALSE(PrecistKapacitu(Text(L"99999999999999999999999"), k));  // no wrap on overflow
    EXPECT_FALSE(PrecistKapacitu(Text(L"12a"), k));
    EXPECT_TRUE(PrecistKapacitu(Cislo(4096), k));
    EXPECT_EQ(k, 4096u);
}

TEST(PametHardware, HodnotyVariant) {
    VARIANT v;
    ::VariantInit(&v);
    V_VT(&v) = VT_NULL;
    EXPECT_EQ(HodnotaZVarianty(v).druh, HodnotaVlastnosti::Chybi);
    V_VT(&v) = VT_I4;
    V_I4(&v) = 8;
    EXPECT_EQ(HodnotaZVarianty(v).cislo, 8);
    V_VT(&v) = VT_BOOL;
    V_BOOL(&v) = VARIANT_TRUE;
    EXPECT_TRUE(HodnotaZVarianty(v).logicka);
    Varianta text;
    V_VT(&text) = VT_BSTR;
    V_BSTR(&text) = ::SysAllocString(L"25274720256");
    HodnotaVlastnosti h = HodnotaZVarianty(text.Hodnota());
    EXPECT_EQ(h.druh, HodnotaVlastnosti::Text);
    uint64_t k = 0;
    ASSERT_TRUE(PrecistKapacitu(h, k));
    EXPECT_EQ(k, 25274720256ULL);
}

TEST_F(Pamet, PanelPodrobnostiUkazujeHodnoty) {
    DlgPametInfo dialog;
    dialog.Vytvorit(nullptr);
    zatizeni = 47;
    MEMORYSTATUS stav{};
    StavPameti(&stav);
    dialog.Zobrazit(stav);
    wchar_t text[80] = L"";
    ::GetDlgItemTextW(dialog.m_hWnd, IDC_PAMET_VYUZITI, text, 80);
    EXPECT_STREQ(text, L"47 %");
    ::GetDlgItemTextW(dialog.m_hWnd, IDC_PAMET_VOLNA, text, 80);
    EXPECT_NE(wcsstr(text, L"KB"), nullptr) << text;
    ::KillTimer(dialog.m_hWnd, 10);
}

// The notification area is told only what changed: a steady load sends nothing after the history
// has filled; a tip that changed alone waits for the pointer over the icon; a new picture sends
// the icon with the tip; a refused change is told again on the next tick.
TEST_F(Pamet, IkonaSeOdesilaJenPriZmeneObrazkuNeboTipu) {
    OknoTestu okno;
    HWND h = okno.Vytvorit(HWND_MESSAGE, nullptr, L"", WS_POPUP, 0, L"QTestIkonaPametiZmeny");
    KonfiguraceSledovaniPameti& n = *nastaveniSledovaniPameti;
    IkonaPameti ikona(h, n);
    MEMORYSTATUS stav{};
    stav.dwTotalPhys = 1000u * 1024u;
    stav.dwAvailPhys = 400u * 1024u;
    stav.dwMemoryLoad = 60;
    for (int i = 0; i < POCET_HISTORIE; ++i) ikona.Aktualizovat(stav);  // the history fills
    const struct {
        const char* popis;
        DWORD zatizeni;
        SIZE_T volna;
        bool ukazat;    // the pointer over the icon after the tick
        UINT priznaky;  // of the one NIM_MODIFY; 0 = none sent
    } pripady[] = {
        {"the same load and memory", 60, 400u * 1024u, false, 0},
        {"again the same, pointed at", 60, 400u * 1024u, true, 0},
        {"the free memory alone", 60, 300u * 1024u, false, 0},
        {"pointed at: the new tip", 60, 300u * 1024u, true, NIF_TIP},
        {"pointed at again", 60, 300u * 1024u, true, 0},
        {"a new load: new figures and a new column", 70, 200u * 1024u, false, NIF_ICON | NIF_TIP},
        {"steady again: the history still moves", 70, 200u * 1024u, false, NIF_ICON},
    };
    for (const auto& p : pripady) {
        stav.dwMemoryLoad = p.zatizeni;
        stav.dwAvailPhys = p.volna;
        volani.clear();
        ikona.Aktualizovat(stav);
        if (p.ukazat) ikona.Ukazat();
        if (p.priznaky == 0) {
            EXPECT_TRUE(volani.empty()) << p.popis;
        } else {
            ASSERT_EQ(volani.size(), 1u) << p.popis;
            EXPECT_EQ(volani[0].zprava, static_cast<DWORD>(NIM_MODIFY)) << p.popis;
            EXPECT_EQ(volani[0].data.uFlags, p.priznaky) << p.popis;
        }
    }
    for (int i = 0; i < POCET_HISTORIE; ++i) ikona.Aktualizovat(stav);
    volani.clear();
    ikona.Aktualizovat(stav);
    EXPECT_TRUE(volani.empty());

    // the shell refuses a change: the next tick tells it again
    notifikacniIkona = OdmitnoutVolani;
    stav.dwMemoryLoad = 20;
    for (int i = 0; i < POCET_HISTORIE; ++i) ikona.Aktualizovat(stav);
    notifikacniIkona = ZaznamenatVolani;
    volani.clear();
    ikona.Aktualizovat(stav);
    ASSERT_EQ(volani.size(), 1u);
    EXPECT_EQ(volani[0].data.uFlags, static_cast<UINT>(NIF_ICON | NIF_TIP));
    volani.clear();
    ikona.Aktualizovat(stav);
    EXPECT_TRUE(volani.empty());
}
