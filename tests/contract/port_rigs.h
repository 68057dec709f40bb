// What the port contracts run against: the in-memory doubles in the native
// build (native_rigs.cpp), the Win32 adapters under Wine (tests/win32/
// win32_rigs.cpp). A rig also plays the rest of the world: another program
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

class ClipboardRig {
public:
    virtual ~ClipboardRig() = default;
    virtual Clipboard& Port() = 0;
    // Another program opens the clipboard and keeps it open until released.
    virtual void Hold(bool held) = 0;
    virtual void Empty() = 0;
};

class EditViewRig {
public:
    virtual ~EditViewRig() = default;
    virtual EditView& Port() = 0;
    // The clipboard the view's Cut, Copy and Paste use.
    virtual ClipboardRig& Clipboard() = 0;
    // Change notifications the view raised so far.
    virtual int Changes() const = 0;
    virtual void SetCapacity(std::size_t units) = 0;
    // A character key the user presses in the view.
    virtual void Type(char16_t c) = 0;
};

class FileSystemRig {
public:
    virtual ~FileSystemRig() = default;
    virtual FileSystem& Port() = 0;
    // A fresh empty folder, and a path in it.
    virtual std::u16string Path(const std::u16string& name) const = 0;
    virtual void MakeFolder(const std::u16string& path) = 0;
    virtual void SetReadOnly(const std::u16string& path) = 0;
    // Another program holds the file open without sharing it, until released.
    virtual void Lock(const std::u16string& path, bool locked) = 0;
    // The names in the folder, to catch temporary files left behind.
    virtual std::vector<std::u16string> Names() const = 0;
};

std::unique_ptr<ClipboardRig> MakeClipboardRig();
std::unique_ptr<EditViewRig> MakeEditViewRig();
std::unique_ptr<FileSystemRig> MakeFileSystemRig();
std::unique_ptr<LocaleServices> MakeLocale();
std::unique_ptr<TextServices> MakeTextServices();
// False for the doubles: checks of the doubles' tables against the system
// then have nothing to compare.
bool RunsOnTheSystem();

}  // namespace scribbit::contract
