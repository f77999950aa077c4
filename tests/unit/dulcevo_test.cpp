// Dulcevo: the command line, the route by extension, the text of a file's bytes, and the
// program itself putting files on the clipboard or saying why it cannot.
#include <gtest/gtest.h>

#include "dulcevo/dulcevo.h"
#include "podpora/obrazky.h"
#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "unit/programy_pomocnik.h"

TEST(Dulcevo, PrikazovyRadekAPripony) {
    struct {
        const wchar_t* radek;
        const wchar_t* cesta;
    } radky[] = {
        {L"Dulcevo.exe \"C:\\moje soubory\\a b.txt\"", L"C:\\moje soubory\\a b.txt"},
        {L"\"C:\\Program Files\\Dulcevo.exe\"  \"C:\\x.txt\"", L"C:\\x.txt"},
        {L"Dulcevo.exe C:\\bez uvozovek.txt ", L"C:\\bez uvozovek.txt "},
        {L"Dulcevo.exe \"\"C:\\dvojite.txt\"\"", L"C:\\dvojite.txt"},
        {L"Dulcevo.exe", L""},
        {L"Dulcevo.exe    ", L""},
        {L" \"C:\\z Tesmarinu.txt\"", L"C:\\z Tesmarinu.txt"},
    };
    for (const auto& r : radky) EXPECT_EQ(dulcevo::CestaZPrikazoveRadky(r.radek), r.cesta) << r.radek;

    for (const wchar_t* obrazek : {L"Photo.JPEG", L"a.jpg", L"b.BMP", L"c.gif", L"d.png"})
        EXPECT_TRUE(dulcevo::JeObrazek(obrazek)) << obrazek;
    for (const wchar_t* text : {L"scan.tiff", L"notes", L"C:\\a.png\\notes", L"x.txt", L"y.jpg.txt"})
        EXPECT_FALSE(dulcevo::JeObrazek(text)) << text;
}

TEST(Dulcevo, TextZBajtuSouboru) {
    auto Bajty = [](const std::string& s) { return std::vector<BYTE>(s.begin(), s.end()); };
    // UTF-16 with the mark: Unicode text without the mark
    dulcevo::Text t = dulcevo::TextZBajtu(Bajty(std::string("\xFF\xFE" "\x0D\x01" "a\0", 6)));
    EXPECT_TRUE(t.unicode);
    EXPECT_EQ(t.siroky, L"ča");
    // up to the first zero character; an odd last byte is ignored
    t = dulcevo::TextZBajtu(Bajty(std::string("\xFF\xFE" "a\0\0\0b\0c", 9)));
    EXPECT_EQ(t.siroky, L"a");
    // the same text without the mark: 8-bit up to the first zero byte
    t = dulcevo::TextZBajtu(Bajty(std::string("a\0b\0", 4)));
    EXPECT_FALSE(t.unicode);
    EXPECT_EQ(t.uzky, "a");
    // UTF-8 with its mark goes as 8-bit text, mark included
    t = dulcevo::TextZBajtu(Bajty("\xEF\xBB\xBFtext"));
    EXPECT_EQ(t.uzky, "\xEF\xBB\xBFtext");
    t = dulcevo::TextZBajtu({});
    EXPECT_FALSE(t.unicode);
    EXPECT_EQ(t.uzky, "");
    t = dulcevo::TextZBajtu(Bajty("\xFF"));
    EXPECT_EQ(t.uzky, "\xFF");
}

namespace {

std::wstring Dulcevo() { return testy::SlozkaTestu() + L"\\Dulcevo.exe"; }

std::string AnsiZeSchranky() {
    std::string text = "<žádný CF_TEXT>";
    if (!testy::OtevritSchranku()) return "<schránka nedostupná>";
    if (HANDLE h = ::GetClipboardData(CF_TEXT)) {
        if (auto* p = static_cast<const char*>(::GlobalLock(h))) {
            text = p;
            ::GlobalUnlock(h);
        }
    }
    ::CloseClipboard();
    return text;
}

bool BitmapaVeSchrance(LONG& sirka, LONG& vyska) {
    if (!testy::OtevritSchranku()) return false;
    bool je = false;
    if (HBITMAP b = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP))) {
        BITMAP bm{};
        je = ::GetObjectW(b, sizeof(bm), &bm) != 0;
        sirka = bm.bmWidth;
        vyska = bm.bmHeight;
    }
    ::CloseClipboard();
    return je;
}

// Runs Dulcevo on a file it cannot use: its message box names the file and is closed; the
// clipboard stays as it was.
void OcekavatHlaseni(const std::wstring& soubor, const wchar_t* cast) {
    testy::VlozitDoSchranky(L"předtím");
    HANDLE p = testy::SpustitProces(Dulcevo(), L"Dulcevo.exe \"" + soubor + L"\"");
    ASSERT_NE(p, nullptr);
    HWND box = nullptr;
    ASSERT_TRUE(testy::CekatNa([&] { return (box = testy::OknoProcesu(p, L"#32770", L"Dulcevo")) != nullptr; }, 10000));
    const std::wstring text = testy::TextZpravy(box);
    EXPECT_NE(text.find(soubor), std::wstring::npos) << text;
    EXPECT_NE(text.find(cast), std::wstring::npos) << text;
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(testy::ProcesSkoncil(p));
    DWORD kod = 1;
    ::GetExitCodeProcess(p, &kod);
    EXPECT_EQ(kod, 0u);
    ::CloseHandle(p);
    EXPECT_EQ(testy::UnicodeZeSchranky(), L"předtím");
}

}  // namespace

