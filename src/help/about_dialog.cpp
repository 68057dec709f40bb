#include "help/about_dialog.h"

#include "core/app_context.h"
#include "help/help_commands.h"
#include "help/help_texts.h"
#include "view/view_options.h"

namespace scribbit {

std::u16string AboutModel::VersionText() const {
    return VersionLabel(VersionMajor, VersionMinor, VersionRevision);
}

std::u16string AboutModel::NoticeText() const {
    return std::u16string(help_texts::Notice);
}

std::u16string AboutModel::HomePageText() const {
    return std::u16string(help_texts::HomePage);
}

std::u16string AboutModel::MailText() const {
    return std::u16string(help_texts::MailAddress);
}

void AboutModel::OnActivate(TopLevelWindow& dialog) {
    KeepDialogAboveMainWindow(context_, dialog);
}

void AboutModel::OnBackgroundMouseMove() {
    homePageColor_ = LinkColor;
    mailColor_ = LinkColor;
}

void AboutModel::OnHomePageClick() {
    shell_.OpenWithShell(HomePageText(), shell_.CurrentDirectory());
}

void AboutModel::OnMailClick() {
    shell_.OpenWithShell(std::u16string(help_texts::MailTargetPrefix) + MailText(),
                         shell_.CurrentDirectory());
}

}  // namespace scribbit
