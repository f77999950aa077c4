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
