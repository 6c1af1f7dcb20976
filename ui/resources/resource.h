/* Resource and control ids shared by the resource script and the program. */
#pragma once

#define IDD_MAIN 777

#define IDC_LABEL_FROM 301
#define IDC_CAL_FROM 303
#define IDC_LABEL_TO 311
#define IDC_CAL_TO 313

#define IDC_LABEL_LOG 401
#define IDC_BROWSE_LOG 402
#define IDC_EDIT_LOG 403

#define IDC_LABEL_MODE 500
#define IDC_MODE_PERIOD 501
#define IDC_MODE_ERRORS 502

/* Two statics share 101; the program never addresses them. */
#define IDC_STATIC_TEXT 101
#define IDC_BROWSE_LIST 102
#define IDC_EDIT_LIST 103
#define IDC_RUN 111
