// The check tool against the shipped files and against broken ones, one kind of finding
// each: the exact FILE:LINE it names, and that the panel's own start-up load, given the
// same files, does what the finding says.
#include "app/ConfigLoadResult.h"
#include "config/Config.h"
#include "config/UiTextIds.h"
#include "config/WnUiLanguageText.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/unit/ConfigTestFiles.h"
#include "tools/check/CheckProgram.h"
#include "tools/check/TextTemplate.h"

#include <gtest/gtest.h>

#include <sstream>

using config_test::TempFolder;
using config_test::Utf8;
using config_test::Utf8WithBom;

namespace {

std::string Versioned(const std::string& body) {
    return "<ControlPanel FormatVersionMajor=\"3\" FormatVersionMinor=\"0\">\n" + body +
           "</ControlPanel>\n";
}

// An install folder to check: KorvelineCpl.xml and KorvelineCpl.strings\.
class CheckedFolder {
public:
    CheckedFolder() { strings_ = folder_.MakeFolder(L"KorvelineCpl.strings"); }

    void WriteConfiguration(const std::string& bytes) { folder_.Write(L"KorvelineCpl.xml", bytes); }
    void WriteTranslation(const std::wstring& name, const std::string& bytes) {
        config_test::WriteBytes(strings_ + L"\\" + name, bytes);
    }
    std::wstring Xml() const { return folder_ / L"KorvelineCpl.xml"; }
    std::wstring Translation(const std::wstring& name) const { return strings_ + L"\\" + name; }
    std::wstring Panel() const { return folder_ / L"KorvelineCpl.exe"; }

    // The tool run on the folder: its exit code and output lines.
    int Run(std::vector<std::wstring>& lines) const {
        std::wstring output;
        int exitCode = RunCheckTool({folder_.Path()}, L"", output);
        std::wstringstream stream(output);
        for (std::wstring line; std::getline(stream, line);)
            lines.push_back(line);
        return exitCode;
    }
    // The findings about one file ("FILE:LINE: message" without the summary).
    std::vector<std::wstring> FindingsOf(const std::wstring& file) const {
        std::vector<std::wstring> lines;
        Run(lines);
        std::vector<std::wstring> findings;
        for (const std::wstring& line : lines) {
            if (line.starts_with(file + L":"))
                findings.push_back(line);
        }
        return findings;
    }

private:
    TempFolder folder_;
    std::wstring strings_;
};

// The panel's start-up load of the folder: its status and settings.
struct PanelLoad {
    StatusCode status;
    ConfigSettings settings;
};
PanelLoad LoadAsThePanel(const CheckedFolder& folder) {
    Config config;
    StatusCode status = config.Load(folder.Panel());
    return {status, config.Settings()};
}

// The translation applied to the panel's table as its start-up load does.
struct AppliedTranslation {
    WnUiLanguageText texts;
    explicit AppliedTranslation(const std::string& bytes) {
        texts.BuildTextTable();
        texts.ApplyTranslation(bytes);
    }
};

} // namespace

TEST(CheckTool, TheShippedFilesHaveNoFindings) {
    CheckedFolder folder;
    folder.WriteConfiguration(config_test::SourceTreeFileBytes(L"resources/KorvelineCpl.xml"));
    folder.WriteTranslation(L"en.txt",
                            config_test::SourceTreeFileBytes(L"resources/strings/en.txt"));
    folder.WriteTranslation(L"de.txt",
                            config_test::SourceTreeFileBytes(L"resources/strings/de.txt"));
    std::vector<std::wstring> lines;
    EXPECT_EQ(folder.Run(lines), kCheckClean);
    EXPECT_EQ(lines, (std::vector<std::wstring>{
                         L"checked " + folder.Xml() + L": no findings",
                         L"checked " + folder.Translation(L"de.txt") + L": no findings",
                         L"checked " + folder.Translation(L"en.txt") + L": no findings"}))
        << "order of the folder search may differ";
}

