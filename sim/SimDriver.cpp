#include "sim/SimDriver.h"

#include <algorithm>

namespace {

// A slow reader must not make the simulator grow without bound; like a driver's ring
// buffer, the queue keeps the oldest entries and drops what does not fit.
constexpr std::size_t kQueueLimit = 4096;

bool ValidDirection(std::uint32_t direction) {
    return direction == 0 || direction == 1;
}

template <typename Items, typename Key> auto FindById(Items& items, Key id) {
    auto it = std::find_if(items.begin(), items.end(), [&](auto& item) { return item.id == id; });
    return it == items.end() ? nullptr : &*it;
}

} // namespace

void SimDriver::Load(SimScenario scenario) {
    scenario_ = std::move(scenario);
    for (auto& [handle, open] : handles_) {
        open.removed = true;
        open.queue.clear();
    }
    for (auto& device : scenario_.devices)
        if (device.plugged)
            Arrive(device);
    Enumerate();
    PostPnp(kDeviceChangeArrival);
}

std::uint32_t SimDriver::CheckApiVersion(std::uint32_t major, std::uint32_t minor) const {
    switch (scenario_.versionCheck) {
    case SimVersionCheck::Accept:
        return 1;
    case SimVersionCheck::Refuse:
        return 0;
    case SimVersionCheck::Auto:
        break;
    }
    // A library serves programs built for its own major version and any minor up to its own.
    return major == (scenario_.apiVersion >> 16) && minor <= (scenario_.apiVersion & 0xFFFF);
}

StatusCode SimDriver::RegisterPnp(HWND window, UINT message) {
    if (!window)
        return kSimInvalidParameter;
    pnpWindow_ = window;
    pnpMessage_ = message;
    return 0;
}

void SimDriver::UnregisterPnp() {
    pnpWindow_ = nullptr;
    pnpMessage_ = 0;
}

void SimDriver::Enumerate() {
    listed_.clear();
    for (const auto& device : scenario_.devices)
        if (device.plugged)
            listed_.push_back(device.id);
}

StatusCode SimDriver::Open(std::uint32_t index, DeviceHandle& handle) {
    if (index >= listed_.size())
        return kSimNotFound;
    SimDevice* device = FindDevice(listed_[index]);
    if (!device || !device->plugged)
        return kSimDeviceRemoved;
    handle = nextHandle_;
    nextHandle_ = nextHandle_ == 0xFFFFFFFF ? 0x00010001 : nextHandle_ + 1;
    OpenHandle open;
    open.deviceId = device->id;
    handles_[handle] = std::move(open);
    return 0;
}

StatusCode SimDriver::Close(DeviceHandle handle) {
    return handles_.erase(handle) ? 0 : kSimInvalidHandle;
}

std::size_t SimDriver::OpenHandleCount(std::uint32_t deviceId) const {
    return static_cast<std::size_t>(
        std::count_if(handles_.begin(), handles_.end(), [&](const auto& entry) {
            return entry.second.deviceId == deviceId && !entry.second.removed;
        }));
}

StatusCode SimDriver::Lookup(DeviceHandle handle, const SimDevice*& device) const {
    auto it = handles_.find(handle);
    if (it == handles_.end())
        return kSimInvalidHandle;
    if (it->second.removed)
        return kSimDeviceRemoved;
    device = FindById(scenario_.devices, it->second.deviceId);
    return device ? 0 : kSimDeviceRemoved;
}

StatusCode SimDriver::LookupMutable(DeviceHandle handle, SimDevice*& device) {
    const SimDevice* found = nullptr;
    StatusCode status = Lookup(handle, found);
    device = const_cast<SimDevice*>(found);
    return status;
}

SimDevice* SimDriver::FindDevice(std::uint32_t deviceId) {
    return FindById(scenario_.devices, deviceId);
}

StatusCode SimDriver::RegisterNotifications(DeviceHandle handle, std::uint32_t mask, HANDLE event) {
    auto it = handles_.find(handle);
    if (it == handles_.end())
        return kSimInvalidHandle;
    if ((mask == 0) != (event == nullptr))
        return kSimInvalidParameter;
    if (it->second.removed && mask != 0)
        return kSimDeviceRemoved;
    it->second.mask = mask;
    it->second.event = event;
    it->second.queue.clear();
    return 0;
}

