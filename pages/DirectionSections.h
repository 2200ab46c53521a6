#pragma once

#include "config/UiText.h"

#include <windows.h>

#include <array>
#include <cstdint>

// One section of a page that offers a choice per direction (stream formats, sound device
// profiles): a group box and a selector, both hidden in the dialog template.
struct DirectionSection {
    int groupId = 0;
    int selectorId = 0;
    HWND selector = nullptr;
    std::uint32_t direction = 0;
    bool shown = false;
};
using DirectionSections = std::array<DirectionSection, 2>;

// Assigns the sides once, at the page's first display: section 0 (upper) takes the input
// side when it exists, otherwise the output side; section 1 takes the output side only when
// both exist. Each assigned section gets its direction and title and is shown; the other
// stays hidden. Every section's selector is looked up either way.
void AssignDirectionSections(HWND page, DirectionSections& sections, bool hasInput, bool hasOutput,
                             const UiTextHandle& inputTitle, const UiTextHandle& outputTitle);
