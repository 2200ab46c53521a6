// Broken and hostile input for both loaders: each must give a defined result, never a
// crash or hang. A fixed corpus covers the known kinds of damage, a deterministic
// mutation loop the rest.

#include "config/Config.h"
#include "config/ConfigDocument.h"
#include "config/TranslationFile.h"
#include "config/UiTextIds.h"
#include "config/WnUiLanguageText.h"
#include "tests/unit/ConfigTestFiles.h"

#include <gtest/gtest.h>

#include <random>

using config_test::TempFolder;
using config_test::Utf8WithBom;

namespace {

const std::string kFullConfiguration =
    R"(<?xml version="1.0" encoding="UTF-8"?>
<!-- comment -->
<ControlPanel FormatVersionMajor="3" FormatVersionMinor="1">
  <DriverInterfaceGUID>{11111111-2222-3333-4444-555555555555}</DriverInterfaceGUID>
  <ShowMidiOnlyDevices>true</ShowMidiOnlyDevices>
  <NotificationArea><Enable>true</Enable></NotificationArea>
  <PageStatus><SerialNumberVisibility>auto</SerialNumberVisibility></PageStatus>
  <PageOptions><Visibility>visible</Visibility></PageOptions>
  <PageAsioDevice><Visibility>hidden</Visibility><DisableIfInUse>true</DisableIfInUse></PageAsioDevice>
  <PageBufferSettings><Visibility>visible</Visibility><BufferSettingsSection>
    <DisplaySafeMode>false</DisplaySafeMode><DisableIfInUse>true</DisableIfInUse>
  </BufferSettingsSection></PageBufferSettings>
  <PageInfo><TableInfo><DisplayVidPid>false</DisplayVidPid></TableInfo></PageInfo>
  <PageAbout><TableDriverInfo><CustomVersion>1.0 &amp; more</CustomVersion></TableDriverInfo></PageAbout>
</ControlPanel>
)";

bool IsVisibility(Visibility v) {
    return v == Visibility::Hidden || v == Visibility::Visible || v == Visibility::Auto;
}

// What every outcome of the configuration loader must satisfy.
void ExpectSaneConfiguration(StatusCode result, const ConfigSettings& settings,
                             const std::string& label) {
    ASSERT_TRUE(result == 0 || result == ERROR_BAD_FORMAT || result == ERROR_FUNCTION_FAILED)
        << label << ": " << result;
    if (result != 0) {
        EXPECT_EQ(settings, ConfigSettings{}) << label;
    }
    EXPECT_EQ(settings.instanceName.rfind(L"CPL_", 0), 0u) << label;
    for (Visibility v :
         {settings.statusSerialNumber, settings.optionsPage, settings.streamFormatsPage,
          settings.soundDeviceProfilesPage, settings.sampleRatePage, settings.clockSourcePage,
          settings.asioDevicePage, settings.bufferSettingsPage, settings.volumePage,
          settings.clientInfoPage, settings.infoPage, settings.aboutPage})
        EXPECT_TRUE(IsVisibility(v)) << label;
}

// Changes a few bytes or ranges of the input, now and then its length, driven by the
// generator. Mostly small edits, so that a good share of the results still parses.
std::string Mutate(std::string input, std::mt19937& random) {
    static const char kSpecial[] = "<>/=\"'&;!?-\\ \n\r\t\xEF\xBB\xBF\xFF\xFE\x80\xC3";
    unsigned edits = 1 + random() % 2;
    for (unsigned e = 0; e < edits; ++e) {
        size_t at = input.empty() ? 0 : random() % input.size();
        switch (random() % 10) {
        case 0:
        case 1:
            if (!input.empty())
                input[at] = static_cast<char>(input[at] ^ (1 << (random() % 8)));
            break;
        case 2:
        case 3:
            if (!input.empty())
                input[at] = kSpecial[random() % (sizeof kSpecial - 1)];
            break;
        case 4:
            input.erase(at, 1 + random() % 8);
            break;
        case 5:
        case 6: {
            size_t from = input.empty() ? 0 : random() % input.size();
            input.insert(at, input.substr(from, random() % 64));
            break;
        }
        case 7:
            input.insert(at, 1, static_cast<char>(random() % 256));
            break;
        case 8:
            if (!input.empty())
                std::swap(input[at], input[random() % input.size()]);
            break;
        default:
            input.resize(at);
            break;
        }
    }
    return input;
}

