// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "system/DeviceAccess.h"
#include "system/DeviceClaim.h"
#include "system/PortHolders.h"

#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <random>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::random_device random;
        path_ = fs::temp_directory_path() /
                ("sonavel-system-" + std::to_string(random()) + std::to_string(random()));
        fs::create_directories(path_);
        fs::permissions(path_, fs::perms::all);
    }
    ~TemporaryFolder() { fs::remove_all(path_); }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    fs::path operator/(const std::string& name) const { return path_ / name; }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

void writeFile(const fs::path& file, const std::string& content) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

// The system's error when the user "nobody" opens device for reading and writing; 0 when it
// opens.
int openAsNobody(const std::string& device) {
    const pid_t child = fork();
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0) {
            _exit(255);
        }
        const int opened = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        _exit(opened < 0 ? errno : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
}

// What permissionAdvice says to a user without rights of their own: "nobody".
std::string adviceToNobody(const fs::path& device) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return "no pipe";
    }
    const pid_t child = fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0) {
            _exit(1);
        }
        const std::string advice = permissionAdvice(device.string());
        _exit(::write(pipeEnds[1], advice.data(), advice.size()) < 0 ? 1 : 0);
    }
    ::close(pipeEnds[1]);
    std::string advice;
    char buffer[512];
    for (ssize_t got; (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
        advice.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? advice : "the child failed";
}
} // namespace

TEST(PortAccess, PermissionAdviceNamesAGroupOnlyWhereThatGroupMayReadAndWrite) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root, to look at devices as a user without rights";
    }
    const TemporaryFolder folder;
    const group* dialout = getgrnam("dialout");
    const gid_t dialoutId = dialout ? dialout->gr_gid : 20;
    const struct {
        const char* name;
        mode_t mode;
        gid_t group;
        const char* advice;
    } devices[] = {
        {"ttyUSB0", 0660, dialoutId, "Only members of the group \""},
        {"ttyS0", 0600, 0, "Only its owner \"root\" may use "},
        {"ttyACM0", 0640, dialoutId, "Only its owner \"root\" may use "},
        {"ttyS1", 0666, 0, ""},
    };
    for (const auto& d : devices) {
        const fs::path device = folder / d.name;
        writeFile(device, "");
        ASSERT_EQ(chown(device.c_str(), 0, d.group), 0);
        ASSERT_EQ(chmod(device.c_str(), d.mode), 0);
        const std::string advice = adviceToNobody(device);
        if (*d.advice == '\0') {
            EXPECT_EQ(advice, "") << d.name;
            continue;
        }
        EXPECT_EQ(advice.rfind(d.advice, 0), 0u) << d.name << ": " << advice;
        EXPECT_EQ(advice.find("group \"root\""), std::string::npos) << d.name << ": " << advice;
    }
    EXPECT_NE(adviceToNobody(folder / "ttyUSB0")
                  .find("sudo adduser $USER " + std::string(dialout ? dialout->gr_name : "")),
              std::string::npos);
}

TEST(PortAccess, ALockFileOfAnyUsualFormNamesItsLiveProcessOnly) {
    const TemporaryFolder locks;
    const pid_t self = getpid();
    const pid_t ended = fork();
    if (ended == 0) {
        _exit(0);
    }
    waitpid(ended, nullptr, 0);
    char tenCharacters[16];
    std::snprintf(tenCharacters, sizeof tenCharacters, "%10d\n", self);
    const std::int32_t binary = self;
    const struct {
        const char* device;
        const char* lockName;
        std::string content;
        bool held;
    } cases[] = {
        {"/dev/ttyUSB7", "LCK..ttyUSB7", tenCharacters, true},
        {"/dev/ttyUSB7", "LCK..ttyUSB7", std::to_string(self) + "\nsonavel\nshack-pc\n", true},
        {"/dev/ttyUSB7", "LCK..ttyUSB7", std::string(reinterpret_cast<const char*>(&binary), 4),
         true},
        {"/dev/pts/7", "LCK..pts_7", tenCharacters, true},
        {"/dev/pts/7", "LCK..7", tenCharacters, true},
        {"/dev/ttyUSB7", "LCK..ttyUSB7", std::to_string(ended) + "\n", false},
        {"/dev/ttyUSB7", "LCK..ttyUSB7", "not a process\n", false},
        {"/dev/ttyUSB7", "LCK..ttyUSB8", tenCharacters, false},
    };
    for (const auto& c : cases) {
        fs::remove_all(locks.path());
        writeFile(locks / c.lockName, c.content);
        const auto holder = readLockFile(c.device, locks.path().string()).holder;
        ASSERT_EQ(holder.has_value(), c.held) << c.lockName << " " << c.content;
        if (holder) {
            EXPECT_EQ(holder->processId, self);
            EXPECT_EQ(holder->program, "port_access_tes") << "the system keeps 15 characters";
        }
    }

    // The holder of an open device is found without any lock file, but never this process.
    writeFile(locks / "ttyUSB7", "");
    const int held = ::open((locks / "ttyUSB7").c_str(), O_RDONLY);
    const pid_t child = fork();
    if (child == 0) {
        ::pause();
        _exit(0);
    }
    ::close(held);
    const std::vector<Holder> holders = processesHolding((locks / "ttyUSB7").string());
    ::kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    ASSERT_EQ(holders.size(), 1u);
    EXPECT_EQ(holders.front().processId, child);
    EXPECT_TRUE(processesHolding((locks / "ttyUSB7").string()).empty());
}

TEST(PortAccess, AClaimSeesAnotherProgramsClaimAndKeepsOtherUsersOut) {
    int master = -1;
    int slave = -1;
    char name[256] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    ::close(slave);
    const std::string device = name;
    ::chmod(name, 0666);

    DeviceClaim first;
    DeviceClaim second;
    EXPECT_EQ(first.take(device), DeviceClaim::State::claimed);
    EXPECT_EQ(second.take(device), DeviceClaim::State::lockedElsewhere);
    first.excludeOthers();
    if (geteuid() == 0) {
        // Exclusive mode refuses an ordinary user's open; an administrator's goes through.
        EXPECT_EQ(openAsNobody(device), EBUSY);
        EXPECT_EQ(openAsNobody("/dev/null"), 0);
        first.release();
        EXPECT_EQ(openAsNobody(device), 0);
        const int exclusive = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_EQ(::ioctl(exclusive, TIOCEXCL), 0);
        EXPECT_EQ(second.take(device), DeviceClaim::State::exclusiveElsewhere);
        ::ioctl(exclusive, TIOCNXCL);
        ::close(exclusive);
    }
    first.release();
    EXPECT_EQ(second.take(device), DeviceClaim::State::claimed);
    EXPECT_EQ(first.take((fs::temp_directory_path() / "no-such-device").string()),
              DeviceClaim::State::unclaimed);
    ::close(master);
}
