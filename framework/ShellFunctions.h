#pragma once

#include <windows.h>

#include <shellapi.h>

// The two shell functions the program uses, with the shell library loaded from the system
// folder on their first call instead of at process start: loading it, and the libraries it
// pulls in, costs start-up time that a run without a tray icon or crash never needs.
// When the library or the function cannot be had, they fail as the function itself would.
BOOL ShellNotifyIcon(DWORD message, NOTIFYICONDATAW* data);
HRESULT ShellGetFolderPath(int folder, DWORD flags, wchar_t (&path)[MAX_PATH]);
