#include "tests/e2e/E2eProgram.h"

#include "tests/support/MessagePump.h"

#include <utility>

namespace e2e {

namespace {

// The tab control every property sheet has: it tells the sheet from a message box, which
// has the same window class and caption.
constexpr int kSheetTabControlId = 0x3020;

std::string Narrow(const std::wstring& ascii) {
    return std::string(ascii.begin(), ascii.end());
}

std::wstring ClassNameOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

} // namespace

std::string ConfigurationXml(bool notificationArea, const std::wstring& driverInterfaceGuid) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<ControlPanel FormatVersionMajor=\"3\" FormatVersionMinor=\"0\">\n"
           "  <DriverInterfaceGUID>" +
           Narrow(driverInterfaceGuid) +
           "</DriverInterfaceGUID>\n"
           "  <NotificationArea><Enable>" +
           std::string(notificationArea ? "true" : "false") +
           "</Enable></NotificationArea>\n"
           "</ControlPanel>\n";
}

std::unique_ptr<TemporaryInstall> MakeInstall(bool notificationArea,
                                              const std::wstring& driverInterfaceGuid) {
    auto install = std::make_unique<TemporaryInstall>();
    if (!install->AddProgram() || !install->AddDriverLibrary() ||
        !install->WriteConfiguration(ConfigurationXml(notificationArea, driverInterfaceGuid)))
        return nullptr;
    return install;
}

const TemporaryInstall& PlainInstall() {
    static const std::unique_ptr<TemporaryInstall> install = MakeInstall(false);
    return *install;
}

const TemporaryInstall& TrayInstall() {
    static const std::unique_ptr<TemporaryInstall> install = MakeInstall(true);
    return *install;
}

RegisteredDriverInterface::RegisteredDriverInterface(const std::wstring& guid,
                                                     const std::wstring& libraryPath)
    : guid_(guid) {
    const std::wstring path = L"CLSID\\" + guid + L"\\InprocServer32";
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return;
    written_ = RegSetValueExW(
                   key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(libraryPath.c_str()),
                   static_cast<DWORD>((libraryPath.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    RegCloseKey(key);
}

RegisteredDriverInterface::~RegisteredDriverInterface() {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + guid_).c_str());
}

ScopedEnvironmentVariable::ScopedEnvironmentVariable(const wchar_t* name, const std::wstring& value)
    : name_(name) {
    SetEnvironmentVariableW(name_, value.c_str());
}

ScopedEnvironmentVariable::~ScopedEnvironmentVariable() {
    SetEnvironmentVariableW(name_, nullptr);
}

std::vector<HWND> WindowsOfClass(const std::wstring& className, DWORD processId) {
    struct Search {
        const std::wstring& className;
        DWORD processId;
        std::vector<HWND> found;
    } search{className, processId, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if ((search.processId == 0 || owner == search.processId) &&
                ClassNameOf(window) == search.className)
                search.found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

RunningProgram::RunningProgram(const TemporaryInstall& install, const std::wstring& arguments)
    : process_(install.ProgramPath(), arguments), watcher_(process_.Id()) {}

bool RunningProgram::WaitUntilListening(const std::wstring& instanceName, DWORD limitMs) {
    ULONGLONG end = GetTickCount64() + limitMs;
    while (Started() && !process_.WaitForExit(0).has_value()) {
        if (!WindowsOfClass(instanceName, Id()).empty())
            return true;
        if (GetTickCount64() >= end)
            break;
        Sleep(20);
    }
    return false;
}

std::wstring RunningProgram::BoxTexts() const {
    std::wstring texts;
    for (const SeenMessageBox& box : watcher_.Seen())
        texts += L"[" + box.caption + L": " + box.text + L"]";
    return texts;
}

HWND RunningProgram::MainWindow() const {
    for (HWND window : WindowsOfClass(L"#32770", Id()))
        if (GetDlgItem(window, kSheetTabControlId) != nullptr)
            return window;
    return nullptr;
}

bool WaitForVisibility(HWND window, bool visible, DWORD limitMs) {
    ULONGLONG end = GetTickCount64() + limitMs;
    do {
        if ((IsWindowVisible(window) != FALSE) == visible)
            return true;
        Sleep(20);
    } while (GetTickCount64() < end);
    return false;
}

InstanceStandIn::InstanceStandIn(const std::wstring& instanceName) : className_(instanceName) {
    mutex_ = CreateMutexW(nullptr, FALSE, className_.c_str());
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className_.c_str();
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, className_.c_str(), L"", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

InstanceStandIn::~InstanceStandIn() {
    if (window_ != nullptr)
        DestroyWindow(window_);
    UnregisterClassW(className_.c_str(), GetModuleHandleW(nullptr));
    if (mutex_ != nullptr)
        CloseHandle(mutex_);
    PumpPendingMessages();
}

std::vector<ReceivedCommand> InstanceStandIn::TakeReceived() {
    PumpPendingMessages();
    return std::exchange(received_, {});
}

LRESULT CALLBACK InstanceStandIn::WindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    auto* self = reinterpret_cast<InstanceStandIn*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_COMMAND) {
        self->received_.push_back({wParam, lParam});
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace e2e
