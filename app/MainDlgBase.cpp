#include "app/MainDlgBase.h"

#include "app/DeviceNotificationWatcher.h"
#include "app/MainPropSheetDlg.h"
#include "framework/StartupTimeline.h"
#include "framework/WorkArea.h"
#include "driver/DeviceNotifications.h"
#include "config/UiTextIds.h"
#include "driver/ErrorReport.h"
#include "resources/resource.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

HICON LoadAppIcon(int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageW(GetModule().Instance(), MAKEINTRESOURCEW(IDI_APP),
                                         IMAGE_ICON, GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), LR_DEFAULTCOLOR));
}

// The window has no owner: it is centred on the work area of its monitor.
void CenterOnWorkArea(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    const RECT work = WorkAreaOf(window);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(window, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetMenuItemText(HMENU menu, int position, const std::wstring& text) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_STRING;
    item.dwTypeData = const_cast<wchar_t*>(text.c_str());
    SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &item);
}

} // namespace

template <class T> void MainDlgBase<T>::PrepareTrayMenu(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        const UINT command = GetMenuItemID(menu, position);
        if (command == CMD_SHOW)
            SetMenuItemText(menu, position, GetUiText(NOTIFICATION_AREA_MENU_ENTRY_SHOW));
        else if (command == CMD_EXIT)
            SetMenuItemText(menu, position, GetUiText(NOTIFICATION_AREA_MENU_ENTRY_EXIT));
    }
}

template <class T> void MainDlgBase<T>::OnBeforeShow() {
    if (updatePending_) {
        updatePending_ = false;
        UpdateDevices(true);
    }
}

template <class T> StatusCode MainDlgBase<T>::UpdateDevices(bool force) {
    if (errorBoxOpen_) {
        updatePending_ = true;
        return kStatusDeferred;
    }
    CloseDevice();
    // A hidden window enumerates nothing; OnBeforeShow catches up.
    if (!force && !IsMainWindowVisible()) {
        updatePending_ = true;
        return kStatusDeferred;
    }
    const StatusCode status = PrepareDeviceChange();
    if (status == kStatusDeferred) {
        PostMessageW(Window(), MSG_UPDATE_DEVICES, 0, 0);
        return status;
    }
    if (status != 0)
        return status;
    return CallEntryPoint(api_.KORVELINE_EnumerateDevices);
}

template <class T>
bool MainDlgBase<T>::ReportError(const std::wstring& operation, const std::wstring& step,
                                 StatusCode code) {
    const auto text = DeviceErrorBoxText(operation, step, code);
    if (!text)
        return false;
    if (errorBoxOpen_)
        return true;
    errorBoxOpen_ = true;
    ShowErrorBox(Window(), *text, GetUiText(APP_TITLE));
    errorBoxOpen_ = false;
    if (updatePending_) {
        updatePending_ = false;
        PostMessageW(Window(), MSG_UPDATE_DEVICES, 0, 0);
    }
    return false;
}

template <class T> bool MainDlgBase<T>::PreTranslateMessage(MSG& message) {
    return static_cast<T*>(this)->IsSheetDialogMessage(message);
}

template <class T> void MainDlgBase<T>::Initialize() {
    const HWND window = Window();
    MarkStartupStep(L"sheet and status page created");
    largeIcon_.Reset(LoadAppIcon(SM_CXICON, SM_CYICON));
    smallIcon_.Reset(LoadAppIcon(SM_CXSMICON, SM_CYSMICON));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_.Get()));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
    MarkStartupStep(L"window icons set");
    if (settings_.notificationAreaEnabled)
        this->AddIcon(smallIcon_.Get(), GetUiText(APP_TITLE));
    CenterOnWorkArea(window);
    MarkStartupStep(L"tray icon added, window centred");

    if (StatusCode status = CallEntryPoint(api_.KORVELINE_RegisterPnpNotification, nullptr, nullptr,
                                           window, MSG_PNP_CHANGED, 0u)) {
        ReportError(L"Initialize", L"KORVELINE_RegisterPnpNotification", status);
        return;
    }
    MarkStartupStep(L"device changes registered");
    if (StatusCode status = UpdateDevices(true); status != 0 && status != kStatusDeferred)
        ReportError(L"Initialize", L"UpdateDevices", status);
    MarkStartupStep(L"devices enumerated, pages built");

    loop_ = GetModule().GetMessageLoop();
    if (loop_ != nullptr) {
        loop_->AddMessageFilter(this);
        loop_->AddIdleHandler(this);
    }
}

template <class T> StatusCode MainDlgBase<T>::OpenDevice(std::uint32_t index) {
    DeviceHandle device = 0;
    if (StatusCode status = CallEntryPoint(api_.KORVELINE_OpenDeviceByIndex, index, &device))
        return status;
    device_.Reset(device);
    StatusCode status = deviceEvent_.Create();
    if (status == 0)
        status = CallEntryPoint(api_.KORVELINE_RegisterDeviceNotification, device_.Get(),
                                kAllDeviceNotifications, deviceEvent_.Get(), 0u);
    if (status == 0)
        status = StartThread(THREAD_PRIORITY_NORMAL, 0, 0);
    if (status != 0)
        CloseDevice();
    return status;
}

