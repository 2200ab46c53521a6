#pragma once

#include <windows.h>

// Private window messages: every layer that has some numbers them in a band of its own
// above WM_APP, in one header of its own (app/AppMessages.h, controls/ListControlMessages.h,
// pages/PageMessages.h, volume/VolumeMessages.h), so that two layers never share a number
// and each number is written once. The application's band starts at WM_APP itself.
enum class MessageBand : UINT { App, Controls, Pages, Volume };

inline constexpr UINT kMessageBandSize = 0x100;

// The message `number` of the band; a number beyond the band does not compile.
consteval UINT PrivateMessage(MessageBand band, UINT number) {
    if (number >= kMessageBandSize)
        throw "a band holds 256 messages";
    return WM_APP + static_cast<UINT>(band) * kMessageBandSize + number;
}
