#include "driver/DllSearchPath.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "tests/support/ChildModes.h"

// A library planted in the current directory under a bare name: found by the default
// search, no longer found once the program has restricted its search.
namespace {

const wchar_t kPlantedName[] = L"korveline-planted.dll";

std::wstring TempDirectory() {
    wchar_t buffer[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, buffer);
    return buffer;
}

// Exit code: 1 when the planted library was loaded, 0 when it was not, 2 on set-up failure.
int LoadPlantedFromCurrentDirectory(int argc, wchar_t** argv) {
    if (!SetCurrentDirectoryW(TempDirectory().c_str()))
        return 2;
    if (argc > 1 && std::wstring(argv[1]) == L"restricted" && RestrictDllSearchPath() != 0)
        return 2;
    return LoadLibraryW(kPlantedName) ? 1 : 0;
}

const bool registered = RegisterChildMode(L"load-planted", LoadPlantedFromCurrentDirectory);

} // namespace

TEST(RestrictDllSearchPath, TheCurrentDirectoryIsNoLongerSearched) {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring planted = TempDirectory() + kPlantedName;
    ASSERT_TRUE(
        CopyFileW((std::wstring(system) + L"\\version.dll").c_str(), planted.c_str(), FALSE));
    EXPECT_EQ(RunSelfAsChild(L"load-planted", L"default", 30000), 1u);
    EXPECT_EQ(RunSelfAsChild(L"load-planted", L"restricted", 30000), 0u);
    DeleteFileW(planted.c_str());
}
