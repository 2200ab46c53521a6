#pragma once

#include "pages/PageT.h"

#include "controls/PropertyListCtrl.h"
#include "framework/UniqueAny.h"

// The driver's version and build type and, when configured, a copyright text, above the
// application's picture. Present with or without an open device; the values are read only
// while a device is open.
class PageAbout : public PageT<PageAbout> {
public:
    static constexpr UINT IDD = 260;
    static constexpr UINT kPictureBitmap = 264;
    static constexpr int kValueList = 1011;
    static constexpr int kTitleLine = 1015;
    static constexpr int kPicture = 1092;
    static constexpr ResizeRule kResizeRules[] = {
        {kTitleLine, kStretchX | kRepaint},
        {kValueList, kStretchX | kStretchY | kRepaint},
        {kPicture, kStretchX | kMoveY | kRepaint},
    };
    // The rows' keys.
    static constexpr std::uint32_t kVersion = 1;
    static constexpr std::uint32_t kBuildType = 2;
    static constexpr std::uint32_t kCopyright = 3;

    explicit PageAbout(PageHost& host);

    void OnDeviceNotification(std::uint32_t) override {}

    BEGIN_MSG_MAP(PageAbout)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    LIST_CTRL_NOTIFICATIONS(kValueList, values_)
    CHAIN_MSG_MAP(PageT<PageAbout>)
    END_MSG_MAP()

private:
    void InitControls() override;
    StatusCode RefreshContents(bool forced) override;
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool&);

    PropertyListCtrl values_;
    UniqueBitmap picture_; // the picture control only shows it
};
