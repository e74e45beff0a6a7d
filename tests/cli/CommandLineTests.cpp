// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

// Each case runs the program's own binary as a script would, with no display to reach, and
// judges by what the script and the radio see: the exit status, the two output streams, the
// bytes on the line, the settings file and the port's lock file.
#include "sentence/Samples.h"
#include "tests/persistence/TempFolder.h"
#include "tests/support/ComPortLink.h"
#include "tests/support/PortLockFile.h"
#include "tests/support/RigctldProcess.h"
#include "tests/support/ScriptedRigctld.h"
#include "tests/support/SimulatedRadio.h"

#include <algorithm>
#include <array>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

using namespace std::chrono_literals;

namespace {
constexpr auto generous = 20s;
const std::string storedSettings = "[Properties]\ncommport=3\nsettings=19200,n,8,1\n";

std::string sample(std::size_t index) {
    return std::string(samples::table.at(index).sentence);
}

std::string loaded(const std::string& sentence) {
    return "UR" + sentence + ";UT" + sentence + ";";
}

std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Ended {
    std::optional<int> status; // nothing when it had to be killed
    std::string output;
    std::string errors;
    std::chrono::steady_clock::time_point at;
};

// The program started as a script starts it, with no display variables set; through runner
// (setpriv, to run it as another user) where one is given.
class Script {
public:
    Script(const std::vector<std::string>& arguments, const std::string& input = {},
           const std::vector<std::string>& runner = {}) {
        int in[2], out[2], err[2];
        // Close-on-exec, or the program would hold its own input open and never see its end.
        if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) {
            throw std::runtime_error("no pipes");
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
        std::vector<char*> argv;
        for (const std::string& word : runner) {
            argv.push_back(const_cast<char*>(word.c_str()));
        }
        argv.push_back(const_cast<char*>(SONAVEL_PROGRAM));
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        std::vector<char*> environment;
        for (char** variable = environ; *variable != nullptr; ++variable) {
            const std::string_view entry(*variable);
            if (!entry.starts_with("DISPLAY=") && !entry.starts_with("WAYLAND_DISPLAY=") &&
                !entry.starts_with("QT_QPA_PLATFORM=")) {
                environment.push_back(*variable);
            }
        }
        environment.push_back(nullptr);
        const int spawned =
            posix_spawn(&pid_, argv.front(), &actions, nullptr, argv.data(), environment.data());
        posix_spawn_file_actions_destroy(&actions);
        for (const int end : {in[0], out[1], err[1]}) {
            close(end);
        }
        if (spawned != 0) {
            throw std::runtime_error(std::strerror(spawned));
        }
        [[maybe_unused]] const ssize_t written = write(in[1], input.data(), input.size());
        close(in[1]);
        output_ = out[0];
        errors_ = err[0];
    }
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    void signal(int number) const { kill(pid_, number); }

