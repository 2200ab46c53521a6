#include "pages/PageBase.h"

#include "driver/DeviceNotifications.h"
#include "framework/PropertyPageWindow.h"

void PageBase::OnDeviceNotification(std::uint32_t code) {
    if (!IsLevelNotification(code))
        Refresh(false);
}

bool PageBase::MayRefresh(bool forced) const {
    return initialized_ && active_ && (forced || host_.IsMainWindowVisible());
}

void PageBase::Refresh(bool forced) {
    RefreshPart(forced, [this](DeviceHandle device, const KorvelineApiDll& api) {
        RefreshContents(device, api);
    });
}

void PageBase::RefreshPart(bool forced, const RefreshStep& refreshPart) {
    OnRefreshRequested();
    if (!MayRefresh(forced))
        return;
    // A refresh empties and disables a selector before filling it again, and disabling
    // takes the keyboard focus away; a control of the page that can be used again gets it
    // back, so the keyboard user stays on the selector after a change.
    const HWND page = PageWindow().Hwnd();
    const HWND focus = GetFocus();
    refreshPart(host_.OpenedDevice(), host_.Api());
    const HWND focusNow = GetFocus();
    if (focus != nullptr && focus != focusNow && (focusNow == nullptr || focusNow == page) &&
        IsChild(page, focus) && IsWindowEnabled(focus) && IsWindowVisible(focus))
        SetFocus(focus);
}

void PageBase::WriteSelection(std::optional<std::uint32_t> selectedValue, const wchar_t* operation,
                              const wchar_t* entryPoint, const SelectionWrite& write) {
    const DeviceHandle device = host_.OpenedDevice();
    if (device == 0 || !selectedValue)
        return;
    if (const StatusCode status = write(device, *selectedValue))
        host_.ReportError(operation, entryPoint, status);
}

void PageBase::WriteBack(std::optional<std::uint32_t> selectedValue, const wchar_t* operation,
                         const wchar_t* entryPoint, DeviceValueSetter setter) {
    WriteBack(selectedValue, operation, entryPoint,
              [setter](DeviceHandle device, std::uint32_t value) {
                  return CallEntryPoint(setter, device, value);
              });
}

void PageBase::WriteBack(std::optional<std::uint32_t> selectedValue, const wchar_t* operation,
                         const wchar_t* entryPoint, const SelectionWrite& write) {
    WriteSelection(selectedValue, operation, entryPoint, write);
    Refresh(false);
}
