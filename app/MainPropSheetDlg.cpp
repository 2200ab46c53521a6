#include "app/MainPropSheetDlg.h"

#include "app/DevicePageRows.h"
#include "app/PageFitting.h"
#include "framework/StartupTimeline.h"
#include "config/UiTextIds.h"
#include "framework/UniqueAny.h"
#include "resources/resource.h"

namespace {

// The button row is cut off this many pixels below the top of the OK button.
constexpr int kButtonRowCut = 7;

} // namespace

MainPropSheetDlg::MainPropSheetDlg(const KorvelineApiDll& api, const ConfigSettings& settings)
    : MainDlgBase(api, settings), statusPage_(*this) {
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
    SetWindowTextW(Hwnd(), GetUiText(APP_TITLE).c_str());
    ShowWindow(GetDlgItem(Hwnd(), IDOK), SW_HIDE);
    ShowWindow(GetDlgItem(Hwnd(), IDCANCEL), SW_HIDE);
    CutOffButtonRow();
    SetInitializationCompleted();
}

void MainPropSheetDlg::CutOffButtonRow() {
    RECT frame{};
    RECT ok{};
    const HWND okButton = GetDlgItem(Hwnd(), IDOK);
    if (okButton == nullptr || !GetWindowRect(Hwnd(), &frame) || !GetWindowRect(okButton, &ok))
        return;
    SetWindowPos(Hwnd(), nullptr, 0, 0, frame.right - frame.left,
                 ok.top + kButtonRowCut - frame.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainPropSheetDlg::OnBeforeShow() {
    MainDlgBase::OnBeforeShow();
    statusPage_.RefreshPage();
    for (const auto& page : pages_)
        page->RefreshPage();
}

void MainPropSheetDlg::OnDeviceNotification(std::uint32_t code) {
    statusPage_.OnDeviceNotification(code);
    for (const auto& page : pages_)
        page->OnDeviceNotification(code);
}

void MainPropSheetDlg::ShowAsioPage(std::intptr_t) {
    if (PageIndex(kBufferSettingsPageId) < 0 || CurrentPageId() == kBufferSettingsPageId)
        return;
    SelectPage(kBufferSettingsPageId);
}

StatusCode MainPropSheetDlg::PrepareDeviceChange() {
    bool deferred = false;
    const auto ask = [&deferred](PageBase& page) {
        const StatusCode status = page.PrepareDeviceChange();
        deferred = deferred || status == kStatusDeferred;
        return status == kStatusDeferred ? 0 : status;
    };
    for (const auto& page : pages_) {
        if (StatusCode status = ask(*page))
            return status;
    }
    if (StatusCode status = ask(statusPage_))
        return status;
    return deferred ? kStatusDeferred : 0;
}

StatusCode MainPropSheetDlg::UpdateDevices(bool force) {
    if (StatusCode status = MainDlgBase::UpdateDevices(force))
        return status;
    // No device is open now: only the pages that need none are added.
    RebuildPages();
    // The refill posts MSG_DEVICE_SELECTION_CHANGED, which opens the selected device.
    return statusPage_.FillDeviceSelection();
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

LRESULT MainPropSheetDlg::OnDeviceSelectionChanged(UINT, WPARAM, LPARAM, bool&) {
    CloseDevice();
    if (const std::int32_t index = statusPage_.GetSelectedDeviceIndex(); index >= 0) {
        if (StatusCode status = OpenDevice(static_cast<std::uint32_t>(index)))
            ReportError(L"OnDeviceSelectionChanged", L"OpenDevice", status);
    }
    RebuildPages();
    statusPage_.DisplayDeviceData(false);
    return 0;
}

void MainPropSheetDlg::PostFitPage() {
    if (!fitPagePosted_)
        fitPagePosted_ = PostMessageW(Hwnd(), MSG_FIT_PAGE, 0, 0) != FALSE;
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
            CallEntryPoint(Api().KORVELINE_GetDeviceProperties, device, &properties) == 0 &&
            (properties.flags & kDeviceFlagAudioFunction) != 0;
    }
    for (const DevicePageRow& row : DevicePageRows()) {
        if (IsPageShown(row, Settings(), Api(), device, audioFunction))
            AddDevicePage(row.create(*this));
    }

    if (!current || !SelectPage(*current))
        SendMessageW(Hwnd(), PSM_SETCURSEL, 0, 0);
}

void MainPropSheetDlg::AddDevicePage(std::unique_ptr<PageBase> page) {
    if (page && AddPage(page->PageWindow()))
        pages_.push_back(std::move(page));
}
