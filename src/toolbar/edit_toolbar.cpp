#include "toolbar/edit_toolbar.h"

#include <utility>

#include "toolbar/command_catalogue.h"
#include "toolbar/paste_history_menu.h"
#include "toolbar/toolbar_list.h"
#include "view/layout.h"
#include "view/view_options.h"

namespace scribbit {
namespace {

ButtonStyle StyleForText(const std::u16string& text) {
    if (text == SeparatorText) return ButtonStyle::Separator;
    if (text == PasteToolTip) return ButtonStyle::DropDown;
    if (text == AlwaysOnTopToolTip) return ButtonStyle::Check;
    return ButtonStyle::Plain;
}

}  // namespace

EditToolBarModel::EditToolBarModel(AppContext& context) : context_(context) {
    for (const CatalogueEntry& entry : CommandCatalogue()) {
        available_.entries.push_back(ToolBarListEntry{std::u16string(entry.commandName),
                                                      std::u16string(entry.listText),
                                                      std::u16string(entry.imageKey)});
    }
    const ToolBar& toolBar = context.ports.tolToolBar;
    for (std::size_t i = 0; i < toolBar.Count(); ++i) {
        const ToolBarEntry position = toolBar.Entry(i);
        if (position.toolTipText != SeparatorText) {
            auto& left = available_.entries;
            for (auto it = left.begin(); it != left.end(); ++it) {
                if (it->text == position.toolTipText) {
                    left.erase(it);
                    break;
                }
            }
        }
        chosen_.entries.push_back(ToolBarListEntry{position.key, position.toolTipText, position.image});
    }
}

void EditToolBarModel::Select(ToolBarListBox& list, std::optional<std::size_t> index) {
    list.selected = index && *index < list.entries.size() ? index : std::nullopt;
}

void EditToolBarModel::OnActivate(TopLevelWindow& dialog) {
    KeepDialogAboveMainWindow(context_, dialog);
}

// The entry moves before the destination's current entry, or to its end
// when it has none; the source's current entry becomes the one that took
// the moved entry's place (the one before it when it was the last).
void EditToolBarModel::Move(ToolBarListBox& from, ToolBarListBox& to) {
    if (from.entries.empty() || !from.selected) return;
    const std::size_t k = *from.selected;
    const std::size_t at = to.selected ? *to.selected : to.entries.size();
    to.entries.insert(to.entries.begin() + static_cast<std::ptrdiff_t>(at), from.entries[k]);
    to.selected = at;
    from.entries.erase(from.entries.begin() + static_cast<std::ptrdiff_t>(k));
    if (from.entries.empty()) {
        from.selected.reset();
    } else {
        from.selected = k < from.entries.size() ? k : k - 1;
    }
}

void EditToolBarModel::OnAdd() {
    Move(available_, chosen_);
}

void EditToolBarModel::OnDel() {
    Move(chosen_, available_);
}

void EditToolBarModel::OnAddSeparator() {
    if (!chosen_.entries.empty() && !chosen_.selected) return;
    const std::size_t at = chosen_.selected.value_or(0);
    chosen_.entries.insert(chosen_.entries.begin() + static_cast<std::ptrdiff_t>(at),
                           ToolBarListEntry{u"", std::u16string(SeparatorText), u""});
    chosen_.selected = at;
}

void EditToolBarModel::OnUp() {
    if (chosen_.entries.size() > 1 && chosen_.selected && *chosen_.selected > 0) {
        SwapWithSelected(*chosen_.selected - 1);
    }
}

void EditToolBarModel::OnDown() {
    if (chosen_.entries.size() > 1 && chosen_.selected && *chosen_.selected + 1 < chosen_.entries.size()) {
        SwapWithSelected(*chosen_.selected + 1);
    }
}

void EditToolBarModel::SwapWithSelected(std::size_t m) {
    if (!chosen_.selected || m >= chosen_.entries.size()) return;
    std::swap(chosen_.entries[*chosen_.selected], chosen_.entries[m]);
    chosen_.selected = m;
}

void EditToolBarModel::OnApply() {
    context_.PasteButtonIndex = -1;
    context_.AlwaysOnTopButtonIndex = -1;
    context_.ports.tolToolBar.Clear();
    for (const ToolBarListEntry& entry : chosen_.entries) {
        const auto style = static_cast<std::int16_t>(StyleForText(entry.text));
        AppendToolBarPosition(context_, ToolBarEntry{entry.key, style, entry.image, entry.text});
    }
    RefreshPasteHistoryMenu(context_);
    // The new buttons may take more or fewer rows; the view follows the bar.
    LayoutEditor(context_);
}

void ShowEditToolBarDialog(AppContext& context, FormDialogs& dialogs) {
    // Every opening starts afresh from the toolbar as it is now.
    EditToolBarModel model(context);
    dialogs.RunEditToolBarDialog(model);
}

void mnuToolBar_Click(AppContext& context, FormDialogs& dialogs, int index) {
    if (index == menu::ToolBarCustomize.index) ShowEditToolBarDialog(context, dialogs);
}

}  // namespace scribbit
