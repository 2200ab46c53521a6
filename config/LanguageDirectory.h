#pragma once

#include "config/LanguageTag.h"

#include <string>
#include <string_view>
#include <vector>

// Translation files are named "<tag>" + this suffix.
constexpr std::wstring_view kTranslationFileSuffix = L".txt";

// The translation files of a directory: every "<tag>.txt" that is not a directory and
// whose tag names a locale the system knows, in the order the search delivers them.
// Other names are skipped. A directory that does not exist has no languages (result 0);
// any other failure of the search is its system error, and found is then left empty.
StatusCode EnumerateLanguageFiles(const std::wstring& directory, std::vector<LanguageTag>& found);
