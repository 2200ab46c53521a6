#include "framework/ControlTextFit.h"

#include <cwctype>

namespace {

enum class TextKind { Static, PushButton, CheckBox, GroupBox };

// How a control draws its text: its kind and DrawText flags.
struct TextDrawing {
    TextKind kind;
    UINT flags;
};

bool SameClass(std::wstring_view className, std::wstring_view name) {
    return CompareStringOrdinal(className.data(), static_cast<int>(className.size()), name.data(),
                                static_cast<int>(name.size()), TRUE) == CSTR_EQUAL;
}

std::optional<TextDrawing> StaticDrawing(DWORD style) {
    UINT flags = 0;
    switch (style & SS_TYPEMASK) {
    case SS_LEFT:
        flags = DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK;
        break;
    case SS_CENTER:
        flags = DT_CENTER | DT_EXPANDTABS | DT_WORDBREAK;
        break;
    case SS_RIGHT:
        flags = DT_RIGHT | DT_EXPANDTABS | DT_WORDBREAK;
        break;
    case SS_SIMPLE:
        flags = DT_LEFT | DT_SINGLELINE;
        break;
    case SS_LEFTNOWORDWRAP:
        flags = DT_LEFT | DT_EXPANDTABS;
        break;
    default:
        return std::nullopt;
    }
    if (style & SS_NOPREFIX)
        flags |= DT_NOPREFIX;
    // An image centred or an ellipsis turns the text into one line.
    if ((style & SS_TYPEMASK) != SS_SIMPLE && (style & (SS_CENTERIMAGE | SS_ELLIPSISMASK)))
        flags = (flags & ~DT_WORDBREAK) | DT_SINGLELINE;
    return TextDrawing{TextKind::Static, flags};
}

std::optional<TextDrawing> ButtonDrawing(DWORD style) {
    if (style & (BS_BITMAP | BS_ICON))
        return std::nullopt;
    const UINT lines = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        return TextDrawing{TextKind::PushButton, DT_CENTER | lines};
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return TextDrawing{TextKind::CheckBox, DT_LEFT | lines};
    case BS_GROUPBOX:
        return TextDrawing{TextKind::GroupBox, DT_LEFT | DT_SINGLELINE};
    default:
        return std::nullopt;
    }
}

std::optional<TextDrawing> DrawingOf(std::wstring_view className, DWORD style) {
    if (SameClass(className, L"Static"))
        return StaticDrawing(style);
    if (SameClass(className, L"Button"))
        return ButtonDrawing(style);
    return std::nullopt;
}

// The pixels beside the text: a check box's glyph and the gap after it (half a digit, as
// the system leaves), a group box's caption indent on both sides, a push button's edges.
int RoomBesideText(HDC dc, TextKind kind, int dpi) {
    switch (kind) {
    case TextKind::CheckBox: {
        SIZE digit{};
        GetTextExtentPoint32W(dc, L"0", 1, &digit);
        return MulDiv(13, dpi, 96) + digit.cx / 2;
    }
    case TextKind::GroupBox:
        return 2 * MulDiv(7, dpi, 96);
    case TextKind::PushButton:
        return 2 * MulDiv(3, dpi, 96);
    case TextKind::Static:
        return 0;
    }
    return 0;
}

} // namespace

std::optional<ControlTextFit> FitControlText(HDC dc, HFONT font, std::wstring_view className,
                                             DWORD style, std::wstring_view text, SIZE size,
                                             int dpi) {
    const std::optional<TextDrawing> drawing = DrawingOf(className, style);
    if (!drawing)
        return std::nullopt;
    const HGDIOBJ previous = SelectObject(dc, font);
    const int beside = RoomBesideText(dc, drawing->kind, dpi);
    const int width = size.cx - beside;
    const bool wraps = (drawing->flags & DT_WORDBREAK) != 0;
    RECT extent{0, 0, wraps ? width : 0, 0};
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &extent,
              drawing->flags | DT_CALCRECT);
    SelectObject(dc, previous);

    const int neededWidth = extent.right - extent.left;
    if (wraps && neededWidth <= width)
        return ControlTextFit{true, extent.bottom - extent.top, size.cy};
    return ControlTextFit{false, neededWidth + beside, size.cx};
}

std::optional<wchar_t> AccessKeyOf(std::wstring_view className, DWORD style,
                                   std::wstring_view text) {
    const std::optional<TextDrawing> drawing = DrawingOf(className, style);
    if (!drawing || (drawing->flags & DT_NOPREFIX))
        return std::nullopt;
    for (size_t at = 0; at + 1 < text.size(); ++at) {
        if (text[at] != L'&')
            continue;
        if (text[at + 1] != L'&')
            return static_cast<wchar_t>(std::towupper(text[at + 1]));
        ++at; // "&&" shows one "&"
    }
    return std::nullopt;
}
