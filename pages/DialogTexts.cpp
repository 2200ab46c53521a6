#include "pages/DialogTexts.h"

#include "config/UiTextIds.h"
#include "resources/dialogs/PageAbout.h"
#include "resources/dialogs/PageAsioDevice.h"
#include "resources/dialogs/PageBufferSettings.h"
#include "resources/dialogs/PageClientInfo.h"
#include "resources/dialogs/PageClockSource.h"
#include "resources/dialogs/PageInfo.h"
#include "resources/dialogs/PageOptions.h"
#include "resources/dialogs/PageSampleRate.h"
#include "resources/dialogs/PageSoundDeviceProfiles.h"
#include "resources/dialogs/PageStatus.h"
#include "resources/dialogs/PageStreamFormats.h"
#include "resources/dialogs/PageVolumeControl.h"

#include <algorithm>
#include <string>

namespace {

// clang-format off
#define AT_START(control, text) {control, L## #control, text, true}
#define SHOWN_LATER(control, text) {control, L## #control, text, false}

const DialogText kStatusTexts[] = {
    AT_START(IDC_STATUS_DEVICE_GROUP, PAGE_STATUS_SECTION_DEVICE_TITLE),
    AT_START(IDC_STATUS_SAMPLE_RATE_GROUP, PAGE_STATUS_SECTION_SAMPLE_RATE_TITLE),
    SHOWN_LATER(IDC_STATUS_SAMPLE_RATE, PAGE_STATUS_SECTION_SAMPLE_RATE_UNIT),
    SHOWN_LATER(IDC_STATUS_SAMPLE_RATE, PAGE_STATUS_SECTION_NO_VALID_SAMPLE_RATE),
};
const DialogText kOptionsTexts[] = {
    AT_START(IDC_OPTIONS_STREAMING_MODE_GROUP, PAGE_OPTIONS_SECTION_STREAMING_MODE_TITLE),
};
// Either side's title goes to the upper group, the output's to the lower one too.
const DialogText kStreamFormatsTexts[] = {
    SHOWN_LATER(IDC_STREAM_FORMATS_UPPER_GROUP, PAGE_STREAM_FORMATS_SECTION_INPUT_TITLE),
    SHOWN_LATER(IDC_STREAM_FORMATS_UPPER_GROUP, PAGE_STREAM_FORMATS_SECTION_OUTPUT_TITLE),
    SHOWN_LATER(IDC_STREAM_FORMATS_LOWER_GROUP, PAGE_STREAM_FORMATS_SECTION_OUTPUT_TITLE),
};
const DialogText kProfilesTexts[] = {
    SHOWN_LATER(IDC_PROFILES_UPPER_GROUP, PAGE_SOUND_DEVICE_PROFILES_SECTION_INPUT_TITLE),
    SHOWN_LATER(IDC_PROFILES_UPPER_GROUP, PAGE_SOUND_DEVICE_PROFILES_SECTION_OUTPUT_TITLE),
    SHOWN_LATER(IDC_PROFILES_LOWER_GROUP, PAGE_SOUND_DEVICE_PROFILES_SECTION_OUTPUT_TITLE),
};
const DialogText kSampleRateTexts[] = {
    AT_START(IDC_SAMPLE_RATE_GROUP, PAGE_SAMPLE_RATE_SECTION_TITLE),
};
const DialogText kBufferSettingsTexts[] = {
    AT_START(IDC_BUFFER_ASIO_INSTANCE_LABEL, PAGE_ASIO_INSTANCE_SELECTOR_LABEL),
    AT_START(IDC_BUFFER_SIZE_GROUP, PAGE_BUFFER_SETTINGS_SECTION_ASIO_BUFFER_TITLE),
    AT_START(IDC_BUFFER_SAFE_MODE, PAGE_BUFFER_SETTINGS_SECTION_SAFE_MODE),
    AT_START(IDC_BUFFER_STATUS_GROUP, PAGE_BUFFER_SETTINGS_SECTION_ASIO_STATUS_TITLE),
    SHOWN_LATER(IDC_BUFFER_SAMPLE_RATE, PAGE_BUFFER_SETTINGS_SECTION_ASIO_STATUS_CURRENT_SAMPLE_RATE),
    SHOWN_LATER(IDC_BUFFER_SAMPLE_RATE, PAGE_BUFFER_SETTINGS__SECTION_NO_VALID_SAMPLE_RATE),
    SHOWN_LATER(IDC_BUFFER_INPUT_LATENCY, PAGE_BUFFER_SETTINGS_SECTION_ASIO_INPUT_LATENCY),
    SHOWN_LATER(IDC_BUFFER_OUTPUT_LATENCY, PAGE_BUFFER_SETTINGS_SECTION_ASIO_OUTPUT_LATENCY),
    SHOWN_LATER(IDC_BUFFER_ASIO_STATE, PAGE_BUFFER_SETTINGS_SECTION_ASIO_STATUS_STATE_ACTIVE_PCM),
    SHOWN_LATER(IDC_BUFFER_ASIO_STATE, PAGE_BUFFER_SETTINGS_SECTION_ASIO_STATUS_STATE_ACTIVE_DSD),
    SHOWN_LATER(IDC_BUFFER_ASIO_STATE, PAGE_BUFFER_SETTINGS_SECTION_ASIO_STATUS_STATE_NOT_ACTIVE),
};
const DialogText kAsioDeviceTexts[] = {
    AT_START(IDC_ASIO_DEVICE_INSTANCE_LABEL, PAGE_ASIO_INSTANCE_SELECTOR_LABEL),
    AT_START(IDC_ASIO_DEVICE_TITLE, PAGE_ASIO_DEVICE_TABLE_TITLE),
    AT_START(IDC_ASIO_DEVICE_INFO_GROUP, PAGE_ASIO_DEVICE_SECTION_INFO_TITLE),
    SHOWN_LATER(IDC_ASIO_DEVICE_INFO1, PAGE_ASIO_DEVICE_SECTION_INFO_TEXT1),
    SHOWN_LATER(IDC_ASIO_DEVICE_INFO2, PAGE_ASIO_DEVICE_SECTION_INFO_TEXT2),
    SHOWN_LATER(IDC_ASIO_DEVICE_INFO3, PAGE_ASIO_DEVICE_SECTION_INFO_TEXT3),
    SHOWN_LATER(IDC_ASIO_DEVICE_INFO4, PAGE_ASIO_DEVICE_SECTION_INFO_TEXT4),
};
const DialogText kClockSourceTexts[] = {
    AT_START(IDC_CLOCK_SOURCE_TITLE, PAGE_CLOCK_SOURCE_TABLE_TITLE),
};
const DialogText kClientInfoTexts[] = {
    AT_START(IDC_CLIENT_INFO_TITLE, PAGE_CLIENT_INFO_TABLE_TITLE),
};
const DialogText kInfoTexts[] = {
    AT_START(IDC_INFO_TITLE, PAGE_INFO_TABLE_DEVICE_INFO_TITLE),
};
const DialogText kAboutTexts[] = {
    AT_START(IDC_ABOUT_TITLE, PAGE_ABOUT_TABLE_DRIVER_INFO_TITLE),
};
// Either direction's button may stand first; only the output's stands second.
const DialogText kVolumeTexts[] = {
    AT_START(IDC_VOLUME_CHANNELS_GROUP, PAGE_VOLUME_SECTION_CHANNELS_TITLE),
    SHOWN_LATER(IDC_VOLUME_FIRST_BUTTON, PAGE_VOLUME_SECTION_CHANNELS_BUTTON_INPUT),
    SHOWN_LATER(IDC_VOLUME_FIRST_BUTTON, PAGE_VOLUME_SECTION_CHANNELS_BUTTON_OUTPUT),
    SHOWN_LATER(IDC_VOLUME_SECOND_BUTTON, PAGE_VOLUME_SECTION_CHANNELS_BUTTON_OUTPUT),
};
// A strip shows the name of its channel or pair; without one, the driver's names.
#define STRIP_NAME(text, englishText) SHOWN_LATER(IDC_STRIP_NAME, text),
const DialogText kMonoStripTexts[] = {
    SHOWN_LATER(IDC_STRIP_NAME, PAGE_VOLUME_DIALOG_INPUT_CHANNEL_NAME_MASTER),
    SHOWN_LATER(IDC_STRIP_NAME, PAGE_VOLUME_DIALOG_OUTPUT_CHANNEL_NAME_MASTER),
    KORVELINE_UI_TEXTS_NUMBERED_1_TO_32(STRIP_NAME, PAGE_VOLUME_DIALOG_INPUT_CHANNEL_NAME_)
    KORVELINE_UI_TEXTS_NUMBERED_1_TO_32(STRIP_NAME, PAGE_VOLUME_DIALOG_OUTPUT_CHANNEL_NAME_)
};
const DialogText kStereoStripTexts[] = {
    KORVELINE_UI_TEXTS_NUMBERED_1_TO_16(STRIP_NAME, PAGE_VOLUME_DIALOG_INPUT_CHANNEL_NAME_STEREO_)
    KORVELINE_UI_TEXTS_NUMBERED_1_TO_16(STRIP_NAME, PAGE_VOLUME_DIALOG_OUTPUT_CHANNEL_NAME_STEREO_)
};
#undef STRIP_NAME

#define DIALOG(dialog, texts) {dialog, L## #dialog, texts}
const DialogTexts kDialogs[] = {
    DIALOG(IDD_PAGE_STATUS, kStatusTexts),
    DIALOG(IDD_PAGE_OPTIONS, kOptionsTexts),
    DIALOG(IDD_PAGE_STREAM_FORMATS, kStreamFormatsTexts),
    DIALOG(IDD_PAGE_SOUND_DEVICE_PROFILES, kProfilesTexts),
    DIALOG(IDD_PAGE_SAMPLE_RATE, kSampleRateTexts),
    DIALOG(IDD_PAGE_BUFFER_SETTINGS, kBufferSettingsTexts),
    DIALOG(IDD_PAGE_ASIO_DEVICE, kAsioDeviceTexts),
    DIALOG(IDD_PAGE_CLOCK_SOURCE, kClockSourceTexts),
    DIALOG(IDD_PAGE_CLIENT_INFO, kClientInfoTexts),
    DIALOG(IDD_PAGE_INFO, kInfoTexts),
    DIALOG(IDD_PAGE_ABOUT, kAboutTexts),
    DIALOG(IDD_PAGE_VOLUME, kVolumeTexts),
    DIALOG(IDD_VOLUME_MONO_STRIP, kMonoStripTexts),
    DIALOG(IDD_VOLUME_STEREO_STRIP, kStereoStripTexts),
};
#undef DIALOG
#undef AT_START
#undef SHOWN_LATER
// clang-format on

} // namespace

std::span<const DialogTexts> AllDialogTexts() {
    return kDialogs;
}

void ApplyDialogTexts(HWND dialog, int dialogId) {
    const auto table =
        std::find_if(std::begin(kDialogs), std::end(kDialogs),
                     [&](const DialogTexts& texts) { return texts.dialogId == dialogId; });
    if (table == std::end(kDialogs))
        return;
    for (const DialogText& text : table->texts) {
        if (text.atStart)
            SetDlgItemTextW(dialog, text.controlId, GetUiText(text.text).c_str());
    }
}
