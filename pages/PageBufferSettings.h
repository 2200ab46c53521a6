#pragma once

#include "pages/PageT.h"

#include "driver/DriverRecords.h"
#include "pages/AsioInstComboCtrl.h"
#include "resources/dialogs/PageBufferSettings.h"

#include <cstdint>

// The ASIO settings of one instance: the preferred buffer size among the sizes the
// driver offers and safe mode, both written the moment they are chosen, and the
// instance's status (sample rate, latencies, whether ASIO is in use). The page that
// "-asio" and "-asioinst" open.
class PageBufferSettings : public PageT<PageBufferSettings> {
public:
    static constexpr UINT IDD = IDD_PAGE_BUFFER_SETTINGS;
    static constexpr int kInstanceLabel = IDC_BUFFER_ASIO_INSTANCE_LABEL;
    static constexpr int kInstanceSelector = IDC_BUFFER_ASIO_INSTANCE;
    static constexpr int kBufferGroup = IDC_BUFFER_SIZE_GROUP;
    static constexpr int kBufferSizeSelector = IDC_BUFFER_SIZE_SELECTION;
    static constexpr int kSafeMode = IDC_BUFFER_SAFE_MODE;
    static constexpr int kStatusGroup = IDC_BUFFER_STATUS_GROUP;
    static constexpr int kSampleRateLine = IDC_BUFFER_SAMPLE_RATE;
    static constexpr int kInputLatencyLine = IDC_BUFFER_INPUT_LATENCY;
    static constexpr int kOutputLatencyLine = IDC_BUFFER_OUTPUT_LATENCY;
    static constexpr int kStateLine = IDC_BUFFER_ASIO_STATE;
    static constexpr ResizeRule kResizeRules[] = {
        {kBufferGroup, kStretchX | kRepaint},
        {kStatusGroup, kStretchX | kRepaint},
        {kInstanceSelector, kStretchX | kRepaint},
        // The size selector and the box beside it share the width change.
        {kBufferSizeSelector, kStretchX | kRepaint, 1},
        {kSafeMode, kStretchX | kRepaint, 1},
        {kSampleRateLine, kStretchX | kRepaint},
        {kInputLatencyLine, kStretchX | kRepaint},
        {kOutputLatencyLine, kStretchX | kRepaint},
        {kStateLine, kStretchX | kRepaint},
    };

    explicit PageBufferSettings(PageHost& host);

    BEGIN_MSG_MAP(PageBufferSettings)
    COMMAND_CALL(kInstanceSelector, CBN_SELCHANGE, ShowChosenInstance())
    COMMAND_CALL(kBufferSizeSelector, CBN_SELCHANGE, ApplyBufferSettings())
    COMMAND_CALL(kSafeMode, BN_CLICKED, ApplyBufferSettings())
    CHAIN_MSG_MAP(PageT<PageBufferSettings>)
    END_MSG_MAP()

private:
    void InitControls() override;
    // The instance's settings and status are read whether or not a device is open.
    void RefreshContents(DeviceHandle device, const KorvelineApiDll& api) override;
    // The controls are disabled until the instance's info has been read.
    void ShowChosenInstance();

    // Reads the instance's info and shows it; on a failed read the sizes and status lines
    // are emptied. Nothing is reported.
    StatusCode UpdateAsioStatus();
    // Keeps the listed sizes while the driver offers the same set, else lists its sizes.
    void ShowBufferSizes();
    void ShowStatusLines();
    void ClearAsioStatus();
    // The driver's reply to a write is seen in the re-read, never reported.
    void ApplyBufferSettings();
    // The size selector and safe mode follow `enable` unless the instance is in use and
    // the configuration locks them then; the selector needs two sizes to choose from.
    void SetControlsEnabled(bool enable);

    AsioInstComboCtrl instances_;
    bool selectorShown_ = false;
    std::int32_t currentInstance_ = -1;
    AsioInstanceInfo info_{};
    HWND sizes_ = nullptr;
    HWND safeMode_ = nullptr;
};
