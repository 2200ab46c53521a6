// The layout check on the shipped translations and on a German file with planted faults:
// each finding stands at the planted text's line and names the dialog, the control and
// the scale.
#include "tests/unit/ConfigTestFiles.h"
#include "tools/check/CheckProgram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using config_test::TempFolder;

namespace {

// de.txt with the texts of these ids replaced (UTF-8, as the file is).
std::string GermanWith(const std::vector<std::pair<std::string, std::string>>& texts) {
    std::string file = config_test::SourceTreeFileBytes(L"resources/strings/de.txt");
    for (const auto& [id, text] : texts) {
        const size_t line = file.find("\n" + id + " = ");
        EXPECT_NE(line, std::string::npos) << id;
        const size_t value = line + id.size() + 4;
        file.replace(value, file.find('\n', value) - value, text);
    }
    return file;
}

std::wstring Wide(const std::string& utf8) {
    return std::wstring(utf8.begin(), utf8.end()); // the planted texts are ASCII
}

// A panel folder with these translation files, checked with --layout: the output lines.
struct LayoutRun {
    TempFolder folder;
    std::wstring strings = folder.MakeFolder(L"KorvelineCpl.strings");
    std::vector<std::wstring> lines;
    int exitCode = -1;

    explicit LayoutRun(const std::vector<std::pair<std::wstring, std::string>>& files) {
        for (const auto& [name, bytes] : files)
            config_test::WriteBytes(strings + L"\\" + name, bytes);
        std::wstring output;
        exitCode = RunCheckTool({L"--layout", folder.Path()}, L"", output);
        std::wstringstream stream(output);
        for (std::wstring line; std::getline(stream, line);)
            lines.push_back(line);
    }
    std::wstring File(const std::wstring& name) const { return strings + L"\\" + name; }
};

} // namespace

TEST(LayoutCheck, TheShippedTranslationsFitEveryDialogAtEveryScale) {
    LayoutRun run({{L"en.txt", config_test::SourceTreeFileBytes(L"resources/strings/en.txt")},
                   {L"de.txt", config_test::SourceTreeFileBytes(L"resources/strings/de.txt")}});
    EXPECT_EQ(run.exitCode, kCheckClean);
    EXPECT_EQ(run.lines,
              (std::vector<std::wstring>{L"checked " + run.File(L"de.txt") + L": no findings",
                                         L"checked " + run.File(L"en.txt") + L": no findings"}));
}

TEST(LayoutCheck, APlantedLongTextIsReportedAtItsLineInEveryDialogAndScale) {
    struct Case {
        std::string id;
        std::string text;
        int line;
        std::vector<std::wstring> places; // "KIND CONTROL of DIALOG"
        const wchar_t* measure;
    };
    const Case cases[] = {
        {"PAGE_STATUS_SECTION_DEVICE_TITLE",
         "Angeschlossenes USB-Audiogeraet, aus dem die Seiten ihre Werte lesen",
         16,
         {L"group box IDC_STATUS_DEVICE_GROUP of IDD_PAGE_STATUS"},
         L"of width"},
        {"PAGE_BUFFER_SETTINGS_SECTION_SAFE_MODE",
         "Sicherer Modus fuer langsame Rechner",
         72,
         {L"check box IDC_BUFFER_SAFE_MODE of IDD_PAGE_BUFFER_SETTINGS"},
         L"of width"},
        {"PAGE_BUFFER_SETTINGS_SECTION_ASIO_INPUT_LATENCY",
         "Eingangslatenz des gewaehlten ASIO-Puffers im Treiber: ${InLatencySamples} Samples "
         "(${InLatencyMillisecs},${InLatencyMillisecsFrac} ms)",
         75,
         {L"text IDC_BUFFER_INPUT_LATENCY of IDD_PAGE_BUFFER_SETTINGS"},
         L"of width"},
        // A label that wraps is too tall, not too wide.
        {"PAGE_ASIO_INSTANCE_SELECTOR_LABEL",
         "Die Instanz des Treibers:",
         230,
         {L"text IDC_BUFFER_ASIO_INSTANCE_LABEL of IDD_PAGE_BUFFER_SETTINGS",
          L"text IDC_ASIO_DEVICE_INSTANCE_LABEL of IDD_PAGE_ASIO_DEVICE"},
         L"of height"},
    };
    for (const Case& planted : cases) {
        SCOPED_TRACE(planted.id);
        LayoutRun run({{L"de.txt", GermanWith({{planted.id, planted.text}})}});
        EXPECT_EQ(run.exitCode, kCheckFindings);
        const std::wstring prefix = run.File(L"de.txt") + L":" + std::to_wstring(planted.line) +
                                    L": " + Wide(planted.id) + L" \"" + Wide(planted.text) +
                                    L"\" does not fit ";
        std::vector<std::wstring> expected;
        for (const std::wstring& place : planted.places) {
            for (const wchar_t* scale : {L"100 % (96 DPI)", L"150 % (144 DPI)", L"200 % (192 DPI)"})
                expected.push_back(prefix + place + L" at " + scale + L": needs ");
        }
        ASSERT_EQ(run.lines.size(), expected.size() + 1) << "and the summary line";
        std::sort(run.lines.begin(), run.lines.end() - 1);
        std::sort(expected.begin(), expected.end());
        for (size_t index = 0; index < expected.size(); ++index) {
            EXPECT_TRUE(run.lines[index].starts_with(expected[index])) << run.lines[index];
            EXPECT_NE(run.lines[index].find(planted.measure), std::wstring::npos);
        }
    }
}

TEST(LayoutCheck, AnAccessKeyGivenTwiceInOneDialogIsReported) {
    // S twice in the buffer settings; T on two pages; a static shows "&" as it stands.
    LayoutRun run(
        {{L"de.txt", GermanWith({{"PAGE_BUFFER_SETTINGS_SECTION_SAFE_MODE", "&Sicher"},
                                 {"PAGE_BUFFER_SETTINGS_SECTION_ASIO_STATUS_TITLE", "A&SIO-Status"},
                                 {"PAGE_STATUS_SECTION_DEVICE_TITLE", "&Ton"},
                                 {"PAGE_OPTIONS_SECTION_STREAMING_MODE_TITLE", "&Takt"},
                                 {"PAGE_CLOCK_SOURCE_TABLE_TITLE", "&Sicher"}})}});
    EXPECT_EQ(run.exitCode, kCheckFindings);
    EXPECT_EQ(run.lines,
              (std::vector<std::wstring>{
                  run.File(L"de.txt") +
                      L":73: PAGE_BUFFER_SETTINGS_SECTION_ASIO_STATUS_TITLE \"A&SIO-Status\" gives "
                      L"the access key &S in group box IDC_BUFFER_STATUS_GROUP of "
                      L"IDD_PAGE_BUFFER_SETTINGS, as PAGE_BUFFER_SETTINGS_SECTION_SAFE_MODE (line "
                      L"72) does in IDC_BUFFER_SAFE_MODE: the key reaches only one of them",
                  L"checked " + run.File(L"de.txt") + L": 1 finding"}));
}

TEST(LayoutCheck, APathThatCannotBeReadEndsWithItsExitCode) {
    std::wstring output;
    EXPECT_EQ(RunCheckTool({L"--layout", L"C:\\no\\such\\folder"}, L"", output),
              kCheckPathUnreadable);
    EXPECT_EQ(output, L"C:\\no\\such\\folder: cannot be read (error 3)\n");
}
