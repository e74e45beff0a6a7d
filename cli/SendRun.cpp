// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "cli/SendRun.h"

#include "radio/LineTime.h"
#include "radio/PortLabel.h"
#include "radio/PortReports.h"
#include "radio/SentenceSend.h"

namespace command_line {
namespace {
// Beyond the time the bytes need on the line: a device that still holds them then is stuck. Longer
// than rigctld's deadline for an answer, counted from the same moment, so that a silent rigctld
// is told as such.
constexpr auto lineTakesAtMost = std::chrono::seconds(3);
} // namespace

SendRun::SendRun(SerialPort& port) : port_(port) {
    resendTimer.onTick = [this] { resendTick(); };
    lineWatchTimer.onTick = [this] { lineWatchTick(); };
    answerTimer.onTick = [this] { answerTick(); };
}

SendRun::~SendRun() {
    port_.setListener(nullptr);
}

void SendRun::start(const std::string& sentence, int autoSeconds, const std::string& origin,
                    bool rateGiven) {
    sentence_ = sentence;
    origin_ = origin;
    rateGiven_ = rateGiven;
    autoSeconds_ = autoSeconds;
    port_.setListener(this);
    if (const Result opened = port_.setOpen(true); !opened) {
        openFailed(opened.reason());
    } else if (port_.isOpen()) {
        begin();
    }
}

// The resend's time runs from the open: a rigctld that takes its time to answer Connect does not
// shorten it.
void SendRun::begin() {
    resendTicksLeft_ = autoSeconds_ * 1000 / resendTimer.interval();
    send();
    if (ended_) {
        return;
    }
    if (resendTicksLeft_ > 0) {
        resendTimer.setEnabled(true);
    } else {
        finish();
    }
}

void SendRun::send() {
    if (const Result sent = sendSentence(port_, sentence_); !sent) {
        end(ExitStatus::failure, sent.reason());
        return;
    }
    ++sends_;
    bytesSent_ += 2 * (sentence_.size() + 3);
}

// As the window's resend: a line still busy with the last sentence is left alone until the
// next tick, so that no backlog builds up.
void SendRun::resendTick() {
    if (--resendTicksLeft_ <= 0) {
        resendTimer.setEnabled(false);
        finish();
    } else if (!port_.isLineBusy()) {
        send();
    }
}

void SendRun::finish() {
    const std::string inUse = port_.lineInUse();
    const ParsedLineSettings line = parseLineSettings(inUse.substr(0, inUse.find(' ')));
    const auto longest =
        lineTime(line.settings.value_or(LineSettings{}), 2 * (sentence_.size() + 3)) +
        lineTakesAtMost;
    lineWatchTicksLeft_ =
        static_cast<int>(longest / std::chrono::milliseconds(lineWatchTimer.interval()));
    lineWatchTimer.setEnabled(true);
}

// rigctld passes the radio's answer back with its own, which has come once the line is free,
// and throws away what the radio says later: there is nothing more to wait for.
void SendRun::lineWatchTick() {
    if (!port_.isLineBusy()) {
        lineWatchTimer.setEnabled(false);
        if (port_.isShared()) {
            answerTick();
        } else {
            answerTimer.setEnabled(true);
        }
    } else if (--lineWatchTicksLeft_ <= 0) {
        end(ExitStatus::failure,
            portName() + " did not take what was sent: check the adapter and its cable.");
    }
}

void SendRun::answerTick() {
    const std::string times = sends_ == 1 ? "" : " " + std::to_string(sends_) + " times";
    const std::string inUse = port_.lineInUse();
    std::string whence = origin_.empty() ? "" : " (" + origin_ + ")";
    // Through rigctld neither the rate given nor the stored line settings reach the line; they
    // only pace the resend where rigctld's own settings cannot be seen, as inUse then says.
    if (port_.isShared()) {
        const bool rigctldsOwn = parseLineSettings(inUse).settings.has_value();
        whence = rateGiven_ && rigctldsOwn ? " (--rate has no effect through rigctld, which sets "
                                             "the radio's line itself)"
                                           : "";
    }
    end(ExitStatus::success, portName() + ": UR and UT sent" + times + ", " +
                                 std::to_string(bytesSent_) + " bytes, " + inUse + whence);
}

void SendRun::inputWaiting() {
    if (ended_) {
        return;
    }
    const auto refusals = replies_.receive(port_.readInput());
    if (!refusals.empty()) {
        end(ExitStatus::radioRefused, refusals.front().report);
    }
}

void SendRun::portLost(const std::string& reason) {
    end(ExitStatus::failure, port_reports::connectionLost(reason, Audience::script));
}

void SendRun::openFailed(const std::string& reason) {
    end(ExitStatus::portNotOpened, port_reports::notOpened(reason));
}

void SendRun::sendFailed(const SendFailure& failure) {
    end(failure.byRadio ? ExitStatus::radioRefused : ExitStatus::failure, failure.reason);
}

std::string SendRun::portName() const {
    return ::portName(port_.portNumber(), port_.device());
}

void SendRun::end(ExitStatus status, const std::string& words) {
    if (ended_) {
        return;
    }
    ended_ = true;
    for (Timer* timer : {&resendTimer, &lineWatchTimer, &answerTimer}) {
        timer->setEnabled(false);
    }
    (void)port_.setOpen(false);
    if (onEnd) {
        onEnd({status, words});
    }
}
} // namespace command_line
