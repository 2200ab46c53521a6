#include "config/TranslationFile.h"
#include "config/UiTextIds.h"
#include "config/WnUiLanguageText.h"
#include "tests/unit/ConfigTestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <set>

using config_test::TempFolder;
using config_test::Utf8WithBom;

namespace {

// A table with the built-in texts to which file contents are applied.
struct Table {
    WnUiLanguageText texts;
    Table() { texts.BuildTextTable(); }
    void Apply(const std::wstring& fileText) { texts.ApplyTranslation(Utf8WithBom(fileText)); }
    std::wstring Text(const wchar_t* id) const { return GetUiText(*texts.FindEntry(id)); }
    bool FromFile(const wchar_t* id) const { return texts.FindEntry(id)->readFromFile; }
};

std::vector<TranslationItem> Items(const std::wstring& text) {
    return ParseTranslationText(text);
}

// A language folder holding one file, loaded and chosen.
struct ChosenFile {
    TempFolder folder;
    std::wstring directory = folder.MakeFolder(L"Panel.strings");
    WnUiLanguageText texts;
    explicit ChosenFile(std::string_view bytes, const wchar_t* name = L"en.txt") {
        config_test::WriteBytes(directory + L"\\" + name, bytes);
        EXPECT_EQ(texts.LoadLanguages(directory), 0u);
        texts.BuildTextTable();
    }
};

} // namespace

TEST(UiTextTable, HasFifteenGroupsAndTheirIds) {
    const auto& table = BuiltInUiTextTable();
    std::vector<std::wstring> names;
    std::set<std::wstring> ids;
    size_t count = 0;
    for (const UiTextGroupDefinition& group : table) {
        names.push_back(group.name);
        const bool mandatory = names.back() == L"GLOBAL" || names.back() == L"PAGE_STATUS" ||
                               names.back() == L"ERROR_MESSAGE";
        const UiTextGroupKind kind = names.back() == L"ACCESSIBLE_NAMES" ? UiTextGroupKind::Extra
                                     : mandatory                         ? UiTextGroupKind::Needed
                                                 : UiTextGroupKind::Optional;
        EXPECT_EQ(group.kind, kind) << group.name;
        for (const UiTextDefinition& text : group.texts) {
            ids.insert(text.id);
            ++count;
        }
    }
    EXPECT_EQ(names,
              (std::vector<std::wstring>{
                  L"GLOBAL", L"PAGE_STATUS", L"PAGE_OPTIONS", L"PAGE_STREAM_FORMATS",
                  L"PAGE_SOUND_DEVICE_PROFILES", L"PAGE_SAMPLE_RATE", L"PAGE_CLOCK_SOURCE",
                  L"PAGE_ASIO_DEVICE", L"PAGE_BUFFER_SETTINGS", L"PAGE_VOLUME", L"PAGE_CLIENT_INFO",
                  L"PAGE_INFO", L"PAGE_ABOUT", L"ERROR_MESSAGE", L"ACCESSIBLE_NAMES"}));
    EXPECT_EQ(count, 190u);
    EXPECT_EQ(ids.size(), 190u) << "ids are unique";
    EXPECT_EQ(table[9].texts.size(), 104u) << "PAGE_VOLUME with its 96 channel names";
    EXPECT_STREQ(table[9].texts[8].id, L"PAGE_VOLUME_DIALOG_OUTPUT_CHANNEL_NAME_1");
    EXPECT_STREQ(table[9].texts[40].id, L"PAGE_VOLUME_DIALOG_INPUT_CHANNEL_NAME_1");
    EXPECT_STREQ(table[9].texts[72].id, L"PAGE_VOLUME_DIALOG_OUTPUT_CHANNEL_NAME_STEREO_1");
    EXPECT_STREQ(table[9].texts[103].id, L"PAGE_VOLUME_DIALOG_INPUT_CHANNEL_NAME_STEREO_16");
}

