// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "tests/support/ScriptedRigctld.h"

#include <arpa/inet.h>
#include <array>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr int pollMilliseconds = 20;
// rigctld's answer to "\dump_caps", cut to what is read of it.
constexpr const char* capabilities =
    "dump_caps:\nCaps dump for model: 2014\nModel name:\tTS-2000\nMfg name:\tKenwood\nRPRT 0\n";

bool waitFor(int descriptor, short event, int milliseconds) {
    pollfd ready{descriptor, event, 0};
    return ::poll(&ready, 1, milliseconds) == 1;
}
} // namespace

ScriptedRigctld::ScriptedRigctld(Script script) : script_(std::move(script)) {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        ::listen(listener_, 4) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        throw std::runtime_error("no loopback port for the scripted rigctld");
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

ScriptedRigctld::~ScriptedRigctld() {
    stopping_ = true;
    thread_.join();
    ::close(listener_);
}

std::string ScriptedRigctld::received() const {
    const std::lock_guard lock(receivedMutex_);
    return received_;
}

void ScriptedRigctld::serve() {
    while (!stopping_) {
        if (waitFor(listener_, POLLIN, pollMilliseconds)) {
            const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            unanswered_.clear();
            play(connection);
            ::close(connection);
        }
    }
}

void ScriptedRigctld::play(int connection) {
    for (int lines = 0;;) {
        if (lines >= script_.from && script_.act != Act::answer) {
            turn(connection);
            return;
        }
        while (unanswered_.find('\n') == std::string::npos) {
            if (!listen(connection, pollMilliseconds)) {
                return;
            }
        }
        unanswered_.erase(0, unanswered_.find('\n') + 1);
        ++lines;
        const std::string answer = lines >= script_.from ? script_.answer
                                   : lines == 1          ? std::string(capabilities)
                                                         : "RPRT 0\n";
        if ((lines < script_.from || script_.act == Act::answer) && !send(connection, answer)) {
            return;
        }
    }
}

void ScriptedRigctld::turn(int connection) {
    switch (script_.act) {
    case Act::answer:
    case Act::closeAtOnce:
        return;
    case Act::silence:
        while (listen(connection, 1000)) {
        }
        return;
    case Act::drip:
        while (send(connection, "x") && listen(connection, 1000)) {
        }
        return;
    case Act::flood:
        while (send(connection, std::string(64, 'y') + ": flood\n")) {
        }
        return;
    case Act::hugeLine:
        if (send(connection, std::string(1 << 20, 'z'))) {
            while (listen(connection, 1000)) {
            }
        }
        return;
    }
}

bool ScriptedRigctld::send(int connection, const std::string& bytes) {
    for (std::size_t sent = 0; sent < bytes.size() && !stopping_;) {
        if (waitFor(connection, POLLOUT, pollMilliseconds)) {
            const ssize_t count = ::send(connection, bytes.data() + sent, bytes.size() - sent,
                                         MSG_NOSIGNAL | MSG_DONTWAIT);
            if (count < 0) {
                return false;
            }
            sent += static_cast<std::size_t>(count);
        }
    }
    return !stopping_;
}

bool ScriptedRigctld::listen(int connection, int milliseconds) {
    if (waitFor(connection, POLLIN, milliseconds)) {
        std::array<char, 4096> bytes{};
        const ssize_t count = ::recv(connection, bytes.data(), bytes.size(), 0);
        if (count <= 0) {
            return false;
        }
        unanswered_.append(bytes.data(), static_cast<std::size_t>(count));
        const std::lock_guard lock(receivedMutex_);
        received_.append(bytes.data(), static_cast<std::size_t>(count));
    }
    return !stopping_;
}