    Ended waitForEnd() {
        Ended ended;
        const auto giveUp = std::chrono::steady_clock::now() + generous;
        std::array<pollfd, 2> streams{{{output_, POLLIN, 0}, {errors_, POLLIN, 0}}};
        std::array<std::string*, 2> into{&ended.output, &ended.errors};
        for (int open = 2; open > 0 && std::chrono::steady_clock::now() < giveUp;) {
            poll(streams.data(), streams.size(), 100);
            for (std::size_t i = 0; i < streams.size(); ++i) {
                char buffer[4096];
                const ssize_t count = streams[i].revents != 0 && streams[i].fd >= 0
                                          ? read(streams[i].fd, buffer, sizeof buffer)
                                          : -1;
                if (count > 0) {
                    into[i]->append(buffer, static_cast<std::size_t>(count));
                } else if (count == 0) {
                    close(streams[i].fd);
                    streams[i].fd = -1;
                    --open;
                }
            }
        }
        int status = 0;
        pid_t reaped = 0;
        while ((reaped = waitpid(pid_, &status, WNOHANG)) == 0 &&
               std::chrono::steady_clock::now() < giveUp) {
            std::this_thread::sleep_for(10ms);
        }
        ended.at = std::chrono::steady_clock::now();
        if (reaped == pid_) {
            ended.status = status;
        } else {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
        }
        for (const pollfd& stream : streams) {
            close(stream.fd);
        }
        return ended;
    }

private:
    pid_t pid_ = -1;
    int output_ = -1;
    int errors_ = -1;
};

// A station with the radio linked as Com 3, or reached through a rigctld there (one playing a
// script, or Debian's driving the radio's line at lineRate, the radio reading at that pace), a
// rigctld written as Com 4, a mistaken link to /dev/null as Com 5, and the window's settings
// stored: Com 3 at 19200.
struct Station {
    explicit Station(const std::optional<ScriptedRigctld::Script>& rigctldScript = {},
                     std::string settings = storedSettings, int lineRate = 0)
        : settingsBytes(std::move(settings)) {
        if (rigctldScript) {
            rigctld.emplace(*rigctldScript);
            std::ofstream(link.folder() / "Sonavel" / "ports" / "com3") << rigctld->portsLine();
        } else if (lineRate != 0) {
            radio.answerOpenQueries();
            const int port = RigctldProcess::freePort();
            realRigctld.emplace(radio.slavePath(), port, lineRate);
            realRigctld->waitUntilListening();
            radio.readSlowly(lineRate / 10);
            radio.clear();
            std::ofstream(link.folder() / "Sonavel" / "ports" / "com3")
                << "rigctld 127.0.0.1:" << port;
        } else {
            link.link(3, radio.slavePath());
        }
        link.write(4, "rigctld localhost:4532");
        link.link(5, "/dev/null");
        std::ofstream(link.settingsFile(), std::ios::binary) << settingsBytes;
    }
    // As the window left them: the file, and nothing new beside it.
    bool settingsUnchanged() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(link.folder() / "Sonavel")) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return fileBytes(link.settingsFile()) == settingsBytes &&
               names == std::vector<std::string>{"Sonavel.conf", "ports"};
    }

    std::string settingsBytes;
    ComPortLink link;
    SimulatedRadio radio;
    std::optional<ScriptedRigctld> rigctld;
    std::optional<RigctldProcess> realRigctld;
};

// What the radio heard of ours, without the queries rigctld makes of its own.
std::string ourCommands(const SimulatedRadio& radio) {
    std::string ours;
    for (const auto& command : radio.commands()) {
        ours += command.text.rfind('U', 0) == 0 ? command.text : "";
    }
    return ours;
}

int exitStatus(const Ended& ended) {
    return ended.status && WIFEXITED(*ended.status) ? WEXITSTATUS(*ended.status) : -1;
}

// text with every placeholder (RADIO for the radio's device) replaced.
std::string filledIn(std::string text, const std::map<std::string, std::string>& values) {
    for (const auto& [placeholder, value] : values) {
        for (std::size_t at = text.find(placeholder); at != std::string::npos;
             at = text.find(placeholder, at + value.size())) {
            text.replace(at, placeholder.size(), value);
        }
    }
    return text;
}
} // namespace

namespace {
struct Request {
    std::string name;
    // "FILE" stands for a file that holds fileBytes, "RADIO" for the radio's device, here and in
    // the words said.
    std::vector<std::string> arguments;
    std::string fileBytes;
    std::string input;
    std::string radioAnswer;
    int status;
    std::string onTheLine;
    std::string saidOnOutput;
    std::string saidOnErrors;
    // Com 3 reaches a rigctld that plays this, which then hears what onTheLine says.
    std::optional<ScriptedRigctld::Script> rigctld = {};
    std::string settings = storedSettings;
    // Com 3 reaches Debian's rigctld driving the radio's line at this rate.
    int rigctldLineRate = 0;
};

void PrintTo(const Request& request, std::ostream* out) {
    *out << request.name;
}

struct CommandLineRequest : testing::TestWithParam<Request> {};
} // namespace

