#include <iterator>

#include "win32/adapter_test.h"
#include "win32/command_line_win32.h"

namespace scribbit {
namespace {

ADAPTER_TEST(CommandTailSkipsTheProgramNameAndKeepsTheRestWhole) {
    struct Case {
        std::u16string_view commandLine;
        std::u16string_view tail;
    };
    const Case cases[] = {
        {u"ScribbitⅡ.exe", u""},
        {u"ScribbitⅡ.exe   ", u""},
        {u"C:\\Tools\\ScribbitⅡ.exe memo.txt", u"memo.txt"},
        {u"\"C:\\My Tools\\ScribbitⅡ.exe\" C:\\My Documents\\a b.txt", u"C:\\My Documents\\a b.txt"},
        {u"\"C:\\My Tools\\ScribbitⅡ.exe\"\"C:\\a b.txt\"", u"\"C:\\a b.txt\""},
        {u"prog.exe \t \"C:\\a b.txt\"  \t", u"\"C:\\a b.txt\""},
        {u"prog.exe  two  inner   blanks.txt", u"two  inner   blanks.txt"},
        {u"\"unterminated quote.exe arg", u""},
        {u"", u""},
    };
    for (const Case& c : cases) EXPECT_EQ(CommandTail(c.commandLine), std::u16string(c.tail));
}

ADAPTER_TEST(FolderOfPathDropsTheFileNameAndKeepsADriveRoot) {
    EXPECT_EQ(FolderOfPath(u"C:\\Tools\\ScribbitⅡ.exe"), std::u16string(u"C:\\Tools"));
    EXPECT_EQ(FolderOfPath(u"C:\\ScribbitⅡ.exe"), std::u16string(u"C:\\"));
    EXPECT_EQ(FolderOfPath(u"\\\\server\\share\\ScribbitⅡ.exe"), std::u16string(u"\\\\server\\share"));
    EXPECT_EQ(FolderOfPath(u"ScribbitⅡ.exe"), std::u16string());
}

}  // namespace
}  // namespace scribbit
