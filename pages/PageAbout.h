#pragma once

#include "pages/PageT.h"

#include "controls/PropertyListCtrl.h"
#include "framework/UniqueAny.h"
#include "resources/dialogs/PageAbout.h"

// The driver's version and build type and, when configured, a copyright text, above the
// application's picture. Present with or without an open device; the values are read only
// while a device is open.
class PageAbout : public PageT<PageAbout> {
public:
    static constexpr UINT IDD = IDD_PAGE_ABOUT;
    static constexpr UINT kPictureBitmap = IDB_ABOUT;
    static constexpr int kValueList = IDC_ABOUT_LIST;
    static constexpr int kTitleLine = IDC_ABOUT_TITLE;
    static constexpr int kPicture = IDC_ABOUT_PICTURE;
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
    void RefreshContents(DeviceHandle device, const KorvelineApiDll& api) override;
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool&);

    PropertyListCtrl values_;
    UniqueBitmap picture_; // the picture control only shows it
};
