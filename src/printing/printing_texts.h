// Every text of page setup and printing, exactly as the user sees it, and
// the paper tables the page-setup lists are filled from.
#pragma once

#include <cstdint>
#include <string_view>

namespace scribbit {

struct PaperEntry {
    std::int32_t code;  // DMPAPER_* or DMBIN_*
    std::u16string_view text;
};

namespace printing_text {

// frmPrintSetting
inline constexpr std::u16string_view PageSetupCaption = u"ページ設定";
inline constexpr std::u16string_view MarginFrame = u"余白(ミリ)";
inline constexpr std::u16string_view LeftLabel = u"左(&L):";
inline constexpr std::u16string_view RightLabel = u"右(&R):";
inline constexpr std::u16string_view TopLabel = u"上(&T):";
inline constexpr std::u16string_view BottomLabel = u"下(&B):";
inline constexpr std::u16string_view LeftToolTip = u"左余白を指定してください";
inline constexpr std::u16string_view RightToolTip = u"右余白を指定してください";
inline constexpr std::u16string_view TopToolTip = u"上余白を指定してください";
inline constexpr std::u16string_view BottomToolTip = u"下余白を指定してください";
inline constexpr std::u16string_view DirectionFrame = u"印刷の向き";
inline constexpr std::u16string_view PortraitCaption = u"縦(&O)";
inline constexpr std::u16string_view LandscapeCaption = u"横(&A)";
inline constexpr std::u16string_view PortraitToolTip = u"印刷の向きを縦向きにします";
inline constexpr std::u16string_view LandscapeToolTip = u"印刷の向きを横向きにします";
inline constexpr std::u16string_view PaperFrame = u"用紙";
inline constexpr std::u16string_view SizeLabel = u"サイズ(&Z):";
inline constexpr std::u16string_view SizeToolTip = u"用紙サイズを選択してください";
inline constexpr std::u16string_view SourceLabel = u"給紙方法(&S):";
inline constexpr std::u16string_view SourceToolTip = u"給紙方法を選択してください";
inline constexpr std::u16string_view HeaderLabel = u"ヘッダー(&H):";
inline constexpr std::u16string_view HeaderToolTip = u"ヘッダーを入力できます";
inline constexpr std::u16string_view FooterLabel = u"フッダー(&F):";
inline constexpr std::u16string_view FooterToolTip = u"フッダーを入力できます";
inline constexpr std::u16string_view PreviewFrame = u"印刷プレビュー";
inline constexpr std::u16string_view PrinterButton = u"プリンタの設定(&P)...";
inline constexpr std::u16string_view PrinterButtonToolTip = u"プリンタの設定を行います";
inline constexpr std::u16string_view OkCaption = u"OK";
inline constexpr std::u16string_view OkToolTip = u"設定します";
inline constexpr std::u16string_view CancelCaption = u"キャンセル";
inline constexpr std::u16string_view CancelToolTip = u"設定をキャンセルします";

// frmNowPrinting
inline constexpr std::u16string_view NowPrintingCaption = u"印刷中だよ";
inline constexpr std::u16string_view NowPrintingPlaceholder = u"-";
inline constexpr std::u16string_view NowPrintingSuffix = u"を印刷中です。";
inline constexpr std::u16string_view PrintCancelToolTip = u"印刷をキャンセルします";

// What the failure report says when a font is too small to give a line
// height: the job would divide by zero.
inline constexpr std::uint32_t DivisionByZeroNumber = 11;
inline constexpr std::u16string_view DivisionByZeroDescription = u"0 で除算しました。";

// The print dialog's failures have numbers but no system description.
inline constexpr std::u16string_view PrintDialogSource = u"CommonDialog";
inline constexpr std::u16string_view NoPrinterDescription = u"プリンタがインストールされていません。";
inline constexpr std::u16string_view PrintDialogFailedDescription = u"印刷ダイアログを表示できませんでした。";
inline constexpr std::u16string_view PrinterSource = u"Printer";

}  // namespace printing_text

// lstSize: the paper sizes offered, in list order.
inline constexpr PaperEntry PaperSizes[] = {
    {1, u"レター 216 x 279 mm"},
    {5, u"リーガル 216 x 356 mm"},
    {8, u"A3 297 x 420 mm"},
    {9, u"A4 210 x 297 mm"},
    {11, u"A5 148 x 210 mm"},
    {12, u"B4 250 x 354 mm"},
    {13, u"B5 182 x 257 mm"},
    {18, u"ノート 216 x 279 mm"},
    {19, u"封筒 #9 98 x 225 mm"},
    {20, u"封筒 #10 105 x 241 mm"},
    {21, u"封筒 #11 114 x 264 mm"},
    {22, u"封筒 #12 114 x 305 mm"},
    {23, u"封筒 #14 152 x 292 mm"},
    {27, u"封筒 DL 110 x 220 mm"},
    {29, u"封筒 C3 324 x 458 mm"},
    {30, u"封筒 C4 229 x 324 mm"},
    {28, u"封筒 C5 162 x 229 mm"},
    {31, u"封筒 C6 114 x 162 mm"},
    {32, u"封筒 C65 114 x 229 mm"},
    {33, u"封筒 B4 250 x 353 mm"},
    {34, u"封筒 B5 176 x 250 mm"},
    {35, u"封筒 B6 176 x 125 mm"},
    {36, u"封筒 110 x 230 mm"},
    {256, u"ユーザー定義のサイズ"},
};

// lstPaper: the paper sources offered, in list order.
inline constexpr PaperEntry PaperSources[] = {
    {1, u"上段のトレー"},
    {2, u"下段のトレー"},
    {3, u"中央のトレー"},
    {4, u"手差し"},
    {5, u"封筒フィーダの封筒(自動) "},
    {6, u"封筒フィーダの封筒(手差し)"},
    {7, u"オートシートフィーダ"},
    {8, u"トラクタ フィーダ"},
    {9, u"小さいペーパーフィーダ"},
    {10, u"大きいペーパーフィーダ"},
    {11, u"大容量フィーダ"},
    {14, u"カセットカートリッジ"},
};

}  // namespace scribbit
