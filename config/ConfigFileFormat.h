#pragma once

#include "config/Config.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <variant>

namespace tinyxml2 {
class XMLElement;
}

// The shape of the configuration file as Config::ParseDocument reads it: the root with its
// version attributes, where each setting lives and which words its value may be. The
// loader reads through these tables, and the check tool explains a file with them.

inline constexpr char kConfigRootElement[] = "ControlPanel";
inline constexpr char kFormatVersionMajorAttribute[] = "FormatVersionMajor";
inline constexpr char kFormatVersionMinorAttribute[] = "FormatVersionMinor";
inline constexpr int kRequiredFormatVersionMajor = 3;
// The one setting that also names the instance ("CPL_" + its text).
inline constexpr char kDriverInterfaceGuidElement[] = "DriverInterfaceGUID";

using SettingField = std::variant<bool ConfigSettings::*, Visibility ConfigSettings::*,
                                  std::wstring ConfigSettings::*>;

// Where a setting lives: up to three nested element names under the root (unused ones null).
struct SettingLocation {
    std::array<const char*, 3> path;
    SettingField field;
};

// Every setting in the order the loader reads them.
std::span<const SettingLocation> ConfigSettingLocations();

// A word a value may be, compared without regard to ASCII letter case.
template <typename Value> struct SettingWord {
    const char* word;
    Value value;
};
std::span<const SettingWord<bool>> BoolWords();             // true, false
std::span<const SettingWord<Visibility>> VisibilityWords(); // hidden, visible, auto

// The value an element's text stands for; nothing for no text or another word, which
// leaves the setting as it is.
std::optional<bool> ReadBoolElement(const tinyxml2::XMLElement& element);
std::optional<Visibility> ReadVisibilityElement(const tinyxml2::XMLElement& element);
// UTF-8 text converted; an element without text is the empty string.
std::wstring ReadStringElement(const tinyxml2::XMLElement& element);

// A version attribute: a signed decimal number, white space around it allowed, empty
// reading as 0. Nothing for a missing attribute or one that is no number.
std::optional<int> ReadFormatVersionNumber(const char* attribute);

// The word of a value ("hidden", "true").
const char* WordOf(bool value);
const char* WordOf(Visibility value);
