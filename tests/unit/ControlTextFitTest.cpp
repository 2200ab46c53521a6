// The room a text needs in each kind of control, against the width of the text itself:
// what the control adds beside it and whether it wraps.
#include "framework/ControlTextFit.h"

#include <gtest/gtest.h>

namespace {

class ControlTextFitTest : public testing::Test {
protected:
    void SetUp() override { SelectObject(dc_, font_); }
    void TearDown() override {
        DeleteDC(dc_);
        DeleteObject(font_);
    }
    SIZE Extent(const wchar_t* text) const {
        SIZE extent{};
        GetTextExtentPoint32W(dc_, text, static_cast<int>(wcslen(text)), &extent);
        return extent;
    }
    std::optional<ControlTextFit> Fit(const wchar_t* className, DWORD style, int width,
                                      int height) const {
        return FitControlText(dc_, font_, className, style, L"Safe Mode", {width, height}, 96);
    }

    HDC dc_ = CreateCompatibleDC(nullptr);
    HFONT font_ = CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                              0, 0, L"MS Shell Dlg");
};

TEST_F(ControlTextFitTest, EachKindOfControlNeedsItsTextAndWhatItDrawsBesideIt) {
    const int w = Extent(L"Safe Mode").cx;
    const int h = Extent(L"Safe Mode").cy;
    struct Case {
        const wchar_t* className;
        DWORD style;
        int width, height;
        bool fits, wraps;
    };
    const Case cases[] = {
        {L"Static", SS_LEFT | SS_ENDELLIPSIS, w, h, true, false},
        {L"Static", SS_LEFT | SS_ENDELLIPSIS, w - 1, h, false, false},
        {L"Static", SS_LEFT, w, h, true, true},
        {L"Static", SS_LEFT, w - 1, 2 * h, true, true},
        {L"Static", SS_LEFT, w - 1, h, false, true},
        // A word wider than the control cannot wrap.
        {L"Static", SS_CENTER, Extent(L"Safe").cx - 1, 10 * h, false, false},
        {L"Button", BS_AUTOCHECKBOX, w, h, false, false},
        {L"Button", BS_AUTOCHECKBOX, w + 30, h, true, false},
        {L"Button", BS_GROUPBOX, w + 13, h, false, false},
        {L"Button", BS_GROUPBOX, w + 14, h, true, false},
        {L"Button", BS_PUSHBUTTON, w + 5, h, false, false},
        {L"Button", BS_PUSHBUTTON, w + 6, h, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.style << " " << c.width << "x" << c.height);
        const std::optional<ControlTextFit> fit = Fit(c.className, c.style, c.width, c.height);
        ASSERT_TRUE(fit.has_value());
        EXPECT_EQ(fit->Fits(), c.fits) << fit->needed << " > " << fit->available;
        EXPECT_EQ(fit->wraps, c.wraps);
    }
    EXPECT_FALSE(Fit(L"Button", BS_PUSHBUTTON | BS_BITMAP, 1, 1)) << "a picture button";
    EXPECT_FALSE(Fit(L"Static", SS_BITMAP, 1, 1));
    EXPECT_FALSE(Fit(L"ComboBox", 0, 1, 1));
}

TEST(AccessKey, IsTheLetterAfterASingleAmpersandWhereTheControlDrawsPrefixes) {
    EXPECT_EQ(AccessKeyOf(L"Button", BS_PUSHBUTTON, L"&&a&b"), L'B');
    EXPECT_EQ(AccessKeyOf(L"Static", SS_LEFT, L"x&y"), L'Y');
    EXPECT_EQ(AccessKeyOf(L"Button", BS_GROUPBOX, L"a&&"), std::nullopt);
    EXPECT_EQ(AccessKeyOf(L"Static", SS_LEFT | SS_NOPREFIX, L"&a"), std::nullopt);
    EXPECT_EQ(AccessKeyOf(L"Button", BS_PUSHBUTTON | BS_BITMAP, L"&a"), std::nullopt);
}

} // namespace
