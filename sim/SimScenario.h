#pragma once

// The simulated driver's world: what a scenario file describes and what the entry points
// read and change. Plain data; SimDriver owns one and keeps it consistent.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct SimProfile {
    std::wstring id;
    std::wstring name;
};

struct SimStreamFormat {
    std::uint32_t id = 0;
    std::uint32_t bitsPerSample = 24;
    std::uint32_t channelCount = 2;
    std::uint32_t sampleFormatType = 0; // 0 integer PCM, 1 float, 1000000 other
    std::vector<SimProfile> profiles;   // sound device profiles of this format
    std::wstring currentProfile;        // id; empty when none is set
};

struct SimChannel {
    std::uint32_t index = 0; // 0 is the master channel
    std::wstring name;
    bool hasVolume = false;
    bool hasMute = false;
    std::int16_t minimum = -24576; // -96 dB
    std::int16_t maximum = 0;
    std::uint16_t resolution = 256;
    std::int16_t volume = 0;
    bool muted = false;
};

struct SimDirection {
    std::vector<SimStreamFormat> formats;
    std::uint32_t currentFormat = 0; // id; need not be one of the formats
    std::vector<SimProfile> virtualProfiles;
    std::wstring currentVirtualProfile;
    std::vector<SimChannel> channels; // channels with a name or controls; others have none
};

struct SimClockSource {
    std::uint32_t id = 0;
    std::uint32_t unitId = 0;
    std::wstring name;
    std::optional<std::uint32_t> sampleRate; // none: runs at the device's current rate
    bool locks = true;                       // valid once settled
    bool valid = true;                       // at the moment
    bool settled = true;                     // validity no longer changing
    std::uint32_t settleMs = 0;              // how long the source settles on arrival and selection
    std::uint32_t settleTicket = 0;          // tells the current settling from superseded ones
};

struct SimDevice {
    std::uint32_t id = 0; // the scenario's number for it, used by the control commands
    std::uint32_t vendorId = 0;
    std::uint32_t productId = 0;
    std::uint32_t revision = 0x0100;
    std::wstring serialNumber;
    std::wstring manufacturer;
    std::wstring product;
    bool audioFunction = true;
    bool plugged = true;
    std::uint32_t usbMode = 0;
    std::uint32_t panelOptions = 0;
    std::uint32_t streamingMode = 1;
    std::uint32_t formatSelectionMode = 1;
    std::vector<std::uint32_t> sampleRates;
    std::uint32_t currentSampleRate = 0;
    std::vector<SimClockSource> clockSources;
    std::uint32_t currentClockSource = 0;
    SimDirection input;
    SimDirection output;
    std::uint32_t streamingState = 0;
    std::uint32_t wdmClients = 0;
    std::uint32_t asioClients = 0;
    std::uint32_t asioRelation = 0xFFFFFFFF; // instance number, or none
    std::vector<std::uint32_t> asioAllowed;  // instance numbers that may use the device

    SimDirection& Direction(std::uint32_t direction) { return direction ? input : output; }
    const SimDirection& Direction(std::uint32_t direction) const {
        return direction ? input : output;
    }
};

struct SimAsioInstance {
    std::uint32_t number = 0;
    std::wstring name;
    std::vector<std::uint32_t> bufferSizes;
    std::uint32_t preferredBufferSize = 0;
    std::uint32_t options = 0; // bit 16: safe mode
    std::uint32_t cookie = 0;  // handed out in the instance info, expected back on writes
    std::uint32_t inputLatencyExtra = 0;
    std::uint32_t outputLatencyExtra = 0;
    bool dsd = false;
    std::optional<std::uint32_t> preferredDevice; // device id
};

enum class SimVersionCheck { Auto, Accept, Refuse };

struct SimScenario {
    std::uint32_t apiVersion = 0x00050010; // 5.16
    SimVersionCheck versionCheck = SimVersionCheck::Auto;
    std::uint32_t driverMajor = 1;
    std::uint32_t driverMinor = 0;
    std::uint32_t driverBuild = 0;
    bool driverDebug = false;
    std::vector<SimAsioInstance> asioInstances;
    std::vector<SimDevice> devices;
};
