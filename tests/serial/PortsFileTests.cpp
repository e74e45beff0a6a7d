// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "link/PortHolderAdvice.h"
#include "link/PortsEntry.h"
#include "link/RigctldAnswers.h"
#include "link/RigctldLine.h"

#include <fstream>
#include <gtest/gtest.h>
#include <random>

namespace {
class PortsFolder {
public:
    PortsFolder() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("sonavel-ports-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~PortsFolder() { std::filesystem::remove_all(path_); }
    PortsFolder(const PortsFolder&) = delete;
    PortsFolder& operator=(const PortsFolder&) = delete;

    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::string problemOf(const std::optional<PortsEntry>& entry) {
    const auto* problem = entry ? std::get_if<PortsEntryProblem>(&*entry) : nullptr;
    return problem ? problem->report : "";
}
} // namespace

#ifndef _WIN32
TEST(PortsFile, ALinkNamesItsDeviceAndNoFileNamesNothing) {
    const PortsFolder folder;
    std::ofstream(folder / "ttyUSB7");
    std::filesystem::create_symlink(folder / "ttyUSB7", folder / "link");
    std::filesystem::create_symlink("ttyUSB9", folder / "dangling");
    EXPECT_EQ(readPortsEntry(folder / "link"),
              PortsEntry{SerialDeviceEntry{(folder / "ttyUSB7").string()}});
    EXPECT_EQ(readPortsEntry(folder / "dangling"),
              PortsEntry{SerialDeviceEntry{(folder / "ttyUSB9").string()}})
        << "a dangling link still names the device meant";
    EXPECT_EQ(readPortsEntry(folder / "com1"), std::nullopt);
    EXPECT_EQ((RigctldEntry{"::1", 4532}).address(), "[::1]:4532");
}
#endif

namespace {
// A ports file's bytes, and what they open on a system that names its devices so: an entry, or
// a problem whose report holds the words given.
struct PortsText {
    std::string name;
    DeviceNames names;
    std::string text;
    std::optional<PortsEntry> opens;
    std::string report;
};

void PrintTo(const PortsText& c, std::ostream* out) {
    *out << c.name;
}

struct PortsLine : testing::TestWithParam<PortsText> {};

const DeviceNames paths = DeviceNames::paths;
const DeviceNames comPorts = DeviceNames::comPorts;
} // namespace

// Read as Windows would have Notepad write it, and as a shell writes it.
TEST_P(PortsLine, OpensWhatItNamesOrSaysWhereAndWhatWasExpected) {
    const PortsText& c = GetParam();
    const PortsFolder folder;
    // Not "com2", which Windows takes for its own port.
    const std::filesystem::path file = folder / "Com 2.txt";
    std::ofstream(file, std::ios::binary) << c.text;
    const std::optional<PortsEntry> read = readPortsEntry(file, c.names);
    if (c.opens) {
        EXPECT_EQ(read, c.opens);
        return;
    }
    const std::string report = problemOf(read);
    EXPECT_NE(report.find(c.report), std::string::npos) << report;
    const std::u8string shown = file.u8string();
    EXPECT_EQ(report.rfind(std::string(shown.begin(), shown.end()), 0), 0u) << report;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, PortsLine,
    testing::Values(
        PortsText{"Device", paths, "/dev/ttyUSB0\n", SerialDeviceEntry{"/dev/ttyUSB0"}, ""},
        PortsText{"DeviceWithHandshakeAndCrLf", paths,
                  "  /dev/ttyUSB0   rtscts \r\nsecond line ignored",
                  SerialDeviceEntry{"/dev/ttyUSB0", true}, ""},
        PortsText{
            "ByIdName", paths, "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0",
            SerialDeviceEntry{"/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"},
            ""},
        PortsText{"Rigctld", paths, "rigctld localhost:4532\n", RigctldEntry{"localhost", 4532},
                  ""},
        PortsText{"RigctldAtAnAddressAfterATab", paths, "rigctld\t192.168.1.20:65535",
                  RigctldEntry{"192.168.1.20", 65535}, ""},
        PortsText{"RigctldAtAnIpv6Address", paths, "rigctld [::1]:4532", RigctldEntry{"::1", 4532},
                  ""},
        PortsText{"ComPort", comPorts, "COM12\r\n", SerialDeviceEntry{"COM12"}, ""},
        PortsText{"ComPortInAnyCaseWithHandshake", comPorts, "com3 rtscts\n",
                  SerialDeviceEntry{"COM3", true}, ""},
        PortsText{"ComPortAfterAByteOrderMark", comPorts,
                  "\xEF\xBB\xBF"
                  "COM256\r\n",
                  SerialDeviceEntry{"COM256"}, ""},
        PortsText{"RigctldOnWindows", comPorts, "rigctld 127.0.0.1:4532\r\n",
                  RigctldEntry{"127.0.0.1", 4532}, ""},
        PortsText{"Empty", paths, "", std::nullopt,
                  ", line 1 \"\": the line is empty; expected a device"},
        PortsText{"EmptyFirstLine", paths, "\n/dev/ttyUSB0", std::nullopt,
                  ", line 1 \"\": the line is empty"},
        PortsText{"UnknownFlowControl", paths, "/dev/ttyUSB0 xonxoff", std::nullopt,
                  "\"xonxoff\" is not understood; after the device only \"rtscts\" may follow"},
        PortsText{"HandshakeTwice", paths, "/dev/ttyUSB0 rtscts rtscts", std::nullopt,
                  "\"rtscts\" is not understood"},
        PortsText{"RigctldWithoutAddress", paths, "rigctld", std::nullopt,
                  "expected one address after \"rigctld\""},
        PortsText{"RigctldWithTwoWords", paths, "rigctld localhost:4532 extra", std::nullopt,
                  "expected one address after \"rigctld\""},
        PortsText{"RigctldWithoutPort", paths, "rigctld localhost", std::nullopt,
                  "expected HOST:PORT"},
        PortsText{"RigctldWithoutHost", paths, "rigctld :4532", std::nullopt, "expected HOST:PORT"},
        PortsText{"RigctldIpv6WithoutBrackets", paths, "rigctld ::1:4532", std::nullopt,
                  "expected HOST:PORT"},
        PortsText{"RigctldPortZero", paths, "rigctld localhost:0", std::nullopt,
                  "a port number from 1 to 65535"},
        PortsText{"RigctldPortTooHigh", paths, "rigctld localhost:65536", std::nullopt,
                  "a port number from 1 to 65535"},
        PortsText{"RigctldPortNotANumber", paths, "rigctld localhost:45x2", std::nullopt,
                  "a port number from 1 to 65535"},
        PortsText{"RigctldPortMissing", paths, "rigctld localhost:", std::nullopt,
                  "a port number from 1 to 65535"},
        PortsText{"TooLong", paths, std::string(2000, 'x'), std::nullopt,
                  ": the first line is longer than 1024 characters"},
        PortsText{"WindowsPortOnLinux", paths, "COM3\n", std::nullopt,
                  "\"COM3\" is a Windows port name, not a device of this system; expected a "
                  "device (\"/dev/ttyUSB0\""},
        PortsText{"LinuxDeviceOnWindows", comPorts, "/dev/ttyUSB0 rtscts\r\n", std::nullopt,
                  "line 1 \"/dev/ttyUSB0 rtscts\": \"/dev/ttyUSB0\" is a Linux device, not a "
                  "Windows port; expected a port (\"COM12\""},
        PortsText{"BeyondWindowsPorts", comPorts, "COM257", std::nullopt,
                  "\"COM257\" is no Windows port: they are COM1 to COM256"},
        PortsText{"NoPortOnWindows", comPorts, "USB0", std::nullopt,
                  "\"USB0\" is not understood; expected a port (\"COM12\""},
        PortsText{"EmptyOnWindows", comPorts, "\r\n", std::nullopt,
                  "the line is empty; expected a port (\"COM12\", either followed by "
                  "\"rtscts\""}),
    [](const testing::TestParamInfo<PortsText>& info) { return info.param.name; });

// rigctld's answers as Debian 12's rigctld (Hamlib 4.5.4) gives them, cut anywhere.
TEST(PortsFile, RigctldAnswersAreReadWhereverTheBytesAreCut) {
    const std::string stream = "dump_caps:\nCaps dump for model: 2014\nModel name:\tTS-2000\n"
                               "Mfg name:\tKenwood\nRPRT 0\n"
                               "send_cmd_rx: URABC; 0\nReply: \nRPRT 0\n"
                               "send_cmd_rx: UTABC; ;\nReply: ?;\nRPRT 0\n"
                               "send_cmd_rx: FA; ;\nReply: RPRT 0\n"
                               "send_cmd_rx: ID; 0\nRPRT -6\n";
    for (std::size_t cut = 0; cut <= stream.size(); cut += 7) {
        RigctldAnswers reader;
        auto answers = reader.receive(std::string_view(stream).substr(0, cut));
        for (auto& answer : reader.receive(std::string_view(stream).substr(cut))) {
            answers.push_back(std::move(answer));
        }
        ASSERT_EQ(answers.size(), 5u) << cut;
        EXPECT_EQ(rigctldRadioName(answers[0]), "Kenwood TS-2000");
        EXPECT_EQ(answers[1].radioReply, "");
        EXPECT_EQ(answers[2].radioReply, "?;");
        EXPECT_EQ(answers[3].radioReply, "");
        EXPECT_EQ(answers[3].code, 0);
        EXPECT_EQ(answers[4].code, -6);
    }
    EXPECT_EQ(rigctldRawCommand("UTABC;", false), "+W UTABC; 0\n");
    EXPECT_EQ(rigctldRawCommand("UTABC;", true), "+W UTABC; ;\n");
}

namespace {
struct RigctldHolder {
    std::string name;
    std::vector<std::string> commandLine;
    Audience audience;
    std::string said;
};

void PrintTo(const RigctldHolder& holder, std::ostream* out) {
    *out << holder.name;
}

struct RigctldHoldingThePort : testing::TestWithParam<RigctldHolder> {};
} // namespace

TEST_P(RigctldHoldingThePort, IsOfferedAsTheWayToTheRadioAtTheAddressItListensOn) {
    const RigctldHolder& c = GetParam();
    const std::string advice = holderAdvice("rigctld", c.commandLine, 3,
                                            "/home/ham/.config/Sonavel/ports/com3", c.audience);
    EXPECT_NE(advice.find(c.said), std::string::npos) << advice;
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, RigctldHoldingThePort,
    testing::Values(
        RigctldHolder{
            "DebianDefaultsToTheWindow",
            {"rigctld", "-m", "2014", "-r", "/dev/ttyUSB0"},
            Audience::window,
            "let Com 3 reach the radio through that rigctld: write \"rigctld "
            "localhost:4532\" into the file /home/ham/.config/Sonavel/ports/com3; or close it"},
        RigctldHolder{"ShortOptionsToAScript",
                      {"rigctld", "-m", "2014", "-t", "4533", "-T", "127.0.0.1"},
                      Audience::script,
                      "go through that rigctld: give --rigctld 127.0.0.1:4533 instead of --port "
                      "or --device; or stop it"},
        RigctldHolder{"AttachedShortOptions",
                      {"rigctld", "-t4534", "-T192.168.1.5"},
                      Audience::script,
                      "--rigctld 192.168.1.5:4534 "},
        RigctldHolder{"LongOptionsWithEquals",
                      {"/usr/bin/rigctld", "--port=4600", "--listen-addr=::1"},
                      Audience::window,
                      "\"rigctld [::1]:4600\""},
        RigctldHolder{"LongOptionsApartListeningEverywhere",
                      {"rigctld", "--listen-addr", "0.0.0.0", "--port", "4535"},
                      Audience::script,
                      "--rigctld localhost:4535 "},
        RigctldHolder{"APortOutOfRange",
                      {"rigctld", "-t", "70000"},
                      Audience::script,
                      "--rigctld localhost:4532 "},
        RigctldHolder{"AnOptionWithoutItsValue",
                      {"rigctld", "-t", "4536", "-T"},
                      Audience::script,
                      "--rigctld localhost:4536 "},
        RigctldHolder{"ACommandLineNotShown", {}, Audience::window, "\"rigctld localhost:4532\""}),
    [](const testing::TestParamInfo<RigctldHolder>& info) { return info.param.name; });

// Debian 12's rigctld cannot be asked its line, so it is read from how rigctld was started, as
// rigctld's own option parser reads it, over the model's settings from its capabilities.
TEST(PortsFile, RigctldsLineIsTheModelsUnlessItsCommandLineSaysOtherwise) {
    RigctldAnswers reader;
    const auto capabilities = reader.receive("dump_caps:\nModel name:\tTS-2000\nSerial speed: "
                                             "1200..57600 bauds, 8N1 \nRPRT 0\n");
    ASSERT_EQ(capabilities.size(), 1u);
    const std::optional<LineSettings> model = rigctldModelLine(capabilities[0]);
    ASSERT_TRUE(model);
    EXPECT_EQ(model->text(), "57600,n,8,1");

    const struct {
        std::vector<std::string> commandLine;
        int port;
        std::string line; // empty: no line any serial port takes
    } cases[] = {
        {{"rigctld", "-m", "2014", "-r", "/dev/ttyUSB0"}, 4532, "57600,n,8,1"},
        {{"/usr/bin/rigctld", "-m2014", "-s", "4800", "-t", "4533"}, 4533, "4800,n,8,1"},
        {{"rigctld", "-vvs4800", "--port=4534", "-C", "stop_bits=2"}, 4534, "4800,n,8,2"},
        {{"rigctld", "--serial-speed", "9600", "--set-conf=serial_parity=Even,data_bits=7",
          "-t4535"},
         4535,
         "9600,e,7,1"},
        {{"rigctld", "-s", "38400", "-C", "serial_speed=19200", "-r", "-s"}, 4532, "38400,n,8,1"},
        {{"rigctld", "-s", "4801"}, 4532, ""},
        {{"rigctld", "-C", "stop_bits=3"}, 4532, ""},
    };
    for (const auto& c : cases) {
        const std::string words = c.commandLine[1] + " " + c.commandLine[2];
        EXPECT_TRUE(rigctldListensOn(c.commandLine, c.port)) << words;
        EXPECT_FALSE(rigctldListensOn(c.commandLine, c.port + 1)) << words;
        const std::optional<LineSettings> line = rigctldLine(c.commandLine, *model);
        EXPECT_EQ(line ? line->text() : "", c.line) << words;
    }
}
