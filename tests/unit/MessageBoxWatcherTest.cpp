#include "tests/support/MessageBoxWatcher.h"

#include <gtest/gtest.h>

TEST(MessageBoxWatcher, ReadsAndDismissesBoxesOfThisProcess) {
    MessageBoxWatcher watcher;
    int first = MessageBoxW(nullptr, L"first text", L"first caption", MB_OK | MB_ICONERROR);
    int second = MessageBoxW(nullptr, L"second", L"caption 2", MB_OK | MB_ICONWARNING);
    EXPECT_EQ(first, IDOK);
    EXPECT_EQ(second, IDOK);
    auto seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].caption, L"first caption");
    EXPECT_EQ(seen[0].text, L"first text");
    EXPECT_EQ(seen[0].icon, SeenMessageBox::Icon::Error);
    EXPECT_EQ(seen[1].text, L"second");
    EXPECT_EQ(seen[1].icon, SeenMessageBox::Icon::Warning);
}
