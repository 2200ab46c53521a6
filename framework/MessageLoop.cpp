#include "framework/MessageLoop.h"

#include <algorithm>

namespace {

template <class T> void RemoveFrom(std::vector<T*>& list, T* item) {
    std::replace(list.begin(), list.end(), item, static_cast<T*>(nullptr));
}

template <class T> void DropNulls(std::vector<T*>& list) {
    list.erase(std::remove(list.begin(), list.end(), nullptr), list.end());
}

constexpr UINT kSystemTimer = 0x0118;

} // namespace

void MessageLoop::AddMessageFilter(MessageFilter* filter) {
    if (filter != nullptr)
        filters_.push_back(filter);
}

void MessageLoop::RemoveMessageFilter(MessageFilter* filter) {
    RemoveFrom(filters_, filter);
    Compact();
}

void MessageLoop::AddIdleHandler(IdleHandler* handler) {
    if (handler != nullptr)
        idleHandlers_.push_back(handler);
}

void MessageLoop::RemoveIdleHandler(IdleHandler* handler) {
    RemoveFrom(idleHandlers_, handler);
    Compact();
}

void MessageLoop::Compact() {
    if (callDepth_ != 0)
        return;
    DropNulls(filters_);
    DropNulls(idleHandlers_);
}

bool MessageLoop::IsIdleTrigger(const MSG& message) {
    switch (message.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_PAINT:
    case kSystemTimer:
        return false;
    default:
        return true;
    }
}

bool MessageLoop::PreTranslate(MSG& message) {
    ++callDepth_;
    bool taken = false;
    // Indexes stay valid: additions go to the end, removals only clear a slot.
    for (size_t i = filters_.size(); i-- > 0 && !taken;) {
        if (filters_[i] != nullptr)
            taken = filters_[i]->PreTranslateMessage(message);
    }
    --callDepth_;
    Compact();
    return taken;
}

bool MessageLoop::RunIdleRound() {
    ++callDepth_;
    bool moreToDo = !idleHandlers_.empty();
    for (size_t i = 0; i < idleHandlers_.size(); ++i) {
        if (idleHandlers_[i] != nullptr && !idleHandlers_[i]->OnIdle())
            moreToDo = false;
    }
    --callDepth_;
    Compact();
    return moreToDo;
}

int MessageLoop::Run() {
    bool idle = true;
    MSG message{};
    for (;;) {
        while (idle && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE))
            idle = RunIdleRound();

        BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == -1)
            continue;
        if (got == 0)
            return static_cast<int>(message.wParam);

        if (!PreTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (IsIdleTrigger(message))
            idle = true;
    }
}
