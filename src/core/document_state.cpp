#include "core/document_state.h"

#include "core/core_texts.h"

namespace scribbit {

void MarkModified(AppContext& context) {
    if (context.document.IsModified) return;
    context.document.IsModified = true;
    context.ports.sttSTATUS.SetPanelText(
        PathPanel, context.document.CurrentFilePath + std::u16string(core_text::ModifiedSuffix));
}

std::u16string FileNameFromPath(const std::u16string& path) {
    const auto slash = path.rfind(u'\\');
    return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

}  // namespace scribbit
