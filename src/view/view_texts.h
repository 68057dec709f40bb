// What the view options say to the user, exactly as shown.
#pragma once

#include <string_view>

namespace scribbit::view_text {

// The other edit view could not take the document.
inline constexpr std::u16string_view WordWrapFailed =
    u"メモリが足りないため、右端で折り返す設定を切り替えられませんでした。\r\n"
    u"テキストと表示は元のままです。";

// A font whose name the settings file cannot hold: prefix + name + middle +
// the name stored instead + suffix.
inline constexpr std::u16string_view UnstorableFontPrefix = u"フォント名「";
inline constexpr std::u16string_view UnstorableFontMiddle =
    u"」は文字コード(ANSI コードページ)で表せないため、設定ファイルに保存できません。\r\n"
    u"このフォントは今回だけ使われ、次回の起動時には「";
inline constexpr std::u16string_view UnstorableFontSuffix = u"」に戻ります。";

}  // namespace scribbit::view_text
