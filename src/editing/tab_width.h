// The tab-width dialog (frmTabSpace): how many spaces stand for one tab.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scribbit {

inline constexpr std::int32_t DefaultTabSpace = 8;
inline constexpr std::int32_t MaxTabSpace = 32767;

// An entry is accepted when it is a number, and its value rounded to the
// nearest integer (a half to the even neighbour) lies from 1 to 32767.
std::optional<std::int32_t> ParseTabSpaceEntry(std::u16string_view entry);

class TabSpaceDialogModel {
public:
    // A width that is not usable (below 1, or above what the dialog accepts)
    // becomes 8 when the dialog opens.
    explicit TabSpaceDialogModel(std::int32_t& tabSpace);
    TabSpaceDialogModel(const TabSpaceDialogModel&) = delete;
    TabSpaceDialogModel& operator=(const TabSpaceDialogModel&) = delete;

    // What txtTabSpace shows when the dialog opens.
    const std::u16string& InitialEntry() const { return initialEntry_; }
    // cmdOK: true when the entry was taken (the dialog closes); false
    // refuses it without a message and the dialog stays as typed.
    bool OnOK(std::u16string_view entry);
    // cmdCancel, Esc and the close box keep the width.

private:
    std::int32_t& tabSpace_;
    std::u16string initialEntry_;
};

}  // namespace scribbit
