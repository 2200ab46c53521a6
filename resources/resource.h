#pragma once

// Resource identifiers of the control panel. Kept free of C++ so that the resource
// compiler can read this file too.

// Application icon: window, tray and dialog icons.
#define IDI_APP 128

// Context menu of the notification-area icon; its id equals the icon's tray id.
#define IDR_TRAY_MENU 201

// Status page.
#define IDD_PAGE_STATUS 103
#define IDC_STATUS_SAMPLE_RATE_GROUP 1019
#define IDC_STATUS_SAMPLE_RATE 1020
#define IDC_STATUS_DEVICE_SELECTION 1021
#define IDC_STATUS_DEVICE_GROUP 1022
