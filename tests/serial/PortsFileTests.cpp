// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

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

TEST(PortsFile, EachFormOpensWhatItNamesAndAnythingElseSaysWhereAndWhat) {
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

    const struct {
        const char* text;
        PortsEntry expected;
    } understood[] = {
        {"/dev/ttyUSB0\n", SerialDeviceEntry{"/dev/ttyUSB0"}},
        {"  /dev/ttyUSB0   rtscts \r\nsecond line ignored",
         SerialDeviceEntry{"/dev/ttyUSB0", true}},
        {"usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0",
         SerialDeviceEntry{"/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"}},
        {"rigctld localhost:4532\n", RigctldEntry{"localhost", 4532}},
        {"rigctld\t192.168.1.20:65535", RigctldEntry{"192.168.1.20", 65535}},
        {"rigctld [::1]:4532", RigctldEntry{"::1", 4532}},
    };
    for (const auto& c : understood) {
        std::ofstream(folder / "com2", std::ios::trunc) << c.text;
        EXPECT_EQ(readPortsEntry(folder / "com2"), std::optional(c.expected)) << c.text;
    }
    EXPECT_EQ(std::get<RigctldEntry>(understood[5].expected).address(), "[::1]:4532");

    const std::string file = (folder / "com2").string();
    const struct {
        std::string text;
        std::string report;
    } refused[] = {
        {"", file + ", line 1 \"\": the line is empty; expected a device"},
        {"\n/dev/ttyUSB0", file + ", line 1 \"\": the line is empty"},
        {"/dev/ttyUSB0 xonxoff", "\"xonxoff\" is not understood; after the device only "
                                 "\"rtscts\" may follow"},
        {"/dev/ttyUSB0 rtscts rtscts", "\"rtscts\" is not understood"},
        {"rigctld", "expected one address after \"rigctld\""},
        {"rigctld localhost:4532 extra", "expected one address after \"rigctld\""},
        {"rigctld localhost", "expected HOST:PORT"},
        {"rigctld :4532", "expected HOST:PORT"},
        {"rigctld ::1:4532", "expected HOST:PORT"},
        {"rigctld localhost:0", "a port number from 1 to 65535"},
        {"rigctld localhost:65536", "a port number from 1 to 65535"},
        {"rigctld localhost:45x2", "a port number from 1 to 65535"},
        {"rigctld localhost:", "a port number from 1 to 65535"},
        {std::string(2000, 'x'), file + ": the first line is longer than 1024 characters"},
    };
    for (const auto& c : refused) {
        std::ofstream(folder / "com2", std::ios::trunc) << c.text;
        const std::string report = problemOf(readPortsEntry(folder / "com2"));
        EXPECT_NE(report.find(c.report), std::string::npos) << c.text << "\n" << report;
    }
}

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
