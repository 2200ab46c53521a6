#include "controls/ClockSourceListCtrl.h"

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

bool ClockSourceListCtrl::AddClockSource(const ClockSourceRow& row) {
    const int index = InsertRow(ItemCount(), L"", kInsertQuiet);
    if (index < 0 || !SetItemData(index, row.id))
        return false;
    shown_.insert(shown_.begin() + index, ClockSourceRow{row.id, {}, {}, {}});
    UpdateClockSourceRow(index, row);
    return true;
}

void ClockSourceListCtrl::UpdateClockSourceRow(int index, const ClockSourceRow& row) {
    if (index < 0 || static_cast<std::size_t>(index) >= shown_.size())
        return;
    static constexpr std::wstring ClockSourceRow::*kColumns[] = {
        &ClockSourceRow::name, &ClockSourceRow::validity, &ClockSourceRow::sampleRate};
    ClockSourceRow& shown = shown_[static_cast<std::size_t>(index)];
    bool written = false;
    for (int column = 1; column <= 3; ++column) {
        const auto text = kColumns[column - 1];
        if (shown.*text == row.*text)
            continue;
        // A refused write keeps the old text here too, so the next refresh tries again.
        if (!SetCellText(index, column, row.*text))
            return;
        shown.*text = row.*text;
        written = true;
        if (column < 3)
            AutoSizeColumn(column);
    }
    // Only a written cell can have changed a column's width.
    if (written)
        AutoSizeLastColumn();
}

void ClockSourceListCtrl::OnItemCheckChanged(int index, bool checked) {
    ListCtrl::OnItemCheckChanged(index, checked);
    if (!checked)
        return;
    if (const std::uint32_t id = ItemData(index); id != 0)
        SendMessageW(GetParent(Hwnd()), MSG_CLOCK_SOURCE_CHECKED, id, 0);
}
