#pragma once

// Writing into the caller's records and arrays, honouring the caller's sizes — also in the
// misbehaving modes, which lie about counts and terminators but never write past a buffer.

#include "sim/SimStatus.h"

#include <algorithm>
#include <cstdint>
#include <string>

// A terminated copy, cut to the array; unterminated, the text repeats to fill every unit.
template <std::size_t N>
void PutText(wchar_t (&target)[N], const std::wstring& text, bool unterminated) {
    if (unterminated) {
        for (std::size_t i = 0; i < N; ++i)
            target[i] = text.empty() ? L'#' : text[i % text.size()];
        return;
    }
    std::size_t length = std::min(text.size(), N - 1);
    std::copy_n(text.data(), length, target);
    target[length] = L'\0';
}

// Fills up to `maxCount` elements from `total` items through `write(index, element)`.
// More items than room gives the first `maxCount` and kSimPartialList; the misbehaving
// count mode reports more than the caller's maximum whatever was written.
template <typename Element, typename Write>
StatusCode PutCounted(std::size_t total, std::uint32_t maxCount, Element* elements,
                      std::uint32_t* count, bool overcount, Write write) {
    if (!count || (maxCount && !elements))
        return kSimInvalidParameter;
    std::size_t written = std::min<std::size_t>(total, maxCount);
    for (std::size_t i = 0; i < written; ++i)
        write(i, elements[i]);
    if (overcount) {
        *count = maxCount + 5;
        return 0;
    }
    *count = static_cast<std::uint32_t>(written);
    return written < total ? kSimPartialList : 0;
}
