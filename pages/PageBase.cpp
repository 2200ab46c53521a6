#include "pages/PageBase.h"

void PageBase::OnDeviceNotification(std::uint32_t code) {
    if (IsRefreshingNotification(code))
        Refresh(false);
}

StatusCode PageBase::Refresh(bool forced) {
    if (!initialized_ || !active_ || (!forced && !host_.IsMainWindowVisible()))
        return 0;
    return RefreshContents(forced);
}

void PageBase::WriteBack(std::optional<std::uint32_t> selectedValue, const wchar_t* operation,
                         const wchar_t* entryPoint,
                         const std::function<StatusCode(DeviceHandle, std::uint32_t)>& call) {
    const DeviceHandle device = host_.OpenedDevice();
    if (device != 0 && selectedValue) {
        if (const StatusCode status = call(device, *selectedValue); status != 0)
            host_.ReportError(operation, entryPoint, status);
    }
    Refresh(false);
}
