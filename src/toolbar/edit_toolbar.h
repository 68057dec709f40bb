// The toolbar customisation dialog (frmEditToolBar): the commands that are
// not on the toolbar (lstGetToolBarIcon) and the toolbar's positions
// (lstToolBarIcon), moved between and within the lists, then applied to the
// live toolbar.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/app_context.h"
#include "platform/form_dialogs.h"

namespace scribbit {

// One entry of either list. A separator is the entry whose text is
// "(区切り)"; it has no key and no image.
struct ToolBarListEntry {
    std::u16string key;    // the command name
    std::u16string text;   // the list text, the position's tooltip
    std::u16string image;  // the image key, empty for none
    friend bool operator==(const ToolBarListEntry&, const ToolBarListEntry&) = default;
};

// A list and its current entry (at most one, 0-based).
struct ToolBarListBox {
    std::vector<ToolBarListEntry> entries;
    std::optional<std::size_t> selected;
};

class EditToolBarModel {
public:
    // Form_Load: the left list holds the catalogue minus every command whose
    // list text is a tooltip on the toolbar, the right list the toolbar.
    explicit EditToolBarModel(AppContext& context);
    EditToolBarModel(const EditToolBarModel&) = delete;
    EditToolBarModel& operator=(const EditToolBarModel&) = delete;

    const ToolBarListBox& Available() const { return available_; }  // lstGetToolBarIcon
    const ToolBarListBox& Chosen() const { return chosen_; }        // lstToolBarIcon
    // The user selecting an entry (nullopt: none); an index beyond the
    // list selects nothing.
    void SelectAvailable(std::optional<std::size_t> index) { Select(available_, index); }
    void SelectChosen(std::optional<std::size_t> index) { Select(chosen_, index); }

    // Form_Activate: a dialog over a main window kept on top is kept on top too.
    void OnActivate(TopLevelWindow& dialog);
    void OnAdd();           // cmdAdd "追加 >>"
    void OnDel();           // cmdDel "<< 削除"
    void OnAddSeparator();  // cmdAddSeparator "区切り>>"
    void OnUp();            // cmdUp "↑"
    void OnDown();          // cmdDown "↓"
    // Exchanges the right list's current entry with entry m (0-based) and
    // makes m current, so the selection travels with the moved entry.
    void SwapWithSelected(std::size_t m);
    // cmdApply "適用": rebuilds the toolbar from the right list; the dialog
    // and its lists stay as they are.
    void OnApply();
    // cmdOK: applies; the dialog then closes. Cancel, Esc and the close box
    // only close it: what an earlier Apply did stays.
    void OnOK() { OnApply(); }

private:
    static void Select(ToolBarListBox& list, std::optional<std::size_t> index);
    static void Move(ToolBarListBox& from, ToolBarListBox& to);

    AppContext& context_;
    ToolBarListBox available_;
    ToolBarListBox chosen_;
};

// tolToolBar_DblClick and mnuToolBar_Click(0): the dialog, modally.
void ShowEditToolBarDialog(AppContext& context, FormDialogs& dialogs);
// The toolbar's context menu mnuToolBar; any index but 0 does nothing.
void mnuToolBar_Click(AppContext& context, FormDialogs& dialogs, int index);

}  // namespace scribbit
