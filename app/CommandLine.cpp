#include "app/CommandLine.h"

#include <algorithm>
#include <limits>

namespace {

// Signed and sign-extended into the lParam, unlike the driver's unsigned 0xFFFFFFFF.
constexpr std::int32_t kAsioInstanceNone = -1;

bool EqualsIgnoringAsciiCase(std::wstring_view token, std::wstring_view lowerCaseSwitch) {
    auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? wchar_t(c - L'A' + L'a') : c; };
    return token.size() == lowerCaseSwitch.size() &&
           std::equal(token.begin(), token.end(), lowerCaseSwitch.begin(),
                      [&](wchar_t a, wchar_t b) { return lower(a) == b; });
}

// Position of the first token that is the switch, or tokens.size().
size_t FindSwitch(const std::vector<std::wstring>& tokens, std::wstring_view lowerCaseSwitch) {
    auto found = std::find_if(tokens.begin(), tokens.end(), [&](const std::wstring& token) {
        return EqualsIgnoringAsciiCase(token, lowerCaseSwitch);
    });
    return static_cast<size_t>(found - tokens.begin());
}

bool IsCLocaleSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

StartRequest EndWith(StatusCode exitCode) {
    StartRequest request;
    request.action = StartRequest::Action::Exit;
    request.exitCode = exitCode;
    return request;
}

} // namespace

std::vector<std::wstring> SplitCommandLine(std::wstring_view commandLine) {
    std::vector<std::wstring> tokens;
    for (;;) {
        size_t space = commandLine.find(L' ');
        tokens.emplace_back(commandLine.substr(0, space));
        if (space == std::wstring_view::npos)
            return tokens;
        commandLine.remove_prefix(space + 1);
    }
}

std::int32_t ParseAsioInstanceNumber(std::wstring_view token) {
    size_t i = 0;
    while (i < token.size() && IsCLocaleSpace(token[i]))
        ++i;
    bool negative = false;
    if (i < token.size() && (token[i] == L'+' || token[i] == L'-'))
        negative = token[i++] == L'-';
    if (i == token.size() || token[i] < L'0' || token[i] > L'9')
        return kAsioInstanceNone;
    // Accumulate the magnitude in 64 bits and stop as soon as it leaves the 32-bit range.
    constexpr std::int64_t kLimit = std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
    std::int64_t magnitude = 0;
    for (; i < token.size() && token[i] >= L'0' && token[i] <= L'9'; ++i) {
        magnitude = magnitude * 10 + (token[i] - L'0');
        if (magnitude > kLimit)
            return kAsioInstanceNone;
    }
    std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max())
        return kAsioInstanceNone;
    return static_cast<std::int32_t>(value);
}

StartRequest EvaluateSwitches(const std::vector<std::wstring>& tokens,
                              bool notificationAreaEnabled) {
    const size_t none = tokens.size();
    StartRequest request;
    if (FindSwitch(tokens, L"-exitall") != none) {
        request.action = StartRequest::Action::ExitAll;
        return request;
    }
    if (FindSwitch(tokens, L"-hide") != none) {
        // Hidden makes sense only when the tray icon can bring the window back.
        if (!notificationAreaEnabled)
            return EndWith(0);
        request.mode = StartMode::Hidden;
    }
    if (FindSwitch(tokens, L"-asio") != none) {
        if (request.mode != StartMode::Normal)
            return EndWith(kStatusConflictingRequest);
        request.mode = StartMode::ShowAsioPage;
        request.asioInstance = kAsioInstanceNone;
    }
    if (size_t at = FindSwitch(tokens, L"-asioinst"); at != none) {
        if (request.mode != StartMode::Normal)
            return EndWith(kStatusConflictingRequest);
        request.mode = StartMode::ShowAsioPage;
        request.asioInstance =
            at + 1 < none ? ParseAsioInstanceNumber(tokens[at + 1]) : kAsioInstanceNone;
    }
    request.multi = FindSwitch(tokens, L"-multi") != none;
    return request;
}
