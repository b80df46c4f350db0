/* The numbers of the program's resources; shared by the resource script and the code. */
#pragma once

#define IDI_VENTRIO 128
#define IDB_SCROLL_SKIN 129

/* Dialog templates; they hold no controls. */
#define IDD_VENTRIO_DIALOG 102
#define IDD_SETTINGS_CONTAINER 130
#define IDD_DPI_SETTING 133
#define IDD_USB_REPORT_RATE 134
#define IDD_MOUSE_SPEED 135
#define IDD_DOUBLE_CLICK 136
#define IDD_WHEEL_SPEED 137
#define IDD_ANGLE_SNAP 138
#define IDD_MACRO_MANAGER 139
#define IDD_MACRO_ASSIGN 140
#define IDD_SINGLE_KEY 141
#define IDD_PROFILE_MANAGER 144
#define IDD_LIGHTING 146
#define IDD_SPLASH 147

#define IDR_PROFILE_LIST_MENU 145
#define ID_PROFILE_DELETE 32781
#define ID_PROFILE_EDIT 32782
#define ID_PROFILE_COPY 32783
#define ID_PROFILE_LOAD 32784
#define ID_PROFILE_SAVE 32785
