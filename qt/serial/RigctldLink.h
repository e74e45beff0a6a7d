// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include "link/PortsEntry.h"
#include "link/RigctldAnswers.h"
#include "platform/Result.h"
#include "platform/SerialPort.h"
#include "qt/serial/PortLink.h"

#include <QTcpSocket>
#include <chrono>

// The radio through Hamlib's rigctld, which holds the radio's port and shares it among
// programs. Each write goes out as one raw command; rigctld sets the radio's line itself.
// Events reach the listener from the event loop only.
class RigctldLink : public PortLink {
public:
    explicit RigctldLink(SerialPortListener& listener);

    // Connects to the address the user wrote, and to nothing else, and asks rigctld which radio
    // it serves; waits up to a few seconds.
    Result open(const RigctldEntry& entry, int number);
    void close() override;
    bool isOpen() const override { return open_; }
    Result write(const std::string& text) override;
    // True while rigctld has not answered every command sent.
    bool isLineBusy() const override { return open_ && !inFlight_.empty(); }
    std::string readInput() override;
    // "rigctld at localhost:4532, Kenwood TS-2000"
    const std::string& description() const override { return description_; }
    void release() override;

private:
    void received();
    void lost(const std::string& what);
    // "Com 9: rigctld at localhost:4532"; without the number where a script named the rigctld.
    std::string name() const;

    SerialPortListener& listener_;
    QTcpSocket socket_;
    RigctldAnswers answers_;
    RigctldEntry entry_;
    int number_ = 1;
    bool open_ = false;
    std::string description_;
    // The commands sent whose answer has not come, oldest first.
    std::vector<std::string> inFlight_;
    std::string input_;
    // A failure rigctld reported for a command already sent, told by the next write.
    std::string problem_;
    std::chrono::steady_clock::time_point lastReplyRead_{};
};
