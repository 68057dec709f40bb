// Dialog templates and control identifiers of the editing dialogs (Find,
// Replace, Go to line, tab width), shared by editing_dialogs.rc and the code.
#pragma once

#define IDD_FIND 201
#define IDD_REPLACE 202
#define IDD_GOTOLINE 203
#define IDD_TABSPACE 204

#define IDC_FIND_LABEL 1001
#define IDC_FIND_TEXT 1002
#define IDC_SUBST_LABEL 1003
#define IDC_SUBST_TEXT 1004
#define IDC_FIND_FROM_TOP 1005
#define IDC_MATCH_CASE 1006
#define IDC_DIRECTION 1007
#define IDC_UP 1008
#define IDC_DOWN 1009
#define IDC_SUBST_NEXT 1010
#define IDC_ALL_SUBST 1011
#define IDC_LINE 1012
#define IDC_TAB_FRAME 1013
#define IDC_TAB_LABEL 1014
#define IDC_TAB_SPACE 1015
