#include "controls/PropertyListCtrl.h"

#include <algorithm>

bool PropertyListCtrl::Attach(HWND list, bool showNames) {
    if (!ListCtrl::Attach(list))
        return false;
    SetLockColumns(true);
    SetRefuseSelection(true);
    showNames_ = showNames;
    AddExtendedStyle(LVS_EX_GRIDLINES);
    AddColumns({0, showNames ? 50 : 0, 50});
    return true;
}

void PropertyListCtrl::AddRow(std::uint32_t id, const std::wstring& name) {
    const int index = InsertRow(ItemCount(), L"", kInsertQuiet);
    if (index < 0 || !SetItemData(index, id))
        return;
    if (showNames_) {
        SetCellText(index, kNameColumn, name);
        AutoSizeColumn(kNameColumn);
    }
    AutoSizeLastColumn();
}

void PropertyListCtrl::ShowValues(std::span<const PropertyValue> values) {
    const int count = ItemCount();
    for (int index = 0; index < count; ++index) {
        const std::uint32_t id = ItemData(index);
        const auto value = std::find_if(values.begin(), values.end(), [id](const auto& value) {
            return id != 0 && value.id == id;
        });
        UpdateCellText(index, kValueColumn, value != values.end() ? value->text : L"");
    }
    AutoSizeLastColumn();
}
