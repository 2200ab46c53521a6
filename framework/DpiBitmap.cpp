#include "framework/DpiBitmap.h"

HBITMAP LoadBitmapForDpi(HINSTANCE module, UINT bitmapId, UINT dpi) {
    const auto bitmap = static_cast<HBITMAP>(
        LoadImageW(module, MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    BITMAP size{};
    if (bitmap == nullptr || dpi == 0 || dpi == 96 || GetObjectW(bitmap, sizeof size, &size) == 0)
        return bitmap;
    const int dpiValue = static_cast<int>(dpi);
    const auto scaled =
        static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, MulDiv(size.bmWidth, dpiValue, 96),
                                       MulDiv(size.bmHeight, dpiValue, 96), LR_COPYDELETEORG));
    return scaled != nullptr ? scaled : bitmap;
}
