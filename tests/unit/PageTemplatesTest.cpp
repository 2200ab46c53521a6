// Every page's ids against the dialog template it is built from: a rule or lookup that
// names a control the template lacks would leave that control unplaced without an error.
#include "pages/PageAbout.h"
#include "pages/PageAsioDevice.h"
#include "pages/PageBufferSettings.h"
#include "pages/PageClientInfo.h"
#include "pages/PageClockSource.h"
#include "pages/PageInfo.h"
#include "pages/PageOptions.h"
#include "pages/PageSampleRate.h"
#include "pages/PageSoundDeviceProfiles.h"
#include "pages/PageStatus.h"
#include "pages/PageStreamFormats.h"
#include "volume/PageVolumeControl.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

// The ids of the page's resize rules that its template has no control for.
template <class Page> std::vector<int> MissingControls() {
    const INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    // A page template is a child dialog, so it needs a parent.
    const HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 600, 400, nullptr,
                                        nullptr, GetModuleHandleW(nullptr), nullptr);
    const HWND page = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(Page::IDD),
                                         parent, PlainDialogProc, 0);
    if (page == nullptr) {
        DestroyWindow(parent);
        return {-static_cast<int>(Page::IDD)};
    }
    std::vector<int> missing;
    for (const ResizeRule& rule : Page::kResizeRules) {
        if (GetDlgItem(page, rule.controlId) == nullptr)
            missing.push_back(rule.controlId);
    }
    DestroyWindow(parent);
    return missing;
}

TEST(PageTemplates, EveryResizedControlExistsInThePagesTemplate) {
    const std::vector<int> none;
    EXPECT_EQ(MissingControls<PageStatus>(), none);
    EXPECT_EQ(MissingControls<PageOptions>(), none);
    EXPECT_EQ(MissingControls<PageStreamFormats>(), none);
    EXPECT_EQ(MissingControls<PageSoundDeviceProfiles>(), none);
    EXPECT_EQ(MissingControls<PageSampleRate>(), none);
    EXPECT_EQ(MissingControls<PageClockSource>(), none);
    EXPECT_EQ(MissingControls<PageAsioDevice>(), none);
    EXPECT_EQ(MissingControls<PageBufferSettings>(), none);
    EXPECT_EQ(MissingControls<PageVolumeControl>(), none);
    EXPECT_EQ(MissingControls<PageClientInfo>(), none);
    EXPECT_EQ(MissingControls<PageInfo>(), none);
    EXPECT_EQ(MissingControls<PageAbout>(), none);
}

} // namespace
