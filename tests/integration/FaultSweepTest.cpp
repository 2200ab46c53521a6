// Every entry point of the binding table failing in turn over the scripted walk through the
// whole program: always, only at its first call, and for setters at each of their calls.
// In every case the window stays, a failed read shows no box and a failed write exactly one
// naming its operation, step and code; a write shows what the driver kept; and once the
// fault is lifted the panel shows the same as after a fresh rebuild of its pages.
#include "app/PageTable.h"
#include "driver/ErrorReport.h"
#include "tests/support/PanelWalk.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <set>

namespace {

constexpr StatusCode kInjected = 0xEE00F00D;

enum class Mode { Always, FirstCall, OneCall };

struct FaultCase {
    std::vector<std::wstring> entryPoints;
    Mode mode = Mode::Always;
    std::uint32_t call = 1; // OneCall: the call that fails, counted over the walk from 1

    std::string Label() const {
        std::string label =
            entryPoints.size() == 1
                ? std::string(entryPoints[0].begin(), entryPoints[0].end())
                : std::to_string(entryPoints.size()) + " entry points the walk never calls";
        return label + (mode == Mode::Always      ? " always"
                        : mode == Mode::FirstCall ? " at its first call"
                                                  : " at call " + std::to_string(call));
    }
};

bool IsSetter(const std::wstring& name) {
    return name.rfind(L"KORVELINE_Set", 0) == 0 || name.rfind(L"KORVELINE_Clear", 0) == 0;
}

// Calls per entry point in one stretch of the call log.
std::map<std::wstring, std::uint32_t> CountCalls(const std::vector<std::wstring>& log) {
    std::map<std::wstring, std::uint32_t> counts;
    for (const std::wstring& line : log)
        ++counts[line.substr(0, line.find(L'('))];
    return counts;
}

} // namespace

class FaultSweep : public PanelWalkTest {
protected:
    // The walk without faults, which reaches every page of the table: each entry point's calls.
    std::map<std::wstring, std::uint32_t> BaselineCalls() {
        PrepareWorld();
        std::map<std::wstring, std::uint32_t> total;
        std::size_t mostPages = 0;
        for (WalkStep& step : Steps()) {
            step.run();
            for (const auto& [name, count] : CountCalls(Simulator().CallLog()))
                total[name] += count;
            ClearCalls();
            mostPages = std::max(mostPages, static_cast<std::size_t>(window->PageCount()));
        }
        EXPECT_TRUE(ErrorBoxes().empty()) << "the walk itself shows no box";
        EXPECT_EQ(mostPages, PageTable().size()) << "the walk's world lacks a page";
        window.reset();
        Settle();
        return total;
    }

    void Inject(const FaultCase& fault) {
        for (const std::wstring& name : fault.entryPoints) {
            const std::string entry = Narrow(name);
            if (fault.mode == Mode::OneCall)
                Simulator().FailCall(entry.c_str(), kInjected, fault.call);
            else
                Simulator().Fail(entry.c_str(), kInjected,
                                 fault.mode == Mode::Always ? kSimFailAlways : kSimFailOnce);
        }
    }

    // How many of `calls` calls, made after `before` earlier ones, the fault fails.
    static std::uint32_t FailedCalls(const FaultCase& fault, std::uint32_t before,
                                     std::uint32_t calls) {
        switch (fault.mode) {
        case Mode::Always:
            return calls;
        case Mode::FirstCall:
            return before == 0 && calls > 0 ? 1 : 0;
        default:
            return before < fault.call && fault.call <= before + calls ? 1 : 0;
        }
    }

