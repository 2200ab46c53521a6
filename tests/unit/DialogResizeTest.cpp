// Resize rules: the layout arithmetic at 96 and 144 DPI, and the mix-in on a real dialog.
#include "framework/Dialog.h"
#include "framework/DialogResize.h"
#include "framework/MessageMap.h"
#include "framework/ResizeLayout.h"
#include "tests/support/DialogTemplateBuilder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

using resize_layout::FromDesignUnits;
using resize_layout::Layout;
using resize_layout::ToDesignUnits;

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::vector<RECT> LayoutAtDesignPositions(const std::vector<ResizeRule>& rules,
                                          const std::vector<RECT>& design, SIZE client, UINT dpi) {
    std::vector<RECT> current;
    for (const RECT& r : design)
        current.push_back(resize_layout::FromDesignUnits(r, dpi));
    return Layout(rules, design, current, {200, 100}, client, dpi);
}

MATCHER_P4(IsRect, left, top, right, bottom, "") {
    return arg.left == left && arg.top == top && arg.right == right && arg.bottom == bottom;
}

TEST(ResizeLayout, ConvertsToAndFromDesignUnitsRoundingLikeMulDiv) {
    EXPECT_EQ(ToDesignUnits(150, 144), 100);
    EXPECT_EQ(ToDesignUnits(101, 144), 67);
    EXPECT_EQ(FromDesignUnits(67, 144), 101) << "100.5 rounds up";
    EXPECT_EQ(FromDesignUnits(33, 144), 50) << "49.5 rounds up";
    EXPECT_EQ(FromDesignUnits(-33, 144), -50);
    EXPECT_EQ(FromDesignUnits(80, 96), 80);
    EXPECT_EQ(FromDesignUnits(80, 0), 80) << "an unknown DPI counts as 96";
}

TEST(ResizeLayout, EachRuleFollowsTheClientSizeChangeAt96Dpi) {
    std::vector<ResizeRule> rules = {
        {1, kStretchX | kRepaint}, {2, kStretchX | kStretchY | kRepaint},
        {3, kStretchX | kMoveY},   {4, kMoveX | kMoveY},
        {5, kCenterX | kCenterY},  {6, kRepaint},
    };
    std::vector<RECT> design = {{10, 10, 190, 30},  {10, 40, 190, 60}, {10, 62, 190, 70},
                                {150, 75, 190, 95}, {80, 80, 120, 90}, {5, 5, 9, 9}};
    auto placed = LayoutAtDesignPositions(rules, design, {300, 150}, 96);
    EXPECT_THAT(placed[0], IsRect(10, 10, 290, 30));
    EXPECT_THAT(placed[1], IsRect(10, 40, 290, 110));
    EXPECT_THAT(placed[2], IsRect(10, 112, 290, 120));
    EXPECT_THAT(placed[3], IsRect(250, 125, 290, 145));
    EXPECT_THAT(placed[4], IsRect(130, 105, 170, 115));
    EXPECT_THAT(placed[5], IsRect(5, 5, 9, 9)) << "no axis rule: stays where it is";
}

TEST(ResizeLayout, At144DpiTheDesignIsScaledBeforeTheChangeIsApplied) {
    std::vector<ResizeRule> rules = {{1, kStretchX}, {4, kMoveX | kMoveY}};
    std::vector<RECT> design = {{10, 10, 190, 30}, {150, 75, 190, 95}};
    // Design client 200x100 is 300x150 at 144 DPI; the window is 150 wider, 50 taller.
    auto placed = LayoutAtDesignPositions(rules, design, {450, 200}, 144);
    EXPECT_THAT(placed[0], IsRect(15, 15, 435, 45));
    EXPECT_THAT(placed[1], IsRect(375, 163, 435, 193));
}

TEST(ResizeLayout, AStretchKeepsTheCurrentLeftEdge) {
    std::vector<ResizeRule> rules = {{1, kStretchX}};
    std::vector<RECT> design = {{10, 10, 190, 30}};
    std::vector<RECT> current = {{20, 12, 150, 33}};
    auto placed = Layout(rules, design, current, {200, 100}, {300, 100}, 96);
    EXPECT_THAT(placed[0], IsRect(20, 12, 290, 33)) << "left and the untouched axis kept";
}

