// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/serial/RigctldLink.h"

#include "link/RigctldLine.h"
#include "qt/serial/PortsFolder.h"
#include "radio/PortLabel.h"
#include "system/ProgramCommandLines.h"

#include <QHostAddress>
#include <QMetaObject>
#include <QNetworkProxy>
#include <algorithm>
#include <array>

namespace {
using namespace std::chrono_literals;
// Reading the radio's reply holds rigctld for its timeout when the radio accepts a command
// silently, which is every time; so it is read now and then, not with every command.
constexpr auto replyReadInterval = 5s;
// Commands sent that rigctld has not answered, past which a write is refused.
constexpr std::size_t awaitedLimit = 8;
constexpr const char* closedByRigctld = "rigctld closed the connection (it ended or was restarted)";

bool isOneWord(const std::string& text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) <= ' ' || c == '\x7f') {
            return false;
        }
    }
    return !text.empty();
}

std::string seconds(std::chrono::milliseconds duration) {
    return std::to_string(duration.count() / 1000) + " seconds";
}
} // namespace

RigctldLink::RigctldLink(SerialPortListener& listener) : listener_(listener) {
    // Only the address the user wrote is contacted, never a proxy.
    socket_.setProxy(QNetworkProxy::NoProxy);
    // Qt reads no more than this ahead of us, whatever the peer sends.
    socket_.setReadBufferSize(static_cast<qint64>(RigctldAnswers::answerLimit));
    deadline_.setSingleShot(true);
    // A coarse timer may end a deadline of seconds a twentieth early.
    deadline_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadline_, &QTimer::timeout, &socket_, [this] { deadlinePassed(); });
    QObject::connect(&socket_, &QTcpSocket::connected, &socket_,
                     [this] { socket_.write("+\\dump_caps\n"); });
    QObject::connect(&socket_, &QTcpSocket::readyRead, &socket_, [this] { received(); });
    QObject::connect(&socket_, &QTcpSocket::errorOccurred, &socket_,
                     [this](QAbstractSocket::SocketError error) { socketFailed(error); });
    QObject::connect(&socket_, &QTcpSocket::disconnected, &socket_,
                     [this] { socketFailed(QAbstractSocket::RemoteHostClosedError); });
}

void RigctldLink::open(const RigctldEntry& entry, int number, const LineSettings& selectedLine) {
    closeQuietly();
    entry_ = entry;
    number_ = number;
    selectedLine_ = selectedLine;
    description_.clear();
    answers_ = RigctldAnswers{};
    state_ = State::opening;
    deadline_.start(openDeadline);
    socket_.connectToHost(QString::fromStdString(entry.host), entry.port);
}

void RigctldLink::close() {
    closeQuietly();
}

void RigctldLink::closeQuietly() {
    ++session_;
    // Closed first, so that what the socket signals on its way down finds nothing to do.
    state_ = State::closed;
    deadline_.stop();
    awaited_ = 0;
    batchFailed_ = overdue_ = silenceTold_ = false;
    input_.clear();
    socket_.abort();
}

Result RigctldLink::write(const std::string& text) {
    if (!isOneWord(text)) {
        return Result::failure(name() + " takes a command only without spaces or control "
                                        "characters");
    }
    if (awaited_ >= awaitedLimit) {
        return Result::failure(name() + " has not answered the last commands sent; check that "
                                        "rigctld and the radio are working");
    }
    const auto now = std::chrono::steady_clock::now();
    const bool readReply = now - lastReplyRead_ >= replyReadInterval;
    if (readReply) {
        lastReplyRead_ = now;
    }
    const std::string command = rigctldRawCommand(text, readReply);
    const auto size = static_cast<qint64>(command.size());
    if (socket_.write(command.data(), size) != size) {
        return Result::failure(name() + ": " + socket_.errorString().toStdString());
    }
    ++awaited_;
    // rigctld writes the raw command's text, and nothing else, to the radio's line.
    lineClock_.wrote(text.size(), line_, LineClock::Clock::now());
    awaitAnswer();
    return Result::success();
}

