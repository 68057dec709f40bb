// What the port contracts run against: the in-memory doubles in the native
// build (native_rigs.cpp), the Win32 adapters under Wine (tests/win32/
// win32_rigs.cpp). The rig also plays the rest of the world: another program
// holding the clipboard or a file, the user typing, a control that is full.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "platform/edit_view.h"
#include "platform/file_system.h"
#include "platform/locale_services.h"
#include "platform/text_services.h"

namespace scribbit::contract {

class Rig {
public:
    virtual ~Rig() = default;
    virtual Clipboard& TheClipboard() = 0;
    // Another program opens the clipboard and keeps it open until released.
    virtual void HoldClipboard(bool held) = 0;

    // A view whose Paste uses TheClipboard.
    virtual EditView& View() = 0;
    // Change notifications the view raised so far.
    virtual int Changes() const = 0;
    virtual void SetCapacity(std::size_t units) = 0;
    // A character key the user presses in the view.
    virtual void Type(char16_t c) = 0;

    virtual FileSystem& Files() = 0;
    // A path in a fresh empty folder.
    virtual std::u16string Path(const std::u16string& name) const = 0;
    virtual void MakeFolder(const std::u16string& path) = 0;
    virtual void SetReadOnly(const std::u16string& path) = 0;
    // Another program holds the file open without sharing it, until released.
    virtual void Lock(const std::u16string& path, bool locked) = 0;
    // The names in the folder, to catch temporary files left behind.
    virtual std::vector<std::u16string> Names() const = 0;

    virtual LocaleServices& Locale() = 0;
    virtual TextServices& Text() = 0;
};

std::unique_ptr<Rig> MakeRig();

}  // namespace scribbit::contract
