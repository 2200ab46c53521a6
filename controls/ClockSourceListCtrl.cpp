#include "controls/ClockSourceListCtrl.h"

#include <algorithm>
#include <iterator>

bool ClockSourceListCtrl::Attach(HWND list) {
    if (!ListCtrl::Attach(list))
        return false;
    SetLockColumns(true);
    SetSingleCheck(true);
    SetRefuseSelection(true);
    AddExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES);
    AddColumns({MulDiv(20, static_cast<int>(screenDpi_), 96), 50, 50, 50});
    return true;
}

void ClockSourceListCtrl::ClearItems() {
    ListCtrl::ClearItems();
    shown_.clear();
}

bool ClockSourceListCtrl::ShowsIds(std::span<const ClockSourceRow> rows) const {
    return shown_.size() == rows.size() && ItemCount() == static_cast<int>(rows.size()) &&
           std::equal(rows.begin(), rows.end(), shown_.begin(),
                      [](const ClockSourceRow& row, const ClockSourceRow& shown) {
                          return row.id == shown.id;
                      });
}

bool ClockSourceListCtrl::AppendRow(std::uint32_t id) {
    const int index = InsertRow(ItemCount(), L"", kInsertQuiet);
    if (index < 0)
        return false;
    if (!SetItemData(index, id)) {
        SendMessageW(Hwnd(), LVM_DELETEITEM, index, 0);
        return false;
    }
    shown_.push_back(ClockSourceRow{id, {}, {}, {}});
    return true;
}

void ClockSourceListCtrl::ShowClockSources(std::span<const ClockSourceRow> rows) {
    if (!ShowsIds(rows)) {
        ClearItems();
        for (const ClockSourceRow& row : rows) {
            if (!AppendRow(row.id))
                break;
        }
    }
    static constexpr std::wstring ClockSourceRow::*kColumns[] = {
        &ClockSourceRow::name, &ClockSourceRow::validity, &ClockSourceRow::sampleRate};
    bool written[std::size(kColumns)] = {};
    for (std::size_t index = 0; index < shown_.size(); ++index) {
        ClockSourceRow& shown = shown_[index];
        for (std::size_t column = 0; column < std::size(kColumns); ++column) {
            const auto text = kColumns[column];
            if (shown.*text == rows[index].*text)
                continue;
            // A refused write keeps the old text here too, so the next refresh tries again.
            if (!SetCellText(static_cast<int>(index), static_cast<int>(column) + 1,
                             rows[index].*text))
                break;
            shown.*text = rows[index].*text;
            written[column] = true;
        }
    }
    // The last column fills the rest; the others fit their texts.
    for (std::size_t column = 0; column + 1 < std::size(kColumns); ++column) {
        if (written[column])
            AutoSizeColumn(static_cast<int>(column) + 1);
    }
    // Only a written cell can have changed a column's width.
    if (std::find(std::begin(written), std::end(written), true) != std::end(written))
        AutoSizeLastColumn();
}

void ClockSourceListCtrl::OnItemCheckChanged(int index, bool checked) {
    ListCtrl::OnItemCheckChanged(index, checked);
    if (!checked)
        return;
    if (const std::uint32_t id = ItemData(index); id != 0)
        SendMessageW(GetParent(Hwnd()), MSG_CLOCK_SOURCE_CHECKED, id, 0);
}
