#pragma once

// Only the start-up benchmark's build of the entry function includes this: it records
// each start-up step with a monotonic clock and, at the step "window shown", appends the
// steps to the file that KORVELINECPL_TIMELINE names, one "step<TAB>ms since process
// creation" line each, preceded by a line with the process id.

#include "framework/StartupTimeline.h"
#include "framework/UniqueAny.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

struct TimelineMark {
    const wchar_t* step;
    double milliseconds;
};
std::vector<TimelineMark> g_timeline;

// From process creation, so the loader and static initialisation count too.
double MillisecondsSinceProcessCreation() {
    FILETIME created{}, exited{}, kernel{}, user{}, now{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    const auto ticks = [](FILETIME time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

// The variable that names the file; the bare sheet's timed build names its own.
#ifndef CPL_STARTUP_TIMELINE_VARIABLE
#define CPL_STARTUP_TIMELINE_VARIABLE L"KORVELINECPL_TIMELINE"
#endif

void WriteTimeline() {
    wchar_t path[MAX_PATH] = {};
    if (GetEnvironmentVariableW(CPL_STARTUP_TIMELINE_VARIABLE, path, MAX_PATH) == 0)
        return;
    const UniqueFile file(_wfopen(path, L"a"));
    if (!file)
        return;
    fwprintf(file.Get(), L"run\t%lu\n", GetCurrentProcessId());
    for (const TimelineMark& mark : g_timeline)
        fwprintf(file.Get(), L"%ls\t%.2f\n", mark.step, mark.milliseconds);
}

void RecordStartupStep(const wchar_t* step) {
    g_timeline.push_back({step, MillisecondsSinceProcessCreation()});
    if (std::wstring(step) == L"window shown")
        WriteTimeline();
}

void StartStartupTimeline() {
    g_timeline.reserve(32);
    g_startupStepRecorder = RecordStartupStep;
}

} // namespace
