#pragma once

#include "driver/DriverBuffers.h"
#include "pages/DirectionSections.h"
#include "pages/PageT.h"
#include "resources/dialogs/PageSoundDeviceProfiles.h"

#include <array>

// The sound device profile of each side of the open device. A side with stream formats
// offers the profiles of its current format; a side without formats may offer the
// driver's virtual profiles of that direction instead. Sections as on the stream formats
// page.
class PageSoundDeviceProfiles : public PageT<PageSoundDeviceProfiles> {
public:
    static constexpr UINT IDD = IDD_PAGE_SOUND_DEVICE_PROFILES;
    static constexpr int kUpperGroup = IDC_PROFILES_UPPER_GROUP;
    static constexpr int kUpperSelector = IDC_PROFILES_UPPER_SELECTION;
    static constexpr int kLowerGroup = IDC_PROFILES_LOWER_GROUP;
    static constexpr int kLowerSelector = IDC_PROFILES_LOWER_SELECTION;
    static constexpr ResizeRule kResizeRules[] = {
        {kUpperGroup, kStretchX | kRepaint},
        {kUpperSelector, kStretchX | kRepaint},
        {kLowerGroup, kStretchX | kRepaint},
        {kLowerSelector, kStretchX | kRepaint},
    };

    explicit PageSoundDeviceProfiles(PageHost& host);

    BEGIN_MSG_MAP(PageSoundDeviceProfiles)
    COMMAND_CALL(kUpperSelector, CBN_SELCHANGE, SaveSelectedSoundDeviceProfile(0))
    COMMAND_CALL(kLowerSelector, CBN_SELCHANGE, SaveSelectedSoundDeviceProfile(1))
    CHAIN_MSG_MAP(PageT<PageSoundDeviceProfiles>)
    END_MSG_MAP()

private:
    // What a section last read; its selector's item data are positions in `profiles`.
    struct ProfileSide {
        bool isVirtual = false;
        std::uint32_t formatId = 0; // the stream format the profiles belong to
        SoundDeviceProfileList profiles;
    };

    void InitControls() override;
    // Both sections, each read again.
    void RefreshContents(DeviceHandle device, const KorvelineApiDll& api) override;
    // The section's profiles, the current one selected.
    void UpdateProfileList(DeviceHandle device, const KorvelineApiDll& api, std::size_t section);
    // The write of the chosen profile, then the refresh of that section.
    void SaveSelectedSoundDeviceProfile(std::size_t section);

    DirectionSections sections_{{{kUpperGroup, kUpperSelector}, {kLowerGroup, kLowerSelector}}};
    std::array<ProfileSide, 2> sides_;
};
