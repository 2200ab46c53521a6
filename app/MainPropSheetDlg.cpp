#include "app/MainPropSheetDlg.h"

#include "app/MainWindowFrame.h"
#include "app/PageFitting.h"
#include "app/PageTable.h"
#include "config/UiTextIds.h"
#include "driver/DeviceNotifications.h"
#include "driver/ErrorReport.h"
#include "framework/ModuleIcon.h"
#include "framework/StartupTimeline.h"
#include "framework/UniqueAny.h"
#include "resources/resource.h"

#include <utility>

namespace {

void SetMenuItemText(HMENU menu, int position, const std::wstring& text) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_STRING;
    item.dwTypeData = const_cast<wchar_t*>(text.c_str());
    SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &item);
}

} // namespace

MainPropSheetDlg::MainPropSheetDlg(const KorvelineApiDll& api, const ConfigSettings& settings)
    : api_(api), settings_(settings), statusPage_(*this) {
    PROPSHEETHEADERW& header = Header();
    header.dwFlags |= PSH_USEICONID | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP;
    header.pszIcon = MAKEINTRESOURCEW(IDI_APP);
    AddPage(statusPage_);
}

MainPropSheetDlg::~MainPropSheetDlg() {
    if (IsWindow(Hwnd()))
        DestroyWindow(Hwnd());
    pages_.clear();
    unremovedPages_.clear();
}

HWND MainPropSheetDlg::Create() {
    const HWND window = PropertySheetImpl::Create(nullptr);
    MarkStartupStep(L"property sheet created");
    if (window == nullptr)
        return nullptr;
    InitResize(kResizeRules, true, true);
    tabControl_.Subclass(TabControl());
    if (const WindowDC dc(window); dc.Get() != nullptr)
        dpiX_ = static_cast<UINT>(GetDeviceCaps(dc.Get(), LOGPIXELSX));
    return window;
}

void MainPropSheetDlg::OnSheetInitialized() {
    Initialize();
    FrameMainWindow(Hwnd(), GetUiText(APP_TITLE));
    initializationCompleted_ = true;
}

void MainPropSheetDlg::Initialize() {
    const HWND window = Hwnd();
    MarkStartupStep(L"sheet and status page created");
    SetWindowIcons(window, IDI_APP);
    MarkStartupStep(L"window icons set");
    if (settings_.notificationAreaEnabled)
        trayIcon_.Add(window, ModuleIcon(IDI_APP, IconSize::Small), GetUiText(APP_TITLE));
    MarkStartupStep(L"tray icon added");

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
    if (loop_ != nullptr)
        loop_->AddMessageFilter(this);
}

StatusCode MainPropSheetDlg::UpdateDevices(bool force) {
    device_.Close();
    // A hidden window enumerates nothing; OnBeforeShow catches up.
    if (!force && !IsMainWindowVisible()) {
        updatePending_ = true;
        return kStatusDeferred;
    }
    if (StatusCode status = CallEntryPoint(api_.KORVELINE_EnumerateDevices))
        return status;
    // No device is open now: only the pages that need none are added.
    RebuildPages();
    // The refill posts MSG_DEVICE_SELECTION_CHANGED, which opens the selected device.
    return statusPage_.FillDeviceSelection();
}

void MainPropSheetDlg::RebuildPages() {
    const std::optional<UINT> current = CurrentPageId();
    SendMessageW(Hwnd(), PSM_SETCURSEL, 0, 0);
    for (auto& page : pages_) {
        if (!RemovePage(page->PageWindow()))
            unremovedPages_.push_back(std::move(page));
    }
    pages_.clear();

    const DeviceHandle device = OpenedDevice();
    bool audioFunction = false;
    if (device != 0) {
        DeviceProperties properties{};
        audioFunction =
            CallEntryPoint(api_.KORVELINE_GetDeviceProperties, device, &properties) == 0 &&
            (properties.flags & kDeviceFlagAudioFunction) != 0;
    }
    for (const PageRow& row : DevicePageRows()) {
        if (IsPageShown(row, settings_, api_, device, audioFunction))
            AddDevicePage(row.create(*this));
    }

    // The page shown is selected again too: the selection places it below the tab rows,
    // whose number the tabs that came and went may have changed.
    if (!current || !SelectPage(*current))
        SendMessageW(Hwnd(), PSM_SETCURSEL, 0, 0);
}

void MainPropSheetDlg::AddDevicePage(std::unique_ptr<PageBase> page) {
    if (page && AddPage(page->PageWindow()))
        pages_.push_back(std::move(page));
}

void MainPropSheetDlg::PostDeviceSelectionChanged() {
    if (!selectionChangePosted_)
        selectionChangePosted_ = PostMessageW(Hwnd(), MSG_DEVICE_SELECTION_CHANGED, 0, 0) != FALSE;
}

// The request stays posted while it waits, so that the fills meanwhile add no more.
LRESULT MainPropSheetDlg::OnDeviceSelectionChanged(UINT, WPARAM, LPARAM, bool&) {
    modal_.Request([this] { OpenSelectedDevice(); }, ModalScope::OnOpen::Wait);
    return 0;
}

