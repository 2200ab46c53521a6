// The room a text needs in each kind of control, against the width of the text itself:
// what the control adds beside it and whether it wraps.
#include "framework/ControlTextFit.h"

#include <gtest/gtest.h>

TEST(ControlTextFit, EachKindOfControlNeedsItsTextAndWhatItDrawsBesideIt) {
    const HDC dc = CreateCompatibleDC(nullptr);
    const HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0,
                                   0, 0, 0, L"MS Shell Dlg");
    SelectObject(dc, font);
    SIZE text{}, word{};
    GetTextExtentPoint32W(dc, L"Safe Mode", 9, &text);
    GetTextExtentPoint32W(dc, L"Safe", 4, &word);
    const int w = text.cx, h = text.cy;
    struct Case {
        const wchar_t* className;
        DWORD style;
        int width, height;
        bool fits, wraps;
    };
    const Case cases[] = {
        {L"Static", SS_LEFT | SS_ENDELLIPSIS, w, h, true, false},
        {L"Static", SS_LEFT | SS_ENDELLIPSIS, w - 1, h, false, false},
        {L"Static", SS_LEFT, w - 1, 2 * h, true, true},
        {L"Static", SS_LEFT, w - 1, h, false, true},
        // A word wider than the control cannot wrap.
        {L"Static", SS_CENTER, word.cx - 1, 10 * h, false, false},
        {L"Button", BS_AUTOCHECKBOX, w, h, false, false},
        {L"Button", BS_AUTOCHECKBOX, w + 30, h, true, false},
        {L"Button", BS_GROUPBOX, w + 13, h, false, false},
        {L"Button", BS_GROUPBOX, w + 14, h, true, false},
        {L"Button", BS_PUSHBUTTON, w + 5, h, false, false},
        {L"Button", BS_PUSHBUTTON, w + 6, h, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.style << " " << c.width << "x" << c.height);
        const std::optional<ControlTextFit> fit =
            FitControlText(dc, font, c.className, c.style, L"Safe Mode", {c.width, c.height}, 96);
        ASSERT_TRUE(fit.has_value());
        EXPECT_EQ(fit->Fits(), c.fits) << fit->needed << " > " << fit->available;
        EXPECT_EQ(fit->wraps, c.wraps);
    }
    for (const auto& [className, style] : {std::pair{L"Button", BS_PUSHBUTTON | BS_BITMAP},
                                           {L"Static", SS_BITMAP},
                                           {L"ComboBox", 0}})
        EXPECT_FALSE(FitControlText(dc, font, className, style, L"Safe Mode", {1, 1}, 96));
    DeleteDC(dc);
    DeleteObject(font);
}

TEST(AccessKey, IsTheLetterAfterASingleAmpersandWhereTheControlDrawsPrefixes) {
    EXPECT_EQ(AccessKeyOf(L"Button", BS_PUSHBUTTON, L"&&a&b"), L'B');
    EXPECT_EQ(AccessKeyOf(L"Static", SS_LEFT, L"x&y"), L'Y');
    EXPECT_EQ(AccessKeyOf(L"Button", BS_GROUPBOX, L"a&&"), std::nullopt);
    EXPECT_EQ(AccessKeyOf(L"Static", SS_LEFT | SS_NOPREFIX, L"&a"), std::nullopt);
}
