#pragma once

// Text helpers shared by the scenario reader, the control commands and the call log.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

// Unsigned 32-bit number, decimal or with a 0x prefix; the whole text must be the number.
std::optional<std::uint32_t> ParseU32(std::wstring_view text);
// Signed 32-bit number in decimal, with an optional minus sign.
std::optional<std::int32_t> ParseI32(std::wstring_view text);

// Splits at white space; a token may be put in double quotes to contain blanks.
std::vector<std::wstring> SplitCommandLine(std::wstring_view text);
// Joins tokens so that SplitCommandLine gives them back (quotes tokens with blanks).
std::wstring JoinCommandLine(const std::vector<std::wstring>& tokens);

std::wstring HexU32(std::uint32_t value); // "0x%08X"
