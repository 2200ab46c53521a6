// Running instances of the program: how the main window ends the run, the hand-off of a
// second start, "-exitall", the notification-area icon, installs side by side and a listener
// that cannot start.
#include "app/AppMessages.h"
#include "resources/dialogs/PageAbout.h"
#include "resources/dialogs/PageClientInfo.h"
#include "tests/e2e/E2eProgram.h"

#include <gtest/gtest.h>

#include <cwchar>

using namespace e2e;

namespace {

// A second start: it must end at once with 0 and show nothing.
void ExpectQuietEnd(const TemporaryInstall& install, const std::wstring& arguments) {
    ProgramOutcome outcome = RunProgram(install.ProgramPath(), arguments, kStartLimitMs);
    ASSERT_TRUE(outcome.exitCode.has_value()) << "still running";
    EXPECT_EQ(*outcome.exitCode, 0u);
    EXPECT_TRUE(outcome.messageBoxes.empty());
}

void PostToListener(DWORD processId, const std::wstring& instanceName, WPARAM command) {
    std::vector<HWND> listeners = WindowsOfClass(instanceName, processId);
    ASSERT_EQ(listeners.size(), 1u);
    PostMessageW(listeners[0], WM_COMMAND, command, 0);
}

bool StillRunning(RunningProgram& run, DWORD forMs = 300) {
    return !run.WaitForExit(forMs).has_value();
}

} // namespace

TEST(RunningInstance, OkCancelAndCloseEndTheRunWithoutTheIcon) {
    struct Case {
        const wchar_t* arguments; // tokens that only contain a switch change nothing
        UINT message;
        WPARAM wParam;
        std::optional<DWORD> exitCode; // the close box's code is the property sheet's
    };
    for (const Case& c : {Case{L"--hide -hidex -asio=1", WM_COMMAND, IDOK, 1},
                          Case{L"-asio", WM_COMMAND, IDCANCEL, 2},
                          Case{L"", WM_SYSCOMMAND, SC_CLOSE, std::nullopt}}) {
        SCOPED_TRACE(testing::Message() << "arguments \"" << c.arguments << "\"");
        RunningProgram run(PlainInstall(), c.arguments);
        ASSERT_TRUE(run.WaitUntilListening()) << run.BoxTexts();
        HWND sheet = run.MainWindow();
        ASSERT_NE(sheet, nullptr);
        EXPECT_TRUE(WaitForVisibility(sheet, true));
        PostMessageW(sheet, c.message, c.wParam, 0);
        std::optional<DWORD> exitCode = run.WaitForExit();
        ASSERT_TRUE(exitCode.has_value()) << "still running";
        if (c.exitCode) {
            EXPECT_EQ(*exitCode, *c.exitCode);
        }
        EXPECT_TRUE(run.MessageBoxes().empty());
    }
}

TEST(RunningInstance, ASecondStartHandsItsRequestToTheListener) {
    InstanceStandIn running;
    ASSERT_TRUE(running.Ready());
    struct Case {
        const wchar_t* arguments;
        ReceivedCommand sent;
    };
    const Case cases[] = {
        {L"", {CMD_SHOW, 0}},
        {L"-asio", {CMD_SHOW_ASIO_PAGE, -1}},
        {L"-asioinst 3", {CMD_SHOW_ASIO_PAGE, 3}},
        {L"-asioinst", {CMD_SHOW_ASIO_PAGE, -1}},
        {L"x -ASIOINST 12 y", {CMD_SHOW_ASIO_PAGE, 12}},
        {L"-asioinst -7x", {CMD_SHOW_ASIO_PAGE, -7}},
        // The token after the switch is the empty one between the two spaces.
        {L"-asioinst  3", {CMD_SHOW_ASIO_PAGE, -1}},
        {L"--asio -asio5 -Hide2", {CMD_SHOW, 0}},
        {L"-page pageclientinfo", {CMD_SHOW_PAGE, IDD_PAGE_CLIENT_INFO}},
        {L"-PAGE About -multix", {CMD_SHOW_PAGE, IDD_PAGE_ABOUT}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "arguments \"" << c.arguments << "\"");
        ExpectQuietEnd(PlainInstall(), c.arguments);
        EXPECT_EQ(running.TakeReceived(), std::vector<ReceivedCommand>{c.sent});
    }
    // A hidden start asks nothing of the running instance.
    ExpectQuietEnd(TrayInstall(), L"-hide");
    EXPECT_TRUE(running.TakeReceived().empty());
}

TEST(RunningInstance, ExitAllEndsEveryMultiInstanceOneAfterTheOther) {
    RunningProgram first(PlainInstall(), L"-multi");
    ASSERT_TRUE(first.WaitUntilListening()) << first.BoxTexts();
    // Also with an instance running, "-multi" starts a full one with its own listener.
    RunningProgram second(PlainInstall(), L"-MULTI");
    ASSERT_TRUE(second.WaitUntilListening()) << second.BoxTexts();
    EXPECT_EQ(WindowsOfClass(kDefaultInstanceName).size(), 2u);

    ExpectQuietEnd(PlainInstall(), L"-exitall");
    EXPECT_EQ(first.WaitForExit(), std::optional<DWORD>(2));
    EXPECT_EQ(second.WaitForExit(), std::optional<DWORD>(2));
    EXPECT_TRUE(WindowsOfClass(kDefaultInstanceName).empty());
}

