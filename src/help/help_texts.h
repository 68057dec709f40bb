// The Help menu's and the About dialog's texts, exactly as the user sees them.
#pragma once

#include <string_view>

namespace scribbit::help_texts {

// Where the read-me lies (in the program's folder) and the help file.
inline constexpr std::u16string_view ReadmeFileName = u"Readme.txt";
inline constexpr std::u16string_view HelpFileName = u"ScribbitⅡ.hlp";
inline constexpr std::u16string_view ReadmeNotStarted = u"新しいウィンドウで Readme.txt を開けませんでした。";

// frmABOUT.
inline constexpr std::u16string_view AboutCaption = u"バージョン情報";
inline constexpr std::u16string_view ProgramLabel = u"ScribbitⅡ";
inline constexpr std::u16string_view VersionPrefix = u"Ver ";
inline constexpr std::u16string_view SupportLabel = u"サポート先";
inline constexpr std::u16string_view HomePage = u"https://scribbit.example/";
inline constexpr std::u16string_view MailAddress = u"author@scribbit.example";
inline constexpr std::u16string_view MailTargetPrefix = u"mailto:";
inline constexpr std::u16string_view HomePageToolTip = u"最新版のアップロード先です";
inline constexpr std::u16string_view MailToolTip = u"作者にメールをするときはこちら";
inline constexpr std::u16string_view IconToolTip = u"押しても何もなりません^_^;";
inline constexpr std::u16string_view OkCaption = u"OK";
inline constexpr std::u16string_view OkToolTip = u"閉じます";
// The notice: four lines, each opening with an ideographic space.
inline constexpr std::u16string_view Notice =
    u"　\r\n"
    u"　このソフトウェアを使ったことで生じたいかなる問題についても、作者 (ScribbitⅡ 開発室) "
    u"は一切の保証をいたしません。\r\n"
    u"　ご自分の責任でお使いください。\r\n"
    u"　";

}  // namespace scribbit::help_texts