TEST_P(CommandLineRequest, GivesItsStatusItsWordsAndExactlyItsBytesOnTheLine) {
    const Request& c = GetParam();
    if (c.rigctldLineRate != 0 && !RigctldProcess::isInstalled()) {
        GTEST_SKIP() << "rigctld is not installed: apt-get install libhamlib-utils";
    }
    TempFolder files;
    Station station(c.rigctld, c.settings, c.rigctldLineRate);
    const std::map<std::string, std::string> values{{"RADIO", station.radio.slavePath()}};
    std::vector<std::string> arguments = c.arguments;
    for (std::string& argument : arguments) {
        argument = argument == "FILE" ? files.write("sentences.txt", c.fileBytes)
                                      : filledIn(argument, values);
    }
    station.radio.answerEveryCommandWith(c.radioAnswer);
    const Ended ended = Script(arguments, c.input).waitForEnd();

    EXPECT_EQ(exitStatus(ended), c.status) << ended.errors;
    EXPECT_NE(ended.output.find(filledIn(c.saidOnOutput, values)), std::string::npos)
        << ended.output;
    EXPECT_NE(ended.errors.find(filledIn(c.saidOnErrors, values)), std::string::npos)
        << ended.errors;
    EXPECT_EQ(ended.output.empty(), c.saidOnOutput.empty()) << ended.output;
    EXPECT_EQ(ended.errors.empty(), c.saidOnErrors.empty()) << ended.errors;
    const bool numbered =
        std::find(arguments.begin(), arguments.end(), "--device") == arguments.end();
    if (c.saidOnErrors.find("The port could not be opened") != std::string::npos) {
        EXPECT_NE(ended.errors.find("Com 3 is " + station.radio.slavePath()), std::string::npos)
            << "the numbers that have a device are not listed";
    }
    if (station.rigctld) {
        EXPECT_EQ(station.rigctld->received(), c.onTheLine);
        EXPECT_FALSE(station.radio.waitForBytes(1, 300ms)) << station.radio.receivedText();
    } else if (station.realRigctld) {
        const auto giveUp = std::chrono::steady_clock::now() + generous;
        while (ourCommands(station.radio).size() < c.onTheLine.size() &&
               std::chrono::steady_clock::now() < giveUp) {
            station.radio.waitForCommands(station.radio.commands().size() + 1, 100ms);
        }
        EXPECT_EQ(ourCommands(station.radio), c.onTheLine);
        // A script that sent without trouble ends once rigctld's line has carried the pair: not
        // before, which would let a resend pile up behind it, and not long after.
        const auto carried = station.radio.commands().back().end;
        EXPECT_TRUE(c.status != 0 || carried - ended.at < 150ms)
            << "the script ended before the line carried the pair";
        EXPECT_LT(ended.at - carried, 500ms);
    } else if (c.onTheLine.empty()) {
        EXPECT_FALSE(station.radio.waitForBytes(1, 300ms)) << station.radio.receivedText();
    } else {
        if (c.status == 0 && numbered) {
            EXPECT_EQ(ended.output.rfind("Com 3 (" + station.radio.slavePath(), 0), 0u);
        }
        station.radio.waitForBytes(c.onTheLine.size() + 1, 300ms);
        EXPECT_EQ(station.radio.receivedText(), c.onTheLine);
    }
    EXPECT_TRUE(station.settingsUnchanged()) << fileBytes(station.link.settingsFile());
}

