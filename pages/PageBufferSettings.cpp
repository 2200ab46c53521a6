#include "pages/PageBufferSettings.h"

#include "config/UiTextIds.h"
#include "driver/DriverBuffers.h"
#include "pages/AsioLatency.h"
#include "pages/ComboBoxItems.h"

#include <algorithm>

namespace {

constexpr int kStatusLines[] = {
    PageBufferSettings::kSampleRateLine, PageBufferSettings::kInputLatencyLine,
    PageBufferSettings::kOutputLatencyLine, PageBufferSettings::kStateLine};

// A latency line: the samples and the milliseconds with two decimals.
std::wstring LatencyLine(const UiTextHandle& text, std::uint32_t samples, std::uint32_t sampleRate,
                         std::wstring_view samplesName, std::wstring_view wholeName,
                         std::wstring_view fractionName) {
    const LatencyMilliseconds latency = LatencyFromSamples(samples, sampleRate);
    return SubstitutePlaceholders(GetUiText(text),
                                  {{samplesName, FormatNumbers(L"%u", samples)},
                                   {wholeName, FormatNumbers(L"%u", latency.whole)},
                                   {fractionName, FormatNumbers(L"%02u", latency.hundredths)}});
}

} // namespace

PageBufferSettings::PageBufferSettings(PageHost& host) : PageT(host, PAGE_BUFFER_SETTINGS_TITLE) {}

void PageBufferSettings::InitControls() {
    instances_.Attach(Control(kInstanceSelector));
    sizes_ = Control(kBufferSizeSelector);
    safeMode_ = Control(kSafeMode);
    ShowWindow(safeMode_, Host().Settings().bufferSettingsDisplaySafeMode ? SW_SHOW : SW_HIDE);

    if (instances_.FillInstances(Host().Api(), Host().OpenedDevice()) != 0)
        ClearAsioStatus();
    selectorShown_ = instances_.HasChoice();
    if (!selectorShown_)
        HideAndMoveUp({kInstanceLabel, kInstanceSelector},
                      {kBufferGroup, kBufferSizeSelector, kSafeMode, kStatusGroup, kSampleRateLine,
                       kInputLatencyLine, kOutputLatencyLine, kStateLine});

    ShowChosenInstance();
}

void PageBufferSettings::RefreshContents(DeviceHandle, const KorvelineApiDll&) {
    SetControlsEnabled(UpdateAsioStatus() == 0);
}

void PageBufferSettings::ShowChosenInstance() {
    SetControlsEnabled(false);
    currentInstance_ = instances_.CurrentInstance(selectorShown_);
    if (UpdateAsioStatus() == 0)
        SetControlsEnabled(true);
}

StatusCode PageBufferSettings::UpdateAsioStatus() {
    info_ = {};
    const StatusCode status = CallEntryPoint(Host().Api().KORVELINE_GetASIOInstanceInfo,
                                             static_cast<std::uint32_t>(currentInstance_), &info_);
    if (status != 0) {
        ClearAsioStatus();
        return status;
    }
    ShowBufferSizes();
    // A hidden box follows the driver too, so that a size change sends the bit back as it is.
    SendMessageW(safeMode_, BM_SETCHECK,
                 (info_.options & kAsioOptionSafeMode) ? BST_CHECKED : BST_UNCHECKED, 0);
    ShowStatusLines();
    return 0;
}

void PageBufferSettings::ShowBufferSizes() {
    const std::span<const std::uint32_t> offered = SelectableBufferSizes(info_);
    const int count = combo_box::Count(sizes_);
    bool same = count == static_cast<int>(offered.size());
    for (int index = 0; same && index < count; ++index) {
        const auto size = combo_box::ItemData(sizes_, index);
        same = size && std::find(offered.begin(), offered.end(), *size) != offered.end();
    }
    if (!same) {
        const std::wstring unit =
            GetUiText(PAGE_BUFFER_SETTINGS_SECTION_ASIO_BUFFER_SELECTION_UNIT);
        std::vector<combo_box::Entry> entries;
        for (const std::uint32_t size : offered)
            entries.push_back({FormatNumbers(L"%u ", size) + unit, size});
        combo_box::Fill(sizes_, entries);
    }
    combo_box::SelectItemData(sizes_, info_.preferredBufferSize);
    EnableWindow(sizes_, offered.size() > 1 ? TRUE : FALSE);
}

