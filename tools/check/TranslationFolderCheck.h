#pragma once

#include "tools/check/CheckFinding.h"

#include <functional>
#include <string>
#include <vector>

// The translation folder as the panel's search sees it: a folder it cannot search, each
// file it skips for its name, then every translation file checked with checkFile. No
// folder: no files.
std::vector<FileCheck>
CheckTranslationFolder(const std::wstring& folder,
                       const std::function<FileCheck(const std::wstring& path)>& checkFile);
