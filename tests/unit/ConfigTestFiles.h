#pragma once

// Files for the configuration and language-text tests: a temporary folder that is
// removed again, and the encodings translation files come in.

#include "config/UiTextIds.h"

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace config_test {

inline std::string Utf8(std::wstring_view text) {
    if (text.empty())
        return {};
    int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                     nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                        length, nullptr, nullptr);
    return bytes;
}

inline std::string Utf8WithBom(std::wstring_view text) {
    return "\xEF\xBB\xBF" + Utf8(text);
}

inline std::string Utf16(std::wstring_view text, bool bigEndian) {
    std::string bytes;
    for (wchar_t c : text) {
        char low = static_cast<char>(c & 0xFF);
        char high = static_cast<char>((c >> 8) & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

inline std::string Utf16LeWithBom(std::wstring_view text) {
    return "\xFF\xFE" + Utf16(text, false);
}
inline std::string Utf16BeWithBom(std::wstring_view text) {
    return "\xFE\xFF" + Utf16(text, true);
}

inline bool WriteBytes(const std::wstring& path, std::string_view bytes) {
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file)
        return false;
    bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && written;
}

// A new empty folder under %TEMP%, deleted with everything in it at the end of its scope.
class TempFolder {
public:
    TempFolder() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        static unsigned counter = 0;
        path_ = std::wstring(temp) + L"cfgtest_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                std::to_wstring(++counter);
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~TempFolder() { RemoveTree(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

    std::wstring MakeFolder(const std::wstring& name) const {
        std::wstring folder = *this / name;
        CreateDirectoryW(folder.c_str(), nullptr);
        return folder;
    }
    std::wstring Write(const std::wstring& name, std::string_view bytes) const {
        std::wstring file = *this / name;
        WriteBytes(file, bytes);
        return file;
    }

private:
    static void RemoveTree(const std::wstring& folder) {
        WIN32_FIND_DATAW data;
        HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &data);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = data.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                std::wstring child = folder + L"\\" + name;
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(child);
                else
                    DeleteFileW(child.c_str());
            } while (FindNextFileW(search, &data));
            FindClose(search);
        }
        RemoveDirectoryW(folder.c_str());
    }

    std::wstring path_;
};

// "ID = text" lines for every id of the given groups (all groups when none are named),
// each with its default or "<id>-text" when the default is empty.
inline std::wstring TranslationLines(std::initializer_list<std::wstring_view> groups = {}) {
    std::wstring lines;
    for (const UiTextGroupDefinition& group : BuiltInUiTextTable()) {
        bool wanted = groups.size() == 0;
        for (std::wstring_view name : groups)
            wanted = wanted || name == group.name;
        if (!wanted)
            continue;
        for (const UiTextDefinition& text : group.texts)
            lines += std::wstring(text.id) + L" = " +
                     (text.defaultText ? text.defaultText : std::wstring(text.id) + L"-text") +
                     L"\n";
    }
    return lines;
}

// The texts a file must have to show no missing-text warning.
inline std::wstring MandatoryTranslationLines() {
    return TranslationLines({L"GLOBAL", L"PAGE_STATUS", L"ERROR_MESSAGE"});
}

// A file of the source tree, e.g. L"resources/strings/en.txt".
inline std::wstring SourceTreeFile(const std::wstring& relative) {
    std::string here = __FILE__; // <root>/tests/unit/ConfigTestFiles.h
    std::string root = here.substr(0, here.rfind("tests") - 1);
    std::wstring path(root.begin(), root.end());
    if (!path.empty() && path[0] == L'/')
        path = L"Z:" + path; // a Unix path under Wine
    path += L"/" + relative;
    for (wchar_t& c : path) {
        if (c == L'/')
            c = L'\\';
    }
    return path;
}

// The bytes of a file of the source tree; empty when it cannot be read.
inline std::string SourceTreeFileBytes(const std::wstring& relative) {
    std::ifstream file(std::filesystem::path(SourceTreeFile(relative)), std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

} // namespace config_test
