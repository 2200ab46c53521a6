#pragma once

#include "pages/PageT.h"

#include "controls/AsioDeviceListCtrl.h"
#include "driver/DriverRecords.h"
#include "pages/AsioInstComboCtrl.h"
#include "resources/dialogs/PageAsioDevice.h"

#include <cstdint>
#include <vector>

// One connected device as the ASIO device page lists it.
struct AsioDeviceEntry {
    std::uint32_t deviceIndex = 0; // for KORVELINE_OpenDeviceByIndex
    DeviceProperties properties{}; // current and preferred bits only for the page's instance
    std::uint32_t asioClients = 0;
};

// The preferred device of one ASIO instance: every connected device the instance may use,
// each opened briefly to read it, with the preferred one checked. Checking a device makes
// it the preferred one, unchecking it clears the preference; the list then shows what the
// driver reports. Below the list, the identity of the selected device.
class PageAsioDevice : public PageT<PageAsioDevice> {
public:
    static constexpr UINT IDD = IDD_PAGE_ASIO_DEVICE;
    static constexpr int kInstanceLabel = IDC_ASIO_DEVICE_INSTANCE_LABEL;
    static constexpr int kInstanceSelector = IDC_ASIO_DEVICE_INSTANCE;
    static constexpr int kTitle = IDC_ASIO_DEVICE_TITLE;
    static constexpr int kDeviceList = IDC_ASIO_DEVICE_LIST;
    static constexpr int kInfoGroup = IDC_ASIO_DEVICE_INFO_GROUP;
    static constexpr int kInfoLines[] = {IDC_ASIO_DEVICE_INFO1, IDC_ASIO_DEVICE_INFO2,
                                         IDC_ASIO_DEVICE_INFO3, IDC_ASIO_DEVICE_INFO4};
    static constexpr ResizeRule kResizeRules[] = {
        {kInstanceSelector, kStretchX | kRepaint},
        {kTitle, kStretchX | kRepaint},
        {kDeviceList, kStretchX | kStretchY | kRepaint},
        {kInfoGroup, kStretchX | kMoveY | kRepaint},
        {kInfoLines[0], kStretchX | kMoveY | kRepaint},
        {kInfoLines[1], kStretchX | kMoveY | kRepaint},
        {kInfoLines[2], kStretchX | kMoveY | kRepaint},
        {kInfoLines[3], kStretchX | kMoveY | kRepaint},
    };

    explicit PageAsioDevice(PageHost& host);

    BEGIN_MSG_MAP(PageAsioDevice)
    COMMAND_CALL(kInstanceSelector, CBN_SELCHANGE, Refresh(false))
    MESSAGE_HANDLER(MSG_ASIO_CHECK_CHANGED, OnCheckChanged)
    MESSAGE_HANDLER(MSG_ASIO_SELECTION_CHANGED, OnSelectionChanged)
    LIST_CTRL_NOTIFICATIONS(kDeviceList, list_)
    CHAIN_MSG_MAP(PageT<PageAsioDevice>)
    END_MSG_MAP()

private:
    void InitControls() override;
    // Rebuilds the list for the current instance; the check boxes are locked while any
    // instance is in use when the configuration asks for it.
    void RefreshContents(DeviceHandle device, const KorvelineApiDll& api) override;
    AsioDeviceEntry ReadEntry(std::uint32_t deviceIndex, bool& allowed) const;
    bool AnyInstanceInUse() const;
    // A check box changed: the entry's device becomes the preferred one, or (-1) the
    // preference is cleared. A refusal is reported once and undone by the rebuild.
    void OnAsioDeviceChanged(std::intptr_t entryIndex);
    // The identity of the entry in the info lines; -1 empties them.
    void ShowDeviceInfo(std::intptr_t entryIndex);

    LRESULT OnCheckChanged(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnSelectionChanged(UINT, WPARAM, LPARAM, bool&);

    AsioDeviceListCtrl list_;
    bool listReady_ = true; // false while the page refills the list itself
    std::vector<AsioDeviceEntry> entries_;
    AsioInstComboCtrl instances_;
    bool selectorShown_ = false;
    std::int32_t currentInstance_ = -1;
};
