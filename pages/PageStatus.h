#pragma once

#include "pages/PageT.h"

#include "framework/StartupTimeline.h"
#include "pages/ComboBoxItems.h"
#include "resources/dialogs/PageStatus.h"

#include <cstdint>
#include <optional>
#include <vector>

// The first tab, present whether or not a device is open: the device selector, from which
// the user picks the device the main window opens, and the current sample rate of the
// open device. The main window holds it for its whole life.
class PageStatus : public PageT<PageStatus> {
public:
    static constexpr UINT IDD = IDD_PAGE_STATUS;
    static constexpr int kDeviceGroup = IDC_STATUS_DEVICE_GROUP;
    static constexpr int kDeviceSelector = IDC_STATUS_DEVICE_SELECTION;
    static constexpr int kSampleRateGroup = IDC_STATUS_SAMPLE_RATE_GROUP;
    static constexpr int kSampleRateLine = IDC_STATUS_SAMPLE_RATE;
    static constexpr ResizeRule kResizeRules[] = {
        {kDeviceGroup, kStretchX | kRepaint},
        {kDeviceSelector, kStretchX | kRepaint},
        {kSampleRateGroup, kStretchX | kRepaint},
        {kSampleRateLine, kStretchX | kRepaint},
    };
    // The item data of a selector entry that is not a device.
    static constexpr std::uint32_t kPlaceholderItemData = 0xFFFFFFF0;

    explicit PageStatus(PageHost& host);

    // Rebuilds the selector from the driver, selects its first entry and posts
    // MSG_DEVICE_SELECTION_CHANGED to the main window. 0, or the first failure met while
    // reading the devices (those devices are left out).
    StatusCode FillDeviceSelection();
    // The enumeration index of the selected device; -1 for none or a placeholder.
    std::int32_t GetSelectedDeviceIndex() const;
    // Shows the open device's current sample rate, under the guards of every refresh.
    void ShowCurrentSampleRate() { Refresh(false); }

    BEGIN_MSG_MAP(PageStatus)
    COMMAND_CALL(kDeviceSelector, CBN_SELCHANGE, RememberChosenDevice())
    MESSAGE_HANDLER(MSG_SETTLE_SELECTION, OnSettleSelection)
    CHAIN_MSG_MAP(PageT<PageStatus>)
    END_MSG_MAP()

private:
    void InitControls() override;
    void OnPageInitialized() override {
        MarkStartupStep(L"status page dialog created");
        FillDeviceSelection();
        MarkStartupStep(L"device list filled");
    }
    void RefreshContents(DeviceHandle device, const KorvelineApiDll& api) override;

    // The usable devices, with the first failure met while reading them.
    std::vector<combo_box::Entry> ReadDeviceEntries(StatusCode& firstError) const;
    void RememberChosenDevice();
    LRESULT OnSettleSelection(UINT, WPARAM, LPARAM, bool&);

    HWND selector_ = nullptr;
    HWND sampleRateLine_ = nullptr;
    // The user's choice, until the list is done: its item data, or none for a placeholder.
    // Empty while no settling is due: a refill in between voids it, since the new list
    // has its own placeholder and indexes and posts its own selection request.
    std::optional<std::optional<std::uint32_t>> choiceToSettle_;
};
