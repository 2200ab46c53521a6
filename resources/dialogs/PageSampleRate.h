#pragma once

// Sample rate page.
#define IDD_PAGE_SAMPLE_RATE 261
#define IDC_SAMPLE_RATE_SELECTION 1093
#define IDC_SAMPLE_RATE_GROUP 1094
