#pragma once

// A scripted walk through the whole program on the real main window: a device with every
// page is chosen, every page shown, the write of every page made (including a slider and a
// mute button in the volume dialog), the other device chosen, and one device unplugged and
// plugged again. The fault sweep and the driver-data fuzz run it under a misbehaving
// simulator; each step pumps only until the queue is quiet for a moment, so that a whole
// walk takes well under a second.

#include "tests/support/MainWindowFixture.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// ASCII for test messages; other characters become '?'.
std::string Narrow(const std::wstring& text);

// A call whose failure the step shows in an error box as "operation: step -> 0x...".
// Where the step also makes the same call at silent places (listing devices), a failure
// may land there instead and show nothing.
struct ReportedCall {
    const wchar_t* entryPoint;
    const wchar_t* operation;
    const wchar_t* step;
    bool reportedWheneverItFails = true;
};

// What a write step chose and what its control showed before and after.
struct WriteAttempt {
    const wchar_t* entryPoint;
    std::wstring before;
    std::wstring chosen;
    std::wstring after;
};

struct WalkStep {
    std::wstring name;
    std::vector<ReportedCall> reports;
    // Runs the step; a write step tells what it wrote. A step whose control is missing or
    // disabled does nothing, as a user could not act either.
    std::function<std::optional<WriteAttempt>()> run;
};

class PanelWalkTest : public MainWindowTest {
protected:
    static constexpr std::uint32_t kFullDeviceId = 1;
    static constexpr std::uint32_t kOtherDeviceId = 2;

    // Both devices, the visible configuration of every page.
    void PrepareWorld();
    // The steps, in order; the first creates the window.
    std::vector<WalkStep> Steps();

    // Pumps until nothing arrived for `quietMs`; a queue that is never quiet for five
    // seconds fails the test (the window stopped answering).
    void Settle(DWORD quietMs = 8) { Pump(quietMs, 5000); }
    bool ChooseDevice(const std::wstring& product);
    bool ShowPageQuickly(UINT dialogId);
    void VisitEveryPage();
    // What every page and the volume dialog show, control by control, as text.
    std::wstring Snapshot();

    static constexpr const wchar_t* kFullProduct = L"Sweep Interface";
    static constexpr const wchar_t* kOtherProduct = L"Sweep DAC";

private:
    std::optional<WriteAttempt> ChooseOtherEntry(UINT dialogId, int controlId,
                                                 const wchar_t* entryPoint);
    std::optional<WriteAttempt> CheckOtherRow(UINT dialogId, int controlId, bool uncheck,
                                              const wchar_t* entryPoint);
    std::optional<WriteAttempt> ToggleSafeMode();
    std::optional<WriteAttempt>
    InVolumeDialog(const std::function<std::optional<WriteAttempt>(HWND dialog)>& body);
    std::wstring VolumeDialogSnapshot();
};
