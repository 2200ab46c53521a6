#pragma once

#include "app/MainDlgBase.h"
#include "app/PropSheetTabCtrl.h"
#include "framework/DialogResize.h"
#include "framework/PropertySheetImpl.h"
#include "pages/PageStatus.h"

#include <memory>
#include <optional>
#include <vector>

// The main window: a modeless, resizable property sheet with the status page as its first
// tab and the device pages after it, rebuilt after every change of the open device. It
// starts hidden; Create runs the whole initialisation (tray icon, device list, pages).
class MainPropSheetDlg : public PropertySheetImpl<MainPropSheetDlg>,
                         public MainDlgBase<MainPropSheetDlg>,
                         public DialogResize<MainPropSheetDlg> {
public:
    // The tab control's id in every property sheet; only it stretches with the window.
    static constexpr int kTabControlId = 0x3020;
    static constexpr ResizeRule kResizeRules[] = {{kTabControlId, kStretchX | kStretchY}};
    static constexpr UINT kBufferSettingsPageId = 256;

    explicit MainPropSheetDlg(const KorvelineApiDll& api = TheKorvelineApiDll(),
                              const ConfigSettings& settings = g_config.Settings());
    // Destroys a window that is still there, then the device pages, then the status page.
    ~MainPropSheetDlg() override;

    // The hidden sheet window without owner, or null.
    HWND Create();

    void OnBeforeShow() override;
    void OnDeviceNotification(std::uint32_t code) override;
    void ShowAsioPage(std::intptr_t instance) override;
    StatusCode PrepareDeviceChange() override;
    StatusCode UpdateDevices(bool force) override;
    UINT ScreenDpi() const override { return dpiX_; }
    void PostFitPage() override;

    PageStatus& StatusPage() { return statusPage_; }
    const std::vector<std::unique_ptr<PageBase>>& DevicePages() const { return pages_; }
    // The dialog id of the page shown, if any.
    std::optional<UINT> CurrentPageId() const;

    BEGIN_MSG_MAP(MainPropSheetDlg)
    MESSAGE_HANDLER(MSG_STARTUP_CHECK, OnStartupCheck)
    MESSAGE_HANDLER(MSG_TRAY_NOTIFY, OnTrayNotify)
    MESSAGE_HANDLER(MSG_PNP_CHANGED, OnPnpChanged)
    MESSAGE_HANDLER(MSG_DEVICE_SELECTION_CHANGED, OnDeviceSelectionChanged)
    MESSAGE_HANDLER(MSG_DEVICE_NOTIFICATION, OnDeviceNotificationMessage)
    MESSAGE_HANDLER(MSG_UPDATE_DEVICES, OnUpdateDevicesMessage)
    MESSAGE_HANDLER(MSG_FIT_PAGE, OnFitPage)
    MESSAGE_HANDLER(MSG_SHOW_ASIO_PAGE, OnShowAsioPageMessage)
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
    // The sheet exists and is subclassed: initialise, set the title, cut the button row.
    void OnSheetInitialized();
    void CutOffButtonRow();

    LRESULT OnDeviceSelectionChanged(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnFitPage(UINT, WPARAM, LPARAM, bool&);

    // Replaces the device pages by those the configuration and the open device call for,
    // keeping the current page when it is added again.
    void RebuildPages();
    void AddDevicePage(std::unique_ptr<PageBase> page);

    // Declared first, destroyed last: the device pages go before the status page.
    PageStatus statusPage_;
    std::vector<std::unique_ptr<PageBase>> pages_;
    // Pages whose tab the sheet refused to give up: their windows still reach them, so
    // they live, no longer driven, as long as the sheet.
    std::vector<std::unique_ptr<PageBase>> unremovedPages_;
    PropSheetTabCtrl tabControl_;
    UINT dpiX_ = 96; // horizontal, read from the window's device context after creation
    // A fit is posted and not run yet: it serves every request made before it runs.
    bool fitPagePosted_ = false;
};
