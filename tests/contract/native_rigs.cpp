// The port contracts against the in-memory doubles.
#include "contract/port_rigs.h"
#include "support/fake_edit_view.h"
#include "support/fake_file_system.h"
#include "support/fake_locale.h"
#include "support/fake_text_services.h"

namespace scribbit::contract {
namespace {

class FakeClipboardRig : public ClipboardRig {
public:
    Clipboard& Port() override { return clipboard; }
    void Hold(bool held) override { clipboard.SetBusy(held); }
    void Empty() override { clipboard.Put(std::nullopt); }
    FakeClipboard clipboard;
};

class FakeEditViewRig : public EditViewRig {
public:
    EditView& Port() override { return view_; }
    ClipboardRig& Clipboard() override { return clipboard_; }
    int Changes() const override { return view_.changeNotifications; }
    void SetCapacity(std::size_t units) override { view_.SetCapacity(units); }
    void Type(char16_t c) override { view_.Type(std::u16string(1, c)); }

private:
    FakeClipboardRig clipboard_;
    FakeEditView view_{clipboard_.clipboard};
};

class FakeFileSystemRig : public FileSystemRig {
public:
    FakeFileSystemRig() { files_.AddFolder(Folder); }
    FileSystem& Port() override { return files_; }
    std::u16string Path(const std::u16string& name) const override { return Folder + u"\\" + name; }
    void MakeFolder(const std::u16string& path) override { files_.AddFolder(path); }
    void SetReadOnly(const std::u16string& path) override { files_.SetReadOnly(path, true); }
    void Lock(const std::u16string& path, bool locked) override { files_.SetLocked(path, locked); }
    std::vector<std::u16string> Names() const override {
        std::vector<std::u16string> names;
        for (const auto& path : files_.FilePaths()) names.push_back(path.substr(Folder.size() + 1));
        return names;
    }

private:
    inline static const std::u16string Folder = u"C:\\contract";
    FakeFileSystem files_;
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
