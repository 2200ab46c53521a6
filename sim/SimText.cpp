#include "sim/SimText.h"

#include <windows.h>

#include <cwchar>

std::wstring Utf8ToWide(std::string_view text) {
    if (text.empty())
        return {};
    int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

std::string WideToUtf8(std::wstring_view text) {
    if (text.empty())
        return {};
    int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                     nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(),
                        length, nullptr, nullptr);
    return narrow;
}

std::optional<std::uint32_t> ParseU32(std::wstring_view text) {
    unsigned base = 10;
    if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.size() > 10)
        return std::nullopt;
    std::uint64_t value = 0;
    for (wchar_t c : text) {
        unsigned digit;
        if (c >= L'0' && c <= L'9')
            digit = static_cast<unsigned>(c - L'0');
        else if (base == 16 && c >= L'a' && c <= L'f')
            digit = static_cast<unsigned>(c - L'a' + 10);
        else if (base == 16 && c >= L'A' && c <= L'F')
            digit = static_cast<unsigned>(c - L'A' + 10);
        else
            return std::nullopt;
        value = value * base + digit;
    }
    if (value > 0xFFFFFFFFull)
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

std::optional<std::int32_t> ParseI32(std::wstring_view text) {
    bool negative = !text.empty() && text[0] == L'-';
    if (negative)
        text.remove_prefix(1);
    if (text.empty() || (text.size() > 2 && text[1] == L'x'))
        return std::nullopt;
    auto magnitude = ParseU32(text);
    if (!magnitude || *magnitude > (negative ? 0x80000000u : 0x7FFFFFFFu))
        return std::nullopt;
    std::int64_t value = negative ? -static_cast<std::int64_t>(*magnitude) : *magnitude;
    return static_cast<std::int32_t>(value);
}

std::vector<std::wstring> SplitCommandLine(std::wstring_view text) {
    std::vector<std::wstring> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && iswspace(text[i]))
            ++i;
        if (i == text.size())
            break;
        std::wstring token;
        if (text[i] == L'"') {
            std::size_t end = text.find(L'"', i + 1);
            if (end == std::wstring_view::npos)
                end = text.size();
            token = text.substr(i + 1, end - i - 1);
            i = end + 1;
        } else {
            std::size_t start = i;
            while (i < text.size() && !iswspace(text[i]))
                ++i;
            token = text.substr(start, i - start);
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

std::wstring JoinCommandLine(const std::vector<std::wstring>& tokens) {
    std::wstring line;
    for (const auto& token : tokens) {
        if (!line.empty())
            line += L' ';
        bool quote = token.empty() || token.find_first_of(L" \t\r\n") != std::wstring::npos;
        line += quote ? L"\"" + token + L"\"" : token;
    }
    return line;
}

std::wstring HexU32(std::uint32_t value) {
    wchar_t text[16];
    swprintf(text, 16, L"0x%08X", value);
    return text;
}
