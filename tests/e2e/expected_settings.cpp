#include "e2e/expected_settings.h"

namespace e2e {

namespace {
const wchar_t* TrueFalse(bool value) { return value ? L"True" : L"False"; }
}  // namespace

std::vector<std::wstring> DefaultToolBarRecords() {
    return {
        L"新規作成,0,new,新規作成",
        L"開く,0,open,開く...",
        L"名前を付けて保存,0,saveas,名前を付けて保存...",
        L"終了,0,exit,終了",
        L",3,0,(区切り)",
        L"元に戻す,0,undo,元に戻す",
        L"切り取り,0,cut,切り取り",
        L"コピー,0,copy,コピー",
        L"貼り付け,0,paste,貼り付け",
        L"削除,0,delete,削除",
        L",3,0,(区切り)",
        L"ひらがな→カタカナ,0,hira_kata,ひらがな→カタカナ",
        L"全角→半角,0,zen_han,全角→半角",
        L"小文字→大文字,0,min_big,小文字→大文字",
        L"カタカナ→ひらがな,0,kata_hira,カタカナ→ひらがな",
        L"半角→全角,0,han_zen,半角→全角",
        L"大文字→小文字,0,big_min,大文字→小文字",
        L"CR+LF→LF変換,0,crlf_lf,CR+LF→LF変換",
        L"LF→CR+LF変換,0,lf_crlf,LF→CR+LF変換",
        L"タブ→スペース変換,0,tab_space,タブ→スペース変換...",
        L"スペース→タブ変換,0,space_tab,スペース→タブ変換...",
        L"行末のスペース削除,0,delspace,行末のスペース削除",
        L"改行(CR+LF)の削除,0,delcrlf,改行(CR+LF)の削除",
        L",3,0,(区切り)",
        L"ヘルプ,0,help,ヘルプ...",
        L"バージョン情報,0,about,バージョン情報...",
    };
}

ExpectedSettings FirstRunSettings() {
    ExpectedSettings settings;
    settings.toolBarRecords = DefaultToolBarRecords();
    return settings;
}

std::wstring SettingsText(const ExpectedSettings& s) {
    std::wstring text;
    auto line = [&](const std::wstring& content) { text += content + L"\r\n"; };
    line(L"[Setting]");
    line(L"Xpos=" + std::to_wstring(s.xpos));
    line(L"Ypos=" + std::to_wstring(s.ypos));
    line(L"Xsize=" + std::to_wstring(s.xsize));
    line(L"Ysize=" + std::to_wstring(s.ysize));
    line(std::wstring(L"StatusBar=") + TrueFalse(s.statusBar));
    line(std::wstring(L"ToolBar=") + TrueFalse(s.toolBar));
    line(std::wstring(L"CharCount=") + TrueFalse(s.charCount));
    line(std::wstring(L"TurnRight=") + TrueFalse(s.turnRight));
    line(L"TabSpace=" + std::to_wstring(s.tabSpace));
    line(std::wstring(L"MostFront=") + TrueFalse(s.mostFront));
    line(L"");
    line(L"");
    line(L"[Font]");
    line(std::wstring(L"Bold=") + TrueFalse(s.bold));
    line(std::wstring(L"Italic=") + TrueFalse(s.italic));
    line(L"Name=" + s.fontName);
    line(L"Size=" + s.fontSize);
    line(std::wstring(L"Strikethrough=") + TrueFalse(s.strikethrough));
    line(std::wstring(L"Underline=") + TrueFalse(s.underline));
    line(L"Color=&H" + s.color);
    line(L"");
    line(L"");
    line(L"[ToolBar]");
    for (const std::wstring& record : s.toolBarRecords) line(record);
    return text;
}

}  // namespace e2e
