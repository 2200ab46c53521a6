#include "sim/SimPipeServer.h"

#include "sim/SimCommands.h"
#include "sim/SimPipeProtocol.h"
#include "sim/SimRuntime.h"
#include "sim/SimText.h"

#include <thread>

namespace {

void Serve(SimRuntime& runtime, HANDLE pipe) {
    for (;;) {
        if (!ConnectNamedPipe(pipe, nullptr) && GetLastError() != ERROR_PIPE_CONNECTED) {
            Sleep(100);
            continue;
        }
        std::vector<std::uint8_t> request;
        SimCommandResult result;
        if (StatusCode status = ReadPipeMessage(pipe, request))
            result = {status, L"request not read"};
        else {
            auto lock = runtime.Lock();
            result = RunSimCommand(runtime, DecodeText(request.data(), request.size()));
        }
        WritePipeMessage(pipe, EncodeReply(result.status, result.text));
        FlushFileBuffers(pipe);
        DisconnectNamedPipe(pipe);
    }
}

} // namespace

void StartSimPipeServer(SimRuntime& runtime) {
    std::wstring name = SimPipeName(GetCurrentProcessId());
    HANDLE pipe = CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                   PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT |
                                       PIPE_REJECT_REMOTE_CLIENTS,
                                   1, 64 * 1024, 64 * 1024, 0, nullptr);
    if (pipe == INVALID_HANDLE_VALUE) {
        OutputDebugStringW((L"korvelinesim: no control pipe " + name + L", error " +
                            std::to_wstring(GetLastError()) + L"\n")
                               .c_str());
        return;
    }
    std::thread([&runtime, pipe] { Serve(runtime, pipe); }).detach();
}
