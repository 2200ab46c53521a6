#include "pages/PageSoundDeviceProfiles.h"

#include "config/UiTextIds.h"
#include "driver/DriverQueries.h"
#include "pages/ComboBoxItems.h"

#include <vector>

namespace {

// One extended-info request with its u32 in value; nothing counts as delivered on failure.
template <std::uint32_t N>
StatusCode ReadProfiles(const KorvelineApiDll& api, DeviceHandle device, std::uint32_t request,
                        std::uint32_t in, ByteCountedArray<SoundDeviceProfileInfo, N>& out) {
    const StatusCode status = CallEntryPoint(api.KORVELINE_GetExtendedInfo, device, request, &in,
                                             static_cast<std::uint32_t>(sizeof(in)), out.Data(),
                                             out.SizeInBytes(), out.BytesReturnedOut());
    if (status != 0)
        out = {};
    return status;
}

// The position of the profile with exactly this id, or one no entry carries.
std::uint32_t PositionOf(const SoundDeviceProfileList& profiles,
                         std::span<const SoundDeviceProfileInfo> current) {
    const auto listed = profiles.Delivered();
    for (std::size_t position = 0; !current.empty() && position < listed.size(); ++position) {
        if (DriverString(listed[position].id) == DriverString(current.front().id))
            return static_cast<std::uint32_t>(position);
    }
    return kMaxSoundDeviceProfiles;
}

} // namespace

PageSoundDeviceProfiles::PageSoundDeviceProfiles(PageHost& host)
    : PageT(host, PAGE_SOUND_DEVICE_PROFILES_TITLE) {}

void PageSoundDeviceProfiles::InitControls() {
    const DeviceHandle device = Host().OpenedDevice();
    const KorvelineApiDll& api = Host().Api();
    // A side exists with stream formats, or without them when it has virtual profiles.
    std::array<bool, 2> isVirtual{};
    const auto exists = [&](std::uint32_t direction) {
        if (device == 0)
            return false;
        if (StreamFormatCount(api, device, direction) > 0)
            return true;
        isVirtual[direction] = true;
        SoundDeviceProfileList virtualProfiles;
        return ReadProfiles(api, device, kExtendedInfoVirtualSoundDeviceProfiles, direction,
                            virtualProfiles) == 0 &&
               !virtualProfiles.Delivered().empty();
    };
    const bool hasInput = exists(kDirectionInput);
    const bool hasOutput = exists(kDirectionOutput);
    AssignDirectionSections(Hwnd(), sections_, hasInput, hasOutput,
                            PAGE_SOUND_DEVICE_PROFILES_SECTION_INPUT_TITLE,
                            PAGE_SOUND_DEVICE_PROFILES_SECTION_OUTPUT_TITLE);
    for (std::size_t section = 0; section < sections_.size(); ++section)
        sides_[section].isVirtual =
            sections_[section].shown && isVirtual[sections_[section].direction];
}

void PageSoundDeviceProfiles::RefreshContents(DeviceHandle device, const KorvelineApiDll& api) {
    for (std::size_t section = 0; section < sections_.size(); ++section) {
        if (sections_[section].shown)
            UpdateProfileList(device, api, section);
    }
}

void PageSoundDeviceProfiles::UpdateProfileList(DeviceHandle device, const KorvelineApiDll& api,
                                                std::size_t index) {
    const DirectionSection& section = sections_[index];
    ProfileSide& side = sides_[index];
    combo_box::Clear(section.selector);
    side.profiles = {};
    side.formatId = 0;
    if (device == 0)
        return;

    // Virtual profiles belong to the direction, the others to the side's current format.
    std::uint32_t key = section.direction;
    if (!side.isVirtual) {
        StreamFormatInfo format{};
        if (CallEntryPoint(api.KORVELINE_GetCurrentStreamFormat, device, section.direction,
                           &format) != 0)
            return;
        side.formatId = key = format.id;
    }
    if (ReadProfiles(api, device,
                     side.isVirtual ? kExtendedInfoVirtualSoundDeviceProfiles
                                    : kExtendedInfoSoundDeviceProfiles,
                     key, side.profiles) != 0)
        return;

    std::vector<combo_box::Entry> entries;
    const auto profiles = side.profiles.Delivered();
    for (std::size_t position = 0; position < profiles.size(); ++position)
        entries.push_back(
            {DriverString(profiles[position].name), static_cast<std::uint32_t>(position)});
    combo_box::FillWithCurrent(section.selector, entries, [&](std::uint32_t& position) {
        CurrentSoundDeviceProfile current;
        const StatusCode read =
            ReadProfiles(api, device,
                         side.isVirtual ? kExtendedInfoCurrentVirtualSoundDeviceProfile
                                        : kExtendedInfoCurrentSoundDeviceProfile,
                         key, current);
        position = PositionOf(side.profiles, current.Delivered());
        return read;
    });
    for (const DirectionSection& each : sections_)
        combo_box::EnableByCount(each.selector, 2);
}

void PageSoundDeviceProfiles::SaveSelectedSoundDeviceProfile(std::size_t index) {
    const ProfileSide& side = sides_[index];
    const auto setter = side.isVirtual ? Host().Api().KORVELINE_SetVirtualSoundDeviceProfile
                                       : Host().Api().KORVELINE_SetSoundDeviceProfile;
    WriteSelection(
        combo_box::SelectedItemData(sections_[index].selector), L"SaveSelectedSoundDeviceProfile",
        side.isVirtual ? L"KORVELINE_SetVirtualSoundDeviceProfile"
                       : L"KORVELINE_SetSoundDeviceProfile",
        [&](DeviceHandle device, std::uint32_t position) -> StatusCode {
            const auto profiles = side.profiles.Delivered();
            if (position >= profiles.size())
                return 0;
            // The format id read by the last refresh, not read again here.
            const SoundDeviceProfileRequest request = MakeSoundDeviceProfileRequest(
                side.isVirtual ? sections_[index].direction : side.formatId, profiles[position]);
            return CallEntryPoint(setter, device, &request, 1u);
        });
    RefreshPart(false, [this, index](DeviceHandle device, const KorvelineApiDll& api) {
        UpdateProfileList(device, api, index);
    });
}
