// Whole-file reads and crash-safe writes with the system's file functions.
#pragma once

#include "platform/file_system.h"

namespace scribbit {

class FileSystemWin32 final : public FileSystem {
public:
    bool FileExists(const std::u16string& path) const override;
    ReadResult ReadAll(const std::u16string& path, bool createIfMissing) override;
    std::optional<SystemError> WriteAllSafely(const std::u16string& path, const std::string& bytes) override;
};

}  // namespace scribbit
