// Dulcevo: the command line, the route by extension, the text of a file's bytes, and the
// program itself putting files on the clipboard or saying why it cannot.
#include <gtest/gtest.h>

#include <cstring>

#include "dulcevo/dulcevo.h"
#include "podpora/obrazky.h"
#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "unit/programy_pomocnik.h"
#include "unit/servery_testu.h"

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
    struct {
        const char* popis;
        std::string bajty;
        bool jeText;
        bool maUzky;            // CF_TEXT: the bytes as they are
        bool maSiroky;          // CF_UNICODETEXT
        std::wstring siroky;
    } pripady[] = {
        {"UTF-16 LE with its mark: without the mark", std::string("\xFF\xFE" "\x0D\x01" "a\0", 6), true, false, true, L"\u010Da"},
        {"UTF-16 LE up to the first zero, odd byte ignored", std::string("\xFF\xFE" "a\0\0\0b\0c", 9), true, false, true, L"a"},
        {"UTF-16 BE with its mark", std::string("\xFE\xFF" "\x01\x0D" "\0a" "\xD8\x3D\xDE\x00", 10), true, false, true,
         L"\u010Da\U0001F600"},
        {"UTF-8 with its mark", "\xEF\xBB\xBFP\xC5\x99\xC3\xADli\xC5\xA1 \xF0\x9F\x98\x80", true, true, true,
         L"P\u0159\u00EDli\u0161 \U0001F600"},
        {"UTF-8 without a mark", "k\xC5\xAF\xC5\x88\r\n", true, true, true, L"k\u016F\u0148\r\n"},
        {"plain ASCII is UTF-8 too", "abc", true, true, true, L"abc"},
        {"code page 1250: 8-bit only", "P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD", true, true, false, L""},
        {"UTF-8 cut in a character: 8-bit only", "k\xC5", true, true, false, L""},
        {"empty", "", true, true, true, L""},
        {"only the UTF-8 mark", "\xEF\xBB\xBF", true, true, true, L""},
        {"UTF-16 LE without a mark: zero bytes", std::string("a\0b\0", 4), false, false, false, L""},
        {"zip archive", std::string("PK\x03\x04\x14\0\0\0\x08\0", 10), false, false, false, L""},
        {"a zero byte at the end", std::string("text\0", 5), false, false, false, L""},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        const dulcevo::Text t = dulcevo::TextZBajtu(std::vector<BYTE>(p.bajty.begin(), p.bajty.end()));
        EXPECT_EQ(t.jeText, p.jeText);
        EXPECT_EQ(t.maUzky, p.maUzky);
        EXPECT_EQ(t.maSiroky, p.maSiroky);
        if (p.maUzky) {  // unchanged, a mark included
            EXPECT_EQ(t.uzky, p.bajty);
        }
        EXPECT_EQ(t.siroky, p.siroky);
    }
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
        {L"\\prázdný.txt", "", false, L"", ""},
        {L"\\poznamky", "Řádek 1\r\nŘádek 2", false, L"", "Řádek 1\r\nŘádek 2"},
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

namespace {
std::string AnsiBajtyZeSchranky() {
    std::string text = "<žádný CF_TEXT>";
    if (!testy::OtevritSchranku()) return "<schránka nedostupná>";
    if (HANDLE h = ::GetClipboardData(CF_TEXT)) {
        if (auto* p = static_cast<const char*>(::GlobalLock(h))) {
            text.assign(p, strnlen(p, ::GlobalSize(h)));
            ::GlobalUnlock(h);
        }
    }
    ::CloseClipboard();
    return text;
}
}  // namespace

// Text files of every common encoding through the real program: the 8-bit text keeps the file's
// bytes, and Unicode programs get the right characters beside it; a file that is not text is
// refused with a message and the clipboard keeps what it held.
TEST(Dulcevo, KodovaniTextuVeSchrance) {
    testy::DocasnaSlozka s;
    const std::wstring zlutoucky = L"P\u0159\u00EDli\u0161 \u017Elu\u0165ou\u010Dk\u00FD k\u016F\u0148";
    enum Vysledek { JEN_OSMIBITOVY, OBA_FORMATY, JEN_UNICODE, ODMITNUTY };
    struct {
        const wchar_t* jmeno;
        std::string obsah;
        Vysledek vysledek;  // JEN_OSMIBITOVY, OBA_FORMATY: CF_TEXT holds the file's bytes
        std::wstring siroky;  // CF_UNICODETEXT (OBA_FORMATY, JEN_UNICODE)
    } pripady[] = {
        {L"\\cp1250.txt", "P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2", JEN_OSMIBITOVY, L""},
        {L"\\utf8.txt", testy::NaUtf8(zlutoucky), OBA_FORMATY, zlutoucky},
        {L"\\utf8 bom.txt", "\xEF\xBB\xBF" + testy::NaUtf8(zlutoucky), OBA_FORMATY, zlutoucky},
        {L"\\utf16le.txt", "\xFF\xFE" + std::string(reinterpret_cast<const char*>(zlutoucky.data()), zlutoucky.size() * 2),
         JEN_UNICODE, zlutoucky},
        {L"\\utf16be.txt", "", JEN_UNICODE, zlutoucky},  // the bytes below
        {L"\\archiv.zip", std::string("PK\x03\x04\x14\0\0\0\x08\0abc", 13), ODMITNUTY, L""},
        {L"\\bez znacky.txt", std::string("P\0\x59\x01", 4), ODMITNUTY, L""},
        {L"\\sken.tiff", std::string("II*\0 není obrázek", 19), ODMITNUTY, L""},
        {L"\\prázdný.txt", "", OBA_FORMATY, L""},
    };
    for (auto& p : pripady) {
        SCOPED_TRACE(testy::NaUtf8(p.jmeno));
        if (std::wstring(p.jmeno) == L"\\utf16be.txt") {
            p.obsah = "\xFE\xFF";
            for (wchar_t z : zlutoucky) p.obsah += {static_cast<char>(z >> 8), static_cast<char>(z & 0xFF)};
        }
        const std::wstring soubor = s.Cesta() + p.jmeno;
        ASSERT_TRUE(testy::ZapsatBajty(soubor, p.obsah));
        if (p.vysledek == ODMITNUTY) {
            OcekavatHlaseni(soubor, L"neobsahuje text");
            continue;
        }
        testy::VlozitDoSchranky(L"předtím");
        EXPECT_EQ(testy::SpustitAPockat(Dulcevo(), L"Dulcevo.exe \"" + soubor + L"\""), 0u);
        if (p.vysledek == JEN_OSMIBITOVY || p.vysledek == OBA_FORMATY) {
            EXPECT_EQ(AnsiBajtyZeSchranky(), p.obsah) << "the 8-bit text keeps the bytes";
        }
        if (p.vysledek == OBA_FORMATY || p.vysledek == JEN_UNICODE) {
            EXPECT_EQ(testy::UnicodeZeSchranky(), p.siroky);
        }
    }
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
