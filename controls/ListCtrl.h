#pragma once

#include "controls/ListControlMessages.h"
#include "framework/MessageMap.h"
#include "framework/SubclassedWindow.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <initializer_list>
#include <string>

// The base of the program's lists: a report-style list view of a page layout, taken over
// by Attach. It adds check boxes under a single-choice rule, the refusal of unwanted check
// and selection changes, hooks that turn check and selection changes into calls of the
// derived class, cell writes that skip unchanged text, and column fitting.
//
// The list view tells its parent, not itself, about item changes: the owning page hands
// its list's notifications to HandleNotification (LIST_CTRL_NOTIFICATIONS in the page's
// message map) and returns the answer, so a refused change keeps the old state.
//
// An item data of 0 counts as no item data: the look-ups never match it.
class ListCtrl : public SubclassedWindow {
public:
    // Flags of InsertRow.
    static constexpr unsigned kInsertQuiet = 2; // no check notification during the insertion
    // Flags of SetCheck; each holds for this one change.
    static constexpr unsigned kCheckOverrideLock = 1; // passes the lock-checks flag
    static constexpr unsigned kCheckQuiet = 2;        // no check notification
    static constexpr unsigned kCheckAllowUncheck = 4; // an uncheck under the single-check rule

    ListCtrl() = default;
    ~ListCtrl() override = default;

    // Takes over the list window's messages; false when that fails.
    virtual bool Attach(HWND list);
    // Removes every row and fits the last column to the emptied list.
    virtual void ClearItems();
    // Deselects the others when exclusive (or the list allows one selected item only);
    // then, for a row index, makes it the selection mark, selects it and, when asked,
    // gives it the focus.
    virtual void SelectItem(int index, bool exclusive, bool focus);

    // The new item's index, or -1 when the list refused it.
    int InsertRow(int position, const std::wstring& text, unsigned flags);
    // True when the row shows the requested state afterwards.
    bool SetCheck(int index, bool checked, unsigned flags);
    bool IsChecked(int index) const;
    // Checks the first row with this item data (no flags); false when no row has it.
    bool CheckByData(std::uint32_t key);
    // Leaves no row checked, also under the single-check rule; no check notifications.
    void UncheckAll();
    // The first row with this non-zero item data; -1 when none has it.
    int FindItemData(std::uint32_t key) const;
    bool SetItemData(int index, std::uint32_t data);
    std::uint32_t ItemData(int index) const;
    int ItemCount() const;

    std::wstring GetCellText(int row, int column) const;
    enum class CellWrite { Unchanged, Written, Failed };
    // Writes the cell only when its text differs, so an unchanged cell is not repainted.
    CellWrite UpdateCellText(int row, int column, const std::wstring& text);
    bool SetCellText(int row, int column, const std::wstring& text);

    void AutoSizeColumn(int column);
    // Makes the last column fill the rest of the list's width (when it has columns).
    void AutoSizeLastColumn();

    // The owning page's notifications of this list. Returns whether it was one of them;
    // `result` is then the page's answer (for item changing: TRUE refuses the change).
    bool HandleNotification(const NMHDR& header, LRESULT& result);
    // Whether to refuse the change.
    bool OnItemChanging(const NMLISTVIEW& change);
    void OnItemChanged(const NMLISTVIEW& change);

    void SetLockColumns(bool on) { lockColumns_ = on; }
    void SetLockChecks(bool on) { lockChecks_ = on; }
    void SetSingleCheck(bool on) { singleCheck_ = on; }
    void SetRefuseSelection(bool on) { refuseSelection_ = on; }

    BEGIN_MSG_MAP(ListCtrl)
    MESSAGE_HANDLER(WM_SIZE, OnSize)
    MESSAGE_CALL(MSG_FIT_LAST_COLUMN, AutoSizeLastColumn())
    MESSAGE_HANDLER(WM_VSCROLL, OnVScroll)
    MESSAGE_HANDLER(WM_SETFOCUS, OnSetFocus)
    MESSAGE_HANDLER(MSG_FOCUS_ITEM, OnFocusItem)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    MESSAGE_HANDLER(WM_NOTIFY, OnHeaderNotify)
    END_MSG_MAP()

protected:
    // A check box changed (notifications on, a real row). Under the single-check rule a
    // newly checked row unchecks all others.
    virtual void OnItemCheckChanged(int index, bool checked);
    virtual void OnSelectionChanged() {}
    // Whether a row may not be checked at all, whoever asks (a row without meaning).
    virtual bool RefusesCheck(int) const { return false; }

    // Adds left-aligned columns without header texts, then fits the last one.
    void AddColumns(std::initializer_list<int> widths);
    // Adds extended list styles (grid lines, check boxes, full-row selection).
    void AddExtendedStyle(DWORD style);

private:
    LRESULT OnSize(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnVScroll(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnSetFocus(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnFocusItem(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnHeaderNotify(UINT, WPARAM, LPARAM, bool&);

    int ColumnCount() const;

    bool lockColumns_ = false;
    bool lockChecks_ = false;
    bool singleCheck_ = false;
    bool allowUncheck_ = false;
    bool refuseSelection_ = false;
    bool checkNotifications_ = true;
};

// In a page's message map: hands the item changing, item changed and custom draw
// notifications of list `id` to `list` and answers with its result.
#define LIST_CTRL_NOTIFICATIONS(id, list)                                                          \
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->idFrom == (id) &&                \
        (list).HandleNotification(*reinterpret_cast<NMHDR*>(lParam), result))                      \
        return true;
