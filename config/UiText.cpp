#include "config/UiText.h"

#include <cwchar>
#include <iterator>

namespace {

// Replaces every occurrence of what, scanning left to right past each replacement.
bool ReplaceAll(std::wstring& text, std::wstring_view what, std::wstring_view with) {
    if (what.empty())
        return false;
    bool replaced = false;
    for (size_t at = text.find(what); at != std::wstring::npos;
         at = text.find(what, at + with.size())) {
        text.replace(at, what.size(), with);
        replaced = true;
    }
    return replaced;
}

} // namespace

std::wstring GetUiText(const UiTextEntry& entry) {
    std::wstring text = entry.readFromFile  ? entry.fileText
                        : entry.defaultText ? std::wstring(entry.defaultText)
                                            : std::wstring();
    ReplaceAll(text, kContinuationMacro, L"");
    ReplaceAll(text, kLineBreakMacro, L"\n");
    return text;
}

std::wstring GetUiText(const UiTextHandle& handle) {
    const UiTextEntry* entry = handle.Entry();
    return entry ? GetUiText(*entry) : std::wstring();
}

bool SubstitutePlaceholder(std::wstring& text, std::wstring_view placeholder, const wchar_t* format,
                           unsigned value) {
    wchar_t formatted[64] = {};
    if (format && swprintf(formatted, std::size(formatted), format, value) < 0)
        formatted[0] = L'\0';
    return ReplaceAll(text, placeholder, formatted);
}

std::wstring SubstitutePlaceholders(std::wstring_view text,
                                    std::initializer_list<PlaceholderValue> values) {
    std::wstring result;
    result.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        const PlaceholderValue* found = nullptr;
        for (const PlaceholderValue& value : values) {
            if (!value.placeholder.empty() && text.substr(at).starts_with(value.placeholder)) {
                found = &value;
                break;
            }
        }
        if (found) {
            result += found->value;
            at += found->placeholder.size();
        } else {
            result += text[at++];
        }
    }
    return result;
}
