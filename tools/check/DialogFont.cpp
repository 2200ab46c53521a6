#include "tools/check/DialogFont.h"

DialogFont::DialogFont(HDC dc, const DialogTemplate& dialog, int dpi)
    : font_(CreateFontW(-MulDiv(dialog.pointSize, dpi, 72), 0, 0, 0, dialog.weight, dialog.italic,
                        FALSE, FALSE, dialog.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        PROOF_QUALITY, FF_DONTCARE, dialog.typeface.c_str())) {
    const HGDIOBJ previous = SelectObject(dc, font_.Get());
    constexpr wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    SIZE extent{};
    GetTextExtentPoint32W(dc, kLetters, 52, &extent);
    SelectObject(dc, previous);
    baseX_ = (extent.cx / 26 + 1) / 2;
    baseY_ = extent.cy;
}
