#pragma once

#include "framework/WnHandle.h"

// An unnamed event with default security, auto- or manual-reset by construction.
// Status values are 0 or the system's error code.
class WnEvent : public WnHandle {
public:
    explicit WnEvent(bool manualReset) : manualReset_(manualReset) {}

    // Makes a new event, not signalled, in place of any held before.
    DWORD Create();
    DWORD Set();
    DWORD Reset();

    bool IsManualReset() const { return manualReset_; }

private:
    bool manualReset_;
};

class WnAutoResetEvent : public WnEvent {
public:
    WnAutoResetEvent() : WnEvent(false) {}
};

class WnManualResetEvent : public WnEvent {
public:
    WnManualResetEvent() : WnEvent(true) {}
};
