// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/serial/QtSerialPort.h"
#include "tests/support/SimulatedRadio.h"
#include "tests/support/TestApplication.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

using namespace std::chrono_literals;
using namespace std::string_literals;

namespace {
constexpr int generousMilliseconds = 5000;

class Listener : public SerialPortListener {
public:
    enum Event { drained, input };

    void sendQueueDrained() override { heard(drained); }
    void inputWaiting() override { heard(input); }
    void portLost(const std::string& reason) override { lost.push_back(reason); }
    void portOpened() override {}
    void openFailed(const std::string& reason) override { lost.push_back(reason); }
    void sendFailed(const SendFailure& failure) override { lost.push_back(failure.reason); }

    int count(Event event) const {
        return static_cast<int>(std::count(events.begin(), events.end(), event));
    }
    void heard(Event event) {
        events.push_back(event);
        duringWrite = duringWrite || writing;
    }

    std::vector<Event> events;
    std::vector<std::string> lost;
    bool writing = false;
    bool duringWrite = false;
};

std::string sentence() {
    std::string digits;
    for (int i = 0; i < 128; ++i) {
        digits += "0123456789ABCDEF"[i * 7 % 16];
    }
    return "UR" + digits + ";";
}

double cpuSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

class SerialPortOnPseudoTerminal : public testing::Test {
protected:
    SerialPortOnPseudoTerminal() {
        setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
        QDir(config.path()).mkpath("Sonavel/ports");
        link(3, QString::fromStdString(radio.slavePath()));
        port.setListener(&listener);
        EXPECT_TRUE(port.setPortNumber(3));
    }

    void link(int number, const QString& device) {
        const QString name = config.path() + QStringLiteral("/Sonavel/ports/com%1").arg(number);
        QFile::remove(name);
        ASSERT_TRUE(QFile::link(device, name));
    }

    void writePortsFile(int number, const std::string& line) {
        std::ofstream(config.path().toStdString() + "/Sonavel/ports/com" + std::to_string(number))
            << line << "\n";
    }

    Result write(const std::string& text) {
        listener.writing = true;
        Result result = port.write(text);
        listener.writing = false;
        return result;
    }

    // Runs the event loop until the radio has heard count bytes.
    bool radioHears(std::size_t count) {
        return QTest::qWaitFor([&] { return radio.received().size() >= count; },
                               generousMilliseconds);
    }

    // Runs the event loop, collecting what the port receives, until expected has come.
    std::string receive(const std::string& expected) {
        std::string input;
        // A short input shows in the caller's comparison.
        static_cast<void>(QTest::qWaitFor(
            [&] {
                input += port.readInput();
                return input.size() >= expected.size();
            },
            generousMilliseconds));
        return input;
    }

    QApplication& app = application();
    QTemporaryDir config;
    SimulatedRadio radio;
    Listener listener;
    QtSerialPort port;
};
} // namespace

TEST_F(SerialPortOnPseudoTerminal, SendsACommandExactlyAndReportsTheDrainAfterTheWrite) {
    ASSERT_TRUE(port.setOpen(true));
    ASSERT_TRUE(port.isOpen());

    ASSERT_TRUE(write(sentence()));
    EXPECT_EQ(listener.count(Listener::drained), 0);
    ASSERT_TRUE(radioHears(sentence().size()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return listener.count(Listener::drained) > 0; },
                                generousMilliseconds));

    EXPECT_EQ(radio.receivedText(), sentence());
    EXPECT_FALSE(listener.duringWrite);
    EXPECT_TRUE(port.setOpen(false));
    EXPECT_FALSE(port.isOpen());
}

TEST_F(SerialPortOnPseudoTerminal, WhatTheRadioSendsArrivesThroughTheReceiveEvent) {
    radio.answerEveryCommandWith("?;");
    ASSERT_TRUE(port.setOpen(true));

    ASSERT_TRUE(radio.send("FA00014250000;"));
    EXPECT_EQ(receive("FA00014250000;"), "FA00014250000;");
    EXPECT_GT(listener.count(Listener::input), 0);

    ASSERT_TRUE(write("ID;"));
    EXPECT_EQ(receive("?;"), "?;");
    EXPECT_EQ(port.readInput(), "");
}

