#include "config/ExecutablePath.h"

#include <windows.h>

StatusCode RunningExecutablePath(std::wstring& path) {
    wchar_t buffer[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    if (length == 0)
        return GetLastError();
    // A full buffer means the path was cut.
    if (length >= MAX_PATH)
        return ERROR_INSUFFICIENT_BUFFER;
    path.assign(buffer, length);
    return ERROR_SUCCESS;
}

std::wstring PathWithExtension(const std::wstring& path, const std::wstring& extension) {
    size_t nameStart = path.find_last_of(L"\\/:");
    nameStart = nameStart == std::wstring::npos ? 0 : nameStart + 1;
    size_t dot = path.rfind(L'.');
    size_t baseEnd = dot == std::wstring::npos || dot < nameStart ? path.size() : dot;
    return path.substr(0, baseEnd) + extension;
}
