#pragma once

#include <cwchar>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One language text: its id, the text a translation file gave, and the built-in default.
struct UiTextEntry {
    const wchar_t* id = nullptr;
    std::wstring fileText;
    bool readFromFile = false;
    const wchar_t* defaultText = nullptr; // null: the default is empty
};

// Which missing texts of a group the start-up warning lists: every one (Needed); none when
// the file leaves the group out entirely (Optional); never any (Extra: texts the program
// gained later, such as the accessible names, which older translation files lack).
enum class UiTextGroupKind { Needed, Optional, Extra };

// The texts of one group in table order.
struct UiTextGroup {
    const wchar_t* name = nullptr;
    UiTextGroupKind kind = UiTextGroupKind::Needed;
    std::vector<std::shared_ptr<UiTextEntry>> entries;
};

// A shared reference to one text entry. Every text id has one process-wide handle of the
// same name (see UiTextIds.h) that WnUiLanguageText::BuildTextTable binds; an unbound
// handle yields an empty text.
class UiTextHandle {
public:
    constexpr UiTextHandle() = default;
    const UiTextEntry* Entry() const { return entry_.get(); }

private:
    friend class WnUiLanguageText;
    std::shared_ptr<const UiTextEntry> entry_;
};

// The macros the lookup itself replaces: the mark a continued line leaves in the file's
// text (removed) and a line break.
inline constexpr std::wstring_view kContinuationMacro = L"${F_NL}";
inline constexpr std::wstring_view kLineBreakMacro = L"${UI_NL}";

// The text to show: the file's text when the file had one, else the default; "${F_NL}"
// (the mark of a continued line) is removed and each "${UI_NL}" becomes a line feed.
std::wstring GetUiText(const UiTextHandle& handle);
std::wstring GetUiText(const UiTextEntry& entry);

// Formats value with format ("%u", "%02u": one unsigned conversion) and replaces every
// occurrence of placeholder ("${SampleRate}") in text, left to right, case-sensitively,
// without rescanning what was inserted. Returns whether anything was replaced.
bool SubstitutePlaceholder(std::wstring& text, std::wstring_view placeholder, const wchar_t* format,
                           unsigned value);

// Replaces every placeholder by its text, left to right in one pass: inserted text is
// never scanned again, so a value that looks like a placeholder ("${SerialNo}" in a
// product name) stays as it is.
struct PlaceholderValue {
    std::wstring_view placeholder;
    std::wstring value;
};
std::wstring SubstitutePlaceholders(std::wstring_view text,
                                    std::initializer_list<PlaceholderValue> values);

// printf-style formatting of numbers into a text ("v%X.%02X"); an empty text when the
// result does not fit 255 characters.
template <typename... Values> std::wstring FormatNumbers(const wchar_t* format, Values... values) {
    wchar_t formatted[256] = {};
    return std::swprintf(formatted, 256, format, values...) < 0 ? std::wstring() : formatted;
}
