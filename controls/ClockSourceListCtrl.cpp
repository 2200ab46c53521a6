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

bool ClockSourceListCtrl::AddClockSource(const ClockSourceRow& row) {
    const int index = InsertRow(ItemCount(), L"", kInsertQuiet);
    if (index < 0 || !SetItemData(index, row.id))
        return false;
    UpdateClockSourceRow(index, row);
    return true;
}

void ClockSourceListCtrl::UpdateClockSourceRow(int index, const ClockSourceRow& row) {
    const std::wstring* texts[] = {&row.name, &row.validity, &row.sampleRate};
    for (int column = 1; column <= 3; ++column) {
        const CellWrite write = UpdateCellText(index, column, *texts[column - 1]);
        if (write == CellWrite::Failed)
            return;
        if (write == CellWrite::Written && column < 3)
            AutoSizeColumn(column);
    }
    SetCheck(index, false, 0);
    AutoSizeLastColumn();
}

void ClockSourceListCtrl::OnItemCheckChanged(int index, bool checked) {
    ListCtrl::OnItemCheckChanged(index, checked);
    if (!checked)
        return;
    if (const std::uint32_t id = ItemData(index); id != 0)
        SendMessageW(GetParent(Hwnd()), MSG_CLOCK_SOURCE_CHECKED, id, 0);
}
