#pragma once

// The scenario the simulator starts with when no scenario file is named.

#include <string_view>

std::string_view DefaultSimScenarioXml();