TEST(ResizeLayout, AGroupSharesItsStretchInProportionToTheMembersWidths) {
    std::vector<ResizeRule> rules = {
        {1, kStretchX | kRepaint, 1}, {2, kStretchX | kRepaint, 1}, {3, kStretchX}};
    // A narrow and a wide member side by side; then a lone control.
    std::vector<RECT> design = {{10, 50, 50, 60}, {70, 50, 190, 60}, {10, 70, 190, 80}};
    auto placed = LayoutAtDesignPositions(rules, design, {290, 100}, 96);
    // Span 10..190 (180) becomes 10..280 (270): every offset scales by 1.5.
    EXPECT_THAT(placed[0], IsRect(10, 50, 70, 60));
    EXPECT_THAT(placed[1], IsRect(100, 50, 280, 60));
    EXPECT_THAT(placed[2], IsRect(10, 70, 280, 80)) << "outside the group: plain stretch";
    EXPECT_EQ((placed[1].right - placed[1].left) - 120,
              3 * ((placed[0].right - placed[0].left) - 40));
}

TEST(ResizeLayout, DistinctGroupNumbersMakeSeparateGroups) {
    std::vector<ResizeRule> rules = {{1, kStretchX, 1}, {2, kStretchX, 2}};
    std::vector<RECT> design = {{10, 10, 100, 20}, {110, 10, 190, 20}};
    auto placed = LayoutAtDesignPositions(rules, design, {300, 100}, 96);
    EXPECT_THAT(placed[0], IsRect(10, 10, 200, 20)) << "a group of one stretches its span";
    EXPECT_THAT(placed[1], IsRect(110, 10, 290, 20));
}

TEST(ResizeLayout, ShrinkingBelowTheDesignNeverGivesNegativeExtents) {
    std::vector<ResizeRule> rules = {
        {1, kStretchX | kStretchY}, {2, kStretchX, 1}, {3, kStretchX, 1}};
    std::vector<RECT> design = {{10, 10, 190, 90}, {10, 50, 90, 60}, {110, 50, 190, 60}};
    auto placed = LayoutAtDesignPositions(rules, design, {0, 0}, 96);
    for (const RECT& r : placed) {
        EXPECT_GE(r.right, r.left);
        EXPECT_GE(r.bottom, r.top);
    }
    EXPECT_THAT(placed[0], IsRect(10, 10, 10, 10));
}

// A resizable dialog with a stretching edit, a moving button and a grouped pair.
class ResizingDialog : public Dialog<ResizingDialog>, public DialogResize<ResizingDialog> {
public:
    static constexpr ResizeRule kRules[] = {
        {101, kStretchX | kRepaint}, {102, kMoveX | kMoveY}, {103, kStretchX, 1},
        {104, kStretchX, 1},         {999, kStretchX}, // no such control
    };

    BEGIN_MSG_MAP(ResizingDialog)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    CHAIN_MSG_MAP(DialogResize<ResizingDialog>)
    END_MSG_MAP()

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, bool&) {
        InitResize(kRules, true, true);
        return FALSE;
    }
};

class DialogResizeTest : public testing::Test {
protected:
    DialogResizeTest() : builder_(WS_POPUP | WS_CAPTION | WS_THICKFRAME, 200, 100) {
        builder_.AddControl(101, L"EDIT", WS_BORDER, 7, 7, 186, 12)
            .AddControl(102, L"BUTTON", 0, 143, 79, 50, 14, L"Go")
            .AddControl(103, L"STATIC", 0, 7, 40, 60, 10, L"a")
            .AddControl(104, L"STATIC", 0, 77, 40, 116, 10, L"b");
        window_ = dialog_.Create(nullptr, builder_.Get());
    }
    ~DialogResizeTest() override { DestroyWindow(window_); }

