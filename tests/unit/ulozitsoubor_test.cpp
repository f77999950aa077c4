// Atomic replace of user files: a failed, short or interrupted save keeps the previous file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/tagovanytext.h"
#include "core/ulozitsoubor.h"
#include "knihovna/chyba.h"
#include "podpora/pomocnik.h"

namespace {

size_t PocetSouboru(const std::wstring& slozka) {
    size_t pocet = 0;
    WIN32_FIND_DATAW data;
    HANDLE h = ::FindFirstFileW((slozka + L"\\*").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++pocet;
    } while (::FindNextFileW(h, &data));
    ::FindClose(h);
    return pocet;
}

const std::vector<BYTE> puvodni = {'<', 0, 'a', 0, '>', 0, 'p', 0, 0x6F, 0x01, '<', 0, '/', 0, 'a', 0, '>', 0};

// Another program's handle, closed 60 ms later.
DWORD WINAPI PustitPoChvili(LPVOID h) {
    ::Sleep(60);
    ::CloseHandle(static_cast<HANDLE>(h));
    return 0;
}

// Writes fewer bytes than asked and reports success, as a full disk can.
BOOL WINAPI ZapsatKratce(HANDLE h, LPCVOID data, DWORD bajtu, LPDWORD zapsano, LPOVERLAPPED o) {
    return ::WriteFile(h, data, bajtu / 2, zapsano, o);
}
// Writes half and reports the whole as written: only the file's size shows it.
BOOL WINAPI ZapsatALhat(HANDLE h, LPCVOID data, DWORD bajtu, LPDWORD zapsano, LPOVERLAPPED o) {
    BOOL ok = ::WriteFile(h, data, bajtu / 2, zapsano, o);
    if (ok) *zapsano = bajtu;
    return ok;
}
BOOL WINAPI ZapsatSChybou(HANDLE, LPCVOID, DWORD, LPDWORD zapsano, LPOVERLAPPED) {
    *zapsano = 0;
    ::SetLastError(ERROR_HANDLE_DISK_FULL);
    return FALSE;
}

struct NahradaZapisu {
    explicit NahradaZapisu(FunkceZapisuSouboru f) { zapisSouboru = f; }
    ~NahradaZapisu() { zapisSouboru = ::WriteFile; }
};

}  // namespace

TEST(BezpecnyZapis, ZapisNahradiSoubor) {
    testy::DocasnaSlozka slozka;
    const std::wstring cesta = slozka.Cesta() + L"\\Zdroje RSS.qxml";
    UlozitSouborBezpecne(cesta, puvodni.data(), puvodni.size());
    EXPECT_EQ(testy::PrecistBajty(cesta), puvodni);
    const std::vector<BYTE> nove(300000, 0x5A);
    UlozitSouborBezpecne(cesta, nove.data(), nove.size());
    EXPECT_EQ(testy::PrecistBajty(cesta), nove);
    EXPECT_EQ(PocetSouboru(slozka.Cesta()), 1u);
}

TEST(BezpecnyZapis, SelhanyZapisNechaPuvodniSoubor) {
    struct Pripad {
        const char* popis;
        FunkceZapisuSouboru zapis;
        HRESULT hr;
    } pripady[] = {
        {"short write", ZapsatKratce, knihovna::HresultZKodu(ERROR_HANDLE_DISK_FULL)},
        {"failed write", ZapsatSChybou, knihovna::HresultZKodu(ERROR_HANDLE_DISK_FULL)},
        {"write reported whole, file short", ZapsatALhat, knihovna::HresultZKodu(ERROR_HANDLE_DISK_FULL)},
    };
    for (const Pripad& p : pripady) {
        testy::DocasnaSlozka slozka;
        const std::wstring cesta = slozka.Cesta() + L"\\Kontakty.qxml";
        UlozitSouborBezpecne(cesta, puvodni.data(), puvodni.size());

        NahradaZapisu nahrada(p.zapis);
        SouborKonfiguraceZapis zapis;
        ASSERT_EQ(zapis.OtevritSoubor(cesta), S_OK) << p.popis;
        ASSERT_EQ(zapis.OtevritSkupinu(L"kontakt"), S_OK);
        zapis.ZapsatText(L"nazev", std::wstring(5000, L'x'));
        try {
            zapis.Zavrit();
            ADD_FAILURE() << p.popis << ": no error";
        } catch (const knihovna::Chyba& chyba) {
            EXPECT_EQ(chyba.Hresult(), p.hr) << p.popis;
        }
        EXPECT_EQ(testy::PrecistBajty(cesta), puvodni) << p.popis;
        EXPECT_EQ(PocetSouboru(slozka.Cesta()), 1u) << p.popis << ": temporary file left";
    }
}