void PageBufferSettings::ShowStatusLines() {
    if (info_.sampleRate == 0) {
        SetDlgItemTextW(Hwnd(), kSampleRateLine,
                        GetUiText(PAGE_BUFFER_SETTINGS__SECTION_NO_VALID_SAMPLE_RATE).c_str());
        for (const int line : {kInputLatencyLine, kOutputLatencyLine, kStateLine})
            SetDlgItemTextW(Hwnd(), line, L"");
        return;
    }
    const std::wstring rate = SubstitutePlaceholders(
        GetUiText(PAGE_BUFFER_SETTINGS_SECTION_ASIO_STATUS_CURRENT_SAMPLE_RATE),
        {{L"${SampleRate}", FormatNumbers(L"%u", info_.sampleRate)}});
    const std::wstring input = LatencyLine(
        PAGE_BUFFER_SETTINGS_SECTION_ASIO_INPUT_LATENCY, info_.inputLatency, info_.sampleRate,
        L"${InLatencySamples}", L"${InLatencyMillisecs}", L"${InLatencyMillisecsFrac}");
    const std::wstring output = LatencyLine(
        PAGE_BUFFER_SETTINGS_SECTION_ASIO_OUTPUT_LATENCY, info_.outputLatency, info_.sampleRate,
        L"${OutLatencySamples}", L"${OutLatencyMillisecs}", L"${OutLatencyMillisecsFrac}");
    const UiTextHandle& state = info_.inUse == 0
                                    ? PAGE_BUFFER_SETTINGS_SECTION_ASIO_STATUS_STATE_NOT_ACTIVE
                                : (info_.streamFlags & kAsioStreamFlagDsd)
                                    ? PAGE_BUFFER_SETTINGS_SECTION_ASIO_STATUS_STATE_ACTIVE_DSD
                                    : PAGE_BUFFER_SETTINGS_SECTION_ASIO_STATUS_STATE_ACTIVE_PCM;
    SetDlgItemTextW(Hwnd(), kSampleRateLine, rate.c_str());
    SetDlgItemTextW(Hwnd(), kInputLatencyLine, input.c_str());
    SetDlgItemTextW(Hwnd(), kOutputLatencyLine, output.c_str());
    SetDlgItemTextW(Hwnd(), kStateLine, GetUiText(state).c_str());
}

void PageBufferSettings::ClearAsioStatus() {
    combo_box::Clear(sizes_);
    for (const int line : kStatusLines)
        SetDlgItemTextW(Hwnd(), line, L"");
}

void PageBufferSettings::ApplyBufferSettings() {
    if (const auto size = combo_box::SelectedItemData(sizes_)) {
        const bool safeMode = SendMessageW(safeMode_, BM_GETCHECK, 0, 0) == BST_CHECKED;
        const std::uint32_t options = safeMode ? (info_.options | kAsioOptionSafeMode)
                                               : (info_.options & ~kAsioOptionSafeMode);
        CallEntryPoint(Host().Api().KORVELINE_SetASIOBufferPreferredSize,
                       static_cast<std::uint32_t>(currentInstance_), info_.bufferSizeCookie, *size,
                       options);
    }
    Refresh(false);
}

void PageBufferSettings::SetControlsEnabled(bool enable) {
    const bool locked = Host().Settings().bufferSettingsDisableIfInUse && info_.inUse != 0;
    const bool effective = enable && !locked;
    for (const int id : {kBufferGroup, kStatusGroup, kSampleRateLine, kInputLatencyLine,
                         kOutputLatencyLine, kStateLine})
        EnableWindow(Control(id), enable ? TRUE : FALSE);
    EnableWindow(sizes_, effective && combo_box::Count(sizes_) > 1 ? TRUE : FALSE);
    EnableWindow(safeMode_, effective ? TRUE : FALSE);
}
