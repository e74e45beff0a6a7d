// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/serial/RigctldLink.h"

#include "qt/serial/PortsFolder.h"
#include "radio/PortLabel.h"

#include <QMetaObject>
#include <QNetworkProxy>

namespace {
using namespace std::chrono_literals;
constexpr int connectMilliseconds = 3000;
constexpr int answerMilliseconds = 3000;
// Reading the radio's reply holds rigctld for its timeout when the radio accepts a command
// silently, which is every time; so it is read now and then, not with every command.
constexpr auto replyReadInterval = 5s;
// Commands sent that rigctld has not answered, past which it is taken to be stuck.
constexpr std::size_t inFlightLimit = 8;

bool isOneWord(const std::string& text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) <= ' ' || c == '\x7f') {
            return false;
        }
    }
    return !text.empty();
}
} // namespace

RigctldLink::RigctldLink(SerialPortListener& listener) : listener_(listener) {
    // Only the address the user wrote is contacted, never a proxy.
    socket_.setProxy(QNetworkProxy::NoProxy);
    QObject::connect(&socket_, &QTcpSocket::readyRead, &socket_, [this] {
        if (open_) {
            received();
        }
    });
    QObject::connect(&socket_, &QTcpSocket::errorOccurred, &socket_,
                     [this](QAbstractSocket::SocketError error) {
                         lost(error == QAbstractSocket::RemoteHostClosedError
                                  ? "rigctld closed the connection (it ended or was restarted)"
                                  : socket_.errorString().toStdString());
                     });
    QObject::connect(&socket_, &QTcpSocket::disconnected, &socket_,
                     [this] { lost("rigctld closed the connection (it ended or was restarted)"); });
}

Result RigctldLink::open(const RigctldEntry& entry, int number) {
    entry_ = entry;
    number_ = number;
    description_.clear();
    inFlight_.clear();
    input_.clear();
    problem_.clear();
    answers_ = RigctldAnswers{};
    socket_.connectToHost(QString::fromStdString(entry.host), entry.port);
    if (!socket_.waitForConnected(connectMilliseconds)) {
        const std::string why = socket_.errorString().toStdString();
        socket_.abort();
        return Result::failure(name() + " could not be reached: " + why +
                               ". Check that rigctld is running there (rigctld -m 2014 -r "
                               "/dev/ttyUSB0 -t " +
                               std::to_string(entry.port) + ") and the address in " +
                               shownPortsFile(number));
    }
    socket_.write("+\\dump_caps\n");
    std::vector<RigctldAnswers::Answer> answered;
    while (answered.empty() && socket_.waitForReadyRead(answerMilliseconds)) {
        const QByteArray bytes = socket_.readAll();
        answered = answers_.receive(std::string_view(bytes.constData(), bytes.size()));
    }
    if (answered.empty() || answered.front().code != 0) {
        socket_.abort();
        return Result::failure(name() +
                               " took the connection but did not answer as rigctld "
                               "does. Check the port number in " +
                               shownPortsFile(number));
    }
    const std::string radio = rigctldRadioName(answered.front());
    description_ = "rigctld at " + entry.address() + (radio.empty() ? "" : ", " + radio);
    lastReplyRead_ = {};
    open_ = true;
    return Result::success();
}

void RigctldLink::close() {
    open_ = false;
    socket_.abort();
}

Result RigctldLink::write(const std::string& text) {
    if (!problem_.empty()) {
        return Result::failure(std::exchange(problem_, {}));
    }
    if (!isOneWord(text)) {
        return Result::failure(name() + " takes a command only without spaces or control "
                                        "characters");
    }
    if (inFlight_.size() >= inFlightLimit) {
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
    inFlight_.push_back(text);
    return Result::success();
}

void RigctldLink::received() {
    const QByteArray bytes = socket_.readAll();
    bool radioSpoke = false;
    for (const auto& answer : answers_.receive(std::string_view(bytes.constData(), bytes.size()))) {
        if (answer.code != 0 && problem_.empty()) {
            problem_ = name() +
                       " could not pass a command to the radio: " + rigctldErrorWords(answer.code) +
                       " (RPRT " + std::to_string(answer.code) +
                       "). Check the radio, and the cable at the computer rigctld runs on";
        }
        if (!answer.radioReply.empty() &&
            input_.size() + answer.radioReply.size() <= SerialPort::receiveQueueSize) {
            input_ += answer.radioReply;
            radioSpoke = true;
        }
        if (!inFlight_.empty()) {
            inFlight_.erase(inFlight_.begin());
            if (inFlight_.empty()) {
                listener_.sendQueueDrained();
            }
        }
    }
    if (radioSpoke) {
        listener_.inputWaiting();
    }
}

std::string RigctldLink::readInput() {
    return std::exchange(input_, {});
}

void RigctldLink::lost(const std::string& what) {
    if (!open_) {
        return;
    }
    open_ = false;
    const std::string reason = name() + ": " + what +
                               "; the port is closed. Check that rigctld "
                               "is running";
    socket_.abort();
    QMetaObject::invokeMethod(
        &socket_, [this, reason] { listener_.portLost(reason); }, Qt::QueuedConnection);
}

void RigctldLink::release() {
    QObject::disconnect(&socket_, nullptr, nullptr, nullptr);
    open_ = false;
    socket_.abort();
}

std::string RigctldLink::name() const {
    return portLabel(number_) + ": rigctld at " + entry_.address();
}
