#include "app/ConfigLoadResult.h"

#include <gtest/gtest.h>

#include "tests/support/MessageBoxWatcher.h"

TEST(ConfigLoadResult, ALoadedConfigurationGoesOnWithoutABox) {
    MessageBoxWatcher boxes;
    EXPECT_EQ(HandleConfigLoadResult(0), std::nullopt);
    EXPECT_TRUE(boxes.Seen().empty());
}

TEST(ConfigLoadResult, EveryFailureEndsWith1AndTwoOfThemSayWhy) {
    struct Case {
        StatusCode status;
        std::optional<std::wstring> text;
    };
    const Case cases[] = {
        {kStatusConfigIncompatible, L"Incompatible application configuration file."},
        {kStatusConfigNotOpened, L"Failed to open application configuration file."},
        // Language-text and module-path failures end silently.
        {kStatusLanguageFileNotOpened, std::nullopt},
        {ERROR_INSUFFICIENT_BUFFER, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.status);
        MessageBoxWatcher boxes;
        EXPECT_EQ(HandleConfigLoadResult(c.status), std::optional<StatusCode>(1));
        const auto seen = boxes.Seen();
        ASSERT_EQ(seen.size(), c.text ? 1u : 0u);
        if (!c.text)
            continue;
        EXPECT_EQ(seen[0].text, *c.text);
        EXPECT_EQ(seen[0].caption, L"USB Audio Device Control Panel");
        EXPECT_EQ(seen[0].owner, nullptr);
        EXPECT_EQ(seen[0].icon, SeenMessageBox::Icon::Error);
    }
}
