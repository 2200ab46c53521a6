#pragma once

#include <windows.h>

#include <vector>

// Sees each message before it is translated and dispatched; returns true to take it
// (the message then goes no further), for example for a modeless dialog's keyboard handling.
class MessageFilter {
public:
    virtual bool PreTranslateMessage(MSG& message) = 0;

protected:
    ~MessageFilter() = default;
};

// Runs while the thread's message queue is empty; returns true while it has more to do.
class IdleHandler {
public:
    virtual bool OnIdle() = 0;

protected:
    ~IdleHandler() = default;
};

// The message loop of one thread, with message filters and idle handlers.
//
// Run: while the queue is empty, idle rounds run, each calling every idle handler in the
// order added, until a round in which some handler reports that it has nothing more to do.
// Then the next message is taken (a retrieval error is skipped). WM_QUIT ends the loop with
// its wParam. Any other message is offered to the filters, the last added first; when none
// takes it, it is translated and dispatched. A message that counts as an idle trigger
// (anything but mouse moves, paint and the system timer) lets idle rounds run again.
//
// Filters and handlers may be added or removed at any time, also from inside a call of one
// of them; a removed one is not called again.
class MessageLoop {
public:
    void AddMessageFilter(MessageFilter* filter);
    void RemoveMessageFilter(MessageFilter* filter);
    void AddIdleHandler(IdleHandler* handler);
    void RemoveIdleHandler(IdleHandler* handler);

    // Returns the wParam of the quit message.
    int Run();

    static bool IsIdleTrigger(const MSG& message);

private:
    bool PreTranslate(MSG& message);
    bool RunIdleRound();
    void Compact();

    // Removal leaves a null slot while a call is in progress; Compact drops them later.
    std::vector<MessageFilter*> filters_;
    std::vector<IdleHandler*> idleHandlers_;
    int callDepth_ = 0;
};
