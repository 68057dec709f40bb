// Whole-file access for documents and the settings file.
#pragma once

#include <optional>
#include <string>

#include "platform/types.h"

namespace scribbit {

struct ReadResult {
    bool ok = false;
    std::string bytes;
    SystemError error;  // when !ok
};

class FileSystem {
public:
    FileSystem() = default;
    FileSystem(const FileSystem&) = delete;
    FileSystem& operator=(const FileSystem&) = delete;
    virtual ~FileSystem() = default;

    virtual bool FileExists(const std::u16string& path) const = 0;
    // Reads the whole file. With createIfMissing, a missing file is created
    // empty first (opening a new name gives an empty document).
    virtual ReadResult ReadAll(const std::u16string& path, bool createIfMissing) = 0;
    // Writes bytes so that a failure at any step leaves the previous file
    // whole: the new contents go to a temporary file in the same folder,
    // are flushed, and only then replace the original, whose attributes are
    // kept. Returns the failure, if any.
    virtual std::optional<SystemError> WriteAllSafely(const std::u16string& path,
                                                      const std::string& bytes) = 0;
};

}  // namespace scribbit
