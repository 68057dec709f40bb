#include "editing/conversion_commands.h"

#include <new>
#include <stdexcept>

#include "core/working_pointer.h"
#include "editing/conversions.h"
#include "editing/edit_commands.h"
#include "editing/tab_width.h"
#include "view/char_count.h"

namespace scribbit {

void mnuCHANGE_Click(EditingContext& context, int index) {
    const std::optional<Conversion> conversion = ConversionAt(index);
    if (!conversion) return;
    AppContext& app = context.app;
    if (UsesTabSpace(*conversion)) {
        // Cancel keeps the width; the conversion runs all the same.
        TabSpaceDialogModel dialog(app.TabSpace);
        context.windows.RunTabSpaceDialog(dialog);
    }

    const WorkingPointer working(app.ports.frame);
    EditView& view = app.ActiveEditor();
    const std::size_t selStart = view.SelStart();
    const std::size_t selLength = view.SelLength();
    std::u16string current;
    std::optional<std::u16string> converted;
    try {
        current = selLength > 0 ? view.SelText() : view.Text();
        converted = Convert(*conversion, current, app.TabSpace, context.text, context.folder);
    } catch (const std::bad_alloc&) {
        converted.reset();
    } catch (const std::length_error&) {
        converted.reset();
    }
    if (!converted) {
        UpdateCharCount(app);
        ReportTextTooLarge(context);
        return;
    }

    // Hidden while the text is swapped, so the view does not flicker.
    view.SetVisible(false);
    const bool replaced = PasteChanges(context, selLength > 0 ? selStart : 0, current, *converted);
    view.SetVisible(true);
    UpdateCharCount(app);
    view.SetSel(selStart, replaced ? 0 : selLength);
}

}  // namespace scribbit