StatusCode SimDriver::ReadNotification(DeviceHandle handle, SimNotificationEntry& entry) {
    auto it = handles_.find(handle);
    if (it == handles_.end())
        return kSimInvalidHandle;
    auto& queue = it->second.queue;
    if (queue.empty())
        return kSimQueueEmpty;
    entry = queue.front();
    queue.pop_front();
    return 0;
}

void SimDriver::Queue(OpenHandle& open, const SimNotificationEntry& entry) {
    if (open.removed || !open.event || !(open.mask & (1u << ((entry.id - 1) & 31))))
        return;
    if (open.queue.size() < kQueueLimit)
        open.queue.push_back(entry);
    SetEvent(open.event);
}

void SimDriver::Notify(const SimDevice& device, std::uint32_t id, std::uint32_t a, std::uint32_t b,
                       std::uint32_t size) {
    SimNotificationEntry entry{id, {}, size};
    for (unsigned i = 0; i < 4; ++i) {
        entry.data[i] = static_cast<std::uint8_t>(a >> (8 * i));
        entry.data[4 + i] = static_cast<std::uint8_t>(b >> (8 * i));
    }
    for (auto& [handle, open] : handles_)
        if (open.deviceId == device.id)
            Queue(open, entry);
}

void SimDriver::NotifyAll(std::uint32_t id) {
    for (auto& [handle, open] : handles_)
        Queue(open, SimNotificationEntry{id, {}, 0});
}

void SimDriver::PostPnp(WPARAM change) {
    if (pnpWindow_)
        events_.PostPnp(pnpWindow_, pnpMessage_, change);
}

void SimDriver::StartSettling(SimDevice& device, SimClockSource& source, std::uint32_t ms) {
    if (ms == 0)
        return;
    source.valid = false;
    source.settled = false;
    source.settleTicket = nextTicket_++;
    events_.ScheduleSettle(device.id, source.id, source.settleTicket, ms);
}

void SimDriver::FinishSettling(std::uint32_t deviceId, std::uint32_t sourceId,
                               std::uint32_t ticket) {
    SimDevice* device = FindDevice(deviceId);
    SimClockSource* source = device ? FindById(device->clockSources, sourceId) : nullptr;
    if (!source || source->settleTicket != ticket || source->settled)
        return;
    source->settled = true;
    source->valid = source->locks;
    Notify(*device, kDeviceNotificationClockSource);
}

void SimDriver::Arrive(SimDevice& device) {
    for (auto& source : device.clockSources) {
        source.valid = source.locks;
        source.settled = true;
        StartSettling(device, source, source.settleMs);
    }
}

std::uint32_t SimDriver::DeviceFlags(const SimDevice& device) const {
    std::uint32_t flags = device.audioFunction ? kDeviceFlagAudioFunction : 0;
    if (const SimAsioInstance* instance = FindAsio(device.asioRelation)) {
        if (AsioCurrentDevice(*instance) == &device)
            flags |= kDeviceFlagAsioCurrent;
        if (instance->preferredDevice == device.id)
            flags |= kDeviceFlagAsioPreferred;
    }
    return flags;
}

const SimAsioInstance* SimDriver::FindAsio(std::uint32_t number) const {
    auto it = std::find_if(scenario_.asioInstances.begin(), scenario_.asioInstances.end(),
                           [&](const SimAsioInstance& i) { return i.number == number; });
    return it == scenario_.asioInstances.end() ? nullptr : &*it;
}

const SimDevice* SimDriver::AsioCurrentDevice(const SimAsioInstance& instance) const {
    // The preferred device while it is connected and belongs to the instance, else the
    // first connected device that belongs to it.
    const SimDevice* first = nullptr;
    for (const auto& device : scenario_.devices) {
        if (!device.plugged || device.asioRelation != instance.number)
            continue;
        if (instance.preferredDevice == device.id)
            return &device;
        if (!first)
            first = &device;
    }
    return first;
}

std::uint32_t SimDriver::ChannelCount(const SimDirection& direction) {
    std::uint32_t count = 0;
    for (const auto& format : direction.formats)
        count = std::max(count, format.channelCount);
    return count;
}

StatusCode SimDriver::FindChannel(const SimDevice& device, std::uint32_t direction,
                                  std::uint32_t channel, const SimChannel*& found) {
    found = nullptr;
    if (!ValidDirection(direction))
        return kSimInvalidParameter;
    const SimDirection& side = device.Direction(direction);
    for (const auto& c : side.channels)
        if (c.index == channel)
            found = &c;
    if (!found && channel > ChannelCount(side))
        return kSimInvalidParameter;
    return 0;
}

