// Picture formats and the picture holder: the encoder table, encoders by extension, scaling
// and drawing geometry, loading, saving in every format and saving over the picture's own file.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "core/obrazek.h"
#include "knihovna/chyba.h"
#include "podpora/obrazky.h"
#include "podpora/pomocnik.h"

namespace {

class Obrazek : public ::testing::Test {
protected:
    void SetUp() override { testy::SpustitGdiPlus(); }

    // A picture of w x h in one colour.
    static Gdiplus::Bitmap* Jednobarevny(int w, int h, COLORREF barva) {
        auto* b = new Gdiplus::Bitmap(w, h, PixelFormat32bppARGB);
        Gdiplus::Graphics g(b);
        g.Clear(Gdiplus::Color(255, GetRValue(barva), GetGValue(barva), GetBValue(barva)));
        return b;
    }

    static std::string Obsah(const std::wstring& soubor) {
        std::string obsah;
        if (FILE* f = _wfopen(soubor.c_str(), L"rb")) {
            char buffer[4096];
            size_t n;
            while ((n = fread(buffer, 1, sizeof(buffer), f)) > 0) obsah.append(buffer, n);
            fclose(f);
        }
        return obsah;
    }
    static void Zapsat(const std::wstring& soubor, const std::string& obsah) {
        if (FILE* f = _wfopen(soubor.c_str(), L"wb")) {
            fwrite(obsah.data(), 1, obsah.size(), f);
            fclose(f);
        }
    }

    testy::DocasnaSlozka slozka;
};

HRESULT ChybaVolani(const std::function<void()>& volani) {
    try {
        volani();
    } catch (const knihovna::Chyba& chyba) {
        return chyba.Hresult();
    }
    return S_OK;
}

}  // namespace

TEST_F(Obrazek, TabulkaMaPetRadkuVPoradiCislaFormatu) {
    std::unique_ptr<TabulkaFormatu> tabulka;
    VytvoritTabulkuFormatu(tabulka);
    ASSERT_TRUE(tabulka);
    struct Radek {
        const wchar_t* mime;
        const wchar_t* nazev;
        const wchar_t* pripona;
        const wchar_t* popis;
    } ocekavane[] = {{L"image/jpeg", L"JPEG", L".jpg", L"JPEG"},
                     {L"image/png", L"PNG", L".png", L"PNG"},
                     {L"image/bmp", L"BMP", L".bmp", L"Bitmapa (BMP)"},
                     {L"image/tiff", L"TIFF", L".tif", L"TIFF"},
                     {L"image/gif", L"GIF", L".gif", L"GIF"}};
    for (int i = 0; i < POCET_FORMATU_OBRAZKU; ++i) {
        SCOPED_TRACE(i);
        const FormatObrazku& radek = (*tabulka)[i];
        EXPECT_EQ(radek.nazev, ocekavane[i].nazev);
        EXPECT_EQ(radek.pripona, ocekavane[i].pripona);
        EXPECT_EQ(radek.popis, ocekavane[i].popis);
        CLSID clsid{};
        ASSERT_GE(NajitKodekObrazku(ocekavane[i].mime, clsid), 0);
        EXPECT_TRUE(IsEqualCLSID(radek.koder, clsid));
    }
    CLSID velkymi{};
    EXPECT_GE(NajitKodekObrazku(L"IMAGE/PNG", velkymi), 0) << "MIME types compare without case";
    EXPECT_TRUE(IsEqualCLSID(velkymi, (*tabulka)[FORMAT_PNG].koder));
    CLSID zadny{};
    EXPECT_EQ(NajitKodekObrazku(L"image/x-neznamy", zadny), -1);
}

TEST_F(Obrazek, KoderPodlePriponyHledaVSeznamuPripon) {
    std::unique_ptr<TabulkaFormatu> tabulka;
    VytvoritTabulkuFormatu(tabulka);
    struct {
        const wchar_t* pripona;
        int radek;  // -1 = none
    } pripady[] = {{L".jpg", FORMAT_JPEG}, {L".jpeg", FORMAT_JPEG}, {L".JPE", FORMAT_JPEG}, {L".tif", FORMAT_TIFF},
                   {L".tiff", FORMAT_TIFF}, {L".Png", FORMAT_PNG},  {L".gif", FORMAT_GIF},  {L".bmp", FORMAT_BMP},
                   {L".xyz", -1}};
    for (const auto& p : pripady) {
        SCOPED_TRACE(testing::Message() << std::string(p.pripona, p.pripona + wcslen(p.pripona)));
        CLSID clsid{};
        int index = NajitKodekPodlePripony(p.pripona, clsid);
        if (p.radek < 0) {
            EXPECT_EQ(index, -1);
        } else {
            ASSERT_GE(index, 0);
            EXPECT_TRUE(IsEqualCLSID(clsid, (*tabulka)[p.radek].koder));
        }
    }
}