TEST_F(SerialPortOnPseudoTerminal, EightBitBytesPassUntouchedWithoutParity) {
    ASSERT_TRUE(port.setOpen(true));
    EXPECT_EQ(radio.slaveTermios()->c_iflag & PARMRK, 0u);
    const std::string eightBit = "A\xFF\x00\xFF\x80;"s;
    ASSERT_TRUE(radio.send(eightBit));
    EXPECT_EQ(receive(eightBit), eightBit);
}

TEST_F(SerialPortOnPseudoTerminal, RefusedSettingsKeepTheOldOnesAndAnOpenPortIsReconfigured) {
    EXPECT_EQ(port.lineSettings(), "9600,n,8,1");
    ASSERT_TRUE(port.setLineSettings("19200,N,8,1"));
    EXPECT_EQ(port.lineSettings(), "19200,n,8,1");
    for (const char* refused : {"12345,N,8,1", "19200,X,8,1", "19200,N,9,1", "19200,N,8", ""}) {
        const Result result = port.setLineSettings(refused);
        EXPECT_FALSE(result) << refused;
        EXPECT_FALSE(result.reason().empty()) << refused;
        EXPECT_EQ(port.lineSettings(), "19200,n,8,1") << refused;
    }

    ASSERT_TRUE(port.setOpen(true));
    EXPECT_EQ(radio.baudRate(), 19200);
    ASSERT_TRUE(port.setLineSettings("57600,N,8,1"));
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(radio.baudRate(), 57600);
    EXPECT_FALSE(port.setLineSettings("57600,N,4,1"));
    EXPECT_EQ(radio.baudRate(), 57600);
    EXPECT_EQ(port.lineSettings(), "57600,n,8,1");
    EXPECT_TRUE(port.setLineSettings(port.lineSettings()));

    // A pseudo-terminal has no parity: the device itself refuses it.
    const Result refused = port.setLineSettings("19200,E,8,1");
    EXPECT_FALSE(refused);
    EXPECT_NE(refused.reason().find("Com 3 (" + radio.slavePath() + ")"), std::string::npos)
        << refused.reason();
    EXPECT_EQ(port.lineSettings(), "57600,n,8,1");
    EXPECT_EQ(radio.baudRate(), 57600);
    ASSERT_TRUE(port.isOpen());
    ASSERT_TRUE(write("ID;"));
    ASSERT_TRUE(radioHears(3));
}

TEST_F(SerialPortOnPseudoTerminal, AWriteThatDoesNotFitTheSendQueueIsRefusedWhole) {
    ASSERT_TRUE(port.setOpen(true));
    const Result tooLong = write(std::string(600, 'A'));
    EXPECT_FALSE(tooLong);
    EXPECT_NE(tooLong.reason().find("send queue is full"), std::string::npos);
    ASSERT_TRUE(write("Z;"));
    ASSERT_TRUE(radioHears(2));
    EXPECT_EQ(radio.receivedText(), "Z;");
}

