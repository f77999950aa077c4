// The registrations window on the test thread: add with a name taken in other letter case,
// cancel that adds nothing, sorting by item data, the status bar text, the grey URL rule, the
// clipboard commands' messages, and the keys of the list.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/modul.h"
#include "core/ikonatray.h"
#include "podpora/pomocnik.h"
#include "records/modulseznamregistraci.h"
#include "records/seznamregistraci.h"
#include "resources/resource.h"

namespace {

Registrace Nova(const std::wstring& nazev, const std::wstring& url) {
    Registrace r;
    r.nazev = nazev;
    r.prihlasovaciJmeno = nazev + L".login";
    r.heslo = L"heslo-" + nazev;
    r.url = url;
    return r;
}

// Tray icons recorded instead of shown (the test display has no notification area).
struct ZaznamIkon {
    FunkceNotifyIcon puvodni = notifikacniIkona;
    static BOOL WINAPI Prijmout(DWORD, PNOTIFYICONDATAW) { return TRUE; }
    ZaznamIkon() { notifikacniIkona = Prijmout; }
    ~ZaznamIkon() { notifikacniIkona = puvodni; }
};

std::vector<std::wstring> nazvy;
bool OdpovedetNazev(std::wstring& nazev) {
    if (nazvy.empty()) return false;
    nazev = nazvy.front();
    nazvy.erase(nazvy.begin());
    return true;
}
INT_PTR odpovedDialogu = IDOK;
int dialogu = 0;
INT_PTR OdpovedetDialog(Registrace& r, int) {
    ++dialogu;
    r.heslo = L"z dialogu";
    return odpovedDialogu;
}

std::vector<std::wstring> cileShellu;
HINSTANCE WINAPI ZaznamenatShell(HWND, LPCWSTR, LPCWSTR cil, LPCWSTR, LPCWSTR, INT zobrazeni) {
    EXPECT_EQ(zobrazeni, SW_SHOWNORMAL);
    cileShellu.push_back(cil);
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}

std::wstring TextSchranky() {
    std::wstring text;
    if (!::OpenClipboard(nullptr)) return text;
    if (HANDLE h = ::GetClipboardData(CF_UNICODETEXT)) {
        if (auto* data = static_cast<const wchar_t*>(::GlobalLock(h))) {
            text = data;
            ::GlobalUnlock(h);
        }
    }
    ::CloseClipboard();
    return text;
}

class RegistraceOkno : public ::testing::Test {
protected:
    void SetUp() override {
        puvodni = std::move(nastaveniSeznamRegistraci);
        nastaveniSeznamRegistraci = std::make_unique<KonfiguraceSeznamRegistraci>();
        nastaveniSeznamRegistraci->NastavitVychozi();  // not what other runs left in the registry
        cesta = slozka.Cesta() + L"\\Registrace.qxml";
        nastaveniSeznamRegistraci->soubor = cesta;
        nastaveniSeznamRegistraci->oznamovaciIkona = 0;
        nastaveniSeznamRegistraci->minimalizovat = 0;
        SeznamRegistraci s;
        s.Nacist(cesta);
        s.Pridat(Nova(L"Zeta", L"http://zeta.example"));
        s.Pridat(Nova(L"alfa", L"abcd"));  // 4 characters: no URL
        s.Ulozit();
        puvodniNazev = ModulSeznamRegistraci::zadatNazev;
        puvodniDialog = ModulSeznamRegistraci::upravitRegistraci;
        ModulSeznamRegistraci::zadatNazev = OdpovedetNazev;
        ModulSeznamRegistraci::upravitRegistraci = OdpovedetDialog;
        puvodniShell = knihovna::spustitShell;
        knihovna::spustitShell = ZaznamenatShell;
        cileShellu.clear();
        dialogu = 0;
        odpovedDialogu = IDOK;
        modul = std::make_unique<ModulSeznamRegistraci>();
        modul->VytvoritOkno(false);
    }
    void TearDown() override {
        if (modul && modul->m_hWnd) ::SendMessageW(modul->m_hWnd, WM_CLOSE, 0, 0);
        modul.reset();
        seznamRegistraci.reset();
        knihovna::spustitShell = puvodniShell;
        ModulSeznamRegistraci::zadatNazev = puvodniNazev;
        ModulSeznamRegistraci::upravitRegistraci = puvodniDialog;
        nastaveniSeznamRegistraci = std::move(puvodni);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {}
    }
    void VybratRadek(int radek) {
        ::SendMessageW(modul->Seznam(), LB_SETCURSEL, static_cast<WPARAM>(radek), 0);
        ::SendMessageW(modul->m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_SEZNAM_REGISTRACI, LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(modul->Seznam()));
    }
    std::wstring TextStatusu() {
        wchar_t text[256] = L"";
        ::SendMessageW(modul->StatusBar(), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
        return text;
    }
    testy::DocasnaSlozka slozka;
    std::wstring cesta;
    std::unique_ptr<ModulSeznamRegistraci> modul;
    std::unique_ptr<KonfiguraceSeznamRegistraci> puvodni;
    bool (*puvodniNazev)(std::wstring&);
    INT_PTR (*puvodniDialog)(Registrace&, int);
    knihovna::FunkceShellExecute puvodniShell;
};

}  // namespace

TEST_F(RegistraceOkno, RazeniVyberaPodleDatAStatusBar) {
    // sorted: "alfa" is row 0 but entry 1 of the file
    ASSERT_EQ(::SendMessageW(modul->Seznam(), LB_GETCOUNT, 0, 0), 2);
    ASSERT_NE(modul->StatusBar(), nullptr);
    EXPECT_EQ(modul->VybranaPolozka(), 0);  // the first entry of the file is selected
    VybratRadek(0);
    EXPECT_EQ(modul->VybranaPolozka(), 1);
    EXPECT_EQ(TextStatusu(), L"alfa.login (*****)");
    nastaveniSeznamRegistraci->statusBarHeslo = true;
    nastaveniSeznamRegistraci->statusBarPrihlasJmeno = false;
    VybratRadek(1);
    EXPECT_EQ(TextStatusu(), L"Zeta (heslo-Zeta)");
}

TEST_F(RegistraceOkno, PridaniStejnehoNazvuJinymiPismenySeOdmitne) {
    testy::ZachytavacZprav zpravy;
    const std::vector<BYTE> pred = testy::PrecistBajty(cesta);
    nazvy = {L"ZETA", L"Beta"};
    odpovedDialogu = IDCANCEL;  // cancelled: nothing added, the file untouched
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40159, 0);
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_EQ(zpravy.zpravy[0].text, L"Tento název již v seznamu existuje.");
    EXPECT_EQ(dialogu, 1);
    EXPECT_EQ(seznamRegistraci->Pocet(), 2);
    EXPECT_EQ(testy::PrecistBajty(cesta), pred);

