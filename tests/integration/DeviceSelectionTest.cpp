// The status page's device selector as the main window fills it from the simulator.
#include "tests/support/MainWindowFixture.h"

#include <algorithm>

namespace {

using DeviceSelection = MainWindowTest;
using Texts = std::vector<std::wstring>;
using ItemData = std::vector<std::uint32_t>;
constexpr std::uint32_t kPlaceholder = PageStatus::kPlaceholderItemData;

const std::string kMidiOnly = "audioFunction=\"false\"";

TEST_F(DeviceSelection, WithoutDevicesShowsTheDisabledPlaceholderAndOpensNothing) {
    LoadDevices("");
    OpenMainWindow();
    EXPECT_EQ(SelectorTexts(), Texts{L"No devices connected."});
    EXPECT_EQ(SelectorItemData(), ItemData{kPlaceholder});
    EXPECT_FALSE(IsWindowEnabled(Selector()));
    EXPECT_EQ(window->StatusPage().GetSelectedDeviceIndex(), -1);
    EXPECT_EQ(window->OpenedDevice(), 0u);
    EXPECT_TRUE(Calls(L"KORVELINE_OpenDeviceByIndex").empty());
    EXPECT_EQ(window->PageCount(), 2) << "only the status and about pages";
}

TEST_F(DeviceSelection, OneDeviceIsListedAloneAndOpenedAtOnce) {
    LoadDevices(DeviceXml(1, "Alpha DAC", "A-1"));
    OpenMainWindow();
    EXPECT_EQ(SelectorTexts(), Texts{L"Alpha DAC (A-1)"});
    EXPECT_FALSE(IsWindowEnabled(Selector())) << "a single device cannot be changed";
    EXPECT_EQ(window->StatusPage().GetSelectedDeviceIndex(), 0);
    EXPECT_NE(window->OpenedDevice(), 0u);
    // The page's first display and the start-up update each fill the list; the window
    // opens the device once for both.
    const auto registrations = Calls(L"KORVELINE_RegisterDeviceNotification");
    const auto ended =
        std::count_if(registrations.begin(), registrations.end(), [](const std::wstring& call) {
            return call.find(L", 0, null, 0)") != std::wstring::npos;
        });
    EXPECT_EQ(registrations.size() - static_cast<std::size_t>(ended), ended + 1u)
        << "exactly one registration remains";
    EXPECT_EQ(ended, 0) << "the device was opened more than once";
}

TEST_F(DeviceSelection, TwoDevicesWaitForAChoiceThatRemovesThePlaceholder) {
    LoadDevices(DeviceXml(1, "Alpha DAC", "A-1") + DeviceXml(2, "Beta Interface", "B-2"));
    OpenMainWindow();
    EXPECT_EQ(SelectorTexts(),
              (Texts{L"Please select a device.", L"Alpha DAC (A-1)", L"Beta Interface (B-2)"}));
    EXPECT_TRUE(IsWindowEnabled(Selector()));
    EXPECT_EQ(window->OpenedDevice(), 0u) << "nothing is opened before the user chooses";

    ChooseEntry(0);
    EXPECT_EQ(window->OpenedDevice(), 0u) << "the placeholder itself opens nothing";
    EXPECT_EQ(SelectorTexts().size(), 3u);

    Simulator().ClearCallLog();
    ChooseEntry(2);
    EXPECT_EQ(SelectorTexts(), (Texts{L"Alpha DAC (A-1)", L"Beta Interface (B-2)"}));
    EXPECT_EQ(window->StatusPage().GetSelectedDeviceIndex(), 1);
    EXPECT_NE(window->OpenedDevice(), 0u);
    EXPECT_EQ(Calls(L"KORVELINE_OpenDeviceByIndex"), Texts{L"KORVELINE_OpenDeviceByIndex(1, ptr)"});

    ChooseEntry(0);
    EXPECT_EQ(window->StatusPage().GetSelectedDeviceIndex(), 0) << "the other device";
    EXPECT_EQ(SelectorTexts().size(), 2u);
}

// A refill between the user's choice and its settling leaves the new list as it is, with
// its placeholder and no device open: the same two devices, and none (a count of 0).
TEST_F(DeviceSelection, AChoiceSettledAfterARefillLeavesTheNewListAlone) {
    const Texts placeholderFirst{L"Please select a device.", L"Alpha DAC (A-1)",
                                 L"Beta Interface (B-2)"};
    for (const Texts& listAfter : {placeholderFirst, Texts{L"No devices connected."}}) {
        LoadDevices(DeviceXml(1, "Alpha DAC", "A-1") + DeviceXml(2, "Beta Interface", "B-2"));
        OpenMainWindow();
        ChooseComboEntry(Selector(), 1, false);
        if (listAfter.size() == 1)
            Simulator().Fail("KORVELINE_GetDeviceCount", 0, kSimFailAlways);
        SendMessageW(Hwnd(), MSG_PNP_CHANGED, 1, 0);
        Pump();
        Simulator().Fail("KORVELINE_GetDeviceCount", 0, kSimFailOff);
        EXPECT_EQ(SelectorTexts(), listAfter);
        EXPECT_EQ(window->OpenedDevice(), 0u) << "the user chooses again";
        window.reset();
    }
}

// Real key presses: the list handles the key around its notification, so a placeholder
// removed too early would shift the choice onto the next device.
TEST_F(DeviceSelection, ChoosingWithTheKeyboardOpensTheDeviceUnderTheCursor) {
    LoadDevices(DeviceXml(1, "Alpha DAC", "A-1") + DeviceXml(2, "Beta Interface", "B-2") +
                DeviceXml(3, "Gamma Mixer", "G-3"));
    OpenMainWindow();
    FocusControl(Selector());
    ASSERT_EQ(GetFocus(), Selector());
    Simulator().ClearCallLog();

    PressKey(VK_DOWN);
    EXPECT_EQ(SelectorTexts(),
              (Texts{L"Alpha DAC (A-1)", L"Beta Interface (B-2)", L"Gamma Mixer (G-3)"}));
    EXPECT_EQ(ComboSelectedText(Selector()), L"Alpha DAC (A-1)");
    EXPECT_EQ(Calls(L"KORVELINE_OpenDeviceByIndex"), Texts{L"KORVELINE_OpenDeviceByIndex(0, ptr)"});

    Simulator().ClearCallLog();
    PressKey(VK_DOWN);
    EXPECT_EQ(ComboSelectedText(Selector()), L"Beta Interface (B-2)");
    EXPECT_EQ(Calls(L"KORVELINE_OpenDeviceByIndex"), Texts{L"KORVELINE_OpenDeviceByIndex(1, ptr)"});
}

TEST_F(DeviceSelection, EntriesAreSortedAndKeepTheirEnumerationIndex) {
    settings.statusSerialNumber = Visibility::Hidden;
    LoadDevices(DeviceXml(1, "delta", "1") + DeviceXml(2, "Bravo", "2") +
                DeviceXml(3, "charlie", "3"));
    OpenMainWindow();
    EXPECT_EQ(SelectorTexts(), (Texts{L"Please select a device.", L"Bravo", L"charlie", L"delta"}));
    EXPECT_EQ(SelectorItemData(), (ItemData{kPlaceholder, 1, 2, 0}));
}

TEST_F(DeviceSelection, MidiOnlyDevicesAreListedOnlyWhenConfigured) {
    const std::string devices = DeviceXml(1, "Alpha DAC", "A-1") +
                                DeviceXml(2, "Keys", "K-2", kMidiOnly) +
                                DeviceXml(3, "Pads", "P-3", kMidiOnly);
    LoadDevices(devices);
    OpenMainWindow();
    EXPECT_EQ(SelectorTexts(), Texts{L"Alpha DAC (A-1)"});
    EXPECT_NE(window->OpenedDevice(), 0u);
    window.reset();

    settings.showMidiOnlyDevices = true;
    OpenMainWindow();
    EXPECT_EQ(SelectorTexts(), (Texts{L"Please select a device.", L"Alpha DAC (A-1)", L"Keys (K-2)",
                                      L"Pads (P-3)"}));
    ChooseEntry(2);
    EXPECT_NE(window->OpenedDevice(), 0u) << "a MIDI-only device can be opened";
    EXPECT_EQ(window->PageCount(), 4) << "status, client info, info and about";
}

TEST_F(DeviceSelection, SerialNumbersFollowTheirVisibility) {
    const std::string devices = DeviceXml(1, "Alpha DAC", "A-1") +
                                DeviceXml(2, "Keys", "K-2", kMidiOnly) + DeviceXml(3, "Gamma", "");
    struct Case {
        Visibility visibility;
        Texts texts;
    };
    const Case cases[] = {
        {Visibility::Hidden, {L"Please select a device.", L"Alpha DAC", L"Gamma"}},
        {Visibility::Visible, {L"Please select a device.", L"Alpha DAC (A-1)", L"Gamma"}},
        {Visibility::Auto, {L"Please select a device.", L"Alpha DAC (A-1)", L"Gamma"}},
    };
    LoadDevices(devices);
    for (const Case& c : cases) {
        settings.statusSerialNumber = c.visibility;
        OpenMainWindow();
        EXPECT_EQ(SelectorTexts(), c.texts) << static_cast<int>(c.visibility);
        window.reset();
    }
}

// "auto" counts the driver's devices, including those the list leaves out.
TEST_F(DeviceSelection, AutoSerialNumberCountsDevicesThatAreNotListed) {
    settings.statusSerialNumber = Visibility::Auto;
    LoadDevices(DeviceXml(1, "Alpha DAC", "A-1") + DeviceXml(2, "Keys", "K-2", kMidiOnly));
    OpenMainWindow();
    EXPECT_EQ(SelectorTexts(), Texts{L"Alpha DAC (A-1)"});
    window.reset();

    LoadDevices(DeviceXml(1, "Alpha DAC", "A-1"));
    OpenMainWindow();
    EXPECT_EQ(SelectorTexts(), Texts{L"Alpha DAC"});
}

TEST_F(DeviceSelection, DevicesInUsbModeOneOrFailingToOpenAreLeftOut) {
    LoadDevices(DeviceXml(1, "Alpha DAC", "A-1") + DeviceXml(2, "Hidden", "H", "usbMode=\"1\"") +
                DeviceXml(3, "Gamma", "G-3"));
    OpenMainWindow();
    EXPECT_EQ(SelectorTexts(),
              (Texts{L"Please select a device.", L"Alpha DAC (A-1)", L"Gamma (G-3)"}));

    Simulator().Fail("KORVELINE_GetDeviceProperties", 0xEE000123, kSimFailOnce);
    Simulator().ClearCallLog();
    SendMessageW(Hwnd(), MSG_PNP_CHANGED, 1, 0);
    Pump();
    EXPECT_EQ(SelectorTexts(), Texts{L"Gamma (G-3)"}) << "the first device failed to be read";
    EXPECT_EQ(SelectorItemData(), ItemData{2});
    EXPECT_NE(window->OpenedDevice(), 0u);
    EXPECT_EQ(Calls(L"KORVELINE_CloseDevice").size() + 1,
              Calls(L"KORVELINE_OpenDeviceByIndex").size())
        << "every device the list opened is closed again";
}

} // namespace
