#include "framework/DialogResizer.h"

namespace {

UINT WindowDpi(HWND window) {
    UINT dpi = GetDpiForWindow(window);
    return dpi != 0 ? dpi : 96;
}

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right - client.left, client.bottom - client.top};
}

RECT RectInParent(HWND control, HWND parent) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

} // namespace

void DialogResizer::Init(HWND window, std::span<const ResizeRule> rules, Options options) {
    using namespace resize_layout;
    window_ = window;
    dpi_ = WindowDpi(window);
    rules_.clear();
    designRects_.clear();
    for (const ResizeRule& rule : rules) {
        HWND control = GetDlgItem(window, rule.controlId);
        if (control == nullptr)
            continue;
        rules_.push_back(rule);
        designRects_.push_back(ToDesignUnits(RectInParent(control, window), dpi_));
    }
    SIZE client = ClientSize(window);
    designClient_ = {ToDesignUnits(client.cx, dpi_), ToDesignUnits(client.cy, dpi_)};

    RECT frame{};
    GetWindowRect(window, &frame);
    designMinimumSize_ = {ToDesignUnits(frame.right - frame.left, dpi_),
                          ToDesignUnits(frame.bottom - frame.top, dpi_)};
    minimumTrackSize_ = options.minimumTrackSize;

    if (options.sizeGrip && sizeGrip_ == nullptr)
        CreateSizeGrip();
    PlaceSizeGrip(client);
}

void DialogResizer::MoveControl(int controlId, int dx, int dy) {
    using namespace resize_layout;
    const HWND control = GetDlgItem(window_, controlId);
    if (control == nullptr)
        return;
    const RECT rect = RectInParent(control, window_);
    SetWindowPos(control, nullptr, rect.left + dx, rect.top + dy, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (size_t i = 0; i < rules_.size(); ++i) {
        if (rules_[i].controlId == controlId)
            OffsetRect(&designRects_[i], ToDesignUnits(dx, dpi_), ToDesignUnits(dy, dpi_));
    }
}

void DialogResizer::CreateSizeGrip() {
    sizeGrip_ = CreateWindowExW(
        0, L"SCROLLBAR", nullptr,
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN, 0, 0,
        0, 0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSizeGripId)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE)), nullptr);
}

void DialogResizer::PlaceSizeGrip(SIZE client) {
    if (sizeGrip_ == nullptr)
        return;
    int width = GetSystemMetricsForDpi(SM_CXVSCROLL, dpi_);
    int height = GetSystemMetricsForDpi(SM_CYHSCROLL, dpi_);
    SetWindowPos(sizeGrip_, HWND_TOP, client.cx - width, client.cy - height, width, height,
                 SWP_NOACTIVATE);
}

void DialogResizer::Layout() {
    if (window_ == nullptr)
        return;
    SIZE client = ClientSize(window_);
    std::vector<HWND> controls;
    std::vector<RECT> current;
    for (const ResizeRule& rule : rules_) {
        HWND control = GetDlgItem(window_, rule.controlId);
        controls.push_back(control);
        current.push_back(control != nullptr ? RectInParent(control, window_) : RECT{});
    }
    std::vector<RECT> placed =
        resize_layout::Layout(rules_, designRects_, current, designClient_, client, dpi_);

    HDWP batch = BeginDeferWindowPos(static_cast<int>(controls.size()));
    for (size_t i = 0; i < controls.size() && batch != nullptr; ++i) {
        if (controls[i] == nullptr)
            continue;
        const RECT& r = placed[i];
        batch = DeferWindowPos(batch, controls[i], nullptr, r.left, r.top, r.right - r.left,
                               r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (batch != nullptr)
        EndDeferWindowPos(batch);
    for (size_t i = 0; i < controls.size(); ++i) {
        if (controls[i] == nullptr || (rules_[i].flags & kRepaint) == 0)
            continue;
        // A group box paints only its frame: the dialog repaints where the old frame was.
        RedrawWindow(window_, &current[i], nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        InvalidateRect(controls[i], nullptr, TRUE);
    }
    PlaceSizeGrip(client);
}

void DialogResizer::OnSize(WPARAM sizeType) {
    if (window_ == nullptr || sizeType == SIZE_MINIMIZED)
        return;
    if (sizeGrip_ != nullptr)
        ShowWindow(sizeGrip_, sizeType == SIZE_MAXIMIZED ? SW_HIDE : SW_SHOW);
    Layout();
}

void DialogResizer::OnDpiChanged(UINT dpi) {
    if (window_ == nullptr)
        return;
    dpi_ = dpi != 0 ? dpi : 96;
    Layout();
}

bool DialogResizer::FillMinMaxInfo(MINMAXINFO& info) const {
    if (window_ == nullptr || !minimumTrackSize_)
        return false;
    info.ptMinTrackSize.x = resize_layout::FromDesignUnits(designMinimumSize_.cx, dpi_);
    info.ptMinTrackSize.y = resize_layout::FromDesignUnits(designMinimumSize_.cy, dpi_);
    return true;
}