namespace {
const std::string refusedSentence =
    " is no sentence the radio takes (128 hexadecimal digits, 0 to 9 and A to F): ";

// "sonavel --sample OFF" on a Com 3 that reaches a rigctld playing script, which hears Connect's
// question, then the pair as one command, its reply read.
Request throughRigctld(const std::string& name, ScriptedRigctld::Script script, int status,
                       const std::string& said) {
    return {name,
            {"--sample", "OFF"},
            "",
            "",
            "",
            status,
            "+\\dump_caps\n+W " + loaded(sample(0)) + " ;\n",
            status == 0 ? said : "",
            status == 0 ? "" : said,
            std::move(script)};
}

// "sonavel --sample OFF --rate 9600" on a Com 3 that reaches Debian's rigctld, which drives the
// radio's line at lineRate.
Request throughDebiansRigctld(const std::string& name, int lineRate, const std::string& radioAnswer,
                              int status, const std::string& said) {
    Request request{name,
                    {"--sample", "OFF", "--rate", "9600"},
                    "",
                    "",
                    radioAnswer,
                    status,
                    loaded(sample(0)),
                    status == 0 ? said : "",
                    status == 0 ? "" : said};
    request.rigctldLineRate = lineRate;
    return request;
}

ScriptedRigctld::Script answering(const std::string& answer) {
    return {2, ScriptedRigctld::Act::answer, answer};
}

// More than the window takes for a settings file.
const std::string damagedSettings = storedSettings + "; " + std::string(65 * 1024, '#') + "\n";
} // namespace

