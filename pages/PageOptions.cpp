#include "pages/PageOptions.h"

#include "config/UiTextIds.h"
#include "pages/ComboBoxItems.h"

PageOptions::PageOptions(PageHost& host) : PageT(host, PAGE_OPTIONS_TITLE) {}

void PageOptions::InitControls() {
    modes_ = Control(kModeSelector);
    const combo_box::Entry entries[] = {
        {GetUiText(PAGE_OPTIONS_SECTION_STREAMING_MODE_SELECTION_ENTRY_ON_WHEN_NEEDED),
         kOnWhenNeeded},
        {GetUiText(PAGE_OPTIONS_SECTION_STREAMING_MODE_SELECTION_ENTRY_ALWAYS_ON), kAlwaysOn},
    };
    combo_box::Fill(modes_, entries);
}

void PageOptions::RefreshContents(DeviceHandle device, const KorvelineApiDll& api) {
    // No device, no entry point, a failed read or an unknown mode: no entry is selected.
    std::optional<std::uint32_t> mode;
    if (std::uint32_t read = 0;
        device != 0 && CallEntryPoint(api.KORVELINE_GetDeviceStreamingMode, device, &read) == 0)
        mode = read;
    combo_box::SelectItemData(modes_, mode);
}

void PageOptions::SaveSelectedStreamingMode() {
    WriteBack(combo_box::SelectedItemData(modes_), L"SaveSelectedStreamingMode",
              L"KORVELINE_SetDeviceStreamingMode", [this](DeviceHandle device, std::uint32_t mode) {
                  return CallEntryPoint(Host().Api().KORVELINE_SetDeviceStreamingMode, device, mode,
                                        1u);
              });
    // The page is repainted at once, not when the queue next gets to it.
    RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}
