// KorvelineCplCheck.exe: checks a panel's configuration and translation files before they
// ship (see CheckProgram.h).

#include "config/ExecutablePath.h"
#include "tools/check/CheckProgram.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

// A console shows the text as it is; a file or pipe receives UTF-8.
void Write(const std::wstring& text) {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(out, &mode)) {
        WriteConsoleW(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                     nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                        length, nullptr, nullptr);
    WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::wstring> arguments(argv + 1, argv + argc);
    std::wstring toolPath;
    if (StatusCode status = RunningExecutablePath(toolPath)) {
        Write(L"the folder of this tool cannot be named (error " + std::to_wstring(status) +
              L")\n");
        return kCheckPathUnreadable;
    }
    std::wstring toolFolder = toolPath.substr(0, toolPath.find_last_of(L"\\/"));
    std::wstring output;
    int exitCode = RunCheckTool(arguments, toolFolder, output);
    Write(output);
    return exitCode;
}
