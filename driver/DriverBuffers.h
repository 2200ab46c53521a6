#pragma once

// Reading what the driver returns without ever trusting it beyond the caller's buffers:
// counts are clamped to the room the caller gave, and inline strings are read only up to
// the end of their array whether or not the driver terminated them.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cwchar>
#include <span>
#include <string>
#include <string_view>

#include "driver/DriverRecords.h"

constexpr std::uint32_t ClampCount(std::uint32_t reported, std::uint32_t capacity) {
    return std::min(reported, capacity);
}

// The zero-filled array of a counted call (max, array, out count). The call gets
// Capacity(), Data() and CountOut(); the elements are read through Delivered() only.
template <typename T, std::uint32_t N> class CountedArray {
public:
    static constexpr std::uint32_t Capacity() { return N; }
    T* Data() { return items_.data(); }
    std::uint32_t* CountOut() { return &count_; }
    std::span<const T> Delivered() const { return {items_.data(), ClampCount(count_, N)}; }

private:
    std::array<T, N> items_{};
    std::uint32_t count_ = 0;
};

// The zero-filled out buffer of a call that reports bytes returned
// (KORVELINE_GetExtendedInfo): whole records within the buffer count, nothing beyond it.
template <typename T, std::uint32_t N> class ByteCountedArray {
public:
    static constexpr std::uint32_t SizeInBytes() { return N * sizeof(T); }
    void* Data() { return items_.data(); }
    std::uint32_t* BytesReturnedOut() { return &bytesReturned_; }
    std::span<const T> Delivered() const {
        return {items_.data(), ClampCount(bytesReturned_, SizeInBytes()) / sizeof(T)};
    }

private:
    std::array<T, N> items_{};
    std::uint32_t bytesReturned_ = 0;
};

using SoundDeviceProfileList = ByteCountedArray<SoundDeviceProfileInfo, kMaxSoundDeviceProfiles>;
using CurrentSoundDeviceProfile = ByteCountedArray<SoundDeviceProfileInfo, 1>;

// The buffer sizes an ASIO instance offers; a count above the record's 40 is clamped.
inline std::span<const std::uint32_t> SelectableBufferSizes(const AsioInstanceInfo& info) {
    return {info.bufferSizes, ClampCount(info.bufferSizeCount, kMaxAsioBufferSizes)};
}

// An inline wide string of a record, up to its terminator or the end of its array.
template <std::size_t N> std::wstring DriverString(const wchar_t (&text)[N]) {
    return std::wstring(text, wcsnlen(text, N));
}

// Writes text into an inline wide string of a record, cut to leave room for the terminator;
// the rest of the array is zero.
template <std::size_t N> void CopyToDriverString(wchar_t (&target)[N], std::wstring_view text) {
    const std::size_t length = std::min(text.size(), N - 1);
    std::fill(std::copy_n(text.begin(), length, target), target + N, L'\0');
}

// The request that selects a profile: its id copied whole up to 63 characters.
inline SoundDeviceProfileRequest
MakeSoundDeviceProfileRequest(std::uint32_t selector, const SoundDeviceProfileInfo& profile) {
    SoundDeviceProfileRequest request{};
    request.selector = selector;
    CopyToDriverString(request.profileId, DriverString(profile.id));
    return request;
}
