#pragma once

#include "pages/PageT.h"
#include "resources/dialogs/PageSampleRate.h"

// The sample rate of the open device, chosen from the rates the driver supports; the
// selector always shows the rate the driver uses.
class PageSampleRate : public PageT<PageSampleRate> {
public:
    static constexpr UINT IDD = IDD_PAGE_SAMPLE_RATE;
    static constexpr int kGroup = IDC_SAMPLE_RATE_GROUP;
    static constexpr int kRateSelector = IDC_SAMPLE_RATE_SELECTION;
    static constexpr ResizeRule kResizeRules[] = {
        {kGroup, kStretchX | kRepaint},
        {kRateSelector, kStretchX | kRepaint},
    };

    explicit PageSampleRate(PageHost& host);

    BEGIN_MSG_MAP(PageSampleRate)
    COMMAND_CALL(kRateSelector, CBN_SELCHANGE, SaveSelectedSampleRate())
    CHAIN_MSG_MAP(PageT<PageSampleRate>)
    END_MSG_MAP()

private:
    void InitControls() override;
    // The supported rates in driver order, the current one selected.
    void RefreshContents(DeviceHandle device, const KorvelineApiDll& api) override;
    void SaveSelectedSampleRate();

    HWND rates_ = nullptr;
};
