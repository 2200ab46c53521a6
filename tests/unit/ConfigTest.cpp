#include "config/Config.h"
#include "config/ConfigDocument.h"
#include "config/ExecutablePath.h"
#include "config/UiTextIds.h"
#include "tests/support/ChildModes.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/unit/ConfigTestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

using config_test::TempFolder;

namespace {

// Parses XML text with a fresh configuration; returns the ParseDocument result.
struct Parsed {
    StatusCode result;
    ConfigSettings settings;
};

Parsed Parse(const std::string& xml) {
    Config config;
    ConfigDocument document;
    StatusCode result = config.LoadDocumentText(xml, document, 0);
    return {result, config.Settings()};
}

std::string Versioned(const std::string& body) {
    return "<ControlPanel FormatVersionMajor=\"3\" FormatVersionMinor=\"0\">" + body +
           "</ControlPanel>";
}

std::string RootWithVersions(const std::string& major, const std::string& minor) {
    return "<ControlPanel FormatVersionMajor=\"" + major + "\" FormatVersionMinor=\"" + minor +
           "\"/>";
}

} // namespace

TEST(ConfigDefaults, HoldWithoutAFile) {
    Config config;
    const ConfigSettings& s = config.Settings();
    EXPECT_EQ(s.instanceName, L"CPL_{C6C0A381-CA04-4973-9BCC-EAC986AA1B4A}");
    EXPECT_EQ(s.driverInterfaceGuid, L"");
    EXPECT_FALSE(s.showMidiOnlyDevices);
    EXPECT_FALSE(s.notificationAreaEnabled);
    EXPECT_EQ(s.statusSerialNumber, Visibility::Visible);
    EXPECT_EQ(s.optionsPage, Visibility::Hidden);
    for (Visibility v : {s.streamFormatsPage, s.soundDeviceProfilesPage, s.sampleRatePage,
                         s.clockSourcePage, s.asioDevicePage, s.bufferSettingsPage, s.volumePage})
        EXPECT_EQ(v, Visibility::Auto);
    for (Visibility v : {s.clientInfoPage, s.infoPage, s.aboutPage})
        EXPECT_EQ(v, Visibility::Visible);
    EXPECT_FALSE(s.asioDeviceDisableIfInUse);
    EXPECT_TRUE(s.bufferSettingsDisplaySafeMode);
    EXPECT_FALSE(s.bufferSettingsDisableIfInUse);
    for (bool row : {s.infoDisplayManufacturer, s.infoDisplayProduct, s.infoDisplayVidPid,
                     s.infoDisplayRevision, s.infoDisplaySerialNumber})
        EXPECT_TRUE(row);
    EXPECT_EQ(s.aboutCustomVersion, L"");
    EXPECT_TRUE(s.aboutDisplayVersion);
    EXPECT_FALSE(s.aboutDisplayCopyright);
    EXPECT_FALSE(config.LanguageTextsLoaded());
    EXPECT_EQ(static_cast<int>(Visibility::Hidden), 0);
    EXPECT_EQ(static_cast<int>(Visibility::Visible), 1);
    EXPECT_EQ(static_cast<int>(Visibility::Auto), 2);
}

TEST(ConfigFormatVersion, AcceptsOnlyMajorThreeWithANumericMinor) {
    EXPECT_EQ(Parse(RootWithVersions("3", "0")).result, 0u);
    EXPECT_EQ(Parse(RootWithVersions(" 3 ", "0")).result, 0u);
    EXPECT_EQ(Parse(RootWithVersions("\t3\n", "\r999 ")).result, 0u);
    EXPECT_EQ(Parse(RootWithVersions("+3", "-7")).result, 0u);
    EXPECT_EQ(Parse(RootWithVersions("3", "")).result, 0u) << "empty reads as 0";
    EXPECT_EQ(Parse(RootWithVersions("3", "   ")).result, 0u);
    EXPECT_EQ(Parse(RootWithVersions("3", "99999999999999")).result, 0u) << "still a number";

    for (const char* major : {"3.0", "3x", "x3", "2", "4", "", " ", "0x3", "+", "3 3", "03a"})
        EXPECT_EQ(Parse(RootWithVersions(major, "0")).result, ERROR_BAD_FORMAT) << major;
    for (const char* minor : {"0.1", "one", "1-", "-"})
        EXPECT_EQ(Parse(RootWithVersions("3", minor)).result, ERROR_BAD_FORMAT) << minor;

    EXPECT_EQ(Parse("<ControlPanel FormatVersionMinor=\"0\"/>").result, ERROR_BAD_FORMAT);
    EXPECT_EQ(Parse("<ControlPanel FormatVersionMajor=\"3\"/>").result, ERROR_BAD_FORMAT);
    EXPECT_EQ(Parse("<ControlPanel/>").result, ERROR_BAD_FORMAT);
    // Only the first 49 characters of a value are looked at.
    EXPECT_EQ(Parse(RootWithVersions("3" + std::string(60, ' ') + "x", "0")).result, 0u);
}