INSTANTIATE_TEST_SUITE_P(
    Requests, CommandLineRequest,
    testing::Values(
        Request{"LastLineOfAFileOnTheStoredPortAndLineSettings",
                {"--send", "FILE"},
                sample(0) + "\r\n" + sample(2) + "\r\n" + sample(1),
                "",
                "",
                0,
                loaded(sample(1)),
                "): UR and UT sent, 262 bytes, 19200,n,8,1 (stored port, stored line settings)\n",
                ""},
        Request{"LastLineOfAFileOfLfEndedLines",
                {"--send", "FILE"},
                sample(0) + "\n" + sample(2) + "\n",
                "",
                "",
                0,
                loaded(sample(2)),
                "sent, 262 bytes",
                ""},
        Request{"StandardInputOnThePortAndRateGiven",
                {"--send", "-", "--port", "3", "--rate=4800"},
                "",
                "noise\n\r\n" + sample(3) + "\r\n",
                "",
                0,
                loaded(sample(3)),
                "): UR and UT sent, 262 bytes, 4800,n,8,2\n",
                ""},
        Request{"ASampleNamedInAnyLetterCase",
                {"--sample", "kestrum pro ii"},
                "",
                "",
                "",
                0,
                loaded(sample(4)),
                "sent, 262 bytes",
                ""},
        Request{"ARefusalByTheRadio",
                {"--sample", "OFF"},
                "",
                "",
                "?;",
                4,
                loaded(sample(0)),
                "",
                "sonavel: The radio answered \"?;\": it did not accept the command. Check that the "
                "radio is in a state that takes the equaliser setting, then run the command "
                "again.\n"},
        Request{"ANumberWithNoDevice",
                {"--sample", "OFF", "--port", "7"},
                "",
                "",
                "",
                3,
                "",
                "",
                "sonavel: The port could not be opened: Com 7: no serial device is present for "
                "this number. "},
        Request{"ASemicolonInTheLastLine",
                {"--send", "FILE"},
                sample(1) + "\r\n0000;UT00\r\n",
                "",
                "",
                5,
                "",
                "",
                refusedSentence + "the sentence has 9 characters, not 128; line 02 holds 1; "
                                  "';' at line 01, digit 5 is not an"},
        Request{"OneDigitShort",
                {"--send", "FILE"},
                sample(1).substr(1) + "\n",
                "",
                "",
                5,
                "",
                "",
                refusedSentence + "the sentence has 127 characters, not 128; line 16 holds 7. "
                                  "Nothing was sent.\n"},
        Request{"LowercaseDigits",
                {"--send", "-"},
                "",
                "a" + sample(0).substr(1),
                "",
                5,
                "",
                "",
                "sonavel: The last line of standard input" + refusedSentence +
                    "'a' at line 01, digit 1 is not an uppercase hexadecimal digit (0 to 9, A to "
                    "F). Nothing was sent.\n"},
        Request{"AnEmptyLastLine",
                {"--send", "FILE"},
                sample(1) + "\r\n\r\n",
                "",
                "",
                5,
                "",
                "",
                refusedSentence + "the sentence is empty. Nothing was sent."},
        Request{"AnUnknownOption",
                {"--sample", "OFF", "--colour"},
                "",
                "",
                "",
                2,
                "",
                "",
                "sonavel: unrecognised option '--colour'\nUsage: sonavel --send FILE"},
        throughRigctld("ThroughRigctldConfirmingBothCommands", answering("RPRT 0\n"), 0,
                       "Com 3 (rigctld at 127.0.0.1:"),
        throughRigctld("ThroughRigctldWhoseLineCannotBeSeen", answering("RPRT 0\n"), 0,
                       "): UR and UT sent, 262 bytes, 19200,n,8,1 (the rate chosen, which paces "
                       "the resend: rigctld's own settings cannot be seen from here)\n"),
        throughDebiansRigctld("ThroughRigctldAt4800TheScriptWaitsForItsLineNotTheRate", 4800, "", 0,
                              ", Kenwood TS-2000): UR and UT sent, 262 bytes, 4800,n,8,1 (--rate "
                              "has no effect through rigctld, which sets the radio's line "
                              "itself)\n"),
        throughDebiansRigctld("ThroughRigctldAt9600ARefusalOfUrComesBack", 9600, "?;", 4,
                              "sonavel: The radio answered \"?;\": it did not accept the command."),
        throughRigctld("ThroughRigctldThatCannotReachTheRadio", answering("RPRT -6\n"), 1,
                       " cannot reach the radio: an input/output error on the radio's port (RPRT "
                       "-6). Check that the radio is switched on"),
        throughRigctld("ThroughRigctldWhoseRadioRejects", answering("RPRT -9\n"), 4,
                       ": the radio rejected the command (RPRT -9)"),
        throughRigctld("ThroughRigctldThatFallsSilent", {2, ScriptedRigctld::Act::silence, {}}, 1,
                       " has not answered for 2 seconds"),
        Request{"StoredSettingsTheWindowTakesAsDamaged",
                {"--sample", "OFF"},
                "",
                "",
                "",
                3,
                "",
                "",
                "/Sonavel/Sonavel.conf is larger than 64 KiB, which the window takes as damaged); "
                "give --port and --rate.\n",
                std::nullopt,
                damagedSettings},
        Request{"DamagedSettingsUnneededWithPortAndRate",
                {"--sample", "OFF", "--port", "3", "--rate", "19200"},
                "",
                "",
                "",
                0,
                loaded(sample(0)),
                "sent, 262 bytes",
                "",
                std::nullopt,
                damagedSettings},
        Request{"ADeviceNamedDirectlyWithTheStoredLineSettings",
                {"--sample", "Ombrel", "--device", "RADIO"},
                "",
                "",
                "",
                0,
                loaded(sample(1)),
                "RADIO: UR and UT sent, 262 bytes, 19200,n,8,1 (stored line settings)\n",
                ""},
        Request{"TwoWaysToTheRadio",
                {"--sample", "OFF", "--port", "3", "--device", "RADIO"},
                "",
                "",
                "",
                2,
                "",
                "",
                "sonavel: give only one of --port, --device or --rigctld\n"},
        Request{
            "ARigctldWithoutItsPort",
            {"--sample", "OFF", "--rigctld", "localhost"},
            "",
            "",
            "",
            2,
            "",
            "",
            "sonavel: --rigctld takes HOST:PORT, such as localhost:4532 ([::1]:4532 for an IPv6 "
            "address), not 'localhost'\n"},
        Request{"WhatPortTakesAndWhatCannotBeUsed",
                {"--list-ports"},
                "",
                "",
                "",
                0,
                "",
                "Com 3 is RADIO\n",
                "sonavel: Com 5 cannot be used: /dev/null is a device but not a serial port\n"
                "sonavel: Com 4: rigctld at localhost:4532 could not be reached: "},
        Request{"ARigctldThatAnswersIsListedWithItsRadio",
                {"--list-ports"},
                "",
                "",
                "",
                0,
                "+\\dump_caps\n",
                "Com 3 is rigctld at 127.0.0.1:",
                "sonavel: Com 4: rigctld at localhost:4532 could not be reached: ",
                ScriptedRigctld::Script{}},
        Request{"TheWindowWithoutADisplay",
                {},
                "",
                "",
                "",
                1,
                "",
                "",
                "sonavel: there is no display to open the window on (neither DISPLAY nor "
                "WAYLAND_DISPLAY is set); to load a sentence without a window, see sonavel "
                "--help\n"}),
    [](const testing::TestParamInfo<Request>& info) { return info.param.name; });