TEST(ObrazekGeometrie, KopieVPomeruZachovaPomerStran) {
    struct {
        UINT w, h, tw, th;
        LONG cx, cy;
    } pripady[] = {
        {800, 600, 400, 400, 400, 300},   // reduced, width-limited
        {800, 600, 1000, 300, 400, 300},  // reduced, height-limited
        {100, 50, 400, 400, 400, 200},    // enlarged
        {100, 100, 50, 50, 50, 50},       // equal ratios
    };
    for (const auto& p : pripady) {
        SIZE s = ObrazekGdiPlus::VelikostVPomeru(p.w, p.h, p.tw, p.th);
        EXPECT_EQ(s.cx, p.cx) << p.w << "x" << p.h << " into " << p.tw << "x" << p.th;
        EXPECT_EQ(s.cy, p.cy) << p.w << "x" << p.h << " into " << p.tw << "x" << p.th;
    }
}

TEST(ObrazekGeometrie, VykresleniVystrediZvetsiNeboZmensi) {
    struct {
        UINT w, h, rw, rh;
        RECT r;
    } pripady[] = {
        {100, 50, 300, 300, {100, 125, 200, 175}},  // smaller: natural size, centred
        {300, 50, 300, 300, {0, 0, 300, 300}},      // equal in one direction: stretched
        {600, 300, 300, 300, {0, 75, 300, 225}},    // wider: width-limited
        {300, 600, 300, 300, {75, 0, 225, 300}},    // taller: height-limited
    };
    for (const auto& p : pripady) {
        RECT r = ObrazekGdiPlus::RozmistitObrazek(p.w, p.h, p.rw, p.rh);
        EXPECT_TRUE(EqualRect(&r, &p.r)) << p.w << "x" << p.h << " in " << p.rw << "x" << p.rh << " gave " << r.left
                                         << "," << r.top << "," << r.right << "," << r.bottom;
    }
}

TEST_F(Obrazek, BezObrazkuHlasiChybejiciObrazek) {
    ObrazekGdiPlus o;
    EXPECT_EQ(ChybaVolani([&] { o.Sirka(); }), E_HANDLE);
    EXPECT_EQ(ChybaVolani([&] { o.KopieVPomeru(10, 10); }), E_HANDLE);
    EXPECT_EQ(ChybaVolani([&] { o.UlozitDoSouboru(slozka.Cesta() + L"\\a.png"); }), E_HANDLE);
    EXPECT_EQ(ChybaVolani([&] { o.Ulozit(slozka.Cesta() + L"\\a.png"); }), E_HANDLE);
    EXPECT_FALSE(testy::ExistujeSoubor(slozka.Cesta() + L"\\a.png"));
    HDC dc = ::CreateCompatibleDC(nullptr);
    EXPECT_EQ(ChybaVolani([&] { o.Vykreslit(dc, 10, 10); }), S_OK) << "drawing nothing is no error";
    ::DeleteDC(dc);

    ObrazekGdiPlus* drzitel = new ObrazekGdiPlus;
    SmazatObrazekGdiPlus(drzitel);
    EXPECT_EQ(drzitel, nullptr);
    SmazatObrazekGdiPlus(drzitel);  // a null holder is left alone
}

TEST_F(Obrazek, UlozeniVKazdemFormatuSeZnovuNacte) {
    struct {
        const wchar_t* pripona;
        const char* format;
    } pripady[] = {{L".jpg", "JPEG"}, {L".jpeg", "JPEG"}, {L".png", "PNG"}, {L".bmp", "BMP"}, {L".tif", "TIFF"}};
    for (const auto& p : pripady) {
        ObrazekGdiPlus o;
        o.Nastavit(Jednobarevny(64, 48, RGB(10, 200, 30)));
        const std::wstring soubor = slozka.Cesta() + L"\\obr" + p.pripona;
        ASSERT_EQ(ChybaVolani([&] { o.UlozitDoSouboru(soubor); }), S_OK) << p.format;
        testy::DekodovanyObrazek d = testy::Dekodovat(soubor);
        EXPECT_TRUE(d.nacten) << p.format;
        EXPECT_EQ(d.sirka, 64u);
        EXPECT_EQ(d.vyska, 48u);
        EXPECT_EQ(d.format, p.format);
        EXPECT_EQ(o.posledniStav, Gdiplus::Ok);
    }
    ObrazekGdiPlus o;
    o.Nastavit(Jednobarevny(8, 8, 0));
    EXPECT_EQ(ChybaVolani([&] { o.UlozitDoSouboru(slozka.Cesta() + L"\\bez_pripony"); }), E_INVALIDARG);
    EXPECT_NE(ChybaVolani([&] { o.UlozitDoSouboru(slozka.Cesta() + L"\\obr.xyz"); }), S_OK);
    EXPECT_NE(ChybaVolani([&] { o.UlozitDoSouboru(slozka.Cesta() + L"\\chybi\\obr.png"); }), S_OK);
}

TEST_F(Obrazek, NacteniChybnehoSouboruHlasiNeplatnyArgument) {
    const std::wstring poskozeny = slozka.Cesta() + L"\\poskozeny.jpg";
    Zapsat(poskozeny, "toto neni obrazek");
    ObrazekGdiPlus o;
    EXPECT_EQ(ChybaVolani([&] { o.NacistZeSouboru(poskozeny); }), E_INVALIDARG);
    EXPECT_EQ(ChybaVolani([&] { o.NacistZeSouboru(slozka.Cesta() + L"\\neni.png"); }), E_INVALIDARG);
    EXPECT_EQ(ChybaVolani([&] { o.NacistZeSouboru(L""); }), E_INVALIDARG);
    EXPECT_FALSE(o.obrazek);
    EXPECT_TRUE(o.cesta.empty());
}

