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

// Hamlib's error numbers.
constexpr int timedOut = 5;
constexpr int inputOutput = 6;
constexpr int rejected = 9;
} // namespace

std::vector<RigctldAnswers::Answer> RigctldAnswers::receive(std::string_view bytes) {
    std::vector<Answer> finished;
    for (const char c : bytes) {
        if (!fault_.empty()) {
            break;
        }
        if (c == '\n') {
            endLine(finished);
            continue;
        }
        line_ += c;
        ++answerBytes_;
        if (line_.size() > lineLimit) {
            fault_ = "a line of more than " + std::to_string(lineLimit) + " characters";
        } else if (answerBytes_ > answerLimit) {
            fault_ = "more than " + std::to_string(answerLimit / 1024) +
                     " KiB without the \"RPRT\" line that ends an answer";
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
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) {
            line.remove_suffix(1);
        }
        int code = 0;
        const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), code);
        if (error != std::errc{} || end != line.data() + line.size()) {
            fault_ = "an \"RPRT\" line without an error number";
            return;
        }
        current_.code = code;
        finished.push_back(std::move(current_));
        current_ = Answer{};
        answerBytes_ = 0;
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
    case timedOut:
        return "the radio did not answer in time";
    case inputOutput:
        return "an input/output error on the radio's port";
    case rejected:
        return "the radio rejected the command";
    case 11:
        return "a command the radio cannot take now";
    case 20:
        return "the radio is switched off";
    default:
        return "error " + std::to_string(code);
    }
}

bool rigctldRadioRefused(int code) {
    return std::abs(code) == rejected;
}

std::string rigctldTrouble(int code) {
    const std::string said = rigctldErrorWords(code) + " (RPRT " + std::to_string(code) + ")";
    switch (std::abs(code)) {
    case timedOut:
    case inputOutput:
        return " cannot reach the radio: " + said +
               ". Check that the radio is switched on, and its cable at the computer rigctld "
               "runs on";
    case rejected:
        return ": " + said + ". Check the radio's mode and menu";
    default:
        return " could not pass the command to the radio: " + said +
               ". Check the radio, and that rigctld was started for a TS-2000 (-m 2014)";
    }
}
