#pragma once

// The simulated driver's state machine: the scenario's devices, the device list of the
// last enumeration, open handles with their notification registrations and queues, and
// every change the entry points or the control commands make. Not thread-safe by itself:
// the caller holds the simulator's lock (SimRuntime) around every call.

#include "sim/SimScenario.h"
#include "sim/SimStatus.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

// What the state machine asks of the simulator's own thread.
class SimDriverEvents {
public:
    virtual void PostPnp(HWND window, UINT message, WPARAM change) = 0;
    // Calls SimDriver::FinishSettling(device, source, ticket) after `ms`.
    virtual void ScheduleSettle(std::uint32_t device, std::uint32_t source, std::uint32_t ticket,
                                std::uint32_t ms) = 0;

protected:
    ~SimDriverEvents() = default;
};

struct SimNotificationEntry {
    std::uint32_t id = 0;
    std::array<std::uint8_t, 8> data{};
    std::uint32_t size = 0;
};

class SimDriver {
public:
    explicit SimDriver(SimDriverEvents& events) : events_(events) {}

    // Replaces the world. Open handles lose their device; a registered window is told.
    void Load(SimScenario scenario);
    const SimScenario& Scenario() const { return scenario_; }

    std::uint32_t CheckApiVersion(std::uint32_t major, std::uint32_t minor) const;

    StatusCode RegisterPnp(HWND window, UINT message);
    void UnregisterPnp();
    bool PnpRegistered() const { return pnpWindow_ != nullptr; }

    void Enumerate();
    std::uint32_t DeviceCount() const { return static_cast<std::uint32_t>(listed_.size()); }
    StatusCode Open(std::uint32_t index, DeviceHandle& handle);
    StatusCode Close(DeviceHandle handle);
    std::size_t OpenHandleCount(std::uint32_t deviceId) const;

    // The device behind an open handle, or the reason there is none.
    StatusCode Lookup(DeviceHandle handle, const SimDevice*& device) const;

    StatusCode RegisterNotifications(DeviceHandle handle, std::uint32_t mask, HANDLE event);
    // kSimQueueEmpty when nothing is pending.
    StatusCode ReadNotification(DeviceHandle handle, SimNotificationEntry& entry);

    // Entry point setters: check the value, change the state, queue the notification.
    StatusCode SetSampleRate(DeviceHandle handle, std::uint32_t rate);
    StatusCode SetClockSource(DeviceHandle handle, std::uint32_t sourceId);
    StatusCode SetStreamFormat(DeviceHandle handle, std::uint32_t direction,
                               std::uint32_t formatId);
    StatusCode SetVolume(DeviceHandle handle, std::uint32_t direction, std::uint32_t channel,
                         std::int16_t volume);
    StatusCode SetMute(DeviceHandle handle, std::uint32_t direction, std::uint32_t channel,
                       bool muted);
    StatusCode SetStreamingMode(DeviceHandle handle, std::uint32_t mode);
    StatusCode SetProfile(DeviceHandle handle, std::uint32_t formatId,
                          const std::wstring& profileId);
    StatusCode SetVirtualProfile(DeviceHandle handle, std::uint32_t direction,
                                 const std::wstring& profileId);
    StatusCode SetPreferredAsioDevice(DeviceHandle handle, std::uint32_t instance);
    StatusCode ClearPreferredAsioDevice(std::uint32_t instance);
    StatusCode SetAsioBuffer(std::uint32_t instance, std::uint32_t cookie, std::uint32_t size,
                             std::uint32_t options);

    // Derived values the records carry.
    std::uint32_t DeviceFlags(const SimDevice& device) const;
    const SimAsioInstance* FindAsio(std::uint32_t number) const;
    const SimDevice* AsioCurrentDevice(const SimAsioInstance& instance) const;
    static std::uint32_t ChannelCount(const SimDirection& direction);
    // The channel's settings, or null for a channel without name and controls; fails for
    // an index beyond the direction's channels.
    static StatusCode FindChannel(const SimDevice& device, std::uint32_t direction,
                                  std::uint32_t channel, const SimChannel*& found);
    static std::uint32_t ClockRate(const SimDevice& device, const SimClockSource& source);
    // The rate the device runs at: 0 while its clock source is not valid, the source's own
    // rate when it has one, else the rate last set.
    static std::uint32_t EffectiveSampleRate(const SimDevice& device);

