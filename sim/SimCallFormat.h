#pragma once

// How the call log writes arguments: numbers in decimal, pointers and handles as "null"
// or "ptr", a profile request as {selector, "id"}.

#include "driver/DriverRecords.h"

#include <windows.h>

#include <cstdint>
#include <string>

inline std::wstring FormatArg(std::uint32_t value) {
    return std::to_wstring(value);
}
inline std::wstring FormatArg(std::int16_t value) {
    return std::to_wstring(value);
}
inline std::wstring FormatArg(std::uint8_t value) {
    return std::to_wstring(value);
}
inline std::wstring FormatArg(const void* pointer) {
    return pointer ? L"ptr" : L"null";
}
inline std::wstring FormatArg(HWND window) {
    return window ? L"hwnd" : L"null";
}
inline std::wstring FormatArg(const SoundDeviceProfileRequest* request) {
    if (!request)
        return L"null";
    std::wstring id(request->profileId, wcsnlen(request->profileId, 64));
    return L"{" + std::to_wstring(request->selector) + L", \"" + id + L"\"}";
}

template <typename... Args> std::wstring FormatCall(const char* name, const Args&... args) {
    std::wstring line;
    for (const char* c = name; *c; ++c)
        line += static_cast<wchar_t>(*c);
    line += L'(';
    bool first = true;
    ((line += (first ? L"" : L", ") + FormatArg(args), first = false), ...);
    line += L')';
    return line;
}
