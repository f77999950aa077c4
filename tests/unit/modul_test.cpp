// Message services of knihovna::Modul and their overrides on the application object.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "core/aplikace.h"
#include "knihovna/modul.h"
#include "knihovna/text.h"
#include "podpora/pomocnik.h"
#include "resources/resource.h"

using knihovna::Chyba;
using knihovna::Modul;
using testy::ZachytavacZprav;

namespace {

constexpr UINT ZAKLAD = MB_TASKMODAL | MB_SETFOREGROUND;

struct ZachytavacShellu {
    static std::wstring adresa;
    static INT_PTR vysledek;
    static HINSTANCE WINAPI Spustit(HWND, LPCWSTR sloveso, LPCWSTR soubor, LPCWSTR, LPCWSTR, INT zobrazeni) {
        adresa = std::wstring(sloveso) + L"|" + soubor + L"|" + std::to_wstring(zobrazeni);
        ::SetLastError(ERROR_NO_ASSOCIATION);
        return reinterpret_cast<HINSTANCE>(vysledek);
    }
    ZachytavacShellu() { knihovna::spustitShell = Spustit; }
    ~ZachytavacShellu() { knihovna::spustitShell = ::ShellExecuteW; }
};
std::wstring ZachytavacShellu::adresa;
INT_PTR ZachytavacShellu::vysledek = 42;

}  // namespace

TEST(Modul, ZpravyChybyAIdentifikatoryRetezcu) {
    Modul modul;
    modul.titulek = L"Nástroj";
    ZachytavacZprav zachytavac;

    modul.ZobrazitChybuId(IDS_CHYBA_NACTENI_KONFIGURACE);
    ::SetLastError(0);
    modul.ZobrazitChybuId(0);  // the last system error's text
    ::SetLastError(0);
    modul.ZobrazitZpravuId(64999, MB_ICONINFORMATION);  // missing string: the last error's text as an error
    modul.ZobrazitChybu(L"Chyba ěščř");

    ASSERT_EQ(zachytavac.zpravy.size(), 4u);
    EXPECT_EQ(zachytavac.zpravy[0].text, L"Došlo k chybě při načítání konfigurace z registru Windows.");
    EXPECT_EQ(zachytavac.zpravy[0].priznaky, MB_ICONERROR | ZAKLAD);
    EXPECT_EQ(zachytavac.zpravy[0].titulek, L"Nástroj");
    EXPECT_EQ(zachytavac.zpravy[0].vlastnik, nullptr);
    EXPECT_EQ(zachytavac.zpravy[1].text, L"Nespecifikovaná chyba");
    EXPECT_EQ(zachytavac.zpravy[1].priznaky, MB_ICONERROR | ZAKLAD);
    EXPECT_EQ(zachytavac.zpravy[2].priznaky, MB_ICONERROR | ZAKLAD);
    EXPECT_FALSE(zachytavac.zpravy[2].text.empty());
    EXPECT_EQ(zachytavac.zpravy[3].text, L"Chyba ěščř");
}

TEST(Modul, OtazkyMajiPriznakyPodleTabulky) {
    struct Pripad {
        bool vychoziAno, varovani;
        UINT priznaky;
        int odpoved;
        bool vysledek;
    } pripady[] = {
        {true, false, 0x12024, IDYES, true},
        {true, true, 0x12034, IDNO, false},
        {false, false, 0x12124, IDYES, true},
        {false, true, 0x12134, IDCANCEL, false},
    };
    Modul modul;
    modul.titulek = L"Titulek";
    for (const Pripad& p : pripady) {
        ZachytavacZprav zachytavac(p.odpoved);
        EXPECT_EQ(modul.Otazka(L"Opravdu?", p.vychoziAno, p.varovani), p.vysledek);
        ASSERT_EQ(zachytavac.zpravy.size(), 1u);
        EXPECT_EQ(zachytavac.zpravy[0].priznaky, p.priznaky);
        EXPECT_EQ(zachytavac.zpravy[0].titulek, L"Titulek");
    }
    // a question whose string is missing shows the error instead and answers no
    ZachytavacZprav zachytavac(IDYES);
    EXPECT_FALSE(modul.OtazkaId(64998, true, false));
    ASSERT_EQ(zachytavac.zpravy.size(), 1u);
    EXPECT_EQ(zachytavac.zpravy[0].priznaky, MB_ICONERROR | ZAKLAD);
}

