// A small program that installs the crash handler (twice: the second call must change
// nothing) and then crashes. The crash dump test runs it: Wine's dump writer reads the
// debug information of every module, so a small crashing program keeps the test fast.
// argv[1], when given, is the dump directory of the first install.
#include "config/CrashDump.h"

int wmain(int argc, wchar_t** argv) {
    SetErrorMode(SEM_NOGPFAULTERRORBOX);
    InstallCrashHandler(L"KorvelineCplApp", argc > 1 ? argv[1] : nullptr, kNoSpecialFolder);
    InstallCrashHandler(L"Other", L"C:\\nowhere-else", kNoSpecialFolder);
    volatile int* nowhere = nullptr;
    *nowhere = 1;
    return 0;
}
