#include "tools/check/TranslationFileCheck.h"

#include "config/TranslationFile.h"
#include "config/UiTextIds.h"
#include "config/WnUiLanguageText.h"
#include "tools/check/ClosestName.h"

#include <windows.h>

#include <map>
#include <set>

namespace {

// The "${Name}" placeholders of a text that its caller fills in (the lookup's own macros
// are no placeholders).
std::set<std::wstring> PlaceholdersOf(std::wstring_view text) {
    std::set<std::wstring> placeholders;
    for (size_t at = text.find(L"${"); at != std::wstring_view::npos; at = text.find(L"${", at)) {
        size_t end = text.find(L'}', at);
        if (end == std::wstring_view::npos)
            break;
        std::wstring_view placeholder = text.substr(at, end + 1 - at);
        if (placeholder != kContinuationMacro && placeholder != kLineBreakMacro)
            placeholders.emplace(placeholder);
        at = end + 1;
    }
    return placeholders;
}

std::vector<std::wstring> AllTextIds() {
    std::vector<std::wstring> ids;
    for (const UiTextGroupDefinition& group : BuiltInUiTextTable()) {
        for (const UiTextDefinition& text : group.texts)
            ids.emplace_back(text.id);
    }
    return ids;
}

void CheckPlaceholders(const TranslationItem& item, const UiTextEntry& entry, FileCheck& check) {
    const std::set<std::wstring> english =
        PlaceholdersOf(entry.defaultText ? entry.defaultText : L"");
    const std::set<std::wstring> translated = PlaceholdersOf(item.value);
    for (const std::wstring& placeholder : english) {
        if (!translated.contains(placeholder))
            check.Add(item.line, item.key + L" lacks " + placeholder +
                                     L" of the English text: the panel shows no value there");
    }
    for (const std::wstring& placeholder : translated) {
        if (!english.contains(placeholder))
            check.Add(item.line,
                      item.key + L" has " + placeholder +
                          L", which the English text lacks: the panel shows it as written");
    }
}

std::wstring JoinedIds(const std::vector<const wchar_t*>& ids) {
    std::wstring joined;
    for (const wchar_t* id : ids)
        joined += (joined.empty() ? L"" : L", ") + std::wstring(id);
    return joined;
}

void CheckEncoding(std::string_view bytes, FileCheck& check) {
    if (bytes.empty() ||
        EncodingOfTranslationFile(bytes) != TranslationEncoding::Utf16LeWithoutMark)
        return;
    // Eight-bit text has no zero bytes; UTF-16 of Latin text is full of them.
    bool looksEightBit = bytes.find('\0') == std::string_view::npos;
    check.Add(1, std::wstring(L"no byte-order mark: the panel reads the file as UTF-16LE") +
                     (looksEightBit ? L", but it looks like UTF-8 or ANSI text; save it as UTF-8 "
                                      L"with a byte-order mark"
                                    : L""));
}

unsigned long long FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

} // namespace

FileCheck CheckTranslationFile(const std::wstring& path) {
    FileCheck check{path, {}};
    std::string bytes;
    if (StatusCode status = ReadTranslationFile(path, bytes)) {
        std::wstring why =
            status == kStatusLanguageFileNotOpened ? L"cannot be opened"
            : FileSize(path) > kMaxTranslationFileSize
                ? L"is larger than " + std::to_wstring(kMaxTranslationFileSize) + L" bytes"
                : L"cannot be read";
        check.Add(0, why + L": the panel warns \"Failed to load language texts from file\" and "
                           L"shows the English texts");
        return check;
    }
    CheckEncoding(bytes, check);

    std::vector<size_t> linesWithoutKey;
    const std::vector<TranslationItem> items =
        ParseTranslationText(DecodeTranslationFile(bytes), &linesWithoutKey);
    WnUiLanguageText table;
    table.BuildTextTable();
    table.ApplyTranslation(bytes);

    for (size_t line : linesWithoutKey)
        check.Add(line, L"no \"ID = text\" on this line: the panel skips it");
    const std::vector<std::wstring> ids = AllTextIds();
    std::map<std::wstring, size_t> firstLines;
    for (const TranslationItem& item : items) {
        const UiTextEntry* entry = table.FindEntry(item.key);
        if (!entry) {
            std::optional<std::wstring> closest = ClosestName(item.key, ids);
            check.Add(item.line, L"unknown text id " + item.key +
                                     (closest ? L" (did you mean " + *closest + L"?)" : L"") +
                                     L": the panel ignores it");
        } else if (auto [first, isFirst] = firstLines.emplace(item.key, item.line); !isFirst) {
            check.Add(item.line, item.key +
                                     L" is given again: the panel takes this text, not "
                                     L"the one on line " +
                                     std::to_wstring(first->second));
        }
        if (entry)
            CheckPlaceholders(item, *entry, check);
        if (item.continuedToEnd)
            check.Add(item.lastLine, L"the text of " + item.key +
                                         L" ends in \"\\\" but the file ends here: nothing "
                                         L"continues it");
    }

    for (const WnUiLanguageText::MissingTexts& missing : table.ReportedMissingTexts())
        check.Add(0, L"group " + std::wstring(missing.group->name) + L" lacks " +
                         std::to_wstring(missing.ids.size()) + L" of its " +
                         std::to_wstring(missing.group->entries.size()) + L" texts (" +
                         JoinedIds(missing.ids) +
                         L"): the panel's start-up warning lists them and shows them in English");
    // The process-wide handles now point into this table: leave them at the defaults.
    table.ApplyTranslation({});
    return check;
}