SimChannel* SimDriver::EditableChannel(SimDevice& device, std::uint32_t direction,
                                       std::uint32_t channel, StatusCode& status) {
    const SimChannel* found = nullptr;
    status = FindChannel(device, direction, channel, found);
    return const_cast<SimChannel*>(found);
}

std::uint32_t SimDriver::ClockRate(const SimDevice& device, const SimClockSource& source) {
    return source.sampleRate.value_or(device.currentSampleRate);
}

std::uint32_t SimDriver::EffectiveSampleRate(const SimDevice& device) {
    const SimClockSource* source = FindById(device.clockSources, device.currentClockSource);
    if (!source)
        return device.currentSampleRate;
    return source->valid ? ClockRate(device, *source) : 0;
}

// --- changes shared by the entry points and the control commands -------------------------

StatusCode SimDriver::ChangeSampleRate(SimDevice& device, std::uint32_t rate) {
    if (device.currentSampleRate != rate) {
        device.currentSampleRate = rate;
        Notify(device, kDeviceNotificationSampleRate);
    }
    return 0;
}

StatusCode SimDriver::ChangeClockSource(SimDevice& device, std::uint32_t sourceId) {
    SimClockSource* source = FindById(device.clockSources, sourceId);
    if (!source)
        return kSimNotFound;
    if (device.currentClockSource == sourceId)
        return 0;
    device.currentClockSource = sourceId;
    StartSettling(device, *source, source->settleMs);
    Notify(device, kDeviceNotificationClockSource);
    return 0;
}

StatusCode SimDriver::ChangeStreamFormat(SimDevice& device, std::uint32_t direction,
                                         std::uint32_t formatId) {
    if (!ValidDirection(direction))
        return kSimInvalidParameter;
    SimDirection& side = device.Direction(direction);
    if (!FindById(side.formats, formatId))
        return kSimNotFound;
    if (side.currentFormat != formatId) {
        side.currentFormat = formatId;
        Notify(device, kDeviceNotificationStreamFormat, direction, formatId, 8);
    }
    return 0;
}

StatusCode SimDriver::ChangeVolume(SimDevice& device, std::uint32_t direction,
                                   std::uint32_t channel, std::int16_t volume) {
    StatusCode status = 0;
    SimChannel* c = EditableChannel(device, direction, channel, status);
    if (status)
        return status;
    if (!c || !c->hasVolume)
        return kSimNotSupported;
    // Like a USB volume control, a value outside the range is clamped to it.
    volume = std::clamp(volume, c->minimum, c->maximum);
    if (c->volume != volume) {
        c->volume = volume;
        Notify(device, kDeviceNotificationVolume, direction, channel, 8);
    }
    return 0;
}

StatusCode SimDriver::ChangeMute(SimDevice& device, std::uint32_t direction, std::uint32_t channel,
                                 bool muted) {
    StatusCode status = 0;
    SimChannel* c = EditableChannel(device, direction, channel, status);
    if (status)
        return status;
    if (!c || !c->hasMute)
        return kSimNotSupported;
    if (c->muted != muted) {
        c->muted = muted;
        Notify(device, kDeviceNotificationMute, direction, channel, 8);
    }
    return 0;
}

StatusCode SimDriver::ChangeStreamingMode(SimDevice& device, std::uint32_t mode) {
    if (device.streamingMode != mode) {
        device.streamingMode = mode;
        Notify(device, kDeviceNotificationStreamingMode);
    }
    return 0;
}

// --- entry point setters -------------------------------------------------------------------

StatusCode SimDriver::SetSampleRate(DeviceHandle handle, std::uint32_t rate) {
    SimDevice* device = nullptr;
    if (StatusCode status = LookupMutable(handle, device))
        return status;
    const auto& rates = device->sampleRates;
    if (std::find(rates.begin(), rates.end(), rate) == rates.end())
        return kSimInvalidParameter;
    return ChangeSampleRate(*device, rate);
}

StatusCode SimDriver::SetClockSource(DeviceHandle handle, std::uint32_t sourceId) {
    SimDevice* device = nullptr;
    if (StatusCode status = LookupMutable(handle, device))
        return status;
    return ChangeClockSource(*device, sourceId);
}

