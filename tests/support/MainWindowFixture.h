#pragma once

// The fixture of every window and page test: the real main window in the test process,
// with the simulated driver bound through the process's KorvelineApiDll. Each test
// describes its devices, sets the configuration it needs, creates the window, picks a
// device and a page, and drives the page's controls the way user actions and the driver's
// messages arrive, pumping the queue until it is quiet; then it asserts on what the
// controls show, on the simulator's call log and on the error boxes that came up.

#include "app/MainPropSheetDlg.h"
#include "config/WnUiLanguageText.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/SimulatorTestBase.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// The language-text table the tests' windows read; a test that translates applies its
// text, and every test starts with the built-in defaults.
WnUiLanguageText& WnUiLanguageTextForTest();

// Sends one key press through the system's input, while the `held` keys (VK_CONTROL,
// VK_SHIFT, VK_MENU) are down; the caller pumps.
void SendKey(WORD virtualKey, std::initializer_list<WORD> held = {});

// A <Device> element; `inner` goes inside it (sample rates, clock sources, formats).
std::string DeviceXml(int id, const std::string& product, const std::string& serial,
                      const std::string& attributes = "", const std::string& inner = "");

class MainWindowTest : public testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Replaces the simulator's world by these devices (no ASIO instances).
    void LoadDevices(const std::string& devicesXml);
    // Creates the window, shows it unless `show` is false, and pumps.
    MainPropSheetDlg& OpenMainWindow(bool show = true);
    HWND Hwnd() const { return window->Hwnd(); }

    // Dispatches messages until none came for `quietMs`, through the main window's dialog
    // message filter as the program's loop does (Tab moves the focus); a quit message is
    // recorded. Messages that keep coming for `limitMs` fail the test, naming the last
    // ones; time inside a dispatch (a modal window's whole life) does not count.
    void Pump(DWORD quietMs = 250, DWORD limitMs = 20000);
    void Command(UINT id);

    HWND Selector() const;
    std::vector<std::wstring> SelectorTexts() const;
    std::vector<std::uint32_t> SelectorItemData() const;
    // Selects a position and notifies the page as the drop-down list would.
    void ChooseEntry(int position);
    std::wstring SampleRateLine() const;

    // The logged calls of one entry point, e.g. Calls("KORVELINE_OpenDeviceByIndex").
    std::vector<std::wstring> Calls(const std::wstring& entryPoint) const;
    void ClearCalls() const { Simulator().ClearCallLog(); }
    // A logged call on the open device: DeviceCall(L"KORVELINE_SetSampleRate", L"48000").
    std::wstring DeviceCall(const std::wstring& entryPoint, const std::wstring& arguments) const;

    // --- pages ---
    // Loads these devices, opens the shown window and chooses the device whose selector
    // entry has this enumeration index (with a single device it opens by itself).
    void OpenWithDevice(const std::string& devicesXml, std::uint32_t deviceIndex = 0);
    // Shows every page of the page table and opens the device that has them all; a page
    // of the table the panel did not build fails the test.
    void OpenWithEveryPage();
    // Makes the page with this dialog id current, as a click on its tab does; its window
    // (null when the page set has no such page).
    HWND ShowPage(UINT dialogId);
    // Makes each page current in tab order and runs `body` with its window.
    void ForEveryPage(const std::function<void(HWND page)>& body);
    bool HasPage(UINT dialogId) const;
    HWND PageControl(UINT dialogId, int controlId) const;
    // The page object with this dialog id (null when the page set has no such page).
    PageBase* Page(UINT dialogId) const;
    // The open device (by its scenario id) is unplugged while the window is hidden: the
    // device is closed, and the pages stay without a device until the window is shown
    // again, which is how a page comes to be shown with no device open.
    void LoseDeviceWhileHidden(std::uint32_t deviceId);

    // A binding of the simulator of this test's own, which the next OpenMainWindow (and
    // OpenWithDevice) hands to the window. A test clears an entry point in it to stand for
    // an older library whose API version is below that entry point's gate.
    KorvelineApiDll& OwnBinding();

    // --- drop-down lists ---
    static std::vector<std::wstring> ComboTexts(HWND comboBox);
    static std::vector<std::uint32_t> ComboItemData(HWND comboBox);
    // The selected entry's text; empty when none is selected.
    static std::wstring ComboSelectedText(HWND comboBox);
    // Selects a position of a page's list and notifies the page as the list would; pumps
    // unless `pump` is false.
    void ChooseComboEntry(HWND comboBox, int position, bool pump = true);

    // --- real input, as a user's keyboard gives it (the window must be in front) ---
    // Brings the control's top-level window (the main window or a dialog) to the front.
    void FocusControl(HWND control);
    // The key, pressed while the `held` keys (VK_CONTROL, VK_SHIFT, VK_MENU) are down.
    void PressKey(WORD virtualKey, std::initializer_list<WORD> held = {});

    // The boxes shown since the test started; each is dismissed with OK unless the test
    // holds them open (MessageBoxWatcher::Dismiss).
    MessageBoxWatcher& Boxes() const { return *boxes_; }
    // The first box is held open until `whileOpen` has run on the returned thread (which
    // the test joins), while the box's modal loop runs the window's messages.
    std::thread WithErrorBoxHeldOpen(std::function<void()> whileOpen) const;
    std::vector<SeenMessageBox> ErrorBoxes() const { return boxes_->Seen(); }

    ConfigSettings settings;
    // The scenario's <Driver> element for LoadDevices (version, debug build).
    std::string driverXml = "<Driver version=\"1.0.0\"/>";
    // Further attributes of the scenario's root, such as oddData="true".
    std::string scenarioAttributes;
    std::unique_ptr<MainPropSheetDlg> window;
    std::optional<int> quitCode;

private:
    std::unique_ptr<MessageBoxWatcher> boxes_;
    std::unique_ptr<KorvelineApiDll> ownBinding_;
};
