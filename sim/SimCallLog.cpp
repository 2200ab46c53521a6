#include "sim/SimCallLog.h"

namespace {
// A program that polls for hours must not grow the log without bound; the oldest calls go.
constexpr std::size_t kLogLimit = 20000;
} // namespace

void SimCallLog::Add(std::wstring line) {
    if (!recording_)
        return;
    if (lines_.size() == kLogLimit)
        lines_.pop_front();
    lines_.push_back(std::move(line));
}

std::wstring SimCallLog::Text() const {
    std::wstring text;
    for (const auto& line : lines_)
        text += line + L'\n';
    return text;
}