TEST_F(Obrazek, KopieVPomeruZvetsiObsahNaCelouPlochu) {
    ObrazekGdiPlus o;
    o.Nastavit(Jednobarevny(100, 50, RGB(200, 20, 20)));
    o.cesta = L"C:\\puvodni.png";
    o.KopieVPomeru(400, 400);
    ASSERT_EQ(o.Sirka(), 400u);
    ASSERT_EQ(o.Vyska(), 200u);
    EXPECT_EQ(testy::Pixel(*o.obrazek, 2, 2), RGB(200, 20, 20));
    EXPECT_EQ(testy::Pixel(*o.obrazek, 397, 197), RGB(200, 20, 20));
    EXPECT_EQ(o.cesta, L"C:\\puvodni.png") << "the path does not change";

    o.KopieVPomeru(100, 1000);
    EXPECT_EQ(o.Sirka(), 100u);
    EXPECT_EQ(o.Vyska(), 50u);
}

TEST_F(Obrazek, VykresleniMensihoObrazkuHoVystredi) {
    ObrazekGdiPlus o;
    o.Nastavit(Jednobarevny(100, 50, RGB(0, 0, 255)));
    HDC obrazovka = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(obrazovka);
    HBITMAP bitmapa = ::CreateCompatibleBitmap(obrazovka, 300, 300);
    ::ReleaseDC(nullptr, obrazovka);
    HGDIOBJ puvodni = ::SelectObject(dc, bitmapa);
    RECT vse{0, 0, 300, 300};
    ::FillRect(dc, &vse, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    o.Vykreslit(dc, 300, 300);
    EXPECT_EQ(::GetPixel(dc, 150, 150), RGB(0, 0, 255));
    EXPECT_EQ(::GetPixel(dc, 101, 126), RGB(0, 0, 255));
    EXPECT_EQ(::GetPixel(dc, 98, 150), RGB(255, 255, 255));
    EXPECT_EQ(::GetPixel(dc, 150, 123), RGB(255, 255, 255));
    ::SelectObject(dc, puvodni);
    ::DeleteObject(bitmapa);
    ::DeleteDC(dc);
}

TEST_F(Obrazek, UlozeniDoVlastnihoSouboruJdePresDocasnySoubor) {
    const std::wstring soubor = slozka.Cesta() + L"\\snimek.png";
    {
        ObrazekGdiPlus zdroj;
        zdroj.Nastavit(Jednobarevny(40, 30, RGB(255, 0, 0)));
        zdroj.UlozitDoSouboru(soubor);
    }
    ObrazekGdiPlus o;
    o.NacistZeSouboru(soubor);
    ASSERT_EQ(o.cesta, soubor);
    o.KopieVPomeru(80, 80);  // 80 x 60 now

    // the same path in other letter case counts as the own file
    std::wstring jinak = soubor;
    for (auto& z : jinak) z = static_cast<wchar_t>(towupper(z));
    ASSERT_EQ(ChybaVolani([&] { o.Ulozit(jinak); }), S_OK);
    EXPECT_FALSE(testy::ExistujeSoubor(soubor + L"_temp_.png"));
    ASSERT_TRUE(o.obrazek) << "the picture is loaded again from its file";
    EXPECT_EQ(o.Sirka(), 80u);
    EXPECT_EQ(o.cesta, soubor);
    testy::DekodovanyObrazek d = testy::Dekodovat(soubor);
    EXPECT_EQ(d.sirka, 80u);
    EXPECT_EQ(d.vyska, 60u);
}

TEST_F(Obrazek, NezdareneNahrazeniPonechaPuvodniSoubor) {
    const std::wstring soubor = slozka.Cesta() + L"\\chraneny.png";
    {
        ObrazekGdiPlus zdroj;
        zdroj.Nastavit(Jednobarevny(40, 30, RGB(0, 255, 0)));
        zdroj.UlozitDoSouboru(soubor);
    }
    const std::string puvodni = Obsah(soubor);
    ObrazekGdiPlus o;
    o.NacistZeSouboru(soubor);
    o.KopieVPomeru(80, 80);
    // another program reads the file and does not let it be replaced meanwhile
    HANDLE ctenar = ::CreateFileW(soubor.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(ctenar, INVALID_HANDLE_VALUE);

    EXPECT_NE(ChybaVolani([&] { o.Ulozit(soubor); }), S_OK) << "a replace that failed is reported";
    ::CloseHandle(ctenar);
    EXPECT_EQ(Obsah(soubor), puvodni) << "the original file is untouched";
    EXPECT_FALSE(testy::ExistujeSoubor(soubor + L"_temp_.png"));
    ASSERT_TRUE(o.obrazek) << "the holder keeps the original picture";
    EXPECT_EQ(o.Sirka(), 40u);
}
