// korvelinesim: sends one control command to the simulated driver inside another process
// through that process's control pipe, prints the reply and exits with
//   0 done, 1 the simulator refused the command, 2 usage error, 3 no simulator reachable.

#include "sim/SimPipeProtocol.h"
#include "sim/SimText.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kExitDone = 0;
constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;
constexpr int kExitUnreachable = 3;

void Print(FILE* stream, const std::wstring& text) {
    std::string bytes = WideToUtf8(text);
    if (!bytes.empty() && bytes.back() != '\n')
        bytes += '\n';
    fwrite(bytes.data(), 1, bytes.size(), stream);
    fflush(stream);
}

int Usage() {
    Print(stderr, L"usage: korvelinesim --pid PROCESS_ID COMMAND [ARGUMENTS...]\n"
                  L"       korvelinesim --pipe PIPE_NAME COMMAND [ARGUMENTS...]\n"
                  L"COMMAND \"help\" lists the commands of the simulator.");
    return kExitUsage;
}

// Connects to the pipe, waiting a while for it when another client is being served.
HANDLE Connect(const std::wstring& name, DWORD& error) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        HANDLE pipe = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (pipe != INVALID_HANDLE_VALUE) {
            DWORD mode = PIPE_READMODE_MESSAGE;
            SetNamedPipeHandleState(pipe, &mode, nullptr, nullptr);
            return pipe;
        }
        error = GetLastError();
        if (error != ERROR_PIPE_BUSY)
            return INVALID_HANDLE_VALUE;
        WaitNamedPipeW(name.c_str(), 500);
    }
    return INVALID_HANDLE_VALUE;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4)
        return Usage();
    std::wstring option = argv[1];
    std::wstring pipeName;
    if (option == L"--pid") {
        auto pid = ParseU32(argv[2]);
        if (!pid)
            return Usage();
        pipeName = SimPipeName(*pid);
    } else if (option == L"--pipe") {
        pipeName = argv[2];
    } else {
        return Usage();
    }
    std::vector<std::wstring> command(argv + 3, argv + argc);

    DWORD error = 0;
    HANDLE pipe = Connect(pipeName, error);
    if (pipe == INVALID_HANDLE_VALUE) {
        Print(stderr, L"korvelinesim: no simulator answers on " + pipeName + L" (error " +
                          std::to_wstring(error) + L")");
        return kExitUnreachable;
    }
    std::vector<std::uint8_t> reply;
    StatusCode status = WritePipeMessage(pipe, EncodeText(JoinCommandLine(command)));
    if (!status)
        status = ReadPipeMessage(pipe, reply);
    CloseHandle(pipe);
    StatusCode result = 0;
    std::wstring text;
    if (status || !DecodeReply(reply, result, text)) {
        Print(stderr, L"korvelinesim: the exchange on " + pipeName + L" failed (error " +
                          std::to_wstring(status) + L")");
        return kExitUnreachable;
    }
    if (result) {
        Print(stderr, text.empty() ? L"refused: " + HexU32(result) : text);
        return kExitRefused;
    }
    if (!text.empty())
        Print(stdout, text);
    return kExitDone;
}
