// KorvelineCplCheck.exe run as its own process from an install folder, and the panel
// started on the same files.
#include "app/AppMessages.h"
#include "tests/e2e/E2eProgram.h"
#include "tests/unit/ConfigTestFiles.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

struct CheckRun {
    std::optional<DWORD> exitCode;
    std::wstring output;
};

// Runs the tool and reads what it prints as UTF-8.
CheckRun RunTool(const std::wstring& tool, const std::wstring& arguments) {
    const ConsoleRun run = RunConsoleProgram(tool, arguments, kStartLimitMs);
    std::wstring output(run.output.size(), L'\0');
    output.resize(static_cast<size_t>(
        MultiByteToWideChar(CP_UTF8, 0, run.output.data(), static_cast<int>(run.output.size()),
                            output.data(), static_cast<int>(output.size()))));
    return {run.exitCode, output};
}

std::wstring AddCheckTool(const TemporaryInstall& install) {
    std::wstring tool = install.Folder() + L"\\KorvelineCplCheck.exe";
    CopyFileW(TemporaryInstall::BuildTreeFile(L"tools\\check\\KorvelineCplCheck.exe").c_str(),
              tool.c_str(), FALSE);
    return tool;
}

bool Contains(const std::wstring& text, const std::wstring& part) {
    return text.find(part) != std::wstring::npos;
}

} // namespace

TEST(CheckToolProgram, BesideThePanelItNamesTheTextsThePanelsWarningLists) {
    std::unique_ptr<TemporaryInstall> install = MakeInstall(false);
    ASSERT_TRUE(install);
    std::wstring lines = config_test::MandatoryTranslationLines();
    const std::wstring dropped = L"PAGE_STATUS_TITLE = Status\n";
    ASSERT_TRUE(Contains(lines, dropped));
    lines.erase(lines.find(dropped), dropped.size());
    ASSERT_TRUE(install->WriteLanguageFile(L"en.txt", config_test::Utf8WithBom(lines)));
    const std::wstring tool = AddCheckTool(*install);

    // No PATH: the tool's own folder.
    CheckRun check = RunTool(tool, L"");
    EXPECT_EQ(check.exitCode, std::optional<DWORD>(1)) << check.output;
    const std::wstring file = install->Folder() + L"\\KorvelineCpl.strings\\en.txt";
    EXPECT_TRUE(Contains(check.output,
                         L"checked " + install->Folder() + L"\\KorvelineCpl.xml: no findings\n"))
        << check.output;
    EXPECT_TRUE(Contains(check.output, file + L": group PAGE_STATUS lacks 1 of its 7 texts "
                                              L"(PAGE_STATUS_TITLE): the panel's start-up "
                                              L"warning lists them and shows them in English\n"))
        << check.output;
    EXPECT_TRUE(Contains(check.output, L"checked " + file + L": 1 finding\n")) << check.output;

    RunningProgram panel(*install, L"");
    ASSERT_TRUE(panel.WaitUntilListening()) << panel.BoxTexts();
    std::vector<HWND> listeners = WindowsOfClass(kDefaultInstanceName, panel.Id());
    ASSERT_EQ(listeners.size(), 1u);
    PostMessageW(listeners[0], WM_COMMAND, CMD_EXIT, 0);
    EXPECT_TRUE(panel.WaitForExit().has_value());
    std::vector<SeenMessageBox> boxes = panel.MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"The following language texts are missing in file\n" + file +
                                 L":\n\nPAGE_STATUS_TITLE");
}

TEST(CheckToolProgram, ExitCodesOfACleanFolderAndAnUnreadablePath) {
    std::unique_ptr<TemporaryInstall> install = MakeInstall(false);
    ASSERT_TRUE(install);
    const std::wstring tool = AddCheckTool(*install);
    CheckRun clean = RunTool(tool, install->ProgramPath());
    EXPECT_EQ(clean.exitCode, std::optional<DWORD>(0)) << clean.output;

    CheckRun unreadable = RunTool(tool, install->Folder() + L"\\nothing-here");
    EXPECT_EQ(unreadable.exitCode, std::optional<DWORD>(2)) << unreadable.output;
    EXPECT_TRUE(Contains(unreadable.output, L"nothing-here: cannot be read"));
}

TEST(CheckToolProgram, TheLayoutCheckLaysOutThePanelsOwnDialogs) {
    std::unique_ptr<TemporaryInstall> install = MakeInstall(false);
    ASSERT_TRUE(install);
    ASSERT_TRUE(install->WriteLanguageFile(
        L"de.txt", config_test::Utf8WithBom(L"PAGE_CLOCK_SOURCE_TABLE_TITLE = " +
                                            std::wstring(80, L'W') + L"\n")));
    const std::wstring tool = AddCheckTool(*install);
    CheckRun layout = RunTool(tool, L"--layout");
    EXPECT_EQ(layout.exitCode, std::optional<DWORD>(1)) << layout.output;
    EXPECT_TRUE(Contains(layout.output, install->Folder() +
                                            L"\\KorvelineCpl.strings\\de.txt:1: "
                                            L"PAGE_CLOCK_SOURCE_TABLE_TITLE \"WWWW"))
        << layout.output;
    EXPECT_TRUE(Contains(layout.output, L"\" does not fit text IDC_CLOCK_SOURCE_TITLE of "
                                        L"IDD_PAGE_CLOCK_SOURCE at 200 % (192 DPI): needs "))
        << layout.output;
}
