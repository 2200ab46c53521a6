#pragma once

#include "config/Config.h"
#include "driver/KorvelineApiDll.h"
#include "pages/PageBase.h"

#include <memory>
#include <span>

// The pages that the main window adds after the status page, in tab order, and the rule
// that decides for each whether it is shown.
enum class PageScope {
    AudioDevice, // an open device with an audio function
    OpenDevice,  // any open device
    Always,      // with or without a device
};

struct DevicePageRow {
    std::unique_ptr<PageBase> (*create)(PageHost& host);
    PageScope scope;
    Visibility ConfigSettings::*visibility;
    // Decides "auto"; null when "auto" counts as hidden.
    bool (*autoTest)(const KorvelineApiDll& api, DeviceHandle device);
};

// device is 0 when none is open; audioFunction is the open device's flag.
bool IsPageShown(const DevicePageRow& row, const ConfigSettings& settings,
                 const KorvelineApiDll& api, DeviceHandle device, bool audioFunction);

// Options, stream formats, sound device profiles, sample rate, clock source, ASIO device,
// buffer settings and volume (AudioDevice); client info and info (OpenDevice); about
// (Always). Each page joins the table with its row when it is written.
std::span<const DevicePageRow> DevicePageRows();