TEST(ConfigFormatVersion, AnotherRootKeepsEveryDefault) {
    Parsed parsed = Parse("<Panel FormatVersionMajor=\"9\"><PageOptions><Visibility>visible"
                          "</Visibility></PageOptions></Panel>");
    EXPECT_EQ(parsed.result, 0u);
    EXPECT_EQ(parsed.settings, ConfigSettings{});
    // An incompatible file stops before any setting is read.
    parsed = Parse("<ControlPanel FormatVersionMajor=\"2\" FormatVersionMinor=\"0\"><PageOptions>"
                   "<Visibility>visible</Visibility></PageOptions></ControlPanel>");
    EXPECT_EQ(parsed.result, ERROR_BAD_FORMAT);
    EXPECT_EQ(parsed.settings, ConfigSettings{});
}

TEST(ConfigSettingsFile, EverySettingIsReadFromItsElement) {
    const std::string xml = Versioned(R"(
        <DriverInterfaceGUID>{11111111-2222-3333-4444-555555555555}</DriverInterfaceGUID>
        <ShowMidiOnlyDevices>true</ShowMidiOnlyDevices>
        <NotificationArea><Enable>true</Enable></NotificationArea>
        <PageStatus><SerialNumberVisibility>auto</SerialNumberVisibility></PageStatus>
        <PageOptions><Visibility>visible</Visibility></PageOptions>
        <PageStreamFormats><Visibility>hidden</Visibility></PageStreamFormats>
        <PageSoundDeviceProfiles><Visibility>visible</Visibility></PageSoundDeviceProfiles>
        <PageSampleRate><Visibility>hidden</Visibility></PageSampleRate>
        <PageClockSource><Visibility>visible</Visibility></PageClockSource>
        <PageAsioDevice><Visibility>hidden</Visibility><DisableIfInUse>true</DisableIfInUse></PageAsioDevice>
        <PageBufferSettings><Visibility>visible</Visibility>
          <BufferSettingsSection><DisplaySafeMode>false</DisplaySafeMode>
            <DisableIfInUse>true</DisableIfInUse></BufferSettingsSection></PageBufferSettings>
        <PageVolumeControl><Visibility>hidden</Visibility></PageVolumeControl>
        <PageClientInfo><Visibility>auto</Visibility></PageClientInfo>
        <PageInfo><Visibility>hidden</Visibility><TableInfo>
          <DisplayManufacturer>false</DisplayManufacturer><DisplayProduct>false</DisplayProduct>
          <DisplayVidPid>false</DisplayVidPid><DisplayRevision>false</DisplayRevision>
          <DisplaySerialNumber>false</DisplaySerialNumber></TableInfo></PageInfo>
        <PageAbout><Visibility>auto</Visibility><TableDriverInfo>
          <CustomVersion>2.5 beta &#x263A;</CustomVersion><DisplayVersion>false</DisplayVersion>
          <DisplayCopyright>true</DisplayCopyright></TableDriverInfo></PageAbout>)");
    ConfigSettings expected;
    expected.driverInterfaceGuid = L"{11111111-2222-3333-4444-555555555555}";
    expected.instanceName = L"CPL_{11111111-2222-3333-4444-555555555555}";
    expected.showMidiOnlyDevices = true;
    expected.notificationAreaEnabled = true;
    expected.statusSerialNumber = Visibility::Auto;
    expected.optionsPage = Visibility::Visible;
    expected.streamFormatsPage = Visibility::Hidden;
    expected.soundDeviceProfilesPage = Visibility::Visible;
    expected.sampleRatePage = Visibility::Hidden;
    expected.clockSourcePage = Visibility::Visible;
    expected.asioDevicePage = Visibility::Hidden;
    expected.asioDeviceDisableIfInUse = true;
    expected.bufferSettingsPage = Visibility::Visible;
    expected.bufferSettingsDisplaySafeMode = false;
    expected.bufferSettingsDisableIfInUse = true;
    expected.volumePage = Visibility::Hidden;
    expected.clientInfoPage = Visibility::Auto;
    expected.infoPage = Visibility::Hidden;
    expected.infoDisplayManufacturer = false;
    expected.infoDisplayProduct = false;
    expected.infoDisplayVidPid = false;
    expected.infoDisplayRevision = false;
    expected.infoDisplaySerialNumber = false;
    expected.aboutPage = Visibility::Auto;
    expected.aboutCustomVersion = L"2.5 beta \x263A";
    expected.aboutDisplayVersion = false;
    expected.aboutDisplayCopyright = true;

    Parsed parsed = Parse(xml);
    EXPECT_EQ(parsed.result, 0u);
    EXPECT_TRUE(parsed.settings == expected);
    EXPECT_EQ(parsed.settings.aboutCustomVersion, expected.aboutCustomVersion);
}

