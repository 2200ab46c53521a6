#pragma once

// About page and its picture (drawn by make-about-bitmap.sh at build time).
#define IDD_PAGE_ABOUT 260
#define IDB_ABOUT 264
#define IDC_ABOUT_LIST 1011
#define IDC_ABOUT_TITLE 1015
#define IDC_ABOUT_PICTURE 1092
