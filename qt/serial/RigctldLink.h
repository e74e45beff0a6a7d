// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "link/PortsEntry.h"
#include "link/RigctldAnswers.h"
#include "platform/Result.h"
#include "platform/SerialPort.h"
#include "qt/serial/PortLink.h"
#include "radio/LineSettings.h"
#include "radio/LineTime.h"

#include <QTcpSocket>
#include <QTimer>
#include <chrono>
#include <functional>

// The radio through Hamlib's rigctld, which holds the radio's port and shares it among
// programs. Each write goes out as one raw command; rigctld sets the radio's line itself, and
// answers a command once its bytes are in the line's queue, so the line is timed here as a
// serial line's is, at the settings rigctld drives it with.
// Nothing here waits: the open and every answer are events of the event loop, each with a
// deadline, and what rigctld sends is read line by line within RigctldAnswers' limits. Events
// reach the listener from the event loop only.
class RigctldLink : public PortLink {
public:
    // For Connect's whole exchange: the connection and rigctld's answer naming its radio.
    static constexpr std::chrono::milliseconds openDeadline{3000};
    // For each answer, from the moment the line has carried the last command written or from
    // the answer before it. rigctld answers at once what it passes on, and takes about 2 s only
    // when the radio does not answer.
    static constexpr std::chrono::milliseconds answerDeadline{2000};

    explicit RigctldLink(SerialPortListener& listener);
    // The socket tells of its own end, when the timer is already gone.
    ~RigctldLink() override { release(); }
    RigctldLink(const RigctldLink&) = delete;
    RigctldLink& operator=(const RigctldLink&) = delete;

    // Starts connecting to the address the user wrote, and to nothing else, and asking rigctld
    // which radio it serves. The listener hears portOpened or openFailed within openDeadline.
    // selectedLine paces the line where rigctld's own settings cannot be learnt.
    void open(const RigctldEntry& entry, int number, const LineSettings& selectedLine);
    bool isOpening() const { return state_ == State::opening; }
    bool isOpen() const override { return state_ == State::open; }
    // Gives up an open under way too; the listener hears nothing of it.
    void close() override;
    Result write(const std::string& text) override;
    // True while rigctld has not answered every command sent, also past the deadline, or the
    // radio's line still carries them: a resend then leaves it alone until it answers and the
    // line is free, or Connect closes it.
    bool isLineBusy() const override;
    std::string readInput() override;
    // "rigctld at localhost:4532, Kenwood TS-2000"
    const std::string& description() const override { return description_; }
    // "4800,n,8,1", or the settings that pace the line in their place with why.
    const std::string& lineInUse() const { return lineInUse_; }
    void release() override;

private:
    enum class State { closed, opening, open };

    void received();
    void capabilitiesAnswered(const RigctldAnswers::Answer& answer);
    void learnLine(const RigctldAnswers::Answer& capabilities);
    // Restarts the answer's deadline, counted from when the line is free.
    void awaitAnswer();
    void commandAnswered(const RigctldAnswers::Answer& answer);
    void deadlinePassed();
    void socketFailed(QAbstractSocket::SocketError error);
    // Closes for good and tells the listener why, once: the open failed, or the connection was
    // lost.
    void fail(const std::string& why);
    void closeQuietly();
    // Calls the listener from the event loop, unless the link was closed or opened again since.
    void tell(std::function<void(SerialPortListener&)> event);
    // "Com 9: rigctld at localhost:4532"; without the number where a script named the rigctld.
    std::string name() const;
    // Where the address was written: "in ~/.config/Sonavel/ports/com9", or "given to --rigctld".
    std::string whereWritten() const;

    SerialPortListener& listener_;
    QTcpSocket socket_;
    QTimer deadline_;
    RigctldAnswers answers_;
    RigctldEntry entry_;
    int number_ = 1;
    State state_ = State::closed;
    // Grows at every open and close, so that an event told for an earlier one is dropped.
    unsigned session_ = 0;
    std::string description_;
    LineSettings selectedLine_;
    LineSettings line_;
    std::string lineInUse_;
    LineClock lineClock_;
    // Commands sent whose answer has not come.
    std::size_t awaited_ = 0;
    // A command awaited now was answered with a failure, or not in time.
    bool batchFailed_ = false;
    bool overdue_ = false;
    // Silence is told once, and again only after rigctld has answered in time.
    bool silenceTold_ = false;
    std::string input_;
    std::chrono::steady_clock::time_point lastReplyRead_{};
};
