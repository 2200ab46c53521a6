#include "app/ModalScope.h"

void ModalScope::Run(Kind kind, const std::function<void()>& run, std::function<void()> close) {
    closers_.push_back(std::move(close));
    if (kind == Kind::ErrorBox)
        ++errorBoxes_;
    run();
    if (kind == Kind::ErrorBox)
        --errorBoxes_;
    closers_.pop_back();
    if (!IsOpen() && !waiting_.empty())
        postRunNext_();
}

void ModalScope::Request(std::function<void()> request, OnOpen onOpen) {
    // Requests that already wait go first, also once the last modal window has closed.
    if (!IsOpen() && waiting_.empty()) {
        request();
        return;
    }
    waiting_.push_back(std::move(request));
    if (onOpen == OnOpen::Close) {
        // A closer only ends its window's loop; the window goes when that loop returns.
        for (const auto& close : std::vector(closers_)) {
            if (close)
                close();
        }
    }
}

void ModalScope::RunNext() {
    if (IsOpen() || waiting_.empty())
        return;
    const std::function<void()> request = std::move(waiting_.front());
    waiting_.pop_front();
    // Posted before the request runs: a request that opens a modal window finds it open
    // and leaves the rest to that window's closing; one that ends the program takes the
    // message with its window.
    if (!waiting_.empty())
        postRunNext_();
    request();
}
