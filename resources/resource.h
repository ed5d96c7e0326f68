// Identifiers of the program's resources and controls; the pictures' are generated.
#pragma once

#include "art-ids.h"

#define IDC_STATIC -1

#define IDD_ABOUTBOX 100
#define IDD_NV_DIALOG 102
#define IDD_USER_DEFINE 157
#define IDD_SHRED 213
#define IDD_USER_ITEM 242
#define IDD_PREVIEW 250

#define IDR_TRAY_MENU 130
#define IDR_TREE_MENU 131
#define IDS_ABOUTBOX 101

#define IDC_USER_DEFINE 1000
#define IDC_HIDE 1001
#define IDC_SHRED 1006
#define IDC_HEADING 1009
#define IDC_WEB 1018
#define IDC_TREE 1019
#define IDC_USER_LIST 1022
#define IDC_PROGRESS_EXTRA 1028
#define IDC_PROGRESS_LINE 1029
#define IDC_SHRED_ICON 1030
#define IDC_ANIMATION 1031
#define IDC_METHOD 1036
#define IDC_METHOD_0 1037
#define IDC_METHOD_1 1038
#define IDC_METHOD_2 1039
#define IDC_METHOD_3 1040
#define IDC_METHOD_4 1041
#define IDC_METHOD_HEADING 1042
#define IDC_ADD 1043
#define IDC_DELETE 1044
#define IDC_EDIT 1045
#define IDC_FOLDER 1002
#define IDC_SUBFOLDER 1003
#define IDC_FILE_NAMES 1047
#define IDC_BROWSE 1048
#define IDC_PREVIEW_REPORT 1049
#define IDC_PREVIEW_TOTAL 1050

#define ID_SHRED_NOW 32773
#define ID_PREVIEW 32774
#define ID_APP_EXIT 57665
