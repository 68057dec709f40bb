// A shared record of port calls across several doubles, for tests where the
// order of effects on different controls matters (the window shown before
// the toolbar is built, the settings written before the program quits).
#pragma once

#include <string>
#include <vector>

namespace scribbit {

class EventLog {
public:
    void Add(std::string event) { events_.push_back(std::move(event)); }
    const std::vector<std::string>& Events() const { return events_; }
    void Clear() { events_.clear(); }
    // Position of the first event equal to name, or -1.
    int IndexOf(const std::string& name) const {
        for (std::size_t i = 0; i < events_.size(); ++i) {
            if (events_[i] == name) return static_cast<int>(i);
        }
        return -1;
    }

private:
    std::vector<std::string> events_;
};

}  // namespace scribbit
