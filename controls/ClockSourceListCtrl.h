#pragma once

#include "controls/ListCtrl.h"

#include <cstdint>
#include <span>
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

    void ClearItems() override;
    // Row i shows rows[i]. While the list holds rows of the same ids in the same order,
    // they keep their item data and check mark and only cells whose text changed are
    // written; otherwise the rows are built anew. The texts are compared with those the
    // rows were last given, so unchanged rows cost the list no message, and each column
    // that got a new text is fitted once, after all rows: a poll tick grows with the
    // changes, hardly with the number of rows.
    void ShowClockSources(std::span<const ClockSourceRow> rows);

protected:
    void OnItemCheckChanged(int index, bool checked) override;
    // A row of id 0 names no source the driver could switch to.
    bool RefusesCheck(int index) const override { return ItemData(index) == 0; }

private:
    bool ShowsIds(std::span<const ClockSourceRow> rows) const;
    // Appends a row of the id with no texts yet; false when the list refused it.
    bool AppendRow(std::uint32_t id);

    UINT screenDpi_;
    std::vector<ClockSourceRow> shown_; // what each row shows, in row order
};
