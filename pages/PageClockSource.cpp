#include "pages/PageClockSource.h"

#include "config/UiTextIds.h"
#include "driver/DriverBuffers.h"
#include "framework/ScopedFlag.h"

#include <algorithm>
#include <vector>

PageClockSource::PageClockSource(PageHost& host)
    : PageT(host, PAGE_CLOCK_SOURCE_TITLE), sources_(host.ScreenDpi()) {}

ClockSourceRow PageClockSource::RowOf(const ClockSourceInfo& source) {
    ClockSourceRow row;
    row.id = source.id;
    row.name = DriverString(source.name);
    if (row.name.empty()) {
        row.name = GetUiText(PAGE_CLOCK_SOURCE_TABLE_COLUMN_NAME_COMMON_NAME);
        SubstitutePlaceholder(row.name, L"${ClockSourceUnitId}", L"%u", source.unitId);
    }
    if (source.valid != 0) {
        row.validity = GetUiText(PAGE_CLOCK_SOURCE_TABLE_COLUMN_IS_VALID_TEXT_IF_TRUE);
        row.sampleRate = GetUiText(PAGE_CLOCK_SOURCE_TABLE_COLUMN_SAMPLE_RATE_UNIT);
        SubstitutePlaceholder(row.sampleRate, L"${SampleRate}", L"%u", source.sampleRate);
    } else {
        row.validity = GetUiText(PAGE_CLOCK_SOURCE_TABLE_COLUMN_IS_VALID_TEXT_IF_FALSE);
    }
    return row;
}

void PageClockSource::InitControls() {
    sources_.Attach(Control(kSourceList));
}

void PageClockSource::RefreshContents(DeviceHandle device, const KorvelineApiDll& api) {
    CountedArray<ClockSourceInfo, kMaxClockSources> supported;
    if (device == 0 ||
        CallEntryPoint(api.KORVELINE_GetSupportedClockSources, device, supported.Capacity(),
                       supported.Data(), supported.CountOut()) != 0) {
        sources_.ClearItems();
        return;
    }
    const auto sources = supported.Delivered();
    {
        const ScopedFlag quiet(notificationsEnabled_, false);
        if (std::any_of(sources.begin(), sources.end(), [](const ClockSourceInfo& source) {
                return (source.flags & kClockSourceFlagValiditySettled) == 0;
            }))
            StartPolling();
        std::vector<ClockSourceRow> rows;
        rows.reserve(sources.size());
        for (const ClockSourceInfo& source : sources)
            rows.push_back(RowOf(source));
        sources_.ShowClockSources(rows);
    }
    ClockSourceInfo current{};
    const StatusCode status = CallEntryPoint(api.KORVELINE_GetCurrentClockSource, device, &current);
    {
        const ScopedFlag quiet(notificationsEnabled_, false);
        // A current source that cannot be read or has no row leaves no row checked: the
        // previous mark would name a source the device may no longer run on.
        if (status != 0 || !sources_.CheckByData(current.id))
            sources_.UncheckAll();
    }
    sources_.AutoSizeLastColumn();
}

void PageClockSource::StartPolling() {
    polling_ = SetTimer(Hwnd(), kPollTimer, kPollPeriodMs, nullptr) != 0;
}

void PageClockSource::StopPolling() {
    if (polling_)
        KillTimer(Hwnd(), kPollTimer);
    polling_ = false;
}

LRESULT PageClockSource::OnDeactivate() {
    StopPolling();
    return PageT::OnDeactivate();
}

void PageClockSource::OnClockSourceChanged(std::uint32_t id) {
    WriteBack(id, L"OnClockSourceChanged", L"KORVELINE_SetCurrentClockSource",
              Host().Api().KORVELINE_SetCurrentClockSource);
}

LRESULT PageClockSource::OnTimer(UINT, WPARAM wParam, LPARAM, bool& handled) {
    if (wParam != kPollTimer) {
        handled = false;
        return 0;
    }
    Refresh(false);
    return 0;
}

LRESULT PageClockSource::OnClockSourceChecked(UINT, WPARAM wParam, LPARAM, bool&) {
    // Whether the check is the user's is known now; the switch, its report and the
    // refresh wait until the list has left its notification.
    if (notificationsEnabled_)
        RunAfterThisMessage(
            [this, id = static_cast<std::uint32_t>(wParam)] { OnClockSourceChanged(id); });
    return 0;
}

LRESULT PageClockSource::OnDestroy(UINT, WPARAM, LPARAM, bool& handled) {
    StopPolling();
    handled = false;
    return 0;
}
