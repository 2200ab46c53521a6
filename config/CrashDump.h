#pragma once

#include <windows.h>

#include <string>

// Writes a full-memory dump of the process when an exception nobody handles ends it.
// Settings are taken once; a second install keeps the first ones.
constexpr DWORD kNoSpecialFolder = 0xFFFFFFFF;

// baseName null: the executable's name without extension. directory null: "%TEMP%".
// specialFolder: a CSIDL value, or kNoSpecialFolder.
void InstallCrashHandler(const wchar_t* baseName, const wchar_t* directory, DWORD specialFolder);

// The unhandled-exception filter the handler installs; always lets the search continue.
LONG WINAPI WriteCrashDump(EXCEPTION_POINTERS* exception);

// The dump directory the current settings give (environment variables expanded),
// empty when none can be formed. Exposed for tests.
std::wstring CrashDumpDirectory();

// Creates each directory along a backslash-separated path, ignoring failures.
void CreateDirectoryPath(const std::wstring& path);

// "<directory>\<base>_YYYYMMDDhhmmss.dmp" for the given local time.
std::wstring CrashDumpFileName(const std::wstring& directory, const std::wstring& baseName,
                               const SYSTEMTIME& localTime);
