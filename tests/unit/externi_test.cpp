#include <gtest/gtest.h>

#include "core/aplikace.h"
#include "core/externi.h"
#include "knihovna/chyba.h"
#include "podpora/pomocnik.h"
#include "resources/resource.h"
#include "unit/servery_testu.h"

namespace {

// The program folder pointed elsewhere for one test.
class SlozkaProgramu {
public:
    explicit SlozkaProgramu(const std::wstring& slozka) : m_puvodni(aplikace.slozkaProgramu) {
        aplikace.slozkaProgramu = slozka;
    }
    ~SlozkaProgramu() { aplikace.slozkaProgramu = m_puvodni; }

private:
    std::wstring m_puvodni;
};

std::wstring TextPolozky(HWND dialog, int id) {
    wchar_t text[300] = L"";
    ::GetDlgItemTextW(dialog, id, text, 300);
    return text;
}

void SmazatProgId(const wchar_t* progId) { ::RegDeleteTreeW(HKEY_CLASSES_ROOT, progId); }

}  // namespace

TEST(ExterniAplikace, SpustitZjistitZavrit) {
    ExtAplikaceMeltis meltis;
    meltis.UrcitCestu(testy::SlozkaPomocnych() + L"\\meltis");
    ASSERT_TRUE(meltis.Nalezena());
    EXPECT_EQ(meltis.Cesta(), testy::SlozkaPomocnych() + L"\\meltis\\Meltis.exe");
    EXPECT_FALSE(meltis.JeSpustena());
    EXPECT_EQ(meltis.Zavrit(), E_HANDLE);  // no window: nothing posted

    PrepnoutExterniAplikaci(&meltis);  // not running: started
    ASSERT_TRUE(testy::CekatNa([&] { return meltis.JeSpustena(); }));
    PrepnoutExterniAplikaci(&meltis);  // running: closed
    EXPECT_TRUE(testy::CekatNa([&] { return !meltis.JeSpustena(); }));

    ExtAplikaceVarnel varnel;
    varnel.UrcitCestu((testy::SlozkaPomocnych() + L"\\varnel\\Varnel.exe").c_str());
    ASSERT_TRUE(varnel.Nalezena());
    EXPECT_EQ(varnel.Spustit(), S_OK);
    ASSERT_TRUE(testy::CekatNa([&] { return varnel.JeSpustena(); }));
    EXPECT_EQ(varnel.Zavrit(), S_OK);
    EXPECT_TRUE(testy::CekatNa([&] { return !varnel.JeSpustena(); }));
}

TEST(ExterniAplikace, NenalezenyProgram) {
    ExtAplikaceVarnel varnel;
    for (const wchar_t* spatna : {static_cast<const wchar_t*>(nullptr), L"a.ex"}) {
        try {
            varnel.UrcitCestu(spatna);
            ADD_FAILURE() << "no error";
        } catch (const knihovna::Chyba& chyba) {
            EXPECT_EQ(chyba.Hresult(), E_INVALIDARG);
        }
    }
    varnel.UrcitCestu(L"C:\\Program Files\\Brenvald\\Varnel 3\\Varnel.exe");
    EXPECT_FALSE(varnel.Nalezena());
    EXPECT_EQ(varnel.Cesta(), L"");
    EXPECT_EQ(varnel.Spustit(), E_INVALIDARG);
    PrepnoutExterniAplikaci(&varnel);  // nothing happens
    PrepnoutExterniAplikaci(nullptr);

    ExterniAplikace bezTridy(nullptr);
    EXPECT_FALSE(bezTridy.JeSpustena());
    EXPECT_EQ(bezTridy.Zavrit(), E_INVALIDARG);
}

TEST(ExterniAplikace, LumedaDostaneJedenUvozenyArgument) {
    testy::DocasnaSlozka slozka;
    const std::wstring zaznam = slozka.Cesta() + L"\\prikazovy radek.txt";
    ::SetEnvironmentVariableW(L"KOLVEX_ZAZNAM", zaznam.c_str());
    {
        SlozkaProgramu program(testy::SlozkaPomocnych() + L"\\lumeda");
        EXPECT_EQ(SpustitLumeda(L"C:\\moje obrázky\\opis 1.jpg"), S_OK);
        ASSERT_TRUE(testy::CekatNa([&] { return testy::ExistujeSoubor(zaznam); }));
        std::string obsah;
        ASSERT_TRUE(testy::CekatNa([&] { return testy::PrecistSoubor(zaznam, obsah) && !obsah.empty(); }));
        EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(obsah.data()), obsah.size() / 2),
                  L" \"C:\\moje obrázky\\opis 1.jpg\"");
    }
    ::SetEnvironmentVariableW(L"KOLVEX_ZAZNAM", nullptr);
    {
        SlozkaProgramu program(slozka.Cesta());  // no Lumeda here
        testy::ZachytavacZprav zpravy;
        EXPECT_EQ(SpustitLumeda(L"C:\\obr"), static_cast<HRESULT>(0x80070002));
        ASSERT_EQ(zpravy.zpravy.size(), 1u);
        EXPECT_EQ(zpravy.zpravy[0].priznaky & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
        EXPECT_EQ(SpustitNastaveniLumeda(), E_INVALIDARG);
    }
}