TEST(CheckTool, ConfigurationValuesThePanelIgnoresNameTheDefaultItKeeps) {
    CheckedFolder folder;
    folder.WriteConfiguration(Versioned("  <PageSampleRat>\n"                         // 2
                                        "    <Visibility>hidden</Visibility>\n"       // 3
                                        "  </PageSampleRat>\n"                        // 4
                                        "  <PageOptions>\n"                           // 5
                                        "    <Visibility>Visibel</Visibility>\n"      // 6
                                        "  </PageOptions>\n"                          // 7
                                        "  <PageClientInfo>\n"                        // 8
                                        "    <Visibility> hidden </Visibility>\n"     // 9
                                        "  </PageClientInfo>\n"                       // 10
                                        "  <NotificationArea>\n"                      // 11
                                        "    <Enable>yes</Enable>\n"                  // 12
                                        "  </NotificationArea>\n"                     // 13
                                        "  <NotificationArea><Enable>true</Enable>\n" // 14
                                        "  </NotificationArea>\n"                     // 15
                                        "  <PageAbout Visibility=\"hidden\"/>\n"      // 16
                                        "  <DriverInterfaceGUID>1234</DriverInterfaceGUID>\n"));
    const std::wstring xml = folder.Xml();
    EXPECT_EQ(
        folder.FindingsOf(xml),
        (std::vector<std::wstring>{
            xml + L":2: unknown element <PageSampleRat> (did you mean PageSampleRate?): the "
                  L"panel ignores it",
            xml + L":6: <PageOptions/Visibility> \"Visibel\" is not hidden, visible or auto "
                  L"(did you mean visible?): the panel keeps hidden",
            xml + L":12: <NotificationArea/Enable> \"yes\" is not true or false: the panel "
                  L"keeps false",
            xml + L":14: <NotificationArea> is given again: the panel reads only the first, "
                  L"on line 11",
            xml + L":16: attribute Visibility of <PageAbout>: the panel reads no attributes "
                  L"here",
            xml + L":17: <DriverInterfaceGUID> \"1234\" is not a GUID such as "
                  L"{C6C0A381-CA04-4973-9BCC-EAC986AA1B4A}: the panel finds no driver library "
                  L"registered under it",
        }));

    PanelLoad panel = LoadAsThePanel(folder);
    ASSERT_EQ(panel.status, 0u);
    EXPECT_EQ(panel.settings.sampleRatePage, Visibility::Auto);
    EXPECT_EQ(panel.settings.optionsPage, Visibility::Hidden);
    EXPECT_EQ(panel.settings.clientInfoPage, Visibility::Hidden) << "white space around it";
    EXPECT_FALSE(panel.settings.notificationAreaEnabled) << "the second element is not read";
    EXPECT_EQ(panel.settings.aboutPage, Visibility::Visible);
    EXPECT_EQ(panel.settings.instanceName, L"CPL_1234");
}

TEST(CheckTool, ConfigurationFilesThePanelRefusesOrIgnoresWhole) {
    struct Case {
        std::string xml; // nothing: no file
        std::wstring finding;
        StatusCode panelStatus;
    };
    const std::wstring incompatible =
        L": the panel shows \"Incompatible application configuration file.\" and ends";
    const Case cases[] = {
        {"",
         L": cannot be opened: the panel shows \"Failed to open application configuration "
         L"file.\" and ends",
         kStatusConfigNotOpened},
        {"<ControlPanel FormatVersionMajor=\"4\" FormatVersionMinor=\"0\"/>",
         L":1: FormatVersionMajor 4 is not 3" + incompatible, kStatusConfigIncompatible},
        {"<ControlPanel\n FormatVersionMajor=\"3\"\n FormatVersionMinor=\"3.0\"/>",
         L":3: FormatVersionMinor \"3.0\" is not a whole number" + incompatible,
         kStatusConfigIncompatible},
        {"<ControlPanel FormatVersionMinor=\"0\"/>",
         L":1: <ControlPanel> has no FormatVersionMajor" + incompatible, kStatusConfigIncompatible},
        // The element left open is named, on its line.
        {"<ControlPanel FormatVersionMajor=\"3\" FormatVersionMinor=\"0\">\n<PageInfo>\n"
         "</ControlPanel>",
         L":2: not well-formed XML (XML_ERROR_MISMATCHED_ELEMENT): the panel ignores the whole "
         L"file and takes every default",
         0},
        {"<ControlPanal FormatVersionMajor=\"4\"/>",
         L":1: the root element is not <ControlPanel> (did you mean ControlPanel?): the panel "
         L"takes every default",
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xml);
        CheckedFolder folder;
        if (!c.xml.empty())
            folder.WriteConfiguration(c.xml);
        EXPECT_EQ(folder.FindingsOf(folder.Xml()),
                  (std::vector<std::wstring>{folder.Xml() + c.finding}));
        PanelLoad panel = LoadAsThePanel(folder);
        EXPECT_EQ(panel.status, c.panelStatus);
        if (panel.status == 0)
            EXPECT_EQ(panel.settings, ConfigSettings{});
        else
            EXPECT_NE(c.finding.find(*ConfigLoadFailureText(panel.status)), std::wstring::npos);
    }
}

