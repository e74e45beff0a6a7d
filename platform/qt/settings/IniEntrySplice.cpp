#include "platform/qt/settings/IniEntrySplice.h"

#include <algorithm>

namespace {
constexpr auto none = std::string_view::npos;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool isControl(char c) {
    return static_cast<unsigned char>(c) < 0x20;
}

// A name QSettings reads as it stands: nothing it unescapes, trims or stops at.
bool isPlainName(std::string_view name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte > 0x20 && byte < 0x7f && c != '%' && c != '\\' && c != '"' && c != ';' &&
               c != '=';
    });
}

// A section name that may be an escaped spelling of a plain one.
bool mayBeEscaped(std::string_view name) {
    return std::any_of(name.begin(), name.end(),
                       [](char c) { return isControl(c) || c == '%' || c == '\\'; });
}

bool sameFolded(std::string_view key, std::string_view lowerCase) {
    return std::equal(key.begin(), key.end(), lowerCase.begin(), lowerCase.end(),
                      [](char a, char b) {
                          return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
                      });
}

// A line as QSettings reads it: up to a comment, with where its '=' is.
struct ReadLine {
    std::string_view text;
    std::size_t equals = none;
};

// Nothing where QSettings would read on past the line's end (an open quote, an escaped line
// end, a bare CR) or would skip what this reading keeps.
std::optional<ReadLine> readLine(std::string_view line) {
    if (line.find('\r') != none) {
        return std::nullopt;
    }
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i])) {
        ++i;
    }
    if (i == line.size() || line[i] == ';') {
        return ReadLine{};
    }
    if (isControl(line[i])) {
        return std::nullopt;
    }
    const std::size_t start = i;
    bool inQuotes = false;
    std::size_t equals = none;
    for (; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\\') {
            if (++i == line.size()) {
                return std::nullopt;
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (inQuotes) {
            continue;
        } else if (c == '=' && equals == none) {
            equals = i - start;
        } else if (c == ';') {
            break;
        }
    }
    if (inQuotes) {
        return std::nullopt;
    }
    return ReadLine{line.substr(start, i - start), equals};
}

// The section a header names; nothing for a header QSettings might read as another name.
std::optional<std::string_view> sectionName(std::string_view header) {
    const std::size_t close = header.find(']');
    if (close == none || !trimmed(header.substr(close + 1)).empty()) {
        return std::nullopt;
    }
    const std::string_view name = trimmed(header.substr(1, close - 1));
    if (mayBeEscaped(name)) {
        return std::nullopt;
    }
    return name;
}
} // namespace

std::optional<std::vector<std::string_view>> splicedIniEntry(std::string_view file,
                                                             const IniEntry& entry) {
    struct Range {
        std::size_t begin;
        std::size_t end;
    };
    std::vector<Range> matches;
    std::size_t insertAt = none;
    bool inSection = false;
    bool inFirstSection = false;
    for (std::size_t begin = 0; begin < file.size();) {
        const std::size_t newline = file.find('\n', begin);
        const std::size_t next = newline == none ? file.size() : newline + 1;
        std::size_t end = newline == none ? file.size() : newline;
        if (newline != none && end > begin && file[end - 1] == '\r') {
            --end;
        }
        const auto line = readLine(file.substr(begin, end - begin));
        if (!line) {
            return std::nullopt;
        }
        if (!line->text.empty() && line->text.front() == '[') {
            const auto name = sectionName(line->text);
            if (!name) {
                return std::nullopt;
            }
            inSection = *name == entry.section;
            inFirstSection = inSection && insertAt == none;
        } else if (inSection && line->equals != none) {
            const std::string_view key = trimmed(line->text.substr(0, line->equals));
            if (!isPlainName(key)) {
                return std::nullopt;
            }
            if (sameFolded(key, entry.key)) {
                matches.push_back({begin, next});
            }
        }
        if (inFirstSection && !line->text.empty()) {
            insertAt = next;
        }
        begin = next;
    }

    std::vector<std::string_view> pieces;
    const auto lineEndBefore = [&](std::size_t at) {
        return at > 0 && file[at - 1] != '\n' ? std::string_view("\n") : std::string_view();
    };
    if (!matches.empty()) {
        std::size_t from = 0;
        for (const Range& match : matches) {
            pieces.push_back(file.substr(from, match.begin - from));
            if (from == 0) {
                pieces.push_back(entry.line);
            }
            from = match.end;
        }
        pieces.push_back(file.substr(from));
    } else if (insertAt != none) {
        pieces = {file.substr(0, insertAt), lineEndBefore(insertAt), entry.line,
                  file.substr(insertAt)};
    } else {
        pieces = {file, lineEndBefore(file.size()),
                  file.empty() ? std::string_view() : std::string_view("\n"), entry.header,
                  entry.line};
    }
    return pieces;
}

std::optional<IniEntry> soleIniEntry(std::string_view written) {
    const std::size_t headerEnd = written.find('\n');
    if (headerEnd == none || written.empty() || written.front() != '[' || written.back() != '\n') {
        return std::nullopt;
    }
    const std::string_view header = written.substr(0, headerEnd + 1);
    const std::string_view line = written.substr(headerEnd + 1);
    const auto name = sectionName(header.substr(0, headerEnd));
    const auto read = readLine(line.substr(0, line.size() - 1));
    if (!name || !isPlainName(*name) || line.find('\n') != line.size() - 1 || !read ||
        read->equals == none) {
        return std::nullopt;
    }
    const std::string_view key = trimmed(read->text.substr(0, read->equals));
    if (!isPlainName(key) || !sameFolded(key, key)) {
        return std::nullopt;
    }
    return IniEntry{header, *name, key, line};
}
