#include "app/menu_tree.h"

#include <array>

namespace scribbit {
namespace {

constexpr Shortcut None{};
constexpr Shortcut Ctrl(char letter, std::u16string_view text) { return Shortcut{true, letter, text}; }

constexpr std::array FileItems{
    MenuItemDef{u"新規(&N)", Ctrl('N', u"Ctrl+N")},
    MenuItemDef{u"開く(&O)...", Ctrl('O', u"Ctrl+O")},
    MenuItemDef{u"上書き保存(&S)", Ctrl('S', u"Ctrl+S")},
    MenuItemDef{u"名前を付けて保存(&A)...", None},
    MenuItemDef{u"-", None},
    MenuItemDef{u"ページ設定(&U)...", None},
    MenuItemDef{u"印刷(&P)...", Ctrl('P', u"Ctrl+P")},
    MenuItemDef{u"-", None},
    MenuItemDef{u"Scribbitの終了(&X)", None},
};

constexpr std::array EditItems{
    MenuItemDef{u"元に戻す(&U)", Ctrl('Z', u"Ctrl+Z"), false},
    MenuItemDef{u"-", None},
    MenuItemDef{u"切り取り(&T)", Ctrl('X', u"Ctrl+X"), false},
    MenuItemDef{u"コピー(&C)", Ctrl('C', u"Ctrl+C"), false},
    MenuItemDef{u"貼り付け(&P)", Ctrl('V', u"Ctrl+V"), true},
    MenuItemDef{u"削除(&L)", Shortcut{false, KeyDelete, u"Del"}, false},
    MenuItemDef{u"-", None},
    MenuItemDef{u"検索(&F)...", Ctrl('F', u"Ctrl+F")},
    MenuItemDef{u"次を検索(&N)", Shortcut{false, KeyF3, u"F3"}},
    MenuItemDef{u"置換(&R)...", Ctrl('R', u"Ctrl+R")},
    MenuItemDef{u"行へ移動(&G)...", Ctrl('G', u"Ctrl+G")},
    MenuItemDef{u"-", None},
    MenuItemDef{u"すべて選択(&A)", Ctrl('A', u"Ctrl+A")},
    MenuItemDef{u"日付と時刻(&D)", Shortcut{false, KeyF5, u"F5"}},
};

constexpr std::array FormItems{
    MenuItemDef{u"右端で折り返す(&W)", None},
    MenuItemDef{u"フォント(&F)...", None},
    MenuItemDef{u"-", None},
    MenuItemDef{u"文字のカウント方式", None, true, Menu::Count, true},
    MenuItemDef{u"-", None},
    MenuItemDef{u"ステータスバーの表示", None},
    MenuItemDef{u"ツールバーの表示", None},
    MenuItemDef{u"-", None},
    MenuItemDef{u"常に手前に表示", None},
};

constexpr std::array CountItems{
    MenuItemDef{u"文字単位", None},
    MenuItemDef{u"バイト単位", None},
};

constexpr std::array ChangeItems{
    MenuItemDef{u"ひらがな→カタカナ", None},
    MenuItemDef{u"全角→半角", None},
    MenuItemDef{u"小文字→大文字", None},
    MenuItemDef{u"-", None},
    MenuItemDef{u"カタカナ→ひらがな", None},
    MenuItemDef{u"半角→全角", None},
    MenuItemDef{u"大文字→小文字", None},
    MenuItemDef{u"-", None},
    MenuItemDef{u"CR+LF→LF変換", None},
    MenuItemDef{u"LF→CR+LF変換", None},
    MenuItemDef{u"-", None},
    MenuItemDef{u"タブ→スペース変換...", None},
    MenuItemDef{u"スペース→タブ変換...", None},
    MenuItemDef{u"-", None},
    MenuItemDef{u"\\→/変換", None},
    MenuItemDef{u"/→\\変換", None},
    MenuItemDef{u"-", None},
    MenuItemDef{u"行末のスペース削除", None},
    MenuItemDef{u"改行(CR+LF)の削除", None},
    MenuItemDef{u"-", None},
    MenuItemDef{u"行末に<br>追加", None},
};

constexpr std::array HelpItems{
    MenuItemDef{u"目次(&C)...", None, true},
    MenuItemDef{u"検索(&S)...", None, false},
    MenuItemDef{u"-", None},
    MenuItemDef{u"バージョン情報(&A)...", None, true},
};

constexpr std::array ToolBarItems{
    MenuItemDef{u"ツールバーのカスタマイズ", None},
};

const std::array Tree{
    MenuDef{Menu::File, u"ファイル(&F)", true, FileItems},
    MenuDef{Menu::Edit, u"編集(&E)", true, EditItems},
    MenuDef{Menu::Form, u"書式/その他(&O)", true, FormItems},
    MenuDef{Menu::Change, u"テキスト処理(C)", true, ChangeItems},
    MenuDef{Menu::Help, u"ヘルプ(&H)", true, HelpItems},
    MenuDef{Menu::ToolBar, u"ツールバー", false, ToolBarItems},
    MenuDef{Menu::Count, u"文字のカウント方式", false, CountItems},
};

}  // namespace

std::span<const MenuDef> MenuTree() { return Tree; }

const MenuDef& FindMenu(Menu menu) {
    for (const MenuDef& def : Tree) {
        if (def.menu == menu) return def;
    }
    return Tree.front();
}

}  // namespace scribbit
