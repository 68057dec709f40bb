// The busy pointer for the length of a command that can take long on a
// large document: open, save, the conversions, Replace all, the word-wrap
// and count-unit switches.
#pragma once

#include "platform/main_frame.h"

namespace scribbit {

class WorkingPointer {
public:
    explicit WorkingPointer(MainFrame& frame) : frame_(frame) { frame_.SetWorking(true); }
    ~WorkingPointer() { frame_.SetWorking(false); }
    WorkingPointer(const WorkingPointer&) = delete;
    WorkingPointer& operator=(const WorkingPointer&) = delete;

private:
    MainFrame& frame_;
};

}  // namespace scribbit
