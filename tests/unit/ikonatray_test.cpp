// Tray icon record, balloons and control icons, checked through the Shell_NotifyIconW seam.
#include <gtest/gtest.h>

#include <vector>

#include "core/aplikace.h"
#include "core/ikonatray.h"
#include "core/oknohlavni.h"
#include "knihovna/okno.h"
#include "knihovna/text.h"

namespace {

struct Volani {
    DWORD zprava;
    NOTIFYICONDATAW data;
};
std::vector<Volani> volani;
BOOL vysledekVolani = TRUE;

BOOL WINAPI ZaznamenatVolani(DWORD zprava, PNOTIFYICONDATAW data) {
    volani.push_back({zprava, *data});
    if (!vysledekVolani) ::SetLastError(ERROR_ACCESS_DENIED);
    return vysledekVolani;
}

// A plain window of this thread with an icon (or without one).
class OknoSIkonou : public knihovna::OknoImpl<OknoSIkonou, knihovna::OknoModul>, public ModulAplikace {
public:
    KNIHOVNA_MAPA_ZPRAV(OknoSIkonou)
    KNIHOVNA_KONEC_MAPY()
};

class IkonyTray : public ::testing::Test {
protected:
    void SetUp() override {
        volani.clear();
        vysledekVolani = TRUE;
        puvodni = notifikacniIkona;
        notifikacniIkona = ZaznamenatVolani;
        ikona = ::LoadIconW(nullptr, IDI_APPLICATION);
    }
    void TearDown() override { notifikacniIkona = puvodni; }

    HWND VytvoritOkno(OknoSIkonou& okno, const wchar_t* trida, HICON ikonaTridy, const wchar_t* titulek = L"") {
        return okno.Vytvorit(HWND_MESSAGE, nullptr, titulek, WS_POPUP, 0, trida, nullptr, ikonaTridy);
    }

    FunkceNotifyIcon puvodni = nullptr;
    HICON ikona = nullptr;
};

}  // namespace

