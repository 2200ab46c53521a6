#pragma once

#include "framework/WnHandle.h"
#include "framework/WnThreadCallbackInterface.h"

// A thread handle and identifier. Status values are 0 or the system's error code.
class WnThread : public WnHandle {
public:
    static constexpr DWORD kNoTimeLimit = INFINITE;

    // Starts `callback->ThreadRoutine()` on a new thread through the runtime library.
    // 183 (already exists) while a handle is held; nothing is started then.
    DWORD Start(WnThreadCallbackInterface* callback, unsigned stackSize, unsigned creationFlags);

    // 0 at once without a handle. Otherwise waits for the thread's end, once with a time
    // limit, or in slices of 1000 ms without one; when it has ended the handle is closed
    // and 0 returned. A time-out gives 258 and keeps the handle; a failed wait gives the
    // system's error.
    DWORD Wait(DWORD timeLimitMs = kNoTimeLimit);

    // Closes the handle and forgets the identifier.
    void Close() override;

    DWORD SetPriority(int priority);

    DWORD Id() const { return id_; }

private:
    DWORD id_ = 0;
};