// Replaces a few element texts or quoted attribute values of an XML document with words
// the reader treats specially, keeping the markup intact.
std::string MutateValues(std::string input, std::mt19937& random) {
    static const char* const kWords[] = {"true",
                                         "FALSE",
                                         "visible",
                                         "Auto",
                                         "hidden",
                                         "",
                                         " ",
                                         "x",
                                         "3",
                                         " 3 ",
                                         "3.0",
                                         "-1",
                                         "+3",
                                         "3x",
                                         "999",
                                         "\xC3\xA4",
                                         "&amp;",
                                         "&#0;",
                                         "&#xD800;",
                                         "<![CDATA[true]]>",
                                         "<!--c-->true",
                                         "<Visibility>visible</Visibility>",
                                         "&unknown;",
                                         "\xFF\xFE"};
    unsigned edits = 1 + random() % 3;
    for (unsigned e = 0; e < edits; ++e) {
        std::vector<std::pair<size_t, size_t>> values; // [start, end) of texts and quoted values
        for (size_t at = 0; at < input.size(); ++at) {
            char open = input[at];
            if (open != '>' && open != '"')
                continue;
            size_t end = input.find(open == '>' ? '<' : '"', at + 1);
            if (end == std::string::npos)
                break;
            values.emplace_back(at + 1, end);
            at = open == '"' ? end : at;
        }
        if (values.empty())
            break;
        auto [start, end] = values[random() % values.size()];
        input.replace(start, end - start, kWords[random() % std::size(kWords)]);
    }
    return input;
}

// A chosen translation file that the tests overwrite and read again.
struct TranslationFile {
    TempFolder folder;
    std::wstring directory = folder.MakeFolder(L"Panel.strings");
    WnUiLanguageText texts;
    TranslationFile() {
        config_test::WriteBytes(directory + L"\\en.txt", "");
        EXPECT_EQ(texts.LoadLanguages(directory), 0u);
        texts.BuildTextTable();
    }
    StatusCode Load(std::string_view bytes) {
        config_test::WriteBytes(texts.ChosenFilePath(), bytes);
        return texts.LoadChosenFile();
    }
};

void ExpectSaneTable(const WnUiLanguageText& texts, const std::string& label) {
    for (const UiTextGroup& group : texts.Groups()) {
        for (const auto& entry : group.entries) {
            if (!entry->readFromFile) {
                EXPECT_TRUE(entry->fileText.empty()) << label;
                continue;
            }
            EXPECT_EQ(entry->fileText.find(L'\n'), std::wstring::npos) << label;
            GetUiText(*entry);
        }
    }
    std::wstring report = texts.MissingTextsReport();
    EXPECT_TRUE(report.empty() || report.rfind(L"The following language texts", 0) == 0) << label;
}

std::vector<std::pair<std::wstring, std::wstring>> FileTexts(const WnUiLanguageText& texts) {
    std::vector<std::pair<std::wstring, std::wstring>> read;
    for (const UiTextGroup& group : texts.Groups()) {
        for (const auto& entry : group.entries) {
            if (entry->readFromFile)
                read.emplace_back(entry->id, entry->fileText);
        }
    }
    return read;
}

} // namespace

