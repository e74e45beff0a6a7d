// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "link/RigctldAnswers.h"

#include <charconv>
#include <cstdlib>

namespace {
constexpr std::string_view replyPrefix = "Reply: ";
constexpr std::string_view endPrefix = "RPRT ";

std::string valueOf(const std::vector<std::string>& lines, std::string_view key) {
    for (const std::string& line : lines) {
        if (line.rfind(key, 0) == 0) {
            std::string value = line.substr(key.size());
            const std::size_t start = value.find_first_not_of(" \t");
            return start == std::string::npos ? std::string{} : value.substr(start);
        }
    }
    return {};
}
} // namespace

std::vector<RigctldAnswers::Answer> RigctldAnswers::receive(std::string_view bytes) {
    std::vector<Answer> finished;
    for (const char c : bytes) {
        if (c == '\n') {
            endLine(finished);
        } else if (line_.size() < lineLimit) {
            line_ += c;
        }
    }
    return finished;
}

void RigctldAnswers::endLine(std::vector<Answer>& finished) {
    std::string_view line(line_);
    if (line.rfind(replyPrefix, 0) == 0) {
        line.remove_prefix(replyPrefix.size());
        // A raw command whose reply timed out has its "RPRT" on the "Reply:" line.
        if (line.rfind(endPrefix, 0) != 0) {
            current_.radioReply = std::string(line);
            line_.clear();
            return;
        }
    }
    if (line.rfind(endPrefix, 0) == 0) {
        line.remove_prefix(endPrefix.size());
        int code = 0;
        const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), code);
        current_.code = error == std::errc{} ? code : -1;
        finished.push_back(std::move(current_));
        current_ = Answer{};
    } else {
        current_.lines.push_back(line_);
    }
    line_.clear();
}

std::string rigctldRawCommand(const std::string& text, bool readReply) {
    return "+W " + text + (readReply ? " ;\n" : " 0\n");
}

std::string rigctldRadioName(const RigctldAnswers::Answer& capabilities) {
    const std::string maker = valueOf(capabilities.lines, "Mfg name:");
    const std::string model = valueOf(capabilities.lines, "Model name:");
    return maker.empty() || model.empty() ? maker + model : maker + " " + model;
}

std::string rigctldErrorWords(int code) {
    switch (std::abs(code)) {
    case 1:
        return "an invalid command";
    case 4:
        return "a command this radio's model does not have";
    case 5:
        return "the radio did not answer in time";
    case 6:
        return "an input/output error on the radio's port";
    case 9:
        return "the radio rejected the command";
    case 11:
        return "a command the radio cannot take now";
    case 20:
        return "the radio is switched off";
    default:
        return "error " + std::to_string(code);
    }
}
