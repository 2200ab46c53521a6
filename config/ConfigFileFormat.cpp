#include "config/ConfigFileFormat.h"

#include <windows.h>

#include <climits>
#include <cstring>
#include <string_view>

#include <tinyxml2.h>

namespace {

constexpr size_t kMaxNumberLength = 49;
constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";

const SettingLocation kSettingLocations[] = {
    {{kDriverInterfaceGuidElement}, &ConfigSettings::driverInterfaceGuid},
    {{"ShowMidiOnlyDevices"}, &ConfigSettings::showMidiOnlyDevices},
    {{"NotificationArea", "Enable"}, &ConfigSettings::notificationAreaEnabled},
    {{"PageStatus", "SerialNumberVisibility"}, &ConfigSettings::statusSerialNumber},
    {{"PageOptions", "Visibility"}, &ConfigSettings::optionsPage},
    {{"PageStreamFormats", "Visibility"}, &ConfigSettings::streamFormatsPage},
    {{"PageSoundDeviceProfiles", "Visibility"}, &ConfigSettings::soundDeviceProfilesPage},
    {{"PageSampleRate", "Visibility"}, &ConfigSettings::sampleRatePage},
    {{"PageClockSource", "Visibility"}, &ConfigSettings::clockSourcePage},
    {{"PageAsioDevice", "Visibility"}, &ConfigSettings::asioDevicePage},
    {{"PageAsioDevice", "DisableIfInUse"}, &ConfigSettings::asioDeviceDisableIfInUse},
    {{"PageBufferSettings", "Visibility"}, &ConfigSettings::bufferSettingsPage},
    {{"PageBufferSettings", "BufferSettingsSection", "DisplaySafeMode"},
     &ConfigSettings::bufferSettingsDisplaySafeMode},
    {{"PageBufferSettings", "BufferSettingsSection", "DisableIfInUse"},
     &ConfigSettings::bufferSettingsDisableIfInUse},
    {{"PageVolumeControl", "Visibility"}, &ConfigSettings::volumePage},
    {{"PageClientInfo", "Visibility"}, &ConfigSettings::clientInfoPage},
    {{"PageInfo", "Visibility"}, &ConfigSettings::infoPage},
    {{"PageInfo", "TableInfo", "DisplayManufacturer"}, &ConfigSettings::infoDisplayManufacturer},
    {{"PageInfo", "TableInfo", "DisplayProduct"}, &ConfigSettings::infoDisplayProduct},
    {{"PageInfo", "TableInfo", "DisplayVidPid"}, &ConfigSettings::infoDisplayVidPid},
    {{"PageInfo", "TableInfo", "DisplayRevision"}, &ConfigSettings::infoDisplayRevision},
    {{"PageInfo", "TableInfo", "DisplaySerialNumber"}, &ConfigSettings::infoDisplaySerialNumber},
    {{"PageAbout", "Visibility"}, &ConfigSettings::aboutPage},
    {{"PageAbout", "TableDriverInfo", "CustomVersion"}, &ConfigSettings::aboutCustomVersion},
    {{"PageAbout", "TableDriverInfo", "DisplayVersion"}, &ConfigSettings::aboutDisplayVersion},
    {{"PageAbout", "TableDriverInfo", "DisplayCopyright"}, &ConfigSettings::aboutDisplayCopyright},
};

const SettingWord<bool> kBoolWords[] = {{"true", true}, {"false", false}};
const SettingWord<Visibility> kVisibilityWords[] = {
    {"hidden", Visibility::Hidden}, {"visible", Visibility::Visible}, {"auto", Visibility::Auto}};

bool EqualsIgnoringAsciiCase(std::string_view text, std::string_view word) {
    if (text.size() != word.size())
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != word[i])
            return false;
    }
    return true;
}

template <typename Value>
std::optional<Value> ReadWord(const tinyxml2::XMLElement& element,
                              std::span<const SettingWord<Value>> words) {
    const char* text = element.GetText();
    if (!text)
        return std::nullopt;
    for (const SettingWord<Value>& word : words) {
        if (EqualsIgnoringAsciiCase(text, word.word))
            return word.value;
    }
    return std::nullopt;
}

template <typename Value>
const char* WordIn(Value value, std::span<const SettingWord<Value>> words) {
    for (const SettingWord<Value>& word : words) {
        if (word.value == value)
            return word.word;
    }
    return "";
}

std::wstring Utf8ToWide(std::string_view text) {
    if (text.empty() || text.size() > INT_MAX)
        return {};
    int length = static_cast<int>(text.size());
    int wideLength = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), wideLength);
    return wide;
}

} // namespace

std::span<const SettingLocation> ConfigSettingLocations() {
    return kSettingLocations;
}

std::span<const SettingWord<bool>> BoolWords() {
    return kBoolWords;
}

std::span<const SettingWord<Visibility>> VisibilityWords() {
    return kVisibilityWords;
}

std::optional<bool> ReadBoolElement(const tinyxml2::XMLElement& element) {
    return ReadWord(element, BoolWords());
}

std::optional<Visibility> ReadVisibilityElement(const tinyxml2::XMLElement& element) {
    return ReadWord(element, VisibilityWords());
}

std::wstring ReadStringElement(const tinyxml2::XMLElement& element) {
    const char* text = element.GetText();
    return text ? Utf8ToWide(text) : std::wstring();
}

// Values beyond the int range saturate: they are still numbers.
std::optional<int> ReadFormatVersionNumber(const char* attribute) {
    if (!attribute)
        return std::nullopt;
    std::string_view text(attribute, strnlen(attribute, kMaxNumberLength));
    size_t first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos)
        return 0;
    text = text.substr(first, text.find_last_not_of(kWhiteSpace) - first + 1);
    bool negative = text.front() == '-';
    if (text.front() == '-' || text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    long long magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        if (magnitude <= INT_MAX)
            magnitude = magnitude * 10 + (c - '0');
    }
    if (negative)
        return magnitude > INT_MAX ? INT_MIN : static_cast<int>(-magnitude);
    return magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
}

const char* WordOf(bool value) {
    return WordIn(value, BoolWords());
}

const char* WordOf(Visibility value) {
    return WordIn(value, VisibilityWords());
}
