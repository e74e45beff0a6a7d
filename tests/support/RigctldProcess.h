// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <netinet/in.h>
#include <spawn.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

// Hamlib's rigctld for a TS-2000 (model 2014) on device, listening on the loopback address
// only, at a port no one else uses.
class RigctldProcess {
public:
    static constexpr const char* program = "/usr/bin/rigctld";

    static bool isInstalled() { return ::access(program, X_OK) == 0; }

    // A port on the loopback address that was free a moment ago.
    static int freePort() {
        const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        ::bind(probe, reinterpret_cast<sockaddr*>(&address), size);
        ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
        ::close(probe);
        return ntohs(address.sin_port);
    }

    // lineRate: the rate rigctld drives the radio's line at (its -s); 0 for the model's own.
    RigctldProcess(const std::string& device, int port, int lineRate = 0) : port_(port) {
        std::vector<std::string> words{
            program, "-m", "2014", "-r", device, "-t", std::to_string(port), "-T", "127.0.0.1"};
        if (lineRate != 0) {
            words.insert(words.end(), {"-s", std::to_string(lineRate)});
        }
        std::vector<char*> arguments;
        for (std::string& word : words) {
            arguments.push_back(word.data());
        }
        arguments.push_back(nullptr);
        if (posix_spawn(&process_, program, nullptr, nullptr, arguments.data(), environ) != 0) {
            process_ = -1;
        }
    }
    ~RigctldProcess() { kill(); }
    RigctldProcess(const RigctldProcess&) = delete;
    RigctldProcess& operator=(const RigctldProcess&) = delete;

    // Waits until it takes connections, which it does once it has opened the radio.
    bool waitUntilListening(std::chrono::seconds limit = std::chrono::seconds(10)) const {
        const auto giveUp = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < giveUp && process_ > 0) {
            const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_port = htons(static_cast<std::uint16_t>(port_));
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            const bool listening =
                ::connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
            ::close(probe);
            if (listening) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }

    pid_t processId() const { return process_; }

    // Ends it at once, as a crash or a kill would.
    void kill() {
        if (process_ > 0) {
            ::kill(process_, SIGKILL);
            ::waitpid(process_, nullptr, 0);
            process_ = -1;
        }
    }

private:
    pid_t process_ = -1;
    int port_;
};
