// The single-instance mutex, the hand-off to a running instance and the exit-all loop,
// against stand-in listener windows in this process.
#include "app/AppMessages.h"
#include "app/SingleInstance.h"
#include "resources/dialogs/PageBufferSettings.h"
#include "resources/dialogs/PageSampleRate.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

std::wstring UniqueInstanceName() {
    static int counter = 0;
    return L"KorvelineCplTest_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
           std::to_wstring(++counter);
}

struct ReceivedCommand {
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const ReceivedCommand&) const = default;
};

// A hidden top-level window whose class name is the instance name, as a running
// instance's listener has. It records the commands it receives and, when asked to,
// destroys itself on the given request to end.
class ListenerStandIn {
public:
    explicit ListenerStandIn(const std::wstring& className, int leaveOnExitRequest = 0)
        : className_(className), leaveOnExitRequest_(leaveOnExitRequest) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = className_.c_str();
        RegisterClassExW(&windowClass); // the second stand-in of a name reuses the class
        window_ = CreateWindowExW(0, className_.c_str(), L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~ListenerStandIn() {
        if (IsWindow(window_))
            DestroyWindow(window_);
        UnregisterClassW(className_.c_str(), GetModuleHandleW(nullptr));
    }
    ListenerStandIn(const ListenerStandIn&) = delete;
    ListenerStandIn& operator=(const ListenerStandIn&) = delete;

    HWND Window() const { return window_; }
    bool Exists() const { return IsWindow(window_) != FALSE; }
    const std::vector<ReceivedCommand>& Received() const { return received_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<ListenerStandIn*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && message == WM_COMMAND) {
            self->received_.push_back({wParam, lParam});
            if (wParam == CMD_EXIT &&
                static_cast<int>(self->received_.size()) == self->leaveOnExitRequest_)
                DestroyWindow(window);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    std::wstring className_;
    int leaveOnExitRequest_;
    HWND window_ = nullptr;
    std::vector<ReceivedCommand> received_;
};

} // namespace

TEST(SingleInstanceMutex, FirstClaimWinsLaterClaimsSeeItRunning) {
    std::wstring name = UniqueInstanceName();
    EXPECT_EQ(ClaimSingleInstance(name), InstanceClaim::FirstInstance);
    EXPECT_EQ(ClaimSingleInstance(name), InstanceClaim::AlreadyRunning);
    EXPECT_EQ(ClaimSingleInstance(name), InstanceClaim::AlreadyRunning);

    // The bare name, in the session's namespace, and nobody owns the mutex: another
    // thread can take it at once.
    HANDLE opened = OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, name.c_str());
    ASSERT_NE(opened, nullptr);
    DWORD wait = WAIT_FAILED;
    std::thread([&] {
        wait = WaitForSingleObject(opened, 0);
        ReleaseMutex(opened);
    }).join();
    EXPECT_EQ(wait, WAIT_OBJECT_0);
    CloseHandle(opened);
}

TEST(SingleInstanceMutex, NameTakenByAnotherKindOfObjectCountsAsRunning) {
    std::wstring name = UniqueInstanceName();
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, name.c_str());
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(ClaimSingleInstance(name), InstanceClaim::AlreadyRunning);
    CloseHandle(event);
}

TEST(SingleInstanceHandOff, PostsTheCommandAndInstanceNumberToTheListener) {
    std::wstring name = UniqueInstanceName();
    ListenerStandIn listener(name);
    ASSERT_TRUE(listener.Exists());

    using enum StartRequest::Kind;
    const auto page = [](UINT id, std::optional<std::intptr_t> instance = std::nullopt) {
        return StartRequest{.kind = Page, .pageId = id, .asioInstance = instance};
    };
    EXPECT_EQ(HandOffToRunningInstance(name, {}), HandOffResult::Sent);
    EXPECT_EQ(HandOffToRunningInstance(name, page(IDD_PAGE_BUFFER_SETTINGS, 3)), HandOffResult::Sent);
    EXPECT_EQ(HandOffToRunningInstance(name, page(IDD_PAGE_BUFFER_SETTINGS, -1)), HandOffResult::Sent);
    EXPECT_EQ(HandOffToRunningInstance(name, page(IDD_PAGE_SAMPLE_RATE)), HandOffResult::Sent);
    EXPECT_EQ(HandOffToRunningInstance(name, {.kind = Hidden}), HandOffResult::NothingToSend);
    PumpPendingMessages();

    std::vector<ReceivedCommand> expected{{CMD_SHOW, 0},
                                          {CMD_SHOW_ASIO_PAGE, 3},
                                          {CMD_SHOW_ASIO_PAGE, LPARAM(-1)},
                                          {CMD_SHOW_PAGE, IDD_PAGE_SAMPLE_RATE}};
    EXPECT_EQ(listener.Received(), expected);
}

TEST(SingleInstanceHandOff, NoListenerMeansNothingIsSent) {
    std::wstring name = UniqueInstanceName();
    ListenerStandIn other(UniqueInstanceName());
    EXPECT_EQ(HandOffToRunningInstance(name, {}), HandOffResult::NoWindow);
    PumpPendingMessages();
    EXPECT_TRUE(other.Received().empty());
}

TEST(ExitAllInstances, EndsAtOnceWhenNoInstanceRuns) {
    int pauses = 0;
    EXPECT_EQ(RequestExitOfAllInstances(UniqueInstanceName(), [&] { ++pauses; }), 0u);
    EXPECT_EQ(pauses, 0);
}

TEST(ExitAllInstances, GivesUpAfter21RequestsToAWindowThatStays) {
    std::wstring name = UniqueInstanceName();
    ListenerStandIn stubborn(name);
    int pauses = 0;
    auto pause = [&] {
        ++pauses;
        PumpPendingMessages();
    };
    EXPECT_EQ(RequestExitOfAllInstances(name, pause), kExitAllGaveUp);
    EXPECT_EQ(pauses, 21);
    EXPECT_EQ(stubborn.Received(), std::vector<ReceivedCommand>(21, {CMD_EXIT, 0}));
}

TEST(ExitAllInstances, AWindowLeavingOnTheLastRequestEndsTheLoopWithZero) {
    std::wstring name = UniqueInstanceName();
    ListenerStandIn slow(name, 21);
    EXPECT_EQ(RequestExitOfAllInstances(name, PumpPendingMessages), 0u);
    EXPECT_FALSE(slow.Exists());
    EXPECT_EQ(slow.Received().size(), 21u);
}

TEST(ExitAllInstances, EndsSeveralInstancesOneAfterAnother) {
    std::wstring name = UniqueInstanceName();
    // Each stays for 15 requests: the count starts again for every new window.
    ListenerStandIn first(name, 15);
    ListenerStandIn second(name, 15);
    int pauses = 0;
    auto pause = [&] {
        ++pauses;
        PumpPendingMessages();
    };
    EXPECT_EQ(RequestExitOfAllInstances(name, pause), 0u);
    EXPECT_FALSE(first.Exists());
    EXPECT_FALSE(second.Exists());
    EXPECT_EQ(first.Received(), std::vector<ReceivedCommand>(15, {CMD_EXIT, 0}));
    EXPECT_EQ(second.Received(), std::vector<ReceivedCommand>(15, {CMD_EXIT, 0}));
    EXPECT_EQ(pauses, 30);
}
