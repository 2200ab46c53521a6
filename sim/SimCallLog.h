#pragma once

// The record of entry point calls, one line per call: the name and the arguments as
// SimCallFormat writes them, e.g. "KORVELINE_SetSampleRate(65537, 48000)".

#include <cstddef>
#include <deque>
#include <string>

class SimCallLog {
public:
    void Add(std::wstring line);
    void Clear() { lines_.clear(); }
    // A long run measured from inside the process keeps no lines, so that they do not
    // count as the caller's memory.
    void SetRecording(bool recording) { recording_ = recording; }
    // All lines, each ended by a line feed.
    std::wstring Text() const;
    std::size_t Size() const { return lines_.size(); }

private:
    std::deque<std::wstring> lines_;
    bool recording_ = true;
};
