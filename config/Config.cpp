#include "config/Config.h"

#include "config/ExecutablePath.h"

#include <windows.h>

#include <array>
#include <climits>
#include <cstring>
#include <string_view>
#include <type_traits>
#include <variant>

#include <tinyxml2.h>

Config g_config;

namespace {

constexpr int kRequiredFormatVersionMajor = 3;
constexpr size_t kMaxNumberLength = 49;
constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";

using SettingField = std::variant<bool ConfigSettings::*, Visibility ConfigSettings::*,
                                  std::wstring ConfigSettings::*>;

// Where a setting lives: up to three nested element names under the root.
struct SettingLocation {
    std::array<const char*, 3> path;
    SettingField field;
};

// Every setting except the driver interface GUID, which also decides the instance name.
const SettingLocation kSettingLocations[] = {
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

// A signed decimal attribute value; surrounding white space is allowed and an empty value
// reads as 0. Values beyond the int range saturate: they are still numbers.
bool ParseNumber(const char* attribute, int& value) {
    if (!attribute)
        return false;
    std::string_view text(attribute, strnlen(attribute, kMaxNumberLength));
    size_t first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos) {
        value = 0;
        return true;
    }
    text = text.substr(first, text.find_last_not_of(kWhiteSpace) - first + 1);
    bool negative = text.front() == '-';
    if (text.front() == '-' || text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    long long magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        if (magnitude <= INT_MAX)
            magnitude = magnitude * 10 + (c - '0');
    }
    if (negative)
        value = magnitude > INT_MAX ? INT_MIN : static_cast<int>(-magnitude);
    else
        value = magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
    return true;
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

// Missing element, empty element or any other word: the setting keeps its value.
void ReadBool(const tinyxml2::XMLElement& element, bool& setting) {
    const char* text = element.GetText();
    if (!text)
        return;
    if (EqualsIgnoringAsciiCase(text, "true"))
        setting = true;
    else if (EqualsIgnoringAsciiCase(text, "false"))
        setting = false;
}

void ReadVisibility(const tinyxml2::XMLElement& element, Visibility& setting) {
    const char* text = element.GetText();
    if (!text)
        return;
    if (EqualsIgnoringAsciiCase(text, "hidden"))
        setting = Visibility::Hidden;
    else if (EqualsIgnoringAsciiCase(text, "visible"))
        setting = Visibility::Visible;
    else if (EqualsIgnoringAsciiCase(text, "auto"))
        setting = Visibility::Auto;
}

// An element without text clears the setting.
void ReadString(const tinyxml2::XMLElement& element, std::wstring& setting) {
    const char* text = element.GetText();
    setting = text ? Utf8ToWide(text) : std::wstring();
}

const tinyxml2::XMLElement* FindElement(const tinyxml2::XMLElement& root,
                                        const std::array<const char*, 3>& path) {
    const tinyxml2::XMLElement* element = &root;
    for (const char* name : path) {
        if (!name)
            break;
        element = element->FirstChildElement(name);
        if (!element)
            return nullptr;
    }
    return element;
}

} // namespace

StatusCode Config::Load() {
    std::wstring executablePath;
    if (StatusCode status = RunningExecutablePath(executablePath))
        return status;
    return Load(executablePath);
}

StatusCode Config::Load(const std::wstring& executablePath) {
    if (!languageTextsLoaded_) {
        StatusCode status =
            languageTexts_.LoadLanguages(PathWithExtension(executablePath, L".strings"));
        if (status)
            return status;
        languageTextsLoaded_ = true;
    }

    tinyxml2::XMLDocument document;
    switch (LoadDocumentFile(PathWithExtension(executablePath, L".xml"), document, 0)) {
    case ERROR_BAD_FORMAT:
        return kStatusConfigIncompatible;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_OPEN_FAILED:
        return kStatusConfigNotOpened;
    default:
        // Not well-formed XML counts as loaded: every setting keeps its default.
        break;
    }

    languageTexts_.BuildTextTable();
    if (languageTexts_.HasChosenLanguage()) {
        if (languageTexts_.LoadChosenFile() != ERROR_SUCCESS)
            languageTexts_.ReportFailedLoad();
        else
            languageTexts_.ReportMissingTexts();
    }
    return ERROR_SUCCESS;
}

StatusCode Config::ParseDocument(const tinyxml2::XMLDocument& document, unsigned) {
    const tinyxml2::XMLElement* root = document.FirstChildElement("ControlPanel");
    if (!root)
        return ERROR_SUCCESS;

    int major = 0;
    int minor = 0;
    if (!ParseNumber(root->Attribute("FormatVersionMajor"), major) ||
        !ParseNumber(root->Attribute("FormatVersionMinor"), minor) ||
        major != kRequiredFormatVersionMajor)
        return ERROR_BAD_FORMAT;

    if (const tinyxml2::XMLElement* guidElement = root->FirstChildElement("DriverInterfaceGUID")) {
        std::wstring guid;
        ReadString(*guidElement, guid);
        if (!guid.empty()) {
            settings_.driverInterfaceGuid = guid;
            settings_.instanceName = L"CPL_" + guid;
        }
    }

    for (const SettingLocation& location : kSettingLocations) {
        const tinyxml2::XMLElement* element = FindElement(*root, location.path);
        if (!element)
            continue;
        std::visit(
            [&](auto member) {
                auto& setting = settings_.*member;
                using Setting = std::remove_reference_t<decltype(setting)>;
                if constexpr (std::is_same_v<Setting, bool>)
                    ReadBool(*element, setting);
                else if constexpr (std::is_same_v<Setting, Visibility>)
                    ReadVisibility(*element, setting);
                else
                    ReadString(*element, setting);
            },
            location.field);
    }
    return ERROR_SUCCESS;
}
