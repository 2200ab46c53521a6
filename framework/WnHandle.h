#pragma once

#include "framework/UniqueAny.h"

// An owned kernel handle, closed by Close and by the destructor. Null means no handle.
class WnHandle {
public:
    WnHandle() = default;
    explicit WnHandle(HANDLE handle) : handle_(handle) {}
    WnHandle(const WnHandle&) = delete;
    WnHandle& operator=(const WnHandle&) = delete;
    virtual ~WnHandle() = default;

    // Closes the handle if there is one and forgets it.
    virtual void Close() { handle_.Reset(); }

    HANDLE Get() const { return handle_.Get(); }

protected:
    // Takes ownership of `handle`, closing the one held before.
    void Attach(HANDLE handle) { handle_.Reset(handle); }

private:
    UniqueHandle handle_;
};
