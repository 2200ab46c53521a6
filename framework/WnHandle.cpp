#include "framework/WnHandle.h"

WnHandle::~WnHandle() {
    WnHandle::Close();
}

void WnHandle::Close() {
    Attach(nullptr);
}

void WnHandle::Attach(HANDLE handle) {
    if (handle_ != nullptr)
        CloseHandle(handle_);
    handle_ = handle;
}
