// The clipboard windows on the test thread: the text-to-clipboard window (sorting, hidden files,
// Enter and double click, a held clipboard), the text editor (Save as, New, accelerators), the
// key-reporting list box, the operative window and the settings pages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "clipboard/listboxy.h"
#include "clipboard/modulschranka.h"
#include "clipboard/oknoeditortextu.h"
#include "clipboard/oknooperativnitexty.h"
#include "clipboard/oknotextdoschranky.h"
#include "clipboard/operativnitexty.h"
#include "clipboard/seznamtextu.h"
#include "clipboard/strankyschranky.h"
#include "core/aplikace.h"
#include "core/dialogy.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/dpi.h"
#include "knihovna/prvky.h"
#include "knihovna/vyjimky.h"
#include "podpora/pomocnik.h"
#include "unit/servery_testu.h"
#include "podpora/ridic.h"
#include "resources/resource.h"

namespace {

const std::wstring KLIC = L"Software\\Brenvald\\Kolvex\\5.0";

// The clipboard settings of one test, restored afterwards.
class NastaveniTestu {
public:
    explicit NastaveniTestu(const std::wstring& slozka) : m_puvodni(std::move(nastaveniSchranka)) {
        nastaveniSchranka = std::make_unique<KonfiguraceSchranka>();
        nastaveniSchranka->NastavitVychozi();
        nastaveniSchranka->textDoSchranky.slozka = slozka;
        nastaveniSchranka->textDoSchranky.soubor = slozka + L"\\SchrankaVkladaneTexty.tdsdat";
        nastaveniSchranka->textDoSchranky.oknoNavrchu = false;
        nastaveniSchranka->operativni.oknoNavrchu = false;
    }
    ~NastaveniTestu() {
        // The tool windows end their thread's loop when destroyed: their WM_QUIT must not end the
        // next test's modal loop on this thread.
        MSG konec;
        while (::PeekMessageW(&konec, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        nastaveniSchranka = std::move(m_puvodni);
        testy::SmazatKlic(KLIC + L"\\Schranka");
        testy::SmazatKlic(KLIC + L"\\Parametry oken");
    }

private:
    std::unique_ptr<KonfiguraceSchranka> m_puvodni;
};

void UlozitTexty(const std::wstring& cesta, std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> zaznamy) {
    SeznamTextu s;
    for (const auto& z : zaznamy) {
        int n = s.Pridat(z.first);
        s.NastavitText(n, z.second);
    }
    UlozitSeznamTextu(cesta.c_str(), s);
}

std::wstring ZeSchranky() {
    std::wstring text = L"<nic>";
    if (!::OpenClipboard(nullptr)) return text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (auto* znaky = static_cast<const wchar_t*>(::GlobalLock(data))) {
            // exactly the text with its terminator: no stray characters after it
            size_t delka = ::GlobalSize(data) / sizeof(wchar_t);
            text.assign(znaky, delka);
            while (!text.empty() && text.back() == L'\0') text.pop_back();
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

void VyprazdnitSchranku() {
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
}

std::vector<std::wstring> Polozky(HWND seznam) {
    std::vector<std::wstring> texty;
    LRESULT pocet = ::SendMessageW(seznam, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < pocet; ++i) {
        wchar_t text[256] = L"";
        ::SendMessageW(seznam, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        texty.push_back(text);
    }
    return texty;
}

// Holds the clipboard open from another thread until released.
class DrzenaSchranka {
public:
    DrzenaSchranka() {
        m_uvolnit = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        m_otevreno = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        m_vlakno = ::CreateThread(nullptr, 0, Drzet, this, 0, nullptr);
        ::WaitForSingleObject(m_otevreno, 5000);
    }
    ~DrzenaSchranka() {
        ::SetEvent(m_uvolnit);
        ::WaitForSingleObject(m_vlakno, 5000);
        ::CloseHandle(m_vlakno);
        ::CloseHandle(m_uvolnit);
        ::CloseHandle(m_otevreno);
    }
    bool otevreno = false;

private:
    HANDLE m_uvolnit, m_otevreno, m_vlakno;
    static DWORD WINAPI Drzet(void* p) {
        auto* d = static_cast<DrzenaSchranka*>(p);
        HWND okno = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        d->otevreno = ::OpenClipboard(okno) != 0;
        ::SetEvent(d->m_otevreno);
        ::WaitForSingleObject(d->m_uvolnit, 10000);
        if (d->otevreno) ::CloseClipboard();
        ::DestroyWindow(okno);
        return 0;
    }
};

}  // namespace

// ---------------------------------------------------------------------------------------------

TEST(TextDoSchranky, SouboryZacinajiciTeckouSeNenabizeji) {
    testy::DocasnaSlozka slozka;
    for (const wchar_t* jmeno : {L"\\b.tdsdat", L"\\.skryty.tdsdat", L"\\a.TDSDAT", L"\\jiny.txt", L"\\c.tdsdat~"})
        UlozitTexty(slozka.Cesta() + jmeno, {});
    std::vector<std::wstring> nalezene = NajitSouborySeznamuTextu(slozka.Cesta());
    std::sort(nalezene.begin(), nalezene.end());
    EXPECT_EQ(nalezene, (std::vector<std::wstring>{L"a", L"b"}));
    EXPECT_TRUE(NajitSouborySeznamuTextu(slozka.Cesta() + L"\\chybi").empty());
}

TEST(TextDoSchranky, TrideniAKazdaPolozkaKopirujeSvujText) {
    testy::DocasnaSlozka slozka;
    NastaveniTestu nastaveni(slozka.Cesta());
    nastaveniSchranka->textDoSchranky.poVlozeniZavrit = false;
    UlozitTexty(nastaveniSchranka->textDoSchranky.soubor.Text(),
                {{L"Beta", L"text B\r\n"}, {L"Alfa", L"text A"}, {L"Gama", L"text G\t!"}});
    struct Pripad {
        DWORD trideni;
        std::vector<std::wstring> poradi;
    };
    const Pripad pripady[] = {
        {1, {L"Alfa", L"Beta", L"Gama"}},
        {2, {L"Gama", L"Beta", L"Alfa"}},
        {0, {L"Beta", L"Alfa", L"Gama"}},
    };
    for (const Pripad& p : pripady) {
        nastaveniSchranka->textDoSchranky.trideni = p.trideni;
        OknoTextDoSchranky okno;
        okno.Vytvorit();
        EXPECT_EQ(Polozky(okno.seznam.m_hWnd), p.poradi) << "trideni " << p.trideni;
        EXPECT_EQ(::SendMessageW(okno.seznam.m_hWnd, LB_GETCURSEL, 0, 0), 0) << "the first item is selected";
        // combo: the current file's entry selected
        EXPECT_EQ(::SendMessageW(okno.combo, CB_GETCURSEL, 0, 0), 0);
        for (int i = 0; i < 3; ++i) {
            VyprazdnitSchranku();
            ::SendMessageW(okno.seznam.m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
            // Enter for the first items, a double click for the last: both come as WM_APP+2 (VK_RETURN)
            if (i < 2)
                ::SendMessageW(okno.seznam.m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
            else
                ::SendMessageW(okno.seznam.m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
            const std::wstring ocekavany = p.poradi[static_cast<size_t>(i)] == L"Alfa"   ? L"text A"
                                           : p.poradi[static_cast<size_t>(i)] == L"Beta" ? L"text B\r\n"
                                                                                         : L"text G\t!";
            EXPECT_TRUE(testy::CekatNa([&] { return ZeSchranky() == ocekavany; }, 2000))
                << "trideni " << p.trideni << " item " << i;
        }
        EXPECT_TRUE(::IsWindow(okno.m_hWnd)) << "poVlozeniZavrit off: the window stays";
        ::SendMessageW(okno.seznam.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_TRUE(testy::CekatNa([&] { return !::IsWindow(okno.m_hWnd); }, 2000)) << "Esc closes";
    }
    EXPECT_EQ(nastaveniSchranka->textDoSchranky.soubor.Text(), slozka.Cesta() + L"\\SchrankaVkladaneTexty.tdsdat");
}

TEST(TextDoSchranky, DrzenaSchrankaSeOhlasiAOknoBeziDal) {
    testy::DocasnaSlozka slozka;
    NastaveniTestu nastaveni(slozka.Cesta());
    UlozitTexty(nastaveniSchranka->textDoSchranky.soubor.Text(), {{L"jeden", L"1"}});
    OknoTextDoSchranky okno;
    okno.Vytvorit();
    testy::ZachytavacZprav zpravy;
    {
        DrzenaSchranka drzena;
        ASSERT_TRUE(drzena.otevreno);
        ::SendMessageW(okno.m_hWnd, knihovna::ZPRAVA_PRVKU, VK_RETURN, reinterpret_cast<LPARAM>(okno.seznam.m_hWnd));
    }
    ASSERT_EQ(zpravy.zpravy.size(), 1u) << "the failure is reported";
    EXPECT_TRUE(zpravy.zpravy[0].priznaky & MB_ICONERROR);
    EXPECT_FALSE(knihovna::JeOdlozenaVyjimka()) << "no error leaves the window";
    EXPECT_TRUE(::IsWindow(okno.m_hWnd));
    ::SendMessageW(okno.m_hWnd, knihovna::ZPRAVA_PRVKU, VK_RETURN, reinterpret_cast<LPARAM>(okno.seznam.m_hWnd));
    EXPECT_EQ(ZeSchranky(), L"1") << "once the clipboard is free the copy works";
}

TEST(TextDoSchranky, BezSouboruPrazdnySeznamAEnterJenPipne) {
    testy::DocasnaSlozka slozka;
    NastaveniTestu nastaveni(slozka.Cesta());
    UlozitTexty(slozka.Cesta() + L"\\Jiny.tdsdat", {{L"x", L"y"}});
    OknoTextDoSchranky okno;
    okno.Vytvorit();
    EXPECT_EQ(testy::TextOkna(okno.m_hWnd).find(L" - Text do schránky"), aplikace.titulek.size());
    EXPECT_EQ(::SendMessageW(okno.seznam.m_hWnd, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(::SendMessageW(okno.combo, CB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(::SendMessageW(okno.combo, CB_GETCURSEL, 0, 0), CB_ERR) << "no entry is the current file";
    VyprazdnitSchranku();
    ::SendMessageW(okno.m_hWnd, knihovna::ZPRAVA_PRVKU, VK_RETURN, reinterpret_cast<LPARAM>(okno.seznam.m_hWnd));
    EXPECT_EQ(ZeSchranky(), L"<nic>");
    EXPECT_TRUE(::IsWindow(okno.m_hWnd));

    // choosing the file in the combo reads it, whatever the letter case of the entry
    ::SendMessageW(okno.combo, CB_SETCURSEL, 0, 0);
    ::SendMessageW(okno.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_SCHRANKA_SOUBORY, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(okno.combo));
    EXPECT_EQ(Polozky(okno.seznam.m_hWnd), std::vector<std::wstring>{L"x"});
    EXPECT_NE(testy::TextOkna(okno.m_hWnd).find(L"Jiny.tdsdat"), std::wstring::npos);

    // toolbar buttons reach the window through the rebar; the view toggles keep their settings
    ASSERT_NE(okno.statusBar, nullptr);
    ::SendMessageW(okno.rebar, WM_COMMAND, MAKEWPARAM(40029, BN_CLICKED), reinterpret_cast<LPARAM>(okno.toolbar));
    EXPECT_EQ(okno.statusBar, nullptr);
    EXPECT_FALSE(nastaveniSchranka->textDoSchranky.zobrazitStatusBar);
    ::SendMessageW(okno.m_hWnd, WM_COMMAND, 40028, 0);
    EXPECT_FALSE(nastaveniSchranka->textDoSchranky.zobrazitToolBarHlavni);
    EXPECT_EQ(::GetMenuState(::GetMenu(okno.m_hWnd), 40028, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_NE(::GetMenuState(::GetMenu(okno.m_hWnd), 40027, MF_BYCOMMAND) & MF_CHECKED, 0u);
    ::SendMessageW(okno.m_hWnd, WM_COMMAND, 40029, 0);
    EXPECT_NE(okno.statusBar, nullptr);
    EXPECT_TRUE(nastaveniSchranka->textDoSchranky.zobrazitStatusBar);
}

// ---------------------------------------------------------------------------------------------

namespace {

std::wstring cilDialogu;
BOOL WINAPI VybratCil(LPOPENFILENAMEW ofn) {
    wcsncpy(ofn->lpstrFile, cilDialogu.c_str(), ofn->nMaxFile);
    return TRUE;
}

struct NahradaDialogu {
    explicit NahradaDialogu(const std::wstring& cil) {
        cilDialogu = cil;
        dialogUlozitSoubor = VybratCil;
        dialogOtevritSoubor = VybratCil;
    }
    ~NahradaDialogu() {
        dialogUlozitSoubor = ::GetSaveFileNameW;
        dialogOtevritSoubor = ::GetOpenFileNameW;
    }
};

SeznamTextu Precist(const std::wstring& cesta) {
    SeznamTextu s;
    EXPECT_EQ(NacistSeznamTextu(cesta.c_str(), s), S_OK) << std::string(cesta.begin(), cesta.end());
    return s;
}

}  // namespace

TEST(EditorTextu, UlozitJakoPiseKopiiAUlozitDalJdeDoPuvodniho) {
    testy::DocasnaSlozka slozka;
    NastaveniTestu nastaveni(slozka.Cesta());
    const std::wstring puvodni = nastaveniSchranka->textDoSchranky.soubor.Text();
    UlozitTexty(puvodni, {{L"a", L"1"}});
    OknoSchrankaEditorTextu editor;
    editor.Vytvorit();
    ASSERT_EQ(editor.soubor, puvodni);
    EXPECT_EQ(Polozky(editor.seznam.m_hWnd), std::vector<std::wstring>{L"a"});
    EXPECT_EQ(testy::TextOkna(editor.edit.m_hWnd), L"1") << "the opened file's first text is current and shown";
    EXPECT_EQ(editor.aktualni, 0);

    editor.texty.Pridat(L"b");
    const std::wstring kopie = slozka.Cesta() + L"\\kopie.tdsdat";
    {
        NahradaDialogu dialog(kopie);
        editor.UlozitJako();
    }
    EXPECT_EQ(Precist(kopie).Pocet(), 2);
    EXPECT_EQ(editor.soubor, puvodni) << "Save as does not change the current file";
    EXPECT_NE(testy::TextOkna(editor.m_hWnd).find(L"SchrankaVkladaneTexty.tdsdat"), std::wstring::npos);

    editor.texty.Pridat(L"c");
    editor.Ulozit();
    EXPECT_EQ(Precist(puvodni).Pocet(), 3) << "Save writes the original file";
    EXPECT_EQ(Precist(kopie).Pocet(), 2) << "the copy is left as it was";
    ::SendMessageW(editor.m_hWnd, WM_CLOSE, 0, 0);
}

TEST(EditorTextu, NovyZapiseJenMagiiAVybranyTextSeUkladaPriZmeneVyberu) {
    testy::DocasnaSlozka slozka;
    NastaveniTestu nastaveni(slozka.Cesta());
    const std::wstring puvodni = nastaveniSchranka->textDoSchranky.soubor.Text();
    UlozitTexty(puvodni, {{L"a", L"1"}, {L"b", L"2"}});
    OknoSchrankaEditorTextu editor;
    editor.Vytvorit();

    // a text typed for "a" is stored when the selection moves on, and the file on closing it
    ::SendMessageW(editor.seznam.m_hWnd, LB_SETCURSEL, 0, 0);
    editor.ZmenaVyberu();
    EXPECT_EQ(testy::TextOkna(editor.edit.m_hWnd), L"1");
    ::SetWindowTextW(editor.edit.m_hWnd, L"jedna\r\nřádek");
    ::SendMessageW(editor.seznam.m_hWnd, LB_SETCURSEL, 1, 0);
    editor.ZmenaVyberu();
    EXPECT_EQ(testy::TextOkna(editor.edit.m_hWnd), L"2");

    const std::wstring novy = slozka.Cesta() + L"\\novy.tdsdat";
    {
        NahradaDialogu dialog(novy);
        editor.Novy();
    }
    EXPECT_EQ(testy::PrecistBajty(novy), (std::vector<BYTE>{0x03, 0x2A, 0xCD, 0x62}));
    EXPECT_EQ(editor.soubor, novy);
    EXPECT_EQ(editor.texty.Pocet(), 0);
    EXPECT_EQ(::SendMessageW(editor.seznam.m_hWnd, LB_GETCOUNT, 0, 0), 0);
    SeznamTextu ulozeny = Precist(puvodni);
    ASSERT_EQ(ulozeny.Pocet(), 2);
    EXPECT_EQ(ulozeny.zaznamy[0].text, L"jedna\r\nřádek") << "closing for New wrote the edited list back";
    EXPECT_EQ(ulozeny.zaznamy[1].text, L"2");
    ::SendMessageW(editor.m_hWnd, WM_CLOSE, 0, 0);
}

TEST(EditorTextu, AkceleratoryDojdouKPrikazum) {
    // table 124 as loaded
    HACCEL tabulka = ::LoadAcceleratorsW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDA_EDITOR_TEXTU));
    ASSERT_NE(tabulka, nullptr);
    ACCEL radky[8];
    int pocet = ::CopyAcceleratorTableW(tabulka, radky, 8);
    ASSERT_EQ(pocet, 3);
    struct Ocekavane {
        WORD klavesa;
        BYTE priznaky;
        WORD prikaz;
    };
    const Ocekavane ocekavane[] = {{VK_INSERT, FCONTROL | FVIRTKEY, 40036},
                                   {VK_DELETE, FCONTROL | FVIRTKEY, 40037},
                                   {VK_F2, FVIRTKEY, 40038}};
    for (const Ocekavane& o : ocekavane) {
        bool nalezeno = false;
        for (int i = 0; i < pocet; ++i)
            if (radky[i].key == o.klavesa && (radky[i].fVirt & ~FNOINVERT) == o.priznaky && radky[i].cmd == o.prikaz)
                nalezeno = true;
        EXPECT_TRUE(nalezeno) << o.prikaz;
    }
    ::DestroyAcceleratorTable(tabulka);

    // Ctrl+Delete with the focus in the list reaches the editor through the list and the splitter
    testy::DocasnaSlozka slozka;
    NastaveniTestu nastaveni(slozka.Cesta());
    nastaveniSchranka->editor.potvrzovatOdebrani = false;
    UlozitTexty(nastaveniSchranka->textDoSchranky.soubor.Text(), {{L"a", L"1"}, {L"b", L"2"}});
    OknoSchrankaEditorTextu editor;
    editor.Vytvorit();
    ::SendMessageW(editor.seznam.m_hWnd, LB_SETCURSEL, 0, 0);
    BYTE stav[256] = {};
    ::GetKeyboardState(stav);
    BYTE puvodniCtrl = stav[VK_CONTROL];
    stav[VK_CONTROL] = 0x80;
    ::SetKeyboardState(stav);
    MSG msg{};
    msg.hwnd = editor.seznam.m_hWnd;
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_DELETE;
    msg.lParam = 1;
    const int prelozeno = ::TranslateAcceleratorW(msg.hwnd, editor.akceleratory, &msg);
    stav[VK_CONTROL] = puvodniCtrl;
    ::SetKeyboardState(stav);
    EXPECT_NE(prelozeno, 0);
    EXPECT_TRUE(testy::CekatNa([&] { return editor.texty.Pocet() == 1; }, 2000)) << "Ctrl+Delete removed the text";
    EXPECT_EQ(Polozky(editor.seznam.m_hWnd), std::vector<std::wstring>{L"b"});

    // without a selection a removal changes nothing
    ::SendMessageW(editor.seznam.m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    editor.Odebrat();
    EXPECT_EQ(editor.texty.Pocet(), 1);
    ::SendMessageW(editor.m_hWnd, WM_CLOSE, 0, 0);
}

// The edit takes as long a text as the file's reader does, and a limit reached by typing is
// reported; a text the user emptied stays as it was, and the user is told so.
TEST(EditorTextu, LimitEdituAPrazdnyTextSeOhlasi) {
    testy::DocasnaSlozka slozka;
    NastaveniTestu nastaveni(slozka.Cesta());
    const std::wstring soubor = nastaveniSchranka->textDoSchranky.soubor.Text();
    UlozitTexty(soubor, {{L"a", L"1"}, {L"b", L"2"}});
    OknoSchrankaEditorTextu editor;
    editor.Vytvorit();
    testy::ZachytavacZprav zpravy;
    HWND edit = editor.edit.m_hWnd;
    EXPECT_EQ(static_cast<uint64_t>(::SendMessageW(edit, EM_GETLIMITTEXT, 0, 0)), MAX_DELKA_TEXTU);
    ASSERT_EQ(testy::TextOkna(edit), L"1");

    ::SetForegroundWindow(editor.m_hWnd);
    ::SetFocus(edit);
    ::SendMessageW(edit, EM_SETLIMITTEXT, 3, 0);  // lowered, so that typing reaches it
    ::SendMessageW(edit, EM_SETSEL, 1, 1);
    testy::NapsatText(L"xyz");
    ASSERT_TRUE(testy::CekatNa([&] { return !zpravy.zpravy.empty(); }, 5000)) << "the limit was not reported";
    EXPECT_EQ(testy::TextOkna(edit), L"1xy");
    EXPECT_NE(zpravy.zpravy[0].text.find(L"nejvýše"), std::wstring::npos) << zpravy;
    EXPECT_EQ(zpravy.zpravy.size(), 1u) << zpravy;

    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    testy::StisknoutKlavesy({VK_DELETE});
    ASSERT_TRUE(testy::CekatNa([&] { return testy::TextOkna(edit).empty(); }, 5000));
    zpravy.zpravy.clear();
    ::PostMessageW(editor.m_hWnd, WM_COMMAND, 40039, 0);  // "Použít"
    ASSERT_TRUE(testy::CekatNa([&] { return !zpravy.zpravy.empty(); }, 5000)) << "an emptied text was undone silently";
    EXPECT_NE(zpravy.zpravy[0].text.find(L"\"a\" nemůže být prázdný"), std::wstring::npos) << zpravy;
    EXPECT_EQ(editor.texty.zaznamy[0].text, L"1");
    EXPECT_EQ(testy::TextOkna(edit), L"1") << "the edit shows the text the record kept";
    ::SendMessageW(editor.m_hWnd, WM_CLOSE, 0, 0);
}

// ---------------------------------------------------------------------------------------------

namespace {

std::vector<MSG> zpravyRodice;
LRESULT CALLBACK ProceduraRodice(HWND h, UINT msg, WPARAM w, LPARAM l) {
    if (msg == knihovna::ZPRAVA_PRVKU || msg == WM_COMMAND || msg == WM_CONTEXTMENU) {
        MSG m{};
        m.hwnd = h;
        m.message = msg;
        m.wParam = w;
        m.lParam = l;
        zpravyRodice.push_back(m);
        return 0;
    }
    return ::DefWindowProcW(h, msg, w, l);
}

void Pumpovat() {
    MSG m;
    while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&m);
}

}  // namespace

TEST(ListBoxSeznam, HlasiOsmKlavesDvojklikAkceleratoryAMenu) {
    WNDCLASSW trida{};
    trida.lpfnWndProc = ProceduraRodice;
    trida.hInstance = ::GetModuleHandleW(nullptr);
    trida.lpszClassName = L"QTestRodicSeznamu";
    ::RegisterClassW(&trida);
    HWND rodic = ::CreateWindowExW(0, L"QTestRodicSeznamu", L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(rodic, nullptr);
    {
        ListBoxSeznam seznam;
        seznam.Vytvorit(rodic, 1048, WS_CHILD | WS_VISIBLE | LBS_NOTIFY);
        wchar_t trida[64] = L"";
        ::GetClassNameW(seznam.m_hWnd, trida, 64);
        EXPECT_STREQ(trida, L"ListBoxSeznam");
        seznam.PridatPolozku(L"a", 0);
        seznam.PridatPolozku(L"b", 1);
        EXPECT_EQ(::SendMessageW(seznam.m_hWnd, WM_GETDLGCODE, 0, 0), DLGC_WANTALLKEYS);

        struct Pripad {
            WPARAM klavesa;
            bool hlaseno;
        };
        const Pripad pripady[] = {{VK_RETURN, true}, {VK_ESCAPE, true}, {VK_LEFT, true},  {VK_UP, true},
                                  {VK_RIGHT, true},  {VK_DOWN, true},   {VK_INSERT, true}, {VK_DELETE, true},
                                  {VK_HOME, false},  {'A', false},      {VK_F2, false},    {VK_TAB, false}};
        for (const Pripad& p : pripady) {
            zpravyRodice.clear();
            ::SendMessageW(seznam.m_hWnd, WM_KEYDOWN, p.klavesa, 0);
            Pumpovat();
            size_t hlaseni = 0;
            for (const MSG& m : zpravyRodice)
                if (m.message == knihovna::ZPRAVA_PRVKU && m.wParam == p.klavesa &&
                    m.lParam == reinterpret_cast<LPARAM>(seznam.m_hWnd))
                    ++hlaseni;
            EXPECT_EQ(hlaseni, p.hlaseno ? 1u : 0u) << "key " << p.klavesa;
        }
        // the reported keys still move the selection
        ::SendMessageW(seznam.m_hWnd, LB_SETCURSEL, 0, 0);
        ::SendMessageW(seznam.m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
        EXPECT_EQ(::SendMessageW(seznam.m_hWnd, LB_GETCURSEL, 0, 0), 1);
        Pumpovat();

        zpravyRodice.clear();
        ::SendMessageW(seznam.m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
        ::SendMessageW(seznam.m_hWnd, WM_COMMAND, MAKEWPARAM(40036, 1), 0);  // an accelerator
        ::SendMessageW(seznam.m_hWnd, WM_COMMAND, MAKEWPARAM(40037, 0), 0);  // a menu command
        ::SendMessageW(seznam.m_hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(seznam.m_hWnd), MAKELPARAM(10, 10));
        Pumpovat();
        std::vector<std::pair<UINT, WPARAM>> prijate;
        for (const MSG& m : zpravyRodice)
            if (m.message != WM_COMMAND || HIWORD(m.wParam) <= 1) prijate.emplace_back(m.message, m.wParam);
        const std::vector<std::pair<UINT, WPARAM>> ocekavane = {
            {knihovna::ZPRAVA_PRVKU, VK_RETURN},
            {WM_COMMAND, MAKEWPARAM(40036, 1)},
            {WM_CONTEXTMENU, reinterpret_cast<WPARAM>(seznam.m_hWnd)}};
        EXPECT_EQ(prijate, ocekavane) << "a double click is Enter; code-0 commands are not forwarded; one menu request";
    }
    ::DestroyWindow(rodic);
}

// ---------------------------------------------------------------------------------------------

TEST(OperativniOkno, PatyTextVytlaciNejstarsiAPrazdnySeznamJenPipa) {
    testy::DocasnaSlozka slozka;
    NastaveniTestu nastaveni(slozka.Cesta());
    nastaveniSchranka->operativni.maxPocet = 4;
    auto puvodniTexty = std::move(operativniTexty);
    operativniTexty = std::make_unique<OperativniTexty>();
    {
        OknoOperativniTexty okno;
        ASSERT_TRUE(okno.Vytvorit());
        // placed at the bottom-right corner of the work area when nothing is stored
        RECT prace{}, r{};
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &prace, 0);
        ::GetWindowRect(okno.m_hWnd, &r);
        EXPECT_EQ(r.right, prace.right);
        EXPECT_EQ(r.bottom, prace.bottom);
        EXPECT_EQ(r.right - r.left, knihovna::Skalovat(260));  // the default size in pixels of the DPI

        // empty list: Enter, 40047 and 40037 change nothing and raise nothing
        VyprazdnitSchranku();
        ::SendMessageW(okno.m_hWnd, knihovna::ZPRAVA_PRVKU, VK_RETURN, reinterpret_cast<LPARAM>(okno.seznam.m_hWnd));
        ::SendMessageW(okno.m_hWnd, WM_COMMAND, 40047, 0);
        ::SendMessageW(okno.m_hWnd, WM_COMMAND, 40037, 0);
        EXPECT_FALSE(knihovna::JeOdlozenaVyjimka());
        EXPECT_EQ(ZeSchranky(), L"<nic>");

        for (const wchar_t* text : {L"1", L"2", L"3", L"4", L"5"}) {
            ASSERT_NO_THROW(KopirovatTextDoSchranky(text, okno.m_hWnd));
            ::SendMessageW(okno.m_hWnd, WM_COMMAND, 40042, 0);
        }
        EXPECT_EQ(*operativniTexty, (OperativniTexty{L"5", L"4", L"3", L"2"}));
        EXPECT_EQ(::SendMessageW(okno.seznam.m_hWnd, LB_GETCOUNT, 0, 0), 4);
        EXPECT_EQ(::SendMessageW(okno.seznam.m_hWnd, LB_GETCURSEL, 0, 0), 0) << "the new text is first and selected";

        // with poVlozeniZavrit off Enter copies and the window stays
        nastaveniSchranka->operativni.poVlozeniZavrit = false;
        ::SendMessageW(okno.seznam.m_hWnd, LB_SETCURSEL, 2, 0);
        ::SendMessageW(okno.m_hWnd, knihovna::ZPRAVA_PRVKU, VK_RETURN, reinterpret_cast<LPARAM>(okno.seznam.m_hWnd));
        EXPECT_EQ(ZeSchranky(), L"3");
        Pumpovat();
        EXPECT_TRUE(::IsWindow(okno.m_hWnd));
        EXPECT_EQ(*operativniTexty, (OperativniTexty{L"5", L"4", L"3", L"2"})) << "using a text does not move it";

        ::SendMessageW(okno.m_hWnd, WM_COMMAND, 40037, 0);
        EXPECT_EQ(*operativniTexty, (OperativniTexty{L"5", L"4", L"2"}));
    }
    operativniTexty = std::move(puvodniTexty);
}

// ---------------------------------------------------------------------------------------------

namespace {

class StrankySchranky : public ::testing::Test {
protected:
    void SetUp() override {
        rodic = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 600, 500, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override { ::DestroyWindow(rodic); }
    HWND rodic = nullptr;
    testy::DocasnaSlozka slozka;
    NastaveniTestu nastaveni{slozka.Cesta()};
};

}  // namespace

TEST_F(StrankySchranky, CislaMimoRozsahNechajiPredchoziHodnotu) {
    nastaveniSchranka->operativni.maxPocet = 30;
    nastaveniSchranka->operativni.vyskaPolozky = 100;
    struct Pripad {
        const wchar_t* pocet;
        const wchar_t* vyska;
        DWORD ocekavanyPocet;
        DWORD ocekavanaVyska;
    };
    const Pripad pripady[] = {
        {L"3", L"15", 30, 100},     {L"100001", L"401", 30, 100}, {L"abc", L"", 30, 100},
        {L"4", L"16", 4, 16},       {L"100000", L"400", 100000, 400},
    };
    for (const Pripad& p : pripady) {
        DlgNastavSchrankaOperativniTexty stranka;
        stranka.VytvoritStranku(rodic);
        ::SetDlgItemTextW(stranka.m_hWnd, IDC_SCHRANKA_MAX_POCET, p.pocet);
        ::SetDlgItemTextW(stranka.m_hWnd, IDC_SCHRANKA_VYSKA_POLOZKY, p.vyska);
        stranka.Ulozit();
        EXPECT_EQ(nastaveniSchranka->operativni.maxPocet, p.ocekavanyPocet) << p.pocet;
        EXPECT_EQ(nastaveniSchranka->operativni.vyskaPolozky, p.ocekavanaVyska) << p.vyska;
    }
}

TEST_F(StrankySchranky, NeznameTrideniNevyberNicAUlozeniDaMinusJedna) {
    nastaveniSchranka->textDoSchranky.trideni = 7;
    DlgNastavTextDoSchranky stranka;
    stranka.VytvoritStranku(rodic);
    HWND combo = ::GetDlgItem(stranka.m_hWnd, IDC_SCHRANKA_TRIDENI);
    EXPECT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(::SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    ::SetDlgItemTextW(stranka.m_hWnd, IDC_SCHRANKA_SLOZKA, L"C:\\jina");
    stranka.Ulozit();
    EXPECT_EQ(nastaveniSchranka->textDoSchranky.trideni, 0xFFFFFFFFu);
    EXPECT_EQ(nastaveniSchranka->textDoSchranky.slozka.Text(), L"C:\\jina");

    DlgNastavTextDoSchranky druha;
    nastaveniSchranka->textDoSchranky.trideni = 2;
    druha.VytvoritStranku(rodic);
    EXPECT_EQ(knihovna::ComboBox(::GetDlgItem(druha.m_hWnd, IDC_SCHRANKA_TRIDENI)).NacistDataVybranePolozky(), 2);
}

TEST(KonfiguraceSchrankyLimit, UlozenyMaxPocetPodJednaSeNactePrirazenyNaJedna) {
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (KLIC + L"\\Schranka\\Operativni texty").c_str(), 0, nullptr, 0,
                                KEY_WRITE, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    DWORD nula = 0;
    ::RegSetValueExW(h, L"maxPocet", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&nula), sizeof(nula));
    ::RegCloseKey(h);
    KonfiguraceSchranka nastaveni;
    EXPECT_EQ(nastaveni.operativni.maxPocet, 1u);
    testy::SmazatKlic(KLIC + L"\\Schranka");
}

// ---------------------------------------------------------------------------------------------

namespace {

class ModulSchranky : public ::testing::Test {
protected:
    void SetUp() override {
        m_data = aplikace.nastaveni.slozkaData;
        aplikace.nastaveni.slozkaData = slozka.Cesta();
        m_texty = std::move(operativniTexty);
    }
    void TearDown() override {
        operativniTexty = std::move(m_texty);
        aplikace.nastaveni.slozkaData = m_data;
    }
    std::wstring Soubor() const { return slozka.Cesta() + L"\\Operativni schranka.otdat"; }

    testy::DocasnaSlozka slozka;
    NastaveniTestu nastaveni{slozka.Cesta()};

private:
    SdilenyText m_data;
    std::unique_ptr<OperativniTexty> m_texty;
};

}  // namespace

TEST_F(ModulSchranky, SeznamSeNacteAPriZavreniUlozi) {
    UlozitOperativniTexty({L"starý"}, Soubor());
    ModulSchranka modul;
    modul.VytvoritOkno();
    EXPECT_FALSE(::IsWindowVisible(modul.m_hWnd));
    modul.InicializovatOperativniTexty();
    ASSERT_TRUE(operativniTexty);
    EXPECT_EQ(*operativniTexty, OperativniTexty{L"starý"});

    ASSERT_NO_THROW(KopirovatTextDoSchranky(L"nový\r\n", modul.m_hWnd));
    ::SendMessageW(modul.m_hWnd, WM_COMMAND, 40042, 0);  // the tray item adds as the window's command does
    EXPECT_EQ(*operativniTexty, (OperativniTexty{L"nový\r\n", L"starý"}));

    ::SendMessageW(modul.m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(modul.m_hWnd));
    OperativniTexty nactene;
    NacistOperativniTexty(nactene, Soubor());
    EXPECT_EQ(nactene, (OperativniTexty{L"nový\r\n", L"starý"}));
}

TEST_F(ModulSchranky, BezAutomatickehoNacteniJeSeznamPrazdnyANezdarUlozeniSeOhlasi) {
    UlozitOperativniTexty({L"starý"}, Soubor());
    nastaveniSchranka->operativni.automatickyNacitat = false;
    ModulSchranka modul;
    modul.VytvoritOkno();
    modul.InicializovatOperativniTexty();
    ASSERT_TRUE(operativniTexty);
    EXPECT_TRUE(operativniTexty->empty());

    // the data folder is gone: the save fails, is reported, and the module still closes
    aplikace.nastaveni.slozkaData = slozka.Cesta() + L"\\chybi";
    testy::ZachytavacZprav zpravy;
    ::SendMessageW(modul.m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(knihovna::JeOdlozenaVyjimka());
    EXPECT_FALSE(::IsWindow(modul.m_hWnd));
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_NE(zpravy.zpravy[0].text.find(L"Seznam operativní schránky se nepodařilo uložit"), std::wstring::npos);
    OperativniTexty puvodni;
    NacistOperativniTexty(puvodni, Soubor());
    EXPECT_EQ(puvodni, OperativniTexty{L"starý"}) << "the old file is untouched";
}

TEST(TextDoSchranky, PoskozenySouborNechaZobrazeneTexty) {
    testy::DocasnaSlozka slozka;
    NastaveniTestu nastaveni(slozka.Cesta());
    nastaveniSchranka->textDoSchranky.poVlozeniZavrit = false;
    UlozitTexty(nastaveniSchranka->textDoSchranky.soubor.Text(), {{L"dobrý", L"text"}});
    const std::wstring poskozeny = slozka.Cesta() + L"\\Poskozeny.tdsdat";
    HANDLE h = ::CreateFileW(poskozeny.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD zapsano = 0;
    ::WriteFile(h, "\x01\x02\x03\x04\x05", 5, &zapsano, nullptr);
    ::CloseHandle(h);

    OknoTextDoSchranky okno;
    okno.Vytvorit();
    testy::ZachytavacZprav zpravy;
    okno.NacistSoubor(poskozeny);
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_EQ(zpravy.zpravy[0].text, L"Chybný formát souboru\n" + poskozeny);
    EXPECT_EQ(Polozky(okno.seznam.m_hWnd), std::vector<std::wstring>{L"dobrý"});
    VyprazdnitSchranku();
    ::SendMessageW(okno.m_hWnd, knihovna::ZPRAVA_PRVKU, VK_RETURN, reinterpret_cast<LPARAM>(okno.seznam.m_hWnd));
    EXPECT_EQ(ZeSchranky(), L"text") << "the shown name still reaches its text";
    EXPECT_EQ(okno.soubor, nastaveniSchranka->textDoSchranky.soubor.Text());
}

// A text-list file the editor cannot read whole: reported with its name; a close without a
// change leaves it byte for byte; a change is saved only after the file is kept as ".bak".
TEST(EditorTextu, SouborKteryNejdeCelyPrecistZustaneAzDoZmeny) {
    testy::DocasnaSlozka slozka;
    NastaveniTestu nastaveni(slozka.Cesta());
    const std::wstring cesta = nastaveniSchranka->textDoSchranky.soubor.Text();
    UlozitTexty(cesta, {{L"a", L"1"}, {L"b", L"2"}});
    std::vector<BYTE> cely = testy::PrecistBajty(cesta);
    std::vector<BYTE> oriznuty = cely;
    oriznuty.resize(cely.size() - 6);  // the second record's words are cut off
    std::vector<BYTE> prevracenaMagie = cely;
    prevracenaMagie[1] ^= 0x01;
    std::vector<BYTE> nadLimit(static_cast<size_t>(MAX_VELIKOST_SOUBORU_TEXTU) + 1, 0);
    std::copy(cely.begin(), cely.end(), nadLimit.begin());
    struct Pripad {
        const char* popis;
        const std::vector<BYTE>& obsah;
        std::wstring zprava;
        bool otevre;  // the whole records are shown
    } pripady[] = {
        {"last record cut off", oriznuty, L"Soubor " + cesta + L" se nepodařilo celý načíst", true},
        {"flipped magic", prevracenaMagie, L"Chybný formát souboru\n" + cesta, false},
        {"over the cap", nadLimit, L"Soubor " + cesta + L" je větší", false},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.popis);
        ASSERT_TRUE(testy::ZapsatSoubor(cesta, std::string(p.obsah.begin(), p.obsah.end())));
        ::DeleteFileW((cesta + L".bak").c_str());
        {
            testy::ZachytavacZprav zpravy;
            OknoSchrankaEditorTextu editor;
            editor.Vytvorit();
            ASSERT_EQ(zpravy.zpravy.size(), 1u) << zpravy;
            EXPECT_EQ(zpravy.zpravy[0].text.rfind(p.zprava, 0), 0u) << zpravy;
            EXPECT_EQ(editor.texty.Pocet(), p.otevre ? 1 : 0);
            ::SendMessageW(editor.m_hWnd, WM_CLOSE, 0, 0);
        }
        EXPECT_EQ(testy::PrecistBajty(cesta), p.obsah) << "the close wrote over the file";
        EXPECT_FALSE(testy::ExistujeSoubor(cesta + L".bak"));
        if (!p.otevre) continue;
        {
            testy::ZachytavacZprav zpravy;
            OknoSchrankaEditorTextu editor;
            editor.Vytvorit();
            ::SendMessageW(editor.seznam.m_hWnd, LB_SETCURSEL, 0, 0);
            editor.ZmenaVyberu();
            ::SetWindowTextW(editor.edit.m_hWnd, L"změněno");
            ::SendMessageW(editor.m_hWnd, WM_CLOSE, 0, 0);
        }
        EXPECT_EQ(testy::PrecistBajty(cesta + L".bak"), p.obsah) << "the damaged bytes were not kept";
        SeznamTextu ulozeny = Precist(cesta);
        ASSERT_EQ(ulozeny.Pocet(), 1);
        EXPECT_EQ(ulozeny.zaznamy[0].text, L"změněno");
    }
}
