// Test main: an unhandled exception prints its code and ends the test program with 3,
// so a crash is a failure, never a pass.
#include <windows.h>

#include <cstdio>

#include <gtest/gtest.h>

namespace {
LONG WINAPI Spadlo(EXCEPTION_POINTERS* info) {
    std::fprintf(stderr, "unhandled exception 0x%08lX at %p\n",
                 static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode),
                 info->ExceptionRecord->ExceptionAddress);
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
