#include "pages/AsioInstComboCtrl.h"

#include "config/UiText.h"
#include "config/UiTextIds.h"
#include "driver/DriverBuffers.h"
#include "pages/ComboBoxItems.h"

#include <algorithm>

StatusCode AsioInstComboCtrl::FillInstances(const KorvelineApiDll& api, DeviceHandle device) {
    instances_.clear();
    std::uint32_t count = 0;
    if (StatusCode status = CallEntryPoint(api.KORVELINE_GetASIOInstanceCount, &count))
        return status;
    // The count comes from the driver; no driver has more instances than this.
    constexpr std::uint32_t kMaxInstances = 256;
    for (std::uint32_t index = 0; index < std::min(count, kMaxInstances); ++index) {
        AsioInstanceDetails details{};
        if (StatusCode status =
                CallEntryPoint(api.KORVELINE_GetASIOInstanceDetails, index, &details)) {
            instances_.clear();
            return status;
        }
        instances_.push_back(details);
    }

    std::vector<combo_box::Entry> entries;
    for (std::size_t position = 0; position < instances_.size(); ++position) {
        const AsioInstanceDetails& details = instances_[position];
        std::wstring text =
            FormatNumbers(L"ASIO %d: ", static_cast<int>(details.instanceNumber + 1));
        entries.push_back(
            {text + DriverString(details.name), static_cast<std::uint32_t>(position)});
    }
    combo_box::Fill(comboBox_, entries);

    std::uint32_t relation = kNoAsioInstance;
    if (CallEntryPoint(api.KORVELINE_GetASIORelation, device, &relation) != 0 ||
        relation == kNoAsioInstance)
        return 0;
    // The item data are positions; the first position holding the instance is selected.
    for (std::size_t position = 0; position < instances_.size(); ++position) {
        if (instances_[position].instanceNumber == relation) {
            combo_box::SelectItemData(comboBox_, static_cast<std::uint32_t>(position));
            break;
        }
    }
    return 0;
}

std::int32_t AsioInstComboCtrl::GetSelectedInstance() const {
    const auto position = combo_box::SelectedItemData(comboBox_);
    if (!position || *position >= instances_.size())
        return -1;
    return static_cast<std::int32_t>(instances_[*position].instanceNumber);
}

std::int32_t AsioInstComboCtrl::CurrentInstance(bool selectorShown) const {
    if (selectorShown)
        return GetSelectedInstance();
    return instances_.empty() ? -1 : static_cast<std::int32_t>(instances_.front().instanceNumber);
}