TEST_F(IkonyTray, PridaniPopisAOdebrani) {
    OknoSIkonou okno;
    HWND h = VytvoritOkno(okno, L"QTestIkonaTray", ikona, L"Titulek okna");
    IkonaTray zaznam;
    zaznam.Pridat(h, 7, nullptr, nullptr);  // no icon given: the class's small icon; no tip: the window text
    HICON maleTridy = reinterpret_cast<HICON>(::GetClassLongPtrW(h, GCLP_HICONSM));
    ASSERT_NE(maleTridy, nullptr);
    ASSERT_EQ(volani.size(), 1u);
    EXPECT_EQ(volani[0].zprava, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(volani[0].data.cbSize, sizeof(NOTIFYICONDATAW));
    EXPECT_EQ(volani[0].data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(volani[0].data.uCallbackMessage, static_cast<UINT>(WM_APP + 9));
    EXPECT_EQ(volani[0].data.uID, 7u);
    EXPECT_EQ(volani[0].data.hIcon, maleTridy);
    EXPECT_STREQ(volani[0].data.szTip, L"Titulek okna");
    EXPECT_EQ(zaznam.stav, -1);
    EXPECT_EQ(zaznam.ikona, maleTridy);

    // tooltips: cut to 127 characters; null is empty
    struct {
        std::wstring text;
        std::wstring ocekavany;
    } popisy[] = {
        {std::wstring(127, L'ů'), std::wstring(127, L'ů')},
        {std::wstring(200, L'x'), std::wstring(127, L'x')},
        {L"", L""},
    };
    for (const auto& p : popisy) {
        zaznam.NastavitPopis(p.text.c_str());
        EXPECT_EQ(volani.back().data.uFlags, static_cast<UINT>(NIF_TIP));
        EXPECT_EQ(std::wstring(volani.back().data.szTip), p.ocekavany);
    }
    zaznam.NastavitPopis(nullptr);
    EXPECT_STREQ(volani.back().data.szTip, L"");

    zaznam.Odebrat();
    EXPECT_EQ(volani.back().zprava, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(zaznam.id, 0u);
    size_t pocet = volani.size();
    zaznam.Odebrat();  // nothing added: nothing happens
    EXPECT_EQ(volani.size(), pocet);
    EXPECT_THROW(zaznam.NastavitPopis(L"x"), knihovna::Chyba);
    EXPECT_THROW(zaznam.ZmenitIkonu(ikona), knihovna::Chyba);
    EXPECT_THROW(SkrytBublinu(zaznam), knihovna::Chyba);
    EXPECT_THROW(ZobrazitBublinu(zaznam, L"T", BUBLINA_CHYBA, true, L"x"), knihovna::Chyba);
}

TEST_F(IkonyTray, OknoBezIkonyATipZeJmenaTridy) {
    OknoSIkonou okno;
    HWND h = VytvoritOkno(okno, L"QTestBezIkony", nullptr);
    IkonaTray zaznam;
    try {
        zaznam.Pridat(h, 1, nullptr, nullptr);
        FAIL() << "a window without icons got a tray icon";
    } catch (const knihovna::Chyba& chyba) {
        EXPECT_EQ(chyba.Hresult(), E_INVALIDARG);
    }
    EXPECT_TRUE(volani.empty());
    EXPECT_THROW(zaznam.Pridat(nullptr, 1, ikona, nullptr), knihovna::Chyba);

    // with an icon given and an untitled window, the tip is the class name
    zaznam.Pridat(h, 1, ikona, nullptr);
    EXPECT_STREQ(volani.back().data.szTip, L"QTestBezIkony");

    // a refused call raises the last error
    vysledekVolani = FALSE;
    try {
        zaznam.NastavitPopis(L"x");
        FAIL();
    } catch (const knihovna::Chyba& chyba) {
        EXPECT_EQ(chyba.Hresult(), HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
    }
}

TEST_F(IkonyTray, BublinyPodleDruhuAZvuku) {
    OknoSIkonou okno;
    HWND h = VytvoritOkno(okno, L"QTestIkonaTray", ikona);
    IkonaTray zaznam;
    zaznam.Pridat(h, 1, ikona, L"tip");
    HICON vlastni = ::LoadIconW(nullptr, IDI_WARNING);

    struct {
        DWORD druh;
        bool zvuk;
        HICON vlastniIkona;
        DWORD priznaky;
        HICON ocekavanaIkona;
    } pripady[] = {
        {BUBLINA_INFORMACE, true, nullptr, NIIF_INFO, ikona},  // the record's icon
        {BUBLINA_INFORMACE, true, vlastni, NIIF_USER, vlastni},
        {BUBLINA_INFORMACE, false, vlastni, NIIF_USER | NIIF_NOSOUND, vlastni},
        {BUBLINA_VAROVANI, true, vlastni, NIIF_WARNING, nullptr},
        {BUBLINA_CHYBA, true, nullptr, NIIF_ERROR, nullptr},
        {BUBLINA_CHYBA, false, nullptr, NIIF_ERROR | NIIF_NOSOUND, nullptr},
    };
    for (const auto& p : pripady) {
        volani.clear();
        ZobrazitBublinu(zaznam, L"Kolvex", p.druh, p.zvuk, L"Text", p.vlastniIkona);
        ASSERT_EQ(volani.size(), 2u);
        // the previous balloon is hidden first
        EXPECT_EQ(volani[0].data.uFlags, static_cast<UINT>(NIF_INFO));
        EXPECT_STREQ(volani[0].data.szInfo, L"");
        const NOTIFYICONDATAW& d = volani[1].data;
        EXPECT_EQ(volani[1].zprava, static_cast<DWORD>(NIM_MODIFY));
        EXPECT_EQ(d.uFlags, static_cast<UINT>(NIF_INFO));
        EXPECT_EQ(d.dwInfoFlags, p.priznaky) << p.druh << " " << p.zvuk;
        EXPECT_EQ(d.hIcon, p.ocekavanaIkona);
        EXPECT_EQ(d.uTimeout, 11000u);
    }

    // title cut to 63 characters, text to 255
    struct {
        std::wstring titulek, text;
        size_t delkaTitulku, delkaTextu;
    } delky[] = {
        {std::wstring(63, L'č'), std::wstring(255, L'ř'), 63, 255},
        {std::wstring(64, L'č'), std::wstring(256, L'ř'), 63, 255},
        {std::wstring(500, L'a'), std::wstring(5000, L'b'), 63, 255},
        {L"", L"", 0, 0},
    };
    for (const auto& d : delky) {
        ZobrazitBublinu(zaznam, d.titulek, BUBLINA_CHYBA, true, d.text);
        EXPECT_EQ(wcslen(volani.back().data.szInfoTitle), d.delkaTitulku);
        EXPECT_EQ(wcslen(volani.back().data.szInfo), d.delkaTextu);
        EXPECT_EQ(std::wstring(volani.back().data.szInfoTitle), d.titulek.substr(0, d.delkaTitulku));
    }

    // the text of a balloon by string id
    ZobrazitBublinuId(zaznam, L"Kolvex", BUBLINA_CHYBA, true, 31);
    EXPECT_STREQ(volani.back().data.szInfo, L"%d klávesové zkratky se nepodařilo zaregistrovat.");
}

TEST_F(IkonyTray, PopisHlavniIkonyOriznutyNaDelkuTipu) {
    struct {
        std::wstring uzivatel, pocitac, ip;
        std::wstring ocekavany;
    } pripady[] = {
        {L"root", L"VM", L"127.0.0.1", L"** Kolvex **\nUživatel: root\nPočitač: VM\nIP adresa: 127.0.0.1"},
        {L"Přihlášený uživatel", L"Tento počítač", L"Nezjištěná IP",
         L"** Kolvex **\nUživatel: Přihlášený uživatel\nPočitač: Tento počítač\nIP adresa: Nezjištěná IP"},
        {std::wstring(120, L'u'), L"VM", L"10.0.0.1",
         (L"** Kolvex **\nUživatel: " + std::wstring(120, L'u')).substr(0, 127)},
    };
    OknoSIkonou okno;
    HWND h = VytvoritOkno(okno, L"QTestIkonaTray", ikona);
    for (const auto& p : pripady) {
        std::wstring popis = PopisHlavniIkony(L"Kolvex", p.uzivatel, p.pocitac, p.ip);
        IkonaTray zaznam;
        zaznam.Pridat(h, 1, ikona, popis.c_str());
        EXPECT_EQ(std::wstring(volani.back().data.szTip), p.ocekavany);
        zaznam.Odebrat();
    }
}

TEST_F(IkonyTray, OvladaciIkonaModulu) {
    aplikace.titulek = L"Kolvex";
    OknoSIkonou okno;
    HWND h = VytvoritOkno(okno, L"QTestModul", nullptr);
    okno.ikonaModulu = ::CopyIcon(ikona);
    okno.nazevModulu = L"Hodiny";

    okno.VytvoritOvladaciIkonu();
    ASSERT_NE(okno.ovladaciIkona, nullptr);
    ASSERT_EQ(volani.size(), 2u);
    EXPECT_EQ(volani[0].zprava, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(volani[0].data.hWnd, h);
    EXPECT_EQ(volani[0].data.uID, 1u);
    EXPECT_EQ(volani[0].data.hIcon, okno.ikonaModulu);
    EXPECT_STREQ(volani[1].data.szTip, L"* Hodiny *\nKolvex");

    okno.VytvoritOvladaciIkonu();  // already shown: nothing
    EXPECT_EQ(volani.size(), 2u);

    okno.ObnovitOvladaciIkonu();
    ASSERT_EQ(volani.size(), 5u);
    EXPECT_EQ(volani[2].zprava, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(volani[3].zprava, static_cast<DWORD>(NIM_ADD));

    okno.OdebratOvladaciIkonu();
    EXPECT_EQ(okno.ovladaciIkona, nullptr);
    EXPECT_EQ(volani.back().zprava, static_cast<DWORD>(NIM_DELETE));

    // a failing add leaves no icon record behind
    vysledekVolani = FALSE;
    EXPECT_THROW(okno.VytvoritOvladaciIkonu(), knihovna::Chyba);
    EXPECT_EQ(okno.ovladaciIkona, nullptr);
}
