#pragma once

#include "config/ConfigStatus.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A language as named by a translation file ("de-AT.txt") or by the user's UI language.
struct LanguageTag {
    std::wstring tag;           // as written, e.g. "de-AT"
    std::wstring language;      // 2 or 3 characters
    std::wstring region;        // 2 characters or empty
    std::wstring script;        // 4 characters or empty
    std::wstring englishName;   // the system's English display name of the locale
    std::wstring localizedName; // the system's display name in the user's UI language

    bool operator==(const LanguageTag&) const = default;
};

// Splits a tag at "-" or "_" into language, region and script, without asking the
// system. Result 0 or kStatusLanguageTagInvalid; record is filled only on success.
StatusCode SplitLanguageTag(std::wstring_view tag, LanguageTag& record);

// "language[-script][-region]" of a split tag.
std::wstring LocaleNameOf(const LanguageTag& record);

// SplitLanguageTag plus the system's display names; a locale the system does not know
// gives kStatusLocaleUnknown.
StatusCode ParseLanguageTag(std::wstring_view tag, LanguageTag& record);

// The user's default UI language as a parsed tag.
StatusCode UserUiLanguage(LanguageTag& record);

// Index of the language to use among the available ones (in the order their files were
// found), or none. Most specific match first: language+script+region, language+script,
// language+region, language, then plain "en", then any "en". Comparisons are exact.
std::optional<size_t> ChooseLanguage(const std::vector<LanguageTag>& available,
                                     const LanguageTag& user);
