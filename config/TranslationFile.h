#pragma once

#include <string>
#include <string_view>
#include <vector>

// The format of a translation file: one "ID = text" per line, ";" starts a comment line,
// a value ending in "\" continues on the next line.
//
// Lines are at most kMaxTranslationLineLength characters, the line feed included. A
// longer line is cut to that length and the rest of it is dropped; it never becomes a
// line of its own.
constexpr size_t kMaxTranslationLineLength = 10239;

// The file's bytes as text: a UTF-8, UTF-16LE or UTF-16BE byte-order mark selects the
// encoding, none means UTF-16LE. Invalid UTF-8 becomes U+FFFD, a last odd byte of UTF-16
// is dropped, and CR LF becomes LF.
std::wstring DecodeTranslationFile(std::string_view bytes);

struct TranslationItem {
    std::wstring key;
    std::wstring value; // continued lines are joined with the mark "${F_NL}"
};

// Every "key = value" of the text in file order, whether or not the key is a text id.
// A value of any length, none included, is taken.
std::vector<TranslationItem> ParseTranslationText(std::wstring_view text);
