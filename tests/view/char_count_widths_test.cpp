// The byte count of large texts is summed from per-character widths that are
// measured once and kept: it must stay the exact length of the conversion,
// follow the locale it is given, and not convert the code page again at
// every key release.
#include <gtest/gtest.h>

#include <string>

#include "support/app_fixture.h"
#include "view/char_count.h"

namespace scribbit {
namespace {

// A locale that can change its code page between two counts, as a locale
// object in the same place would, and that adds up what it converts.
class SwitchableLocale : public LocaleServices {
public:
    enum class Page { Japanese, SingleByte, DoubleByte };

    AnsiEncoding ToAnsi(std::u16string_view text) const override {
        convertedUnits += text.size();
        if (page == Page::Japanese) return japanese.ToAnsi(text);
        AnsiEncoding result;
        for (const char16_t unit : text) {
            // Line feeds stay single so that the widths can be measured.
            if (page == Page::SingleByte || unit == u'\n') {
                result.bytes += unit < 0x100 ? static_cast<char>(unit) : '?';
            } else {
                result.bytes += static_cast<char>(0x81);
                result.bytes += static_cast<char>(0x40 + (unit & 0x3F));
            }
        }
        return result;
    }
    std::u16string FromAnsi(std::string_view bytes) const override { return japanese.FromAnsi(bytes); }

    Page page = Page::Japanese;
    mutable std::size_t convertedUnits = 0;
    FakeLocale japanese;
};

class CharCountWidthsTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.form.Form_Load(u"");
        mnuCOUNT_Click(app.Context(), 1);
    }

    std::u16string CountWith(const LocaleServices& locale) {
        Ports ports{
            app.frame,   app.txtReturn, app.txtNoReturn, app.status, app.menus,
            app.toolBar, app.dialogs,   app.clipboard,   app.files,  const_cast<LocaleServices&>(locale)};
        AppContext context(ports, u"C:\\Tools\\");
        UpdateCharCount(context);
        return app.status.PanelText(3);
    }

    static std::u16string Digits(std::size_t count) {
        const std::string digits = std::to_string(count);
        return std::u16string(digits.begin(), digits.end());
    }

    AppFixture app;
};

std::u16string LargeText() {
    std::u16string text;
    while (text.size() < 0x30000) text += u"漢字かなｶﾞABC\r\n①〜～−－𠀋\t\\¥€";
    return text;
}

TEST_F(CharCountWidthsTest, KeptWidthsFollowTheTextAndTheLocale) {
    SwitchableLocale locale;
    std::u16string text = LargeText();
    struct Step {
        SwitchableLocale::Page page;
        std::u16string_view added;  // typed before the count
    };
    const Step steps[] = {
        {SwitchableLocale::Page::Japanese, u""},
        {SwitchableLocale::Page::Japanese, u"あ"},       // one character more: two bytes more
        {SwitchableLocale::Page::Japanese, u"ｱ\xD800"},  // half-width kana and a lone surrogate
        {SwitchableLocale::Page::SingleByte, u""},       // another code page in the same place
        {SwitchableLocale::Page::DoubleByte, u"x"},
        {SwitchableLocale::Page::Japanese, u"\U00020B9F"},  // and back
    };
    for (const Step& step : steps) {
        text += step.added;
        locale.page = step.page;
        app.ActiveView().SetText(text);
        EXPECT_EQ(CountWith(locale), Digits(locale.ToAnsi(text).bytes.size())) << static_cast<int>(step.page);
    }
    // Another locale object is measured for itself.
    SwitchableLocale other;
    other.page = SwitchableLocale::Page::SingleByte;
    EXPECT_EQ(CountWith(other), Digits(other.ToAnsi(text).bytes.size()));
    EXPECT_EQ(CountWith(locale), Digits(locale.ToAnsi(text).bytes.size()));
}

TEST_F(CharCountWidthsTest, RecountingALargeTextDoesNotConvertTheCodePageAgain) {
    SwitchableLocale locale;
    const std::u16string text = LargeText();
    app.ActiveView().SetText(text);
    const std::u16string first = CountWith(locale);
    EXPECT_EQ(first, Digits(locale.ToAnsi(text).bytes.size()));

    // Each key release of a run: a small sample is converted, not the 64 K
    // characters of the code page and not the text.
    for (int release = 0; release < 3; ++release) {
        locale.convertedUnits = 0;
        EXPECT_EQ(CountWith(locale), first);
        EXPECT_LT(locale.convertedUnits, 4096u);
    }
}

}  // namespace
}  // namespace scribbit
