#pragma once

#include <windows.h>

#include <span>
#include <vector>

// Resize rules of a dialog: how each listed control follows a change of the dialog's
// client size. Flags combine per axis.
enum ResizeFlag : unsigned {
    kStretchX = 0x01, // right edge follows the width change; left edge stays
    kStretchY = 0x02, // bottom edge follows the height change; top edge stays
    kMoveX = 0x04,    // left edge follows the width change too (the control moves)
    kMoveY = 0x08,
    kCenterX = 0x10, // the control moves by half the width change
    kCenterY = 0x20,
    kRepaint = 0x40, // the control, and the dialog where it stood, are repainted after each layout
};

// One row of a table. Consecutive rows with the same non-zero group form a group: the
// group's span (the union of its members' rectangles) is stretched as a whole, and each
// member keeps its relative position and width within the span on every axis for which
// the member has a rule; members thus share a width change in proportion to their widths.
struct ResizeRule {
    int controlId;
    unsigned flags;
    int group = 0;
};

// The arithmetic, free of windows. Design values are in 96-DPI units; the layout scales
// them to `dpi` (value * dpi / 96, rounded as MulDiv rounds).
namespace resize_layout {

int ToDesignUnits(int pixels, UINT dpi);
int FromDesignUnits(int designValue, UINT dpi);
RECT ToDesignUnits(const RECT& pixels, UINT dpi);
RECT FromDesignUnits(const RECT& designRect, UINT dpi);

// New rectangles for the controls of `rules` (one design and one current rectangle per
// rule, parent client coordinates). An axis without a rule keeps the current edges;
// a stretch keeps the current left (top) edge; no rectangle gets a negative extent.
std::vector<RECT> Layout(std::span<const ResizeRule> rules, std::span<const RECT> designRects,
                         std::span<const RECT> currentRects, SIZE designClient, SIZE client,
                         UINT dpi);

} // namespace resize_layout
