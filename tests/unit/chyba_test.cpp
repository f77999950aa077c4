#include <gtest/gtest.h>

#include "knihovna/chyba.h"
#include "knihovna/modul.h"

#include <shellapi.h>
#include <wininet.h>

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

}

// Texts the system has not, or has only with raw inserts, are Czech and whole.
TEST(Chyba, VlastniCeskeTextyMistoSystemovych) {
    struct Pripad {
        HRESULT hr;
        const wchar_t* text;
    } pripady[] = {
        {static_cast<HRESULT>(0x80040207), L"Chyba IDispatch č. 7"},
        {static_cast<HRESULT>(0x8FFF1234), L"Neznámá chyba 0x8FFF1234"},
        {static_cast<HRESULT>(0x80190000 | 500), L"HTTP 500"},
        {static_cast<HRESULT>(0x80190000 | 404), L"HTTP 404"},
        {knihovna::HresultZKodu(ERROR_DATATYPE_MISMATCH), L"Hodnota v registru je nesprávného druhu."},
        // a server name that cannot be looked up (the tests look up no names, so not from a download)
        {knihovna::HresultZKodu(ERROR_INTERNET_NAME_NOT_RESOLVED),
         L"Název serveru se nepodařilo najít. Zkontrolujte adresu a připojení k internetu."},
    };
    for (const Pripad& p : pripady) EXPECT_EQ(Chyba(p.hr).Zprava(), p.text) << std::hex << p.hr;
    // no system text keeps a "%1" insert
    for (DWORD kod : {2u, 3u, 11u, 193u, 1155u, 223u, 234u}) {
        std::wstring text = Chyba(knihovna::HresultZKodu(kod)).Zprava();
        EXPECT_EQ(text.find(L"%1"), std::wstring::npos) << kod;
        EXPECT_EQ(text.find(L"Unknown"), std::wstring::npos) << kod;
        EXPECT_FALSE(text.empty()) << kod;
    }
}

// ShellExecute results of 32 or less are not system error codes.
TEST(Chyba, VysledkyShellExecuteMajiSvujVyznam) {
    struct Pripad {
        INT_PTR vysledek;
        HRESULT hr;
    } pripady[] = {
        {33, S_OK},
        {42, S_OK},
        {0, E_OUTOFMEMORY},
        {SE_ERR_OOM, E_OUTOFMEMORY},
        {ERROR_FILE_NOT_FOUND, knihovna::HresultZKodu(ERROR_FILE_NOT_FOUND)},
        {ERROR_PATH_NOT_FOUND, knihovna::HresultZKodu(ERROR_PATH_NOT_FOUND)},
        {ERROR_BAD_FORMAT, knihovna::HresultZKodu(ERROR_BAD_FORMAT)},
        {SE_ERR_ACCESSDENIED, E_ACCESSDENIED},
        {SE_ERR_SHARE, knihovna::HresultZKodu(ERROR_SHARING_VIOLATION)},
        {SE_ERR_ASSOCINCOMPLETE, knihovna::HresultZKodu(ERROR_NO_ASSOCIATION)},
        {SE_ERR_NOASSOC, knihovna::HresultZKodu(ERROR_NO_ASSOCIATION)},
        {SE_ERR_DDETIMEOUT, knihovna::HresultZKodu(ERROR_DDE_FAIL)},
        {SE_ERR_DDEBUSY, knihovna::HresultZKodu(ERROR_DDE_FAIL)},
        {SE_ERR_DLLNOTFOUND, knihovna::HresultZKodu(ERROR_DLL_NOT_FOUND)},
    };
    for (const Pripad& p : pripady) {
        ::SetLastError(ERROR_BAD_EXE_FORMAT);  // whatever the shell left behind does not count
        EXPECT_EQ(knihovna::HresultShellExecute(reinterpret_cast<HINSTANCE>(p.vysledek)), p.hr) << p.vysledek;
    }
    EXPECT_EQ(Chyba(knihovna::HresultZKodu(ERROR_NO_ASSOCIATION)).Zprava(),
              L"K souboru není přiřazen žádný program, který by tuto akci uměl provést.");
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
