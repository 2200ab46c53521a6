#pragma once

// The real main window in the test process, with the simulated driver bound through the
// process's KorvelineApiDll. Each test describes its devices, sets the configuration it
// needs, creates the window and drives it the way user actions and the driver's messages
// arrive, pumping the queue until it is quiet.

#include "app/MainPropSheetDlg.h"
#include "config/WnUiLanguageText.h"
#include "tests/support/SimulatorTestBase.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

// The language-text table the tests' windows read; a test that translates applies its
// text, and every test starts with the built-in defaults.
WnUiLanguageText& WnUiLanguageTextForTest();

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

    // Dispatches messages until none came for `quietMs`; a quit message is recorded.
    void Pump(DWORD quietMs = 250);
    void Command(UINT id);

    HWND Selector() const;
    std::vector<std::wstring> SelectorTexts() const;
    std::vector<std::uint32_t> SelectorItemData() const;
    // Selects a position and notifies the page as the drop-down list would.
    void ChooseEntry(int position);
    std::wstring SampleRateLine() const;

    // The logged calls of one entry point, e.g. Calls("KORVELINE_OpenDeviceByIndex").
    std::vector<std::wstring> Calls(const std::wstring& entryPoint) const;

    ConfigSettings settings;
    std::unique_ptr<MainPropSheetDlg> window;
    std::optional<int> quitCode;
};