TEST_F(SerialPortOnPseudoTerminal, AStalledRadioNeverGetsACommandCutInTwo) {
    ASSERT_TRUE(port.setOpen(true));
    radio.stopReading();
    int accepted = 0;
    bool refused = false;
    // The system's buffers take some tens of commands before the send queue fills.
    for (int attempt = 0; attempt < 5000 && !refused; ++attempt) {
        if (write(sentence())) {
            ++accepted;
        } else {
            refused = true;
        }
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(refused);
    listener.events.clear();
    radio.resumeReading();
    ASSERT_TRUE(radioHears(static_cast<std::size_t>(accepted) * sentence().size()));
    std::string expected;
    for (int i = 0; i < accepted; ++i) {
        expected += sentence();
    }
    // The queue drains once the radio reads again.
    EXPECT_TRUE(QTest::qWaitFor([&] { return listener.count(Listener::drained) > 0; },
                                generousMilliseconds));
    EXPECT_EQ(radio.receivedText(), expected);
    EXPECT_TRUE(write(sentence()));
}

TEST_F(SerialPortOnPseudoTerminal, AClosedPortRefusesWrites) {
    const Result result = write("UT;");
    EXPECT_FALSE(result);
    EXPECT_EQ(result.reason(), "Com 3 is not open");
    EXPECT_EQ(port.readInput(), "");
}

TEST_F(SerialPortOnPseudoTerminal, PortNumbersOutsideOneTo256AreRefused) {
    for (std::int16_t number : {0, -1, 257}) {
        EXPECT_FALSE(port.setPortNumber(number)) << number;
    }
    EXPECT_EQ(port.portNumber(), 3);
    EXPECT_TRUE(port.setPortNumber(256));
    EXPECT_FALSE(port.isOpen());
}

TEST_F(SerialPortOnPseudoTerminal, AFailedOpenNamesTheNumberAndTheDevice) {
    const QString missing = config.path() + "/ttyUSB9";
    link(4, missing);
    ASSERT_TRUE(port.setPortNumber(4));
    const Result dangling = port.setOpen(true);
    EXPECT_FALSE(dangling);
    EXPECT_FALSE(port.isOpen());
    EXPECT_NE(dangling.reason().find("Com 4 (" + missing.toStdString() + "): "), std::string::npos)
        << dangling.reason();

    ASSERT_TRUE(port.setPortNumber(3));
    ASSERT_TRUE(port.setOpen(true));
    QtSerialPort second;
    ASSERT_TRUE(second.setPortNumber(3));
    const Result busy = second.setOpen(true);
    EXPECT_FALSE(second.isOpen());
    EXPECT_EQ(busy.reason().rfind("Com 3 (" + radio.slavePath() + ") is held by ", 0), 0u)
        << busy.reason();
    EXPECT_NE(busy.reason().find(", process " + std::to_string(getpid()) + ". "), std::string::npos)
        << busy.reason();

    // A ports file that cannot be understood opens nothing and says where and what.
    writePortsFile(5, radio.slavePath() + " xonxoff");
    ASSERT_TRUE(second.setPortNumber(5));
    const Result unclear = second.setOpen(true);
    EXPECT_FALSE(second.isOpen());
    EXPECT_NE(unclear.reason().find("Com 5 opens nothing: " + config.path().toStdString() +
                                    "/Sonavel/ports/com5, line 1 \"" + radio.slavePath() +
                                    " xonxoff\": \"xonxoff\" is not understood"),
              std::string::npos)
        << unclear.reason();

    ASSERT_TRUE(port.setOpen(false));
    ASSERT_TRUE(port.setPortNumber(250));
    const Result absent = port.setOpen(true);
    EXPECT_FALSE(port.isOpen());
    // The numbers that do lead somewhere are offered instead; a dangling link is no choice.
    const std::string reason = absent.reason();
    EXPECT_EQ(reason.rfind("Com 250: no serial device is present for this number. ", 0), 0u)
        << reason;
    EXPECT_NE(reason.find("Com 3 is " + radio.slavePath()), std::string::npos) << reason;
    EXPECT_EQ(reason.find("Com 4"), std::string::npos) << reason;
}

TEST_F(SerialPortOnPseudoTerminal, AHangUpIsNoticedOnceClosesThePortAndDoesNotSpin) {
    ASSERT_TRUE(port.setOpen(true));
    radio.hangUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !listener.lost.empty(); }, generousMilliseconds));
    EXPECT_FALSE(port.isOpen());
    EXPECT_NE(listener.lost.front().find("Com 3 (" + radio.slavePath() + "): the device was lost"),
              std::string::npos)
        << listener.lost.front();

    const double cpuBefore = cpuSeconds();
    QElapsedTimer watching;
    watching.start();
    while (watching.elapsed() < 300) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QTest::qSleep(5);
    }
    EXPECT_EQ(listener.lost.size(), 1u);
    EXPECT_LT(cpuSeconds() - cpuBefore, 0.15);
    EXPECT_FALSE(write("UT;"));

    radio.reappear();
    link(3, QString::fromStdString(radio.slavePath()));
    ASSERT_TRUE(port.setOpen(true));
    ASSERT_TRUE(write("ID;"));
    ASSERT_TRUE(radioHears(3));
    EXPECT_EQ(radio.receivedText(), "ID;");
}