bool RigctldLink::isLineBusy() const {
    return isOpen() && (awaited_ > 0 || lineClock_.isBusy(LineClock::Clock::now()));
}

// A command answered only after the line carries what was queued before it is not late: the
// deadline runs from when the line is free. A slow line, at 4800 baud, takes 601 ms for a pair.
void RigctldLink::awaitAnswer() {
    const auto now = LineClock::Clock::now();
    const auto untilFree = std::max(lineClock_.freeAt(), now) - now;
    deadline_.start(answerDeadline + std::chrono::ceil<std::chrono::milliseconds>(untilFree));
}

void RigctldLink::received() {
    std::array<char, 4096> chunk{};
    while (state_ != State::closed && socket_.bytesAvailable() > 0) {
        const qint64 count = socket_.read(chunk.data(), static_cast<qint64>(chunk.size()));
        if (count <= 0) {
            return;
        }
        for (const auto& answer :
             answers_.receive(std::string_view(chunk.data(), static_cast<std::size_t>(count)))) {
            if (state_ == State::opening) {
                capabilitiesAnswered(answer);
            } else if (state_ == State::open) {
                commandAnswered(answer);
            }
        }
        if (state_ != State::closed && !answers_.fault().empty()) {
            fail(name() + " sent what rigctld does not send: " + answers_.fault() +
                 ". Check that it is rigctld that listens there, and the port number " +
                 whereWritten());
        }
    }
}

void RigctldLink::capabilitiesAnswered(const RigctldAnswers::Answer& answer) {
    if (answer.code != 0) {
        fail(name() + rigctldTrouble(answer.code));
        return;
    }
    deadline_.stop();
    const std::string radio = rigctldRadioName(answer);
    description_ = "rigctld at " + entry_.address() + (radio.empty() ? "" : ", " + radio);
    learnLine(answer);
    lastReplyRead_ = {};
    state_ = State::open;
    tell([](SerialPortListener& listener) { listener.portOpened(); });
}

// rigctld cannot be asked its line's settings (Hamlib 4.5 has no such command, and takes an unknown
// one for a run of one-letter commands that query the radio), but one on this computer shows the
// options it was started with. One on another computer, or hidden from this user, leaves the
// rate selector's settings to pace the line by.
void RigctldLink::learnLine(const RigctldAnswers::Answer& capabilities) {
    const QHostAddress peer = socket_.peerAddress();
    const std::optional<LineSettings> modelLine = rigctldModelLine(capabilities);
    std::optional<LineSettings> found;
    bool agree = true;
    if (modelLine && (peer.isLoopback() || peer == socket_.localAddress())) {
        for (const auto& commandLine : commandLinesOf("rigctld")) {
            if (!rigctldListensOn(commandLine, entry_.port)) {
                continue;
            }
            const std::optional<LineSettings> line = rigctldLine(commandLine, *modelLine);
            agree = agree && line && (!found || *found == *line);
            found = line;
        }
    }
    lineClock_.reset();
    if (found && agree) {
        line_ = *found;
        lineInUse_ = line_.text();
        return;
    }
    line_ = selectedLine_;
    lineInUse_ = line_.text() + " (the rate chosen, which paces the resend: rigctld's own settings "
                                "cannot be seen from here)";
}

void RigctldLink::commandAnswered(const RigctldAnswers::Answer& answer) {
    if (awaited_ == 0) {
        fail(name() +
             " answered a command that was not sent, which rigctld does not do. Check "
             "that it is rigctld that listens there, and the port number " +
             whereWritten());
        return;
    }
    --awaited_;
    // One failure of a batch is told: its other commands most likely failed alike.
    if (answer.code != 0 && !std::exchange(batchFailed_, true)) {
        tell([failure = SendFailure{name() + rigctldTrouble(answer.code),
                                    rigctldRadioRefused(answer.code)}](
                 SerialPortListener& listener) { listener.sendFailed(failure); });
    }
    if (!answer.radioReply.empty() &&
        input_.size() + answer.radioReply.size() <= SerialPort::receiveQueueSize) {
        input_ += answer.radioReply;
        tell([](SerialPortListener& listener) { listener.inputWaiting(); });
    }
    if (awaited_ > 0) {
        awaitAnswer();
        return;
    }
    deadline_.stop();
    silenceTold_ = silenceTold_ && overdue_;
    overdue_ = false;
    if (!std::exchange(batchFailed_, false)) {
        tell([](SerialPortListener& listener) { listener.sendQueueDrained(); });
    }
}

