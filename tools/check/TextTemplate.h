#pragma once

#include <string>

// Every text id with its group and English default, as a translation file a translator
// starts from: it begins with a byte-order mark, so saved as it is the panel reads it as
// UTF-8, and it has every text, so it shows no missing-text warning.
std::wstring TextTemplate();
