#include "controls/ListCtrl.h"

#include "framework/ScopedFlag.h"

#include <algorithm>
#include <vector>

namespace {

constexpr UINT kUncheckedImage = 1;
constexpr UINT kCheckedImage = 2;

UINT StateImage(UINT state) {
    return (state & LVIS_STATEIMAGEMASK) >> 12;
}

bool CheckChanged(const NMLISTVIEW& change) {
    return (change.uChanged & LVIF_STATE) != 0 &&
           StateImage(change.uNewState) != StateImage(change.uOldState);
}

// Every state image but the unchecked one counts as checked.
bool IsCheckedState(UINT state) {
    return StateImage(state) != kUncheckedImage;
}

} // namespace

bool ListCtrl::Attach(HWND list) {
    return Subclass(list);
}

void ListCtrl::ClearItems() {
    if (Hwnd() == nullptr)
        return;
    SendMessageW(Hwnd(), LVM_DELETEALLITEMS, 0, 0);
    AutoSizeLastColumn();
}

void ListCtrl::SelectItem(int index, bool exclusive, bool focus) {
    const bool singleSelection = (GetWindowLongW(Hwnd(), GWL_STYLE) & LVS_SINGLESEL) != 0;
    if (exclusive || singleSelection) {
        int other = -1;
        while ((other = static_cast<int>(
                    SendMessageW(Hwnd(), LVM_GETNEXTITEM, other, LVNI_SELECTED))) >= 0) {
            if (other != index)
                ListView_SetItemState(Hwnd(), other, 0, LVIS_SELECTED);
        }
    }
    if (index < 0)
        return;
    SendMessageW(Hwnd(), LVM_SETSELECTIONMARK, 0, index);
    if (ListView_GetItemState(Hwnd(), index, LVIS_SELECTED) == 0)
        ListView_SetItemState(Hwnd(), index, LVIS_SELECTED, LVIS_SELECTED);
    if (focus && ListView_GetItemState(Hwnd(), index, LVIS_FOCUSED) == 0)
        ListView_SetItemState(Hwnd(), index, LVIS_FOCUSED, LVIS_FOCUSED);
}

