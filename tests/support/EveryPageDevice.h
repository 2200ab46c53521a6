#pragma once

// A device for which the panel builds every page of the page table: two ASIO instances (so
// both ASIO pages show their selector), rates, clock sources, formats, profiles, volume and
// mute controls on both sides, with a configuration that shows every page of the table.

#include "config/Config.h"

#include <string>

std::string EveryPageDeviceXml();
void ShowEveryPage(ConfigSettings& settings);
