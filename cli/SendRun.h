// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "cli/ExitStatus.h"
#include "controls/Timer.h"
#include "platform/SerialPort.h"
#include "radio/RadioReplies.h"

#include <functional>
#include <string>

namespace command_line {
// One load of a sentence from a script: opens the port, sends UR and UT once or, with a
// number of seconds, again every 500 ms paced to the line as the window's Auto is, waits for
// the line to take them (through rigctld: for rigctld to confirm them, with the radio's answer,
// and for its line to carry them) and on a serial line for the radio's answer, and ends. It ends at
// once on the first refusal or trouble, with the port closed.
class SendRun : private SerialPortListener {
public:
    explicit SendRun(SerialPort& port);
    ~SendRun() override;
    SendRun(const SendRun&) = delete;
    SendRun& operator=(const SendRun&) = delete;

    // origin: where the port and line settings came from, for the summary; may be empty.
    // rateGiven: the script chose the rate, which rigctld does not take.
    void start(const std::string& sentence, int autoSeconds, const std::string& origin,
               bool rateGiven);

    std::function<void(const Outcome&)> onEnd;

    Timer resendTimer{500};
    // Asks often whether the line has taken everything.
    Timer lineWatchTimer{10};
    // A radio answers a refused command at once; one that stays silent has taken it.
    Timer answerTimer{300};

private:
    void begin();
    void send();
    void resendTick();
    void finish();
    void lineWatchTick();
    void answerTick();
    void sendQueueDrained() override {}
    void inputWaiting() override;
    void portLost(const std::string& reason) override;
    void portOpened() override { begin(); }
    void openFailed(const std::string& reason) override;
    void sendFailed(const SendFailure& failure) override;
    // "Com 3 (/dev/ttyUSB0 (...))": the number and the device its open reached.
    std::string portName() const;
    void end(ExitStatus status, const std::string& words);

    SerialPort& port_;
    std::string sentence_;
    std::string origin_;
    bool rateGiven_ = false;
    int autoSeconds_ = 0;
    int resendTicksLeft_ = 0;
    int lineWatchTicksLeft_ = 0;
    int sends_ = 0;
    std::size_t bytesSent_ = 0;
    RadioReplies replies_{Audience::script};
    bool ended_ = false;
};
} // namespace command_line
