// The arguments part of the process command line, as the program takes it:
// one file name, not split at spaces.
#pragma once

#include <string>
#include <string_view>

namespace scribbit {

// Skips the program's own name (a quoted name ends at the closing quote, an
// unquoted one at the first blank) and the blanks after it. Trailing blanks
// are dropped: no file name ends in one, and a launcher that appends a blank
// after a quoted path would otherwise hide the quotes from the caller.
inline std::u16string CommandTail(std::u16string_view commandLine) {
    const auto isBlank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    std::size_t at = 0;
    if (!commandLine.empty() && commandLine.front() == u'"') {
        at = commandLine.find(u'"', 1);
        at = at == std::u16string_view::npos ? commandLine.size() : at + 1;
    } else {
        while (at < commandLine.size() && !isBlank(commandLine[at])) ++at;
    }
    while (at < commandLine.size() && isBlank(commandLine[at])) ++at;
    std::size_t end = commandLine.size();
    while (end > at && isBlank(commandLine[end - 1])) --end;
    return std::u16string(commandLine.substr(at, end - at));
}

// The folder part of the executable's path, as the logic wants it: without
// the trailing backslash, except for a drive's root ("C:\").
inline std::u16string FolderOfPath(std::u16string_view path) {
    const std::size_t slash = path.find_last_of(u"\\/");
    if (slash == std::u16string_view::npos) return {};
    if (slash > 0 && path[slash - 1] == u':') return std::u16string(path.substr(0, slash + 1));
    return std::u16string(path.substr(0, slash));
}

}  // namespace scribbit