TEST(CommandLine, AutoResendsWholePairsUntilItsTimeIsUpAndASignalEndsItAtOnce) {
    Station station;
    const std::string pair = loaded(sample(1));
    {
        Script script({"--sample", "Ombrel", "--auto", "3"});
        const Ended ended = script.waitForEnd();
        EXPECT_EQ(exitStatus(ended), 0) << ended.errors;
        EXPECT_NE(ended.output.find(" times, "), std::string::npos) << ended.output;
        const std::string heard = station.radio.receivedText();
        ASSERT_GE(heard.size(), 5 * pair.size());
        EXPECT_EQ(heard.size() % pair.size(), 0u);
        for (std::size_t at = 0; at + pair.size() <= heard.size(); at += pair.size()) {
            EXPECT_EQ(heard.compare(at, pair.size(), pair), 0) << "not a whole pair at " << at;
        }
    }
    station.radio.clear();
    Script script({"--sample", "Ombrel", "--auto", "60"});
    ASSERT_TRUE(station.radio.waitForCommands(2, generous));
    const std::filesystem::path lock = lockFileOf(station.radio.slavePath());
    EXPECT_TRUE(std::filesystem::exists(lock)) << lock;
    const auto signalled = std::chrono::steady_clock::now();
    script.signal(SIGTERM);
    const Ended ended = script.waitForEnd();
    ASSERT_TRUE(ended.status.has_value()) << "SIGTERM did not end the resend";
    EXPECT_LT(std::chrono::steady_clock::now() - signalled, 5s);
    EXPECT_TRUE(WIFSIGNALED(*ended.status) && WTERMSIG(*ended.status) == SIGTERM) << *ended.status;
    EXPECT_FALSE(std::filesystem::exists(lock)) << "the lock file was left behind";
    EXPECT_TRUE(station.settingsUnchanged());
}

TEST(CommandLine, ASignalEndsAScriptAtOnceWhileRigctldKeepsItWaiting) {
    Station station(ScriptedRigctld::Script{1, ScriptedRigctld::Act::silence, {}});
    Script script({"--sample", "Ombrel"});
    const auto started = std::chrono::steady_clock::now();
    while (station.rigctld->received().empty() &&
           std::chrono::steady_clock::now() < started + generous) {
        std::this_thread::sleep_for(10ms);
    }
    ASSERT_FALSE(station.rigctld->received().empty()) << "the script did not ask rigctld";
    const auto signalled = std::chrono::steady_clock::now();
    script.signal(SIGTERM);
    const Ended ended = script.waitForEnd();
    ASSERT_TRUE(ended.status.has_value());
    // Well before the 3 seconds after which the script would give up on rigctld by itself.
    EXPECT_LT(std::chrono::steady_clock::now() - signalled, 1500ms);
    EXPECT_TRUE(WIFSIGNALED(*ended.status) && WTERMSIG(*ended.status) == SIGTERM) << *ended.status;
    EXPECT_TRUE(station.settingsUnchanged());
}

