#pragma once

#include "config/UiText.h"

// The built-in language texts: 15 groups, 190 ids with their English defaults (nullptr:
// empty). Group order and entry order are the order of the missing-text report.
//
// Every id is a process-wide UiTextHandle of the same name, so a page writes
//     SetWindowTextW(label, GetUiText(PAGE_STATUS_TITLE).c_str());
// The handles are bound when the start-up load builds the text table; ids that are
// chosen by number (the volume dialog's channel names) are reached through
// ChannelNameText and StereoChannelNameText below.
#define KORVELINE_UI_TEXT_TABLE(GROUP, ENTRY)                                                      \
    GROUP(GLOBAL, Needed)                                                                          \
    ENTRY(APP_TITLE, L"Korveline Control Panel")                                                   \
    ENTRY(NOTIFICATION_AREA_MENU_ENTRY_SHOW, L"Show")                                              \
    ENTRY(NOTIFICATION_AREA_MENU_ENTRY_EXIT, L"Exit")                                              \
    GROUP(PAGE_STATUS, Needed)                                                                     \
    ENTRY(PAGE_STATUS_TITLE, L"Status")                                                            \
    ENTRY(PAGE_STATUS_SECTION_DEVICE_TITLE, L"USB Audio Device")                                   \
    ENTRY(PAGE_STATUS_SECTION_DEVICE_SELECTION_ENTRY_NO_DEVICE, L"No devices connected.")          \
    ENTRY(PAGE_STATUS_SECTION_DEVICE_SELECTION_ENTRY_PLEASE_SELECT, L"Please select a device.")    \
    ENTRY(PAGE_STATUS_SECTION_SAMPLE_RATE_TITLE, L"Current Sample Rate")                           \
    ENTRY(PAGE_STATUS_SECTION_NO_VALID_SAMPLE_RATE, L"No valid sample rate")                       \
    ENTRY(PAGE_STATUS_SECTION_SAMPLE_RATE_UNIT, L"${SampleRate} Hz")                               \
    GROUP(PAGE_OPTIONS, Optional)                                                                  \
    ENTRY(PAGE_OPTIONS_TITLE, L"Options")                                                          \
    ENTRY(PAGE_OPTIONS_SECTION_STREAMING_MODE_TITLE, L"Streaming")                                 \
    ENTRY(PAGE_OPTIONS_SECTION_STREAMING_MODE_SELECTION_ENTRY_ON_WHEN_NEEDED, L"On when Needed")   \
    ENTRY(PAGE_OPTIONS_SECTION_STREAMING_MODE_SELECTION_ENTRY_ALWAYS_ON, L"Always On")             \
    GROUP(PAGE_STREAM_FORMATS, Optional)                                                           \
    ENTRY(PAGE_STREAM_FORMATS_TITLE, L"Format")                                                    \
    ENTRY(PAGE_STREAM_FORMATS_DESCRIPTION_CHANNELS, L"${NumberOfChannels} channel(s)")             \
    ENTRY(PAGE_STREAM_FORMATS_DESCRIPTION_BITS, L"${BitsPerSample} bits")                          \
    ENTRY(PAGE_STREAM_FORMATS_SECTION_INPUT_TITLE, L"Input")                                       \
    ENTRY(PAGE_STREAM_FORMATS_SECTION_OUTPUT_TITLE, L"Output")                                     \
    GROUP(PAGE_SOUND_DEVICE_PROFILES, Optional)                                                    \
    ENTRY(PAGE_SOUND_DEVICE_PROFILES_TITLE, L"Profiles")                                           \
    ENTRY(PAGE_SOUND_DEVICE_PROFILES_SECTION_INPUT_TITLE, L"Input")                                \
    ENTRY(PAGE_SOUND_DEVICE_PROFILES_SECTION_OUTPUT_TITLE, L"Output")                              \
    GROUP(PAGE_SAMPLE_RATE, Optional)                                                              \
    ENTRY(PAGE_SAMPLE_RATE_TITLE, L"Sample Rate")                                                  \
    ENTRY(PAGE_SAMPLE_RATE_DESCRIPTION, L"${SampleRate} Hz")                                       \
    ENTRY(PAGE_SAMPLE_RATE_SECTION_TITLE, L"Sample Rate")                                          \
    GROUP(PAGE_CLOCK_SOURCE, Optional)                                                             \
    ENTRY(PAGE_CLOCK_SOURCE_TITLE, L"Clock Source")                                                \
    ENTRY(PAGE_CLOCK_SOURCE_TABLE_TITLE, L"Select Clock Source:")                                  \
    ENTRY(PAGE_CLOCK_SOURCE_TABLE_COLUMN_NAME_COMMON_NAME,                                         \
          L"Clock Source (ID ${ClockSourceUnitId})")                                               \
    ENTRY(PAGE_CLOCK_SOURCE_TABLE_COLUMN_IS_VALID_TEXT_IF_TRUE, L"stable")                         \
    ENTRY(PAGE_CLOCK_SOURCE_TABLE_COLUMN_IS_VALID_TEXT_IF_FALSE, L"not valid")                     \
    ENTRY(PAGE_CLOCK_SOURCE_TABLE_COLUMN_SAMPLE_RATE_UNIT, L"${SampleRate} Hz")                    \
    GROUP(PAGE_ASIO_DEVICE, Optional)                                                              \
    ENTRY(PAGE_ASIO_DEVICE_TITLE, L"ASIO Device")                                                  \
    ENTRY(PAGE_ASIO_DEVICE_TABLE_TITLE, L"Select ASIO Device:")                                    \
    ENTRY(PAGE_ASIO_DEVICE_CURRENT, L"current")                                                    \
    ENTRY(PAGE_ASIO_DEVICE_NOT_CURRENT, nullptr)                                                   \
    ENTRY(PAGE_ASIO_DEVICE_IN_USE, L"in use")                                                      \
    ENTRY(PAGE_ASIO_DEVICE_UNUSED, nullptr)                                                        \
    ENTRY(PAGE_ASIO_DEVICE_SECTION_INFO_TITLE, L"Device Info")                                     \
    ENTRY(PAGE_ASIO_DEVICE_SECTION_INFO_TEXT1, L"${Product}")                                      \
    ENTRY(PAGE_ASIO_DEVICE_SECTION_INFO_TEXT2, L"Serial No: ${SerialNo}")                          \
    ENTRY(PAGE_ASIO_DEVICE_SECTION_INFO_TEXT3, nullptr)                                            \
    ENTRY(PAGE_ASIO_DEVICE_SECTION_INFO_TEXT4, nullptr)                                            \
    ENTRY(PAGE_ASIO_DEVICE_SECTION_INFO_TEXT_NO_SERIAL_NO, nullptr)                                \
    GROUP(PAGE_BUFFER_SETTINGS, Optional)                                                          \
    ENTRY(PAGE_BUFFER_SETTINGS_TITLE, L"Buffer Settings")                                          \
    ENTRY(PAGE_BUFFER_SETTINGS_SECTION_ASIO_BUFFER_TITLE, L"Preferred ASIO Buffer Size")           \
    ENTRY(PAGE_BUFFER_SETTINGS_SECTION_ASIO_BUFFER_SELECTION_UNIT, L"samples")                     \
    ENTRY(PAGE_BUFFER_SETTINGS_SECTION_SAFE_MODE, L"Safe Mode")                                    \
    ENTRY(PAGE_BUFFER_SETTINGS_SECTION_ASIO_STATUS_TITLE, L"ASIO Status")                          \
    ENTRY(PAGE_BUFFER_SETTINGS_SECTION_ASIO_STATUS_CURRENT_SAMPLE_RATE,                            \
          L"Current Sample Rate: ${SampleRate} Hz")                                                \
    ENTRY(PAGE_BUFFER_SETTINGS_SECTION_ASIO_INPUT_LATENCY,                                         \
          L"Input Latency: ${InLatencySamples} samples "                                           \
          L"(${InLatencyMillisecs}.${InLatencyMillisecsFrac} ms)")                                 \
    ENTRY(PAGE_BUFFER_SETTINGS_SECTION_ASIO_OUTPUT_LATENCY,                                        \
          L"Output Latency: ${OutLatencySamples} samples "                                         \
          L"(${OutLatencyMillisecs}.${OutLatencyMillisecsFrac} ms)")                               \
    ENTRY(PAGE_BUFFER_SETTINGS_SECTION_ASIO_STATUS_STATE_ACTIVE_PCM, L"ASIO in use (PCM mode)")    \
    ENTRY(PAGE_BUFFER_SETTINGS_SECTION_ASIO_STATUS_STATE_ACTIVE_DSD, L"ASIO in use (DSD mode)")    \
    ENTRY(PAGE_BUFFER_SETTINGS_SECTION_ASIO_STATUS_STATE_NOT_ACTIVE, L"ASIO not used")             \
    ENTRY(PAGE_BUFFER_SETTINGS__SECTION_NO_VALID_SAMPLE_RATE, L"No valid sample rate")             \
    GROUP(PAGE_VOLUME, Optional)                                                                   \
    ENTRY(PAGE_VOLUME_TITLE, L"Volume")                                                            \
    ENTRY(PAGE_VOLUME_SECTION_CHANNELS_TITLE, L"Channels")                                         \
    ENTRY(PAGE_VOLUME_SECTION_CHANNELS_BUTTON_INPUT, L"Input ...")                                 \
    ENTRY(PAGE_VOLUME_SECTION_CHANNELS_BUTTON_OUTPUT, L"Output ...")                               \
    ENTRY(PAGE_VOLUME_DIALOG_INPUT_VOLUME_TITLE, L"Input Volume")                                  \
    ENTRY(PAGE_VOLUME_DIALOG_OUTPUT_VOLUME_TITLE, L"Output Volume")                                \
    ENTRY(PAGE_VOLUME_DIALOG_INPUT_CHANNEL_NAME_MASTER, L"Master")                                 \
    ENTRY(PAGE_VOLUME_DIALOG_OUTPUT_CHANNEL_NAME_MASTER, L"Master")                                \
    KORVELINE_UI_TEXTS_NUMBERED_1_TO_32(ENTRY, PAGE_VOLUME_DIALOG_OUTPUT_CHANNEL_NAME_)            \
    KORVELINE_UI_TEXTS_NUMBERED_1_TO_32(ENTRY, PAGE_VOLUME_DIALOG_INPUT_CHANNEL_NAME_)             \
    KORVELINE_UI_TEXTS_NUMBERED_1_TO_16(ENTRY, PAGE_VOLUME_DIALOG_OUTPUT_CHANNEL_NAME_STEREO_)     \
    KORVELINE_UI_TEXTS_NUMBERED_1_TO_16(ENTRY, PAGE_VOLUME_DIALOG_INPUT_CHANNEL_NAME_STEREO_)      \
    GROUP(PAGE_CLIENT_INFO, Optional)                                                              \
    ENTRY(PAGE_CLIENT_INFO_TITLE, L"Client Info")                                                  \
    ENTRY(PAGE_CLIENT_INFO_TABLE_TITLE, L"Current State")                                          \
    ENTRY(PAGE_CLIENT_INFO_TABLE_ROW_STREAMING_STATE_TITLE, L"Streaming State:")                   \
    ENTRY(PAGE_CLIENT_INFO_TABLE_ROW_STREAMING_STATE_STATE_ACTIVE, L"Active")                      \
    ENTRY(PAGE_CLIENT_INFO_TABLE_ROW_STREAMING_STATE_STATE_STOPPED, L"Stopped")                    \
    ENTRY(PAGE_CLIENT_INFO_TABLE_ROW_ACTIVE_WDM_CLIENT_COUNT_TITLE,                                \
          L"Number of Active WDM Clients:")                                                        \
    ENTRY(PAGE_CLIENT_INFO_TABLE_ROW_ACTIVE_ASIO_CLIENT_COUNT_TITLE,                               \
          L"Number of Active ASIO Clients:")                                                       \
    GROUP(PAGE_INFO, Optional)                                                                     \
    ENTRY(PAGE_INFO_TITLE, L"Info")                                                                \
    ENTRY(PAGE_INFO_TABLE_DEVICE_INFO_TITLE, L"Device Info")                                       \
    ENTRY(PAGE_INFO_TABLE_DEVICE_INFO_ROW_MANUFACTURER_TITLE, L"Manufacturer:")                    \
    ENTRY(PAGE_INFO_TABLE_DEVICE_INFO_ROW_PRODUCT_TITLE, L"Product:")                              \
    ENTRY(PAGE_INFO_TABLE_DEVICE_INFO_ROW_VID_PID_TITLE, L"VID/PID:")                              \
    ENTRY(PAGE_INFO_TABLE_DEVICE_INFO_ROW_REVISION_TITLE, L"Revision:")                            \
    ENTRY(PAGE_INFO_TABLE_DEVICE_INFO_ROW_SERIAL_NO_TITLE, L"Serial No:")                          \
    GROUP(PAGE_ABOUT, Optional)                                                                    \
    ENTRY(PAGE_ABOUT_TITLE, L"About")                                                              \
    ENTRY(PAGE_ABOUT_TABLE_DRIVER_INFO_TITLE, L"Driver Info")                                      \
    ENTRY(PAGE_ABOUT_TABLE_DRIVER_INFO_ROW_VERSION_VERSION_PREFIX, L"Version")                     \
    ENTRY(PAGE_ABOUT_TABLE_DRIVER_INFO_ROW_BUILDTYPE_TEXT_IF_DEBUG, L"Debug Build")                \
    ENTRY(PAGE_ABOUT_TABLE_DRIVER_INFO_ROW_BUILDTYPE_TEXT_IF_RELEASE, L"Release Build")            \
    ENTRY(PAGE_ABOUT_TABLE_DRIVER_INFO_ROW_COPYRIGHT, nullptr)                                     \
    GROUP(ERROR_MESSAGE, Needed)                                                                   \
    ENTRY(ERROR_MESSAGE_COMMON_ERROR,                                                              \
          L"An error has occurred. The internal error description is:")                            \
    ENTRY(ERROR_MESSAGE_DRIVER_API_DLL_NOT_FOUND,                                                  \
          L"The driver DLL required to access the device is missing.")                             \
    ENTRY(ERROR_MESSAGE_DRIVER_API_DLL_NOT_COMPATIBLE,                                             \
          L"The driver DLL required to access the device is not compatible with this "             \
          L"application version.")                                                                 \
    ENTRY(ERROR_MESSAGE_DRIVER_API_DLL_WITHOUT_INI,                                                \
          L"The configuration file for the driver DLL required to access the device is missing.")  \
    ENTRY(ERROR_MESSAGE_DRIVER_API_DLL_WITH_INVALID_INI,                                           \
          L"The configuration file for the driver DLL required to access the device is invalid.")  \
    ENTRY(ERROR_MESSAGE_SWITCH_STREAM_FORMAT_NOT_ALLOWED,                                          \
          L"Switching stream format is not allowed while the device is in use.")                   \
    GROUP(ACCESSIBLE_NAMES, Extra)                                                                 \
    ENTRY(VOLUME_DIALOG_SLIDER_NAME, L"${ChannelName} volume")                                     \
    ENTRY(VOLUME_DIALOG_MUTE_BUTTON_NAME, L"Mute ${ChannelName}")                                  \
    ENTRY(VOLUME_DIALOG_ZERO_DB_BUTTON_NAME, L"${ChannelName} to 0 dB")                            \
    ENTRY(VOLUME_DIALOG_LINK_BUTTON_NAME, L"Link ${ChannelName}")                                  \
    ENTRY(PAGE_ASIO_INSTANCE_SELECTOR_LABEL, L"Instance:")

