#include "pages/PageSampleRate.h"

#include "config/UiTextIds.h"
#include "driver/DriverBuffers.h"
#include "pages/ComboBoxItems.h"

#include <vector>

PageSampleRate::PageSampleRate(PageHost& host) : PageT(host, PAGE_SAMPLE_RATE_TITLE) {}

void PageSampleRate::InitControls() {
    rates_ = Control(kRateSelector);
    // Without a device the page stays empty for its whole life.
    if (Host().OpenedDevice() == 0)
        return;
    ShowWindow(Control(kGroup), SW_SHOW);
    ShowWindow(rates_, SW_SHOW);
}

void PageSampleRate::RefreshContents(DeviceHandle device, const KorvelineApiDll& api) {
    combo_box::Clear(rates_);
    CountedArray<std::uint32_t, kMaxSampleRates> rates;
    if (device == 0 || CallEntryPoint(api.KORVELINE_GetSupportedSampleRates, device,
                                      rates.Capacity(), rates.Data(), rates.CountOut()) != 0)
        return;

    const std::wstring description = GetUiText(PAGE_SAMPLE_RATE_DESCRIPTION);
    std::vector<combo_box::Entry> entries;
    for (const std::uint32_t rate : rates.Delivered()) {
        std::wstring text = description;
        SubstitutePlaceholder(text, L"${SampleRate}", L"%u", rate);
        entries.push_back({std::move(text), rate});
    }
    combo_box::FillWithCurrent(rates_, entries, [&](std::uint32_t& current) {
        return CallEntryPoint(api.KORVELINE_GetCurrentSampleRate, device, &current);
    });
}

void PageSampleRate::SaveSelectedSampleRate() {
    WriteBack(combo_box::SelectedItemData(rates_), L"SaveSelectedSampleRate",
              L"KORVELINE_SetSampleRate", Host().Api().KORVELINE_SetSampleRate);
}