TEST(Dulcevo, SouboryDoSchranky) {
    testy::DocasnaSlozka s;
    const std::wstring k = s.Cesta();
    struct {
        const wchar_t* jmeno;
        std::string obsah;
        bool unicode;
        std::wstring siroky;
        std::string uzky;
    } pripady[] = {
        {L"\\utf16.txt", std::string("\xFF\xFE" "P\0\x59\x01\0\0x\0", 10), true, L"Př", ""},
        {L"\\bez znacky.txt", std::string("P\0\x59\x01", 4), false, L"", "P"},
        {L"\\prázdný.txt", "", false, L"", ""},
        {L"\\poznamky", "Řádek 1\r\nŘádek 2", false, L"", "Řádek 1\r\nŘádek 2"},
        {L"\\sken.tiff", "II*\0 není obrázek", false, L"", "II*"},
    };
    for (const auto& p : pripady) {
        const std::wstring soubor = k + p.jmeno;
        ASSERT_TRUE(testy::ZapsatBajty(soubor, p.obsah));
        testy::VlozitDoSchranky(L"předtím");
        EXPECT_EQ(testy::SpustitAPockat(Dulcevo(), L"Dulcevo.exe \"" + soubor + L"\""), 0u) << p.jmeno;
        if (p.unicode) {
            EXPECT_EQ(testy::UnicodeZeSchranky(), p.siroky) << p.jmeno;
        } else {
            // the 8-bit text in the ANSI code page of the test (the UTF-8 bytes as they are)
            EXPECT_EQ(AnsiZeSchranky(), p.uzky) << p.jmeno;
        }
    }

    // a picture goes as a bitmap of its size
    testy::SpustitGdiPlus();
    const std::wstring foto = k + L"\\Photo.JPEG";
    ASSERT_TRUE(testy::UlozitObrazek(foto, 37, 21, RGB(200, 30, 40), L"image/jpeg"));
    testy::VlozitDoSchranky(L"předtím");
    EXPECT_EQ(testy::SpustitAPockat(Dulcevo(), L"Dulcevo.exe \"" + foto + L"\""), 0u);
    LONG w = 0, h = 0;
    ASSERT_TRUE(BitmapaVeSchrance(w, h));
    EXPECT_EQ(w, 37);
    EXPECT_EQ(h, 21);

    // no argument: nothing changes, nothing is said
    testy::VlozitDoSchranky(L"předtím");
    EXPECT_EQ(testy::SpustitAPockat(Dulcevo(), L"Dulcevo.exe"), 0u);
    EXPECT_EQ(testy::UnicodeZeSchranky(), L"předtím");
}

TEST(Dulcevo, ZamcenyNeboChybejiciSouborNechaSchrankuANapiseProc) {
    testy::DocasnaSlozka s;
    const std::wstring soubor = s.Cesta() + L"\\zamčený.txt";
    ASSERT_TRUE(testy::ZapsatBajty(soubor, "tajne"));
    HANDLE zamek = ::CreateFileW(soubor.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(zamek, INVALID_HANDLE_VALUE);
    OcekavatHlaseni(soubor, L"nelze otevřít");
    ::CloseHandle(zamek);

    OcekavatHlaseni(s.Cesta() + L"\\není.txt", L"nelze otevřít");
    // a damaged picture
    const std::wstring obrazek = s.Cesta() + L"\\rozbitý.png";
    ASSERT_TRUE(testy::ZapsatBajty(obrazek, "\x89PNG rozbity"));
    OcekavatHlaseni(obrazek, L"nepodařilo načíst");

    // a file over the limit is refused before anything is read
    const std::wstring velky = s.Cesta() + L"\\velký.log";
    HANDLE f = ::CreateFileW(velky.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    LARGE_INTEGER konec;
    konec.QuadPart = static_cast<LONGLONG>(dulcevo::NEJVETSI_SOUBOR) + 1;
    ASSERT_TRUE(::SetFilePointerEx(f, konec, nullptr, FILE_BEGIN));
    ASSERT_TRUE(::SetEndOfFile(f));
    ::CloseHandle(f);
    OcekavatHlaseni(velky, L"příliš velký");
}

TEST(Dulcevo, SchrankuDrzenouJinymProgramemPockaAVlozi) {
    testy::DocasnaSlozka s;
    const std::wstring soubor = s.Cesta() + L"\\držená.txt";
    ASSERT_TRUE(testy::ZapsatBajty(soubor, "obsah souboru"));
    testy::VlozitDoSchranky(L"předtím");
    // This thread holds the clipboard for half a second after starting Dulcevo, which reaches its
    // clipboard step well within that (nothing tells from outside that it has tried: hence the time).
    ASSERT_TRUE(testy::OtevritSchranku());
    HANDLE p = testy::SpustitProces(Dulcevo(), L"Dulcevo.exe \"" + soubor + L"\"");
    ASSERT_NE(p, nullptr);
    ::Sleep(500);
    ::CloseClipboard();
    EXPECT_TRUE(testy::ProcesSkoncil(p, 5000)) << "a message box: "
                                         << (testy::OknoProcesu(p, L"#32770", L"Dulcevo") ? "yes" : "no");
    if (HWND box = testy::OknoProcesu(p, L"#32770", L"Dulcevo")) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    testy::ProcesSkoncil(p);
    ::CloseHandle(p);
    EXPECT_EQ(AnsiZeSchranky(), "obsah souboru");
}
