// WnThread, WorkerThread and the device-notification watcher that runs on the worker thread.
#include "app/AppMessages.h"
#include "app/DeviceNotificationWatcher.h"
#include "app/WorkerThread.h"
#include "framework/WnEvent.h"
#include "framework/WnThread.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

// Runs until its event is set; the result is fixed.
class BlockingRoutine : public WnThreadCallbackInterface {
public:
    BlockingRoutine() { release.Create(); }
    DWORD ThreadRoutine() override {
        WaitForSingleObject(release.Get(), 10000);
        return 17;
    }
    WnManualResetEvent release;
};

TEST(WnThread, WaitsWithAndWithoutLimitAndRefusesASecondStart) {
    WnThread thread;
    EXPECT_EQ(thread.Wait(), 0u) << "no handle";
    EXPECT_EQ(thread.Wait(10), 0u);

    BlockingRoutine routine;
    ASSERT_EQ(thread.Start(&routine, 0, 0), 0u);
    EXPECT_NE(thread.Get(), nullptr);
    EXPECT_NE(thread.Id(), 0u);
    EXPECT_EQ(thread.Start(&routine, 0, 0), 183u) << "already exists";
    EXPECT_EQ(thread.SetPriority(THREAD_PRIORITY_BELOW_NORMAL), 0u);
    EXPECT_EQ(thread.Wait(20), 258u) << "time-out keeps the handle";
    EXPECT_NE(thread.Get(), nullptr);

    HANDLE handle = nullptr;
    DuplicateHandle(GetCurrentProcess(), thread.Get(), GetCurrentProcess(), &handle, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    routine.release.Set();
    EXPECT_EQ(thread.Wait(), 0u);
    EXPECT_EQ(thread.Get(), nullptr);
    EXPECT_EQ(thread.Id(), 0u);
    DWORD exitCode = 0;
    GetExitCodeThread(handle, &exitCode);
    EXPECT_EQ(exitCode, 17u) << "the routine's result ends the thread";
    CloseHandle(handle);
    EXPECT_EQ(thread.SetPriority(THREAD_PRIORITY_NORMAL), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

// Waits for its stop event and records the order of the hooks.
class StoppableWorker : public WorkerThread {
public:
    DWORD OnThreadStart() override {
        order += 'S';
        return startResult;
    }
    DWORD ThreadMain() override {
        order += 'M';
        return WaitForSingleObject(StopEvent(), 10000) == WAIT_OBJECT_0 ? 0 : 1;
    }
    void OnThreadEnd() override { order += 'E'; }

    DWORD startResult = 0;
    std::string order;
};

TEST(WorkerThread, StopWithoutAThreadReturnsAtOnce) {
    StoppableWorker worker;
    EXPECT_EQ(worker.StopThread(INFINITE), 0u);
}

TEST(WorkerThread, RunsTheHooksInOrderAndStopsOnTheStopEvent) {
    StoppableWorker worker;
    ASSERT_EQ(worker.StartThread(THREAD_PRIORITY_NORMAL, 0, 0), 0u);
    EXPECT_EQ(worker.StopThread(INFINITE), 0u);
    EXPECT_EQ(worker.order, "SME");
    EXPECT_EQ(worker.StopThread(INFINITE), 0u) << "stopped already";

    ASSERT_EQ(worker.StartThread(THREAD_PRIORITY_NORMAL, 0, 0), 0u) << "restartable";
    EXPECT_EQ(worker.StopThread(INFINITE), 0u);
    EXPECT_EQ(worker.order, "SMESME");
}

TEST(WorkerThread, ASecondStartIsRefusedAndTheRunningThreadStaysStoppable) {
    StoppableWorker worker;
    ASSERT_EQ(worker.StartThread(THREAD_PRIORITY_NORMAL, 0, 0), 0u);
    EXPECT_EQ(worker.StartThread(THREAD_PRIORITY_NORMAL, 0, 0), 183u);
    EXPECT_EQ(worker.StopThread(5000), 0u) << "its stop event was not replaced";
}

TEST(WorkerThread, AFailedStartHookEndsTheThreadBeforeItsMain) {
    StoppableWorker worker;
    worker.startResult = 5;
    ASSERT_EQ(worker.StartThread(THREAD_PRIORITY_NORMAL, 0, 0), 0u);
    EXPECT_EQ(worker.StopThread(INFINITE), 0u);
    EXPECT_EQ(worker.order, "S");
}

// The watcher on a thread of its own, posting to a message-only window of this thread.
class WatcherTest : public testing::Test {
protected:
    WatcherTest() {
        stop.Create();
        notification.Create();
        target = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                 nullptr);
    }
    ~WatcherTest() override {
        stop.Set();
        thread.Wait(5000);
        DestroyWindow(target);
    }

    class Runner : public WnThreadCallbackInterface {
    public:
        HANDLE stopEvent = nullptr, notificationEvent = nullptr;
        HWND window = nullptr;
        DWORD ThreadRoutine() override {
            return RunDeviceNotificationWatcher(stopEvent, notificationEvent, window);
        }
    };

    void Start(HANDLE notificationHandle) {
        runner.stopEvent = stop.Get();
        runner.notificationEvent = notificationHandle;
        runner.window = target;
        ASSERT_EQ(thread.Start(&runner, 0, 0), 0u);
    }

    // Waits up to `limitMs` for the next notification message and removes it.
    bool TakeNotification(DWORD limitMs) {
        ULONGLONG end = GetTickCount64() + limitMs;
        MSG message{};
        for (;;) {
            if (PeekMessageW(&message, target, MSG_DEVICE_NOTIFICATION, MSG_DEVICE_NOTIFICATION,
                             PM_REMOVE)) {
                EXPECT_EQ(message.wParam, 0u);
                EXPECT_EQ(message.lParam, 0);
                return true;
            }
            ULONGLONG now = GetTickCount64();
            if (now >= end)
                return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now),
                                      QS_POSTMESSAGE);
        }
    }

    WnManualResetEvent stop;
    WnAutoResetEvent notification;
    HWND target = nullptr;
    Runner runner;
    WnThread thread;
};

TEST_F(WatcherTest, ABurstWithinFiftyMillisecondsGivesAtMostTwoMessages) {
    Start(notification.Get());
    notification.Set();
    ASSERT_TRUE(TakeNotification(5000));
    // The watcher now sleeps 50 ms; a burst during that sleep folds into one more message.
    LARGE_INTEGER frequency{}, begin{}, done{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    for (int i = 0; i < 20; ++i)
        notification.Set();
    QueryPerformanceCounter(&done);
    if ((done.QuadPart - begin.QuadPart) * 1000 / frequency.QuadPart > 40)
        GTEST_SKIP() << "the burst itself took longer than the coalescing interval";
    EXPECT_TRUE(TakeNotification(2000));
    EXPECT_FALSE(TakeNotification(300)) << "no third message";

    EXPECT_EQ(stop.Set(), 0u);
    EXPECT_EQ(thread.Wait(5000), 0u) << "the stop event ends the watcher";
}

TEST_F(WatcherTest, StopEndsItEvenWhenTheNotificationHandleIsBad) {
    Start(nullptr);
    Sleep(150); // a few failed waits
    EXPECT_FALSE(TakeNotification(0));
    stop.Set();
    EXPECT_EQ(thread.Wait(5000), 0u);
}

TEST_F(WatcherTest, StopWinsOverAPendingNotification) {
    stop.Set();
    notification.Set();
    Start(notification.Get());
    EXPECT_EQ(thread.Wait(5000), 0u);
    EXPECT_FALSE(TakeNotification(0));
}

} // namespace