void MainPropSheetDlg::OpenSelectedDevice() {
    selectionChangePosted_ = false;
    device_.Close();
    if (const std::int32_t index = statusPage_.GetSelectedDeviceIndex(); index >= 0) {
        if (StatusCode status = device_.Open(static_cast<std::uint32_t>(index), Hwnd()))
            ReportError(L"OnDeviceSelectionChanged", L"OpenDevice", status);
    }
    RebuildPages();
    statusPage_.ShowCurrentSampleRate();
    if (const auto page = std::exchange(pageToShow_, std::nullopt))
        ShowPage(*page);
}

void MainPropSheetDlg::ReadDeviceNotifications() {
    device_.ReadNotifications();
    HandOnNotifications();
}

void MainPropSheetDlg::HandOnNotifications() {
    const auto sliceEnd = std::chrono::steady_clock::now() + kNotificationSlice;
    const bool codesLeft = device_.HandOnNotifications(
        [this](std::uint32_t code) { OnDeviceNotification(code); },
        [sliceEnd] { return std::chrono::steady_clock::now() >= sliceEnd; });
    if (codesLeft)
        SetTimer(Hwnd(), kNotificationSliceTimer, USER_TIMER_MINIMUM, nullptr);
}

void MainPropSheetDlg::OnDeviceNotification(std::uint32_t code) {
    statusPage_.OnDeviceNotification(code);
    for (const auto& page : pages_)
        page->OnDeviceNotification(code);
}

bool MainPropSheetDlg::ReportError(const std::wstring& operation, const std::wstring& step,
                                   StatusCode code) {
    const auto text = DeviceErrorBoxText(operation, step, code);
    if (!text)
        return false;
    if (modal_.IsErrorBoxOpen())
        return true;
    modal_.Run(ModalScope::Kind::ErrorBox,
               [&] { ShowErrorBox(Hwnd(), *text, GetUiText(APP_TITLE)); });
    return false;
}

void MainPropSheetDlg::OnBeforeShow() {
    if (updatePending_) {
        updatePending_ = false;
        UpdateDevices(true);
    }
    statusPage_.RefreshPage();
    for (const auto& page : pages_)
        page->RefreshPage();
}

void MainPropSheetDlg::ShowPage(UINT pageId) {
    if (selectionChangePosted_)
        pageToShow_ = pageId;
    else if (PageIndex(pageId) >= 0 && CurrentPageId() != pageId)
        SelectPage(pageId);
}

void MainPropSheetDlg::PrepareTrayMenu(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        const UINT command = GetMenuItemID(menu, position);
        if (command == CMD_SHOW)
            SetMenuItemText(menu, position, GetUiText(NOTIFICATION_AREA_MENU_ENTRY_SHOW));
        else if (command == CMD_EXIT)
            SetMenuItemText(menu, position, GetUiText(NOTIFICATION_AREA_MENU_ENTRY_EXIT));
    }
}

std::optional<UINT> MainPropSheetDlg::CurrentPageId() const {
    const auto current = reinterpret_cast<HWND>(SendMessageW(Hwnd(), PSM_GETCURRENTPAGEHWND, 0, 0));
    if (current == nullptr)
        return std::nullopt;
    if (current == statusPage_.Hwnd())
        return statusPage_.GetDialogId();
    for (const auto& page : pages_) {
        if (page->PageWindow().Hwnd() == current)
            return page->GetDialogId();
    }
    return std::nullopt;
}

void MainPropSheetDlg::PostFitPage() {
    if (!fitPagePosted_)
        fitPagePosted_ = PostMessageW(Hwnd(), MSG_FIT_PAGE, 0, 0) != FALSE;
}

LRESULT MainPropSheetDlg::OnStartupCheck(UINT, WPARAM, LPARAM, bool&) {
    if (!initializationCompleted_)
        PostMessageW(Hwnd(), WM_COMMAND, CMD_EXIT, 0);
    return 0;
}

// Restoring a minimised window makes it visible, so OnBeforeShow is then left out.
LRESULT MainPropSheetDlg::OnTrayNotify(UINT, WPARAM wParam, LPARAM lParam, bool&) {
    switch (trayIcon_.RequestOf(wParam, lParam)) {
    case TrayIcon::Request::ShowMenu:
        modal_.Run(
            ModalScope::Kind::Other, [this] { trayIcon_.ShowMenu(PrepareTrayMenu); },
            [] { EndMenu(); });
        break;
    case TrayIcon::Request::ShowWindow:
        modal_.Request(
            [this] {
                if (IsIconic(Hwnd()))
                    ShowWindow(Hwnd(), SW_RESTORE);
                ShowAndActivate();
            },
            ModalScope::OnOpen::Wait);
        break;
    case TrayIcon::Request::None:
        break;
    }
    return 0;
}

// A device change closes the volume dialog and waits until it has gone.
LRESULT MainPropSheetDlg::OnPnpChanged(UINT, WPARAM wParam, LPARAM, bool&) {
    if (IsDeviceSetChange(wParam))
        modal_.Request([this] { UpdateDevices(false); }, ModalScope::OnOpen::Close);
    return 0;
}

