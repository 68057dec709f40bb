// The port contracts against the in-memory doubles. The rigs play the rest
// of the world with what the doubles offer: another program holding a file
// or a folder in its place is a failure scripted for its path.
#include "contract/port_rigs.h"
#include "support/doubles.h"
#include "support/fake_locale.h"

namespace scribbit::contract {
namespace {

struct FakeClipboardRig : ClipboardRig {
    Clipboard& Port() override { return clipboard; }
    void Hold(bool held) override { clipboard.busy = held; }
    void Empty() override { clipboard.contents.reset(); }
    FakeClipboard clipboard;
};

struct FakeEditViewRig : EditViewRig {
    EditView& Port() override { return view; }
    ClipboardRig& Clipboard() override { return clipboard; }
    int Changes() const override { return view.changes; }
    void SetCapacity(std::size_t units) override { view.capacity = units; }
    void Type(char16_t c) override { view.Type(std::u16string(1, c)); }
    FakeClipboardRig clipboard;
    FakeEditView view{clipboard.clipboard};
};

struct FakeFileSystemRig : FileSystemRig {
    FileSystem& Port() override { return files; }
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
    FakeFileSystem files;
};

}  // namespace

std::unique_ptr<ClipboardRig> MakeClipboardRig() {
    return std::make_unique<FakeClipboardRig>();
}
std::unique_ptr<EditViewRig> MakeEditViewRig() {
    return std::make_unique<FakeEditViewRig>();
}
std::unique_ptr<FileSystemRig> MakeFileSystemRig() {
    return std::make_unique<FakeFileSystemRig>();
}
std::unique_ptr<LocaleServices> MakeLocale() {
    return std::make_unique<FakeLocale>();
}
std::unique_ptr<TextServices> MakeTextServices() {
    return std::make_unique<FakeTextServices>();
}
bool RunsOnTheSystem() {
    return false;
}

}  // namespace scribbit::contract
