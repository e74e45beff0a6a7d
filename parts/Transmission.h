// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "controls/CheckBox.h"
#include "controls/Lamp.h"
#include "controls/NoticeBox.h"
#include "controls/Timer.h"
#include "parts/Sentence.h"
#include "parts/TellOnce.h"
#include "platform/EventLoop.h"
#include "platform/SerialPort.h"
#include "radio/RadioReplies.h"

#include <string>

// Sending the sentence to the radio: Update, the resend while Auto is ticked, the send lamp,
// and what the radio answers.
class Transmission {
public:
    struct Controls {
        CheckBox& autoResend;
        Lamp& sendLamp;
        Timer& resendTimer;
        Timer& sendLampTimer;
    };

    Transmission(Controls controls, Sentence& sentence, SerialPort& port, EventLoop& eventLoop,
                 NoticeBox& notices);

    void updatePressed();
    void resendTick();
    void sendLampTick();
    // What the port tells.
    void sendQueueDrained();
    void inputWaiting();
    void sendFailed(const SendFailure& failure);
    // The user acted (Update, Connect): every problem and refusal is news again.
    void startAfresh();

    // The sentence the last Update took from the digit store.
    const std::string& lastSentence() const { return sent_; }
    // What the port gave at its last receive event.
    const std::string& lastReceived() const { return received_; }

private:
    enum class Sent { yes, portClosed, no };

    // One send of the digit store; no when a step failed, or refused the sentence, and ended it.
    Sent update();
    void reportSendProblem(const std::string& problem);

    Controls controls_;
    Sentence& sentence_;
    SerialPort& port_;
    EventLoop& eventLoop_;
    NoticeBox& notices_;
    std::string sent_;
    std::string received_;
    RadioReplies replies_{Audience::window};
    TellOnce sendProblems_;
    TellOnce refusals_;
};