TEST(UiTextTable, HandlesShowTheDefaultsOnceBuilt) {
    Table table;
    EXPECT_EQ(GetUiText(APP_TITLE), L"Korveline Control Panel");
    EXPECT_EQ(GetUiText(PAGE_BUFFER_SETTINGS_SECTION_ASIO_INPUT_LATENCY),
              L"Input Latency: ${InLatencySamples} samples "
              L"(${InLatencyMillisecs}.${InLatencyMillisecsFrac} ms)");
    EXPECT_EQ(GetUiText(PAGE_BUFFER_SETTINGS__SECTION_NO_VALID_SAMPLE_RATE),
              L"No valid sample rate");
    EXPECT_EQ(GetUiText(ERROR_MESSAGE_DRIVER_API_DLL_NOT_COMPATIBLE),
              L"The driver DLL required to access the device is not compatible with this "
              L"application version.");
    EXPECT_EQ(GetUiText(PAGE_ASIO_DEVICE_NOT_CURRENT), L"");
    EXPECT_EQ(GetUiText(PAGE_VOLUME_DIALOG_INPUT_CHANNEL_NAME_STEREO_7), L"");
    EXPECT_EQ(GetUiText(UiTextHandle()), L"");
    // Every handle is bound to the entry of this table.
    for (const UiTextGroupDefinition& group : BuiltInUiTextTable()) {
        for (const UiTextDefinition& text : group.texts)
            EXPECT_EQ(text.handle->Entry(), table.texts.FindEntry(text.id)) << text.id;
    }
    // Handles follow the file's texts.
    table.Apply(L"APP_TITLE = My Panel\nPAGE_ASIO_DEVICE_NOT_CURRENT = -");
    EXPECT_EQ(GetUiText(APP_TITLE), L"My Panel");
    EXPECT_EQ(GetUiText(PAGE_ASIO_DEVICE_NOT_CURRENT), L"-");
}

TEST(UiTextTable, ChannelNamesAreReachedByNumber) {
    Table table;
    EXPECT_EQ(&ChannelNameText(1, 0), &PAGE_VOLUME_DIALOG_INPUT_CHANNEL_NAME_MASTER);
    EXPECT_EQ(&ChannelNameText(0, 0), &PAGE_VOLUME_DIALOG_OUTPUT_CHANNEL_NAME_MASTER);
    EXPECT_EQ(&ChannelNameText(1, 1), &PAGE_VOLUME_DIALOG_INPUT_CHANNEL_NAME_1);
    EXPECT_EQ(&ChannelNameText(0, 32), &PAGE_VOLUME_DIALOG_OUTPUT_CHANNEL_NAME_32);
    EXPECT_EQ(&StereoChannelNameText(1, 1), &PAGE_VOLUME_DIALOG_INPUT_CHANNEL_NAME_STEREO_1);
    EXPECT_EQ(&StereoChannelNameText(0, 16), &PAGE_VOLUME_DIALOG_OUTPUT_CHANNEL_NAME_STEREO_16);
    for (const UiTextHandle* none : {&ChannelNameText(0, 33), &ChannelNameText(1, 1000),
                                     &ChannelNameText(2, 1), &StereoChannelNameText(0, 0),
                                     &StereoChannelNameText(1, 17), &StereoChannelNameText(7, 1)})
        EXPECT_EQ(none->Entry(), nullptr);
    table.Apply(L"PAGE_VOLUME_DIALOG_OUTPUT_CHANNEL_NAME_3 = Left Rear");
    EXPECT_EQ(GetUiText(ChannelNameText(0, 3)), L"Left Rear");
    EXPECT_EQ(GetUiText(ChannelNameText(1, 3)), L"");
}

TEST(UiTextLookup, ReplacesTheLineMacros) {
    Table table;
    table.Apply(L"APP_TITLE = first${UI_NL}second\n"
                L"PAGE_STATUS_TITLE = a${F_NL}b${F_NL}${UI_NL}c${ui_nl}\n"
                L"PAGE_INFO_TITLE = ${UI${F_NL}_NL}");
    EXPECT_EQ(table.Text(L"APP_TITLE"), L"first\nsecond");
    EXPECT_EQ(table.Text(L"PAGE_STATUS_TITLE"), L"ab\nc${ui_nl}");
    // The continuation mark goes first, so what it joins can form a line break.
    EXPECT_EQ(table.Text(L"PAGE_INFO_TITLE"), L"\n");
}

