#pragma once

#include "config/ConfigStatus.h"
#include "config/LanguageTag.h"
#include "config/UiText.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The language texts: the translation files found, the language chosen for the user, and
// the text table that the chosen file fills. Built once at start-up by Config::Load
// (LoadLanguages, BuildTextTable, LoadChosenFile, then one of the two reports) and only
// read afterwards; texts are read through the process-wide handles of UiTextIds.h.
//
// Translation files follow TranslationFile.h. Where the format leaves room:
// - a value of one character is taken from the file like any other;
// - a line longer than 10239 characters is cut, and the rest of that line is dropped;
// - a file larger than kMaxTranslationFileSize counts as unreadable.
class WnUiLanguageText {
public:
    // Finds the "<tag>.txt" files of the directory and chooses one for the user's UI
    // language (only when there are files). Runs once: a call after a successful one
    // gives kStatusLanguageTextsNotReady. Other results: a system error of the search,
    // or of naming the user's UI language; on failure nothing is kept.
    StatusCode LoadLanguages(const std::wstring& directory);

    // Creates the groups and entries of the built-in table with their defaults and
    // binds every process-wide handle to its entry.
    void BuildTextTable();

    // Reads the chosen file into the table. 0; kStatusLanguageTextsNotReady (no language
    // chosen or no table); kStatusLanguageFileNotOpened; kStatusLanguageFileNotRead.
    StatusCode LoadChosenFile();

    // Applies the contents of a translation file to the table: every entry is reset,
    // then each line whose key is a text id sets that entry (a later line wins).
    void ApplyTranslation(std::string_view fileBytes);

    // The texts the missing-text warning lists, group by group in table order: a
    // mandatory group with missing texts, or an optional group that the file has in
    // part; an optional group absent entirely is not listed.
    struct MissingTexts {
        const UiTextGroup* group;
        std::vector<const wchar_t*> ids;
    };
    std::vector<MissingTexts> ReportedMissingTexts() const;
    // The missing-text warning text, or empty when nothing is to be reported.
    std::wstring MissingTextsReport() const;
    // Shows MissingTextsReport in a warning box when it is not empty.
    void ReportMissingTexts() const;
    // Shows the warning that the chosen file could not be loaded.
    void ReportFailedLoad() const;

    // directory + "\" + chosen tag + ".txt".
    std::wstring ChosenFilePath() const;

    bool HasChosenLanguage() const { return !chosenLanguage_.tag.empty(); }
    const LanguageTag& ChosenLanguage() const { return chosenLanguage_; }
    const std::vector<LanguageTag>& AvailableLanguages() const { return availableLanguages_; }
    const std::vector<UiTextGroup>& Groups() const { return groups_; }
    // The entry of a text id in this table, or null.
    const UiTextEntry* FindEntry(std::wstring_view id) const;

private:
    void ShowWarning(const std::wstring& text) const;

    bool languagesLoaded_ = false;
    std::vector<LanguageTag> availableLanguages_;
    LanguageTag chosenLanguage_;
    std::wstring directory_;
    std::vector<UiTextGroup> groups_;
    std::unordered_map<std::wstring_view, UiTextEntry*> entriesById_;
};
