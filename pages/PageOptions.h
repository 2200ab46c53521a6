#pragma once

#include "pages/PageT.h"
#include "resources/dialogs/PageOptions.h"

// The streaming mode of the open device: streaming only while an application uses the
// device, or all the time. The two entries are fixed; the driver's mode is selected.
class PageOptions : public PageT<PageOptions> {
public:
    static constexpr UINT IDD = IDD_PAGE_OPTIONS;
    static constexpr int kGroup = IDC_OPTIONS_STREAMING_MODE_GROUP;
    static constexpr int kModeSelector = IDC_OPTIONS_STREAMING_MODE;
    static constexpr ResizeRule kResizeRules[] = {
        {kGroup, kStretchX | kRepaint},
        {kModeSelector, kStretchX | kRepaint},
    };
    // Item data of the entries: the driver's streaming modes.
    static constexpr std::uint32_t kOnWhenNeeded = 1;
    static constexpr std::uint32_t kAlwaysOn = 2;

    explicit PageOptions(PageHost& host);

    BEGIN_MSG_MAP(PageOptions)
    COMMAND_CALL(kModeSelector, CBN_SELCHANGE, SaveSelectedStreamingMode())
    CHAIN_MSG_MAP(PageT<PageOptions>)
    END_MSG_MAP()

private:
    void InitControls() override;
    // The entries stay; only the selection follows the driver.
    void RefreshContents(DeviceHandle device, const KorvelineApiDll& api) override;
    void SaveSelectedStreamingMode();

    HWND modes_ = nullptr;
};
