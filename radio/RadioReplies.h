#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

// Reads the radio's replies out of what the port receives and says which of them the user
// should hear of. A radio answers an accepted command with nothing and a refused one with
// "?;", "E;" or "O;"; every other reply (auto-information status, say) is ignored.
class RadioReplies {
public:
    // A fragment this long without ";" is noise, not a reply, and is dropped whole.
    static constexpr std::size_t fragmentLimit = 64;

    // The reports for the replies that the received text completes. Each kind of refusal is
    // told once until startAfresh(), since the resend would draw the same answer every tick.
    std::vector<std::string> receive(std::string_view received);
    // The user pressed Update or Connect: the next refusal is news again.
    void startAfresh() { reported_.clear(); }

    std::size_t heldCharacters() const { return fragment_.size(); }

private:
    std::string fragment_;
    // A fragment was dropped for its length; the next ";" ends the noise.
    bool outOfStep_ = false;
    std::set<char> reported_;
};
