#pragma once

#include "framework/ResizeLayout.h"

#include <windows.h>

#include <span>
#include <vector>

// Applies a resize rule table to the controls of one window. Init records the window's
// DPI, client size and each listed control's rectangle in 96-DPI units; Layout places the
// controls for the current client size and DPI. Optionally it keeps a size grip in the
// lower right corner (hidden while the window is maximised) and answers WM_GETMINMAXINFO
// with the window's size at Init as the minimum tracking size, scaled to the current DPI.
class DialogResizer {
public:
    struct Options {
        bool sizeGrip = false;
        bool minimumTrackSize = false;
    };

    // Controls missing at Init are left alone. A second Init starts over.
    void Init(HWND window, std::span<const ResizeRule> rules, Options options);
    bool IsInitialized() const { return window_ != nullptr; }

    // Places the controls for the window's current client size.
    void Layout();
    // The one way to move a control after Init (a page that hides a row and moves the
    // rest up): moves it by (dx, dy) pixels and shifts its design rectangle with it, so
    // later layouts keep the new place instead of restoring the template's.
    void MoveControl(int controlId, int dx, int dy);

    // WM_SIZE: shows or hides the grip by the size type, then lays out (not when minimised).
    void OnSize(WPARAM sizeType);
    // WM_DPICHANGED and its kin: take the new DPI, then lay out for the current client size.
    void OnDpiChanged(UINT dpi);
    // WM_GETMINMAXINFO; false when no minimum size is kept.
    bool FillMinMaxInfo(MINMAXINFO& info) const;

    UINT Dpi() const { return dpi_; }
    HWND SizeGrip() const { return sizeGrip_; }

    static constexpr int kSizeGripId = 0x7FF0;

private:
    void CreateSizeGrip();
    void PlaceSizeGrip(SIZE client);

    HWND window_ = nullptr;
    UINT dpi_ = 96;
    std::vector<ResizeRule> rules_; // the rows whose control existed at Init
    std::vector<RECT> designRects_; // 96-DPI units, parent client coordinates
    SIZE designClient_{};
    SIZE designMinimumSize_{};
    bool minimumTrackSize_ = false;
    HWND sizeGrip_ = nullptr; // a child of window_, destroyed with it
};
