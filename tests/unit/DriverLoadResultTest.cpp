#include "driver/DriverLoadResult.h"

#include <gtest/gtest.h>

#include "tests/support/MessageBoxWatcher.h"

namespace {

ErrorReportTexts Texts() {
    ErrorReportTexts texts;
    texts.appTitle = L"Title";
    texts.commonError = L"Common";
    texts.driverApiDllNotFound = L"The driver DLL required to access the device is missing.";
    texts.driverApiDllNotCompatible = L"not compatible";
    return texts;
}

} // namespace

TEST(DriverLoadResult, SuccessGoesOnWithoutABox) {
    MessageBoxWatcher boxes;
    EXPECT_EQ(HandleDriverLoadResult(0, Texts()), std::nullopt);
    EXPECT_TRUE(boxes.Seen().empty());
}

TEST(DriverLoadResult, FailuresShowTheirTextAndEndWithTheResult) {
    struct Case {
        StatusCode result;
        std::wstring text;
    };
    const Case cases[] = {
        {2, L"The driver DLL required to access the device is missing."},
        {0xEE000060, L"not compatible"},
        {193, L"Common\n\"_tWinMain: Load -> 0x000000C1\""},
        {127, L"Common\n\"_tWinMain: Load -> 0x0000007F\""},
        // A missing path (3) is folded into 2 by the binding, so here it is just a code.
        {3, L"Common\n\"_tWinMain: Load -> 0x00000003\""},
    };
    for (const Case& c : cases) {
        MessageBoxWatcher boxes;
        EXPECT_EQ(HandleDriverLoadResult(c.result, Texts()), c.result);
        const auto seen = boxes.Seen();
        ASSERT_EQ(seen.size(), 1u) << c.result;
        EXPECT_EQ(seen[0].text, c.text);
        EXPECT_EQ(seen[0].caption, L"Title");
        EXPECT_EQ(seen[0].owner, nullptr);
        EXPECT_EQ(seen[0].icon, SeenMessageBox::Icon::Error);
    }
}
