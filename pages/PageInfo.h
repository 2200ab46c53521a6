#pragma once

#include "pages/PageT.h"

#include "controls/PropertyListCtrl.h"
#include "resources/dialogs/PageInfo.h"

// The open device's identity: manufacturer, product, VID/PID, revision and serial number,
// each row present only when the configuration asks for it. Read-only; device
// notifications do not change it.
class PageInfo : public PageT<PageInfo> {
public:
    static constexpr UINT IDD = IDD_PAGE_INFO;
    static constexpr int kValueList = IDC_INFO_LIST;
    static constexpr int kTitleLine = IDC_INFO_TITLE;
    static constexpr ResizeRule kResizeRules[] = {
        {kTitleLine, kStretchX | kRepaint},
        {kValueList, kStretchX | kStretchY | kRepaint},
    };

    explicit PageInfo(PageHost& host);

    void OnDeviceNotification(std::uint32_t) override {}

    BEGIN_MSG_MAP(PageInfo)
    LIST_CTRL_NOTIFICATIONS(kValueList, values_)
    CHAIN_MSG_MAP(PageT<PageInfo>)
    END_MSG_MAP()

private:
    void InitControls() override;
    void RefreshContents(DeviceHandle device, const KorvelineApiDll& api) override;

    PropertyListCtrl values_;
};
