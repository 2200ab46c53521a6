// "-asio" and "-asioinst": the program, started with them or asked by a second start, shows
// the buffer settings page.
#include "tests/e2e/E2eProgram.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <prsht.h>

using namespace e2e;

namespace {

// One audio device and one ASIO instance, so that the device opens by itself and the
// buffer settings page exists.
constexpr std::string_view kOneAsioDevice =
    R"(<Scenario apiVersion="5.16"><AsioInstance number="0" name="A" bufferSizes="64 128"/>)"
    R"(<Device id="1" product="Dev" serial="S" asioInstance="0" asioAllowed="0"/></Scenario>)";
constexpr int kBufferSizeSelector = 1036; // on the buffer settings page only
constexpr int kDeviceSelector = 1021;     // on the status page only

// Whether the sheet's current page is the buffer settings page, waiting for it a while.
bool ShowsBufferSettings(HWND sheet, DWORD limitMs = 10000) {
    const ULONGLONG end = GetTickCount64() + limitMs;
    do {
        const auto page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        if (page && GetDlgItem(page, kBufferSizeSelector) && !GetDlgItem(page, kDeviceSelector))
            return true;
        Sleep(100);
    } while (GetTickCount64() < end);
    return false;
}

class AsioPageRequest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(install.AddProgram());
        ASSERT_TRUE(install.AddDriverLibrary());
        ASSERT_TRUE(install.WriteConfiguration(ConfigurationXml(false)));
        ASSERT_TRUE(install.WriteExtraFile(L"asio.xml", kOneAsioDevice));
    }
    void TearDown() override { RunProgram(install.ProgramPath(), L"-exitall", kStartLimitMs); }

    TemporaryInstall install;
    ScopedEnvironmentVariable scenario{L"KORVELINESIM_SCENARIO", install.Folder() + L"\\asio.xml"};
};

TEST_F(AsioPageRequest, AStartWithAsioOpensOnTheBufferSettingsPage) {
    RunningProgram run(install, L"-asio");
    ASSERT_TRUE(run.WaitUntilListening()) << run.BoxTexts();
    ASSERT_NE(run.MainWindow(), nullptr);
    EXPECT_TRUE(ShowsBufferSettings(run.MainWindow()));
    EXPECT_TRUE(run.MessageBoxes().empty()) << run.BoxTexts();
}

TEST_F(AsioPageRequest, ASecondStartWithAsioinstSwitchesTheRunningInstance) {
    RunningProgram run(install, L"");
    ASSERT_TRUE(run.WaitUntilListening()) << run.BoxTexts();
    const HWND sheet = run.MainWindow();
    ASSERT_NE(sheet, nullptr);
    ASSERT_FALSE(ShowsBufferSettings(sheet, 500)) << "a plain start shows the status page";

    const ProgramOutcome second = RunProgram(install.ProgramPath(), L"-asioinst 1", kStartLimitMs);
    ASSERT_TRUE(second.exitCode.has_value());
    EXPECT_EQ(*second.exitCode, 0u);
    EXPECT_TRUE(ShowsBufferSettings(sheet));
}

} // namespace
