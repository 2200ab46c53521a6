#pragma once

#include <deque>
#include <functional>
#include <vector>

// The one way through the program's modal windows. An error box, the volume dialog and the
// tray menu each run a message loop of their own inside a handler of the main window, and
// that loop dispatches the window's messages. What would tear down or rebuild the objects
// such a handler stands on (a device list update, a device selection, a page switch,
// showing, hiding or ending the program) is a request: it runs at once while no modal
// window is open, and otherwise waits here and runs after the last one has closed, in the
// order the requests came, one per posted message, so that none runs inside a modal loop
// or inside the handler that opened the window.
class ModalScope {
public:
    enum class Kind {
        ErrorBox, // at most one is shown: reports while one is open are dropped
        Other,
    };
    // What a request that has to wait does to the open modal windows: Wait leaves them to
    // the user; Close asks those that can be closed (the volume dialog, the tray menu) to
    // close, as a device change or a page switch closes the volume dialog.
    enum class OnOpen { Wait, Close };

    // `postRunNext` posts the message on which the owner calls RunNext.
    explicit ModalScope(std::function<void()> postRunNext) : postRunNext_(std::move(postRunNext)) {}

    // Runs a modal window: `run` returns once it has closed. `close`, when given, asks it to
    // close.
    void Run(Kind kind, const std::function<void()>& run, std::function<void()> close = {});
    void Request(std::function<void()> request, OnOpen onOpen);
    // Runs the request that waited longest, unless a modal window is open again.
    void RunNext();

    bool IsOpen() const { return !closers_.empty(); }
    bool IsErrorBoxOpen() const { return errorBoxes_ > 0; }

private:
    std::function<void()> postRunNext_;
    // One entry per open modal window, innermost last; empty where it cannot be closed.
    std::vector<std::function<void()>> closers_;
    int errorBoxes_ = 0;
    std::deque<std::function<void()>> waiting_;
};