TEST(ConfigurationCorpus, DamagedFilesLoadWithDefinedResults) {
    TempFolder folder;
    const std::wstring exe = folder / L"KorvelineCpl.exe";
    auto load = [&](const std::string& bytes, ConfigSettings& settings) {
        folder.Write(L"KorvelineCpl.xml", bytes);
        Config config;
        StatusCode result = config.Load(exe);
        settings = config.Settings();
        return result;
    };
    ConfigSettings settings;

    // Every cut of the file before its end is not well formed: loaded with the defaults.
    for (size_t length = 0; length < kFullConfiguration.size() - 1; length += 9) {
        ASSERT_EQ(load(kFullConfiguration.substr(0, length), settings), 0u) << length;
        EXPECT_EQ(settings, ConfigSettings{}) << length;
    }
    ASSERT_EQ(load(kFullConfiguration, settings), 0u);
    EXPECT_EQ(settings.optionsPage, Visibility::Visible);
    ASSERT_EQ(load("\xEF\xBB\xBF" + kFullConfiguration, settings), 0u);
    EXPECT_EQ(settings.optionsPage, Visibility::Visible) << "a UTF-8 mark is fine";

    std::mt19937 random(20240611);
    std::string binary(65536, '\0');
    for (char& c : binary)
        c = static_cast<char>(random());
    std::string utf16 =
        "\xFF\xFE" + config_test::Utf16(
                         std::wstring(kFullConfiguration.begin(), kFullConfiguration.end()), false);
    std::string withNul = kFullConfiguration;
    withNul[withNul.find("<PageOptions>")] = '\0';
    for (const std::string& bytes :
         {binary, utf16, withNul, std::string("\0\0\0", 3), std::string(100000, '<')}) {
        EXPECT_EQ(load(bytes, settings), 0u);
        EXPECT_EQ(settings, ConfigSettings{});
    }

    // Nesting deeper than the XML library follows is refused, not recursed into.
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<a>";
    EXPECT_EQ(load(deep, settings), 0u);
    EXPECT_EQ(load("<ControlPanel FormatVersionMajor=\"3\" FormatVersionMinor=\"0\">" + deep +
                       "</ControlPanel>",
                   settings),
              0u);
    EXPECT_EQ(settings, ConfigSettings{});

    // Many elements: the one that counts is still found after all the others.
    std::string many = "<ControlPanel FormatVersionMajor=\"3\" FormatVersionMinor=\"0\">";
    for (int i = 0; i < 100000; ++i)
        many += "<Unknown" + std::to_string(i % 7) + "/>";
    many += "<PageOptions><Visibility>auto</Visibility></PageOptions></ControlPanel>";
    ASSERT_EQ(load(many, settings), 0u);
    EXPECT_EQ(settings.optionsPage, Visibility::Auto);

    // Invalid UTF-8 and an encoded surrogate in a string become replacement characters.
    ASSERT_EQ(load("<ControlPanel FormatVersionMajor=\"3\" FormatVersionMinor=\"0\"><PageAbout>"
                   "<TableDriverInfo><CustomVersion>a\xC3(\xED\xA0\x80z\xFF</CustomVersion>"
                   "</TableDriverInfo></PageAbout></ControlPanel>",
                   settings),
              0u);
    EXPECT_EQ(settings.aboutCustomVersion.front(), L'a');
    EXPECT_NE(settings.aboutCustomVersion.find(L'\xFFFD'), std::wstring::npos);
    EXPECT_NE(settings.aboutCustomVersion.find(L'z'), std::wstring::npos);

    // A huge version number is cut and read, and is not 3.
    EXPECT_EQ(load("<ControlPanel FormatVersionMajor=\"" + std::string(1000000, '3') +
                       "\" FormatVersionMinor=\"0\"/>",
                   settings),
              kStatusConfigIncompatible);
}

TEST(ConfigurationCorpus, MutatedDocumentsGiveDefinedResults) {
    std::mt19937 random(7);
    for (int i = 0; i < 6000; ++i) {
        std::string input = random() % 2 ? Mutate(kFullConfiguration, random)
                                         : MutateValues(kFullConfiguration, random);
        Config config;
        ConfigDocument document;
        StatusCode result = config.LoadDocumentText(input, document, 0);
        ExpectSaneConfiguration(result, config.Settings(), "input " + std::to_string(i));
        if (HasFatalFailure())
            return;
    }
}

