#include "config/LanguageDirectory.h"

#include "framework/UniqueAny.h"

#include <windows.h>

namespace {

// A 32-bit process on a 64-bit system sees the real directory, not its redirected copy.
class FileSystemRedirectionOff {
public:
    FileSystemRedirectionOff() {
        BOOL wow64 = FALSE;
        if (IsWow64Process(GetCurrentProcess(), &wow64) && wow64)
            disabled_ = Wow64DisableWow64FsRedirection(&previous_) != FALSE;
    }
    ~FileSystemRedirectionOff() {
        if (disabled_)
            Wow64RevertWow64FsRedirection(previous_);
    }
    FileSystemRedirectionOff(const FileSystemRedirectionOff&) = delete;
    FileSystemRedirectionOff& operator=(const FileSystemRedirectionOff&) = delete;

private:
    PVOID previous_ = nullptr;
    bool disabled_ = false;
};

// "de-AT.txt" -> "de-AT"; names that do not end in ".txt" or have nothing before it
// give an empty tag. (A wildcard search may also deliver names such as "de.txtx".)
std::wstring_view TagOfFileName(std::wstring_view name) {
    if (name.size() <= kTranslationFileSuffix.size() ||
        name.substr(name.size() - kTranslationFileSuffix.size()) != kTranslationFileSuffix)
        return {};
    return name.substr(0, name.size() - kTranslationFileSuffix.size());
}

// The names of the directory's "*.txt" files, with redirection off only for the search.
StatusCode FindFileNames(const std::wstring& directory, std::vector<std::wstring>& names) {
    FileSystemRedirectionOff redirectionOff;
    std::wstring pattern = directory + L"\\*" + std::wstring(kTranslationFileSuffix);
    WIN32_FIND_DATAW data;
    const UniqueFindHandle search(FindFirstFileW(pattern.c_str(), &data));
    if (!search) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ERROR_SUCCESS
                                                                              : error;
    }
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.emplace_back(data.cFileName);
    } while (FindNextFileW(search.Get(), &data));
    DWORD error = GetLastError();
    return error == ERROR_NO_MORE_FILES ? ERROR_SUCCESS : error;
}

} // namespace

StatusCode EnumerateLanguageFiles(const std::wstring& directory, std::vector<LanguageTag>& found,
                                  std::vector<SkippedLanguageFile>* skipped) {
    found.clear();
    std::vector<std::wstring> names;
    if (StatusCode status = FindFileNames(directory, names))
        return status;
    for (const std::wstring& name : names) {
        std::wstring_view tag = TagOfFileName(name);
        LanguageTag record;
        StatusCode status = tag.empty() ? kStatusLanguageTagInvalid : ParseLanguageTag(tag, record);
        if (status == ERROR_SUCCESS)
            found.push_back(std::move(record));
        else if (skipped)
            skipped->push_back({name, status});
    }
    return ERROR_SUCCESS;
}
