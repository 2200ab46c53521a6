#pragma once

#include <windows.h>

// An owned kernel handle, closed by Close and by the destructor. Null means no handle.
class WnHandle {
public:
    WnHandle() = default;
    explicit WnHandle(HANDLE handle) : handle_(handle) {}
    WnHandle(const WnHandle&) = delete;
    WnHandle& operator=(const WnHandle&) = delete;
    virtual ~WnHandle();

    // Closes the handle if there is one and forgets it.
    virtual void Close();

    HANDLE Get() const { return handle_; }

protected:
    // Takes ownership of `handle`, closing the one held before.
    void Attach(HANDLE handle);

private:
    HANDLE handle_ = nullptr;
};