TEST(ConfigSettingsFile, WordsIgnoreLetterCaseAndOtherWordsAreIgnored) {
    auto options = [](const std::string& value) {
        return Parse(Versioned("<PageOptions><Visibility>" + value + "</Visibility></PageOptions>"))
            .settings.optionsPage;
    };
    EXPECT_EQ(options("VISIBLE"), Visibility::Visible);
    EXPECT_EQ(options("Visible"), Visibility::Visible);
    EXPECT_EQ(options("AuTo"), Visibility::Auto);
    // White space around the word does not count: a value may stand on its own line.
    EXPECT_EQ(options("\n        visible\n    "), Visibility::Visible);
    for (const char* other : {"", "1", "shown", "visiblex", "hidde", "vis ible"})
        EXPECT_EQ(options(other), Visibility::Hidden) << other;

    auto safeMode = [](const std::string& value) {
        return Parse(Versioned("<PageBufferSettings><BufferSettingsSection><DisplaySafeMode>" +
                               value +
                               "</DisplaySafeMode></BufferSettingsSection>"
                               "</PageBufferSettings>"))
            .settings.bufferSettingsDisplaySafeMode;
    };
    EXPECT_FALSE(safeMode("FALSE"));
    EXPECT_FALSE(safeMode("fAlSe"));
    EXPECT_FALSE(safeMode(" false\t\r\n"));
    for (const char* other : {"", "0", "no", "off", "falsey"})
        EXPECT_TRUE(safeMode(other)) << other;
    // A value is element text: attributes and nested elements do not count.
    EXPECT_TRUE(Parse(Versioned("<PageBufferSettings><BufferSettingsSection>"
                                "<DisplaySafeMode value=\"false\"/></BufferSettingsSection>"
                                "</PageBufferSettings>"))
                    .settings.bufferSettingsDisplaySafeMode);
}

TEST(ConfigSettingsFile, OnlyTheFirstElementOfANameCountsAndOrderIsFree) {
    // The first PageOptions has no Visibility: the second one is not looked at.
    Parsed parsed = Parse(Versioned("<PageOptions/><PageOptions><Visibility>visible</Visibility>"
                                    "</PageOptions>"));
    EXPECT_EQ(parsed.settings.optionsPage, Visibility::Hidden);
    parsed = Parse(Versioned("<PageOptions><Visibility>auto</Visibility><Visibility>visible"
                             "</Visibility></PageOptions>"));
    EXPECT_EQ(parsed.settings.optionsPage, Visibility::Auto);
    // The first element with an unusable value still hides a later good one.
    parsed = Parse(Versioned("<ShowMidiOnlyDevices>maybe</ShowMidiOnlyDevices>"
                             "<ShowMidiOnlyDevices>true</ShowMidiOnlyDevices>"));
    EXPECT_FALSE(parsed.settings.showMidiOnlyDevices);

    parsed = Parse(Versioned("<PageAbout><TableDriverInfo><DisplayCopyright>true</DisplayCopyright>"
                             "</TableDriverInfo><Visibility>hidden</Visibility></PageAbout>"
                             "<Unknown><Visibility>auto</Visibility></Unknown>"
                             "<NotificationArea><Other/><Enable>TRUE</Enable></NotificationArea>"));
    EXPECT_TRUE(parsed.settings.aboutDisplayCopyright);
    EXPECT_EQ(parsed.settings.aboutPage, Visibility::Hidden);
    EXPECT_TRUE(parsed.settings.notificationAreaEnabled);
}