TEST(CheckTool, TranslationLinesThePanelReadsOtherwiseThanMeant) {
    const std::string bytes =
        Utf8WithBom(config_test::MandatoryTranslationLines() +    // lines 1 to 16
                    L"PAGE_STATUS_TITEL = Zustand\n"              // 17
                    L"APP_TITLE = Zweiter Titel\n"                // 18
                    L"PAGE_SAMPLE_RATE_TITLE: Abtastrate\n"       // 19
                    L"PAGE_SAMPLE_RATE_DESCRIPTION = Hz\n"        // 20
                    L"PAGE_SAMPLE_RATE_SECTION_TITLE = ${Rate}\n" // 21
                    L"PAGE_INFO_TITLE = Info \\\n");              // 22
    CheckedFolder folder;
    folder.WriteTranslation(L"de.txt", bytes);
    const std::wstring file = folder.Translation(L"de.txt");
    EXPECT_EQ(
        folder.FindingsOf(file),
        (std::vector<std::wstring>{
            file + L":17: unknown text id PAGE_STATUS_TITEL (did you mean PAGE_STATUS_TITLE?): "
                   L"the panel ignores it",
            file + L":18: APP_TITLE is given again: the panel takes this text, not the one on "
                   L"line 1",
            file + L":19: no \"ID = text\" on this line: the panel skips it",
            file + L":20: PAGE_SAMPLE_RATE_DESCRIPTION lacks ${SampleRate} of the English text: "
                   L"the panel shows no value there",
            file + L":21: PAGE_SAMPLE_RATE_SECTION_TITLE has ${Rate}, which the English text "
                   L"lacks: the panel shows it as written",
            file + L":22: the text of PAGE_INFO_TITLE ends in \"\\\" but the file ends here: "
                   L"nothing continues it",
            file + L": group PAGE_SAMPLE_RATE lacks 1 of its 3 texts (PAGE_SAMPLE_RATE_TITLE): "
                   L"the panel's start-up warning lists them and shows them in English",
            file + L": group PAGE_INFO lacks 6 of its 7 texts (PAGE_INFO_TABLE_DEVICE_INFO_TITLE, "
                   L"PAGE_INFO_TABLE_DEVICE_INFO_ROW_MANUFACTURER_TITLE, "
                   L"PAGE_INFO_TABLE_DEVICE_INFO_ROW_PRODUCT_TITLE, "
                   L"PAGE_INFO_TABLE_DEVICE_INFO_ROW_VID_PID_TITLE, "
                   L"PAGE_INFO_TABLE_DEVICE_INFO_ROW_REVISION_TITLE, "
                   L"PAGE_INFO_TABLE_DEVICE_INFO_ROW_SERIAL_NO_TITLE): the panel's start-up "
                   L"warning lists them and shows them in English",
        }));

    AppliedTranslation panel(bytes);
    EXPECT_EQ(GetUiText(APP_TITLE), L"Zweiter Titel");
    EXPECT_EQ(GetUiText(PAGE_STATUS_TITLE), L"Status") << "the misspelt id changes nothing";
    EXPECT_EQ(GetUiText(PAGE_SAMPLE_RATE_TITLE), L"Sample Rate");
    EXPECT_EQ(GetUiText(PAGE_SAMPLE_RATE_SECTION_TITLE), L"${Rate}");
    std::wstring report = panel.texts.MissingTextsReport();
    EXPECT_NE(report.find(L"PAGE_SAMPLE_RATE_TITLE"), std::wstring::npos);
    EXPECT_NE(report.find(L"PAGE_INFO_TABLE_DEVICE_INFO_ROW_SERIAL_NO_TITLE"), std::wstring::npos);
}

