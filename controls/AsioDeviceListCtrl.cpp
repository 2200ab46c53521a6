#include "controls/AsioDeviceListCtrl.h"

namespace {

constexpr WPARAM kNone = static_cast<WPARAM>(-1);

} // namespace

bool AsioDeviceListCtrl::Attach(HWND list) {
    if (!ListCtrl::Attach(list))
        return false;
    SetLockColumns(true);
    SetSingleCheck(false);
    SetWindowLongPtrW(list, GWL_STYLE, GetWindowLongPtrW(list, GWL_STYLE) | LVS_SINGLESEL);
    AddExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    AddColumns({MulDiv(20, static_cast<int>(screenDpi_), 96), 50, 50, 20, 20, 20});
    return true;
}

void AsioDeviceListCtrl::SetRows(std::span<const AsioDeviceRow> rows) {
    if (rows.empty()) {
        ClearItems();
        return;
    }
    if (ItemCount() != static_cast<int>(rows.size())) {
        ClearItems();
        for (std::size_t position = 0; position < rows.size(); ++position) {
            const int index = InsertRow(ItemCount(), L"", kInsertQuiet);
            if (index < 0 || !SetItemData(index, static_cast<std::uint32_t>(position)))
                return;
        }
    }
    int preferred = -1;
    for (int index = 0; index < ItemCount(); ++index) {
        const std::uint32_t position = ItemData(index);
        if (position >= rows.size())
            continue;
        const AsioDeviceRow& row = rows[position];
        const std::wstring* texts[] = {&row.product, &row.serialNumber, &row.current, &row.inUse};
        for (int column = 1; column <= 5; ++column) {
            const std::wstring& text = column <= 4 ? *texts[column - 1] : std::wstring();
            const CellWrite write = UpdateCellText(index, column, text);
            if (write == CellWrite::Failed)
                return;
            if (write == CellWrite::Written)
                AutoSizeColumn(column);
        }
        SetCheck(index, false, 0);
        if (row.preferred)
            preferred = index;
    }
    if (preferred >= 0)
        SetCheck(preferred, true, 0);
}

void AsioDeviceListCtrl::OnItemCheckChanged(int index, bool checked) {
    ListCtrl::OnItemCheckChanged(index, checked);
    SendMessageW(GetParent(Hwnd()), MSG_ASIO_CHECK_CHANGED,
                 checked ? static_cast<WPARAM>(ItemData(index)) : kNone, 0);
}

void AsioDeviceListCtrl::OnSelectionChanged() {
    const int selected = static_cast<int>(
        SendMessageW(Hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    SendMessageW(GetParent(Hwnd()), MSG_ASIO_SELECTION_CHANGED,
                 selected < 0 ? kNone : static_cast<WPARAM>(ItemData(selected)), 0);
}
