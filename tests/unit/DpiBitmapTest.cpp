// Bitmap resources loaded for the screen's DPI: stretched by the dialogs' factor.
#include "framework/DpiBitmap.h"
#include "resources/dialogs/PageVolumeControl.h"

#include <gtest/gtest.h>

namespace {

SIZE SizeOf(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

} // namespace

TEST(DpiBitmap, ABitmapGrowsWithTheDpiFromItsSizeAt96) {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    const HBITMAP natural = LoadBitmapForDpi(module, IDB_VOLUME_MUTED, 96);
    ASSERT_NE(natural, nullptr);
    const SIZE base = SizeOf(natural);
    DeleteObject(natural);
    for (const UINT dpi : {120u, 144u, 192u}) {
        SCOPED_TRACE(dpi);
        const HBITMAP bitmap = LoadBitmapForDpi(module, IDB_VOLUME_MUTED, dpi);
        ASSERT_NE(bitmap, nullptr);
        const SIZE size = SizeOf(bitmap);
        EXPECT_EQ(size.cx, MulDiv(base.cx, static_cast<int>(dpi), 96));
        EXPECT_EQ(size.cy, MulDiv(base.cy, static_cast<int>(dpi), 96));
        DeleteObject(bitmap);
    }
    EXPECT_EQ(LoadBitmapForDpi(module, 1, 144), nullptr) << "no such bitmap";
}