StatusCode SimDriver::SetStreamFormat(DeviceHandle handle, std::uint32_t direction,
                                      std::uint32_t formatId) {
    SimDevice* device = nullptr;
    if (StatusCode status = LookupMutable(handle, device))
        return status;
    if (ValidDirection(direction) && device->Direction(direction).currentFormat != formatId &&
        (device->streamingState || device->wdmClients || device->asioClients))
        return kStatusStreamFormatSwitchNotAllowed;
    return ChangeStreamFormat(*device, direction, formatId);
}

StatusCode SimDriver::SetVolume(DeviceHandle handle, std::uint32_t direction, std::uint32_t channel,
                                std::int16_t volume) {
    SimDevice* device = nullptr;
    if (StatusCode status = LookupMutable(handle, device))
        return status;
    return ChangeVolume(*device, direction, channel, volume);
}

StatusCode SimDriver::SetMute(DeviceHandle handle, std::uint32_t direction, std::uint32_t channel,
                              bool muted) {
    SimDevice* device = nullptr;
    if (StatusCode status = LookupMutable(handle, device))
        return status;
    return ChangeMute(*device, direction, channel, muted);
}

StatusCode SimDriver::SetStreamingMode(DeviceHandle handle, std::uint32_t mode) {
    SimDevice* device = nullptr;
    if (StatusCode status = LookupMutable(handle, device))
        return status;
    if (mode != 1 && mode != 2)
        return kSimInvalidParameter;
    return ChangeStreamingMode(*device, mode);
}

StatusCode SimDriver::SetProfile(DeviceHandle handle, std::uint32_t formatId,
                                 const std::wstring& profileId) {
    SimDevice* device = nullptr;
    if (StatusCode status = LookupMutable(handle, device))
        return status;
    for (std::uint32_t direction : {kDirectionInput, kDirectionOutput}) {
        SimStreamFormat* format = FindById(device->Direction(direction).formats, formatId);
        if (!format)
            continue;
        if (!FindById(format->profiles, profileId))
            return kSimNotFound;
        if (format->currentProfile != profileId) {
            format->currentProfile = profileId;
            Notify(*device, kDeviceNotificationSoundDeviceProfile, direction, formatId, 8);
        }
        return 0;
    }
    return kSimNotFound;
}

StatusCode SimDriver::SetVirtualProfile(DeviceHandle handle, std::uint32_t direction,
                                        const std::wstring& profileId) {
    SimDevice* device = nullptr;
    if (StatusCode status = LookupMutable(handle, device))
        return status;
    if (!ValidDirection(direction))
        return kSimInvalidParameter;
    SimDirection& side = device->Direction(direction);
    if (!FindById(side.virtualProfiles, profileId))
        return kSimNotFound;
    if (side.currentVirtualProfile != profileId) {
        side.currentVirtualProfile = profileId;
        Notify(*device, kDeviceNotificationSoundDeviceProfile, direction, 0, 8);
    }
    return 0;
}

StatusCode SimDriver::SetPreferredAsioDevice(DeviceHandle handle, std::uint32_t instance) {
    SimDevice* device = nullptr;
    if (StatusCode status = LookupMutable(handle, device))
        return status;
    auto* asio = const_cast<SimAsioInstance*>(FindAsio(instance));
    if (!asio)
        return kSimNotFound;
    const auto& allowed = device->asioAllowed;
    if (std::find(allowed.begin(), allowed.end(), instance) == allowed.end())
        return kSimInvalidParameter;
    // Choosing a device for an instance makes it belong to that instance.
    asio->preferredDevice = device->id;
    device->asioRelation = instance;
    NotifyAll(kDeviceNotificationAsio);
    return 0;
}

StatusCode SimDriver::ClearPreferredAsioDevice(std::uint32_t instance) {
    auto* asio = const_cast<SimAsioInstance*>(FindAsio(instance));
    if (!asio)
        return kSimNotFound;
    asio->preferredDevice.reset();
    NotifyAll(kDeviceNotificationAsio);
    return 0;
}

StatusCode SimDriver::SetAsioBuffer(std::uint32_t instance, std::uint32_t cookie,
                                    std::uint32_t size, std::uint32_t options) {
    auto* asio = const_cast<SimAsioInstance*>(FindAsio(instance));
    if (!asio)
        return kSimNotFound;
    const auto& sizes = asio->bufferSizes;
    if (cookie != asio->cookie || std::find(sizes.begin(), sizes.end(), size) == sizes.end())
        return kSimInvalidParameter;
    if (asio->preferredBufferSize != size || asio->options != options) {
        asio->preferredBufferSize = size;
        asio->options = options;
        NotifyAll(kDeviceNotificationAsio);
    }
    return 0;
}