TEST(RozsireniPruzkumnika, BezRozsireniHlasiNenainstalovanoANezaregistrovano) {
    testy::DocasnaSlozka slozka;
    SlozkaProgramu program(slozka.Cesta());
    SmazatProgId(L"Brenvald.SchrankaContextMenu");
    SmazatProgId(L"Brenvald.ObrazekContextMenu");
    SmazatProgId(L"Brenvald.SlozkaObrazkuContextMenu");
    EXPECT_EQ(VolatRegistraciDll(slozka.Cesta() + L"\\Tesmarin.dll", true), E_HANDLE);
    EXPECT_EQ(RegistrovatShellExtObrazky(true), E_HANDLE);

    DlgShellExtObrazky obrazky;
    obrazky.Vytvorit(nullptr);
    EXPECT_EQ(TextPolozky(obrazky.m_hWnd, 1093), L"Rozšíření kontextové nabídky shellu \"Obrázky\" NENI nainstalováno!");
    EXPECT_EQ(TextPolozky(obrazky.m_hWnd, 1094), L"Rozšíření kontextové nabídky shellu \"Obrázky\" NENÍ zaregistrováno!");
    EXPECT_EQ(TextPolozky(obrazky.m_hWnd, 1097), L"Spouštěný program \"Lumeda\" NENÍ nainstalován!");
    EXPECT_EQ(TextPolozky(obrazky.m_hWnd, 1095), L"Zaregistrovat");
    ::SendMessageW(obrazky.m_hWnd, WM_COMMAND, 1095, 0);  // cannot register: nothing changes
    EXPECT_EQ(TextPolozky(obrazky.m_hWnd, 1095), L"Zaregistrovat");
    wchar_t titulek[200];
    ::GetWindowTextW(obrazky.m_hWnd, titulek, 200);
    EXPECT_EQ(std::wstring(titulek), aplikace.titulek + L" - Rozšíření průzkumníka \"Obrázky\"");

    DlgShellExtSchranka schranka;
    schranka.Vytvorit(nullptr);
    EXPECT_EQ(TextPolozky(schranka.m_hWnd, 1093), L"Rozšíření kontextové nabídky shellu \"Schránka\" NENI nainstalováno!");
    EXPECT_EQ(TextPolozky(schranka.m_hWnd, 1094), L"Rozšíření kontextové nabídky shellu \"Schránka\" NENÍ zaregistrováno!");
}

TEST(RozsireniPruzkumnika, RegistraceTamAZpet) {
    testy::DocasnaSlozka slozka;
    SlozkaProgramu program(slozka.Cesta());
    const std::wstring registrace = testy::SlozkaPomocnych() + L"\\registrace\\";
    SmazatProgId(L"Brenvald.SchrankaContextMenu");

    ASSERT_TRUE(::CopyFileW((registrace + L"registrace_selhani.dll").c_str(), (slozka.Cesta() + L"\\Tesmarin.dll").c_str(), FALSE));
    EXPECT_EQ(RegistrovatShellExtSchranka(true), E_FAIL);
    ASSERT_TRUE(::CopyFileW((registrace + L"registrace_schranka.dll").c_str(), (slozka.Cesta() + L"\\Tesmarin.dll").c_str(), FALSE));

    DlgShellExtSchranka dialog;
    dialog.Vytvorit(nullptr);
    EXPECT_EQ(TextPolozky(dialog.m_hWnd, 1093), L"Rozšíření kontextové nabídky shellu \"Schránka\" je nainstalováno.");
    EXPECT_EQ(TextPolozky(dialog.m_hWnd, 1095), L"Zaregistrovat");
    ::SendMessageW(dialog.m_hWnd, WM_COMMAND, 1095, 0);
    EXPECT_TRUE(InfoShellExtSchranka(slozka.Cesta()).JeZaregistrovano());
    EXPECT_EQ(TextPolozky(dialog.m_hWnd, 1094), L"Rozšíření kontextové nabídky shellu \"Schránka\" je zaregistrováno.");
    EXPECT_EQ(TextPolozky(dialog.m_hWnd, 1095), L"Odregistrovat");
    ::SendMessageW(dialog.m_hWnd, WM_COMMAND, 1095, 0);
    EXPECT_FALSE(InfoShellExtSchranka(slozka.Cesta()).JeZaregistrovano());
    EXPECT_EQ(TextPolozky(dialog.m_hWnd, 1095), L"Zaregistrovat");

    // Pictures: registered only with both ProgIDs.
    ASSERT_TRUE(::CopyFileW((registrace + L"registrace_obrazky.dll").c_str(), (slozka.Cesta() + L"\\Zentrava.dll").c_str(), FALSE));
    InfoShellExtObrazky obrazky(slozka.Cesta());
    EXPECT_FALSE(obrazky.JeNainstalovano());  // Lumeda is missing
    EXPECT_EQ(RegistrovatShellExtObrazky(true), S_OK);
    EXPECT_TRUE(obrazky.JeZaregistrovano());
    SmazatProgId(L"Brenvald.SlozkaObrazkuContextMenu");
    EXPECT_FALSE(obrazky.JeZaregistrovano());
    EXPECT_EQ(RegistrovatShellExtObrazky(false), S_OK);
    EXPECT_FALSE(obrazky.JeZaregistrovano());
}
