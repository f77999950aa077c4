#include <gtest/gtest.h>

#include "core/aplikace.h"
#include "core/zasuvnemoduly.h"
#include "knihovna/chyba.h"
#include "podpora/pomocnik.h"
#include "unit/servery_testu.h"

namespace {

// A program folder with test plug-ins in both plug-in folders.
class ProgramSRozsirenimi {
public:
    ProgramSRozsirenimi(std::initializer_list<const wchar_t*> rozsireni, std::initializer_list<const wchar_t*> poStartu)
        : m_puvodni(aplikace.slozkaProgramu) {
        aplikace.slozkaProgramu = m_slozka.Cesta();
        Kopirovat(rozsireni, aplikace.slozkaZasuvnychModulu);
        Kopirovat(poStartu, aplikace.slozkaZasuvnychModuluPoSpusteni);
        NajitRozsireni();
    }
    ~ProgramSRozsirenimi() {
        try {
            ZastavitVsechnaRozsireni();
        } catch (...) {
        }
        UvolnitRozsireni();
        aplikace.slozkaProgramu = m_puvodni;
    }

    ZasuvnyModul* Najit(const std::wstring& soubor) {
        for (auto& m : seznamRozsireni)
            if (m->souborDll == soubor) return m.get();
        return nullptr;
    }

private:
    testy::DocasnaSlozka m_slozka;
    std::wstring m_puvodni;

    void Kopirovat(std::initializer_list<const wchar_t*> soubory, const std::wstring& podslozka) {
        if (soubory.size() == 0) return;
        std::wstring cil = m_slozka.Cesta() + L"\\" + podslozka;
        ::CreateDirectoryW(cil.c_str(), nullptr);
        for (const wchar_t* s : soubory)
            EXPECT_TRUE(::CopyFileW((testy::SlozkaPomocnych() + L"\\rozsireni\\" + s).c_str(), (cil + L"\\" + s).c_str(), FALSE));
    }
};

HWND OknoRozsireni(const std::wstring& nazev) {
    return ::FindWindowExW(HWND_MESSAGE, nullptr, (L"QTestRozsireni_" + nazev).c_str(), nullptr);
}

}  // namespace

TEST(ZasuvneModuly, BezSlozkyZadneMenu) {
    ProgramSRozsirenimi program({}, {});
    EXPECT_TRUE(seznamRozsireni.empty());
    EXPECT_EQ(VytvoritMenuRozsireni(), nullptr);
    try {
        PrepnoutRozsireni(55000);
        ADD_FAILURE() << "no error";
    } catch (const knihovna::Chyba& chyba) {
        EXPECT_EQ(chyba.Hresult(), E_INVALIDARG);
    }
}

TEST(ZasuvneModuly, SeznamAMenuVOpacnemPoradi) {
    ProgramSRozsirenimi program({L"prvni.dll", L"druhe.dll", L"treti.dll", L"bezjmena.dll", L"bezokna.dll"},
                                {L"okamzite.dll"});
    // Without "ProductName" or without "GetHlavniOkno" a DLL is not listed.
    ASSERT_EQ(seznamRozsireni.size(), 4u);
    EXPECT_EQ(program.Najit(L"bezjmena.dll"), nullptr);
    EXPECT_EQ(program.Najit(L"bezokna.dll"), nullptr);
    EXPECT_EQ(seznamRozsireni[3]->souborDll, L"okamzite.dll");  // the second folder comes after the first
    EXPECT_TRUE(seznamRozsireni[3]->spustitPoStartu);
    EXPECT_FALSE(seznamRozsireni[0]->spustitPoStartu);
    EXPECT_EQ(program.Najit(L"prvni.dll")->nazev, L"První rozšíření");
    EXPECT_EQ(program.Najit(L"prvni.dll")->popis, L"Testovací rozšíření prvni");
    EXPECT_EQ(IkonaRozsireni(0), seznamRozsireni[0]->malaIkona);

    SpustitRozsireni(*program.Najit(L"treti.dll"));
    ASSERT_TRUE(testy::CekatNa([] { return OknoRozsireni(L"treti") != nullptr; }));
    knihovna::UchytMenu menu(VytvoritMenuRozsireni());
    ASSERT_TRUE(menu);
    ASSERT_EQ(::GetMenuItemCount(menu.Get()), 4);
    for (int pozice = 0; pozice < 4; ++pozice) {
        size_t index = 3 - static_cast<size_t>(pozice);
        EXPECT_EQ(::GetMenuItemID(menu.Get(), pozice), 55000 + index);
        wchar_t text[100] = L"";
        ::GetMenuStringW(menu.Get(), static_cast<UINT>(pozice), text, 100, MF_BYPOSITION);
        EXPECT_EQ(std::wstring(text), seznamRozsireni[index]->nazev);
        bool zaskrtnuto = (::GetMenuState(menu.Get(), static_cast<UINT>(pozice), MF_BYPOSITION) & MF_CHECKED) != 0;
        EXPECT_EQ(zaskrtnuto, seznamRozsireni[index]->souborDll == L"treti.dll");
    }
}

