#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "driver/DriverRecords.h"

// Cuts the command line at every single space (U+0020) and nowhere else: two spaces in a
// row give an empty token, quotation marks mean nothing, and an empty line is one empty
// token.
std::vector<std::wstring> SplitCommandLine(std::wstring_view commandLine);

// What this start of the program asks for: one value, applied by this process's main
// window once its pages are built, or handed to the instance already running.
struct StartRequest {
    enum class Kind {
        Show,    // open the panel, or show the running one
        Hidden,  // open the panel hidden; asks nothing of a running one
        Page,    // open the panel on a page, or switch the running one to it
        ExitAll, // ask every running instance to end, then end with the loop's code
        End,     // end at once with exitCode
    };
    Kind kind = Kind::Show;
    UINT pageId = 0; // Page: the page's dialog id
    // A Page asked for by "-asio" or "-asioinst": the ASIO instance number sent to a running
    // panel as lParam (-1 for none). There is one buffer settings page whatever it is.
    std::optional<std::intptr_t> asioInstance = std::nullopt;
    StatusCode exitCode = 0; // End
    bool multi = false;      // skip the single-instance check

    bool operator==(const StartRequest&) const = default;
};

// Evaluates "-exitall", "-hide", "-asio", "-asioinst", "-page" and "-multi" (whole tokens,
// ASCII case ignored, first occurrence counts). "-hide" ends with 0 when the
// notification-area icon is not enabled; "-hide", "-asio", "-asioinst" and "-page"
// exclude each other (0xEE000041). The token after "-asioinst" gives the instance number
// (-1 when it is missing, does not start with a number or does not fit into 32 bits); the
// token after "-page" names the page as its configuration element does, with or without
// the "Page" prefix, and a missing or unknown name ends with 0xEE000041 too.
StartRequest EvaluateSwitches(const std::vector<std::wstring>& tokens,
                              bool notificationAreaEnabled);

// Reads a signed decimal 32-bit number as the C library does: leading white space, one
// sign, then the leading digits; anything after them is ignored. -1 when there are no
// digits or the value does not fit into 32 bits.
std::int32_t ParseAsioInstanceNumber(std::wstring_view token);
