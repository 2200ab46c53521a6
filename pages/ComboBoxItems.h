#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

// The entries of a drop-down list: a text and a 32-bit item data each. Failures of the
// control (no selection, an index out of range, no room) come back as nullopt.
namespace combo_box {

int Count(HWND comboBox);
std::optional<int> Selection(HWND comboBox);
std::optional<std::uint32_t> ItemData(HWND comboBox, int index);
std::optional<std::uint32_t> SelectedItemData(HWND comboBox);
std::wstring ItemText(HWND comboBox, int index);

// Adds at the place the list's own order gives (sorted lists) or at the end; the position.
std::optional<int> Add(HWND comboBox, const std::wstring& text, std::uint32_t itemData);
std::optional<int> Insert(HWND comboBox, int index, const std::wstring& text,
                          std::uint32_t itemData);

} // namespace combo_box
