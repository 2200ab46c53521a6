#include "sim/SimFuzz.h"

std::uint32_t SimFuzz::Number() {
    switch (Pick(10)) {
    case 0:
        return 0;
    case 1:
        return 0xFFFFFFFF - Pick(4);
    case 2:
        return random_();
    case 3:
    case 4:
        return Pick(300);
    default:
        return Pick(6);
    }
}

std::uint32_t SimFuzz::Id() {
    return Pick(8) == 0 ? random_() : Pick(4);
}

std::uint32_t SimFuzz::Flags() {
    return Pick(3) == 0 ? random_() : 1u << Pick(32) | 1u << Pick(32);
}

std::uint32_t SimFuzz::Count(std::uint32_t room) {
    switch (Pick(6)) {
    case 0:
        return 0;
    case 1:
        return room + 1 + Pick(8);
    case 2:
        return Number();
    default:
        return room ? Pick(room + 1) : 0;
    }
}

wchar_t SimFuzz::Character() {
    static constexpr wchar_t kOdd[] = {L'%', L'$',   L'{',   L'}',   L'\n',  L'\t', L'\\',
                                       L'"', 0xD800, 0xDC00, 0xFFFF, 0x00E4, L' '};
    switch (Pick(4)) {
    case 0:
        return kOdd[Pick(static_cast<std::uint32_t>(std::size(kOdd)))];
    case 1:
        return static_cast<wchar_t>(1 + Pick(0xFFFE));
    default:
        return static_cast<wchar_t>(L'a' + Pick(26));
    }
}

void SimFuzz::Scramble(DeviceProperties& record) {
    record.vendorId = Number();
    record.productId = Number();
    record.revision = Number();
    Text(record.serialNumber);
    Text(record.manufacturer);
    Text(record.product);
    record.flags = Flags();
}

void SimFuzz::Scramble(ClockSourceInfo& record) {
    record.id = Id();
    record.unitId = Number();
    record.valid = Pick(3);
    record.sampleRate = Number();
    Text(record.name);
    record.flags = Flags();
}

void SimFuzz::Scramble(StreamFormatInfo& record) {
    record.id = Id();
    record.bitsPerSample = Number();
    record.channelCount = Pick(4) == 0 ? 255 : Number();
    record.sampleFormatType = Pick(3) == 0 ? Number() : Pick(3);
}

void SimFuzz::Scramble(VolumeMuteInfo& record) {
    record.flags = Flags();
    record.minimumVolume = static_cast<std::int16_t>(random_());
    record.maximumVolume = static_cast<std::int16_t>(random_());
    record.resolution = static_cast<std::uint16_t>(Pick(3) == 0 ? 0 : random_());
}

void SimFuzz::Scramble(DriverInfo& record) {
    record.versionMajor = Number();
    record.versionMinor = Number();
    record.versionBuild = Number();
    record.flags = Flags();
}

void SimFuzz::Scramble(AsioInstanceDetails& record) {
    record.instanceNumber = Id();
    Text(record.name);
}

void SimFuzz::Scramble(AsioInstanceInfo& record) {
    record.sampleRate = Number();
    record.bufferSizeCookie = random_();
    record.inUse = Pick(3) == 0 ? Number() : 0;
    record.streamFlags = Flags();
    record.options = Flags();
    record.inputLatency = Number();
    record.outputLatency = Number();
    record.preferredBufferSize = Number();
    record.bufferSizeCount = Count(kMaxAsioBufferSizes);
    for (std::uint32_t& size : record.bufferSizes)
        size = Number();
}

void SimFuzz::Scramble(SoundDeviceProfileInfo& record) {
    Text(record.id);
    Text(record.name);
}