    void RunCase(const FaultCase& fault) {
        SCOPED_TRACE(fault.Label());
        Simulator().Reset();
        PrepareWorld();
        Inject(fault);
        std::map<std::wstring, std::uint32_t> callsSoFar;
        for (WalkStep& step : Steps()) {
            SCOPED_TRACE(Narrow(step.name));
            const size_t boxesBefore = ErrorBoxes().size();
            const std::optional<WriteAttempt> write = step.run();
            const auto calls = CountCalls(Simulator().CallLog());
            ClearCalls();
            ASSERT_TRUE(window && IsWindow(Hwnd())) << "the window is gone";

            // Boxes name one of the step's operations; a write the driver refuses because an
            // earlier read failed (no ASIO instance chosen, say) shows its box with the
            // driver's own code.
            std::vector<std::wstring> allowed;
            for (const ReportedCall& report : step.reports)
                allowed.push_back(std::wstring(report.operation) + L": " + report.step + L" -> 0x");
            std::optional<std::wstring> injectedBox;
            bool writeFailed = false;
            bool touched = false;
            for (const std::wstring& name : fault.entryPoints) {
                const auto it = calls.find(name);
                const std::uint32_t count = it == calls.end() ? 0 : it->second;
                const std::uint32_t failures = FailedCalls(fault, callsSoFar[name], count);
                callsSoFar[name] += count;
                touched = touched || count > 0;
                if (failures == 0)
                    continue;
                writeFailed = writeFailed || (write && name == write->entryPoint);
                for (const ReportedCall& report : step.reports) {
                    // A device count that is an error code makes the listing try indices the
                    // driver does not have; the box then names the driver's answer to those.
                    if (name != report.entryPoint || name == L"KORVELINE_GetDeviceCount" ||
                        !report.reportedWheneverItFails)
                        continue;
                    // Its quoted line; the box may break the line before it differently.
                    const std::wstring text =
                        *DeviceErrorBoxText(report.operation, report.step, kInjected);
                    injectedBox = text.substr(text.rfind(L'\n') + 1);
                }
            }

            const std::vector<SeenMessageBox> all = ErrorBoxes();
            const std::vector<SeenMessageBox> boxes(all.begin() + boxesBefore, all.end());
            for (const SeenMessageBox& box : boxes) {
                bool known = false;
                for (const std::wstring& text : allowed)
                    known = known || box.text.find(text) != std::wstring::npos;
                EXPECT_TRUE(known) << "a box the step has no reason for: " << Narrow(box.text);
            }
            const bool showsInjected =
                injectedBox && std::any_of(boxes.begin(), boxes.end(), [&](const auto& box) {
                    return box.text.find(*injectedBox) != std::wstring::npos;
                });
            if (injectedBox) {
                EXPECT_TRUE(showsInjected) << "the failed call is reported";
            }
            if (write || injectedBox) {
                EXPECT_LE(boxes.size(), 1u) << "one box at the most for one failed call";
            }
            if (write && (writeFailed || !boxes.empty())) {
                EXPECT_EQ(Narrow(write->after), Narrow(write->before)) << "the driver kept it";
            } else if (write && !touched) {
                EXPECT_EQ(Narrow(write->after), Narrow(write->chosen)) << "the write shows";
            }
            if (HasFatalFailure())
                return;
        }

        // The fault lifted: the device is listed and chosen again, and every page shows what
        // a fresh page set for the same driver state shows.
        Simulator().Command(L"fail all off");
        const size_t boxesBefore = ErrorBoxes().size();
        if (!ChooseDevice(kFullProduct)) {
            Simulator().Unplug(kOtherDeviceId);
            Settle(40);
            Simulator().Plug(kOtherDeviceId);
            Settle(40);
            ChooseDevice(kFullProduct);
        }
        ASSERT_NE(window->OpenedDevice(), 0u) << "the full device is open again";
        // A page set built afresh for the same driver state is the reference; most cases
        // leave the same state, so a reference once built serves them all.
        const std::wstring recovered = Snapshot();
        if (freshSnapshots_.count(recovered) == 0) {
            ChooseDevice(kOtherProduct);
            ChooseDevice(kFullProduct);
            const std::wstring fresh = Snapshot();
            EXPECT_EQ(Narrow(recovered), Narrow(fresh));
            freshSnapshots_.insert(fresh);
        }
        EXPECT_EQ(ErrorBoxes().size(), boxesBefore) << "no box once the fault is lifted";
        window.reset();
        Settle();
        ClearCalls();
    }

    std::set<std::wstring> freshSnapshots_;
};

TEST_F(FaultSweep, EveryBoundEntryPointFailingLeavesThePanelWhole) {
    const auto started = std::chrono::steady_clock::now();
    const std::map<std::wstring, std::uint32_t> baseline = BaselineCalls();

    std::vector<FaultCase> cases;
    FaultCase neverCalled;
    size_t bound = 0;
    size_t called = 0;
    for (const EntryPointInfo& entry : kEntryPoints) {
        if (!GatePasses(entry.gate, TheKorvelineApiDll().ApiVersion()))
            continue;
        ++bound;
        // The simulator refuses a rule for the entry points that return a text.
        if (Simulator().Fail(entry.name, 0, kSimFailOff) != 0)
            continue;
        const std::wstring name(entry.name, entry.name + strlen(entry.name));
        const auto it = baseline.find(name);
        const std::uint32_t calls = it == baseline.end() ? 0 : it->second;
        if (calls == 0) {
            neverCalled.entryPoints.push_back(name);
            continue;
        }
        ++called;
        cases.push_back({{name}, Mode::Always});
        cases.push_back({{name}, Mode::FirstCall});
        for (std::uint32_t call = 2; IsSetter(name) && call <= calls; ++call)
            cases.push_back({{name}, Mode::OneCall, call});
    }
    // The walk does not call these; failing all at once shows that it still does not.
    cases.push_back(neverCalled);

    for (const FaultCase& fault : cases) {
        RunCase(fault);
        if (HasFatalFailure())
            return;
    }
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started);
    std::printf("fault sweep: %zu bound entry points (%zu that can fail called by the walk), "
                "%zu cases, %.1f s\n",
                bound, called, cases.size(), seconds.count());
}