    // Changes "at the device" from the control interface, addressed by device id.
    StatusCode Plug(std::uint32_t deviceId);
    StatusCode Unplug(std::uint32_t deviceId);
    StatusCode ExternalSampleRate(std::uint32_t deviceId, std::uint32_t rate);
    StatusCode ExternalClockSource(std::uint32_t deviceId, std::uint32_t sourceId);
    enum class ClockState { Valid, Invalid, Settling };
    StatusCode ExternalClockState(std::uint32_t deviceId, std::uint32_t sourceId, ClockState state,
                                  std::uint32_t settleMs);
    StatusCode ExternalClients(std::uint32_t deviceId, std::uint32_t streaming, std::uint32_t wdm,
                               std::uint32_t asio);
    StatusCode ExternalStreamFormat(std::uint32_t deviceId, std::uint32_t direction,
                                    std::uint32_t formatId);
    StatusCode ExternalVolume(std::uint32_t deviceId, std::uint32_t direction,
                              std::uint32_t channel, std::int16_t volume);
    StatusCode ExternalMute(std::uint32_t deviceId, std::uint32_t direction, std::uint32_t channel,
                            bool muted);
    StatusCode ExternalStreamingMode(std::uint32_t deviceId, std::uint32_t mode);
    // Queues `count` notifications of one code at once, as a burst from the device.
    StatusCode ExternalNotify(std::uint32_t deviceId, std::uint32_t id, std::uint32_t count = 1);

    // Called on the simulator's thread when a settling period ends.
    void FinishSettling(std::uint32_t deviceId, std::uint32_t sourceId, std::uint32_t ticket);

private:
    struct OpenHandle {
        std::uint32_t deviceId = 0;
        bool removed = false; // the device was unplugged or the scenario replaced
        std::uint32_t mask = 0;
        HANDLE event = nullptr;
        std::deque<SimNotificationEntry> queue;
    };

    SimDevice* FindDevice(std::uint32_t deviceId);
    StatusCode LookupMutable(DeviceHandle handle, SimDevice*& device);
    void Notify(const SimDevice& device, std::uint32_t id, std::uint32_t a = 0, std::uint32_t b = 0,
                std::uint32_t size = 0);
    void NotifyAll(std::uint32_t id);
    void Queue(OpenHandle& open, const SimNotificationEntry& entry);
    void PostPnp(WPARAM change);
    void StartSettling(SimDevice& device, SimClockSource& source, std::uint32_t ms);
    void Arrive(SimDevice& device);

    StatusCode ChangeSampleRate(SimDevice& device, std::uint32_t rate);
    StatusCode ChangeClockSource(SimDevice& device, std::uint32_t sourceId);
    StatusCode ChangeStreamFormat(SimDevice& device, std::uint32_t direction,
                                  std::uint32_t formatId);
    StatusCode ChangeVolume(SimDevice& device, std::uint32_t direction, std::uint32_t channel,
                            std::int16_t volume);
    StatusCode ChangeMute(SimDevice& device, std::uint32_t direction, std::uint32_t channel,
                          bool muted);
    StatusCode ChangeStreamingMode(SimDevice& device, std::uint32_t mode);
    SimChannel* EditableChannel(SimDevice& device, std::uint32_t direction, std::uint32_t channel,
                                StatusCode& status);

    SimDriverEvents& events_;
    SimScenario scenario_;
    std::vector<std::uint32_t> listed_; // device ids of the last enumeration, in order
    std::map<DeviceHandle, OpenHandle> handles_;
    DeviceHandle nextHandle_ = 0x00010001;
    std::uint32_t nextTicket_ = 1;
    HWND pnpWindow_ = nullptr;
    UINT pnpMessage_ = 0;
};