TEST(ConfigSettingsFile, ChildrenCountOnlyUnderTheirParent) {
    Parsed parsed = Parse(Versioned("<TableInfo><DisplayVidPid>false</DisplayVidPid></TableInfo>"
                                    "<DisplayVidPid>false</DisplayVidPid><Enable>true</Enable>"
                                    "<PageInfo><DisplayRevision>false</DisplayRevision></PageInfo>"
                                    "<BufferSettingsSection><DisableIfInUse>true</DisableIfInUse>"
                                    "</BufferSettingsSection>"));
    EXPECT_EQ(parsed.result, 0u);
    EXPECT_EQ(parsed.settings, ConfigSettings{});
}

TEST(ConfigSettingsFile, DriverInterfaceGuidDecidesTheInstanceName) {
    Parsed parsed = Parse(Versioned("<DriverInterfaceGUID></DriverInterfaceGUID>"));
    EXPECT_EQ(parsed.settings.instanceName, ConfigSettings{}.instanceName);
    EXPECT_EQ(parsed.settings.driverInterfaceGuid, L"");

    // The text without the white space around it, its letter case kept.
    parsed = Parse(Versioned("<DriverInterfaceGUID>\n  {abcdef01-0000-0000-0000-00000000000A}\n"
                             "</DriverInterfaceGUID>"));
    EXPECT_EQ(parsed.settings.driverInterfaceGuid, L"{abcdef01-0000-0000-0000-00000000000A}");
    EXPECT_EQ(parsed.settings.instanceName, L"CPL_{abcdef01-0000-0000-0000-00000000000A}");
}

TEST(ConfigSettingsFile, AnEmptyStringElementClearsAndAMissingOneKeeps) {
    Config config;
    ConfigDocument first;
    // Wrapped text reads as one line: each run of white space is one space.
    ASSERT_EQ(config.LoadDocumentText(Versioned("<PageAbout><TableDriverInfo><CustomVersion>\n"
                                                "    1.0\n    beta  2\n  </CustomVersion>"
                                                "</TableDriverInfo></PageAbout>"),
                                      first, 0),
              0u);
    EXPECT_EQ(config.Settings().aboutCustomVersion, L"1.0 beta 2");

    ConfigDocument second;
    ASSERT_EQ(
        config.LoadDocumentText(Versioned("<PageAbout><TableDriverInfo/></PageAbout>"), second, 0),
        0u);
    EXPECT_EQ(config.Settings().aboutCustomVersion, L"1.0 beta 2");

    ConfigDocument third;
    ASSERT_EQ(config.LoadDocumentText(Versioned("<PageAbout><TableDriverInfo><CustomVersion/>"
                                                "</TableDriverInfo></PageAbout>"),
                                      third, 0),
              0u);
    EXPECT_EQ(config.Settings().aboutCustomVersion, L"");
}

TEST(ConfigLoad, MapsTheFileOutcomes) {
    TempFolder folder;
    const std::wstring exe = folder / L"KorvelineCpl.exe";
    {
        Config config;
        EXPECT_EQ(config.Load(exe), kStatusConfigNotOpened) << "no file";
        EXPECT_TRUE(config.LanguageTextsLoaded()) << "the languages come first";
    }
    folder.Write(L"KorvelineCpl.xml", Versioned("<PageOptions><Visibility>visible</Visibility>"
                                                "</PageOptions>"));
    {
        Config config;
        EXPECT_EQ(config.Load(exe), 0u);
        EXPECT_EQ(config.Settings().optionsPage, Visibility::Visible);
        EXPECT_FALSE(config.LanguageTexts().HasChosenLanguage());
        EXPECT_EQ(config.LanguageTexts().Groups().size(), 15u) << "the table is built";
    }
    folder.Write(L"KorvelineCpl.xml", RootWithVersions("4", "0"));
    EXPECT_EQ(Config().Load(exe), kStatusConfigIncompatible);

    // Not well-formed: loaded, with every default, even a value that came before the fault.
    folder.Write(L"KorvelineCpl.xml",
                 Versioned("<PageOptions><Visibility>visible</Visibility></PageOptions>") +
                     "<unclosed>");
    {
        Config config;
        EXPECT_EQ(config.Load(exe), 0u);
        EXPECT_EQ(config.Settings(), ConfigSettings{});
    }
    folder.Write(L"KorvelineCpl.xml", "");
    EXPECT_EQ(Config().Load(exe), 0u);

    // A folder of that name cannot be opened as a file.
    TempFolder other;
    other.MakeFolder(L"KorvelineCpl.xml");
    EXPECT_EQ(Config().Load(other / L"KorvelineCpl.exe"), kStatusConfigNotOpened);
}

