#pragma once

#include "controls/ListCtrl.h"

#include <span>
#include <string>

// What one ASIO device row shows; the page computes the texts from the driver's records.
struct AsioDeviceRow {
    std::wstring product;
    std::wstring serialNumber;
    std::wstring current; // the current-device mark or its empty counterpart
    std::wstring inUse;
    bool preferred = false; // the one checked row (the last preferred one)
};

// The ASIO device list: a check box column, product, serial number, current and in-use
// marks, one row selected at a time. Each row's item data is its position in the rows the
// page handed over (0 included). Check changes go to the page as MSG_ASIO_CHECK_CHANGED
// (wParam: the row's item data, or -1 when unchecked), selection changes as
// MSG_ASIO_SELECTION_CHANGED (the selected row's item data, or -1 with none).
class AsioDeviceListCtrl : public ListCtrl {
public:
    // `screenDpi` scales the check box column.
    explicit AsioDeviceListCtrl(UINT screenDpi) : screenDpi_(screenDpi) {}

    bool Attach(HWND list) override;

    // Keeps the rows while their number is unchanged and rewrites only changed cells;
    // then checks the preferred row alone.
    void SetRows(std::span<const AsioDeviceRow> rows);

protected:
    void OnItemCheckChanged(int index, bool checked) override;
    void OnSelectionChanged() override;

private:
    UINT screenDpi_;
};