    RECT ControlRect(int id) const {
        RECT r{};
        GetWindowRect(GetDlgItem(window_, id), &r);
        MapWindowPoints(HWND_DESKTOP, window_, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    SIZE Client() const {
        RECT r{};
        GetClientRect(window_, &r);
        return {r.right, r.bottom};
    }
    void GrowBy(int dx, int dy) {
        RECT frame{};
        GetWindowRect(window_, &frame);
        SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left + dx,
                     frame.bottom - frame.top + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    DialogTemplateBuilder builder_;
    ResizingDialog dialog_;
    HWND window_ = nullptr;
};

TEST_F(DialogResizeTest, ControlsFollowTheWindowSize) {
    ASSERT_NE(window_, nullptr);
    RECT edit = ControlRect(101), button = ControlRect(102);
    RECT a = ControlRect(103), b = ControlRect(104);
    GrowBy(100, 40);
    RECT edit2 = ControlRect(101), button2 = ControlRect(102);
    EXPECT_EQ(edit2.left, edit.left);
    EXPECT_EQ(edit2.right, edit.right + 100);
    EXPECT_EQ(button2.left, button.left + 100);
    EXPECT_EQ(button2.top, button.top + 40);
    EXPECT_EQ(button2.right - button2.left, button.right - button.left);
    // The pair shares the growth by width; its span ends where the edit ends.
    RECT a2 = ControlRect(103), b2 = ControlRect(104);
    EXPECT_EQ(a2.left, a.left);
    EXPECT_EQ(b2.right, b.right + 100);
    EXPECT_GT(b2.right - b2.left - (b.right - b.left), a2.right - a2.left - (a.right - a.left));
}

TEST_F(DialogResizeTest, ADpiChangeLaysTheDesignOutAtTheNewScale) {
    RECT button = ControlRect(102);
    SIZE client = Client();
    int rightMargin = client.cx - button.right;
    int width = button.right - button.left;
    SendMessageW(window_, WM_DPICHANGED, MAKEWPARAM(144, 144), 0);
    EXPECT_EQ(dialog_.Resizer().Dpi(), 144u);
    RECT scaled = ControlRect(102);
    EXPECT_NEAR(scaled.right, Client().cx - MulDiv(rightMargin, 144, 96), 1);
    EXPECT_NEAR(scaled.right - scaled.left, MulDiv(width, 144, 96), 1);
}

TEST_F(DialogResizeTest, MinimumTrackSizeIsTheInitialSizeScaledByDpi) {
    RECT frame{};
    GetWindowRect(window_, &frame);
    MINMAXINFO info{};
    SendMessageW(window_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_NEAR(info.ptMinTrackSize.x, frame.right - frame.left, 1);
    EXPECT_NEAR(info.ptMinTrackSize.y, frame.bottom - frame.top, 1);
    SendMessageW(window_, WM_DPICHANGED, MAKEWPARAM(144, 144), 0);
    SendMessageW(window_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_NEAR(info.ptMinTrackSize.x, MulDiv(frame.right - frame.left, 144, 96), 1);
}

TEST_F(DialogResizeTest, TheSizeGripSitsInTheCornerAndHidesWhileMaximised) {
    HWND grip = GetDlgItem(window_, DialogResizer::kSizeGripId);
    ASSERT_NE(grip, nullptr);
    GrowBy(30, 30);
    RECT r{};
    GetWindowRect(grip, &r);
    MapWindowPoints(HWND_DESKTOP, window_, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.right, Client().cx);
    EXPECT_EQ(r.bottom, Client().cy);
    SIZE c = Client();
    SendMessageW(window_, WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(c.cx, c.cy));
    EXPECT_FALSE(GetWindowLongW(grip, GWL_STYLE) & WS_VISIBLE);
    SendMessageW(window_, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.cx, c.cy));
    EXPECT_TRUE(GetWindowLongW(grip, GWL_STYLE) & WS_VISIBLE);
}

TEST_F(DialogResizeTest, MinimisingLeavesTheLayoutAlone) {
    RECT edit = ControlRect(101);
    SendMessageW(window_, WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_TRUE(Same(ControlRect(101), edit));
}

} // namespace
