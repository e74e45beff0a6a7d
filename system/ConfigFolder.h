#pragma once

#include <string>

// The user's configuration folder, or why there is none.
struct ConfigFolder {
    std::string path;    // empty when there is none
    std::string missing; // why, for the user; empty when there is one
};

// $XDG_CONFIG_HOME, or the folder .config in the user's home folder. A relative path in either
// variable is ignored, since it would move with the working folder; without a home folder from
// HOME the user database is asked. Read afresh at every call.
ConfigFolder userConfigFolder();