TEST_F(SerialPortOnPseudoTerminal, HandshakeIsOnOnlyWhereThePortsFileAsksForIt) {
    writePortsFile(5, radio.slavePath() + " rtscts");
    ASSERT_TRUE(port.setPortNumber(5));
    ASSERT_TRUE(port.setOpen(true));
    EXPECT_NE(radio.slaveTermios()->c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(port.device(), radio.slavePath() + " with RTS/CTS handshake");
    ASSERT_TRUE(port.setOpen(false));

    for (const int plain : {3, 6}) {
        writePortsFile(6, radio.slavePath());
        ASSERT_TRUE(port.setPortNumber(static_cast<std::int16_t>(plain)));
        ASSERT_TRUE(port.setOpen(true)) << plain;
        EXPECT_EQ(radio.slaveTermios()->c_cflag & CRTSCTS, 0u) << plain;
        ASSERT_TRUE(write("ID;"));
        ASSERT_TRUE(radioHears(3));
        radio.clear();
        ASSERT_TRUE(port.setOpen(false));
    }
}

// Another program holds the radio's device and has said so in a lock file of the standard
// form, where QSerialPort alone would take the file over and open the device beside it.
TEST_F(SerialPortOnPseudoTerminal, AnotherProgramsLockFileKeepsThePortShutAndIsLeftAlone) {
    std::string name = radio.slavePath().substr(std::string("/dev/").size());
    std::replace(name.begin(), name.end(), '/', '_');
    const std::filesystem::path lockFile = "/var/lock/LCK.." + name;
    if (::access("/var/lock", W_OK) != 0) {
        GTEST_SKIP() << "this user may not write lock files in /var/lock";
    }
    posix_spawn_file_actions_t holding;
    posix_spawn_file_actions_init(&holding);
    posix_spawn_file_actions_addopen(&holding, 3, radio.slavePath().c_str(), O_RDWR | O_NOCTTY, 0);
    char sleepProgram[] = "sleep";
    char minutes[] = "600";
    char* arguments[] = {sleepProgram, minutes, nullptr};
    pid_t holder = -1;
    ASSERT_EQ(posix_spawnp(&holder, "sleep", &holding, nullptr, arguments, environ), 0);
    posix_spawn_file_actions_destroy(&holding);
    // The spawn returns once the child has begun its program, which may be before the system
    // has given it the program's name.
    ASSERT_TRUE(QTest::qWaitFor(
        [holder] {
            std::ifstream comm("/proc/" + std::to_string(holder) + "/comm");
            std::string name;
            return std::getline(comm, name) && name == "sleep";
        },
        10000));
    char content[16];
    std::snprintf(content, sizeof content, "%10d\n", holder);
    std::ofstream(lockFile) << content;

    const Result held = port.setOpen(true);
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(held.reason().rfind("Com 3 (" + radio.slavePath() + ") is held by sleep, process " +
                                      std::to_string(holder) + ". ",
                                  0),
              0u)
        << held.reason();
    std::ifstream after(lockFile);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(after), {}), content);

    // Once its process has ended the lock file is stale, and the port opens.
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    EXPECT_TRUE(port.setOpen(true));
    ASSERT_TRUE(port.setOpen(false));
    std::filesystem::remove(lockFile);
}

// Any user may put anything in /var/lock, and a hand-edited ports file may hold anything: none of
// it may crash the program, make it wait, or open a device; each keeps the port shut and is named.
namespace {
enum class Where { lockFile, portsFile, portsFolder };
enum class Laid { folder, folderNotSearchable, pipe, link, device, bytes };

struct InTheWay {
    std::string name;
    Where where;
    Laid laid;
    // What a file holds, DEVICE standing for the radio's device; where a link leads, or itself.
    std::string bytes;
    // What the refusal says after "Com 3"; LOCK stands for the lock file, AFTER for the position
    // just after the device's name.
    std::string words;
};

void PrintTo(const InTheWay& thing, std::ostream* out) {
    *out << thing.name;
}

std::string replaced(std::string text, const std::string& token, const std::string& value) {
    if (const auto at = text.find(token); at != std::string::npos) {
        text.replace(at, token.size(), value);
    }
    return text;
}

// False when this user may not lay it.
bool lay(const InTheWay& thing, const std::filesystem::path& path, const std::string& device) {
    std::filesystem::remove_all(path);
    switch (thing.laid) {
    case Laid::folder:
        return std::filesystem::create_directory(path);
    case Laid::folderNotSearchable:
        // Root searches every folder.
        return ::geteuid() != 0 && std::filesystem::create_directory(path) &&
               ::chmod(path.c_str(), 0600) == 0;
    case Laid::pipe:
        return ::mkfifo(path.c_str(), 0644) == 0;
    case Laid::link:
        std::filesystem::create_symlink(
            thing.bytes.empty() ? path : std::filesystem::path(thing.bytes), path);
        return true;
    case Laid::device:
        return ::mknod(path.c_str(), S_IFCHR | 0644, makedev(1, 5)) == 0;
    case Laid::bytes:
        break;
    }
    return static_cast<bool>(std::ofstream(path, std::ios::binary)
                             << replaced(thing.bytes, "DEVICE", device));
}

struct SomethingInTheWay : SerialPortOnPseudoTerminal, testing::WithParamInterface<InTheWay> {};
} // namespace

