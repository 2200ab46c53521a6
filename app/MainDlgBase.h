#pragma once

#include "app/Thread.h"
#include "app/WtlTrayIcon.h"
#include "driver/UniqueDevice.h"
#include "framework/MessageLoop.h"
#include "framework/UniqueAny.h"
#include "framework/WnEvent.h"
#include "pages/PageHost.h"

#include <cstdint>

// The main window's device handling, over the concrete window class T (a property sheet
// window). It owns the open device, its notification event and the worker thread that
// watches it; it is the host of the pages (PageHost), shows the error box, handles the
// commands and private messages (T's message map lists them), and holds the tray icon.
//
// Device states: no device open (handle 0, no thread, no event) or one device open
// (notifications registered on the event, worker thread running). Every path that
// closes the device stops the thread first and closes the event after the device.
template <class T>
class MainDlgBase : public WtlTrayIcon<T>,
                    public MessageFilter,
                    public IdleHandler,
                    public Thread,
                    public PageHost {
public:
    MainDlgBase(const KorvelineApiDll& api, const ConfigSettings& settings)
        : api_(api), settings_(settings) {}

    // Sets the language texts into the items CMD_SHOW and CMD_EXIT.
    void PrepareTrayMenu(HMENU menu) override;
    // Before a hidden window is shown: runs an update that had to wait.
    void OnBeforeShow() override;
    // Called when the start-up check finds the initialisation completed.
    virtual void OnStartupCheckPassed() {}
    virtual void OnDeviceNotification(std::uint32_t) {}
    virtual void ShowAsioPage(std::intptr_t) {}
    // 0, kStatusDeferred (retry later) or an error.
    virtual StatusCode PrepareDeviceChange() { return 0; }
    // Closes the open device and enumerates again, unless the update must wait (an error
    // box is open, or the window is hidden and force is false): then kStatusDeferred.
    virtual StatusCode UpdateDevices(bool force);

    DeviceHandle OpenedDevice() const override { return device_.Get(); }
    bool IsMainWindowVisible() const override { return IsWindowVisible(Window()) != FALSE; }
    HWND MainWindow() const override { return Window(); }
    const KorvelineApiDll& Api() const override { return api_; }
    const ConfigSettings& Settings() const override { return settings_; }
    // One box at a time: a report while the box is open is dropped (true). An update
    // refused meanwhile is posted as MSG_UPDATE_DEVICES when the box closes.
    bool ReportError(const std::wstring& operation, const std::wstring& step,
                     StatusCode code) override;
    void PostDeviceSelectionChanged() override {
        PostMessageW(Window(), MSG_DEVICE_SELECTION_CHANGED, 0, 0);
    }

    bool IsUpdatePending() const { return updatePending_; }
    bool IsInitializationCompleted() const { return initializationCompleted_; }

    bool PreTranslateMessage(MSG& message) override;
    bool OnIdle() override { return false; }

    // At most this many notifications are read per MSG_DEVICE_NOTIFICATION, so that a
    // driver whose queue never reports empty cannot hold the window; the rest is read
    // after the watcher's next post.
    static constexpr int kMaxNotificationReads = 256;

protected:
    // Icons, tray icon, centring, PnP registration, the first device update, and the
    // message filter and idle handler; a failed PnP registration ends it early.
    void Initialize();
    void SetInitializationCompleted() { initializationCompleted_ = true; }

    // Opens the device, creates its event, registers it and starts the worker thread;
    // on a failure the device is closed again and the code returned.
    StatusCode OpenDevice(std::uint32_t index);
    void CloseDevice();
    // Drains the driver's queue and hands each distinct code on once, in arrival order.
    void ReadDeviceNotifications();

    DWORD ThreadMain() override;

    LRESULT OnStartupCheck(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnPnpChanged(UINT, WPARAM wParam, LPARAM, bool&);
    LRESULT OnUpdateDevicesMessage(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnDeviceNotificationMessage(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnShowAsioPageMessage(UINT, WPARAM, LPARAM lParam, bool&);
    LRESULT OnShowCommand(WORD, WORD, HWND, bool&);
    LRESULT OnExitCommand(WORD, WORD, HWND, bool&);
    LRESULT OnOkCommand(WORD, WORD, HWND, bool&);
    LRESULT OnCancelCommand(WORD, WORD, HWND, bool&);
    LRESULT OnSysCommand(UINT, WPARAM wParam, LPARAM, bool& handled);
    LRESULT OnClose(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnEndSession(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool& handled);

private:
    HWND Window() const { return static_cast<const T*>(this)->Hwnd(); }
    // With the tray icon the window only hides; without it the program ends.
    void HideOrEnd(int exitCode);
    void EndProgram(int exitCode);

    const KorvelineApiDll& api_;
    const ConfigSettings& settings_;
    UniqueDevice device_{api_};
    WnAutoResetEvent deviceEvent_;
    bool errorBoxOpen_ = false;
    bool updatePending_ = false;
    bool initializationCompleted_ = false;
    UniqueIcon largeIcon_;
    UniqueIcon smallIcon_;
    MessageLoop* loop_ = nullptr; // the loop the filter and idle handler were added to
};