    nazvy = {L"Beta"};
    odpovedDialogu = IDOK;
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40159, 0);
    ASSERT_EQ(seznamRegistraci->Pocet(), 3);
    EXPECT_EQ(seznamRegistraci->Polozka(2).heslo, L"z dialogu");
    EXPECT_EQ(modul->VybranaPolozka(), 2);
    SeznamRegistraci soubor;
    ASSERT_EQ(soubor.Nacist(cesta), S_OK);
    EXPECT_EQ(soubor.Pocet(), 3);
}

TEST_F(RegistraceOkno, UrlSchrankaAOdebrani) {
    testy::ZachytavacZprav zpravy(IDYES);
    VybratRadek(0);  // "alfa": a URL of 4 characters does nothing
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40162, 0);
    EXPECT_TRUE(cileShellu.empty());
    VybratRadek(1);
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40162, 0);
    ASSERT_EQ(cileShellu.size(), 1u);
    EXPECT_EQ(cileShellu[0], L"http://zeta.example");
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40164, 0);
    EXPECT_EQ(TextSchranky(), L"heslo-Zeta");
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40163, 0);
    EXPECT_EQ(TextSchranky(), L"Zeta.login");
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;

    Registrace bez = seznamRegistraci->Polozka(0);  // "Zeta", the selected one
    bez.heslo.clear();
    seznamRegistraci->Nahradit(0, bez);
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40164, 0);
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_EQ(zpravy.zpravy[0].text, L"Tato registrace nemá nastaveno platné heslo.");

    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40161, 0);  // remove, answered Yes
    ASSERT_EQ(zpravy.zpravy.size(), 2u);
    EXPECT_EQ(zpravy.zpravy[1].text, L"Opravdu chcete registraci \"Zeta\" odebrat ze seznamu?");
    EXPECT_TRUE(zpravy.zpravy[1].priznaky & MB_DEFBUTTON2);
    EXPECT_EQ(seznamRegistraci->Pocet(), 1);
    SeznamRegistraci soubor;
    ASSERT_EQ(soubor.Nacist(cesta), S_OK);
    EXPECT_EQ(soubor.Pocet(), 1);

    // nothing selected: the commands say so
    ::SendMessageW(modul->Seznam(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40163, 0);
    EXPECT_EQ(zpravy.zpravy.back().text, L"Není vybraná žádná registrace.");
}

