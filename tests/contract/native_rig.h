// The port contracts' rig in the native build: the in-memory doubles. Another program holding a file, or a
// folder in its place, is a failure scripted for its path.
#pragma once

#include <string>
#include <vector>

#include "support/doubles.h"
#include "support/fake_locale.h"

namespace scribbit::contract {

struct Rig {
    void HoldClipboard(bool held) { clipboard.busy = held; }
    int Changes() const { return view.changes; }  // the view's change notifications so far
    void SetCapacity(std::size_t units) { view.capacity = units; }
    void Type(char16_t c) { view.Type(std::u16string(1, c)); }

    // A path in a fresh empty folder, and the names the folder holds (temporary files left behind).
    std::u16string Path(const std::u16string& name) const { return u"C:\\contract\\" + name; }
    void MakeFolder(const std::u16string& path) { files.failures[path] = 5; }
    void SetReadOnly(const std::u16string& path) { files.writeFailures[path] = 5; }
    void Lock(const std::u16string& path, bool locked) {
        locked ? void(files.failures[path] = 32) : void(files.failures.erase(path));
    }
    std::vector<std::u16string> Names() const {
        std::vector<std::u16string> names;
        for (const auto& [path, bytes] : files.disk) names.push_back(path.substr(Path(u"").size()));
        return names;
    }

    FakeClipboard clipboard;
    FakeEditView view{clipboard};
    FakeFileSystem files;
    FakeLocale locale;
    FakeTextServices text;
};

}  // namespace scribbit::contract
