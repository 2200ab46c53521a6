#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The known name a misspelt one most likely meant: the candidate with the fewest edits
// (letter case ignored), when those are few for the names' length; nothing otherwise.
std::optional<std::wstring> ClosestName(std::wstring_view name,
                                        const std::vector<std::wstring>& candidates);
