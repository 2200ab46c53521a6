#include "config/CrashDump.h"

#include "config/ExecutablePath.h"
#include "framework/ShellFunctions.h"
#include "framework/UniqueAny.h"

#include <dbghelp.h>
#include <shlobj.h>

#include <cwchar>

namespace {

constexpr size_t kMaxSetting = 259;

struct CrashHandlerSettings {
    bool installed = false;
    std::wstring baseName;
    std::wstring directory;
    DWORD specialFolder = kNoSpecialFolder;
};

CrashHandlerSettings& Settings() {
    static CrashHandlerSettings settings;
    return settings;
}

std::wstring Cut(std::wstring text) {
    if (text.size() > kMaxSetting)
        text.resize(kMaxSetting);
    return text;
}

std::wstring ExecutablePath() {
    std::wstring path;
    RunningExecutablePath(path); // empty on failure: no name, no directory
    return path;
}

std::wstring ExecutableBaseName() {
    std::wstring path = ExecutablePath();
    size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

std::wstring ExecutableDirectory() {
    std::wstring path = ExecutablePath();
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

using MiniDumpWriteDumpFunction = BOOL(WINAPI*)(HANDLE, DWORD, HANDLE, MINIDUMP_TYPE,
                                                PMINIDUMP_EXCEPTION_INFORMATION,
                                                PMINIDUMP_USER_STREAM_INFORMATION,
                                                PMINIDUMP_CALLBACK_INFORMATION);

} // namespace

void InstallCrashHandler(const wchar_t* baseName, const wchar_t* directory, DWORD specialFolder) {
    CrashHandlerSettings& settings = Settings();
    if (settings.installed)
        return;
    settings.baseName = Cut(baseName ? baseName : ExecutableBaseName());
    settings.directory = Cut(directory ? directory : L"%TEMP%");
    settings.specialFolder = specialFolder;
    SetUnhandledExceptionFilter(WriteCrashDump);
    settings.installed = true;
}

std::wstring CrashDumpDirectory() {
    const CrashHandlerSettings& settings = Settings();
    std::wstring text;
    if (settings.specialFolder == kNoSpecialFolder) {
        text = settings.directory.empty() ? ExecutableDirectory() : settings.directory;
    } else {
        wchar_t folder[MAX_PATH] = {};
        if (FAILED(ShellGetFolderPath(static_cast<int>(settings.specialFolder) | CSIDL_FLAG_CREATE,
                                      SHGFP_TYPE_CURRENT, folder)))
            return {};
        text = folder;
        if (!settings.directory.empty()) {
            if (text.empty() || text.back() != L'\\')
                text += L'\\';
            text += settings.directory;
        }
    }
    wchar_t expanded[MAX_PATH + 1] = {};
    DWORD length = ExpandEnvironmentStringsW(text.c_str(), expanded, MAX_PATH);
    if (length == 0 || length > MAX_PATH)
        return {};
    return expanded;
}

void CreateDirectoryPath(const std::wstring& path) {
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos)
            end = path.size();
        // Components of one character (drive letters, stray separators) are not created.
        if (end - start >= 2)
            CreateDirectoryW(path.substr(0, end).c_str(), nullptr);
        start = end + 1;
    }
}

std::wstring CrashDumpFileName(const std::wstring& directory, const std::wstring& baseName,
                               const SYSTEMTIME& t) {
    wchar_t name[2 * MAX_PATH + 32];
    swprintf(name, sizeof name / sizeof name[0], L"%ls\\%ls_%d%02d%02d%02d%02d%02d.dmp",
             directory.c_str(), baseName.c_str(), t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
             t.wSecond);
    return name;
}

LONG WINAPI WriteCrashDump(EXCEPTION_POINTERS* exception) {
    const UniqueModule dbghelp(
        LoadLibraryExW(L"DBGHELP.DLL", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    if (!dbghelp)
        return EXCEPTION_CONTINUE_SEARCH;
    auto writeDump = reinterpret_cast<MiniDumpWriteDumpFunction>(
        reinterpret_cast<void*>(GetProcAddress(dbghelp.Get(), "MiniDumpWriteDump")));
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::wstring directory = writeDump ? CrashDumpDirectory() : std::wstring();
    if (!directory.empty()) {
        CreateDirectoryPath(directory);
        std::wstring file = CrashDumpFileName(directory, Settings().baseName, now);
        const UniqueFileHandle dump(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr,
                                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (dump) {
            MINIDUMP_EXCEPTION_INFORMATION info{};
            info.ThreadId = GetCurrentThreadId();
            info.ExceptionPointers = exception;
            info.ClientPointers = FALSE;
            writeDump(GetCurrentProcess(), GetCurrentProcessId(), dump.Get(), MiniDumpWithFullMemory,
                      exception ? &info : nullptr, nullptr, nullptr);
        }
    }
    return EXCEPTION_CONTINUE_SEARCH;
}