TEST_F(RegistraceOkno, KlavesySeznamu) {
    // F2 edits, Enter only from the list itself, Esc ends the tool
    ::SendMessageW(modul->m_hWnd, knihovna::ZPRAVA_PRVKU, VK_F2, 0);
    EXPECT_EQ(dialogu, 1);
    ::SendMessageW(modul->m_hWnd, knihovna::ZPRAVA_PRVKU, VK_RETURN, 0);
    EXPECT_EQ(dialogu, 1);
    ::SendMessageW(modul->Seznam(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(testy::CekatNa([] { return dialogu == 2; }, 2000));
    ::SendMessageW(modul->Seznam(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(testy::CekatNa([&] { return !::IsWindow(modul->m_hWnd); }, 2000));
}

namespace {
HINSTANCE WINAPI SelhatShell(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT) {
    ::SetLastError(ERROR_NO_ASSOCIATION);
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(31));
}
}  // namespace

TEST_F(RegistraceOkno, NabidkaZasediPodlePoliAChybejiciProhlizecJenHlasi) {
    VybratRadek(0);  // "alfa": URL of 4 characters
    EXPECT_FALSE(modul->PrikazDostupny(40162));
    EXPECT_TRUE(modul->PrikazDostupny(40163));
    EXPECT_TRUE(modul->PrikazDostupny(40164));
    VybratRadek(1);
    EXPECT_TRUE(modul->PrikazDostupny(40162));
    ::SendMessageW(modul->Seznam(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    for (UINT id : {40162u, 40163u, 40164u}) EXPECT_FALSE(modul->PrikazDostupny(id)) << id;

    testy::ZachytavacZprav zpravy;
    knihovna::spustitShell = SelhatShell;
    VybratRadek(1);
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40162, 0);
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_NE(zpravy.zpravy[0].text.find(L"URL adresu http://zeta.example se nepodařilo otevřít."), std::wstring::npos);
    EXPECT_TRUE(::IsWindow(modul->m_hWnd));
}

TEST_F(RegistraceOkno, MinimalizaceDoIkonyATamZpet) {
    ZaznamIkon ikony;
    // the program's image lists are not loaded here: the window gets a system icon
    ::SendMessageW(modul->m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(::LoadIconW(nullptr, IDI_APPLICATION)));
    nastaveniSeznamRegistraci->oznamovaciIkona = 1;
    EXPECT_EQ(modul->Ikona(), nullptr);
    ::SendMessageW(modul->m_hWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_NE(modul->Ikona(), nullptr);
    EXPECT_FALSE(::IsWindowVisible(modul->m_hWnd));
    ::SendMessageW(modul->m_hWnd, ZPRAVA_IKONY_TRAY, 1, WM_LBUTTONUP);
    EXPECT_TRUE(::IsWindowVisible(modul->m_hWnd));
}

TEST_F(RegistraceOkno, KliknutiNaIkonuStavovehoRadkuUkazeHeslo) {
    testy::ZachytavacZprav zpravy;
    VybratRadek(1);  // "Zeta"; the status bar masks the password
    EXPECT_EQ(TextStatusu(), L"Zeta.login (*****)");
    NMMOUSE mys{};
    mys.hdr.hwndFrom = modul->StatusBar();
    mys.hdr.idFrom = IDC_STATUS_REGISTRACI;
    mys.hdr.code = NM_CLICK;
    mys.dwItemSpec = 1;  // the text part: nothing
    ::SendMessageW(modul->m_hWnd, WM_NOTIFY, IDC_STATUS_REGISTRACI, reinterpret_cast<LPARAM>(&mys));
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
    mys.dwItemSpec = 0;  // the icon part
    ::SendMessageW(modul->m_hWnd, WM_NOTIFY, IDC_STATUS_REGISTRACI, reinterpret_cast<LPARAM>(&mys));
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_EQ(zpravy.zpravy[0].text, L"Heslo: heslo-Zeta");
    EXPECT_EQ(zpravy.zpravy[0].titulek, L"Zeta.login");
}

namespace {
const wchar_t* odebratPodDialogem = nullptr;
INT_PTR ZmenitSeznamPodDialogem(Registrace& r, int) {
    seznamRegistraci->Odebrat(seznamRegistraci->NajitPodleNazvu(odebratPodDialogem));
    r.heslo = L"z dialogu";
    return IDOK;
}
}  // namespace

// The edit goes back to the entry it was opened for, wherever that is now; when it is gone the
// user is told and the edit is kept as a new entry. Either way the file holds it.
TEST_F(RegistraceOkno, UpravaSeVratiDoSveRegistraceIKdyzSeSeznamZmenil) {
    struct Pripad {
        const wchar_t* odebrana;
        int pocet;
        std::vector<std::wstring> zprava;
    } pripady[] = {
        {L"Zeta", 1, {}},
        {L"alfa", 2, {L"Upravovaná registrace \"alfa\" byla mezitím odebrána ze seznamu.\nÚpravy se proto uloží jako nová registrace."}},
    };
    ModulSeznamRegistraci::upravitRegistraci = ZmenitSeznamPodDialogem;
    for (const Pripad& p : pripady) {
        {
            SeznamRegistraci s;  // the file of the fixture again
            s.Nacist(cesta);
            while (s.Pocet() > 0) s.Odebrat(0);
            s.Pridat(Nova(L"Zeta", L"http://zeta.example"));
            s.Pridat(Nova(L"alfa", L"abcd"));
            s.Ulozit();
        }
        seznamRegistraci->Nacist(cesta);
        modul->NaplnitSeznam(0);
        odebratPodDialogem = p.odebrana;
        testy::ZachytavacZprav zpravy;
        VybratRadek(0);  // "alfa", the second entry of the file
        ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40160, 0);
        std::vector<std::wstring> texty;
        for (const auto& z : zpravy.zpravy) texty.push_back(z.text);
        EXPECT_EQ(texty, p.zprava);
        SeznamRegistraci soubor;
        soubor.Nacist(cesta);
        SCOPED_TRACE(p.pocet);
        ASSERT_EQ(soubor.Pocet(), p.pocet);
        const int index = soubor.NajitPodleNazvu(L"alfa");
        ASSERT_GE(index, 0);
        EXPECT_EQ(soubor.Polozka(index).heslo, L"z dialogu");
        EXPECT_EQ(modul->VybranaPolozka(), index) << "the edited entry is selected";
    }
}
