#include "framework/HorizontalScroller.h"

#include <algorithm>

namespace {

constexpr int kLinePixels = 16;

} // namespace

void HorizontalScroller::SetExtent(HWND window, int contentWidth, int viewWidth) {
    window_ = window;
    contentWidth_ = std::max(contentWidth, 0);
    viewWidth_ = std::max(viewWidth, 1);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMax = contentWidth_ > viewWidth_ ? contentWidth_ - 1 : 0;
    info.nPage = contentWidth_ > viewWidth_ ? static_cast<UINT>(viewWidth_) : 0;
    SetScrollInfo(window_, SB_HORZ, &info, TRUE);
    ScrollTo(position_);
}

void HorizontalScroller::OnScroll(WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case SB_LINELEFT:
        ScrollTo(position_ - kLinePixels);
        break;
    case SB_LINERIGHT:
        ScrollTo(position_ + kLinePixels);
        break;
    case SB_PAGELEFT:
        ScrollTo(position_ - viewWidth_);
        break;
    case SB_PAGERIGHT:
        ScrollTo(position_ + viewWidth_);
        break;
    case SB_LEFT:
        ScrollTo(0);
        break;
    case SB_RIGHT:
        ScrollTo(contentWidth_);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        // The 32-bit track position: the one in wParam stops at 65535.
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        if (GetScrollInfo(window_, SB_HORZ, &info))
            ScrollTo(info.nTrackPos);
        break;
    }
    default:
        break;
    }
}

void HorizontalScroller::ScrollIntoView(HWND child, int margin) {
    RECT bounds{};
    if (window_ == nullptr || child == nullptr || !GetWindowRect(child, &bounds))
        return;
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&bounds), 2);
    // Client coordinates move with the scroll: the row's own coordinates add it back.
    const int left = bounds.left + position_ - margin;
    const int right = bounds.right + position_ + margin;
    if (right - left >= viewWidth_ || left < position_)
        ScrollTo(left);
    else if (right > position_ + viewWidth_)
        ScrollTo(right - viewWidth_);
}

void HorizontalScroller::ScrollTo(int position) {
    const int last = std::max(contentWidth_ - viewWidth_, 0);
    const int next = std::clamp(position, 0, last);
    if (window_ == nullptr)
        return;
    if (next != position_) {
        ScrollWindowEx(window_, position_ - next, 0, nullptr, nullptr, nullptr, nullptr,
                       SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
        position_ = next;
    }
    SetScrollPos(window_, SB_HORZ, position_, TRUE);
}
