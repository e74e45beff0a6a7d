// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <termios.h>
#include <thread>
#include <vector>

// A radio at the far end of a pseudo-terminal. The program under test opens slavePath(); the
// radio reads the master side on its own thread, records every byte with the moment it came,
// and splits what it hears into ";"-terminated commands. Every call is thread-safe.
class SimulatedRadio {
public:
    using Clock = std::chrono::steady_clock;

    struct Byte {
        unsigned char value;
        Clock::time_point arrival;
    };
    struct Command {
        std::string text;        // with its closing ";"
        Clock::time_point start; // arrival of its first byte
        Clock::time_point end;   // arrival of its ";"
    };

    // Throws std::runtime_error when no pseudo-terminal can be had.
    SimulatedRadio();
    ~SimulatedRadio();
    SimulatedRadio(const SimulatedRadio&) = delete;
    SimulatedRadio& operator=(const SimulatedRadio&) = delete;

    // The device the program opens; a new one after reappear().
    std::string slavePath() const;

    std::vector<Byte> received() const;
    // How many bytes received() holds, without the copy.
    std::size_t receivedCount() const;
    std::string receivedText() const;
    std::vector<Command> commands() const;
    // Forgets everything heard so far (an unfinished command too).
    void clear();

    bool waitForBytes(std::size_t count, std::chrono::milliseconds timeout) const;
    bool waitForCommands(std::size_t count, std::chrono::milliseconds timeout) const;

    // Answers every command heard from now on with reply; an empty reply stops answering.
    void answerEveryCommandWith(std::string reply);
    // Answers the queries that Hamlib's rigctld sends when it opens a TS-2000 (ID; PS; IF;
    // AI; FA; FB; MD;) as the radio does, whatever the reply to other commands.
    void answerOpenQueries();
    // Sends bytes to the program; false when hung up or the write failed.
    bool send(std::string_view bytes);

    // While not reading, what the program sends piles up in the system's buffers until they
    // are full and its writes stall.
    void stopReading();
    void resumeReading();
    // Reads no faster than a radio at this many bytes per second; 0 reads at once.
    void readSlowly(int bytesPerSecond);

    // Closes the master side: the program sees its device hang up.
    void hangUp();
    // After a hang-up, comes back on a new pseudo-terminal with a new slavePath().
    void reappear();
    bool isConnected() const;

    // The line settings the program gave the slave; nullopt when hung up.
    std::optional<termios> slaveTermios() const;
    // The slave's input rate in bits per second (19200), 0 when hung up or not a known rate.
    int baudRate() const;

private:
    void open();
    void close();
    void readLoop();
    void take(const char* bytes, std::size_t count, Clock::time_point arrival);
    bool writeAll(std::string_view bytes);

    mutable std::mutex mutex_;
    // Keeps the master open while a send is under way, and sends from mixing.
    std::mutex writing_;
    mutable std::condition_variable heard_;
    int master_ = -1;
    std::string slavePath_;
    std::vector<Byte> received_;
    std::vector<Command> commands_;
    Command partial_;
    std::string reply_;
    bool answersQueries_ = false;
    bool reading_ = true;
    int bytesPerSecond_ = 0;
    bool stop_ = false;
    std::thread reader_;
};
