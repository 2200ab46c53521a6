#pragma once

#include "tools/check/CheckFinding.h"

#include <string>

// One translation file read with the panel's own reader and applied to its text table,
// then explained: a file the panel would not read, the encoding it reads it in, lines
// and ids it ignores, ids given twice, placeholders that differ from the English text, a
// continuation the file ends in, and the missing texts its start-up warning would list.
FileCheck CheckTranslationFile(const std::wstring& path);
