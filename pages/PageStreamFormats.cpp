#include "pages/PageStreamFormats.h"

#include "config/UiTextIds.h"
#include "driver/DriverBuffers.h"
#include "pages/ComboBoxItems.h"

#include <vector>

namespace {

using StreamFormatList = CountedArray<StreamFormatInfo, kMaxStreamFormats>;

// A partial list (more formats than asked for) is shown as delivered.
StatusCode ReadStreamFormats(const KorvelineApiDll& api, DeviceHandle device,
                             std::uint32_t direction, StreamFormatList& formats) {
    const StatusCode status =
        CallEntryPoint(api.KORVELINE_GetSupportedStreamFormats, device, direction,
                       formats.Capacity(), formats.Data(), formats.CountOut());
    return status == kStatusPartialStreamFormatList ? 0 : status;
}

bool HasStreamFormats(const KorvelineApiDll& api, DeviceHandle device, std::uint32_t direction) {
    StreamFormatList formats;
    return ReadStreamFormats(api, device, direction, formats) == 0 && !formats.Delivered().empty();
}

std::wstring EntryText(const std::wstring& description, const StreamFormatInfo& format) {
    std::wstring text = SubstitutePlaceholders(
        description, {{L"${NumberOfChannels}", FormatNumbers(L"%u", format.channelCount)},
                      {L"${BitsPerSample}", FormatNumbers(L"%u", format.bitsPerSample)}});
    if (format.sampleFormatType == kSampleFormatFloat)
        text += L" (float)";
    else if (format.sampleFormatType == kSampleFormatOther)
        text += L" (other)";
    return text;
}

} // namespace

PageStreamFormats::PageStreamFormats(PageHost& host) : PageT(host, PAGE_STREAM_FORMATS_TITLE) {}

void PageStreamFormats::InitControls() {
    const DeviceHandle device = Host().OpenedDevice();
    const auto has = [&](std::uint32_t direction) {
        return device != 0 && HasStreamFormats(Host().Api(), device, direction);
    };
    AssignDirectionSections(Hwnd(), sections_, has(kDirectionInput), has(kDirectionOutput),
                            PAGE_STREAM_FORMATS_SECTION_INPUT_TITLE,
                            PAGE_STREAM_FORMATS_SECTION_OUTPUT_TITLE);
}

void PageStreamFormats::RefreshContents(DeviceHandle device, const KorvelineApiDll& api) {
    for (const DirectionSection& section : sections_) {
        if (section.shown)
            FillStreamFormatList(device, api, section);
    }
    // One read of the selection mode serves both sections.
    UpdateSelectability(device, api);
}

void PageStreamFormats::FillStreamFormatList(DeviceHandle device, const KorvelineApiDll& api,
                                             const DirectionSection& section) {
    combo_box::Clear(section.selector);
    StreamFormatList formats;
    if (device == 0 || ReadStreamFormats(api, device, section.direction, formats) != 0)
        return;

    const std::wstring description = GetUiText(PAGE_STREAM_FORMATS_DESCRIPTION_CHANNELS) + L", " +
                                     GetUiText(PAGE_STREAM_FORMATS_DESCRIPTION_BITS);
    std::vector<combo_box::Entry> entries;
    for (const StreamFormatInfo& format : formats.Delivered())
        entries.push_back({EntryText(description, format), format.id});
    combo_box::FillWithCurrent(section.selector, entries, [&](std::uint32_t& current) {
        StreamFormatInfo format{};
        const StatusCode read = CallEntryPoint(api.KORVELINE_GetCurrentStreamFormat, device,
                                               section.direction, &format);
        current = format.id;
        return read;
    });
}

void PageStreamFormats::UpdateSelectability(DeviceHandle device, const KorvelineApiDll& api) {
    std::uint32_t mode = 0;
    const bool selectable =
        device != 0 &&
        CallEntryPoint(api.KORVELINE_GetStreamFormatSelectionMode, device, &mode) == 0 &&
        mode == kStreamFormatSelectionUserChoice;
    for (const DirectionSection& section : sections_) {
        if (selectable)
            combo_box::EnableByCount(section.selector, 2);
        else
            EnableWindow(section.selector, FALSE);
    }
}

void PageStreamFormats::SaveSelectedStreamFormat(const DirectionSection& section) {
    WriteSelection(combo_box::SelectedItemData(section.selector), L"SaveSelectedStreamFormat",
                   L"KORVELINE_SetCurrentStreamFormat",
                   [&](DeviceHandle device, std::uint32_t formatId) {
                       return CallEntryPoint(Host().Api().KORVELINE_SetCurrentStreamFormat, device,
                                             section.direction, formatId);
                   });
    RefreshPart(false, [&](DeviceHandle device, const KorvelineApiDll& api) {
        FillStreamFormatList(device, api, section);
        UpdateSelectability(device, api);
    });
}
