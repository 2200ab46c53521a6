// The entry function: decides from the configuration and the command line whether this
// process becomes the running control panel, hands its request to a running one or ends
// all of them, and runs the main window's message loop.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <memory>

#include "app/AppMessages.h"
#include "app/CommandLine.h"
#include "app/ConfigLoadResult.h"
#include "app/MainPropSheetDlg.h"
#include "app/RemoteCommandListener.h"
#include "app/SingleInstance.h"
#include "app/StartRequestOutcome.h"
#include "framework/StartupTimeline.h"
#include "config/Config.h"
#include "config/CrashDump.h"
#include "driver/DllSearchPath.h"
#include "driver/DriverLoadResult.h"
#include "driver/ErrorReport.h"
#include "driver/KorvelineApiDll.h"
#include "framework/MessageLoop.h"
#include "framework/Module.h"

#ifdef CPL_STARTUP_TIMELINE
#include "app/StartupTimelineRecorder.h"
#else
namespace {
void StartStartupTimeline() {}
} // namespace
#endif

namespace {

// Create can fail without the system naming an error; the run must still end with a
// failure code, never with 0.
DWORD CreateError() {
    DWORD error = GetLastError();
    return error != 0 ? error : ERROR_CAN_NOT_COMPLETE;
}

// The thread's message loop, registered with the module for as long as it lives, so that
// the main window can add its message filter and idle handler to it.
class RegisteredMessageLoop {
public:
    RegisteredMessageLoop() { registered_ = GetModule().AddMessageLoop(&loop_); }
    ~RegisteredMessageLoop() { Unregister(); }
    RegisteredMessageLoop(const RegisteredMessageLoop&) = delete;
    RegisteredMessageLoop& operator=(const RegisteredMessageLoop&) = delete;

    int Run() { return loop_.Run(); }
    void Unregister() {
        if (registered_)
            GetModule().RemoveMessageLoop();
        registered_ = false;
    }

private:
    MessageLoop loop_;
    bool registered_ = false;
};

// The main window, hidden or shown as the start request asks and on the page it names, the
// listener for other instances and the message loop. Returns the quit message's exit code,
// or the error of a failed step after its error report.
int Run(HINSTANCE instance, const StartRequest& request) {
    RegisteredMessageLoop loop;
    // Declared after the loop: the window object goes first, while the loop still exists.
    auto window = std::make_unique<MainPropSheetDlg>();
    MarkStartupStep(L"window object");
    HWND sheet = window->Create();
    MarkStartupStep(L"window created");
    if (sheet == nullptr) {
        DWORD error = CreateError();
        ShowErrorReport(nullptr, L"Run", L"Create", error);
        return static_cast<int>(error);
    }

    if (request.kind == StartRequest::Kind::Page)
        window->ShowPage(request.pageId);
    ShowWindow(sheet, request.kind == StartRequest::Kind::Hidden ? SW_HIDE : SW_SHOWNORMAL);
    MarkStartupStep(L"window shown");
    PostMessageW(sheet, MSG_STARTUP_CHECK, 0, 0);

    RemoteCommandListener listener(instance, sheet, g_config.Settings().instanceName);
    if (DWORD error = listener.StartListening()) {
        ShowErrorReport(nullptr, L"Run", L"StartListening", error);
        return static_cast<int>(error);
    }

    int exitCode = loop.Run();
    listener.StopListening();
    loop.Unregister();
    window.reset(); // its window is already gone
    return exitCode;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    StartStartupTimeline();
    MarkStartupStep(L"entry");
    // Before anything loads a library: a failure keeps the default search, which is not
    // a reason to refuse to start.
    RestrictDllSearchPath();
    InstallCrashHandler(L"KorvelineCplApp", nullptr, kNoSpecialFolder);

    if (std::optional<StatusCode> exitCode = HandleConfigLoadResult(g_config.Load()))
        return static_cast<int>(*exitCode);
    MarkStartupStep(L"configuration and texts loaded");
    const ConfigSettings& settings = g_config.Settings();

    StartRequest request;
    {
        const std::vector<std::wstring> tokens =
            SplitCommandLine(commandLine != nullptr ? commandLine : L"");
        request = EvaluateSwitches(tokens, settings.notificationAreaEnabled);
    }
    if (std::optional<StatusCode> exitCode =
            SettleStartRequest(request, settings.instanceName, [] { Sleep(kExitAllPauseMs); }))
        return static_cast<int>(*exitCode);
    MarkStartupStep(L"command line settled");

    if (std::optional<StatusCode> exitCode =
            HandleDriverLoadResult(TheKorvelineApiDll().Load(settings.driverInterfaceGuid)))
        return static_cast<int>(*exitCode);
    MarkStartupStep(L"driver library bound");

    // Apartment-threaded COM for the shell's dialogs; the result does not matter.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    GetModule().Init(instance);
    MarkStartupStep(L"COM and common controls");

    int exitCode = Run(instance, request);

    GetModule().Term();
    CoUninitialize();
    // The driver library is freed when the process ends.
    return exitCode;
}
