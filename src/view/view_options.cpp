#include "view/view_options.h"

#include <new>
#include <string>

#include "core/core_texts.h"
#include "core/working_pointer.h"
#include "view/layout.h"
#include "view/view_texts.h"

namespace scribbit {
namespace {

void ShowWrappingView(AppContext& context, bool wrap) {
    const Ports& ports = context.ports;
    context.view.wordWrap = wrap;
    ports.menus.SetChecked(menu::FormWordWrap, wrap);
    // Exactly one view is shown, and it is the ActiveEditor the state names.
    ports.txtReturn.SetVisible(wrap);
    ports.txtNoReturn.SetVisible(!wrap);
}

// The text moves from the shown view to the other one; the hidden view
// keeps no text. The font and colour go along because only the shown view
// is kept up to date. The move is no edit, so EditorSwitching keeps the
// modified flag and the Undo item as they were. The outgoing view lets go
// of the text only once the other one holds it all, so a view that refuses
// the document can never leave the user with an empty one.
void SwitchWordWrap(AppContext& context) {
    const Ports& ports = context.ports;
    const WorkingPointer working(ports.frame);
    EditView& outgoing = context.ActiveEditor();
    const bool wrap = !context.view.wordWrap;
    EditView& incoming = wrap ? ports.txtReturn : ports.txtNoReturn;

    context.EditorSwitching = true;
    bool moved = false;
    try {
        // Laid out before the text goes in: a view that takes it at another
        // size wraps it all again once it is moved.
        incoming.Move(outgoing.Placement());
        incoming.SetFont(outgoing.Font());
        incoming.SetTextColor(outgoing.TextColor());
        moved = incoming.SetText(outgoing.Text()) == SetTextResult::Ok;
    } catch (const std::bad_alloc&) {
        moved = false;
    }
    if (moved) {
        ShowWrappingView(context, wrap);
        outgoing.SetText(u"");
    } else {
        incoming.SetText(u"");  // it may keep the part that fitted
    }
    context.EditorSwitching = false;
    if (!moved) {
        ports.dialogs.ShowMessage(std::u16string(view_text::WordWrapFailed), MessageIcon::Exclamation,
                                  MessageButtons::Ok);
        return;
    }
    LayoutEditor(context);
}

// The state, the check mark and the bar are kept in step; the layout reads
// the state.
template <typename Bar>
void ToggleBar(AppContext& context, bool& shown, MenuItem item, Bar& bar) {
    shown = !shown;
    context.ports.menus.SetChecked(item, shown);
    bar.SetVisible(shown);
    LayoutEditor(context);
}

void ToggleAlwaysOnTop(AppContext& context) {
    const Ports& ports = context.ports;
    context.view.alwaysOnTop = !context.view.alwaysOnTop;
    const bool onTop = context.view.alwaysOnTop;
    ports.menus.SetChecked(menu::FormAlwaysOnTop, onTop);
    SetAlwaysOnTop(ports.frame, onTop ? 1 : 0);
    const std::int16_t button = context.AlwaysOnTopButtonIndex;  // 1-based, -1 for none
    if (button >= 1 && static_cast<std::size_t>(button) <= ports.tolToolBar.Count()) {
        ports.tolToolBar.SetPressed(static_cast<std::size_t>(button) - 1, onTop);
    }
}

}  // namespace

void mnuFORM_Click(AppContext& context, int index) {
    switch (index) {
        case menu::FormWordWrap.index:
            SwitchWordWrap(context);
            break;
        case menu::FormFont.index:
            ShowFontDialog(context);
            break;
        case menu::FormStatusBar.index:
            ToggleBar(context, context.view.statusBar, menu::FormStatusBar, context.ports.sttSTATUS);
            break;
        case menu::FormToolBar.index:
            ToggleBar(context, context.view.toolBar, menu::FormToolBar, context.ports.tolToolBar);
            break;
        case menu::FormAlwaysOnTop.index:
            ToggleAlwaysOnTop(context);
            break;
        default:
            break;
    }
}

void ShowFontDialog(AppContext& context) {
    EditView& editor = context.ActiveEditor();
    const FontDialogResult chosen = context.ports.dialogs.ShowFontDialog(editor.Font(), editor.TextColor());
    switch (chosen.outcome) {
        case DialogOutcome::Cancelled:
            return;
        case DialogOutcome::Failed:
            context.ports.dialogs.ShowMessage(std::u16string(core_text::OtherError), MessageIcon::None,
                                              MessageButtons::Ok);
            return;
        case DialogOutcome::Chosen:
            break;
    }
    editor.SetFont(chosen.font);
    editor.SetTextColor(chosen.color);
    if (context.ports.locale.ToAnsi(chosen.font.name).firstUnrepresentable == NoPosition) {
        context.storableFontName = chosen.font.name;
        return;
    }
    // The settings file is in the ANSI code page: such a name would come
    // back as "?", which names no font. The user is told what is kept.
    std::u16string message(view_text::UnstorableFontPrefix);
    message += chosen.font.name;
    message += view_text::UnstorableFontMiddle;
    message += context.storableFontName;
    message += view_text::UnstorableFontSuffix;
    context.ports.dialogs.ShowMessage(message, MessageIcon::Information, MessageButtons::Ok);
}

std::int32_t SetAlwaysOnTop(TopLevelWindow& window, int flag) {
    if (flag != 0 && flag != 1) return 0;
    return window.SetTopMost(flag == 1);
}

void KeepDialogAboveMainWindow(const AppContext& context, TopLevelWindow& dialog) {
    if (context.view.alwaysOnTop) SetAlwaysOnTop(dialog, 1);
}

}  // namespace scribbit
