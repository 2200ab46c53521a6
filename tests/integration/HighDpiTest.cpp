// Page fitting with real windows at 144 DPI. Wine takes the system DPI from the registry
// when a process starts, so the check runs in a child started while the value is 144.
#include "app/PageFitting.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/ChildModes.h"
#include "tests/support/MessagePump.h"

namespace {

constexpr DWORD kTestDpi = 144;
const wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

enum ChildResult : int {
    kFitted = 0,
    kNoDriver = 10,
    kNoWindow,
    kWrongDpi,
    kWrongPageSize,
};

RECT ScreenRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// Opens the main window at the system DPI, makes it larger and checks the page's size.
int FitPageAtSystemDpi(int, wchar_t**) {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    WnUiLanguageTextForTest().BuildTextTable();
    if (TheKorvelineApiDll().LoadFromPath(SimulatorDllPath(), true, kRequiredApiMajor,
                                          kRequiredApiMinor) != 0)
        return kNoDriver;
    Simulator().Reset();
    Simulator().LoadScenarioText("<Scenario>" + DeviceXml(1, "Alpha DAC", "A-1") + "</Scenario>");
    MessageLoop loop;
    GetModule().AddMessageLoop(&loop);
    ConfigSettings settings;
    MainPropSheetDlg window(TheKorvelineApiDll(), settings);
    if (!window.Create())
        return kNoWindow;
    ShowWindow(window.Hwnd(), SW_SHOW);
    PumpMessagesFor(200);
    if (window.ScreenDpi() != kTestDpi)
        return kWrongDpi;
    const RECT frame = ScreenRect(window.Hwnd());
    SetWindowPos(window.Hwnd(), nullptr, 0, 0, frame.right - frame.left + 150,
                 frame.bottom - frame.top + 90, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessagesFor(200);
    const HWND tabs = window.TabControl();
    const RECT area = ScreenRect(tabs);
    const int rows = static_cast<int>(SendMessageW(tabs, TCM_GETROWCOUNT, 0, 0));
    const SIZE expected =
        FittedPageSize({area.right - area.left, area.bottom - area.top}, rows, kTestDpi);
    const RECT page = ScreenRect(window.StatusPage().Hwnd());
    const bool fitted =
        page.right - page.left == expected.cx && page.bottom - page.top == expected.cy;
    DestroyWindow(window.Hwnd());
    GetModule().RemoveMessageLoop();
    return fitted ? kFitted : kWrongPageSize;
}

const bool registered = RegisterChildMode(L"fit-page-at-system-dpi", FitPageAtSystemDpi);

// Sets the system DPI for processes started while it lives, and puts the old value back.
class SystemDpi {
public:
    explicit SystemDpi(DWORD dpi) {
        DWORD size = sizeof old_;
        hadValue_ = RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", RRF_RT_REG_DWORD,
                                 nullptr, &old_, &size) == ERROR_SUCCESS;
        RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
    }
    ~SystemDpi() {
        if (hadValue_)
            RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", REG_DWORD, &old_,
                            sizeof old_);
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels");
    }

private:
    DWORD old_ = 0;
    bool hadValue_ = false;
};

} // namespace

TEST(HighDpi, ThePageFitsIntoTheTabsAt144Dpi) {
    SystemDpi dpi(kTestDpi);
    EXPECT_EQ(RunSelfAsChild(L"fit-page-at-system-dpi", L"", 60000),
              static_cast<unsigned long>(kFitted));
}
