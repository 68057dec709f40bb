// The About dialog (frmABOUT): version and notice, and the two links that
// turn red under the mouse and open the home page or a mail to the author.
#pragma once

#include <string>

#include "core/app_context.h"
#include "platform/shell.h"
#include "platform/types.h"

namespace scribbit {

inline constexpr Color LinkColor = 0xFF0000;       // blue in the system's BGR order
inline constexpr Color LinkHoverColor = 0x0000FF;  // red

class AboutModel {
public:
    AboutModel(const AppContext& context, Shell& shell) : context_(context), shell_(shell) {}
    AboutModel(const AboutModel&) = delete;
    AboutModel& operator=(const AboutModel&) = delete;

    // lblVERSION and lblData, set on every load.
    std::u16string VersionText() const;
    std::u16string NoticeText() const;
    std::u16string HomePageText() const;  // lblHOMEPAGE
    std::u16string MailText() const;      // lblMAIL

    // The dialog has no owner: over a main window kept on top it is kept
    // on top as well, or it would open hidden behind it.
    void OnActivate(TopLevelWindow& dialog);

    Color HomePageColor() const { return homePageColor_; }
    Color MailColor() const { return mailColor_; }
    // The mouse over the dialog's background turns both links blue; over a
    // link, that link turns red and the other keeps its colour.
    void OnBackgroundMouseMove();
    void OnHomePageMouseMove() { homePageColor_ = LinkHoverColor; }
    void OnMailMouseMove() { mailColor_ = LinkHoverColor; }

    // A link opens its target in the process's current directory; the
    // dialog then closes, whatever came of it.
    void OnHomePageClick();
    void OnMailClick();

private:
    const AppContext& context_;
    Shell& shell_;
    Color homePageColor_ = LinkColor;
    Color mailColor_ = LinkColor;
};

}  // namespace scribbit
