#include "volume/LevelMapping.h"

#include "config/UiText.h"

#include <algorithm>

namespace {

// The multiple of step at or below value, for negative values too.
int MultipleAtOrBelow(int value, int step) {
    const int quotient = value / step;
    return (quotient * step > value ? quotient - 1 : quotient) * step;
}

} // namespace

std::int16_t MapLevel(const LevelMapping& mapping, int value) {
    const int minimum = mapping.minimum;
    // A driver's range upside down counts as empty above its minimum.
    const int maximum = std::max<int>(mapping.minimum, mapping.maximum);
    const int mirrored = minimum + maximum - std::clamp(value, minimum, maximum);
    int snapped = mirrored;
    if (mapping.step != 0) {
        // Both neighbours of the value, so that negative values snap to the nearer one as
        // positive values do; a remainder truncated toward zero would offer two multiples
        // above a negative value and let a nudge jump a whole step.
        const int below = MultipleAtOrBelow(mirrored, mapping.step);
        const int above = below == mirrored ? mirrored : below + mapping.step;
        snapped = mirrored - below < above - mirrored ? below : above;
    }
    return static_cast<std::int16_t>(std::clamp(snapped, minimum, maximum));
}

std::wstring LevelText(std::int16_t volume) {
    return FormatNumbers(L"%i", volume / 256);
}