TEST(ConfigLoad, TheFileNamesFollowTheExecutableName) {
    TempFolder folder;
    folder.Write(L"KorvelineCpl.xml", Versioned("<PageOptions><Visibility>visible</Visibility>"
                                                "</PageOptions>"));
    folder.Write(L"ControlPanel.xml", Versioned("<PageOptions><Visibility>auto</Visibility>"
                                                "</PageOptions>"));
    folder.Write(L"My.Panel.v2.xml", Versioned("<PageInfo><Visibility>hidden</Visibility>"
                                               "</PageInfo>"));
    folder.MakeFolder(L"ControlPanel.strings");
    folder.Write(L"ControlPanel.strings\\en.txt",
                 config_test::Utf8WithBom(config_test::MandatoryTranslationLines()));

    Config renamed;
    ASSERT_EQ(renamed.Load(folder / L"ControlPanel.exe"), 0u);
    EXPECT_EQ(renamed.Settings().optionsPage, Visibility::Auto);
    ASSERT_EQ(renamed.LanguageTexts().AvailableLanguages().size(), 1u);
    EXPECT_EQ(renamed.LanguageTexts().ChosenFilePath(), folder / L"ControlPanel.strings\\en.txt");

    Config dotted;
    ASSERT_EQ(dotted.Load(folder / L"My.Panel.v2.exe"), 0u);
    EXPECT_EQ(dotted.Settings().infoPage, Visibility::Hidden);
    EXPECT_TRUE(dotted.LanguageTexts().AvailableLanguages().empty());
}

TEST(ConfigLoad, TheShippedFileHoldsEverySettingWithItsDefault) {
    const std::wstring path = config_test::SourceTreeFile(L"resources/KorvelineCpl.xml");
    Config config;
    ConfigDocument document;
    ASSERT_EQ(config.LoadDocumentFile(path, document, 0), 0u);
    EXPECT_EQ(config.Settings(), ConfigSettings{});
    const tinyxml2::XMLElement* root = document.FirstChildElement("ControlPanel");
    ASSERT_NE(root, nullptr);
    EXPECT_STREQ(root->Attribute("FormatVersionMajor"), "3");
    EXPECT_STREQ(root->Attribute("FormatVersionMinor"), "0");

    // Every setting is written out: each element has text (or is the empty GUID or version).
    const std::vector<std::vector<const char*>> paths = {
        {"DriverInterfaceGUID"},
        {"ShowMidiOnlyDevices"},
        {"NotificationArea", "Enable"},
        {"PageStatus", "SerialNumberVisibility"},
        {"PageOptions", "Visibility"},
        {"PageStreamFormats", "Visibility"},
        {"PageSoundDeviceProfiles", "Visibility"},
        {"PageSampleRate", "Visibility"},
        {"PageClockSource", "Visibility"},
        {"PageAsioDevice", "Visibility"},
        {"PageAsioDevice", "DisableIfInUse"},
        {"PageBufferSettings", "Visibility"},
        {"PageBufferSettings", "BufferSettingsSection", "DisplaySafeMode"},
        {"PageBufferSettings", "BufferSettingsSection", "DisableIfInUse"},
        {"PageVolumeControl", "Visibility"},
        {"PageClientInfo", "Visibility"},
        {"PageInfo", "Visibility"},
        {"PageInfo", "TableInfo", "DisplayManufacturer"},
        {"PageInfo", "TableInfo", "DisplayProduct"},
        {"PageInfo", "TableInfo", "DisplayVidPid"},
        {"PageInfo", "TableInfo", "DisplayRevision"},
        {"PageInfo", "TableInfo", "DisplaySerialNumber"},
        {"PageAbout", "Visibility"},
        {"PageAbout", "TableDriverInfo", "CustomVersion"},
        {"PageAbout", "TableDriverInfo", "DisplayVersion"},
        {"PageAbout", "TableDriverInfo", "DisplayCopyright"},
    };
    for (const auto& elementPath : paths) {
        const tinyxml2::XMLElement* element = root;
        for (const char* name : elementPath)
            element = element ? element->FirstChildElement(name) : nullptr;
        EXPECT_NE(element, nullptr) << elementPath.back();
    }
}