TEST(BezpecnyZapis, NahrazeniSelzeKdyzJeSouborOtevreny) {
    // The reader opens files without sharing; a save meanwhile fails and keeps the file as it was.
    testy::DocasnaSlozka slozka;
    const std::wstring cesta = slozka.Cesta() + L"\\Kontakty.qxml";
    UlozitSouborBezpecne(cesta, puvodni.data(), puvodni.size());
    HANDLE drzeny = ::CreateFileW(cesta.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(drzeny, INVALID_HANDLE_VALUE);

    const std::vector<BYTE> nove(100, 1);
    EXPECT_THROW(UlozitSouborBezpecne(cesta, nove.data(), nove.size()), knihovna::Chyba);
    ::CloseHandle(drzeny);
    EXPECT_EQ(testy::PrecistBajty(cesta), puvodni);
    EXPECT_EQ(PocetSouboru(slozka.Cesta()), 1u);
}

TEST(BezpecnyZapis, CtenarDrziciSouborChviliUlozeniNezmari) {
    // Another program reading the file (even one that shares delete) refuses the replace while it
    // holds the file; one that lets go within a moment only delays the save.
    testy::DocasnaSlozka slozka;
    const std::wstring cesta = slozka.Cesta() + L"\\Kontakty.qxml";
    UlozitSouborBezpecne(cesta, puvodni.data(), puvodni.size());
    HANDLE drzeny = ::CreateFileW(cesta.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(drzeny, INVALID_HANDLE_VALUE);
    HANDLE vlakno = ::CreateThread(nullptr, 0, PustitPoChvili, drzeny, 0, nullptr);
    ASSERT_NE(vlakno, nullptr);
    const std::vector<BYTE> nove(100, 1);
    EXPECT_NO_THROW(UlozitSouborBezpecne(cesta, nove.data(), nove.size()));
    ::WaitForSingleObject(vlakno, INFINITE);
    ::CloseHandle(vlakno);
    EXPECT_EQ(testy::PrecistBajty(cesta), nove);
    EXPECT_EQ(PocetSouboru(slozka.Cesta()), 1u);
}

// Run only as the child of the next test: starts a save, reports half-way and waits to be killed.
TEST(BezpecnyZapis, DISABLED_PomocnikPrerusenehoZapisu) {
    wchar_t cesta[MAX_PATH] = L"";
    const char* udalost = std::getenv("KOLVEX_TEST_UDALOST");
    ASSERT_TRUE(::GetEnvironmentVariableW(L"KOLVEX_TEST_CESTA", cesta, MAX_PATH) > 0 && udalost);
    BezpecnyZapisSouboru zapis;
    zapis.Otevrit(cesta);
    std::vector<BYTE> polovina(64 * 1024, 0x33);
    zapis.Zapsat(polovina.data(), polovina.size());
    HANDLE h = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, udalost);
    ASSERT_NE(h, nullptr);
    ::SetEvent(h);
    ::Sleep(INFINITE);
}

TEST(BezpecnyZapis, ZabityZapisNechaPuvodniSoubor) {
    testy::DocasnaSlozka slozka;
    const std::wstring cesta = slozka.Cesta() + L"\\Kontakty.qxml";
    UlozitSouborBezpecne(cesta, puvodni.data(), puvodni.size());

    char nazevUdalosti[64];
    snprintf(nazevUdalosti, sizeof(nazevUdalosti), "KolvexTestZapis%lu", ::GetCurrentProcessId());
    HANDLE udalost = ::CreateEventA(nullptr, TRUE, FALSE, nazevUdalosti);
    ASSERT_NE(udalost, nullptr);
    ::SetEnvironmentVariableW(L"KOLVEX_TEST_CESTA", cesta.c_str());
    ::SetEnvironmentVariableA("KOLVEX_TEST_UDALOST", nazevUdalosti);

    wchar_t program[MAX_PATH];
    ::GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring prikaz = L"\"" + std::wstring(program) +
                          L"\" --gtest_also_run_disabled_tests "
                          L"--gtest_filter=BezpecnyZapis.DISABLED_PomocnikPrerusenehoZapisu";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(::CreateProcessW(nullptr, &prikaz[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                                 &si, &pi));
    DWORD cekani = ::WaitForSingleObject(udalost, 30000);
    ::TerminateProcess(pi.hProcess, 9);
    ::WaitForSingleObject(pi.hProcess, 10000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(udalost);
    ::SetEnvironmentVariableW(L"KOLVEX_TEST_CESTA", nullptr);
    ::SetEnvironmentVariableW(L"KOLVEX_TEST_UDALOST", nullptr);
    ASSERT_EQ(cekani, WAIT_OBJECT_0) << "the child never got half-way";

    // Killed half-way: the file is byte-identical and reads as before; the next save works.
    EXPECT_EQ(testy::PrecistBajty(cesta), puvodni);
    SouborKonfiguraceCteni cteni;
    cteni.NacistSoubor(cesta);
    EXPECT_EQ(cteni.NajitSkupinu(L"a"), S_OK);
    const std::vector<BYTE> nove(10, 7);
    UlozitSouborBezpecne(cesta, nove.data(), nove.size());
    EXPECT_EQ(testy::PrecistBajty(cesta), nove);
}

// A save removes the temporary files of saves that never finished from its folder: old ones
// only, and none another save still holds open.
TEST(BezpecnyZapis, StareDocasneSouborySlozkyOdstraniDalsiUlozeni) {
    testy::DocasnaSlozka slozka;
    auto zalozit = [&](const wchar_t* jmeno, int stariSekund) {
        const std::wstring cesta = slozka.Cesta() + L"\\" + jmeno;
        HANDLE h = ::CreateFileW(cesta.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        EXPECT_NE(h, INVALID_HANDLE_VALUE);
        DWORD zapsano = 0;
        ::WriteFile(h, "abc", 3, &zapsano, nullptr);
        FILETIME cas{};
        ::GetSystemTimeAsFileTime(&cas);
        ULARGE_INTEGER u{{cas.dwLowDateTime, cas.dwHighDateTime}};
        u.QuadPart -= static_cast<ULONGLONG>(stariSekund) * 10000000ull;
        cas.dwLowDateTime = u.LowPart;
        cas.dwHighDateTime = u.HighPart;
        ::SetFileTime(h, nullptr, nullptr, &cas);
        ::CloseHandle(h);
        return cesta;
    };
    const std::wstring stary = zalozit(L"~kv12AB.tmp", 3600);
    const std::wstring cerstvy = zalozit(L"~kv34CD.tmp", 0);
    const std::wstring drzeny = zalozit(L"~kv56EF.tmp", 3600);
    const std::wstring cizi = zalozit(L"~jiny.tmp", 3600);
    HANDLE zapisujici = ::CreateFileW(drzeny.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(zapisujici, INVALID_HANDLE_VALUE);

    UlozitSouborBezpecne(slozka.Cesta() + L"\\seznam.qxml", puvodni.data(), puvodni.size());
    ::CloseHandle(zapisujici);
    EXPECT_FALSE(testy::ExistujeSoubor(stary));
    EXPECT_TRUE(testy::ExistujeSoubor(cerstvy));
    EXPECT_TRUE(testy::ExistujeSoubor(drzeny)) << "a file a save holds open was removed";
    EXPECT_TRUE(testy::ExistujeSoubor(cizi)) << "only the suite's own temporary files go";
    EXPECT_EQ(testy::PrecistBajty(slozka.Cesta() + L"\\seznam.qxml"), puvodni);
}