TEST(Modul, ChybyComSNadpisemAPopisem) {
    ICreateErrorInfo* tvorba = nullptr;
    ASSERT_EQ(CreateErrorInfo(&tvorba), S_OK);
    tvorba->SetDescription(const_cast<LPOLESTR>(L"popis"));
    IErrorInfo* informace = nullptr;
    tvorba->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&informace));
    tvorba->Release();
    const Chyba sInformaci(E_FAIL, informace);
    informace->Release();
    const Chyba prosta(E_INVALIDARG);

    Modul modul;
    ZachytavacZprav zachytavac;
    modul.ZobrazitChybuCom(L"Nadpis", sInformaci);
    modul.ZobrazitChybuCom(L"Nadpis", prosta);
    modul.ZobrazitChybuComId(IDS_CHYBA_ZAPISU_KONFIGURACE, prosta);
    modul.ZobrazitChybuComPopis(sInformaci);
    modul.ZobrazitChybuComPopis(prosta);

    ASSERT_EQ(zachytavac.zpravy.size(), 5u);
    EXPECT_EQ(zachytavac.zpravy[0].text, L"Nadpis\nChyba: " + sInformaci.Zprava() + L" - popis");
    EXPECT_EQ(zachytavac.zpravy[1].text, L"Nadpis\nChyba: " + prosta.Zprava());
    EXPECT_EQ(zachytavac.zpravy[2].text,
              L"Došlo k chybě při zápisu konfigurace do registru Windows.\nChyba: " + prosta.Zprava());
    EXPECT_EQ(zachytavac.zpravy[3].text, sInformaci.Zprava() + L"\npopis");
    EXPECT_EQ(zachytavac.zpravy[4].text, prosta.Zprava());
    for (const auto& z : zachytavac.zpravy) EXPECT_EQ(z.priznaky, MB_ICONERROR | ZAKLAD);
}

TEST(Modul, PodporaAWebAutoraPresShell) {
    ZachytavacShellu shell;
    Modul modul;
    modul.NapsatPodpore();
    EXPECT_EQ(ZachytavacShellu::adresa,
              L"open|mailto:" + knihovna::emailPodpory + L"?subject=Žádost o technickou podporu|3");
    modul.OtevritWebAutora();
    EXPECT_EQ(ZachytavacShellu::adresa, L"open|" + knihovna::webAutora + L"/|3");

    aplikace.NapsatPodpore();
    EXPECT_EQ(ZachytavacShellu::adresa, L"open|mailto:" + knihovna::emailPodpory +
                                            L"?subject=Kolvex pro Windows - Žádost o technickou podporu|3");

    // ShellExecute's result of 32 or less raises the last system error
    ZachytavacShellu::vysledek = 31;
    try {
        modul.OtevritWebAutora();
        ADD_FAILURE() << "no error raised";
    } catch (const Chyba& chyba) {
        EXPECT_EQ(chyba.Hresult(), knihovna::HresultZKodu(ERROR_NO_ASSOCIATION));
    }
    ZachytavacShellu::vysledek = 42;
}

TEST(Modul, AplikaceBereTitulekZVerzeAOtazkuVlastniAktivniOkno) {
    ZachytavacZprav zachytavac(IDYES);
    const std::wstring puvodni = aplikace.titulek;
    aplikace.titulek = L"Jiný titulek";
    aplikace.ZobrazitChybuId(IDS_CHYBA_NACTENI_KONFIGURACE);  // through the override, caption from the version block

    HWND okno = ::CreateWindowExW(0, L"STATIC", L"aktivní", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                  nullptr, nullptr);
    ::SetActiveWindow(okno);
    EXPECT_TRUE(aplikace.Otazka(L"Konec?", true, true));
    ::DestroyWindow(okno);
    aplikace.titulek = puvodni;

    ASSERT_EQ(zachytavac.zpravy.size(), 2u);
    EXPECT_EQ(zachytavac.zpravy[0].titulek, L"Kolvex");
    EXPECT_EQ(zachytavac.zpravy[1].vlastnik, okno);
    EXPECT_EQ(zachytavac.zpravy[1].priznaky, 0x12034u);
}

// Every box of the message services belongs to the window the user works in on this thread; a
// hidden active window (a tray menu's) or a disabled one owns none.
TEST(Modul, ZpravyAOtazkyVlastniViditelneAktivniOkno) {
    struct Pripad {
        const wchar_t* popis;
        DWORD styl;
        bool zakazat;
        bool vlastnena;
    } pripady[] = {
        {L"viditelné", WS_POPUP | WS_VISIBLE, false, true},
        {L"skryté", WS_POPUP, false, false},
        {L"zakázané", WS_POPUP | WS_VISIBLE, true, false},
    };
    Modul modul;
    modul.titulek = L"Nástroj";
    for (const Pripad& p : pripady) {
        ZachytavacZprav zachytavac(IDYES);
        HWND okno = ::CreateWindowExW(0, L"STATIC", p.popis, p.styl, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(okno, nullptr);
        ::SetActiveWindow(okno);
        ASSERT_EQ(::GetActiveWindow(), okno) << p.popis;
        if (p.zakazat) ::EnableWindow(okno, FALSE);
        modul.ZobrazitChybu(L"chyba");
        modul.Otazka(L"otázka?", true, false);
        aplikace.ZobrazitZpravu(L"zpráva", MB_ICONINFORMATION);
        aplikace.Otazka(L"otázka aplikace?", false, true);
        ::DestroyWindow(okno);

        ASSERT_EQ(zachytavac.zpravy.size(), 4u) << p.popis;
        for (const testy::ZaznamZpravy& z : zachytavac.zpravy) {
            EXPECT_EQ(z.vlastnik, p.vlastnena ? okno : nullptr) << p.popis << L" " << z.text;
            EXPECT_EQ(z.priznaky & ZAKLAD, ZAKLAD) << z.text;
        }
    }
}
