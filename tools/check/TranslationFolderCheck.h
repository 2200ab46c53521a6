#pragma once

#include "tools/check/CheckFinding.h"

#include <string>
#include <vector>

// The translation folder as the panel's search sees it: a folder it cannot search, each
// file it skips for its name, then every translation file checked. No folder: no files.
std::vector<FileCheck> CheckTranslationFolder(const std::wstring& folder);
