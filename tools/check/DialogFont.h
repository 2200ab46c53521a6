#pragma once

#include "tools/check/DialogTemplate.h"

#include "framework/UniqueAny.h"

#include <windows.h>

// A dialog template's font at a DPI and the dialog base units it gives, as the system's
// dialog manager takes them: the template's point size scaled to the DPI, the average
// width of the letters and the height of their extent.
class DialogFont {
public:
    DialogFont(HDC dc, const DialogTemplate& dialog, int dpi);

    HFONT Font() const { return font_.Get(); }
    // The control's size in pixels.
    SIZE Pixels(const DialogTemplateItem& item) const {
        return {MulDiv(item.width, baseX_, 4), MulDiv(item.height, baseY_, 8)};
    }

private:
    UniqueFont font_;
    int baseX_ = 0;
    int baseY_ = 0;
};
