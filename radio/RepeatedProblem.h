#pragma once

#include <string>

// The resend repeats a failure every tick; the user hears of it once, when it starts.
class RepeatedProblem {
public:
    // True when problem is not the one told last.
    bool isNew(const std::string& problem) {
        if (problem == last_) {
            return false;
        }
        last_ = problem;
        return true;
    }
    void clear() { last_.clear(); }

private:
    std::string last_;
};
