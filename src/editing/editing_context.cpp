#include "editing/editing_context.h"

#include "editing/find_replace.h"
#include "editing/go_to_line.h"

namespace scribbit {

EditingContext::EditingContext(AppContext& appContext, const TextServices& textServices,
                               EditingWindows& editingWindows)
    : app(appContext), text(textServices), windows(editingWindows), folder(textServices) {}

EditingContext::~EditingContext() = default;

void EditingContext::OnDialogClosed(EditingDialog dialog) {
    switch (dialog) {
        case EditingDialog::Find:
            findDialog.reset();
            break;
        case EditingDialog::Replace:
            replaceDialog.reset();
            break;
        case EditingDialog::GoToLine:
            goToLineDialog.reset();
            break;
    }
}

}  // namespace scribbit
