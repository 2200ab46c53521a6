#pragma once

#include "controls/ListCtrl.h"

#include <cstdint>
#include <span>
#include <string>

// The value of the row with key `id`.
struct PropertyValue {
    std::uint32_t id;
    std::wstring text;
};

// A name/value table: one row per key (its item data), the name in column 1 (hidden when
// the list shows no names) and the value in column 2. Nothing can be selected.
class PropertyListCtrl : public ListCtrl {
public:
    using ListCtrl::Attach;
    bool Attach(HWND list, bool showNames);

    // Appends the row of key `id` (not 0) with its name and an empty value.
    void AddRow(std::uint32_t id, const std::wstring& name);
    // Shows these values and an empty value in every other row, then fits the last column.
    // A value that did not change is not written again, so nothing flickers.
    void ShowValues(std::span<const PropertyValue> values);

private:
    static constexpr int kNameColumn = 1;
    static constexpr int kValueColumn = 2;

    bool showNames_ = false;
};