TEST(UiTextLookup, SubstitutePlaceholderReplacesEveryOccurrence) {
    std::wstring text = L"${SampleRate} Hz / ${SampleRate}";
    EXPECT_TRUE(SubstitutePlaceholder(text, L"${SampleRate}", L"%u", 44100));
    EXPECT_EQ(text, L"44100 Hz / 44100");

    text = L"(${InLatencyMillisecs}.${InLatencyMillisecsFrac} ms)";
    EXPECT_TRUE(SubstitutePlaceholder(text, L"${InLatencyMillisecsFrac}", L"%02u", 5));
    EXPECT_TRUE(SubstitutePlaceholder(text, L"${InLatencyMillisecs}", L"%u", 2));
    EXPECT_EQ(text, L"(2.05 ms)");

    text = L"${samplerate} ${SampleRate ${SampleRate";
    EXPECT_FALSE(SubstitutePlaceholder(text, L"${SampleRate}", L"%u", 1));
    EXPECT_EQ(text, L"${samplerate} ${SampleRate ${SampleRate");
    EXPECT_FALSE(SubstitutePlaceholder(text, L"", L"%u", 1));

    // The inserted value is not scanned again: "$" + "{X}" formed by the insertion stays.
    text = L"${A}{X}}";
    EXPECT_TRUE(SubstitutePlaceholder(text, L"${A}", L"$", 0));
    EXPECT_EQ(text, L"${X}}");
    EXPECT_FALSE(SubstitutePlaceholder(text, L"${A}", L"%u", 0));
    text = L"${V}${V}";
    EXPECT_TRUE(SubstitutePlaceholder(text, L"${V}", L"${V}%u", 4294967295u));
    EXPECT_EQ(text, L"${V}4294967295${V}4294967295");
}

TEST(TranslationLines, KeyAndValueAroundTheFirstEqualsSign) {
    auto items = Items(L"APP_TITLE = My Panel\n"
                       L"  KEY\t=\tvalue = with = signs  \n"
                       L"NO_SEPARATOR\n"
                       L"= no key\n"
                       L"   \n"
                       L"; COMMENT = skipped\n"
                       L"  ; INDENTED_COMMENT = skipped too\n"
                       L"EMPTY =\n"
                       L"ONE=x\n"
                       L"KEY WITH SPACE = kept\n"
                       L"LAST = no line feed");
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[0].key, L"APP_TITLE");
    EXPECT_EQ(items[0].value, L"My Panel");
    EXPECT_EQ(items[1].key, L"KEY");
    EXPECT_EQ(items[1].value, L"value = with = signs");
    EXPECT_EQ(items[2].key, L"EMPTY");
    EXPECT_EQ(items[2].value, L"");
    EXPECT_EQ(items[3].value, L"x") << "a value of one character is taken";
    EXPECT_EQ(items[4].key, L"KEY WITH SPACE");
    EXPECT_EQ(items[5].value, L"no line feed");
}

TEST(TranslationLines, ContinuedValuesJoinTheirLines) {
    auto items = Items(L"A = word \\\n"
                       L"     second\n"
                       L"B = one\\\n"
                       L"\n"
                       L"  \t\n"
                       L"; not a comment here \\\n"
                       L"X = not a key\\\n"
                       L"end\n"
                       L"C = \\\n"
                       L"D = open at the end \\");
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].value, L"word ${F_NL}second");
    EXPECT_EQ(items[1].value, L"one${F_NL}; not a comment here ${F_NL}X = not a key${F_NL}end");
    EXPECT_EQ(items[2].value, L"${F_NL}D = open at the end ${F_NL}");
}

TEST(TranslationLines, ContinuedWordsShowOneSpace) {
    Table table;
    table.Apply(L"APP_TITLE = My \\\r\n      Panel\r\n");
    EXPECT_EQ(table.Text(L"APP_TITLE"), L"My Panel");
}

TEST(TranslationLines, OverlongLinesAreCutAndTheirRestDropped) {
    const size_t keep = kMaxTranslationLineLength - 1; // the line feed counts
    const std::wstring key = L"APP_TITLE = ";
    std::wstring longLine = key + std::wstring(keep - key.size(), L'a') +
                            L"PAGE_INFO_TITLE = tail of the long line" + std::wstring(20000, L'b');
    auto items = Items(longLine + L"\nPAGE_STATUS_TITLE = next\n");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].value, std::wstring(keep - key.size(), L'a'));
    EXPECT_EQ(items[1].key, L"PAGE_STATUS_TITLE");

    // Exactly at the limit nothing is cut; CR LF counts as one line feed.
    std::wstring atLimit = key + std::wstring(keep - key.size() - 1, L'c') + L"d";
    items = Items(atLimit + L"\r\n");
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].value.back(), L'd');
    items = Items(DecodeTranslationFile(Utf8WithBom(atLimit + L"\r\n")));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].value.back(), L'd');
}