// Numbered ids with an empty default: PREFIX1 ... PREFIX16 (or ... PREFIX32).
// clang-format off
#define KORVELINE_UI_TEXTS_NUMBERED_1_TO_16(ENTRY, PREFIX) \
    ENTRY(PREFIX##1, nullptr) \
    ENTRY(PREFIX##2, nullptr) \
    ENTRY(PREFIX##3, nullptr) \
    ENTRY(PREFIX##4, nullptr) \
    ENTRY(PREFIX##5, nullptr) \
    ENTRY(PREFIX##6, nullptr) \
    ENTRY(PREFIX##7, nullptr) \
    ENTRY(PREFIX##8, nullptr) \
    ENTRY(PREFIX##9, nullptr) \
    ENTRY(PREFIX##10, nullptr) \
    ENTRY(PREFIX##11, nullptr) \
    ENTRY(PREFIX##12, nullptr) \
    ENTRY(PREFIX##13, nullptr) \
    ENTRY(PREFIX##14, nullptr) \
    ENTRY(PREFIX##15, nullptr) \
    ENTRY(PREFIX##16, nullptr)
#define KORVELINE_UI_TEXTS_NUMBERED_1_TO_32(ENTRY, PREFIX) \
    KORVELINE_UI_TEXTS_NUMBERED_1_TO_16(ENTRY, PREFIX) \
    ENTRY(PREFIX##17, nullptr) \
    ENTRY(PREFIX##18, nullptr) \
    ENTRY(PREFIX##19, nullptr) \
    ENTRY(PREFIX##20, nullptr) \
    ENTRY(PREFIX##21, nullptr) \
    ENTRY(PREFIX##22, nullptr) \
    ENTRY(PREFIX##23, nullptr) \
    ENTRY(PREFIX##24, nullptr) \
    ENTRY(PREFIX##25, nullptr) \
    ENTRY(PREFIX##26, nullptr) \
    ENTRY(PREFIX##27, nullptr) \
    ENTRY(PREFIX##28, nullptr) \
    ENTRY(PREFIX##29, nullptr) \
    ENTRY(PREFIX##30, nullptr) \
    ENTRY(PREFIX##31, nullptr) \
    ENTRY(PREFIX##32, nullptr)
// clang-format on

#define KORVELINE_UI_TEXT_DECLARE_HANDLE(id, defaultText) extern UiTextHandle id;
#define KORVELINE_UI_TEXT_NO_GROUP(name, kind)
KORVELINE_UI_TEXT_TABLE(KORVELINE_UI_TEXT_NO_GROUP, KORVELINE_UI_TEXT_DECLARE_HANDLE)
#undef KORVELINE_UI_TEXT_DECLARE_HANDLE
#undef KORVELINE_UI_TEXT_NO_GROUP

// The built-in table in order: 15 groups with 190 ids in all.
struct UiTextDefinition {
    const wchar_t* id;
    const wchar_t* defaultText; // nullptr: empty
    UiTextHandle* handle;       // the id's process-wide handle
};
struct UiTextGroupDefinition {
    const wchar_t* name;
    UiTextGroupKind kind;
    std::vector<UiTextDefinition> texts;
};
const std::vector<UiTextGroupDefinition>& BuiltInUiTextTable();

// Name of channel 0 (master) ... 32 of a direction (1 input, 0 output); an empty handle
// for higher channels.
const UiTextHandle& ChannelNameText(unsigned direction, unsigned channel);
// Name of stereo pair 1 ... 16 of a direction; an empty handle for other pairs.
const UiTextHandle& StereoChannelNameText(unsigned direction, unsigned pair);
