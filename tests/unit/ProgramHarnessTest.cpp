// The harness that end-to-end tests use to install and run the program as its own process.
// This test executable stands in for the program: copied into the install folder, it runs
// a child mode that reports what it finds there through its exit code and a message box.
#include "tests/support/ChildModes.h"
#include "tests/support/ProgramProcess.h"
#include "tests/support/TemporaryInstall.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::wstring ReadAsWide(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    std::string text = bytes.str();
    return std::wstring(text.begin(), text.end()); // the test writes ASCII only
}

// Shows "<xml>|<language files>|<driver library present>|<arguments>" and ends with a code
// that does not fit into 8 bits.
const bool probeRegistered = RegisterChildMode(L"install-probe", [](int argc, wchar_t** argv) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::filesystem::path folder = std::filesystem::path(self).parent_path();
    std::wstring report = ReadAsWide(folder / L"KorvelineCpl.xml") + L"|";
    for (const auto& entry : std::filesystem::directory_iterator(folder / L"KorvelineCpl.strings"))
        report += entry.path().filename().wstring() + L"=" + ReadAsWide(entry.path()) + L";";
    report += std::filesystem::exists(folder / L"korvelineapi.dll") ? L"|dll|" : L"|no dll|";
    for (int i = 1; i < argc; ++i)
        report += argv[i] + std::wstring(i + 1 < argc ? L" " : L"");
    MessageBoxW(nullptr, report.c_str(), L"Probe", MB_OK | MB_ICONERROR);
    return static_cast<int>(0xEE000041u);
});

const bool hangRegistered = RegisterChildMode(L"hang", [](int, wchar_t**) {
    Sleep(INFINITE);
    return 0;
});

class ProgramHarnessTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(install_.AddProgram(TemporaryInstall::BuildTreeFile(L"tests\\unit_tests.exe")));
    }
    TemporaryInstall install_;
};

} // namespace

TEST_F(ProgramHarnessTest, LaysOutTheFolderAndSeesTheFullExitCodeAndBoxes) {
    ASSERT_TRUE(install_.WriteConfiguration("<Config/>"));
    ASSERT_TRUE(install_.WriteLanguageFile(L"de.txt", "Hallo"));
    ASSERT_TRUE(install_.AddDriverLibrary(install_.ProgramPath()));

    ProgramOutcome outcome =
        RunProgram(install_.ProgramPath(), L"--child=install-probe -asioinst 3", 60000);
    ASSERT_TRUE(outcome.exitCode.has_value());
    EXPECT_EQ(*outcome.exitCode, 0xEE000041u);
    ASSERT_EQ(outcome.messageBoxes.size(), 1u);
    EXPECT_EQ(outcome.messageBoxes[0].caption, L"Probe");
    EXPECT_EQ(outcome.messageBoxes[0].text, L"<Config/>|de.txt=Hallo;|dll|-asioinst 3");
    EXPECT_EQ(outcome.messageBoxes[0].owner, nullptr);
}

TEST_F(ProgramHarnessTest, AProgramThatDoesNotEndIsStoppedAtTheLimit) {
    DWORD id = 0;
    {
        ProgramProcess process(install_.ProgramPath(), L"--child=hang");
        ASSERT_TRUE(process.Started()) << process.StartError();
        id = process.Id();
        EXPECT_FALSE(process.WaitForExit(200).has_value());
    }
    HANDLE gone = OpenProcess(SYNCHRONIZE, FALSE, id);
    if (gone) {
        EXPECT_EQ(WaitForSingleObject(gone, 0), WAIT_OBJECT_0);
        CloseHandle(gone);
    }
}

TEST(ProgramHarness, AMissingProgramReportsWhyItDidNotStart) {
    TemporaryInstall empty;
    ProgramProcess process(empty.ProgramPath(), L"");
    EXPECT_FALSE(process.Started());
    EXPECT_EQ(process.StartError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(RunProgram(empty.ProgramPath(), L"", 1000).exitCode.has_value());
}
