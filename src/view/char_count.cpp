#include "view/char_count.h"

#include <string>

namespace scribbit {

void UpdateCharCount(AppContext& context) {
    const Ports& ports = context.ports;
    const std::u16string text = context.ActiveEditor().Text();
    const std::size_t count =
        ports.menus.IsChecked(menu::CountCharacters) ? text.size() : ports.locale.ToAnsi(text).bytes.size();
    const std::string digits = std::to_string(count);
    ports.sttSTATUS.SetPanelText(CountPanel, std::u16string(digits.begin(), digits.end()));
}

void SetCountUnit(AppContext& context, bool countCharacters) {
    const Ports& ports = context.ports;
    ports.menus.SetChecked(menu::CountCharacters, countCharacters);
    ports.menus.SetChecked(menu::CountBytes, !countCharacters);
    ports.sttSTATUS.SetPanelText(CountUnitPanel,
                                 std::u16string(countCharacters ? CountUnitCharacters : CountUnitBytes));
}

void mnuCOUNT_Click(AppContext& context, int index) {
    if (index != menu::CountCharacters.index && index != menu::CountBytes.index) return;
    SetCountUnit(context, index == menu::CountCharacters.index);
    UpdateCharCount(context);
}

}  // namespace scribbit
