#pragma once

#include <windows.h>

// What a WnThread runs: ThreadRoutine on the new thread, whose result ends the thread.
class WnThreadCallbackInterface {
public:
    virtual DWORD ThreadRoutine() = 0;

protected:
    ~WnThreadCallbackInterface() = default;
};
