#pragma once

#include "pages/PageT.h"

#include "controls/PropertyListCtrl.h"
#include "resources/dialogs/PageClientInfo.h"

// The open device's current state: whether it streams and how many WDM and ASIO clients
// are active. Read-only; refreshed on activation, on showing the window and on device
// notifications.
class PageClientInfo : public PageT<PageClientInfo> {
public:
    static constexpr UINT IDD = IDD_PAGE_CLIENT_INFO;
    static constexpr int kValueList = IDC_CLIENT_INFO_LIST;
    static constexpr int kTitleLine = IDC_CLIENT_INFO_TITLE;
    static constexpr ResizeRule kResizeRules[] = {
        {kTitleLine, kStretchX | kRepaint},
        {kValueList, kStretchX | kStretchY | kRepaint},
    };
    // The rows' keys.
    static constexpr std::uint32_t kStreamingState = 1;
    static constexpr std::uint32_t kWdmClients = 2;
    static constexpr std::uint32_t kAsioClients = 3;

    explicit PageClientInfo(PageHost& host);

    BEGIN_MSG_MAP(PageClientInfo)
    LIST_CTRL_NOTIFICATIONS(kValueList, values_)
    CHAIN_MSG_MAP(PageT<PageClientInfo>)
    END_MSG_MAP()

private:
    void InitControls() override;
    void RefreshContents(DeviceHandle device, const KorvelineApiDll& api) override;

    PropertyListCtrl values_;
};
