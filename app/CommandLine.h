#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "driver/DriverRecords.h"

// What this start of the program asks for.
enum class StartMode : std::int32_t {
    Normal = 0,
    ShowAsioPage = 1, // open the buffer settings page
    Hidden = 2,       // start with the main window hidden
};

// Cuts the command line at every single space (U+0020) and nowhere else: two spaces in a
// row give an empty token, quotation marks mean nothing, and an empty line is one empty
// token.
std::vector<std::wstring> SplitCommandLine(std::wstring_view commandLine);

// The outcome of the switches, before the single-instance check.
struct StartRequest {
    enum class Action {
        Exit,    // end at once with exitCode
        ExitAll, // ask every running instance to end, then end with the loop's code
        Start,   // go on with mode, asioInstance and multi
    };
    Action action = Action::Start;
    StatusCode exitCode = 0;
    StartMode mode = StartMode::Normal;
    // Sent to a running instance as lParam: 0 for a plain start, -1 after "-asio".
    std::intptr_t asioInstance = 0;
    bool multi = false; // skip the single-instance check
};

// Evaluates "-exitall", "-hide", "-asio", "-asioinst" and "-multi" (whole tokens, ASCII
// case ignored, first occurrence counts). "-hide" ends with 0 when the notification-area
// icon is not enabled; "-hide", "-asio" and "-asioinst" exclude each other (0xEE000041).
// The token after "-asioinst" gives the instance number; when it is missing, does not
// start with a number or the number does not fit into 32 bits, the number is -1.
StartRequest EvaluateSwitches(const std::vector<std::wstring>& tokens,
                              bool notificationAreaEnabled);

// Reads a signed decimal 32-bit number as the C library does: leading white space, one
// sign, then the leading digits; anything after them is ignored. -1 when there are no
// digits or the value does not fit into 32 bits.
std::int32_t ParseAsioInstanceNumber(std::wstring_view token);