void RigctldLink::deadlinePassed() {
    if (state_ == State::opening) {
        fail(socket_.state() == QAbstractSocket::ConnectedState
                 ? name() + " took the connection but did not answer within " +
                       seconds(openDeadline) +
                       ". rigctld is this slow when it cannot reach the radio: check that the "
                       "radio is switched on, and its cable. If it is not rigctld that listens "
                       "there, check the port number " +
                       whereWritten()
                 : name() + " could not be reached within " + seconds(openDeadline) +
                       ". Check that the computer rigctld runs on is on the network, and the "
                       "address " +
                       whereWritten());
        return;
    }
    if (state_ != State::open || awaited_ == 0) {
        return;
    }
    overdue_ = batchFailed_ = true;
    if (std::exchange(silenceTold_, true)) {
        return;
    }
    tell([failure = SendFailure{name() + " has not answered for " + seconds(answerDeadline) +
                                ", so nothing more is sent until it does. rigctld waits this "
                                "long when the radio does not answer: check that the radio is "
                                "switched on, and its cable; or press Connect to close the port"}](
             SerialPortListener& listener) { listener.sendFailed(failure); });
}

void RigctldLink::socketFailed(QAbstractSocket::SocketError error) {
    const bool closedByPeer = error == QAbstractSocket::RemoteHostClosedError;
    if (state_ == State::open) {
        fail(name() + ": " +
             (closedByPeer ? std::string(closedByRigctld) : socket_.errorString().toStdString()) +
             "; the port is closed. Check that rigctld is running");
    } else if (state_ == State::opening && closedByPeer) {
        fail(name() +
             " closed the connection without answering. rigctld does this when it "
             "cannot open the radio: check that the radio is switched on, and its "
             "cable at the computer rigctld runs on. If it is not rigctld that listens "
             "there, check the port number " +
             whereWritten());
    } else if (state_ == State::opening) {
        fail(name() + " could not be reached: " + socket_.errorString().toStdString() +
             ". Check that rigctld is running there (rigctld -m 2014 -r " +
             (systemDeviceNames == DeviceNames::comPorts ? "COM3" : "/dev/ttyUSB0") + " -t " +
             std::to_string(entry_.port) + ") and the address " + whereWritten());
    }
}

void RigctldLink::fail(const std::string& why) {
    const bool wasOpening = state_ == State::opening;
    closeQuietly();
    if (wasOpening) {
        tell([why](SerialPortListener& listener) { listener.openFailed(why); });
    } else {
        tell([why](SerialPortListener& listener) { listener.portLost(why); });
    }
}

void RigctldLink::tell(std::function<void(SerialPortListener&)> event) {
    QMetaObject::invokeMethod(
        &socket_,
        [this, session = session_, event = std::move(event)] {
            if (session == session_) {
                event(listener_);
            }
        },
        Qt::QueuedConnection);
}

std::string RigctldLink::readInput() {
    return std::exchange(input_, {});
}

void RigctldLink::release() {
    QObject::disconnect(&socket_, nullptr, nullptr, nullptr);
    QObject::disconnect(&deadline_, nullptr, nullptr, nullptr);
    closeQuietly();
}

std::string RigctldLink::name() const {
    const std::string reached = "rigctld at " + entry_.address();
    return number_ == namedWay ? reached : portLabel(number_) + ": " + reached;
}

std::string RigctldLink::whereWritten() const {
    return number_ == namedWay ? "given to --rigctld" : "in " + shownPortsFile(number_);
}
