#pragma once

#include <windows.h>

// Scrolls the children of a window sideways when their row is wider than the window: the
// window's own horizontal scroll bar, its keys and clicks, and a way to bring a child
// into view (the keyboard focus may move to one that is out of sight).
class HorizontalScroller {
public:
    // The row of children is `contentWidth` pixels wide and `viewWidth` of it is seen; a
    // row that fits hides the scroll bar and shows the row from its left edge.
    void SetExtent(HWND window, int contentWidth, int viewWidth);
    // A WM_HSCROLL of the window's own scroll bar.
    void OnScroll(WPARAM wParam);
    // Scrolls as little as possible so that `child` and `margin` pixels on either side are
    // in view (its left edge, when it is wider than the view).
    void ScrollIntoView(HWND child, int margin);

private:
    void ScrollTo(int position);

    HWND window_ = nullptr;
    int contentWidth_ = 0;
    int viewWidth_ = 0;
    int position_ = 0;
};
