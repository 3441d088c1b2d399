// Resource ids of the program.
#pragma once

// String table.
#define IDS_APP_TITLE 101
#define IDS_OVERWRITE_QUESTION 102
#define IDS_OPEN_REPORT_QUESTION 104
#define IDS_WOW64_REFUSAL 105
#define IDS_SAVE_AS_TITLE 106
#define IDS_REPORT_CLOSE_ERROR 107
#define IDS_NO_REPORT_NAME 118

// Dialogs and their controls.
#define IDD_PROGRESS 105
#define IDD_SELECT_REPORT_FILE 138
#define IDC_PROGRESS 1000
#define IDC_ICON_PROGRESS 1001
#define IDC_SCAN_INFO 1002
#define IDC_STATUS_TEXT 1003
#define IDC_ANIMATION 1004
#define IDC_REPORT_FILE 1005
#define IDC_BROWSE 1007

// Icon, animation and stylesheet.
#define IDI_APP 128
#define IDR_SCAN_ANIMATION 133
#define IDR_STYLESHEET 140
