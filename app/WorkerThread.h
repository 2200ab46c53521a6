#pragma once

#include "framework/WnEvent.h"
#include "framework/WnThread.h"
#include "framework/WnThreadCallbackInterface.h"

// A worker thread run for the object: OnThreadStart, then ThreadMain, then OnThreadEnd,
// on the new thread. ThreadMain watches StopEvent(), which StopThread signals. Status
// values are 0 or the system's error code.
//
// The owner stops the thread before the object goes away: the destructor closes the
// handles but does not stop a running thread.
class WorkerThread : public WnThreadCallbackInterface {
public:
    DWORD ThreadRoutine() override;
    virtual ~WorkerThread() = default;

    // Makes a fresh stop event and starts the thread. 183 while a thread is held; the stop
    // event of that thread is then left untouched, so it can still be stopped.
    virtual DWORD StartThread(int priority, unsigned stackSize, unsigned creationFlags);
    // 0 at once without a thread; otherwise signals the stop event and waits as WnThread
    // does. The event stays signalled until the next StartThread replaces it.
    virtual DWORD StopThread(DWORD timeLimitMs);

protected:
    // A non-zero result ends the thread with it before ThreadMain.
    virtual DWORD OnThreadStart() { return 0; }
    virtual DWORD ThreadMain() = 0;
    virtual void OnThreadEnd() {}

    HANDLE StopEvent() const { return stopEvent_.Get(); }

private:
    WnManualResetEvent stopEvent_;
    WnThread thread_;
};