TEST(CommandLine, HelpFitsAnEightyColumnConsole) {
    const Ended ended = Script({"--help"}).waitForEnd();
    ASSERT_EQ(exitStatus(ended), 0);
    std::istringstream lines(ended.output);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_LE(line.size(), 79u) << line;
    }
    EXPECT_NE(ended.output.find("--rigctld HOST:PORT"), std::string::npos) << ended.output;
}

namespace {
// How a stand-in for another of the station's programs holds the radio's device.
enum class Hold { plainOpen, flock, exclusiveMode, lockFile, rigctld };

struct Holding {
    std::string name;
    Hold hold;
    // The program under test runs as a user without rights to look at the holder's files.
    bool asAnotherUser;
    // What the refusal says after "Com 3 (RADIO) "; HOLDER stands for the holder's process id,
    // PORT for the port rigctld listens on, LOCK for the device's lock file.
    std::string said;
};

void PrintTo(const Holding& holding, std::ostream* out) {
    *out << holding.name;
}

// A program that has the device open as hold says and does nothing else with it: no byte read
// or written. For a lock file, one whose process id the file names without holding the device.
class Holder {
public:
    Holder(const std::string& device, Hold hold) {
        process_ = fork();
        if (process_ == 0) {
            // Between fork and exec only calls that are safe in a child of a threaded process.
            if (hold != Hold::lockFile) {
                const int held = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
                if (held < 0 || (hold == Hold::flock && ::flock(held, LOCK_EX | LOCK_NB) != 0) ||
                    (hold == Hold::exclusiveMode && ::ioctl(held, TIOCEXCL) != 0)) {
                    _exit(1);
                }
            }
            execl("/bin/sleep", "sleep", "600", nullptr);
            _exit(1);
        }
        // Its hold is taken once it runs its program.
        const auto giveUp = std::chrono::steady_clock::now() + generous;
        while (programName() != "sleep" && std::chrono::steady_clock::now() < giveUp) {
            std::this_thread::sleep_for(10ms);
        }
    }
    ~Holder() {
        kill(process_, SIGKILL);
        waitpid(process_, nullptr, 0);
    }
    Holder(const Holder&) = delete;
    Holder& operator=(const Holder&) = delete;

    pid_t processId() const { return process_; }
    std::string programName() const {
        std::ifstream comm("/proc/" + std::to_string(process_) + "/comm");
        std::string name;
        std::getline(comm, name);
        return name;
    }

private:
    pid_t process_ = -1;
};

struct DeviceHeldElsewhere : testing::TestWithParam<Holding> {};
} // namespace

