// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "cli/SentenceRead.h"

#include "parts/Sentence.h"
#include "sentence/Samples.h"
#include "sentence/SentenceCheck.h"
#include "store/FileReports.h"
#include "store/InputFile.h"
#include "store/LastLine.h"

#include <algorithm>

namespace command_line {
namespace {
SentenceRead unusable(std::string words) {
    return {std::nullopt, {ExitStatus::sentenceUnusable, std::move(words)}};
}

std::string sampleSentence(const std::string& name) {
    const auto sample = std::find_if(samples::table.begin(), samples::table.end(),
                                     [&](const samples::Sample& s) { return s.name == name; });
    return sample == samples::table.end() ? std::string{} : std::string(sample->sentence);
}
} // namespace

SentenceRead readSentence(const SentenceSource& source) {
    std::string line;
    std::string whose;
    if (source.kind == SentenceSource::Kind::sample) {
        line = sampleSentence(source.name);
        whose = "The sample \"" + source.name + "\"";
    } else {
        const bool isFile = source.kind == SentenceSource::Kind::file;
        const std::string what = isFile ? file_reports::fileNamed(source.name) : "Standard input";
        InputFile input;
        if (const Result opened = isFile ? input.open(source.name) : input.openStandardInput();
            !opened) {
            return unusable(file_reports::notOpened(what, opened.reason()));
        }
        const LastLine last = readLastLine(input);
        if (!last.failure.empty()) {
            return unusable(file_reports::notReadToEnd(what, last.failure));
        }
        line = last.line.value_or("");
        whose = isFile ? "The last line of the file \"" + source.name + "\""
                       : "The last line of standard input";
    }
    // The window's own rules: the line is loaded as Open or a sample choice loads it, and Update
    // sends what the store then holds. A script has nobody to read a warning, so a sentence the
    // window would only warn about is refused.
    TextBox box(TextBox::Typing::readOnly);
    HexDigits digits;
    Sentence sentence({box, digits});
    if (const auto fault = sentence.fault(line)) {
        return unusable(whose + " is no sentence the radio takes (" + sentenceTaken +
                        "): " + *fault + ". Nothing was sent.");
    }
    sentence.load(line);
    return {sentence.joined(), {}};
}
} // namespace command_line
