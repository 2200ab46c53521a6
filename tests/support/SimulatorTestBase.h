#pragma once

// Base of the simulator tests: the simulator loaded once for the process, reset before
// each test, with the driver entry points the program calls resolved by name.

#include "driver/DriverApi.h"
#include "sim/client/SimulatorLibrary.h"

#include <gtest/gtest.h>

// The one simulator instance of the test process.
SimulatorLibrary& Simulator();

#define SIM_TEST_ENTRY(name) const PFN_##name name = Simulator().Entry<PFN_##name>(#name);

class SimulatorTestBase : public testing::Test {
protected:
    void SetUp() override { Simulator().Reset(); }

    // Opens the device at a list index; fails the test when that does not work.
    DeviceHandle Open(std::uint32_t index) {
        DeviceHandle handle = 0;
        EXPECT_EQ(KORVELINE_OpenDeviceByIndex(index, &handle), 0u);
        EXPECT_NE(handle, 0u);
        return handle;
    }

    SIM_TEST_ENTRY(KORVELINE_GetApiVersion)
    SIM_TEST_ENTRY(KORVELINE_CheckApiVersion)
    SIM_TEST_ENTRY(KORVELINE_RegisterPnpNotification)
    SIM_TEST_ENTRY(KORVELINE_UnregisterPnpNotification)
    SIM_TEST_ENTRY(KORVELINE_EnumerateDevices)
    SIM_TEST_ENTRY(KORVELINE_GetDeviceCount)
    SIM_TEST_ENTRY(KORVELINE_OpenDeviceByIndex)
    SIM_TEST_ENTRY(KORVELINE_CloseDevice)
    SIM_TEST_ENTRY(KORVELINE_GetDeviceProperties)
    SIM_TEST_ENTRY(KORVELINE_GetDeviceUsbMode)
    SIM_TEST_ENTRY(KORVELINE_RegisterDeviceNotification)
    SIM_TEST_ENTRY(KORVELINE_ReadDeviceNotification)
    SIM_TEST_ENTRY(KORVELINE_GetSupportedSampleRates)
    SIM_TEST_ENTRY(KORVELINE_GetCurrentSampleRate)
    SIM_TEST_ENTRY(KORVELINE_SetSampleRate)
    SIM_TEST_ENTRY(KORVELINE_GetSupportedClockSources)
    SIM_TEST_ENTRY(KORVELINE_GetCurrentClockSource)
    SIM_TEST_ENTRY(KORVELINE_SetCurrentClockSource)
    SIM_TEST_ENTRY(KORVELINE_GetSupportedStreamFormats)
    SIM_TEST_ENTRY(KORVELINE_GetCurrentStreamFormat)
    SIM_TEST_ENTRY(KORVELINE_SetCurrentStreamFormat)
    SIM_TEST_ENTRY(KORVELINE_GetStreamFormatSelectionMode)
    SIM_TEST_ENTRY(KORVELINE_GetChannelInfo)
    SIM_TEST_ENTRY(KORVELINE_GetVolumeMuteInfo)
    SIM_TEST_ENTRY(KORVELINE_GetVolume)
    SIM_TEST_ENTRY(KORVELINE_SetVolume)
    SIM_TEST_ENTRY(KORVELINE_GetMute)
    SIM_TEST_ENTRY(KORVELINE_SetMute)
    SIM_TEST_ENTRY(KORVELINE_GetDriverInfo)
    SIM_TEST_ENTRY(KORVELINE_GetClientInfo)
    SIM_TEST_ENTRY(KORVELINE_GetDeviceStreamingMode)
    SIM_TEST_ENTRY(KORVELINE_SetDeviceStreamingMode)
    SIM_TEST_ENTRY(KORVELINE_GetControlPanelOptions)
    SIM_TEST_ENTRY(KORVELINE_GetASIOInstanceCount)
    SIM_TEST_ENTRY(KORVELINE_GetASIOInstanceDetails)
    SIM_TEST_ENTRY(KORVELINE_GetASIOInstanceInfo)
    SIM_TEST_ENTRY(KORVELINE_GetASIORelation)
    SIM_TEST_ENTRY(KORVELINE_GetASIOInstanceAllowed)
    SIM_TEST_ENTRY(KORVELINE_SetPreferredASIODevice)
    SIM_TEST_ENTRY(KORVELINE_ClearPreferredASIODevice)
    SIM_TEST_ENTRY(KORVELINE_SetASIOBufferPreferredSize)
    SIM_TEST_ENTRY(KORVELINE_GetExtendedInfo)
    SIM_TEST_ENTRY(KORVELINE_SetSoundDeviceProfile)
    SIM_TEST_ENTRY(KORVELINE_SetVirtualSoundDeviceProfile)
};

#undef SIM_TEST_ENTRY
