#pragma once

#include <windows.h>

class MessageLoop;

// The program's module object: the module instance that dialog and page templates are
// loaded from, and the message loop of each thread that runs one, so that windows can add
// their message filters and idle handlers to the loop of the thread they belong to.
// Loops are kept per thread, so registration needs no lock.
class Module {
public:
    // Before Init (and after Term) the instance is the executable's.
    void Init(HINSTANCE instance);
    void Term();
    HINSTANCE Instance() const;

    // False when the calling thread already has a loop registered.
    bool AddMessageLoop(MessageLoop* loop);
    void RemoveMessageLoop();
    // The calling thread's loop, or null.
    MessageLoop* GetMessageLoop() const;

private:
    HINSTANCE instance_ = nullptr;
};

// The one module object of the process.
Module& GetModule();
