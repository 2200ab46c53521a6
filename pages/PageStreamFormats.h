#pragma once

#include "pages/DirectionSections.h"
#include "pages/PageT.h"
#include "resources/dialogs/PageStreamFormats.h"

// The stream format of each side of the open device, chosen from the driver's formats for
// that direction: input in the upper section when the device has input formats, output
// below it (or in the upper one for an output-only device). The driver decides whether the
// formats may be changed at all.
class PageStreamFormats : public PageT<PageStreamFormats> {
public:
    static constexpr UINT IDD = IDD_PAGE_STREAM_FORMATS;
    static constexpr int kUpperGroup = IDC_STREAM_FORMATS_UPPER_GROUP;
    static constexpr int kUpperSelector = IDC_STREAM_FORMATS_UPPER_SELECTION;
    static constexpr int kLowerGroup = IDC_STREAM_FORMATS_LOWER_GROUP;
    static constexpr int kLowerSelector = IDC_STREAM_FORMATS_LOWER_SELECTION;
    static constexpr ResizeRule kResizeRules[] = {
        {kUpperGroup, kStretchX | kRepaint},
        {kUpperSelector, kStretchX | kRepaint},
        {kLowerGroup, kStretchX | kRepaint},
        {kLowerSelector, kStretchX | kRepaint},
    };

    explicit PageStreamFormats(PageHost& host);

    BEGIN_MSG_MAP(PageStreamFormats)
    COMMAND_CALL(kUpperSelector, CBN_SELCHANGE, SaveSelectedStreamFormat(sections_[0]))
    COMMAND_CALL(kLowerSelector, CBN_SELCHANGE, SaveSelectedStreamFormat(sections_[1]))
    CHAIN_MSG_MAP(PageT<PageStreamFormats>)
    END_MSG_MAP()

private:
    void InitControls() override;
    // Both sections, each read again.
    void RefreshContents(DeviceHandle device, const KorvelineApiDll& api) override;
    // The section's formats in driver order, the current one selected; the selector is
    // left disabled.
    void FillStreamFormatList(DeviceHandle device, const KorvelineApiDll& api,
                              const DirectionSection& section);
    // A selector is enabled when the driver lets the user choose and it offers a choice.
    void UpdateSelectability(DeviceHandle device, const KorvelineApiDll& api);
    // The write of the chosen format, then the refresh of that section and of the
    // selectability of both selectors.
    void SaveSelectedStreamFormat(const DirectionSection& section);

    DirectionSections sections_{{{kUpperGroup, kUpperSelector}, {kLowerGroup, kLowerSelector}}};
};
