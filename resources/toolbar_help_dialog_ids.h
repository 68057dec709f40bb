// Dialog templates and control identifiers of the toolbar customisation
// dialog and the About dialog, shared by toolbar_help_dialogs.rc, the code
// and the end-to-end driver. OK and キャンセル are IDOK and IDCANCEL.
#pragma once

#define IDD_EDITTOOLBAR 205
#define IDD_ABOUT 206

// frmEditToolBar
#define IDC_TB_AVAILABLE 1101  // lstGetToolBarIcon: the commands not on the toolbar
#define IDC_TB_ADD 1102
#define IDC_TB_DEL 1103
#define IDC_TB_SEPARATOR 1104
#define IDC_TB_UP 1105
#define IDC_TB_DOWN 1106
#define IDC_TB_CHOSEN 1107  // lstToolBarIcon: the toolbar's positions
#define IDC_TB_APPLY 1108

// frmABOUT
#define IDC_ABOUT_ICON 1201
#define IDC_ABOUT_TITLE 1202
#define IDC_ABOUT_VERSION 1203
#define IDC_ABOUT_NOTICE 1204
#define IDC_ABOUT_SUPPORT 1205
#define IDC_ABOUT_HOMEPAGE 1206
#define IDC_ABOUT_MAIL 1207
