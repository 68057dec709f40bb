// The toolbar customisation dialog's texts, exactly as the user sees them
// (the command names and list texts are the catalogue's).
#pragma once

#include <string_view>

namespace scribbit::toolbar_texts {

inline constexpr std::u16string_view EditToolBarCaption = u"ツールバーのカスタマイズ";
inline constexpr std::u16string_view AddCaption = u"追加 >>";
inline constexpr std::u16string_view DelCaption = u"<< 削除";
inline constexpr std::u16string_view AddSeparatorCaption = u"区切り>>";
inline constexpr std::u16string_view UpCaption = u"↑";
inline constexpr std::u16string_view DownCaption = u"↓";
inline constexpr std::u16string_view OkCaption = u"OK";
inline constexpr std::u16string_view CancelCaption = u"キャンセル";
inline constexpr std::u16string_view ApplyCaption = u"適用";
// The three bottom buttons' font, in points.
inline constexpr std::u16string_view BottomButtonFont = u"ＭＳ Ｐゴシック";
inline constexpr double BottomButtonFontSize = 9.75;

}  // namespace scribbit::toolbar_texts
