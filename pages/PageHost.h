#pragma once

#include "config/Config.h"
#include "driver/KorvelineApiDll.h"

#include <windows.h>

#include <functional>
#include <string>

// What a page needs from the main window: the open device, whether the window is shown,
// its screen DPI, the driver binding and the configuration, the error box through which
// write-backs report failures, the way to run a modal window, and the request to open the
// device the user chose. The main window implements it; tests may too.
class PageHost {
public:
    // 0 while no device is open.
    virtual DeviceHandle OpenedDevice() const = 0;
    virtual bool IsMainWindowVisible() const = 0;
    // Horizontal logical pixels per inch, read when the main window was created.
    virtual UINT ScreenDpi() const = 0;
    virtual HWND MainWindow() const = 0;
    virtual const KorvelineApiDll& Api() const = 0;
    virtual const ConfigSettings& Settings() const = 0;
    // Shows the report for a failed step; true when it was dropped because a box is open.
    virtual bool ReportError(const std::wstring& operation, const std::wstring& step,
                             StatusCode code) = 0;
    // Runs a page's modal window (`run` returns once it has closed); `close` asks it to
    // close. Meanwhile the host rebuilds no page, so the page outlives its window.
    virtual void RunModal(const std::function<void()>& run, std::function<void()> close) = 0;
    // The status page's device choice changed: the host opens the chosen device once its
    // queue reaches the posted request, never inside the caller's notification.
    virtual void PostDeviceSelectionChanged() = 0;
    // A page became the current one: the host fits it into the tab area once shown (a page
    // shown for the first time after a resize is created at its template's size).
    virtual void PostFitPage() = 0;

protected:
    ~PageHost() = default;
};
