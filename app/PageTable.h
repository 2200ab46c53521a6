#pragma once

#include "config/Config.h"
#include "driver/KorvelineApiDll.h"
#include "framework/ResizeLayout.h"
#include "pages/PageBase.h"

#include <memory>
#include <span>

// Every page of the panel in tab order, with the rule that decides whether it is shown:
// the one list of pages. The main window builds its tabs from it, "-page NAME" names its
// pages, and the tests take every page from it. The status page comes first and is always
// there; the device pages after it each join with their row when they are written.
enum class PageScope {
    AudioDevice, // an open device with an audio function
    OpenDevice,  // any open device
    Always,      // with or without a device
};

struct PageRow {
    // The page's element in the configuration file ("PageSampleRate").
    const wchar_t* name;
    UINT dialogId;
    // The controls its layout moves, all of them in its dialog template.
    std::span<const ResizeRule> resizeRules;
    // Null for the status page, which the main window holds for its whole life.
    std::unique_ptr<PageBase> (*create)(PageHost& host);
    PageScope scope;
    // Null for the status page, which is always shown.
    Visibility ConfigSettings::*visibility;
    // Decides "auto"; null when "auto" counts as hidden.
    bool (*autoTest)(const KorvelineApiDll& api, DeviceHandle device);
};

// Status; options, stream formats, sound device profiles, sample rate, clock source, ASIO
// device, buffer settings and volume (AudioDevice); client info and info (OpenDevice);
// about (Always).
std::span<const PageRow> PageTable();
// The rows after the status page: the pages the main window adds and removes.
std::span<const PageRow> DevicePageRows();

// device is 0 when none is open; audioFunction is the open device's flag.
bool IsPageShown(const PageRow& row, const ConfigSettings& settings, const KorvelineApiDll& api,
                 DeviceHandle device, bool audioFunction);
