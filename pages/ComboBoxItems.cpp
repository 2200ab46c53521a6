#include "pages/ComboBoxItems.h"

namespace combo_box {

namespace {

std::optional<int> WithItemData(HWND comboBox, LRESULT position, std::uint32_t itemData) {
    if (position < 0)
        return std::nullopt;
    const int index = static_cast<int>(position);
    if (SendMessageW(comboBox, CB_SETITEMDATA, static_cast<WPARAM>(index), itemData) == CB_ERR) {
        SendMessageW(comboBox, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
        return std::nullopt;
    }
    return index;
}

} // namespace

int Count(HWND comboBox) {
    if (!IsWindow(comboBox))
        return 0;
    const LRESULT count = SendMessageW(comboBox, CB_GETCOUNT, 0, 0);
    return count > 0 ? static_cast<int>(count) : 0;
}

std::optional<int> Selection(HWND comboBox) {
    // A missing window answers 0 to every message, which would read as "entry 0".
    if (Count(comboBox) == 0)
        return std::nullopt;
    const LRESULT selection = SendMessageW(comboBox, CB_GETCURSEL, 0, 0);
    if (selection < 0)
        return std::nullopt;
    return static_cast<int>(selection);
}

std::optional<std::uint32_t> ItemData(HWND comboBox, int index) {
    if (index < 0 || index >= Count(comboBox))
        return std::nullopt;
    const LRESULT data = SendMessageW(comboBox, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    if (data == CB_ERR)
        return std::nullopt;
    return static_cast<std::uint32_t>(data);
}

std::optional<std::uint32_t> SelectedItemData(HWND comboBox) {
    const auto selection = Selection(comboBox);
    return selection ? ItemData(comboBox, *selection) : std::nullopt;
}

std::wstring ItemText(HWND comboBox, int index) {
    const LRESULT length = SendMessageW(comboBox, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(comboBox, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

std::optional<int> Add(HWND comboBox, const std::wstring& text, std::uint32_t itemData) {
    return WithItemData(
        comboBox, SendMessageW(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())),
        itemData);
}

std::optional<int> Insert(HWND comboBox, int index, const std::wstring& text,
                          std::uint32_t itemData) {
    return WithItemData(comboBox,
                        SendMessageW(comboBox, CB_INSERTSTRING, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(text.c_str())),
                        itemData);
}

void Clear(HWND comboBox) {
    SendMessageW(comboBox, CB_RESETCONTENT, 0, 0);
    EnableWindow(comboBox, FALSE);
}

void Fill(HWND comboBox, std::span<const Entry> entries) {
    SendMessageW(comboBox, CB_RESETCONTENT, 0, 0);
    for (const Entry& entry : entries)
        Add(comboBox, entry.text, entry.itemData);
    EnableByCount(comboBox);
}

bool SelectItemData(HWND comboBox, std::optional<std::uint32_t> itemData) {
    const int count = Count(comboBox);
    int found = -1;
    for (int index = 0; itemData && index < count && found < 0; ++index) {
        if (ItemData(comboBox, index) == itemData)
            found = index;
    }
    SendMessageW(comboBox, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
    return found >= 0;
}

void EnableByCount(HWND comboBox, int minimumCount) {
    EnableWindow(comboBox, Count(comboBox) >= minimumCount ? TRUE : FALSE);
}

StatusCode FillWithCurrent(HWND comboBox, std::span<const Entry> entries,
                           const std::function<StatusCode(std::uint32_t& itemData)>& readCurrent) {
    Fill(comboBox, entries);
    if (Count(comboBox) == 0)
        return 0;
    std::uint32_t current = 0;
    if (const StatusCode status = readCurrent(current)) {
        Clear(comboBox);
        return status;
    }
    SelectItemData(comboBox, current);
    return 0;
}

} // namespace combo_box
