#pragma once

// Injected failures ("make this entry point fail with this code: once, always, or only at
// its Nth call from now") and the misbehaving-driver modes.

#include "sim/SimFuzz.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

enum SimMisbehaviour : std::uint32_t {
    // Counted arrays report more entries than the caller's maximum (only `max` are written).
    kMisbehaveCounts = 0x1,
    // Every wide string fills its whole array and has no terminator.
    kMisbehaveStrings = 0x2,
    // KORVELINE_ReadDeviceNotification never reports an empty queue.
    kMisbehaveEndlessQueue = 0x4,
    // Every other read of a list (counted arrays, the device count) has one entry fewer.
    kMisbehaveShiftingLists = 0x8,
    kMisbehaveAll = 0xF,
};

class SimFaults {
public:
    // An exported entry point whose result an injected code can replace.
    static bool CanFail(std::string_view entryPoint);

    void Fail(const std::string& entryPoint, std::uint32_t code, bool once);
    // Lets `callNumber` - 1 calls through, fails the next one and then ends the rule.
    void FailCall(const std::string& entryPoint, std::uint32_t code, std::uint32_t callNumber);
    void Clear(const std::string& entryPoint);
    void ClearAll();
    // The code to return instead of running the entry point; a once-rule is used up.
    std::optional<std::uint32_t> Take(const std::string& entryPoint);

    std::uint32_t Misbehaviour() const { return misbehaviour_; }
    void SetMisbehaviour(std::uint32_t flags) {
        misbehaviour_ = flags & kMisbehaveAll;
        shortRead_ = false;
    }
    bool Misbehaves(SimMisbehaviour mode) const { return (misbehaviour_ & mode) != 0; }
    // The number of entries this read of a list of `total` reports.
    std::size_t ListedCount(std::size_t total);

    // Random records from this seed in every answer (sim/SimFuzz.h); nullopt ends it.
    void SetFuzz(std::optional<std::uint32_t> seed);
    SimFuzz* Fuzz() { return fuzz_ ? &*fuzz_ : nullptr; }

    std::wstring Describe() const;

private:
    struct Rule {
        std::uint32_t code;
        bool once;
        std::uint32_t callsToPass = 0;
    };
    std::map<std::string, Rule> rules_;
    std::uint32_t misbehaviour_ = 0;
    bool shortRead_ = false; // the last list read had one entry fewer
    std::optional<SimFuzz> fuzz_;
};