TEST(XMLParserFiles, WrittenDocumentsLoad) {
    TempFolder folder;
    folder.Write(L"written.xml",
                 Versioned("<PageOptions><Visibility>auto</Visibility></PageOptions>"));

    Config reader;
    ConfigDocument loaded;
    EXPECT_EQ(reader.LoadDocumentFile(folder / L"written.xml", loaded, 0), 0u);
    EXPECT_EQ(reader.Settings().optionsPage, Visibility::Auto);

    EXPECT_EQ(reader.LoadDocumentFile(folder / L"absent.xml", loaded, 0),
              static_cast<StatusCode>(ERROR_OPEN_FAILED));
    folder.Write(L"bad.xml", "<a><b></a>");
    EXPECT_EQ(reader.LoadDocumentFile(folder / L"bad.xml", loaded, 0),
              static_cast<StatusCode>(ERROR_FUNCTION_FAILED));
    EXPECT_EQ(reader.LoadDocumentText("<a", loaded, 0),
              static_cast<StatusCode>(ERROR_FUNCTION_FAILED));
}

namespace {

// Loads the process-wide configuration of a (renamed) copy of this executable and reports
// in its exit code which of the expected values it did not find.
constexpr int kChildLoadFailed = 1, kChildWrongSetting = 2, kChildWrongLanguage = 4,
              kChildWrongText = 8;

const bool kConfigLoadChildRegistered =
    RegisterChildMode(L"config-load", [](int argc, wchar_t** argv) {
        if (argc < 2)
            return 99;
        int failures = 0;
        if (g_config.Load() != 0)
            failures |= kChildLoadFailed;
        if (g_config.Settings().optionsPage != Visibility::Visible)
            failures |= kChildWrongSetting;
        if (g_config.LanguageTexts().ChosenFilePath() !=
            PathWithExtension(argv[1], L".strings") + L"\\en.txt")
            failures |= kChildWrongLanguage;
        if (GetUiText(APP_TITLE) != L"Renamed Panel")
            failures |= kChildWrongText;
        return failures;
    });

DWORD RunCopy(const std::wstring& exe, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return ~0ul;
    CloseHandle(process.hThread);
    DWORD code = ~0ul;
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, ~0u);
    CloseHandle(process.hProcess);
    return code;
}

} // namespace

// The program's own path decides both names: a copy named ControlPanel.exe reads
// ControlPanel.xml and ControlPanel.strings. (English is the one language there, so it is
// chosen whatever the user's UI language; the choice itself is tested on its own.)
TEST(ConfigLoad, ARenamedProgramReadsItsOwnFiles) {
    TempFolder folder;
    wchar_t self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    const std::wstring exe = folder / L"ControlPanel.exe";
    ASSERT_TRUE(CopyFileW(self, exe.c_str(), FALSE));
    folder.Write(L"ControlPanel.xml", Versioned("<PageOptions><Visibility>visible</Visibility>"
                                                "</PageOptions>"));
    folder.Write(L"unit_tests.xml", RootWithVersions("1", "0"));
    folder.Write(L"KorvelineCpl.xml", RootWithVersions("1", "0"));
    folder.MakeFolder(L"ControlPanel.strings");
    folder.Write(L"ControlPanel.strings\\en.txt",
                 config_test::Utf16LeWithBom(config_test::MandatoryTranslationLines() +
                                             L"APP_TITLE = Renamed Panel\n"));

    EXPECT_EQ(RunCopy(exe, L"--child=config-load \"" + exe + L"\""), 0u);
}

