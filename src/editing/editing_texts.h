// The editing subsystem's texts, exactly as the user sees them.
#pragma once

#include <string_view>

namespace scribbit::editing_texts {

// Messages.
inline constexpr std::u16string_view SearchFinished = u"検索が終わりました。";
inline constexpr std::u16string_view NothingToReplace = u"該当する文字は見つかりませんでした。";
inline constexpr std::u16string_view ReplacedPrefix = u"全部で";
inline constexpr std::u16string_view ReplacedSuffix = u"個、置換しました。";
inline constexpr std::u16string_view ClipboardBusy =
    u"クリップボードが他のプログラムで使用中のため、処理できませんでした。\n"
    u"しばらくしてから、もう一度実行してください。";
inline constexpr std::u16string_view TextTooLarge =
    u"メモリが足りないため、テキストを変更できませんでした。\nテキストは元のままです。";
inline constexpr std::u16string_view LineNumberPrefix = u"行番号は 1 から ";
inline constexpr std::u16string_view LineNumberSuffix = u" までの数字で入力してください。";

// 行へ移動 (frmMoveLine).
inline constexpr std::u16string_view GoToLineCaption = u"行へ移動";
inline constexpr std::u16string_view GoToLineToolTip = u"指定した行へジャンプします";
inline constexpr std::u16string_view OkCaption = u"OK";
inline constexpr std::u16string_view CancelCaption = u"キャンセル";

// 検索 (frmFIND) and 置換 (frmSUBSTITUTE).
inline constexpr std::u16string_view FindCaption = u"検索";
inline constexpr std::u16string_view ReplaceCaption = u"置換";
inline constexpr std::u16string_view FindStringLabel = u"検索する文字列(&N):";
inline constexpr std::u16string_view FindTextToolTip = u"検索したいキーワードを入力してください";
inline constexpr std::u16string_view DirectionFrame = u"検索する方向";
inline constexpr std::u16string_view UpCaption = u"上へ(&U)";
inline constexpr std::u16string_view UpToolTip = u"上方向に検索します";
inline constexpr std::u16string_view DownCaption = u"下へ(&D)";
inline constexpr std::u16string_view DownToolTip = u"下方向に検索します";
inline constexpr std::u16string_view MatchCaseCaption = u"大文字と小文字を区別する(&C)";
inline constexpr std::u16string_view MatchCaseToolTip =
    u"ここにチェックすると大文字と小文字を区別して検索します";
inline constexpr std::u16string_view FindNextCaption = u"次を検索(&F)";
inline constexpr std::u16string_view FindButtonToolTip = u"次を検索";
inline constexpr std::u16string_view CancelToolTip = u"キャンセルします";
inline constexpr std::u16string_view SubstStringLabel = u"置換する文字列(&N):";
inline constexpr std::u16string_view SubstTextToolTip = u"置換する文字列を指定してください";
inline constexpr std::u16string_view FindFromTopCaption = u"ファイルの先頭から(&T)";
inline constexpr std::u16string_view NextFindToolTip = u"次を検索します";
inline constexpr std::u16string_view SubstNextCaption = u"置換して次に(&R)";
inline constexpr std::u16string_view SubstNextToolTip = u"置換してから次を検索します";
inline constexpr std::u16string_view AllSubstCaption = u"すべて置換(&A)";
inline constexpr std::u16string_view AllSubstToolTip = u"全てを置換します";

// タブスペースの設定 (frmTabSpace).
inline constexpr std::u16string_view TabSpaceCaption = u"タブスペースの設定";
inline constexpr std::u16string_view TabSpaceFrame = u"タブスペースの設定";
inline constexpr std::u16string_view TabSpaceLabel = u"変換するスペースの数を設定して下さい。";

}  // namespace scribbit::editing_texts
