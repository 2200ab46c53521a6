#pragma once

// Marks of the start-up steps for the start-up benchmark. The shipped program never sets
// the recorder, so a mark costs one test of a null pointer; the benchmark's build of the
// entry function sets it and writes the marks out once the window is visible.
using StartupStepRecorder = void (*)(const wchar_t* step);
inline StartupStepRecorder g_startupStepRecorder = nullptr;

inline void MarkStartupStep(const wchar_t* step) {
    if (g_startupStepRecorder != nullptr)
        g_startupStepRecorder(step);
}
