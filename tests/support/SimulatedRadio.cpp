// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "tests/support/SimulatedRadio.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace {
constexpr int pollMilliseconds = 10;
// A slow radio reads one slice of its rate at a time.
constexpr int slowSliceMilliseconds = 10;
constexpr auto writeGiveUp = std::chrono::seconds(2);

// A TS-2000 on 14.250 MHz USB, not transmitting, auto-information off.
constexpr std::array<std::pair<std::string_view, std::string_view>, 7> openQueries{{
    {"ID;", "ID019;"},
    {"PS;", "PS1;"},
    {"IF;", "IF00014250000     +00000000002000000 ;"},
    {"AI;", "AI0;"},
    {"FA;", "FA00014250000;"},
    {"FB;", "FB00014250000;"},
    {"MD;", "MD2;"},
}};

std::string_view queryAnswer(const std::string& command) {
    for (const auto& [query, answer] : openQueries) {
        if (command == query) {
            return answer;
        }
    }
    return {};
}

int bitsPerSecond(speed_t speed) {
    constexpr std::array<std::pair<speed_t, int>, 19> rates{{
        {B50, 50},       {B75, 75},         {B110, 110},       {B134, 134},       {B150, 150},
        {B200, 200},     {B300, 300},       {B600, 600},       {B1200, 1200},     {B1800, 1800},
        {B2400, 2400},   {B4800, 4800},     {B9600, 9600},     {B19200, 19200},   {B38400, 38400},
        {B57600, 57600}, {B115200, 115200}, {B230400, 230400}, {B460800, 460800},
    }};
    for (const auto& [code, rate] : rates) {
        if (code == speed) {
            return rate;
        }
    }
    return 0;
}
} // namespace

SimulatedRadio::SimulatedRadio() {
    open();
}

SimulatedRadio::~SimulatedRadio() {
    close();
}

void SimulatedRadio::open() {
    int master = -1;
    int slave = -1;
    std::array<char, 256> name{};
    termios raw{};
    cfmakeraw(&raw);
    if (openpty(&master, &slave, name.data(), &raw, nullptr) != 0) {
        throw std::system_error(errno, std::generic_category(), "openpty");
    }
    // A radio behind a UART holds no file of the computer's: only the program under test opens
    // the slave, so that it finds no other holder of the device.
    ::close(slave);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    {
        std::lock_guard lock(mutex_);
        master_ = master;
        slavePath_ = name.data();
        stop_ = false;
    }
    reader_ = std::thread([this] { readLoop(); });
}

void SimulatedRadio::close() {
    {
        std::lock_guard lock(mutex_);
        if (master_ < 0) {
            return;
        }
        stop_ = true;
    }
    heard_.notify_all();
    reader_.join();
    std::scoped_lock lock(writing_, mutex_);
    ::close(master_);
    master_ = -1;
}

void SimulatedRadio::readLoop() {
    std::array<char, 4096> buffer{};
    for (;;) {
        int master = -1;
        std::size_t wanted = buffer.size();
        {
            std::unique_lock lock(mutex_);
            heard_.wait_for(lock, std::chrono::milliseconds(pollMilliseconds),
                            [this] { return stop_ || reading_; });
            if (stop_) {
                return;
            }
            if (!reading_) {
                continue;
            }
            master = master_;
            if (bytesPerSecond_ > 0) {
                wanted =
                    static_cast<std::size_t>(bytesPerSecond_) * slowSliceMilliseconds / 1000 + 1;
            }
        }
        pollfd watch{master, POLLIN, 0};
        if (poll(&watch, 1, pollMilliseconds) <= 0 || (watch.revents & POLLIN) == 0) {
            // While no program has the slave open the master reports a hang-up at once.
            if ((watch.revents & POLLHUP) != 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(pollMilliseconds));
            }
            continue;
        }
        const ssize_t count = ::read(master, buffer.data(), std::min(wanted, buffer.size()));
        if (count > 0) {
            take(buffer.data(), static_cast<std::size_t>(count), Clock::now());
        }
        if (wanted < buffer.size()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(slowSliceMilliseconds));
        }
    }
}

