// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "parts/Transmission.h"

#include "radio/SentenceGuard.h"
#include "radio/SentenceSend.h"
#include "sentence/SentenceCheck.h"

Transmission::Transmission(Controls controls, Sentence& sentence, SerialPort& port,
                           EventLoop& eventLoop, NoticeBox& notices)
    : controls_(controls), sentence_(sentence), port_(port), eventLoop_(eventLoop),
      notices_(notices) {}

void Transmission::startAfresh() {
    sendProblems_.forget();
    refusals_.forget();
}

// What a press did is told once, here: the resend repeats the same sentence and stays quiet
// while the port is closed. A sentence that was not sent for what it holds is told by the send.
void Transmission::updatePressed() {
    startAfresh();
    const Sent sent = update();
    if (sent == Sent::portClosed && port_.isOpening()) {
        // Connect now would give the open up.
        notices_.report("Nothing was sent: the port is still opening. Press Update once it is "
                        "open.");
    } else if (sent == Sent::portClosed) {
        notices_.report("Nothing was sent: the port is closed. Press Connect, then Update.");
    }
    if (sent == Sent::no) {
        return;
    }
    if (const auto fault = sentence_.fault(sent_)) {
        notices_.report(
            std::string(sent == Sent::yes ? "Sent as it stands, but the radio" : "The radio") +
            " expects " + sentenceTaken + ": " + *fault +
            ". Correct it in the line editor, press Accept Changes, then Update.");
    } else if (sent == Sent::yes) {
        notices_.announce("Sent to the radio");
    }
}

Transmission::Sent Transmission::update() {
    sent_ = sentence_.joined();
    if (!port_.isOpen()) {
        return Sent::portClosed;
    }
    eventLoop_.yield();
    // Whatever an Update run inside the yield left in sent_ is what goes out.
    if (const auto unsafe = unsafeSentenceProblem(sent_)) {
        reportSendProblem(*unsafe);
        return Sent::no;
    }
    if (const Result written = sendSentence(port_, sent_); !written) {
        reportSendProblem(written.reason());
        return Sent::no;
    }
    // The box shows what went out.
    sentence_.show(sent_);
    if (controls_.autoResend.isTicked()) {
        controls_.resendTimer.setEnabled(true);
    }
    return Sent::yes;
}

void Transmission::reportSendProblem(const std::string& problem) {
    if (sendProblems_.firstTelling(problem)) {
        notices_.report(problem);
    }
}

// A line still busy with the last sentence is left alone until a later tick: at a slow rate a
// sentence takes longer than a tick to leave, and queuing more behind it would only grow a
// backlog that the radio hears later and later. Whatever the send did, Auto decides whether
// there is a next tick, so unticking it always stops the resend.
void Transmission::resendTick() {
    eventLoop_.yield();
    if (!port_.isLineBusy()) {
        update();
    }
    controls_.resendTimer.setEnabled(controls_.autoResend.isTicked());
}

void Transmission::sendQueueDrained() {
    // The radio has taken everything sent, so a send that fails from now on is news.
    sendProblems_.forget();
    controls_.sendLamp.setLit(true);
    controls_.sendLampTimer.setEnabled(true);
}

void Transmission::inputWaiting() {
    received_ = port_.readInput();
    for (const auto& [kind, report] : replies_.receive(received_)) {
        if (refusals_.firstTelling(std::string(1, kind))) {
            notices_.report(report);
        }
    }
}

void Transmission::sendFailed(const SendFailure& failure) {
    reportSendProblem(failure.reason);
}

void Transmission::sendLampTick() {
    controls_.sendLamp.setLit(false);
    controls_.sendLampTimer.setEnabled(false);
}
