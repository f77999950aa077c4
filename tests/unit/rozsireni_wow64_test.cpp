// What registering an Explorer extension reports on a system whose Explorer cannot load it: a
// 32-bit build on 64-bit Windows (WOW64) registers for 32-bit programs only.
#include <gtest/gtest.h>

#include "core/aplikace.h"
#include "core/externi.h"
#include "podpora/pomocnik.h"
#include "unit/hlavni_ikona_testu.h"
#include "unit/servery_testu.h"

namespace {

bool Wow64() { return true; }
bool BezWow64() { return false; }

}  // namespace

TEST(RozsireniPruzkumnika, RegistraceVeWow64RekneZeJiPruzkumnikNenacte) {
    testy::DocasnaSlozka slozka;
    const std::wstring registrace = testy::SlozkaPomocnych() + L"\\registrace\\";
    ASSERT_TRUE(::CopyFileW((registrace + L"registrace_obrazky.dll").c_str(), (slozka.Cesta() + L"\\Zentrava.dll").c_str(), FALSE));
    ASSERT_TRUE(::CopyFileW((registrace + L"registrace_schranka.dll").c_str(), (slozka.Cesta() + L"\\Tesmarin.dll").c_str(), FALSE));
    const std::wstring puvodniSlozka = aplikace.slozkaProgramu;
    aplikace.slozkaProgramu = slozka.Cesta();
    bool (*const puvodni)() = beziPodWow64;
    const std::wstring jen32 = L" bylo zaregistrováno jen pro 32bitové programy: 64bitový Průzkumník Windows jeho "
                               L"položky nezobrazí. Pro tyto 64bitové Windows je určen 64bitový zip Kolvexu.";
    struct Pripad {
        const char* popis;
        bool (*wow64)();
        HRESULT (*registrovat)(bool);
        bool registrace;
        std::wstring text;
        DWORD ikona;
    } pripady[] = {
        {"pictures under WOW64", Wow64, RegistrovatShellExtObrazky, true,
         L"Rozšíření kontextové nabídky shellu \"Obrázky\"" + jen32, NIIF_ERROR},
        {"clipboard under WOW64", Wow64, RegistrovatShellExtSchranka, true,
         L"Rozšíření kontextové nabídky shellu \"Schránka\"" + jen32, NIIF_ERROR},
        {"unregistering under WOW64", Wow64, RegistrovatShellExtObrazky, false,
         L"Rozšíření kontextové nabídky shellu \"Obrázky\" bylo úspěšně odregistrováno.", NIIF_INFO},
        {"pictures without WOW64", BezWow64, RegistrovatShellExtObrazky, true,
         L"Rozšíření kontextové nabídky shellu \"Obrázky\" bylo úspěšně zaregistrováno.", NIIF_INFO},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.popis);
        testy::HlavniIkonaSeZaznamem ikona;
        beziPodWow64 = p.wow64;
        EXPECT_EQ(p.registrovat(p.registrace), S_OK);
        ASSERT_EQ(ikona.bubliny.size(), 1u);
        EXPECT_EQ(ikona.bubliny[0], p.text);
        EXPECT_EQ(ikona.ikonyBublin[0], p.ikona);
    }
    beziPodWow64 = puvodni;
    RegistrovatShellExtObrazky(false);
    RegistrovatShellExtSchranka(false);
    aplikace.slozkaProgramu = puvodniSlozka;
}
