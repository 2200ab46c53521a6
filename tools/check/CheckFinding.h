#pragma once

#include <string>
#include <vector>

// One thing the panel would do differently from what the file's author meant.
struct CheckFinding {
    size_t line = 0; // counting from 1; 0 means the file as a whole
    std::wstring message;
};

// The findings of one file, in the order they were found.
struct FileCheck {
    std::wstring file;
    std::vector<CheckFinding> findings;

    void Add(size_t line, std::wstring message) { findings.push_back({line, std::move(message)}); }
};

// "FILE:LINE: message", or "FILE: message" for the file as a whole.
std::wstring FormatFinding(const std::wstring& file, const CheckFinding& finding);
