#include "toolbar/command_catalogue.h"

#include <array>

namespace scribbit {
namespace {

constexpr std::array<CatalogueEntry, 41> Catalogue{{
    {u"新規作成", u"新規作成", u"new"},
    {u"開く", u"開く...", u"open"},
    {u"上書き保存", u"上書き保存", u"save"},
    {u"名前を付けて保存", u"名前を付けて保存...", u"saveas"},
    {u"ページ設定", u"ページ設定...", u"pageset"},
    {u"印刷", u"印刷...", u"print"},
    {u"終了", u"終了", u"exit"},
    {u"元に戻す", u"元に戻す", u"undo"},
    {u"切り取り", u"切り取り", u"cut"},
    {u"コピー", u"コピー", u"copy"},
    {u"貼り付け", u"貼り付け", u"paste"},
    {u"削除", u"削除", u"delete"},
    {u"検索", u"検索...", u"find"},
    {u"次を検索", u"次を検索", u"findnext"},
    {u"置換", u"置換...", u"replace"},
    {u"行へ移動", u"行へ移動...", u"jump"},
    {u"すべて選択", u"すべて選択", u"select"},
    {u"日付と時刻", u"日付と時刻", u"time"},
    {u"右端で折り返す", u"右端で折り返す", u"turnright"},
    {u"フォント", u"フォント...", u"font"},
    {u"文字のカウント方式", u"文字のカウント方式", u"count"},
    {u"ステータスバーの表示", u"ステータスバーの表示", u"statusbar"},
    {u"ツールバーの表示", u"ツールバーの表示", u"toolbar"},
    {u"常に手前に表示", u"常に手前に表示", u"mostfront"},
    {u"ひらがな→カタカナ", u"ひらがな→カタカナ", u"hira_kata"},
    {u"全角→半角", u"全角→半角", u"zen_han"},
    {u"小文字→大文字", u"小文字→大文字", u"min_big"},
    {u"カタカナ→ひらがな", u"カタカナ→ひらがな", u"kata_hira"},
    {u"半角→全角", u"半角→全角", u"han_zen"},
    {u"大文字→小文字", u"大文字→小文字", u"big_min"},
    {u"CR+LF→LF変換", u"CR+LF→LF変換", u"crlf_lf"},
    {u"LF→CR+LF変換", u"LF→CR+LF変換", u"lf_crlf"},
    {u"タブ→スペース変換", u"タブ→スペース変換...", u"tab_space"},
    {u"スペース→タブ変換", u"スペース→タブ変換...", u"space_tab"},
    {u"\\→/変換", u"\\→/変換", u"en_slash"},
    {u"/→\\変換", u"/→\\変換", u"slash_en"},
    {u"行末のスペース削除", u"行末のスペース削除", u"delspace"},
    {u"改行(CR+LF)の削除", u"改行(CR+LF)の削除", u"delcrlf"},
    {u"行末に<br>追加", u"行末に<br>追加", u"addbr"},
    {u"ヘルプ", u"ヘルプ...", u"help"},
    {u"バージョン情報", u"バージョン情報...", u"about"},
}};

constexpr std::array<std::u16string_view, 42> Images{
    u"open",      u"tab_space", u"mostfront", u"slash_en",  u"space_tab", u"en_slash",  u"count",
    u"addbr",     u"saveas",    u"about",     u"replace",   u"delspace",  u"select",    u"delcrlf",
    u"exit",      u"toolbar",   u"statusbar", u"save",      u"print",     u"undo",      u"new",
    u"findnext",  u"font",      u"han_zen",   u"hira_kata", u"kata_hira", u"time",      u"jump",
    u"lf_crlf",   u"crlf_lf",   u"min_big",   u"big_min",   u"pageset",   u"turnright", u"zen_han",
    u"cut",       u"copy",      u"paste",     u"delete",    u"find",      u"properties", u"help",
};

// Catalogue command names of the first-run toolbar; empty marks a separator.
constexpr std::array<std::u16string_view, 26> DefaultPositions{
    u"新規作成",          u"開く",          u"名前を付けて保存",   u"終了",
    u"",                  u"元に戻す",      u"切り取り",           u"コピー",
    u"貼り付け",          u"削除",          u"",                   u"ひらがな→カタカナ",
    u"全角→半角",         u"小文字→大文字", u"カタカナ→ひらがな",  u"半角→全角",
    u"大文字→小文字",     u"CR+LF→LF変換",  u"LF→CR+LF変換",       u"タブ→スペース変換",
    u"スペース→タブ変換", u"行末のスペース削除", u"改行(CR+LF)の削除", u"",
    u"ヘルプ",            u"バージョン情報",
};

}  // namespace

std::span<const CatalogueEntry> CommandCatalogue() { return Catalogue; }

const CatalogueEntry* FindCatalogueEntry(std::u16string_view commandName) {
    for (const CatalogueEntry& entry : Catalogue) {
        if (entry.commandName == commandName) return &entry;
    }
    return nullptr;
}

std::span<const std::u16string_view> ImageKeys() { return Images; }

int ImageIndex(std::u16string_view key) {
    for (std::size_t i = 0; i < Images.size(); ++i) {
        if (Images[i] == key) return static_cast<int>(i);
    }
    return -1;
}

ToolBarEntry SeparatorEntry() {
    return ToolBarEntry{u"", static_cast<std::int16_t>(ButtonStyle::Separator), u"", std::u16string(SeparatorText)};
}

ToolBarEntry CommandEntry(const CatalogueEntry& entry, ButtonStyle style) {
    return ToolBarEntry{std::u16string(entry.commandName), static_cast<std::int16_t>(style),
                        std::u16string(entry.imageKey), std::u16string(entry.listText)};
}

std::vector<ToolBarEntry> DefaultToolBarEntries() {
    std::vector<ToolBarEntry> entries;
    entries.reserve(DefaultPositions.size());
    for (std::u16string_view name : DefaultPositions) {
        const CatalogueEntry* entry = name.empty() ? nullptr : FindCatalogueEntry(name);
        entries.push_back(entry ? CommandEntry(*entry) : SeparatorEntry());
    }
    return entries;
}

}  // namespace scribbit