namespace {

// A program folder with a configuration file and one translation file en.txt.
struct ProgramFolder {
    TempFolder folder;
    std::wstring exe = folder / L"KorvelineCpl.exe";
    std::wstring translation = folder / L"KorvelineCpl.strings\\en.txt";
    explicit ProgramFolder(const std::wstring& texts) {
        folder.Write(L"KorvelineCpl.xml", RootWithVersions("3", "0"));
        folder.MakeFolder(L"KorvelineCpl.strings");
        config_test::WriteBytes(translation, config_test::Utf8WithBom(texts));
    }
};

} // namespace

TEST(ConfigLoadWarnings, MissingTextsAreListedInOneBox) {
    ProgramFolder program(L"APP_TITLE = Mein Panel\n"
                          L"NOTIFICATION_AREA_MENU_ENTRY_SHOW = Zeigen\n"
                          L"NOTIFICATION_AREA_MENU_ENTRY_EXIT = Ende\n" +
                          config_test::TranslationLines({L"ERROR_MESSAGE"}) +
                          L"PAGE_INFO_TITLE = Info\n");
    MessageBoxWatcher watcher;
    Config config;
    EXPECT_EQ(config.Load(program.exe), 0u);
    std::vector<SeenMessageBox> boxes = watcher.Seen();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"Mein Panel");
    EXPECT_EQ(boxes[0].icon, SeenMessageBox::Icon::Warning);
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_EQ(boxes[0].text, L"The following language texts are missing in file\n" +
                                 program.translation +
                                 L":\n\n"
                                 L"PAGE_STATUS_TITLE,\n"
                                 L"PAGE_STATUS_SECTION_DEVICE_TITLE,\n"
                                 L"PAGE_STATUS_SECTION_DEVICE_SELECTION_ENTRY_NO_DEVICE,\n"
                                 L"PAGE_STATUS_SECTION_DEVICE_SELECTION_ENTRY_PLEASE_SELECT,\n"
                                 L"PAGE_STATUS_SECTION_SAMPLE_RATE_TITLE,\n"
                                 L"PAGE_STATUS_SECTION_NO_VALID_SAMPLE_RATE,\n"
                                 L"PAGE_STATUS_SECTION_SAMPLE_RATE_UNIT,\n"
                                 L"PAGE_INFO_TABLE_DEVICE_INFO_TITLE,\n"
                                 L"PAGE_INFO_TABLE_DEVICE_INFO_ROW_MANUFACTURER_TITLE,\n"
                                 L"PAGE_INFO_TABLE_DEVICE_INFO_ROW_PRODUCT_TITLE,\n"
                                 L"PAGE_INFO_TABLE_DEVICE_INFO_ROW_VID_PID_TITLE,\n"
                                 L"PAGE_INFO_TABLE_DEVICE_INFO_ROW_REVISION_TITLE,\n"
                                 L"PAGE_INFO_TABLE_DEVICE_INFO_ROW_SERIAL_NO_TITLE");
    EXPECT_EQ(GetUiText(APP_TITLE), L"Mein Panel");
}

TEST(ConfigLoadWarnings, ACompleteFileShowsNothing) {
    ProgramFolder program(config_test::MandatoryTranslationLines());
    MessageBoxWatcher watcher;
    EXPECT_EQ(Config().Load(program.exe), 0u);
    EXPECT_TRUE(watcher.Seen().empty());
}

TEST(ConfigLoadWarnings, AnUnreadableFileGivesTheFailedLoadBoxOnly) {
    ProgramFolder program(L"APP_TITLE = Never read\n");
    MessageBoxWatcher watcher;
    {
        // Held open without sharing: the file was found but cannot be opened.
        HANDLE locked = CreateFileW(program.translation.c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(locked, INVALID_HANDLE_VALUE);
        Config config;
        EXPECT_EQ(config.Load(program.exe), 0u);
        CloseHandle(locked);
        EXPECT_FALSE(config.LanguageTexts().FindEntry(L"APP_TITLE")->readFromFile);
    }
    std::vector<SeenMessageBox> boxes = watcher.Seen();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"Korveline Control Panel");
    EXPECT_EQ(boxes[0].text, L"Failed to load language texts from file\n" + program.translation);
    EXPECT_EQ(boxes[0].icon, SeenMessageBox::Icon::Warning);
    EXPECT_EQ(boxes[0].owner, nullptr);
}
