#include "tools/check/TranslationFolderCheck.h"

#include "config/LanguageDirectory.h"

namespace {

std::wstring WhySkipped(const SkippedLanguageFile& file) {
    if (file.reason == kStatusLanguageTagInvalid)
        return L"the name is no language tag followed by \".txt\" (such as de.txt or "
               L"de-AT.txt): the panel skips the file";
    if (file.reason == kStatusLocaleUnknown)
        return L"the system knows no locale of this name: the panel skips the file";
    return L"the name cannot be read as a language (error " + std::to_wstring(file.reason) +
           L"): the panel skips the file";
}

} // namespace

std::vector<FileCheck>
CheckTranslationFolder(const std::wstring& folder,
                       const std::function<FileCheck(const std::wstring& path)>& checkFile) {
    std::vector<FileCheck> checks;
    std::vector<LanguageTag> languages;
    std::vector<SkippedLanguageFile> skipped;
    if (StatusCode status = EnumerateLanguageFiles(folder, languages, &skipped)) {
        FileCheck check{folder, {}};
        check.Add(0, L"cannot be searched (error " + std::to_wstring(status) +
                         L"): the panel ends at start-up with exit code 1 and no message");
        checks.push_back(std::move(check));
        return checks;
    }
    for (const SkippedLanguageFile& file : skipped) {
        FileCheck check{folder + L"\\" + file.fileName, {}};
        check.Add(0, WhySkipped(file));
        checks.push_back(std::move(check));
    }
    for (const LanguageTag& language : languages)
        checks.push_back(
            checkFile(folder + L"\\" + language.tag + std::wstring(kTranslationFileSuffix)));
    return checks;
}
