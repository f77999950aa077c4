// Start-up facts of the application object and its single-instance check.
#include <winsock2.h>

#include <gtest/gtest.h>

#include "core/aplikace.h"
#include "podpora/pomocnik.h"

namespace {

BOOL WINAPI Selhat(LPWSTR, LPDWORD) {
    ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
}
int WINAPI ZemeJedna(LCID, LCTYPE, LPWSTR data, int) {
    wcscpy(data, L"1");
    return 2;
}
int BezAdresy(std::wstring&, std::wstring& jmeno) {
    jmeno = L"částečně nalezeno";
    return 1;
}

struct VychoziDotazy {
    ~VychoziDotazy() { aplikace.dotazy = SystemoveDotazy{}; }
};

}  // namespace

TEST(Aplikace, UzivatelPocitacAZemePodleLocale) {
    VychoziDotazy obnova;
    aplikace.ZjistitUzivateleAPocitac();
    EXPECT_FALSE(aplikace.jmenoUzivatele.empty());
    EXPECT_NE(aplikace.jmenoUzivatele, L"Přihlášený uživatel");
    EXPECT_FALSE(aplikace.jmenoPocitace.empty());
    // the flag follows the country of the locale the run uses (420 with cs_CZ)
    EXPECT_EQ(aplikace.ceskeProstredi, testy::CeskeProstredi());
}

TEST(Aplikace, NahradniTextyKdyzDotazySelzou) {
    VychoziDotazy obnova;
    aplikace.dotazy.jmenoUzivatele = Selhat;
    aplikace.dotazy.jmenoPocitace = Selhat;
    aplikace.dotazy.informaceLocale = ZemeJedna;
    aplikace.dotazy.adresaPocitace = BezAdresy;
    aplikace.ZjistitUzivateleAPocitac();
    aplikace.UrcitAdresuPocitace();
    EXPECT_EQ(aplikace.jmenoUzivatele, L"Přihlášený uživatel");
    EXPECT_EQ(aplikace.jmenoPocitace, L"Tento počítač");
    EXPECT_FALSE(aplikace.ceskeProstredi);
    // a failed look-up sets both texts, even the one that was found
    EXPECT_EQ(aplikace.ipAdresa, L"Nezjištěná IP");
    EXPECT_EQ(aplikace.jmenoHostitele, L"Nezjištěné jméno počítače");
}

TEST(Aplikace, AdresaPocitacePresSokety) {
    WSADATA wsa;
    ASSERT_EQ(::WSAStartup(MAKEWORD(2, 0), &wsa), 0);
    aplikace.UrcitAdresuPocitace();
    ::WSACleanup();
    EXPECT_NE(aplikace.ipAdresa, L"Nezjištěná IP");
    EXPECT_EQ(std::count(aplikace.ipAdresa.begin(), aplikace.ipAdresa.end(), L'.'), 3);
    EXPECT_FALSE(aplikace.jmenoHostitele.empty());
}

TEST(Aplikace, JedinaInstancePresPojmenovanyMutex) {
    // another instance holds the mutex: told, reported, nothing kept
    HANDLE cizi = ::CreateMutexW(nullptr, TRUE, L"QKolvexAplikace");
    ASSERT_NE(cizi, nullptr);
    aplikace.titulek = L"Kolvex";
    {
        testy::ZachytavacZprav zachytavac;
        EXPECT_TRUE(aplikace.ZkontrolovatJedinouInstanci());
        ASSERT_EQ(zachytavac.zpravy.size(), 1u);
        EXPECT_EQ(zachytavac.zpravy[0].text, L"Tato aplikace je již spuštěna.");
        EXPECT_EQ(zachytavac.zpravy[0].titulek, L"Kolvex");
        EXPECT_EQ(zachytavac.zpravy[0].priznaky, static_cast<UINT>(MB_ICONEXCLAMATION));
    }
    EXPECT_EQ(aplikace.mutexInstance, nullptr);
    ::ReleaseMutex(cizi);
    ::CloseHandle(cizi);

    // alone: the mutex is taken and kept; a second check does not look again
    testy::ZachytavacZprav zachytavac;
    EXPECT_FALSE(aplikace.ZkontrolovatJedinouInstanci());
    EXPECT_NE(aplikace.mutexInstance, nullptr);
    EXPECT_FALSE(aplikace.ZkontrolovatJedinouInstanci());
    EXPECT_TRUE(zachytavac.zpravy.empty());
    ::CloseHandle(aplikace.mutexInstance);
    aplikace.mutexInstance = nullptr;
}

TEST(Aplikace, KorenoveOkno) {
    HWND horni = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND dite = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, horni, nullptr, nullptr, nullptr);
    HWND vnuk = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, dite, nullptr, nullptr, nullptr);
    EXPECT_EQ(NajitKorenoveOkno(horni), horni);
    EXPECT_EQ(NajitKorenoveOkno(vnuk), horni);
    ::DestroyWindow(horni);
}
