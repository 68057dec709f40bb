// What several folders say to the user in the same words, exactly as shown:
// the modified mark, the message of a failure without a report, and the
// error report.
#pragma once

#include <string_view>

namespace scribbit::core_text {

// Status panel 1 once the document is modified.
inline constexpr std::u16string_view ModifiedSuffix = u"(変更)";

// A save, the font dialog or page setup's printer button could not be done.
inline constexpr std::u16string_view OtherError = u"その他のエラー";

// The report of a failed open, print or printer list.
inline constexpr std::u16string_view ErrorHeading = u"エラーです。";
inline constexpr std::u16string_view ErrorFileLabel = u"OpenFileName: ";
inline constexpr std::u16string_view ErrorSourceLabel = u"オブジェクト : ";
inline constexpr std::u16string_view ErrorNumberLabel = u"エラー番号   : ";
inline constexpr std::u16string_view ErrorVersionLabel = u"Ver ";

// The edit control refused the text.
inline constexpr std::u16string_view TooLargeReport =
    u"ごめんなさい、32kB以上のファイルは開けません。\r\n"
    u"すみませんが、32kB以下のファイルで編集を行って下さい。\r\n"
    u"\r\n"
    u"もし、32kB以下のファイルを開いてこのエラーが出た場合は、\r\n"
    u"メモリが足りなくなっている可能性があります。\r\n"
    u"使用していないアプリケーションは終了するなどして下さい。";

}  // namespace scribbit::core_text
