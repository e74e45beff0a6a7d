#pragma once

#include <set>
#include <string>

// The resend repeats a failure every tick, and the radio gives every send the same refusal.
// The user hears of each once; it is news again only after forget().
class TellOnce {
public:
    // True when news has not been told since the last forget().
    bool isNew(const std::string& news) { return told_.insert(news).second; }
    void forget() { told_.clear(); }

private:
    std::set<std::string> told_;
};
