// Starts of the program that end before a window opens: the exit code of each ending and
// the box it shows, or that it shows none.
#include "tests/e2e/E2eProgram.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace e2e;

namespace {

struct Ending {
    std::wstring arguments;
    DWORD exitCode;
};

// Runs each start in turn: parallel process starts under Wine, on a fresh prefix, now and
// then fail to start at all.
void ExpectEndingsWithoutBox(const TemporaryInstall& install, const std::vector<Ending>& endings) {
    for (const Ending& ending : endings) {
        SCOPED_TRACE(testing::Message() << "arguments \"" << ending.arguments << "\"");
        RunningProgram run(install, ending.arguments);
        ASSERT_TRUE(run.Started()) << "start error " << run.StartError();
        std::optional<DWORD> exitCode = run.WaitForExit();
        ASSERT_TRUE(exitCode.has_value()) << "still running";
        EXPECT_EQ(*exitCode, ending.exitCode);
        EXPECT_TRUE(run.MessageBoxes().empty());
    }
}

struct Box {
    std::wstring caption;
    std::wstring text;
};

// Runs the program alone and expects it to end with the code after exactly one ownerless
// box. (The icon of another process's box cannot be compared under Wine.)
void ExpectEndingWithBox(const TemporaryInstall& install, const std::wstring& arguments,
                         DWORD exitCode, const Box& box) {
    RunningProgram run(install, arguments);
    ASSERT_TRUE(run.Started()) << "start error " << run.StartError();
    std::optional<DWORD> code = run.WaitForExit();
    ASSERT_TRUE(code.has_value()) << "still running";
    EXPECT_EQ(*code, exitCode);
    std::vector<SeenMessageBox> boxes = run.MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, box.caption);
    EXPECT_EQ(boxes[0].text, box.text);
    EXPECT_EQ(boxes[0].owner, nullptr);
}

bool WriteFileBytes(const std::wstring& path, std::string_view bytes) {
    std::ofstream file(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file.good();
}

const Box kDriverMissing{kAppTitle, L"The driver DLL required to access the device is missing."};

} // namespace

TEST(StartupEndings, SwitchesThatEndAtOnceInAnyCaseAndPosition) {
    // Nothing runs, so "-exitall" finds no instance; "-hide" without the icon ends at
    // once, before "-asio" is looked at.
    ExpectEndingsWithoutBox(PlainInstall(), {{L"-exitall", 0},
                                             {L"-EXITALL -multi", 0},
                                             {L"-multi x -ExitAll", 0},
                                             {L"-hide", 0},
                                             {L"one -HiDe two", 0},
                                             {L"-hide -asio", 0},
                                             {L"-asioinst 3 -hide", 0},
                                             {L"-page About -hide", 0}});
    // With the icon, "-hide", "-asio", "-asioinst" and "-page" exclude each other; "-page"
    // needs the name of a page.
    ExpectEndingsWithoutBox(TrayInstall(), {{L"-asio -hide", 0xEE000041},
                                            {L"-HIDE -Asio", 0xEE000041},
                                            {L"-asio -asioinst 2", 0xEE000041},
                                            {L"-asioinst 2 x -ASIO", 0xEE000041},
                                            {L"-asioinst 1 -hide", 0xEE000041},
                                            {L"-hide -page info", 0xEE000041},
                                            {L"-page Nowhere", 0xEE000041},
                                            {L"-exitall -asio -hide", 0}});
}

TEST(StartupEndings, AConfigurationThatCannotBeUsedEndsWith1) {
    TemporaryInstall missing;
    ASSERT_TRUE(missing.AddProgram());
    ASSERT_TRUE(missing.AddDriverLibrary());
    ExpectEndingWithBox(
        missing, L"", 1,
        {L"USB Audio Device Control Panel", L"Failed to open application configuration file."});

    TemporaryInstall incompatible;
    ASSERT_TRUE(incompatible.AddProgram());
    ASSERT_TRUE(incompatible.AddDriverLibrary());
    ASSERT_TRUE(incompatible.WriteConfiguration(
        "<ControlPanel FormatVersionMajor=\"4\" FormatVersionMinor=\"0\"/>"));
    // The configuration is read before the switches: even "-exitall" gets the box.
    ExpectEndingWithBox(
        incompatible, L"-exitall", 1,
        {L"USB Audio Device Control Panel", L"Incompatible application configuration file."});
}

TEST(StartupEndings, AnyOtherConfigurationFailureEndsWith1Silently) {
    // The translation folder's name is taken by a file, so it cannot be searched.
    std::unique_ptr<TemporaryInstall> install = MakeInstall(false);
    ASSERT_TRUE(install);
    ASSERT_TRUE(WriteFileBytes(install->Folder() + L"\\KorvelineCpl.strings", "en=English"));
    ProgramOutcome outcome = RunProgram(install->ProgramPath(), L"", kStartLimitMs);
    ASSERT_TRUE(outcome.exitCode.has_value());
    EXPECT_EQ(*outcome.exitCode, 1u);
    EXPECT_TRUE(outcome.messageBoxes.empty());
}

TEST(StartupEndings, AMissingDriverLibraryEndsWith2) {
    TemporaryInstall install;
    ASSERT_TRUE(install.AddProgram());
    ASSERT_TRUE(install.WriteConfiguration(ConfigurationXml(false)));
    ExpectEndingWithBox(install, L"", 2, kDriverMissing);

    // With an interface GUID the library is looked up in the registry, where it is not.
    TemporaryInstall byGuid;
    ASSERT_TRUE(byGuid.AddProgram());
    ASSERT_TRUE(byGuid.AddDriverLibrary());
    ASSERT_TRUE(byGuid.WriteConfiguration(
        ConfigurationXml(false, L"{0B9E6D43-7F0A-4C55-A1E2-4D3C2B1A0F99}")));
    ExpectEndingWithBox(byGuid, L"", 2, kDriverMissing);
}

TEST(StartupEndings, ADriverRefusingTheVersionEndsWithItsCode) {
    TemporaryInstall install;
    ASSERT_TRUE(install.AddProgram());
    ASSERT_TRUE(install.AddDriverLibrary());
    ASSERT_TRUE(install.WriteConfiguration(ConfigurationXml(false)));
    const std::wstring scenario = install.Folder() + L"\\refusing.xml";
    ASSERT_TRUE(
        WriteFileBytes(scenario, "<Scenario apiVersion=\"5.16\" versionCheck=\"refuse\"/>"));
    ScopedEnvironmentVariable variable(L"KORVELINESIM_SCENARIO", scenario);
    ExpectEndingWithBox(install, L"", 0xEE000060,
                        {kAppTitle, L"The driver DLL required to access the device is not "
                                    L"compatible with this application version."});
}

TEST(StartupEndings, ADriverFileThatIsNoLibraryEndsWithTheSystemError) {
    TemporaryInstall install;
    ASSERT_TRUE(install.AddProgram());
    ASSERT_TRUE(install.WriteConfiguration(ConfigurationXml(false)));
    ASSERT_TRUE(WriteFileBytes(install.Folder() + L"\\korvelineapi.dll", "not a library"));
    ExpectEndingWithBox(install, L"", ERROR_BAD_EXE_FORMAT,
                        {kAppTitle, L"An error has occurred. The internal error description "
                                    L"is:\n\"_tWinMain: Load -> 0x000000C1\""});
}
