// What the document's life cycle says to the user, exactly as shown.
#pragma once

#include <string_view>

namespace scribbit::document_text {

// The ask-to-save prompt: prefix + path + suffix.
inline constexpr std::u16string_view AskToSavePrefix = u"ファイル ";
inline constexpr std::u16string_view AskToSaveSuffix = u"の内容は変更されています。\r\n変更を保存しますか？";

// Status panel 1 and the caption.
inline constexpr std::u16string_view ReadOnlySuffix = u"(読込み専用)";
inline constexpr std::u16string_view SavedCaptionSuffix = u" - ScribbitⅡ";
inline constexpr std::u16string_view EmptyCount = u"0";

// Saving text the code page cannot hold: line 1, then
// prefix + character + code + line + suffix, then the question.
inline constexpr std::u16string_view UnrepresentableHeading =
    u"この文書には、文字コード(ANSI コードページ)で表せない文字が含まれています。";
inline constexpr std::u16string_view UnrepresentableFirst = u"最初の文字: ";
inline constexpr std::u16string_view LineSuffix = u" 行目";
inline constexpr std::u16string_view UnrepresentableQuestion =
    u"これらの文字は「?」に置き換えて保存されます。保存しますか？";

// Opening bytes that will not be written back as they were.
inline constexpr std::u16string_view ChangedBytesStart =
    u"このファイルには、文字コード(ANSI コードページ)として正しくないバイト、"
    u"または同じ文字を別の符号で表したバイトが含まれています(最初の箇所: ";
inline constexpr std::u16string_view ChangedBytesEnd =
    u" 行目)。\r\n保存すると、これらのバイトは書き換えられます。";
inline constexpr std::u16string_view NulBytesStart =
    u"このファイルには NUL 文字(0x00)が含まれています(最初の箇所: ";
inline constexpr std::u16string_view NulBytesEnd =
    u" 行目)。\r\nその後ろの文章が失われないよう空白に置き換えて表示しています。"
    u"保存すると空白として書き込まれます。";

}  // namespace scribbit::document_text
