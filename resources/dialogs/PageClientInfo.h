#pragma once

// Client info page.
#define IDD_PAGE_CLIENT_INFO 257
#define IDC_CLIENT_INFO_LIST 1039
#define IDC_CLIENT_INFO_TITLE 1071
