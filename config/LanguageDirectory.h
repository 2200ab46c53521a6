#pragma once

#include "config/LanguageTag.h"

#include <string>
#include <string_view>
#include <vector>

// Translation files are named "<tag>" + this suffix.
constexpr std::wstring_view kTranslationFileSuffix = L".txt";

// A file the search delivers that is no translation: its name and why
// (kStatusLanguageTagInvalid: no "<tag>.txt", or a tag that is not well formed;
// kStatusLocaleUnknown: a tag the system knows no locale for).
struct SkippedLanguageFile {
    std::wstring fileName;
    StatusCode reason;
};

// The translation files of a directory: every "<tag>.txt" that is not a directory and
// whose tag names a locale the system knows, in the order the search delivers them.
// Other names are skipped (and listed in skipped when given). A directory that does not
// exist has no languages (result 0); any other failure of the search is its system
// error, and found is then left empty.
StatusCode EnumerateLanguageFiles(const std::wstring& directory, std::vector<LanguageTag>& found,
                                  std::vector<SkippedLanguageFile>* skipped = nullptr);
