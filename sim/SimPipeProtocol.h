#pragma once

// The control pipe between korvelinesim.exe and the simulator inside a process: one pipe
// per process, named after its id; one request and one reply per connection, each a
// single pipe message. Request: the command line as UTF-16. Reply: the 32-bit status of
// the command followed by its UTF-16 reply text.

#include "driver/DriverRecords.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

std::wstring SimPipeName(DWORD processId);

// Largest message either side accepts.
constexpr std::size_t kSimPipeMessageLimit = 4u << 20;

// Reads one whole message; a message above the limit fails with ERROR_INSUFFICIENT_BUFFER.
StatusCode ReadPipeMessage(HANDLE pipe, std::vector<std::uint8_t>& message);
StatusCode WritePipeMessage(HANDLE pipe, const std::vector<std::uint8_t>& message);

std::vector<std::uint8_t> EncodeText(const std::wstring& text);
std::wstring DecodeText(const std::uint8_t* bytes, std::size_t size);

std::vector<std::uint8_t> EncodeReply(StatusCode status, const std::wstring& text);
// False when the message is too short to be a reply.
bool DecodeReply(const std::vector<std::uint8_t>& message, StatusCode& status, std::wstring& text);
