#pragma once

#include "config/StatusCode.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

// The entries of a drop-down list (a selector): a text and a 32-bit item data each.
// Failures of the control (no selection, an empty list, a window that does not exist, an
// index out of range, no room) come back as nullopt, never as entry 0.
namespace combo_box {

struct Entry {
    std::wstring text;
    std::uint32_t itemData = 0;
};

int Count(HWND comboBox);
std::optional<int> Selection(HWND comboBox);
std::optional<std::uint32_t> ItemData(HWND comboBox, int index);
std::optional<std::uint32_t> SelectedItemData(HWND comboBox);
std::wstring ItemText(HWND comboBox, int index);

// Adds at the place the list's own order gives (sorted lists) or at the end; the position.
std::optional<int> Add(HWND comboBox, const std::wstring& text, std::uint32_t itemData);
std::optional<int> Insert(HWND comboBox, int index, const std::wstring& text,
                          std::uint32_t itemData);

// Empties the list and disables it.
void Clear(HWND comboBox);
// Empties the list, adds the entries in order (an entry that cannot be added is dropped)
// and enables the list when it holds at least one entry.
void Fill(HWND comboBox, std::span<const Entry> entries);
// Selects the first entry with this item data; with none (or nullopt) nothing is selected.
// Whether an entry was selected.
bool SelectItemData(HWND comboBox, std::optional<std::uint32_t> itemData);
// Enabled when the list holds at least `minimumCount` entries.
void EnableByCount(HWND comboBox, int minimumCount = 1);
// The driver's list with its current value: fills the list (Fill) and, when it holds an
// entry, selects the item data that `readCurrent` gives. When the current value cannot be
// read the list is emptied and disabled again, so no entry reads as the current one. The
// status of `readCurrent` (0 when it was not needed).
StatusCode FillWithCurrent(HWND comboBox, std::span<const Entry> entries,
                           const std::function<StatusCode(std::uint32_t& itemData)>& readCurrent);

} // namespace combo_box