LRESULT MainPropSheetDlg::OnDeviceNotificationMessage(UINT, WPARAM, LPARAM, bool&) {
    ReadDeviceNotifications();
    return 0;
}

LRESULT MainPropSheetDlg::OnRunNextRequest(UINT, WPARAM, LPARAM, bool&) {
    modal_.RunNext();
    return 0;
}

LRESULT MainPropSheetDlg::OnFitPage(UINT, WPARAM, LPARAM, bool&) {
    fitPagePosted_ = false;
    const HWND tabs = TabControl();
    const auto page = reinterpret_cast<HWND>(SendMessageW(Hwnd(), PSM_GETCURRENTPAGEHWND, 0, 0));
    RECT area{};
    if (tabs == nullptr || page == nullptr || !GetWindowRect(tabs, &area))
        return 0;
    const int rows = static_cast<int>(SendMessageW(tabs, TCM_GETROWCOUNT, 0, 0));
    const SIZE size = FittedPageSize({area.right - area.left, area.bottom - area.top}, rows, dpiX_);
    SetWindowPos(page, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

LRESULT MainPropSheetDlg::OnTimer(UINT, WPARAM wParam, LPARAM, bool& handled) {
    if (wParam != kNotificationSliceTimer) {
        handled = false;
        return 0;
    }
    KillTimer(Hwnd(), kNotificationSliceTimer);
    HandOnNotifications();
    return 0;
}

// An ASIO instance in lParam chooses nothing: there is one buffer settings page. Leaving
// the volume page closes its dialog, so the switch does so at once.
LRESULT MainPropSheetDlg::OnShowPageMessage(UINT, WPARAM wParam, LPARAM, bool&) {
    const auto pageId = static_cast<UINT>(wParam);
    modal_.Request([this, pageId] { ShowPage(pageId); }, ModalScope::OnOpen::Close);
    return 0;
}

LRESULT MainPropSheetDlg::OnShowCommand(WORD, WORD, HWND, bool&) {
    modal_.Request([this] { ShowAndActivate(); }, ModalScope::OnOpen::Wait);
    return 0;
}

LRESULT MainPropSheetDlg::OnExitCommand(WORD, WORD, HWND, bool&) {
    modal_.Request([this] { EndProgram(2); }, ModalScope::OnOpen::Close);
    return 0;
}

LRESULT MainPropSheetDlg::OnOkCommand(WORD, WORD, HWND, bool&) {
    HideOrEnd(1);
    return 0;
}

LRESULT MainPropSheetDlg::OnCancelCommand(WORD, WORD, HWND, bool&) {
    HideOrEnd(2);
    return 0;
}

LRESULT MainPropSheetDlg::OnSysCommand(UINT, WPARAM wParam, LPARAM, bool& handled) {
    if ((wParam & 0xFFF0) != SC_CLOSE) {
        handled = false;
        return 0;
    }
    if (trayIcon_.IsInstalled())
        ShowWindow(Hwnd(), SW_HIDE);
    else
        SendMessageW(Hwnd(), WM_CLOSE, 0, 0);
    return 0;
}

// A modeless sheet's own close handling leaves the window in place; the close box must
// end the program, as Cancel does.
LRESULT MainPropSheetDlg::OnClose(UINT, WPARAM, LPARAM, bool&) {
    HideOrEnd(2);
    return 0;
}

// Only a session that really ends takes the window down (the system then ends the process,
// so no quit message is posted). After one that another program cancelled (wParam FALSE)
// the program runs on: its listener and mutex would otherwise outlive the window.
LRESULT MainPropSheetDlg::OnEndSession(UINT, WPARAM wParam, LPARAM, bool&) {
    if (wParam != FALSE)
        modal_.Request([this] { DestroyWindow(Hwnd()); }, ModalScope::OnOpen::Close);
    return 0;
}

LRESULT MainPropSheetDlg::OnDestroy(UINT, WPARAM, LPARAM, bool& handled) {
    trayIcon_.Remove();
    if (api_.KORVELINE_UnregisterPnpNotification)
        api_.KORVELINE_UnregisterPnpNotification();
    device_.Close();
    if (loop_ != nullptr) {
        loop_->RemoveMessageFilter(this);
        loop_ = nullptr;
    }
    handled = false;
    return 0;
}

void MainPropSheetDlg::ShowAndActivate() {
    if (!IsWindowVisible(Hwnd()))
        OnBeforeShow();
    ShowWindow(Hwnd(), SW_SHOW);
    SetForegroundWindow(Hwnd());
}

void MainPropSheetDlg::HideOrEnd(int exitCode) {
    modal_.Request(
        [this, exitCode] {
            if (trayIcon_.IsInstalled())
                ShowWindow(Hwnd(), SW_HIDE);
            else
                EndProgram(exitCode);
        },
        ModalScope::OnOpen::Close);
}

void MainPropSheetDlg::EndProgram(int exitCode) {
    DestroyWindow(Hwnd());
    PostQuitMessage(exitCode);
}