TEST(TranslationEncoding, TheByteOrderMarkSelectsTheEncoding) {
    const std::wstring text = L"APP_TITLE = Ger\u00E4t \u20AC \U0001F600\r\nB = x\ry\n";
    const std::wstring expected = L"APP_TITLE = Ger\u00E4t \u20AC \U0001F600\nB = x\ry\n";
    EXPECT_EQ(DecodeTranslationFile(Utf8WithBom(text)), expected);
    EXPECT_EQ(DecodeTranslationFile(config_test::Utf16LeWithBom(text)), expected);
    EXPECT_EQ(DecodeTranslationFile(config_test::Utf16BeWithBom(text)), expected);
    EXPECT_EQ(DecodeTranslationFile(config_test::Utf16(text, false)), expected) << "no mark";
    // UTF-8 without a mark is read as UTF-16LE and gives no usable line.
    EXPECT_TRUE(Items(DecodeTranslationFile(config_test::Utf8(text))).empty());
    // Invalid UTF-8 becomes replacement characters; a last odd UTF-16 byte is dropped.
    EXPECT_EQ(DecodeTranslationFile("\xEF\xBB\xBF"
                                    "a\xFF"
                                    "b"),
              L"a\uFFFDb");
    EXPECT_EQ(DecodeTranslationFile(std::string_view("\xFF\xFE"
                                                     "a\0b",
                                                     5)),
              L"a");
    EXPECT_EQ(DecodeTranslationFile(""), L"");
    EXPECT_EQ(DecodeTranslationFile("\xEF\xBB\xBF"), L"");
}

TEST(TranslationApply, FileTextsReplaceDefaultsAndTheLastLineWins) {
    Table table;
    table.Apply(L"APP_TITLE = first\n"
                L"app_title = lower case is another key\n"
                L"NOT_AN_ID = ignored\n"
                L"PAGE_STATUS_TITLE =\n"
                L"APP_TITLE = second\n");
    EXPECT_EQ(table.Text(L"APP_TITLE"), L"second");
    EXPECT_TRUE(table.FromFile(L"PAGE_STATUS_TITLE"));
    EXPECT_EQ(table.Text(L"PAGE_STATUS_TITLE"), L"") << "an empty value is taken";
    EXPECT_FALSE(table.FromFile(L"PAGE_INFO_TITLE"));
    EXPECT_EQ(table.Text(L"PAGE_INFO_TITLE"), L"Info");

    // Applying again starts from the defaults.
    table.Apply(L"PAGE_INFO_TITLE = Information");
    EXPECT_EQ(table.Text(L"APP_TITLE"), L"Korveline Control Panel");
    EXPECT_FALSE(table.FromFile(L"APP_TITLE"));
    EXPECT_EQ(table.Text(L"PAGE_INFO_TITLE"), L"Information");
}

TEST(MissingTexts, OptionalGroupsCountOnlyWhenPresentInPart) {
    ChosenFile file(Utf8WithBom(config_test::MandatoryTranslationLines()));
    file.texts.ApplyTranslation(Utf8WithBom(config_test::MandatoryTranslationLines()));
    EXPECT_EQ(file.texts.MissingTextsReport(), L"");

    file.texts.ApplyTranslation(Utf8WithBom(config_test::MandatoryTranslationLines() +
                                            L"PAGE_ABOUT_TABLE_DRIVER_INFO_TITLE = Driver\n"));
    EXPECT_EQ(file.texts.MissingTextsReport(),
              L"The following language texts are missing in file\n" + file.directory +
                  L"\\en.txt:\n\n"
                  L"PAGE_ABOUT_TITLE,\n"
                  L"PAGE_ABOUT_TABLE_DRIVER_INFO_ROW_VERSION_VERSION_PREFIX,\n"
                  L"PAGE_ABOUT_TABLE_DRIVER_INFO_ROW_BUILDTYPE_TEXT_IF_DEBUG,\n"
                  L"PAGE_ABOUT_TABLE_DRIVER_INFO_ROW_BUILDTYPE_TEXT_IF_RELEASE,\n"
                  L"PAGE_ABOUT_TABLE_DRIVER_INFO_ROW_COPYRIGHT");

    // The accessible names are optional text by text: one of them given reports no other.
    file.texts.ApplyTranslation(Utf8WithBom(config_test::MandatoryTranslationLines() +
                                            L"VOLUME_DIALOG_MUTE_BUTTON_NAME = Stumm\n"));
    EXPECT_EQ(file.texts.MissingTextsReport(), L"");
}

