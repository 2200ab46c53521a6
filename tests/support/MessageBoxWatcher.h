#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Watches for message boxes (dialogs of class "#32770") of one process from a second
// thread, records what they show and dismisses each with its OK (or first) button.
// Works for the test process itself and for a child process alike.
struct SeenMessageBox {
    std::wstring caption;
    std::wstring text;
    enum class Icon { None, Error, Warning, Information, Question } icon = Icon::None;
    HWND owner = nullptr;
};

class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(DWORD processId = GetCurrentProcessId());
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    // Leaves boxes open (they are still recorded) until Dismiss(true) is called again.
    void Dismiss(bool dismiss) { dismiss_ = dismiss; }

    std::vector<SeenMessageBox> Seen() const;
    // True once at least `count` boxes were seen; gives up after timeoutMs.
    bool WaitForCount(size_t count, DWORD timeoutMs) const;

private:
    void Watch();
    void Inspect(HWND box);

    DWORD processId_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> dismiss_{true};
    mutable std::mutex mutex_;
    std::vector<SeenMessageBox> seen_;
    std::vector<HWND> handled_;
    std::thread thread_;
};
