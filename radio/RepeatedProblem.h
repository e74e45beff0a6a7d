#pragma once

#include <set>
#include <string>

// The resend repeats a failure every tick, and a radio that cannot keep up makes the two
// commands of a send fail in turn. The user hears of each problem once, when it starts; it
// starts again only after clear(), when the radio has taken everything sent or the user acts.
class RepeatedProblem {
public:
    // True when problem has not been told since the last clear().
    bool isNew(const std::string& problem) { return told_.insert(problem).second; }
    void clear() { told_.clear(); }

private:
    std::set<std::string> told_;
};
