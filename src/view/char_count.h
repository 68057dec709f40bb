// The character count in status panel 3 and its unit (the mnuCOUNT submenu).
#pragma once

#include "core/app_context.h"

namespace scribbit {

inline constexpr std::u16string_view CountUnitCharacters = u"文字";
inline constexpr std::u16string_view CountUnitBytes = u"バイト";
inline constexpr int CountUnitPanel = 2;
inline constexpr int CountPanel = 3;

// Counts the ActiveEditor's whole text into panel 3: UTF-16 units while
// the count unit is characters ("文字単位"), otherwise bytes in the ANSI
// code page.
void UpdateCharCount(AppContext& context);

// Sets the count unit, checks it in the submenu and names it in panel 2;
// does not recount.
void SetCountUnit(AppContext& context, bool countCharacters);

// 0 "文字単位", 1 "バイト単位": switch the unit, then recount.
void mnuCOUNT_Click(AppContext& context, int index);

}  // namespace scribbit
