// The clipboard's plain text, and a clipboard another program holds.
#include <gtest/gtest.h>

#include "contract/port_rigs.h"

namespace scribbit::contract {
namespace {

TEST(ClipboardContract, KeepsTextWholeUntilAnotherProgramHoldsIt) {
    const auto rig = MakeRig();
    Clipboard& clipboard = rig->TheClipboard();
    for (const std::u16string& text : {std::u16string(), std::u16string(u"日本語\r\n\U0001F600")}) {
        EXPECT_TRUE(clipboard.SetText(text));
        EXPECT_EQ(clipboard.GetText(), text);
    }
    EXPECT_TRUE(clipboard.SetText(u"before"));
    rig->HoldClipboard(true);
    EXPECT_EQ(std::tuple(clipboard.IsAvailable(), clipboard.SetText(u"held"), clipboard.GetText()),
              std::tuple(false, false, std::nullopt));
    rig->HoldClipboard(false);
    EXPECT_EQ(std::tuple(clipboard.IsAvailable(), clipboard.GetText()), std::tuple(true, u"before"));
}

}  // namespace
}  // namespace scribbit::contract
