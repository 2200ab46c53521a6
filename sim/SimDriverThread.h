#pragma once

// The simulator's own thread, as a driver has one: it posts the PnP message and ends
// clock source settling periods when they are due, never on the caller's thread.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

class SimDriverThread {
public:
    SimDriverThread();
    SimDriverThread(const SimDriverThread&) = delete;
    SimDriverThread& operator=(const SimDriverThread&) = delete;
    // Lives as long as the process (see SimRuntime): never destroyed while running.
    ~SimDriverThread() = delete;

    // Runs `task` on the thread after `delayMs`; tasks due at the same time run in the
    // order they were scheduled.
    void Schedule(std::uint32_t delayMs, std::function<void()> task);

private:
    void Run();

    using Clock = std::chrono::steady_clock;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::multimap<Clock::time_point, std::function<void()>> tasks_;
    std::thread thread_;
};
