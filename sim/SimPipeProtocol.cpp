#include "sim/SimPipeProtocol.h"

#include <cstring>

std::wstring SimPipeName(DWORD processId) {
    return L"\\\\.\\pipe\\korvelinesim-" + std::to_wstring(processId);
}

StatusCode ReadPipeMessage(HANDLE pipe, std::vector<std::uint8_t>& message) {
    message.clear();
    std::uint8_t chunk[4096];
    for (;;) {
        DWORD read = 0;
        BOOL complete = ReadFile(pipe, chunk, sizeof chunk, &read, nullptr);
        DWORD error = complete ? 0 : GetLastError();
        if (!complete && error != ERROR_MORE_DATA)
            return error;
        if (message.size() + read > kSimPipeMessageLimit)
            return ERROR_INSUFFICIENT_BUFFER;
        message.insert(message.end(), chunk, chunk + read);
        if (complete)
            return 0;
    }
}

StatusCode WritePipeMessage(HANDLE pipe, const std::vector<std::uint8_t>& message) {
    if (message.size() > kSimPipeMessageLimit)
        return ERROR_INSUFFICIENT_BUFFER;
    DWORD written = 0;
    if (!WriteFile(pipe, message.data(), static_cast<DWORD>(message.size()), &written, nullptr))
        return GetLastError();
    return written == message.size() ? 0 : ERROR_WRITE_FAULT;
}

std::vector<std::uint8_t> EncodeText(const std::wstring& text) {
    std::vector<std::uint8_t> bytes(text.size() * sizeof(wchar_t));
    if (!text.empty())
        std::memcpy(bytes.data(), text.data(), bytes.size());
    return bytes;
}

std::wstring DecodeText(const std::uint8_t* bytes, std::size_t size) {
    std::wstring text(size / sizeof(wchar_t), L'\0');
    if (!text.empty())
        std::memcpy(text.data(), bytes, text.size() * sizeof(wchar_t));
    return text;
}

std::vector<std::uint8_t> EncodeReply(StatusCode status, const std::wstring& text) {
    std::vector<std::uint8_t> message(sizeof status);
    std::memcpy(message.data(), &status, sizeof status);
    auto body = EncodeText(text);
    message.insert(message.end(), body.begin(), body.end());
    return message;
}

bool DecodeReply(const std::vector<std::uint8_t>& message, StatusCode& status, std::wstring& text) {
    if (message.size() < sizeof status)
        return false;
    std::memcpy(&status, message.data(), sizeof status);
    text = DecodeText(message.data() + sizeof status, message.size() - sizeof status);
    return true;
}
