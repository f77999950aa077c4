#include <gtest/gtest.h>

#include "knihovna/chyba.h"
#include "knihovna/modul.h"

using knihovna::Chyba;

TEST(Chyba, HresultZKoduPodleTabulky) {
    struct Pripad {
        DWORD kod;
        HRESULT hr;
    } pripady[] = {
        {0, S_OK},
        {5, static_cast<HRESULT>(0x80070005)},
        {ERROR_FILE_NOT_FOUND, static_cast<HRESULT>(0x80070002)},
        {0x12345, static_cast<HRESULT>(0x80072345)},  // only the low 16 bits are kept
    };
    for (const Pripad& p : pripady) EXPECT_EQ(knihovna::HresultZKodu(p.kod), p.hr) << p.kod;
}

TEST(Chyba, TextySystemuAZalozniTexty) {
    // HRESULT 0 carries the system's text for success.
    wchar_t* system = nullptr;
    ASSERT_GT(FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, 0, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&system),
                             0, nullptr),
              0u);
    std::wstring ocekavany = system;
    LocalFree(system);
    while (!ocekavany.empty() && (ocekavany.back() == L'\n' || ocekavany.back() == L'\r')) ocekavany.pop_back();
    EXPECT_EQ(Chyba(S_OK).Zprava(), ocekavany);

    EXPECT_EQ(knihovna::ZiskatTextChyby(0), L"Nespecifikovaná chyba");
    EXPECT_EQ(knihovna::ZiskatTextChyby(5), Chyba(static_cast<HRESULT>(0x80070005)).Zprava());
    EXPECT_EQ(knihovna::ZiskatTextChyby(static_cast<int>(0x80070005)), knihovna::ZiskatTextChyby(5));
    EXPECT_NE(Chyba(E_OUTOFMEMORY).Zprava().find_first_not_of(L' '), std::wstring::npos);

    EXPECT_EQ(Chyba(static_cast<HRESULT>(0x80040207)).Zprava(), L"IDispatch error #7");
    EXPECT_EQ(Chyba(static_cast<HRESULT>(0x8FFF1234)).Zprava(), L"Unknown error 0x8FFF1234");
}

TEST(Chyba, NeseInformaciComObjektu) {
    ICreateErrorInfo* tvorba = nullptr;
    ASSERT_EQ(CreateErrorInfo(&tvorba), S_OK);
    tvorba->SetDescription(const_cast<LPOLESTR>(L"Kodér není nainstalován"));
    IErrorInfo* informace = nullptr;
    tvorba->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&informace));
    tvorba->Release();

    Chyba chyba(E_FAIL, informace);
    informace->Release();
    EXPECT_TRUE(chyba.MaInformace());
    EXPECT_EQ(chyba.Popis(), L"Kodér není nainstalován");
    EXPECT_EQ(knihovna::Modul::TextChybyCom(chyba), chyba.Zprava() + L" - Kodér není nainstalován");
    EXPECT_EQ(knihovna::Modul::TextChybyCom(Chyba(E_FAIL)), Chyba(E_FAIL).Zprava());
}
