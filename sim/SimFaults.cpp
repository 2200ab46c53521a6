#include "sim/SimFaults.h"

#include "driver/DriverApi.h"
#include "sim/SimText.h"

#include <algorithm>

bool SimFaults::CanFail(std::string_view entryPoint) {
    // The status text entry points return a text, not a code.
    if (entryPoint.rfind("KORVELINE_StatusCodeString", 0) == 0)
        return false;
    return std::any_of(kEntryPoints.begin(), kEntryPoints.end(),
                       [&](const EntryPointInfo& info) { return entryPoint == info.name; });
}

void SimFaults::Fail(const std::string& entryPoint, std::uint32_t code, bool once) {
    rules_[entryPoint] = Rule{code, once};
}

void SimFaults::FailCall(const std::string& entryPoint, std::uint32_t code,
                         std::uint32_t callNumber) {
    rules_[entryPoint] = Rule{code, true, callNumber > 0 ? callNumber - 1 : 0};
}

void SimFaults::Clear(const std::string& entryPoint) {
    rules_.erase(entryPoint);
}

void SimFaults::ClearAll() {
    rules_.clear();
}

std::optional<std::uint32_t> SimFaults::Take(const std::string& entryPoint) {
    auto it = rules_.find(entryPoint);
    if (it == rules_.end())
        return std::nullopt;
    if (it->second.callsToPass > 0) {
        --it->second.callsToPass;
        return std::nullopt;
    }
    std::uint32_t code = it->second.code;
    if (it->second.once)
        rules_.erase(it);
    return code;
}

std::size_t SimFaults::ListedCount(std::size_t total) {
    if (!Misbehaves(kMisbehaveShiftingLists) || total == 0)
        return total;
    shortRead_ = !shortRead_;
    return shortRead_ ? total - 1 : total;
}

void SimFaults::SetFuzz(std::optional<std::uint32_t> seed) {
    fuzz_.reset();
    if (seed)
        fuzz_.emplace(*seed);
}

std::wstring SimFaults::Describe() const {
    std::wstring text = L"misbehaviour:";
    if (!misbehaviour_ && !fuzz_)
        text += L" none";
    if (Misbehaves(kMisbehaveCounts))
        text += L" counts";
    if (Misbehaves(kMisbehaveStrings))
        text += L" strings";
    if (Misbehaves(kMisbehaveEndlessQueue))
        text += L" queue";
    if (Misbehaves(kMisbehaveShiftingLists))
        text += L" lists";
    if (fuzz_)
        text += L" fuzz " + std::to_wstring(fuzz_->Seed());
    text += L"\nfaults:";
    if (rules_.empty())
        text += L" none";
    for (const auto& [name, rule] : rules_)
        text += L"\n  " + Utf8ToWide(name) + L" -> " + HexU32(rule.code) +
                (!rule.once             ? L" always"
                 : rule.callsToPass > 0 ? L" at call " + std::to_wstring(rule.callsToPass + 1)
                                        : L" once");
    return text;
}