TEST(MissingTexts, MandatoryGroupsAreListedInTableOrder) {
    Table table;
    table.Apply(config_test::TranslationLines({L"PAGE_STATUS", L"PAGE_OPTIONS"}) +
                L"NOTIFICATION_AREA_MENU_ENTRY_SHOW = Show\n"
                L"ERROR_MESSAGE_COMMON_ERROR = Error\n");
    std::wstring report = table.texts.MissingTextsReport();
    std::wstring list = report.substr(report.find(L":\n\n") + 3);
    EXPECT_EQ(list, L"APP_TITLE,\n"
                    L"NOTIFICATION_AREA_MENU_ENTRY_EXIT,\n"
                    L"ERROR_MESSAGE_DRIVER_API_DLL_NOT_FOUND,\n"
                    L"ERROR_MESSAGE_DRIVER_API_DLL_NOT_COMPATIBLE,\n"
                    L"ERROR_MESSAGE_DRIVER_API_DLL_WITHOUT_INI,\n"
                    L"ERROR_MESSAGE_DRIVER_API_DLL_WITH_INVALID_INI,\n"
                    L"ERROR_MESSAGE_SWITCH_STREAM_FORMAT_NOT_ALLOWED");
    // Nothing read at all: the three mandatory groups in full.
    table.Apply(L"");
    report = table.texts.MissingTextsReport();
    EXPECT_NE(report.find(L"\n\nAPP_TITLE,\n"), std::wstring::npos);
    EXPECT_EQ(report.find(L"PAGE_OPTIONS_TITLE"), std::wstring::npos);
}

TEST(LanguageFiles, EnumerationKeepsFilesWithAKnownLocale) {
    TempFolder folder;
    const std::wstring dir = folder.MakeFolder(L"Panel.strings");
    for (const wchar_t* name :
         {L"de.txt", L"de-AT.txt", L"en_US.txt", L"xx.txt", L"toolong.txt", L".txt", L"de.txtx",
          L"fr.TXT", L"it.txt.bak", L"ja.json", L"de-AT-CH.txt"})
        folder.Write(std::wstring(L"Panel.strings\\") + name, "");
    folder.MakeFolder(L"Panel.strings\\fr.txt");

    WnUiLanguageText texts;
    ASSERT_EQ(texts.LoadLanguages(dir), 0u);
    std::set<std::wstring> tags;
    for (const LanguageTag& tag : texts.AvailableLanguages())
        tags.insert(tag.tag);
    EXPECT_EQ(tags, (std::set<std::wstring>{L"de", L"de-AT", L"en_US"}));
    for (const LanguageTag& tag : texts.AvailableLanguages()) {
        EXPECT_FALSE(tag.englishName.empty()) << tag.tag;
        EXPECT_FALSE(tag.localizedName.empty()) << tag.tag;
    }
    EXPECT_TRUE(texts.HasChosenLanguage()) << "English at least";
    EXPECT_EQ(texts.ChosenFilePath(), dir + L"\\" + texts.ChosenLanguage().tag + L".txt");

    EXPECT_EQ(texts.LoadLanguages(dir), kStatusLanguageTextsNotReady) << "only once";
}

TEST(LanguageFiles, AMissingDirectoryOrNoFileMeansNoLanguage) {
    TempFolder folder;
    for (const std::wstring& dir :
         {folder / L"absent.strings", folder / L"absent\\deeper.strings", folder.Path()}) {
        WnUiLanguageText texts;
        EXPECT_EQ(texts.LoadLanguages(dir), 0u);
        EXPECT_TRUE(texts.AvailableLanguages().empty());
        EXPECT_FALSE(texts.HasChosenLanguage());
        texts.BuildTextTable();
        EXPECT_EQ(texts.LoadChosenFile(), kStatusLanguageTextsNotReady);
    }
}

