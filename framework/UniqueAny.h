#pragma once

#include <windows.h>

#include <utility>

// The one owner of a resource that a plain value names (an icon, a menu, a GDI object):
// move-only, and freed by `Free` when replaced or destroyed. `Invalid` means "none".
template <typename T, auto Free, T Invalid = T{}> class UniqueAny {
public:
    UniqueAny() = default;
    explicit UniqueAny(T value) : value_(value) {}
    UniqueAny(UniqueAny&& other) noexcept : value_(other.Release()) {}
    UniqueAny& operator=(UniqueAny&& other) noexcept {
        Reset(other.Release());
        return *this;
    }
    UniqueAny(const UniqueAny&) = delete;
    UniqueAny& operator=(const UniqueAny&) = delete;
    ~UniqueAny() { Reset(); }

    T Get() const { return value_; }
    explicit operator bool() const { return value_ != Invalid; }

    // Frees the value held, then holds `value`.
    void Reset(T value = Invalid) {
        if (value_ != Invalid)
            Free(value_);
        value_ = value;
    }
    // Gives the value up without freeing it.
    T Release() { return std::exchange(value_, Invalid); }

private:
    T value_ = Invalid;
};

using UniqueIcon = UniqueAny<HICON, &DestroyIcon>;
using UniqueMenu = UniqueAny<HMENU, &DestroyMenu>;
using UniqueBitmap = UniqueAny<HBITMAP, [](HBITMAP bitmap) { DeleteObject(bitmap); }>;

// A window's device context, released when the owner goes.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (dc_ != nullptr)
            ReleaseDC(window_, dc_);
    }
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};
