#pragma once

#include "app/AppMessages.h"
#include "app/DeviceSession.h"
#include "app/ModalScope.h"
#include "app/PropSheetTabCtrl.h"
#include "app/TrayIcon.h"
#include "framework/DialogResize.h"
#include "framework/MessageLoop.h"
#include "framework/PropertySheetImpl.h"
#include "pages/PageHost.h"
#include "pages/PageStatus.h"

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

// The main window: a modeless, resizable property sheet with the status page as its first
// tab and the device pages after it. It starts hidden; Create runs the whole
// initialisation (icons, tray icon, device list, pages).
//
// It owns the one device session, and rebuilds the device pages after every change of the
// open device: a device list update closes the session, enumerates and refills the status
// page, whose selection message opens the chosen device again. It is the pages' host,
// shows the error box one at a time, and handles the commands of the listener and the
// tray icon. Every modal window runs through its modal scope, and every request that would
// tear down or rebuild its objects goes through the scope too (see ModalScope).
class MainPropSheetDlg : public PropertySheetImpl<MainPropSheetDlg>,
                         public DialogResize<MainPropSheetDlg>,
                         public PageHost,
                         public MessageFilter {
public:
    // The tab control's id in every property sheet; only it stretches with the window.
    static constexpr int kTabControlId = 0x3020;
    static constexpr ResizeRule kResizeRules[] = {{kTabControlId, kStretchX | kStretchY}};
    // Every code refreshes the page shown, so a drain of many codes is handed on in slices
    // of this length, and the rest on a timer: a timer message comes after input and
    // painting, so the window answers the user between slices.
    static constexpr std::chrono::milliseconds kNotificationSlice{16};
    static constexpr UINT_PTR kNotificationSliceTimer = 0x4E53;

    explicit MainPropSheetDlg(const KorvelineApiDll& api = TheKorvelineApiDll(),
                              const ConfigSettings& settings = g_config.Settings());
    // Destroys a window that is still there, then the device pages, then the status page.
    ~MainPropSheetDlg() override;

    // The hidden sheet window without owner, or null.
    HWND Create();

    // Closes the open device and enumerates again, then rebuilds the pages without a device
    // and refills the status page. While the window is hidden and force is false it only
    // closes the device and waits for OnBeforeShow (kStatusDeferred).
    StatusCode UpdateDevices(bool force);
    // Before a hidden window is shown: runs an update that had to wait, refreshes the pages.
    void OnBeforeShow();
    // Hands a device notification code to the status page, then to the device pages.
    virtual void OnDeviceNotification(std::uint32_t code);
    // The one way a start or another instance asks for a page (by its dialog id): it is
    // selected once the pages are built, at once or after the device selection still to
    // run. A page the open device lacks leaves the page shown as it is.
    void ShowPage(UINT pageId);
    // Sets the language texts into the tray menu's items CMD_SHOW and CMD_EXIT.
    static void PrepareTrayMenu(HMENU menu);

    // PageHost. One error box at a time: a report while the box is open is dropped (true).
    bool ReportError(const std::wstring& operation, const std::wstring& step,
                     StatusCode code) override;
    void RunModal(const std::function<void()>& run, std::function<void()> close) override {
        modal_.Run(ModalScope::Kind::Other, run, std::move(close));
    }
    DeviceHandle OpenedDevice() const override { return device_.Device(); }
    bool IsMainWindowVisible() const override { return IsWindowVisible(Hwnd()) != FALSE; }
    UINT ScreenDpi() const override { return dpiX_; }
    HWND MainWindow() const override { return Hwnd(); }
    const KorvelineApiDll& Api() const override { return api_; }
    const ConfigSettings& Settings() const override { return settings_; }
    // One posted request serves every fill before it runs: it opens the device that the
    // status page shows selected when it runs.
    void PostDeviceSelectionChanged() override;
    void PostFitPage() override;

    // The sheet's keyboard navigation, as the thread's message filter.
    bool PreTranslateMessage(MSG& message) override { return IsSheetDialogMessage(message); }

    PageStatus& StatusPage() { return statusPage_; }
    const std::vector<std::unique_ptr<PageBase>>& DevicePages() const { return pages_; }
    // The dialog id of the page shown, if any.
    std::optional<UINT> CurrentPageId() const;
    bool IsIconInstalled() const { return trayIcon_.IsInstalled(); }
    const NOTIFYICONDATAW& IconData() const { return trayIcon_.Data(); }
    bool IsUpdatePending() const { return updatePending_; }
    bool IsInitializationCompleted() const { return initializationCompleted_; }

    BEGIN_MSG_MAP(MainPropSheetDlg)
    MESSAGE_HANDLER(MSG_STARTUP_CHECK, OnStartupCheck)
    MESSAGE_HANDLER(MSG_TRAY_NOTIFY, OnTrayNotify)
    MESSAGE_HANDLER(MSG_PNP_CHANGED, OnPnpChanged)
    MESSAGE_HANDLER(MSG_DEVICE_SELECTION_CHANGED, OnDeviceSelectionChanged)
    MESSAGE_HANDLER(MSG_DEVICE_NOTIFICATION, OnDeviceNotificationMessage)
    MESSAGE_HANDLER(MSG_RUN_NEXT_REQUEST, OnRunNextRequest)
    MESSAGE_HANDLER(MSG_FIT_PAGE, OnFitPage)
    MESSAGE_HANDLER(MSG_SHOW_PAGE, OnShowPageMessage)
    MESSAGE_HANDLER(WM_TIMER, OnTimer)
    COMMAND_ID_HANDLER(CMD_SHOW, OnShowCommand)
    COMMAND_ID_HANDLER(CMD_EXIT, OnExitCommand)
    COMMAND_ID_HANDLER(IDOK, OnOkCommand)
    COMMAND_ID_HANDLER(IDCANCEL, OnCancelCommand)
    MESSAGE_HANDLER(WM_SYSCOMMAND, OnSysCommand)
    MESSAGE_HANDLER(WM_CLOSE, OnClose)
    MESSAGE_HANDLER(WM_ENDSESSION, OnEndSession)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    CHAIN_MSG_MAP(DialogResize<MainPropSheetDlg>)
    END_MSG_MAP()

private:
    friend class PropertySheetImpl<MainPropSheetDlg>;
    // The sheet exists and is subclassed: initialise, then frame the window (title, no
    // button row, centred).
    void OnSheetInitialized();
    // Icons, tray icon, PnP registration, the first device update and the message filter;
    // a failed PnP registration ends it early.
    void Initialize();

    // Replaces the device pages by those the configuration and the open device call for,
    // keeping the current page when it is added again.
    void RebuildPages();
    void AddDevicePage(std::unique_ptr<PageBase> page);
    // Opens the device the status page shows selected and builds its pages.
    void OpenSelectedDevice();
    // Hands on each distinct code of the driver's queue once, in order of arrival.
    void ReadDeviceNotifications();
    // Hands on waiting codes for one slice; what is left goes on when the slice timer fires.
    void HandOnNotifications();

    LRESULT OnStartupCheck(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnTrayNotify(UINT, WPARAM wParam, LPARAM lParam, bool&);
    LRESULT OnPnpChanged(UINT, WPARAM wParam, LPARAM, bool&);
    LRESULT OnDeviceSelectionChanged(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnDeviceNotificationMessage(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnRunNextRequest(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnFitPage(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnShowPageMessage(UINT, WPARAM wParam, LPARAM, bool&);
    LRESULT OnTimer(UINT, WPARAM wParam, LPARAM, bool& handled);
    LRESULT OnShowCommand(WORD, WORD, HWND, bool&);
    LRESULT OnExitCommand(WORD, WORD, HWND, bool&);
    LRESULT OnOkCommand(WORD, WORD, HWND, bool&);
    LRESULT OnCancelCommand(WORD, WORD, HWND, bool&);
    LRESULT OnSysCommand(UINT, WPARAM wParam, LPARAM, bool& handled);
    LRESULT OnClose(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnEndSession(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool& handled);

    // Shows the window and brings it to the front, catching up first if it was hidden.
    void ShowAndActivate();
    // With the tray icon the window only hides; without it the program ends.
    void HideOrEnd(int exitCode);
    void EndProgram(int exitCode);

    const KorvelineApiDll& api_;
    const ConfigSettings& settings_;
    DeviceSession device_{api_};
    TrayIcon trayIcon_;
    ModalScope modal_{[this] { PostMessageW(Hwnd(), MSG_RUN_NEXT_REQUEST, 0, 0); }};
    // An update found the window hidden: OnBeforeShow runs it. Not the modal scope's job: a
    // hidden window may stay hidden for good, and then nothing is enumerated at all.
    bool updatePending_ = false;
    bool initializationCompleted_ = false;
    MessageLoop* loop_ = nullptr; // the loop the message filter was added to

    // Declared after the device session, destroyed before it: the device pages go before
    // the status page, and the pages before the device closes.
    PageStatus statusPage_;
    std::vector<std::unique_ptr<PageBase>> pages_;
    // Pages whose tab the sheet refused to give up: their windows still reach them, so
    // they live, no longer driven, as long as the sheet.
    std::vector<std::unique_ptr<PageBase>> unremovedPages_;
    PropSheetTabCtrl tabControl_;
    UINT dpiX_ = 96; // horizontal, read from the window's device context after creation
    // A fit is posted and not run yet: it serves every request made before it runs.
    bool fitPagePosted_ = false;
    bool selectionChangePosted_ = false;
    // A page asked for while the selection that builds the pages was still to run.
    std::optional<UINT> pageToShow_;
};
