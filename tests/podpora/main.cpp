// Test main: an unhandled exception prints its code and the faulting thread's stack (module
// and offset of each frame) and ends the test program with 3, so a crash is a failure, never a
// pass, and can be found from a CI log.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include <gtest/gtest.h>

namespace {

void VypsatAdresu(DWORD64 adresa) {
    HMODULE modul = nullptr;
    char jmeno[MAX_PATH] = "?";
    if (::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                             reinterpret_cast<LPCSTR>(adresa), &modul)) {
        ::GetModuleFileNameA(modul, jmeno, MAX_PATH);
    }
    const char* kratke = std::strrchr(jmeno, '\\');
    std::fprintf(stderr, "  %s+0x%llx\n", kratke ? kratke + 1 : jmeno,
                 static_cast<unsigned long long>(adresa - reinterpret_cast<DWORD64>(modul)));
}

LONG WINAPI Spadlo(EXCEPTION_POINTERS* info) {
    std::fprintf(stderr, "unhandled exception 0x%08lX at %p, thread %lu\n",
                 static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode),
                 info->ExceptionRecord->ExceptionAddress, ::GetCurrentThreadId());
#ifdef _WIN64
    CONTEXT kontext = *info->ContextRecord;
    for (int i = 0; i < 32 && kontext.Rip; ++i) {
        VypsatAdresu(kontext.Rip);
        DWORD64 zaklad = 0;
        PRUNTIME_FUNCTION funkce = ::RtlLookupFunctionEntry(kontext.Rip, &zaklad, nullptr);
        if (!funkce) {  // a leaf function: the return address is on top of the stack
            kontext.Rip = *reinterpret_cast<DWORD64*>(kontext.Rsp);
            kontext.Rsp += 8;
            continue;
        }
        void* data = nullptr;
        DWORD64 ramec = 0;
        ::RtlVirtualUnwind(UNW_FLAG_NHANDLER, zaklad, kontext.Rip, funkce, &kontext, &data, &ramec, nullptr);
    }
#else
    // No unwind tables to walk on i686: the return addresses into this program's own code found
    // on the faulting stack, nearest first (some are stale, but the callers are among them).
    VypsatAdresu(info->ContextRecord->Eip);
    HMODULE program = ::GetModuleHandleW(nullptr);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(program);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const BYTE*>(program) + dos->e_lfanew);
    const DWORD zacatek = reinterpret_cast<DWORD>(program) + nt->OptionalHeader.BaseOfCode;
    const DWORD konec = zacatek + nt->OptionalHeader.SizeOfCode;
    DWORD* p = reinterpret_cast<DWORD*>(info->ContextRecord->Esp);
    MEMORY_BASIC_INFORMATION oblast{};  // the committed stack from the stack pointer up
    ::VirtualQuery(p, &oblast, sizeof(oblast));
    DWORD* vrchol = reinterpret_cast<DWORD*>(static_cast<BYTE*>(oblast.BaseAddress) + oblast.RegionSize);
    int vypsano = 0;
    for (; p < vrchol && vypsano < 24; ++p) {
        if (*p >= zacatek && *p < konec) {
            VypsatAdresu(*p);
            ++vypsano;
        }
    }
#endif
    std::fflush(stderr);
    ::ExitProcess(3);
}

}  // namespace

int main(int argc, char** argv) {
    ::SetUnhandledExceptionFilter(Spadlo);
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
