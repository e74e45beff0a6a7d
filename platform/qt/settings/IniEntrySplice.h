#pragma once

#include <optional>
#include <string_view>
#include <vector>

// One entry of an INI file replaced in the file's own bytes, so that a large file need not be
// parsed and rewritten whole to change one value.
struct IniEntry {
    std::string_view header;  // "[section]\n"
    std::string_view section; // the header's name, as QSettings writes it
    std::string_view key;     // as QSettings writes it, already in lower case
    std::string_view line;    // "key=value\n", as QSettings writes it
};

// The new file as pieces to write one after the other: the entry replaces the first line of its
// section whose key is the entry's in any letter case and the other such lines go. Nothing when
// the file holds anything QSettings might read otherwise than a plain line-by-line reading does
// (quotes or escapes across lines, bare CRs, escaped names that could be the entry's); the
// caller then lets QSettings write the file.
std::optional<std::vector<std::string_view>> splicedIniEntry(std::string_view file,
                                                             const IniEntry& entry);

// The entry in the bytes QSettings wrote for it alone: its section header and one line.
std::optional<IniEntry> soleIniEntry(std::string_view written);
