#pragma once

#include <windows.h>

#include <cstdio>
#include <utility>

// What "none" is for a kind of resource: a value that names no resource. The zero value
// unless the resource's functions say otherwise, as those of files and directory searches
// do with INVALID_HANDLE_VALUE (no constant expression, hence a function).
template <typename T> struct NoneIsZero {
    static constexpr T Value() { return T{}; }
};
struct NoneIsInvalidHandle {
    static HANDLE Value() { return INVALID_HANDLE_VALUE; }
};

// The one owner of a resource that a plain value names (a kernel handle, an icon, a GDI
// object, a file, an open device): move-only, and freed by a `Free` object when replaced
// or destroyed. `Free` carries what the release needs besides the value (the window of a
// device context, the binding that closes a device); `None` gives the value that means
// none, which is never freed.
template <typename T, typename Free, typename None = NoneIsZero<T>> class UniqueAny {
public:
    UniqueAny() = default;
    explicit UniqueAny(T value, Free free = Free{}) : value_(value), free_(std::move(free)) {}
    UniqueAny(UniqueAny&& other) noexcept : value_(other.Release()), free_(other.free_) {}
    UniqueAny& operator=(UniqueAny&& other) noexcept {
        Reset(other.Release());
        free_ = other.free_;
        return *this;
    }
    UniqueAny(const UniqueAny&) = delete;
    UniqueAny& operator=(const UniqueAny&) = delete;
    ~UniqueAny() { Reset(); }

    T Get() const { return value_; }
    explicit operator bool() const { return value_ != None::Value(); }

    // Frees the value held, then holds `value`.
    void Reset(T value = None::Value()) {
        if (value_ != None::Value())
            free_(value_);
        value_ = value;
    }
    // Gives the value up without freeing it.
    T Release() { return std::exchange(value_, None::Value()); }

private:
    T value_ = None::Value();
    Free free_{};
};

// The `Free` of a resource that a function of the value alone releases.
template <auto Function> struct FreeWith {
    template <typename T> void operator()(T value) const { Function(value); }
};

using UniqueHandle = UniqueAny<HANDLE, FreeWith<&CloseHandle>>;
// A file opened by CreateFile, and a directory search.
using UniqueFileHandle = UniqueAny<HANDLE, FreeWith<&CloseHandle>, NoneIsInvalidHandle>;
using UniqueFindHandle = UniqueAny<HANDLE, FreeWith<&FindClose>, NoneIsInvalidHandle>;
using UniqueIcon = UniqueAny<HICON, FreeWith<&DestroyIcon>>;
using UniqueMenu = UniqueAny<HMENU, FreeWith<&DestroyMenu>>;
using UniqueBitmap = UniqueAny<HBITMAP, FreeWith<&DeleteObject>>;
using UniqueFont = UniqueAny<HFONT, FreeWith<&DeleteObject>>;
using UniqueModule = UniqueAny<HMODULE, FreeWith<&FreeLibrary>>;
using UniqueMemoryDC = UniqueAny<HDC, FreeWith<&DeleteDC>>;
using UniqueRegistryKey = UniqueAny<HKEY, FreeWith<&RegCloseKey>>;
using UniqueFile = UniqueAny<FILE*, FreeWith<&fclose>>;

// A window's device context, released to that window when the owner goes.
struct ReleaseToWindow {
    HWND window = nullptr;
    void operator()(HDC dc) const { ReleaseDC(window, dc); }
};
class WindowDC : public UniqueAny<HDC, ReleaseToWindow> {
public:
    explicit WindowDC(HWND window) : UniqueAny(GetDC(window), ReleaseToWindow{window}) {}
};