TEST(ZasuvneModuly, PrepnutiSpustiAZastavi) {
    ProgramSRozsirenimi program({L"prvni.dll"}, {L"okamzite.dll"});
    ZasuvnyModul* prvni = program.Najit(L"prvni.dll");
    ASSERT_NE(prvni, nullptr);
    PrepnoutRozsireni(55000);
    EXPECT_TRUE(prvni->Bezi());
    ASSERT_TRUE(testy::CekatNa([] { return OknoRozsireni(L"prvni") != nullptr; }));
    PrepnoutRozsireni(55000);
    EXPECT_FALSE(prvni->Bezi());
    EXPECT_EQ(OknoRozsireni(L"prvni"), nullptr);

    // A plug-in that returns at once is unchecked afterwards and can run again.
    ZasuvnyModul* okamzite = program.Najit(L"okamzite.dll");
    for (int kolo = 0; kolo < 3; ++kolo) {
        SpustitRozsireniPoStartu();
        EXPECT_TRUE(testy::CekatNa([&] { return !okamzite->Bezi(); })) << kolo;
    }
}

TEST(ZasuvneModuly, ZastaveniPriUkonceniVCasovemLimitu) {
    ProgramSRozsirenimi program({L"prvni.dll", L"druhe.dll", L"treti.dll"}, {});
    for (auto& m : seznamRozsireni) SpustitRozsireni(*m);
    for (const wchar_t* n : {L"prvni", L"druhe", L"treti"})
        ASSERT_TRUE(testy::CekatNa([&] { return OknoRozsireni(n) != nullptr; }));
    ULONGLONG zacatek = ::GetTickCount64();
    ZastavitVsechnaRozsireni();
    EXPECT_LT(::GetTickCount64() - zacatek, 3000u);
    for (auto& m : seznamRozsireni) EXPECT_FALSE(m->Bezi());
}

TEST(ZasuvneModuly, NeposlusnyModulPoCasovemLimituHlasiChybu) {
    HANDLE pustit = ::CreateEventW(nullptr, TRUE, FALSE, L"KolvexTestPustitRozsireni");
    ::ResetEvent(pustit);
    int limit = aplikace.nastaveni.casovyLimitZasuvnychModulu;
    aplikace.nastaveni.casovyLimitZasuvnychModulu = 500;
    {
        ProgramSRozsirenimi program({L"tvrdohlave.dll"}, {});
        ZasuvnyModul& modul = *seznamRozsireni.at(0);
        SpustitRozsireni(modul);
        ASSERT_TRUE(testy::CekatNa([] { return OknoRozsireni(L"tvrdohlave") != nullptr; }));
        ULONGLONG zacatek = ::GetTickCount64();
        try {
            ZastavitRozsireni(modul);
            ADD_FAILURE() << "no error";
        } catch (const knihovna::Chyba& chyba) {
            EXPECT_EQ(chyba.Hresult(), knihovna::HresultZKodu(WAIT_TIMEOUT));
        }
        EXPECT_LT(::GetTickCount64() - zacatek, 3000u);
        EXPECT_TRUE(modul.Bezi());
        // Once it gives in, the same record stops cleanly (its thread handle is still valid).
        ::SetEvent(pustit);
        EXPECT_TRUE(testy::CekatNa([&] { return !modul.Bezi(); }));
        ZastavitRozsireni(modul);
    }
    aplikace.nastaveni.casovyLimitZasuvnychModulu = limit;
    ::CloseHandle(pustit);
}
