// The listener window that other instances post their commands to.
#include "app/AppMessages.h"
#include "app/RemoteCommandListener.h"
#include "resources/dialogs/PageBufferSettings.h"
#include "resources/dialogs/PageSampleRate.h"
#include "tests/support/ChildModes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Posted {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Posted&) const = default;
};

// Another process: finds the listener by class name and posts CMD_SHOW_ASIO_PAGE 3.
const bool postRegistered = RegisterChildMode(L"post-asio-page", [](int argc, wchar_t** argv) {
    HWND listener = argc > 1 ? FindWindowW(argv[1], nullptr) : nullptr;
    if (listener == nullptr)
        return 2;
    return PostMessageW(listener, WM_COMMAND, CMD_SHOW_ASIO_PAGE, 3) ? 0 : 3;
});

// Another process: starts a listener of its own with the given class name.
const bool listenRegistered = RegisterChildMode(L"listen", [](int argc, wchar_t** argv) {
    RemoteCommandListener listener(GetModuleHandleW(nullptr), nullptr, argc > 1 ? argv[1] : L"");
    return static_cast<int>(listener.StartListening());
});

class RemoteCommandListenerTest : public testing::Test {
protected:
    RemoteCommandListenerTest()
        : className_(L"ListenerTest_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                     std::to_wstring(++counter_)) {
        target_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                  nullptr);
    }
    ~RemoteCommandListenerTest() override { DestroyWindow(target_); }

    std::vector<Posted> TakePosted() {
        std::vector<Posted> posted;
        MSG message{};
        while (PeekMessageW(&message, target_, 0, 0, PM_REMOVE))
            posted.push_back({message.message, message.wParam, message.lParam});
        return posted;
    }

    LRESULT Command(HWND listener, WPARAM wParam, LPARAM lParam) {
        return SendMessageW(listener, WM_COMMAND, wParam, lParam);
    }

    static inline int counter_ = 0;
    std::wstring className_;
    HWND target_ = nullptr;
};

TEST_F(RemoteCommandListenerTest, IsAHiddenTopLevelWindowFoundByItsClassName) {
    RemoteCommandListener listener(GetModuleHandleW(nullptr), target_, className_);
    EXPECT_EQ(FindWindowW(className_.c_str(), nullptr), nullptr);
    ASSERT_EQ(listener.StartListening(), 0u);
    HWND window = FindWindowW(className_.c_str(), nullptr);
    EXPECT_EQ(window, listener.ListenerWindow());
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetParent(window), nullptr);

    listener.StopListening();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(FindWindowW(className_.c_str(), nullptr), nullptr);
    EXPECT_TRUE(TakePosted().empty()) << "stopping posts nothing";
    EXPECT_EQ(listener.StartListening(), 0u) << "the class was unregistered, so it starts again";
}

TEST_F(RemoteCommandListenerTest, HandsTheFourCommandsOnInOrder) {
    RemoteCommandListener listener(GetModuleHandleW(nullptr), target_, className_);
    ASSERT_EQ(listener.StartListening(), 0u);
    HWND window = listener.ListenerWindow();

    EXPECT_EQ(Command(window, CMD_SHOW_ASIO_PAGE, 5), 0);
    EXPECT_EQ(TakePosted(), (std::vector<Posted>{{MSG_SHOW_PAGE, IDD_PAGE_BUFFER_SETTINGS, 5},
                                                 {WM_COMMAND, CMD_SHOW, 0}}));
    EXPECT_EQ(Command(window, CMD_SHOW_PAGE, IDD_PAGE_SAMPLE_RATE), 0);
    EXPECT_EQ(TakePosted(),
              (std::vector<Posted>{{MSG_SHOW_PAGE, IDD_PAGE_SAMPLE_RATE, 0}, {WM_COMMAND, CMD_SHOW, 0}}));
    EXPECT_EQ(Command(window, CMD_SHOW, 77), 0);
    EXPECT_EQ(TakePosted(), (std::vector<Posted>{{WM_COMMAND, CMD_SHOW, 0}}));
    EXPECT_EQ(Command(window, CMD_EXIT, 9), 0);
    EXPECT_EQ(TakePosted(), (std::vector<Posted>{{WM_COMMAND, CMD_EXIT, 0}}));
    Command(window, CMD_SHOW_ASIO_PAGE, -1);
    EXPECT_EQ(TakePosted().front(), (Posted{MSG_SHOW_PAGE, IDD_PAGE_BUFFER_SETTINGS, -1}));
}

TEST_F(RemoteCommandListenerTest, OnlyTheWholeWParamCountsAndEverythingElseIsDefault) {
    RemoteCommandListener listener(GetModuleHandleW(nullptr), target_, className_);
    ASSERT_EQ(listener.StartListening(), 0u);
    HWND window = listener.ListenerWindow();

    Command(window, 0x18004, 0); // low word CMD_SHOW, high word not zero
    Command(window, 0x1E141, 0);
    Command(window, 0x1234, 0);
    Command(window, MSG_SHOW_PAGE, 0);
    SendMessageW(window, MSG_SHOW_PAGE, IDD_PAGE_BUFFER_SETTINGS, 5); // a message, not a command
    EXPECT_TRUE(TakePosted().empty());

    SetWindowTextW(window, L"default");
    wchar_t text[16]{};
    GetWindowTextW(window, text, 16);
    EXPECT_STREQ(text, L"default") << "other messages get the default window handling";
}

TEST_F(RemoteCommandListenerTest, ASecondListenerOfTheSameNameInOneProcessFails) {
    RemoteCommandListener first(GetModuleHandleW(nullptr), target_, className_);
    ASSERT_EQ(first.StartListening(), 0u);
    {
        RemoteCommandListener second(GetModuleHandleW(nullptr), target_, className_);
        EXPECT_EQ(second.StartListening(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
        EXPECT_EQ(second.ListenerWindow(), nullptr);
    }
    EXPECT_EQ(FindWindowW(className_.c_str(), nullptr), first.ListenerWindow())
        << "the failed one left the first alone";
    Command(first.ListenerWindow(), CMD_SHOW, 0);
    EXPECT_EQ(TakePosted().size(), 1u);
}

TEST_F(RemoteCommandListenerTest, AnotherProcessReachesItAndMayListenUnderTheSameName) {
    RemoteCommandListener listener(GetModuleHandleW(nullptr), target_, className_);
    ASSERT_EQ(listener.StartListening(), 0u);
    EXPECT_EQ(RunSelfAsChild(L"listen", className_, 30000), 0ul)
        << "window classes are private to a process";
    ASSERT_EQ(RunSelfAsChild(L"post-asio-page", className_, 30000), 0ul);

    MSG message{};
    while (PeekMessageW(&message, listener.ListenerWindow(), 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    EXPECT_EQ(TakePosted(),
              (std::vector<Posted>{{MSG_SHOW_PAGE, IDD_PAGE_BUFFER_SETTINGS, 3},
                                   {WM_COMMAND, CMD_SHOW, 0}}));
}

TEST_F(RemoteCommandListenerTest, DestructionStopsListening) {
    {
        RemoteCommandListener listener(GetModuleHandleW(nullptr), target_, className_);
        ASSERT_EQ(listener.StartListening(), 0u);
    }
    EXPECT_EQ(FindWindowW(className_.c_str(), nullptr), nullptr);
}

} // namespace
