#pragma once

// Stream formats page: an upper and a lower section, each a group box with its selector.
#define IDD_PAGE_STREAM_FORMATS 105
#define IDC_STREAM_FORMATS_LOWER_SELECTION 1023
#define IDC_STREAM_FORMATS_LOWER_GROUP 1024
#define IDC_STREAM_FORMATS_UPPER_GROUP 1025
#define IDC_STREAM_FORMATS_UPPER_SELECTION 1026
