#include "tools/check/CheckProgram.h"

#include "config/ExecutablePath.h"
#include "tools/check/ConfigFileCheck.h"
#include "tools/check/TextTemplate.h"
#include "tools/check/TranslationFileCheck.h"
#include "tools/check/TranslationFolderCheck.h"
#include "tools/check/TranslationLayoutCheck.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <optional>

namespace {

constexpr wchar_t kPanelFileName[] = L"KorvelineCpl.exe";
constexpr wchar_t kUsage[] =
    L"usage: KorvelineCplCheck.exe [PATH]   checks the configuration and translation files\n"
    L"                                      of the panel PATH names (its exe or its folder;\n"
    L"                                      by default the folder of this tool)\n"
    L"       KorvelineCplCheck.exe --layout [PATH]   lays out every dialog of the panel with\n"
    L"                                      the texts of each translation file in PATH's\n"
    L"                                      KorvelineCpl.strings folder at 100, 150 and\n"
    L"                                      200 %: texts that do not fit their control,\n"
    L"                                      access keys given twice in one dialog\n"
    L"       KorvelineCplCheck.exe --list-texts   prints every text id with its English text\n"
    L"exit code: 0 nothing found, 1 findings, 2 PATH cannot be read\n";

// Findings in line order, those about the whole file last.
void Print(const FileCheck& check, std::wstring& output) {
    std::vector<CheckFinding> findings = check.findings;
    std::stable_sort(
        findings.begin(), findings.end(), [](const CheckFinding& a, const CheckFinding& b) {
            return (a.line == 0 ? SIZE_MAX : a.line) < (b.line == 0 ? SIZE_MAX : b.line);
        });
    for (const CheckFinding& finding : findings)
        output += FormatFinding(check.file, finding) + L"\n";
    size_t count = check.findings.size();
    output += L"checked " + check.file + L": " +
              (count == 0 ? L"no findings"
                          : std::to_wstring(count) + (count == 1 ? L" finding" : L" findings")) +
              L"\n";
}

// The panel's exe named by PATH, or nothing when PATH cannot be read.
std::optional<std::wstring> PanelPath(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return path;
    bool separator = !path.empty() && (path.back() == L'\\' || path.back() == L'/');
    return path + (separator ? L"" : L"\\") + kPanelFileName;
}

} // namespace

int RunCheckTool(const std::vector<std::wstring>& arguments, const std::wstring& toolFolder,
                 std::wstring& output) {
    std::wstring path = toolFolder;
    bool layout = false;
    for (const std::wstring& argument : arguments) {
        if (argument == L"--layout") {
            layout = true;
            continue;
        }
        if (argument == L"--list-texts") {
            output += TextTemplate();
            return kCheckClean;
        }
        if (argument == L"--help" || argument == L"/?") {
            output += kUsage;
            return kCheckClean;
        }
        if (argument.starts_with(L"--")) {
            output += L"unknown option " + argument + L"\n" + kUsage;
            return kCheckPathUnreadable;
        }
        path = argument;
    }
    std::optional<std::wstring> panel = PanelPath(path);
    if (!panel) {
        output += path + L": cannot be read (error " + std::to_wstring(GetLastError()) + L")\n";
        return kCheckPathUnreadable;
    }

    std::vector<FileCheck> checks;
    if (!layout)
        checks.push_back(CheckConfigFile(PathWithExtension(*panel, L".xml")));
    const std::wstring folder = PathWithExtension(*panel, L".strings");
    // The dialog templates are the panel's own, compiled into this tool.
    const HMODULE templates = GetModuleHandleW(nullptr);
    std::vector<FileCheck> translations =
        CheckTranslationFolder(folder, [&](const std::wstring& file) {
            return layout ? CheckTranslationLayout(file, templates) : CheckTranslationFile(file);
        });
    checks.insert(checks.end(), translations.begin(), translations.end());

    bool found = false;
    for (const FileCheck& check : checks) {
        Print(check, output);
        found = found || !check.findings.empty();
    }
    if (translations.empty())
        output += L"no translations in " + folder + L": the panel shows the English texts\n";
    return found ? kCheckFindings : kCheckClean;
}
