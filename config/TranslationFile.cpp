#include "config/TranslationFile.h"

#include "config/UiText.h"
#include "framework/UniqueAny.h"

#include <windows.h>

#include <climits>
#include <cstdio>

namespace {

constexpr std::wstring_view kWhiteSpace = L" \t\n\v\f\r";
constexpr wchar_t kCommentMarker = L';';
constexpr wchar_t kContinuationMarker = L'\\';
constexpr wchar_t kSeparator = L'=';

std::wstring_view TrimLeft(std::wstring_view text) {
    size_t first = text.find_first_not_of(kWhiteSpace);
    return first == std::wstring_view::npos ? std::wstring_view() : text.substr(first);
}

std::wstring_view TrimRight(std::wstring_view text) {
    size_t last = text.find_last_not_of(kWhiteSpace);
    return last == std::wstring_view::npos ? std::wstring_view() : text.substr(0, last + 1);
}

// Text beyond INT_MAX bytes is not converted; callers read far smaller files.
std::wstring Utf8ToWide(std::string_view bytes) {
    if (bytes.empty())
        return {};
    int length = static_cast<int>(bytes.size() < INT_MAX ? bytes.size() : INT_MAX);
    int wideLength = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), length, nullptr, 0);
    std::wstring text(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), length, text.data(), wideLength);
    return text;
}

std::wstring Utf16ToWide(std::string_view bytes, bool bigEndian) {
    std::wstring text(bytes.size() / 2, L'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        auto first = static_cast<unsigned char>(bytes[2 * i]);
        auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        text[i] = static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    return text;
}

std::wstring WithoutCarriageReturnBeforeLineFeed(std::wstring text) {
    size_t out = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
            continue;
        text[out++] = text[i];
    }
    text.resize(out);
    return text;
}

// The lines of the text, each cut to the longest line allowed and trimmed.
std::vector<std::wstring_view> TrimmedLines(std::wstring_view text) {
    std::vector<std::wstring_view> lines;
    while (!text.empty()) {
        size_t end = text.find(L'\n');
        std::wstring_view line = text.substr(0, end);
        text.remove_prefix(end == std::wstring_view::npos ? text.size() : end + 1);
        if (line.size() > kMaxTranslationLineLength - 1)
            line = line.substr(0, kMaxTranslationLineLength - 1);
        lines.push_back(TrimRight(TrimLeft(line)));
    }
    return lines;
}

bool EndsWithContinuation(std::wstring_view text) {
    return !text.empty() && text.back() == kContinuationMarker;
}

} // namespace

StatusCode ReadTranslationFile(const std::wstring& path, std::string& bytes) {
    UniqueFile file(_wfopen(path.c_str(), L"rb"));
    if (!file)
        return kStatusLanguageFileNotOpened;
    char buffer[16384];
    size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, file.Get())) > 0) {
        if (bytes.size() + count > kMaxTranslationFileSize)
            return kStatusLanguageFileNotRead;
        bytes.append(buffer, count);
    }
    return ferror(file.Get()) ? kStatusLanguageFileNotRead : ERROR_SUCCESS;
}

TranslationEncoding EncodingOfTranslationFile(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        return TranslationEncoding::Utf8;
    if (bytes.substr(0, 2) == "\xFF\xFE")
        return TranslationEncoding::Utf16Le;
    if (bytes.substr(0, 2) == "\xFE\xFF")
        return TranslationEncoding::Utf16Be;
    return TranslationEncoding::Utf16LeWithoutMark;
}

std::wstring DecodeTranslationFile(std::string_view bytes) {
    std::wstring text;
    switch (EncodingOfTranslationFile(bytes)) {
    case TranslationEncoding::Utf8:
        text = Utf8ToWide(bytes.substr(3));
        break;
    case TranslationEncoding::Utf16Le:
        text = Utf16ToWide(bytes.substr(2), false);
        break;
    case TranslationEncoding::Utf16Be:
        text = Utf16ToWide(bytes.substr(2), true);
        break;
    case TranslationEncoding::Utf16LeWithoutMark:
        text = Utf16ToWide(bytes, false);
        break;
    }
    return WithoutCarriageReturnBeforeLineFeed(std::move(text));
}

std::vector<TranslationItem> ParseTranslationText(std::wstring_view text,
                                                  std::vector<size_t>* linesWithoutKey) {
    std::vector<TranslationItem> items;
    std::vector<std::wstring_view> lines = TrimmedLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        std::wstring_view line = lines[i];
        if (line.empty() || line.front() == kCommentMarker)
            continue;
        size_t separator = line.find(kSeparator);
        if (separator == std::wstring_view::npos || separator == 0) {
            if (linesWithoutKey)
                linesWithoutKey->push_back(i + 1);
            continue;
        }
        TranslationItem item{std::wstring(TrimRight(line.substr(0, separator))),
                             std::wstring(TrimLeft(line.substr(separator + 1))), i + 1};
        // Continued values: each "\" at a line end becomes the mark, empty lines inside
        // are skipped, and the first line without "\" (or the end of the file) ends it.
        bool continued = EndsWithContinuation(item.value);
        if (continued) {
            item.value.pop_back();
            item.value += kContinuationMacro;
        }
        while (continued && i + 1 < lines.size()) {
            std::wstring_view next = lines[++i];
            if (next.empty())
                continue;
            continued = EndsWithContinuation(next);
            if (continued) {
                item.value.append(next.substr(0, next.size() - 1));
                item.value += kContinuationMacro;
            } else {
                item.value.append(next);
            }
        }
        item.lastLine = i + 1;
        item.continuedToEnd = continued;
        items.push_back(std::move(item));
    }
    return items;
}