TEST(TranslationCorpus, DamagedFilesLoadWithDefinedResults) {
    TranslationFile file;
    const std::wstring good = config_test::TranslationLines();
    const std::string utf16 = config_test::Utf16LeWithBom(good);

    // Cut anywhere, even inside a UTF-16 unit or a UTF-8 sequence.
    for (size_t length = 0; length < utf16.size(); length += 401) {
        ASSERT_EQ(file.Load(utf16.substr(0, length)), 0u);
        ExpectSaneTable(file.texts, "cut " + std::to_string(length));
    }
    std::string utf8 = Utf8WithBom(L"APP_TITLE = Ger\u00E4t\n" + good);
    for (size_t length = 0; length < 40; ++length) {
        ASSERT_EQ(file.Load(utf8.substr(0, length)), 0u);
        ExpectSaneTable(file.texts, "utf-8 cut " + std::to_string(length));
    }

    std::mt19937 random(99);
    std::string binary(65536, '\0');
    for (char& c : binary)
        c = static_cast<char>(random());
    std::wstring surrogates = L"APP_TITLE = a\xD800"
                              L"b\xDC00\n";
    std::string wrongMark = "\xFF\xFE" + config_test::Utf16(good, true);
    std::string utf32 = "\xFF\xFE\0\0" + std::string("A\0\0\0", 4);
    std::string invalidUtf8 = "\xEF\xBB\xBF"
                              "APP_TITLE = \xC0\xAF\xED\xA0\x80\xF8\x88\x80\x80\x80\n";
    std::string longLine = Utf8WithBom(L"APP_TITLE = " + std::wstring(1000000, L'x'));
    std::wstring manyLines;
    for (int i = 0; i < 20000; ++i)
        manyLines += L"PAGE_INFO_TITLE = line " + std::to_wstring(i) + L"\n";
    std::wstring backslashes;
    for (int i = 0; i < 20000; ++i)
        backslashes += L"\\\n";
    for (const std::string& bytes :
         {binary, wrongMark, utf32, invalidUtf8, longLine, config_test::Utf16(surrogates, false),
          Utf8WithBom(manyLines), Utf8WithBom(L"APP_TITLE = \\\n" + backslashes),
          std::string("\xFE\xFF\xFE", 3), std::string(1, '\0')}) {
        ASSERT_EQ(file.Load(bytes), 0u);
        ExpectSaneTable(file.texts, "corpus");
    }
    ASSERT_EQ(file.Load(config_test::Utf16(surrogates, false)), 0u);
    EXPECT_EQ(file.texts.FindEntry(L"APP_TITLE")->fileText, L"a\xD800"
                                                            L"b\xDC00");
    ASSERT_EQ(file.Load(Utf8WithBom(manyLines)), 0u);
    EXPECT_EQ(file.texts.FindEntry(L"PAGE_INFO_TITLE")->fileText, L"line 19999");
    ASSERT_EQ(file.Load(longLine), 0u);
    EXPECT_EQ(file.texts.FindEntry(L"APP_TITLE")->fileText.size(),
              kMaxTranslationLineLength - 1 - 12);
}

TEST(TranslationCorpus, MutatedFilesGiveTheSameResultAsAFreshTable) {
    const std::string base =
        Utf8WithBom(config_test::TranslationLines() +
                    L"; comment\nAPP_TITLE = first \\\n  second\\\n\n  third\n");
    WnUiLanguageText reused;
    reused.BuildTextTable();
    std::mt19937 random(1234);
    for (int i = 0; i < 4000; ++i) {
        std::string input = Mutate(base, random);
        if (random() % 4 == 0)
            input = config_test::Utf16LeWithBom(DecodeTranslationFile(input));
        reused.ApplyTranslation(input);
        const auto texts = FileTexts(reused);
        for (const auto& [id, text] : texts)
            ASSERT_EQ(text.find(L'\n'), std::wstring::npos) << "input " << i;
        // Every fourth input against a fresh table and the whole table's checks, which
        // cost more than the rest of the loop.
        if (i % 4 == 0) {
            WnUiLanguageText fresh;
            fresh.BuildTextTable();
            fresh.ApplyTranslation(input);
            ASSERT_EQ(texts, FileTexts(fresh)) << "input " << i;
            ExpectSaneTable(reused, "input " + std::to_string(i));
        }
        if (HasFailure())
            return;
    }
}
