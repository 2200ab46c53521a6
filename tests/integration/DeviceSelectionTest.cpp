// The status page's device selector as the main window fills it from the simulator.
#include "tests/integration/MainWindowHarness.h"

namespace {

using DeviceSelection = MainWindowTest;

TEST_F(DeviceSelection, WithoutDevicesShowsTheDisabledPlaceholderAndOpensNothing) {
    LoadDevices("");
    OpenMainWindow();
    EXPECT_EQ(SelectorTexts(), std::vector<std::wstring>{L"No devices connected."});
    EXPECT_EQ(SelectorItemData(), std::vector<std::uint32_t>{PageStatus::kPlaceholderItemData});
    EXPECT_FALSE(IsWindowEnabled(Selector()));
    EXPECT_EQ(window->StatusPage().GetSelectedDeviceIndex(), -1);
    EXPECT_EQ(window->OpenedDevice(), 0u);
    EXPECT_TRUE(Calls(L"KORVELINE_OpenDeviceByIndex").empty());
    EXPECT_EQ(window->PageCount(), 1) << "only the status page";
}

} // namespace
