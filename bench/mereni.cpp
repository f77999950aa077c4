// Start and idle cost of Kolvex against the minimal tray program, in one Wine prefix.
// Start: from CreateProcess until the program's message loop first waits for input (its tray
// icon has been added by then: both add it before entering the loop). Idle: CPU time (user +
// kernel) the program uses over 60 s after its start-up has settled. Memory: the private bytes
// (PrivateUsage) of the program once its start-up has settled.
// Usage: mereni.exe [starts] [idle seconds]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::wstring Slozka() {
    wchar_t cesta[MAX_PATH];
    ::GetModuleFileNameW(nullptr, cesta, MAX_PATH);
    std::wstring s = cesta;
    return s.substr(0, s.find_last_of(L'\\'));
}

struct Beh {
    HANDLE proces = nullptr;
    DWORD pid = 0;
    double startMs = -1;
};

double Ted() {
    LARGE_INTEGER f, t;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

Beh Spustit(const std::wstring& program, const std::wstring& argumenty = {}) {
    Beh beh;
    std::wstring cesta = Slozka() + L"\\" + program;
    std::wstring radek = L"\"" + cesta + L"\"" + (argumenty.empty() ? L"" : L" " + argumenty);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    double zacatek = Ted();
    if (!::CreateProcessW(cesta.c_str(), &radek[0], nullptr, nullptr, FALSE, 0, nullptr, Slozka().c_str(), &si, &pi)) {
        std::fprintf(stderr, "cannot start %ls (%lu)\n", program.c_str(), ::GetLastError());
        std::exit(2);
    }
    if (::WaitForInputIdle(pi.hProcess, 20000) == 0) beh.startMs = Ted() - zacatek;
    ::CloseHandle(pi.hThread);
    beh.proces = pi.hProcess;
    beh.pid = pi.dwProcessId;
    return beh;
}

struct Hledani {
    DWORD pid;
    const wchar_t* trida;
    HWND nalezeno;
};

HWND NajitOkno(DWORD pid, const wchar_t* trida) {
    for (HWND okno = ::FindWindowExW(HWND_MESSAGE, nullptr, trida, nullptr); okno;
         okno = ::FindWindowExW(HWND_MESSAGE, okno, trida, nullptr)) {
        DWORD vlastnik = 0;
        ::GetWindowThreadProcessId(okno, &vlastnik);
        if (vlastnik == pid) return okno;
    }
    return nullptr;
}

void Ukoncit(Beh& beh, const wchar_t* trida) {
    HWND okno = nullptr;
    for (int i = 0; i < 200 && !(okno = NajitOkno(beh.pid, trida)); ++i) ::Sleep(10);
    if (okno) ::PostMessageW(okno, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(beh.proces, 10000) != WAIT_OBJECT_0) ::TerminateProcess(beh.proces, 9);
    ::CloseHandle(beh.proces);
}

double CasCpuMs(HANDLE proces) {
    FILETIME a, b, jadro, uzivatel;
    ::GetProcessTimes(proces, &a, &b, &jadro, &uzivatel);
    auto ms = [](FILETIME f) { return static_cast<double>((static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 10000.0; };
    return ms(jadro) + ms(uzivatel);
}

double SoukromaPametMb(HANDLE proces) {
    PROCESS_MEMORY_COUNTERS_EX pamet{};
    pamet.cb = sizeof(pamet);
    if (!::GetProcessMemoryInfo(proces, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pamet), sizeof(pamet))) return -1;
    // Wine 8 leaves PrivateUsage 0 for another process; its commit charge (PagefileUsage) is the
    // same figure on Windows.
    const SIZE_T soukroma = pamet.PrivateUsage ? pamet.PrivateUsage : pamet.PagefileUsage;
    return static_cast<double>(soukroma) / (1024.0 * 1024.0);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Program {
    const wchar_t* soubor;
    const wchar_t* trida;
};

}  // namespace

int main(int argc, char** argv) {
    int starty = argc > 1 ? std::atoi(argv[1]) : 9;
    int klid = argc > 2 ? std::atoi(argv[2]) : 60;
    const Program programy[] = {{L"Kolvex.exe", L"QKolvexHlavniOkno"},
                                {L"bench_minimalni.exe", L"QMinimalniOkno"},
                                {L"bench_minimalni_prvky.exe", L"QMinimalniOkno"}};
    double mediany[3], cpu[2], pamet[2];
    std::vector<double> casy[3];
    for (int p = 0; p < 3; ++p) {  // warm-up: caches and the first-start registry writes
        Beh zahrati = Spustit(programy[p].soubor);
        Ukoncit(zahrati, programy[p].trida);
    }
    // Starts alternate between the programs, so that a slow spell of the machine hits all alike.
    for (int i = 0; i < starty; ++i) {
        for (int p = 0; p < 3; ++p) {
            Beh beh = Spustit(programy[p].soubor);
            if (beh.startMs >= 0) casy[p].push_back(beh.startMs);
            Ukoncit(beh, programy[p].trida);
        }
    }
    for (int p = 0; p < 3; ++p) {
        mediany[p] = casy[p].empty() ? -1 : Median(casy[p]);
        std::printf("%-26ls start to tray icon: median %.1f ms of %zu starts\n", programy[p].soubor, mediany[p],
                    casy[p].size());
    }
    std::printf("start ratio Kolvex / minimal: %.2f\n", mediany[0] / mediany[1]);
    std::printf("start ratio Kolvex / minimal with common controls: %.2f\n", mediany[0] / mediany[2]);
    for (int p = 0; p < 2; ++p) {
        Beh beh = Spustit(programy[p].soubor);
        ::Sleep(2000);  // start-up timer and module starts settle
        pamet[p] = SoukromaPametMb(beh.proces);
        double pred = CasCpuMs(beh.proces);
        ::Sleep(static_cast<DWORD>(klid) * 1000);
        cpu[p] = CasCpuMs(beh.proces) - pred;
        Ukoncit(beh, programy[p].trida);
        std::printf("%-20ls CPU over %d s idle: %.1f ms\n", programy[p].soubor, klid, cpu[p]);
        std::printf("%-20ls private memory after start: %.1f MB\n", programy[p].soubor, pamet[p]);
        std::fflush(stdout);
    }
    std::printf("private memory Kolvex - minimal: %.1f MB (goal: at most 8 MB)\n", pamet[0] - pamet[1]);
    // The same minimal program with six idle threads, as many as Kolvex starts modules at start-up.
    Beh vlakna = Spustit(programy[1].soubor, L"/vlakna 6");
    ::Sleep(2000);
    const double pametVlaken = SoukromaPametMb(vlakna.proces);
    Ukoncit(vlakna, programy[1].trida);
    std::printf("%-20ls private memory with 6 idle module threads: %.1f MB (%.1f MB a thread)\n",
                programy[1].soubor, pametVlaken, (pametVlaken - pamet[1]) / 6);
    std::printf("private memory Kolvex - minimal with 6 threads: %.1f MB\n", pamet[0] - pametVlaken);
    return 0;
}
