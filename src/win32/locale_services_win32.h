// The ANSI code page conversions of the running system.
#pragma once

#include "platform/locale_services.h"

namespace scribbit {

class LocaleServicesWin32 final : public LocaleServices {
public:
    AnsiEncoding ToAnsi(std::u16string_view text) const override;
    std::u16string FromAnsi(std::string_view bytes) const override;
};

}  // namespace scribbit
