#include "cli/SentenceRead.h"

#include "radio/SentenceGuard.h"
#include "sentence/HexDigits.h"
#include "sentence/Samples.h"
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
    if (source.kind == SentenceSource::Kind::sample) {
        line = sampleSentence(source.name);
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
        // Sent as it stands, an empty line would make "UR;", which asks the radio for its
        // equaliser instead of loading one.
        if (!last.line || last.line->empty()) {
            return unusable(what + " has no sentence on its last line, so nothing was sent.");
        }
        line = *last.line;
    }
    // Open and a sample choice put the line into the digit store, and Update sends what the
    // store holds.
    HexDigits digits;
    digits.split(line);
    const std::string sentence = digits.join();
    if (const auto unsafe = unsafeSentenceProblem(sentence)) {
        return unusable(*unsafe);
    }
    return {sentence, {}};
}
} // namespace command_line