TEST(LanguageFiles, LoadChosenFileOutcomes) {
    {
        ChosenFile file(Utf8WithBom(L"APP_TITLE = Mine\n"));
        ASSERT_EQ(file.texts.LoadChosenFile(), 0u);
        EXPECT_EQ(GetUiText(*file.texts.FindEntry(L"APP_TITLE")), L"Mine");
        EXPECT_NE(file.texts.MissingTextsReport(), L"");
    }
    {
        // No table yet.
        ChosenFile file(Utf8WithBom(L"APP_TITLE = Mine\n"));
        WnUiLanguageText unbuilt;
        ASSERT_EQ(unbuilt.LoadLanguages(file.directory), 0u);
        EXPECT_EQ(unbuilt.LoadChosenFile(), kStatusLanguageTextsNotReady);
    }
    {
        // The file is gone by the time it is read; nothing of an earlier read stays.
        ChosenFile file(Utf8WithBom(L"APP_TITLE = Mine\n"));
        ASSERT_EQ(file.texts.LoadChosenFile(), 0u);
        DeleteFileW(file.texts.ChosenFilePath().c_str());
        EXPECT_EQ(file.texts.LoadChosenFile(), kStatusLanguageFileNotOpened);
        EXPECT_EQ(GetUiText(*file.texts.FindEntry(L"APP_TITLE")), L"Korveline Control Panel");
    }
    {
        ChosenFile file(Utf8WithBom(L"APP_TITLE = Mine\n"));
        std::string huge = Utf8WithBom(L"APP_TITLE = Huge\n");
        huge.resize(kMaxTranslationFileSize + 1, ' ');
        config_test::WriteBytes(file.texts.ChosenFilePath(), huge);
        EXPECT_EQ(file.texts.LoadChosenFile(), kStatusLanguageFileNotRead);
        EXPECT_FALSE(file.texts.FindEntry(L"APP_TITLE")->readFromFile);
    }
}

TEST(ShippedTranslations, EnglishIsCompleteAndEqualsTheDefaults) {
    std::string bytes;
    {
        FILE* file =
            _wfopen(config_test::SourceTreeFile(L"resources/strings/en.txt").c_str(), L"rb");
        ASSERT_NE(file, nullptr);
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, file)) > 0;)
            bytes.append(buffer, n);
        fclose(file);
    }
    Table table;
    table.texts.ApplyTranslation(bytes);
    EXPECT_EQ(table.texts.MissingTextsReport(), L"");
    for (const UiTextGroup& group : table.texts.Groups()) {
        for (const auto& entry : group.entries) {
            EXPECT_TRUE(entry->readFromFile) << entry->id;
            EXPECT_EQ(entry->fileText, entry->defaultText ? entry->defaultText : L"") << entry->id;
        }
    }
}

TEST(ShippedTranslations, GermanIsCompleteAndTranslated) {
    // Saved as en.txt, so that it is chosen whatever the user's UI language.
    ChosenFile file("");
    CopyFileW(config_test::SourceTreeFile(L"resources/strings/de.txt").c_str(),
              file.texts.ChosenFilePath().c_str(), FALSE);
    ASSERT_EQ(file.texts.LoadChosenFile(), 0u);
    EXPECT_EQ(file.texts.MissingTextsReport(), L"");
    size_t translated = 0;
    for (const UiTextGroup& group : file.texts.Groups()) {
        for (const auto& entry : group.entries) {
            EXPECT_TRUE(entry->readFromFile) << entry->id;
            translated += entry->defaultText && GetUiText(*entry) != entry->defaultText;
        }
    }
    EXPECT_GT(translated, 60u);
    EXPECT_EQ(GetUiText(*file.texts.FindEntry(L"PAGE_VOLUME_TITLE")), L"Lautst\u00E4rke");
    EXPECT_EQ(GetUiText(*file.texts.FindEntry(L"ERROR_MESSAGE_DRIVER_API_DLL_NOT_COMPATIBLE")),
              L"Die Treiber-DLL, die f\u00FCr den Zugriff auf das Ger\u00E4t n\u00F6tig ist, ist "
              L"mit dieser Programmversion nicht kompatibel.");
}
