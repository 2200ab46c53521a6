#include "app/PageFitting.h"

#include <algorithm>

SIZE FittedPageSize(SIZE tabControl, int tabRows, UINT dpi) {
    const int margin = MulDiv(8, static_cast<int>(dpi), 96);
    const int rowHeight = MulDiv(18, static_cast<int>(dpi), 96);
    return {std::max(0L, tabControl.cx - margin),
            std::max(0L, tabControl.cy - tabRows * rowHeight - margin)};
}
