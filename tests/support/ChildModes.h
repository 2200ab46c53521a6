#pragma once

#include <functional>
#include <string>

// A test executable can run itself as a child process in a named mode
// ("--child=<name> [args]"). Modes register themselves at static-init time.
using ChildModeFunction = std::function<int(int argc, wchar_t** argv)>;

bool RegisterChildMode(const std::wstring& name, ChildModeFunction function);

// Runs the mode named on the command line; false when none was asked for.
bool RunChildModeIfRequested(int argc, wchar_t** argv, int& exitCode);

// Starts this executable as a child in the given mode without waiting for it. Returns the
// process handle (the caller closes it), or null when it could not be started.
void* StartSelfAsChild(const std::wstring& mode, const std::wstring& arguments);

// Starts this executable as a child in the given mode and waits for it (limit in ms).
// Returns the child's exit code, or ~0u when it could not be started or timed out.
unsigned long RunSelfAsChild(const std::wstring& mode, const std::wstring& arguments,
                             unsigned long timeoutMs);
