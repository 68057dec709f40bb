// The numbers a user types or a settings file holds, full-width digits and
// exponents included: every reader stays within its range, a margin reads
// back as it is shown, and plain whole numbers are taken at their value.
#include <charconv>

#include "core/setting_values.h"
#include "editing/entry_text.h"
#include "editing/go_to_line.h"
#include "editing/tab_width.h"
#include "fuzz/fuzz_input.h"
#include "printing/page_setup_dialog.h"
#include "support/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scribbit;
    if (size < 2) return 0;
    const long long lines = data[0] * 256 + data[1];
    const std::u16string entry =
        TextOf(Bytes(data + 2, size - 2), u"0123456789012345.+-eE 0.\t　０５９．－ｅx,");
    std::u16string wide(TrimBlanks(entry));  // the dialogs take full-width forms as well
    for (char16_t& c : wide) c = c >= 0xFF01 && c <= 0xFF5E ? static_cast<char16_t>(c - 0xFEE0) : c;
    // Digits alone, however many, read as their value (LLONG_MAX when larger).
    const auto plainValue = [](std::u16string_view text) -> std::optional<long long> {
        const std::string digits = Utf8(text);
        long long value = 0;
        if (digits.empty() || digits.find_first_not_of("0123456789") != digits.npos) return std::nullopt;
        const auto read = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        return read.ec == std::errc() ? value : LLONG_MAX;
    };
    const auto within = [](std::optional<long long> value, long long low, long long high) {
        return value && *value >= low && *value <= high ? value : std::nullopt;
    };
    const std::optional<long long> plain = plainValue(wide);

    const std::int32_t margin = ParseMargin(entry);
    EXPECT_TRUE(margin >= -32767 && margin <= 32767) << margin;
    EXPECT_EQ(ParseMargin(MarginText(margin)), margin);
    if (plain) EXPECT_EQ(margin, std::min(*plain, 32767LL)) << Utf8(entry);
    const auto line = ParseLineNumber(entry, lines);
    EXPECT_EQ(line ? std::optional<long long>(*line) : std::nullopt, within(plain, 1, lines)) << Utf8(entry);
    const auto tab = ParseTabSpaceEntry(entry);
    EXPECT_TRUE(!tab || (*tab >= 1 && *tab <= 32767));
    if (plain) EXPECT_EQ(tab ? std::optional<long long>(*tab) : std::nullopt, within(plain, 1, 32767));

    // A whole number is the leading number; the settings file's digits are ASCII only.
    const auto leading = ReadInt32Setting(entry), whole = ReadWholeInt32Setting(entry);
    EXPECT_TRUE(!whole || whole == leading) << Utf8(entry);
    if (const auto ascii = plainValue(entry)) {
        const auto expected = within(ascii, 0, INT32_MAX);
        EXPECT_TRUE(leading == expected && whole == expected) << Utf8(entry);
    }
    return 0;
}
