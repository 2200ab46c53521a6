#pragma once

#include "controls/ListCtrl.h"

#include <cstdint>
#include <string>
#include <vector>

// What one clock source row shows; the page computes the texts from the driver's record.
struct ClockSourceRow {
    std::uint32_t id = 0; // the row's item data; 0 is never reported
    std::wstring name;
    std::wstring validity;
    std::wstring sampleRate;
};

// The clock source list: a check box column and name, validity and rate columns, exactly
// one row checked, no selection. Checking a row reports its source to the page with
// MSG_CLOCK_SOURCE_CHECKED (wParam: the source id).
class ClockSourceListCtrl : public ListCtrl {
public:
    // `screenDpi` scales the check box column.
    explicit ClockSourceListCtrl(UINT screenDpi) : screenDpi_(screenDpi) {}

    bool Attach(HWND list) override;

    // Appends a row for the source; false when the list refused it.
    bool AddClockSource(const ClockSourceRow& row);
    void ClearItems() override;
    // Rewrites the cells of row `index` whose text changed; the row keeps its item data
    // and its check mark. The texts are compared with those the row was last given, so
    // an unchanged row costs no message to the list: a poll tick grows with the changes,
    // hardly with the number of rows.
    void UpdateClockSourceRow(int index, const ClockSourceRow& row);

protected:
    void OnItemCheckChanged(int index, bool checked) override;
    // A row of id 0 names no source the driver could switch to.
    bool RefusesCheck(int index) const override { return ItemData(index) == 0; }

private:
    UINT screenDpi_;
    std::vector<ClockSourceRow> shown_; // what each row shows, in row order
};
