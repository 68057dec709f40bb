// The reports of failures the user may want to pass on: shown with the
// critical icon, then left on the clipboard so they can be pasted into a
// mail.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/app_context.h"
#include "platform/types.h"

namespace scribbit {

// "エラーです。", the file (when one is involved), the component, the number,
// the system's description and the program's version, one per line.
std::u16string ErrorReportText(const SystemError& error,
                               std::optional<std::u16string_view> fileName = std::nullopt);

// The report when the edit control refuses a text.
std::u16string TooLargeReportText();

// Shows report in a critical OK box and then puts it on the clipboard. A
// clipboard held by another program is given up silently: the user has
// already read the report.
void ShowErrorReport(AppContext& context, const std::u16string& report);

}  // namespace scribbit
