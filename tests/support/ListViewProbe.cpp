#include "tests/support/ListViewProbe.h"

#include <commctrl.h>

std::vector<std::vector<std::wstring>> ListRows(HWND list, int columns) {
    std::vector<std::vector<std::wstring>> rows;
    const int count = ListView_GetItemCount(list);
    for (int row = 0; row < count; ++row) {
        std::vector<std::wstring> cells;
        for (int column = 1; column < columns; ++column) {
            wchar_t text[1024] = {};
            ListView_GetItemText(list, row, column, text, 1024);
            cells.emplace_back(text);
        }
        rows.push_back(cells);
    }
    return rows;
}

std::vector<bool> ListChecks(HWND list) {
    std::vector<bool> checks;
    const int count = ListView_GetItemCount(list);
    for (int row = 0; row < count; ++row)
        checks.push_back(ListView_GetCheckState(list, row) != 0);
    return checks;
}

bool IsRowSelected(HWND list, int row) {
    return ListView_GetItemState(list, row, LVIS_SELECTED) != 0;
}

void ClickCheckBox(HWND list, int row, bool checked) {
    ListView_SetItemState(list, row, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
}

ListWriteCounter::ListWriteCounter(HWND list) : list_(list) {
    SetWindowSubclass(list_, Count, 1, reinterpret_cast<DWORD_PTR>(this));
}

ListWriteCounter::~ListWriteCounter() {
    if (IsWindow(list_))
        RemoveWindowSubclass(list_, Count, 1);
}

LRESULT CALLBACK ListWriteCounter::Count(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR refData) {
    auto* self = reinterpret_cast<ListWriteCounter*>(refData);
    if (message == LVM_SETITEMTEXTW)
        ++self->cellWrites_;
    if (message == WM_PAINT)
        ++self->paints_;
    return DefSubclassProc(hwnd, message, wParam, lParam);
}
