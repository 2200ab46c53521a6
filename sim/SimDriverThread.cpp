#include "sim/SimDriverThread.h"

SimDriverThread::SimDriverThread() : thread_([this] { Run(); }) {}

void SimDriverThread::Schedule(std::uint32_t delayMs, std::function<void()> task) {
    {
        std::lock_guard lock(mutex_);
        tasks_.emplace(Clock::now() + std::chrono::milliseconds(delayMs), std::move(task));
    }
    wake_.notify_one();
}

void SimDriverThread::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        if (tasks_.empty()) {
            wake_.wait(lock);
            continue;
        }
        auto first = tasks_.begin();
        if (first->first > Clock::now()) {
            wake_.wait_until(lock, first->first);
            continue;
        }
        auto task = std::move(first->second);
        tasks_.erase(first);
        lock.unlock();
        task();
        lock.lock();
    }
}