TEST(CheckTool, TranslationFilesThePanelSkipsOrMisreads) {
    CheckedFolder folder;
    folder.WriteTranslation(L"deutsch.txt", Utf8WithBom(config_test::TranslationLines()));
    folder.WriteTranslation(L"fr.txt", Utf8(config_test::TranslationLines()));
    const std::wstring skipped = folder.Translation(L"deutsch.txt");
    EXPECT_EQ(folder.FindingsOf(skipped),
              (std::vector<std::wstring>{skipped + L": the name is no language tag followed by "
                                                   L"\".txt\" (such as de.txt or de-AT.txt): the "
                                                   L"panel skips the file"}));
    const std::wstring noMark = folder.Translation(L"fr.txt");
    std::vector<std::wstring> findings = folder.FindingsOf(noMark);
    ASSERT_FALSE(findings.empty());
    EXPECT_EQ(findings[0], noMark + L":1: no byte-order mark: the panel reads the file as "
                                    L"UTF-16LE, but it looks like UTF-8 or ANSI text; save it as "
                                    L"UTF-8 with a byte-order mark");

    Config panel;
    MessageBoxWatcher watcher(GetCurrentProcessId());
    panel.Load(folder.Panel());
    ASSERT_EQ(panel.LanguageTexts().AvailableLanguages().size(), 1u);
    EXPECT_EQ(panel.LanguageTexts().AvailableLanguages()[0].tag, L"fr");
    AppliedTranslation read(Utf8(config_test::TranslationLines()));
    EXPECT_NE(read.texts.MissingTextsReport().find(L"APP_TITLE"), std::wstring::npos)
        << "read as UTF-16LE, the file gives no text at all";
}

TEST(CheckTool, TheTextTemplateIsACompleteTranslationWithoutFindings) {
    CheckedFolder folder;
    folder.WriteTranslation(L"en.txt", Utf8(TextTemplate()));
    EXPECT_TRUE(folder.FindingsOf(folder.Translation(L"en.txt")).empty());

    AppliedTranslation panel(Utf8(TextTemplate()));
    EXPECT_EQ(panel.texts.MissingTextsReport(), L"");
    for (const UiTextGroupDefinition& group : BuiltInUiTextTable()) {
        for (const UiTextDefinition& text : group.texts)
            EXPECT_EQ(GetUiText(*text.handle),
                      GetUiText(UiTextEntry{nullptr, {}, false, text.defaultText}))
                << text.id;
    }
}

TEST(CheckTool, PathNamesTheExecutableOrItsFolder) {
    std::wstring output;
    EXPECT_EQ(RunCheckTool({L"C:\\no\\such\\folder"}, L"", output), kCheckPathUnreadable);
    EXPECT_EQ(output, L"C:\\no\\such\\folder: cannot be read (error 3)\n");

    // A renamed panel reads the files of its own name.
    TempFolder folder;
    folder.Write(L"Acme.exe", "");
    folder.Write(L"Acme.xml", Versioned(""));
    output.clear();
    EXPECT_EQ(RunCheckTool({folder / L"Acme.exe"}, L"", output), kCheckClean);
    EXPECT_NE(output.find(L"checked " + (folder / L"Acme.xml") + L": no findings"),
              std::wstring::npos);
    output.clear();
    EXPECT_EQ(RunCheckTool({}, folder.Path(), output), kCheckFindings) << "no KorvelineCpl.xml";
}
