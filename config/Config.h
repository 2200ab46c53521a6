#pragma once

#include "config/ConfigStatus.h"
#include "config/WnUiLanguageText.h"
#include "config/XMLParser.h"

#include <string>

// Whether a page or row is shown; "auto" means a condition particular to each page.
enum class Visibility : int { Hidden = 0, Visible = 1, Auto = 2 };

// The values of the configuration file, each with the default that holds when the file
// does not set it. The comment names the element path under the root "ControlPanel".
struct ConfigSettings {
    // "CPL_" + the driver interface GUID when the file gives one: the single-instance
    // mutex and the listener window class.
    std::wstring instanceName = L"CPL_{C6C0A381-CA04-4973-9BCC-EAC986AA1B4A}";
    std::wstring driverInterfaceGuid;                      // DriverInterfaceGUID
    bool showMidiOnlyDevices = false;                      // ShowMidiOnlyDevices
    bool notificationAreaEnabled = false;                  // NotificationArea/Enable
    Visibility statusSerialNumber = Visibility::Visible;   // PageStatus/SerialNumberVisibility
    Visibility optionsPage = Visibility::Hidden;           // PageOptions/Visibility
    Visibility streamFormatsPage = Visibility::Auto;       // PageStreamFormats/Visibility
    Visibility soundDeviceProfilesPage = Visibility::Auto; // PageSoundDeviceProfiles/Visibility
    Visibility sampleRatePage = Visibility::Auto;          // PageSampleRate/Visibility
    Visibility clockSourcePage = Visibility::Auto;         // PageClockSource/Visibility
    Visibility asioDevicePage = Visibility::Auto;          // PageAsioDevice/Visibility
    bool asioDeviceDisableIfInUse = false;                 // PageAsioDevice/DisableIfInUse
    Visibility bufferSettingsPage = Visibility::Auto;      // PageBufferSettings/Visibility
    // PageBufferSettings/BufferSettingsSection/DisplaySafeMode and .../DisableIfInUse
    bool bufferSettingsDisplaySafeMode = true;
    bool bufferSettingsDisableIfInUse = false;
    Visibility volumePage = Visibility::Auto;        // PageVolumeControl/Visibility
    Visibility clientInfoPage = Visibility::Visible; // PageClientInfo/Visibility
    Visibility infoPage = Visibility::Visible;       // PageInfo/Visibility
    // PageInfo/TableInfo/Display{Manufacturer,Product,VidPid,Revision,SerialNumber}
    bool infoDisplayManufacturer = true;
    bool infoDisplayProduct = true;
    bool infoDisplayVidPid = true;
    bool infoDisplayRevision = true;
    bool infoDisplaySerialNumber = true;
    Visibility aboutPage = Visibility::Visible; // PageAbout/Visibility
    // PageAbout/TableDriverInfo/{CustomVersion,DisplayVersion,DisplayCopyright}
    std::wstring aboutCustomVersion;
    bool aboutDisplayVersion = true;
    bool aboutDisplayCopyright = false;

    bool operator==(const ConfigSettings&) const = default;
};

// The configuration file next to the executable ("<dir>\<base>.xml") and the language
// texts from "<dir>\<base>.strings". Loaded once at start-up, read-only afterwards.
class Config : public XMLParser {
public:
    // The start-up load for the running executable's path.
    StatusCode Load();
    // The same for another executable path: the file names follow its base name.
    // Results: 0; kStatusConfigIncompatible; kStatusConfigNotOpened; a LoadLanguages code;
    // or the system error when the executable's path cannot be taken.
    StatusCode Load(const std::wstring& executablePath);

    // What Load makes of LoadDocumentFile's result: kStatusConfigIncompatible,
    // kStatusConfigNotOpened, or 0 (a file that is not well-formed XML counts as loaded,
    // every setting keeping its default).
    static StatusCode LoadStatusOf(StatusCode documentResult);

    StatusCode ParseDocument(const tinyxml2::XMLDocument& document, unsigned flags) override;

    const ConfigSettings& Settings() const { return settings_; }
    bool LanguageTextsLoaded() const { return languageTextsLoaded_; }
    const WnUiLanguageText& LanguageTexts() const { return languageTexts_; }

private:
    ConfigSettings settings_;
    bool languageTextsLoaded_ = false;
    WnUiLanguageText languageTexts_;
};

// The process-wide configuration. It is a global object, so it exists with its defaults
// before the entry function runs; the start-up code calls g_config.Load() once, and every
// other part only reads it (g_config.Settings().optionsPage, g_config.LanguageTexts()).
extern Config g_config;
