#include "app/WorkerThread.h"

DWORD WorkerThread::ThreadRoutine() {
    if (DWORD started = OnThreadStart(); started != 0)
        return started;
    DWORD result = ThreadMain();
    OnThreadEnd();
    return result;
}

DWORD WorkerThread::StartThread(int priority, unsigned stackSize, unsigned creationFlags) {
    // Replacing the stop event under a running thread would make it unstoppable.
    if (thread_.Get() != nullptr)
        return ERROR_ALREADY_EXISTS;
    if (DWORD created = stopEvent_.Create(); created != 0)
        return created;
    if (DWORD started = thread_.Start(this, stackSize, creationFlags); started != 0)
        return started;
    thread_.SetPriority(priority);
    return 0;
}

DWORD WorkerThread::StopThread(DWORD timeLimitMs) {
    if (thread_.Get() == nullptr)
        return 0;
    if (DWORD signalled = stopEvent_.Set(); signalled != 0)
        return signalled;
    return thread_.Wait(timeLimitMs);
}
