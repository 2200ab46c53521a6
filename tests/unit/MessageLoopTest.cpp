// The message loop's filters and idle handlers, and its registration with the module.
#include "framework/MessageLoop.h"
#include "framework/Module.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr UINT kFiltered = WM_APP + 300;
constexpr UINT kPlain = WM_APP + 301;

std::vector<std::string>* windowLog = nullptr;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kFiltered || message == kPlain)
        windowLog->push_back("window " + std::to_string(message - WM_APP));
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

class ScriptedFilter : public MessageFilter {
public:
    std::function<bool(MSG&)> onMessage;
    bool PreTranslateMessage(MSG& message) override { return onMessage(message); }
};

class ScriptedIdle : public IdleHandler {
public:
    std::function<bool()> onIdle;
    bool OnIdle() override { return onIdle(); }
};

class MessageLoopTest : public testing::Test {
protected:
    MessageLoopTest() {
        windowLog = &log;
        WNDCLASSW wc{};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"MessageLoopTestWindow";
        RegisterClassW(&wc);
        window = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 wc.hInstance, nullptr);
    }
    ~MessageLoopTest() override {
        DestroyWindow(window);
        windowLog = nullptr;
    }

    std::vector<std::string> log;
    HWND window = nullptr;
    MessageLoop loop;
};

TEST_F(MessageLoopTest, FiltersSeeMessagesFirstTheLastAddedFirst) {
    ScriptedFilter older, newer;
    older.onMessage = [&](MSG& m) {
        log.push_back("older " + std::to_string(m.message - WM_APP));
        return m.message == kFiltered;
    };
    newer.onMessage = [&](MSG& m) {
        log.push_back("newer " + std::to_string(m.message - WM_APP));
        return false;
    };
    loop.AddMessageFilter(&older);
    loop.AddMessageFilter(&newer);
    PostMessageW(window, kFiltered, 0, 0);
    PostMessageW(window, kPlain, 0, 0);
    PostQuitMessage(9);
    EXPECT_EQ(loop.Run(), 9);
    EXPECT_EQ(log, (std::vector<std::string>{"newer 300", "older 300", "newer 301", "older 301",
                                             "window 301"}));
}

TEST_F(MessageLoopTest, AFilterMayRemoveItselfAndOthersWhileCalled) {
    ScriptedFilter first, second;
    int secondCalls = 0;
    second.onMessage = [&](MSG&) {
        loop.RemoveMessageFilter(&second);
        loop.RemoveMessageFilter(&first);
        ++secondCalls;
        return false;
    };
    first.onMessage = [&](MSG&) -> bool {
        ADD_FAILURE() << "removed filter called";
        return false;
    };
    loop.AddMessageFilter(&first);
    loop.AddMessageFilter(&second);
    PostMessageW(window, kPlain, 0, 0);
    PostMessageW(window, kPlain, 0, 0);
    PostQuitMessage(0);
    loop.Run();
    EXPECT_EQ(secondCalls, 1);
    EXPECT_EQ(log.size(), 2u) << "both messages still dispatched";
}

TEST_F(MessageLoopTest, IdleRoundsRunWhileTheQueueIsEmptyAndAHandlerHasMore) {
    ScriptedIdle handler;
    int calls = 0;
    handler.onIdle = [&] {
        ++calls;
        if (calls == 3)
            PostMessageW(window, kPlain, 0, 0); // ends the first idle period
        if (calls == 5)
            PostQuitMessage(4);
        return true;
    };
    loop.AddIdleHandler(&handler);
    EXPECT_EQ(loop.Run(), 4);
    EXPECT_EQ(calls, 5) << "idle again after the posted message, until the quit";
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(MessageLoopTest, AHandlerWithNothingMoreToDoWaitsForTheNextIdleTrigger) {
    ScriptedIdle handler, other;
    ScriptedFilter watcher;
    int calls = 0, otherCalls = 0, callsWhenPlainArrived = -1;
    handler.onIdle = [&] {
        ++calls;
        return false;
    };
    other.onIdle = [&] {
        ++otherCalls;
        return true;
    };
    watcher.onMessage = [&](MSG& m) {
        if (m.message == kPlain)
            callsWhenPlainArrived = calls;
        return false;
    };
    loop.AddIdleHandler(&handler);
    loop.AddIdleHandler(&other);
    loop.AddMessageFilter(&watcher);
    std::thread sender([this, id = GetCurrentThreadId()] {
        Sleep(50);
        PostMessageW(window, WM_MOUSEMOVE, 0, 0); // not an idle trigger
        Sleep(50);
        PostMessageW(window, kPlain, 0, 0);
        Sleep(50);
        PostThreadMessageW(id, WM_QUIT, 1, 0);
    });
    EXPECT_EQ(loop.Run(), 1);
    sender.join();
    EXPECT_EQ(callsWhenPlainArrived, 1) << "one round at the start, none after the mouse move";
    EXPECT_EQ(calls, 2) << "one more round after the posted message";
    EXPECT_EQ(otherCalls, calls) << "every handler has its turn in a round";
    EXPECT_FALSE(MessageLoop::IsIdleTrigger(MSG{nullptr, WM_PAINT, 0, 0, 0, {}}));
}

TEST(Module, KeepsOneMessageLoopPerThread) {
    Module& module = GetModule();
    MessageLoop mine, second;
    ASSERT_TRUE(module.AddMessageLoop(&mine));
    EXPECT_FALSE(module.AddMessageLoop(&second)) << "this thread has one already";
    EXPECT_EQ(module.GetMessageLoop(), &mine);
    std::thread other([&] {
        EXPECT_EQ(module.GetMessageLoop(), nullptr);
        EXPECT_TRUE(module.AddMessageLoop(&second));
        EXPECT_EQ(module.GetMessageLoop(), &second);
        module.RemoveMessageLoop();
    });
    other.join();
    EXPECT_EQ(module.GetMessageLoop(), &mine);
    module.RemoveMessageLoop();
    EXPECT_EQ(module.GetMessageLoop(), nullptr);
}

} // namespace
