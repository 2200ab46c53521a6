#include "app/CommandLine.h"

#include "app/PageTable.h"
#include "resources/dialogs/PageBufferSettings.h"

#include <algorithm>
#include <limits>

namespace {

// Signed and sign-extended into the lParam, unlike the driver's unsigned 0xFFFFFFFF.
constexpr std::int32_t kAsioInstanceNone = -1;

bool EqualsIgnoringAsciiCase(std::wstring_view a, std::wstring_view b) {
    auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? wchar_t(c - L'A' + L'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](wchar_t x, wchar_t y) {
               return lower(x) == lower(y);
           });
}

// Position of the first token that is the switch, or tokens.size().
size_t FindSwitch(const std::vector<std::wstring>& tokens, std::wstring_view name) {
    auto found = std::find_if(tokens.begin(), tokens.end(), [&](const std::wstring& token) {
        return EqualsIgnoringAsciiCase(token, name);
    });
    return static_cast<size_t>(found - tokens.begin());
}

bool IsCLocaleSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

StartRequest EndWith(StatusCode exitCode) {
    StartRequest request;
    request.kind = StartRequest::Kind::End;
    request.exitCode = exitCode;
    return request;
}

// The page whose configuration element the name is, with or without its "Page" prefix.
std::optional<UINT> PageNamed(std::wstring_view name) {
    constexpr std::wstring_view kPrefix = L"Page";
    for (const PageRow& row : PageTable()) {
        const std::wstring_view element = row.name;
        if (EqualsIgnoringAsciiCase(name, element) ||
            EqualsIgnoringAsciiCase(name, element.substr(kPrefix.size())))
            return row.dialogId;
    }
    return std::nullopt;
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
    using Kind = StartRequest::Kind;
    const size_t none = tokens.size();
    const auto tokenAfter = [&](size_t at) {
        return at + 1 < none ? std::optional<std::wstring_view>(tokens[at + 1]) : std::nullopt;
    };
    StartRequest request;
    if (FindSwitch(tokens, L"-exitall") != none) {
        request.kind = Kind::ExitAll;
        return request;
    }
    if (FindSwitch(tokens, L"-hide") != none) {
        // Hidden makes sense only when the tray icon can bring the window back.
        if (!notificationAreaEnabled)
            return EndWith(0);
        request.kind = Kind::Hidden;
    }
    const auto askForPage = [&request](UINT pageId) {
        if (request.kind != Kind::Show)
            return false;
        request.kind = Kind::Page;
        request.pageId = pageId;
        return true;
    };
    if (FindSwitch(tokens, L"-asio") != none) {
        if (!askForPage(IDD_PAGE_BUFFER_SETTINGS))
            return EndWith(kStatusConflictingRequest);
        request.asioInstance = kAsioInstanceNone;
    }
    if (size_t at = FindSwitch(tokens, L"-asioinst"); at != none) {
        if (!askForPage(IDD_PAGE_BUFFER_SETTINGS))
            return EndWith(kStatusConflictingRequest);
        const auto number = tokenAfter(at);
        request.asioInstance = number ? ParseAsioInstanceNumber(*number) : kAsioInstanceNone;
    }
    if (size_t at = FindSwitch(tokens, L"-page"); at != none) {
        const auto name = tokenAfter(at);
        const std::optional<UINT> page = name ? PageNamed(*name) : std::nullopt;
        if (!page || !askForPage(*page))
            return EndWith(kStatusConflictingRequest);
    }
    request.multi = FindSwitch(tokens, L"-multi") != none;
    return request;
}