void SimulatedRadio::take(const char* bytes, std::size_t count, Clock::time_point arrival) {
    std::string answers;
    {
        std::lock_guard lock(mutex_);
        for (std::size_t i = 0; i < count; ++i) {
            received_.push_back({static_cast<unsigned char>(bytes[i]), arrival});
            if (partial_.text.empty()) {
                partial_.start = arrival;
            }
            partial_.text += bytes[i];
            if (bytes[i] == ';') {
                partial_.end = arrival;
                const std::string_view answer = answersQueries_ ? queryAnswer(partial_.text) : "";
                answers += answer.empty() ? std::string_view(reply_) : answer;
                commands_.push_back(std::move(partial_));
                partial_ = Command{};
            }
        }
    }
    heard_.notify_all();
    if (!answers.empty()) {
        writeAll(answers);
    }
}

bool SimulatedRadio::writeAll(std::string_view bytes) {
    const auto giveUp = Clock::now() + writeGiveUp;
    std::lock_guard writing(writing_);
    int master = -1;
    {
        std::lock_guard lock(mutex_);
        master = master_;
    }
    while (!bytes.empty()) {
        if (master < 0 || Clock::now() > giveUp) {
            return false;
        }
        const ssize_t count = ::write(master, bytes.data(), bytes.size());
        if (count > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(count));
        } else if (errno == EAGAIN || errno == EINTR) {
            pollfd watch{master, POLLOUT, 0};
            poll(&watch, 1, pollMilliseconds);
        } else {
            return false;
        }
    }
    return true;
}

std::string SimulatedRadio::slavePath() const {
    std::lock_guard lock(mutex_);
    return slavePath_;
}

std::vector<SimulatedRadio::Byte> SimulatedRadio::received() const {
    std::lock_guard lock(mutex_);
    return received_;
}

std::size_t SimulatedRadio::receivedCount() const {
    std::lock_guard lock(mutex_);
    return received_.size();
}

std::string SimulatedRadio::receivedText() const {
    std::lock_guard lock(mutex_);
    std::string text;
    text.reserve(received_.size());
    for (const Byte& byte : received_) {
        text += static_cast<char>(byte.value);
    }
    return text;
}

std::vector<SimulatedRadio::Command> SimulatedRadio::commands() const {
    std::lock_guard lock(mutex_);
    return commands_;
}

void SimulatedRadio::clear() {
    std::lock_guard lock(mutex_);
    received_.clear();
    commands_.clear();
    partial_ = Command{};
}

bool SimulatedRadio::waitForBytes(std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return heard_.wait_for(lock, timeout, [&] { return received_.size() >= count; });
}

bool SimulatedRadio::waitForCommands(std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return heard_.wait_for(lock, timeout, [&] { return commands_.size() >= count; });
}

void SimulatedRadio::answerEveryCommandWith(std::string reply) {
    std::lock_guard lock(mutex_);
    reply_ = std::move(reply);
}

void SimulatedRadio::answerOpenQueries() {
    std::lock_guard lock(mutex_);
    answersQueries_ = true;
}

bool SimulatedRadio::send(std::string_view bytes) {
    return writeAll(bytes);
}

void SimulatedRadio::readSlowly(int bytesPerSecond) {
    std::lock_guard lock(mutex_);
    bytesPerSecond_ = bytesPerSecond;
}

void SimulatedRadio::stopReading() {
    std::lock_guard lock(mutex_);
    reading_ = false;
}

void SimulatedRadio::resumeReading() {
    {
        std::lock_guard lock(mutex_);
        reading_ = true;
    }
    heard_.notify_all();
}

void SimulatedRadio::hangUp() {
    close();
}

void SimulatedRadio::reappear() {
    if (!isConnected()) {
        open();
    }
}

bool SimulatedRadio::isConnected() const {
    std::lock_guard lock(mutex_);
    return master_ >= 0;
}

std::optional<termios> SimulatedRadio::slaveTermios() const {
    std::lock_guard lock(mutex_);
    termios settings{};
    // The master reports the slave's settings, whether or not the slave is open.
    if (master_ < 0 || tcgetattr(master_, &settings) != 0) {
        return std::nullopt;
    }
    return settings;
}

int SimulatedRadio::baudRate() const {
    const std::optional<termios> settings = slaveTermios();
    return settings ? bitsPerSecond(cfgetispeed(&*settings)) : 0;
}
