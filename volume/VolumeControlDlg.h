#pragma once

#include "driver/DriverRecords.h"
#include "framework/Dialog.h"
#include "framework/HorizontalScroller.h"
#include "framework/MessageMap.h"
#include "pages/PageHost.h"
#include "resources/dialogs/PageVolumeControl.h"
#include "volume/VolumeCtrlInterface.h"
#include "volume/VolumeMessages.h"

#include <cstdint>
#include <memory>
#include <vector>

// The modal dialog of one direction's volumes: the master strip, one strip per channel
// pair and one for an odd last channel, left to right, the dialog sized to hold them (a
// row wider than the screen scrolls sideways).
// It owns its strips; they go with its window.
class VolumeControlDlg : public Dialog<VolumeControlDlg> {
public:
    static constexpr UINT IDD = IDD_VOLUME_DIALOG;
    // The layout in 96-DPI pixels: the first strip's left edge, the gap between strips,
    // their top edge and the margin right of the last one.
    static constexpr int kStripLeft = 4;
    static constexpr int kStripGap = 8;
    static constexpr int kStripTop = 20;
    static constexpr int kMargin = 4;

    VolumeControlDlg(PageHost& host, bool input);
    ~VolumeControlDlg() override;

    // Hands the code to every strip once the dialog is built.
    void OnDeviceNotification(std::uint32_t code);
    // Ends the dialog as its close box does; the window goes when its modal loop returns.
    void Close();

    BEGIN_MSG_MAP(VolumeControlDlg)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    COMMAND_ID_HANDLER(IDOK, OnEnd)
    COMMAND_ID_HANDLER(IDCANCEL, OnEnd)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    MESSAGE_HANDLER(WM_HSCROLL, OnHorizontalScroll)
    MESSAGE_HANDLER(WM_NEXTDLGCTL, OnNextControl)
    MESSAGE_HANDLER(MSG_SHOW_FOCUSED_STRIP, OnShowFocus)
    END_MSG_MAP()

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnEnd(WORD, WORD id, HWND, bool&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnHorizontalScroll(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnNextControl(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnShowFocus(UINT, WPARAM, LPARAM, bool&);

    void ReadVolumeMuteInfo();
    void CreateStrips();
    // Creates the strip's window right of the previous one.
    template <class Strip> void AddStrip(std::unique_ptr<Strip> strip);
    void FitToStrips();
    void DestroyStrips();
    int Scaled(int pixels) const;

    PageHost& host_;
    bool input_;
    std::vector<VolumeMuteInfo> records_;
    std::vector<std::unique_ptr<VolumeCtrlInterface>> strips_;
    bool initialized_ = false;
    int nextLeft_ = 0;
    int stripsRight_ = 0;
    int masterHeight_ = 0;
    HorizontalScroller scroller_;
};
