// Owning handles for GDI objects.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace scribbit {

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;

}  // namespace scribbit
