// Identifiers of the launcher's resources, controls, commands and messages.
// One number may name different controls in different templates.
#pragma once

// Dialog templates
#define IDD_LOGIN_DIALOG        102
#define IDD_GAME_DIALOG         131
#define IDD_LOGIN_PANEL         132
#define IDD_CONFIRM_DIALOG      172
#define IDD_CLEAN_CACHE_DIALOG  173

// Icon
#define IDI_APP                 128

// Controls
#define IDC_BROWSER             1000
#define IDC_BTN_CLOSE           1001
#define IDC_LOGO                1002
#define IDC_CONFIRM_TITLE       1002
#define IDC_CLEAN_TEXT          1002
#define IDC_BTN_MIN             1003
#define IDC_CONFIRM_TEXT        1003
#define IDC_BTN_FULL            1004
#define IDC_BTN_BOSS            1005
#define IDC_LOGIN_CLOSE         1005
#define IDC_BTN_CLEAN           1006
#define IDC_LOGIN_MIN           1006
#define IDC_BTN_REFRESH         1007
#define IDC_BTN_SERVER          1008
#define IDC_CONFIRM_OK          1008
#define IDC_BTN_MAX             1009
#define IDC_CONFIRM_CANCEL      1009
#define IDC_CLEAN_FRAME         1009
#define IDC_BTN_RESTORE         1011

// Menu command of the notification-area menu
#define ID_TRAY_EXIT            1013

// Private window messages (WM_USER + 0x65, WM_USER + 0x67, WM_USER + 0x68):
// above WM_USER, clear of the dialog manager's own DM_ messages (WM_USER + 0
// to + 2), and each sent only to the one window that handles it.
#define WM_TRAY_NOTIFY          1125
#define WM_CLEANCACHE_DONE      1127
#define WM_MAKE_LOGIN_PANEL     1128

// PNG images (resource type "PNG")
#define IDB_PNG_BACKDROP        155
#define IDB_PNG_LOGIN_CLOSE     160
#define IDB_PNG_LOGIN_MIN       162
#define IDB_PNG_BOSS            164
#define IDB_PNG_CLOSE           166
#define IDB_PNG_FULL            167
#define IDB_PNG_MAX             168
#define IDB_PNG_MIN             169
#define IDB_PNG_REFRESH         170
#define IDB_PNG_SERVER          171
#define IDB_PNG_CONFIRM_OK      175
#define IDB_PNG_CONFIRM_CANCEL  176
#define IDB_PNG_RESTORE         189
#define IDB_PNG_CLEAN           1000

// Bitmaps
#define IDB_TITLE_BAR           136
#define IDB_LOGO                141
#define IDB_CONFIRM_BACK        177
#define IDB_CLEAN_BACK          187

