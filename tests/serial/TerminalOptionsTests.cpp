// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "link/ParityMarks.h"
#include "qt/serial/TerminalOptions.h"
#include "tests/support/SimulatedRadio.h"

#include <QTest>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace std::string_literals;

namespace {
class OpenTerminal {
public:
    explicit OpenTerminal(const std::string& path)
        : fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {}
    ~OpenTerminal() { ::close(fd); }
    OpenTerminal(const OpenTerminal&) = delete;
    OpenTerminal& operator=(const OpenTerminal&) = delete;

    std::string readAtLeast(std::size_t count) {
        std::string bytes;
        static_cast<void>(QTest::qWaitFor(
            [&] {
                char buffer[64];
                const ssize_t got = ::read(fd, buffer, sizeof buffer);
                if (got > 0) {
                    bytes.append(buffer, static_cast<std::size_t>(got));
                }
                return bytes.size() >= count;
            },
            5000));
        return bytes;
    }

    const int fd;
};
} // namespace

TEST(TerminalOptions, MarkedInputDecodesBackToWhatWasSent) {
    SimulatedRadio radio;
    OpenTerminal terminal(radio.slavePath());
    ASSERT_GE(terminal.fd, 0);

    ASSERT_TRUE(markParityErrors(terminal.fd, true));
    EXPECT_NE(radio.slaveTermios()->c_iflag & PARMRK, 0u);
    EXPECT_NE(radio.slaveTermios()->c_iflag & INPCK, 0u);
    ASSERT_TRUE(radio.send("A\xFF;"s));
    const std::string marked = terminal.readAtLeast(4);
    EXPECT_EQ(marked, "A\xFF\xFF;"s);
    EXPECT_EQ(ParityMarks{}.decode(marked), "A\xFF;"s);

    EXPECT_FALSE(markParityErrors(terminal.fd, false));
    EXPECT_EQ(radio.slaveTermios()->c_iflag & PARMRK, 0u);
    ASSERT_TRUE(radio.send("B\xFF;"s));
    EXPECT_EQ(terminal.readAtLeast(3), "B\xFF;"s);
    EXPECT_FALSE(markParityErrors(-1, true));
}
