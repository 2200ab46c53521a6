#include "tools/check/ClosestName.h"

#include <algorithm>
#include <cwctype>

namespace {

// Edits (insert, delete, replace, swap of neighbours) from one name to the other.
size_t EditDistance(std::wstring_view a, std::wstring_view b) {
    auto same = [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); };
    std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        for (size_t j = 1; j <= b.size(); ++j) {
            size_t cost = same(a[i - 1], b[j - 1]) ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && same(a[i - 1], b[j - 2]) && same(a[i - 2], b[j - 1]))
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

} // namespace

std::optional<std::wstring> ClosestName(std::wstring_view name,
                                        const std::vector<std::wstring>& candidates) {
    const std::wstring* best = nullptr;
    size_t bestDistance = 0;
    for (const std::wstring& candidate : candidates) {
        size_t distance = EditDistance(name, candidate);
        if (!best || distance < bestDistance) {
            best = &candidate;
            bestDistance = distance;
        }
    }
    // A quarter of the longer name, and at least two edits, still reads as a typo.
    if (!best || bestDistance > std::max<size_t>(2, std::max(name.size(), best->size()) / 4))
        return std::nullopt;
    return *best;
}
