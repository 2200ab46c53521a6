// The list base on a list view of a dialog of this test that hands its list's
// notifications over as the pages do: check rules and their flags, item-data look-ups,
// long cell texts and the fit of the last column after a resize.
#include "controls/ListCtrl.h"
#include "framework/Dialog.h"
#include "tests/support/DialogTemplateBuilder.h"
#include "tests/support/ListViewProbe.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr WORD kListId = 100;
using Checks = std::vector<bool>;
using CheckChanges = std::vector<std::pair<int, bool>>;

class RecordingList : public ListCtrl {
public:
    using ListCtrl::AddColumns;
    using ListCtrl::AddExtendedStyle;
    CheckChanges changes;

private:
    void OnItemCheckChanged(int index, bool checked) override {
        changes.emplace_back(index, checked);
        ListCtrl::OnItemCheckChanged(index, checked);
    }
};

class ListDialog : public Dialog<ListDialog> {
public:
    BEGIN_MSG_MAP(ListDialog)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    LIST_CTRL_NOTIFICATIONS(kListId, list)
    END_MSG_MAP()

    RecordingList list;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, bool&) {
        list.Attach(GetDlgItem(Hwnd(), kListId));
        list.AddExtendedStyle(LVS_EX_CHECKBOXES);
        list.AddColumns({20, 60, 40});
        for (int row = 0; row < 3; ++row) {
            list.InsertRow(row, L"", ListCtrl::kInsertQuiet);
            list.SetItemData(row, static_cast<std::uint32_t>(row == 2 ? 0 : 10 + row));
        }
        return TRUE;
    }
};

class ListCtrlTest : public testing::Test {
protected:
    void SetUp() override {
        DialogTemplateBuilder builder(WS_POPUP | WS_VISIBLE, 200, 100);
        builder.AddControl(kListId, WC_LISTVIEWW,
                           WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_NOCOLUMNHEADER, 5,
                           5, 150, 80);
        tmpl_ = std::move(builder);
        ASSERT_NE(dialog.Create(nullptr, tmpl_->Get()), nullptr);
        list = GetDlgItem(dialog.Hwnd(), kListId);
        PumpPendingMessages();
    }
    void TearDown() override { DestroyWindow(dialog.Hwnd()); }

    ListDialog dialog;
    HWND list = nullptr;

private:
    std::optional<DialogTemplateBuilder> tmpl_;
};

TEST_F(ListCtrlTest, LockedChecksRefuseUserAndProgramUnlessTheChangeOverridesThem) {
    dialog.list.SetLockChecks(true);
    ClickCheckBox(list, 0, true);
    EXPECT_FALSE(dialog.list.SetCheck(1, true, 0));
    EXPECT_EQ(ListChecks(list), (Checks{false, false, false}));

    EXPECT_TRUE(dialog.list.SetCheck(1, true, ListCtrl::kCheckOverrideLock));
    ClickCheckBox(list, 1, false);
    EXPECT_EQ(ListChecks(list), (Checks{false, true, false})) << "the lock holds again";
    EXPECT_EQ(dialog.list.changes, (CheckChanges{{1, true}}));
}

TEST_F(ListCtrlTest, SingleCheckUnchecksTheOthersEachWithItsOwnChangeAndKeepsItsMark) {
    dialog.list.SetSingleCheck(true);
    dialog.list.SetCheck(0, true, ListCtrl::kCheckQuiet);
    EXPECT_TRUE(dialog.list.changes.empty()) << "a quiet change calls no hook";

    ClickCheckBox(list, 1, true);
    EXPECT_EQ(ListChecks(list), (Checks{false, true, false}));
    EXPECT_EQ(dialog.list.changes, (CheckChanges{{1, true}, {0, false}}));

    EXPECT_FALSE(dialog.list.SetCheck(1, false, 0));
    EXPECT_TRUE(dialog.list.SetCheck(1, false, ListCtrl::kCheckAllowUncheck));
    EXPECT_EQ(ListChecks(list), (Checks{false, false, false}));
}

TEST_F(ListCtrlTest, ItemDataZeroIsNeverFound) {
    dialog.list.SetSingleCheck(true);
    EXPECT_EQ(dialog.list.FindItemData(11), 1);
    EXPECT_EQ(dialog.list.FindItemData(0), -1) << "row 2 has item data 0";
    EXPECT_FALSE(dialog.list.CheckByData(0));
    EXPECT_EQ(ListChecks(list), (Checks{false, false, false}));
    EXPECT_TRUE(dialog.list.CheckByData(11));
    EXPECT_EQ(ListChecks(list), (Checks{false, true, false}));
    dialog.list.UncheckAll();
    EXPECT_EQ(ListChecks(list), (Checks{false, false, false})) << "under the single-check rule";
    EXPECT_EQ(dialog.list.changes, (CheckChanges{{1, true}})) << "the uncheck is quiet";
}

TEST_F(ListCtrlTest, CellTextsOfAnyLengthAreReadWholeAndWrittenOnlyWhenChanged) {
    for (const size_t length : {255u, 256u, 511u, 700u}) {
        const std::wstring text(length, L'x');
        ASSERT_TRUE(dialog.list.SetCellText(0, 1, text));
        EXPECT_EQ(dialog.list.GetCellText(0, 1), text) << length;
    }
    ListWriteCounter counter(list);
    EXPECT_EQ(dialog.list.UpdateCellText(0, 1, std::wstring(700, L'x')),
              ListCtrl::CellWrite::Unchanged);
    EXPECT_EQ(dialog.list.UpdateCellText(0, 1, L"new"), ListCtrl::CellWrite::Written);
    EXPECT_EQ(counter.CellWrites(), 1);
}

TEST_F(ListCtrlTest, TheLastColumnFillsTheListAgainAfterAResize) {
    const auto fills = [this] {
        RECT client{};
        GetClientRect(list, &client);
        int widths = 0;
        for (int column = 0; column < 3; ++column)
            widths += ListView_GetColumnWidth(list, column);
        return widths == client.right;
    };
    EXPECT_TRUE(fills());
    SetWindowPos(list, nullptr, 0, 0, 300, 120, SWP_NOMOVE | SWP_NOZORDER);
    PumpPendingMessages();
    EXPECT_TRUE(fills());
    SetWindowPos(list, nullptr, 0, 0, 160, 120, SWP_NOMOVE | SWP_NOZORDER);
    PumpPendingMessages();
    EXPECT_TRUE(fills());
}

} // namespace
