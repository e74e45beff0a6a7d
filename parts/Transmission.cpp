#include "parts/Transmission.h"

#include "radio/SentenceGuard.h"
#include "radio/SentenceSend.h"
#include "sentence/SentenceCheck.h"

Transmission::Transmission(Controls controls, SerialPort& port, EventLoop& eventLoop,
                           NoticeBox& notices)
    : controls_(controls), port_(port), eventLoop_(eventLoop), notices_(notices) {}

void Transmission::startAfresh() {
    sendProblems_.forget();
    refusals_.forget();
}

// What a press did is told once, here: the resend repeats the same sentence and stays quiet
// while the port is closed.
void Transmission::updatePressed() {
    startAfresh();
    const bool open = port_.isOpen();
    if (!open) {
        notices_.report("Nothing was sent: the port is closed. Press Connect, then Update.");
    }
    const bool sent = update() && open;
    if (const auto fault = sentenceFault(sentence_, controls_.digitStore)) {
        notices_.report(std::string(sent ? "Sent as it stands, but the radio" : "The radio") +
                        " expects 128 hexadecimal digits: " + *fault +
                        ". Correct it in the line editor, press Accept Changes, then Update.");
    } else if (sent) {
        notices_.announce("Sent to the radio");
    }
}

bool Transmission::update() {
    sentence_ = controls_.digitStore.join();
    if (!port_.isOpen()) {
        return true;
    }
    eventLoop_.yield();
    // Whatever an Update run inside the yield left in sentence_ is what goes out.
    if (const auto unsafe = unsafeSentenceProblem(sentence_)) {
        reportSendProblem(*unsafe);
        return false;
    }
    if (const Result sent = sendSentence(port_, sentence_); !sent) {
        reportSendProblem(sent.reason());
        return false;
    }
    controls_.sentenceBox.setText(sentence_);
    if (controls_.autoResend.isTicked()) {
        controls_.resendTimer.setEnabled(true);
    }
    return true;
}

void Transmission::reportSendProblem(const std::string& problem) {
    if (sendProblems_.isNew(problem)) {
        notices_.report(problem);
    }
}

// A failed Update ends the tick before it touches the timer, so the next tick tries again.
// So does a line still busy with the last sentence: at a slow rate a sentence takes longer
// than a tick to leave, and queuing more behind it would only grow a backlog that the radio
// hears later and later.
void Transmission::resendTick() {
    eventLoop_.yield();
    if (port_.isLineBusy()) {
        return;
    }
    if (!update()) {
        return;
    }
    controls_.resendTimer.setEnabled(controls_.autoResend.isTicked());
}

void Transmission::portEvent(std::int16_t kind) {
    if (kind == SerialPort::sendEvent) {
        // The radio has taken everything sent, so a send that fails from now on is news.
        sendProblems_.forget();
        controls_.sendLamp.setLit(true);
        controls_.sendLampTimer.setEnabled(true);
    } else if (kind == SerialPort::receiveEvent) {
        received_ = port_.readInput();
        for (const auto& [kind, report] : replies_.receive(received_)) {
            if (refusals_.isNew(std::string(1, kind))) {
                notices_.report(report);
            }
        }
    }
}

void Transmission::sendLampTick() {
    controls_.sendLamp.setLit(false);
    controls_.sendLampTimer.setEnabled(false);
}
