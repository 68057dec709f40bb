#include "e2e/program_session.h"

#include "e2e/window_probe.h"

namespace e2e {

ProgramSession::ProgramSession(TestContext& t) : t_(t), exePath_(t.InstallProgram()) {}

bool ProgramSession::StartOnly(const std::wstring& arguments) {
    return t_.Check(process_.Start(exePath_, arguments, t_.Folder()), "the program starts", __FILE__, __LINE__,
                    "CreateProcessW error " + Show(static_cast<long long>(process_.LastError())));
}

bool ProgramSession::Launch(const std::wstring& arguments) {
    if (!StartOnly(arguments)) return false;
    const HWND window = process_.WaitForMainWindow(StartTimeoutMs);
    return t_.Check(window != nullptr, "the main window appears", __FILE__, __LINE__,
                    process_.IsRunning() ? "no window within the time limit"
                                         : "the process ended with code " + Show(static_cast<long long>(process_.ExitCode())));
}

void ProgramSession::Command(scribbit::MenuItem item) const { PostCommand(Main(), scribbit::CommandId(item)); }

std::optional<std::wstring> ProgramSession::Panel(int number) {
    return StatusText(process_.Handle(), StatusBarOf(Main()), number - 1);
}

std::wstring ProgramSession::Caption() const { return TextOf(Main()); }

std::wstring ProgramSession::EditorText() const { return TextOf(ActiveEditor(Main())); }

std::wstring ProgramSession::WaitForCaption(const std::wstring& expected, DWORD timeoutMs) const {
    std::wstring caption;
    PollUntil([&] { return (caption = Caption()) == expected; }, timeoutMs);
    return caption;
}

std::wstring ProgramSession::WaitForPanel(int number, const std::wstring& expected, DWORD timeoutMs) {
    std::wstring text;
    PollUntil([&] { return (text = Panel(number).value_or(L"<unreadable>")) == expected; }, timeoutMs);
    return text;
}

bool ProgramSession::ExitViaMenu() {
    Command(scribbit::menu::FileExit);
    return process_.WaitForExit(ExitTimeoutMs);
}

bool ProgramSession::ExitDiscardingChanges() {
    Command(scribbit::menu::FileExit);
    const auto prompt = WaitForMessageBox(Main(), DialogTimeoutMs);
    if (!t_.Check(prompt.has_value(), "the save prompt appears", __FILE__, __LINE__)) return false;
    return ClickButton(prompt->window, IDNO) && process_.WaitForExit(ExitTimeoutMs);
}

}  // namespace e2e
