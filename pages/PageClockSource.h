#pragma once

#include "pages/PageT.h"

#include "controls/ClockSourceListCtrl.h"
#include "resources/dialogs/PageClockSource.h"

#include <cstdint>

struct ClockSourceInfo;

// The clock sources of the open device with their state; exactly the current one is
// checked, and checking another switches the device to it. While a source's validity is
// still settling, the page polls the driver once a second.
class PageClockSource : public PageT<PageClockSource> {
public:
    static constexpr UINT IDD = IDD_PAGE_CLOCK_SOURCE;
    static constexpr int kTitleLine = IDC_CLOCK_SOURCE_TITLE;
    static constexpr int kSourceList = IDC_CLOCK_SOURCE_LIST;
    static constexpr UINT_PTR kPollTimer = 1002;
    static constexpr UINT kPollPeriodMs = 1000;
    static constexpr ResizeRule kResizeRules[] = {
        {kTitleLine, kStretchX | kRepaint},
        {kSourceList, kStretchX | kStretchY | kRepaint},
    };

    explicit PageClockSource(PageHost& host);

    // The texts of a source's row: its name (or the common name with its unit id), its
    // validity and, while valid, its rate.
    static ClockSourceRow RowOf(const ClockSourceInfo& source);

    BEGIN_MSG_MAP(PageClockSource)
    MESSAGE_HANDLER(WM_TIMER, OnTimer)
    MESSAGE_HANDLER(MSG_CLOCK_SOURCE_CHECKED, OnClockSourceChecked)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    LIST_CTRL_NOTIFICATIONS(kSourceList, sources_)
    CHAIN_MSG_MAP(PageT<PageClockSource>)
    END_MSG_MAP()

private:
    void InitControls() override;
    // Every refresh request stops the poll first; the refresh restarts it while needed.
    void OnRefreshRequested() override { StopPolling(); }
    void RefreshContents(DeviceHandle device, const KorvelineApiDll& api) override;
    LRESULT OnDeactivate() override;

    void StartPolling();
    void StopPolling();
    void OnClockSourceChanged(std::uint32_t id);

    LRESULT OnTimer(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnClockSourceChecked(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool&);

    ClockSourceListCtrl sources_;
    // False while the page changes the list itself: those checks are not the user's.
    bool notificationsEnabled_ = true;
    bool polling_ = false;
};
