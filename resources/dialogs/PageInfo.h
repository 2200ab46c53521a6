#pragma once

// Info page.
#define IDD_PAGE_INFO 102
#define IDC_INFO_LIST 1010
#define IDC_INFO_TITLE 1014
