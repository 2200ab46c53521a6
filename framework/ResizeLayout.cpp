#include "framework/ResizeLayout.h"

#include <algorithm>

namespace resize_layout {

namespace {

constexpr int kDesignDpi = 96;

UINT ValidDpi(UINT dpi) {
    return dpi != 0 ? dpi : kDesignDpi;
}

// One axis of a rectangle: low and high edge.
struct Span {
    int low;
    int high;
};

struct AxisRule {
    bool stretch;
    bool move;
    bool center;
    bool Any() const { return stretch || move || center; }
};

AxisRule HorizontalRule(unsigned flags) {
    return {(flags & kStretchX) != 0, (flags & kMoveX) != 0, (flags & kCenterX) != 0};
}

AxisRule VerticalRule(unsigned flags) {
    return {(flags & kStretchY) != 0, (flags & kMoveY) != 0, (flags & kCenterY) != 0};
}

Span PlaceAlone(AxisRule rule, Span design, Span current, int delta) {
    int width = design.high - design.low;
    if (rule.move)
        return {design.low + delta, design.high + delta};
    if (rule.center)
        return {design.low + delta / 2, design.low + delta / 2 + width};
    if (rule.stretch)
        return {current.low, std::max(current.low, design.high + delta)};
    return current;
}

// Maps a position of the group's design span onto its stretched span.
int MapIntoGroup(int position, Span group, int delta) {
    int width = group.high - group.low;
    if (width <= 0)
        return position;
    int stretched = std::max(0, width + delta);
    return group.low + MulDiv(position - group.low, stretched, width);
}

Span PlaceInGroup(AxisRule rule, Span design, Span current, Span group, int delta) {
    if (!rule.Any())
        return current;
    return {MapIntoGroup(design.low, group, delta), MapIntoGroup(design.high, group, delta)};
}

} // namespace

int ToDesignUnits(int pixels, UINT dpi) {
    return MulDiv(pixels, kDesignDpi, static_cast<int>(ValidDpi(dpi)));
}

int FromDesignUnits(int designValue, UINT dpi) {
    return MulDiv(designValue, static_cast<int>(ValidDpi(dpi)), kDesignDpi);
}

RECT ToDesignUnits(const RECT& pixels, UINT dpi) {
    return {ToDesignUnits(pixels.left, dpi), ToDesignUnits(pixels.top, dpi),
            ToDesignUnits(pixels.right, dpi), ToDesignUnits(pixels.bottom, dpi)};
}

RECT FromDesignUnits(const RECT& designRect, UINT dpi) {
    return {FromDesignUnits(designRect.left, dpi), FromDesignUnits(designRect.top, dpi),
            FromDesignUnits(designRect.right, dpi), FromDesignUnits(designRect.bottom, dpi)};
}

std::vector<RECT> Layout(std::span<const ResizeRule> rules, std::span<const RECT> designRects,
                         std::span<const RECT> currentRects, SIZE designClient, SIZE client,
                         UINT dpi) {
    size_t count = std::min({rules.size(), designRects.size(), currentRects.size()});
    int deltaX = client.cx - FromDesignUnits(designClient.cx, dpi);
    int deltaY = client.cy - FromDesignUnits(designClient.cy, dpi);

    std::vector<RECT> scaled(count);
    for (size_t i = 0; i < count; ++i)
        scaled[i] = FromDesignUnits(designRects[i], dpi);

    std::vector<RECT> placed(count);
    for (size_t first = 0; first < count;) {
        size_t end = first + 1;
        int group = rules[first].group;
        while (group != 0 && end < count && rules[end].group == group)
            ++end;

        RECT span = scaled[first];
        for (size_t i = first + 1; i < end; ++i)
            UnionRect(&span, &span, &scaled[i]);

        for (size_t i = first; i < end; ++i) {
            const RECT& d = scaled[i];
            const RECT& c = currentRects[i];
            AxisRule h = HorizontalRule(rules[i].flags);
            AxisRule v = VerticalRule(rules[i].flags);
            Span x = group != 0 ? PlaceInGroup(h, {d.left, d.right}, {c.left, c.right},
                                               {span.left, span.right}, deltaX)
                                : PlaceAlone(h, {d.left, d.right}, {c.left, c.right}, deltaX);
            Span y = group != 0 ? PlaceInGroup(v, {d.top, d.bottom}, {c.top, c.bottom},
                                               {span.top, span.bottom}, deltaY)
                                : PlaceAlone(v, {d.top, d.bottom}, {c.top, c.bottom}, deltaY);
            placed[i] = {x.low, y.low, std::max(x.low, x.high), std::max(y.low, y.high)};
        }
        first = end;
    }
    return placed;
}

} // namespace resize_layout
