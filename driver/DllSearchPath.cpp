#include "driver/DllSearchPath.h"

#include <windows.h>

StatusCode RestrictDllSearchPath() {
    // The legacy search order still applies to LoadLibrary calls made without flags;
    // the empty directory removes the current directory from it.
    if (!SetDllDirectoryW(L""))
        return GetLastError();
    if (!SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS))
        return GetLastError();
    return 0;
}
