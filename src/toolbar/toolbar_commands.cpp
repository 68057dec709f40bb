#include "toolbar/toolbar_commands.h"

#include <array>

#include "editing/conversions.h"

namespace scribbit {
namespace {

struct ToolBarCommand {
    std::u16string_view commandName;
    MenuItem item;
};

constexpr MenuItem Change(Conversion conversion) {
    return MenuItem{Menu::Change, static_cast<int>(conversion)};
}

constexpr std::u16string_view CountCommand = u"文字のカウント方式";

constexpr std::array<ToolBarCommand, 40> Commands{{
    {u"新規作成", menu::FileNew},
    {u"開く", menu::FileOpen},
    {u"上書き保存", menu::FileSave},
    {u"名前を付けて保存", menu::FileSaveAs},
    {u"ページ設定", menu::FilePageSetup},
    {u"印刷", menu::FilePrint},
    {u"終了", menu::FileExit},
    {u"元に戻す", menu::EditUndo},
    {u"切り取り", menu::EditCut},
    {u"コピー", menu::EditCopy},
    {u"貼り付け", menu::EditPaste},
    {u"削除", menu::EditDelete},
    {u"検索", menu::EditFind},
    {u"次を検索", menu::EditFindNext},
    {u"置換", menu::EditReplace},
    {u"行へ移動", menu::EditGoToLine},
    {u"すべて選択", menu::EditSelectAll},
    {u"日付と時刻", menu::EditTimeDate},
    {u"右端で折り返す", menu::FormWordWrap},
    {u"フォント", menu::FormFont},
    {u"ステータスバーの表示", menu::FormStatusBar},
    {u"ツールバーの表示", menu::FormToolBar},
    {u"常に手前に表示", menu::FormAlwaysOnTop},
    {u"ひらがな→カタカナ", Change(Conversion::HiraganaToKatakana)},
    {u"全角→半角", Change(Conversion::FullWidthToHalfWidth)},
    {u"小文字→大文字", Change(Conversion::ToUpperCase)},
    {u"カタカナ→ひらがな", Change(Conversion::KatakanaToHiragana)},
    {u"半角→全角", Change(Conversion::HalfWidthToFullWidth)},
    {u"大文字→小文字", Change(Conversion::ToLowerCase)},
    {u"CR+LF→LF変換", Change(Conversion::CrLfToLf)},
    {u"LF→CR+LF変換", Change(Conversion::LfToCrLf)},
    {u"タブ→スペース変換", Change(Conversion::TabsToSpaces)},
    {u"スペース→タブ変換", Change(Conversion::SpacesToTabs)},
    {u"\\→/変換", Change(Conversion::BackslashToSlash)},
    {u"/→\\変換", Change(Conversion::SlashToBackslash)},
    {u"行末のスペース削除", Change(Conversion::TrimLineEnds)},
    {u"改行(CR+LF)の削除", Change(Conversion::RemoveLineBreaks)},
    {u"行末に<br>追加", Change(Conversion::AppendBrTags)},
    {u"ヘルプ", menu::HelpContents},
    {u"バージョン情報", menu::HelpAbout},
}};

}  // namespace

std::optional<MenuItem> ToolBarCommandItem(std::u16string_view key, const ViewState& view) {
    if (key == CountCommand) return view.countCharacters ? menu::CountBytes : menu::CountCharacters;
    for (const ToolBarCommand& command : Commands) {
        if (command.commandName == key) return command.item;
    }
    return std::nullopt;
}

void DispatchToolBarCommand(std::u16string_view key, const ViewState& view,
                            const std::function<void(MenuItem)>& menuClick) {
    if (const std::optional<MenuItem> item = ToolBarCommandItem(key, view)) menuClick(*item);
}

}  // namespace scribbit
