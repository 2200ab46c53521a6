#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

// The room a control's text needs as the control draws it, against the room it has: the
// width for a text on one line, the height for a text the control wraps (a word too wide
// for the control makes it a width again). Pixels.
struct ControlTextFit {
    bool wraps = false;
    int needed = 0;
    int available = 0;
    bool Fits() const { return needed <= available; }
};

// The fit of text in a control of this window class and style sized `size` pixels, drawn
// with font: the static's or button's own DrawText flags, a check box's or radio's glyph
// and gap, a group box's caption margins, a push button's edges (glyph and margins scale
// with dpi). Nothing for controls that show no text of their own (pictures, bitmap and
// owner-drawn buttons, selectors, lists).
std::optional<ControlTextFit> FitControlText(HDC dc, HFONT font, std::wstring_view className,
                                             DWORD style, std::wstring_view text, SIZE size,
                                             int dpi);

// The access key the text gives in such a control: the letter after a single "&", upper
// case; nothing when the control shows "&" as it stands or the text has none.
std::optional<wchar_t> AccessKeyOf(std::wstring_view className, DWORD style,
                                   std::wstring_view text);
