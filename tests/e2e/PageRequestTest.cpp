// Page requests: the program, started with "-asio", "-asioinst" or "-page NAME" or asked by
// a second start, shows that page; one the device lacks leaves the page shown.
#include "tests/e2e/E2eProgram.h"
#include "resources/dialogs/PageAbout.h"
#include "resources/dialogs/PageBufferSettings.h"
#include "resources/dialogs/PageStatus.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <prsht.h>

using namespace e2e;

namespace {

// One audio device and one ASIO instance, so that the device opens by itself and the
// buffer settings page exists; the sample rate page does not.
constexpr std::string_view kOneAsioDevice =
    R"(<Scenario apiVersion="5.16"><AsioInstance number="0" name="A" bufferSizes="64 128"/>)"
    R"(<Device id="1" product="Dev" serial="S" asioInstance="0" asioAllowed="0"/></Scenario>)";

// The dialog id of the sheet's current page, once it is `expected` or after a while.
UINT ShownPage(HWND sheet, UINT expected, DWORD limitMs = 10000) {
    const ULONGLONG end = GetTickCount64() + limitMs;
    UINT shown = 0;
    do {
        const LRESULT page = SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0);
        const LRESULT index = SendMessageW(sheet, PSM_HWNDTOINDEX, page, 0);
        shown = static_cast<UINT>(SendMessageW(sheet, PSM_INDEXTOID, index, 0));
        if (shown == expected)
            break;
        Sleep(100);
    } while (GetTickCount64() < end);
    return shown;
}

class PageRequest : public testing::Test {
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

// The start's request waits for the pages its device brings; a second start's switches the
// running panel, or leaves it where it is for a page the device lacks.
TEST_F(PageRequest, AStartAndASecondStartShowThePageTheyName) {
    RunningProgram run(install, L"-asio");
    ASSERT_TRUE(run.WaitUntilListening()) << run.BoxTexts();
    const HWND sheet = run.MainWindow();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(ShownPage(sheet, IDD_PAGE_BUFFER_SETTINGS), UINT(IDD_PAGE_BUFFER_SETTINGS));
    struct Case {
        const wchar_t* arguments;
        UINT page;
    };
    for (const Case& c : {Case{L"-PAGE about", IDD_PAGE_ABOUT},
                          Case{L"-page PageSampleRate", IDD_PAGE_ABOUT},
                          Case{L"-asioinst 1", IDD_PAGE_BUFFER_SETTINGS},
                          Case{L"-page status", IDD_PAGE_STATUS}}) {
        SCOPED_TRACE(testing::Message() << "arguments \"" << c.arguments << "\"");
        const ProgramOutcome second = RunProgram(install.ProgramPath(), c.arguments, kStartLimitMs);
        EXPECT_EQ(second.exitCode, std::optional<DWORD>(0));
        EXPECT_EQ(ShownPage(sheet, c.page), c.page);
    }
    EXPECT_TRUE(run.MessageBoxes().empty()) << run.BoxTexts();
}

} // namespace
