#pragma once

// Resource identifiers of the control panel. Kept free of C++ so that the resource
// compiler can read this file too.

// Application icon: window, tray and dialog icons.
#define IDI_APP 128

// Context menu of the notification-area icon; its id equals the icon's tray id.
#define IDR_TRAY_MENU 201

// The pages' dialog and control ids, one header each beside its dialog template.
#include "dialogs/PageStatus.h"
#include "dialogs/PageOptions.h"
#include "dialogs/PageStreamFormats.h"
#include "dialogs/PageSoundDeviceProfiles.h"
#include "dialogs/PageSampleRate.h"
#include "dialogs/PageBufferSettings.h"
#include "dialogs/PageAsioDevice.h"
#include "dialogs/PageClockSource.h"
#include "dialogs/PageClientInfo.h"
#include "dialogs/PageInfo.h"
#include "dialogs/PageAbout.h"
#include "dialogs/PageVolumeControl.h"
