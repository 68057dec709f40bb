// The port contracts against the in-memory doubles. The rig plays the rest
// of the world with what the doubles offer: another program holding a file
// or a folder in its place is a failure scripted for its path.
#include "contract/port_rigs.h"
#include "support/doubles.h"
#include "support/fake_locale.h"

namespace scribbit::contract {
namespace {

struct FakeRig : Rig {
    Clipboard& TheClipboard() override { return clipboard; }
    void HoldClipboard(bool held) override { clipboard.busy = held; }

    EditView& View() override { return view; }
    int Changes() const override { return view.changes; }
    void SetCapacity(std::size_t units) override { view.capacity = units; }
    void Type(char16_t c) override { view.Type(std::u16string(1, c)); }

    FileSystem& Files() override { return files; }
    std::u16string Path(const std::u16string& name) const override { return u"C:\\contract\\" + name; }
    void MakeFolder(const std::u16string& path) override { files.failures[path] = 5; }
    void SetReadOnly(const std::u16string& path) override { files.writeFailures[path] = 5; }
    void Lock(const std::u16string& path, bool locked) override {
        locked ? void(files.failures[path] = 32) : void(files.failures.erase(path));
    }
    std::vector<std::u16string> Names() const override {
        std::vector<std::u16string> names;
        for (const auto& [path, bytes] : files.disk) names.push_back(path.substr(Path(u"").size()));
        return names;
    }

    LocaleServices& Locale() override { return locale; }
    TextServices& Text() override { return text; }

    FakeClipboard clipboard;
    FakeEditView view{clipboard};
    FakeFileSystem files;
    FakeLocale locale;
    FakeTextServices text;
};

}  // namespace

std::unique_ptr<Rig> MakeRig() {
    return std::make_unique<FakeRig>();
}

}  // namespace scribbit::contract
