#include "config/WnUiLanguageText.h"

#include "config/LanguageDirectory.h"
#include "config/TranslationFile.h"
#include "config/UiTextIds.h"

#include <windows.h>

#include <memory>

StatusCode WnUiLanguageText::LoadLanguages(const std::wstring& directory) {
    if (languagesLoaded_)
        return kStatusLanguageTextsNotReady;
    std::vector<LanguageTag> available;
    if (StatusCode status = EnumerateLanguageFiles(directory, available))
        return status;
    LanguageTag chosen;
    if (!available.empty()) {
        LanguageTag user;
        if (StatusCode status = UserUiLanguage(user))
            return status;
        if (std::optional<size_t> index = ChooseLanguage(available, user))
            chosen = available[*index];
    }
    availableLanguages_ = std::move(available);
    chosenLanguage_ = std::move(chosen);
    directory_ = directory;
    languagesLoaded_ = true;
    return ERROR_SUCCESS;
}

void WnUiLanguageText::BuildTextTable() {
    groups_.clear();
    entriesById_.clear();
    for (const UiTextGroupDefinition& groupDefinition : BuiltInUiTextTable()) {
        UiTextGroup& group = groups_.emplace_back();
        group.name = groupDefinition.name;
        group.kind = groupDefinition.kind;
        for (const UiTextDefinition& text : groupDefinition.texts) {
            auto entry = std::make_shared<UiTextEntry>();
            entry->id = text.id;
            entry->defaultText = text.defaultText;
            group.entries.push_back(entry);
            entriesById_[text.id] = entry.get();
            text.handle->entry_ = entry;
        }
    }
}

StatusCode WnUiLanguageText::LoadChosenFile() {
    if (!HasChosenLanguage() || groups_.empty())
        return kStatusLanguageTextsNotReady;
    std::string bytes;
    StatusCode status = ReadTranslationFile(ChosenFilePath(), bytes);
    // A file that cannot be read applies nothing, not even part of itself.
    ApplyTranslation(status == ERROR_SUCCESS ? std::string_view(bytes) : std::string_view());
    return status;
}

void WnUiLanguageText::ApplyTranslation(std::string_view fileBytes) {
    for (UiTextGroup& group : groups_) {
        for (const std::shared_ptr<UiTextEntry>& entry : group.entries) {
            entry->fileText.clear();
            entry->readFromFile = false;
        }
    }
    for (TranslationItem& item : ParseTranslationText(DecodeTranslationFile(fileBytes))) {
        auto found = entriesById_.find(item.key);
        if (found == entriesById_.end())
            continue;
        found->second->fileText = std::move(item.value);
        found->second->readFromFile = true;
    }
}

std::vector<WnUiLanguageText::MissingTexts> WnUiLanguageText::ReportedMissingTexts() const {
    std::vector<MissingTexts> reported;
    for (const UiTextGroup& group : groups_) {
        MissingTexts missing{&group, {}};
        for (const std::shared_ptr<UiTextEntry>& entry : group.entries) {
            if (!entry->readFromFile)
                missing.ids.push_back(entry->id);
        }
        const bool leftOutWhole = missing.ids.size() == group.entries.size();
        if (missing.ids.empty() || group.kind == UiTextGroupKind::Extra ||
            (group.kind == UiTextGroupKind::Optional && leftOutWhole))
            continue;
        reported.push_back(std::move(missing));
    }
    return reported;
}

std::wstring WnUiLanguageText::MissingTextsReport() const {
    std::wstring ids;
    for (const MissingTexts& missing : ReportedMissingTexts()) {
        for (const wchar_t* id : missing.ids) {
            if (!ids.empty())
                ids += L",\n";
            ids += id;
        }
    }
    if (ids.empty())
        return {};
    return L"The following language texts are missing in file\n" + ChosenFilePath() + L":\n\n" +
           ids;
}

void WnUiLanguageText::ReportMissingTexts() const {
    std::wstring report = MissingTextsReport();
    if (!report.empty())
        ShowWarning(report);
}

void WnUiLanguageText::ReportFailedLoad() const {
    ShowWarning(L"Failed to load language texts from file\n" + ChosenFilePath());
}

std::wstring WnUiLanguageText::ChosenFilePath() const {
    return directory_ + L"\\" + chosenLanguage_.tag + std::wstring(kTranslationFileSuffix);
}

const UiTextEntry* WnUiLanguageText::FindEntry(std::wstring_view id) const {
    auto found = entriesById_.find(id);
    return found == entriesById_.end() ? nullptr : found->second;
}

void WnUiLanguageText::ShowWarning(const std::wstring& text) const {
    const UiTextEntry* title = FindEntry(L"APP_TITLE");
    std::wstring caption = title ? GetUiText(*title) : std::wstring();
    MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_ICONWARNING | MB_OK);
}
