#pragma once

// Sound device profiles page: an upper and a lower section, each a group box with its
// selector.
#define IDD_PAGE_SOUND_DEVICE_PROFILES 263
#define IDC_PROFILES_UPPER_GROUP 1095
#define IDC_PROFILES_LOWER_GROUP 1096
#define IDC_PROFILES_UPPER_SELECTION 1097
#define IDC_PROFILES_LOWER_SELECTION 1098
