#include "driver/DriverLoadResult.h"

#include <gtest/gtest.h>

#include "tests/support/ModalBoxReader.h"

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
    std::optional<StatusCode> exitCode = 7;
    const auto box = RunAndReadModalBox([&] { exitCode = HandleDriverLoadResult(0, Texts()); });
    EXPECT_FALSE(box);
    EXPECT_EQ(exitCode, std::nullopt);
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
        std::optional<StatusCode> exitCode;
        const auto box =
            RunAndReadModalBox([&] { exitCode = HandleDriverLoadResult(c.result, Texts()); });
        ASSERT_TRUE(box) << c.result;
        EXPECT_EQ(box->text, c.text);
        EXPECT_EQ(box->caption, L"Title");
        EXPECT_FALSE(box->hasOwner);
        EXPECT_TRUE(box->hasErrorIcon);
        EXPECT_EQ(exitCode, c.result);
    }
}
