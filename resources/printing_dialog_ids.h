// Dialog templates and control identifiers of page setup (frmPrintSetting)
// and the progress dialog (frmNowPrinting), shared by printing_dialogs.rc,
// the code and the end-to-end driver.
#pragma once

#define IDD_PAGESETUP 221
#define IDD_NOWPRINTING 222

// frmPrintSetting; OK and Cancel are IDOK and IDCANCEL.
#define IDC_PS_MARGIN_FRAME 1201
#define IDC_PS_LEFT_LABEL 1202
#define IDC_PS_LEFT 1203
#define IDC_PS_RIGHT_LABEL 1204
#define IDC_PS_RIGHT 1205
#define IDC_PS_TOP_LABEL 1206
#define IDC_PS_TOP 1207
#define IDC_PS_BOTTOM_LABEL 1208
#define IDC_PS_BOTTOM 1209
#define IDC_PS_DIRECTION_FRAME 1210
#define IDC_PS_PORTRAIT 1211
#define IDC_PS_LANDSCAPE 1212
#define IDC_PS_PAPER_FRAME 1213
#define IDC_PS_SIZE_LABEL 1214
#define IDC_PS_SIZE 1215
#define IDC_PS_SOURCE_LABEL 1216
#define IDC_PS_SOURCE 1217
#define IDC_PS_HEADER_LABEL 1218
#define IDC_PS_HEADER 1219
#define IDC_PS_FOOTER_LABEL 1220
#define IDC_PS_FOOTER 1221
#define IDC_PS_PREVIEW_FRAME 1222
#define IDC_PS_PRINTER 1223

// frmNowPrinting; its cancel button is IDCANCEL.
#define IDC_NP_COMMENT 1251
#define IDC_NP_PROGRESS 1252
