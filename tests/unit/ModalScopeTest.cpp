#include "app/ModalScope.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A scope whose posted messages are counted and delivered by Deliver, as the window's
// queue would.
struct ScopeUnderTest {
    int posted = 0;
    std::vector<std::string> log;
    ModalScope scope{[this] { ++posted; }};

    std::function<void()> Logs(std::string entry) {
        return [this, entry] { log.push_back(entry); };
    }
    void DeliverOne() {
        --posted;
        scope.RunNext();
    }
    void Deliver() {
        while (posted > 0)
            DeliverOne();
    }
};

TEST(ModalScope, RequestsWaitForTheLastWindowAndRunInOrderOnePerMessage) {
    ScopeUnderTest t;
    t.scope.Request(t.Logs("at once"), ModalScope::OnOpen::Wait);
    EXPECT_EQ(t.log, std::vector<std::string>{"at once"});

    t.scope.Run(ModalScope::Kind::ErrorBox, [&] {
        EXPECT_TRUE(t.scope.IsErrorBoxOpen());
        t.scope.Run(ModalScope::Kind::Other, [&] {
            t.scope.Request(t.Logs("first"), ModalScope::OnOpen::Wait);
            t.scope.RunNext(); // a message that reaches the inner loop runs nothing
        });
        EXPECT_EQ(t.posted, 0) << "one window is still open";
        t.scope.Request(t.Logs("second"), ModalScope::OnOpen::Wait);
    });
    EXPECT_FALSE(t.scope.IsOpen());
    EXPECT_FALSE(t.scope.IsErrorBoxOpen());
    // Waiting requests go first, even when a new one comes before their message.
    t.scope.Request(t.Logs("third"), ModalScope::OnOpen::Wait);
    EXPECT_EQ(t.log.size(), 1u);
    ASSERT_EQ(t.posted, 1);
    t.DeliverOne();
    EXPECT_EQ(t.log, (std::vector<std::string>{"at once", "first"}));
    t.Deliver();
    EXPECT_EQ(t.log, (std::vector<std::string>{"at once", "first", "second", "third"}));
}

TEST(ModalScope, ACloseRequestClosesEveryWindowThatCanCloseAndAWaitRequestNone) {
    ScopeUnderTest t;
    int outerClosed = 0;
    t.scope.Run(
        ModalScope::Kind::Other,
        [&] {
            t.scope.Run(ModalScope::Kind::ErrorBox, [&] {
                t.scope.Request(t.Logs("show"), ModalScope::OnOpen::Wait);
                EXPECT_EQ(outerClosed, 0);
                t.scope.Request(t.Logs("exit"), ModalScope::OnOpen::Close);
                EXPECT_EQ(outerClosed, 1) << "the box has no closer; the dialog closes";
            });
        },
        [&] { ++outerClosed; });
    EXPECT_TRUE(t.log.empty());
    t.Deliver();
    EXPECT_EQ(t.log, (std::vector<std::string>{"show", "exit"}));
}

TEST(ModalScope, ARequestThatOpensAWindowHoldsTheRestUntilItCloses) {
    ScopeUnderTest t;
    t.scope.Run(ModalScope::Kind::Other, [&] {
        t.scope.Request(
            [&] {
                t.log.push_back("box");
                t.scope.Run(ModalScope::Kind::ErrorBox, [&] { t.Deliver(); });
            },
            ModalScope::OnOpen::Wait);
        t.scope.Request(t.Logs("after the box"), ModalScope::OnOpen::Wait);
    });
    t.Deliver();
    EXPECT_EQ(t.log, (std::vector<std::string>{"box", "after the box"}));
    EXPECT_EQ(t.posted, 0);
}

} // namespace
