// Start-up time to the first visible window, for several programs side by side, and each
// program's working set once it has shown its window and come to rest.
// Usage: startupbench RUNS (LABEL ENV COMMANDLINE)...
//   ENV is NAME=VALUE set for that program only, or "-" for none.
// Runs are interleaved (one of each case per round) so that drift of the machine affects
// every case alike; prints min / median / max in milliseconds and the median's ratio to
// the first case, and the median working set with its difference to the first case's.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Case {
    std::wstring label, environment, commandLine;
    std::vector<double> milliseconds;
    std::vector<double> workingSetKb;
};

struct Search {
    DWORD processId;
    bool found;
};

bool HasVisibleWindow(DWORD processId) {
    Search search{processId, false};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid == s->processId && IsWindowVisible(window))
                s->found = true;
            return !s->found;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Milliseconds from process creation to its first visible top-level window; -1 on failure.
// The working set at rest is added to the case.
double TimeOneStart(Case& c) {
    std::wstring name, value;
    if (c.environment != L"-") {
        size_t equals = c.environment.find(L'=');
        name = c.environment.substr(0, equals);
        value = c.environment.substr(equals + 1);
        SetEnvironmentVariableW(name.c_str(), value.c_str());
    }
    std::wstring commandLine = c.commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &process);
    if (!name.empty())
        SetEnvironmentVariableW(name.c_str(), nullptr);
    if (!started)
        return -1;
    double elapsed = -1;
    for (;;) {
        QueryPerformanceCounter(&now);
        double ms = 1000.0 * double(now.QuadPart - start.QuadPart) / double(frequency.QuadPart);
        if (HasVisibleWindow(process.dwProcessId)) {
            elapsed = ms;
            break;
        }
        if (ms > 30000 || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0)
            break;
        Sleep(1);
    }
    // A moment to finish what it does right after showing (the timed panel writes its
    // steps) and come to rest.
    Sleep(300);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (elapsed >= 0 && GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory))
        c.workingSetKb.push_back(double(memory.WorkingSetSize) / 1024.0);
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 5 || (argc - 2) % 3 != 0) {
        fwprintf(stderr, L"usage: startupbench RUNS (LABEL ENV COMMANDLINE)...\n");
        return 2;
    }
    int runs = std::max(1, _wtoi(argv[1]));
    std::vector<Case> cases;
    for (int i = 2; i + 2 < argc; i += 3)
        cases.push_back({argv[i], argv[i + 1], argv[i + 2], {}, {}});
    for (Case& c : cases) { // one unmeasured start each: the first start loads Wine's files
        TimeOneStart(c);
        c.workingSetKb.clear();
    }
    for (int round = 0; round < runs; ++round)
        for (Case& c : cases)
            if (double ms = TimeOneStart(c); ms >= 0)
                c.milliseconds.push_back(ms);
    wprintf(L"%-28ls %5ls %9ls %9ls %9ls %7ls %10ls %9ls\n", L"start-up to visible window", L"runs",
            L"min ms", L"median ms", L"max ms", L"ratio", L"at rest kB", L"+kB");
    double base = cases[0].milliseconds.empty() ? 0 : Median(cases[0].milliseconds);
    double baseKb = cases[0].workingSetKb.empty() ? 0 : Median(cases[0].workingSetKb);
    int failures = 0;
    for (const Case& c : cases) {
        if (c.milliseconds.empty()) {
            wprintf(L"%-28ls  never showed a window\n", c.label.c_str());
            ++failures;
            continue;
        }
        double median = Median(c.milliseconds);
        const double kb = c.workingSetKb.empty() ? 0 : Median(c.workingSetKb);
        wprintf(L"%-28ls %5zu %9.1f %9.1f %9.1f %7.2f %10.0f %9.0f\n", c.label.c_str(),
                c.milliseconds.size(),
                *std::min_element(c.milliseconds.begin(), c.milliseconds.end()), median,
                *std::max_element(c.milliseconds.begin(), c.milliseconds.end()),
                base > 0 ? median / base : 0.0, kb, kb - baseKb);
    }
    return failures ? 1 : 0;
}