TEST(RunningInstance, ExitAllGivesUpOnAWindowThatStays) {
    InstanceStandIn stays;
    ASSERT_TRUE(stays.Ready());
    ProgramOutcome outcome = RunProgram(PlainInstall().ProgramPath(), L"-exitall", 20000);
    ASSERT_TRUE(outcome.exitCode.has_value()) << "still running";
    EXPECT_EQ(*outcome.exitCode, 100u);
    EXPECT_TRUE(outcome.messageBoxes.empty());
    EXPECT_EQ(stays.TakeReceived(), std::vector<ReceivedCommand>(21, {CMD_EXIT, 0}));
}

TEST(RunningInstance, WithTheIconClosingHidesAndOnlyExitEnds) {
    RunningProgram run(TrayInstall(), L"-hide");
    ASSERT_TRUE(run.WaitUntilListening()) << run.BoxTexts();
    HWND sheet = run.MainWindow();
    ASSERT_NE(sheet, nullptr);
    EXPECT_FALSE(IsWindowVisible(sheet));

    // A plain second start shows it, through the listener.
    ExpectQuietEnd(TrayInstall(), L"");
    EXPECT_TRUE(WaitForVisibility(sheet, true));
    PostMessageW(sheet, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitForVisibility(sheet, false));
    EXPECT_TRUE(StillRunning(run));

    // So does a start for the buffer settings page.
    ExpectQuietEnd(TrayInstall(), L"-asioinst 1");
    EXPECT_TRUE(WaitForVisibility(sheet, true));
    PostMessageW(sheet, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitForVisibility(sheet, false));
    EXPECT_TRUE(StillRunning(run));

    PostToListener(run.Id(), kDefaultInstanceName, CMD_EXIT);
    EXPECT_EQ(run.WaitForExit(), std::optional<DWORD>(2));
    EXPECT_TRUE(run.MessageBoxes().empty());
}

TEST(RunningInstance, InstallsWithDifferentInterfaceGuidsRunSideBySide) {
    const std::wstring guidA = L"{3F2A1B0C-5D4E-4F60-8A9B-1C2D3E4F5A01}";
    const std::wstring guidB = L"{3F2A1B0C-5D4E-4F60-8A9B-1C2D3E4F5A02}";
    std::unique_ptr<TemporaryInstall> installA = MakeInstall(false, guidA);
    std::unique_ptr<TemporaryInstall> installB = MakeInstall(false, guidB);
    ASSERT_TRUE(installA && installB);
    RegisteredDriverInterface driverA(guidA, installA->Folder() + L"\\korvelineapi.dll");
    RegisteredDriverInterface driverB(guidB, installB->Folder() + L"\\korvelineapi.dll");
    ASSERT_TRUE(driverA.Written() && driverB.Written());

    RunningProgram runA(*installA, L"");
    ASSERT_TRUE(runA.WaitUntilListening(L"CPL_" + guidA)) << runA.BoxTexts();
    RunningProgram runB(*installB, L"");
    ASSERT_TRUE(runB.WaitUntilListening(L"CPL_" + guidB)) << runB.BoxTexts();
    EXPECT_TRUE(runA.MessageBoxes().empty());
    EXPECT_TRUE(runB.MessageBoxes().empty());

    // Each install's "-exitall" reaches its own instance only.
    ExpectQuietEnd(*installA, L"-exitall");
    EXPECT_EQ(runA.WaitForExit(), std::optional<DWORD>(2));
    EXPECT_TRUE(StillRunning(runB));
    ExpectQuietEnd(*installB, L"-exitall");
    EXPECT_EQ(runB.WaitForExit(), std::optional<DWORD>(2));
}

TEST(RunningInstance, AListenerThatCannotStartEndsTheRunWithItsError) {
    // The instance name, "CPL_" and the interface GUID text, is too long for a window class
    // name, though not for the mutex or the registry key.
    const std::wstring guid = L"{" + std::wstring(250, L'A') + L"}";
    std::unique_ptr<TemporaryInstall> install = MakeInstall(false, guid);
    ASSERT_TRUE(install);
    RegisteredDriverInterface driver(guid, install->Folder() + L"\\korvelineapi.dll");
    ASSERT_TRUE(driver.Written());

    RunningProgram run(*install, L"");
    std::optional<DWORD> exitCode = run.WaitForExit();
    ASSERT_TRUE(exitCode.has_value()) << "still running";
    std::vector<SeenMessageBox> boxes = run.MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, kAppTitle);
    wchar_t code[9] = {};
    std::swprintf(code, 9, L"%08X", *exitCode);
    EXPECT_EQ(boxes[0].text, L"An error has occurred. The internal error description is:\n"
                             L"\"Run: StartListening -> 0x" +
                                 std::wstring(code) + L"\"");
    EXPECT_NE(*exitCode, 0u);
}
