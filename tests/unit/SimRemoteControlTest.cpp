// korvelinesim.exe drives the simulator inside another process: this test runs itself as
// a child that loads the simulator and behaves like the panel (PnP window, open device,
// notification event), and unplugs, plugs and changes a rate in it from outside.

#include "app/AppMessages.h"
#include "sim/SimStatus.h"
#include "tests/support/ChildModes.h"
#include "tests/support/ProgramProcess.h"
#include "tests/support/SimulatorTestBase.h"

#include <string>
#include <vector>

namespace {

// Runs korvelinesim.exe with the arguments and collects what it prints.
ConsoleRun RunTool(const std::wstring& arguments) {
    return RunConsoleProgram(SimulatorCliPath(), arguments);
}

// --- the child: a minimal panel on the simulator --------------------------------------------

std::vector<WPARAM> pnpReceived;

LRESULT CALLBACK ChildWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == MSG_PNP_CHANGED)
        pnpReceived.push_back(wParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

// Pumps messages until the PnP message with `change` arrived (20 s at most).
bool WaitForPnp(WPARAM change) {
    for (int i = 0; i < 2000; ++i) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        if (!pnpReceived.empty() && pnpReceived.back() == change)
            return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return false;
}

int RemoteChild(int, wchar_t**) {
    SimulatorLibrary sim;
    auto registerPnp =
        sim.Entry<PFN_KORVELINE_RegisterPnpNotification>("KORVELINE_RegisterPnpNotification");
    auto enumerate = sim.Entry<PFN_KORVELINE_EnumerateDevices>("KORVELINE_EnumerateDevices");
    auto open = sim.Entry<PFN_KORVELINE_OpenDeviceByIndex>("KORVELINE_OpenDeviceByIndex");
    auto close = sim.Entry<PFN_KORVELINE_CloseDevice>("KORVELINE_CloseDevice");
    auto properties = sim.Entry<PFN_KORVELINE_GetDeviceProperties>("KORVELINE_GetDeviceProperties");
    auto registerEvent =
        sim.Entry<PFN_KORVELINE_RegisterDeviceNotification>("KORVELINE_RegisterDeviceNotification");
    auto read = sim.Entry<PFN_KORVELINE_ReadDeviceNotification>("KORVELINE_ReadDeviceNotification");
    auto rate = sim.Entry<PFN_KORVELINE_GetCurrentSampleRate>("KORVELINE_GetCurrentSampleRate");
    if (!sim.Loaded() || !registerPnp || !read)
        return 9;

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ChildWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"SimRemoteChild";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(L"SimRemoteChild", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                windowClass.hInstance, nullptr);
    HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    DeviceHandle before = 0;
    if (open(0, &before) || registerEvent(before, kAllDeviceNotifications, event, 0))
        return 9;
    // The parent waits for this registration before it acts.
    registerPnp(nullptr, nullptr, window, MSG_PNP_CHANGED, 0);

    if (!WaitForPnp(kDeviceChangeRemoval))
        return 10;
    std::uint32_t value = 0;
    if (rate(before, &value) != kSimDeviceRemoved)
        return 11;
    registerEvent(before, 0, nullptr, 0);
    close(before);

    if (!WaitForPnp(kDeviceChangeArrival))
        return 12;
    enumerate();
    DeviceHandle after = 0;
    DeviceProperties identity{};
    if (open(0, &after) || properties(after, &identity) ||
        std::wstring(identity.product) != L"Korveline D2 Stereo DAC")
        return 13;
    registerEvent(after, kAllDeviceNotifications, event, 0);

    if (WaitForSingleObject(event, 20000) != WAIT_OBJECT_0)
        return 14;
    std::uint32_t id = 0, bytes = 0;
    std::uint8_t data[kDeviceNotificationDataSize];
    bool rateChanged = false;
    while (read(after, &id, data, sizeof data, &bytes) == 0)
        rateChanged = rateChanged || id == kDeviceNotificationSampleRate;
    if (!rateChanged)
        return 15;
    if (rate(after, &value) || value != 96000)
        return 16;
    close(after);
    DestroyWindow(window);
    CloseHandle(event);
    return 0;
}

const bool registered = RegisterChildMode(L"sim-remote", RemoteChild);

// Polls the child's simulator with a command until its reply contains `text` (30 s at most).
bool WaitForReply(const std::wstring& pid, const std::wstring& command, const std::string& text) {
    for (int i = 0; i < 300; ++i) {
        ConsoleRun run = RunTool(L"--pid " + pid + L" " + command);
        if (run.exitCode == 0u && run.output.find(text) != std::string::npos)
            return true;
        Sleep(100);
    }
    return false;
}

TEST(SimRemoteControl, UnplugPlugAndRateChangeReachAnotherProcess) {
    HANDLE child = StartSelfAsChild(L"sim-remote", L"");
    ASSERT_NE(child, nullptr);
    std::wstring pid = std::to_wstring(GetProcessId(child));

    EXPECT_TRUE(WaitForReply(pid, L"status", "pnp window registered"));
    ConsoleRun refused = RunTool(L"--pid " + pid + L" set-rate 77 48000");
    EXPECT_EQ(refused.exitCode, 1u);
    EXPECT_NE(refused.output.find("0xEE00000A"), std::string::npos) << refused.output;
    ConsoleRun help = RunTool(L"--pid " + pid + L" help");
    EXPECT_EQ(help.exitCode, 0u);
    EXPECT_NE(help.output.find("set-clients DEVICE STREAMING WDM ASIO"), std::string::npos);

    ConsoleRun unplug = RunTool(L"--pid " + pid + L" unplug 1");
    EXPECT_EQ(unplug.exitCode, 0u) << unplug.output;
    EXPECT_EQ(RunTool(L"--pid " + pid + L" unplug 1").exitCode, 1u) << "already unplugged";
    EXPECT_EQ(RunTool(L"--pid " + pid + L" plug 1").exitCode, 0u);
    // The child has reopened the DAC once the list shows one handle on it.
    EXPECT_TRUE(WaitForReply(pid, L"list", "1  plugged    1 open"));
    EXPECT_EQ(RunTool(L"--pid " + pid + L" set-rate 1 96000").exitCode, 0u);

    DWORD code = ~0u;
    if (WaitForSingleObject(child, 30000) == WAIT_OBJECT_0)
        GetExitCodeProcess(child, &code);
    else
        TerminateProcess(child, ~0u);
    CloseHandle(child);
    EXPECT_EQ(code, 0u) << "the child's failing step";
}

TEST(SimRemoteControl, ToolExitCodesTellUsageAndNoSimulator) {
    EXPECT_EQ(RunTool(L"").exitCode, 2u);
    EXPECT_EQ(RunTool(L"--pid x list").exitCode, 2u);
    EXPECT_EQ(RunTool(L"--pipe \\\\.\\pipe\\korvelinesim-nobody list").exitCode, 3u);
}

} // namespace
