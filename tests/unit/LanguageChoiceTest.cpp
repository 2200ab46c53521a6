#include "config/LanguageTag.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

std::vector<LanguageTag> Tags(std::initializer_list<const wchar_t*> tags) {
    std::vector<LanguageTag> records;
    for (const wchar_t* tag : tags) {
        LanguageTag record;
        EXPECT_EQ(SplitLanguageTag(tag, record), 0u) << tag;
        records.push_back(record);
    }
    return records;
}

// The tag chosen from the available ones for the user's locale, or "" for none.
std::wstring Chosen(std::initializer_list<const wchar_t*> available, const wchar_t* user) {
    std::vector<LanguageTag> records = Tags(available);
    std::optional<size_t> index = ChooseLanguage(records, Tags({user})[0]);
    return index ? records[*index].tag : L"";
}

} // namespace

TEST(LanguageTagSplit, ReadsLanguageScriptAndRegion) {
    struct Case {
        const wchar_t* tag;
        const wchar_t* language;
        const wchar_t* script;
        const wchar_t* region;
    };
    for (const Case& c : std::initializer_list<Case>{
             {L"de", L"de", L"", L""},
             {L"de-AT", L"de", L"", L"AT"},
             {L"de_AT", L"de", L"", L"AT"},
             {L"sr-Latn-RS", L"sr", L"Latn", L"RS"},
             {L"sr_Latn", L"sr", L"Latn", L""},
             {L"de-AT-Latn", L"de", L"Latn", L"AT"},
             {L"de-AT-AT", L"de", L"", L"AT"},
             {L"sr-Latn-Latn", L"sr", L"Latn", L""},
             {L"fil-PH", L"fil", L"", L"PH"},
             {L"de-x-AT", L"de", L"", L""}, // an odd second part ends the tag
             {L"de-", L"de", L"", L""},
             {L"de-AT-variant-CH", L"de", L"", L"AT"}, // odd third part and the rest ignored
             {L"de-AT-12345-Latn", L"de", L"", L"AT"},
         }) {
        LanguageTag record;
        StatusCode status = SplitLanguageTag(c.tag, record);
        ASSERT_EQ(status, 0u) << c.tag;
        EXPECT_EQ(record.tag, c.tag);
        EXPECT_EQ(record.language, c.language) << c.tag;
        EXPECT_EQ(record.script, c.script) << c.tag;
        EXPECT_EQ(record.region, c.region) << c.tag;
    }
}

TEST(LanguageTagSplit, RejectsMalformedTags) {
    for (const wchar_t* tag :
         {L"", L"d", L"deut", L"-AT", L"_", L"de-AT-CH", L"sr-Latn-Cyrl", L"english"}) {
        LanguageTag record;
        record.tag = L"untouched";
        EXPECT_EQ(SplitLanguageTag(tag, record), kStatusLanguageTagInvalid) << tag;
        EXPECT_EQ(record.tag, L"untouched");
    }
}

TEST(LanguageTagSystemNames, KnownLocalesGetTheirDisplayNames) {
    LanguageTag record;
    ASSERT_EQ(ParseLanguageTag(L"de_AT", record), 0u);
    EXPECT_EQ(LocaleNameOf(record), L"de-AT");
    EXPECT_EQ(record.englishName, L"German (Austria)");
    EXPECT_FALSE(record.localizedName.empty());

    ASSERT_EQ(ParseLanguageTag(L"sr-RS-Latn", record), 0u);
    EXPECT_EQ(LocaleNameOf(record), L"sr-Latn-RS");

    for (const wchar_t* unknown : {L"xx", L"zz-ZZ", L"en-XX"})
        EXPECT_EQ(ParseLanguageTag(unknown, record), kStatusLocaleUnknown) << unknown;
    EXPECT_EQ(ParseLanguageTag(L"toolong", record), kStatusLanguageTagInvalid);
}

TEST(LanguageTagSystemNames, TheUserUiLanguageIsNamedAndParsed) {
    LanguageTag user;
    ASSERT_EQ(UserUiLanguage(user), 0u);
    wchar_t name[LOCALE_NAME_MAX_LENGTH];
    ASSERT_GT(LCIDToLocaleName(GetUserDefaultUILanguage(), name, LOCALE_NAME_MAX_LENGTH, 0), 0);
    EXPECT_EQ(user.tag, name);
    EXPECT_FALSE(user.englishName.empty());
}

TEST(LanguageChoice, TheMostSpecificMatchWins) {
    EXPECT_EQ(Chosen({L"de", L"de-AT"}, L"de-AT"), L"de-AT");
    EXPECT_EQ(Chosen({L"de-AT", L"de"}, L"de-AT"), L"de-AT");
    // Same language, other region: the first file with that language, whatever its region.
    EXPECT_EQ(Chosen({L"de", L"de-AT"}, L"de-CH"), L"de");
    EXPECT_EQ(Chosen({L"de-AT", L"de"}, L"de-CH"), L"de-AT");
    EXPECT_EQ(Chosen({L"en", L"fr-CA", L"fr-FR"}, L"fr"), L"fr-CA");

    // Script before region.
    EXPECT_EQ(Chosen({L"sr-Cyrl-RS", L"sr-Latn", L"sr-Latn-RS"}, L"sr-Latn-RS"), L"sr-Latn-RS");
    EXPECT_EQ(Chosen({L"sr-Cyrl-RS", L"sr-Latn-BA", L"sr"}, L"sr-Latn-RS"), L"sr-Latn-BA");
    EXPECT_EQ(Chosen({L"sr", L"sr-Cyrl-RS"}, L"sr-Latn-RS"), L"sr-Cyrl-RS");
    EXPECT_EQ(Chosen({L"sr-Cyrl", L"sr-Latn-BA"}, L"sr-Latn"), L"sr-Latn-BA");
    EXPECT_EQ(Chosen({L"zh-Hant", L"zh-TW"}, L"zh-TW"), L"zh-TW");
}

TEST(LanguageChoice, EnglishIsTheFallback) {
    EXPECT_EQ(Chosen({L"fr", L"en-US"}, L"ja-JP"), L"en-US");
    EXPECT_EQ(Chosen({L"en-US", L"en-Latn", L"en", L"fr"}, L"ja-JP"), L"en");
    EXPECT_EQ(Chosen({L"en-GB", L"en-US"}, L"ja"), L"en-GB");
    EXPECT_EQ(Chosen({L"fr", L"de"}, L"ja-JP"), L"");
    EXPECT_EQ(Chosen({}, L"de-AT"), L"");
}

TEST(LanguageChoice, SubtagsCompareExactly) {
    // "de-at" has the region "at", not "AT": only the language matches.
    EXPECT_EQ(Chosen({L"de", L"de-at"}, L"de-AT"), L"de");
    EXPECT_EQ(Chosen({L"DE", L"en"}, L"de-DE"), L"en");
    EXPECT_EQ(Chosen({L"EN"}, L"ja"), L"");
    // "de_AT" and "de-AT" name the same subtags.
    EXPECT_EQ(Chosen({L"de", L"de_AT"}, L"de-AT"), L"de_AT");
}
