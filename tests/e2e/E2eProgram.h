#pragma once

// What the end-to-end tests share: install folders of the built program with the simulated
// driver, the program run as its own process, and stand-ins in the test process for a
// running instance.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/ProgramProcess.h"
#include "tests/support/TemporaryInstall.h"

namespace e2e {

// The instance name with no DriverInterfaceGUID configured.
inline const std::wstring kDefaultInstanceName = L"CPL_{C6C0A381-CA04-4973-9BCC-EAC986AA1B4A}";
// A constant, not a string object: globals of other files built from it would otherwise
// depend on the order in which the linker runs the files' initialisers.
inline constexpr wchar_t kAppTitle[] = L"Korveline Control Panel";
// Long enough for a full start of the program under Wine.
constexpr DWORD kStartLimitMs = 30000;

// A configuration file of format 3.0 with these two settings; the rest keeps its defaults.
std::string ConfigurationXml(bool notificationArea, const std::wstring& driverInterfaceGuid = L"");

// A fresh install folder: program, simulated driver and the configuration file.
std::unique_ptr<TemporaryInstall> MakeInstall(bool notificationArea,
                                              const std::wstring& driverInterfaceGuid = L"");
// Installs shared by all tests that only read them, made on first use.
const TemporaryInstall& PlainInstall(); // notification-area icon off
const TemporaryInstall& TrayInstall();  // notification-area icon on

// The library of the interface GUID in HKCR\CLSID\<guid>\InprocServer32, removed again
// when the object goes. Written through HKCR itself: Windows puts it under the user's
// classes, and Wine 8 reads no per-user classes through HKCR at all.
class RegisteredDriverInterface {
public:
    RegisteredDriverInterface(const std::wstring& guid, const std::wstring& libraryPath);
    ~RegisteredDriverInterface();
    RegisteredDriverInterface(const RegisteredDriverInterface&) = delete;
    RegisteredDriverInterface& operator=(const RegisteredDriverInterface&) = delete;
    bool Written() const { return written_; }

private:
    std::wstring guid_;
    bool written_ = false;
};

// An environment variable of this process, inherited by the programs it starts, set for
// the life of the object.
class ScopedEnvironmentVariable {
public:
    ScopedEnvironmentVariable(const wchar_t* name, const std::wstring& value);
    ~ScopedEnvironmentVariable();
    ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
    ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

private:
    const wchar_t* name_;
};

// Top-level windows of the class in every process, or in one process only.
std::vector<HWND> WindowsOfClass(const std::wstring& className, DWORD processId = 0);

// The program started as its own process, with its message boxes recorded and dismissed.
class RunningProgram {
public:
    RunningProgram(const TemporaryInstall& install, const std::wstring& arguments);

    bool Started() const { return process_.Started(); }
    DWORD StartError() const { return process_.StartError(); }
    DWORD Id() const { return process_.Id(); }
    // True once its listener window (class = instance name) exists: start-up is through.
    // False at once when the program ends instead.
    bool WaitUntilListening(const std::wstring& instanceName = kDefaultInstanceName,
                            DWORD limitMs = kStartLimitMs);
    // The property sheet, shown or hidden; null when there is none (yet).
    HWND MainWindow() const;
    std::optional<DWORD> WaitForExit(DWORD limitMs = kStartLimitMs) {
        return process_.WaitForExit(limitMs);
    }
    std::vector<SeenMessageBox> MessageBoxes() const { return watcher_.Seen(); }
    // "[caption: text]" for each box, for failure messages.
    std::wstring BoxTexts() const;

private:
    ProgramProcess process_;
    MessageBoxWatcher watcher_;
};

// True once the window's visibility is `visible`; gives up after limitMs.
bool WaitForVisibility(HWND window, bool visible, DWORD limitMs = 10000);

struct ReceivedCommand {
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const ReceivedCommand&) const = default;
};

// What a running instance shows another start, played by this test process: it holds the
// single-instance mutex and a hidden window of the instance-name class, which records the
// WM_COMMAND messages it is posted and never goes away by itself.
class InstanceStandIn {
public:
    explicit InstanceStandIn(const std::wstring& instanceName = kDefaultInstanceName);
    ~InstanceStandIn();
    InstanceStandIn(const InstanceStandIn&) = delete;
    InstanceStandIn& operator=(const InstanceStandIn&) = delete;

    bool Ready() const { return mutex_ != nullptr && window_ != nullptr; }
    // Dispatches what has been posted so far and returns everything received; clears it.
    std::vector<ReceivedCommand> TakeReceived();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::wstring className_;
    HANDLE mutex_ = nullptr;
    HWND window_ = nullptr;
    std::vector<ReceivedCommand> received_;
};

} // namespace e2e
