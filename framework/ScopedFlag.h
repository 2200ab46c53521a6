#pragma once

#include <utility>

// Gives a flag a value for the life of the object and then restores the previous one: a
// change the code makes itself is told apart from the user's while it lasts.
class ScopedFlag {
public:
    ScopedFlag(bool& flag, bool value) : flag_(flag), saved_(std::exchange(flag, value)) {}
    ~ScopedFlag() { flag_ = saved_; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& flag_;
    bool saved_;
};
