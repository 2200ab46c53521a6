#pragma once

#include <string>
#include <vector>

// Exit codes of the check tool.
constexpr int kCheckClean = 0;
constexpr int kCheckFindings = 1;
constexpr int kCheckPathUnreadable = 2;

// The check tool: "[PATH]" checks the configuration and translation files of the panel
// PATH names (its exe, or its folder with KorvelineCpl.exe; by default toolFolder), one
// finding a line and a summary line per file; "--layout [PATH]" lays the panel's dialogs
// out with each translation's texts instead; "--list-texts" writes the text template.
// Returns the exit code; everything to print goes to output.
int RunCheckTool(const std::vector<std::wstring>& arguments, const std::wstring& toolFolder,
                 std::wstring& output);
