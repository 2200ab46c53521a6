#include "config/CrashDump.h"
#include "tests/support/ProgramProcess.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

// crash_child.exe, built next to this test executable.
std::wstring CrashChildPath() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return (fs::path(self).parent_path() / L"crash_child.exe").wstring();
}

// A fresh folder that stands in for %TEMP% of the crashing child.
class CrashDump : public testing::Test {
protected:
    void SetUp() override {
        temp_ =
            fs::temp_directory_path() / (L"kcpl-crash-" + std::to_wstring(GetCurrentProcessId()));
        fs::remove_all(temp_);
        fs::create_directories(temp_);
        wchar_t old[MAX_PATH] = {};
        GetEnvironmentVariableW(L"TEMP", old, MAX_PATH);
        oldTemp_ = old;
        SetEnvironmentVariableW(L"TEMP", temp_.c_str());
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"TEMP", oldTemp_.c_str());
        fs::remove_all(temp_);
    }

    static std::vector<fs::path> DumpsIn(const fs::path& dir) {
        std::vector<fs::path> dumps;
        if (fs::exists(dir))
            for (const auto& entry : fs::directory_iterator(dir))
                if (entry.path().extension() == L".dmp")
                    dumps.push_back(entry.path());
        return dumps;
    }

    static void ExpectMinidump(const fs::path& file) {
        FILE* f = _wfopen(file.c_str(), L"rb");
        ASSERT_NE(f, nullptr);
        uint32_t header[2] = {};
        size_t read = fread(header, sizeof header[0], 2, f);
        fclose(f);
        ASSERT_EQ(read, 2u);
        EXPECT_EQ(header[0], 0x504D444Du); // "MDMP"
        EXPECT_EQ(header[1] & 0xFFFF, 0xA793u);
        EXPECT_GT(fs::file_size(file), 4096u);
    }

    fs::path temp_;
    std::wstring oldTemp_;
};

} // namespace

TEST_F(CrashDump, UnhandledCrashWritesNamedDumpIntoTemp) {
    EXPECT_EQ(ProgramProcess(CrashChildPath(), L"").WaitForExit(120000), 0xC0000005ul);
    auto dumps = DumpsIn(temp_);
    ASSERT_EQ(dumps.size(), 1u);
    std::wstring name = dumps[0].filename().wstring();
    ASSERT_EQ(name.size(), std::wstring(L"KorvelineCplApp_YYYYMMDDhhmmss.dmp").size()) << name;
    EXPECT_EQ(name.substr(0, 16), L"KorvelineCplApp_");
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_EQ(name.substr(16, 4), std::to_wstring(now.wYear));
    ExpectMinidump(dumps[0]);
}

TEST_F(CrashDump, DirectoryPathIsCreatedLevelByLevel) {
    fs::path deep = temp_ / L"level1" / L"level2";
    CreateDirectoryPath(deep.wstring());
    EXPECT_TRUE(fs::is_directory(deep));
    CreateDirectoryPath(deep.wstring()); // existing levels are no error
    EXPECT_TRUE(fs::is_directory(deep));
}

TEST(CrashDumpName, FollowsTheFixedPattern) {
    SYSTEMTIME t{};
    t.wYear = 2026;
    t.wMonth = 1;
    t.wDay = 8;
    t.wHour = 14;
    t.wMinute = 30;
    t.wSecond = 5;
    EXPECT_EQ(CrashDumpFileName(L"C:\\Temp", L"KorvelineCplApp", t),
              L"C:\\Temp\\KorvelineCplApp_20260108143005.dmp");
}
