#include "pages/DirectionSections.h"

#include "driver/DriverRecords.h"

void AssignDirectionSections(HWND page, DirectionSections& sections, bool hasInput, bool hasOutput,
                             const UiTextHandle& inputTitle, const UiTextHandle& outputTitle) {
    for (DirectionSection& section : sections)
        section.selector = GetDlgItem(page, section.selectorId);
    std::size_t next = 0;
    const auto assign = [&](std::uint32_t direction, const UiTextHandle& title) {
        DirectionSection& section = sections[next++];
        section.direction = direction;
        section.shown = true;
        SetDlgItemTextW(page, section.groupId, GetUiText(title).c_str());
        ShowWindow(GetDlgItem(page, section.groupId), SW_SHOW);
        ShowWindow(section.selector, SW_SHOW);
    };
    if (hasInput)
        assign(kDirectionInput, inputTitle);
    if (hasOutput)
        assign(kDirectionOutput, outputTitle);
}
