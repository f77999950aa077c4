// The capture-action dialog (its choices through the shell seam) and a capture sent by e-mail
// against the loopback SMTP server: the picture arrives decodable, the capture file stays as it was.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/aplikace.h"
#include "core/email.h"
#include "core/globalni.h"
#include "core/ikonatray.h"
#include "core/konfiguracenastroju.h"
#include "core/kontakty.h"
#include "core/odesilatelemailu.h"
#include "core/oknohlavni.h"
#include "knihovna/modul.h"
#include "knihovna/text.h"
#include "podpora/obrazky.h"
#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "podpora/snimek.h"
#include "resources/resource.h"
#include "screen/dlgopisakce.h"
#include "screen/modulobrazovka.h"
#include "screen/opis.h"
#include "screen/opisemailem.h"
#include "servery_testu.h"

namespace {

struct AkceShellu {
    std::wstring sloveso;
    std::wstring soubor;
    int zobrazeni;
};
std::vector<AkceShellu> akceShellu;
INT_PTR vysledekShellu = 42;
HINSTANCE WINAPI ZaznamenatShell(HWND, LPCWSTR sloveso, LPCWSTR soubor, LPCWSTR, LPCWSTR, INT zobrazeni) {
    akceShellu.push_back({sloveso ? sloveso : L"", soubor ? soubor : L"", zobrazeni});
    if (vysledekShellu <= 32) ::SetLastError(ERROR_NO_ASSOCIATION);
    return reinterpret_cast<HINSTANCE>(vysledekShellu);
}

std::vector<std::wstring> bubliny;
BOOL WINAPI ZaznamenatBublinu(DWORD zprava, PNOTIFYICONDATAW data) {
    if (zprava == NIM_MODIFY && (data->uFlags & NIF_INFO) && data->szInfo[0]) bubliny.push_back(data->szInfo);
    return TRUE;
}

std::wstring TextPrvku(HWND dialog, int id) {
    wchar_t text[512] = {};
    ::GetDlgItemTextW(dialog, id, text, 512);
    return text;
}

Kontakt NovyKontakt(const wchar_t* nazev, const wchar_t* email) {
    Kontakt k;
    k.nazev = nazev;
    k.email = email;
    return k;
}

// The capture-action dialog of this process, once it is up.
HWND NajitDialogAkce(DWORD ms = 10000) {
    HWND nalezeny = nullptr;
    const ULONGLONG konec = ::GetTickCount64() + ms;
    while (!nalezeny && ::GetTickCount64() < konec) {
        HWND dialog = nullptr;
        while ((dialog = ::FindWindowExW(nullptr, dialog, L"#32770", nullptr)) != nullptr) {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(dialog, &pid);
            if (pid == ::GetCurrentProcessId() && ::GetDlgItem(dialog, IDC_AKCE_SEZNAM) && ::IsWindowVisible(dialog)) {
                nalezeny = dialog;
                break;
            }
        }
        if (!nalezeny) ::Sleep(10);
    }
    return nalezeny;
}

class ObrazovkaAkce : public ::testing::Test {
protected:
    void SetUp() override {
        testy::SpustitGdiPlus();
        aplikace.titulek = L"Kolvex";
        akceShellu.clear();
        vysledekShellu = 42;
        puvodniShell = knihovna::spustitShell;
        knihovna::spustitShell = ZaznamenatShell;
        puvodni = std::move(nastaveniObrazovka);
        nastaveniObrazovka = std::make_unique<KonfiguraceObrazovka>();
        nastaveniObrazovka->NastavitVychozi();
        nastaveniObrazovka->opisEmail.email = L"vychozi@example.cz";
        puvodniKontakty = std::move(seznamKontaktu);
        seznamKontaktu = std::make_unique<SeznamKontaktu>();
        seznamKontaktu->Pridat(NovyKontakt(L"Alena", L"alena@example.cz"));
        seznamKontaktu->Pridat(NovyKontakt(L"Bohouš", L"a@b.c"));  // 5 characters: not offered
        seznamKontaktu->Pridat(NovyKontakt(L"Cyril", L"cyril@example.cz"));
        soubor = slozka.Cesta() + L"\\Obrazovka0.png";
        testy::ZapsatSoubor(soubor, "x");
    }
    void TearDown() override {
        dialog.reset();
        knihovna::spustitShell = puvodniShell;
        seznamKontaktu = std::move(puvodniKontakty);
        nastaveniObrazovka = std::move(puvodni);
    }
    HWND Otevrit() {
        dialog = std::make_unique<DlgOpisObrazovkyAkce>();
        return dialog->Vytvorit(nullptr, reinterpret_cast<LPARAM>(soubor.c_str()));
    }
    void Zvolit(HWND h, int id, int index) {
        ::SendDlgItemMessageW(h, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessageW(h, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(::GetDlgItem(h, id)));
    }

    testy::DocasnaSlozka slozka;
    std::wstring soubor;
    std::unique_ptr<DlgOpisObrazovkyAkce> dialog;
    knihovna::FunkceShellExecute puvodniShell = nullptr;
    std::unique_ptr<KonfiguraceObrazovka> puvodni;
    std::unique_ptr<SeznamKontaktu> puvodniKontakty;
};

}  // namespace

TEST_F(ObrazovkaAkce, KazdaVolbaSpustiSvouAkciAStornoNic) {
    testy::ZachytavacZprav zpravy;
    nastaveniObrazovka->opis.shellOtevrit = 99;
    HWND h = Otevrit();
    EXPECT_EQ(testy::TextOkna(h), L"Opis obrazovky (Kolvex)");
    EXPECT_EQ(TextPrvku(h, IDC_AKCE_SOUBOR), soubor);
    EXPECT_EQ(TextPrvku(h, IDC_AKCE_EMAIL), L"vychozi@example.cz");
    HWND akce = ::GetDlgItem(h, IDC_AKCE_SEZNAM);
    ASSERT_EQ(::SendMessageW(akce, CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(::SendMessageW(akce, CB_GETCURSEL, 0, 0), 0) << "\"ask\" preselects open";
    wchar_t text[200] = {};
    ::SendMessageW(akce, CB_GETLBTEXT, 3, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Odeslat soubor na zadany email.");

    // "Provést akci" runs the chosen verb maximised and leaves the dialog open
    const wchar_t* slovesa[] = {L"open", L"edit", L"print"};
    for (int i = 0; i < 3; ++i) {
        akceShellu.clear();
        Zvolit(h, IDC_AKCE_SEZNAM, i);
        ::SendMessageW(h, WM_COMMAND, IDC_AKCE_PROVEST, 0);
        ASSERT_EQ(akceShellu.size(), 1u);
        EXPECT_EQ(akceShellu[0].sloveso, slovesa[i]);
        EXPECT_EQ(akceShellu[0].soubor, soubor);
        EXPECT_EQ(akceShellu[0].zobrazeni, SW_SHOWMAXIMIZED);
        EXPECT_TRUE(::IsWindow(h));
    }
    ::ShowWindow(h, SW_SHOW);
    testy::PrekreslitOkno(h);
    testy::CekatNa([] { return false; }, 300);  // the drawing reaches the screen for the picture
    testy::UlozitSnimekOkna(h, L"opis_akce");

    // a refused verb is shown and the dialog stays open, also after OK
    akceShellu.clear();
    vysledekShellu = SE_ERR_NOASSOC;
    ::SendMessageW(h, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_TRUE(zpravy.zpravy[0].priznaky & MB_ICONERROR);
    EXPECT_TRUE(::IsWindow(h));
    vysledekShellu = 42;

    // OK runs the action and closes
    akceShellu.clear();
    Zvolit(h, IDC_AKCE_SEZNAM, 1);
    ::SendMessageW(h, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(akceShellu.size(), 1u);
    EXPECT_EQ(akceShellu[0].sloveso, L"edit");
    EXPECT_FALSE(::IsWindow(h));

    // Cancel does nothing
    akceShellu.clear();
    nastaveniObrazovka->opis.shellOtevrit = 3;
    h = Otevrit();
    EXPECT_EQ(::SendDlgItemMessageW(h, IDC_AKCE_SEZNAM, CB_GETCURSEL, 0, 0), 2);
    ::SendMessageW(h, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(akceShellu.empty());
    EXPECT_FALSE(::IsWindow(h));
    EXPECT_EQ(zpravy.zpravy.size(), 1u);
}

TEST_F(ObrazovkaAkce, KontaktySKratkouAdresouChybiAVolbaDoplniAdresu) {
    HWND h = Otevrit();
    HWND kontakty = ::GetDlgItem(h, IDC_AKCE_KONTAKTY);
    ASSERT_EQ(::SendMessageW(kontakty, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(::SendMessageW(kontakty, CB_GETITEMDATA, 0, 0), 0);
    EXPECT_EQ(::SendMessageW(kontakty, CB_GETITEMDATA, 1, 0), 2);
    EXPECT_EQ(::SendMessageW(kontakty, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(TextPrvku(h, IDC_AKCE_EMAIL), L"vychozi@example.cz") << "the default stays until the user chooses";
    Zvolit(h, IDC_AKCE_KONTAKTY, 1);
    EXPECT_EQ(TextPrvku(h, IDC_AKCE_EMAIL), L"cyril@example.cz");

    // no contact with an address: an empty list, nothing selected
    seznamKontaktu = std::make_unique<SeznamKontaktu>();
    seznamKontaktu->Pridat(NovyKontakt(L"Bohouš", L"a@b.c"));
    h = Otevrit();
    EXPECT_EQ(::SendDlgItemMessageW(h, IDC_AKCE_KONTAKTY, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(::SendDlgItemMessageW(h, IDC_AKCE_KONTAKTY, CB_GETCURSEL, 0, 0), CB_ERR);
}

TEST_F(ObrazovkaAkce, KontaktyZmeneneJinymVlaknemBehemOtevrenehoDialogu) {
    HWND h = Otevrit();
    ASSERT_EQ(::SendDlgItemMessageW(h, IDC_AKCE_KONTAKTY, CB_GETCOUNT, 0, 0), 2);
    // the contacts tool's thread edits the list while the dialog is open: Alena goes, Cyril moves up
    std::thread kontakty([] { seznamKontaktu->Odebrat(0); });
    kontakty.join();
    Zvolit(h, IDC_AKCE_KONTAKTY, 1);  // "Cyril" as the dialog offered it
    EXPECT_EQ(TextPrvku(h, IDC_AKCE_EMAIL), L"cyril@example.cz") << "the dialog took another contact's address";
    Zvolit(h, IDC_AKCE_KONTAKTY, 0);
    EXPECT_EQ(TextPrvku(h, IDC_AKCE_EMAIL), L"alena@example.cz");
}

TEST_F(ObrazovkaAkce, KratkaAdresaSeOdmitne) {
    testy::ZachytavacZprav zpravy;
    HWND h = Otevrit();
    ::SetDlgItemTextW(h, IDC_AKCE_EMAIL, L"a@b.c");
    ::SendMessageW(h, WM_COMMAND, IDC_AKCE_ODESLAT, 0);
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_EQ(zpravy.zpravy[0].text, L"Zadaný email není platnou emailovou adresou.");
    EXPECT_FALSE(ProbihaOdesilaniOpisu());
    // with the e-mail action, OK shows the refusal and closes all the same
    Zvolit(h, IDC_AKCE_SEZNAM, 3);
    ::SendMessageW(h, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(zpravy.zpravy.size(), 2u);
    EXPECT_FALSE(::IsWindow(h));
    EXPECT_TRUE(akceShellu.empty());
}

// ---------------------------------------------------------------------------------------------

namespace {

struct Sokety {
    Sokety() {
        WSADATA wsa;
        ::WSAStartup(MAKEWORD(2, 0), &wsa);
    }
    ~Sokety() { ::WSACleanup(); }
};

// The messages that reached the loopback server without a test name of their own.
std::wstring SlozkaPrijatych() { return testy::SlozkaServeru() + L"\\prijate\\bez-nazvu"; }

std::string PrecistPrijate(const wchar_t* jmeno) {
    std::string obsah;
    testy::PrecistSoubor(SlozkaPrijatych() + L"\\" + jmeno, obsah);
    return obsah;
}

class ObrazovkaEmail : public ::testing::Test {
protected:
    void SetUp() override {
        testy::SpustitGdiPlus();
        aplikace.titulek = L"Kolvex";
        aplikace.nastaveni.zvuk = false;
        puvodni = std::move(nastaveniObrazovka);
        nastaveniObrazovka = std::make_unique<KonfiguraceObrazovka>();
        nastaveniObrazovka->NastavitVychozi();
        NastaveniOpisu& o = nastaveniObrazovka->opis;
        o.slozka = slozka.Cesta();
        o.format = FORMAT_PNG;
        o.cislovat = false;
        o.kopirovatDoSchranky = false;
        o.zobrazitInfo = false;
        o.shellOtevrit = 99;
        NastaveniOpisuEmailem& e = nastaveniObrazovka->opisEmail;
        e.predmet = L"Opis ze zkoušky";
        e.textZpravy = L"Dobrý den,\nposílám opis.";
        e.email = L"prijemce@example.cz";
        e.procentoVelikosti = 50;
        puvodniOdesilatel = std::move(nastaveniOdesilatelEmailu);
        nastaveniOdesilatelEmailu = std::make_unique<KonfiguraceOdesilatelEmailu>();
        nastaveniOdesilatelEmailu->NastavitVychozi();
        nastaveniOdesilatelEmailu->server = L"127.0.0.1";
        nastaveniOdesilatelEmailu->email = L"odesilatel@example.cz";
        nastaveniOdesilatelEmailu->odesilatel = L"Zkušební odesílatel";
        portOdeslaniOpisu = testy::PORT_SMTP;
        testy::SmazatStrom(SlozkaPrijatych());

        // the main window with its tray icon, whose balloons are recorded
        oknoHlavni = std::make_unique<OknoHlavni>();
        oknoHlavni->OknoImpl::Vytvorit(HWND_MESSAGE, nullptr, L"test", WS_POPUP, 0, L"QKolvexTestHlavniEmail");
        oknoHlavni->ikona = std::make_unique<IkonaTray>();
        oknoHlavni->ikona->okno = oknoHlavni->m_hWnd;
        oknoHlavni->ikona->id = 1;
        puvodniIkona = notifikacniIkona;
        notifikacniIkona = ZaznamenatBublinu;
        bubliny.clear();
        // the screen module's window gets the worker's result
        puvodniModul = std::move(modulObrazovka);
        modulObrazovka = std::make_unique<ModulObrazovka>();
        modulObrazovka->VytvoritOkno();
        modul = modulObrazovka.get();
    }
    void TearDown() override {
        UkoncitOdesilaniOpisu();
        modulObrazovka = std::move(puvodniModul);
        notifikacniIkona = puvodniIkona;
        oknoHlavni->ikona->id = 0;
        oknoHlavni.reset();
        portOdeslaniOpisu = 0;
        casovyLimitOdeslaniOpisu = 0;
        aplikace.nastaveni.zvuk = true;
        aplikace.nastaveni.casovyLimitModulu = 5000;
        nastaveniOdesilatelEmailu = std::move(puvodniOdesilatel);
        nastaveniObrazovka = std::move(puvodni);
    }
    bool Bublina(const std::wstring& text) {
        return testy::CekatNa([&] {
            for (const auto& b : bubliny)
                if (b == text) return true;
            return false;
        }, 15000);
    }

    Sokety sokety;
    testy::DocasnaSlozka slozka;
    std::unique_ptr<KonfiguraceObrazovka> puvodni;
    std::unique_ptr<KonfiguraceOdesilatelEmailu> puvodniOdesilatel;
    std::unique_ptr<ModulObrazovka> puvodniModul;
    ModulObrazovka* modul = nullptr;
    FunkceNotifyIcon puvodniIkona = nullptr;
};

}  // namespace

TEST_F(ObrazovkaEmail, OpisSNaslednouAkciEmailDorazisObrazkemASouborZustane) {
    const std::wstring soubor = slozka.Cesta() + L"\\Obrazovka.png";
    std::vector<BYTE> pred;
    bool dialogNalezen = false;
    // The user: the dialog comes up after the capture, chooses the e-mail action and OK.
    std::thread uzivatel([&] {
        HWND h = NajitDialogAkce();
        if (!h) return;
        dialogNalezen = true;
        pred = testy::PrecistBajty(soubor);
        ::SendDlgItemMessageW(h, IDC_AKCE_SEZNAM, CB_SETCURSEL, 3, 0);
        ::PostMessageW(h, WM_COMMAND, IDOK, 0);
    });
    UlozitOpisObrazovky(1);
    uzivatel.join();
    ASSERT_TRUE(dialogNalezen);
    ASSERT_FALSE(pred.empty());

    ASSERT_TRUE(testy::CekatNa([] { return testy::ExistujeSoubor(SlozkaPrijatych() + L"\\hotovo.txt"); }, 15000));
    EXPECT_EQ(PrecistPrijate(L"predmet.txt"), testy::NaUtf8(L"Opis ze zkoušky"));
    EXPECT_EQ(PrecistPrijate(L"text-0.txt"), testy::NaUtf8(L"Dobrý den,\r\nposílám opis."));
    EXPECT_NE(PrecistPrijate(L"obalka.txt").find("RCPT TO:prijemce@example.cz"), std::string::npos);
    EXPECT_NE(PrecistPrijate(L"obalka.txt").find("MAIL FROM:odesilatel@example.cz"), std::string::npos);
    EXPECT_EQ(PrecistPrijate(L"priloha-0.jmeno"), "Obrazovka.png");
    EXPECT_EQ(PrecistPrijate(L"defekty.txt"), "");

    // the attachment decodes as a PNG scaled to half the width; the capture itself is unchanged
    const testy::DekodovanyObrazek priloha = testy::Dekodovat(SlozkaPrijatych() + L"\\priloha-0.data");
    EXPECT_TRUE(priloha.nacten);
    EXPECT_EQ(priloha.format, "PNG");
    const UINT sirka = static_cast<UINT>(::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(priloha.sirka, sirka * 50 / 100);
    EXPECT_EQ(testy::PrecistBajty(soubor), pred);
    EXPECT_EQ(testy::Dekodovat(soubor).sirka, sirka);

    // the attachment's Base64 in the raw message decodes to the same picture
    const std::string surova = PrecistPrijate(L"surova.eml");
    size_t zacatek = surova.find("filename=");
    ASSERT_NE(zacatek, std::string::npos);
    zacatek = surova.find("\r\n\r\n", zacatek);
    ASSERT_NE(zacatek, std::string::npos);
    const size_t konec = surova.find("\r\n--", zacatek + 4);
    ASSERT_NE(konec, std::string::npos);
    brenvald_email::Base64 base64;
    base64.Dekodovat(surova.data() + zacatek + 4, konec - zacatek - 4);
    EXPECT_EQ(base64.Data(), PrecistPrijate(L"priloha-0.data"));

    EXPECT_TRUE(Bublina(L"Opis obrazovky byl odeslán na email\nprijemce@example.cz."));
    // the scaled copy was a temporary file of its own, gone once sent
    wchar_t docasna[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, docasna);
    for (const std::wstring& slozkaKopie : {std::wstring(docasna), aplikace.nastaveni.slozkaDocasne.Text() + L"\\"}) {
        WIN32_FIND_DATAW nalezeny;
        HANDLE h = ::FindFirstFileW((slozkaKopie + L"Opis emailem *").c_str(), &nalezeny);
        EXPECT_EQ(h, INVALID_HANDLE_VALUE) << "left behind: " << testy::NaUtf8(nalezeny.cFileName);
        if (h != INVALID_HANDLE_VALUE) ::FindClose(h);
    }
    ASSERT_FALSE(bubliny.empty());
    EXPECT_EQ(bubliny[0], L"Odesílám opis obrazovky na email prijemce@example.cz.\nČekejte prosím...");
    EXPECT_TRUE(testy::CekatNa([] { return !ProbihaOdesilaniOpisu(); }));
}

TEST_F(ObrazovkaEmail, NeodeslanyOpisSeOhlasiBublinou) {
    const std::wstring soubor = slozka.Cesta() + L"\\opis.png";
    testy::ZapsatSoubor(soubor, "nejde o obrázek, posílá se beze změny");
    nastaveniObrazovka->opisEmail.procentoVelikosti = 100;
    ASSERT_TRUE(PozadovatOdeslaniOpisu(L"odmitnout@example.cz", soubor, modul->m_hWnd));
    ASSERT_TRUE(testy::CekatNa([] {
        for (const auto& b : bubliny)
            if (b.rfind(L"Opis obrazovky se nepodařilo odeslat na email odmitnout@example.cz.\nServer zprávu odmítl: 550",
                        0) == 0)
                return true;
        return false;
    }, 15000));

    // a server that cannot be reached
    bubliny.clear();
    nastaveniOdesilatelEmailu->server = L"nenalezeny.invalid";
    ASSERT_TRUE(testy::CekatNa([] { return !ProbihaOdesilaniOpisu(); }));
    ASSERT_TRUE(PozadovatOdeslaniOpisu(L"prijemce@example.cz", soubor, modul->m_hWnd));
    EXPECT_TRUE(Bublina(
        L"Opis obrazovky se nepodařilo odeslat na email prijemce@example.cz.\nNepodařilo se spojit se serverem "
        L"\"nenalezeny.invalid\"."));
}

TEST_F(ObrazovkaEmail, DalsiPozadavekBehemOdesilaniDostaneTextZaneprazdneni) {
    testy::ZachytavacZprav zpravy;
    const std::wstring soubor = slozka.Cesta() + L"\\opis.png";
    testy::ZapsatSoubor(soubor, "data");
    nastaveniObrazovka->opisEmail.procentoVelikosti = 4;  // below 5: sent unchanged
    portOdeslaniOpisu = testy::PORT_SMTP_TICHY;           // greets, then never answers
    aplikace.nastaveni.casovyLimitModulu = 300;
    ASSERT_TRUE(PozadovatOdeslaniOpisu(L"a@b.cz", soubor, modul->m_hWnd)) << "six characters are enough";
    EXPECT_TRUE(ProbihaOdesilaniOpisu());
    EXPECT_FALSE(PozadovatOdeslaniOpisu(L"druhy@example.cz", soubor, modul->m_hWnd));
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_EQ(zpravy.zpravy[0].text,
              L"Probíhá odesílání předchozího opisu.\nDalší opis lze odeslat až po jeho dokončení.");
    ASSERT_EQ(bubliny.size(), 1u) << "only the first request's balloon";
    EXPECT_EQ(bubliny[0], L"Odesílám opis obrazovky na email a@b.cz.\nČekejte prosím...");
    // shutdown does not wait longer than the module time-out for a hanging server
    const ULONGLONG zacatek = ::GetTickCount64();
    UkoncitOdesilaniOpisu();
    EXPECT_LT(::GetTickCount64() - zacatek, 3000u);
    EXPECT_FALSE(ProbihaOdesilaniOpisu());
}

TEST(ObrazovkaEmailZmenseni, KopieSeZmensiPodleSirkyAMimo5Az99SeNezmeni) {
    testy::SpustitGdiPlus();
    testy::DocasnaSlozka slozka;
    // a portrait picture 200 x 400
    const std::wstring zdroj = slozka.Cesta() + L"\\na vysku.png";
    {
        Gdiplus::Bitmap bitmapa(200, 400, PixelFormat24bppRGB);
        CLSID png;
        ASSERT_GE(NajitKodekObrazku(L"image/png", png), 0);
        ASSERT_EQ(bitmapa.Save(zdroj.c_str(), &png, nullptr), Gdiplus::Ok);
    }
    const std::vector<BYTE> pred = testy::PrecistBajty(zdroj);
    struct {
        DWORD procento;
        bool zmenseno;
        UINT sirka, vyska;
    } pripady[] = {{50, true, 50, 100}, {5, true, 5, 10}, {99, true, 99, 198}, {4, false, 0, 0}, {100, false, 0, 0}};
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.procento);
        const std::wstring cil = slozka.Cesta() + L"\\kopie" + std::to_wstring(p.procento) + L".png";
        EXPECT_EQ(ZmensitKopiiObrazku(zdroj, p.procento, cil), p.zmenseno);
        if (!p.zmenseno) {
            EXPECT_FALSE(testy::ExistujeSoubor(cil));
            continue;
        }
        const testy::DekodovanyObrazek d = testy::Dekodovat(cil);
        EXPECT_EQ(d.sirka, p.sirka);
        EXPECT_EQ(d.vyska, p.vyska) << "the height equals the box: the percentage of the width";
    }
    EXPECT_EQ(testy::PrecistBajty(zdroj), pred);
}

// Every capture format scaled for e-mail arrives as a whole picture of that format, half the
// width, with the captured colour; the capture file stays as it was.
TEST_F(ObrazovkaEmail, ZmensenyOpisKazdehoFormatuDoraziCely) {
    const RECT oblast{100, 100, 300, 250};
    testy::BarevneOkno okno(RGB(255, 0, 0), oblast);
    NastaveniOpisu& nastaveni = nastaveniObrazovka->opis;
    nastaveni.shellOtevrit = 0;
    struct {
        DWORD format;
        const char* nazev;
    } formaty[] = {{FORMAT_JPEG, "JPEG"}, {FORMAT_PNG, "PNG"}, {FORMAT_BMP, "BMP"}, {FORMAT_TIFF, "TIFF"},
                   {FORMAT_GIF, "GIF"}};
    for (const auto& f : formaty) {
        SCOPED_TRACE(f.nazev);
        nastaveni.format = f.format;
        testy::ZachytavacZprav zpravy;
        UlozitOpisVyrezu(nastaveni, oblast.left, oblast.top, oblast.right, oblast.bottom, 1);
        ASSERT_TRUE(zpravy.zpravy.empty()) << zpravy;
        const std::wstring soubor = slozka.Cesta() + L"\\Obrazovka" + PriponaFormatu(static_cast<int>(f.format));
        const std::vector<BYTE> pred = testy::PrecistBajty(soubor);

        testy::SmazatStrom(SlozkaPrijatych());
        bubliny.clear();
        ASSERT_TRUE(testy::CekatNa([] { return !ProbihaOdesilaniOpisu(); }));
        ASSERT_TRUE(PozadovatOdeslaniOpisu(L"prijemce@example.cz", soubor, modul->m_hWnd));
        ASSERT_TRUE(Bublina(L"Opis obrazovky byl odeslán na email\nprijemce@example.cz.")) << testy::NaUtf8(
            bubliny.empty() ? L"" : bubliny.back());
        ASSERT_TRUE(testy::CekatNa([] { return testy::ExistujeSoubor(SlozkaPrijatych() + L"\\hotovo.txt"); }, 5000));
        const std::wstring priloha = SlozkaPrijatych() + L"\\priloha-0.data";
        const testy::DekodovanyObrazek d = testy::Dekodovat(priloha);
        EXPECT_TRUE(d.nacten);
        EXPECT_EQ(d.format, f.nazev);
        EXPECT_EQ(d.sirka, 100u);
        EXPECT_EQ(d.vyska, 75u);
        {
            Gdiplus::Bitmap obrazek(priloha.c_str());
            ASSERT_EQ(obrazek.GetLastStatus(), Gdiplus::Ok);
            const COLORREF stred = testy::Pixel(obrazek, 50, 37);
            EXPECT_GE(GetRValue(stred), 220);
            EXPECT_LE(GetGValue(stred), 35);
            EXPECT_LE(GetBValue(stred), 35);
        }
        EXPECT_EQ(testy::PrecistBajty(soubor), pred);
    }
}

// An attachment that cannot be made is a failed send, with the reason, and nothing reaches the
// server.
TEST_F(ObrazovkaEmail, PrilohuKterouNelzeVytvoritNeodesle) {
    const std::wstring soubor = slozka.Cesta() + L"\\opis.gif";
    testy::ZapsatSoubor(soubor, "GIF89a, a pak nic");
    bubliny.clear();
    EXPECT_FALSE(PozadovatOdeslaniOpisu(L"prijemce@example.cz", soubor, modul->m_hWnd));
    ASSERT_EQ(bubliny.size(), 1u);
    EXPECT_EQ(bubliny[0].rfind(L"Opis obrazovky se nepodařilo odeslat na email prijemce@example.cz.\n"
                               L"Zmenšenou kopii opisu pro přílohu se nepodařilo vytvořit: ",
                               0),
              0u)
        << testy::NaUtf8(bubliny[0]);
    EXPECT_FALSE(ProbihaOdesilaniOpisu());
    testy::CekatNa([] { return false; }, 300);
    EXPECT_FALSE(testy::ExistujeSoubor(SlozkaPrijatych() + L"\\hotovo.txt"));
}

// The e-mail road over STARTTLS, and its failures in the balloon: the client's own reason (the
// certificate, a refused login, a time-out), not "the server could not be reached". A server
// that offers no login gets the capture without one.
TEST_F(ObrazovkaEmail, OdeslaniPresTlsASelhaniVBubline) {
    testy::DuveryhodnaAutorita autorita;
    ASSERT_TRUE(autorita.Pridana());
    const std::wstring soubor = slozka.Cesta() + L"\\opis.png";
    testy::ZapsatSoubor(soubor, "odesílá se beze změny");
    nastaveniObrazovka->opisEmail.procentoVelikosti = 100;
    const std::wstring neodeslan = L"Opis obrazovky se nepodařilo odeslat na email prijemce@example.cz.\n";
    struct {
        const char* popis;
        int port;
        const wchar_t* uzivatel;
        std::wstring bublina;
    } pripady[] = {
        {"TLS", testy::PORT_SMTP_TLS, L"uzivatel", L"Opis obrazovky byl odeslán na email\nprijemce@example.cz."},
        {"another name", testy::PORT_SMTP_TLS_JINY_NAZEV, L"uzivatel",
         neodeslan + L"Certifikát serveru nepatří serveru \"127.0.0.1\" z nastavení; nic nebylo odesláno."},
        {"expired certificate", testy::PORT_SMTP_TLS_PROSLY, L"uzivatel",
         neodeslan + L"Platnost certifikátu serveru \"127.0.0.1\" skončila; nic nebylo odesláno."},
        {"no login offered", testy::PORT_SMTP, L"uzivatel", L"Opis obrazovky byl odeslán na email\nprijemce@example.cz."},
        {"refused login", testy::PORT_SMTP_PRIHLASENI, L"odmitnout535",
         neodeslan + L"Server odmítl přihlášení: 535 5.7.8 Prihlaseni odmitnuto"},
        {"greets, then silent", testy::PORT_SMTP_TICHY, L"uzivatel", neodeslan + L"Server neodpověděl do 2 s."},
    };
    casovyLimitOdeslaniOpisu = 2;
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        testy::ZaznamSmtp zaznam;
        testy::SmazatStrom(SlozkaPrijatych());
        bubliny.clear();
        portOdeslaniOpisu = static_cast<unsigned short>(p.port);
        nastaveniOdesilatelEmailu->uzivatel = p.uzivatel;
        nastaveniOdesilatelEmailu->heslo = L"heslo";
        ASSERT_TRUE(testy::CekatNa([] { return !ProbihaOdesilaniOpisu(); }));
        ASSERT_TRUE(PozadovatOdeslaniOpisu(L"prijemce@example.cz", soubor, modul->m_hWnd));
        EXPECT_TRUE(Bublina(p.bublina)) << testy::NaUtf8(bubliny.empty() ? L"" : bubliny.back());
        const std::vector<std::string> prikazy = zaznam.Prikazy(p.port);
        const bool prihlaseni = std::find(prikazy.begin(), prikazy.end(), "TLS AUTH") != prikazy.end();
        EXPECT_EQ(prihlaseni, p.port == testy::PORT_SMTP_TLS);
        EXPECT_EQ(std::count(prikazy.begin(), prikazy.end(), "PLAIN AUTH"), p.port == testy::PORT_SMTP_PRIHLASENI);
    }
    ASSERT_TRUE(testy::CekatNa([] { return !ProbihaOdesilaniOpisu(); }));
}

// A capture moved or deleted between taking it and "Odeslat" in the capture-action dialog: the
// balloon says the file is missing (not GDI+'s "wrong parameter"), on both roads (scaled copy
// and the file itself), and nothing is sent.
TEST_F(ObrazovkaEmail, ChybejiciOpisSeOhlasiJakoChybejiciSoubor) {
    for (DWORD procento : {50u, 100u}) {
        SCOPED_TRACE(procento);
        nastaveniObrazovka->opisEmail.procentoVelikosti = procento;
        const std::wstring soubor = slozka.Cesta() + L"\\Obrazovka smazaná.png";
        testy::ZapsatSoubor(soubor, "x");
        auto dialog = std::make_unique<DlgOpisObrazovkyAkce>();
        HWND h = dialog->Vytvorit(nullptr, reinterpret_cast<LPARAM>(soubor.c_str()));
        ASSERT_NE(h, nullptr);
        ASSERT_TRUE(::DeleteFileW(soubor.c_str()));
        bubliny.clear();
        testy::ZachytavacZprav zpravy;
        ::SetDlgItemTextW(h, IDC_AKCE_EMAIL, L"prijemce@example.cz");
        ::SendMessageW(h, WM_COMMAND, IDC_AKCE_ODESLAT, 0);
        ASSERT_EQ(bubliny.size(), 1u) << zpravy;
        EXPECT_EQ(bubliny[0], L"Opis obrazovky se nepodařilo odeslat na email prijemce@example.cz.\nSoubor opisu " + soubor +
                                  L" už neexistuje: byl smazán nebo přesunut.")
            << testy::NaUtf8(bubliny[0]);
        EXPECT_FALSE(ProbihaOdesilaniOpisu());
        dialog.reset();
    }
    EXPECT_FALSE(testy::ExistujeSoubor(SlozkaPrijatych() + L"\\hotovo.txt"));
}