template <class T> void MainDlgBase<T>::CloseDevice() {
    StopThread(INFINITE);
    if (device_.Get() != 0 && api_.KORVELINE_RegisterDeviceNotification)
        api_.KORVELINE_RegisterDeviceNotification(device_.Get(), 0, nullptr, 0);
    device_.Reset();
    deviceEvent_.Close();
}

template <class T> void MainDlgBase<T>::ReadDeviceNotifications() {
    const DeviceHandle device = device_.Get();
    if (device == 0)
        return;
    std::vector<std::uint32_t> codes;
    int read = 0;
    for (; read < kMaxNotificationReads; ++read) {
        std::uint32_t code = 0;
        std::array<std::uint8_t, kDeviceNotificationDataSize> data{};
        std::uint32_t bytesReturned = 0;
        if (CallEntryPoint(api_.KORVELINE_ReadDeviceNotification, device, &code, data.data(),
                           kDeviceNotificationDataSize, &bytesReturned) != 0)
            break;
        if (std::find(codes.begin(), codes.end(), code) == codes.end())
            codes.push_back(code);
    }
    // The rest stays queued, and the driver signals its auto-reset event only for new
    // notifications: signal it again, so the watcher posts once more after its pause and
    // the window reads on between other messages.
    if (read == kMaxNotificationReads)
        deviceEvent_.Set();
    for (const std::uint32_t code : codes)
        OnDeviceNotification(code);
}

template <class T> DWORD MainDlgBase<T>::ThreadMain() {
    return RunDeviceNotificationWatcher(StopEvent(), deviceEvent_.Get(), Window());
}

template <class T> LRESULT MainDlgBase<T>::OnStartupCheck(UINT, WPARAM, LPARAM, bool&) {
    if (initializationCompleted_)
        OnStartupCheckPassed();
    else
        PostMessageW(Window(), WM_COMMAND, CMD_EXIT, 0);
    return 0;
}

template <class T> LRESULT MainDlgBase<T>::OnPnpChanged(UINT, WPARAM wParam, LPARAM, bool&) {
    if (IsDeviceSetChange(wParam))
        UpdateDevices(false);
    return 0;
}

template <class T> LRESULT MainDlgBase<T>::OnUpdateDevicesMessage(UINT, WPARAM, LPARAM, bool&) {
    UpdateDevices(false);
    return 0;
}

template <class T>
LRESULT MainDlgBase<T>::OnDeviceNotificationMessage(UINT, WPARAM, LPARAM, bool&) {
    ReadDeviceNotifications();
    return 0;
}

template <class T>
LRESULT MainDlgBase<T>::OnShowAsioPageMessage(UINT, WPARAM, LPARAM lParam, bool&) {
    ShowAsioPage(static_cast<std::intptr_t>(lParam));
    return 0;
}

template <class T> LRESULT MainDlgBase<T>::OnShowCommand(WORD, WORD, HWND, bool&) {
    const HWND window = Window();
    if (!IsWindowVisible(window))
        OnBeforeShow();
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    return 0;
}

template <class T> LRESULT MainDlgBase<T>::OnExitCommand(WORD, WORD, HWND, bool&) {
    EndProgram(2);
    return 0;
}

template <class T> LRESULT MainDlgBase<T>::OnOkCommand(WORD, WORD, HWND, bool&) {
    HideOrEnd(1);
    return 0;
}

template <class T> LRESULT MainDlgBase<T>::OnCancelCommand(WORD, WORD, HWND, bool&) {
    HideOrEnd(2);
    return 0;
}

template <class T>
LRESULT MainDlgBase<T>::OnSysCommand(UINT, WPARAM wParam, LPARAM, bool& handled) {
    if ((wParam & 0xFFF0) != SC_CLOSE) {
        handled = false;
        return 0;
    }
    if (this->IsIconInstalled())
        ShowWindow(Window(), SW_HIDE);
    else
        SendMessageW(Window(), WM_CLOSE, 0, 0);
    return 0;
}

// A modeless sheet's own close handling leaves the window in place; the close box must
// end the program, as Cancel does.
template <class T> LRESULT MainDlgBase<T>::OnClose(UINT, WPARAM, LPARAM, bool&) {
    HideOrEnd(2);
    return 0;
}

// Whether or not the session really ends, the window goes; no quit message is posted.
template <class T> LRESULT MainDlgBase<T>::OnEndSession(UINT, WPARAM, LPARAM, bool&) {
    DestroyWindow(Window());
    return 0;
}

template <class T> LRESULT MainDlgBase<T>::OnDestroy(UINT, WPARAM, LPARAM, bool& handled) {
    this->RemoveIcon();
    if (api_.KORVELINE_UnregisterPnpNotification)
        api_.KORVELINE_UnregisterPnpNotification();
    CloseDevice();
    if (loop_ != nullptr) {
        loop_->RemoveMessageFilter(this);
        loop_->RemoveIdleHandler(this);
        loop_ = nullptr;
    }
    handled = false;
    return 0;
}

template <class T> void MainDlgBase<T>::HideOrEnd(int exitCode) {
    if (this->IsIconInstalled())
        ShowWindow(Window(), SW_HIDE);
    else
        EndProgram(exitCode);
}

template <class T> void MainDlgBase<T>::EndProgram(int exitCode) {
    DestroyWindow(Window());
    PostQuitMessage(exitCode);
}

template class MainDlgBase<MainPropSheetDlg>;