TEST_P(DeviceHeldElsewhere, IsLeftAloneAndTheRefusalNamesTheHolderAndWhatToDo) {
    const Holding& c = GetParam();
    if ((c.asAnotherUser || c.hold == Hold::lockFile) && geteuid() != 0) {
        GTEST_SKIP() << "needs root, to run the program as another user and write lock files";
    }
    if (c.hold == Hold::rigctld && !RigctldProcess::isInstalled()) {
        GTEST_SKIP() << "needs rigctld (Debian package libhamlib-utils)";
    }
    Station station;
    const std::string device = station.radio.slavePath();
    // The far end of a pseudo-terminal is its creator's alone; an adapter is the dialout group's.
    std::filesystem::permissions(device, std::filesystem::perms::all &
                                             ~(std::filesystem::perms::owner_exec |
                                               std::filesystem::perms::group_exec |
                                               std::filesystem::perms::others_exec));
    station.radio.answerOpenQueries();
    const int port = RigctldProcess::freePort();
    std::optional<RigctldProcess> rigctld;
    std::optional<Holder> holder;
    if (c.hold == Hold::rigctld) {
        rigctld.emplace(device, port);
        ASSERT_TRUE(rigctld->waitUntilListening());
    } else {
        holder.emplace(device, c.hold);
        ASSERT_EQ(holder->programName(), "sleep");
    }
    const pid_t holderId = rigctld ? rigctld->processId() : holder->processId();
    const std::filesystem::path lockFile = lockFileOf(device);
    if (c.hold == Hold::lockFile) {
        char content[16];
        std::snprintf(content, sizeof content, "%10d\n", holderId);
        std::ofstream(lockFile) << content;
        if (c.asAnotherUser) {
            // Another user's lock file, which this user may not read.
            std::filesystem::permissions(lockFile, std::filesystem::perms::owner_read |
                                                       std::filesystem::perms::owner_write);
        }
    }
    const std::vector<std::string> anotherUser{"/usr/bin/setpriv", "--reuid=65534", "--regid=65534",
                                               "--clear-groups", "--"};

    const Ended ended = Script({"--sample", "Ombrel"}, "",
                               c.asAnotherUser ? anotherUser : std::vector<std::string>{})
                            .waitForEnd();
    if (c.hold == Hold::lockFile) {
        std::filesystem::remove(lockFile);
    }

    EXPECT_EQ(exitStatus(ended), 3) << ended.errors;
    EXPECT_EQ(ended.output, "");
    const std::map<std::string, std::string> values{{"RADIO", device},
                                                    {"HOLDER", std::to_string(holderId)},
                                                    {"PORT", std::to_string(port)},
                                                    {"LOCK", lockFile.string()}};
    EXPECT_NE(ended.errors.find("sonavel: The port could not be opened: Com 3 (" + device + ") " +
                                filledIn(c.said, values) + "\n"),
              std::string::npos)
        << ended.errors;
    station.radio.waitForBytes(station.radio.receivedCount() + 1, 300ms);
    EXPECT_EQ(station.radio.receivedText().find("UR"), std::string::npos)
        << station.radio.receivedText();

    if (rigctld) {
        // The way the refusal points to reaches the radio beside the program that holds it.
        const std::size_t before = station.radio.receivedCount();
        const Ended through =
            Script({"--sample", "Ombrel", "--rigctld", "127.0.0.1:" + std::to_string(port)})
                .waitForEnd();
        EXPECT_EQ(exitStatus(through), 0) << through.errors;
        station.radio.waitForBytes(before + loaded(sample(1)).size(), generous);
        EXPECT_NE(station.radio.receivedText().find(loaded(sample(1)), before), std::string::npos)
            << station.radio.receivedText();
    }
}

namespace {
const std::string closeIt =
    ". Close that program, or run the command again once it has let the port go";
} // namespace

INSTANTIATE_TEST_SUITE_P(
    Holders, DeviceHeldElsewhere,
    testing::Values(
        Holding{"APlainOpen", Hold::plainOpen, false, "is held by sleep, process HOLDER" + closeIt},
        Holding{"AFlockByAProgramThisUserCannotSee", Hold::flock, true,
                "is held by sleep, process HOLDER" + closeIt},
        Holding{"ExclusiveModeByAProgramThisUserCannotSee", Hold::exclusiveMode, true,
                "is in use by another program, which the system does not name to this user "
                "(sudo fuser -v RADIO does)" +
                    closeIt},
        Holding{"ALockFile", Hold::lockFile, false, "is held by sleep, process HOLDER" + closeIt},
        Holding{"ALockFileThisUserMayNotRead", Hold::lockFile, true,
                "is marked as held in LOCK, a lock file that this user may not read to learn by "
                "whom (Permission denied)" +
                    closeIt},
        Holding{"ARigctld", Hold::rigctld, false,
                "is held by rigctld, process HOLDER. To share the radio with the programs that "
                "use it, go through that rigctld: give --rigctld 127.0.0.1:PORT instead of --port "
                "or --device; or stop it"}),
    [](const testing::TestParamInfo<Holding>& info) { return info.param.name; });
