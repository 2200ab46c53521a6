#pragma once

#include "driver/KorvelineApiDll.h"

// The tests that decide whether a device page with the visibility "auto" is shown for the
// open device. A failed or unavailable driver call makes a test fail, except for the lists
// of stream formats and clock sources, where only the delivered entries count.

// Input, then output: at least two formats, not all with the same channel count.
bool StreamFormatsAutoTest(const KorvelineApiDll& api, DeviceHandle device);
// The driver's panel options ask for the page.
bool SoundDeviceProfilesAutoTest(const KorvelineApiDll& api, DeviceHandle device);
bool SampleRateAutoTest(const KorvelineApiDll& api, DeviceHandle device);
// More than one clock source.
bool ClockSourceAutoTest(const KorvelineApiDll& api, DeviceHandle device);
// Not when the driver has no ASIO instance; else with several devices or instances.
bool AsioDeviceAutoTest(const KorvelineApiDll& api, DeviceHandle device);
// At least one ASIO instance.
bool BufferSettingsAutoTest(const KorvelineApiDll& api, DeviceHandle device);
// Input, then output: a channel from the master to the last one has a volume or mute.
bool VolumeControlAutoTest(const KorvelineApiDll& api, DeviceHandle device);
