#pragma once

// Clock source page.
#define IDD_PAGE_CLOCK_SOURCE 106
#define IDC_CLOCK_SOURCE_TITLE 1027
#define IDC_CLOCK_SOURCE_LIST 1028