int ListCtrl::InsertRow(int position, const std::wstring& text, unsigned flags) {
    ScopedFlag notifications(checkNotifications_,
                             (flags & kInsertQuiet) ? false : checkNotifications_);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = position;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    return static_cast<int>(
        SendMessageW(Hwnd(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

bool ListCtrl::SetCheck(int index, bool checked, unsigned flags) {
    ScopedFlag lock(lockChecks_, (flags & kCheckOverrideLock) ? false : lockChecks_);
    ScopedFlag notifications(checkNotifications_,
                             (flags & kCheckQuiet) ? false : checkNotifications_);
    ScopedFlag allowUncheck(allowUncheck_, (flags & kCheckAllowUncheck) ? true : allowUncheck_);
    ListView_SetItemState(Hwnd(), index,
                          INDEXTOSTATEIMAGEMASK(checked ? kCheckedImage : kUncheckedImage),
                          LVIS_STATEIMAGEMASK);
    return index >= 0 && index < ItemCount() && IsChecked(index) == checked;
}

bool ListCtrl::IsChecked(int index) const {
    return IsCheckedState(ListView_GetItemState(Hwnd(), index, LVIS_STATEIMAGEMASK));
}

int ListCtrl::FindItemData(std::uint32_t key) const {
    if (key == 0)
        return -1;
    const int count = ItemCount();
    for (int index = 0; index < count; ++index) {
        if (ItemData(index) == key)
            return index;
    }
    return -1;
}

// A row that is checked already is left alone: the refresh that re-checks the current
// row then writes nothing to the list.
bool ListCtrl::CheckByData(std::uint32_t key) {
    const int index = FindItemData(key);
    if (index >= 0 && !IsChecked(index))
        SetCheck(index, true, 0);
    return index >= 0;
}

void ListCtrl::UncheckAll() {
    const int count = ItemCount();
    for (int index = 0; index < count; ++index) {
        if (IsChecked(index))
            SetCheck(index, false, kCheckAllowUncheck | kCheckQuiet);
    }
}

bool ListCtrl::SetItemData(int index, std::uint32_t data) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    item.lParam = static_cast<LPARAM>(data);
    return SendMessageW(Hwnd(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)) != FALSE;
}

std::uint32_t ListCtrl::ItemData(int index) const {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    if (!SendMessageW(Hwnd(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return 0;
    return static_cast<std::uint32_t>(item.lParam);
}

int ListCtrl::ItemCount() const {
    return Hwnd() ? static_cast<int>(SendMessageW(Hwnd(), LVM_GETITEMCOUNT, 0, 0)) : 0;
}

// The list copies at most the buffer's size less one; a text that fills the buffer may
// have been cut, so the buffer doubles until the text leaves room.
std::wstring ListCtrl::GetCellText(int row, int column) const {
    std::vector<wchar_t> buffer(256);
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const auto length = static_cast<std::size_t>(
            SendMessageW(Hwnd(), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < buffer.size() || buffer.size() >= 0x100000)
            return std::wstring(buffer.data(), std::min(length, buffer.size() - 1));
        buffer.assign(buffer.size() * 2, L'\0');
    }
}

bool ListCtrl::SetCellText(int row, int column, const std::wstring& text) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    return SendMessageW(Hwnd(), LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)) != FALSE;
}

ListCtrl::CellWrite ListCtrl::UpdateCellText(int row, int column, const std::wstring& text) {
    if (GetCellText(row, column) == text)
        return CellWrite::Unchanged;
    return SetCellText(row, column, text) ? CellWrite::Written : CellWrite::Failed;
}

int ListCtrl::ColumnCount() const {
    const HWND header = reinterpret_cast<HWND>(SendMessageW(Hwnd(), LVM_GETHEADER, 0, 0));
    return header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

void ListCtrl::AutoSizeColumn(int column) {
    SendMessageW(Hwnd(), LVM_SETCOLUMNWIDTH, column, LVSCW_AUTOSIZE);
}

// The width is set only when it changes, so a refresh that fits again repaints nothing.
void ListCtrl::AutoSizeLastColumn() {
    const int columns = ColumnCount();
    if (columns <= 0)
        return;
    RECT client{};
    GetClientRect(Hwnd(), &client);
    int others = 0;
    for (int column = 0; column + 1 < columns; ++column)
        others += static_cast<int>(SendMessageW(Hwnd(), LVM_GETCOLUMNWIDTH, column, 0));
    const int width = std::max(0, static_cast<int>(client.right - client.left) - others);
    const int last = columns - 1;
    if (SendMessageW(Hwnd(), LVM_GETCOLUMNWIDTH, last, 0) != width)
        SendMessageW(Hwnd(), LVM_SETCOLUMNWIDTH, last, MAKELPARAM(width, 0));
}

void ListCtrl::AddColumns(std::initializer_list<int> widths) {
    for (const int width : widths) {
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        column.fmt = LVCFMT_LEFT;
        column.cx = width;
        column.pszText = const_cast<wchar_t*>(L"");
        SendMessageW(Hwnd(), LVM_INSERTCOLUMNW, ColumnCount(), reinterpret_cast<LPARAM>(&column));
    }
    AutoSizeLastColumn();
}

void ListCtrl::AddExtendedStyle(DWORD style) {
    SendMessageW(Hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, style, style);
}

bool ListCtrl::HandleNotification(const NMHDR& header, LRESULT& result) {
    if (Hwnd() == nullptr || header.hwndFrom != Hwnd())
        return false;
    switch (header.code) {
    case LVN_ITEMCHANGING:
        result = OnItemChanging(reinterpret_cast<const NMLISTVIEW&>(header)) ? TRUE : FALSE;
        return true;
    case LVN_ITEMCHANGED:
        OnItemChanged(reinterpret_cast<const NMLISTVIEW&>(header));
        result = 0;
        return true;
    case NM_CUSTOMDRAW:
        result = CDRF_DODEFAULT;
        return true;
    default:
        return false;
    }
}

bool ListCtrl::OnItemChanging(const NMLISTVIEW& change) {
    if ((change.uChanged & LVIF_STATE) == 0)
        return false;
    if (CheckChanged(change)) {
        if (lockChecks_)
            return true;
        if (IsCheckedState(change.uNewState) && RefusesCheck(change.iItem))
            return true;
        return singleCheck_ && !IsCheckedState(change.uNewState) && !allowUncheck_;
    }
    if (!refuseSelection_ || (change.uNewState & LVIS_SELECTED) == 0)
        return false;
    // Keyboard moves ask for selection and focus in one change; the focus still moves,
    // so Space reaches the row the user went to.
    if ((change.uNewState & LVIS_FOCUSED) != 0 && (change.uOldState & LVIS_FOCUSED) == 0)
        PostMessageW(Hwnd(), MSG_FOCUS_ITEM, static_cast<WPARAM>(change.iItem), 0);
    return true;
}

void ListCtrl::OnItemChanged(const NMLISTVIEW& change) {
    if (CheckChanged(change) && checkNotifications_ && change.iItem >= 0)
        OnItemCheckChanged(change.iItem, IsCheckedState(change.uNewState));
    if ((change.uChanged & LVIF_STATE) != 0 &&
        ((change.uNewState ^ change.uOldState) & LVIS_SELECTED) != 0)
        OnSelectionChanged();
}

void ListCtrl::OnItemCheckChanged(int index, bool checked) {
    if (!singleCheck_ || !checked)
        return;
    const int count = ItemCount();
    for (int other = 0; other < count; ++other) {
        if (other != index && IsChecked(other))
            SetCheck(other, false, kCheckAllowUncheck);
    }
}

// The fit waits until the resize is complete, when the list's client width is final.
LRESULT ListCtrl::OnSize(UINT, WPARAM, LPARAM, bool& handled) {
    PostMessageW(Hwnd(), MSG_FIT_LAST_COLUMN, 0, 0);
    handled = false;
    return 0;
}

// Scrolling moves the painted grid lines with the rows; one repaint keeps them clean.
LRESULT ListCtrl::OnVScroll(UINT message, WPARAM wParam, LPARAM lParam, bool&) {
    const LRESULT result = DefaultProcessing(message, wParam, lParam);
    InvalidateRect(Hwnd(), nullptr, TRUE);
    UpdateWindow(Hwnd());
    return result;
}

// Tabbing into a list without a focused row focuses the checked one (or the first), so
// Space and the arrow keys act at once.
LRESULT ListCtrl::OnSetFocus(UINT message, WPARAM wParam, LPARAM lParam, bool&) {
    const LRESULT result = DefaultProcessing(message, wParam, lParam);
    const int count = ItemCount();
    if (count > 0 &&
        SendMessageW(Hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED) < 0) {
        int row = 0;
        while (row < count && !IsChecked(row))
            ++row;
        ListView_SetItemState(Hwnd(), row < count ? row : 0, LVIS_FOCUSED, LVIS_FOCUSED);
    }
    return result;
}

LRESULT ListCtrl::OnFocusItem(UINT, WPARAM wParam, LPARAM, bool&) {
    const int row = static_cast<int>(wParam);
    if (row >= 0 && row < ItemCount()) {
        ListView_SetItemState(Hwnd(), row, LVIS_FOCUSED, LVIS_FOCUSED);
        SendMessageW(Hwnd(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    }
    return 0;
}

LRESULT ListCtrl::OnDestroy(UINT, WPARAM, LPARAM, bool& handled) {
    ClearItems();
    handled = false;
    return 0;
}

// The header asks its parent, the list, before a column border is dragged.
LRESULT ListCtrl::OnHeaderNotify(UINT, WPARAM, LPARAM lParam, bool& handled) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    const bool beginTrack = header->code == HDN_BEGINTRACKW || header->code == HDN_BEGINTRACKA;
    if (!beginTrack || !lockColumns_) {
        handled = false;
        return 0;
    }
    return TRUE;
}
