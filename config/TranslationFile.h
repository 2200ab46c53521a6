#pragma once

#include "config/ConfigStatus.h"

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

// Files larger than this count as unreadable.
constexpr size_t kMaxTranslationFileSize = 16 * 1024 * 1024;

// The whole file as bytes. 0; kStatusLanguageFileNotOpened; kStatusLanguageFileNotRead for
// a read error or a file larger than kMaxTranslationFileSize (bytes are then incomplete).
StatusCode ReadTranslationFile(const std::wstring& path, std::string& bytes);

// The encoding a file is read in, chosen by its byte-order mark.
enum class TranslationEncoding { Utf8, Utf16Le, Utf16Be, Utf16LeWithoutMark };
TranslationEncoding EncodingOfTranslationFile(std::string_view bytes);

// The file's bytes as text: a UTF-8, UTF-16LE or UTF-16BE byte-order mark selects the
// encoding, none means UTF-16LE. Invalid UTF-8 becomes U+FFFD, a last odd byte of UTF-16
// is dropped, and CR LF becomes LF.
std::wstring DecodeTranslationFile(std::string_view bytes);

struct TranslationItem {
    std::wstring key;
    std::wstring value;          // continued lines are joined with the mark "${F_NL}"
    size_t line = 0;             // of the key, counting from 1
    size_t lastLine = 0;         // of the value's last continued line, else line
    bool continuedToEnd = false; // its last line ends in "\\" and the file ends after it
};

// Every "key = value" of the text in file order, whether or not the key is a text id.
// A value of any length, none included, is taken. The numbers of the lines that are
// skipped for having no key (no "=" or "=" first) go to linesWithoutKey when given.
std::vector<TranslationItem> ParseTranslationText(std::wstring_view text,
                                                  std::vector<size_t>* linesWithoutKey = nullptr);