TEST_P(SomethingInTheWay, KeepsThePortShutAtOnceAndIsNamed) {
    const InTheWay& c = GetParam();
    std::string name = radio.slavePath().substr(std::string("/dev/").size());
    std::replace(name.begin(), name.end(), '/', '_');
    const std::filesystem::path lockFile = "/var/lock/LCK.." + name;
    if (::access("/var/lock", W_OK) != 0) {
        GTEST_SKIP() << "this user may not write in /var/lock";
    }
    struct Removed {
        std::filesystem::path path;
        ~Removed() { std::filesystem::remove_all(path); }
    } removed{lockFile};
    const std::filesystem::path ports = config.path().toStdString() + "/Sonavel/ports";
    const std::filesystem::path at = c.where == Where::lockFile    ? lockFile
                                     : c.where == Where::portsFile ? ports / "com3"
                                                                   : ports;
    if (!lay(c, at, radio.slavePath())) {
        GTEST_SKIP() << "this user may not lay it";
    }
    std::error_code absent;
    const auto laid = std::filesystem::symlink_status(lockFile, absent).type();

    QElapsedTimer opening;
    opening.start();
    const Result refused = port.setOpen(true);
    EXPECT_LT(opening.elapsed(), 1000);
    EXPECT_FALSE(port.isOpen());
    const std::string words = replaced(replaced(c.words, "LOCK", lockFile.string()), "AFTER",
                                       std::to_string(radio.slavePath().size() + 1));
    EXPECT_EQ(refused.reason().rfind("Com 3", 0), 0u) << refused.reason();
    EXPECT_NE(refused.reason().find(words), std::string::npos) << refused.reason();
    EXPECT_EQ(std::filesystem::symlink_status(lockFile, absent).type(), laid)
        << "what lay there was changed, or a lock was taken";
}

INSTANTIATE_TEST_SUITE_P(
    LockFilesAndPortsFiles, SomethingInTheWay,
    testing::Values(
        InTheWay{"AFolderAtTheLockFile", Where::lockFile, Laid::folder, "",
                 ": LOCK is not a lock file (a folder); remove it, or ask whoever made it"},
        InTheWay{"APipeAtTheLockFile", Where::lockFile, Laid::pipe, "",
                 ": LOCK is not a lock file (a pipe)"},
        InTheWay{"ALinkToAnEndlessDeviceAtTheLockFile", Where::lockFile, Laid::link, "/dev/zero",
                 ": LOCK is not a lock file (a symbolic link)"},
        InTheWay{"ADeviceAtTheLockFile", Where::lockFile, Laid::device, "",
                 ": LOCK is not a lock file (a device)"},
        InTheWay{"AnOversizedLockFile", Where::lockFile, Laid::bytes, std::string(1 << 20, '7'),
                 ": LOCK is not a lock file (a file of 1048576 bytes"},
        InTheWay{"ANulInThePortsFile", Where::portsFile, Laid::bytes, std::string("DEVICE\0x\n", 9),
                 "/com3, line 1, character AFTER: a control character (NUL), which no device"},
        InTheWay{"ACarriageReturnInsideThePortsLine", Where::portsFile, Laid::bytes,
                 "DEVICE\rrtscts\r\n",
                 "/com3, line 1, character AFTER: a control character (a carriage return)"},
        InTheWay{"AnEscapeInThePortsFile", Where::portsFile, Laid::bytes, "\x1b[2JDEVICE\n",
                 "/com3, line 1, character 1: a control character (escape)"},
        InTheWay{"PortsIsAFile", Where::portsFolder, Laid::bytes, "/dev/ttyS0\n",
                 "/Sonavel/ports is not a folder, so it cannot say what com3 opens"},
        InTheWay{"PortsIsALinkLoop", Where::portsFolder, Laid::link, "",
                 "/Sonavel/ports cannot be read (Too many levels of symbolic links)"},
        InTheWay{"PortsMayNotBeSearched", Where::portsFolder, Laid::folderNotSearchable, "",
                 "/Sonavel/ports cannot be read (Permission denied), so it cannot say what com3 "
                 "opens"}),
    [](const testing::TestParamInfo<InTheWay>& info) { return info.param.name; });
