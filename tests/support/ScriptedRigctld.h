// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

// A peer on the loopback address that answers as rigctld does until the line its script names,
// and from there on acts as the script says: a rigctld whose radio fails, a stuck one, or
// something that only pretends to be rigctld. Runs on a thread of its own, one connection at a
// time, until it is destroyed.
class ScriptedRigctld {
public:
    enum class Act {
        answer,      // each line gets the script's answer
        silence,     // says nothing more
        drip,        // one byte a second, never a line end
        flood,       // lines without end, none of them "RPRT"
        hugeLine,    // a megabyte without a line end
        closeAtOnce, // ends the connection
    };
    struct Script {
        // The line at which it turns: 0 at the connection, 1 at rigctld's first question (which
        // radio it serves), 2 at the first command after it, and so on.
        int from = 2;
        Act act = Act::answer;
        std::string answer = "RPRT 0\n";
    };

    explicit ScriptedRigctld(Script script);
    ~ScriptedRigctld();
    ScriptedRigctld(const ScriptedRigctld&) = delete;
    ScriptedRigctld& operator=(const ScriptedRigctld&) = delete;

    int port() const { return port_; }
    // "rigctld 127.0.0.1:40123", for a ports file.
    std::string portsLine() const { return "rigctld 127.0.0.1:" + std::to_string(port_); }
    // Everything received, across connections.
    std::string received() const;

private:
    void serve();
    void play(int connection);
    // What it does from the line its script names on, other than answering.
    void turn(int connection);
    // Sends bytes whole unless the connection ends or the peer stops.
    bool send(int connection, const std::string& bytes);
    // Takes in what comes within milliseconds; false once the connection has ended or the peer
    // stops.
    bool listen(int connection, int milliseconds);

    Script script_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex receivedMutex_;
    std::string received_;
    // Received on this connection and not yet answered.
    std::string unanswered_;
    std::thread thread_;
};