// --- control commands ------------------------------------------------------------------------

StatusCode SimDriver::Plug(std::uint32_t deviceId) {
    SimDevice* device = FindDevice(deviceId);
    if (!device)
        return kSimNotFound;
    if (device->plugged)
        return kSimBadCommand;
    device->plugged = true;
    Arrive(*device);
    PostPnp(kDeviceChangeArrival);
    return 0;
}

StatusCode SimDriver::Unplug(std::uint32_t deviceId) {
    SimDevice* device = FindDevice(deviceId);
    if (!device)
        return kSimNotFound;
    if (!device->plugged)
        return kSimBadCommand;
    device->plugged = false;
    for (auto& [handle, open] : handles_)
        if (open.deviceId == deviceId) {
            open.removed = true;
            open.queue.clear();
        }
    PostPnp(kDeviceChangeRemoval);
    return 0;
}

StatusCode SimDriver::ExternalSampleRate(std::uint32_t deviceId, std::uint32_t rate) {
    SimDevice* device = FindDevice(deviceId);
    return device ? ChangeSampleRate(*device, rate) : kSimNotFound;
}

StatusCode SimDriver::ExternalClockSource(std::uint32_t deviceId, std::uint32_t sourceId) {
    SimDevice* device = FindDevice(deviceId);
    return device ? ChangeClockSource(*device, sourceId) : kSimNotFound;
}

StatusCode SimDriver::ExternalClockState(std::uint32_t deviceId, std::uint32_t sourceId,
                                         ClockState state, std::uint32_t settleMs) {
    SimDevice* device = FindDevice(deviceId);
    SimClockSource* source = device ? FindById(device->clockSources, sourceId) : nullptr;
    if (!source)
        return kSimNotFound;
    source->settleTicket = nextTicket_++; // ends a settling in progress
    source->locks = state != ClockState::Invalid;
    source->valid = source->locks;
    source->settled = true;
    if (state == ClockState::Settling) {
        source->locks = true;
        StartSettling(*device, *source, settleMs ? settleMs : 1);
    }
    Notify(*device, kDeviceNotificationClockSource);
    return 0;
}

StatusCode SimDriver::ExternalClients(std::uint32_t deviceId, std::uint32_t streaming,
                                      std::uint32_t wdm, std::uint32_t asio) {
    SimDevice* device = FindDevice(deviceId);
    if (!device)
        return kSimNotFound;
    device->streamingState = streaming;
    device->wdmClients = wdm;
    device->asioClients = asio;
    Notify(*device, kDeviceNotificationClientInfo);
    return 0;
}

StatusCode SimDriver::ExternalStreamFormat(std::uint32_t deviceId, std::uint32_t direction,
                                           std::uint32_t formatId) {
    SimDevice* device = FindDevice(deviceId);
    return device ? ChangeStreamFormat(*device, direction, formatId) : kSimNotFound;
}

StatusCode SimDriver::ExternalVolume(std::uint32_t deviceId, std::uint32_t direction,
                                     std::uint32_t channel, std::int16_t volume) {
    SimDevice* device = FindDevice(deviceId);
    return device ? ChangeVolume(*device, direction, channel, volume) : kSimNotFound;
}

StatusCode SimDriver::ExternalMute(std::uint32_t deviceId, std::uint32_t direction,
                                   std::uint32_t channel, bool muted) {
    SimDevice* device = FindDevice(deviceId);
    return device ? ChangeMute(*device, direction, channel, muted) : kSimNotFound;
}

StatusCode SimDriver::ExternalStreamingMode(std::uint32_t deviceId, std::uint32_t mode) {
    SimDevice* device = FindDevice(deviceId);
    return device ? ChangeStreamingMode(*device, mode) : kSimNotFound;
}

StatusCode SimDriver::ExternalNotify(std::uint32_t deviceId, std::uint32_t id,
                                     std::uint32_t count) {
    SimDevice* device = FindDevice(deviceId);
    if (!device)
        return kSimNotFound;
    if (id == 0 || id > 32 || count > kQueueLimit)
        return kSimInvalidParameter;
    for (std::uint32_t i = 0; i < count; ++i)
        Notify(*device, id);
    return 0;
}
