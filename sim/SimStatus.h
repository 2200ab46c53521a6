#pragma once

// Status codes and notification ids of the simulated driver. The program gives meaning
// only to a few codes (driver/DriverRecords.h); the rest are the simulator's own choice.

#include "driver/DeviceNotifications.h"
#include "driver/DriverRecords.h"

#include <cstdint>

constexpr StatusCode kSimInvalidParameter = 0xEE000002; // null pointer, value out of range
constexpr StatusCode kSimInvalidHandle = 0xEE000005;    // not a handle the simulator gave out
constexpr StatusCode kSimDeviceRemoved = 0xEE000006;    // the handle's device was unplugged
constexpr StatusCode kSimNotSupported = 0xEE000007;     // entry point or feature not simulated
constexpr StatusCode kSimQueueEmpty = 0xEE000008;       // no device notification pending
constexpr StatusCode kSimNotFound = 0xEE00000A;         // no such id (format, source, profile)
constexpr StatusCode kSimBadScenario = 0xEE000020;      // scenario text rejected
constexpr StatusCode kSimBadCommand = 0xEE000021;       // control command rejected
constexpr StatusCode kSimBufferTooSmall = 0xEE000035;   // out buffer below one record
// Counted arrays with more entries than the caller's maximum deliver the first `max`
// entries with this code (the stream format page accepts it as a partial list).
constexpr StatusCode kSimPartialList = kStatusPartialStreamFormatList;

// Device notifications: the category mask bit of code n is 1 << (n - 1).
