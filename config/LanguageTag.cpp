#include "config/LanguageTag.h"

#include <windows.h>

#include <functional>

namespace {

std::vector<std::wstring_view> SplitAtSeparators(std::wstring_view tag) {
    std::vector<std::wstring_view> parts;
    size_t start = 0;
    for (size_t at = tag.find_first_of(L"-_"); at != std::wstring_view::npos;
         at = tag.find_first_of(L"-_", start)) {
        parts.push_back(tag.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(tag.substr(start));
    return parts;
}

// A region or script given twice must agree.
bool SetSubtag(std::wstring& subtag, std::wstring_view value) {
    if (!subtag.empty() && subtag != value)
        return false;
    subtag = value;
    return true;
}

StatusCode LocaleDisplayName(const std::wstring& localeName, LCTYPE type, std::wstring& name) {
    int length = GetLocaleInfoEx(localeName.c_str(), type, nullptr, 0);
    if (length > 0) {
        std::wstring buffer(static_cast<size_t>(length), L'\0');
        length = GetLocaleInfoEx(localeName.c_str(), type, buffer.data(), length);
        if (length > 0) {
            buffer.resize(static_cast<size_t>(length - 1));
            name = std::move(buffer);
            return ERROR_SUCCESS;
        }
    }
    DWORD error = GetLastError();
    if (error == ERROR_INVALID_PARAMETER)
        return kStatusLocaleUnknown;
    return error ? error : kStatusLocaleUnknown;
}

} // namespace

StatusCode SplitLanguageTag(std::wstring_view tag, LanguageTag& record) {
    std::vector<std::wstring_view> parts = SplitAtSeparators(tag);
    if (parts[0].size() != 2 && parts[0].size() != 3)
        return kStatusLanguageTagInvalid;
    LanguageTag split;
    split.tag = tag;
    split.language = parts[0];
    // The second part decides whether a third one is looked at at all.
    if (parts.size() > 1 && (parts[1].size() == 2 || parts[1].size() == 4)) {
        (parts[1].size() == 2 ? split.region : split.script) = parts[1];
        if (parts.size() > 2 && (parts[2].size() == 2 || parts[2].size() == 4)) {
            std::wstring& subtag = parts[2].size() == 2 ? split.region : split.script;
            if (!SetSubtag(subtag, parts[2]))
                return kStatusLanguageTagInvalid;
        }
    }
    record = std::move(split);
    return ERROR_SUCCESS;
}

std::wstring LocaleNameOf(const LanguageTag& record) {
    std::wstring name = record.language;
    if (!record.script.empty())
        name += L"-" + record.script;
    if (!record.region.empty())
        name += L"-" + record.region;
    return name;
}

StatusCode ParseLanguageTag(std::wstring_view tag, LanguageTag& record) {
    LanguageTag parsed;
    if (StatusCode status = SplitLanguageTag(tag, parsed))
        return status;
    std::wstring localeName = LocaleNameOf(parsed);
    if (StatusCode status =
            LocaleDisplayName(localeName, LOCALE_SENGLISHDISPLAYNAME, parsed.englishName))
        return status;
    if (StatusCode status =
            LocaleDisplayName(localeName, LOCALE_SLOCALIZEDDISPLAYNAME, parsed.localizedName))
        return status;
    record = std::move(parsed);
    return ERROR_SUCCESS;
}

StatusCode UserUiLanguage(LanguageTag& record) {
    wchar_t localeName[LOCALE_NAME_MAX_LENGTH] = {};
    if (LCIDToLocaleName(GetUserDefaultUILanguage(), localeName, LOCALE_NAME_MAX_LENGTH, 0) == 0) {
        DWORD error = GetLastError();
        return error ? error : kStatusLocaleUnknown;
    }
    return ParseLanguageTag(localeName, record);
}

std::optional<size_t> ChooseLanguage(const std::vector<LanguageTag>& available,
                                     const LanguageTag& user) {
    using Match = std::function<bool(const LanguageTag&)>;
    auto sameLanguage = [&](const LanguageTag& tag) { return tag.language == user.language; };
    std::vector<Match> rules;
    if (!user.script.empty() && !user.region.empty())
        rules.push_back([&](const LanguageTag& tag) {
            return sameLanguage(tag) && tag.script == user.script && tag.region == user.region;
        });
    if (!user.script.empty())
        rules.push_back(
            [&](const LanguageTag& tag) { return sameLanguage(tag) && tag.script == user.script; });
    if (!user.region.empty())
        rules.push_back(
            [&](const LanguageTag& tag) { return sameLanguage(tag) && tag.region == user.region; });
    rules.push_back(sameLanguage);
    rules.push_back([](const LanguageTag& tag) {
        return tag.language == L"en" && tag.region.empty() && tag.script.empty();
    });
    rules.push_back([](const LanguageTag& tag) { return tag.language == L"en"; });

    for (const Match& rule : rules) {
        for (size_t i = 0; i < available.size(); ++i) {
            if (rule(available[i]))
                return i;
        }
    }
    return std::nullopt;
}
